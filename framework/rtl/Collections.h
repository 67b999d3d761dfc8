// Collections: lists that own their items, where each item knows its
// collection and its place in it (title buttons, stored skins and their
// sections, image-list items).
//
// Items are made by Add or Insert, which build the whole item first and only
// then announce it (Notify(cnAdded), then Update): C++ runs no derived code
// inside a base constructor, so a collection's Notify must not see a half-built
// item. Delete and Clear announce cnDeleting before the item's destructor
// runs; every removal (also `delete item` and SetCollection) announces
// cnExtracting as the item leaves the list, by when a deleted item is only a
// TCollectionItem.
//
// Update(Item) reports a change: Item for a change of that item alone,
// nullptr for the whole collection (items added, removed, moved, cleared,
// assigned). Between BeginUpdate and EndUpdate nothing is reported; the last
// EndUpdate reports one Update(nullptr).
#pragma once

#include <vector>

#include "framework/rtl/Object.h"

namespace fw {

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
public:
    // Joins Collection (when given) at the end, unannounced: use Add or Insert.
    explicit TCollectionItem(TCollection* Collection);
    // Leaves the collection.
    ~TCollectionItem() override;
    String ClassName() const override { return L"TCollectionItem"; }

    TCollection* Collection() const { return collection_; }
    // Moves the item into another collection (nullptr takes it out).
    void SetCollection(TCollection* Value);
    TPersistent* GetOwner() const override;
    // Unique in its collection, never reused there.
    int ID() const { return id_; }
    // The place in the collection, -1 outside one. Setting it moves the item;
    // the index is clamped to the list.
    int Index() const;
    virtual void SetIndex(int Value);
    // What a list shows for the item: GetDisplayName, by default ClassName().
    String DisplayName() const { return GetDisplayName(); }
    // The base keeps nothing and reports a change of the item; items with a
    // name of their own store it.
    virtual void SetDisplayName(const String& Value);

protected:
    virtual String GetDisplayName() const { return ClassName(); }
    // Reports a change of this item (AllItems false) or of the collection.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

// Makes a new item of the collection's class inside the collection.
using TCollectionItemClass = TCollectionItem* (*)(TCollection* Collection);

template <typename T>
TCollectionItem* NewCollectionItem(TCollection* Collection) {
    return new T(Collection);
}

class TCollection : public TPersistent {
public:
    explicit TCollection(TCollectionItemClass ItemClass = &NewCollectionItem<TCollectionItem>);
    // Frees every item, reporting nothing.
    ~TCollection() override;
    String ClassName() const override { return L"TCollection"; }

    // Makes Count items like Source's, each Assign'ed from the source item.
    // A source that is not a collection: the framework's assignment error.
    void Assign(const TPersistent* Source) override;

    TCollectionItem* Add();
    // Add, then moved to Index.
    TCollectionItem* Insert(int Index);
    // Frees the item at Index; EListError outside 0..Count-1.
    void Delete(int Index);
    void Clear();
    int Count() const { return int(items_.size()); }
    // EListError "List index out of bounds (%d)" outside 0..Count-1.
    TCollectionItem* Items(int Index) const;
    TCollectionItem* FindItemID(int ID) const;
    TCollectionItemClass ItemClass() const { return itemClass_; }

    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return updateCount_; }

protected:
    // A change (see the top of the file). The base does nothing.
    virtual void Update(TCollectionItem* Item) { (void)Item; }
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) { (void)Item, (void)Action; }
    // Update(nullptr) unless inside BeginUpdate/EndUpdate.
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    void Announce(TCollectionItem* Item);
    TCollectionItem* Take(int Index);  // the item at Index, checked

    TCollectionItemClass itemClass_;
    std::vector<TCollectionItem*> items_;
    int nextID_ = 0;
    int updateCount_ = 0;
};

// A collection that answers GetOwner with the object that made it (a
// component holding it as a property).
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass) : TCollection(ItemClass), owner_(AOwner) {}
    String ClassName() const override { return L"TOwnedCollection"; }
    TPersistent* GetOwner() const override { return owner_; }

private:
    TPersistent* owner_;
};

}  // namespace fw
