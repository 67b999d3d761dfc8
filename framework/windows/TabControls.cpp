// Tab controls and page controls on comctl32's tab window. A page
// control's tabs are its pages' captions; the active page fills the area
// below the tabs and the others are hidden.
#include <algorithm>

#include "framework/windows/ComCtrls.h"

namespace fw {

// ---- TCustomTabControl

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TWinControl(AOwner) {
    controlStyle_ = {csAcceptsControls, csDoubleClicks, csParentBackground};
    width_ = 289;
    height_ = 193;
    SetTabStop(true);
    SetColor(clBtnFace);
}

void TCustomTabControl::CreateParams(TCreateParams& Params) {
    static const DWORD positions[] = {0, TCS_BOTTOM, TCS_VERTICAL, TCS_VERTICAL | TCS_RIGHT};
    InitCommonControl(ICC_TAB_CLASSES);
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TABCONTROLW);
    Params.Style |= WS_CLIPCHILDREN | positions[tabPosition_];
    // Side tabs only come in rows.
    if (multiLine_ || tabPosition_ == tpLeft || tabPosition_ == tpRight) Params.Style |= TCS_MULTILINE;
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomTabControl::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    if (images_) SendMessageW(WindowHandle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
    RebuildTabs();
}

void TCustomTabControl::RebuildTabs() {
    if (!HandleAllocated()) return;
    HWND h = WindowHandle();
    SendMessageW(h, TCM_DELETEALLITEMS, 0, 0);
    std::vector<String> captions = TabCaptions();
    for (size_t i = 0; i < captions.size(); ++i) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(captions[i].c_str());
        SendMessageW(h, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    int index = InitialTabIndex();
    if (index >= 0) SendMessageW(h, TCM_SETCURSEL, WPARAM(index), 0);
    // The rows of tabs decide the page area.
    Realign();
}

void TCustomTabControl::AdjustClientRect(TRect& Rect) {
    TWinControl::AdjustClientRect(Rect);
    if (HandleAllocated()) SendMessageW(WindowHandle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(Rect.AsRECT()));
}

void TCustomTabControl::SetTabPosition(TTabPosition Value) {
    if (tabPosition_ == Value) return;
    tabPosition_ = Value;
    RecreateWnd();
}

void TCustomTabControl::SetMultiLine(bool Value) {
    if (multiLine_ == Value) return;
    multiLine_ = Value;
    RecreateWnd();
}

void TCustomTabControl::SetImages(TCustomImageList* Value) {
    if (images_ == Value) return;
    SetReference(this, images_, Value);
    RecreateWnd();
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && IsReference(AComponent, images_)) SetImages(nullptr);
}

bool TCustomTabControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change() {
    if (OnChange) OnChange(this);
}

void TCustomTabControl::CNNotify(TWMNotify& Message) {
    switch (Message.NMHdr->code) {
        case TCN_SELCHANGING:
            Message.Result = CanChange() ? FALSE : TRUE;
            break;
        case TCN_SELCHANGE:
            Change();
            break;
        default:
            DefaultHandler(reinterpret_cast<TMessage&>(Message));
            break;
    }
}

void TCustomTabControl::Dispatch(TMessage& Message) {
    if (Message.Msg == CN_NOTIFY)
        CNNotify(reinterpret_cast<TWMNotify&>(Message));
    else
        TWinControl::Dispatch(Message);
}

// ---- TTabControl

TTabControl::TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner) {
    tabs_.OnChange = TNotifyEvent(this, &TTabControl::TabsChanged);
}

std::vector<String> TTabControl::TabCaptions() const {
    std::vector<String> captions;
    for (int i = 0; i < tabs_.Count(); ++i) captions.push_back(tabs_[i]);
    return captions;
}

void TTabControl::TabsChanged(TObject*) {
    tabIndex_ = TabIndex();
    if (tabIndex_ >= tabs_.Count()) tabIndex_ = tabs_.Count() - 1;
    RebuildTabs();
}

int TTabControl::TabIndex() const {
    if (!HandleAllocated()) return tabIndex_;
    return int(SendMessageW(WindowHandle(), TCM_GETCURSEL, 0, 0));
}

void TTabControl::SetTabIndex(int Value) {
    tabIndex_ = Value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), TCM_SETCURSEL, WPARAM(Value), 0);
}

// ---- TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    controlStyle_ = {csAcceptsControls, csParentBackground};
    visible_ = false;
    align_ = alClient;
    SetColor(clBtnFace);
}

TTabSheet::~TTabSheet() {
    if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) { SetParent(Value); }

int TTabSheet::PageIndex() const { return pageControl_ ? IndexIn(pageControl_->pages_, this) : -1; }

void TTabSheet::SetParent(TWinControl* AParent) {
    if (AParent == Parent()) return;
    if (pageControl_) pageControl_->RemovePage(this);
    TWinControl::SetParent(AParent);
    if (auto* pc = dynamic_cast<TPageControl*>(AParent)) pc->InsertPage(this);
}

void TTabSheet::Dispatch(TMessage& Message) {
    TWinControl::Dispatch(Message);
    if (Message.Msg == CM_TEXTCHANGED && pageControl_) pageControl_->PageCaptionChanged(this);
}

// ---- TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

TPageControl::~TPageControl() {
    for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
    pages_.clear();
}

TTabSheet* TPageControl::Pages(int Index) const { return ItemAt(pages_, Index); }

std::vector<String> TPageControl::TabCaptions() const {
    std::vector<String> captions;
    for (TTabSheet* page : pages_) captions.push_back(page->Caption());
    return captions;
}

void TPageControl::InsertPage(TTabSheet* Page) {
    Page->pageControl_ = this;
    pages_.push_back(Page);
    RebuildTabs();
    if (!activePage_) SetActivePage(Page);
}

void TPageControl::RemovePage(TTabSheet* Page) {
    auto it = std::find(pages_.begin(), pages_.end(), Page);
    Page->pageControl_ = nullptr;
    if (it == pages_.end()) return;
    size_t index = size_t(it - pages_.begin());
    pages_.erase(it);
    if (activePage_ == Page) {
        activePage_ = nullptr;
        if (!pages_.empty()) activePage_ = pages_[std::min(index, pages_.size() - 1)];
    }
    RebuildTabs();
    ShowPage(activePage_);
}

void TPageControl::PageCaptionChanged(TTabSheet* Page) {
    int index = Page->PageIndex();
    if (!HandleAllocated() || index < 0) return;
    String caption = Page->Caption();
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(caption.c_str());
    SendMessageW(WindowHandle(), TCM_SETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    Realign();
}

void TPageControl::ShowPage(TTabSheet* Page) {
    for (TTabSheet* p : pages_)
        if (p != Page) p->SetVisible(false);
    if (Page) {
        Page->SetVisible(true);
        Page->BringToFront();
    }
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int Value) {
    SetActivePage(Value >= 0 && Value < PageCount() ? pages_[size_t(Value)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* Page) {
    if (Page && Page->pageControl_ != this) return;
    activePage_ = Page;
    if (HandleAllocated()) SendMessageW(WindowHandle(), TCM_SETCURSEL, WPARAM(Page ? Page->PageIndex() : -1), 0);
    ShowPage(Page);
}

// The user picked a tab: its page comes up before OnChange runs.
void TPageControl::Change() {
    int index = int(SendMessageW(WindowHandle(), TCM_GETCURSEL, 0, 0));
    activePage_ = index >= 0 && index < PageCount() ? pages_[size_t(index)] : nullptr;
    ShowPage(activePage_);
    TCustomTabControl::Change();
}

}  // namespace fw
