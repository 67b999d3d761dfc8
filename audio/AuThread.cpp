#include "audio/AuThread.h"

#include <chrono>
#include <exception>

#include "audio/AuEventThread.h"
#include "audio/AuException.h"
#include "audio/AuOutput.h"

namespace acs {

namespace {
thread_local TAuThread* currentWorker = nullptr;
}  // namespace

TAuThread* TAuThread::Current() { return currentWorker; }

TAuThread::TAuThread() : fw::TThread(true) {}

TAuThread::~TAuThread() {
    // A killed thread is gone already; its lock was released by Kill.
    if (!killed_) Shutdown();
}

void TAuThread::Notify() { cond_.notify_all(); }

void TAuThread::SoftWake() {
    std::lock_guard<std::mutex> guard(lock_);
    resume_ = true;
    Notify();
}

void TAuThread::SoftPause() {
    std::unique_lock<std::mutex> guard(lock_);
    resume_ = false;
    Paused = true;
    Notify();
    cond_.wait(guard, [&] { return resume_ || Stop || Terminated(); });
    Paused = false;
    Notify();
}

bool TAuThread::WaitForPause() {
    std::unique_lock<std::mutex> guard(lock_);
    return cond_.wait_for(guard, std::chrono::milliseconds(5000), [&] { return Paused || Sleeping; }) && Paused;
}

void TAuThread::WaitForChange(unsigned ms) {
    std::unique_lock<std::mutex> guard(lock_);
    cond_.wait_for(guard, std::chrono::milliseconds(ms));
}

void TAuThread::RequestStop(bool notify) {
    std::lock_guard<std::mutex> guard(lock_);
    DoNotify = notify;
    Stop = true;
    Notify();
}

bool TAuThread::HandOverRun(std::atomic<bool>& busy) {
    std::lock_guard<std::mutex> guard(lock_);
    if (busy || killed_) return false;
    busy = true;
    Stopped = false;
    Stop = false;
    // The worker counts as awake from here: a synchronous Stop now waits for this run.
    Sleeping = false;
    runPending_ = true;
    ++generation_;
    Notify();
    return true;
}

void TAuThread::Shutdown() {
    if (killed_ || Finished() || !Handle()) return;
    {
        std::lock_guard<std::mutex> guard(lock_);
        Terminate();
        Notify();
    }
    if (!Suspended()) WaitFor();
}

void TAuThread::Kill() {
    std::lock_guard<std::mutex> guard(lock_);
    if (killed_) return;
    killed_ = true;
    if (!Finished()) {
        TerminateThread(Handle(), 0);
        WaitForSingleObject(Handle(), INFINITE);
    }
    Sleeping = false;
    Paused = false;
    Notify();
}

bool TAuThread::SleepUntilRun() {
    std::unique_lock<std::mutex> guard(lock_);
    while (!runPending_ && !Terminated()) {
        Sleeping = true;
        Notify();
        cond_.wait(guard);
    }
    if (Terminated()) return false;
    runPending_ = false;
    currentRun_ = generation_.load();
    Sleeping = false;
    return true;
}

void TAuThread::Execute() {
    currentWorker = this;
    TAuOutput* P = Parent;
    if (!SleepUntilRun()) return;
    while (!Terminated()) {
        try {
            P->BeginOutput();
            P->CanOutput = true;
            SetPause = false;
            Paused = false;
            bool more = true;
            while (!Stop && more) {
                int delay = Delay;
                if (delay > 5) Sleep(static_cast<DWORD>(delay));
                int progress = P->Progress();
                if (progress != P->CurProgr) {
                    P->CurProgr = progress;
                    if (P->OnProgress && AudioEventHandler) AudioEventHandler->PostOnProgress(P, P->OnProgress);
                }
                if (SetPause) {
                    SetPause = false;
                    SoftPause();
                }
                more = P->OutputStep(Stop);
            }
            Stop = false;
        } catch (...) {
            // Nothing leaves the worker: the text is kept for the GUI side.
            P->ReportException(ExceptionText(std::current_exception()));
            Stop = true;
        }
        try {
            P->CompleteOutput();
        } catch (...) {
            // Swallowed; CompleteOutput has cleared Busy itself, before any new Run could set it.
        }
        if (P->OnSyncDone) {
            try {
                P->OnSyncDone(P);
            } catch (...) {
                // A handler's failure must not end the worker.
            }
        }
        if (AudioEventHandler) AudioEventHandler->PostOnDone(P, this);
        {
            std::unique_lock<std::mutex> guard(lock_);
            if (runPending_) {
                // A Run arrived during completion: straight into the next run.
                runPending_ = false;
                currentRun_ = generation_.load();
                continue;
            }
            Stopped = true;
        }
        if (!SleepUntilRun()) return;
    }
}

}  // namespace acs
