// List views ("SysListView32" windows and framework list views): the edit
// frame and skinned bars, the skin's colours in the list, thumb drags that
// scroll by items, and the column header ("SysHeader32") subclassed and
// painted cell by cell from the skin in report view.
//
// The header runs a link made once per wrapper. Removing the skin gives the
// header its own procedure back; a new skin (or a header made later) hooks
// it again through the same link, so the header never runs a freed or empty
// procedure. When another subclasser sits on the header when the wrapper
// lets go, the link stays as a pass-through to the header's old procedure
// and frees itself when the header is destroyed.
#pragma once

#include "framework/windows/ComCtrls.h"
#include "skin/windows/acEditWnd.h"
#include "skin/windows/acHeaderPaint.h"

namespace skin {

class TacHeaderLink;

class TacListViewWnd : public TacEditWnd {
public:
    // Also hooks the list's header when it has one.
    TacListViewWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    ~TacListViewWnd() override;
    fw::String ClassName() const override { return L"TacListViewWnd"; }
    void SaveStdParams() override;
    void RestoreStdParams() override;
    void SetSkinParams() override;
    void acWndProc(fw::TMessage& Message) override;

    // The owner control's view, or the window's (LVM_GETVIEW).
    fw::TViewStyle ViewStyle();
    bool HotTrack() const { return true; }
    // The columns' widths summed (a width beyond 999999 ends the sum).
    int AllColWidth();
    // The header rectangle of the cell at display position Index.
    fw::TRect GetHeaderColumnRect(int Index);
    // The header's window procedure while it is hooked.
    void HeaderWndProc(fw::TMessage& Message);
    // Every cell and the strip after the last into DC (nil: the header's).
    void PaintHeader(HDC DC);
    // Cell R of item cIndex (-2: the strip after the last cell) into DC.
    void ColumnSkinPaint(const fw::TRect& R, int cIndex, HDC DC);
    // The item under a point of the screen, -1 none.
    int HeaderItemAt(POINT Screen);
    // Hooks Header (the one held before is let go); nil: nothing.
    void HookHeader(HWND Header);
    // Gives the held header its own procedure back.
    void UnhookHeader();
    // The list's header window, nil when it has none.
    HWND FindHeader() const;

    HWND FhWndHeader = nullptr;
    WNDPROC FhHeaderProc = nullptr;
    WNDPROC FhDefHeaderProc = nullptr;
    int FPressedColumn = -1;
    int HoverColIndex = -1;
    int ListLineHeight = 0;
    bool FFlag = false;

    fw::TColor StdTextBkColor = 0;

private:
    void RepaintHeader();
    // The header cells printed into DC at their place in the list's window.
    void PrintHeader(HDC DC);
    void ThumbScroll(fw::TMessage& Message, bool Vertical);
    TacHeaderLink* headerLink_ = nullptr;
};

// The wrapper a list view window gets (SkinSection empty: "EDIT").
TacMainWnd* CreateListViewWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager,
                              const fw::String& SkinSection = fw::String());

}  // namespace skin
