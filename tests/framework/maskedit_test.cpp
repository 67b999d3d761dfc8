// The mask edit on a shown form: keys typed into its window are applied to
// the mask, Text and EditText read back, and leaving it validates.
#include "framework/windows/MaskEdit.h"

#include <gtest/gtest.h>

#include "format_settings_fixture.h"
#include "native_fixture.h"

using namespace fw;
using namespace fwtest;

namespace {

void Type(TWinControl* c, const String& keys) {
    for (wchar_t k : keys) SendMessageW(c->Handle(), WM_CHAR, k, 1);
}

void KeyDown(TWinControl* c, WORD key) { SendMessageW(c->Handle(), WM_KEYDOWN, key, 1); }

struct ChangeCount {
    int count = 0;
    void Changed(TObject*) { ++count; }
};

}  // namespace

TEST(MaskEdit, KeysFollowTheDateMask) {
    FormatSettingsGuard guard;
    FormatSettings.DateSeparator = L'.';
    NativeForm form;
    TMaskEdit* edit = form.Put<TMaskEdit>(10, 10, 120, 24);
    ChangeCount changes;
    edit->OnChange = TNotifyEvent(&changes, &ChangeCount::Changed);
    edit->SetEditMask(L"!99/99/9999;1; ");
    EXPECT_TRUE(edit->IsMasked());
    EXPECT_EQ(edit->EditText(), L"  .  .    ");
    EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 10);
    EXPECT_FALSE(edit->Modified());

    edit->SetSelStart(0);
    Type(edit, L"05x03");  // the letter is refused
    EXPECT_EQ(edit->EditText(), L"05.03.    ");
    EXPECT_EQ(edit->SelStart(), 6);
    EXPECT_TRUE(edit->Modified());
    EXPECT_GT(changes.count, 0);
    Type(edit, L"2026");
    EXPECT_EQ(edit->Text(), L"05.03.2026");

    // Backspace behind a separator blanks the digit before it.
    edit->SetSelStart(6);
    Type(edit, String(1, wchar_t(VK_BACK)));
    EXPECT_EQ(edit->EditText(), L"05.0 .2026");
    EXPECT_EQ(edit->SelStart(), 4);
    // Delete blanks the selection and keeps the literals.
    SendMessageW(edit->Handle(), EM_SETSEL, 0, 4);
    KeyDown(edit, VK_DELETE);
    EXPECT_EQ(edit->EditText(), L"  .  .2026");
    // Typing over a selection replaces it from its start.
    SendMessageW(edit->Handle(), EM_SETSEL, 6, 10);
    Type(edit, L"1999");
    EXPECT_EQ(edit->EditText(), L"  .  .1999");

    edit->SetText(L"5.3.2026");
    EXPECT_EQ(edit->EditText(), L" 5. 3.2026");
    form.Screenshot(L"MaskEdit_DateMask");
}

TEST(MaskEdit, ValidateEditRaisesOnAMissingRequiredCharacter) {
    FormatSettingsGuard guard;
    FormatSettings.DateSeparator = L'/';
    NativeForm form;
    TMaskEdit* edit = form.Put<TMaskEdit>(10, 10, 120, 24);
    edit->SetEditMask(L"!90/90/0000;1; ");
    EXPECT_EQ(edit->EditText(), L"  /  /    ");
    edit->ValidateEdit();  // not modified: nothing to check

    edit->SetSelStart(0);
    Type(edit, L"1");
    try {
        edit->ValidateEdit();
        ADD_FAILURE();
    } catch (const EDBEditError& e) {
        EXPECT_EQ(e.Message, L"Invalid input value.  Use escape key to abandon changes");
    }
    EXPECT_EQ(edit->SelStart(), 1);  // on the missing digit
    EXPECT_EQ(edit->SelLength(), 1);
    EXPECT_THROW(edit->Perform(CM_EXIT), EDBEditError);

    edit->SetSelStart(0);
    Type(edit, L"12/31/2026");
    EXPECT_EQ(edit->EditText(), L"12/31/2026");
    edit->ValidateEdit();
    edit->Perform(CM_EXIT);
}

TEST(MaskEdit, ChangingTheMaskKeepsTheTextAndNoMaskIsAPlainEdit) {
    FormatSettingsGuard guard;
    FormatSettings.DateSeparator = L'-';
    NativeForm form;
    TMaskEdit* edit = form.Put<TMaskEdit>(10, 10, 120, 24);
    edit->SetText(L"2026-12-11");
    EXPECT_FALSE(edit->IsMasked());
    EXPECT_EQ(edit->EditText(), edit->Text());
    edit->SetEditMask(L"!9999/99/99;1;");
    EXPECT_EQ(edit->EditText(), L"2026-12-11");
    edit->SetEditMask(L"!99/99/99;1;_");
    EXPECT_EQ(edit->EditText(), L"20-12-11");
    Type(edit, L"abc");  // refused: the text stays
    EXPECT_EQ(edit->Text(), L"20-12-11");
    edit->SetEditMask(L"");
    edit->SetSelStart(8);
    Type(edit, L"x");
    EXPECT_EQ(edit->Text(), L"20-12-11x");
}

TEST(MaskEdit, PasteAndCutGoThroughTheMask) {
    FormatSettingsGuard guard;
    FormatSettings.DateSeparator = L'/';
    NativeForm form;
    TMaskEdit* edit = form.Put<TMaskEdit>(10, 10, 120, 24);
    edit->SetEditMask(L"!99/99/9999;1; ");
    auto setClipboard = [&](const String& text) {
        ASSERT_TRUE(OpenClipboard(edit->Handle()));
        EmptyClipboard();
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(mem);
        SetClipboardData(CF_UNICODETEXT, mem);
        CloseClipboard();
    };
    setClipboard(L"12/3x1/2026");  // the letter is dropped, the separators skip
    edit->SetSelStart(0);
    SendMessageW(edit->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->EditText(), L"12/31/2026");
    EXPECT_TRUE(edit->Modified());

    SendMessageW(edit->Handle(), EM_SETSEL, 3, 5);
    SendMessageW(edit->Handle(), WM_CUT, 0, 0);
    EXPECT_EQ(edit->EditText(), L"12/  /2026");
}
