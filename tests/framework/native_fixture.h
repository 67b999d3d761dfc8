// What the tests of the native controls share: a shown form to put them on,
// placed apart from other test processes' windows, and a pump.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <type_traits>

#include "app_fixture.h"
#include "control_fixture.h"
#include "framework/graphics/Bitmap.h"
#include "framework/windows/Forms.h"

namespace fwtest {

class NativeForm {
public:
    NativeForm() : form_(fw::Create<fw::TForm>(fw::Application)) {
        DWORD pid = GetCurrentProcessId();
        form_->SetBorderStyle(fw::bsNone);
        form_->SetBounds(20 + int(pid * 37 % 400), 20 + int(pid * 53 % 300), 480, 360);
        form_->Show();
        // Tests run side by side on one display: captures must see this form.
        SetWindowPos(form_->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Pump(20);
    }
    fw::TForm* operator->() const { return form_.get(); }
    fw::TForm* get() const { return form_.get(); }

    // A control of type T on the form at the given bounds, its window made.
    template <typename T>
    T* Put(int x, int y, int w, int h) {
        T* c = fw::Create<T>(form_.get());
        c->SetBounds(x, y, w, h);
        c->SetParent(form_.get());
        if constexpr (std::is_base_of_v<fw::TWinControl, T>) c->HandleNeeded();
        return c;
    }

    // The form as it is on screen, saved as build/screenshots/<Name>.bmp and
    // given back for checks.
    std::unique_ptr<fw::TBitmap> Screenshot(const wchar_t* Name) {
        form_->Repaint();
        Pump(100);
        RECT wr;
        GetWindowRect(form_->Handle(), &wr);
        auto shot = std::make_unique<fw::TBitmap>();
        shot->SetPixelFormat(fw::pf24bit);
        shot->SetSize(wr.right - wr.left, wr.bottom - wr.top);
        HDC dc = GetWindowDC(form_->Handle());
        BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(form_->Handle(), dc);
        CreateDirectoryW(L"..\\screenshots", nullptr);
        shot->SaveToFile(fw::String(L"..\\screenshots\\") + Name + L".bmp");
        return shot;
    }

private:
    FormPtr<fw::TForm> form_;
};

inline fw::String WindowText(HWND h) {
    wchar_t buf[256] = {};
    GetWindowTextW(h, buf, 256);
    return buf;
}

inline fw::String WindowClass(HWND h) {
    wchar_t buf[64] = {};
    GetClassNameW(h, buf, 64);
    return buf;
}

// A click at a client point of a window, as the mouse would send it.
inline void ClickAt(HWND h, int x, int y) {
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

inline void KeyDown(HWND h, WORD key) { SendMessageW(h, WM_KEYDOWN, key, 1); }

// A native control made on a form: its window's class is its framework
// name, FindControl finds it, its ancestry holds and Probe (a message only
// its system class answers non-zero) reaches the system's procedure.
struct NativeClassCase {
    std::function<fw::TWinControl*()> make;
    const wchar_t* name;
    std::function<bool(fw::TWinControl*)> ancestry;
    UINT probe;
};

inline void ExpectNativeClasses(std::initializer_list<NativeClassCase> Cases) {
    for (const NativeClassCase& k : Cases) {
        fw::TWinControl* c = k.make();
        EXPECT_EQ(c->ClassName(), k.name);
        EXPECT_EQ(WindowClass(c->Handle()), k.name);
        EXPECT_TRUE(k.ancestry(c)) << c->ClassName();
        EXPECT_EQ(fw::FindControl(c->Handle()), c);
        EXPECT_NE(SendMessageW(c->Handle(), k.probe, 0, 0), 0) << c->ClassName();
    }
}

// Counts the events it is handed.
struct EventCounter {
    int count = 0;
    void Notify(fw::TObject*) { ++count; }
    fw::TNotifyEvent Event() { return fw::TNotifyEvent(this, &EventCounter::Notify); }
};

}  // namespace fwtest
