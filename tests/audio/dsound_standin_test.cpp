// The capture input through the real loading of dsound.dll: a copy of this
// program placed beside the stand-in dsound.dll, under a name of its own that
// Wine's DLL overrides send to the native DLL, runs the child tests below. So
// the run-time look-up of the DirectSound functions by name, and every COM
// call across the DLL boundary, are those of a real program.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "audio/DXAudioIn.h"
#include "framework/rtl/SysUtils.h"
#include "tests/audio/ExceptionMessage.h"
#include "tests/audio/FakeDSound.h"

using namespace acs;

namespace {

constexpr const wchar_t* kChildName = L"dsound_standin_child.exe";

std::wstring ExePath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring ExeDir() { return fw::ExtractFileDir(ExePath()); }

// Runs the child copy on one disabled test with extra environment variables;
// returns its exit code (-1 when it did not end in time) and its output.
int RunChild(const std::wstring& child, const std::wstring& test, const std::vector<std::wstring>& extraEnv,
             std::string& output) {
    wchar_t temp[MAX_PATH], file[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    GetTempFileNameW(temp, L"dsc", 0, file);
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE out = CreateFileW(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, CREATE_ALWAYS, 0, nullptr);

    std::wstring env;
    wchar_t* block = GetEnvironmentStringsW();
    for (wchar_t* p = block; *p; p += wcslen(p) + 1) env += std::wstring(p) + L'\0';
    FreeEnvironmentStringsW(block);
    for (const auto& v : extraEnv) env += v + L'\0';
    env += L'\0';

    std::wstring cmd = L"\"" + child + L"\" --gtest_also_run_disabled_tests --gtest_filter=" + test;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out;
    si.hStdError = out;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    int code = -1;
    if (CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT, env.data(), nullptr,
                       &si, &pi)) {
        if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) {
            DWORD exit = 0;
            GetExitCodeProcess(pi.hProcess, &exit);
            code = static_cast<int>(exit);
        } else {
            TerminateProcess(pi.hProcess, 1);
            WaitForSingleObject(pi.hProcess, 5000);
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(out);
    HANDLE in = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(in, buffer, sizeof buffer, &n, nullptr) && n) output.append(buffer, n);
    CloseHandle(in);
    DeleteFileW(file);
    return code;
}

// The copy of this program beside the stand-in, with Wine told to load the
// native dsound.dll for it; both go with the fixture.
class ChildBesideStandIn {
public:
    explicit ChildBesideStandIn(const std::wstring& folder) : path_(folder + L"\\" + kChildName) {
        copied_ = CopyFileW(ExePath().c_str(), path_.c_str(), FALSE) != 0;
        std::wstring key = std::wstring(L"Software\\Wine\\AppDefaults\\") + kChildName + L"\\DllOverrides";
        keySet_ = RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"dsound", REG_SZ, L"native", sizeof(L"native")) ==
                  ERROR_SUCCESS;
    }
    ~ChildBesideStandIn() {
        DeleteFileW(path_.c_str());
        std::wstring key = std::wstring(L"Software\\Wine\\AppDefaults\\") + kChildName;
        RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    }
    bool Ready() const { return copied_ && keySet_; }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
    bool copied_ = false, keySet_ = false;
};

}  // namespace

// ---- bodies run by the child copy ----------------------------------------------

TEST(DSoundStandIn, DISABLED_ChildRecordsFromTheSecondDevice) {
    auto in = std::make_unique<TDXAudioIn>(nullptr);
    // The stand-in beside the program was loaded, not the system's DirectSound.
    wchar_t loaded[MAX_PATH] = L"";
    GetModuleFileNameW(GetModuleHandleW(L"dsound.dll"), loaded, MAX_PATH);
    EXPECT_EQ(_wcsicmp(loaded, (ExeDir() + L"\\dsound.dll").c_str()), 0) << fw::ToUtf8(loaded);
    ASSERT_EQ(in->DeviceCount(), 2);
    in->SetDeviceNumber(1);
    in->SetLatency(0);
    in->SetFramesInBuffer(8000);  // a second: no overrun however late a poll comes
    in->SetPollingInterval(50);
    in->SetRecTime(1);
    in->Init();
    std::vector<uint8_t> data(9000);
    bool eof = false;
    uint32_t n = in->FillBuffer(data.data(), 9000, eof);
    in->Flush();
    EXPECT_TRUE(eof);
    ASSERT_EQ(n, 8000u);
    for (uint32_t i = 0; i < n; ++i) ASSERT_EQ(data[i], fakeds::CapturedByte(i)) << i;
}

TEST(DSoundStandIn, DISABLED_ChildDeviceRefusesToOpen) {
    auto in = std::make_unique<TDXAudioIn>(nullptr);
    ASSERT_EQ(in->DeviceCount(), 1);
    EXPECT_EQ(MessageOf([&] { in->Init(); }), L"Failed to create DirectSound device: DSERR_ALLOCATED");
    EXPECT_FALSE(in->IsBusy());
}

// ---- the test ------------------------------------------------------------------

TEST(DSoundStandIn, CaptureThroughADllOverride) {
    std::wstring folder = ExeDir() + L"\\dsound_standin";
    ASSERT_NE(GetFileAttributesW((folder + L"\\dsound.dll").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the stand-in dsound.dll is not built";
    ChildBesideStandIn child(folder);
    ASSERT_TRUE(child.Ready());
    struct {
        const wchar_t* test;
        std::vector<std::wstring> env;
    } cases[] = {
        {L"DSoundStandIn.DISABLED_ChildRecordsFromTheSecondDevice", {L"KVB_DSOUND_DEVICES=2"}},
        {L"DSoundStandIn.DISABLED_ChildDeviceRefusesToOpen", {L"KVB_DSOUND_CREATE_FAILS=8878000A"}},
    };
    for (const auto& c : cases) {
        std::string output;
        int code = RunChild(child.Path(), c.test, c.env, output);
        EXPECT_EQ(code, 0) << output;
        EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
    }
}
