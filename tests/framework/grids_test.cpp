// The grid base class on a shown form: its scroll bars are the window's,
// its drawing style and gradient are kept, its background is its Color.
#include "framework/windows/Grids.h"

#include <gtest/gtest.h>

#include "native_fixture.h"

using namespace fw;
using namespace fwtest;

TEST(Grids, ScrollBarsAreTheWindowsAndTheBackgroundIsColor) {
    NativeForm form;
    TCustomGrid* grid = form.Put<TCustomGrid>(10, 10, 200, 120);
    EXPECT_EQ(WindowClass(grid->Handle()), L"TCustomGrid");
    EXPECT_EQ(grid->ScrollBars(), ssBoth);
    EXPECT_EQ(grid->DrawingStyle(), gdsThemed);

    struct Case {
        TScrollStyle bars;
        bool horizontal, vertical;
    } cases[] = {{ssNone, false, false}, {ssHorizontal, true, false}, {ssVertical, false, true}, {ssBoth, true, true}};
    for (const Case& k : cases) {
        grid->SetScrollBars(k.bars);
        LONG style = GetWindowLongW(grid->Handle(), GWL_STYLE);
        EXPECT_EQ((style & WS_HSCROLL) != 0, k.horizontal) << k.bars;
        EXPECT_EQ((style & WS_VSCROLL) != 0, k.vertical) << k.bars;
        EXPECT_EQ(FindControl(grid->WindowHandle()), grid);
        EXPECT_TRUE(IsWindowVisible(grid->WindowHandle()));
    }

    grid->SetDrawingStyle(gdsGradient);
    grid->SetGradientStartColor(clYellow);
    grid->SetGradientEndColor(clNavy);
    EXPECT_EQ(grid->DrawingStyle(), gdsGradient);
    EXPECT_EQ(grid->GradientStartColor(), clYellow);
    EXPECT_EQ(grid->GradientEndColor(), clNavy);

    grid->SetColor(clAqua);
    grid->Repaint();
    Pump(20);
    Capture cap = CaptureWindow(grid->Handle());
    EXPECT_EQ(cap.At(cap.Width / 3, cap.Height / 3), Rgb(clAqua));
}
