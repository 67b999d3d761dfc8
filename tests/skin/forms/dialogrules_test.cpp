// The rules of the window-creation hook that need no window: which wrapper a
// dialog's child gets by class and style, a dialog's border style, and the
// Tag that keeps a form unskinned.
#include <gtest/gtest.h>

#include "skin/forms/acDialogControls.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/acSupportedForms.h"
#include "skin/forms/sFrameHitTest.h"
#include "skin/forms/sFramePaint.h"
#include "skin/forms/sTitleButtons.h"

using namespace skin;

namespace {

struct ChoiceCase {
    const wchar_t* Class;
    LONG Style;
    bool Visible;
    TacDialogCtrlKind Kind;
    const wchar_t* Section;
    bool AllowsPaint;
};

}  // namespace

TEST(DialogRules, ChildWrapperByClassAndStyle) {
    const ChoiceCase cases[] = {
        // Statics: bit tests on the whole style decide, per type.
        {L"static", SS_LEFT, true, dckStatic, L"CHECKBOX", false},
        {L"static", SS_CENTER, true, dckStatic, L"CHECKBOX", false},
        {L"static", SS_ICON, true, dckIcon, L"CHECKBOX", false},
        {L"static", SS_BLACKFRAME, true, dckIcon, L"CHECKBOX", false},
        {L"static", SS_SIMPLE, true, dckIcon, L"CHECKBOX", false},
        {L"static", SS_BITMAP, true, dckIcon, L"CHECKBOX", false},
        {L"static", SS_ENHMETAFILE, true, dckIcon, L"CHECKBOX", false},
        {L"static", SS_GRAYRECT, true, dckNone, L"", false},
        {L"static", SS_WHITERECT, true, dckNone, L"", false},
        {L"static", SS_OWNERDRAW, true, dckNone, L"", false},
        {L"static", SS_ETCHEDHORZ, true, dckStatic, L"CHECKBOX", false},
        {L"static", SS_LEFT | SS_NOTIFY | WS_VISIBLE, true, dckStatic, L"CHECKBOX", false},
        // Editable controls let the dialog paint, wrapped or not.
        {L"edit", ES_LEFT, true, dckEdit, L"EDIT", true},
        {L"edit", ES_LEFT, false, dckNone, L"", true},
        {L"combobox", CBS_DROPDOWN, true, dckComboBox, L"COMBOBOX", true},
        {L"combolbox", 0, true, dckEdit, L"COMBOBOX", true},
        {L"comboboxex32", 0, true, dckComboBox, L"COMBOBOX", true},
        {L"listbox", 0, true, dckEdit, L"EDIT", false},
        // Buttons of every kind go to the button factory.
        {L"button", BS_PUSHBUTTON, true, dckButton, L"BUTTON", false},
        {L"button", BS_OWNERDRAW, true, dckButton, L"BUTTON", false},
        {L"syslink", 0, true, dckLink, L"CHECKBOX", false},
        {L"link window", 0, true, dckLink, L"CHECKBOX", false},
        {L"#32770", WS_CHILD, true, dckTransPanel, L"CHECKBOX", false},
        {L"tpanel", 0, true, dckDlgPanel, L"PANEL", false},
        {L"scrollbar", SBS_SIZEGRIP, true, dckSizer, L"CHECKBOX", false},
        {L"systabcontrol32", 0, true, dckTabControl, L"PAGECONTROL", false},
        {L"systabcontrol32", 0x2000, true, dckNone, L"", false},
        {L"toolbarwindow32", 0x200, true, dckToolBar, L"BAR", false},
        {L"toolbarwindow32", 0, true, dckToolBar, L"CHECKBOX", false},
        {L"msctls_updown32", 0, true, dckSpin, L"SPEEDBUTTON_SMALL", false},
        {L"syslistview32", 0, true, dckListView, L"EDIT", false},
        {L"systreeview32", 0, true, dckTreeView, L"EDIT", false},
        {L"shbrowseforfolder", 0, true, dckTransPanel, L"CHECKBOX", false},
        // Class names are compared lower-cased: the caller lowers them.
        {L"Static", SS_LEFT, true, dckNone, L"", false},
        {L"msctls_progress32", 0, true, dckNone, L"", false},
    };
    for (const ChoiceCase& c : cases) {
        const TacDialogCtrlChoice got = ChooseDialogWrapper(c.Class, c.Style, c.Visible);
        EXPECT_EQ(got.Kind, c.Kind) << c.Class << " style " << std::hex << c.Style;
        EXPECT_EQ(fw::String(got.Section), fw::String(c.Section)) << c.Class;
        EXPECT_EQ(got.AllowsDialogPaint, c.AllowsPaint) << c.Class;
    }
}

TEST(DialogRules, BorderStyleAndTag) {
    EXPECT_EQ(DialogBorderStyle(WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_SYSMENU), acbsDialog);
    EXPECT_EQ(DialogBorderStyle(WS_POPUP | WS_CAPTION | WS_THICKFRAME | DS_MODALFRAME), acbsSizeable);
    EXPECT_EQ(DialogBorderStyle(WS_POPUP | WS_BORDER), acbsNone);
    EXPECT_EQ(DialogBorderStyle(WS_POPUP | WS_DLGFRAME), acbsNone);
    EXPECT_EQ(DialogBorderStyle(WS_OVERLAPPED | WS_CAPTION), acbsSizeable);

    for (int tag : {-98, -97, -66, -65, -34, -33, -2, -1}) EXPECT_TRUE(SkippedByTag(tag)) << tag;
    for (int tag : {0, -99, -3, 1, 98, -100}) EXPECT_FALSE(SkippedByTag(tag)) << tag;

    // The frame a message box and an open dialog get.
    const TFrameState box =
        DialogFrameState(nullptr, WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_SYSMENU, 0, acbsDialog, true);
    EXPECT_EQ(box.BorderStyle, fw::bsDialog);
    EXPECT_TRUE(VisibleClose(box));
    EXPECT_FALSE(VisibleMax(box));
    EXPECT_FALSE(BigButtons(box));
    const TFrameState open = DialogFrameState(nullptr, WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU,
                                              WS_EX_CONTEXTHELP, acbsSizeable, false);
    EXPECT_TRUE(BigButtons(open));
    EXPECT_TRUE(open.BorderIcons.Contains(fw::biHelp));
    EXPECT_FALSE(open.Active);
    const TFrameState bare = DialogFrameState(nullptr, WS_POPUP | WS_CAPTION, 0, acbsSizeable, true);
    EXPECT_FALSE(VisibleClose(bare)) << "no system menu: no title buttons";

    // A class that forbids closing shows its close button greyed.
    TFrameState shut = box;
    shut.NoClose = true;
    const TTitleButtons buttons;
    EXPECT_TRUE(VisibleClose(shut));
    EXPECT_FALSE(EnabledClose(shut));
    EXPECT_FALSE(ButtonEnabled(buttons.Close, buttons, shut));
    EXPECT_TRUE(EnabledClose(box));
    EXPECT_TRUE(ButtonEnabled(buttons.Close, buttons, box));
}

// A dialog's caption ends 6 pixels before its title buttons (a form's 12),
// and a dialog without an icon keeps no room for one: its caption starts at
// the margin and no strip there drops the window menu.
TEST(DialogRules, CaptionPlaceAndIconRoom) {
    const TFrameMetrics M = TFrameMetrics::FromSystem();
    const TFrameSkin K;
    const TTitleButtons B;
    TFrameState dlg =
        DialogFrameState(nullptr, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, acbsSizeable, true);
    dlg.Width = 320, dlg.Height = 200, dlg.ClientWidth = 300, dlg.ClientHeight = 160;
    TFrameState form = dlg;
    form.CaptionGap = TFrameState().CaptionGap;
    const fw::TRect d = CaptionTextRect(dlg, M, K, B, 40, 10, fw::taLeftJustify),
                    f = CaptionTextRect(form, M, K, B, 40, 10, fw::taLeftJustify);
    EXPECT_EQ(d.Right, CaptionWidth(dlg) - TitleBtnsWidth(dlg, K, B) - 6);
    EXPECT_EQ(f.Right, CaptionWidth(form) - TitleBtnsWidth(form, K, B) - 12);

    const fw::TPoint iconPlace(SysBorderWidth(dlg, M) + 3, SysBorderHeight(dlg, M) + CaptionHeight(dlg, M) / 2);
    EXPECT_EQ(FrameHitTest(dlg, M, K, B, iconPlace), HTSYSMENU) << "with an icon";
    TFrameState bare = dlg;
    bare.ShowAppIcon = false;
    EXPECT_EQ(FrameHitTest(bare, M, K, B, iconPlace), HTCAPTION) << "without one";
    EXPECT_EQ(CaptionTextRect(bare, M, K, B, 40, 10, fw::taLeftJustify).Left, SysBorderWidth(bare, M) + 4);
}
