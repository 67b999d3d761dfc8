// Glow windows: their registry of IDs, their place and image around a
// control (cut where the control is hidden), their styles, the clicks that
// fall through them, and how a control's mouse state shows and hides them.
#include <gtest/gtest.h>

#include <cstring>

#include "WindowsKit.h"
#include "skin/paint/SkinnedPanel.h"
#include "skin/paint/acGlow.h"
#include "skin/paint/sCommonData.h"

using namespace skin;
using namespace windowstest;
using painttest::TSkinnedPanel;

namespace {

constexpr uint32_t kCorner = 0xFFFF0000;  // opaque red
constexpr uint32_t kEdge = 0x8000FF00;    // half-transparent green

// A 12 x 12 glow image with borders of 4 (opaque corners, half-transparent
// edges, an empty middle) named "GLOW0" in Section, which glows with Margin.
void AddGlow(TsSkinManager& m, const wchar_t* Section, int Margin) {
    TsMaskData g;
    g.ClassName = Section;
    g.PropertyName = L"GLOW0";
    g.Bmp = CreateBmp32(12, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool cx = x < 4 || x >= 8, cy = y < 4 || y >= 8;
            const uint32_t v = cx && cy ? kCorner : cx || cy ? kEdge : 0;
            std::memcpy(static_cast<uint8_t*>(g.Bmp->ScanLine(y)) + 4 * x, &v, 4);
        }
    g.R = fw::TRect(0, 0, 12, 12);
    g.ImageCount = 1;
    g.ImgType = itisaGlow;
    g.WL = g.WT = g.WR = g.WB = 4;
    g.Manager = &m;
    m.ma.push_back(g);
    TsGeneralData& s = m.gd[size_t(m.GetSkinIndex(Section))];
    s.GlowCount = 1;
    s.GlowMargin = Margin;
}

HWND GlowWindow(int ID) { return acgEffects[size_t(ID)]->Wnd->WindowHandle(); }

fw::TRect WindowRect(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return fw::TRect(r.left, r.top, r.right, r.bottom);
}

// A control that counts left clicks.
class TClickTarget : public fw::TCustomControl {
public:
    using fw::TCustomControl::TCustomControl;
    int Clicks = 0;
    void WndProc(fw::TMessage& m) override {
        if (m.Msg == WM_LBUTTONDOWN) ++Clicks;
        fw::TCustomControl::WndProc(m);
    }
};

void MouseClickAt(POINT p) {
    INPUT in[3] = {};
    const int w = GetSystemMetrics(SM_CXSCREEN) - 1, h = GetSystemMetrics(SM_CYSCREEN) - 1;
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = p.x * 65535 / w;
        i.mi.dy = p.y * 65535 / h;
    }
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, in, sizeof(INPUT));
}

}  // namespace

TEST(GlowWindows, IdsPlacesImagesAndStyles) {
    painttest::PaintScene scene;
    AddGlow(*scene.sm, L"BUTTON", 2);
    auto host = ShownForm(200, 120);
    const std::set<HWND> before = VisibleWindows();
    Recorder rec;
    const fw::TRect R(300, 200, 360, 230), all(0, 0, 60, 30);
    // A section without the image: no glow, no window.
    EXPECT_EQ(ShowGlow(R, all, L"PANEL", L"GLOW", 2, 255, host->Handle(), scene.sm.get()), -1);
    EXPECT_EQ(VisibleWindows(), before);
    EXPECT_TRUE(acgEffects.empty());

    ASSERT_EQ(ShowGlow(R, all, L"BUTTON", L"GLOW", 2, 255, host->Handle(), nullptr), 0);
    const HWND g = GlowWindow(0);
    // Around the control, reaching Margin under its edges: 60 + 4 + 4 - 2 x 2 wide.
    EXPECT_EQ(WindowRect(g), fw::TRect(298, 198, 362, 232));
    const LONG ex = GetWindowLongW(g, GWL_EXSTYLE);
    EXPECT_EQ(ex & (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT),
              LONG(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT));
    EXPECT_TRUE(IsWindowVisible(g));
    EXPECT_NE(GetForegroundWindow(), g);
    EXPECT_EQ(acgEffects[0]->Wnd->Tag(), acTempFormTag);
    EXPECT_EQ(SendMessageW(g, WM_NCHITTEST, 0, MAKELPARAM(300, 200)), HTTRANSPARENT);
    // Its image: corners and edges of the glow image, the middle transparent, at full strength.
    ASSERT_EQ(rec.Calls.size(), 1u);
    const LayeredCall& shown = rec.Calls[0];
    EXPECT_EQ(shown.Wnd, g);
    EXPECT_EQ(shown.Alpha, 255);
    EXPECT_EQ(shown.Width, 64);
    EXPECT_EQ(shown.Height, 34);
    EXPECT_EQ(shown.Pixel(0, 0), kCorner);
    EXPECT_EQ(shown.Pixel(63, 33), kCorner);
    EXPECT_EQ(shown.Pixel(30, 1), kEdge);
    EXPECT_EQ(shown.Pixel(1, 17), kEdge);
    EXPECT_EQ(shown.Pixel(32, 17), 0u);
    EXPECT_EQ(GetObjectType(shown.Bitmap), 0u) << "the image is freed once shown";

    // IDs grow until the registry is cleared; hidden slots stay empty.
    EXPECT_EQ(ShowGlow(R, all, L"BUTTON", L"GLOW", 2, 255, host->Handle(), scene.sm.get()), 1);
    EXPECT_EQ(ShowGlow(R, all, L"BUTTON", L"GLOW", 2, 255, host->Handle(), scene.sm.get()), 2);
    HideGlow(2);
    HideGlow(-1);
    HideGlow(3);
    ASSERT_EQ(acgEffects.size(), 3u);
    EXPECT_EQ(acgEffects[2], nullptr);
    EXPECT_NE(acgEffects[0], nullptr);
    EXPECT_NE(acgEffects[1], nullptr);
    EXPECT_EQ(ShowGlow(R, all, L"BUTTON", L"GLOW", 2, 255, host->Handle(), scene.sm.get()), 3);
    ClearGlows();
    EXPECT_TRUE(acgEffects.empty());
    EXPECT_EQ(ShowGlow(R, all, L"BUTTON", L"GLOW", 2, 255, host->Handle(), scene.sm.get()), 0);
    ClearGlows();
    // Released windows go with the next turn of the message loop.
    EXPECT_TRUE(PumpUntil([&] { return rec.NothingLeft(); }, 2000)) << rec.NothingLeft().message();
    EXPECT_EQ(rec.Calls.size(), 5u);
    // Without layered windows there are no glows.
    acLayered = false;
    EXPECT_EQ(ShowGlow(R, all, L"BUTTON", L"GLOW", 2, 255, host->Handle(), scene.sm.get()), -1);
    acLayered = true;
}

// A click over a glow reaches the control below it.
TEST(GlowWindows, ClicksFallThrough) {
    painttest::PaintScene scene;
    AddGlow(*scene.sm, L"BUTTON", 0);
    auto host = ShownForm(200, 120);
    auto* target = new TClickTarget(host.get());
    target->SetBounds(0, 0, 200, 120);
    target->SetParent(host.get());
    Pump(50);
    const fw::TPoint origin = target->ClientToScreen(fw::TPoint(0, 0));
    const fw::TRect R(origin.X + 50, origin.Y + 40, origin.X + 110, origin.Y + 70);
    ASSERT_EQ(ShowGlow(R, fw::TRect(0, 0, 60, 30), L"BUTTON", L"GLOW", 0, 255, host->Handle(), scene.sm.get()), 0);
    const HWND g = GlowWindow(0);
    Pump(50);
    // A point on the glow's left edge, over the target.
    const POINT p{origin.X + 47, origin.Y + 55};
    const RECT glowRect = WindowRect(g);
    ASSERT_TRUE(PtInRect(&glowRect, p));
    EXPECT_EQ(WindowFromPoint(p), target->Handle());
    MouseClickAt(p);
    EXPECT_TRUE(PumpUntil([&] { return target->Clicks == 1; }, 2000));
    ClearGlows();
}

// The glow of a control half hidden on the left by its parent's edge starts
// at the cut; it follows the control when it moves, goes when the mouse
// leaves, and goes with the control's skin data.
TEST(GlowWindows, AControlsGlowFollowsItsMouseAndPlace) {
    painttest::PaintScene scene;
    AddGlow(*scene.sm, L"BUTTON", 2);
    auto host = ShownForm(260, 160);
    auto* panel = new TSkinnedPanel(host.get(), scene.sm.get(), L"PANEL", fw::TRect(40, 40, 240, 140));
    auto* button = new TSkinnedPanel(panel, scene.sm.get(), L"BUTTON", fw::TRect(-20, 20, 40, 50));
    Pump(50);
    Recorder rec;
    TsCommonData* S = button->SkinData.get();
    button->Perform(fw::CM_MOUSEENTER, 0, LPARAM(button));
    ASSERT_GE(S->GlowID, 0);
    const HWND g = GlowWindow(S->GlowID);
    const fw::TPoint panelOrigin = panel->ClientToScreen(fw::TPoint(0, 0));
    // Visible from the panel's edge: 64 - (4 + 20 - 2) pixels wide, from there on.
    EXPECT_EQ(WindowRect(g), fw::TRect(panelOrigin.X, panelOrigin.Y + 18, panelOrigin.X + 42, panelOrigin.Y + 52));
    ASSERT_EQ(rec.Calls.size(), 1u);
    EXPECT_EQ(rec.Calls[0].Width, 42);
    EXPECT_EQ(rec.Calls[0].Pixel(0, 0), kEdge) << "the image starts at the cut, past its corner";
    EXPECT_EQ(rec.Calls[0].Pixel(41, 0), kCorner);
    EXPECT_EQ(rec.Calls[0].Pixel(41, 33), kCorner);

    // Moved, the control takes its glow along.
    button->SetBounds(100, 40, 60, 30);
    ASSERT_GE(S->GlowID, 0);
    const HWND moved = GlowWindow(S->GlowID);
    EXPECT_EQ(WindowRect(moved),
              fw::TRect(panelOrigin.X + 98, panelOrigin.Y + 38, panelOrigin.X + 162, panelOrigin.Y + 72));
    EXPECT_TRUE(IsWindowVisible(moved));
    EXPECT_FALSE(g != moved && IsWindowVisible(g)) << "one glow a control";
    // A press hides it; the mouse leaving clears every glow.
    button->SetControlState(button->ControlState() + fw::TControlState{fw::csLButtonDown});
    ShowGlowingIfNeeded(S, false, nullptr);
    EXPECT_EQ(S->GlowID, -1);
    button->SetControlState(button->ControlState() - fw::TControlState{fw::csLButtonDown});
    ShowGlowingIfNeeded(S, false, nullptr);
    ASSERT_GE(S->GlowID, 0);
    button->Perform(fw::CM_MOUSELEAVE, 0, LPARAM(button));
    EXPECT_EQ(S->GlowID, -1);
    EXPECT_TRUE(acgEffects.empty());
    // A glow still shown goes with the control's skin data.
    button->Perform(fw::CM_MOUSEENTER, 0, LPARAM(button));
    ASSERT_GE(S->GlowID, 0);
    const int id = S->GlowID;
    button->Free();
    EXPECT_EQ(acgEffects[size_t(id)], nullptr);
    EXPECT_TRUE(PumpUntil([&] { return rec.NothingLeft(); }, 2000)) << rec.NothingLeft().message();
    // A manager that does not allow glowing shows none.
    auto* other = new TSkinnedPanel(panel, scene.sm.get(), L"BUTTON", fw::TRect(10, 10, 70, 40));
    scene.sm->SetAllowGlowing(false);
    other->Perform(fw::CM_MOUSEENTER, 0, LPARAM(other));
    EXPECT_EQ(other->SkinData->GlowID, -1);
}
