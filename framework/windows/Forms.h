// Forms: the top-level windows. A form is a windowed control without a
// parent; its border, state, position and modal loop are its own.
//
// Life of a form built in code: the constructor (a subclass builds its
// components between BeginLoading(this) and EndLoading(this)), then
// AfterConstruction runs OnCreate. Application->CreateForm and Create<T>()
// do both steps. Close with caFree releases the form: it is destroyed later,
// from the message loop, so a form may close itself from its own handlers.
//
// Border table (CreateParams and in-place changes use the same one):
//   bsNone        WS_POPUP                                no border icons
//   bsSingle      WS_CAPTION                              (WS_CAPTION holds WS_BORDER)
//   bsSizeable    WS_CAPTION | WS_THICKFRAME
//   bsDialog      WS_POPUP | WS_CAPTION | DS_MODALFRAME,
//                 ex WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE   icons: biSystemMenu, biHelp only
//   bsToolWindow  WS_CAPTION, ex WS_EX_TOOLWINDOW             icons: biSystemMenu only
//   bsSizeToolWin WS_CAPTION | WS_THICKFRAME, ex WS_EX_TOOLWINDOW  icons: biSystemMenu only
// Icons (what is left of BorderIcons after the limit above): biSystemMenu
// WS_SYSMENU, biMinimize WS_MINIMIZEBOX, biMaximize WS_MAXIMIZEBOX, biHelp
// WS_EX_CONTEXTHELP when neither box is there. fsStayOnTop adds WS_EX_TOPMOST.
//
// MDI: an fsMDIForm makes an "MDICLIENT" window (ClientHandle) in the client
// area its aligned controls leave free, and its default handler is
// DefFrameProc. An fsMDIChild's window is made by that client (WM_MDICREATE)
// with the border table's styles and WS_CHILD, and its default handler is
// DefMDIChildProc; WM_MDIACTIVATE makes it Active. The MDI parent of a child
// is the main form when that is an MDI form, else the first MDI form on the
// screen. Closing an MDI child minimises it (caMinimize) when it has
// biMinimize, else does nothing (caNone), unless OnClose decides otherwise.
// The application's loop hands the MDI keys (Ctrl+F4, Ctrl+F6) to the main
// form's client while that form is active.
//
// Menu: the form's TMainMenu is the window's menu bar (not for MDI children);
// the form passes the menu's WM_COMMAND, WM_MEASUREITEM and WM_DRAWITEM to it.
// An MDI child's menu is merged into its MDI parent's bar while the child is
// the active one (TMainMenu::Merge), and taken out when another child gets
// activated or its window goes.
#pragma once

#include <windows.h>

#include "framework/graphics/Icon.h"
#include "framework/windows/Controls.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Screen.h"
#include "framework/windows/ScrollingControls.h"

namespace fw {

class TMainMenu;

using TFormBorderStyle = TBorderStyle;  // bsNone ... bsSizeToolWin
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = Set<TBorderIcon>;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
// How a window was last shown or asked to be (a minimise or restore command).
enum TShowAction { saIgnore, saRestore, saMinimize, saMaximize };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TTileMode { tbHorizontal, tbVertical };
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = Set<TFormStateItem>;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;          // 1
constexpr TModalResult mrCancel = IDCANCEL;  // 2
constexpr TModalResult mrAbort = IDABORT;    // 3
constexpr TModalResult mrRetry = IDRETRY;    // 4
constexpr TModalResult mrIgnore = IDIGNORE;  // 5
constexpr TModalResult mrYes = IDYES;        // 6
constexpr TModalResult mrNo = IDNO;          // 7
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;
constexpr TModalResult mrClose = mrYesToAll + 1;

using TCloseEvent = Method<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = Method<void(TObject* Sender, bool& CanClose)>;

// The window styles of the border table above. Mask: every bit the table
// decides (the rest of a live window's style is kept on a change).
struct TFormFrameStyle {
    DWORD Style = 0;
    DWORD ExStyle = 0;
};
TFormFrameStyle FormFrameStyle(TFormBorderStyle Border, TBorderIcons Icons);
constexpr DWORD kFormFrameStyleMask =
    WS_POPUP | WS_CAPTION | WS_THICKFRAME | DS_MODALFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kFormFrameExStyleMask = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_CONTEXTHELP;

// AutoScroll is off for forms (ScrollingControls.h).
class TCustomForm : public TScrollingWinControl {
public:
    // A form without a resource ("CreateNew"); AOwner may be nullptr or Application.
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    String ClassName() const override { return L"TCustomForm"; }

    // Runs OnCreate (its exceptions go to Application->HandleException).
    void AfterConstruction() override;
    // Runs OnDestroy, then destroys the window.
    void BeforeDestruction() override;

    // ---- frame
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons Value);
    TFormStyle FormStyle() const { return formStyle_; }
    // Moving into or out of MDI makes the window again. An fsMDIChild window
    // raises EInvalidOperation when there is no MDI form to hold it.
    void SetFormStyle(TFormStyle Value);
    TWindowState WindowState();
    void SetWindowState(TWindowState Value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition Value) { position_ = Value; }
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool Value);
    BYTE AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(BYTE Value);
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* Value);
    // The window's icon; changes reach a live window at once.
    TIcon* Icon() { return &icon_; }
    // The monitor that holds most of the form: of its window, or of its
    // bounds while it has none (asking makes no window).
    TMonitor* Monitor();
    TFormState FormState() const { return formState_; }

    // ---- MDI (an fsMDIForm's children; nothing for other forms)
    // Children in z-order, the active one first.
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int Index) const;
    TCustomForm* ActiveMDIChild() const;
    HWND ClientHandle() const { return clientHandle_; }
    TTileMode TileMode() const { return tileMode_; }
    void SetTileMode(TTileMode Value) { tileMode_ = Value; }
    void Tile();
    void Cascade();
    void ArrangeIcons();
    void Next();
    void Previous();

    // ---- geometry: a maximised or minimised form takes new bounds as its restored ones
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect ClientRect() override;
    void SetClientSize(int AWidth, int AHeight) override;

    // ---- showing and closing
    void Show();
    void Hide();
    // The nested loop: other windows of the thread disabled until
    // ModalResult is set; the form is hidden again before it returns.
    virtual int ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult Value) { modalResult_ = Value; }
    void Close();
    virtual bool CloseQuery();
    // Destroys the form later, from the message loop.
    void Release();

    // ---- activation and focus
    bool Active() const { return active_; }
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* Control);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool Value) { keyPreview_ = Value; }

    // The canvas OnPaint draws on.
    TCanvas* Canvas() { return canvas_; }

    bool IsForm() const override { return true; }
    bool KeyPreviewActive() const override { return keyPreview_; }
    void ChildModalResult(int Value) override { SetModalResult(Value); }
    // Sends CM_EXIT up from the control that had the focus and CM_ENTER
    // down to the new one, then CM_FOCUSCHANGED through the form.
    bool SetFocusedControl(TWinControl* Control) override;
    void Dispatch(TMessage& Message) override;
    // DefFrameProc for an MDI form, DefMDIChildProc for an MDI child.
    void DefaultHandler(TMessage& Message) override;
    // The main menu's shortcuts.
    bool IsShortCut(TWMKey& Message) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void DestroyWindowHandle() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void PaintWindow(HDC DC) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    virtual void Paint();

private:
    void ShowingChanged();
    void ApplyPosition();
    void ApplyFrameStyle();
    void ApplyAlphaBlend();
    void IconChanged(TObject* Sender);
    void CloseModal();
    void SetActive(bool Value);
    TRect FrameRect() const;  // outer minus client: how much the frame adds on each side
    void ApplyMenu();
    void CreateMDIClient();
    // The MDI form that holds this MDI child's window.
    static TCustomForm* MDIParentForm();
    void MDIActivate(TMessage& Message);
    // An MDI child's menu into (or out of) its MDI parent's bar.
    void MergeMenu(bool MergeState);
    void RecreateForStyle();

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = {biSystemMenu, biMinimize, biMaximize};
    TFormStyle formStyle_ = fsNormal;
    TWindowState windowState_ = wsNormal;
    TPosition position_ = poDesigned;
    TFormState formState_;
    bool alphaBlend_ = false;
    BYTE alphaBlendValue_ = 255;
    bool keyPreview_ = false;
    bool active_ = false;
    bool destroyFired_ = false;
    bool positioned_ = false;
    TModalResult modalResult_ = mrNone;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;  // the end of the CM_ENTER chain
    TMainMenu* menu_ = nullptr;
    HWND clientHandle_ = nullptr;
    TTileMode tileMode_ = tbHorizontal;
    TIcon icon_;
    TControlCanvas* canvas_;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
    String ClassName() const override { return L"TForm"; }
};

// The form Control is on: the outermost one (TopForm) or the nearest.
TCustomForm* GetParentForm(TControl* Control, bool TopForm = true);

}  // namespace fw
