// Start-up's player check: the version in the control's file name, the four
// tests in order, and the registered control of the test prefix.
#include "host/FlashCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace host;

TEST(FlashCheck, VersionFromFileName) {
    struct Case {
        const wchar_t* path;
        int version;
    } cases[] = {
        {L"C:\\Windows\\system32\\Macromed\\Flash\\Flash10e.ocx", 10},
        {L"C:\\Windows\\system32\\Macromed\\Flash\\Flash9f.ocx", 9},
        {L"C:\\x\\Flash32_11_2_202_228.ocx", 32},
        {L"C:\\x\\Flash10s.ocx", 10},
        {L"C:\\x\\Flash.ocx", 0},             // nothing after the first five characters
        {L"C:\\x\\Fl.ocx", 0},                // shorter than five
        {L"C:\\x\\Flashx10.ocx", 0},          // no digit right after them
        {L"C:\\x\\Flash.10.ocx", 0},          // only the last extension goes
        {L"C:\\x\\Flash99999999999.ocx", 0},  // more than fits is no version
        {L"", 0},
        {L"C:\\x.y\\Flash12", 12},  // a dot in the folder is no extension
    };
    for (const Case& c : cases) EXPECT_EQ(c.version, FlashVersionFromPath(c.path)) << c.path;
}

TEST(FlashCheck, TestsInOrder) {
    std::vector<std::wstring> asked;
    auto exists = [&](bool answer) {
        return [&asked, answer](const std::wstring& p) {
            asked.push_back(p);
            return answer;
        };
    };
    const std::wstring good = L"C:\\Windows\\system32\\Macromed\\Flash\\Flash10e.ocx";
    EXPECT_TRUE(FlashControlPasses(good, exists(true)));
    EXPECT_FALSE(FlashControlPasses(good, exists(false)));
    EXPECT_FALSE(FlashControlPasses(L"C:\\Windows\\system32\\Macromed\\Flash\\Flash9f.ocx", exists(true)));
    // The folder counts as well as the name, in any case.
    EXPECT_TRUE(FlashControlPasses(L"C:\\FLASH\\Playr10.ocx", exists(true)));
    EXPECT_FALSE(FlashControlPasses(L"C:\\Macromed\\Other\\Player10.ocx", exists(true)));
    EXPECT_FALSE(FlashControlPasses(L"C:\\Macromed\\Flash\\Flash.ocx", exists(true)));

    asked.clear();
    EXPECT_FALSE(FlashControlPasses(L"", exists(true)));
    EXPECT_TRUE(asked.empty()) << "an empty path is never looked up";
}

TEST(FlashCheck, RegisteredStandInPasses) {
    // The test prefix registers the stand-in player where the control lives.
    std::wstring path = RegisteredFlashPath();
    EXPECT_NE(std::wstring::npos, path.find(L"Flash10s.ocx")) << path;
    EXPECT_EQ(10, GetFlashVersion());
    EXPECT_TRUE(FlashControlInstalled());
}
