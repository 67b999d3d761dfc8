// Hot-state fading stepped tick by tick: the frames a control is offered,
// their weights, and how fades start, restart, halve and end.
#include <gtest/gtest.h>

#include "PaintTestBitmaps.h"
#include "SkinnedPanel.h"
#include "framework/windows/Application.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/paint/sFade.h"

using namespace skin;
using namespace painttest;
using V = std::vector<uint8_t>;

namespace {

// A skinned control that fades as the library's buttons do: it repaints its
// cache in its current state when asked, keeps the middle pixel of every
// frame it is offered, and ends the fade when told to.
class TFadeControl : public TSkinnedPanel {
public:
    using TSkinnedPanel::TSkinnedPanel;
    TsFadeTimer* Timer = nullptr;
    std::vector<V> Frames;
    int Repaints = 0;

    V Middle(fw::TBitmap& b) const { return GetBgr(b, Width() / 2, Height() / 2); }
    // A hot-state change as the control's mouse handling makes it.
    void Change(int NewState, bool Clicked, TFadeDirection Direction) {
        State = NewState;
        DoChangePaint(Timer, SkinData.get(), Clicked, true, Direction);
    }
    void WndProc(fw::TMessage& m) override {
        if (m.Msg == SM_ALPHACMD) switch (m.WParamHi()) {
                case smcPrepareCache:
                    PrepareCache();
                    return;
                case smcPaintFadeStep:
                    Frames.push_back(Middle(*reinterpret_cast<fw::TBitmap*>(m.LParam)));
                    m.Result = 1;
                    return;
                case smcStopFading:
                    StopFading(Timer, SkinData.get());
                    return;
                default:
                    break;
            }
        TSkinnedPanel::WndProc(m);
    }
    void Repaint() override {
        ++Repaints;
        TSkinnedPanel::Repaint();
    }
};

// The sum of a frame: the old pixel weighs Alpha / 256, the new 255 - Alpha.
V Blend(const V& from, const V& to, int alpha) {
    V out(3);
    for (int c = 0; c < 3; ++c)
        out[size_t(c)] = uint8_t((from[size_t(c)] * alpha + to[size_t(c)] * (255 - alpha) + 127) >> 8);
    return out;
}

struct FadeScene {
    PaintScene scene;
    TFadeControl* button;
    V normal, hot;
    explicit FadeScene(int Iterations = 5) {
        TsGeneralData& g = scene.Section(L"PANEL");
        g.FadingEnabled = true;
        g.FadingIterations = Iterations;
        button = new TFadeControl(&scene.form, scene.sm.get(), L"PANEL", fw::TRect(10, 10, 70, 40));
        scene.form.HandleNeeded();
        button->PrepareCache();
        normal = button->Middle(*button->SkinData->FCacheBmp);
        hot = V{uint8_t(g.HotColor >> 16), uint8_t(g.HotColor >> 8), uint8_t(g.HotColor)};
    }
    void Tick(int n = 1) {
        for (int i = 0; i < n && button->Timer; ++i) button->Timer->Timer();
    }
};

}  // namespace

TEST(Fading, FrameWeights) {
    // (FadeLevel, Iterations) -> the old image's weight
    const int cases[][3] = {{1, 5, 204}, {2, 5, 153}, {3, 5, 102}, {4, 5, 51}, {5, 5, 0},
                            {1, 2, 127}, {2, 2, 0},   {0, 5, 255}, {9, 5, 0}};
    for (const auto& k : cases) EXPECT_EQ(FadeFrameAlpha(k[0], k[1]), k[2]) << k[0] << "/" << k[1];
}

TEST(Fading, AHotChangeFadesInFiveFramesAndEnds) {
    FadeScene f;
    ASSERT_EQ(acAnimCount, 0);
    f.button->Change(1, false, fdUp);
    ASSERT_NE(f.button->Timer, nullptr);
    EXPECT_EQ(acAnimCount, 1);
    EXPECT_TRUE(f.button->Timer->Enabled());
    EXPECT_EQ(f.button->Timer->Interval(), 10u);
    // The cache now holds the hot image; the timer kept the old one.
    EXPECT_EQ(f.button->Middle(*f.button->SkinData->FCacheBmp), f.hot);
    EXPECT_EQ(f.button->Middle(*f.button->Timer->BmpFrom), f.normal);
    f.Tick(6);
    EXPECT_EQ(f.button->Timer, nullptr) << "the sixth tick ends the fade";
    EXPECT_EQ(acAnimCount, 0);
    const int weights[] = {204, 153, 102, 51, 0};
    ASSERT_EQ(f.button->Frames.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(f.button->Frames[size_t(i)], Blend(f.normal, f.hot, weights[i])) << i;
}

TEST(Fading, AClickHalvesTheStepsAndAStaleCacheChangesAtOnce) {
    FadeScene f;
    f.button->Change(1, true, fdUp);
    f.Tick(3);
    ASSERT_EQ(f.button->Frames.size(), 2u);
    EXPECT_EQ(f.button->Frames[0], Blend(f.normal, f.hot, 127));
    EXPECT_EQ(f.button->Frames[1], Blend(f.normal, f.hot, 0));
    EXPECT_EQ(f.button->Timer, nullptr);
    // A cache that is already stale holds no old image: no fade, a repaint.
    f.button->SkinData->BGChanged = true;
    const int repaints = f.button->Repaints;
    f.button->Change(0, false, fdDown);
    EXPECT_EQ(f.button->Timer, nullptr);
    EXPECT_EQ(f.button->Repaints, repaints + 1);
    // So does a forbidden or unwanted animation, or a skin change.
    for (int k = 0; k < 3; ++k) {
        f.button->PrepareCache();
        FadingForbidden = k == 0;
        aSkinChanging = k == 1;
        f.button->State = 1 - f.button->State;
        DoChangePaint(f.button->Timer, f.button->SkinData.get(), false, k != 2, fdUp);
        EXPECT_EQ(f.button->Timer, nullptr) << k;
    }
    FadingForbidden = aSkinChanging = false;
}

TEST(Fading, TicksWhileForbiddenDoNothingAndDisablingStopsTheFade) {
    FadeScene f;
    f.button->Change(1, false, fdUp);
    f.Tick();
    ASSERT_EQ(f.button->Frames.size(), 1u);
    FadingForbidden = true;
    f.Tick(3);
    FadingForbidden = false;
    EXPECT_EQ(f.button->Frames.size(), 1u);
    EXPECT_EQ(f.button->Timer->FadeLevel, 2);
    // Disabled during the fade: the fade stops and the control repaints.
    f.button->SkinData->BGChanged = false;
    f.button->SetEnabled(false);
    f.Tick();
    EXPECT_EQ(f.button->Frames.size(), 1u);
    ASSERT_NE(f.button->Timer, nullptr);
    EXPECT_FALSE(f.button->Timer->Enabled());
    EXPECT_EQ(f.button->Timer->Iterations, 0);
    EXPECT_TRUE(f.button->SkinData->BGChanged);
    StopFading(f.button->Timer, f.button->SkinData.get());
    EXPECT_EQ(acAnimCount, 0);
}

// A new change while a fade down runs gets no steps: it ends at the next
// tick without a frame. After a fade up it gets the full count again.
TEST(Fading, RestartedFades) {
    FadeScene f;
    f.button->Change(1, false, fdDown);
    f.Tick();
    ASSERT_EQ(f.button->Frames.size(), 1u);
    TsFadeTimer* running = f.button->Timer;
    f.button->Change(0, false, fdUp);
    EXPECT_EQ(f.button->Timer, running) << "the same timer goes on";
    EXPECT_EQ(running->Iterations, 0);
    f.Tick();
    EXPECT_EQ(f.button->Timer, nullptr);
    EXPECT_EQ(f.button->Frames.size(), 1u);

    f.button->Frames.clear();
    f.button->Change(1, false, fdUp);
    f.Tick();
    f.button->Change(0, false, fdUp);
    ASSERT_NE(f.button->Timer, nullptr);
    EXPECT_EQ(f.button->Timer->Iterations, 5);
    EXPECT_EQ(f.button->Timer->FadeLevel, 1);
    f.Tick(6);
    EXPECT_EQ(f.button->Frames.size(), 6u);
    EXPECT_EQ(f.button->Timer, nullptr);
}

TEST(Fading, ASpeedButtonsTimerLeavesFramesForItsPaint) {
    PaintScene scene;
    TsGeneralData& g = scene.Section(L"PANEL");
    g.FadingIterations = 4;
    // A graphic control in place of a speed button: it keeps the messages.
    struct TButton : fw::TGraphicControl {
        using fw::TGraphicControl::TGraphicControl;
        std::vector<std::pair<WORD, WORD>> Got;
        void WndProc(fw::TMessage& m) override {
            if (m.Msg == SM_ALPHACMD) Got.emplace_back(m.WParamHi(), m.WParamLo());
            fw::TGraphicControl::WndProc(m);
        }
    };
    auto* button = new TButton(&scene.form);
    button->SetBounds(0, 0, 20, 10);
    button->SetParent(&scene.form);
    TsCommonData data(button, true);
    data.SetSkinManager(scene.sm.get());
    data.SetSkinSection(L"PANEL");
    data.FCacheBmp->SetSize(20, 10);
    Fill(*data.FCacheBmp, 0);
    {
        TsAnimTimer timer(button);
        EXPECT_EQ(acAnimCount, 1);
        EXPECT_FALSE(timer.Enabled());
        timer.BmpFrom->SetPixelFormat(fw::pf24bit);
        timer.BmpFrom->SetSize(20, 10);
        Fill(*timer.BmpFrom, 255);
        timer.SetOwnerData(&data);
        EXPECT_EQ(timer.Iterations, 4);
        EXPECT_EQ(timer.Interval(), 10u);
        timer.FadeLevel = 1;
        button->Got.clear();
        std::vector<uint8_t> frames;
        for (int i = 0; i < 5; ++i) {
            timer.Timer();
            if (i < 4) frames.push_back(Get(*timer.TmpBmp, 5, 5)[0]);
        }
        // Weights 191, 127, 63, 0 of white over black.
        EXPECT_EQ(frames, (std::vector<uint8_t>{190, 127, 63, 0}));
        // Each frame: updating off, then a repaint; at the end the fade is stopped.
        ASSERT_EQ(button->Got.size(), 9u);
        EXPECT_EQ(button->Got[0], (std::pair<WORD, WORD>(smcSetUpdating, 0)));
        EXPECT_EQ(button->Got[1], (std::pair<WORD, WORD>(smcRepaint, 0)));
        EXPECT_EQ(button->Got[8], (std::pair<WORD, WORD>(smcStopFading, 0)));
    }
    EXPECT_EQ(acAnimCount, 0);
}

TEST(Fading, AnimationEventsOfAControlOrTheManager) {
    PaintScene scene;
    TacBtnEvents& global = scene.sm->AnimEffects()->Buttons.Events;
    global = TacBtnEvents{beMouseEnter, beMouseUp};
    struct Case {
        TacAnimatEvent event;
        TacAnimatEvents own;
        bool expected;
    };
    const Case cases[] = {
        {aeMouseLeave, {aeMouseLeave}, true},   // the control's own
        {aeMouseLeave, {aeMouseEnter}, false},  // neither its own nor the manager's
        {aeMouseEnter, {aeGlobalDef}, true},    // the manager's
        {aeMouseLeave, {aeGlobalDef}, false},  {aeMouseDown, {aeGlobalDef}, false},
        {aeMouseUp, {aeGlobalDef}, true},      {aeGlobalDef, {aeGlobalDef}, true},  // itself: the manager's mouse-up
    };
    for (const Case& k : cases) {
        EXPECT_EQ(EventEnabled(k.event, k.own, scene.sm.get()), k.expected) << int(k.event);
        EXPECT_EQ(EventEnabled(k.event, k.own, nullptr), k.expected) << "default manager " << int(k.event);
    }
}
