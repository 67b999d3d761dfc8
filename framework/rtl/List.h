// A list of untyped pointers, the framework's general-purpose container.
// Index errors raise EListError "List index out of bounds (%d)".
#pragma once

#include <vector>

#include "framework/rtl/Object.h"

namespace fw {

class TList : public TObject {
public:
    TList() = default;
    String ClassName() const override { return L"TList"; }

    int Count() const { return static_cast<int>(items_.size()); }
    void* Items(int Index) const;
    void SetItems(int Index, void* Item);
    void* operator[](int Index) const { return Items(Index); }

    int Add(void* Item);
    // Index may be Count (appending).
    void Insert(int Index, void* Item);
    void Delete(int Index);
    // Removes the first occurrence; returns its former index or -1.
    int Remove(void* Item);
    // Removes the first occurrence and returns it, or nullptr when absent.
    void* Extract(void* Item);
    int IndexOf(const void* Item) const;
    void Clear() { items_.clear(); }
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }

private:
    void CheckIndex(int Index) const;

    std::vector<void*> items_;
};

}  // namespace fw
