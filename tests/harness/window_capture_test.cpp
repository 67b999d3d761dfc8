// A real top-level window under Xvfb, captured with its frame, caption and
// button: the way every GUI test of the project looks at pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

void pump(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

struct Capture {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;  // top-down 0x00RRGGBB
    DWORD at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
    size_t distinctColours(const RECT& r) const {
        std::set<DWORD> seen;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) seen.insert(at(x, y));
        return seen.size();
    }
};

// PrintWindow and WM_PRINT draw no child windows under Wine; the window DC does.
Capture captureWindow(HWND hwnd) {
    RECT wr;
    GetWindowRect(hwnd, &wr);
    Capture c;
    c.width = wr.right - wr.left;
    c.height = wr.bottom - wr.top;
    c.pixels.resize(static_cast<size_t>(c.width) * c.height);
    HDC wdc = GetWindowDC(hwnd);
    HDC mem = CreateCompatibleDC(wdc);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = c.width;
    bi.bmiHeader.biHeight = -c.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, c.width, c.height, wdc, 0, 0, SRCCOPY);
    GdiFlush();
    memcpy(c.pixels.data(), bits, c.pixels.size() * 4);
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(hwnd, wdc);
    return c;
}

}  // namespace

TEST(WindowCapture, KoreanCaptionAndButtonAreDrawn) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = inst;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"HarnessCaptureWindow";
    RegisterClassW(&wc);

    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"파일 다운로드", WS_OVERLAPPEDWINDOW, 40, 40, 320, 200, nullptr,
                                nullptr, inst, nullptr);
    ASSERT_NE(hwnd, nullptr);
    HWND button = CreateWindowExW(0, L"BUTTON", L"저장", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 120, 40, hwnd,
                                  nullptr, inst, nullptr);
    ASSERT_NE(button, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    pump(300);

    wchar_t caption[32] = {};
    GetWindowTextW(hwnd, caption, 32);
    EXPECT_STREQ(caption, L"파일 다운로드");

    Capture c = captureWindow(hwnd);
    ASSERT_GT(c.width, 320 - 1);

    RECT client;
    GetClientRect(hwnd, &client);
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    RECT wr;
    GetWindowRect(hwnd, &wr);
    int cx = origin.x - wr.left, cy = origin.y - wr.top;

    // The frame: a caption band above the client area, with its text drawn.
    ASSERT_GT(cy, 10) << "no caption: the window has no frame";
    RECT captionBand = {cx, 2, c.width - cx, cy - 2};
    EXPECT_GT(c.distinctColours(captionBand), 3u) << "caption text not drawn";

    // The client background is the button face colour.
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    DWORD faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    EXPECT_EQ(c.at(cx + 200, cy + 120), faceRgb);

    // The button: its edges and its two syllables of text.
    RECT buttonRect = {cx + 20, cy + 20, cx + 140, cy + 60};
    EXPECT_GT(c.distinctColours(buttonRect), 2u) << "button not drawn";
    RECT textBand = {cx + 50, cy + 30, cx + 110, cy + 50};
    size_t dark = 0;
    for (int y = textBand.top; y < textBand.bottom; ++y)
        for (int x = textBand.left; x < textBand.right; ++x)
            if ((c.at(x, y) & 0xFF) < 0x60) ++dark;
    EXPECT_GT(dark, 20u) << "button text not drawn (no Korean font?)";

    DestroyWindow(hwnd);
}
