// ANSI conversions go through the Korean code page of the test prefix.
#include "framework/rtl/Strings.h"
#include "framework/rtl/Exception.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(Strings, AnsiRoundTripsKorean) {
    const String text = L"녹음 파일.mp3";
    AnsiString ansi = ToAnsi(text);
    EXPECT_EQ(ansi.size(), 13u);  // four two-byte syllables, a space and ".mp3"
    EXPECT_EQ(FromAnsi(ansi), text);
}

TEST(Strings, Utf8RoundTripsKorean) {
    EXPECT_EQ(ToUtf8(L"녹음"), "\xEB\x85\xB9\xEC\x9D\x8C");
    EXPECT_EQ(FromUtf8("\xEB\x85\xB9\xEC\x9D\x8C"), L"녹음");
}

TEST(ExceptionBarrier, CatchesAndReportsInsteadOfUnwinding) {
    String seen;
    SetBoundaryExceptionHandler([&](const Exception& e) { seen = e.ClassName() + L":" + e.Message; });
    EXPECT_FALSE(ExceptionBarrier([] { throw EConvertError(L"'x' is not a valid integer value"); }));
    EXPECT_EQ(seen, L"EConvertError:'x' is not a valid integer value");
    EXPECT_TRUE(ExceptionBarrier([] {}));
    EXPECT_EQ(ExceptionBarrier<int>([]() -> int { throw std::runtime_error("boom"); }, -1), -1);
    EXPECT_EQ(seen, L"Exception:boom");
    SetBoundaryExceptionHandler(nullptr);
}
