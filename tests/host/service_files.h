// A scratch folder for the file services' tests: files written and read as
// raw bytes, and the whole tree removed afterwards; and the code page 949
// bytes those files are expected to hold.
#pragma once

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "framework/rtl/Strings.h"

// The bytes a Korean text has on disk in code page 949, spelled out rather
// than taken from the conversions under test.
inline std::string Cp949(const std::wstring& text) {
    int n = WideCharToMultiByte(949, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(n, '\0');
    WideCharToMultiByte(949, 0, text.c_str(), int(text.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

class ScratchFolder {
public:
    // In the temporary folder, or in `base` (with its trailing backslash) when given.
    explicit ScratchFolder(const wchar_t* tag, std::wstring base = std::wstring()) {
        if (base.empty()) {
            wchar_t dir[MAX_PATH];
            GetTempPathW(MAX_PATH, dir);
            base = dir;
        }
        name_ = std::wstring(L"kvb-") + tag + L"-" + std::to_wstring(GetCurrentProcessId());
        path_ = base + name_ + L"\\";
        Remove(path_);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder() { Remove(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // With its trailing "\".
    const std::wstring& Path() const { return path_; }
    // The folder's own name.
    const std::wstring& Name() const { return name_; }
    std::wstring operator/(const std::wstring& relative) const { return path_ + relative; }

    // Writes the bytes, making the folders on the way.
    std::wstring Write(const std::wstring& relative, const std::string& bytes) const {
        std::wstring full = path_ + relative;
        for (size_t i = path_.size(); (i = full.find(L'\\', i)) != std::wstring::npos; ++i)
            CreateDirectoryW(full.substr(0, i).c_str(), nullptr);
        WriteBytes(full, bytes);
        return full;
    }

    static void WriteBytes(const std::wstring& path, const std::string& bytes) {
        std::ofstream(path.c_str(), std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const std::wstring& path) {
        std::ifstream in(path.c_str(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    // The folder and all below it, read-only files too.
    static void Remove(const std::wstring& folder) {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((folder + L"*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = fd.cFileName;
                if (name == L"." || name == L"..") continue;
                std::wstring full = folder + name;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(full + L"\\");
                } else {
                    SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(full.c_str());
                }
            } while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryW(folder.c_str());
    }

private:
    std::wstring name_;
    std::wstring path_;
};
