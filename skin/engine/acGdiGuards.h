// Guards of GDI handles and device-context state: each gives back what it
// took when it goes, on every way out of the code that made it.
#pragma once

#include <windows.h>

#include <utility>

namespace skin {

// A GDI object (brush, pen, font, bitmap, region) deleted with the guard.
template <class H>
class TacGdiObject {
public:
    explicit TacGdiObject(H Handle = nullptr) : FHandle(Handle) {}
    ~TacGdiObject() {
        if (FHandle) DeleteObject(FHandle);
    }
    TacGdiObject(TacGdiObject&& Other) noexcept : FHandle(std::exchange(Other.FHandle, nullptr)) {}
    TacGdiObject& operator=(TacGdiObject&& Other) noexcept {
        if (this != &Other) {
            if (FHandle) DeleteObject(FHandle);
            FHandle = std::exchange(Other.FHandle, nullptr);
        }
        return *this;
    }
    TacGdiObject(const TacGdiObject&) = delete;
    TacGdiObject& operator=(const TacGdiObject&) = delete;

    H Get() const { return FHandle; }
    // Hands the object on (to SetWindowRgn, say): the guard no longer deletes it.
    H Release() { return std::exchange(FHandle, nullptr); }

private:
    H FHandle;
};

using TacRegion = TacGdiObject<HRGN>;
using TacBrush = TacGdiObject<HBRUSH>;

// A DC's state (clipping, origins, selected objects) saved and restored.
class TacSavedDC {
public:
    explicit TacSavedDC(HDC DC) : FDC(DC), FSaved(DC ? SaveDC(DC) : 0) {}
    ~TacSavedDC() {
        if (FSaved) RestoreDC(FDC, FSaved);
    }
    TacSavedDC(const TacSavedDC&) = delete;
    TacSavedDC& operator=(const TacSavedDC&) = delete;

private:
    HDC FDC;
    int FSaved;
};

// A window's DC (the whole window's, or its client area's), released with
// the guard.
class TacWindowDC {
public:
    explicit TacWindowDC(HWND Wnd, bool Whole = true) : FWnd(Wnd), FDC(Whole ? GetWindowDC(Wnd) : GetDC(Wnd)) {}
    ~TacWindowDC() {
        if (FDC) ReleaseDC(FWnd, FDC);
    }
    TacWindowDC(const TacWindowDC&) = delete;
    TacWindowDC& operator=(const TacWindowDC&) = delete;

    HDC Get() const { return FDC; }

private:
    HWND FWnd;
    HDC FDC;
};

// An object selected into a DC; the one it replaced is selected back with
// the guard.
class TacSelectedObject {
public:
    TacSelectedObject(HDC DC, HGDIOBJ Object) : FDC(DC), FOld(DC && Object ? SelectObject(DC, Object) : nullptr) {}
    ~TacSelectedObject() {
        if (FOld) SelectObject(FDC, FOld);
    }
    TacSelectedObject(const TacSelectedObject&) = delete;
    TacSelectedObject& operator=(const TacSelectedObject&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};

}  // namespace skin
