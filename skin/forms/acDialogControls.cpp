#include "skin/forms/acDialogControls.h"

#include "skin/windows/acCheckBoxWnd.h"
#include "skin/windows/acComboWnd.h"
#include "skin/windows/acEditWnd.h"
#include "skin/windows/acListViewWnd.h"
#include "skin/windows/acPanelWnd.h"
#include "skin/windows/acSpinWnd.h"
#include "skin/windows/acStaticWnd.h"
#include "skin/windows/acTabWnd.h"
#include "skin/windows/acToolBarWnd.h"
#include "skin/windows/acTreeViewWnd.h"

namespace skin {

namespace {

// Bit tests on the whole style, not comparisons of the type field: the
// results per static and button type follow from them.
bool All(LONG Style, LONG Bits) { return (Style & Bits) == Bits; }

bool Always(LONG, bool) { return true; }
bool IconStatic(LONG s, bool) { return All(s, 0x3) || All(s, 0xE); }
bool BareStatic(LONG s, bool) { return All(s, 0xD) || (s & 0x1F) == 5 || (s & 0x1F) == 6; }
bool ShownEdit(LONG, bool Visible) { return Visible; }
bool OwnTabs(LONG s, bool) { return !(s & 0x2000); }         // not TCS_OWNERDRAWFIXED
bool WrapableBar(LONG s, bool) { return (s & 0x200) != 0; }  // TBSTYLE_WRAPABLE

struct Row {
    const wchar_t* Class;
    bool (*Test)(LONG Style, bool Visible);
    TacDialogCtrlKind Kind;
    const wchar_t* Section;
};

const Row kRows[] = {
    {L"static", IconStatic, dckIcon, L"CHECKBOX"},
    {L"static", BareStatic, dckNone, L""},
    {L"static", Always, dckStatic, L"CHECKBOX"},
    {L"#32770", Always, dckTransPanel, L"CHECKBOX"},
    {L"tpanel", Always, dckDlgPanel, L"PANEL"},
    {L"tsilentpaintpanel", Always, dckDlgPanel, L"PANEL"},
    {L"edit", ShownEdit, dckEdit, L"EDIT"},
    {L"button", Always, dckButton, L"BUTTON"},
    {L"combobox", Always, dckComboBox, L"COMBOBOX"},
    {L"combolbox", Always, dckEdit, L"COMBOBOX"},
    {L"comboboxex32", Always, dckComboBox, L"COMBOBOX"},
    {L"scrollbar", Always, dckSizer, L"CHECKBOX"},
    {L"systabcontrol32", OwnTabs, dckTabControl, L"PAGECONTROL"},
    {L"syslistview32", Always, dckListView, L"EDIT"},
    {L"msctls_updown32", Always, dckSpin, L"SPEEDBUTTON_SMALL"},
    {L"listbox", Always, dckEdit, L"EDIT"},
    {L"link window", Always, dckLink, L"CHECKBOX"},
    {L"syslink", Always, dckLink, L"CHECKBOX"},
    {L"toolbarwindow32", WrapableBar, dckToolBar, L"BAR"},
    {L"toolbarwindow32", Always, dckToolBar, L"CHECKBOX"},
    {L"systreeview32", Always, dckTreeView, L"EDIT"},
    {L"shbrowseforfolder", Always, dckTransPanel, L"CHECKBOX"},
};

bool Editable(const fw::String& c) {
    return c == L"edit" || c == L"combobox" || c == L"combolbox" || c == L"comboboxex32";
}

}  // namespace

TacDialogCtrlChoice ChooseDialogWrapper(const fw::String& LowerClass, LONG Style, bool Visible) {
    TacDialogCtrlChoice choice;
    // An invisible edit gets no wrapper, yet the dialog still paints itself.
    choice.AllowsDialogPaint = Editable(LowerClass);
    for (const Row& r : kRows) {
        if (LowerClass != r.Class || !r.Test(Style, Visible)) continue;
        choice.Kind = r.Kind;
        choice.Section = r.Section;
        break;
    }
    return choice;
}

TacMainWnd* MakeDialogWrapper(const TacDialogCtrlChoice& Choice, HWND Handle, TsSkinManager* SkinManager) {
    const fw::String section = Choice.Section;
    switch (Choice.Kind) {
        case dckIcon:
            return CreateWnd<TacIconWnd>(true, Handle, nullptr, SkinManager, section);
        case dckStatic:
            return CreateWnd<TacStaticWnd>(true, Handle, nullptr, SkinManager, section);
        case dckEdit:
            return CreateWnd<TacEditWnd>(true, Handle, nullptr, SkinManager, section);
        case dckButton:
            return CreateButtonWnd(Handle, nullptr, SkinManager);
        case dckComboBox:
            return CreateWnd<TacComboBoxWnd>(true, Handle, nullptr, SkinManager, section);
        case dckLink:
            return CreateWnd<TacLinkWnd>(true, Handle, nullptr, SkinManager, section);
        case dckTransPanel:
            return CreateTransPanelWnd(Handle, nullptr, SkinManager, section);
        case dckDlgPanel:
            return CreateDlgPanelWnd(Handle, nullptr, SkinManager);
        case dckSizer:
            return CreateSizerWnd(Handle, nullptr, SkinManager, section);
        case dckTabControl:
            return CreateTabWnd(Handle, nullptr, SkinManager);
        case dckListView:
            return CreateListViewWnd(Handle, nullptr, SkinManager, section);
        case dckSpin:
            return CreateSpinWnd(Handle, nullptr, SkinManager, section, 2);
        case dckToolBar:
            return CreateToolBarWnd(Handle, nullptr, SkinManager, section);
        case dckTreeView:
            return CreateTreeViewWnd(Handle, nullptr, SkinManager, section);
        default:
            return nullptr;
    }
}

}  // namespace skin
