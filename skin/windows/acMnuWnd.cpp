#include "skin/windows/acMnuWnd.h"

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Application.h"
#include "skin/engine/sFormSkinningBase.h"

namespace skin {

namespace {

constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU

TacMnuWnd* MenuWrapperAt(size_t i) { return dynamic_cast<TacMnuWnd*>(MnuArray[i]); }

// A skinned menu is open and the skin is on.
bool Painting(TsCommonData* SkinData) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    return acCanHookMenu && M && M->Active();
}

}  // namespace

fw::TPoint MenuClientOffset(HWND Wnd) {
    RECT wr{};
    GetWindowRect(Wnd, &wr);
    POINT o{0, 0};
    ClientToScreen(Wnd, &o);
    return fw::TPoint(o.x - wr.left, o.y - wr.top);
}

HRGN MenuGapRegion(HWND Wnd) {
    RECT wr{};
    GetWindowRect(Wnd, &wr);
    HRGN gaps = CreateRectRgn(0, 0, wr.right - wr.left, wr.bottom - wr.top);
    const HMENU menu = HMENU(SendMessageW(Wnd, kGetMenuHandle, 0, 0));
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!GetMenuItemRect(nullptr, menu, UINT(i), &r) || IsRectEmpty(&r)) continue;
        HRGN item = CreateRectRgn(r.left - wr.left, r.top - wr.top, r.right - wr.left, r.bottom - wr.top);
        CombineRgn(gaps, gaps, item, RGN_DIFF);
        DeleteObject(item);
    }
    return gaps;
}

TacMnuWnd::TacMnuWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection)
    : TacScrollWnd(AHandle, ASkinData, ASkinManager, SkinSection) {}

void TacMnuWnd::PrepareCache() {
    InitCtrlData(this);
    fw::TBitmap* cache = SkinData->FCacheBmp;
    // A resized window needs a new image whether or not a WM_SIZE said so.
    if (!cache || cache->Width() != WndSize.cx || cache->Height() != WndSize.cy) SkinData->BGChanged = true;
    if (!SkinData->BGChanged) return;
    SkinData->InitCacheBmp();
    cache = SkinData->FCacheBmp;
    cache->SetSize(WndSize.cx, WndSize.cy);
    TsSkinManager* M = SkinData->GetSkinManager();
    if (M && M->IsValidSkinIndex(SkinData->SkinIndex))
        PaintItem(SkinData, EmptyCI, true, 0, fw::TRect(0, 0, WndSize.cx, WndSize.cy),
                  fw::TPoint(WndRect.Left - ParentRect.Left, WndRect.Top - ParentRect.Top), cache, false);
    SkinData->BGChanged = false;
}

void TacMnuWnd::PaintFrame(bool WithGaps) {
    fw::TBitmap* menuBmp = SkinManager && SkinManager->SkinableMenus()
                               ? SkinManager->SkinableMenus()->CachedMenuBitmap(CtrlHandle)
                               : nullptr;
    RECT wr{};
    GetWindowRect(CtrlHandle, &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    // The menu's background is built at the window's size; any other size is
    // a stale one.
    fw::TBitmap* src = menuBmp && menuBmp->Width() == w && menuBmp->Height() == h ? menuBmp : nullptr;
    if (!src) {
        PrepareCache();
        src = SkinData->FCacheBmp;
    }
    if (!src) return;
    HDC dc = GetWindowDC(CtrlHandle);
    if (WithGaps) {
        HRGN gaps = MenuGapRegion(CtrlHandle);
        SelectClipRgn(dc, gaps);
        DeleteObject(gaps);
        BitBlt(dc, 0, 0, w, h, src->Canvas()->Handle(), 0, 0, SRCCOPY);
        SelectClipRgn(dc, nullptr);
    } else {
        BitBltBorder(dc, 0, 0, w, h, src->Canvas()->Handle(), 0, 0, kMenuFrameWidth);
    }
    ReleaseDC(CtrlHandle, dc);
}

void TacMnuWnd::acWndProc(fw::TMessage& Message) {
    // Every request of the library is answered here, none passed on.
    if (Message.Msg == SM_ALPHACMD) {
        switch (Message.WParamHi()) {
            case smcIsHandled:
                Message.Result = 1;
                break;
            case smcMenuRgnQuery:
                Message.Result = RgnChanged;
                break;
            case smcMenuRgnSetting:
                if (IsWindowVisible(CtrlHandle)) RgnChanged = 1;
                break;
            case smcGetApplication:
                Message.Result = LRESULT(static_cast<fw::TApplication*>(fw::Application));
                break;
            default:
                break;
        }
        return;
    }
    switch (Message.Msg) {
        case WM_DESTROY:
        case WM_NCDESTROY:
            if (!Destroyed) {
                Gone(Message);
                return;
            }
            break;
        case WM_ERASEBKGND:
            if (!Painting(SkinData)) break;
            {
                PrepareCache();
                HDC dc = Message.WParam ? HDC(Message.WParam) : GetDC(CtrlHandle);
                const fw::TPoint at = MenuClientOffset(CtrlHandle);
                fw::TBitmap* cache = SkinData->FCacheBmp;
                BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), at.X, at.Y, SRCCOPY);
                if (!Message.WParam) ReleaseDC(CtrlHandle, dc);
                // The next frame drawing sets the region again.
                RgnChanged = 0;
                Message.Result = 1;
            }
            return;
        case WM_NCPAINT:
            if (!Painting(SkinData)) break;
            PaintFrame(false);
            Message.Result = 0;
            return;
        case WM_PAINT:
            if (!Painting(SkinData)) break;
            PassOn(Message);
            // No frame of its own: the window's paint covered frame and
            // background; only the items' places are left to the items.
            if (MenuClientOffset(CtrlHandle) == fw::TPoint(0, 0)) PaintFrame(true);
            return;
        default:
            break;
    }
    TacScrollWnd::acWndProc(Message);
}

void TacMnuWnd::Gone(fw::TMessage& Message) {
    RgnChanged = 0;
    const HWND wnd = CtrlHandle;
    TsSkinableMenusBase* menus = SkinManager ? SkinManager->SkinableMenus() : nullptr;
    for (size_t i = 0; i < MnuArray.size(); ++i)
        if (TacMnuWnd* m = MenuWrapperAt(i); m && m != this && m->CtrlHandle == wnd) m->Destroyed = true;
    PassOn(Message);
    TacMainWnd* self = this;
    UninitializeACWnd(wnd, false, false, self);
    // The window dies whoever runs on top of it: its link only passes on now.
    if (!Destroyed) ReleaseDyingWindow(this);
    // The menus' own cache, whichever menus the manager keeps.
    if (menus) menus->ClearCache();
    bool anyLeft = false;
    for (size_t i = 0; i < MnuArray.size(); ++i) {
        TacMnuWnd* m = MenuWrapperAt(i);
        if (!m || m->Destroyed) continue;
        anyLeft = true;
        RedrawWindow(m->CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    }
    acCanHookMenu = false;
    // Frees this wrapper too: nothing of it is touched after this.
    if (!anyLeft) ClearMnuArray();
}

TacMnuWnd* CreateMnuWnd(HWND Wnd, TsSkinManager* SkinManager) {
    auto* w = CreateWnd<TacMnuWnd>(false, Wnd, nullptr, SkinManager, fw::String(L"MAINMENU"));
    w->CtrlHandle = Wnd;
    MnuArray.push_back(w);
    return w;
}

}  // namespace skin
