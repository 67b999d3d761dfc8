// A framework form to put framework controls on: their skin data asks the
// parent control whether it is updating, so a control on a bare window
// would never paint. Borderless, topmost, of one flat colour, placed apart
// from other test processes' windows like the plain host.
#pragma once

#include <windows.h>

#include <memory>

#include "WineDesk.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"

namespace wintest {

class FormHost {
public:
    FormHost(int Width, int Height, COLORREF Colour) {
        form_ = new fw::TForm(fw::Application.get());
        form_->AfterConstruction();
        form_->SetBorderStyle(fw::bsNone);
        form_->SetColor(fw::TColor(Colour));
        const DWORD pid = GetCurrentProcessId();
        form_->SetBounds(20 + int(pid * 37 % 400), 20 + int(pid * 53 % 300), Width, Height);
        form_->Show();
        SetWindowPos(form_->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Pump(30);
    }
    ~FormHost() { form_->Free(); }
    FormHost(const FormHost&) = delete;
    FormHost& operator=(const FormHost&) = delete;

    fw::TForm* form() const { return form_; }
    HWND handle() const { return form_->Handle(); }

    // A control of type T on the form (the form owns it), its window made.
    template <typename T>
    T* Put(int X, int Y, int W, int H) {
        T* c = fw::Create<T>(form_);
        c->SetBounds(X, Y, W, H);
        c->SetParent(form_);
        c->HandleNeeded();
        return c;
    }

    // The whole form as it is on screen.
    std::unique_ptr<fw::TBitmap> Grab() const {
        RECT wr;
        GetWindowRect(handle(), &wr);
        auto shot = std::make_unique<fw::TBitmap>(wr.right - wr.left, wr.bottom - wr.top, fw::pf24bit);
        HDC dc = GetWindowDC(handle());
        BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(handle(), dc);
        return shot;
    }

    // Everything on the form painted again, and the messages that follow.
    void Repaint() const {
        RedrawWindow(handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump(60);
    }

private:
    fw::TForm* form_ = nullptr;
};

}  // namespace wintest
