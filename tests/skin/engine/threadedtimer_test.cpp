// The threaded timer: a worker measures the period, ticks run on the GUI
// thread. Counts and times have wide margins (this runs under an emulator);
// the hard bounds are the ones the design guarantees: never more ticks than
// periods, never a tick while paused or after destruction.
#include "skin/engine/acThreadedTimer.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/windows/Application.h"

using namespace skin;

namespace {

ULONGLONG Now() { return GetTickCount64(); }

// Runs the message loop (which runs synchronized calls) until done() or ms passed.
bool PumpUntil(const std::function<bool()>& done, int ms) {
    const ULONGLONG end = Now() + ULONGLONG(ms);
    while (!done() && Now() < end) {
        fw::Application->ProcessMessages();
        if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return done();
}
void Pump(int ms) {
    PumpUntil([] { return false; }, ms);
}

struct Ticks {
    std::vector<ULONGLONG> at;
    fw::TObject* sender = nullptr;
    bool offThread = false;
    void Tick(fw::TObject* Sender) {
        at.push_back(Now());
        sender = Sender;
        if (GetCurrentThreadId() != fw::MainThreadID) offThread = true;
    }
    int Count() const { return int(at.size()); }
    fw::TNotifyEvent Event() { return fw::TNotifyEvent(this, &Ticks::Tick); }
};

// Counts its ticks in an override of Timer, beside OnTimer.
class TCountingTimer : public TacThreadedTimer {
public:
    using TacThreadedTimer::TacThreadedTimer;
    fw::String ClassName() const override { return L"TCountingTimer"; }
    int ticks = 0;
    int* outside = nullptr;  // counted also where the test can read it after the timer is gone

protected:
    void Timer() override {
        ++ticks;
        if (outside) ++*outside;
        TacThreadedTimer::Timer();
    }
};

// Ticks every Interval ms into t, the first period starting now.
void Start(TacThreadedTimer& timer, unsigned Interval, Ticks& t) {
    timer.SetInterval(Interval);
    timer.SetOnTimer(t.Event());
    timer.Reset();
}

}  // namespace

TEST(ThreadedTimer, TicksOnTheGuiThreadOncePerIntervalWhileActive) {
    TCountingTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_EQ(timer.ThreadPriority(), fw::tpNormal);
    ASSERT_NE(timer.TimerThread(), nullptr);

    // Without OnTimer the worker is paused: nothing ticks, not even Timer.
    timer.SetInterval(20);
    Pump(300);
    EXPECT_EQ(timer.ticks, 0);

    Ticks t;
    timer.SetInterval(50);
    timer.SetThreadPriority(fw::tpHighest);
    EXPECT_EQ(GetThreadPriority(timer.TimerThread()->Handle()), THREAD_PRIORITY_HIGHEST);
    timer.SetOnTimer(t.Event());
    const ULONGLONG start = Now();
    timer.Reset();  // the first period starts now
    EXPECT_EQ(GetThreadPriority(timer.TimerThread()->Handle()), THREAD_PRIORITY_HIGHEST);
    Pump(1000);
    const ULONGLONG elapsed = Now() - start;
    // A period is the interval plus the tick: never more than one tick per 50 ms.
    EXPECT_LE(t.Count(), int(elapsed / 50));
    EXPECT_GE(t.Count(), 5) << "ticks came far too seldom";
    EXPECT_EQ(t.sender, &timer);
    EXPECT_FALSE(t.offThread);
    EXPECT_EQ(timer.ticks, t.Count());

    // Interval 0 pauses; a new interval resumes.
    timer.SetInterval(0);
    Pump(50);  // a tick handed over before the pause may still come
    const int paused = t.Count();
    Pump(300);
    EXPECT_EQ(t.Count(), paused);
    timer.SetInterval(30);
    EXPECT_TRUE(PumpUntil([&] { return t.Count() >= paused + 2; }, 3000));

    // Disabled, and without a handler: quiet again.
    timer.SetEnabled(false);
    Pump(50);
    const int disabled = t.Count();
    Pump(300);
    EXPECT_EQ(t.Count(), disabled);
    timer.SetEnabled(true);
    timer.SetOnTimer(nullptr);
    Pump(50);
    const int unassigned = timer.ticks;
    Pump(300);
    EXPECT_EQ(timer.ticks, unassigned);
}

TEST(ThreadedTimer, ResumingContinuesTheWaitItWasInWhileResetStartsAFullInterval) {
    // No tick comes early, so lower bounds are exact. What is told apart from
    // above (a wait continued against a new period) is told by the length of
    // a period after the resumption: the fault cannot come sooner, the right
    // tick comes most of a period sooner, more than any stall of a busy
    // machine delays a tick.
    const unsigned period = 2000;
    Ticks t;
    TacThreadedTimer timer(nullptr);
    Start(timer, period, t);
    ASSERT_TRUE(PumpUntil([&] { return t.Count() >= 1; }, 10000));

    // Paused 100 ms into a period and resumed at 1500 ms: the tick comes at
    // about 2000 ms, not 1500 + 2000.
    const ULONGLONG first = t.at.back();
    PumpUntil([&] { return Now() >= first + 100; }, 1000);
    timer.SetEnabled(false);
    PumpUntil([&] { return Now() >= first + 1500; }, 3000);
    EXPECT_EQ(t.Count(), 1);
    const ULONGLONG resumedInPeriod = Now();
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return t.Count() >= 2; }, 10000));
    EXPECT_GE(t.at[1] - first, period - 20);
    EXPECT_LT(t.at[1] - resumedInPeriod, period) << "the pause started a new period";

    // Paused past the deadline: the tick comes as soon as it is resumed.
    timer.SetEnabled(false);
    PumpUntil([&] { return Now() >= t.at[1] + period + 300; }, 2 * period);
    EXPECT_EQ(t.Count(), 2);
    const ULONGLONG resumed = Now();
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return t.Count() >= 3; }, 10000));
    EXPECT_LT(t.at[2] - resumed, period) << "the deadline had passed";

    // Reset: a new worker, its first tick one full interval later.
    const ULONGLONG reset = Now();
    timer.Reset();
    ASSERT_NE(timer.TimerThread(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return t.Count() >= 4; }, 10000));
    EXPECT_GE(t.at[3] - reset, period - 20);
}

TEST(ThreadedTimer, DestructionEndsTheWorkerAndRunsOnlyAQueuedTick) {
    // The worker times out and waits in Synchronize while the GUI thread does
    // not pump; freeing the timer then must neither hang nor let that tick
    // run later: it runs inside Free, on the whole object.
    int counted = 0;
    Ticks t;
    auto* timer = new TCountingTimer(nullptr);
    timer->outside = &counted;
    Start(*timer, 10, t);
    Sleep(500);
    EXPECT_EQ(counted, 0);
    timer->Free();
    EXPECT_EQ(counted, 1) << "the queued tick runs inside the destruction";
    EXPECT_EQ(t.Count(), 1);
    Pump(200);
    EXPECT_EQ(counted, 1) << "no tick after destruction";

    // Owned: the owner's destruction ends it the same way.
    auto* owner = new fw::TComponent(nullptr);
    auto* owned = new TCountingTimer(owner);
    owned->AfterConstruction();
    owned->outside = &counted;
    Start(*owned, 10, t);
    ASSERT_TRUE(PumpUntil([&] { return counted >= 3; }, 3000));
    Sleep(200);
    delete owner;
    const int atDestruction = counted;
    Pump(200);
    EXPECT_EQ(counted, atDestruction);

    // Deleted directly, queued tick or not.
    TacThreadedTimer* plain = new TacThreadedTimer(nullptr);
    Start(*plain, 10, t);
    Sleep(200);
    delete plain;
    const int afterDelete = t.Count();
    Pump(200);
    EXPECT_EQ(t.Count(), afterDelete);
}

TEST(ThreadedTimer, TheApplicationsEndStopsTicksAndLeavesNewTimersWithoutWorker) {
    Ticks t;
    TacThreadedTimer timer(nullptr);
    Start(timer, 20, t);
    ASSERT_TRUE(PumpUntil([&] { return t.Count() >= 2; }, 3000));

    fw::Application->Terminate();
    const int atEnd = t.Count();
    ASSERT_TRUE(PumpUntil([&] { return timer.TimerThread()->Finished(); }, 3000));
    EXPECT_EQ(t.Count(), atEnd) << "ticks check the application first";

    TacThreadedTimer late(nullptr);
    EXPECT_EQ(late.TimerThread(), nullptr);
    EXPECT_FALSE(late.Enabled());
    EXPECT_EQ(late.Interval(), 0u);
    late.SetInterval(10);  // nothing to update, nothing breaks
    late.Reset();
    EXPECT_NE(late.TimerThread(), nullptr) << "Reset makes a worker in any case";
}
