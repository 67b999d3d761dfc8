// The settings file: six keys read as text, names without regard to case,
// values as written, everything empty without a file.
#include "host/INIController.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using host::INIController;

namespace {

struct TempIni {
    std::wstring path;
    explicit TempIni(const std::string& text) {
        wchar_t dir[MAX_PATH], name[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        GetTempFileNameW(dir, L"ini", 0, name);
        path = name;
        FILE* f = _wfopen(path.c_str(), L"wb");
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
    }
    ~TempIni() { DeleteFileW(path.c_str()); }
};

}  // namespace

TEST(INIController, OneSharedObject) { EXPECT_EQ(INIController::GetInstance(), INIController::GetInstance()); }

TEST(INIController, ReadsTheSixKeysAsText) {
    TempIni ini(
        "[mainform]\r\nborderstyle=bsnone\r\n"
        "[ChildForm]\r\nWindowState=wsMaximized\r\nWidth=800\r\nHeight=abc\r\nBorderStyle=bsDialog\r\nScale="
        "noscale\r\n");
    INIController* settings = INIController::GetInstance();
    settings->Load(ini.path);
    // Names match without regard to case; values stay as written.
    EXPECT_EQ(L"bsnone", settings->GetMainBorderStyle());
    EXPECT_EQ(L"wsMaximized", settings->GetChildWindowState());
    EXPECT_EQ(L"800", settings->GetChildWidth());
    EXPECT_EQ(L"abc", settings->GetChildHeight());
    EXPECT_EQ(L"bsDialog", settings->GetChildBorderStyle());
    EXPECT_EQ(L"noscale", settings->GetChildScale());
}

TEST(INIController, ALoadReplacesEveryField) {
    TempIni full("[MainForm]\r\nBorderStyle=bsNone\r\n[ChildForm]\r\nWidth=640\r\nScale=exactfit\r\n");
    TempIni partial("[ChildForm]\r\nHeight=480\r\n");
    INIController* settings = INIController::GetInstance();
    settings->Load(full.path);
    ASSERT_EQ(L"bsNone", settings->GetMainBorderStyle());
    settings->Load(partial.path);
    EXPECT_EQ(L"", settings->GetMainBorderStyle());
    EXPECT_EQ(L"", settings->GetChildWidth());
    EXPECT_EQ(L"480", settings->GetChildHeight());
    EXPECT_EQ(L"", settings->GetChildScale());

    settings->Load(partial.path + L".missing");
    EXPECT_EQ(L"", settings->GetChildHeight());
    EXPECT_EQ(L"", settings->GetChildWindowState());
    EXPECT_EQ(L"", settings->GetChildBorderStyle());
}
