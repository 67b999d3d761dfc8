// The invoke request that calls a movie function, and the request field rules.
#include "host/InvokeRequest.h"

#include <gtest/gtest.h>

#include "host/RequestFields.h"

using host::InvokeRequest;

TEST(InvokeRequest, PiecesInOrder) {
    EXPECT_EQ(InvokeRequest(L"goPageLink_KVB", {L"12", L"false"}),
              L"<invoke name=\"goPageLink_KVB\" returntype=\"xml\"><arguments><string>12</string>"
              L"<string>false</string></arguments></invoke>");
    EXPECT_EQ(InvokeRequest(L"f", {}), L"<invoke name=\"f\" returntype=\"xml\"><arguments></arguments></invoke>");
    EXPECT_EQ(InvokeRequest(L"f", {L""}),
              L"<invoke name=\"f\" returntype=\"xml\"><arguments><string></string></arguments></invoke>");
}

TEST(InvokeRequest, ArgumentsAreEscapedSoTheRequestStaysWellFormed) {
    // A temporary folder "A&B" or a page text with markup must not break the call.
    EXPECT_EQ(InvokeRequest(L"onRecordComplete", {L"C:\\A&B\\micrec1.mp3"}),
              L"<invoke name=\"onRecordComplete\" returntype=\"xml\"><arguments>"
              L"<string>C:\\A&amp;B\\micrec1.mp3</string></arguments></invoke>");
    EXPECT_EQ(host::XmlEscape(L"<b>\"it's\"</b> & 책"), L"&lt;b&gt;&quot;it&apos;s&quot;&lt;/b&gt; &amp; 책");
    EXPECT_EQ(host::XmlEscape(L"&amp;"), L"&amp;amp;");  // escaped once more, never taken as ready
}

TEST(RequestFields, SplitAtTheFirstSeparator) {
    struct Case {
        const wchar_t *text, *before, *after;
        bool found;
    } cases[] = {
        {L"function_saveTextFile@@@note@@@a.txt", L"function_saveTextFile", L"note@@@a.txt", true},
        {L"function_full", L"function_full", L"", false},
        {L"@@@", L"", L"", true},
        {L"a@@@", L"a", L"", true},
        {L"a@@b", L"a@@b", L"", false},
        {L"a@@@@b", L"a", L"@b", true},
        {L"", L"", L"", false},
    };
    for (const Case& c : cases) {
        host::SplitText s = host::SplitAtSeparator(c.text);
        EXPECT_EQ(s.Before, c.before) << c.text;
        EXPECT_EQ(s.After, c.after) << c.text;
        EXPECT_EQ(s.Found, c.found) << c.text;
    }
    EXPECT_EQ(host::SlashesToBackslashes(L"file://C|/a b/c.hwp"), L"file:\\\\C|\\a b\\c.hwp");
}
