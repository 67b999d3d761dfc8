// What the control tests share: a top-level host window that shows by itself,
// a message pump, a recorder that subclasses a control through WindowProc,
// and pixel capture from the window DC.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <vector>

#include "framework/windows/Controls.h"

namespace fwtest {

using namespace fw;

// A borderless top-level window: client and window rectangles coincide.
class THostWindow : public TWinControl {
public:
    explicit THostWindow(TComponent* AOwner = nullptr) : TWinControl(AOwner) {
        controlStyle_.Include(csAcceptsControls);
        visible_ = false;
        // Tests run side by side on one display: each process puts its
        // windows somewhere else, on top, so captures see only their own.
        DWORD pid = GetCurrentProcessId();
        SetBounds(20 + int(pid * 37 % 680), 20 + int(pid * 53 % 500), 320, 240);
        SetColor(clWhite);
    }
    String ClassName() const override { return L"THostWindow"; }
    bool ShowsWithoutParent() const override { return true; }

protected:
    void CreateParams(TCreateParams& Params) override {
        TWinControl::CreateParams(Params);
        Params.Style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        Params.ExStyle = WS_EX_TOPMOST;
        Params.WndParent = nullptr;
    }
};

// A plain windowed container, and a windowless control to put in it.
class TBox : public TWinControl {
public:
    explicit TBox(TComponent* AOwner) : TWinControl(AOwner) { controlStyle_.Include(csAcceptsControls); }
    String ClassName() const override { return L"TBox"; }
};

class TPlain : public TGraphicControl {
public:
    explicit TPlain(TComponent* AOwner) : TGraphicControl(AOwner) {}
    String ClassName() const override { return L"TPlain"; }
};

inline void Pump(DWORD ms = 50) {
    DWORD end = GetTickCount() + ms;
    MSG msg;
    do {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (LONG(end - GetTickCount()) > 0);
}

inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
    DWORD end = GetTickCount() + timeoutMs;
    while (!done()) {
        if (LONG(end - GetTickCount()) <= 0) return false;
        Pump(10);
    }
    return true;
}

// Subclasses a control through WindowProc and writes down every message;
// Detach restores exactly what it replaced.
class MessageLog {
public:
    explicit MessageLog(TControl* Control) : control_(Control), saved_(Control->WindowProc()) {
        control_->SetWindowProc(TWndMethod(this, &MessageLog::Hook));
    }
    ~MessageLog() { Detach(); }
    void Detach() {
        if (control_ && control_->WindowProc() == TWndMethod(this, &MessageLog::Hook)) control_->SetWindowProc(saved_);
        control_ = nullptr;
    }
    void Hook(TMessage& m) {
        Messages.push_back(m);
        saved_(m);
    }
    // The recorded message numbers that are in Filter, in order.
    std::vector<UINT> Only(std::initializer_list<UINT> Filter) const {
        std::vector<UINT> out;
        for (const TMessage& m : Messages)
            if (std::find(Filter.begin(), Filter.end(), m.Msg) != Filter.end()) out.push_back(m.Msg);
        return out;
    }
    size_t Count(UINT Msg) const {
        return size_t(std::count_if(Messages.begin(), Messages.end(), [&](const TMessage& m) { return m.Msg == Msg; }));
    }
    void Clear() { Messages.clear(); }

    std::vector<TMessage> Messages;

private:
    TControl* control_;
    TWndMethod saved_;
};

struct Capture {
    int Width = 0, Height = 0;
    std::vector<DWORD> Pixels;  // top-down 0x00RRGGBB
    DWORD At(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)] & 0xFFFFFF; }
};

// The window as it is on screen (children included), from its window DC.
inline Capture CaptureWindow(HWND hwnd) {
    RECT wr;
    GetWindowRect(hwnd, &wr);
    Capture c;
    c.Width = wr.right - wr.left;
    c.Height = wr.bottom - wr.top;
    c.Pixels.resize(size_t(c.Width) * size_t(c.Height));
    HDC wdc = GetWindowDC(hwnd);
    HDC mem = CreateCompatibleDC(wdc);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = c.Width;
    bi.bmiHeader.biHeight = -c.Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, c.Width, c.Height, wdc, 0, 0, SRCCOPY);
    GdiFlush();
    std::memcpy(c.Pixels.data(), bits, c.Pixels.size() * 4);
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(hwnd, wdc);
    return c;
}

// A TColor as the 0x00RRGGBB a capture holds.
inline DWORD Rgb(TColor c) {
    TColor v = ColorToRGB(c);
    return DWORD((v & 0xFF) << 16 | (v & 0xFF00) | ((v >> 16) & 0xFF));
}

// A 32-bit memory surface to paint into with Perform(WM_PAINT, DC).
class MemorySurface {
public:
    MemorySurface(int w, int h) : width_(w), height_(h) {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(dc_, bmp_);
        RECT r = {0, 0, w, h};
        FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    ~MemorySurface() {
        SelectObject(dc_, old_);
        DeleteObject(bmp_);
        DeleteDC(dc_);
    }
    HDC DC() const { return dc_; }
    DWORD At(int x, int y) const {
        GdiFlush();
        return static_cast<const DWORD*>(bits_)[size_t(y) * size_t(width_) + size_t(x)] & 0xFFFFFF;
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bmp_;
    HGDIOBJ old_;
    void* bits_ = nullptr;
};

}  // namespace fwtest
