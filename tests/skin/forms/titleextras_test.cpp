// User title buttons placed, measured and hit-tested as tables over the
// default skin, and the fade arithmetic of title buttons, without windows.
#include <gtest/gtest.h>

#include <vector>

#include "FrameFixtures.h"
#include "skin/forms/acSBAnimation.h"
#include "skin/forms/sFrameHitTest.h"

using namespace skin;
using namespace formstest;

TEST(UserTitleButtons, PlacedLeftOfTheSystemButtonsAndHitAsTheirIndex) {
    LoadedSkin skin(L"default", L"Stillwater");
    const TFrameSkin k = skin.Frame();
    ASSERT_GE(k.UserButton, 0);
    const TFrameState s = State(fw::bsSizeable, kAllIcons, 400, 200);
    const TFrameMetrics m = Metrics();
    TsCaptionButton data[3];
    fw::TBitmap wide(40, 10, fw::pf24bit);
    TTitleButtons b;
    UpdateIconsIndexes(b, s, k);
    const int systemOnly = TitleBtnsWidth(s, k, b);
    b.User = {{&data[0]}, {&data[1], false}, {&data[2], true, true, true, &wide}};
    LayoutTitleButtons(b, s, m, k);

    const int w = UserButtonWidth(k, b.User[0]);
    EXPECT_EQ(28, w);  // the skin's image
    // 8 pixels left of the last system button, then right to left in order;
    // a hidden one takes no place, a wider glyph widens its button.
    EXPECT_EQ(data[0].Rect.Right, b.Min.Rect.Left - k.BISpacing - 8);
    EXPECT_EQ(data[0].Rect.Width(), w);
    EXPECT_EQ(-1, data[1].State);
    EXPECT_EQ(data[2].Rect.Right, data[0].Rect.Left - k.BISpacing);
    EXPECT_EQ(data[2].Rect.Width(), 42);
    EXPECT_EQ(data[0].Rect.Top, b.Close.Rect.Top);
    EXPECT_EQ(data[0].Rect.Height(), b.Close.Rect.Height());
    EXPECT_EQ(systemOnly + 8 + w + k.BISpacing + 42 + k.BISpacing, TitleBtnsWidth(s, k, b));

    // Hit codes are HTUDBTN + the collection index, hidden ones never hit.
    struct Case {
        fw::TPoint p;
        int code;
    } cases[] = {
        {fw::CenterPoint(data[0].Rect), HTUDBTN + 0},
        {fw::CenterPoint(data[2].Rect), HTUDBTN + 2},
        {fw::TPoint(data[0].Rect.Right + 4, data[0].Rect.Top + 5), HTCAPTION},
        {fw::CenterPoint(b.Min.Rect), HTMINBUTTON},
    };
    for (const Case& c : cases) EXPECT_EQ(c.code, FrameHitTest(s, m, k, b, c.p)) << c.p.X << "," << c.p.Y;
    EXPECT_EQ(&data[2], b.Of(HTUDBTN + 2));
    EXPECT_EQ(nullptr, b.Of(HTUDBTN + 3));

    // A form without a frame shows none of them.
    const TFrameState none = State(fw::bsNone, kAllIcons);
    LayoutTitleButtons(b, none, m, k);
    EXPECT_EQ(-1, data[0].State);
    EXPECT_EQ(-1, data[2].State);
}

namespace {

struct FadeRun {
    std::vector<int> blends;
    int checks = 0;
    bool running = true;
};

// Ticks F Count times; Leave makes the mouse check turn the fade down.
FadeRun TickMany(TSBFade& F, int Count, bool Leave = false) {
    FadeRun r;
    for (int i = 0; i < Count && r.running; ++i)
        r.running = F.Tick([&](int b) { r.blends.push_back(b); },
                           [&] {
                               ++r.checks;
                               if (Leave) F.Up = false, F.MaxIterations = 10;
                           });
    return r;
}

}  // namespace

TEST(TitleButtonFade, StepsLevelsAndEnds) {
    struct StepCase {
        int iterations, step;
    } steps[] = {{10, 25}, {1, 255}, {3, 85}, {0, 0}, {-1, 0}};
    for (const StepCase& c : steps) {
        TSBFade f;
        f.MaxIterations = c.iterations;
        EXPECT_EQ(c.step, f.Step()) << c.iterations;
    }

    // A hot fade as a new fade starts it: level 1 shown, then ticks from 2.
    TSBFade f;
    f.CurrentState = 1, f.Up = true, f.MaxIterations = 10, f.CurrentLevel = 2;
    FadeRun up = TickMany(f, 9);
    EXPECT_EQ((std::vector<int>{50, 75, 100, 125, 150, 175, 200, 225, 255}), up.blends);
    EXPECT_EQ(-1, f.MaxIterations);
    EXPECT_EQ(10, f.CurrentLevel);
    EXPECT_EQ(1, up.checks);
    // Faded in: only the mouse is watched, nothing is shown again.
    FadeRun idle = TickMany(f, 5);
    EXPECT_TRUE(idle.blends.empty());
    EXPECT_EQ(5, idle.checks);
    EXPECT_TRUE(idle.running);

    // Fading down from the top: ten steps, then finished and stopped.
    f.Up = false, f.MaxIterations = 10;
    FadeRun down = TickMany(f, 20);
    EXPECT_EQ((std::vector<int>{250, 225, 200, 175, 150, 125, 100, 75, 50, 25}), down.blends);
    EXPECT_FALSE(down.running);
    EXPECT_EQ(-1, f.CurrentState);
    EXPECT_EQ(0, f.CurrentLevel);

    // A pressed look (one iteration) is shown whole at the first tick.
    TSBFade p;
    p.CurrentState = 2, p.Up = true, p.MaxIterations = 1, p.CurrentLevel = 1;
    EXPECT_EQ((std::vector<int>{255}), TickMany(p, 1).blends);

    // The mouse leaving at the end of the fade-in turns it down at once: the
    // whole image is not shown and the fade-down keeps its step.
    TSBFade l;
    l.CurrentState = 1, l.Up = true, l.MaxIterations = 10, l.CurrentLevel = 10;
    FadeRun left = TickMany(l, 1, true);
    EXPECT_TRUE(left.blends.empty());
    EXPECT_EQ(10, l.MaxIterations);
    EXPECT_FALSE(l.Up);
}
