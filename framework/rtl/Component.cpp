#include "framework/rtl/Component.h"

#include <algorithm>
#include <string>

#include "framework/rtl/SysUtils.h"

namespace fw {

namespace {

bool IsValidIdent(const String& s) {
    auto alpha = [](wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_'; };
    if (s.empty() || !alpha(s[0])) return false;
    for (wchar_t c : s)
        if (!alpha(c) && !(c >= L'0' && c <= L'9')) return false;
    return true;
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) {
    if (!AOwner) return;
    // Created for a root that is being loaded: this component loads with it.
    if (AOwner->loadingRoot_) state_ += {csLoading, csReading};
    AOwner->Insert(this);
    insertPending_ = true;
}

void TComponent::AfterConstruction() {
    if (!insertPending_) return;
    insertPending_ = false;
    if (owner_) owner_->Notification(this, opInsert);
}

TComponent::~TComponent() {
    Destroying();
    RemoveFreeNotifications();
    DestroyComponents();
    if (!owner_) return;
    // One never announced (no AfterConstruction yet) leaves without news.
    if (insertPending_)
        owner_->Remove(this);
    else
        owner_->RemoveComponent(this);
}

void TComponent::BeforeDestruction() {
    if (!state_.Contains(csDestroying)) Destroying();
}

void TComponent::Free() {
    BeforeDestruction();
    delete this;
}

void TComponent::Destroying() {
    if (state_.Contains(csDestroying)) return;
    state_.Include(csDestroying);
    for (TComponent* c : components_) c->Destroying();
}

TComponent* TComponent::Components(int Index) const {
    if (Index < 0 || Index >= ComponentCount())
        throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    return components_[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    auto it = std::find(owner_->components_.begin(), owner_->components_.end(), this);
    return it == owner_->components_.end() ? -1 : static_cast<int>(it - owner_->components_.begin());
}

void TComponent::Insert(TComponent* AComponent) {
    components_.push_back(AComponent);
    AComponent->owner_ = this;
}

void TComponent::Remove(TComponent* AComponent) {
    AComponent->owner_ = nullptr;
    auto it = std::find(components_.begin(), components_.end(), AComponent);
    if (it != components_.end()) components_.erase(it);
}

void TComponent::InsertComponent(TComponent* AComponent) {
    ValidateRename(AComponent, String(), AComponent->name_);
    if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
    AComponent->insertPending_ = false;
    Insert(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

TComponent* TComponent::FindComponent(const String& AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, AName)) return c;
    return nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* instance = components_.back();
        // Siblings that asked to hear of it are told; the rest go quietly.
        if (instance->state_.Contains(csFreeNotification))
            RemoveComponent(instance);
        else
            Remove(instance);
        instance->BeforeDestruction();
        delete instance;
    }
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) const {
    if (NewName.empty() || SameText(CurName, NewName)) return;
    TComponent* other = FindComponent(NewName);
    if (other && other != AComponent) throw EComponentError(L"A component named " + NewName + L" already exists");
}

void TComponent::SetName(const String& NewName) {
    if (name_ == NewName) return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError(L"'" + NewName + L"' is not a valid component name");
    if (owner_) owner_->ValidateRename(this, name_, NewName);
    name_ = NewName;
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!owner_ || AComponent->owner_ != owner_) {
        if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end()) {
            freeNotifies_.push_back(AComponent);
            AComponent->FreeNotification(this);
        }
    }
    state_.Include(csFreeNotification);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
    auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent);
    if (it == freeNotifies_.end()) return;
    freeNotifies_.erase(it);
    if (freeNotifies_.empty()) state_.Exclude(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::RemoveFreeNotifications() {
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        other->Notification(this, opRemove);
        // An override that skipped the base call must not leave the link
        // (and this loop) hanging.
        RemoveFreeNotification(other);
    }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    // Last first; a notified component may free others of the list.
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (i >= ComponentCount()) {
            i = ComponentCount();
            continue;
        }
        components_[static_cast<size_t>(i)]->Notification(AComponent, Operation);
    }
}

void TComponent::Loaded() { state_.Exclude(csLoading); }

void BeginLoading(TComponent* Root) {
    Root->loadingRoot_ = true;
    Root->state_ += {csLoading, csReading};
    for (TComponent* c : Root->components_) c->state_ += {csLoading, csReading};
}

void EndLoading(TComponent* Root) {
    std::vector<TComponent*> loading{Root};
    for (TComponent* c : Root->components_)
        if (c->state_.Contains(csLoading)) loading.push_back(c);
    Root->loadingRoot_ = false;
    for (TComponent* c : loading) c->state_.Exclude(csReading);
    for (TComponent* c : loading) {
        // A Loaded that ran before may have freed this one.
        if (c != Root && std::find(Root->components_.begin(), Root->components_.end(), c) == Root->components_.end())
            continue;
        c->Loaded();
    }
}

}  // namespace fw
