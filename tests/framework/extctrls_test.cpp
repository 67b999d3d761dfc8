// TPanel: bevels, border, caption and the client area its children get.
#include "control_fixture.h"

#include "framework/windows/ExtCtrls.h"

using namespace fw;
using namespace fwtest;

namespace {

struct PanelTest : ::testing::Test {
    void SetUp() override {
        host = Create<THostWindow>(nullptr);
        panel = Create<TPanel>(nullptr);
        panel->SetBounds(10, 10, 120, 80);
        panel->SetColor(clSilver);
        panel->SetParent(host);
        host->Show();
    }
    void TearDown() override { host->Free(); }
    Capture Shot() {
        panel->Repaint();
        Pump(50);
        return CaptureWindow(host->Handle());
    }
    THostWindow* host = nullptr;
    TPanel* panel = nullptr;
};

}  // namespace

TEST_F(PanelTest, BevelsAreDrawnOnTheirEdges) {
    struct {
        TBevelCut outer, inner;
        int width;
        DWORD topLeft, bottomRight, insideTopLeft;
    } table[] = {
        {bvRaised, bvNone, 1, Rgb(clBtnHighlight), Rgb(clBtnShadow), Rgb(clSilver)},
        {bvLowered, bvNone, 1, Rgb(clBtnShadow), Rgb(clBtnHighlight), Rgb(clSilver)},
        {bvNone, bvNone, 1, Rgb(clSilver), Rgb(clSilver), Rgb(clSilver)},
        {bvRaised, bvLowered, 1, Rgb(clBtnHighlight), Rgb(clBtnShadow), Rgb(clBtnShadow)},
        {bvLowered, bvNone, 2, Rgb(clBtnShadow), Rgb(clBtnHighlight), Rgb(clBtnShadow)},
    };
    for (auto& row : table) {
        panel->SetBevelOuter(row.outer);
        panel->SetBevelInner(row.inner);
        panel->SetBevelWidth(row.width);
        Capture cap = Shot();
        const int l = 10, t = 10, r = 10 + 119, b = 10 + 79;
        SCOPED_TRACE(testing::Message() << "outer " << row.outer << " inner " << row.inner << " width " << row.width);
        EXPECT_EQ(cap.At(l, t + 40), row.topLeft);
        EXPECT_EQ(cap.At(l + 60, t), row.topLeft);
        EXPECT_EQ(cap.At(r, t + 40), row.bottomRight);
        EXPECT_EQ(cap.At(l + 60, b), row.bottomRight);
        EXPECT_EQ(cap.At(l + 1, t + 40), row.insideTopLeft);
        EXPECT_EQ(cap.At(l + 60, t + 30), Rgb(clSilver));
    }
}

TEST_F(PanelTest, CaptionIsCentred) {
    panel->Font()->SetColor(clBlack);
    panel->Font()->SetHeight(-14);
    panel->Font()->SetQuality(fqNonAntialiased);
    panel->SetCaption(L"재생 목록");
    Capture cap = Shot();
    TRect ink(1000, 1000, -1, -1);
    for (int y = 12; y < 88; ++y)
        for (int x = 12; x < 128; ++x)
            if (cap.At(x, y) == Rgb(clBlack)) {
                ink.Left = std::min<LONG>(ink.Left, x);
                ink.Top = std::min<LONG>(ink.Top, y);
                ink.Right = std::max<LONG>(ink.Right, x + 1);
                ink.Bottom = std::max<LONG>(ink.Bottom, y + 1);
            }
    ASSERT_FALSE(ink.IsEmpty());
    // Centred within a pixel or two either way.
    EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 10 + 60, 3);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 10 + 40, 4);

    panel->SetShowCaption(false);
    cap = Shot();
    EXPECT_NE(cap.At(ink.Left + ink.Width() / 2, ink.Top + ink.Height() / 2), Rgb(clBlack));
}

TEST_F(PanelTest, ChildrenAreAlignedInsideBorderAndBevels) {
    TPanel* child = Create<TPanel>(nullptr);
    child->SetParent(panel);
    child->SetAlign(alClient);
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelInner(bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    // 3 border + 2 outer + 2 inner on every side.
    EXPECT_EQ(child->BoundsRect(), TRect(7, 7, 120 - 7, 80 - 7));
}

TEST_F(PanelTest, SingleBorderIsAWindowBorderAndSurvivesRecreation) {
    TPanel* child = Create<TPanel>(nullptr);
    child->SetBounds(5, 5, 30, 20);
    child->SetParent(panel);
    HWND before = panel->Handle();
    panel->SetBorderStyle(bsSingle);
    HWND after = panel->Handle();
    EXPECT_NE(GetWindowLongW(after, GWL_STYLE) & WS_BORDER, 0);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(panel->ClientWidth(), 118);
    ASSERT_TRUE(child->HandleAllocated());
    EXPECT_EQ(GetParent(child->WindowHandle()), after);
}

TEST_F(PanelTest, PaintToCopiesThePanelAndItsWindowedChildrenWithoutTheScreen) {
    panel->SetColor(clAqua);
    TButton* button = Create<TButton>(nullptr);
    button->SetBounds(30, 20, 60, 30);
    button->SetCaption(L"OK");
    button->SetParent(panel);
    // Covered on screen: the copy must not depend on what is visible.
    SetWindowPos(host->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    MemorySurface mem(200, 150);
    panel->PaintTo(mem.DC(), 10, 20);
    EXPECT_EQ(mem.At(5, 5), 0u);                          // outside: untouched
    EXPECT_EQ(mem.At(10, 20 + 40), Rgb(clBtnHighlight));  // raised bevel, left edge
    EXPECT_EQ(mem.At(10 + 60, 20 + 5), Rgb(clAqua));      // panel face
    bool face = false;
    for (int y = 20 + 20 + 3; y < 20 + 20 + 27; ++y)
        for (int x = 10 + 30 + 3; x < 10 + 30 + 57; ++x) face |= mem.At(x, y) == Rgb(clBtnFace);
    EXPECT_TRUE(face) << "the button's face is in the copy";
    EXPECT_FALSE(panel->ControlState().Contains(csPaintCopy));
}
