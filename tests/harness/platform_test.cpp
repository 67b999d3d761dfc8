// The test prefix is what the rest of the suite assumes: Korean ANSI code page,
// a removable E: drive, Windows 7.
#include <windows.h>

#include <gtest/gtest.h>

TEST(Platform, AnsiCodePageIsKorean) { EXPECT_EQ(GetACP(), 949u); }

TEST(Platform, KoreanTextSurvivesTheAnsiCodePage) {
    const wchar_t* text = L"파일 다운로드";
    char ansi[64] = {};
    int n = WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
    ASSERT_GT(n, 0);
    EXPECT_EQ(n, 14);  // six two-byte syllables, a space and the terminator
    wchar_t back[32] = {};
    ASSERT_GT(MultiByteToWideChar(CP_ACP, 0, ansi, -1, back, 32), 0);
    EXPECT_STREQ(back, text);
}

TEST(Platform, DriveEIsRemovable) {
    EXPECT_EQ(GetDriveTypeW(L"E:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
    HANDLE f = CreateFileW(L"E:\\harness-probe.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
    EXPECT_TRUE(DeleteFileW(L"E:\\harness-probe.txt"));
}
