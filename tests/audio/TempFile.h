// A scratch file in the temporary folder, open for reading and writing, and
// removed with the fixture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/audio/FileBytes.h"

class TempFile {
public:
    explicit TempFile(const std::vector<uint8_t>& bytes = {}) {
        wchar_t dir[MAX_PATH], name[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        GetTempFileNameW(dir, L"tag", 0, name);
        path_ = name;
        Write(bytes);
        Open();
    }
    ~TempFile() {
        Close();
        DeleteFileW(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    HANDLE Handle() const { return handle_; }
    const std::wstring& Path() const { return path_; }

    void Open() {
        Close();
        handle_ = CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    }
    void Close() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    // Replaces the contents (the handle is reopened at position 0).
    void Write(const std::vector<uint8_t>& bytes) {
        Close();
        HANDLE h = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD done = 0;
        if (!bytes.empty()) WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
        CloseHandle(h);
        Open();
    }
    std::vector<uint8_t> Bytes() const { return FileBytes(path_); }
    int64_t Position() const {
        LARGE_INTEGER zero{}, pos{};
        SetFilePointerEx(handle_, zero, &pos, FILE_CURRENT);
        return pos.QuadPart;
    }
    void Seek(int64_t at) const {
        LARGE_INTEGER to{};
        to.QuadPart = at;
        SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN);
    }

private:
    std::wstring path_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Byte-building helpers for hand-made fixtures.
inline void Append(std::vector<uint8_t>& v, const std::string& s) { v.insert(v.end(), s.begin(), s.end()); }
inline void Append(std::vector<uint8_t>& v, std::initializer_list<int> bytes) {
    for (int b : bytes) v.push_back(static_cast<uint8_t>(b));
}
inline void AppendZeros(std::vector<uint8_t>& v, size_t n) { v.insert(v.end(), n, 0); }
