// What the window tests of the standard-window wrappers share: a plain
// top-level host shown on the test desktop (placed apart from other test
// processes' windows), a pump, and a grab of what is on screen.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/Strings.h"

namespace wintest {

inline void Pump(DWORD ms = 50) {
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    do {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (int(end - GetTickCount()) > 0);
}

// Pumps until Done() holds or ms passed; says whether it holds.
template <typename Condition>
bool PumpUntil(Condition Done, DWORD ms = 3000) {
    const DWORD end = GetTickCount() + ms;
    while (!Done() && int(end - GetTickCount()) > 0) Pump(10);
    return Done();
}

// A borderless, topmost host of one flat colour.
class Host {
public:
    Host(int Width, int Height, COLORREF Colour) {
        static ATOM atom = [] {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"KvbTestHost";
            wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
            return RegisterClassW(&wc);
        }();
        (void)atom;
        const DWORD pid = GetCurrentProcessId();
        brush_ = CreateSolidBrush(Colour);
        handle = CreateWindowExW(WS_EX_TOPMOST, L"KvbTestHost", L"", WS_POPUP | WS_CLIPCHILDREN,
                                 20 + int(pid * 37 % 400), 20 + int(pid * 53 % 300), Width, Height, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        SetClassLongPtrW(handle, GCLP_HBRBACKGROUND, LONG_PTR(brush_));
        ShowWindow(handle, SW_SHOWNOACTIVATE);
        UpdateWindow(handle);
        Pump(30);
    }
    ~Host() {
        DestroyWindow(handle);
        DeleteObject(brush_);
    }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The whole host as it is on screen, children and their frames included.
    std::unique_ptr<fw::TBitmap> Grab() const {
        RECT wr;
        GetWindowRect(handle, &wr);
        auto shot = std::make_unique<fw::TBitmap>(wr.right - wr.left, wr.bottom - wr.top, fw::pf24bit);
        HDC dc = GetWindowDC(handle);
        BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(handle, dc);
        return shot;
    }

    HWND handle = nullptr;

private:
    HBRUSH brush_ = nullptr;
};

// A child's rectangle in the host's window coordinates.
inline RECT RectInHost(HWND Child, const RECT& ScreenRect, HWND HostWnd) {
    RECT hr;
    GetWindowRect(HostWnd, &hr);
    (void)Child;
    return {ScreenRect.left - hr.left, ScreenRect.top - hr.top, ScreenRect.right - hr.left, ScreenRect.bottom - hr.top};
}

inline COLORREF PixelAt(fw::TBitmap& Bmp, int X, int Y) {
    const uint8_t* p = static_cast<const uint8_t*>(Bmp.ScanLine(Y)) + 3 * X;
    return RGB(p[2], p[1], p[0]);
}

// Saves Shot as build/screenshots/<Name>.
inline void SaveScreenshot(fw::TBitmap& Shot, const wchar_t* Name) {
    CreateDirectoryW(L"..\\screenshots", nullptr);
    Shot.SaveToFile(fw::String(L"..\\screenshots\\") + Name);
}

}  // namespace wintest
