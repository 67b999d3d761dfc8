// A whole file read back for comparison; empty when it cannot be opened.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

inline std::vector<uint8_t> FileBytes(const std::wstring& path) {
    std::vector<uint8_t> out;
    HANDLE h =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return out;
    LARGE_INTEGER size{};
    GetFileSizeEx(h, &size);
    out.resize(static_cast<size_t>(size.QuadPart));
    DWORD done = 0;
    if (!out.empty()) ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &done, nullptr);
    CloseHandle(h);
    return out;
}
