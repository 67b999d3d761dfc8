#include "framework/rtl/SyncObjs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace fw;

TEST(SyncObjs, AutoResetEventReleasesOneWait) {
    TEvent event(nullptr, false, false, String());
    EXPECT_EQ(event.WaitFor(0), wrTimeout);
    event.SetEvent();
    EXPECT_EQ(event.WaitFor(0), wrSignaled);
    EXPECT_EQ(event.WaitFor(0), wrTimeout);  // the wait reset it
    TEvent initiallySet(nullptr, false, true, String());
    EXPECT_EQ(initiallySet.WaitFor(0), wrSignaled);
}

TEST(SyncObjs, SimpleEventStaysSignalledUntilReset) {
    TSimpleEvent event;
    EXPECT_EQ(event.WaitFor(10), wrTimeout);
    event.SetEvent();
    EXPECT_EQ(event.WaitFor(0), wrSignaled);
    EXPECT_EQ(event.WaitFor(0), wrSignaled);
    event.ResetEvent();
    EXPECT_EQ(event.WaitFor(0), wrTimeout);
}

TEST(SyncObjs, EventWakesAWaitingThread) {
    TSimpleEvent event;
    std::atomic<int> result{-1};
    std::thread waiter([&] { result = event.WaitFor(5000); });
    Sleep(20);
    event.SetEvent();
    waiter.join();
    EXPECT_EQ(result, wrSignaled);
}

TEST(SyncObjs, NamedEventsShareOneObject) {
    const String name = L"kvb-syncobjs-test-" + std::to_wstring(GetCurrentProcessId());
    TEvent first(nullptr, true, false, name);
    TEvent second(nullptr, true, false, name);
    first.SetEvent();
    EXPECT_EQ(second.WaitFor(0), wrSignaled);
    second.ResetEvent();
    EXPECT_EQ(first.WaitFor(0), wrTimeout);
}

TEST(SyncObjs, WaitOnABrokenHandleIsAnError) {
    struct Broken : THandleObject {
        Broken() { handle_ = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x7FF0)); }
        ~Broken() override { handle_ = nullptr; }
    } broken;
    EXPECT_EQ(broken.WaitFor(0), wrError);
    EXPECT_EQ(broken.LastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(SyncObjs, CriticalSectionExcludesOtherThreadsButNotItsOwner) {
    TCriticalSection section;
    section.Enter();
    EXPECT_TRUE(section.TryEnter());  // recursive for the owner
    section.Leave();
    std::atomic<bool> otherGot{true};
    std::thread([&] { otherGot = section.TryEnter(); }).join();
    EXPECT_FALSE(otherGot);
    section.Leave();
    std::thread([&] {
        otherGot = section.TryEnter();
        if (otherGot) section.Release();
    }).join();
    EXPECT_TRUE(otherGot);

    int counter = 0;
    auto add = [&] {
        for (int i = 0; i < 10000; ++i) {
            section.Acquire();
            ++counter;
            section.Release();
        }
    };
    std::thread a(add), b(add);
    a.join();
    b.join();
    EXPECT_EQ(counter, 20000);
}
