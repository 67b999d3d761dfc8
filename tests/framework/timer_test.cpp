// Timers tick from the message loop on their own hidden window and go with
// their owner.
#include "framework/windows/Timer.h"

#include <gtest/gtest.h>

#include <functional>

#include "app_fixture.h"
#include "framework/windows/Application.h"

using namespace fw;
using namespace fwtest;

namespace {

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
    ASSERT_TRUE(ProcessMessagesUntil([&] { return counter.ticks >= 3; }));
    EXPECT_EQ(counter.sender, &timer);

    timer.SetEnabled(false);
    Application->ProcessMessages();
    int stopped = counter.ticks;
    ProcessMessagesUntil([] { return false; }, 100);
    EXPECT_EQ(counter.ticks, stopped);

    // Interval 0 keeps it quiet even when enabled.
    timer.SetInterval(0);
    timer.SetEnabled(true);
    ProcessMessagesUntil([] { return false; }, 100);
    EXPECT_EQ(counter.ticks, stopped);
    timer.SetInterval(20);
    EXPECT_TRUE(ProcessMessagesUntil([&] { return counter.ticks > stopped; }));
}

TEST(Timer, SubclassTicksThroughVirtualTimer) {
    CountingTimer timer(nullptr);
    timer.SetInterval(20);
    EXPECT_TRUE(ProcessMessagesUntil([&] { return timer.ticks >= 2; }));
}

TEST(Timer, GoesWithItsOwnerAndTakesItsWindow) {
    int before = CountUtilWindows();
    auto* owner = new TComponent(nullptr);
    auto* timer = new TTimer(owner);
    timer->SetInterval(10);
    Counter counter;
    timer->OnTimer = TNotifyEvent(&counter, &Counter::Tick);
    EXPECT_EQ(CountUtilWindows(), before + 1);
    ASSERT_TRUE(ProcessMessagesUntil([&] { return counter.ticks > 0; }));
    owner->Free();
    EXPECT_EQ(CountUtilWindows(), before);
    int ticks = counter.ticks;
    ProcessMessagesUntil([] { return false; }, 60);
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
    EXPECT_TRUE(ProcessMessagesUntil([&] { return catcher.caught >= 2; }));  // and it keeps ticking
    Application->OnException.Clear();
}
