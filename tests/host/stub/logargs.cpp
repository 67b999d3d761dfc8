// Stands in for a program that the shell starts: appends its arguments and
// working folder to the UTF-8 log named by LOGARGS_LOG (else logargs.log
// beside itself), one "run" record per start, closed by "end".
#include <windows.h>
// shellapi.h needs windows.h before it
#include <shellapi.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t log[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"LOGARGS_LOG", log, MAX_PATH)) {
        GetModuleFileNameW(nullptr, log, MAX_PATH);
        std::wstring path = log;
        path = path.substr(0, path.find_last_of(L'\\') + 1) + L"logargs.log";
        wcsncpy(log, path.c_str(), MAX_PATH - 1);
    }
    wchar_t cwd[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, cwd);
    std::wstring text = L"run\ncwd=" + std::wstring(cwd) + L"\n";
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i) text += L"arg=" + std::wstring(argv[i]) + L"\n";
    LocalFree(argv);
    text += L"end\n";

    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(n - 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), n, nullptr, nullptr);
    HANDLE f = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return 0;
}
