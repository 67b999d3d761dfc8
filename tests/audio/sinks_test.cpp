// Sources and sinks: runs on the worker, events on the GUI thread, stops,
// pauses and the wake-up protocol, with a source and a sink of the tests' own.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "audio/AuException.h"
#include "audio/AuFileStream.h"
#include "audio/AuInput.h"
#include "audio/AuOutput.h"
#include "framework/rtl/Thread.h"
#include "tests/audio/ExceptionMessage.h"
#include "tests/audio/SyncPump.h"
#include "tests/audio/TempFile.h"

using namespace acs;

namespace {

// A source of Size bytes (or endless with Size -1) delivered in blocks of at most Block bytes.
class TestSource : public TAuInput {
public:
    explicit TestSource(fw::TComponent* owner = nullptr) : TAuInput(owner) {}
    ~TestSource() override { DetachSinks(); }

    int64_t total = 4096;
    uint32_t block = 64;
    bool failOpen = false;
    std::atomic<int> opens{0}, closes{0};

    void SetPositionAndSize(int64_t position, int64_t size) {
        FPosition = position;
        FSize = size;
    }

protected:
    uint32_t GetBPS() override { return 16; }
    uint32_t GetCh() override { return 2; }
    uint32_t GetSR() override { return 44100; }
    void OpenInput() override {
        if (failOpen) throw fw::Exception(L"The device is gone");
        ++opens;
        Busy = true;
        FPosition = 0;
        FSize = total;
        read_ = 0;
    }
    void CloseInput() override {
        ++closes;
        Busy = false;
    }
    void ReadInput(void*& Buffer, uint32_t& Bytes) override {
        // Position is advanced by the reader (FillBufferUnprotected); this is the source's own count.
        int64_t left = total < 0 ? block : total - read_;
        uint32_t n = static_cast<uint32_t>(std::max<int64_t>(0, std::min<int64_t>({left, Bytes, block})));
        if (n == 0) {
            Buffer = nullptr;
            Bytes = 0;
            return;
        }
        for (uint32_t i = 0; i < n; ++i) data_[i] = static_cast<uint8_t>(read_ + i);
        Buffer = data_;
        Bytes = n;
        read_ += n;
    }

private:
    uint8_t data_[4096];
    int64_t read_ = 0;
};

// A sink that reads its input in steps and records what happened where.
class TestSink : public TAuOutput {
public:
    explicit TestSink(fw::TComponent* owner = nullptr) : TAuOutput(owner) {
        OnDone = TOutputDoneEvent(this, &TestSink::Done);
        OnSyncDone = TOutputDoneEvent(this, &TestSink::SyncDone);
        OnProgress = TOutputProgressEvent(this, &TestSink::Progressed);
        OnThreadException = TThreadExceptionEvent(this, &TestSink::Failed);
    }
    ~TestSink() override { Stop(false); }

    int stepSleep = 0;        // ms per step
    int endSleep = 0;         // ms in EndOutput
    int failAtStep = -1;      // raise in that step
    bool failEnd = false;     // raise in EndOutput
    HANDLE gate = nullptr;    // when set, each step waits for it (outside the source's lock)
    HANDLE inStep = nullptr;  // signalled when a step starts waiting at the gate
    uint32_t readSize = 256;  // bytes per step

    std::atomic<int> begins{0}, ends{0}, steps{0}, done{0}, syncDone{0}, progress{0}, failures{0};
    std::atomic<DWORD> doneThread{0}, syncDoneThread{0}, progressThread{0};

protected:
    void BeginOutput() override {
        ++begins;
        stepInRun_ = 0;
        Input()->Init();
    }
    bool OutputStep(bool) override {
        ++steps;
        if (stepInRun_++ == failAtStep) throw fw::Exception(L"Step failed");
        if (gate) {
            SetEvent(inStep);
            WaitForSingleObject(gate, INFINITE);
        }
        if (stepSleep) Sleep(stepSleep);
        std::vector<uint8_t> buffer(readSize);
        bool eof = false;
        Input()->FillBufferUnprotected(buffer.data(), readSize, eof);
        return !eof;
    }
    void EndOutput() override {
        if (endSleep) Sleep(endSleep);
        Input()->Flush();
        if (failEnd) throw fw::Exception(L"End failed");
        ++ends;
    }

private:
    void Done(fw::TComponent*) {
        doneThread = GetCurrentThreadId();
        ++done;
    }
    void SyncDone(fw::TComponent*) {
        syncDoneThread = GetCurrentThreadId();
        ++syncDone;
    }
    void Progressed(fw::TComponent*) {
        progressThread = GetCurrentThreadId();
        ++progress;
    }
    void Failed(fw::TComponent*) { ++failures; }

    int stepInRun_ = 0;
};

// Runs the sink as soon as it takes the run, calling wait() after each refusal.
template <typename Wait>
void RunOnceTaken(TAuOutput& sink, Wait wait) {
    for (;;) {
        try {
            sink.Run();
            return;
        } catch (const EAuException&) {
            wait();
        }
    }
}

struct Rig {
    TestSource source;
    TestSink sink;
    Rig() { sink.SetInput(&source); }
    ~Rig() {
        sink.Stop(false);
        sink.SetInput(nullptr);
    }
};

}  // namespace

TEST(AuOutput, RefusesARunWithoutInputOrWhileBusy) {
    TestSink sink;
    EXPECT_EQ(MessageOf<EAuException>([&] { sink.Run(); }), L"Input is not assigned");
    EXPECT_FALSE(sink.IsBusy());
    EXPECT_EQ(MessageOf<EAuException>([&] { sink.Pause(); }), L"Input is not assigned.");

    TestSource source;
    source.total = -1;
    sink.SetInput(&source);
    sink.stepSleep = 5;
    sink.Run();
    EXPECT_TRUE(sink.IsBusy());
    EXPECT_EQ(sink.Status(), tosPlaying);
    EXPECT_EQ(MessageOf<EAuException>([&] { sink.Run(); }), L"Component is Busy");
    sink.Stop(false);
    EXPECT_FALSE(sink.IsBusy());
    EXPECT_EQ(sink.Status(), tosIdle);
    EXPECT_EQ(sink.begins, 1);
    EXPECT_EQ(sink.ends, 1);
    sink.SetInput(nullptr);
}

TEST(AuOutput, ARunToTheEndReportsOnTheRightThreads) {
    Rig rig;
    rig.source.total = 2000;
    rig.sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.done == 1; }));
    EXPECT_EQ(rig.sink.doneThread, GetCurrentThreadId());
    EXPECT_EQ(rig.sink.syncDone, 1);
    EXPECT_NE(rig.sink.syncDoneThread, GetCurrentThreadId());
    EXPECT_GT(rig.sink.progress, 0);
    EXPECT_EQ(rig.sink.progressThread, GetCurrentThreadId());
    EXPECT_EQ(rig.sink.Progress(), 100);
    EXPECT_EQ(rig.source.opens, 1);
    EXPECT_EQ(rig.source.closes, 1);
    EXPECT_FALSE(rig.sink.IsBusy());
    EXPECT_EQ(rig.sink.ExceptionMessage(), L"");
    PumpFor(50);
    EXPECT_EQ(rig.sink.done, 1);
}

TEST(AuOutput, AsynchronousStopReturnsAtOnceAndOnDoneFollowsOnTheGuiThread) {
    Rig rig;
    rig.source.total = -1;
    rig.sink.stepSleep = 2;
    rig.sink.endSleep = 300;  // the file is finished slowly
    rig.sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.steps > 3; }));
    auto start = std::chrono::steady_clock::now();
    rig.sink.Stop(true);
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::milliseconds(100));
    // Still completing: a new run is refused.
    EXPECT_EQ(MessageOf<EAuException>([&] { rig.sink.Run(); }), L"Component is Busy");
    EXPECT_EQ(rig.sink.done, 0);
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.done == 1; }));
    EXPECT_EQ(rig.sink.doneThread, GetCurrentThreadId());
    EXPECT_EQ(rig.sink.ends, 1);
    EXPECT_FALSE(rig.sink.IsBusy());
    rig.sink.Run();  // accepted again
    rig.sink.Stop(false);
}

TEST(AuOutput, SynchronousStopDeliversNothingAfterwards) {
    Rig rig;
    rig.source.total = -1;
    rig.sink.stepSleep = 1;
    for (int i = 0; i < 20; ++i) {
        rig.sink.Run();
        // Let events pile up without delivering them, then stop.
        Sleep(5 + i % 7);
        rig.sink.Stop(false);
        EXPECT_FALSE(rig.sink.IsBusy());
        int done = rig.sink.done, progress = rig.sink.progress;
        PumpFor(30);
        EXPECT_EQ(rig.sink.done, done) << i;
        EXPECT_EQ(rig.sink.progress, progress) << i;
    }
    EXPECT_EQ(rig.sink.done, 0);
    EXPECT_EQ(rig.sink.begins, 20);
    EXPECT_EQ(rig.sink.ends, 20);
}

TEST(AuOutput, SynchronousStopOnAnIdleSinkReturnsAtOnce) {
    Rig rig;
    auto start = std::chrono::steady_clock::now();
    rig.sink.Stop(false);
    rig.sink.Stop(true);
    rig.sink.Stop(false);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    // A stop of an idle sink does not spoil the next run.
    rig.source.total = 1000;
    rig.sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.done == 1; }));
    EXPECT_EQ(rig.source.Position(), 1000);
}

TEST(AuOutput, WorkerFailuresAreKeptAndTheSinkRecovers) {
    Rig rig;
    rig.sink.failAtStep = 2;
    rig.sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.done == 1 && rig.sink.failures == 1; }));
    EXPECT_EQ(rig.sink.ExceptionMessage(), L"Step failed");
    EXPECT_EQ(rig.sink.ends, 1);
    EXPECT_FALSE(rig.sink.IsBusy());

    // Opening the source fails: its text arrives through Init.
    rig.sink.failAtStep = -1;
    rig.source.failOpen = true;
    rig.sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.done == 2; }));
    EXPECT_EQ(rig.sink.ExceptionMessage(), L"The device is gone");

    // The next run starts with the old text emptied. (Read only once it has
    // ended: the worker may fail or finish before Run returns.)
    rig.source.failOpen = false;
    rig.sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.done == 3; }));
    EXPECT_EQ(rig.sink.ExceptionMessage(), L"");

    // A failing completion is swallowed and leaves the sink idle and usable.
    rig.sink.failEnd = true;
    rig.sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.done == 4; }));
    EXPECT_FALSE(rig.sink.IsBusy());
    EXPECT_EQ(rig.sink.ExceptionMessage(), L"");
    rig.sink.failEnd = false;
    rig.sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.done == 5; }));
}

TEST(AuOutput, ProgressAndElapsedTimeRounding) {
    TestSink sink;
    EXPECT_EQ(sink.Progress(), 0);
    EXPECT_EQ(sink.TimeElapsed(), 0);
    TestSource source;
    sink.SetInput(&source);
    struct Case {
        int64_t position, size;
        int progress;
    } cases[] = {{1, 8, 12},  {3, 8, 38},   {1, 200, 0}, {3, 200, 2}, {5, 200, 2}, {7, 200, 4},
                 {0, -1, -1}, {99, -1, -1}, {5, 0, 0},   {8, 8, 100}, {2, 3, 67}};
    for (const Case& c : cases) {
        source.SetPositionAndSize(c.position, c.size);
        EXPECT_EQ(sink.Progress(), c.progress) << c.position << "/" << c.size;
    }
    // 16-bit stereo at 44100 Hz: 176400 bytes a second; halves go to the even second.
    const std::pair<int64_t, int> times[] = {{176400, 1}, {176400 * 3 / 2, 2}, {176400 * 5 / 2, 2}, {88199, 0}};
    for (auto [position, seconds] : times) {
        source.SetPositionAndSize(position, -1);
        EXPECT_EQ(sink.TimeElapsed(), seconds) << position;
    }
    sink.SetInput(nullptr);
}

TEST(AuOutput, UnboundedSourceReportsProgressMinusOne) {
    Rig rig;
    rig.source.total = -1;
    rig.sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.progress > 0; }));
    EXPECT_EQ(rig.sink.Progress(), -1);
    rig.sink.Stop(false);
}

TEST(AuOutput, DelayAndPriority) {
    TestSink sink;
    EXPECT_EQ(sink.Delay(), 0);
    sink.SetDelay(100);
    EXPECT_EQ(sink.Delay(), 100);
    sink.SetDelay(101);
    EXPECT_EQ(sink.Delay(), 100);
    sink.SetDelay(3);
    sink.SetThreadPriority(fw::tpLower);
    EXPECT_EQ(sink.ThreadPriority(), fw::tpLower);

    // A delay of 5 or less never sleeps: 400 steps take far less than 400 ms of sleeping.
    TestSource source;
    source.total = 400 * 16;
    sink.readSize = 16;
    sink.SetDelay(5);
    sink.SetInput(&source);
    auto start = std::chrono::steady_clock::now();
    sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return sink.done == 1; }));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    sink.SetInput(nullptr);
}

TEST(AuOutput, PauseAndResume) {
    Rig rig;
    rig.sink.Pause();  // idle: nothing
    rig.sink.Resume();
    EXPECT_EQ(rig.sink.Status(), tosIdle);

    rig.source.total = -1;
    rig.sink.stepSleep = 1;
    rig.sink.Run();
    rig.sink.Resume();  // not paused: nothing
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.steps > 2; }));
    rig.sink.Pause();
    EXPECT_EQ(rig.sink.Status(), tosPaused);
    int steps = rig.sink.steps;
    PumpFor(50);
    EXPECT_EQ(rig.sink.steps, steps);
    rig.sink.Resume();
    EXPECT_EQ(rig.sink.Status(), tosPlaying);
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.steps > steps + 2; }));

    // A stop wakes a paused worker.
    rig.sink.Pause();
    EXPECT_EQ(rig.sink.Status(), tosPaused);
    rig.sink.Stop(false);
    EXPECT_EQ(rig.sink.Status(), tosIdle);
    EXPECT_EQ(rig.sink.ends, 1);
}

TEST(AuOutput, AThousandRunsAndStopsLoseNoRun) {
    Rig rig;
    rig.source.total = 512;  // short runs that often end by themselves
    rig.sink.readSize = 64;
    int accepted = 0;
    for (int i = 0; i < 1000; ++i) {
        switch (i % 4) {
            case 0:
            case 1:
                rig.sink.Run();
                ++accepted;
                rig.sink.Stop(i % 4 == 1);
                break;
            case 2:
                // Run again the moment the last run has completed (the worker may still be finishing).
                while (rig.sink.IsBusy()) fw::CheckSynchronize(0);
                rig.sink.Run();
                ++accepted;
                break;
            case 3:
                RunOnceTaken(rig.sink, [] { fw::CheckSynchronize(0); });
                ++accepted;
                rig.sink.Stop(false);
                break;
        }
    }
    ASSERT_TRUE(PumpUntil([&] { return !rig.sink.IsBusy(); }));
    rig.sink.Stop(false);
    EXPECT_EQ(rig.sink.begins, accepted);
    EXPECT_EQ(rig.sink.ends, accepted);
    EXPECT_EQ(rig.source.opens, accepted);
    EXPECT_EQ(rig.source.closes, accepted);
}

TEST(AuOutput, RunsFromAnotherThreadAreNeverLost) {
    // A second thread issues each run the moment the sink is free while the worker goes to sleep.
    Rig rig;
    rig.source.total = 128;
    rig.sink.readSize = 128;
    rig.sink.OnDone = TOutputDoneEvent();
    std::atomic<int> accepted{0};
    std::atomic<bool> finished{false};
    std::thread caller([&] {
        for (int i = 0; i < 500; ++i) {
            RunOnceTaken(rig.sink, [] { SwitchToThread(); });
            ++accepted;
        }
        finished = true;
    });
    bool ended = PumpUntil([&] { return finished.load(); }, 60000);
    caller.join();
    ASSERT_TRUE(ended);
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.ends == accepted.load() && !rig.sink.IsBusy(); }, 5000));
    EXPECT_EQ(accepted, 500);
    EXPECT_EQ(rig.sink.begins, 500);
}

TEST(AuOutput, AbortCompletesOnTheCallerAndTheSinkStaysUsable) {
    Rig rig;
    rig.source.total = -1;
    // The worker is killed while it waits in a step, holding no lock of the source.
    rig.sink.gate = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    rig.sink.inStep = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    rig.sink.Run();
    ASSERT_EQ(WaitForSingleObject(rig.sink.inStep, 5000), WAIT_OBJECT_0);
    rig.sink.Abort();
    EXPECT_FALSE(rig.sink.IsBusy());
    EXPECT_EQ(rig.sink.ends, 1);
    EXPECT_EQ(rig.source.closes, 1);
    CloseHandle(rig.sink.gate);
    CloseHandle(rig.sink.inStep);
    rig.sink.gate = rig.sink.inStep = nullptr;

    // A fresh worker takes the next run.
    rig.source.total = 300;
    int done = rig.sink.done;
    rig.sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.done > done && !rig.sink.IsBusy(); }));
    EXPECT_EQ(rig.sink.begins, 2);
    EXPECT_EQ(rig.sink.ends, 2);
}

TEST(AuOutput, ChangingTheInputDuringARunRestartsOnTheNewOne) {
    Rig rig;
    rig.source.total = -1;
    rig.sink.stepSleep = 1;
    rig.sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.steps > 2; }));
    TestSource other;
    other.total = 500;
    rig.sink.SetInput(&other);
    EXPECT_EQ(rig.source.closes, 1);
    ASSERT_TRUE(PumpUntil([&] { return !rig.sink.IsBusy(); }));
    EXPECT_EQ(other.opens, 1);
    EXPECT_EQ(other.Position(), 500);
    EXPECT_EQ(rig.sink.begins, 2);
    rig.sink.SetInput(&rig.source);
}

TEST(AuFileOut, FileNames) {
    struct FileSink : TAuFileOut {
        FileSink() : TAuFileOut(nullptr) {}
        bool OutputStep(bool) override { return false; }
        void EndOutput() override {}
        void BeginOutput() override {}
    } sink;
    EXPECT_EQ(sink.ClassName(), L"TAuFileOut");
    sink.SetFileName(L"C:\\a.mp3");
    EXPECT_EQ(sink.WideFileName(), L"C:\\a.mp3");
    sink.SetWideFileName(L"C:\\녹음.mp3");
    EXPECT_EQ(sink.FileName(), L"");
    EXPECT_EQ(sink.WideFileName(), L"C:\\녹음.mp3");
    fw::TMemoryStream stream;
    sink.SetStream(&stream);
    EXPECT_EQ(sink.Stream(), &stream);
    sink.SetStream(nullptr);
    EXPECT_EQ(sink.ShareMode(), 0);
}

TEST(AuOutput, LosingTheSourceDuringARunStopsTheRunAndClearsInput) {
    for (int how = 0; how < 3; ++how) {
        TestSink sink;
        fw::TComponent owner(nullptr);
        auto* source = new TestSource(how == 2 ? &owner : nullptr);
        source->total = -1;
        sink.stepSleep = 1;
        sink.SetInput(source);
        sink.Run();
        ASSERT_TRUE(PumpUntil([&] { return sink.steps > 2; }));
        if (how == 0)
            delete source;
        else if (how == 1)
            source->Free();
        else
            owner.DestroyComponents();  // the owner frees it
        EXPECT_FALSE(sink.IsBusy()) << how;
        EXPECT_EQ(sink.ends, 1) << how;
        EXPECT_EQ(sink.Input(), nullptr) << how;
        EXPECT_EQ(MessageOf<EAuException>([&] { sink.Run(); }), L"Input is not assigned") << how;
    }
}

TEST(AuOutput, DestroyingARunningSinkStopsItQuietly) {
    TestSource source;
    source.total = -1;
    for (int i = 0; i < 10; ++i) {
        auto* sink = new TestSink();
        sink->stepSleep = 1;
        sink->SetInput(&source);
        sink->Run();
        Sleep(i);
        delete sink;  // no hang, no event for a dead sink
        PumpFor(5);
    }
    EXPECT_EQ(source.opens, source.closes);
}

namespace {

// Frees itself when its run is done, from its own OnDone.
class SelfFreeingSink : public TestSink {
public:
    explicit SelfFreeingSink(std::atomic<int>* freed) : freed_(freed) {
        OnDone = TOutputDoneEvent(this, &SelfFreeingSink::FreeMe);
    }

private:
    void FreeMe(fw::TComponent*) {
        std::atomic<int>* freed = freed_;
        delete this;
        ++*freed;
    }
    std::atomic<int>* freed_;
};

}  // namespace

TEST(AuOutput, ASinkMayBeFreedFromItsOwnOnDone) {
    TestSource source;
    source.total = 700;
    std::atomic<int> freed{0};
    // Alone (the event thread ends with it) and beside another sink.
    for (int round = 0; round < 2; ++round) {
        TestSink* other = round == 1 ? new TestSink() : nullptr;
        auto* sink = new SelfFreeingSink(&freed);
        sink->SetInput(&source);
        sink->Run();
        ASSERT_TRUE(PumpUntil([&] { return freed == round + 1; }));
        delete other;
    }
    // A new sink starts a new event thread and works.
    Rig rig;
    rig.source.total = 100;
    rig.sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return rig.sink.done == 1; }));
}

TEST(AuOutput, AnotherObjectNamedLikeAnEventDoesNotStopTheSinks) {
    // A mutex of another program holding a common name must not break the event thread.
    HANDLE squatter = CreateMutexW(nullptr, FALSE, L"mainevent");
    ASSERT_NE(squatter, nullptr);
    {
        Rig rig;
        rig.source.total = 100;
        rig.sink.Run();
        EXPECT_TRUE(PumpUntil([&] { return rig.sink.done == 1; }));
    }
    CloseHandle(squatter);
}

TEST(AuOutput, TwoSinksShareTheEventThread) {
    Rig a, b;
    a.source.total = 3000;
    b.source.total = 5000;
    a.sink.Run();
    b.sink.Run();
    ASSERT_TRUE(PumpUntil([&] { return a.sink.done == 1 && b.sink.done == 1; }));
    EXPECT_EQ(a.source.Position(), 3000);
    EXPECT_EQ(b.source.Position(), 5000);
}

TEST(AuOutput, BlockingRunOnTheCaller) {
    Rig rig;
    rig.source.total = 1000;
    rig.sink.BlockingRun();
    EXPECT_EQ(rig.sink.begins, 1);
    EXPECT_EQ(rig.sink.ends, 1);
    EXPECT_FALSE(rig.sink.IsBusy());
    rig.sink.failAtStep = 1;
    EXPECT_THROW(rig.sink.BlockingRun(), fw::Exception);
    EXPECT_FALSE(rig.sink.IsBusy());  // completed even so
    EXPECT_EQ(rig.sink.ends, 2);
}

// ---- sources ----------------------------------------------------------------

namespace {

// Delivers a script of block sizes (0 = end).
class ScriptSource : public TAuInput {
public:
    std::vector<uint32_t> blocks;
    size_t next = 0;
    ScriptSource() : TAuInput(nullptr) {}

protected:
    uint32_t GetBPS() override { return 8; }
    uint32_t GetCh() override { return 1; }
    uint32_t GetSR() override { return 8000; }
    void OpenInput() override {}
    void CloseInput() override {}
    void ReadInput(void*& Buffer, uint32_t& Bytes) override {
        uint32_t n = next < blocks.size() ? blocks[next++] : 0;
        n = std::min(n, Bytes);
        std::memset(data_, 0x5A, sizeof data_);
        Buffer = n ? data_ : nullptr;
        Bytes = n;
    }

private:
    uint8_t data_[256];
};

}  // namespace

TEST(AuInput, FillBufferKeepsAskingUntilFullOrEmpty) {
    struct Case {
        std::vector<uint32_t> blocks;
        uint32_t size;
        uint32_t filled;
        bool eof;
    } cases[] = {
        {{3, 3, 3, 3}, 10, 10, false}, {{3, 4}, 10, 7, true}, {{10}, 10, 10, false}, {{}, 10, 0, true},
        {{5, 0, 5}, 10, 5, true},
    };
    for (const Case& c : cases) {
        for (bool unprotected : {false, true}) {
            ScriptSource source;
            source.blocks = c.blocks;
            std::vector<uint8_t> buffer(c.size + 4, 0xEE);
            bool eof = !c.eof;
            uint32_t filled = unprotected ? source.FillBufferUnprotected(buffer.data(), c.size, eof)
                                          : source.FillBuffer(buffer.data(), c.size, eof);
            EXPECT_EQ(filled, c.filled);
            EXPECT_EQ(eof, c.eof);
            EXPECT_EQ(source.Position(), unprotected ? c.filled : 0);
            for (uint32_t i = 0; i < c.size + 4; ++i) EXPECT_EQ(buffer[i], i < filled ? 0x5A : 0xEE);
        }
    }
    ScriptSource source;
    bool eof = false;
    EXPECT_EQ(source.FillBufferUnprotected(nullptr, 10, eof), 0u);
    source.blocks = {6};
    uint8_t small[4];
    EXPECT_EQ(source.CopyData(small, 4), 4u);
}

TEST(AuInput, InitReportsTheSourcesFailure) {
    TestSource source;
    source.failOpen = true;
    EXPECT_EQ(MessageOf<EAuException>([&] { source.Init(); }), L"The device is gone");
    source.failOpen = false;
    source.Init();
    EXPECT_TRUE(source.IsBusy());
    source.Reset();
    EXPECT_FALSE(source.IsBusy());
    EXPECT_EQ(source.closes, 1);
}

// ---- the file stream ----------------------------------------------------------

TEST(AuFileStream, CreatesOpensAndShares) {
    TempFile file(std::vector<uint8_t>(100, 1));
    file.Close();
    {
        TAuFileStream create(file.Path(), 0xFF00);  // overwrites
        EXPECT_EQ(create.Size(), 0);
        EXPECT_EQ(create.Write("abc", 3), 3);
    }
    EXPECT_EQ(file.Bytes(), (std::vector<uint8_t>{'a', 'b', 'c'}));
    {
        TAuFileStream read(file.Path(), 0x0000);  // an existing file, for reading only
        char c = 0;
        EXPECT_EQ(read.Read(&c, 1), 1);
        EXPECT_EQ(c, 'a');
        EXPECT_EQ(read.Write("x", 1), 0);
    }
    {
        // A share mode with the create byte still creates a writable file.
        TAuFileStream create(file.Path(), 0xFF00 | 0x20);
        EXPECT_EQ(create.Write("hello", 5), 5);
        HANDLE reader = CreateFileW(file.Path().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(reader, INVALID_HANDLE_VALUE);  // others may read
        if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
        HANDLE writer = CreateFileW(file.Path().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(writer, INVALID_HANDLE_VALUE);  // but not write
        if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    }
    EXPECT_EQ(file.Bytes().size(), 5u);
    {
        TAuFileStream exclusive(file.Path(), 0xFF00);
        HANDLE other = CreateFileW(file.Path().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(other, INVALID_HANDLE_VALUE);
        if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    }
    fw::String missing = file.Path() + L".missing";
    fw::String text = MessageOf<EAuException>([&] { TAuFileStream s(missing, 0x0000); });
    EXPECT_NE(text, L"(no exception)");
    EXPECT_NE(text, L"");
}
