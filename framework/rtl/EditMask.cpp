#include "framework/rtl/EditMask.h"

#include <windows.h>

namespace fw {

namespace {

bool CharType(wchar_t c, WORD flags) {
    WORD type = 0;
    return GetStringTypeW(CT_CTYPE1, &c, 1, &type) && (type & flags);
}

wchar_t MapCase(wchar_t c, DWORD flag) {
    wchar_t out = c;
    LCMapStringW(LOCALE_USER_DEFAULT, flag, &c, 1, &out, 1);
    return out;
}

}  // namespace

TEditMask::TEditMask(const String& mask, wchar_t dateSeparator, wchar_t timeSeparator) {
    Case caseRule = AsTyped;
    size_t i = 0;
    for (; i < mask.size() && mask[i] != L';'; ++i) {
        wchar_t c = mask[i];
        auto add = [&](Kind kind, bool required, wchar_t literal = 0) {
            places_.push_back(Place{kind, required, caseRule, literal});
        };
        switch (c) {
            case L'!':
                alignRight_ = true;
                break;
            case L'>':
                caseRule = Upper;
                break;
            case L'<':
                if (i + 1 < mask.size() && mask[i + 1] == L'>') {
                    caseRule = AsTyped;
                    ++i;
                } else {
                    caseRule = Lower;
                }
                break;
            case L'\\':
                if (i + 1 < mask.size()) add(Literal, false, mask[++i]);
                break;
            case L'0':
                add(Digit, true);
                break;
            case L'9':
                add(Digit, false);
                break;
            case L'#':
                add(DigitOrSign, false);
                break;
            case L'L':
                add(Letter, true);
                break;
            case L'l':
                add(Letter, false);
                break;
            case L'A':
                add(AlphaNum, true);
                break;
            case L'a':
                add(AlphaNum, false);
                break;
            case L'C':
                add(AnyChar, true);
                break;
            case L'c':
                add(AnyChar, false);
                break;
            case L'/':
                add(Literal, false, dateSeparator);
                break;
            case L':':
                add(Literal, false, timeSeparator);
                break;
            case L'_':
                add(Literal, false, L' ');
                break;
            default:
                add(Literal, false, c);
                break;
        }
    }
    if (i < mask.size()) {
        size_t second = mask.find(L';', i + 1);
        String save = mask.substr(i + 1, second == String::npos ? String::npos : second - i - 1);
        saveLiterals_ = save != L"0";
        if (second != String::npos && second + 1 < mask.size()) blank_ = mask[second + 1];
    }
    // Literals alone mask nothing.
    bool editable = false;
    for (const Place& p : places_) editable = editable || p.kind != Literal;
    if (!editable) places_.clear();
}

bool TEditMask::IsLiteral(int pos) const { return pos >= 0 && pos < Length() && places_[pos].kind == Literal; }

String TEditMask::EmptyText() const {
    String s;
    for (const Place& p : places_) s += p.kind == Literal ? p.literal : blank_;
    return s;
}

String TEditMask::TextOf(const String& editText) const {
    String text;
    if (!IsMasked()) return editText;
    const String e = editText.size() == places_.size() ? editText : EditTextOf(editText);
    for (int i = 0; i < Length(); ++i) {
        if (places_[i].kind == Literal) {
            if (saveLiterals_) text += e[i];
        } else {
            text += e[i] == blank_ ? L' ' : e[i];
        }
    }
    return text;
}

String TEditMask::EditTextOf(const String& text) const {
    if (!IsMasked()) return text;
    String e = EmptyText();
    // The runs of editable places, each with the characters meant for it.
    size_t t = 0;
    for (int i = 0; i < Length();) {
        if (places_[i].kind == Literal) {
            if (saveLiterals_ && t < text.size() && text[t] == places_[i].literal) ++t;
            ++i;
            continue;
        }
        int end = i;
        while (end < Length() && places_[end].kind != Literal) ++end;
        String run;
        if (saveLiterals_) {
            // Up to the literal that closes the field (or the rest).
            wchar_t closing = end < Length() ? places_[end].literal : 0;
            while (t < text.size() && (closing == 0 || text[t] != closing)) run += text[t++];
            if (static_cast<int>(run.size()) > end - i) run.resize(end - i);
        } else {
            run = text.substr(t < text.size() ? t : text.size(), end - i);
            t += run.size();
        }
        int offset = alignRight_ && saveLiterals_ ? (end - i) - static_cast<int>(run.size()) : 0;
        for (size_t k = 0; k < run.size(); ++k) {
            wchar_t stored;
            int pos = i + offset + static_cast<int>(k);
            e[pos] = Accepts(pos, run[k], stored) ? stored : blank_;
        }
        i = end;
    }
    return e;
}

bool TEditMask::Accepts(int pos, wchar_t c, wchar_t& stored) const {
    if (pos < 0 || pos >= Length() || places_[pos].kind == Literal) return false;
    const Place& p = places_[pos];
    if ((c == L' ' || c == blank_) && !p.required) {
        stored = blank_;
        return true;
    }
    bool ok = false;
    switch (p.kind) {
        case Digit:
            ok = c >= L'0' && c <= L'9';
            break;
        case DigitOrSign:
            ok = (c >= L'0' && c <= L'9') || c == L'+' || c == L'-';
            break;
        case Letter:
            ok = CharType(c, C1_ALPHA);
            break;
        case AlphaNum:
            ok = CharType(c, C1_ALPHA) || (c >= L'0' && c <= L'9');
            break;
        case AnyChar:
            ok = c >= L' ';
            break;
        case Literal:
            break;
    }
    if (!ok) return false;
    stored = p.caseRule == Upper ? MapCase(c, LCMAP_UPPERCASE) : p.caseRule == Lower ? MapCase(c, LCMAP_LOWERCASE) : c;
    return true;
}

int TEditMask::NextEditable(int pos) const {
    for (int i = pos < 0 ? 0 : pos; i < Length(); ++i)
        if (places_[i].kind != Literal) return i;
    return -1;
}

int TEditMask::PrevEditable(int pos) const {
    for (int i = pos >= Length() ? Length() - 1 : pos; i >= 0; --i)
        if (places_[i].kind != Literal) return i;
    return -1;
}

int TEditMask::FirstMissing(const String& editText) const {
    for (int i = 0; i < Length(); ++i) {
        bool empty = i >= static_cast<int>(editText.size()) || editText[i] == blank_ || editText[i] == L' ';
        if (places_[i].required && empty) return i;
    }
    return -1;
}

bool TEditMask::TypeChar(String& editText, int& caret, wchar_t c) const {
    if (editText.size() != places_.size()) editText = EditTextOf(editText);
    // A typed literal moves past the literal it matches.
    for (int i = caret; i < Length() && places_[i].kind == Literal; ++i) {
        if (places_[i].literal == c) {
            caret = i + 1;
            return true;
        }
    }
    int pos = NextEditable(caret);
    wchar_t stored;
    if (pos < 0 || !Accepts(pos, c, stored)) return false;
    editText[pos] = stored;
    int next = NextEditable(pos + 1);
    caret = next < 0 ? pos + 1 : next;
    return true;
}

void TEditMask::Clear(String& editText, int start, int length) const {
    if (editText.size() != places_.size()) editText = EditTextOf(editText);
    for (int i = start < 0 ? 0 : start; i < start + length && i < Length(); ++i)
        if (places_[i].kind != Literal) editText[i] = blank_;
}

void TEditMask::Backspace(String& editText, int& caret) const {
    int pos = PrevEditable(caret - 1);
    if (pos < 0) return;
    Clear(editText, pos, 1);
    caret = pos;
}

}  // namespace fw
