// The control classes every visible part of the program is built on.
//
// Message path: a message reaches a control through WindowProc (a replaceable,
// comparable method; by default the control's virtual WndProc). WndProc does
// the pre-processing common to all messages (mouse capture, key pipeline,
// hover tracking) and calls Dispatch, which routes known messages to the
// per-class handlers (WMPaint, CMVisibleChanged...) and the rest to
// DefaultHandler: the saved native class procedure for windowed controls,
// nothing for graphic ones. Perform sends a message through WindowProc
// synchronously, also to controls that have no window. A class overrides
// Dispatch to handle more messages; a handler that "passes the message on"
// calls the base class's handler or the base Dispatch.
//
// Child order (Controls[i]): first the graphic (non-windowed) children, then
// the windowed ones, each group in the order the children were inserted. In
// each group a later control lies above an earlier one: graphic children are
// painted in this order, and a new child window goes on top of its siblings.
// SetChildOrder moves a child inside its group, window included.
//
// Window handles are made on demand (Handle, HandleNeeded). Every window of a
// control is of a class registered under the control's ClassName() ("TPanel",
// "TButton"); the class procedure binds the window to its control on the first
// message of any kind, so FindControl(hwnd) works from then on (even inside a
// CBT hook or WM_NCCREATE). Every window procedure runs inside
// ExceptionBarrier: an exception from an event handler goes to the boundary
// handler and the message loop goes on.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/rtl/Component.h"
#include "framework/rtl/Method.h"
#include "framework/rtl/Types.h"
#include "framework/windows/Messages.h"

namespace fw {

// Which scroll bar: of a scroll bar control or of a scrolling window.
enum TScrollBarKind { sbHorizontal, sbVertical };

class TControl;
class TWinControl;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = Set<TAnchorKind>;
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
// Forms use all values; other controls only bsNone and bsSingle.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

enum TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground,
};
using TControlStyle = Set<TControlStyleItem>;

enum TControlStateItem {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking,
    csRecreating,
    csAligning,
};
using TControlState = Set<TControlStateItem>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
// What dragging a control does: a drag-and-drop, or undocking it.
enum TDragKind { dkDrag, dkDock };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = Set<TShiftStateItem>;

// The shift state from a WM_KEYxxx KeyData (keys read from the keyboard state)
// and from a mouse message's MK_xxx flags.
TShiftState KeyDataToShiftState(LONG KeyData);
TShiftState KeysToShiftState(WORD Keys);

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TMouseEvent = Method<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = Method<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = Method<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = Method<void(TObject* Sender, wchar_t& Key)>;
using TMouseWheelEvent =
    Method<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = Method<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
// MousePos in client coordinates; (-1, -1) when the keyboard asked for the menu.
using TContextPopupEvent = Method<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

// Size limits of a control; 0 means no limit. SetBounds keeps the control
// within them.
class TSizeConstraints : public TPersistent {
public:
    String ClassName() const override { return L"TSizeConstraints"; }
    void Assign(const TPersistent* Source) override;

    int MinWidth() const { return minWidth_; }
    int MinHeight() const { return minHeight_; }
    int MaxWidth() const { return maxWidth_; }
    int MaxHeight() const { return maxHeight_; }
    void SetMinWidth(int Value);
    void SetMinHeight(int Value);
    void SetMaxWidth(int Value);
    void SetMaxHeight(int Value);
    // The width and height these limits allow for the asked ones.
    void Apply(int& Width, int& Height) const;

    TNotifyEvent OnChange;

private:
    void Change();
    int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

// What CreateParams fills in for CreateWindowExW.
struct TCreateParams {
    String Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    // Class style, extra bytes, cursor, background. lpfnWndProc names the
    // procedure DefaultHandler calls (the system class's after
    // CreateSubClass); the class is registered with the framework's own
    // procedure under WinClassName.
    WNDCLASSW WindowClass = {};
    // The registered class name: ClassName() unless a subclass changes it.
    String WinClassName;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    String ClassName() const override { return L"TControl"; }
    // With csSetCaption, a caption equal to the old name follows the new one.
    void SetName(const String& NewName) override;

    // ---- tree
    TWinControl* Parent() const { return parent_; }
    // Moves the control to another parent (nullptr takes it out). The parent
    // need not have csAcceptsControls.
    virtual void SetParent(TWinControl* AParent);
    // The nearest ancestor (or this) that is a form; TopForm: the outermost one.
    TWinControl* GetParentFormControl(bool TopForm = true);

    // ---- geometry (parent client coordinates; screen for top-level windows)
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int Value) { SetBounds(Value, top_, width_, height_); }
    void SetTop(int Value) { SetBounds(left_, Value, width_, height_); }
    void SetWidth(int Value) { SetBounds(left_, top_, Value, height_); }
    void SetHeight(int Value) { SetBounds(left_, top_, width_, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return TRect(left_, top_, left_ + width_, top_ + height_); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    // (0, 0, client width, client height).
    virtual TRect ClientRect();
    int ClientWidth() { return ClientRect().Width(); }
    int ClientHeight() { return ClientRect().Height(); }
    void SetClientWidth(int Value) { SetClientSize(Value, ClientHeight()); }
    void SetClientHeight(int Value) { SetClientSize(ClientWidth(), Value); }
    virtual void SetClientSize(int AWidth, int AHeight);
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(const TPoint& Point);
    TPoint ScreenToClient(const TPoint& Point);
    TAlign Align() const { return align_; }
    void SetAlign(TAlign Value);
    // Edges kept at their distance from the parent's when the parent's
    // client area changes size (alNone controls). Neither side of an axis:
    // the centre keeps its relative place.
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors Value);
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool Value);
    TSizeConstraints* Constraints() { return &constraints_; }
    void SetConstraints(const TSizeConstraints* Value) { constraints_.Assign(Value); }

    // ---- state
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    virtual bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool Value);
    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle Value) { controlStyle_ = Value; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState Value) { controlState_ = Value; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);
    const String& Hint() const { return hint_; }
    void SetHint(const String& Value) { hint_ = Value; }
    // Nothing docks here: the value is only kept, for code that asks
    // whether a control would dock (dkDock).
    TDragKind DragKind() const { return dragKind_; }
    void SetDragKind(TDragKind Value) { dragKind_ = Value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool Value) { showHint_ = Value; }

    // ---- text direction: right-to-left only on a Middle East system
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode Value);
    bool UseRightToLeftAlignment() const;
    bool UseRightToLeftReading() const;
    // DrawText flags with DT_LEFT/DT_RIGHT swapped and DT_RTLREADING added as
    // the mode says.
    UINT DrawTextBiDiModeFlags(UINT Flags) const;
    UINT DrawTextBiDiModeFlagsReadingOnly() const;

    // ---- text: WM_GETTEXT/WM_SETTEXT through Perform, then CM_TEXTCHANGED
    String Text();
    void SetText(const String& Value);
    String Caption() { return Text(); }
    void SetCaption(const String& Value) { SetText(Value); }

    // ---- appearance
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool Value);
    TFont* Font() { return &font_; }
    void SetFont(const TFont* Value) { font_.Assign(Value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool Value);

    // ---- messaging
    const TWndMethod& WindowProc() const { return windowProc_; }
    // Replacing it subclasses the control; restore by setting the saved value.
    void SetWindowProc(const TWndMethod& Value) { windowProc_ = Value; }
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    virtual void WndProc(TMessage& Message);
    // Known messages to their handlers, the rest to DefaultHandler.
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    // ---- painting
    // A graphic control invalidates its rectangle on the parent (erasing
    // unless csOpaque); a windowed one its window.
    virtual void Invalidate();
    // Invalidate and paint now.
    virtual void Repaint();
    void Refresh() { Repaint(); }
    virtual void Update();
    void BringToFront();
    void SendToBack();

    // ---- mouse
    bool MouseCapture();
    void SetMouseCapture(bool Value);
    virtual void Click();
    virtual void DblClick();
    // A wheel turn (CM_MOUSEWHEEL) goes to the form first when there is one,
    // which hands it to its focused control; otherwise to this control.
    virtual void MouseWheelHandler(TMessage& Message);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;

    // ---- context menu: WM_CONTEXTMENU runs OnContextPopup, then pops up
    // PopupMenu (when AutoPopup) at the mouse, or at the client's corner
    // when the keyboard asked. Not owned; cleared when the menu is freed.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* Value);
    TContextPopupEvent OnContextPopup;

protected:
    void Loaded() override;
    // True when the turn was used; otherwise CM_MOUSEWHEEL goes on to the parent.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);

    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Resize();
    // Sends CM_CHANGED to this control.
    virtual void Changed();
    // Asks the parent to realign its children.
    virtual void RequestAlign();
    // AutoSize: the size the content wants. False means "no change".
    virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
    virtual void AdjustSize();
    // Invalidates this control's rectangle on the parent's window, erasing
    // the background unless IsOpaque (or the parent is opaque).
    void InvalidateControl(bool IsVisible, bool IsOpaque);

    // The handlers. Each may be called by a subclass's handler to pass on.
    void WMLButtonDown(TWMMouse& Message);
    void WMLButtonDblClk(TWMMouse& Message);
    void WMLButtonUp(TWMMouse& Message);
    void WMRButtonDown(TWMMouse& Message);
    void WMRButtonUp(TWMMouse& Message);
    void WMMButtonDown(TWMMouse& Message);
    void WMMButtonUp(TWMMouse& Message);
    void WMMouseMove(TWMMouse& Message);
    void WMSetText(TMessage& Message);
    void WMGetText(TMessage& Message);
    void WMGetTextLength(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMHitTest(TMessage& Message);
    void CMMouseWheel(TCMMouseWheel& Message);
    void WMContextMenu(TMessage& Message);
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Fields a subclass reads directly, as the framework's own classes do.
    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    bool autoSize_ = false;
    TColor color_ = clWindow;
    bool parentColor_ = true;
    bool parentFont_ = true;
    TFont font_;
    String text_;
    TControlStyle controlStyle_;
    TControlState controlState_;
    TCursor cursor_ = crDefault;
    String hint_;
    bool showHint_ = false;
    TAnchors anchors_ = {akLeft, akTop};
    TSizeConstraints constraints_;
    TBiDiMode biDiMode_ = bdLeftToRight;
    TPopupMenu* popupMenu_ = nullptr;
    TDragKind dragKind_ = dkDrag;

private:
    friend class TWinControl;
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    void FontChanged(TObject* Sender);
    void ConstraintsChanged(TObject* Sender);
    // Width and height as AutoSize and Constraints allow.
    void CheckNewSize(int& NewWidth, int& NewHeight);
    void DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(TWMMouse& Message, TMouseButton Button);
    void SetZOrder(bool TopMost);
    // Remembers the distances Anchors keep, against the parent's client size now.
    void UpdateAnchorRules();
    // The bounds the anchors ask for in a parent client area of that size.
    TRect AnchoredBounds(TSize ParentSize) const;
    static TSize ParentClientSize(TWinControl* Parent);

    TPoint anchorRules_;
    TSize originalParentSize_;

    TWndMethod windowProc_;
    bool inFontChange_ = false;
};

// A control with a window. Freeing it frees its children with it (make them
// with Create or new), whoever owns them.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    String ClassName() const override { return L"TWinControl"; }

    // Destroys the window while the whole object still exists, so that every
    // link in the WindowProc chain still sees WM_DESTROY.
    void BeforeDestruction() override;

    // ---- window handle
    // Creates the window (and its parents') when there is none yet.
    HWND Handle();
    // The raw field: never creates a window.
    HWND WindowHandle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // Destroys the window and makes it again (CM_RECREATEWND), keeping
    // caption, bounds, style, children and visibility.
    void RecreateWnd();
    // Destroys this window and its children's, keeping their state.
    void DestroyHandle();
    // A non-framework window to act as the parent of a parentless control.
    HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(HWND Value);
    // The window's own shown state: set when it and its parents were showing.
    // Hiding a parent later leaves it set (the window stays WS_VISIBLE inside
    // the hidden parent), as the framework has it.
    bool Showing() const { return showing_; }

    // ---- children (see the child order above)
    int ControlCount() const { return int(controls_.size() + winControls_.size()); }
    TControl* Controls(int Index) const;
    bool ContainsControl(TControl* Control) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    // Moves Child (a child of this control) to Order in Controls[], within
    // its group (an Order outside the group goes to the group's nearer end),
    // and its window to the same place among its siblings' windows.
    void SetChildOrder(TComponent* Child, int Order);
    // Paints the window, its frame and its windowed children into DC with the
    // top-left corner at (X, Y), through WM_ERASEBKGND and WM_PAINT with the
    // DC (csPaintCopy set meanwhile): a copy without the screen.
    void PaintTo(HDC DC, int X, int Y);
    // The message to every child in child order, until one answers non-zero.
    void Broadcast(TMessage& Message);
    // The child (graphic, and windowed with AllowWinControls) visible at the
    // client point, topmost first.
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
    void DisableAlign();
    void EnableAlign();
    void Realign();

    // ---- focus and tabbing
    virtual bool CanFocus();
    virtual void SetFocus();
    virtual bool Focused();
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool Value);
    int TabOrder() const;
    void SetTabOrder(int Value);
    // Tab-ordered windowed descendants.
    void GetTabOrderList(std::vector<TWinControl*>& List);

    // ---- appearance
    TBrush* Brush() { return &brush_; }
    bool ParentBackground() const { return controlStyle_.Contains(csParentBackground); }
    void SetParentBackground(bool Value);
    // An inner border: BorderWidth pixels of non-client area on every side,
    // inside any frame the system draws, filled with Brush's colour. The
    // client rectangle shrinks by it (CM_BORDERCHANGED follows a change).
    // A panel's own BorderWidth (ExtCtrls.h) is a different one, inside
    // its client area.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int Value);
    // WM_PAINT without a DC paints into a memory bitmap, erased there
    // (WM_ERASEBKGND with WParam = LParam = the bitmap's DC), and copies it
    // to the window at once; other WM_ERASEBKGND messages erase nothing.
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool Value) { doubleBuffered_ = Value; }

    void Invalidate() override;
    void Repaint() override;
    void Update() override;
    TRect ClientRect() override;
    TPoint ClientOrigin() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    // ---- hooks a form overrides (controls reach their form through these)
    // True for forms.
    virtual bool IsForm() const { return false; }
    // A top-level control with no parent and no ParentWindow shows by itself
    // only when this answers true (forms, test hosts).
    virtual bool ShowsWithoutParent() const { return IsForm(); }
    // A form's KeyPreview: it sees its controls' keys first.
    virtual bool KeyPreviewActive() const { return false; }
    // A button's ModalResult reaches its form through this.
    virtual void ChildModalResult(int ModalResult) { (void)ModalResult; }
    // Focus moving to Control inside this form. False refuses the change.
    virtual bool SetFocusedControl(TWinControl* Control);
    // Focus to Control, through the form.
    virtual void FocusControl(TWinControl* Control);
    // A form's own shortcuts (its main menu's): true when the key clicked one.
    virtual bool IsShortCut(TWMKey& Message) {
        (void)Message;
        return false;
    }

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    // Alignment put off while loading happens now.
    void Loaded() override;
    virtual void CreateParams(TCreateParams& Params);
    // Superclasses a system class ("BUTTON", "EDIT"...): its class procedure
    // becomes DefaultHandler's target, its class data is copied.
    void CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName);
    virtual void CreateHandle();
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    // Runs Create, which makes this control's window some other way (an MDI
    // client's WM_MDICREATE), binding the window to this control at its
    // first message as CreateWindowHandle does. Returns the window.
    HWND CreateBoundWindow(const std::function<HWND()>& Create);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    // The window exists; children are not yet created.
    virtual void CreateHandleDone() {}
    // Reads the bounds back from the window.
    void UpdateBounds();
    // Creates, shows or hides the window as Visible and the parents say.
    void UpdateShowing();
    void UpdateControlState();

    virtual void AlignControls(TControl* AControl, TRect& Rect);
    virtual void AdjustClientRect(TRect& Rect);
    void AlignControl(TControl* AControl);

    // WM_PAINT: BeginPaint (or the DC in WParam), PaintWindow, the graphic children.
    void PaintHandler(TWMPaint& Message);
    // Paints the window's own content into DC: by default the native procedure.
    virtual void PaintWindow(HDC DC);
    // Graphic children from First on (nullptr: all), each with the DC's origin
    // at its top-left and clipped to its bounds.
    void PaintControls(HDC DC, TControl* First);

    // Key pipeline; true means the key was handled (set to 0) and stops here.
    virtual bool DoKeyDown(TWMKey& Message);
    virtual bool DoKeyPress(TWMKey& Message);
    virtual bool DoKeyUp(TWMKey& Message);
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyPress(wchar_t& Key);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void DoEnter();
    virtual void DoExit();

    void WMPaint(TWMPaint& Message);
    void WMEraseBkgnd(TWMEraseBkgnd& Message);
    // The native answer less BorderWidth on every side.
    void WMNCCalcSize(TMessage& Message);
    // The native frame, then the BorderWidth band.
    void WMNCPaint(TMessage& Message);
    void CMBorderChanged(TMessage& Message);
    void WMWindowPosChanged(TWMWindowPosMsg& Message);
    void WMSize(TWMSize& Message);
    void WMMove(TMessage& Message);
    void WMCommand(TWMCommand& Message);
    void WMNotify(TWMNotify& Message);
    void WMCtlColor(TWMCtlColor& Message);
    void WMDrawItem(TWMDrawItem& Message);
    void WMMeasureItem(TWMMeasureItem& Message);
    void WMHScroll(TWMScroll& Message);
    void WMVScroll(TWMScroll& Message);
    void WMSetFocus(TWMSetFocus& Message);
    void WMKillFocus(TWMKillFocus& Message);
    void WMKeyDown(TWMKey& Message);
    void WMKeyUp(TWMKey& Message);
    void WMChar(TWMKey& Message);
    void WMSysKeyDown(TWMKey& Message);
    void WMSysKeyUp(TWMKey& Message);
    void WMSysChar(TWMKey& Message);
    void WMSetCursor(TMessage& Message);
    void WMMouseLeave(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    void WMNCDestroy(TMessage& Message);
    void CNCtlColor(TWMCtlColor& Message);
    void CNKeyDown(TWMKey& Message);
    void CNChar(TWMKey& Message);
    void CMShowingChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMRecreateWnd(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMInvalidate(TMessage& Message);
    void CMTabStopChanged(TMessage& Message);

    HWND handle_ = nullptr;
    // The native class procedure DefaultHandler calls (DefWindowProcW unless subclassed).
    WNDPROC defWndProc_ = nullptr;
    std::vector<TControl*> controls_;  // graphic children
    std::vector<TWinControl*> winControls_;
    std::vector<TWinControl*> tabList_;
    TBrush brush_;

private:
    friend class TControl;
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend TWinControl* FindControl(HWND Handle);

    void ReflectToChild(TMessage& Message, HWND Child);
    // Dispatch's message table, one group each; true when the message was
    // one of the group's.
    bool DispatchWindowMessage(TMessage& Message);
    bool DispatchParentNotification(TMessage& Message);
    bool DispatchInput(TMessage& Message);
    bool DispatchText(TMessage& Message);
    bool DispatchControlMessage(TMessage& Message);
    // Puts the window below the window of the next later sibling in the
    // child order that has one, else on top of its siblings.
    void PlaceWindowInChildOrder();
    // Fills the BorderWidth band around the client area on a DC whose
    // origin is the window's top-left corner.
    void PaintBorderBand(HDC DC);
    // Moves Control to the top or the bottom of its group (and its window).
    void MoveChild(TControl* Control, bool Top);
    bool IsControlMouseMsg(TWMMouse& Message);
    void InsertTab(TWinControl* Control);
    void RemoveTab(TWinControl* Control);
    void UpdateTabStopStyle();

    HWND parentWindow_ = nullptr;
    bool showing_ = false;
    bool tabStop_ = false;
    int alignLevel_ = 0;
    bool trackingLeave_ = false;
    int borderWidth_ = 0;
    bool doubleBuffered_ = false;
};

// Graphic children: no window; painted by the parent, fed mouse messages by it.
class TControlCanvas;

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    String ClassName() const override { return L"TGraphicControl"; }

    // A canvas on the parent's DC, origin at this control, clipped to it.
    // Usable outside WM_PAINT too.
    TCanvas* Canvas();
    void Dispatch(TMessage& Message) override;

protected:
    virtual void Paint() {}
    void WMPaint(TWMPaint& Message);

private:
    TControlCanvas* canvas_;
};

// Windowed controls that paint themselves on a canvas bound in PaintWindow.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    String ClassName() const override { return L"TCustomControl"; }

    TCanvas* Canvas();
    void Dispatch(TMessage& Message) override;

protected:
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;
    void WMPaint(TWMPaint& Message);

private:
    TControlCanvas* canvas_;
};

// A canvas for a control: its Handle is fetched on first use (the window's DC,
// or the parent's DC moved to a graphic control's origin and clipped to it),
// can be bound to any DC instead, and is released by FreeHandle, when the
// canvas goes or when FreeDeviceContexts runs (on idle).
class TControlCanvas : public TCanvas {
public:
    TControlCanvas() = default;
    ~TControlCanvas() override;
    String ClassName() const override { return L"TControlCanvas"; }

    TControl* Control() const { return control_; }
    void SetControl(TControl* Value);
    // Releases a DC this canvas fetched itself.
    void FreeHandle();
    // ETO_RTLREADING as the control's text direction says (always left-to-right here).
    void UpdateTextFlags();

protected:
    void CreateHandle() override;

private:
    friend void FreeDeviceContexts();
    TControl* control_ = nullptr;
    HDC fetchedDC_ = nullptr;
    HWND fetchedFrom_ = nullptr;
};

// Binds a control's canvas to a DC for a scope (a paint, a measurement),
// locked so the idle release leaves it alone.
class CanvasBinding {
public:
    CanvasBinding(TControlCanvas* canvas, HDC dc) : canvas_(canvas) {
        canvas_->Lock();
        canvas_->FreeHandle();
        canvas_->SetHandle(dc);
        canvas_->UpdateTextFlags();
    }
    ~CanvasBinding() {
        canvas_->SetHandle(nullptr);
        canvas_->Unlock();
    }
    CanvasBinding(const CanvasBinding&) = delete;
    CanvasBinding& operator=(const CanvasBinding&) = delete;

private:
    TControlCanvas* canvas_;
};

// WM_NCCALCSIZE (either form): takes Insets (one per side) off the client
// rectangle the message holds, never below an empty one.
void InsetClientArea(TMessage& Message, const TRect& Insets);

// The control bound to a window of this process, or nullptr. Works from the
// window's first message on; reads no window property of other processes.
TWinControl* FindControl(HWND Handle);
// The control under a screen point: the windowed control whose window is
// there, or its graphic child at that point (AllowDisabled: disabled ones too).
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// The control the mouse is over as last tracked (hover), or nullptr.
TControl* MouseControl();
// Re-reads the cursor position and sends CM_MOUSELEAVE/CM_MOUSEENTER when the
// control under it changed. The application calls it on idle; mouse messages
// call it too.
void DoMouseIdle();
// Capture held for a control (graphic ones through their parent's window).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// Releases the DCs control canvases fetched (the application's idle step).
void FreeDeviceContexts();
// The window procedure of every framework window class.
LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A window procedure that calls Method: for subclassing windows the framework
// did not make (SetWindowLongPtr GWLP_WNDPROC). The procedure is a small
// executable thunk that jumps (never calls) into a shared entry, so a handler
// may free its own instance, even inside WM_DESTROY, and still return.
// The method runs inside ExceptionBarrier; it gets the message without the
// window handle, which its object knows.
WNDPROC MakeObjectInstance(const TWndMethod& Method);
void FreeObjectInstance(WNDPROC Instance);

}  // namespace fw
