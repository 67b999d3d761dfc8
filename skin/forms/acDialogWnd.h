// The skinned frame of a foreign top-level dialog (a window of class
// "#32770": message boxes, open and save dialogs): title bar with the
// dialog's icon, caption and its own title buttons, skinned borders, a
// window region cut from the skin's border images, and the client
// background from the skin. It subclasses the dialog like every window
// wrapper and passes on what it does not take over.
//
// The frame is a form's frame: the dialog is described as a TFrameState and
// measured, laid out, hit-tested, cut and painted by the same routines as a
// skinned form (sFrameGeometry, sTitleButtons, sFrameHitTest, sFrameRegion,
// sFramePaint), from the skin's "DIALOG" section.
//
// Its window menu is the library's own (TacSystemMenu of sSysMenu).
//
// Title buttons fade through acSBAnimation while glowing is allowed.
//
// With the skin's extended borders the frame and its shadow are shown by a
// border window behind the dialog (TacBorderForm, acDialogExBorders.cpp);
// the dialog then keeps only its client area.

#pragma once

#include <windows.h>

#include "skin/engine/sFormSkinningBase.h"
#include "skin/forms/acBorderOwner.h"
#include "skin/forms/sFrameGeometry.h"
#include "skin/paint/sRegions.h"
#include "skin/windows/acScrollWnd.h"

namespace skin {

class TacSystemMenu;

enum TacBorderStyle { acbsDialog, acbsSingle, acbsNone, acbsSizeable, acbsToolWindow, acbsSizeToolWin };

// The border style a dialog's styles give: a popup without the full caption
// none, a thick frame sizeable, a modal frame dialog, anything else sizeable.
TacBorderStyle DialogBorderStyle(DWORD Style);
// The dialog seen as a form's frame: the border style, the title buttons of
// its saved styles (Style, ExStyle: before WS_SYSMENU was taken) and its
// window as it is now (Wnd, when given).
TFrameState DialogFrameState(HWND Wnd, DWORD Style, DWORD ExStyle, TacBorderStyle BorderStyle, bool Active);

// Set while a region is given to a dialog: the frame painting that causes
// does not build the region again.
bool RgnUpdating();

class TacDialogWnd : public TacScrollWnd, public TacDialogWndBase, public TacBorderOwner {
public:
    TacDialogWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    ~TacDialogWnd() override;
    fw::String ClassName() const override { return L"TacDialogWnd"; }
    void acWndProc(fw::TMessage& Message) override;
    // The window method without what the border window adds around it.
    void DialogWndProc(fw::TMessage& Message);

    // ---- what the engine and the painting reach
    HWND DialogHandle() const override { return CtrlHandle; }
    TsCommonData* DialogSkinData() const override { return SkinData; }
    bool DialogDestroyed() const override { return Destroyed; }
    void PaintAll() override;
    int OffsetX() const override;
    int OffsetY() const override;
    int CaptionHeight(bool CheckSkin) const override;
    void UpdateRgn(bool Repaint) override;

    // Styles, border style, icon and buttons; takes WS_SYSMENU away.
    void InitParams();
    // The window's style changed: saved styles, border style and buttons follow.
    void StyleChanged();
    // The skin's items again (a new skin, a refresh).
    void UpdateIndexes();
    TFrameState State() const override;
    const TFrameMetrics& Metrics() const override { return FMetrics; }
    const TFrameSkin& FrameSkin() const override { return FFrameSkin; }

    // ---- extended borders (acDialogExBorders.cpp)
    // Makes the border window (Active: the manager's ExtendedBorders) for a
    // dialog with a border, or frees it; the cache is 32-bit while it lives.
    void InitExBorders(bool Active);
    TExBorders ExBorders() const override;
    fw::TRect ShadowSize() const override { return TacDialogWndBase::ShadowSize(); }
    TTitleButtons& CaptionButtons() override { return Buttons; }
    // Frees the fades of the title buttons.
    void KillAnimations() override;
    void UpdateSysMenu() override;
    bool ExBordersFollow() override;

    // ---- title buttons
    TsCaptionButton* ButtonOf(int HitCode) override;
    int HTProcess(fw::TMessage& Message);
    void SetHotHT(int HitCode, bool Repaint = true) override;
    void SetPressedHT(int HitCode);
    void RepaintButton(int HitCode) override;
    // The library's window menu at the screen point.
    void DropSysMenu(int X, int Y);
    TacSystemMenu* SystemMenu = nullptr;  // owned

    // ---- painting
    void PaintCaption(HDC DC);
    void PaintForm(HDC DC);
    void Ac_WMPaint(HDC GivenDC);
    void Ac_WMNCPaint();
    // The one brush the dialog's background answer gives (deleted with the
    // wrapper, made again when the skin's colour changes).
    HBRUSH DialogBrush();

    TAOR ArOR;
    int CurrentHT = 0;
    bool FFormActive = true;
    bool FWMPaintForbidden = false;
    int FCaptionSkinIndex = -1;
    bool Initialized = false;
    TTitleButtons Buttons;
    HICON TitleIcon = nullptr;  // borrowed from the dialog
    DWORD dwStyle = 0, dwExStyle = 0;
    bool RgnChanged = true;
    TacBorderStyle BorderStyle = acbsSingle;
    // The title strip as it is under the buttons, filled at every full paint.
    fw::TBitmap* TempBmp = nullptr;

private:
    // The parts of DialogWndProc, by the messages they take; false: the
    // message goes on to the scroll wrapper.
    bool WindowStateMessage(fw::TMessage& Message, TsSkinManager* m, bool visible);
    bool PaintMessage(fw::TMessage& Message, bool visible);
    bool FrameMouseMessage(fw::TMessage& Message);
    // What the border window needs of the dialog's messages: before its
    // own handling (true: taken over) and after it.
    bool ExBordersBefore(fw::TMessage& Message);
    void ExBordersAfter(fw::TMessage& Message);
    void PassOnHidden(fw::TMessage& Message);
    bool Ac_WMNCLButtonDown(fw::TMessage& Message);
    void Ac_WMNCLButtonUp(fw::TMessage& Message);
    void Ac_WMNCLButtonDblClk(fw::TMessage& Message);
    void AlphaMessage(fw::TMessage& Message);
    void Redraw();

    TFrameMetrics FMetrics;
    TFrameSkin FFrameSkin;
    fw::TBitmap* FGlow1 = nullptr;
    fw::TBitmap* FGlow2 = nullptr;
    HBRUSH FBrush = nullptr;
    COLORREF FBrushColor = 0;
};

}  // namespace skin
