// Tree views and list views on comctl32's windows. Nodes, columns and items
// are kept by the control and sent to each window it makes.
#include "framework/windows/ComCtrls.h"

namespace fw {

// ---- TTreeNode, TTreeNodes

void TTreeNode::SetText(const String& Value) {
    text_ = Value;
    TCustomTreeView* tree = owner_->owner_;
    if (!itemId_ || !tree->HandleAllocated()) return;
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = itemId_;
    item.pszText = const_cast<LPWSTR>(text_.c_str());
    SendMessageW(tree->WindowHandle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

TTreeNode* TTreeNodes::Item(int Index) const { return ItemAt(nodes_, Index); }

void TTreeNodes::Send(TTreeNode* Node) {
    TVINSERTSTRUCTW ins = {};
    ins.hParent = Node->parent_ ? Node->parent_->itemId_ : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM;
    ins.item.pszText = const_cast<LPWSTR>(Node->text_.c_str());
    ins.item.lParam = reinterpret_cast<LPARAM>(Node);
    Node->itemId_ = reinterpret_cast<HTREEITEM>(
        SendMessageW(owner_->WindowHandle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const String& S) {
    nodes_.push_back(std::unique_ptr<TTreeNode>(new TTreeNode(this, Parent, S)));
    TTreeNode* node = nodes_.back().get();
    if (owner_->HandleAllocated()) Send(node);
    return node;
}

void TTreeNodes::Clear() {
    if (owner_->HandleAllocated()) SendMessageW(owner_->WindowHandle(), TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
    nodes_.clear();
}

// ---- TCustomTreeView

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner), items_(this) {
    controlStyle_ = {csCaptureMouse, csClickEvents, csDoubleClicks};
    width_ = 121;
    height_ = 97;
    SetTabStop(true);
    SetColor(clWindow);
}

TCanvas* TCustomTreeView::Canvas() { return OwnCanvas(canvas_, this); }

void TCustomTreeView::CreateParams(TCreateParams& Params) {
    InitCommonControl(ICC_TREEVIEW_CLASSES);
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TREEVIEWW);
    Params.Style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomTreeView::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    // Parents come before their children in the list.
    for (auto& node : items_.nodes_) items_.Send(node.get());
}

void TCustomTreeView::CNNotify(TWMNotify& Message) {
    if (Message.NMHdr->code != NM_CUSTOMDRAW) {
        DefaultHandler(reinterpret_cast<TMessage&>(Message));
        return;
    }
    auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(Message.NMHdr);
    std::function<bool(TCustomDrawStage)> fire;
    if (OnAdvancedCustomDraw)
        fire = [&](TCustomDrawStage stage) {
            bool defaultDraw = true;
            OnAdvancedCustomDraw(this, TRect(cd->nmcd.rc), stage, defaultDraw);
            return defaultDraw;
        };
    Message.Result = ControlCustomDraw(cd->nmcd, static_cast<TControlCanvas*>(Canvas()), fire, false);
}

void TCustomTreeView::Dispatch(TMessage& Message) {
    if (Message.Msg == CN_NOTIFY)
        CNNotify(reinterpret_cast<TWMNotify&>(Message));
    else
        TWinControl::Dispatch(Message);
}

// ---- TListColumn, TListColumns

void TListColumn::SetCaption(const String& Value) {
    caption_ = Value;
    owner_->SendColumn(Index(), false);
}

int TListColumn::Width() const {
    if (owner_->HandleAllocated() && owner_->viewStyle_ == vsReport)
        return int(SendMessageW(owner_->WindowHandle(), LVM_GETCOLUMNWIDTH, WPARAM(Index()), 0));
    return width_;
}

void TListColumn::SetWidth(int Value) {
    width_ = Value;
    owner_->SendColumn(Index(), false);
}

int TListColumn::Index() const { return IndexIn(owner_->columns_.items_, this); }

TListColumn* TListColumns::Items(int Index) const { return ItemAt(items_, Index); }

TListColumn* TListColumns::Add() {
    items_.push_back(std::unique_ptr<TListColumn>(new TListColumn(owner_)));
    owner_->SendColumn(Count() - 1, true);
    return items_.back().get();
}

void TListColumns::Clear() {
    if (owner_->HandleAllocated())
        for (int i = Count() - 1; i >= 0; --i) SendMessageW(owner_->WindowHandle(), LVM_DELETECOLUMN, WPARAM(i), 0);
    items_.clear();
}

// ---- TListItem, TListItems

void TListItem::SetCaption(const String& Value) {
    caption_ = Value;
    owner_->SendItem(Index(), false);
}

int TListItem::Index() const { return IndexIn(owner_->items_.items_, this); }

TListItem* TListItems::Item(int Index) const { return ItemAt(items_, Index); }

TListItem* TListItems::Add() {
    items_.push_back(std::unique_ptr<TListItem>(new TListItem(owner_)));
    owner_->SendItem(Count() - 1, true);
    return items_.back().get();
}

void TListItems::Clear() {
    if (owner_->HandleAllocated()) SendMessageW(owner_->WindowHandle(), LVM_DELETEALLITEMS, 0, 0);
    items_.clear();
}

// ---- TCustomListView

namespace {

DWORD ViewStyleBits(TViewStyle Style) {
    static const DWORD styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    return styles[Style];
}

}  // namespace

TCustomListView::TCustomListView(TComponent* AOwner) : TWinControl(AOwner), columns_(this), items_(this) {
    controlStyle_ = {csCaptureMouse, csClickEvents, csDoubleClicks};
    width_ = 250;
    height_ = 150;
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomListView::CreateParams(TCreateParams& Params) {
    InitCommonControl(ICC_LISTVIEW_CLASSES);
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_LISTVIEWW);
    Params.Style |= ViewStyleBits(viewStyle_) | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListView::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    if (smallImages_)
        SendMessageW(WindowHandle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_->Handle()));
    for (int i = 0; i < columns_.Count(); ++i) SendColumn(i, true);
    for (int i = 0; i < items_.Count(); ++i) SendItem(i, true);
}

void TCustomListView::SendColumn(int Index, bool Insert) {
    if (!HandleAllocated() || Index < 0) return;
    TListColumn* c = columns_.items_[size_t(Index)].get();
    LVCOLUMNW col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = const_cast<LPWSTR>(c->caption_.c_str());
    col.cx = c->width_;
    col.iSubItem = Index;
    SendMessageW(WindowHandle(), Insert ? LVM_INSERTCOLUMNW : LVM_SETCOLUMNW, WPARAM(Index),
                 reinterpret_cast<LPARAM>(&col));
}

void TCustomListView::SendItem(int Index, bool Insert) {
    if (!HandleAllocated() || Index < 0) return;
    TListItem* it = items_.items_[size_t(Index)].get();
    LVITEMW item = {};
    item.mask = LVIF_TEXT | (Insert ? LVIF_PARAM : 0);
    item.iItem = Index;
    item.pszText = const_cast<LPWSTR>(it->caption_.c_str());
    item.lParam = reinterpret_cast<LPARAM>(it);
    SendMessageW(WindowHandle(), Insert ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TCustomListView::SetViewStyle(TViewStyle Value) {
    if (viewStyle_ == Value) return;
    viewStyle_ = Value;
    if (!HandleAllocated()) return;
    // The window switches its view in place.
    HWND h = WindowHandle();
    LONG style = GetWindowLongW(h, GWL_STYLE);
    SetWindowLongW(h, GWL_STYLE, LONG((DWORD(style) & ~DWORD(LVS_TYPEMASK)) | ViewStyleBits(Value)));
    InvalidateRect(h, nullptr, TRUE);
}

void TCustomListView::SetSmallImages(TCustomImageList* Value) {
    if (smallImages_ == Value) return;
    SetReference(this, smallImages_, Value);
    RecreateWnd();
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && IsReference(AComponent, smallImages_)) SetSmallImages(nullptr);
}

}  // namespace fw
