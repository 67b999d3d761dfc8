#include "host/FlashInstaller.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/rtl/Exception.h"
#include "framework/rtl/Streams.h"
#include "framework/windows/Application.h"
#include "framework/windows/Dialogs.h"

namespace host {

AnsiString MakeTempFolder() {
    char system[1024] = {};
    GetSystemDirectoryA(system, sizeof system);
    AnsiString folder = AnsiString(system).substr(0, 2) + "\\temp";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

AnsiString InstallerTempPath() { return MakeTempFolder() + "\\flash10.exe"; }

bool InstallerOffset(uint64_t FileSize, uint32_t Length, uint64_t& Offset) {
    if (FileSize < 4 || Length == 0 || Length > FileSize - 4) return false;
    Offset = FileSize - 4 - Length;
    return true;
}

namespace {

bool readInstaller(const AnsiString& exePath, std::vector<char>& bytes) {
    try {
        fw::TFileStream exe(fw::FromAnsi(exePath), fw::fmOpenRead | fw::fmShareDenyNone);
        int64_t size = exe.Size();
        unsigned char trailer[4];
        if (size < 4) return false;
        exe.SetPosition(size - 4);
        exe.ReadBuffer(trailer, 4);
        uint32_t length = (uint32_t(trailer[0]) << 24) | (uint32_t(trailer[1]) << 16) | (uint32_t(trailer[2]) << 8) |
                          uint32_t(trailer[3]);
        uint64_t offset = 0;
        if (!InstallerOffset(static_cast<uint64_t>(size), length, offset) || length > INT32_MAX) return false;
        exe.SetPosition(static_cast<int64_t>(offset));
        bytes.resize(length);
        exe.ReadBuffer(bytes.data(), static_cast<int>(length));
    } catch (const fw::Exception&) {
        return false;
    }
    // Only a program is ever run: anything else at the end is not an installer.
    return bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z';
}

}  // namespace

bool ExtractInstaller(const AnsiString& ExePath, const AnsiString& Target) {
    std::vector<char> bytes;
    if (!readInstaller(ExePath, bytes)) return false;
    try {
        fw::TFileStream out(fw::FromAnsi(Target), fw::fmCreate);
        out.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
        return true;
    } catch (const fw::Exception&) {
        // A half-written program must never be started.
        DeleteFileA(Target.c_str());
        return false;
    }
}

bool RunInstaller(const AnsiString& Path) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<char> commandLine(Path.begin(), Path.end());
    commandLine.push_back('\0');
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    if (GetExitCodeProcess(process.hProcess, &exitCode) && exitCode == STILL_ACTIVE)
        fw::ShowMessage(L"Process is still active\n");
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void InstallFlashPlayer() {
    try {
        AnsiString target = InstallerTempPath();
        if (!ExtractInstaller(fw::ToAnsi(fw::Application->ExeName()), target)) return;
        RunInstaller(target);
        DeleteFileA(target.c_str());
    } catch (...) {
        // Start-up goes on whatever happened here; the player check later
        // shows its own error when the control is still missing.
    }
}

}  // namespace host
