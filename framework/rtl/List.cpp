#include "framework/rtl/List.h"

#include <string>

namespace fw {

void TList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
}

void* TList::Items(int Index) const {
    CheckIndex(Index);
    return items_[static_cast<size_t>(Index)];
}

void TList::SetItems(int Index, void* Item) {
    CheckIndex(Index);
    items_[static_cast<size_t>(Index)] = Item;
}

int TList::Add(void* Item) {
    items_.push_back(Item);
    return Count() - 1;
}

void TList::Insert(int Index, void* Item) {
    if (Index < 0 || Index > Count()) throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    items_.insert(items_.begin() + Index, Item);
}

void TList::Delete(int Index) {
    CheckIndex(Index);
    items_.erase(items_.begin() + Index);
}

int TList::IndexOf(const void* Item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == Item) return static_cast<int>(i);
    return -1;
}

int TList::Remove(void* Item) {
    int index = IndexOf(Item);
    if (index >= 0) Delete(index);
    return index;
}

void* TList::Extract(void* Item) {
    int index = IndexOf(Item);
    if (index < 0) return nullptr;
    Delete(index);
    return Item;
}

void TList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(items_[static_cast<size_t>(Index1)], items_[static_cast<size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    CheckIndex(NewIndex);
    void* item = Items(CurIndex);
    items_.erase(items_.begin() + CurIndex);
    items_.insert(items_.begin() + NewIndex, item);
}

}  // namespace fw
