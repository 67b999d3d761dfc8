// Toolbars and status bars on real windows, from the default skin: a native
// toolbar's buttons in each state (normal, hot, pressed, checked, disabled),
// icons and their shift, labels of one, two and three words, the whole
// drop-down arrow, separators only when the skin has a divider; a framework
// status bar's panels, dividers and texts, and a simple bar framed whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "SkinPixels.h"
#include "WineDesk.h"
#include "framework/windows/ComCtrls.h"
#include "skin/windows/acStatusBarWnd.h"
#include "skin/windows/acToolBarWnd.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {

const COLORREF kRed = RGB(220, 30, 30), kGreen = RGB(30, 160, 60);
const COLORREF kDividerEdge = RGB(120, 40, 160), kDividerFace = RGB(170, 90, 210);
const COLORREF kPanelEdge = RGB(30, 120, 150);

// A one-state border image of Section's Prop: a 1-pixel Edge around Face.
void AddBorder(TsSkinManager* M, const wchar_t* Section, const wchar_t* Prop, COLORREF Edge, COLORREF Face) {
    if (M->GetSkinIndex(Section) < 0) {
        TsGeneralData g;
        g.ClassName = Section;
        g.Color = fw::TColor(Face);
        M->gd.push_back(g);
    }
    TsMaskData m;
    m.Bmp = new fw::TBitmap(6, 12, fw::pf24bit);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 6; ++x) {
            const COLORREF c = (x == 0 || y == 0 || x == 5 || y == 11) ? Edge : Face;
            auto* p = static_cast<uint8_t*>(m.Bmp->ScanLine(y)) + 3 * x;
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    m.ClassName = Section;
    m.PropertyName = Prop;
    m.R = fw::TRect(0, 0, 6, 12);
    m.ImageCount = 1;
    m.BorderWidth = 1;
    m.WL = m.WT = m.WR = m.WB = 1;
    m.Manager = M;
    M->ma.push_back(m);
    // The loader keeps a section's frame index beside it.
    if (fw::String(Prop) == L"BORDERSMASK") M->gd[size_t(M->GetSkinIndex(Section))].BorderIndex = int(M->ma.size()) - 1;
}

// Icons of one flat colour each.
HIMAGELIST SolidIcons(std::initializer_list<COLORREF> Colours) {
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 0, 4);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    for (COLORREF c : Colours) {
        HBITMAP b = CreateCompatibleBitmap(screen, 16, 16);
        HGDIOBJ old = SelectObject(mem, b);
        HBRUSH br = CreateSolidBrush(c);
        RECT r{0, 0, 16, 16};
        FillRect(mem, &r, br);
        DeleteObject(br);
        SelectObject(mem, old);
        ImageList_Add(list, b, nullptr);
        DeleteObject(b);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return list;
}

}  // namespace

TEST(BarWnd, NativeToolBarButtonsAndFrameworkStatusBars) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    ASSERT_LT(M->GetSkinIndex(L"DIVIDER"), 0) << "the test adds the divider itself";
    Host host(520, 240, kHost);
    SetCursorPos(0, 0);

    HWND tb =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_FLAT,
                        10, 10, 500, 60, host.handle, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tb, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);
    SendMessageW(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    HIMAGELIST icons = SolidIcons({kRed, kGreen});
    SendMessageW(tb, TB_SETIMAGELIST, 0, LPARAM(icons));
    SendMessageW(tb, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    struct Btn {
        const char* what;
        int image;
        BYTE state, style;
        const wchar_t* text;
    };
    const Btn btns[] = {
        {"normal", 0, TBSTATE_ENABLED, BTNS_BUTTON, L"Open"},
        {"disabled", 1, 0, BTNS_BUTTON, L"Go back"},
        {"pressed", 0, TBSTATE_ENABLED | TBSTATE_PRESSED, BTNS_BUTTON, L"Up"},
        {"separator", 0, TBSTATE_ENABLED, BTNS_SEP, nullptr},
        {"checked", 1, TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_CHECK, L"Create new folder"},
        {"drop-down", 0, TBSTATE_ENABLED, BTNS_WHOLEDROPDOWN, L"View"},
    };
    std::vector<TBBUTTON> tbb;
    for (size_t i = 0; i < std::size(btns); ++i) {
        TBBUTTON b{};
        b.iBitmap = btns[i].style == BTNS_SEP ? 8 : btns[i].image;
        b.idCommand = btns[i].style == BTNS_SEP ? 0 : int(100 + i);
        b.fsState = btns[i].state;
        b.fsStyle = btns[i].style;
        b.iString = btns[i].text ? INT_PTR(btns[i].text) : -1;
        tbb.push_back(b);
    }
    SendMessageW(tb, TB_ADDBUTTONSW, tbb.size(), LPARAM(tbb.data()));
    SendMessageW(tb, TB_SETBUTTONSIZE, 0, MAKELPARAM(84, 50));
    auto* tw = dynamic_cast<TacToolBarWnd*>(CreateToolBarWnd(tb, nullptr, M));
    ASSERT_NE(tw, nullptr);
    EXPECT_EQ(tw->SkinData->SkinSection(), L"CHECKBOX");

    // Without a divider in the skin a separator draws nothing: printed first.
    auto cell = [&](int i) {
        RECT r{};
        SendMessageW(tb, TB_GETITEMRECT, i, LPARAM(&r));
        return r;
    };
    {
        RECT wr;
        GetWindowRect(tb, &wr);
        fw::TBitmap print(wr.right - wr.left, wr.bottom - wr.top, fw::pf24bit);
        SendMessageW(tb, WM_PRINT, WPARAM(print.Canvas()->Handle()), 0);
        EXPECT_EQ(CountColour(print, cell(3), kDividerFace), 0);
        EXPECT_EQ(CountColour(print, cell(3), kDividerEdge), 0);
    }
    AddBorder(M, L"DIVIDER", L"BORDERSMASK", kDividerEdge, kDividerFace);

    // Framework status bars: panels parted by dividers, and a simple bar
    // whose own section frames it whole.
    fw::TStatusBar bar(nullptr);
    bar.SetParentWindow(host.handle);
    bar.SetBounds(10, 120, 500, 24);
    const wchar_t* texts[] = {L"Ready", L"Page 3 of 12", L"100%"};
    const fw::TAlignment aligns[] = {fw::taLeftJustify, fw::taCenter, fw::taRightJustify};
    for (int i = 0; i < 3; ++i) {
        fw::TStatusPanel* p = bar.Panels()->Add();
        p->SetText(texts[i]);
        p->SetAlignment(aligns[i]);
        p->SetWidth(150);
    }
    bar.SetSizeGrip(false);
    bar.SetVisible(true);
    TsCommonData barData(&bar, true);
    barData.SetSkinManager(M);
    auto* sw = dynamic_cast<TacStatusBarWnd*>(CreateStatusBarWnd(bar.Handle(), &barData, M));
    ASSERT_NE(sw, nullptr);
    EXPECT_EQ(sw->SkinData->SkinSection(), L"STATUSBAR");
    EXPECT_EQ(sw->StatusBar, &bar);

    AddBorder(M, L"PANELBAR", L"STATUSPANELMASK", kPanelEdge, RGB(236, 246, 250));
    fw::TStatusBar simple(nullptr);
    simple.SetParentWindow(host.handle);
    simple.SetBounds(10, 160, 500, 24);
    simple.SetSimplePanel(true);
    simple.SetSimpleText(L"Saving the book");
    simple.SetSizeGrip(false);
    simple.SetVisible(true);
    TsCommonData simpleData(&simple, true);
    simpleData.SetSkinManager(M);
    simpleData.SetSkinSection(L"PANELBAR");
    TacMainWnd* simpleW = CreateStatusBarWnd(simple.Handle(), &simpleData, M);

    // The cursor over the drop-down button: it is drawn hot.
    const RECT drop = cell(5);
    POINT over{(drop.left + drop.right) / 2, drop.bottom - 3};
    ClientToScreen(tb, &over);
    SetCursorPos(over.x, over.y);
    Pump(50);
    Repaint(host.handle);
    auto shot = host.Grab();
    SaveScreenshot(*shot, L"skin-windows-bars.bmp");
    SetCursorPos(0, 0);

    const RECT tr = InHost(tb, host.handle);
    auto hostRect = [&](RECT r) {
        return RECT{tr.left + r.left, tr.top + r.top, tr.left + r.right, tr.top + r.bottom};
    };
    const COLORREF behind = Rgb(GetParentCacheHwnd(tb).FillColor);
    const COLORREF edge0 = TopEdge(M, L"TOOLBUTTON", 0), edge1 = TopEdge(M, L"TOOLBUTTON", 1),
                   edge2 = TopEdge(M, L"TOOLBUTTON", 2);
    auto topMiddle = [&](int i) {
        const RECT r = hostRect(cell(i));
        return PixelAt(*shot, (r.left + r.right) / 2, r.top);
    };
    // The skin draws no frame on a normal toolbar button (flat until the mouse comes).
    const bool normalDrawn =
        !(M->ma[size_t(M->GetMaskIndex(M->GetSkinIndex(L"TOOLBUTTON"), L"TOOLBUTTON", L"BORDERSMASK"))].DrawMode &
          dmNoNormal);
    const COLORREF buttonFace = Rgb(M->gd[size_t(M->GetSkinIndex(L"TOOLBUTTON"))].Color);
    EXPECT_EQ(topMiddle(0), normalDrawn ? edge0 : buttonFace) << "normal";
    EXPECT_EQ(topMiddle(4), topMiddle(0)) << "checked looks normal";
    EXPECT_EQ(topMiddle(2), edge2) << "pressed";
    EXPECT_EQ(topMiddle(5), edge1) << "hot";

    // Icons: centred at 4 pixels down, one pixel right and down when pressed,
    // blended into the background when disabled, beside the arrow on a
    // whole drop-down.
    for (int i : {0, 2}) {
        const RECT r = hostRect(cell(i));
        const int p = i == 2 ? 1 : 0;
        const int x = r.left + ToolIconX(r.right - r.left, 16, 0, p), y = r.top + p + 4;
        EXPECT_EQ(PixelAt(*shot, x, y), kRed) << btns[i].what;
        EXPECT_EQ(PixelAt(*shot, x + 15, y + 15), kRed) << btns[i].what;
        EXPECT_NE(PixelAt(*shot, x + 16, y + 8), kRed) << btns[i].what;
        EXPECT_NE(PixelAt(*shot, x - 1, y + 8), kRed) << btns[i].what;
    }
    {
        const RECT r = hostRect(cell(1));
        const int x = r.left + ToolIconX(r.right - r.left, 16, 0, 0) + 8, y = r.top + 4 + 8;
        EXPECT_TRUE(Near(PixelAt(*shot, x, y), Blend(behind, kGreen, 0.4))) << std::hex << PixelAt(*shot, x, y);
    }
    {
        const int g = M->GetMaskIndex(M->ConstData.IndexScrollBottom, L"SCROLLBTNBOTTOM", L"GLYPHMASK");
        ASSERT_GE(g, 0);
        const TsMaskData& m = M->ma[size_t(g)];
        const RECT r = hostRect(cell(5));
        const SIZE c{r.right - r.left, r.bottom - r.top}, a{WidthOfImage(m), HeightOfImage(m)};
        const fw::TPoint at = ToolArrowPos(c, a, 0);
        int drawn = 0, wrong = 0;
        for (int y = 0; y < a.cy; ++y)
            for (int x = 0; x < a.cx; ++x) {
                const COLORREF want = SkinPixel(M, g, 1, x, y);
                if (want == RGB(255, 0, 255)) continue;
                ++drawn;
                wrong += PixelAt(*shot, r.left + at.X + x, r.top + at.Y + y) != want;
            }
        EXPECT_GT(drawn, 5);
        EXPECT_EQ(wrong, 0) << "the hot arrow";
        const int ix = r.left + ToolIconX(c.cx, 16, a.cx, 0);
        EXPECT_EQ(PixelAt(*shot, ix, r.top + 4), kRed);
        EXPECT_NE(PixelAt(*shot, ix - 1, r.top + 12), kRed);
    }
    // The separator's divider: a narrow strip a little left of the middle.
    {
        const RECT r = hostRect(cell(3));
        const fw::TRect d = ToolSeparatorRect({r.right - r.left, r.bottom - r.top});
        EXPECT_EQ(PixelAt(*shot, r.left + d.Left + 1, r.top + (r.bottom - r.top) / 2), kDividerFace);
        EXPECT_EQ(PixelAt(*shot, r.left + d.Left, r.top + (r.bottom - r.top) / 2), kDividerEdge);
        EXPECT_EQ(PixelAt(*shot, r.left + d.Right, r.top + (r.bottom - r.top) / 2), behind);
    }
    // Labels under the icons: a three-word label's first word centred on its
    // own line, the last two words from the left below it; two words one
    // centred block.
    {
        const RECT r = hostRect(cell(4));
        const fw::TRect t = ToolTextRect({r.right - r.left, r.bottom - r.top}, 16, 0);
        const RECT text{r.left + t.Left, r.top + t.Top, r.left + t.Right, r.top + t.Bottom};
        HDC dc = GetDC(tb);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW tm;
        GetTextMetricsW(dc, &tm);
        SIZE create, second;
        GetTextExtentPoint32W(dc, L"Create", 6, &create);
        GetTextExtentPoint32W(dc, L"new folder", 10, &second);
        ReleaseDC(tb, dc);
        const RECT line1 = DarkBox(*shot, {text.left, text.top, text.right, text.top + tm.tmHeight}, 330);
        const RECT line2 = DarkBox(*shot, {text.left, text.top + tm.tmHeight, text.right, text.bottom}, 330);
        ASSERT_LT(line1.left, line1.right);
        ASSERT_LT(line2.left, line2.right);
        const int centre = (text.left + text.right) / 2;
        EXPECT_LE(abs(int(line1.left + line1.right) / 2 - centre), 2) << "first word centred";
        EXPECT_LE(line1.right - line1.left, create.cx + 1);
        EXPECT_LE(line2.left - text.left, 2) << "last two words from the left";
        EXPECT_GE(line2.right - line2.left, second.cx - 3);
        const RECT b = hostRect(cell(1));
        const fw::TRect t1 = ToolTextRect({b.right - b.left, b.bottom - b.top}, 16, 0);
        const RECT block =
            DarkBox(*shot, {b.left + t1.Left, b.top + t1.Top, b.left + t1.Right, b.top + t1.Bottom}, 600);
        ASSERT_LT(block.left, block.right);
        EXPECT_LE(abs(int(block.left + block.right) / 2 - (b.left + b.right) / 2), 2) << "two words centred";
    }

    // Status bar: the section's colour, a divider closing every part but the
    // last, texts where the panels align them.
    const RECT br = InHost(bar.Handle(), host.handle);
    const COLORREF face = Rgb(M->gd[size_t(M->GetSkinIndex(L"STATUSBAR"))].Color);
    std::vector<RECT> parts;
    for (int i = 0; i < 3; ++i) {
        RECT p{};
        SendMessageW(bar.Handle(), SB_GETRECT, i, LPARAM(&p));
        parts.push_back({br.left + p.left, br.top + p.top, br.left + p.right, br.top + p.bottom});
    }
    EXPECT_EQ(PixelAt(*shot, parts[0].left + 80, br.top + 2), face);
    for (int i = 0; i < 3; ++i) {
        const RECT& p = parts[size_t(i)];
        const RECT strip{p.right - 8, br.top + 1, p.right, br.bottom - 1};
        EXPECT_EQ(CountColour(*shot, strip, kDividerFace) > 0, i < 2) << "part " << i;
        const fw::TRect t = StatusTextRect(fw::TRect(p.left + 1, p.top + 1, p.right - 1, p.bottom - 1));
        const RECT ink = DarkBox(*shot, {t.Left, t.Top, t.Right, t.Bottom}, 450);
        ASSERT_LT(ink.left, ink.right) << "part " << i;
        if (i == 0) {
            EXPECT_LE(ink.left - t.Left, 2);
        } else if (i == 1) {
            EXPECT_LE(abs(int(ink.left + ink.right) / 2 - (t.Left + t.Right) / 2), 2);
        } else {
            EXPECT_LE(t.Right - ink.right, 2);
        }
    }
    // The simple bar: one frame over the whole bar, its text inside.
    const RECT sr = InHost(simple.Handle(), host.handle);
    EXPECT_EQ(PixelAt(*shot, (sr.left + sr.right) / 2, sr.top), kPanelEdge);
    EXPECT_EQ(PixelAt(*shot, sr.left, (sr.top + sr.bottom) / 2), kPanelEdge);
    EXPECT_EQ(PixelAt(*shot, sr.right - 1, (sr.top + sr.bottom) / 2), kPanelEdge);
    EXPECT_EQ(PixelAt(*shot, sr.right - 20, (sr.top + sr.bottom) / 2), RGB(236, 246, 250));
    const RECT simpleInk = DarkBox(*shot, {sr.left + 2, sr.top + 2, sr.left + 200, sr.bottom - 2}, 450);
    EXPECT_LT(simpleInk.left, simpleInk.right);

    delete simpleW;
    delete sw;
    delete tw;
    DestroyWindow(tb);
    ImageList_Destroy(icons);
}
