// The wrapper that gives a window skinned scroll bars: it takes the bars out
// of the window's own frame calculation, reserves their room, answers hit
// tests over them and paints them from the skin; the window keeps its real
// scroll state and gets WM_HSCROLL / WM_VSCROLL as from standard bars.
//
// Wine draws the standard bars by style whenever its default frame painting
// runs and whenever a control changes its scroll state (skin/windows
// README), so the wrapper runs the default WM_NCPAINT without the bar bits
// and repaints its bars after any message that changed the scroll state.
#pragma once

#include <memory>

#include "skin/windows/acMainWnd.h"
#include "skin/windows/acScrollGeometry.h"

namespace skin {

struct TacBarLook;

class TacScrollWnd : public TacMainWnd {
public:
    using TacMainWnd::TacMainWnd;
    ~TacScrollWnd() override;
    fw::String ClassName() const override { return L"TacScrollWnd"; }
    void AfterCreate(bool Repaint) override;
    void acWndProc(fw::TMessage& Message) override;

    std::unique_ptr<TacScrollBar> sBarHorz, sBarVert;
    bool fThumbTracking = false;
    TacFrameEdges Edges;  // the window's own border widths and bar side
    bool bPreventStyleChange = false;
    // While a default handling runs with the bar bits taken off the style
    // (see WithoutBarStyles): the bits the window really has. Whatever runs
    // meanwhile (a region set, a resize, the form's own scroll code) reads
    // the style without them.
    bool HoldingBars = false;
    LONG_PTR HeldBars = 0;
    // The window's style with the bar bits it really has, held off or not.
    LONG_PTR RealStyle() const;
    // The scroll state each bar was last painted with.
    SCROLLINFO Painted[2] = {};

    TacScrollBar* Bar(int nBar) const { return nBar == SB_HORZ ? sBarHorz.get() : sBarVert.get(); }
    // A combo box's dropped-down list: it needs the mouse capture until it
    // closes up, so a press on its bars leaves the capture to it and the
    // release is not handed on.
    virtual bool IsDroppedList() const { return false; }

private:
    // The scroll state changed behind the bars' back: they are painted again.
    void RepaintIfScrolled(UINT Msg);
    bool repainting_ = false;
};

// Attaching and detaching.
void InitializeACScrolls(TacScrollWnd* sw, HWND Handle, bool Repaint);
void UninitializeACScroll(HWND Handle, bool Free, bool Repaint, TacScrollWnd*& sw);
// A new wrapper for a window that has none yet (nil when it has).
TacScrollWnd* HookScrollWnd(HWND Handle, TsSkinManager* SkinManager, TsCommonData* SkinData);
void InitControl(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager);
// Keeps a skinned control's scroll wrapper in step with its skin.
void RefreshScrolls(TsCommonData* SkinData, TacScrollWnd*& ListSW);
// The same for Owner's window, whose skin data may belong to another object
// (a form's skin provider): the wrapper is made while SkinData is skinned.
void RefreshScrolls(fw::TWinControl* Owner, TsCommonData* SkinData, TacScrollWnd*& ListSW);
// Both bars' scroll state read again; with Repaint the bars painted.
void UpdateScrolls(TacScrollWnd* sw, bool Repaint);

// RefreshScrolls for a control that keeps a wrapper of class W (an edit's,
// a tree view's) and no flat bars: made while the skin data is skinned (one
// left Destroyed is replaced), freed when not. The control's state is not
// asked: its owner calls this when it is ready.
template <class W>
void RefreshScrollsAs(TsCommonData* SkinData, TacScrollWnd*& ListSW) {
    auto* owner = SkinData ? dynamic_cast<fw::TWinControl*>(SkinData->FOwnerControl) : nullptr;
    if (!owner) return;
    if (SkinData->Skinned()) {
        if (ListSW && ListSW->Destroyed) {
            delete ListSW;
            ListSW = nullptr;
        }
        if (!ListSW)
            ListSW = CreateWnd<W>(true, owner->Handle(), SkinData, SkinData->GetSkinManager(), SkinData->SkinSection());
    } else {
        delete ListSW;
        ListSW = nullptr;
    }
}

// Settings of a wrapped window's bars (SB_HORZ, SB_VERT or SB_BOTH).
bool Scrolls_SetStyle(HWND Handle, int wBar, int Style);
bool Ac_SetMinThumbSize(HWND Handle, WORD wBar, WORD Size);
TacScrollWnd* Ac_GetScrollWndFromHwnd(HWND Handle);
TacScrollBar* Ac_GetScrollBarFromHwnd(HWND Handle, WORD nBar);
// FrameChanged: the frame calculated again; else WM_NCPAINT.
void Ac_RedrawNonClient(HWND Handle, bool FrameChanged);
bool Ac_ShowScrollBar(HWND Handle, int wBar, bool Show);
int Ac_SetScrollInfo(HWND Handle, int nBar, const SCROLLINFO& si, bool Redraw);

// The bars' screen rectangles and whether a bar can be used, from the window.
int AC_GetHScrollRect(TacScrollWnd* sw, HWND Handle, fw::TRect& R);
void AC_GetVScrollRect(TacScrollWnd* sw, HWND Handle, fw::TRect& R);
bool IsInParentCorner(TacScrollWnd* sw, HWND Handle, const fw::TRect& R);
bool Ac_IsScrollbarActive(TacScrollWnd* sw, const TacScrollBar& Bar);
// The screen rectangle of bar nBar of the wrapper's window.
fw::TRect BarScreenRect(TacScrollWnd* sw, int nBar);

// Non-client messages.
LRESULT Ac_NCCalcSize(TacScrollWnd* sw, HWND Handle, WPARAM WParam, LPARAM LParam);
LRESULT Ac_NCHitTest(TacScrollWnd* sw, HWND Handle, WPARAM WParam, LPARAM LParam);
LRESULT Ac_StyleChange(TacScrollWnd* sw, HWND Handle, WPARAM WParam, LPARAM LParam);

// Paints both bars and the square between them into DC (0: the window DC);
// ThumbPos -1 places the thumb from the scroll state.
void Ac_NCPaint(TacScrollWnd* sw, HWND Handle, WPARAM WParam, LPARAM LParam, int ThumbPos, HDC DC);
// One bar at R (window coordinates) with the part Pressed pressed.
bool Ac_NCDrawScrollbar(TacScrollWnd* sw, int nBar, HWND Handle, HDC DC, const fw::TRect& R, int Pressed, int ThumbPos);
// One bar in the given look at R (window coordinates), whatever the state.
bool DrawBarLook(TacScrollWnd* sw, int nBar, HWND Handle, HDC DC, const fw::TRect& R, const TacBarLook& Look);
// The background behind a rectangle of the window (window coordinates).
TCacheInfo WindowBackground(TacScrollWnd* sw, HWND Handle, const fw::TRect& R, TacBGInfo& Keep);

}  // namespace skin
