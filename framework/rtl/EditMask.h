// An edit mask read once: what each character of a masked edit's text may
// hold, and the editing rules on that text. Plain logic without a window,
// so the mask edit control stays thin.
//
// A mask is "picture;save;blank". Picture characters: 0 a digit, 9 a digit
// or blank, # a digit, sign or blank, L a letter, l a letter or blank, A a
// letter or digit, a the same or blank, C any character, c any or blank;
// > upper-cases what follows, < lower-cases it, <> neither; \ takes the next
// character as a literal; / and : are the date and time separators; _ is a
// blank literal; ! aligns text set into a field to its right end; any other
// character is a literal. "save" 0 drops the literals from Text (1, or no
// field, keeps them); "blank" is the character shown in empty places ('_'
// when the field is missing or empty).
#pragma once

#include <vector>

#include "framework/rtl/Strings.h"

namespace fw {

class TEditMask {
public:
    TEditMask() = default;
    TEditMask(const String& mask, wchar_t dateSeparator, wchar_t timeSeparator);

    bool IsMasked() const { return !places_.empty(); }
    int Length() const { return static_cast<int>(places_.size()); }
    wchar_t Blank() const { return blank_; }
    bool SaveLiterals() const { return saveLiterals_; }
    bool IsLiteral(int pos) const;

    // The edit text of an empty field: literals and blanks.
    String EmptyText() const;
    // Text from an edit text: blanks become spaces; literals stay when the
    // mask saves them, else the places are packed (and padded at the end, or
    // at the start with '!').
    String TextOf(const String& editText) const;
    // An edit text from Text. With saved literals each run between literals
    // is its own field: a short run is padded with blanks (on the left with
    // '!'), a long one cut. Characters a place refuses become blanks.
    String EditTextOf(const String& text) const;

    // Whether `c` may stand at `pos`, and as which character (case rules
    // applied; a space in an optional place is stored as the blank).
    bool Accepts(int pos, wchar_t c, wchar_t& stored) const;
    // The first editable place at or after / before `pos`; -1 when none.
    int NextEditable(int pos) const;
    int PrevEditable(int pos) const;
    // The first place whose required character is missing; -1 when the text
    // is complete.
    int FirstMissing(const String& editText) const;

    // Editing, as keys do it. A typed character goes to the first editable
    // place at or after the caret (a typed literal just moves past it) and
    // overwrites; the caret then moves to the next editable place. False
    // when it is refused. Deleting blanks the editable places of the range.
    bool TypeChar(String& editText, int& caret, wchar_t c) const;
    void Clear(String& editText, int start, int length) const;
    // Backspace: blanks the editable place before the caret and moves there.
    void Backspace(String& editText, int& caret) const;

private:
    enum Kind { Literal, Digit, DigitOrSign, Letter, AlphaNum, AnyChar };
    enum Case { AsTyped, Upper, Lower };
    struct Place {
        Kind kind;
        bool required;
        Case caseRule;
        wchar_t literal;
    };
    std::vector<Place> places_;
    wchar_t blank_ = L'_';
    bool saveLiterals_ = true;
    bool alignRight_ = false;
};

}  // namespace fw
