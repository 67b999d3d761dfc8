// Wrappers of framework controls that only steer the control's own painting:
// a framework toolbar skinned through its custom-draw events (buttons from
// TOOLBUTTON in their states, the hot button tracked by the wrapper, the
// application's handler replaced, the events given back), and the grid
// suite's combo box, whose button shows only when its class and style ask.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "FormHost.h"
#include "SkinPixels.h"
#include "WineDesk.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/Messages.h"
#include "framework/windows/StdCtrls.h"
#include "skin/windows/acToolBarWnd.h"
#include "skin/windows/acWWComboWnd.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {

// A point of Child's client area in its host's grab.
POINT InHostClient(HWND Child, HWND Host, int X, int Y) {
    POINT p{X, Y};
    ClientToScreen(Child, &p);
    RECT h;
    GetWindowRect(Host, &h);
    return {p.x - h.left, p.y - h.top};
}

struct AppDraw {
    int calls = 0;
    void Draw(fw::TToolBar*, const fw::TRect&, fw::TCustomDrawStage, bool&) { ++calls; }
};

// A combo box of the grid suite: a framework combo box of its own class.
class TwwDBComboBox : public fw::TComboBox {
public:
    using fw::TComboBox::TComboBox;
    fw::String ClassName() const override { return L"TwwDBComboBox"; }
};

}  // namespace

TEST(ToolBarVCLWnd, CustomDrawPaintsTheBarAndButtonsFromTheSkin) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    FormHost host(320, 120, kHost);
    SetCursorPos(0, 0);
    auto* bar = host.Put<fw::TToolBar>(10, 10, 280, 40);
    fw::TToolButton* buttons[3];
    for (int i = 0; i < 3; ++i) {
        buttons[i] = fw::Create<fw::TToolButton>(bar);
        buttons[i]->SetStyle(i == 1 ? fw::tbsCheck : fw::tbsButton);
        buttons[i]->SetParent(bar);
    }
    buttons[1]->SetDown(true);
    const HWND h = bar->Handle();
    host.Repaint();
    auto item = [&](int i) {
        RECT r{};
        SendMessageW(h, TB_GETITEMRECT, WPARAM(i), LPARAM(&r));
        return r;
    };
    // What the control draws itself at a button's centre.
    auto centreOf = [&](fw::TBitmap& Shot, int i) {
        const RECT r = item(i);
        const POINT p = InHostClient(h, host.handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return PixelAt(Shot, p.x, p.y);
    };
    const COLORREF unskinned = centreOf(*host.Grab(), 2);
    // The application's own handler, which the wrapper replaces.
    AppDraw app;
    bar->OnAdvancedCustomDraw = fw::TTBAdvancedCustomDrawEvent(&app, &AppDraw::Draw);
    host.Repaint();
    ASSERT_GT(app.calls, 0);

    TsCommonData data(bar, true);
    data.SetSkinManager(M);
    auto* w = dynamic_cast<TacToolBarVCLWnd*>(CreateToolBarWnd(h, &data, M));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->SkinData->SkinSection(), L"TOOLBAR");
    EXPECT_EQ(w->ToolBar, bar);
    // The application's handler gave way to the wrapper's.
    EXPECT_NE(bar->OnAdvancedCustomDraw, fw::TTBAdvancedCustomDrawEvent(&app, &AppDraw::Draw));
    EXPECT_TRUE(bar->OnAdvancedCustomDrawButton.Assigned());

    const COLORREF hotEdge = TopEdge(M, L"TOOLBUTTON", 1), downEdge = TopEdge(M, L"TOOLBUTTON", 2);
    ASSERT_NE(hotEdge, downEdge);
    auto topOf = [&](fw::TBitmap& Shot, int i) {
        const RECT r = item(i);
        const POINT p = InHostClient(h, host.handle(), (r.left + r.right) / 2, r.top);
        return PixelAt(Shot, p.x, p.y);
    };
    const int calls = app.calls;
    host.Repaint();
    auto shot = host.Grab();
    SaveScreenshot(*shot, L"skin-windows-vcl-toolbar.bmp");
    EXPECT_EQ(app.calls, calls) << "the application's handler no longer runs";
    // Button 2 (never hovered: the control's own hot tracking stays out) is
    // the wrapper's drawing, not the control's own.
    EXPECT_NE(centreOf(*shot, 2), unskinned);
    // The checked button is drawn pressed, the others not hot.
    EXPECT_EQ(topOf(*shot, 1), downEdge);
    EXPECT_NE(topOf(*shot, 0), hotEdge);
    EXPECT_NE(topOf(*shot, 0), downEdge);
    const COLORREF normal0 = topOf(*shot, 0);

    // The mouse over button 0 of this non-flat bar: the wrapper makes it hot;
    // leaving the bar makes it normal again.
    {
        const RECT r = item(0);
        SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        Pump(30);
        EXPECT_EQ(w->HotButtonIndex, 0);
        shot = host.Grab();
        EXPECT_EQ(topOf(*shot, 0), hotEdge);
        EXPECT_EQ(topOf(*shot, 1), downEdge);
        bar->Perform(fw::CM_MOUSELEAVE, 0, 0);
        Pump(30);
        EXPECT_EQ(w->HotButtonIndex, -1);
        shot = host.Grab();
        EXPECT_EQ(topOf(*shot, 0), normal0);
    }

    // The wrapper goes: the events are empty, the bar paints itself again.
    delete w;
    EXPECT_FALSE(bar->OnAdvancedCustomDraw.Assigned());
    EXPECT_FALSE(bar->OnAdvancedCustomDrawButton.Assigned());
    host.Repaint();
    EXPECT_EQ(centreOf(*host.Grab(), 2), unskinned);
}

TEST(WWComboBoxWnd, TheButtonShowsByClassAndStyle) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    const int glyph = M->ConstData.ComboGlyph;
    ASSERT_GE(glyph, 0);
    const TsMaskData& g = M->ma[size_t(glyph)];
    const int gx = WidthOfImage(g) / 2, gy = HeightOfImage(g) / 2 + 1;
    const int bw = GetSystemMetrics(SM_CXVSCROLL);
    struct Case {
        const char* what;
        bool foreign;
        fw::TComboBoxStyle style;
        bool rtl;
        bool shown;
    } cases[] = {
        {"drop-down list", false, fw::csDropDownList, false, true},
        {"drop-down", false, fw::csDropDown, false, true},
        {"simple", false, fw::csSimple, false, false},
        {"simple, another class", true, fw::csSimple, false, true},
        {"right to left", false, fw::csDropDownList, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FormHost host(240, 80, kHost);
        fw::TComboBox* combo = c.foreign ? static_cast<fw::TComboBox*>(host.Put<TwwDBComboBox>(10, 10, 160, 24))
                                         : host.Put<fw::TComboBox>(10, 10, 160, 24);
        combo->SetStyle(c.style);
        combo->Items()->Add(L"first");
        combo->HandleNeeded();
        const HWND h = combo->Handle();
        if (c.rtl) SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) | WS_EX_RTLREADING);
        auto* w = dynamic_cast<TacWWComboBoxWnd*>(CreateWWComboBoxWnd(combo, nullptr, M));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->ShowButton(), c.shown);
        RECT wr;
        GetWindowRect(h, &wr);
        const int W = wr.right - wr.left, H = wr.bottom - wr.top;
        const fw::TRect b = w->ButtonRect();
        EXPECT_EQ(b, fw::TRect(c.rtl ? 2 : W - (c.shown ? bw : 0) - 2, 2,
                               (c.rtl ? 2 : W - (c.shown ? bw : 0) - 2) + (c.shown ? bw : 0), H - 2));
        host.Repaint();
        auto shot = host.Grab();
        if (!c.foreign && !c.rtl && c.shown && c.style == fw::csDropDownList)
            SaveScreenshot(*shot, L"skin-windows-ww-combo.bmp");
        // The combo glyph where a shown button of a drop-down combo lies (the
        // place a right-hand button would have when none shows); a simple
        // combo box has no button to paint whatever its class says.
        const fw::TRect place = c.shown ? b : fw::TRect(W - bw - 2, 2, W - 2, H - 2);
        const fw::TPoint gp(place.Left + (place.Width() - WidthOfImage(g)) / 2, (H - w->ButtonHeight()) / 2);
        const RECT r = InHost(h, host.handle());
        const bool glyphThere = PixelAt(*shot, r.left + gp.X + gx, r.top + gp.Y + gy) == SkinPixel(M, glyph, 0, gx, gy);
        EXPECT_EQ(glyphThere, c.shown && c.style != fw::csSimple);
        delete w;
    }
}
