#include "skin/forms/acSupportedForms.h"

#include <cwctype>

#include "framework/windows/Application.h"
#include "framework/windows/Screen.h"
#include "skin/engine/MessageDialogs.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sThirdParty.h"
#include "skin/forms/acDialogControls.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/sDwm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/windows/acMainWnd.h"
#include "skin/windows/acMnuWnd.h"

namespace skin {

namespace {

bool Handled(HWND Wnd) { return SendMessageW(Wnd, SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0) == 1; }

bool AppDestroying() { return !fw::Application || fw::Application->ComponentState().Contains(fw::csDestroying); }

fw::String Lower(fw::String s) {
    for (wchar_t& c : s) c = wchar_t(std::towlower(c));
    return s;
}

// A form class named in the skip list (an exact comparison).
bool SkippedByName(const fw::String& ClassName) {
    if (!ThirdPartySkipForms) return false;
    for (int i = 0; i < ThirdPartySkipForms->Count(); ++i)
        if (ThirdPartySkipForms->Strings(i) == ClassName) return true;
    return false;
}

void AddEntry(TacProvider* Entry) {
    if (!acSupportedList) acSupportedList = new fw::TList;
    acSupportedList->Add(Entry);
}

// Empties every slot holding Entry.
void ForgetEntry(TacProvider* Entry) {
    if (!acSupportedList) return;
    for (int i = 0; i < acSupportedList->Count(); ++i)
        if (acSupportedList->Items(i) == Entry) acSupportedList->SetItems(i, nullptr);
}

void AddFormEntry(fw::TCustomForm* Form) {
    auto* entry = new TacProvider(Form);
    entry->AfterConstruction();
    AddEntry(entry);
    entry->InitForm(Form);
}

}  // namespace

bool IsTopLevelWindow(HWND Wnd) {
    if (!Wnd || (GetWindowLongW(Wnd, GWL_STYLE) & WS_CHILD)) return false;
    const HWND parent = GetAncestor(Wnd, GA_PARENT);
    return !parent || parent == GetDesktopWindow();
}

bool SkippedByTag(int Tag) { return (Tag & -98) == -98; }

bool TakenAtCreation(HWND Wnd, const fw::String& ClassName, DWORD Style, DWORD ExStyle) {
    if (ClassName == L"TPUtilWindow" || Style == 0 || ExStyle == 0) return false;
    if (fw::TCustomForm* main = fw::Application ? fw::Application->MainForm() : nullptr) {
        if (!main->HandleAllocated() || main->WindowHandle() == Wnd) return false;
    }
    return IsTopLevelWindow(Wnd);
}

void HandleHookCode(int nCode, WPARAM wParam, LPARAM lParam) {
    if (AppDestroying()) return;
    const HWND wnd = HWND(wParam);
    switch (nCode) {
        case HCBT_CREATEWND: {
            const auto* cbt = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
            if (!wnd || !cbt || !cbt->lpcs) return;
            const CREATESTRUCTW* cs = cbt->lpcs;
            const ULONG_PTR cls = ULONG_PTR(cs->lpszClass);
            if (cls == 0x8002) {
                AddSupportedForm(wnd, nullptr);
            } else if (cls == 0x8000) {
                // One wrapper per popup-menu window: it is the window's only
                // subclass and goes with the menu (ClearMnuArray).
                if (!AeroIsEnabled() && DefaultManager && DefaultManager->SkinnedPopups() && !Handled(wnd))
                    CreateMnuWnd(wnd, DefaultManager);
            } else if (cls >= 0x10000) {
                if (TakenAtCreation(wnd, GetWndClassName(wnd), DWORD(cs->style), cs->dwExStyle))
                    AddSupportedForm(wnd, nullptr);
            }
            return;
        }
        case HCBT_DESTROYWND:
            CleanArray();
            return;
        case HCBT_ACTIVATE:
            // Windows passed over at creation are tried again.
            AddSupportedForm(wnd, nullptr);
            return;
        default:
            return;
    }
}

bool AddSupportedForm(HWND aHandle, const CREATESTRUCTW* CreateStruct) {
    if (!DefaultManager || AppDestroying() || !aHandle) return false;
    // The first message the new window gets: a framework form binds its
    // window to its object here, which the form lookup below needs.
    if (Handled(aHandle)) return false;
    fw::String cls;
    if (CreateStruct && ULONG_PTR(CreateStruct->lpszClass) >= 0x10000) cls = CreateStruct->lpszClass;
    if (cls.empty()) cls = GetWndClassName(aHandle);
    const LONG style = GetWindowLongW(aHandle, GWL_STYLE);
    if ((style & WS_POPUP) && !(style & WS_BORDER)) return false;
    if (FindFormInList(aHandle)) return false;
    const TacSkinningRules rules = DefaultManager->SkinningRules();
    fw::TCustomForm* form = FindFormOnScreen(aHandle);
    if (form && !form->ComponentState().Contains(fw::csLoading)) {
        if (SkippedByTag(int(form->Tag()))) return false;
        if (SkippedByName(form->ClassName())) return false;
        const bool message = form->ClassName() == L"TMessageForm";
        if (!rules.Contains(message ? srStdDialogs : srStdForms)) return false;
        AddFormEntry(form);
        if (form->FormStyle() == fw::fsMDIForm) {
            for (int i = 0; i < form->MDIChildCount(); ++i) {
                fw::TCustomForm* child = form->MDIChildren(i);
                if (child && child->HandleAllocated() && !Handled(child->WindowHandle())) AddFormEntry(child);
            }
        }
        return true;
    }
    // An owned dialog counts as top level: only a child window is refused.
    if (cls != L"#32770" || !IsTopLevelWindow(aHandle) || !rules.Contains(srStdDialogs)) return false;
    // While a skinned dialog shows, only an open or save dialog joins it.
    if (VisibleDlgCount() > 0 && !ControlExists(aHandle, L"toolbarwindow32")) return false;
    auto* entry = new TacProvider(nullptr);
    entry->AfterConstruction();
    AddEntry(entry);
    if (!entry->InitSkin(aHandle)) delete entry;
    return true;
}

// ---- TacProvider

void TacProvider::InitForm(fw::TCustomForm* Form) {
    FForm = Form;
    TsSkinProvider* p = TsSkinProvider::CreateRT(Form, true);
    sp = p;
    p->Form = Form;
}

bool TacProvider::InitSkin(HWND aHandle) {
    CtrlHandle = aHandle;
    if (!acSkinnedCtrls) acSkinnedCtrls = new fw::TList;
    if (ListSW || !DefaultManager || !DefaultManager->Active()) return true;
    BiDiLeft = (GetWindowLongW(aHandle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    TacDialogWnd* dlg = nullptr;
    InitDialog(aHandle, dlg);
    if (!dlg) return true;
    ListSW = dlg;
    dlg->Provider = this;
    if (DlgLeft != -1 || DlgTop != -1)
        SetWindowPos(aHandle, nullptr, DlgLeft, DlgTop, 0, 0, SWP_NOSIZE | SWP_NOREDRAW | SWP_NOOWNERZORDER);
    if (!InitHwndControls(aHandle)) {
        ForgetEntry(this);
        return false;
    }
    dlg->InitParams();
    SendMessageW(aHandle, SM_ALPHACMD, MAKEWPARAM(0, smcNewSkin), LPARAM(DefaultManager));
    return true;
}

bool TacProvider::InitHwndControls(HWND hWnd) {
    // A window's descendants are wrapped before the window itself.
    for (HWND c = GetTopWindow(hWnd); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!InitHwndControls(c)) return false;
        if ((GetWindowLongW(c, GWL_STYLE) & WS_CHILD) && !AddControl(c)) return false;
    }
    return true;
}

bool TacProvider::AddControl(HWND AHandle) {
    if (!AHandle) return false;
    if (Handled(AHandle)) return true;
    auto* dlg = dynamic_cast<TacDialogWnd*>(ListSW);
    const LONG style = GetWindowLongW(AHandle, GWL_STYLE);
    const TacDialogCtrlChoice choice =
        ChooseDialogWrapper(Lower(GetWndClassName(AHandle)), style, (style & WS_VISIBLE) != 0);
    if (choice.AllowsDialogPaint && dlg) dlg->FWMPaintForbidden = false;
    if (choice.Kind == dckNone) return true;
    TsSkinManager* manager = dlg ? dlg->SkinData->GetSkinManager() : DefaultManager;
    acDlgMode = true;
    TacMainWnd* w = nullptr;
    fw::ExceptionBarrier([&] { w = MakeDialogWrapper(choice, AHandle, manager); });
    acDlgMode = false;
    if (!w) return true;
    if (!acSkinnedCtrls) acSkinnedCtrls = new fw::TList;
    acSkinnedCtrls->Add(w);
    if (choice.Kind != dckDlgPanel) InitCtrlData(w);
    return true;
}

fw::TObject* TacProvider::FindCtrlInList(HWND hwnd) {
    if (!acSkinnedCtrls) return nullptr;
    for (int i = 0; i < acSkinnedCtrls->Count(); ++i) {
        auto* w = static_cast<TacMainWnd*>(acSkinnedCtrls->Items(i));
        if (w && w->CtrlHandle == hwnd) return w;
    }
    return nullptr;
}

// ---- helpers

void BroadCastHwnd(HWND Handle, fw::TMessage& Message) {
    for (HWND c = GetTopWindow(Handle); c; c = GetWindow(c, GW_HWNDNEXT))
        SendMessageW(c, Message.Msg, Message.WParam, Message.LParam);
}

int VisibleDlgCount() {
    int n = 0;
    if (!acSupportedList) return 0;
    for (int i = 0; i < acSupportedList->Count(); ++i) {
        auto* e = static_cast<TacProvider*>(acSupportedList->Items(i));
        if (e && e->ListSW && IsWindowVisible(e->ListSW->DialogHandle())) ++n;
    }
    return n;
}

bool ControlExists(HWND Handle, const fw::String& Name) {
    for (HWND c = GetTopWindow(Handle); c; c = GetWindow(c, GW_HWNDNEXT))
        if (Lower(GetWndClassName(c)) == Name || ControlExists(c, Name)) return true;
    return false;
}

fw::String GetWndClassName(HWND Handle) {
    wchar_t buf[128] = {};
    const int n = GetClassNameW(Handle, buf, 128);
    return fw::String(buf, size_t(n > 0 ? n : 0));
}

TacProvider* FindFormInList(HWND Handle) {
    if (!acSupportedList || !Handle) return nullptr;
    for (int i = 0; i < acSupportedList->Count(); ++i) {
        auto* e = static_cast<TacProvider*>(acSupportedList->Items(i));
        if (e && e->CtrlHandle == Handle) return e;
    }
    return nullptr;
}

fw::TCustomForm* FindFormOnScreen(HWND Handle) {
    for (int i = fw::Screen->CustomFormCount() - 1; i >= 0; --i) {
        fw::TCustomForm* f = fw::Screen->CustomForms(i);
        if (!f || !f->HandleAllocated()) continue;
        if (f->WindowHandle() == Handle) return f;
        if (f->FormStyle() == fw::fsMDIForm)
            for (int j = 0; j < f->MDIChildCount(); ++j) {
                fw::TCustomForm* c = f->MDIChildren(j);
                if (c && c->HandleAllocated() && c->WindowHandle() == Handle) return c;
            }
    }
    return nullptr;
}

void InitDialog(HWND AHandle, TacDialogWnd*& Wnd) {
    if (DefaultManager && DefaultManager->Active()) {
        if (Ac_UninitializeFlatSB) Ac_UninitializeFlatSB(AHandle);
        if (Wnd && Wnd->Destroyed) {
            delete Wnd;
            Wnd = nullptr;
        }
        if (!Wnd) Wnd = CreateWnd<TacDialogWnd>(false, AHandle, nullptr, DefaultManager, fw::String(L"DIALOG"));
    } else {
        delete Wnd;
        Wnd = nullptr;
        if (Ac_InitializeFlatSB) Ac_InitializeFlatSB(AHandle);
    }
}

void CleanArray() {
    if (!acSupportedList) return;
    for (int i = 0; i < acSupportedList->Count(); ++i) {
        auto* e = static_cast<TacProvider*>(acSupportedList->Items(i));
        if (!e || !e->ListSW || !e->ListSW->DialogDestroyed()) continue;
        acSupportedList->SetItems(i, nullptr);
        delete e;
    }
}

}  // namespace skin
