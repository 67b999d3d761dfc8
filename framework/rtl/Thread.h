// Worker threads, and the way they hand work to the GUI (main) thread.
//
// Starting rule: C++ runs no derived override from a base constructor, so the
// system thread is always created suspended and Execute never runs before the
// derived object is complete. A thread created with CreateSuspended = false
// starts in AfterConstruction(): build it with NewThread<T>(...), which calls
// it, or call AfterConstruction()/Start() yourself right after construction.
//
// Stopping rule: ~TThread terminates and waits for a running thread, but by
// then the derived members are gone. A class whose Execute uses its own
// members stops the thread in its own destructor (Terminate(); WaitFor();).
// A thread destroyed before it was ever started ends without running Execute.
#pragma once

#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <utility>

#include "framework/rtl/Method.h"
#include "framework/rtl/Object.h"

namespace fw {

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

using TThreadMethod = std::function<void()>;

// The thread that ran the program's static initialisation: the GUI thread.
extern const DWORD MainThreadID;

// Called (on the queuing thread) whenever a call is queued for the main
// thread, so that a waiting message loop wakes up and runs CheckSynchronize.
// Assigning and calling are safe against each other across threads: the
// application may clear it while a worker is queuing.
class TWakeMainThreadHook {
public:
    TWakeMainThreadHook& operator=(std::function<void()> hook);
    explicit operator bool() const;
    // Calls a copy taken under the lock, so a concurrent reset cannot pull
    // the function from under the call. Exceptions are swallowed: a lost
    // wake-up only delays the call until the next check.
    void operator()() const;

private:
    mutable std::mutex lock_;
    std::function<void()> hook_;
};
extern TWakeMainThreadHook WakeMainThread;

// Runs the calls queued by Synchronize and Queue. Main thread only (raises
// EThread elsewhere). Waits up to Timeout ms for a call to arrive when none
// is queued. Returns whether any call ran.
bool CheckSynchronize(DWORD Timeout = 0);

class TThread : public TObject {
public:
    explicit TThread(bool CreateSuspended);
    ~TThread() override;
    String ClassName() const override { return L"TThread"; }

    // Starts a thread created with CreateSuspended = false.
    virtual void AfterConstruction();

    // Starts a suspended thread; raises EThread when it already runs or ended.
    void Start();
    // Starts the thread when it is still suspended; does nothing otherwise.
    void Resume();
    bool Suspended() const { return suspended_; }

    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    bool Finished() const { return finished_; }

    // Blocks until the thread has ended and returns its exit code
    // (ReturnValue). On the main thread it keeps running synchronized calls
    // and dispatching sent messages meanwhile, so a worker that synchronizes
    // while the GUI thread waits for it cannot deadlock.
    DWORD WaitFor();

    bool FreeOnTerminate() const { return freeOnTerminate_; }
    void SetFreeOnTerminate(bool Value) { freeOnTerminate_ = Value; }
    TThreadPriority Priority() const;
    void SetPriority(TThreadPriority Value);
    HANDLE Handle() const { return handle_; }
    DWORD ThreadID() const { return threadId_; }
    int ReturnValue() const { return returnValue_; }
    // The exception that escaped Execute, if any; it never leaves the thread.
    std::exception_ptr FatalException() const { return fatalException_; }

    // Runs on the main thread (through Synchronize) after Execute returned.
    TNotifyEvent OnTerminate;

    // Runs Method on the main thread and waits for it; an exception Method
    // raises there is raised again here. On the main thread it runs directly.
    static void Synchronize(TThread* AThread, const TThreadMethod& Method);
    void Synchronize(const TThreadMethod& Method) { Synchronize(this, Method); }
    // Like Synchronize without waiting. The call is dropped when AThread is
    // destroyed before the main thread got to it.
    static void Queue(TThread* AThread, const TThreadMethod& Method);
    void Queue(const TThreadMethod& Method) { Queue(this, Method); }
    // Drops the calls AThread queued that have not run yet.
    static void RemoveQueuedEvents(TThread* AThread);

    static DWORD CurrentThreadID() { return GetCurrentThreadId(); }

protected:
    virtual void Execute() = 0;
    // Fires OnTerminate on the main thread.
    virtual void DoTerminate();
    void SetReturnValue(int Value) { returnValue_ = Value; }

private:
    static unsigned __stdcall ThreadProc(void* self);

    HANDLE handle_ = nullptr;
    DWORD threadId_ = 0;
    bool createSuspended_;
    std::atomic<bool> suspended_{true};
    std::atomic<bool> started_{false};
    std::atomic<bool> skipExecute_{false};
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> freeOnTerminate_{false};
    std::atomic<int> returnValue_{0};
    std::exception_ptr fatalException_;
};

// Constructs a thread and runs AfterConstruction (which starts it unless it
// was created suspended).
template <typename T, typename... Args>
T* NewThread(Args&&... args) {
    T* thread = new T(std::forward<Args>(args)...);
    thread->AfterConstruction();
    return thread;
}

}  // namespace fw
