// A timer whose period is measured by a worker thread instead of the message
// queue, while its ticks still run on the GUI thread (through Synchronize).
// The hide animations run on it, so they keep their pace while the message
// queue is busy.
//
// The worker waits on TimeEvent with the interval as time-out; each time-out
// is one tick. It is paused, never suspended: a thread suspended while it
// holds the synchronize queue's lock or the heap's would hang the GUI thread.
// A paused worker waits only for its wake-up or the end, and the deadline of
// the wait it was in keeps running: resumed, it waits for what is left of it
// (or ticks at once when it passed). A new Interval counts from the next wait.
//
// Ending: KillTimer signals TimeEvent and waits for the worker on the GUI
// thread while serving synchronized calls, so a tick the worker queued before
// it saw the signal runs inside KillTimer; none runs after it. Freed with
// Free or by its owner, the timer ends its worker in BeforeDestruction, while
// the whole object is alive. A subclass whose ticks use its own members and
// that is deleted directly kills the timer in its own destructor.
#pragma once

#include <windows.h>

#include <atomic>

#include "framework/rtl/Component.h"
#include "framework/rtl/Method.h"
#include "framework/rtl/SyncObjs.h"
#include "framework/rtl/Thread.h"

namespace skin {

class TacThreadedTimer;

class TacTimerThread : public fw::TThread {
public:
    // Created suspended; StartTimer fills it in and starts it.
    TacTimerThread();
    ~TacTimerThread() override;
    fw::String ClassName() const override { return L"TacTimerThread"; }

    TacThreadedTimer* OwnerTimer = nullptr;
    // Its own copy of the timer's interval, read before every new wait.
    std::atomic<unsigned> Interval{1000};
    // Signalled to end the worker; owned by the timer.
    fw::TSimpleEvent* TimeEvent = nullptr;

    // Pausing in place of suspension: an inactive worker ticks no more.
    void SetActive(bool Value);
    bool Active() const { return active_; }

protected:
    void Execute() override;

private:
    // On the GUI thread.
    void DoTimer();

    std::atomic<bool> active_{false};
    std::atomic<bool> appTerminating_{false};
    fw::TEvent wake_;  // auto-reset: the active state changed
};

class TacThreadedTimer : public fw::TComponent {
public:
    explicit TacThreadedTimer(fw::TComponent* AOwner);
    ~TacThreadedTimer() override;
    fw::String ClassName() const override { return L"TacThreadedTimer"; }
    void BeforeDestruction() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Milliseconds; 0 pauses the timer.
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);
    const fw::TNotifyEvent& OnTimer() const { return FOnTimer; }
    // Also when unchanged: the worker runs exactly while a handler is there.
    void SetOnTimer(const fw::TNotifyEvent& Value);
    fw::TThreadPriority ThreadPriority() const { return FThreadPriority; }
    void SetThreadPriority(fw::TThreadPriority Value);

    // A new worker whose first tick comes one full interval later.
    void Reset();
    // The worker is paused unless Interval <> 0, Enabled and OnTimer is assigned.
    void UpdateTimer();

    // The worker, null before StartTimer and after KillTimer.
    TacTimerThread* TimerThread() const { return FTimerThread; }

protected:
    // One tick: fires OnTimer with the timer as sender.
    virtual void Timer();
    void StartTimer();
    void KillTimer();

private:
    friend class TacTimerThread;
    bool FEnabled = false;
    unsigned FInterval = 0;
    fw::TNotifyEvent FOnTimer;
    TacTimerThread* FTimerThread = nullptr;
    fw::TThreadPriority FThreadPriority = fw::tpNormal;
};

}  // namespace skin
