#include "skin/engine/FormSkinningStandIns.h"

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sFormRegistry.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"

namespace skin {

HHOOK HookCallback = nullptr;
fw::TList* acSupportedList = nullptr;
TsSkinProviderBase* MDISkinProvider = nullptr;

namespace {

// A form activated for the first time gets its run-time provider; its frame
// is painted again once the provider has started.
void ProvideForActivatedForm(HWND Wnd) {
    auto* form = dynamic_cast<fw::TCustomForm*>(fw::FindControl(Wnd));
    if (!form || !acMakeProvider || form->Tag() == -98) return;
    if (form->ComponentState().Contains(fw::csLoading) || form->ComponentState().Contains(fw::csDestroying)) return;
    if (form->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcGetProvider), 0)) return;
    acMakeProvider(form);
    RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

LRESULT CALLBACK SkinHookCBT(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HCBT_ACTIVATE) fw::ExceptionBarrier([&] { ProvideForActivatedForm(HWND(wParam)); });
    return CallNextHookEx(HookCallback, nCode, wParam, lParam);
}

void ClearMnuArray() {}

namespace {

// Where the client area of Wnd lies inside its window rectangle.
POINT ClientOffset(HWND Wnd) {
    RECT wr{};
    POINT origin{0, 0};
    if (!Wnd || !GetWindowRect(Wnd, &wr)) return origin;
    ClientToScreen(Wnd, &origin);
    return POINT{origin.x - wr.left, origin.y - wr.top};
}

// 0 without a full caption, the small caption for tool windows, else the normal one.
int SystemCaptionHeight(HWND Wnd) {
    if (!Wnd || (GetWindowLongW(Wnd, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) return 0;
    return GetSystemMetrics((GetWindowLongW(Wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

// The cache of S resized to Wnd's window, with Flags of it printed there.
void PrintWindowInto(TsCommonData* S, HWND Wnd, LPARAM Flags) {
    RECT wr{};
    if (!S || !Wnd || !GetWindowRect(Wnd, &wr)) return;
    if (!S->FCacheBmp) S->FCacheBmp = CreateBmp24(0, 0);
    S->FCacheBmp->SetSize(wr.right - wr.left, wr.bottom - wr.top);
    SendMessageW(Wnd, WM_PRINT, WPARAM(S->FCacheBmp->Canvas()->Handle()), Flags);
}

TsSkinManager* ManagerOf(const TacBorderForm* BorderForm) {
    if (!BorderForm) return nullptr;
    if (auto* sp = dynamic_cast<TsSkinProviderBase*>(BorderForm->FOwner)) return sp->SkinManager();
    return DefaultManager;
}

fw::TRect ShadowOf(const TacBorderForm* BorderForm) {
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

// ---- TacBorderForm

TacBorderForm::TacBorderForm(fw::TObject* Owner) : FOwner(Owner), SkinData(new TsCommonData(this, true)) {}

TacBorderForm::~TacBorderForm() { delete SkinData; }

HWND TacBorderForm::OwnerHandle() const {
    if (auto* sp = dynamic_cast<TsSkinProviderBase*>(FOwner))
        return sp->Form && sp->Form->HandleAllocated() ? sp->Form->WindowHandle() : nullptr;
    if (auto* dlg = dynamic_cast<TacDialogWnd*>(FOwner)) return dlg->CtrlHandle;
    return nullptr;
}

void TacBorderForm::PaintAll() {
    if (auto* sp = dynamic_cast<TsSkinProviderBase*>(FOwner)) sp->PaintAll();
    if (auto* dlg = dynamic_cast<TacDialogWnd*>(FOwner)) dlg->PaintAll();
    if (AForm) SkinData->FCacheBmp->SetSize(AForm->Width(), AForm->Height());
}

// ---- TsSkinProviderBase

TsSkinProviderBase* (*acMakeProvider)(fw::TCustomForm* Form) = nullptr;

TsSkinManager* TsSkinProviderBase::SkinManager() const {
    return FCommonData ? FCommonData->GetSkinManager() : DefaultManager;
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

// ---- TacDialogWnd

TacDialogWnd::TacDialogWnd() : SkinData(new TsCommonData(this, true)) {}

TacDialogWnd::~TacDialogWnd() { delete SkinData; }

void TacDialogWnd::PaintAll() { PrintWindowInto(SkinData, CtrlHandle, PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CLIENT); }

int TacDialogWnd::OffsetX() const { return ClientOffset(CtrlHandle).x; }

int TacDialogWnd::OffsetY() const { return ClientOffset(CtrlHandle).y; }

int TacDialogWnd::CaptionHeight(bool) const { return SystemCaptionHeight(CtrlHandle); }

fw::TRect TacDialogWnd::ShadowSize() const { return BorderForm ? ShadowOf(BorderForm) : fw::TRect(); }

void UpdateRgn(TacDialogWnd* Wnd, bool Repaint) { (void)Wnd, (void)Repaint; }

// ---- whole helpers

bool DoLayered(HWND Handle, bool Layered) {
    const LONG ex = GetWindowLongW(Handle, GWL_EXSTYLE);
    if (Layered && acLayered && !(ex & WS_EX_LAYERED)) {
        SetWindowLongW(Handle, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        // An empty image at alpha 10: practically invisible until painted.
        RECT wr{};
        GetWindowRect(Handle, &wr);
        fw::TBitmap* empty = CreateBmp32(wr.right - wr.left, wr.bottom - wr.top);
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 10, AC_SRC_ALPHA};
        HDC screen = GetDC(nullptr);
        SIZE size{empty->Width(), empty->Height()};
        POINT src{0, 0};
        if (UpdateLayeredWindow)
            UpdateLayeredWindow(Handle, screen, nullptr, &size, empty->Canvas()->Handle(), &src, 0, &blend, ULW_ALPHA);
        ReleaseDC(nullptr, screen);
        delete empty;
        return true;
    }
    SetWindowLongW(Handle, GWL_STYLE, GetWindowLongW(Handle, GWL_STYLE) & ~WS_VISIBLE);
    SetWindowLongW(Handle, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
    return false;
}

int SysBorderWidth(HWND Handle, TacBorderForm* BorderForm, bool CheckSkin) {
    if (CheckSkin && BorderForm) return SkinBorderWidth(BorderForm);
    const LONG style = GetWindowLongW(Handle, GWL_STYLE);
    if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
    if (style & WS_DLGFRAME) return GetSystemMetrics(SM_CXDLGFRAME);
    return 0;
}

int SkinBorderWidth(TacBorderForm* BorderForm) {
    TsSkinManager* m = ManagerOf(BorderForm);
    return m && m->SkinData ? m->SkinData->ExBorderWidth : 0;
}

int SkinTitleHeight(TacBorderForm* BorderForm) {
    TsSkinManager* m = ManagerOf(BorderForm);
    return m && m->SkinData ? m->SkinData->ExTitleHeight : 0;
}

int DiffTitle(TacBorderForm* BorderForm) {
    if (!BorderForm) return 0;
    const HWND owner = BorderForm->OwnerHandle();
    return SkinTitleHeight(BorderForm) - SystemCaptionHeight(owner) - SysBorderWidth(owner, BorderForm, false);
}

}  // namespace skin
