#include "framework/rtl/EditMask.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

// The date edit's four masks, with the separator of a day.month.year locale.
const wchar_t* const kMasks[] = {L"!99/99/9999;1; ", L"!90/90/0000;1; ", L"!9999/99/99;1;", L"!99/99/99;1;*"};

TEditMask DateMask(int i) { return TEditMask(kMasks[i], L'.', L':'); }

}  // namespace

TEST(EditMask, EditTextAndTextOfTheFourDateMasks) {
    struct Case {
        int mask;
        const wchar_t* text;      // set as Text
        const wchar_t* editText;  // what the edit shows
        const wchar_t* readBack;  // Text read from it
    };
    const Case cases[] = {
        {0, L"", L"  .  .    ", L"  .  .    "},           {0, L"05.03.2026", L"05.03.2026", L"05.03.2026"},
        {0, L"5.3.2026", L" 5. 3.2026", L" 5. 3.2026"},  // '!' pads a field on the left
        {0, L"ab.03.2026", L"  .03.2026", L"  .03.2026"}, {0, L"123.456.78901", L"12.45.7890", L"12.45.7890"},
        {1, L"5.3.2026", L" 5. 3.2026", L" 5. 3.2026"},   {2, L"", L"____.__.__", L"    .  .  "},
        {2, L"2026.3.5", L"2026._3._5", L"2026. 3. 5"},   {3, L"5.3.26", L"*5.*3.26", L" 5. 3.26"},
        {3, L"05.03.", L"05.03.**", L"05.03.  "},
    };
    for (const Case& c : cases) {
        TEditMask m = DateMask(c.mask);
        String e = m.EditTextOf(c.text);
        EXPECT_EQ(e, c.editText) << c.mask << " " << ToUtf8(c.text);
        EXPECT_EQ(m.TextOf(e), c.readBack) << c.mask << " " << ToUtf8(c.text);
    }
    EXPECT_EQ(DateMask(2).Blank(), L'_');
    EXPECT_EQ(DateMask(3).Blank(), L'*');
    EXPECT_EQ(TEditMask(L"99/99", L'-', L':').EmptyText(), L"__-__");
}

TEST(EditMask, AcceptedKeysByPlace) {
    // "!90/90/0000": optional digit, required digit, literal...
    TEditMask m = DateMask(1);
    struct Case {
        int pos;
        wchar_t key;
        bool accepted;
    };
    const Case cases[] = {
        {0, L'7', true},  {0, L' ', true},  {0, L'x', false}, {1, L'7', true},  {1, L' ', false},
        {2, L'7', false}, {2, L'.', false}, {6, L'0', true},  {6, L' ', false}, {9, L'-', false},
    };
    for (const Case& c : cases) {
        wchar_t stored = 0;
        EXPECT_EQ(m.Accepts(c.pos, c.key, stored), c.accepted) << c.pos << " " << char(c.key);
        if (c.accepted) {
            EXPECT_EQ(stored, c.key == L' ' ? m.Blank() : c.key);
        }
    }
    // Case rules and escaped literals.
    TEditMask letters(L">LL<ll<>c\\A;1;_", L'/', L':');
    EXPECT_EQ(letters.EditTextOf(L"abCDeA"), L"ABcdeA");
    EXPECT_TRUE(letters.IsLiteral(5));
    wchar_t stored;
    EXPECT_FALSE(letters.Accepts(0, L'1', stored));
    EXPECT_TRUE(letters.Accepts(4, L'1', stored));
}

TEST(EditMask, TypingSkipsLiteralsAndBackspaceBlanks) {
    TEditMask m = DateMask(0);
    String e = m.EmptyText();
    int caret = 0;
    for (wchar_t c : String(L"0503")) EXPECT_TRUE(m.TypeChar(e, caret, c));
    EXPECT_EQ(e, L"05.03.    ");
    EXPECT_EQ(caret, 6);  // past the second separator
    EXPECT_FALSE(m.TypeChar(e, caret, L'x'));
    EXPECT_EQ(caret, 6);
    for (wchar_t c : String(L"20261")) m.TypeChar(e, caret, c);  // the last one finds no place
    EXPECT_EQ(e, L"05.03.2026");
    EXPECT_EQ(caret, 10);

    // A typed separator in front of a literal only moves past it.
    caret = 2;
    EXPECT_TRUE(m.TypeChar(e, caret, L'.'));
    EXPECT_EQ(caret, 3);
    EXPECT_EQ(e, L"05.03.2026");
    // A digit typed on a literal goes to the next place.
    caret = 2;
    EXPECT_TRUE(m.TypeChar(e, caret, L'1'));
    EXPECT_EQ(e, L"05.13.2026");
    EXPECT_EQ(caret, 4);

    // Backspace behind a literal blanks the digit before it.
    caret = 3;
    m.Backspace(e, caret);
    EXPECT_EQ(e, L"0 .13.2026");
    EXPECT_EQ(caret, 1);
    m.Clear(e, 1, 6);  // literals stay
    EXPECT_EQ(e, L"0 .  . 026");
}

TEST(EditMask, FirstMissingRequiredCharacter) {
    const std::pair<const wchar_t*, int> required[] = {
        {L"  .  .    ", 1}, {L" 5. 3.2026", -1}, {L"05.03.2026", -1},
        {L"1 . 3.2026", 1}, {L" 5.  .2026", 4},  {L" 5. 3.202 ", 9},
    };
    for (const auto& [text, missing] : required) EXPECT_EQ(DateMask(1).FirstMissing(text), missing) << ToUtf8(text);
    // Optional places only: nothing is ever missing.
    EXPECT_EQ(DateMask(0).FirstMissing(L"  .  .    "), -1);
    EXPECT_EQ(DateMask(2).FirstMissing(L"____.__.__"), -1);
}

TEST(EditMask, LiteralsLeftOutOfText) {
    TEditMask phone(L"(999) 000-0000;0;_", L'/', L':');
    EXPECT_FALSE(phone.SaveLiterals());
    EXPECT_EQ(phone.EditTextOf(L"5551234567"), L"(555) 123-4567");
    EXPECT_EQ(phone.TextOf(L"(555) 123-4567"), L"5551234567");
    EXPECT_EQ(phone.TextOf(L"(5__) 123-4567"), L"5  1234567");
    // No editable place: no mask at all.
    EXPECT_FALSE(TEditMask(L"--;1;_", L'/', L':').IsMasked());
    EXPECT_FALSE(TEditMask(L"", L'/', L':').IsMasked());
}
