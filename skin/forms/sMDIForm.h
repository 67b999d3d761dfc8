// The MDI parent's companion: the provider of an MDI parent form makes one
// (HookMDI) to put the form's MDI client under a skinned wrapper, and runs the
// close, minimise and restore buttons of a maximised child through it.
#pragma once

#include "framework/rtl/Object.h"
#include "framework/windows/Forms.h"
#include "skin/forms/sMDIButtons.h"

namespace skin {

class TsSkinProvider;
class TacMDIWnd;

class TsMDIForm : public fw::TPersistent {
public:
    // The form's window is made now: the client wrapper needs ClientHandle.
    explicit TsMDIForm(TsSkinProvider* AOwner);
    ~TsMDIForm() override;
    fw::String ClassName() const override { return L"TsMDIForm"; }

    // Wraps the client unless it already is.
    void ConnectToClient();
    // A new wrapper while the provider is skinned, none otherwise.
    void RefreshMDIScrolls();
    void DestroyScrolls();
    // The maximised child's buttons and icon in the menu line drawn again.
    void UpdateMDIIconItem();
    // The command to the parent's active MDI child.
    void CloseClick(fw::TObject* Sender);
    void MinClick(fw::TObject* Sender);
    void RestoreClick(fw::TObject* Sender);

    fw::TCustomForm* FForm = nullptr;
    TacMDIWnd* ListSW = nullptr;  // owned
    TsSkinProvider* SkinProvider = nullptr;
    // The active child is maximised.
    bool ChildMaximized() const;

private:
    // A maximised child was active when the client began making a new one.
    bool FChildMaximizedBefore = false;
    void ToActiveChild(WPARAM Command);
};

// Gives an MDI child window not yet skinned its run-time provider.
void SkinMDIChild(HWND Child);
// What the MDI buttons read of the provider's form and its active child.
TMDIState MDIStateOf(TsSkinProvider* sp);
// The provider of the MDI parent that holds Child (nil when none).
TsSkinProvider* MDIParentProvider(fw::TCustomForm* Child);
// The MDI parent's frame painted again with its menu line (buttons, icon),
// and its client redrawn: after a child was maximised, restored, closed or
// activated. UpdateNow: the client now, and the border window placed again.
void UpdateMainForm(TsSkinProvider* Parent, bool UpdateNow);

// The provider of the MDI child that is maximised or was last activated:
// its window-menu rules decide which MDI buttons work. Nil when none; a
// provider that goes clears it.
extern TsSkinProvider* MDILastChild;
// Set while an MDI child made under a maximised one has not painted yet: no
// MDI child's frame is painted meanwhile.
extern bool MDIMaxChildCreated;
// Notes a new MDI child (its provider made): the flag above when the child
// came while another one was maximised.
void NoteMDIChildCreated(HWND Child, bool AnotherMaximized);

// The provider's skin data updating and the form not redrawn (WM_SETREDRAW);
// MDIAlso: an MDI child's parent too. Only a visible window (or one already
// locked) is locked, and PermitDrawing unlocks only what is locked, so a
// hidden window is never shown by the pair.
void ForbidDrawing(TsSkinProvider* sp, bool MDIAlso);
void PermitDrawing(TsSkinProvider* sp, bool MDIAlso);
// The pair as a scope: drawing comes back however the scope is left.
class TForbiddenDrawing {
public:
    TForbiddenDrawing(TsSkinProvider* sp, bool MDIAlso);
    ~TForbiddenDrawing();
    TForbiddenDrawing(const TForbiddenDrawing&) = delete;
    TForbiddenDrawing& operator=(const TForbiddenDrawing&) = delete;

private:
    TsSkinProvider* FProvider;
    bool FMDIAlso;
};
// The MDI parent's skin data updating for a scope (nothing without a parent
// provider): its frame is not painted while a child changes its state, and
// painted again once the scope ends, however it ends.
class TParentUpdating {
public:
    explicit TParentUpdating(TsSkinProvider* Parent);
    ~TParentUpdating();
    TParentUpdating(const TParentUpdating&) = delete;
    TParentUpdating& operator=(const TParentUpdating&) = delete;
    void Begin();

private:
    TsSkinProvider* FParent;
    bool FStarted = false;
};
// The other MDI children of Child's parent hold a maximised one.
bool AnotherChildMaximized(fw::TCustomForm* Child);

// The active MDI child of the MDI client window Client when it is maximised,
// else nil.
HWND MaximizedMDIChild(HWND Client);

}  // namespace skin
