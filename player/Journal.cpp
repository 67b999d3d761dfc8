#include "player/Journal.h"

#include <windows.h>

#include <atomic>

namespace player {

namespace {

std::atomic<int> g_sequence{0};

std::string utf8(const std::wstring& s) {
    if (s.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// The journal file named by STANDIN_JOURNAL; empty when it is unset (or too long).
std::wstring JournalPath() {
    wchar_t path[MAX_PATH];
    DWORD n = GetEnvironmentVariableW(L"STANDIN_JOURNAL", path, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::wstring() : std::wstring(path, n);
}

// Opened and closed per line, so nothing is lost if the process dies.
void AppendLine(const std::wstring& path, const std::wstring& line) {
    std::string bytes = utf8(line + L"\n");
    HANDLE f = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

}  // namespace

std::wstring Quoted(const std::wstring& text) {
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        if (c == L'"') out += L'\\';
        if (c == L'\r') {
            out += L"\\r";
            continue;
        }
        if (c == L'\n') {
            out += L"\\n";
            continue;
        }
        out += c;
    }
    return out + L"\"";
}

void JournalWrite(int instance, const std::wstring& hostClass, const std::wstring& text) {
    const std::wstring path = JournalPath();
    // No journal, no sequence number taken: numbers count the lines written.
    if (path.empty()) return;
    AppendLine(path, std::to_wstring(++g_sequence) + L" #" + std::to_wstring(instance) + L" " +
                         (hostClass.empty() ? std::wstring(L"-") : hostClass) + L" " + text);
}

void JournalAppendLine(const std::wstring& line) {
    const std::wstring path = JournalPath();
    if (!path.empty()) AppendLine(path, line);
}

}  // namespace player
