// Worker threads and their hand-over of calls to the main thread. The test
// program's main thread is the GUI thread here (it ran static start-up).
#include "framework/rtl/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "framework/rtl/SyncObjs.h"

using namespace fw;

namespace {

// A thread running a test body. It stops itself before its members go away.
class FnThread : public TThread {
public:
    using Body = std::function<void(FnThread&)>;
    FnThread(bool CreateSuspended, Body body) : TThread(CreateSuspended), body_(std::move(body)) {}
    ~FnThread() override {
        if (!Suspended() && !FreeOnTerminate()) {
            Terminate();
            WaitFor();
        }
    }
    using TThread::SetReturnValue;

protected:
    void Execute() override { body_(*this); }

private:
    Body body_;
};

// Counts wake-ups and signals each one, so a test can wait until a call is queued.
struct WakeProbe {
    std::atomic<int> count{0};
    TEvent queued{nullptr, false, false, String()};
    WakeProbe() {
        WakeMainThread = [this] {
            ++count;
            queued.SetEvent();
        };
    }
    ~WakeProbe() { WakeMainThread = nullptr; }
};

// Runs queued calls until done() holds or about five seconds have passed.
bool PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i) CheckSynchronize(10);
    return done();
}

}  // namespace

TEST(Thread, MainThreadIdIsTheStartupThread) { EXPECT_EQ(MainThreadID, GetCurrentThreadId()); }

TEST(Thread, SynchronizeRunsOnMainThreadAndBlocksTheWorker) {
    WakeProbe wake;
    DWORD ranOn = 0;
    int seenByMain = 0;
    std::atomic<int> seenByWorker{0};
    FnThread thread(false, [&](FnThread& self) {
        int value = 41;
        self.Synchronize([&] {
            ranOn = GetCurrentThreadId();
            seenByMain = value;
            value = 42;  // the worker is blocked, so this is safe and visible to it
        });
        seenByWorker = value;
    });
    thread.AfterConstruction();
    ASSERT_TRUE(PumpUntil([&] { return thread.Finished(); }));
    thread.WaitFor();
    EXPECT_EQ(ranOn, MainThreadID);
    EXPECT_EQ(seenByMain, 41);
    EXPECT_EQ(seenByWorker, 42);
    EXPECT_GE(wake.count, 1);          // the loop was woken for the call
    EXPECT_FALSE(CheckSynchronize());  // nothing left over
}

TEST(Thread, SynchronizeAndQueueOnMainThreadRunDirectly) {
    WakeProbe wake;
    int calls = 0;
    TThread::Synchronize(nullptr, [&] { ++calls; });
    TThread::Queue(nullptr, [&] { ++calls; });
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(wake.count, 0);
    EXPECT_FALSE(CheckSynchronize());
}

TEST(Thread, SynchronizeTakesAMethodPointer) {
    struct Target {
        DWORD ranOn = 0;
        void Run() { ranOn = GetCurrentThreadId(); }
    } target;
    FnThread thread(false, [&](FnThread& self) { self.Synchronize(Method<void()>(&target, &Target::Run)); });
    thread.AfterConstruction();
    thread.WaitFor();
    EXPECT_EQ(target.ranOn, MainThreadID);
}

TEST(Thread, ExceptionOfASynchronizedCallIsRaisedAgainInTheWorker) {
    String caught;
    FnThread thread(false, [&](FnThread& self) {
        try {
            self.Synchronize([] { throw EConvertError(L"'abc' is not a valid integer value"); });
        } catch (const EConvertError& e) {
            caught = e.ClassName() + L": " + e.Message;
        }
        // Not caught this time: it must end up in FatalException, not unwind the thread.
        self.Synchronize([] { throw EListError(L"second"); });
    });
    thread.AfterConstruction();
    thread.WaitFor();
    EXPECT_EQ(caught, L"EConvertError: 'abc' is not a valid integer value");
    ASSERT_TRUE(thread.FatalException());
    try {
        std::rethrow_exception(thread.FatalException());
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, L"second");
    }
}

TEST(Thread, WaitForOnMainThreadKeepsServingSynchronize) {
    int total = 0;
    FnThread thread(false, [&](FnThread& self) {
        for (int i = 1; i <= 100; ++i) self.Synchronize([&total, i] { total += i; });
        self.SetReturnValue(7);
    });
    thread.AfterConstruction();
    EXPECT_EQ(thread.WaitFor(), 7u);  // would hang if WaitFor only waited on the handle
    EXPECT_EQ(thread.ReturnValue(), 7);
    EXPECT_EQ(total, 5050);
}

TEST(Thread, WaitForOnMainThreadDispatchesMessagesSentByTheWorker) {
    // A worker that sends to a window of the GUI thread needs that thread to
    // take sent messages while it waits.
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    FnThread thread(false, [&](FnThread&) { SendMessageW(window, WM_SETTEXT, 0, (LPARAM)L"from the worker"); });
    thread.AfterConstruction();
    thread.WaitFor();
    wchar_t text[32] = {};
    GetWindowTextW(window, text, 32);
    EXPECT_STREQ(text, L"from the worker");
    DestroyWindow(window);
}

TEST(Thread, TerminatedWhileItsCallIsQueuedStillEnds) {
    WakeProbe wake;
    bool ran = false;
    FnThread thread(false, [&](FnThread& self) {
        while (!self.Terminated()) self.Synchronize([&] { ran = true; });
    });
    thread.AfterConstruction();
    ASSERT_EQ(wake.queued.WaitFor(5000), wrSignaled);  // the worker now blocks in Synchronize
    thread.Terminate();
    thread.WaitFor();
    EXPECT_TRUE(ran);  // the queued call ran inside WaitFor
    EXPECT_TRUE(thread.Finished());
}

TEST(Thread, DestroyedWhileItsCallIsQueued) {
    WakeProbe wake;
    std::atomic<int> ran{0};
    auto* thread = new FnThread(false, [&](FnThread& self) {
        while (!self.Terminated()) self.Synchronize([&] { ++ran; });
    });
    thread->AfterConstruction();
    ASSERT_EQ(wake.queued.WaitFor(5000), wrSignaled);
    delete thread;  // terminates, runs the queued call, waits
    EXPECT_GE(ran, 1);
    EXPECT_FALSE(CheckSynchronize());
}

TEST(Thread, QueuedCallsOfADestroyedThreadAreDropped) {
    int ran = 0;
    auto* thread = new FnThread(false, [&](FnThread& self) { self.Queue([&] { ++ran; }); });
    thread->AfterConstruction();
    WaitForSingleObject(thread->Handle(), 5000);  // ended, its call still queued
    delete thread;
    EXPECT_FALSE(CheckSynchronize());
    EXPECT_EQ(ran, 0);

    FnThread kept(false, [&](FnThread& self) { self.Queue([&] { ++ran; }); });
    kept.AfterConstruction();
    WaitForSingleObject(kept.Handle(), 5000);
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_EQ(ran, 1);
}

TEST(Thread, FreeOnTerminateFreesItselfAfterOnTerminateRanOnMainThread) {
    static std::atomic<bool> destroyed;
    destroyed = false;
    struct SelfFreeing : TThread {
        SelfFreeing() : TThread(true) {}
        ~SelfFreeing() override { destroyed = true; }
        void Execute() override {}
    };
    struct Listener {
        DWORD ranOn = 0;
        TObject* sender = nullptr;
        void Terminated(TObject* Sender) {
            ranOn = GetCurrentThreadId();
            sender = Sender;
        }
    } listener;
    auto* thread = new SelfFreeing;
    thread->SetFreeOnTerminate(true);
    thread->OnTerminate = TNotifyEvent(&listener, &Listener::Terminated);
    EXPECT_THROW(thread->WaitFor(), EThread);  // the object may be gone by then
    thread->Start();
    ASSERT_TRUE(PumpUntil([] { return destroyed.load(); }));
    EXPECT_EQ(listener.ranOn, MainThreadID);
    EXPECT_EQ(listener.sender, thread);
}

TEST(Thread, StartsOnlyAfterConstructionAndOnlyOnce) {
    std::atomic<int> runs{0};
    {
        FnThread suspended(true, [&](FnThread&) { ++runs; });
        suspended.AfterConstruction();  // created suspended: stays so
        Sleep(50);
        EXPECT_TRUE(suspended.Suspended());
        EXPECT_EQ(runs, 0);
        EXPECT_THROW(suspended.WaitFor(), EThread);  // would never return
        suspended.Start();
        EXPECT_FALSE(suspended.Suspended());
        EXPECT_THROW(suspended.Start(), EThread);
        suspended.Resume();  // harmless once running
        suspended.WaitFor();
        EXPECT_EQ(runs, 1);
    }
    {
        FnThread* running = NewThread<FnThread>(false, [&](FnThread&) { ++runs; });
        running->WaitFor();
        EXPECT_EQ(runs, 2);
        delete running;
    }
    {
        // Destroyed before it ever ran: it ends without running Execute.
        auto* never = new FnThread(true, [&](FnThread&) { ++runs; });
        HANDLE handle;
        DuplicateHandle(GetCurrentProcess(), never->Handle(), GetCurrentProcess(), &handle, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        delete never;
        EXPECT_EQ(WaitForSingleObject(handle, 5000), WAIT_OBJECT_0);
        CloseHandle(handle);
        EXPECT_EQ(runs, 2);
    }
}

TEST(Thread, ExceptionEscapingExecuteIsKept) {
    FnThread thread(false, [](FnThread& self) {
        self.SetReturnValue(3);
        throw EStreamError(L"Stream read error");
    });
    thread.AfterConstruction();
    EXPECT_EQ(thread.WaitFor(), 3u);
    ASSERT_TRUE(thread.FatalException());
    EXPECT_THROW(std::rethrow_exception(thread.FatalException()), EStreamError);
}

TEST(Thread, PriorityMapsToTheSystemLevels) {
    const struct {
        TThreadPriority priority;
        int system;
    } cases[] = {{tpIdle, THREAD_PRIORITY_IDLE},
                 {tpLowest, THREAD_PRIORITY_LOWEST},
                 {tpLower, THREAD_PRIORITY_BELOW_NORMAL},
                 {tpNormal, THREAD_PRIORITY_NORMAL},
                 {tpHigher, THREAD_PRIORITY_ABOVE_NORMAL},
                 {tpHighest, THREAD_PRIORITY_HIGHEST},
                 {tpTimeCritical, THREAD_PRIORITY_TIME_CRITICAL}};
    FnThread thread(true, [](FnThread&) {});
    for (const auto& c : cases) {
        thread.SetPriority(c.priority);
        EXPECT_EQ(GetThreadPriority(thread.Handle()), c.system) << c.priority;
        EXPECT_EQ(thread.Priority(), c.priority);
    }
    EXPECT_NE(thread.ThreadID(), 0u);
}

TEST(Thread, CheckSynchronizeBelongsToTheMainThread) {
    bool raised = false;
    FnThread thread(false, [&](FnThread&) {
        try {
            CheckSynchronize();
        } catch (const EThread&) {
            raised = true;
        }
    });
    thread.AfterConstruction();
    thread.WaitFor();
    EXPECT_TRUE(raised);
}
