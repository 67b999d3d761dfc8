// Messages to controls and windows, broadcasts down a control tree, names in
// frames, painting graphic children onto a DC, on hidden windows, and the
// text direction of controls.
#include <gtest/gtest.h>

#include "PaintTestBitmaps.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Frames.h"
#include "skin/engine/sMessages.h"
#include "skin/paint/sVclUtils.h"

using namespace skin;
using namespace painttest;

namespace {

// A panel that answers every SM_ALPHACMD with Answer.
class TAnsweringPanel : public fw::TPanel {
public:
    using fw::TPanel::TPanel;
    LRESULT Answer = 2;
    void WndProc(fw::TMessage& m) override {
        if (m.Msg == SM_ALPHACMD) {
            m.Result = Answer;
            return;
        }
        fw::TPanel::WndProc(m);
    }
};

// A graphic control that counts the messages it gets and paints a colour
// (fuchsia-free) when Colour is not clNone.
class TCounting : public fw::TGraphicControl {
public:
    using fw::TGraphicControl::TGraphicControl;
    int Got = 0;
    fw::TColor Colour = 0x1FFFFFFF;
    void WndProc(fw::TMessage& m) override {
        if (m.Msg == WM_USER + 7) ++Got;
        fw::TGraphicControl::WndProc(m);
    }
    void Paint() override {
        if (Colour == 0x1FFFFFFF) return;
        Canvas()->Brush()->SetColor(Colour);
        Canvas()->FillRect(fw::TRect(0, 0, Width(), Height()));
    }
};

}  // namespace

TEST(ControlMessages, BooleanAnswersByHandleAndByControl) {
    fw::TForm form(nullptr);
    auto* panel = new TAnsweringPanel(&form);
    panel->SetParent(&form);
    HWND h = panel->Handle();
    // By handle only exactly 1 is True; by control any non-zero low byte.
    EXPECT_FALSE(GetBoolMsg(h, smcIsHandled));
    EXPECT_TRUE(GetBoolMsg(panel, smcIsHandled));
    panel->Answer = 1;
    EXPECT_TRUE(GetBoolMsg(h, smcIsHandled));
    panel->Answer = 0x100;
    EXPECT_FALSE(GetBoolMsg(panel, smcIsHandled));
    EXPECT_EQ(SendAMessage(h, smcGetColor, 5), 0x100);
}

TEST(ControlMessages, BroadcastEndsAtAChildBeingDestroyed) {
    fw::TForm form(nullptr);
    auto* panel = new fw::TPanel(&form);
    panel->SetParent(&form);
    TCounting* kids[3];
    for (auto*& k : kids) {
        k = new TCounting(&form);
        k->SetParent(panel);
    }
    fw::TMessage m{};
    m.Msg = WM_USER + 7;
    AlphaBroadCast(panel, m);
    EXPECT_EQ(kids[0]->Got + kids[1]->Got + kids[2]->Got, 3);
    kids[1]->Destroying();
    AlphaBroadCast(panel, m);
    EXPECT_EQ(kids[0]->Got, 2);
    EXPECT_EQ(kids[1]->Got, 1);
    EXPECT_EQ(kids[2]->Got, 1);
}

TEST(ControlTree, NamesInsideFrames) {
    fw::TForm form(nullptr);
    auto* frame = new fw::TFrame(&form);
    frame->SetName(L"Frame1");
    auto* inner = new fw::TPanel(frame);
    inner->SetName(L"Inner");
    auto* plain = new fw::TPanel(&form);
    plain->SetName(L"Plain");
    EXPECT_EQ(GetControlByName(&form, L"plain"), plain);
    EXPECT_EQ(GetControlByName(&form, L"FRAME1.inner"), inner);
    EXPECT_EQ(GetControlByName(&form, L"Plain.Inner"), nullptr);
    EXPECT_EQ(GetControlByName(&form, L"Frame1."), nullptr);
    EXPECT_EQ(GetControlByName(nullptr, L"Plain"), nullptr);
    EXPECT_EQ(GetOwnerFrame(inner), frame);
    EXPECT_EQ(GetOwnerForm(inner), &form);
}

TEST(ControlTree, GraphicChildrenPaintedOntoADcAndEmptyOnesNotCopied) {
    fw::TForm form(nullptr);
    auto* panel = new fw::TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 40, 20);
    panel->SetColor(0xFF00FF);  // no colour: a child that paints nothing shows it
    auto* red = new TCounting(&form);
    red->SetParent(panel);
    red->SetBounds(2, 2, 10, 10);
    red->Colour = 0x0000FF;
    auto* empty = new TCounting(&form);
    empty->SetParent(panel);
    empty->SetBounds(20, 2, 10, 10);
    panel->HandleNeeded();
    auto dst = Make(fw::pf24bit, 60, 30);
    Fill(*dst, 50);
    PaintControls(dst->Canvas()->Handle(), panel, false, fw::TPoint(5, 3));
    EXPECT_EQ(Get(*dst, 7, 5), (std::vector<uint8_t>{0, 0, 255}));
    EXPECT_EQ(Get(*dst, 16, 14), (std::vector<uint8_t>{0, 0, 255}));
    EXPECT_EQ(Get(*dst, 25, 5), std::vector<uint8_t>(3, 50));
    EXPECT_FALSE(acGraphPainting);
}

TEST(ControlText, LeftToRightFollowsBiDiModeAndTheSystemLocale) {
    const fw::TSysLocale saved = fw::SysLocale;
    TCounting control(nullptr);
    struct Case {
        bool middleEast;
        fw::TBiDiMode mode;
        bool ltr, rtl;  // LeftToRight(True), LeftToRight(False)
    } cases[] = {
        {false, fw::bdLeftToRight, true, false},
        {false, fw::bdRightToLeft, true, false},
        {true, fw::bdLeftToRight, true, false},
        {true, fw::bdRightToLeft, false, true},
        {true, fw::bdRightToLeftReadingOnly, false, true},
    };
    for (const Case& k : cases) {
        fw::SysLocale.MiddleEast = k.middleEast;
        control.SetBiDiMode(k.mode);
        EXPECT_EQ(LeftToRight(&control, true), k.ltr) << k.middleEast << " " << k.mode;
        EXPECT_EQ(LeftToRight(&control, false), k.rtl) << k.middleEast << " " << k.mode;
    }
    fw::SysLocale = saved;
}
