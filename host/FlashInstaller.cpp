#include "host/FlashInstaller.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "framework/Application.h"
#include "framework/Dialogs.h"

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

struct File {
    FILE* f;
    explicit File(FILE* file) : f(file) {}
    ~File() {
        if (f) std::fclose(f);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
};

bool readInstaller(const AnsiString& exePath, std::vector<char>& bytes) {
    File exe(std::fopen(exePath.c_str(), "rb"));
    if (!exe.f || _fseeki64(exe.f, 0, SEEK_END) != 0) return false;
    int64_t size = _ftelli64(exe.f);
    unsigned char trailer[4];
    if (size < 4 || _fseeki64(exe.f, size - 4, SEEK_SET) != 0 || std::fread(trailer, 1, 4, exe.f) != 4) return false;
    uint32_t length = (uint32_t(trailer[0]) << 24) | (uint32_t(trailer[1]) << 16) | (uint32_t(trailer[2]) << 8) |
                      uint32_t(trailer[3]);
    uint64_t offset = 0;
    if (!InstallerOffset(static_cast<uint64_t>(size), length, offset)) return false;
    if (_fseeki64(exe.f, static_cast<int64_t>(offset), SEEK_SET) != 0) return false;
    bytes.resize(length);
    if (std::fread(bytes.data(), 1, length, exe.f) != length) return false;
    // Only a program is ever run: anything else at the end is not an installer.
    return length >= 2 && bytes[0] == 'M' && bytes[1] == 'Z';
}

}  // namespace

bool ExtractInstaller(const AnsiString& ExePath, const AnsiString& Target) {
    std::vector<char> bytes;
    if (!readInstaller(ExePath, bytes)) return false;
    bool written = false;
    {
        File out(std::fopen(Target.c_str(), "wb"));
        if (out.f) {
            written = std::fwrite(bytes.data(), 1, bytes.size(), out.f) == bytes.size();
            written = std::fclose(out.f) == 0 && written;
            out.f = nullptr;
        }
    }
    // A half-written program must never be started.
    if (!written) DeleteFileA(Target.c_str());
    return written;
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
        RunInstaller(InstallerTempPath());
        DeleteFileA(target.c_str());
    } catch (...) {
        // Start-up goes on whatever happened here; the player check later
        // shows its own error when the control is still missing.
    }
}

}  // namespace host
