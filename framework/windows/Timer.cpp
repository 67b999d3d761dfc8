#include "framework/windows/Timer.h"

#include "framework/windows/Application.h"

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
    // Killing a timer that is not running is harmless.
    KillTimer(window_, kTimerId);
    if (enabled_ && interval_ != 0 && !SetTimer(window_, kTimerId, interval_, nullptr))
        throw EOutOfMemory(L"Not enough timers available");
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

void TTimer::WndProc(TMessage& Message) {
    if (Message.Msg == WM_TIMER) {
        HandleEventExceptions(this, [this] { Timer(); });
        return;
    }
    Message.Result = DefWindowProcW(window_, Message.Msg, Message.WParam, Message.LParam);
}

}  // namespace fw
