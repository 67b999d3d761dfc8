// The skin provider: the object that skins one form. It takes over the
// form's window method (NewWndProc), paints the whole window into the cache
// of its skin data (frame from sFramePaint, client background from the form
// section), copies the frame and the client from there, answers hit tests,
// runs the title buttons and carries out what the system would do with the
// mouse on the title bar.
//
// There is at most one provider per form. Run-time providers (CreateRT, made
// for every form the library meets) initialise at the first non-client hit
// test, non-client paint or showing (LoadInit). A second provider for a form
// that already has one stays inert (RTEmpty); one for a form whose earlier
// run-time provider never initialised replaces it.
//
// The control adapter (sCtrlAdapter) wraps the form's foreign controls.
//
// The window menu is the library's own (sSysMenu) while the manager skins
// popup menus, else the system's.
//
// Not here yet: menu lines, MDI, extended borders, user
// title buttons, the added title's drawing and caption-button animations,
// outline moving and sizing (ResizeMode keeps the platform's own move and
// size loop).
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Messages.h"
#include "skin/engine/FormSkinningStandIns.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/acBorderOwner.h"
#include "skin/forms/sCtrlAdapter.h"
#include "skin/forms/sExBorderGeometry.h"
#include "skin/forms/sFrameGeometry.h"
#include "skin/forms/sFramePaint.h"
#include "skin/forms/sTitleItems.h"

namespace skin {

class TacScrollWnd;
class TsSystemMenu;

enum TsResizeMode { rmStandard, rmBorder };

// Private messages: the region query a window may answer to keep its own
// region.
constexpr UINT msgRegionQuery = 0xBC4D;
constexpr LRESULT msgKeepRegionValue = 0x41A2;
// The system's request for the window menu at the cursor (from the taskbar).
constexpr UINT WM_POPUPSYSTEMMENU_ = 0x0313;

class TsSkinProvider : public TsSkinProviderBase, public TacBorderOwner {
public:
    // Raises EAbort when AOwner is not a form.
    explicit TsSkinProvider(fw::TComponent* AOwner);
    // The provider the window-creation hook makes: initialises later (RTInit).
    // InitRT is not read.
    static TsSkinProvider* CreateRT(fw::TComponent* AOwner, bool InitRT = true);
    ~TsSkinProvider() override;
    fw::String ClassName() const override { return L"TsSkinProvider"; }

    void AfterConstruction() override;
    void Loaded() override;
    void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

    // ---- initialisation
    void LoadInit();
    void PrepareForm();
    // Takes WS_SYSMENU from a form that draws its own title buttons (Value:
    // the skin is active) and gives it back otherwise.
    void CheckSysMenu(bool Value);
    // Makes the extended-border window (Value: the manager's ExtendedBorders)
    // for a bordered top-level form that allows it, or frees it; the cache
    // becomes 32-bit with it and 24-bit again without (sProviderExBorders).
    void InitExBorders(bool Value);
    bool AllowExtBorders() const { return FAllowExtBorders; }
    void SetAllowExtBorders(bool Value);
    // The skin's extended sizes and shadow while a border window exists.
    TExBorders ExBorders() const override;
    void KillAnimations() override {}
    // The form's own skinned scroll bars (ListSW), for a form with
    // AutoScroll: made while skinned, dropped when not.
    void RefreshFormScrollWrapper();

    // ---- published properties
    fw::TAlignment CaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(fw::TAlignment Value);
    void SetDrawNonClientArea(bool Value);
    TsGripMode GripMode() const { return FGripMode; }
    void SetGripMode(TsGripMode Value) { FGripMode = Value; }
    bool ShowAppIcon() const { return FShowAppIcon; }
    void SetShowAppIcon(bool Value);
    const fw::String& TitleSkin() const { return FTitleSkin; }
    void SetTitleSkin(const fw::String& Value);
    bool UseGlobalColor() const { return FUseGlobalColor; }
    void SetUseGlobalColor(bool Value);
    TsResizeMode ResizeMode() const { return FResizeMode; }
    void SetResizeMode(TsResizeMode Value) { FResizeMode = Value; }
    bool ScreenSnap() const { return FScreenSnap; }
    void SetScreenSnap(bool Value) { FScreenSnap = Value; }
    int SnapBuffer() const { return FSnapBuffer; }
    void SetSnapBuffer(int Value) { FSnapBuffer = Value; }
    TsTitleIcon* TitleIcon() { return &FTitleIcon; }
    TacAddedTitle* AddedTitle() { return &FAddedTitle; }
    // Stored for the form's owner; the provider's hit test does not call it.
    TacNCHitTest OnExtHitTest;

    // ---- the frame as the measurements see it
    TFrameState State() const override;
    const TFrameSkin& FrameSkin() const override { return FFrameSkin; }
    const TFrameMetrics& Metrics() const override { return FMetrics; }
    bool Skinned() const;

    // ---- TsSkinProviderBase
    void PaintAll() override;
    int OffsetX() const override;
    int OffsetY() const override;
    int CaptionHeight(bool CheckSkin) const override;
    void FillArOR() override;
    HRGN GetRgnFromArOR(int X, int Y) override;
    void UpdateRgn(bool Repaint) override;

    // ---- painting
    // The skinned background colour of the client area.
    fw::TColor FormColor() const;
    // No cache, or one of another size than the window's image.
    bool FormChanged() const;
    // Brings the cache up to date and copies the frame strips to DC.
    void PaintCaption(HDC DC);
    void AC_WMNCPaint();
    void PaintForm(HDC DC, bool SendUpdated);
    void AC_WMEraseBkGnd(HDC DC);
    void OurPaintHandler(fw::TMessage& Message);

    // ---- the window method that stands before the form's own
    void NewWndProc(fw::TMessage& Message);
    int HTProcess(fw::TMessage& Message);
    // A wheel turn nobody used goes to the skinned scroll box under the mouse.
    void AC_CMMouseWheel(fw::TMessage& Message);

    // ---- title buttons
    void SetHotHT(int HitCode, bool Repaint = true) override;
    void SetPressedHT(int HitCode);
    void RepaintButton(int HitCode);
    TsCaptionButton* ButtonOf(int HitCode);
    // Shows the window menu with its top-left at the screen point: the
    // library's own while the manager skins popup menus, else the system's.
    void DropSysMenu(int X, int Y);
    // The library's window menu (made by PrepareForm; owned).
    TsSystemMenu* SystemMenu = nullptr;

    // ---- the control adapter (sProviderAdapter.cpp)
    TacCtrlAdapter* Adapter = nullptr;  // owned
    TAddItemEvent OnSkinItem;
    // Makes the adapter and lets it walk the form (skinned only).
    virtual void AdapterCreate();
    void AdapterRemove();
    void SendToAdapter(fw::TMessage& Message);
    // What the adapter does of the messages of the skinned form: before the
    // form handles one, after it, and at a skin change.
    void AdapterBefore(fw::TMessage& Message);
    void AdapterAfter(fw::TMessage& Message);
    void AdapterSkinChange(fw::TMessage& Message);

    // ---- state (public as the library's other parts read it)
    bool RTInit = false;
    bool RTEmpty = false;
    bool FormActive = false;
    bool HaveSysMenu = false;
    bool RgnChanged = true;
    bool RgnChanging = false;
    bool FirstInitialized = false;
    bool InMenu = false;
    bool fAnimating = false;
    bool SkipAnimation = false;
    bool ControlsChanged = false;
    TShowAction ShowAction = saIgnore;
    int CurrentHT = 0;
    int LockCount = 0;
    fw::TWndMethod OldWndProc;
    TTitleButtons Buttons;
    fw::TRect LastClientRect;
    fw::TBitmap* TempBmp = nullptr;  // the title strip under the buttons
    fw::TBitmap* FGlow1 = nullptr;
    fw::TBitmap* FGlow2 = nullptr;
    // Set while a title button is pressed; a command runs at button-up only
    // then.
    bool ButtonPressed = false;
    TacScrollWnd* ListSW = nullptr;  // owned

    // ---- TacBorderOwner (sProviderExBorders)
    fw::TRect ShadowSize() const override { return TsSkinProviderBase::ShadowSize(); }
    TTitleButtons& TitleButtons() override { return Buttons; }
    void UpdateSysMenu() override;
    bool ExBordersFollow() override;
    BYTE ExBordersAlpha(BYTE Blend) const override;
    int ExtHitTest(const fw::TMessage& Message) override;
    bool OwnerModal() const override;

private:
    // The frame and shadow into the 32-bit cache of a form with a border
    // window; what the border window does of the form's messages.
    void PaintExFrame(const TFrameContent& Content);
    void ExBordersBefore(fw::TMessage& Message);
    void ExBordersAfter(fw::TMessage& Message);
    bool FAllowExtBorders = true;

    void SkinChangeMessage(fw::TMessage& Message);
    void RemoveSkin(fw::TMessage& Message);
    void NewSkinUnskinned(fw::TMessage& Message);
    void UpdateSkinIndexes();
    void ApplyGlobalColor();
    void RepaintFrame();
    // Passes Message on with WS_VISIBLE taken away meanwhile, so the
    // platform's default handling draws no frame of its own.
    void PassOnHidden(fw::TMessage& Message);
    void PassOn(fw::TMessage& Message);
    bool Showing() const;
    bool Destroying() const;

    // The window messages of the skinned state, by group.
    bool SkinnedMessage(fw::TMessage& Message);
    void WMNCActivate(fw::TMessage& Message);
    void WMSetText(fw::TMessage& Message);
    void WMShowWindow(fw::TMessage& Message);
    void WMSize(fw::TMessage& Message);
    void WMNCPaint(fw::TMessage& Message);
    void WMPaint(fw::TMessage& Message);
    void WMEraseBkgnd(fw::TMessage& Message);
    void WMPrint(fw::TMessage& Message);
    void WMNCLButtonDown(fw::TMessage& Message);
    void WMNCLButtonUp(fw::TMessage& Message);
    void WMNCLButtonDblClk(fw::TMessage& Message);
    void WMSysCommand(fw::TMessage& Message);
    void WMWindowPosChanging(fw::TMessage& Message);
    void WMShowingChanged(fw::TMessage& Message);
    void WMWindowPosChanged(fw::TMessage& Message);
    // The hide animation of a form whose provider is not skinned (or whose
    // form is going), after the message went on.
    void UnskinnedWindowPosChanged(fw::TMessage& Message);
    void WMParentNotify(fw::TMessage& Message);

    fw::TAlignment FCaptionAlignment = fw::taLeftJustify;
    TsGripMode FGripMode = gmNone;
    bool FShowAppIcon = true;
    fw::String FTitleSkin;
    bool FUseGlobalColor = true;
    TsResizeMode FResizeMode = rmStandard;
    bool FScreenSnap = false;
    int FSnapBuffer = 10;
    TFrameSkin FFrameSkin;
    TFrameMetrics FMetrics;
    TsTitleIcon FTitleIcon;
    TacAddedTitle FAddedTitle;
    // This provider took the form's window method (not RTEmpty).
    bool Bound = false;
};

// The provider of Form (its answer to smcGetProvider), nil when none.
TsSkinProvider* ProviderOf(fw::TCustomForm* Form);
// Repaints the title of a visible form.
void UpdateSkinCaption(TsSkinProvider* sp);
// The screen place of a moved form pulled onto the edges of the work area
// when closer than Buffer (the left and top edges win); (0, 0) never moves.
POINT SnapToWorkArea(POINT Pos, SIZE Size, const RECT& WorkArea, int Buffer);
// The skinned scroll box that takes a wheel turn at the screen point: the
// windowed control there, searched down through windowed children, when it
// is a "TsScrollBox" whose AutoMouseWheel is on; nil otherwise.
fw::TWinControl* WheelScrollBoxAt(fw::TWinControl* Form, fw::TPoint ScreenPos);
// Makes the skin manager's window-creation hook skin every form (a run-time
// provider) and system dialog (a frame wrapper) it meets.
void InstallFormSkinning();

}  // namespace skin
