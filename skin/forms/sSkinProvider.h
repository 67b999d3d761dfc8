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
// popup menus, else the system's. A form with a main menu shows it as a
// menu line in the skinned frame (sProviderMenuLine): the platform keeps the
// bar, the provider paints it.
//
// With ResizeMode rmBorder a drag on the title or an edge moves or sizes an
// outline (sOutline); the system's own move and size loop runs only for the
// keyboard's Move and Size.
//
// Title buttons fade through acSBAnimation while glowing is allowed (or a
// border window exists); user title buttons (TitleButtons) stand left of the
// system ones.
//
// With the skin's extended borders a border window behind the form shows the
// frame and its shadow (acBorderForm, sProviderExBorders); the menu line
// stays on the form's own window, seen through a hole in the border window.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"
#include "framework/windows/Messages.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/acBorderOwner.h"
#include "skin/forms/sCtrlAdapter.h"
#include "skin/forms/sExBorderGeometry.h"
#include "skin/forms/sFrameGeometry.h"
#include "skin/forms/sFramePaint.h"
#include "skin/forms/sMDIButtons.h"
#include "skin/forms/sTitleItems.h"

namespace skin {

class TacScrollWnd;
class TsSystemMenu;
class TsMDIForm;

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
    TsSkinManager* SkinManager() const override;

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
    // Frees the fades of the system and user title buttons.
    void KillAnimations() override;
    // The form's own skinned scroll bars (ListSW), for a form with
    // AutoScroll: made while skinned, dropped when not.
    void RefreshFormScrollWrapper();

    // ---- published properties
    fw::TAlignment CaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(fw::TAlignment Value);
    void SetDrawNonClientArea(bool Value);
    // The main menu's bar items drawn by the skinned menus (owner-drawn) or
    // by the platform, as the frame is drawn by the skin or not.
    void SkinMenuLine(bool On);
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
    // Read when the window menu drops: it then starts with the skin-selection items.
    bool MakeSkinMenu() const { return FMakeSkinMenu; }
    void SetMakeSkinMenu(bool Value) { FMakeSkinMenu = Value; }
    TacAddedTitle* AddedTitle() { return &FAddedTitle; }
    TsTitleButtons* TitleButtons() { return &FTitleButtons; }
    // The user buttons as the layout reads them, again (the collection
    // changed; Gone: an item leaving it).
    void UserButtonsChanged(fw::TCollectionItem* Gone = nullptr);
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
    // Answers whether the button went pressed (PressTitleButton).
    bool SetPressedHT(int HitCode);
    void RepaintButton(int HitCode) override;
    // The glow around a directly repainted hot minimise, maximise or close
    // button (shown with ImageIndex's glow image while glowing is allowed),
    // hidden in every other state (sProviderTitleGlow).
    void UpdateButtonGlow(TsCaptionButton& Btn, int ImageIndex);
    void HideButtonGlow(TsCaptionButton& Btn);
    void HideTitleGlows();
    TsCaptionButton* ButtonOf(int HitCode) override;
    // The user button of a hit code (HTUDBTN + index), nil for other codes.
    TsTitleButton* UserButtonOf(int HitCode);
    // A user button's hint shown (at the cursor) or freed.
    void UserButtonHint(int HitCode, bool Show);
    // Shows the window menu with its top-left at the screen point: the
    // library's own while the manager skins popup menus, else the system's.
    void DropSysMenu(int X, int Y);
    // The library's window menu (made by PrepareForm; owned).
    TsSystemMenu* SystemMenu = nullptr;

    // ---- outline moving and sizing (sProviderOutline.cpp): each does
    // nothing unless ResizeMode is rmBorder. X, Y: screen coordinates.
    void StartMove(int X, int Y);
    void StopMove(int X, int Y);
    void DrawFormBorder(int X, int Y);
    // A double click (on the form or its border window) ends a running
    // outline drag at (X, Y) and clears DoStartMove.
    void EndOutline(int X, int Y);

    // ---- the menu line of a form with a main menu (sProviderMenuLine.cpp)
    // The section the line is painted with ("MENULINE" when empty or missing).
    const fw::String& MenuLineSkin() const { return FMenuLineSkin; }
    void SetMenuLineSkin(const fw::String& Value);
    // Rows of the menu line, counted from the bar's first item (cached).
    int LinesCount() const;
    // The form has a main menu with a visible top item.
    bool MenuPresent() const;
    // Hooks (A) or unhooks the form's menus for skinned drawing.
    void InitMenuItems(bool A);
    // Makes the platform measure the menu bar again; false while one runs.
    bool UpdateMenu();
    // The line repainted from scratch at the next frame painting.
    void RepaintMenu();
    // The line's section and its items into the window image.
    void PaintMenuLine(fw::TBitmap* Cache);
    // One item drawn again in State, into the image and onto the window.
    void RepaintMenuItem(fw::TMenuItem* Item, const fw::TRect& R, fw::TOwnerDrawState State);
    // The line's band in the window image, and an item's place in the line's
    // own image (ItemRect in the form's window coordinates when OnWindow,
    // else in the image's); they differ only with a border window
    // (sProviderExBorders.cpp).
    fw::TRect MenuLineBand() const;
    fw::TPoint MenuLineOrigin(const fw::TRect& ItemRect, bool OnWindow) const;
    // Where the form's window lies in the window image: (0, 0) but with a
    // border window, whose image reaches beyond it.
    fw::TPoint FormInImage() const;
    // The copy of the painted line the items are drawn over.
    std::unique_ptr<fw::TBitmap> MenuLineBmp;
    mutable int FLinesCount = -1;
    bool MenuChanged = true;
    bool MenusInitialized = false;

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
    std::unique_ptr<fw::TBitmap> TempBmp;  // the title strip under the buttons
    fw::TBitmap* FGlow1 = nullptr;
    fw::TBitmap* FGlow2 = nullptr;
    // Set while a title button is pressed; a command runs at button-up only
    // then.
    bool ButtonPressed = false;
    bool TrackingLeave = false;      // SetHotHT asks for the mouse leaving the frame
    TacScrollWnd* ListSW = nullptr;  // owned

    // ---- MDI (sProviderMDI.cpp)
    // Active: an MDI parent gets its companion (and this provider becomes the
    // MDI parent's provider); else the companion and its client wrapper go.
    void HookMDI(bool Active);
    TsMDIForm* MDIForm = nullptr;  // owned
    // A maximised child's buttons in the last menu line, and the line's
    // image under them (for repainting one button).
    TMDIButtons MDIButtons;
    bool MDIButtonsShown = false;
    std::unique_ptr<fw::TBitmap> MDIButtonsBG;
    // Lays out and draws the MDI buttons into the window image when they are
    // needed; the menu line's painting runs before it.
    void PaintMDILineButtons();
    // The menu line drawn again (the buttons come or go with a maximised child).
    void RepaintMDIMenuLine();
    // An MDI child behind another child that is maximised: its frame and
    // client are not painted (nor is any child's frame while one made under
    // a maximised child has not painted yet, MDIMaxChildCreated).
    bool MDIPaintSkipped() const;

    // ---- an MDI parent's menu line and menu loop (sProviderMDIMenu.cpp)
    // The "acMDIIcons" window's painting: the window image where it lies.
    void MdiIcoFormPaint(fw::TObject* Sender);
    // WM_ENTERMENULOOP, WM_EXITMENULOOP and WM_CHILDACTIVATE.
    void MDIMenuMessage(fw::TMessage& Message);
    // An MDI parent keeps its image while its maximised active child is
    // being shown and the menu changes under it.
    bool MDIPaintHeld() const;

    // ---- TacBorderOwner (sProviderExBorders)
    fw::TRect ShadowSize() const override { return TsSkinProviderBase::ShadowSize(); }
    TTitleButtons& CaptionButtons() override { return Buttons; }
    void UpdateSysMenu() override;
    bool ExBordersFollow() override;
    BYTE ExBordersAlpha(BYTE Blend) const override;
    int ExtHitTest(const fw::TMessage& Message) override;
    bool OwnerModal() const override;

private:
    // The MDI side of a message, after the form handled it (skinned or not).
    void MDIAfter(fw::TMessage& Message);
    // An MDI child's or parent's system command (sProviderMDIChild.cpp);
    // false for other forms.
    bool MDISysCommand(fw::TMessage& Message);
    void MDIChildSysCommand(fw::TMessage& Message);
    // WM_MDIACTIVATE and WM_MDIDESTROY of an MDI child.
    void MDIChildActivate(fw::TMessage& Message);
    // The caption of a maximised MDI child, shown in its parent's title.
    bool MDIChildSetText(fw::TMessage& Message);
    // What an MDI child's activation changes in its parent and siblings.
    void MDIChildActivated();
    // An MDI child activated while it is being shown: its window menu made,
    // the parent's line and client repainted.
    void MDIChildShownActive();
    // The parent's line and client once an MDI child's window is gone.
    void MDIChildGone(TsSkinProvider* Parent);
    // The client painting of an MDI parent and child (the flag of a child
    // made under a maximised one ends at its first painting).
    void MDIChildFirstPaint(bool Erase);
    // The parent's MDI area in the window image.
    void PaintMDIArea();
    // The system-menu point of an MDI child's icon (screen).
    fw::TPoint MDIChildMenuPoint() const;
    // An iconic MDI child's window menu at a release on it; true when dropped.
    bool IconicMDIChildMenu(fw::TMessage& Message);
    // The outline of an MDI child is kept in its client's coordinates; this
    // moves it onto the screen.
    fw::TPoint OutlineShift() const;
    // The frame is painted again when the buttons would come or go.
    void CheckMDIButtons();
    void RepaintMDIButton(int HitCode);
    bool MDIButtonDown(int HitCode);
    void MDIButtonUp(int HitCode, bool Pressed);
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

    // The window messages of the skinned state, by group (each false for a
    // message it leaves to the form's own method, or does not take).
    bool SkinnedMessage(fw::TMessage& Message);
    bool WindowPlaceMessage(fw::TMessage& Message);
    bool WindowStateMessage(fw::TMessage& Message);
    bool MenuMessage(fw::TMessage& Message);
    bool PaintMessage(fw::TMessage& Message);
    bool FrameMouseMessage(fw::TMessage& Message);
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
    // The outline's parts of the mouse and system-command messages; true
    // when the message is answered.
    bool OutlineSysCommand(fw::TMessage& Message);
    bool OutlineNCButtonDown(fw::TMessage& Message);
    void OutlineMouseMove(fw::TMessage& Message);
    bool OutlineButtonUp(fw::TMessage& Message, bool Client);
    void NoteSizingHit(int Code);
    // Set while the provider itself starts an outline with SC_MOVE or SC_SIZE.
    bool FOutlineStarting = false;
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
    bool FMakeSkinMenu = false;
    fw::String FMenuLineSkin;
    // The MDI parent's step before the bar's items: the maximised child's
    // icon at the line's start (the bar's items, merged ones too, are drawn
    // where the platform laid them out; the MDI buttons come after the line).
    void PaintMDIMenuLine(fw::TBitmap* Cache, int& X);
    TFrameSkin FFrameSkin;
    TFrameMetrics FMetrics;
    TsTitleIcon FTitleIcon;
    TacAddedTitle FAddedTitle;
    TsTitleButtons FTitleButtons{this};
    // This provider took the form's window method (not RTEmpty).
    bool Bound = false;
};

// The provider of Form (its answer to smcGetProvider), nil when none.
TsSkinProvider* ProviderOf(fw::TCustomForm* Form);
// Repaints the title of a visible form.
void UpdateSkinCaption(TsSkinProvider* sp);
// The screen place of a moved form pulled onto the edges of the work area
// when closer than Buffer (the left and top edges win); (0, 0) never moves.
// With a border window the frame it adds (DiffBorder at the sides and the
// bottom, DiffTitle at the top) is what meets the edges.
POINT SnapToWorkArea(POINT Pos, SIZE Size, const RECT& WorkArea, int Buffer, int DiffBorder = 0, int DiffTitle = 0);
// The skinned scroll box that takes a wheel turn at the screen point: the
// windowed control there, searched down through windowed children, when it
// is a "TsScrollBox" whose AutoMouseWheel is on; nil otherwise.
fw::TWinControl* WheelScrollBoxAt(fw::TWinControl* Form, fw::TPoint ScreenPos);
// Makes the skin manager's window-creation hook skin every form (a run-time
// provider) and system dialog (a frame wrapper) it meets. Runs at start-up of
// every program that links this library; calling it again changes nothing.
void InstallFormSkinning();

}  // namespace skin
