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
    // No menu item stands for the child's icon: the menu line draws it.
    fw::TObject* MakeChildIconItem() { return nullptr; }
    // The command to the parent's active MDI child.
    void CloseClick(fw::TObject* Sender);
    void MinClick(fw::TObject* Sender);
    void RestoreClick(fw::TObject* Sender);

    fw::TCustomForm* FForm = nullptr;
    TacMDIWnd* ListSW = nullptr;  // owned
    TsSkinProvider* SkinProvider = nullptr;

private:
    void ToActiveChild(WPARAM Command);
};

// Gives an MDI child window not yet skinned its run-time provider.
void SkinMDIChild(HWND Child);
// What the MDI buttons read of the provider's form and its active child.
TMDIState MDIStateOf(TsSkinProvider* sp);
// The provider of the active MDI child of sp's form, nil when none.
TsSkinProvider* ActiveChildProvider(TsSkinProvider* sp);
// The provider of the MDI parent that holds Child (nil when none).
TsSkinProvider* MDIParentProvider(fw::TCustomForm* Child);
// The MDI parent's frame painted again with its menu line (buttons, icon),
// and its client redrawn: after a child was maximised, restored, closed or
// activated.
void UpdateMainForm(TsSkinProvider* Parent, bool UpdateNow);

}  // namespace skin
