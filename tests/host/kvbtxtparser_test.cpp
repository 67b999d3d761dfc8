// The book variable file: the "&key=value&" scan with its zero-byte rules,
// read from real files in the ANSI code page.
#include "host/KVBTxtParser.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

using host::KVBTxtParser;

namespace {

std::wstring tempName() {
    wchar_t dir[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"kvb", 0, name);
    return name;
}

struct TempText {
    std::wstring path = tempName();
    explicit TempText(const std::string& bytes) {
        FILE* f = _wfopen(path.c_str(), L"wb");
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
    ~TempText() { DeleteFileW(path.c_str()); }
};

}  // namespace

TEST(KVBTxtParser, ScanTable) {
    struct Case {
        const char* text;
        std::map<std::wstring, std::wstring> expected;
    } cases[] = {
        {"&title=My book& &width=1024& &height=768&",
         {{L"title", L"My book"}, {L"width", L"1024"}, {L"height", L"768"}}},
        {"&title=A&\r\n&width=10&\r\n", {{L"title", L"A"}, {L"width", L"10"}}},  // line breaks lie outside pairs
        {"&title=A& &title=B&", {{L"title", L"A"}}},                             // the first wins
        {"&link=page=5&", {{L"link", L"5"}}},        // key to the first "=", value after the last
        {"title=A&", {{L"title", L"A"}}},            // no opening "&": key from the start
        {"&a=1&b=2&", {{L"a", L"1"}, {L"", L"2"}}},  // the start is a zero byte by then
        {"&title=A", {}},                            // never closed
        {"&title=A& trailing=text", {{L"title", L"A"}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        TempText file(c.text);
        KVBTxtParser parser;
        ASSERT_EQ(0, parser.Load(file.path)) << c.text;
        EXPECT_EQ(static_cast<int>(c.expected.size()), parser.Count()) << c.text;
        for (const auto& [key, value] : c.expected) EXPECT_EQ(value, parser.Get(key)) << c.text;
    }
}

TEST(KVBTxtParser, ValuesComeFromTheAnsiCodePage) {
    ASSERT_EQ(949u, GetACP());
    // "전자책" in CP949.
    TempText file(std::string("&title=\xC0\xFC\xC0\xDA\xC3\xA5&"));
    KVBTxtParser parser;
    ASSERT_EQ(0, parser.Load(file.path));
    EXPECT_EQ(L"전자책", parser.Get(L"title"));
}

TEST(KVBTxtParser, LookupIsExactAndLeavesNothingBehind) {
    TempText file("&Title=Upper&");
    KVBTxtParser parser;
    ASSERT_EQ(0, parser.Load(file.path));
    EXPECT_EQ(L"", parser.Get(L"title"));
    EXPECT_EQ(L"", parser.Get(L"title"));
    EXPECT_EQ(1, parser.Count());
    EXPECT_EQ(L"Upper", parser.Get(L"Title"));
}

TEST(KVBTxtParser, MissingFileLeavesTheMapAsItWas) {
    TempText file("&title=Kept&");
    KVBTxtParser parser;
    ASSERT_EQ(0, parser.Load(file.path));
    EXPECT_EQ(-1, parser.Load(file.path + L".missing"));
    EXPECT_EQ(1, parser.Count());
    EXPECT_EQ(L"Kept", parser.Get(L"title"));
}

TEST(KVBTxtParser, ALaterLoadAddsOnlyNewKeys) {
    TempText first("&title=One&&width=1&"), second("&title=Two&&height=2&");
    KVBTxtParser parser;
    parser.Load(first.path);
    parser.Load(second.path);
    EXPECT_EQ(L"One", parser.Get(L"title"));
    EXPECT_EQ(L"2", parser.Get(L"height"));
    EXPECT_EQ(3, parser.Count());
}
