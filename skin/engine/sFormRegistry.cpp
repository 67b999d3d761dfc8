#include "skin/engine/sFormRegistry.h"

#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sMessageSend.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sPaintHooks.h"
#include "skin/engine/sSkinManager.h"

namespace skin {

std::vector<fw::TCustomForm*> HookedComponents;

int IntSkinForm(fw::TCustomForm* Form) {
    HookedComponents.push_back(Form);
    return int(HookedComponents.size());
}

void IntUnSkinForm(fw::TCustomForm* Form) {
    if (HookedComponents.empty()) return;
    for (auto& entry : HookedComponents)
        if (entry == Form) {
            entry = HookedComponents.back();
            HookedComponents.back() = nullptr;
        }
    if (HookedComponents.back() == nullptr) HookedComponents.pop_back();
}

namespace {

bool Destroying(fw::TComponent* c) { return c->ComponentState().Contains(fw::csDestroying); }

// The form, its control tree and its MDI client.
void SendToForm(fw::TCustomForm* form, fw::TMessage& Message) {
    SendMessageW(form->Handle(), Message.Msg, Message.WParam, Message.LParam);
    AlphaBroadCast(form, Message);
    if (form->FormStyle() == fw::fsMDIForm && form->ClientHandle())
        SendMessageW(form->ClientHandle(), Message.Msg, Message.WParam, Message.LParam);
}

// The application window, or the main form that stands for it on the task bar.
bool ApplicationMinimised() {
    if (!fw::Application.Exists()) return false;
    if (IsIconic(fw::Application->Handle())) return true;
    fw::TCustomForm* main = fw::Application->MainForm();
    return main && main->HandleAllocated() && IsIconic(main->WindowHandle());
}

// The provider of a form that takes part in locking, or null.
TsSkinProviderBase* LockableProvider(fw::TCustomForm* form, fw::TComponent* Manager) {
    if (!form || form->FormStyle() == fw::fsMDIChild || form->Parent() || !form->Visible()) return nullptr;
    if (!form->HandleAllocated() || IsIconic(form->WindowHandle())) return nullptr;
    auto* sp = reinterpret_cast<TsSkinProviderBase*>(SendAMessage(form, smcGetProvider, 0));
    if (!sp || static_cast<fw::TComponent*>(sp->SkinManager()) != Manager) return nullptr;
    return sp;
}

}  // namespace

void AppBroadCastS(fw::TMessage& Message) {
    if (!fw::Application.Exists()) {
        SendToHooked(Message);
        return;
    }
    fw::TApplication* app = fw::Application;
    for (int i = app->ComponentCount() - 1; i >= 0; --i) {
        // Components went away during the broadcast: stop here.
        if (i >= app->ComponentCount()) return;
        auto* form = dynamic_cast<fw::TForm*>(app->Components(i));
        if (!form || form->FormStyle() == fw::fsMDIChild) continue;
        if (Destroying(form) || form->ComponentState().Contains(fw::csLoading)) continue;
        if (form->HandleAllocated() && GetBoolMsg(form->WindowHandle(), smcIsHandled)) continue;
        SendToForm(form, Message);
    }
    SendToHooked(Message);
}

void SendToHooked(fw::TMessage& Message) {
    for (size_t i = 0; i < HookedComponents.size(); ++i) {
        fw::TCustomForm* form = HookedComponents[i];
        if (!form || Destroying(form)) continue;
        SendToForm(form, Message);
    }
    if (acSupportedList) {
        const int count = acSupportedList->Count();
        for (int i = 0; i < count && i < acSupportedList->Count(); ++i) {
            auto* entry = static_cast<TacProvider*>(acSupportedList->Items(i));
            if (entry && entry->ListSW && IsWindowVisible(entry->ListSW->DialogHandle()))
                SendMessageW(entry->ListSW->DialogHandle(), Message.Msg, Message.WParam, Message.LParam);
        }
    }
}

void LockForms(fw::TComponent* Manager) {
    if (ApplicationMinimised()) return;
    auto* manager = dynamic_cast<TsSkinManager*>(Manager);
    if (manager && manager == DefaultManager && manager->AnimEffects()->SkinChanging.Active) InAnimationProcess = true;
    for (size_t i = 0; i < HookedComponents.size(); ++i) {
        fw::TCustomForm* form = HookedComponents[i];
        TsSkinProviderBase* sp = LockableProvider(form, Manager);
        if (!sp) continue;
        sp->FInAnimation = true;
        if (sp->BorderForm && sp->BorderForm->AForm && sp->BorderForm->AForm->HandleAllocated())
            SetWindowRgn(sp->BorderForm->AForm->WindowHandle(), sp->BorderForm->MakeRgn(), FALSE);
        SendMessageW(form->WindowHandle(), WM_SETREDRAW, 0, 0);
    }
}

void UnLockForms(fw::TComponent* Manager, bool Repaint) {
    if (ApplicationMinimised()) return;
    auto* manager = dynamic_cast<TsSkinManager*>(Manager);
    if (manager && manager == DefaultManager) InAnimationProcess = false;
    for (size_t i = 0; i < HookedComponents.size(); ++i) {
        fw::TCustomForm* form = HookedComponents[i];
        TsSkinProviderBase* sp = LockableProvider(form, Manager);
        if (!sp) continue;
        HWND wnd = form->WindowHandle();
        if (!Repaint) {
            SendMessageW(wnd, WM_SETREDRAW, 1, 0);
            continue;
        }
        if (acAnimShowControl && manager && manager->AnimEffects()->SkinChanging.Active) {
            const auto& anim = manager->AnimEffects()->SkinChanging;
            const BYTE blend = form->AlphaBlend() ? form->AlphaBlendValue() : 255;
            if (sp->DrawNonClientArea())
                acAnimShowControl(form, anim.Time, blend, anim.Mode);
            else
                acAnimShowControl(form, 0, 255, atFading);
        }
        if (sp->BorderForm && form->WindowState() == fw::wsMaximized) {
            SetWindowLongW(wnd, GWL_STYLE, GetWindowLongW(wnd, GWL_STYLE) & ~WS_VISIBLE);
            HWND active = GetActiveWindow();
            ShowWindow(wnd, SW_SHOWMAXIMIZED);
            SetWindowLongW(wnd, GWL_STYLE, GetWindowLongW(wnd, GWL_STYLE) | WS_VISIBLE);
            if (active) SetActiveWindow(active);
        }
        SendMessageW(wnd, WM_SETREDRAW, 1, 0);
        sp->FInAnimation = false;
        if (sp->DrawNonClientArea()) {
            if (LOBYTE(LOWORD(GetVersion())) < 6) SetWindowRgn(wnd, nullptr, FALSE);
            FillArOR(sp);
            UpdateRgn(sp, true);
            RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            if (sp->BorderForm) sp->BorderForm->UpdateExBordersPos(true, 255);
        } else {
            RedrawWindow(wnd, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
    }
}

}  // namespace skin
