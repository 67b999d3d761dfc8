#include "framework/rtl/Collections.h"

#include <algorithm>

#include "framework/rtl/SysUtils.h"

namespace fw {

// ---- TCollectionItem

TCollectionItem::TCollectionItem(TCollection* Collection) {
    if (Collection) Collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
    if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
    if (Value == collection_) return;
    if (collection_) collection_->RemoveItem(this);
    if (Value) {
        Value->InsertItem(this);
        Value->Announce(this);
    }
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

int TCollectionItem::Index() const {
    if (!collection_) return -1;
    auto& items = collection_->items_;
    return int(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
    int current = Index();
    if (current < 0) return;
    auto& items = collection_->items_;
    Value = std::clamp(Value, 0, int(items.size()) - 1);
    if (Value == current) return;
    items.erase(items.begin() + current);
    items.insert(items.begin() + Value, this);
    Changed(true);
}

void TCollectionItem::SetDisplayName(const String&) { Changed(false); }

void TCollectionItem::Changed(bool AllItems) {
    if (collection_ && collection_->updateCount_ == 0) collection_->Update(AllItems ? nullptr : this);
}

// ---- TCollection

TCollection::TCollection(TCollectionItemClass ItemClass) : itemClass_(ItemClass) {}

TCollection::~TCollection() {
    updateCount_ = 1;  // a collection going away reports nothing
    while (!items_.empty()) delete items_.back();
}

void TCollection::InsertItem(TCollectionItem* Item) {
    items_.push_back(Item);
    Item->collection_ = this;
    Item->id_ = nextID_++;
}

void TCollection::Announce(TCollectionItem* Item) {
    Notify(Item, cnAdded);
    Changed();
}

// Called from the item's destructor or SetCollection: the item is still
// whole only up to TCollectionItem, so the deleting notice comes earlier.
void TCollection::RemoveItem(TCollectionItem* Item) {
    Notify(Item, cnExtracting);
    items_.erase(std::remove(items_.begin(), items_.end(), Item), items_.end());
    Item->collection_ = nullptr;
    Changed();
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = itemClass_(this);
    if (item->collection_ != this)
        item->SetCollection(this);  // an item class that joined nothing
    else
        Announce(item);
    return item;
}

TCollectionItem* TCollection::Insert(int Index) {
    TCollectionItem* item = Add();
    item->SetIndex(Index);
    return item;
}

TCollectionItem* TCollection::Take(int Index) {
    if (Index < 0 || Index >= Count()) throw EListError(Format(L"List index out of bounds (%d)", Index));
    return items_[size_t(Index)];
}

TCollectionItem* TCollection::Items(int Index) const { return const_cast<TCollection*>(this)->Take(Index); }

void TCollection::Delete(int Index) {
    TCollectionItem* item = Take(Index);
    Notify(item, cnDeleting);
    delete item;
}

void TCollection::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    try {
        while (!items_.empty()) Delete(Count() - 1);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == ID) return item;
    return nullptr;
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Changed() {
    if (updateCount_ == 0) Update(nullptr);
}

void TCollection::Assign(const TPersistent* Source) {
    const TCollection* source = dynamic_cast<const TCollection*>(Source);
    if (!source) return TPersistent::Assign(Source);
    if (source == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* from : source->items_) Add()->Assign(from);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

}  // namespace fw
