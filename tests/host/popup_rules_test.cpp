// The decisions of the pop-up request, the pop-up window and window control,
// without windows: where a pop-up movie is looked for, which state each
// "formcontrol" text asks for, what a closing pop-up reports, and its
// restored size from the settings.
#include <gtest/gtest.h>

#include <set>

#include "host/ChildForm.h"
#include "host/PopUpRequest.h"
#include "host/WindowControl.h"

using namespace host;

namespace {

const String kExe = L"C:\\Viewer\\viewer.exe";

}  // namespace

TEST(PopUpMovieSearch, FiveCandidatesInOrder) {
    std::vector<String> c = PopUpMovieCandidates(kExe, L"book2.swf", L"D:\\Books\\novel.swf", L"extra.swf");
    ASSERT_EQ(5u, c.size());
    EXPECT_EQ(L"C:\\Viewer\\extra.swf", c[0]);
    EXPECT_EQ(L"_Page_img\\contents\\extra.swf", c[1]);
    EXPECT_EQ(L"C:\\Viewer\\book2_Page_img\\contents\\extra.swf", c[2]);
    EXPECT_EQ(L"D:\\Books\\extra.swf", c[3]);
    EXPECT_EQ(L"D:\\Books\\novel_Page_img\\contents\\extra.swf", c[4]);
    EXPECT_EQ(L"C:\\Viewer\\viewer_Page_img\\contents\\extra.swf", PopUpMovieFallback(kExe, L"extra.swf"));
}

TEST(PopUpMovieSearch, BeforeAnyMoveSkinAndWithARelativeArgument) {
    std::vector<String> c = PopUpMovieCandidates(kExe, L"", L"sub\\novel.swf", L"m.swf");
    EXPECT_EQ(L"C:\\Viewer\\_Page_img\\contents\\m.swf", c[2]);
    EXPECT_EQ(L"sub\\m.swf", c[3]);
    EXPECT_EQ(L"sub\\novel_Page_img\\contents\\m.swf", c[4]);
}

TEST(PopUpMovieSearch, TheFirstExistingCandidateWinsElseTheFallback) {
    std::vector<String> all = PopUpMovieCandidates(kExe, L"book2.swf", L"D:\\Books\\novel.swf", L"x.swf");
    for (size_t first = 0; first < all.size(); ++first) {
        // Every candidate from `first` on exists: the earliest of them is taken.
        std::set<String> present(all.begin() + first, all.end());
        String found = FindPopUpMovie(kExe, L"book2.swf", L"D:\\Books\\novel.swf", L"x.swf",
                                      [&](const String& p) { return present.count(p) != 0; });
        EXPECT_EQ(all[first], found) << first;
    }
    std::vector<String> asked;
    String none = FindPopUpMovie(kExe, L"book2.swf", L"D:\\Books\\novel.swf", L"x.swf", [&](const String& p) {
        asked.push_back(p);
        return false;
    });
    EXPECT_EQ(all, asked);
    EXPECT_EQ(PopUpMovieFallback(kExe, L"x.swf"), none);
}

TEST(WindowControlTables, MainAndPopUpKnowTheirOwnTexts) {
    using A = WindowControlAction;
    struct Row {
        const wchar_t* text;
        A main;
        A popUp;
    };
    const Row rows[] = {
        {L"wsMinimized", A::Minimize, A::Minimize},
        {L"wsMaximized", A::Maximize, A::Maximize},
        {L"wmMaximized", A::Maximize, A::Maximize},
        {L"wsNormal", A::Normal, A::None},
        {L"wmNormal", A::None, A::Normal},
        {L"Close", A::Close, A::Close},
        {L"resize", A::ToggleMaximized, A::None},
        {L"wsmaximized", A::None, A::None},
        {L"close", A::None, A::None},
        {L"wsNormal ", A::None, A::None},
        {L"", A::None, A::None},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.main, MainWindowControl(r.text)) << r.text;
        EXPECT_EQ(r.popUp, ChildWindowControl(r.text)) << r.text;
    }
}

TEST(PopUpCloseReport, OtherBookFirstThenPagesAboveZero) {
    const String other = L"<invoke name=\"otherBook_KVB\" returntype=\"xml\"><arguments>";
    const String page = L"<invoke name=\"goPageLink_KVB\" returntype=\"xml\"><arguments>";
    const String end = L"</arguments></invoke>";
    EXPECT_EQ(L"", ChildCloseReport(L"", L"0"));
    EXPECT_EQ(L"", ChildCloseReport(L"", L"-1"));
    EXPECT_EQ(L"", ChildCloseReport(L"", L""));
    EXPECT_EQ(page + L"<string>12</string><string>false</string>" + end, ChildCloseReport(L"", L"12"));
    // Ordinal text order: "00" is above "0".
    EXPECT_EQ(page + L"<string>00</string><string>false</string>" + end, ChildCloseReport(L"", L"00"));
    EXPECT_EQ(other + L"<string>book2.swf</string><string>3</string><string>false</string>" + end,
              ChildCloseReport(L"book2.swf", L"3"));
    EXPECT_EQ(other + L"<string>book2.swf</string><string>0</string><string>false</string>" + end,
              ChildCloseReport(L"book2.swf", L"0"));
}

TEST(PopUpSize, SettingsPlusTheFrameWithDefaults) {
    EXPECT_EQ(808, ChildWindowExtent(L"800", 1024, 8));
    EXPECT_EQ(632, ChildWindowExtent(L"600", 700, 32));
    EXPECT_EQ(1032, ChildWindowExtent(L"", 1024, 8));
    EXPECT_EQ(732, ChildWindowExtent(L"abc", 700, 32));
    EXPECT_EQ(1032, ChildWindowExtent(L"$300", 1024, 8));  // decimal only
    EXPECT_EQ(1032, ChildWindowExtent(L"800px", 1024, 8));
}
