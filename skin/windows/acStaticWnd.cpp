#include "skin/windows/acStaticWnd.h"

namespace skin {

fw::String StripAnchorTags(const fw::String& Text) {
    fw::String s = Text;
    for (const wchar_t* tag : {L"<A>", L"</A>"})
        for (size_t at; (at = s.find(tag)) != fw::String::npos;) s.erase(at, wcslen(tag));
    return s;
}

UINT StaticTextFlags(LONG ExStyle) {
    return DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP | ((ExStyle & WS_EX_RIGHT) ? UINT(DT_RIGHT) : 0u);
}

// ---- TacStaticWnd

void TacStaticWnd::PaintText() {
    fw::TCanvas* C = SkinData->FCacheBmp->Canvas();
    C->Brush()->SetStyle(fw::bsClear);
    if (HFONT f = HFONT(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0)))
        C->Font()->SetHandle(f, fw::hoBorrowed);  // the window's font: never deleted here
    fw::TRect R(0, 0, WndSize.cx, WndSize.cy);
    acWriteTextEx(C, Caption.c_str(), true, R, StaticTextFlags(GetWindowLongW(CtrlHandle, GWL_EXSTYLE)), SkinData,
                  false);
}

void TacStaticWnd::AC_WMPaint(HDC GivenDC) {
    InitCtrlData(this);
    HDC dc = GivenDC ? GivenDC : GetDC(CtrlHandle);
    if (!dc) return;
    const int save = SaveDC(dc);
    SkinData->BGChanged = true;
    SkinData->InitCacheBmp();
    SkinData->FCacheBmp->SetSize(WndSize.cx, WndSize.cy);
    skin::PrepareCache(SkinData, CtrlHandle, false);
    PaintText();
    BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, SkinData->FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    RestoreDC(dc, save);
    if (!GivenDC) ReleaseDC(CtrlHandle, dc);
}

bool TacStaticWnd::Common(fw::TMessage& Message, bool WithEnable) {
    switch (Message.Msg) {
        case WM_ENABLE:
            if (!WithEnable) return false;
            [[fallthrough]];
        case WM_MOVE:
            SkinData->BGChanged = true;
            PassOn(Message);
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            return true;
        case WM_SETTEXT:
            PassOn(Message);
            Caption = GetWndText(CtrlHandle);
            SkinData->BGChanged = true;
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            return true;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(CtrlHandle, &ps);
            EndPaint(CtrlHandle, &ps);
            return true;
        }
        case WM_ERASEBKGND:
            if (!IsWindowVisible(CtrlHandle)) return false;
            AC_WMPaint(HDC(Message.WParam));
            Message.Result = 1;
            return true;
        case WM_NCPAINT:
            return true;
        default:
            return false;
    }
}

void TacStaticWnd::acWndProc(fw::TMessage& Message) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    const bool skinned = !Destroyed && M && M->Active() && SkinData->Skinned();
    // A static that takes the focus or has a sunken edge keeps its own look.
    if (!skinned || (GetWindowLongW(CtrlHandle, GWL_STYLE) & WS_TABSTOP) ||
        (GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_STATICEDGE) || Message.Msg == SM_ALPHACMD) {
        TacMainWnd::acWndProc(Message);
        return;
    }
    if (Common(Message, true)) return;
    if (Message.Msg == WM_PRINT) {
        AC_WMPaint(HDC(Message.WParam));
        return;
    }
    TacMainWnd::acWndProc(Message);
}

// ---- TacIconWnd

TacIconWnd::TacIconWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                       const fw::String& SkinSection)
    : TacStaticWnd(AHandle, ASkinData, ASkinManager, SkinSection) {
    IsBmp = (GetWindowLongW(AHandle, GWL_STYLE) & 3) != SS_ICON;
}

TacIconWnd::~TacIconWnd() { delete FBmp; }

void TacIconWnd::PaintText() {
    fw::TCanvas* C = SkinData->FCacheBmp->Canvas();
    if (!IsBmp) {
        if (HICON icon = HICON(SendMessageW(CtrlHandle, STM_GETICON, 0, 0)))
            DrawIconEx(C->Handle(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    if (!FBmp) {
        FBmp = new fw::TBitmap();
        if (HBITMAP h = HBITMAP(SendMessageW(CtrlHandle, STM_GETIMAGE, IMAGE_BITMAP, 0)))
            FBmp->SetHandle(h, fw::hoBorrowed);
    }
    if (!FBmp->Empty()) C->Draw(0, 0, FBmp);
}

// ---- TacLinkWnd

void TacLinkWnd::PaintText() {
    fw::TCanvas* C = SkinData->FCacheBmp->Canvas();
    C->Brush()->SetStyle(fw::bsClear);
    fw::TRect R(0, 0, WndSize.cx + 4, WndSize.cy);
    NONCLIENTMETRICSW m{};
    m.cbSize = 504;
    HFONT f =
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 504, &m, 0) ? CreateFontIndirectW(&m.lfMessageFont) : nullptr;
    C->Font()->SetHandle(f, fw::hoOwned);
    C->Font()->SetStyle(C->Font()->Style() + fw::TFontStyles{fw::fsUnderline});
    acWriteTextEx(C, StripAnchorTags(Caption).c_str(), true, R, DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP, SkinData,
                  false);
}

void TacLinkWnd::acWndProc(fw::TMessage& Message) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    const bool skinned = !Destroyed && M && M->Active() && SkinData->Skinned();
    if (!skinned || (GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_STATICEDGE) || Message.Msg == SM_ALPHACMD) {
        TacStaticWnd::acWndProc(Message);
        return;
    }
    if (Common(Message, false)) return;
    TacStaticWnd::acWndProc(Message);
}

}  // namespace skin
