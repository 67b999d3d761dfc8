// What the tests of real skinned forms share: the message loop for a while,
// the window as drawn, and where the title on the window differs from the
// provider's image.
#pragma once

#include <windows.h>

#include <algorithm>
#include <memory>

#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"

namespace formstest {

inline fw::TPoint Centre(const fw::TRect& r) { return fw::TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

// The screen point of the window point P, as mouse messages carry it.
inline LPARAM ScreenAt(HWND h, fw::TPoint P) {
    RECT wr;
    GetWindowRect(h, &wr);
    return MAKELPARAM(wr.left + P.X, wr.top + P.Y);
}

inline LRESULT HitAt(HWND h, fw::TPoint P) { return SendMessageW(h, WM_NCHITTEST, 0, ScreenAt(h, P)); }

inline void Pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    do {
        fw::Application->ProcessMessages();
        Sleep(5);
    } while (LONG(end - GetTickCount()) > 0);
}

struct FormFree {
    void operator()(fw::TComponent* c) const {
        if (c) c->Free();
    }
};

// The window as drawn (its window DC), saved under build/screenshots.
inline std::unique_ptr<fw::TBitmap> Shot(HWND Wnd, const wchar_t* Name = nullptr) {
    RECT wr;
    GetWindowRect(Wnd, &wr);
    auto shot = std::make_unique<fw::TBitmap>(wr.right - wr.left, wr.bottom - wr.top, fw::pf24bit);
    HDC dc = GetWindowDC(Wnd);
    BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(Wnd, dc);
    if (Name) {
        CreateDirectoryW(L"..\\screenshots", nullptr);
        shot->SaveToFile(fw::String(L"..\\screenshots\\") + Name + L".bmp");
    }
    return shot;
}

// Pixels of the title band (inside the window's region) where the window
// shows something else than the provider's image.
inline int TitleMismatches(skin::TsSkinProvider* sp) {
    const HWND h = sp->Form->Handle();
    auto shot = Shot(h);
    fw::TBitmap* cache = sp->SkinData()->FCacheBmp;
    if (!cache) return -1;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool haveRgn = GetWindowRgn(h, rgn) != ERROR;
    int bad = 0;
    const int bottom = std::min(sp->OffsetY(), cache->Height());
    for (int y = 0; y < bottom; ++y)
        for (int x = 0; x < std::min(shot->Width(), cache->Width()); ++x) {
            if (haveRgn && !PtInRegion(rgn, x, y)) continue;
            if (GetPixel(shot->Canvas()->Handle(), x, y) != GetPixel(cache->Canvas()->Handle(), x, y)) ++bad;
        }
    DeleteObject(rgn);
    return bad;
}

}  // namespace formstest
