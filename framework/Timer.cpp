#include "framework/Timer.h"

#include "framework/Application.h"

namespace fw {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    window_ = AllocateHWnd(TWndMethod(this, &TTimer::WndProc));
    // OnTimer is a plain field here, so the timer runs from the start; ticks
    // without a handler do nothing.
    UpdateTimer();
}

TTimer::~TTimer() {
    enabled_ = false;
    UpdateTimer();
    DeallocateHWnd(window_);
    window_ = nullptr;
}

void TTimer::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
    if (interval_ == Value) return;
    interval_ = Value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (running_) {
        KillTimer(window_, kTimerId);
        running_ = false;
    }
    if (enabled_ && interval_ != 0 && window_) {
        if (!SetTimer(window_, kTimerId, interval_, nullptr)) throw EOutOfMemory(L"Not enough timers available");
        running_ = true;
    }
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

void TTimer::WndProc(TMessage& Message) {
    if (Message.Msg == WM_TIMER) {
        try {
            Timer();
        } catch (const Exception& e) {
            Application->HandleException(this, e);
        }
        return;
    }
    Message.Result = DefWindowProcW(window_, Message.Msg, Message.WParam, Message.LParam);
}

}  // namespace fw
