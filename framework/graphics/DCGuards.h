// Scoped ownership of a device context, of an object selected into one and
// of a GDI object made for a while: each gives back what it took however
// the scope is left.
#pragma once

#include <windows.h>

namespace fw {

// A window's DC, released with ReleaseDC: its client area's (GetDC), the
// whole window's (GetWindowDC), or as GetDCEx gives it. Handle() is null
// when the system gave none.
class TWindowDC {
public:
    explicit TWindowDC(HWND Window, bool WholeWindow = false)
        : window_(Window), dc_(WholeWindow ? GetWindowDC(Window) : GetDC(Window)) {}
    TWindowDC(HWND Window, HRGN Clip, DWORD Flags) : window_(Window), dc_(GetDCEx(Window, Clip, Flags)) {}
    ~TWindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;

    HDC Handle() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory DC compatible with another (the screen's when null), deleted
// with DeleteDC.
class TMemoryDC {
public:
    explicit TMemoryDC(HDC Compatible = nullptr) : dc_(CreateCompatibleDC(Compatible)) {}
    ~TMemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;

    HDC Handle() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

// Selects a GDI object into a DC and selects the previous one back. The
// object itself stays the caller's.
class TSelectedObject {
public:
    TSelectedObject(HDC DC, HGDIOBJ Object) : dc_(DC), previous_(Object ? SelectObject(DC, Object) : nullptr) {}
    ~TSelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    TSelectedObject(const TSelectedObject&) = delete;
    TSelectedObject& operator=(const TSelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A GDI object (bitmap, brush, pen, region...) deleted with DeleteObject.
template <typename H>
class TGdiObject {
public:
    explicit TGdiObject(H Handle) : handle_(Handle) {}
    ~TGdiObject() {
        if (handle_) DeleteObject(handle_);
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

    H Handle() const { return handle_; }
    operator H() const { return handle_; }

private:
    H handle_;
};

}  // namespace fw
