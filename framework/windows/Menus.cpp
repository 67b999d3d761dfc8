// TMenuItem and TMenu: the item tree, its menu handles and owner draw.
#include "framework/windows/Menus.h"

#include <algorithm>
#include <map>

#include "framework/windows/Screen.h"

namespace fw {

namespace {

// Every live item by its command number: commands are unique in the process,
// and a number the system hands back is checked against this table before
// anything is called on the item it names.
std::map<WORD, TMenuItem*>& Commands() {
    static std::map<WORD, TMenuItem*> table;
    return table;
}

constexpr WORD kLastCommand = 0xEFFF;

WORD AllocateCommand(TMenuItem* Item) {
    static WORD next = 0;
    auto& table = Commands();
    for (unsigned tries = 0; tries < kLastCommand; ++tries) {
        next = WORD(next >= kLastCommand ? 1 : next + 1);
        if (table.emplace(next, Item).second) return next;
    }
    throw EMenuError(L"Too many menu items");
}

// The item a WM_MEASUREITEM/WM_DRAWITEM names, if it belongs to Menu.
TMenuItem* OwnerDrawItem(TMenu* Menu, UINT ItemID, ULONG_PTR ItemData) {
    TMenuItem* item = Menu->FindItem(ItemID, fkCommand);
    if (!item) item = Menu->FindItem(ItemID, fkHandle);
    if (!item && ItemData) {
        // The item data is the item itself; trust it only when it is live and ours.
        for (auto& [command, live] : Commands())
            if (reinterpret_cast<ULONG_PTR>(live) == ItemData) {
                item = Menu->FindItem(command, fkCommand);
                break;
            }
    }
    return item;
}

// A canvas on a DC the system lends for one message: the menu font, and the
// DC handed back as it came.
struct LentCanvas {
    TCanvas canvas;
    HDC dc;
    int saved;
    LentCanvas(HDC DC, bool Bold) : dc(DC), saved(SaveDC(DC)) {
        canvas.Lock();
        canvas.SetHandle(DC);
        canvas.Font()->Assign(Screen->MenuFont());
        if (Bold) canvas.Font()->SetStyle(canvas.Font()->Style() + TFontStyles{fsBold});
    }
    ~LentCanvas() {
        canvas.SetHandle(nullptr);
        canvas.Unlock();
        RestoreDC(dc, saved);
    }
};

constexpr int kGlyphWidth = 16;  // the check or picture column of a popup item
constexpr int kMargin = 4;

}  // namespace

// ---------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) { command_ = AllocateCommand(this); }

TMenuItem::~TMenuItem() {
    if (parent_) parent_->Remove(this);
    if (handle_) {
        // Submenus are children's handles: detach them before the list goes.
        while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
        DestroyMenu(handle_);
        handle_ = nullptr;
    }
    FreeChildren();
    delete bitmap_;
    Commands().erase(command_);
}

void TMenuItem::FreeChildren() {
    while (!items_.empty()) {
        TMenuItem* child = items_.back();
        items_.pop_back();
        child->parent_ = nullptr;
        child->Free();
    }
}

TMenuItem* TMenuItem::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    return items_[size_t(Index)];
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->parent_) item = item->parent_;
    return item->menu_;
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    auto it = std::find(items_.begin(), items_.end(), Item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (!Item) return;
    if (Item->parent_) throw EMenuError(L"Menu inserted twice");
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == Item) throw EMenuError(L"Menu item cannot be its own parent");
    Index = std::clamp(Index, 0, Count());
    items_.insert(items_.begin() + Index, Item);
    Item->parent_ = this;
    MenuChangedList(true);
}

void TMenuItem::Delete(int Index) {
    TMenuItem* item = Items(Index);
    items_.erase(items_.begin() + Index);
    item->parent_ = nullptr;
    MenuChangedList(true);
}

void TMenuItem::Remove(TMenuItem* Item) {
    int i = IndexOf(Item);
    if (i >= 0) Delete(i);
}

void TMenuItem::Clear() {
    FreeChildren();
    MenuChangedList(true);
}

TMenuItem* TMenuItem::Find(WORD ACommand) {
    if (command_ == ACommand) return this;
    for (TMenuItem* child : items_)
        if (TMenuItem* found = child->Find(ACommand)) return found;
    return nullptr;
}

// ---- the menu handle

HMENU TMenuItem::Handle() {
    if (!handle_) {
        handle_ = (menu_ && !parent_) ? menu_->CreateMenuHandle() : CreatePopupMenu();
        if (!handle_) throw EMenuError(L"Cannot create a menu handle");
        RebuildHandle();
    }
    return handle_;
}

void TMenuItem::RebuildHandle() {
    if (!handle_ || rebuilding_) return;
    rebuilding_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{rebuilding_};
    // Only the items put in by menus (their data is the item, live or just
    // freed) are taken out: what the system added to a bar (a maximised MDI
    // child's window menu first, its buttons last) carries no data and stays;
    // the items go back after the leading ones.
    const int count = GetMenuItemCount(handle_);
    std::vector<bool> own(size_t(std::max(count, 0)));
    for (int pos = 0; pos < count; ++pos) {
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_DATA;
        own[size_t(pos)] = GetMenuItemInfoW(handle_, UINT(pos), TRUE, &mii) && mii.dwItemData != 0;
    }
    UINT at = 0;
    const bool anyOwn = std::find(own.begin(), own.end(), true) != own.end();
    for (int pos = 0; pos < count && !own[size_t(pos)]; ++pos) {
        // Without own items only a leading window menu stays before them.
        if (!anyOwn && !GetSubMenu(handle_, pos)) break;
        ++at;
    }
    for (int pos = count - 1; pos >= 0; --pos)
        if (own[size_t(pos)]) RemoveMenu(handle_, UINT(pos), MF_BYPOSITION);
    TMenu* menu = GetParentMenu();
    bool ownerDraw = menu && menu->OwnerDraw();
    std::vector<TMenuItem*> list;
    if (menu_ && !parent_) {
        list = menu_->RootItems();
    } else {
        for (TMenuItem* child : items_)
            if (child->visible_) list.push_back(child);
    }
    for (TMenuItem* child : list) child->InsertInto(handle_, at++, ownerDraw);
}

void TMenuItem::InsertInto(HMENU Menu, UINT Pos, bool OwnerDraw) {
    String text = DisplayText();
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
    if (IsLine()) {
        mii.fType |= MFT_SEPARATOR;
    } else {
        mii.fMask |= MIIM_STRING;
        mii.dwTypeData = text.data();
    }
    if (OwnerDraw) mii.fType |= MFT_OWNERDRAW;
    if (radioItem_) mii.fType |= MFT_RADIOCHECK;
    if (break_ == mbBreak) mii.fType |= MFT_MENUBREAK;
    if (break_ == mbBarBreak) mii.fType |= MFT_MENUBARBREAK;
    if (checked_) mii.fState |= MFS_CHECKED;
    if (!enabled_) mii.fState |= MFS_DISABLED | MFS_GRAYED;
    if (default_) mii.fState |= MFS_DEFAULT;
    mii.wID = command_;
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    mii.hSubMenu = items_.empty() ? nullptr : Handle();
    InsertMenuItemW(Menu, Pos, TRUE, &mii);
}

String TMenuItem::DisplayText() const {
    String sc = ShortCutToText(shortCut_);
    return sc.empty() ? caption_ : caption_ + L"\t" + sc;
}

void TMenuItem::MenuChangedList(bool Rebuild) {
    if (Rebuild) RebuildHandle();
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, Rebuild);
}

void TMenuItem::MenuChanged(bool Rebuild) {
    if (Rebuild && parent_) parent_->RebuildHandle();
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, Rebuild);
}

// ---- properties

void TMenuItem::SetCaption(const String& Value) {
    if (caption_ == Value) return;
    caption_ = Value;
    MenuChanged(true);
}

void TMenuItem::SetVisible(bool Value) {
    if (visible_ == Value) return;
    visible_ = Value;
    MenuChanged(true);
}

void TMenuItem::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    MenuChanged(true);
}

void TMenuItem::SetChecked(bool Value) {
    if (checked_ == Value) return;
    checked_ = Value;
    if (Value && radioItem_) TurnSiblingsOff();
    MenuChanged(true);
}

void TMenuItem::TurnSiblingsOff() {
    if (!parent_) return;
    for (TMenuItem* sibling : parent_->items_)
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->checked_ = false;
}

void TMenuItem::SetRadioItem(bool Value) {
    if (radioItem_ == Value) return;
    radioItem_ = Value;
    if (Value && checked_) TurnSiblingsOff();
    MenuChanged(true);
}

void TMenuItem::SetDefault(bool Value) {
    if (default_ == Value) return;
    // One default item per list.
    if (Value && parent_)
        for (TMenuItem* sibling : parent_->items_) sibling->default_ = false;
    default_ = Value;
    MenuChanged(true);
}

void TMenuItem::SetBreak(TMenuBreak Value) {
    if (break_ == Value) return;
    break_ = Value;
    MenuChanged(true);
}

void TMenuItem::SetGroupIndex(BYTE Value) {
    if (groupIndex_ == Value) return;
    groupIndex_ = Value;
    if (checked_ && radioItem_) TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetShortCut(TShortCut Value) {
    if (shortCut_ == Value) return;
    shortCut_ = Value;
    MenuChanged(true);
}

TBitmap* TMenuItem::Bitmap() {
    if (!bitmap_) bitmap_ = new TBitmap;
    return bitmap_;
}

void TMenuItem::SetImageIndex(int Value) {
    if (imageIndex_ == Value) return;
    imageIndex_ = Value;
    MenuChanged(true);
}

void TMenuItem::SetSubMenuImages(TCustomImageList* Value) {
    if (subMenuImages_ == Value) return;
    if (subMenuImages_) RemoveFreeNotification(subMenuImages_);
    subMenuImages_ = Value;
    if (Value) FreeNotification(Value);
    MenuChanged(true);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == subMenuImages_) SetSubMenuImages(nullptr);
}

void TMenuItem::Click() {
    if (enabled_ && OnClick) OnClick(this);
}

// ---- owner draw

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
    TMenu* menu = GetParentMenu();
    bool topLevel = menu && menu->IsMenuBar() && parent_ == menu->Items();
    if (IsLine()) {
        Width = 2 * kMargin;
        Height = GetSystemMetrics(SM_CYMENU) / 2;
    } else {
        TSize text = ACanvas->TextExtent(caption_);
        Width = text.cx + 2 * kMargin;
        Height = std::max<int>(text.cy + 2 * kMargin, GetSystemMetrics(SM_CYMENU));
        if (!topLevel) {
            Width += kGlyphWidth + kMargin;
            String sc = ShortCutToText(shortCut_);
            if (!sc.empty()) Width += ACanvas->TextWidth(sc) + 4 * kMargin;
            if (HasBitmap()) Height = std::max(Height, bitmap_->Height() + 2);
        }
    }
    if (OnMeasureItem) OnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel) {
    if (OnAdvancedDrawItem) {
        OnAdvancedDrawItem(this, ACanvas, ARect, State);
    } else if (OnDrawItem) {
        OnDrawItem(this, ACanvas, ARect, State.Contains(odSelected));
    } else {
        DrawDefault(ACanvas, ARect, State, TopLevel);
    }
}

void TMenuItem::DrawDefault(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel) {
    bool selected = State.Contains(odSelected) || State.Contains(odHotLight);
    ACanvas->Brush()->SetColor(selected ? clHighlight : clMenu);
    ACanvas->FillRect(ARect);
    HDC dc = ACanvas->Handle();
    if (IsLine()) {
        RECT line = {ARect.Left, ARect.Top + ARect.Height() / 2 - 1, ARect.Right, ARect.Bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    bool grayed = State.Contains(odGrayed) || State.Contains(odDisabled);
    ACanvas->Font()->SetColor(grayed ? clGrayText : (selected ? clHighlightText : clMenuText));
    ACanvas->Brush()->SetStyle(bsClear);
    dc = ACanvas->Handle();
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (State.Contains(odNoAccel)) flags |= DT_HIDEPREFIX;
    RECT text = *ARect.AsRECT();
    text.left += kMargin;
    text.right -= kMargin;
    if (!TopLevel) {
        text.left += kGlyphWidth + kMargin;
        RECT glyph = {ARect.Left + kMargin, ARect.Top, ARect.Left + kMargin + kGlyphWidth, ARect.Bottom};
        if (HasBitmap()) {
            ACanvas->Draw(glyph.left, ARect.Top + (ARect.Height() - bitmap_->Height()) / 2, bitmap_);
        } else if (checked_) {
            // The system's check or bullet shape, in the text colour.
            int size = std::min<int>(kGlyphWidth, ARect.Height());
            RECT mark = {0, 0, size, size};
            HDC mono = CreateCompatibleDC(dc);
            HBITMAP bits = CreateBitmap(size, size, 1, 1, nullptr);
            HGDIOBJ old = SelectObject(mono, bits);
            DrawFrameControl(mono, &mark, DFC_MENU, radioItem_ ? DFCS_MENUBULLET : DFCS_MENUCHECK);
            int top = ARect.Top + (ARect.Height() - size) / 2;
            COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
            COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
            // The shape black (AND), then the text colour into it (OR).
            BitBlt(dc, glyph.left, top, size, size, mono, 0, 0, SRCAND);
            SetBkColor(dc, RGB(0, 0, 0));
            SetTextColor(dc, COLORREF(ColorToRGB(ACanvas->Font()->Color())));
            BitBlt(dc, glyph.left, top, size, size, mono, 0, 0, SRCPAINT);
            SetBkColor(dc, oldBk);
            SetTextColor(dc, oldText);
            SelectObject(mono, old);
            DeleteObject(bits);
            DeleteDC(mono);
        }
    }
    DrawTextW(dc, caption_.c_str(), int(caption_.size()), &text, flags | (TopLevel ? DT_CENTER : DT_LEFT));
    String sc = TopLevel ? String() : ShortCutToText(shortCut_);
    if (!sc.empty()) DrawTextW(dc, sc.c_str(), int(sc.size()), &text, flags | DT_RIGHT);
}

// ---------------------------------------------------------------------------
// Merging

std::vector<TMergedItem> MergeMenuGroups(const std::vector<BYTE>& Own, const std::vector<BYTE>& Merged) {
    std::vector<TMergedItem> bar;
    size_t next = 0;
    for (size_t i = 0; i < Own.size(); ++i) {
        const BYTE g = Own[i];
        // The merged items up to this item's group come first...
        while (next < Merged.size() && Merged[next] <= g) bar.push_back({true, int(next++)});
        // ...and a group the merged menu has is its alone.
        if (std::find(Merged.begin(), Merged.end(), g) != Merged.end()) continue;
        bar.push_back({false, int(i)});
    }
    while (next < Merged.size()) bar.push_back({true, int(next++)});
    return bar;
}

// ---------------------------------------------------------------------------
// TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(nullptr)) { items_->menu_ = this; }

TMenu::~TMenu() {
    if (windowHandle_ && items_->handle_ && GetMenu(windowHandle_) == items_->handle_) SetMenu(windowHandle_, nullptr);
    items_->Free();
}

void TMenu::SetOwnerDraw(bool Value) {
    if (ownerDraw_ == Value) return;
    ownerDraw_ = Value;
    // Every list made so far, deepest first so submenus are complete when attached.
    struct Walk {
        static void Rebuild(TMenuItem* item) {
            for (TMenuItem* child : item->items_) Rebuild(child);
            item->RebuildHandle();
        }
    };
    Walk::Rebuild(items_);
    MenuChanged(nullptr, true);
}

void TMenu::SetImages(TCustomImageList* Value) {
    if (images_ == Value) return;
    if (images_) RemoveFreeNotification(images_);
    images_ = Value;
    if (Value) FreeNotification(Value);
    MenuChanged(nullptr, false);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == images_) SetImages(nullptr);
}

TMenuItem* TMenu::FindItem(UINT_PTR Value, TFindItemKind Kind) {
    struct Walk {
        static TMenuItem* Find(TMenuItem* item, UINT_PTR value, TFindItemKind kind) {
            switch (kind) {
                case fkCommand:
                    if (item->command_ == value) return item;
                    break;
                case fkHandle:
                    if (item->handle_ && reinterpret_cast<UINT_PTR>(item->handle_) == value) return item;
                    break;
                case fkShortCut:
                    if (item->shortCut_ != 0 && item->shortCut_ == value) return item;
                    break;
            }
            for (TMenuItem* child : item->items_)
                if (TMenuItem* found = Find(child, value, kind)) return found;
            return nullptr;
        }
    };
    if (Kind == fkCommand && Value == 0) return nullptr;
    TMenuItem* found = Walk::Find(items_, Value, Kind);
    if (found == items_ && Kind == fkCommand) found = nullptr;
    if (!found)
        if (TMenu* merged = MergedMenu()) found = merged->FindItem(Value, Kind);
    return found;
}

std::vector<TMenuItem*> TMenu::RootItems() const {
    std::vector<TMenuItem*> list;
    for (TMenuItem* item : items_->items_)
        if (item->visible_) list.push_back(item);
    return list;
}

void TMenu::RebuildRoot() { items_->RebuildHandle(); }

bool TMenu::DispatchCommand(WORD ACommand) {
    TMenuItem* item = FindItem(ACommand, fkCommand);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchMeasureItem(MEASUREITEMSTRUCT& Measure) {
    if (Measure.CtlType != ODT_MENU) return false;
    TMenuItem* item = OwnerDrawItem(this, Measure.itemID, Measure.itemData);
    if (!item) return false;
    HDC dc = GetDC(nullptr);
    {
        LentCanvas lent(dc, item->default_);
        int width = int(Measure.itemWidth), height = int(Measure.itemHeight);
        item->MeasureItem(&lent.canvas, width, height);
        Measure.itemWidth = UINT(std::max(width, 0));
        Measure.itemHeight = UINT(std::max(height, 0));
    }
    ReleaseDC(nullptr, dc);
    return true;
}

bool TMenu::DispatchDrawItem(const DRAWITEMSTRUCT& Draw) {
    if (Draw.CtlType != ODT_MENU) return false;
    TMenuItem* item = OwnerDrawItem(this, Draw.itemID, Draw.itemData);
    if (!item) return false;
    LentCanvas lent(Draw.hDC, item->default_);
    TMenu* merged = MergedMenu();
    bool topLevel = IsMenuBar() && (item->parent_ == items_ || (merged && item->parent_ == merged->items_));
    item->AdvancedDrawItem(&lent.canvas, TRect(Draw.rcItem), OwnerDrawStateFromODS(Draw.itemState), topLevel);
    return true;
}

bool TMenu::IsShortCut(WORD Key, TShiftState Shift) {
    TShortCut sc = fw::ShortCut(Key, Shift);
    if (sc == scNone) return false;
    TMenuItem* item = FindItem(sc, fkShortCut);
    if (!item || !item->enabled_) return false;
    for (TMenuItem* p = item->parent_; p; p = p->parent_)
        if (!p->enabled_) return false;
    item->Click();
    return true;
}

void TMenu::MenuChanged(TMenuItem* Source, bool Rebuild) {
    (void)Source;
    (void)Rebuild;
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// TMainMenu

void TMainMenu::SetAutoMerge(bool Value) {
    if (autoMerge_ == Value) return;
    autoMerge_ = Value;
    MenuChanged(nullptr, false);
}

TMainMenu::~TMainMenu() {
    // Out of the bar before the items (and their submenus) go.
    if (mergedInto_) mergedInto_->Unmerge(this);
    if (merged_) merged_->mergedInto_ = nullptr;
    merged_ = nullptr;
}

void TMainMenu::Merge(TMainMenu* Menu) {
    if (Menu == merged_) return;
    if (!Menu) {
        Unmerge(merged_);
        return;
    }
    if (Menu == this) return;
    if (Menu->mergedInto_) Menu->mergedInto_->Unmerge(Menu);
    if (merged_) merged_->mergedInto_ = nullptr;
    merged_ = Menu;
    Menu->mergedInto_ = this;
    RebuildRoot();
    MenuChanged(nullptr, true);
}

void TMainMenu::Unmerge(TMainMenu* Menu) {
    if (!Menu || Menu != merged_) return;
    merged_->mergedInto_ = nullptr;
    merged_ = nullptr;
    RebuildRoot();
    MenuChanged(nullptr, true);
}

std::vector<TMenuItem*> TMainMenu::RootItems() const {
    std::vector<TMenuItem*> own = TMenu::RootItems();
    if (!merged_) return own;
    std::vector<TMenuItem*> theirs = merged_->TMenu::RootItems();
    std::vector<BYTE> ownGroups, theirGroups;
    for (TMenuItem* item : own) ownGroups.push_back(item->GroupIndex());
    for (TMenuItem* item : theirs) theirGroups.push_back(item->GroupIndex());
    std::vector<TMenuItem*> bar;
    for (const TMergedItem& m : MergeMenuGroups(ownGroups, theirGroups))
        bar.push_back(m.FromMerged ? theirs[size_t(m.Index)] : own[size_t(m.Index)]);
    return bar;
}

void TMainMenu::MenuChanged(TMenuItem* Source, bool Rebuild) {
    // A merged menu's change is the bar's change.
    if (mergedInto_) {
        mergedInto_->RebuildRoot();
        mergedInto_->MenuChanged(nullptr, true);
    }
    TMenu::MenuChanged(Source, Rebuild);
    HWND wnd = WindowHandle();
    if (!wnd || !IsWindow(wnd)) return;
    if (GetMenu(wnd) && GetMenu(wnd) == Items()->HandleIfMade()) DrawMenuBar(wnd);
    SendMessageW(wnd, CM_MENUCHANGED, 0, 0);
}

}  // namespace fw
