// Timers tick from the message loop on their own hidden window and go with
// their owner.
#include "framework/Timer.h"

#include <gtest/gtest.h>

#include <functional>

#include "framework/Application.h"

using namespace fw;

namespace {

bool PumpUntil(const std::function<bool()>& done, int ms = 5000) {
    for (int i = 0; i < ms / 10 && !done(); ++i) {
        Application->ProcessMessages();
        if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

struct Counter {
    int ticks = 0;
    TObject* sender = nullptr;
    void Tick(TObject* Sender) {
        ++ticks;
        sender = Sender;
    }
};

BOOL CALLBACK CountUtilWindow(HWND wnd, LPARAM count) {
    wchar_t name[64] = {};
    GetClassNameW(wnd, name, 64);
    if (String(name) == L"TPUtilWindow") ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// The utility windows of this thread.
int CountUtilWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountUtilWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

class CountingTimer : public TTimer {
public:
    using TTimer::TTimer;
    String ClassName() const override { return L"TCountingTimer"; }
    int ticks = 0;

protected:
    void Timer() override { ++ticks; }
};

}  // namespace

TEST(Timer, TicksWhileEnabledAndStops) {
    Counter counter;
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    timer.SetInterval(20);
    timer.OnTimer = TNotifyEvent(&counter, &Counter::Tick);
    ASSERT_TRUE(PumpUntil([&] { return counter.ticks >= 3; }));
    EXPECT_EQ(counter.sender, &timer);

    timer.SetEnabled(false);
    Application->ProcessMessages();
    int stopped = counter.ticks;
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(counter.ticks, stopped);

    // Interval 0 keeps it quiet even when enabled.
    timer.SetInterval(0);
    timer.SetEnabled(true);
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(counter.ticks, stopped);
    timer.SetInterval(20);
    EXPECT_TRUE(PumpUntil([&] { return counter.ticks > stopped; }));
}

TEST(Timer, SubclassTicksThroughVirtualTimer) {
    CountingTimer timer(nullptr);
    timer.SetInterval(20);
    EXPECT_TRUE(PumpUntil([&] { return timer.ticks >= 2; }));
}

TEST(Timer, GoesWithItsOwnerAndTakesItsWindow) {
    int before = CountUtilWindows();
    auto* owner = new TComponent(nullptr);
    auto* timer = new TTimer(owner);
    timer->SetInterval(10);
    Counter counter;
    timer->OnTimer = TNotifyEvent(&counter, &Counter::Tick);
    EXPECT_EQ(CountUtilWindows(), before + 1);
    ASSERT_TRUE(PumpUntil([&] { return counter.ticks > 0; }));
    owner->Free();
    EXPECT_EQ(CountUtilWindows(), before);
    int ticks = counter.ticks;
    PumpUntil([] { return false; }, 60);
    EXPECT_EQ(counter.ticks, ticks);
}

TEST(Timer, ExceptionInOnTimerGoesToTheApplication) {
    struct Catcher {
        int caught = 0;
        void On(TObject*, const Exception&) { ++caught; }
    } catcher;
    struct Thrower {
        void Tick(TObject*) { throw EConvertError(L"tick"); }
    } thrower;
    Application->OnException = TExceptionEvent(&catcher, &Catcher::On);
    TTimer timer(nullptr);
    timer.SetInterval(10);
    timer.OnTimer = TNotifyEvent(&thrower, &Thrower::Tick);
    EXPECT_TRUE(PumpUntil([&] { return catcher.caught >= 2; }));  // and it keeps ticking
    Application->OnException.Clear();
}
