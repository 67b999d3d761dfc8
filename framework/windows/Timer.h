// A component that calls OnTimer every Interval milliseconds while Enabled.
// Ticks come as WM_TIMER to a hidden window of its own, so they run from the
// message loop (also inside modal loops) on the thread that made the timer.
#pragma once

#include <windows.h>

#include "framework/rtl/Component.h"
#include "framework/rtl/Method.h"
#include "framework/windows/Messages.h"

namespace fw {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    String ClassName() const override { return L"TTimer"; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    // Milliseconds; 0 stops the ticks while keeping Enabled.
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned Value);

    TNotifyEvent OnTimer;

protected:
    // One tick: fires OnTimer. Subclasses override it to tick without an event.
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& Message);

    HWND window_ = nullptr;
    bool enabled_ = true;
    unsigned interval_ = 1000;
};

}  // namespace fw
