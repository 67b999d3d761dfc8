// Fixture files beside the tests (reached through Wine's Z: drive) and
// scratch folders in the temporary folder, removed with the test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/rtl/Strings.h"

namespace enginetest {

// tests/skin/engine/data/<name> as a Windows path.
inline fw::String DataPath(const fw::String& name) {
    fw::String dir = fw::FromAnsi(std::string(KVB_TESTS_DIR) + "/skin/engine/");
    for (auto& c : dir)
        if (c == L'/') c = L'\\';
    if (!dir.empty() && dir[0] == L'\\') dir = L"Z:" + dir;
    return dir + L"data\\" + name;
}

inline std::vector<uint8_t> ReadFileBytes(const fw::String& path) {
    std::vector<uint8_t> out;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return out;
    LARGE_INTEGER size{};
    GetFileSizeEx(h, &size);
    out.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!out.empty()) ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &got, nullptr);
    CloseHandle(h);
    out.resize(got);
    return out;
}

inline void WriteFileBytes(const fw::String& path, const std::vector<uint8_t>& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    if (!bytes.empty()) WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(h);
}

// Names of the entries of a folder (files and folders, no "." or "..").
inline std::vector<fw::String> ListDir(const fw::String& dir) {
    std::vector<fw::String> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        fw::String n = fd.cFileName;
        if (n != L"." && n != L"..") names.push_back(n);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return names;
}

// A fresh empty folder in the temporary folder, deleted with everything in it.
class TempDir {
public:
    explicit TempDir(const wchar_t* tag = L"skn") {
        wchar_t base[MAX_PATH], name[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        GetTempFileNameW(base, tag, 0, name);
        DeleteFileW(name);
        CreateDirectoryW(name, nullptr);
        path_ = name;
    }
    ~TempDir() { Remove(path_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fw::String& Path() const { return path_; }
    fw::String operator/(const fw::String& name) const { return path_ + L"\\" + name; }

private:
    static void Remove(const fw::String& dir) {
        for (const auto& n : ListDir(dir)) {
            fw::String p = dir + L"\\" + n;
            DWORD attr = GetFileAttributesW(p.c_str());
            SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only files go too
            if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY))
                Remove(p);
            else
                DeleteFileW(p.c_str());
        }
        RemoveDirectoryW(dir.c_str());
    }
    fw::String path_;
};

}  // namespace enginetest
