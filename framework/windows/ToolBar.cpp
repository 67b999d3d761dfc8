// TToolBar on comctl32's toolbar window; TToolButton children mirror its
// buttons (command, state, style, image, text).
#include <algorithm>

#include "framework/windows/ComCtrls.h"

namespace fw {

namespace {

BYTE ButtonStyle(TToolButtonStyle Style) {
    static const BYTE styles[] = {BTNS_BUTTON, BTNS_CHECK, BTNS_DROPDOWN, BTNS_SEP, BTNS_SEP};
    return styles[Style];
}

}  // namespace

// ---- TToolButton

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    controlStyle_ = {csSetCaption};
    width_ = 23;
    height_ = 22;
}

TToolButton::~TToolButton() {
    if (toolBar_) toolBar_->RemoveButton(this);
}

int TToolButton::Index() const { return toolBar_ ? IndexIn(toolBar_->buttons_, this) : -1; }

void TToolButton::SetParent(TWinControl* AParent) {
    if (AParent == Parent()) return;
    if (toolBar_) toolBar_->RemoveButton(this);
    TGraphicControl::SetParent(AParent);
    if (auto* bar = dynamic_cast<TToolBar*>(AParent)) bar->InsertButton(this);
}

void TToolButton::Refresh() {
    if (toolBar_) toolBar_->UpdateButton(this);
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    Refresh();
}

void TToolButton::SetDown(bool Value) {
    if (down_ == Value) return;
    down_ = Value;
    Refresh();
}

void TToolButton::SetMarked(bool Value) {
    if (marked_ == Value) return;
    marked_ = Value;
    Refresh();
}

void TToolButton::SetIndeterminate(bool Value) {
    if (indeterminate_ == Value) return;
    indeterminate_ = Value;
    Refresh();
}

void TToolButton::SetImageIndex(TImageIndex Value) {
    if (imageIndex_ == Value) return;
    imageIndex_ = Value;
    Refresh();
}

void TToolButton::SetGrouped(bool Value) {
    if (grouped_ == Value) return;
    grouped_ = Value;
    Refresh();
}

void TToolButton::SetEnabled(bool Value) {
    TGraphicControl::SetEnabled(Value);
    Refresh();
}

void TToolButton::SetDropdownMenu(TPopupMenu* Value) {
    if (dropdownMenu_ == Value) return;
    SetReference(this, dropdownMenu_, Value);
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && IsReference(AComponent, dropdownMenu_)) dropdownMenu_ = nullptr;
}

void TToolButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_TEXTCHANGED:
            Refresh();
            break;
        case CM_HITTEST:
            // The native toolbar takes the mouse over its buttons.
            Message.Result = toolBar_ ? 0 : 1;
            break;
        default:
            TGraphicControl::Dispatch(Message);
            break;
    }
}

// ---- TToolBar

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) {
    controlStyle_ = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csParentBackground};
    width_ = 150;
    height_ = 29;
    SetColor(clBtnFace);
    SetAlign(alTop);
}

TToolBar::~TToolBar() {
    // The buttons are freed with the children after this part is gone.
    for (TToolButton* b : buttons_) b->toolBar_ = nullptr;
    buttons_.clear();
}

TToolButton* TToolBar::Buttons(int Index) const { return ItemAt(buttons_, Index); }

TCanvas* TToolBar::Canvas() { return OwnCanvas(canvas_, this); }

void TToolBar::CreateParams(TCreateParams& Params) {
    InitCommonControl(ICC_BAR_CLASSES);
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, TOOLBARCLASSNAMEW);
    Params.Style |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_WRAPABLE;
    if (flat_) Params.Style |= TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
    if (list_) Params.Style |= TBSTYLE_LIST;
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TToolBar::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    HWND h = WindowHandle();
    SendMessageW(h, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(h, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    // Without an image list the buttons hold text only.
    if (images_) {
        SendMessageW(h, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
        SendMessageW(h, TB_SETBITMAPSIZE, 0, MAKELPARAM(images_->Width(), images_->Height()));
    } else {
        SendMessageW(h, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    }
    if (hotImages_) SendMessageW(h, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hotImages_->Handle()));
    SendMessageW(h, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
    for (size_t i = 0; i < buttons_.size(); ++i) SendButton(buttons_[i], int(i));
    UpdateButtonBounds();
}

void TToolBar::SendButton(TToolButton* Button, int At) {
    TBBUTTON b = {};
    b.idCommand = Button->command_;
    b.fsStyle = ButtonStyle(Button->style_);
    bool separator = Button->style_ == tbsSeparator || Button->style_ == tbsDivider;
    // A separator's image field is its width.
    b.iBitmap = separator ? Button->Width() : (Button->imageIndex_ >= 0 ? Button->imageIndex_ : I_IMAGENONE);
    if (Button->grouped_) b.fsStyle |= BTNS_GROUP;
    if (Button->Enabled()) b.fsState |= TBSTATE_ENABLED;
    if (Button->down_) b.fsState |= Button->style_ == tbsCheck ? TBSTATE_CHECKED : TBSTATE_PRESSED;
    if (Button->marked_) b.fsState |= TBSTATE_MARKED;
    if (Button->indeterminate_) b.fsState |= TBSTATE_INDETERMINATE;
    b.dwData = reinterpret_cast<DWORD_PTR>(Button);
    String caption = Button->Caption();
    b.iString = showCaptions_ && !separator ? reinterpret_cast<INT_PTR>(caption.c_str()) : -1;
    SendMessageW(WindowHandle(), TB_INSERTBUTTONW, WPARAM(At), reinterpret_cast<LPARAM>(&b));
}

void TToolBar::InsertButton(TToolButton* Button) {
    Button->toolBar_ = this;
    Button->command_ = nextCommand_++;
    buttons_.push_back(Button);
    if (HandleAllocated()) {
        SendButton(Button, int(buttons_.size()) - 1);
        UpdateButtonBounds();
    }
}

void TToolBar::RemoveButton(TToolButton* Button) {
    int index = Button->Index();
    Button->toolBar_ = nullptr;
    if (index < 0) return;
    buttons_.erase(buttons_.begin() + index);
    if (HandleAllocated()) {
        SendMessageW(WindowHandle(), TB_DELETEBUTTON, WPARAM(index), 0);
        UpdateButtonBounds();
    }
}

// A changed button is sent again in its place.
void TToolBar::UpdateButton(TToolButton* Button) {
    int index = Button->Index();
    if (index < 0 || !HandleAllocated()) return;
    SendMessageW(WindowHandle(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(WindowHandle(), TB_DELETEBUTTON, WPARAM(index), 0);
    SendButton(Button, index);
    SendMessageW(WindowHandle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(WindowHandle(), nullptr, TRUE);
    UpdateButtonBounds();
}

void TToolBar::UpdateButtonBounds() {
    if (!HandleAllocated()) return;
    // The window sizes its buttons to their texts: ButtonHeight wins, the
    // width grows to the widest caption.
    int width = buttonWidth_;
    if (showCaptions_) width = std::max(width, int(LOWORD(SendMessageW(WindowHandle(), TB_GETBUTTONSIZE, 0, 0))));
    SendMessageW(WindowHandle(), TB_SETBUTTONSIZE, 0, MAKELPARAM(width, buttonHeight_));
    for (size_t i = 0; i < buttons_.size(); ++i) {
        RECT r = {};
        if (!SendMessageW(WindowHandle(), TB_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r))) continue;
        TToolButton* b = buttons_[i];
        b->left_ = r.left;
        b->top_ = r.top;
        b->width_ = r.right - r.left;
        b->height_ = r.bottom - r.top;
    }
}

TToolButton* TToolBar::ButtonByCommand(int Command) const {
    for (TToolButton* b : buttons_)
        if (b->command_ == Command) return b;
    return nullptr;
}

void TToolBar::SetButtonHeight(int Value) {
    if (buttonHeight_ == Value || Value <= 0) return;
    buttonHeight_ = Value;
    if (!HandleAllocated()) return;
    UpdateButtonBounds();
    Invalidate();
}

void TToolBar::SetButtonWidth(int Value) {
    if (buttonWidth_ == Value || Value <= 0) return;
    buttonWidth_ = Value;
    if (!HandleAllocated()) return;
    UpdateButtonBounds();
    Invalidate();
}

void TToolBar::SetImages(TCustomImageList* Value) {
    if (images_ == Value) return;
    SetReference(this, images_, Value);
    // The window takes the list's handle when it is made.
    RecreateWnd();
}

void TToolBar::SetHotImages(TCustomImageList* Value) {
    if (hotImages_ == Value) return;
    SetReference(this, hotImages_, Value);
    if (!HandleAllocated()) return;
    SendMessageW(WindowHandle(), TB_SETHOTIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(hotImages_ ? hotImages_->Handle() : nullptr));
    Invalidate();
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (IsReference(AComponent, images_)) SetImages(nullptr);
    if (IsReference(AComponent, hotImages_)) SetHotImages(nullptr);
}

void TToolBar::SetList(bool Value) {
    if (list_ == Value) return;
    list_ = Value;
    RecreateWnd();
}

void TToolBar::SetShowCaptions(bool Value) {
    if (showCaptions_ == Value) return;
    showCaptions_ = Value;
    RecreateWnd();
}

void TToolBar::SetFlat(bool Value) {
    if (flat_ == Value) return;
    flat_ = Value;
    RecreateWnd();
}

void TToolBar::FrameChanged() {
    if (!HandleAllocated()) return;
    SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void TToolBar::SetEdgeBorders(TEdgeBorders Value) {
    if (edgeBorders_ == Value) return;
    edgeBorders_ = Value;
    FrameChanged();
}

void TToolBar::SetEdgeInner(TEdgeStyle Value) {
    if (edgeInner_ == Value) return;
    edgeInner_ = Value;
    FrameChanged();
}

void TToolBar::SetEdgeOuter(TEdgeStyle Value) {
    if (edgeOuter_ == Value) return;
    edgeOuter_ = Value;
    FrameChanged();
}

void TToolBar::SetBorderWidth(int Value) {
    if (borderWidth_ == Value || Value < 0) return;
    borderWidth_ = Value;
    FrameChanged();
}

void TToolBar::ButtonDropDown(TToolButton* Button) {
    // The button's DropdownMenu pops up below the button; when it closes
    // the toolbar hears CN_DROPDOWNCLOSED.
    if (Button && Button->DropdownMenu() && HandleAllocated()) {
        RECT r{};
        const auto index = std::find(buttons_.begin(), buttons_.end(), Button) - buttons_.begin();
        SendMessageW(WindowHandle(), TB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
        POINT p{r.left, r.bottom};
        ::ClientToScreen(WindowHandle(), &p);
        Button->DropdownMenu()->Popup(p.x, p.y);
    }
    Perform(CN_DROPDOWNCLOSED);
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW* Draw) {
    NMCUSTOMDRAW& cd = Draw->nmcd;
    if (cd.dwDrawStage == CDDS_ITEMPREPAINT) {
        auto* button = reinterpret_cast<TToolButton*>(cd.lItemlParam);
        if (!OnAdvancedCustomDrawButton || !button) return CDRF_DODEFAULT;
        TTBCustomDrawFlags flags;
        bool defaultDraw = true;
        {
            CanvasBinding binding(static_cast<TControlCanvas*>(Canvas()), cd.hdc);
            OnAdvancedCustomDrawButton(this, button, CustomDrawState(cd.uItemState), cdPrePaint, flags, defaultDraw);
        }
        if (!defaultDraw) return CDRF_SKIPDEFAULT;
        static const struct {
            TTBCustomDrawFlag flag;
            LRESULT bit;
        } map[] = {{tbNoEdges, TBCDRF_NOEDGES},
                   {tbHiliteHotTrack, TBCDRF_HILITEHOTTRACK},
                   {tbNoOffset, TBCDRF_NOOFFSET},
                   {tbNoMark, TBCDRF_NOMARK},
                   {tbNoEtchedEffect, TBCDRF_NOETCHEDEFFECT}};
        LRESULT result = CDRF_DODEFAULT;
        for (const auto& m : map)
            if (flags.Contains(m.flag)) result |= m.bit;
        return result;
    }
    std::function<bool(TCustomDrawStage)> fire;
    if (OnAdvancedCustomDraw)
        fire = [&](TCustomDrawStage stage) {
            bool defaultDraw = true;
            OnAdvancedCustomDraw(this, TRect(cd.rc), stage, defaultDraw);
            return defaultDraw;
        };
    return ControlCustomDraw(cd, static_cast<TControlCanvas*>(Canvas()), fire, bool(OnAdvancedCustomDrawButton));
}

void TToolBar::CNNotify(TWMNotify& Message) {
    switch (Message.NMHdr->code) {
        case NM_CUSTOMDRAW:
            Message.Result = CustomDraw(reinterpret_cast<NMTBCUSTOMDRAW*>(Message.NMHdr));
            break;
        case TBN_DROPDOWN: {
            auto* n = reinterpret_cast<NMTOOLBARW*>(Message.NMHdr);
            if (TToolButton* b = ButtonByCommand(n->iItem)) ButtonDropDown(b);
            Message.Result = TBDDRET_DEFAULT;
            break;
        }
        default:
            DefaultHandler(reinterpret_cast<TMessage&>(Message));
            break;
    }
}

void TToolBar::CNCommand(TWMCommand& Message) {
    TToolButton* b = ButtonByCommand(Message.ItemID);
    if (!b) return;
    // A check button's window toggled itself: the button follows.
    if (b->style_ == tbsCheck) b->down_ = SendMessageW(WindowHandle(), TB_ISBUTTONCHECKED, WPARAM(b->command_), 0) != 0;
    b->Click();
}

void TToolBar::WMNCCalcSize(TMessage& Message) {
    DefaultHandler(Message);
    int edge = (edgeInner_ != esNone ? 1 : 0) + (edgeOuter_ != esNone ? 1 : 0);
    auto side = [&](TEdgeBorder b) { return borderWidth_ + (edgeBorders_.Contains(b) ? edge : 0); };
    InsetClientArea(Message, TRect(side(ebLeft), side(ebTop), side(ebRight), side(ebBottom)));
}

void TToolBar::WMNCPaint(TMessage& Message) {
    DefaultHandler(Message);
    static const UINT inner[] = {0, BDR_RAISEDINNER, BDR_SUNKENINNER};
    static const UINT outer[] = {0, BDR_RAISEDOUTER, BDR_SUNKENOUTER};
    UINT sides = (edgeBorders_.Contains(ebLeft) ? BF_LEFT : 0) | (edgeBorders_.Contains(ebTop) ? BF_TOP : 0) |
                 (edgeBorders_.Contains(ebRight) ? BF_RIGHT : 0) | (edgeBorders_.Contains(ebBottom) ? BF_BOTTOM : 0);
    PaintNonClientFrame(this, inner[edgeInner_] | outer[edgeOuter_], sides);
}

void TToolBar::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CN_NOTIFY:
            CNNotify(reinterpret_cast<TWMNotify&>(Message));
            break;
        case CN_COMMAND:
            CNCommand(reinterpret_cast<TWMCommand&>(Message));
            break;
        case WM_NCCALCSIZE:
            WMNCCalcSize(Message);
            break;
        case WM_NCPAINT:
            WMNCPaint(Message);
            break;
        case WM_SIZE:
            TWinControl::Dispatch(Message);
            // Wrapping may have moved the buttons.
            UpdateButtonBounds();
            break;
        default:
            TWinControl::Dispatch(Message);
            break;
    }
}

}  // namespace fw
