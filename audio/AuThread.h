// The worker thread of a sink: sleeps until a run is handed to it, pulls the
// run's steps, completes the output and falls asleep again.
//
// The hand-over of a run, the sleep and the pause all go through one lock and
// one condition per worker, with the run itself recorded under the lock, so
// a Run arriving while the worker is deciding to sleep is never lost and the
// worker never sleeps with a run pending.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "framework/rtl/Thread.h"

namespace acs {

class TAuOutput;

class TAuThread : public fw::TThread {
public:
    // Created suspended; the sink binds Parent and then starts it.
    TAuThread();
    ~TAuThread() override;
    fw::String ClassName() const override { return L"TAuThread"; }

    std::atomic<bool> DoNotify{true};
    std::atomic<bool> Stopped{false};
    std::atomic<bool> Stop{false};
    std::atomic<bool> SetPause{false};
    std::atomic<bool> Paused{false};
    std::atomic<int> Delay{0};
    // Asleep with no run pending.
    std::atomic<bool> Sleeping{false};
    TAuOutput* Parent = nullptr;

    // Wakes whatever the worker is waiting for (a run, the end of a pause,
    // termination); resumes a pause.
    void SoftWake();
    // Blocks the worker between two steps until resumed, stopped or terminated.
    void SoftPause();
    // Waits at most 5000 ms for the worker to reach its pause.
    bool WaitForPause();
    // Ends the thread: terminate, wake, wait.
    void Shutdown();

    // Called by the sink's Run under nothing but the sink's RunCS: marks the
    // sink busy and hands the worker a run, atomically with respect to the
    // worker's decision to sleep. Returns false (changing nothing) when the
    // sink is already busy.
    bool HandOverRun(std::atomic<bool>& busy);
    // The number of the current (or last) run; a done event carries it so
    // that its late clean-up never touches a newer run.
    uint32_t Generation() const { return generation_.load(); }
    // The number of the run the worker is doing (or last did).
    uint32_t CurrentRun() const { return currentRun_.load(); }
    // Runs fn under the worker's lock (used to clear Busy only when no newer run began).
    template <typename F>
    void Locked(F&& fn) {
        std::lock_guard<std::mutex> guard(lock_);
        fn();
    }
    // Waits up to ms for a change of the worker's state (sleep, pause, run).
    void WaitForChange(unsigned ms);

    // Asks the current run to end after its step (waking a pause) and sets DoNotify.
    void RequestStop(bool notify);
    // Kills the system thread (TerminateThread) while holding the worker's
    // lock, so the lock is never left owned by the dead thread.
    void Kill();
    bool Killed() const { return killed_.load(); }
    // The worker running the calling thread, or nullptr elsewhere: a source
    // waiting for data looks at its Stop to give up early.
    static TAuThread* Current();

protected:
    void Execute() override;

private:
    // Sleeps until a run is handed over; false when terminated instead.
    bool SleepUntilRun();
    void Notify();

    std::mutex lock_;
    std::condition_variable cond_;
    bool runPending_ = false;
    bool resume_ = false;
    std::atomic<uint32_t> generation_{0};
    std::atomic<bool> killed_{false};
    std::atomic<uint32_t> currentRun_{0};
};

}  // namespace acs
