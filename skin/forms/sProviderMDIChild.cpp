// The provider of an MDI child and of its parent around the child's life:
// the system commands that maximise, restore, minimise and close a child
// (and what they change in the parent's title, menu line and client), its
// activation, its caption shown in the parent's title while maximised, its
// first painting after it came under a maximised child, and its end.
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSysMenu.h"
#include "skin/paint/sCommonData.h"

namespace skin {

namespace {

// The parent's provider of an MDI child's provider, nil for other forms and
// while the parent goes.
TsSkinProvider* LiveParent(TsSkinProvider* sp) {
    if (!sp->Form || sp->Form->FormStyle() != fw::fsMDIChild) return nullptr;
    TsSkinProvider* parent = MDIParentProvider(sp->Form);
    if (!parent || parent == sp || !parent->Form || parent->ComponentState().Contains(fw::csDestroying) ||
        parent->Form->ComponentState().Contains(fw::csDestroying))
        return nullptr;
    return parent;
}

}  // namespace

bool TsSkinProvider::MDIPaintSkipped() const {
    return Form && Form->FormStyle() == fw::fsMDIChild && AnotherChildMaximized(Form);
}

bool TsSkinProvider::MDISysCommand(fw::TMessage& Message) {
    if (!Form) return false;
    switch (Form->FormStyle()) {
        case fw::fsMDIChild:
            MDIChildSysCommand(Message);
            return true;
        case fw::fsMDIForm:
            PassOn(Message);
            if (Message.WParam == SC_MINIMIZE || Message.WParam == SC_MAXIMIZE || Message.WParam == SC_RESTORE) {
                if (!Form->HandleAllocated() || Destroying()) return true;
                FCommonData->BGChanged = true;
                FLinesCount = -1;
                RepaintFrame();
            }
            return true;
        default:
            return false;
    }
}

void TsSkinProvider::MDIChildSysCommand(fw::TMessage& Message) {
    const HWND h = Form->WindowHandle();
    TsSkinProvider* parent = LiveParent(this);
    const bool mainForm = parent && parent->MDIForm;
    const WPARAM cmd = Message.WParam & 0xFFF0;
    const bool restoring = (IsZoomed(h) && cmd != SC_MAXIMIZE) || (cmd == SC_RESTORE && IsIconic(h));
    // The parent's frame waits for the child's new state; it ends with this
    // scope whatever the command did.
    TParentUpdating updating(parent);
    if (restoring) updating.Begin();
    const auto gone = [this, h] { return !IsWindow(h) || Destroying(); };
    switch (cmd) {
        case SC_MINIMIZE:
            PassOn(Message);
            if (gone()) return;
            if (restoring && mainForm) UpdateMainForm(parent, true);
            if (SystemMenu) SystemMenu->UpdateItems(true);
            FCommonData->BGChanged = true;
            if (mainForm) UpdateMainForm(parent, true);
            return;
        case SC_MAXIMIZE:
            MDILastChild = this;
            // The platform draws the caption of the child it maximises.
            PassOnHidden(Message);
            if (gone()) return;
            RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INTERNALPAINT);
            if (mainForm) UpdateMainForm(parent, true);
            if (SystemMenu) SystemMenu->UpdateItems(true);
            return;
        case SC_CLOSE:
            if (mainForm && restoring) UpdateMainForm(parent, true);
            if (parent) parent->InMenu = true;
            PassOn(Message);
            if (parent) parent->InMenu = false;
            if (!gone()) SetHotHT(0, false);
            if (mainForm && restoring) UpdateMainForm(parent, true);
            return;
        case SC_RESTORE: {
            // A child made under a maximised one is maximised at its first
            // painting: it is not restored before.
            if (MDIMaxChildCreated) return;
            {
                TForbiddenDrawing forbidden(this, true);
                PassOn(Message);
                if (gone()) return;
                FCommonData->BGChanged = true;
                SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) & ~WS_SYSMENU);
            }
            RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
            if (fw::TCustomForm* pf = parent ? parent->Form : nullptr) {
                for (int i = 0; i < pf->MDIChildCount(); ++i) {
                    fw::TCustomForm* other = pf->MDIChildren(i);
                    if (other == Form || !other->HandleAllocated()) continue;
                    if (IsZoomed(other->Handle()))
                        other->SetWindowState(fw::wsNormal);
                    else
                        RedrawWindow(other->Handle(), nullptr, nullptr,
                                     RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INTERNALPAINT);
                }
            }
            if (restoring && mainForm) UpdateMainForm(parent, true);
            if (SystemMenu) SystemMenu->UpdateItems(true);
            return;
        }
        case SC_KEYMENU:
            // The parent's menu line takes the keyboard's menu.
            Message.Result = 0;
            return;
        default:
            PassOn(Message);
            return;
    }
}

void TsSkinProvider::MDIChildActivate(fw::TMessage& Message) {
    PassOn(Message);
    if (!Form || Form->FormStyle() != fw::fsMDIChild || !Form->HandleAllocated()) return;
    const HWND h = Form->WindowHandle();
    TsSkinProvider* parent = LiveParent(this);
    if (parent && !IsZoomed(h)) {
        parent->MenusInitialized = false;
        parent->MenuChanged = true;
        parent->SkinData()->BGChanged = true;
        parent->FLinesCount = -1;
        SendMessageW(parent->Form->WindowHandle(), WM_NCPAINT, 0, 0);
    }
    // The child that gets the activation (it hears last) holds the record; a
    // child going away gives it up.
    if (Message.Msg == WM_MDIACTIVATE && HWND(Message.LParam) == h)
        MDILastChild = this;
    else if (MDILastChild == this && (Message.Msg == WM_MDIDESTROY || HWND(Message.WParam) == h))
        MDILastChild = nullptr;
}

void TsSkinProvider::MDIChildActivated() {
    TsSkinProvider* parent = LiveParent(this);
    if (!parent) return;
    fw::TCustomForm* pf = parent->Form;
    for (int i = 0; i < pf->MDIChildCount(); ++i) {
        fw::TCustomForm* other = pf->MDIChildren(i);
        if (other != Form && other->HandleAllocated() && IsWindowVisible(other->Handle()))
            SendMessageW(other->Handle(), WM_NCPAINT, 0, 0);
    }
    parent->SkinData()->BGChanged = true;
}

void TsSkinProvider::MDIChildShownActive() {
    if (!Form || Form->FormStyle() != fw::fsMDIChild || !Form->FormState().Contains(fw::fsShowing) ||
        !Form->HandleAllocated() || !IsWindowVisible(Form->WindowHandle()))
        return;
    TsSkinProvider* parent = LiveParent(this);
    if (!parent || !parent->MDIForm) return;
    // A child shown for the first time: its window menu, and the parent's
    // line (its items and icon) as the new child leaves it.
    if (!SystemMenu) PrepareForm();
    parent->SkinData()->BGChanged = true;
    parent->FLinesCount = -1;
    parent->MDIForm->UpdateMDIIconItem();
    SendMessageW(parent->Form->WindowHandle(), WM_NCPAINT, 0, 0);
    if (const HWND client = parent->Form->ClientHandle()) SendMessageW(client, WM_NCPAINT, 0, 0);
}

bool TsSkinProvider::MDIChildSetText(fw::TMessage& Message) {
    if (!Form || Form->FormStyle() != fw::fsMDIChild || !IsZoomed(Form->WindowHandle())) return false;
    TsSkinProvider* parent = LiveParent(this);
    if (!parent || !parent->Form->HandleAllocated()) return false;
    // The platform writes the child's caption into the parent's title and
    // draws that title itself: not while the parent is hidden from it.
    parent->SkinData()->BGChanged = true;
    const HWND ph = parent->Form->WindowHandle();
    const LONG style = GetWindowLongW(ph, GWL_STYLE);
    if (style & WS_VISIBLE) SetWindowLongW(ph, GWL_STYLE, style & ~WS_VISIBLE);
    PassOn(Message);
    if (style & WS_VISIBLE) SetWindowLongW(ph, GWL_STYLE, GetWindowLongW(ph, GWL_STYLE) | WS_VISIBLE);
    UpdateSkinCaption(parent);
    if (parent->BorderForm) parent->BorderForm->UpdateExBordersPos(true, 255);
    return true;
}

void TsSkinProvider::MDIChildGone(TsSkinProvider* Parent) {
    if (MDILastChild == this) MDILastChild = nullptr;
    if (!Parent || Parent == this || !Parent->MDIForm || !Parent->Form || !Parent->Form->HandleAllocated() ||
        Parent->ComponentState().Contains(fw::csDestroying) ||
        Parent->Form->ComponentState().Contains(fw::csDestroying) || !Parent->Skinned())
        return;
    Parent->RepaintMenu();
    // The platform may still count the child until its destruction ends: the
    // line is painted once more after it.
    PostMessageW(Parent->Form->WindowHandle(), WM_NCPAINT, 1, 0);
    // The last child gone: its place in the client is the wall again.
    if (const HWND client = Parent->Form->ClientHandle(); client && !SendMessageW(client, WM_MDIGETACTIVE, 0, 0))
        RedrawWindow(client, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

void TsSkinProvider::MDIChildFirstPaint(bool Erase) {
    if (!Form || Form->FormStyle() != fw::fsMDIChild || !MDIMaxChildCreated) return;
    MDIMaxChildCreated = false;
    if (Erase) {
        MDILastChild = this;
        if (TsSkinProvider* parent = LiveParent(this)) parent->RepaintMDIMenuLine();
    } else if (Form->HandleAllocated()) {
        // The child came maximised: the maximised child's whole path runs.
        SendMessageW(Form->WindowHandle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    }
}

}  // namespace skin
