// Components: objects with an owner that frees them, a name, a tag, a state
// and notifications about other components coming and going.
//
// C++ runs no derived override from a base constructor or destructor, so a
// component's life has explicit phases:
//  - construction: `new TFoo(owner)`, then the creator calls AfterConstruction()
//    (Create<TFoo>(owner) does both). The constructor puts the component in
//    its owner's list; the owner's Notification(opInsert) waits for
//    AfterConstruction, so that receivers see the whole class (a provider
//    testing "is it a TWinControl" gets the right answer). Overrides of
//    AfterConstruction call the base first.
//  - loading a form built in code: BeginLoading(root) marks the root and the
//    components it owns (and those created for it until EndLoading) with
//    csLoading|csReading; the builder sets their properties; EndLoading(root)
//    clears csReading and calls Loaded() on the root, then on each of those
//    components in creation order. Run-time-created components get no Loaded().
//  - destruction: Free() (or the owner's destruction) marks csDestroying on the
//    component and everything it owns first, then deletes it. The base
//    destructor tells free-notified components (opRemove), frees the owned
//    components last-first (each taken out of the list before it is deleted)
//    and leaves its owner. By then the derived parts of this component are
//    gone: a class whose owned components call back into it must call
//    DestroyComponents() at the start of its own destructor.
// `delete` on a component is allowed anywhere; it leaves its owner's list.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "framework/rtl/Object.h"

namespace fw {

FW_EXCEPTION(EComponentError, Exception);

enum TComponentStateItem {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,  // never set: there is no designer
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = Set<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    String ClassName() const override { return L"TComponent"; }

    // Called by the creator once the whole object exists; announces the
    // component to its owner (opInsert).
    virtual void AfterConstruction();
    // Marks csDestroying (here and on everything owned) before destruction.
    virtual void BeforeDestruction();
    // BeforeDestruction, then delete.
    void Free();

    TComponent* Owner() const { return owner_; }
    TPersistent* GetOwner() const override { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    // EListError "List index out of bounds (%d)" outside 0..ComponentCount-1.
    TComponent* Components(int Index) const;
    int ComponentIndex() const;
    // Takes AComponent over from its current owner; the name must be unique here.
    void InsertComponent(TComponent* AComponent);
    // Tells every owned component (opRemove) and lets AComponent go unowned.
    void RemoveComponent(TComponent* AComponent);
    // The owned component of that name (case-insensitive), or nullptr.
    TComponent* FindComponent(const String& AName) const;
    void DestroyComponents();
    void Destroying();

    const String& Name() const { return name_; }
    // EComponentError "'%s' is not a valid component name" or "A component
    // named %s already exists".
    virtual void SetName(const String& NewName);
    intptr_t Tag() const { return tag_; }
    void SetTag(intptr_t Value) { tag_ = Value; }
    TComponentState ComponentState() const { return state_; }

    // Asks for Notification(AComponent-or-this, opRemove) when either of the
    // two is destroyed. Components of the same owner learn of each other
    // through the owner instead.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

protected:
    // The end of loading; clears csLoading. Overrides call this one.
    virtual void Loaded();
    // Another component was inserted into or is leaving this one or one it
    // is linked to. The base version forgets a leaving free-notification link
    // and passes the news to every owned component.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

private:
    friend void BeginLoading(TComponent* Root);
    friend void EndLoading(TComponent* Root);

    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void RemoveNotification(TComponent* AComponent);
    void RemoveFreeNotifications();
    void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) const;

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    String name_;
    intptr_t tag_ = 0;
    TComponentState state_;
    bool loadingRoot_ = false;
    bool insertPending_ = false;
};

// new T(args...), then AfterConstruction().
template <typename T, typename... Args>
T* Create(Args&&... args) {
    T* component = new T(std::forward<Args>(args)...);
    try {
        component->AfterConstruction();
    } catch (...) {
        delete component;
        throw;
    }
    return component;
}

// The loading phase of a form or data module built in code (see above).
void BeginLoading(TComponent* Root);
void EndLoading(TComponent* Root);

}  // namespace fw
