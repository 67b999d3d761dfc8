#include "skin/engine/acThreadedTimer.h"

#include <memory>

#include "framework/rtl/Exception.h"
#include "framework/windows/Application.h"

namespace skin {

namespace {

bool ApplicationTerminating() { return fw::Application && fw::Application->Terminated(); }

}  // namespace

// ---- TacTimerThread

TacTimerThread::TacTimerThread() : fw::TThread(true), wake_(nullptr, false, false, fw::String()) {}

TacTimerThread::~TacTimerThread() {
    // Execute waits on wake_: it must be over before the member goes.
    if (!Suspended() && !Finished()) {
        Terminate();
        wake_.SetEvent();
        fw::ExceptionBarrier([this] { WaitFor(); });
    }
}

void TacTimerThread::SetActive(bool Value) {
    if (active_.exchange(Value) != Value) wake_.SetEvent();
}

void TacTimerThread::Execute() {
    HANDLE events[2] = {TimeEvent->Handle(), wake_.Handle()};
    ULONGLONG deadline = GetTickCount64() + Interval;
    while (!Terminated() && !appTerminating_) {
        DWORD timeout = INFINITE;
        if (active_) {
            const ULONGLONG now = GetTickCount64();
            timeout = now >= deadline ? 0 : DWORD(deadline - now);
        }
        const DWORD r = WaitForMultipleObjects(2, events, FALSE, timeout);
        // Paused or resumed: the wait goes on towards the same deadline.
        if (r == WAIT_OBJECT_0 + 1) continue;
        // Ended, or the wait failed.
        if (r != WAIT_TIMEOUT) break;
        // Paused right at the deadline: the tick comes when it is resumed.
        if (!active_) continue;
        Synchronize([this] { DoTimer(); });
        deadline = GetTickCount64() + Interval;
    }
}

void TacTimerThread::DoTimer() {
    if (ApplicationTerminating()) {
        appTerminating_ = true;
        return;
    }
    // A failing handler goes to the application's error dialog; the timer goes on.
    if (OwnerTimer) fw::HandleEventExceptions(OwnerTimer, [this] { OwnerTimer->Timer(); });
}

// ---- TacThreadedTimer

TacThreadedTimer::TacThreadedTimer(fw::TComponent* AOwner) : fw::TComponent(AOwner) {
    FThreadPriority = fw::tpNormal;
    if (ApplicationTerminating()) return;
    FEnabled = true;
    FInterval = 1000;
    StartTimer();
}

TacThreadedTimer::~TacThreadedTimer() { KillTimer(); }

void TacThreadedTimer::BeforeDestruction() {
    fw::TComponent::BeforeDestruction();
    KillTimer();
}

// The worker runs at once, also before OnTimer is assigned (its ticks then do
// nothing), until UpdateTimer says otherwise.
void TacThreadedTimer::StartTimer() {
    if (FTimerThread) return;
    // A worker that could not start is let go of here: KillTimer only meets started ones.
    auto thread = std::make_unique<TacTimerThread>();
    auto event = std::make_unique<fw::TSimpleEvent>();
    event->ResetEvent();
    thread->OwnerTimer = this;
    thread->Interval = FInterval;
    thread->SetPriority(FThreadPriority);
    thread->SetFreeOnTerminate(false);
    thread->TimeEvent = event.get();
    thread->SetActive(FInterval != 0);
    thread->Start();
    event.release();
    FTimerThread = thread.release();
}

// A tick the worker queued before it saw the end runs inside the wait. The
// worker is let go of first, so such a tick that resets or kills the timer
// does not meet a worker being ended.
void TacThreadedTimer::KillTimer() {
    TacTimerThread* thread = FTimerThread;
    if (!thread) return;
    FTimerThread = nullptr;
    thread->TimeEvent->SetEvent();
    // Another thread's queued call that fails goes to the boundary; the wait goes on.
    while (!fw::ExceptionBarrier([thread] { thread->WaitFor(); })) {
    }
    delete thread->TimeEvent;
    thread->TimeEvent = nullptr;
    delete thread;
}

void TacThreadedTimer::UpdateTimer() {
    if (!FTimerThread) return;
    FTimerThread->SetActive(FInterval != 0 && FEnabled && FOnTimer);
}

void TacThreadedTimer::Reset() {
    KillTimer();
    StartTimer();
    UpdateTimer();
}

void TacThreadedTimer::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    UpdateTimer();
}

void TacThreadedTimer::SetInterval(unsigned Value) {
    if (FInterval == Value) return;
    FInterval = Value;
    if (FTimerThread) FTimerThread->Interval = Value;
    UpdateTimer();
}

void TacThreadedTimer::SetOnTimer(const fw::TNotifyEvent& Value) {
    FOnTimer = Value;
    UpdateTimer();
}

void TacThreadedTimer::SetThreadPriority(fw::TThreadPriority Value) {
    if (FThreadPriority == Value) return;
    FThreadPriority = Value;
    if (FTimerThread) FTimerThread->SetPriority(Value);
    UpdateTimer();
}

void TacThreadedTimer::Timer() {
    if (FOnTimer) FOnTimer(this);
}

}  // namespace skin
