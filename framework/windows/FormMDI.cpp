// MDI forms: the MDI client of an fsMDIForm, the windows of fsMDIChild forms
// and the default handlers both kinds need.
#include <algorithm>
#include <vector>

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"
#include "framework/windows/Screen.h"

namespace fw {

namespace {

constexpr UINT kFirstMDIChildId = 0xFF00;  // above every menu command

bool IsFrameworkMessage(UINT Msg) { return Msg >= WM_APP && Msg < 0xC000; }

}  // namespace

TCustomForm* TCustomForm::MDIParentForm() {
    TCustomForm* main = Application->MainForm();
    if (main && main->FormStyle() == fsMDIForm) return main;
    for (int i = 0; i < Screen->CustomFormCount(); ++i)
        if (TCustomForm* f = Screen->CustomForms(i); f->FormStyle() == fsMDIForm) return f;
    return nullptr;
}

void TCustomForm::CreateMDIClient() {
    CLIENTCREATESTRUCT ccs = {};
    ccs.idFirstChild = kFirstMDIChildId;
    TRect r = ClientRect();
    clientHandle_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL | MDIS_ALLCHILDSTYLES, 0, 0,
        r.Width(), r.Height(), handle_, nullptr, GetModuleHandleW(nullptr), &ccs);
    if (!clientHandle_) RaiseLastOSError();
    // Below the aligned controls, which take their part of the client area first.
    SetWindowPos(clientHandle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Realign();
}

void TCustomForm::CreateWindowHandle(const TCreateParams& Params) {
    if (formStyle_ != fsMDIChild || parent_ || ParentWindow()) {
        TScrollingWinControl::CreateWindowHandle(Params);
        return;
    }
    if (!Params.WndParent) throw EInvalidOperation(L"Cannot create form. No MDI forms are currently active");
    MDICREATESTRUCTW mcs = {};
    mcs.szClass = Params.WinClassName.c_str();
    mcs.szTitle = Params.Caption.c_str();
    mcs.hOwner = GetModuleHandleW(nullptr);
    mcs.x = Params.X;
    mcs.y = Params.Y;
    mcs.cx = Params.Width;
    mcs.cy = Params.Height;
    mcs.style = Params.Style & ~WS_VISIBLE;
    CreateBoundWindow([&] {
        return reinterpret_cast<HWND>(SendMessageW(Params.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    });
}

void TCustomForm::DestroyWindowHandle() {
    if (HandleAllocated()) {
        MergeMenu(false);
        // The system frees a window's menu with the window: keep ours.
        if (menu_ && GetMenu(handle_) && GetMenu(handle_) == menu_->Items()->HandleIfMade())
            ::SetMenu(handle_, nullptr);
        if (menu_ && menu_->WindowHandle() == handle_) menu_->SetWindowHandle(nullptr);
        if (GetWindowLongW(handle_, GWL_EXSTYLE) & WS_EX_MDICHILD) {
            if (HWND client = GetParent(handle_))
                SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(handle_), 0);
        }
    }
    clientHandle_ = nullptr;
    TScrollingWinControl::DestroyWindowHandle();
}

void TCustomForm::RecreateForStyle() {
    if (!HandleAllocated()) return;
    DestroyHandle();
    UpdateControlState();
}

void TCustomForm::AlignControls(TControl* AControl, TRect& Rect) {
    TScrollingWinControl::AlignControls(AControl, Rect);
    // The MDI client fills what the aligned controls leave.
    if (clientHandle_)
        SetWindowPos(clientHandle_, nullptr, Rect.Left, Rect.Top, std::max<LONG>(Rect.Width(), 0),
                     std::max<LONG>(Rect.Height(), 0), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::DefaultHandler(TMessage& Message) {
    if (handle_ && !IsFrameworkMessage(Message.Msg)) {
        if (clientHandle_) {
            Message.Result = DefFrameProcW(handle_, clientHandle_, Message.Msg, Message.WParam, Message.LParam);
            return;
        }
        if (GetWindowLongW(handle_, GWL_EXSTYLE) & WS_EX_MDICHILD) {
            Message.Result = DefMDIChildProcW(handle_, Message.Msg, Message.WParam, Message.LParam);
            return;
        }
    }
    TScrollingWinControl::DefaultHandler(Message);
}

// WM_MDIACTIVATE reaches the child losing (WParam) and the one getting (LParam) activation.
void TCustomForm::MDIActivate(TMessage& Message) {
    DefaultHandler(Message);
    if (formStyle_ != fsMDIChild) return;
    bool now = reinterpret_cast<HWND>(Message.LParam) == handle_;
    if (now == active_) return;
    active_ = now;
    MergeMenu(now);
    Perform(now ? CM_ACTIVATE : CM_DEACTIVATE);
}

void TCustomForm::MergeMenu(bool MergeState) {
    if (formStyle_ != fsMDIChild || !menu_ || !HandleAllocated()) return;
    const HWND client = GetParent(handle_);
    auto* parent = dynamic_cast<TCustomForm*>(client ? FindControl(GetParent(client)) : nullptr);
    TMainMenu* bar = parent ? parent->Menu() : nullptr;
    if (MergeState && bar)
        bar->Merge(menu_);
    else if (TMainMenu* into = menu_->MergedInto())
        into->Unmerge(menu_);
}

// ---- the children

namespace {

std::vector<TCustomForm*> MDIChildList(HWND client) {
    std::vector<TCustomForm*> list;
    if (!client) return list;
    for (HWND w = GetWindow(client, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (auto* f = dynamic_cast<TCustomForm*>(FindControl(w)); f && f->FormStyle() == fsMDIChild) list.push_back(f);
    return list;
}

}  // namespace

int TCustomForm::MDIChildCount() const { return int(MDIChildList(clientHandle_).size()); }

TCustomForm* TCustomForm::MDIChildren(int Index) const {
    std::vector<TCustomForm*> list = MDIChildList(clientHandle_);
    if (Index < 0 || Index >= int(list.size()))
        throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    return list[size_t(Index)];
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (!clientHandle_) return nullptr;
    auto active = reinterpret_cast<HWND>(SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0));
    auto* f = dynamic_cast<TCustomForm*>(FindControl(active));
    return f && f->FormStyle() == fsMDIChild ? f : nullptr;
}

void TCustomForm::Tile() {
    if (clientHandle_)
        SendMessageW(clientHandle_, WM_MDITILE, tileMode_ == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TCustomForm::Cascade() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TCustomForm::ArrangeIcons() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDIICONARRANGE, 0, 0);
}

void TCustomForm::Next() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDINEXT, 0, 1);
}

}  // namespace fw
