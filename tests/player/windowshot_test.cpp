// The photographs book tests take of the viewer's windows must tell a frame
// and children the system drew from ones a skin took over.
#include "player/WindowShot.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

using namespace player;

namespace {

// Paints its whole frame itself in one colour and answers the skinned query,
// as a skinned window does; the system draws none of it.
LRESULT CALLBACK OwnFrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_NCPAINT: {
            HDC dc = GetWindowDC(hwnd);
            RECT r;
            GetWindowRect(hwnd, &r);
            OffsetRect(&r, -r.left, -r.top);
            HBRUSH b = CreateSolidBrush(RGB(0xC0, 0x60, 0x20));
            FillRect(dc, &r, b);
            DeleteObject(b);
            ReleaseDC(hwnd, dc);
            return 0;
        }
        case WM_NCACTIVATE:
            RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
            return TRUE;
        case WM_SETTEXT:
        case WM_SETICON: {
            // The default handling would draw the caption: without WS_VISIBLE it draws nothing.
            const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
            SetWindowLongW(hwnd, GWL_STYLE, style & ~WS_VISIBLE);
            LRESULT r = DefWindowProcW(hwnd, msg, wp, lp);
            SetWindowLongW(hwnd, GWL_STYLE, style);
            RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
            return r;
        }
        case kSkinMessage:
            return HIWORD(wp) == kSkinIsHandled ? 1 : 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// A button that answers the skinned query (the drawing is still the system's:
// only the answer counts here).
WNDPROC gButtonProc = nullptr;
LRESULT CALLBACK AnsweringButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kSkinMessage) return HIWORD(wp) == kSkinIsHandled ? 1 : 0;
    return CallWindowProcW(gButtonProc, hwnd, msg, wp, lp);
}

void Pump(int ms) {
    const DWORD end = GetTickCount() + ms;
    do {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        Sleep(10);
    } while (LONG(end - GetTickCount()) > 0);
}

}  // namespace

TEST(WindowShot, TellsTheSystemsFrameAndChildrenFromSkinnedOnes) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnFrameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"ShotOwnFrame";
    RegisterClassW(&wc);

    struct Case {
        const wchar_t* Class;
        DWORD Style;
        bool AnsweringButton;
        const wchar_t* Expected;
    };
    const Case cases[] = {
        {L"#32770", WS_OVERLAPPEDWINDOW, false, L"shot \"system\" skinned=0 frame=system unskinned=button"},
        {L"#32770", WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, false,
         L"shot \"system\" skinned=0 frame=system unskinned=button"},
        {L"ShotOwnFrame", WS_OVERLAPPEDWINDOW, true, L"shot \"system\" skinned=1 frame=skin unskinned=none"},
        {L"ShotOwnFrame", WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, false,
         L"shot \"system\" skinned=1 frame=skin unskinned=button"},
    };
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring shots = std::wstring(folder) + L"standin-shots";
    SetEnvironmentVariableW(L"STANDIN_SHOTS", shots.c_str());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Class << " style " << std::hex << c.Style);
        HWND w = CreateWindowExW(0, c.Class, L"A caption", c.Style | WS_VISIBLE, 40, 40, 420, 260, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, w);
        HWND button = CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE, 20, 20, 80, 24, w, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
        // Neither a hidden button nor a static is asked.
        CreateWindowExW(0, L"Button", L"Hidden", WS_CHILD, 20, 60, 80, 24, w, nullptr, nullptr, nullptr);
        CreateWindowExW(0, L"Static", L"Label", WS_CHILD | WS_VISIBLE, 20, 100, 80, 24, w, nullptr, nullptr, nullptr);
        if (c.AnsweringButton)
            gButtonProc = WNDPROC(SetWindowLongPtrW(button, GWLP_WNDPROC, LONG_PTR(AnsweringButtonProc)));
        SetForegroundWindow(w);
        Pump(300);
        EXPECT_EQ(c.Expected, ShootWindow(w, L"system"));
        DestroyWindow(w);
    }
    // The photograph is kept, as wide as the window.
    HANDLE f = CreateFileW((shots + L"\\system.bmp").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    DWORD read = 0;
    ReadFile(f, &fh, sizeof(fh), &read, nullptr);
    ReadFile(f, &ih, sizeof(ih), &read, nullptr);
    CloseHandle(f);
    EXPECT_EQ(0x4D42, fh.bfType);
    EXPECT_EQ(420, ih.biWidth);
    EXPECT_EQ(24, ih.biBitCount);
    DeleteFileW((shots + L"\\system.bmp").c_str());
    RemoveDirectoryW(shots.c_str());
    SetEnvironmentVariableW(L"STANDIN_SHOTS", nullptr);
}
