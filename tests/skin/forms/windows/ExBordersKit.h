// What the tests of border windows share: a pixel's alpha, a window's
// rectangle, the screen under a rectangle saved as a screenshot (a layered
// window is not in any window DC), and a check run on a message box once
// it shows, from inside the modal loop that shows it.
#pragma once

#include <windows.h>

#include <functional>

#include "SkinnedFormKit.h"
#include "framework/graphics/Bitmap.h"

namespace formstest {

inline BYTE AlphaAt(fw::TBitmap* Bmp, int X, int Y) { return static_cast<const BYTE*>(Bmp->ScanLine(Y))[X * 4 + 3]; }

inline RECT WindowRect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

// The screen under R, saved under build/screenshots.
inline void ScreenShot(const RECT& R, const wchar_t* Name) {
    fw::TBitmap shot(R.right - R.left, R.bottom - R.top, fw::pf24bit);
    HDC screen = GetDC(nullptr);
    BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), screen, R.left, R.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    CreateDirectoryW(L"..\\screenshots", nullptr);
    shot.SaveToFile(fw::String(L"..\\screenshots\\") + Name + L".bmp");
}

// Runs boxCheck on the message box captioned boxCaption once it shows, from
// a timer (SetTimer(nullptr, 0, 100, OnBoxTimer)) inside its modal loop.
inline std::function<void(HWND)> boxCheck;
inline const wchar_t* boxCaption = nullptr;
inline void CALLBACK OnBoxTimer(HWND, UINT, UINT_PTR Id, DWORD) {
    const HWND box = FindWindowW(L"#32770", boxCaption);
    if (!box || !IsWindowVisible(box) || !boxCheck) return;
    KillTimer(nullptr, Id);
    auto check = std::move(boxCheck);
    Pump(200);
    check(box);
    // A failed check must not leave the modal loop waiting.
    if (IsWindow(box) && IsWindowVisible(box)) PostMessageW(box, WM_COMMAND, IDOK, 0);
}

}  // namespace formstest
