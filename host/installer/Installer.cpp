// The player installer the viewer carries at the end of its executable: it
// holds the player control as a resource, puts it where the control lives
// (<system folder>\Macromed\Flash\Flash10s.ocx) and registers it. Silent; the
// exit code is 0 when the control is registered, 1 otherwise.
#include <windows.h>

#include <string>

#include "player/Journal.h"

namespace {

constexpr int kPlayerResource = 1;

// One line in the journal the test player keeps (STANDIN_JOURNAL), so a test
// can see that the installer ran and what it did.
void journal(const std::wstring& text) { player::JournalAppendLine(L"0 #0 installer " + text); }

bool writeFile(const std::wstring& path, const void* data, DWORD size) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(f, data, size, &written, nullptr) && written == size;
    ok = CloseHandle(f) && ok;
    if (!ok) DeleteFileW(path.c_str());
    return ok;
}

bool registerServer(const std::wstring& path) {
    HMODULE module = LoadLibraryW(path.c_str());
    if (!module) return false;
    using RegisterFn = HRESULT(__stdcall*)();
    auto fn = reinterpret_cast<RegisterFn>(GetProcAddress(module, "DllRegisterServer"));
    bool ok = fn && SUCCEEDED(fn());
    FreeLibrary(module);
    return ok;
}

int install() {
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(kPlayerResource), MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    DWORD size = resource ? SizeofResource(nullptr, resource) : 0;
    if (!bytes || size == 0) {
        journal(L"failed: no player inside");
        return 1;
    }

    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring folder = std::wstring(system) + L"\\Macromed";
    CreateDirectoryW(folder.c_str(), nullptr);
    folder += L"\\Flash";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring target = folder + L"\\Flash10s.ocx";

    if (!writeFile(target, bytes, size)) {
        journal(L"failed: cannot write \"" + target + L"\"");
        return 1;
    }
    if (!registerServer(target)) {
        journal(L"failed: cannot register \"" + target + L"\"");
        return 1;
    }
    journal(L"registered \"" + target + L"\"");
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return install(); }
