// Variants as the tag containers use them: kinds, comparison, conversion.
#include "framework/rtl/Variant.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

TEST(Variant, IntegerKindsFollowTheCppType) {
    EXPECT_EQ(Variant().VarType(), varEmpty);
    EXPECT_EQ(Null().VarType(), varNull);
    EXPECT_EQ(Variant(static_cast<int8_t>(1)).VarType(), varShortInt);
    EXPECT_EQ(Variant(static_cast<uint8_t>(1)).VarType(), varByte);
    EXPECT_EQ(Variant(static_cast<int16_t>(1)).VarType(), varSmallint);
    EXPECT_EQ(Variant(static_cast<uint16_t>(1)).VarType(), varWord);
    EXPECT_EQ(Variant(1).VarType(), varInteger);
    EXPECT_EQ(Variant(1u).VarType(), varLongWord);
    EXPECT_EQ(Variant(static_cast<int64_t>(1)).VarType(), varInt64);
    EXPECT_EQ(Variant("a").VarType(), varString);
    EXPECT_EQ(Variant(L"a").VarType(), varUString);
    EXPECT_EQ(Variant::OleStr(L"a").VarType(), varOleStr);
    EXPECT_TRUE(VarIsNull(Null()));
    EXPECT_FALSE(VarIsNull(Unassigned()));
    EXPECT_TRUE(VarIsOrdinal(Variant(static_cast<uint16_t>(3))));
    EXPECT_TRUE(VarIsStr(Variant::OleStr(L"")));
}

TEST(Variant, SameValueTable) {
    const Variant null = Null(), empty = Unassigned();
    const AnsiString ansiKorean = ToAnsi(L"녹음");
    struct Case {
        Variant a, b;
        bool same;
    };
    const Case cases[] = {
        {empty, empty, true},
        {null, null, true},
        {null, empty, false},
        {empty, null, false},
        {null, 0, false},
        {0, null, false},
        {empty, 0, false},
        {0, empty, false},
        {null, L"", false},
        {empty, "", false},
        {12, 12, true},
        {12, static_cast<uint8_t>(12), true},  // kinds differ, values agree
        {static_cast<uint16_t>(7), static_cast<int16_t>(7), true},
        {static_cast<int64_t>(5000000000LL), static_cast<int64_t>(5000000000LL), true},
        {-1, 0xFFFFFFFFu, false},
        {1, 2, false},
        {L"abc", L"abc", true},
        {L"abc", L"ABC", false},
        {"abc", L"abc", true},
        {ansiKorean, L"녹음", true},
        {Variant::OleStr(L"x"), L"x", true},
        {L"", "", true},
        {12, L"12", true},
        {L"12", 12, true},
        {12, "$C", true},
        {12, L"12.0", true},
        {12, L"abc", false},
        {L"abc", 12, false},
        {0, L"", false},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(VarSameValue(cases[i].a, cases[i].b), cases[i].same) << "case " << i;
}

TEST(Variant, ConversionsBetweenTextAndIntegers) {
    EXPECT_EQ(Variant(static_cast<uint8_t>(200)).AsInteger(), 200);
    EXPECT_EQ(Variant("42").AsInteger(), 42);
    EXPECT_EQ(Variant(L"0x10").AsInteger(), 16);
    EXPECT_EQ(Variant(L"5000000000").AsInt64(), 5000000000LL);
    EXPECT_EQ(Variant(-3).AsString(), L"-3");
    EXPECT_EQ(Variant(0xFFFFFFFFu).AsString(), L"4294967295");
    EXPECT_EQ(Unassigned().AsInteger(), 0);
    EXPECT_EQ(Unassigned().AsString(), L"");
    EXPECT_EQ(VarToStr(Null()), L"");
    EXPECT_EQ(VarToStr(static_cast<int16_t>(-7)), L"-7");

    // 8-bit text goes through the ANSI code page both ways.
    const AnsiString ansi = ToAnsi(L"녹음 파일");
    EXPECT_EQ(Variant(ansi).AsString(), L"녹음 파일");
    EXPECT_EQ(Variant(L"녹음 파일").AsAnsiString(), ansi);
    EXPECT_EQ(Variant(ansi).AsAnsiString(), ansi);
    EXPECT_EQ(Variant(2009).AsAnsiString(), "2009");
}

TEST(Variant, FailedConversionsRaise) {
    auto messageOf = [](auto&& call) -> String {
        try {
            call();
        } catch (const EVariantError& e) {
            return e.ClassName() + L": " + e.Message;
        }
        return L"(nothing raised)";
    };
    EXPECT_EQ(messageOf([] { Variant("x").AsInteger(); }),
              L"EVariantTypeCastError: Could not convert variant of type (String) into type (Integer)");
    EXPECT_EQ(messageOf([] { Variant(L"").AsInt64(); }),
              L"EVariantTypeCastError: Could not convert variant of type (UnicodeString) into type (Int64)");
    EXPECT_EQ(messageOf([] { Null().AsInteger(); }),
              L"EVariantTypeCastError: Could not convert variant of type (Null) into type (Integer)");
    EXPECT_EQ(messageOf([] { Null().AsString(); }),
              L"EVariantTypeCastError: Could not convert variant of type (Null) into type (UnicodeString)");
    EXPECT_EQ(messageOf([] { Null().AsAnsiString(); }),
              L"EVariantTypeCastError: Could not convert variant of type (Null) into type (String)");
    EXPECT_EQ(messageOf([] { Variant(static_cast<int64_t>(5000000000LL)).AsInteger(); }),
              L"EVariantOverflowError: Overflow while converting variant of type (Int64) into type (Integer)");
    EXPECT_EQ(messageOf([] { Variant(L"12345678901").AsInteger(); }),
              L"EVariantOverflowError: Overflow while converting variant of type (UnicodeString) into type (Integer)");
}

}  // namespace
