// What the tests of the library's own windows share: a recorder in place of
// UpdateLayeredWindow and of the pause between animation frames (it keeps
// each layered image with its alpha, and passes it on), a shown form that
// answers for its skin provider, placed apart from other test processes'
// windows, a pump, and checks that what an animation made is gone.
//
// Under Xvfb the desktop shows no translucency, so frames are checked as the
// recorder saw them, never as read back from the screen.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/engine/StandInDialog.h"
#include "skin/engine/StandInProvider.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sMessages.h"
#include "skin/paint/sAnimCore.h"
#include "skin/paint/sBitmaps.h"

namespace windowstest {

// One UpdateLayeredWindow call: the window, the size and constant alpha, the
// source bitmap and a copy of its pixels (BGRA, top row first).
struct LayeredCall {
    HWND Wnd = nullptr;
    SIZE Size{};
    BYTE Alpha = 0;
    HBITMAP Bitmap = nullptr;
    int Width = 0, Height = 0;
    std::vector<uint8_t> Pixels;

    // 0xAARRGGBB of pixel (x, y) of the image.
    uint32_t Pixel(int x, int y) const {
        const uint8_t* p = &Pixels[(size_t(y) * size_t(Width) + size_t(x)) * 4];
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
    }
    // The smallest rectangle holding every pixel that is not transparent.
    fw::TRect Drawn() const {
        fw::TRect r(Width, Height, 0, 0);
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                if (Pixel(x, y) >> 24) {
                    r.Left = std::min<LONG>(r.Left, x), r.Top = std::min<LONG>(r.Top, y);
                    r.Right = std::max<LONG>(r.Right, x + 1), r.Bottom = std::max<LONG>(r.Bottom, y + 1);
                }
        return r;
    }
};

class Recorder {
public:
    Recorder() : saved_(skin::UpdateLayeredWindow), savedSleep_(skin::AnimSleep) {
        current_ = this;
        skin::UpdateLayeredWindow = &Record;
        skin::AnimSleep = &Pause;
    }
    ~Recorder() {
        skin::UpdateLayeredWindow = saved_;
        skin::AnimSleep = savedSleep_;
        current_ = nullptr;
    }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    std::vector<LayeredCall> Calls;
    int Sleeps = 0;
    // Runs at each pause between frames (a pause still lasts 10 ms).
    std::function<void()> OnSleep;

    // The first window shown: the temporary one of an animation.
    HWND FirstWindow() const { return Calls.empty() ? nullptr : Calls[0].Wnd; }
    std::vector<LayeredCall> CallsOf(HWND Wnd) const {
        std::vector<LayeredCall> out;
        for (const LayeredCall& c : Calls)
            if (c.Wnd == Wnd) out.push_back(c);
        return out;
    }
    std::vector<int> Alphas(HWND Wnd) const {
        std::vector<int> out;
        for (const LayeredCall& c : Calls)
            if (c.Wnd == Wnd) out.push_back(c.Alpha);
        return out;
    }
    // Every window other than Keep and every bitmap the recorder saw is gone.
    ::testing::AssertionResult NothingLeft(std::set<HWND> Keep = {}) const {
        for (const LayeredCall& c : Calls) {
            if (!Keep.count(c.Wnd) && IsWindow(c.Wnd))
                return ::testing::AssertionFailure() << "a layered window is left";
            if (GetObjectType(c.Bitmap) != 0 && !Keep.count(c.Wnd))
                return ::testing::AssertionFailure() << "a bitmap is left";
        }
        return ::testing::AssertionSuccess();
    }

private:
    static BOOL WINAPI Record(HWND Wnd, HDC Dst, POINT* Pos, SIZE* Size, HDC Src, POINT* SrcPos, COLORREF Key,
                              BLENDFUNCTION* Blend, DWORD Flags) {
        Recorder* r = current_;
        LayeredCall c;
        c.Wnd = Wnd;
        if (Size) c.Size = *Size;
        if (Blend) c.Alpha = Blend->SourceConstantAlpha;
        c.Bitmap = Src ? HBITMAP(GetCurrentObject(Src, OBJ_BITMAP)) : nullptr;
        DIBSECTION ds{};
        if (c.Bitmap && GetObjectW(c.Bitmap, sizeof ds, &ds) == sizeof ds && ds.dsBm.bmBitsPixel == 32 && Size) {
            GdiFlush();
            c.Width = std::min<int>(Size->cx, ds.dsBm.bmWidth);
            c.Height = std::min<int>(Size->cy, ds.dsBm.bmHeight);
            c.Pixels.resize(size_t(c.Width) * size_t(c.Height) * 4);
            const bool bottomUp = ds.dsBmih.biHeight > 0;
            for (int y = 0; y < c.Height; ++y) {
                const int row = bottomUp ? ds.dsBm.bmHeight - 1 - y : y;
                const auto* src = static_cast<const uint8_t*>(ds.dsBm.bmBits) + size_t(row) * ds.dsBm.bmWidthBytes;
                std::copy(src, src + size_t(c.Width) * 4, &c.Pixels[size_t(y) * size_t(c.Width) * 4]);
            }
        }
        if (r) r->Calls.push_back(std::move(c));
        return r && r->saved_ ? r->saved_(Wnd, Dst, Pos, Size, Src, SrcPos, Key, Blend, Flags) : TRUE;
    }
    static void Pause(DWORD Ms) {
        if (Recorder* r = current_) {
            ++r->Sleeps;
            if (r->OnSleep) r->OnSleep();
        }
        Sleep(Ms);
    }
    static inline Recorder* current_ = nullptr;
    skin::TUpdateLayeredWindow saved_;
    skin::TAnimSleep savedSleep_;
};

// Runs the application's loop until Done holds or about Ms milliseconds passed.
inline bool PumpUntil(const std::function<bool()>& Done, int Ms = 3000) {
    for (int i = 0; i < Ms / 10 && !Done(); ++i) {
        fw::Application->ProcessMessages();
        if (!Done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return Done();
}
inline void Pump(int Ms) {
    PumpUntil([] { return false; }, Ms);
}

// The windows of this thread that are visible.
inline BOOL CALLBACK CollectVisible(HWND w, LPARAM p) {
    if (IsWindowVisible(w)) reinterpret_cast<std::set<HWND>*>(p)->insert(w);
    return TRUE;
}
inline std::set<HWND> VisibleWindows() {
    std::set<HWND> out;
    EnumThreadWindows(GetCurrentThreadId(), &CollectVisible, LPARAM(&out));
    return out;
}

// A form that answers for its skin provider, as a skinned form does.
class TProviderForm : public fw::TForm {
public:
    explicit TProviderForm(fw::TComponent* AOwner) : fw::TForm(AOwner) {}
    fw::String ClassName() const override { return L"TProviderForm"; }
    skintest::TestProvider* Provider = nullptr;
    void WndProc(fw::TMessage& m) override {
        if (m.Msg == skin::SM_ALPHACMD && m.WParamHi() == skin::smcGetProvider) {
            m.Result = LRESULT(Provider);
            return;
        }
        fw::TForm::WndProc(m);
    }
};

struct FormFree {
    void operator()(fw::TComponent* c) const { c->Free(); }
};

// A borderless form with a provider at a place of this process's own,
// shown on top of the desktop.
inline std::unique_ptr<TProviderForm, FormFree> ShownForm(int Width, int Height, int Slot = 0) {
    std::unique_ptr<TProviderForm, FormFree> f(fw::Create<TProviderForm>(fw::Application.get()));
    f->Provider = fw::Create<skintest::TestProvider>(f.get());
    f->SetBorderStyle(fw::bsNone);
    const DWORD pid = GetCurrentProcessId();
    f->SetBounds(20 + int(pid * 37 % 300) + 40 * Slot, 20 + int(pid * 53 % 200) + 30 * Slot, Width, Height);
    f->Show();
    SetWindowPos(f->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Pump(50);
    return f;
}

// The window as it is drawn (its window DC: the desktop of a virtual display
// cannot be read back), saved as build/screenshots/<Name>.bmp.
inline std::unique_ptr<fw::TBitmap> Screenshot(HWND Wnd, const wchar_t* Name) {
    RECT wr;
    GetWindowRect(Wnd, &wr);
    auto shot = std::make_unique<fw::TBitmap>(wr.right - wr.left, wr.bottom - wr.top, fw::pf24bit);
    HDC dc = GetWindowDC(Wnd);
    BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(Wnd, dc);
    CreateDirectoryW(L"..\\screenshots", nullptr);
    shot->SaveToFile(fw::String(L"..\\screenshots\\") + Name + L".bmp");
    return shot;
}

}  // namespace windowstest
