#include "skin/forms/sMDIForm.h"

#include "skin/forms/acSupportedForms.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"
#include "skin/windows/acMDIWnd.h"

namespace skin {

TsMDIForm::TsMDIForm(TsSkinProvider* AOwner) : SkinProvider(AOwner) {
    if (SkinProvider && SkinProvider->Form) {
        FForm = SkinProvider->Form;
        FForm->HandleNeeded();
    }
}

TsMDIForm::~TsMDIForm() { DestroyScrolls(); }

void TsMDIForm::ConnectToClient() {
    if (!FForm || FForm->ComponentState().Contains(fw::csDesigning) || ListSW) return;
    RefreshMDIScrolls();
}

void TsMDIForm::RefreshMDIScrolls() {
    DestroyScrolls();
    if (!SkinProvider || !FForm || !SkinProvider->SkinData()->Skinned()) return;
    ListSW = CreateMDIWnd(FForm, SkinProvider->SkinData(), SkinProvider, SkinProvider->SkinData()->GetSkinManager());
    if (!ListSW) return;
    TsSkinProvider* sp = SkinProvider;
    // Tiling, cascading and a new MDI menu change what the menu line holds.
    ListSW->ProviderCalls.Arranged = [this] { UpdateMDIIconItem(); };
    ListSW->ProviderCalls.MenuChanged = [this] { UpdateMDIIconItem(); };
    ListSW->ProviderCalls.RefreshCaption = [sp] { UpdateSkinCaption(sp); };
    // A child is a child window: the hook passes it over, its parent skins it.
    ListSW->ProviderCalls.ChildCreating = [this] { FChildMaximizedBefore = ChildMaximized(); };
    ListSW->ProviderCalls.ChildCreated = [this](HWND Child) {
        SkinMDIChild(Child);
        NoteMDIChildCreated(Child, FChildMaximizedBefore);
        FChildMaximizedBefore = false;
    };
}

void SkinMDIChild(HWND Child) {
    if (Child && IsWindow(Child) && SendMessageW(Child, SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0) == 0)
        AddSupportedForm(Child, nullptr);
}

bool TsMDIForm::ChildMaximized() const { return FForm && MaximizedMDIChild(FForm->ClientHandle()); }

void TsMDIForm::DestroyScrolls() {
    delete ListSW;
    ListSW = nullptr;
}

void TsMDIForm::UpdateMDIIconItem() {
    // Lines counted again too: the merged items may take another row.
    if (SkinProvider) SkinProvider->RepaintMenu();
}

void TsMDIForm::ToActiveChild(WPARAM Command) {
    if (!FForm) return;
    if (fw::TCustomForm* child = FForm->ActiveMDIChild(); child && child->HandleAllocated())
        SendMessageW(child->Handle(), WM_SYSCOMMAND, Command, 0);
}

void TsMDIForm::CloseClick(fw::TObject*) { ToActiveChild(SC_CLOSE); }
void TsMDIForm::MinClick(fw::TObject*) { ToActiveChild(SC_MINIMIZE); }
void TsMDIForm::RestoreClick(fw::TObject*) { ToActiveChild(SC_RESTORE); }

TsSkinProvider* MDIParentProvider(fw::TCustomForm* Child) {
    if (!Child || Child->FormStyle() != fw::fsMDIChild || !Child->HandleAllocated()) return nullptr;
    const HWND client = GetParent(Child->Handle());
    auto* parent = dynamic_cast<fw::TCustomForm*>(client ? fw::FindControl(GetParent(client)) : nullptr);
    return parent && parent->FormStyle() == fw::fsMDIForm ? ProviderOf(parent) : nullptr;
}

TMDIState MDIStateOf(TsSkinProvider* sp) {
    TMDIState s;
    if (!sp || !sp->Form) return s;
    fw::TCustomForm* form = sp->Form;
    s.MDIForm = form->FormStyle() == fw::fsMDIForm;
    s.HasMenu = form->Menu() != nullptr;
    s.Active = sp->FormActive;
    if (!s.MDIForm || !form->ClientHandle()) return s;
    s.ChildMaximized = MaximizedMDIChild(form->ClientHandle()) != nullptr;
    fw::TCustomForm* child = form->ActiveMDIChild();
    TsSkinProvider* csp = ProviderOf(child);
    s.ChildProvider = csp != nullptr;
    if (child) s.ChildSystemMenu = child->BorderIcons().Contains(fw::biSystemMenu);
    if (csp) {
        const TFrameState cs = csp->State();
        s.ChildEnabledMin = EnabledMin(cs);
        s.ChildEnabledRestore = EnabledRestore(cs);
    }
    return s;
}

void UpdateMainForm(TsSkinProvider* Parent, bool UpdateNow) {
    if (!Parent || !Parent->Form || !Parent->Form->HandleAllocated() || !Parent->SkinData()) return;
    {
        // The line's repaint below waits for the new state as a whole.
        TParentUpdating updating(Parent);
        updating.Begin();
        if (Parent->MDIForm) Parent->MDIForm->UpdateMDIIconItem();
        Parent->SkinData()->BGChanged = true;
        Parent->MenuChanged = true;
        Parent->FLinesCount = -1;
    }
    if (const HWND client = Parent->Form->ClientHandle())
        RedrawWindow(client, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_FRAME | (UpdateNow ? RDW_UPDATENOW : 0));
    RedrawWindow(Parent->Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    if (UpdateNow && Parent->BorderForm) Parent->BorderForm->UpdateExBordersPos(true, 255);
}

TsSkinProvider* MDILastChild = nullptr;
bool MDIMaxChildCreated = false;

void NoteMDIChildCreated(HWND Child, bool AnotherMaximized) {
    if (AnotherMaximized && Child && IsWindow(Child)) MDIMaxChildCreated = true;
}

namespace {

bool Alive(TsSkinProvider* sp) {
    return sp && sp->Form && sp->Form->HandleAllocated() && sp->SkinData() &&
           !sp->ComponentState().Contains(fw::csDestroying) && !sp->Form->ComponentState().Contains(fw::csDestroying);
}

TsSkinProvider* ParentToo(TsSkinProvider* sp, bool MDIAlso) {
    if (!MDIAlso || !sp->Form || sp->Form->FormStyle() != fw::fsMDIChild) return nullptr;
    TsSkinProvider* parent = MDIParentProvider(sp->Form);
    return parent != sp && Alive(parent) ? parent : nullptr;
}

void Forbid(TsSkinProvider* sp) {
    sp->SkinData()->BeginUpdate();
    const HWND h = sp->Form->WindowHandle();
    if (IsWindowVisible(h) || sp->LockCount > 0) SendMessageW(h, WM_SETREDRAW, FALSE, 0);
}

void Permit(TsSkinProvider* sp) {
    sp->SkinData()->EndUpdate(false);
    if (sp->LockCount > 0) SendMessageW(sp->Form->WindowHandle(), WM_SETREDRAW, TRUE, 0);
}

}  // namespace

void ForbidDrawing(TsSkinProvider* sp, bool MDIAlso) {
    if (!Alive(sp)) return;
    Forbid(sp);
    if (TsSkinProvider* parent = ParentToo(sp, MDIAlso)) Forbid(parent);
}

void PermitDrawing(TsSkinProvider* sp, bool MDIAlso) {
    if (!Alive(sp)) return;
    Permit(sp);
    if (TsSkinProvider* parent = ParentToo(sp, MDIAlso)) Permit(parent);
}

TForbiddenDrawing::TForbiddenDrawing(TsSkinProvider* sp, bool MDIAlso) : FProvider(sp), FMDIAlso(MDIAlso) {
    ForbidDrawing(sp, MDIAlso);
}

TForbiddenDrawing::~TForbiddenDrawing() { PermitDrawing(FProvider, FMDIAlso); }

TParentUpdating::TParentUpdating(TsSkinProvider* Parent) : FParent(Parent) {}

void TParentUpdating::Begin() {
    if (FStarted || !Alive(FParent)) return;
    FParent->SkinData()->BeginUpdate();
    FStarted = true;
}

TParentUpdating::~TParentUpdating() {
    if (!FStarted || !Alive(FParent)) return;
    FParent->SkinData()->EndUpdate(false);
}

bool AnotherChildMaximized(fw::TCustomForm* Child) {
    if (!Child || Child->FormStyle() != fw::fsMDIChild || !Child->HandleAllocated()) return false;
    const HWND maximized = MaximizedMDIChild(GetParent(Child->Handle()));
    return maximized && maximized != Child->Handle();
}

HWND MaximizedMDIChild(HWND Client) {
    if (!Client) return nullptr;
    BOOL maximized = FALSE;
    const HWND active = HWND(SendMessageW(Client, WM_MDIGETACTIVE, 0, LPARAM(&maximized)));
    return maximized ? active : nullptr;
}

}  // namespace skin
