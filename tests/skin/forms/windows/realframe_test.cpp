// The frame model against real windows: for each border style a form's
// measured state (FrameStateOf, with the system's sizes) places the client
// area where the window has it, and the sizing edges and caption answer as
// the platform's own hit test does.
#include <gtest/gtest.h>

#include <memory>

#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/forms/sFrameHitTest.h"

using namespace skin;

TEST(RealFrame, MeasuredStateMatchesTheWindows) {
    const TFrameMetrics m = TFrameMetrics::FromSystem();
    for (fw::TFormBorderStyle bs : {fw::bsSingle, fw::bsSizeable, fw::bsDialog, fw::bsToolWindow, fw::bsSizeToolWin}) {
        SCOPED_TRACE(int(bs));
        auto* form = new fw::TForm(fw::Application);
        form->AfterConstruction();
        form->SetBorderStyle(bs);
        form->SetBounds(100, 80, 320, 220);
        form->Show();
        const HWND h = form->Handle();
        const TFrameState s = FrameStateOf(form, true);
        EXPECT_EQ(s.Width, 320);
        EXPECT_EQ(s.Height, 220);
        EXPECT_EQ(s.Left, 100);
        POINT client{0, 0};
        ClientToScreen(h, &client);
        EXPECT_EQ(OffsetX(s), client.x - s.Left);
        EXPECT_EQ(OffsetY(s, m), client.y - s.Top);
        EXPECT_EQ(TitleBottom(s, m), client.y - s.Top);
        // Sizing edges answer as the platform's hit test does. Client,
        // caption and menu answers (and nowhere) are left to the platform by
        // the window procedure, so only the codes the frame decides count.
        const TFrameSkin k;
        const TTitleButtons b;
        struct Probe {
            int x, y;
        } probes[] = {{1, 110}, {318, 110}, {160, 218}, {160, 1}, {1, 1}, {318, 218}, {160, 110}, {60, 10}};
        int decided = 0;
        for (const Probe& p : probes) {
            const LRESULT real = SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(s.Left + p.x, s.Top + p.y));
            const int ours = FrameHitTest(s, m, k, b, CursorToPoint(s, s.Left + p.x, s.Top + p.y));
            if (ours == HTNOWHERE || ours == HTCLIENT || ours == HTCAPTION || ours == HTMENU) continue;
            ++decided;
            EXPECT_EQ(ours, int(real)) << p.x << "," << p.y;
        }
        EXPECT_EQ(decided, s.Style & WS_THICKFRAME ? 6 : 0);
        form->Free();
    }
}
