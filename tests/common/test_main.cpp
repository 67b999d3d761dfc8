// The test programs' main. One process runs a whole gtest suite (see
// tests/gtest_suites.cmake), so a case that hangs or crashes must be named
// here before the process goes: the output is all CTest keeps.
#include <windows.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

namespace {

// Bound on one case; KVB_CASE_TIMEOUT (seconds) overrides it.
constexpr DWORD kCaseSeconds = 120;

CRITICAL_SECTION guard;
std::string running;  // the case under way, empty between cases
ULONGLONG startedAt = 0;

std::string Running() {
    EnterCriticalSection(&guard);
    std::string name = running;
    LeaveCriticalSection(&guard);
    return name;
}

// Prints in the form scripts/test picks out of the log.
void ReportStop(const char* why) {
    const std::string name = Running();
    if (name.empty()) return;
    std::printf("\n[  FAILED  ] %s (%s)\n", name.c_str(), why);
    std::fflush(stdout);
}

class CaseWatch : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo& info) override {
        EnterCriticalSection(&guard);
        running = std::string(info.test_suite_name()) + "." + info.name();
        startedAt = GetTickCount64();
        LeaveCriticalSection(&guard);
    }
    void OnTestEnd(const testing::TestInfo&) override {
        EnterCriticalSection(&guard);
        running.clear();
        LeaveCriticalSection(&guard);
    }
    // Lets CTest show a suite whose every case skipped as skipped, and only then.
    void OnTestProgramEnd(const testing::UnitTest& unit) override {
        if (unit.failed_test_count() == 0 && unit.successful_test_count() == 0 && unit.skipped_test_count() > 0) {
            std::printf("[ ALL SKIPPED ]\n");
            std::fflush(stdout);
        }
    }
};

DWORD WINAPI Watchdog(void* limitSeconds) {
    const ULONGLONG limit = 1000ull * reinterpret_cast<UINT_PTR>(limitSeconds);
    for (;;) {
        Sleep(500);
        EnterCriticalSection(&guard);
        const bool over = !running.empty() && GetTickCount64() - startedAt > limit;
        LeaveCriticalSection(&guard);
        if (over) {
            ReportStop("still running past its bound: the process is stopped");
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* info) {
    char why[64];
    std::snprintf(why, sizeof why, "crashed: exception 0x%08lx",
                  static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
    ReportStop(why);
    // Ended here: Wine would start its debugger, which holds the process
    // until the run's time-out.
    TerminateProcess(GetCurrentProcess(), info->ExceptionRecord->ExceptionCode);
    return EXCEPTION_CONTINUE_SEARCH;
}

void OnAbort(int) { ReportStop("aborted"); }

DWORD CaseSeconds() {
    const char* text = std::getenv("KVB_CASE_TIMEOUT");
    const long seconds = text ? std::strtol(text, nullptr, 10) : 0;
    return seconds > 0 ? static_cast<DWORD>(seconds) : kCaseSeconds;
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    InitializeCriticalSection(&guard);
    testing::UnitTest::GetInstance()->listeners().Append(new CaseWatch);
    SetUnhandledExceptionFilter(OnCrash);
    std::signal(SIGABRT, OnAbort);
    const HANDLE watchdog =
        CreateThread(nullptr, 0, Watchdog, reinterpret_cast<void*>(static_cast<UINT_PTR>(CaseSeconds())), 0, nullptr);
    if (watchdog) CloseHandle(watchdog);
    return RUN_ALL_TESTS();
}
