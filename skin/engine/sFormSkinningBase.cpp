#include "skin/engine/sFormSkinningBase.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/rtl/Exception.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sFormRegistry.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"

namespace skin {

HHOOK HookCallback = nullptr;
void (*acHookHandler)(int nCode, WPARAM wParam, LPARAM lParam) = nullptr;
fw::TList* acSupportedList = nullptr;
std::vector<fw::TObject*> MnuArray;
TsSkinProviderBase* MDISkinProvider = nullptr;

LRESULT CALLBACK SkinHookCBT(int nCode, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallNextHookEx(HookCallback, nCode, wParam, lParam);
    if (acHookHandler) fw::ExceptionBarrier([&] { acHookHandler(nCode, wParam, lParam); });
    return result;
}

void ClearMnuArray() {
    for (fw::TObject*& w : MnuArray) {
        fw::TObject* gone = w;
        w = nullptr;
        delete gone;
    }
    MnuArray.clear();
}

TacProvider::~TacProvider() {
    if (sp) {
        if (acSupportedList) {
            const int i = acSupportedList->IndexOf(this);
            if (i >= 0) acSupportedList->SetItems(i, nullptr);
        }
        return;
    }
    if (acSkinnedCtrls) {
        for (int i = 0; i < acSkinnedCtrls->Count(); ++i) delete static_cast<fw::TObject*>(acSkinnedCtrls->Items(i));
        delete acSkinnedCtrls;
        acSkinnedCtrls = nullptr;
    }
    delete ListSW;
    ListSW = nullptr;
}

namespace {

// 0 without a full caption, the small caption for tool windows, else the normal one.
int SystemCaptionHeight(HWND Wnd) {
    if (!Wnd || (GetWindowLongW(Wnd, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) return 0;
    return GetSystemMetrics((GetWindowLongW(Wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

TsSkinManager* ManagerOf(const TacBorderFormBase* BorderForm) {
    if (!BorderForm) return nullptr;
    if (auto* sp = dynamic_cast<TsSkinProviderBase*>(BorderForm->FOwner)) return sp->SkinManager();
    return DefaultManager;
}

fw::TRect ShadowOf(const TacBorderFormBase* BorderForm) {
    TsSkinManager* m = ManagerOf(BorderForm);
    if (!m) return fw::TRect();
    return fw::TRect(m->FormShadowSize.left, m->FormShadowSize.top, m->FormShadowSize.right, m->FormShadowSize.bottom);
}

}  // namespace

bool TacProvider::PrintHwndControls(HWND Handle, HDC DC) {
    // The last child in z-order lies at the bottom: it is printed first.
    for (HWND w = GetWindow(GetWindow(Handle, GW_CHILD), GW_HWNDLAST); w; w = GetWindow(w, GW_HWNDPREV)) {
        // Its own style: the dialog itself may be locked (WM_SETREDRAW) meanwhile.
        if (!(GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT r{};
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&r), 2);
        const int saved = SaveDC(DC);
        POINT org{};
        GetWindowOrgEx(DC, &org);
        SetWindowOrgEx(DC, org.x - r.left, org.y - r.top, nullptr);
        IntersectClipRect(DC, 0, 0, r.right - r.left, r.bottom - r.top);
        SendMessageW(w, WM_PRINT, WPARAM(DC), 0);
        PrintHwndControls(w, DC);
        RestoreDC(DC, saved);
    }
    return false;
}

// ---- TacBorderFormBase

TacBorderFormBase::TacBorderFormBase(fw::TObject* Owner, TsCommonData* Data) : FOwner(Owner), SkinData(Data) {}

HWND TacBorderFormBase::OwnerHandle() const {
    if (auto* sp = dynamic_cast<TsSkinProviderBase*>(FOwner))
        return sp->Form && sp->Form->HandleAllocated() ? sp->Form->WindowHandle() : nullptr;
    if (auto* dlg = dynamic_cast<TacDialogWndBase*>(FOwner)) return dlg->DialogHandle();
    return nullptr;
}

void TacBorderFormBase::PaintAll() {
    if (auto* sp = dynamic_cast<TsSkinProviderBase*>(FOwner)) sp->PaintAll();
    if (auto* dlg = dynamic_cast<TacDialogWndBase*>(FOwner)) dlg->PaintAll();
}

// ---- TsSkinProviderBase

TsSkinProviderBase* (*acMakeProvider)(fw::TCustomForm* Form) = nullptr;
TsSkinableMenusBase* (*acMakeSkinableMenus)(fw::TComponent* AOwner) = nullptr;
bool acCanHookMenu = false;

TacMenuSupport::TacMenuSupport() : FExtraLineFont(new fw::TFont) {}
TacMenuSupport::~TacMenuSupport() { delete FExtraLineFont; }
void TacMenuSupport::SetExtraLineFont(const fw::TFont* Value) {
    if (Value) FExtraLineFont->Assign(Value);
}

fw::TRect TsSkinProviderBase::ShadowSize() const { return BorderForm ? ShadowOf(BorderForm) : fw::TRect(); }

void FillArOR(TsSkinProviderBase* sp) {
    if (sp) sp->FillArOR();
}

HRGN GetRgnFromArOR(TsSkinProviderBase* sp, int X, int Y) {
    return sp ? sp->GetRgnFromArOR(X, Y) : CreateRectRgn(0, 0, 0, 0);
}

void UpdateRgn(TsSkinProviderBase* sp, bool Repaint) {
    if (sp) sp->UpdateRgn(Repaint);
}

// ---- TacDialogWndBase

fw::TRect TacDialogWndBase::ShadowSize() const { return BorderForm ? ShadowOf(BorderForm) : fw::TRect(); }

void UpdateRgn(TacDialogWndBase* Wnd, bool Repaint) {
    if (Wnd) Wnd->UpdateRgn(Repaint);
}

// ---- whole helpers

int SysBorderWidth(HWND Handle, TacBorderFormBase* BorderForm, bool CheckSkin) {
    if (CheckSkin && BorderForm && SkinBorderWidth(BorderForm) != 0) return SkinBorderWidth(BorderForm);
    const LONG style = GetWindowLongW(Handle, GWL_STYLE);
    if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
    if (style & WS_DLGFRAME) return GetSystemMetrics(SM_CXDLGFRAME);
    return 0;
}

int SkinBorderWidth(TacBorderFormBase* BorderForm) {
    TsSkinManager* m = ManagerOf(BorderForm);
    return m && m->SkinData ? m->SkinData->ExBorderWidth : 0;
}

int SkinTitleHeight(TacBorderFormBase* BorderForm) {
    TsSkinManager* m = ManagerOf(BorderForm);
    return m && m->SkinData ? m->SkinData->ExTitleHeight : 0;
}

int DiffTitle(TacBorderFormBase* BorderForm) {
    if (!BorderForm) return 0;
    const HWND owner = BorderForm->OwnerHandle();
    return SkinTitleHeight(BorderForm) - SystemCaptionHeight(owner) - SysBorderWidth(owner, BorderForm, false);
}

int DiffBorder(TacBorderFormBase* BorderForm) {
    if (!BorderForm) return 0;
    const HWND owner = BorderForm->OwnerHandle();
    return SysBorderWidth(owner, BorderForm, true) - SysBorderWidth(owner, BorderForm, false);
}

}  // namespace skin
