// Buttons, check boxes, group boxes and statics on real windows, from the
// default skin: the push button's look in each state, the check glyph by
// style and state, the group box's caption cut out of its frame, texts,
// icons and bitmaps of statics, and a system message box whose buttons and
// text the wrappers paint (its frame still the system's).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "SkinPixels.h"
#include "WineDesk.h"
#include "skin/windows/acCheckBoxWnd.h"
#include "skin/windows/acStaticWnd.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {

HWND Child(const wchar_t* Class, const wchar_t* Text, DWORD Style, DWORD ExStyle, HWND Parent, int X, int Y, int W,
           int H) {
    HWND h = CreateWindowExW(ExStyle, Class, Text, WS_CHILD | WS_VISIBLE | Style, X, Y, W, H, Parent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return h;
}

// What a transparent wrapper shows behind it: its parent's answer.
COLORREF Behind(HWND h) { return Rgb(GetParentCacheHwnd(h).FillColor); }

}  // namespace

TEST(ButtonWnd, PushButtonStatesCheckGlyphsAndGroupBox) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    Host host(460, 330, kHost);

    // Push buttons: one per state, each the same size and caption.
    struct Row {
        const char* what;
        DWORD style;
        int state;  // -1: disabled
    };
    const Row rows[] = {{"normal", BS_PUSHBUTTON, 0}, {"focused", BS_PUSHBUTTON, 1}, {"default", BS_DEFPUSHBUTTON, 1},
                        {"hot", BS_PUSHBUTTON, 1},    {"pressed", BS_PUSHBUTTON, 2}, {"disabled", BS_PUSHBUTTON, -1}};
    std::vector<HWND> btn;
    std::vector<TacMainWnd*> wraps;
    for (size_t i = 0; i < std::size(rows); ++i) {
        btn.push_back(Child(L"BUTTON", L"Button", rows[i].style | WS_TABSTOP, 0, host.handle, 10 + int(i % 3) * 100,
                            10 + int(i / 3) * 40, 90, 28));
        wraps.push_back(CreateButtonWnd(btn.back(), nullptr, M));
        ASSERT_NE(dynamic_cast<TacBtnWnd*>(wraps.back()), nullptr);
    }
    SetForegroundWindow(host.handle);
    SetFocus(btn[1]);
    M->SetActiveControl(btn[3]);
    SendMessageW(btn[4], BM_SETSTATE, TRUE, 0);
    EnableWindow(btn[5], FALSE);
    // A disabled button takes no focus.
    SendMessageW(btn[5], WM_SETFOCUS, 0, 0);
    EXPECT_FALSE(SendMessageW(btn[5], BM_GETSTATE, 0, 0) & BST_FOCUS);

    // Check boxes and radio buttons by style and state.
    struct Check {
        const char* what;
        DWORD style;
        int check;
        const wchar_t* image;
    };
    const Check checks[] = {
        {"check box", BS_AUTOCHECKBOX, BST_UNCHECKED, L"BOXUNCHECKED"},
        {"checked", BS_AUTOCHECKBOX, BST_CHECKED, L"BOXCHECKED"},
        {"three states, grayed", BS_AUTO3STATE, BST_INDETERMINATE, L"BOXGRAYED"},
        {"radio", BS_AUTORADIOBUTTON, BST_UNCHECKED, L"RADIOUNCHECKED"},
        {"radio checked", BS_RADIOBUTTON, BST_CHECKED, L"RADIOCHECKED"},
        {"text on the left", BS_CHECKBOX | BS_LEFTTEXT, BST_CHECKED, L"BOXCHECKED"},
    };
    std::vector<HWND> box;
    for (size_t i = 0; i < std::size(checks); ++i) {
        box.push_back(Child(L"BUTTON", L"Option", checks[i].style, 0, host.handle, 10 + int(i % 3) * 150,
                            100 + int(i / 3) * 30, 140, 24));
        SendMessageW(box.back(), BM_SETCHECK, checks[i].check, 0);
        wraps.push_back(CreateButtonWnd(box.back(), nullptr, M));
        ASSERT_NE(dynamic_cast<TacCheckBoxWnd*>(wraps.back()), nullptr);
    }
    // Owner-drawn buttons draw themselves: no wrapper.
    HWND owner = Child(L"BUTTON", L"", BS_OWNERDRAW, 0, host.handle, 10, 300, 20, 20);
    EXPECT_EQ(CreateButtonWnd(owner, nullptr, M), nullptr);

    HWND group = Child(L"BUTTON", L"Group", BS_GROUPBOX, 0, host.handle, 10, 170, 300, 110);
    wraps.push_back(CreateButtonWnd(group, nullptr, M));
    auto* gw = dynamic_cast<TacGroupBoxWnd*>(wraps.back());
    ASSERT_NE(gw, nullptr);
    Repaint(host.handle);
    auto shot = host.Grab();
    SaveScreenshot(*shot, L"skin-windows-buttons.bmp");

    RECT normalText{};
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        const RECT at = InHost(btn[i], host.handle);
        const COLORREF top = PixelAt(*shot, (at.left + at.right) / 2, at.top);
        if (r.state >= 0)
            EXPECT_EQ(top, TopEdge(M, L"BUTTON", r.state)) << r.what;
        else
            EXPECT_TRUE(Near(top, Blend(Behind(btn[i]), TopEdge(M, L"BUTTON", 0), 0.4)))
                << r.what << " " << std::hex << top;
        const RECT inner{at.left + 3, at.top + 3, at.right - 3, at.bottom - 3};
        const RECT text = DarkBox(*shot, inner, r.state < 0 ? 500 : 300);
        EXPECT_LT(text.left, text.right) << r.what << ": a caption";
        if (i == 0) normalText = text;
        if (r.state == 2) {
            // (across, the darker pressed text may reach one more pixel)
            const int dx = (text.left - at.left) - (normalText.left - InHost(btn[0], host.handle).left);
            EXPECT_TRUE(dx == 0 || dx == 1) << r.what << " " << dx;
            EXPECT_EQ(text.top - at.top, normalText.top - InHost(btn[0], host.handle).top + 1) << r.what;
        }
        // The focus rectangle's black dots: only on the focused button.
        if (i <= 1) {
            EXPECT_EQ(CountColour(*shot, inner, RGB(0, 0, 0)) > 0, i == 1) << r.what;
        }
    }

    for (size_t i = 0; i < std::size(checks); ++i) {
        const Check& c = checks[i];
        const int index = M->GetMaskIndex(M->ConstData.IndexGLobalInfo, L"GLOBALINFO", c.image);
        ASSERT_GE(index, 0) << c.what;
        const TsMaskData& m = M->ma[size_t(index)];
        const RECT at = InHost(box[i], host.handle);
        const fw::TRect g = CheckGlyphRect({at.right - at.left, at.bottom - at.top}, WidthOfImage(m), HeightOfImage(m),
                                           c.style & BS_LEFTTEXT);
        int drawn = 0, wrong = 0;
        for (int y = 0; y < g.Height(); ++y)
            for (int x = 0; x < g.Width(); ++x) {
                const COLORREF want = SkinPixel(M, index, 0, x, y);
                if (want == RGB(255, 0, 255)) continue;
                ++drawn;
                wrong += PixelAt(*shot, at.left + g.Left + x, at.top + g.Top + y) != want;
            }
        EXPECT_GT(drawn, 20) << c.what;
        EXPECT_EQ(wrong, 0) << c.what;
    }

    // The group box: its frame below the caption's middle, the caption cut
    // out of it, the parent's background above and inside.
    const RECT ga = InHost(group, host.handle);
    const fw::TRect cap = gw->CaptionRect();
    const int half = cap.Height() / 2;
    const COLORREF frame = TopEdge(M, L"GROUPBOX", 0);
    EXPECT_EQ(PixelAt(*shot, ga.left + cap.Right + 10, ga.top + half), frame);
    const COLORREF behind = Behind(group);
    EXPECT_EQ(PixelAt(*shot, ga.left + cap.Left + 2, ga.top + half), behind);
    EXPECT_EQ(PixelAt(*shot, ga.left + cap.Right + 10, ga.top + 1), behind);
    EXPECT_EQ(PixelAt(*shot, (ga.left + ga.right) / 2, (ga.top + ga.bottom) / 2), behind);
    EXPECT_EQ(SendMessageW(group, SM_ALPHACMD, WPARAM(smcGetCaptionHeight) << 16, 0), cap.Height());
    EXPECT_LT(DarkBox(*shot, {ga.left + cap.Left, ga.top, ga.left + cap.Right, ga.top + cap.Bottom}, 300).left,
              ga.left + cap.Right);

    M->SetActiveControl(nullptr);
    for (TacMainWnd* w : wraps) delete w;
    DestroyWindow(owner);
}

TEST(StaticWnd, TextsIconsBitmapsAndLinks) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    Host host(400, 200, kHost);
    HWND right = Child(L"STATIC", L"Right", SS_LEFT, WS_EX_RIGHT, host.handle, 10, 10, 180, 20);
    HWND centred = Child(L"STATIC", L"Left", SS_CENTER, 0, host.handle, 10, 40, 180, 20);
    HWND icon = Child(L"STATIC", L"", SS_ICON, 0, host.handle, 210, 10, 32, 32);
    const HICON info = LoadIconW(nullptr, MAKEINTRESOURCEW(32516));
    SendMessageW(icon, STM_SETICON, WPARAM(info), 0);
    HWND bmp = Child(L"STATIC", L"", SS_BITMAP, 0, host.handle, 260, 10, 40, 20);
    HDC screen = GetDC(nullptr);
    HBITMAP red = CreateCompatibleBitmap(screen, 30, 12);
    ReleaseDC(nullptr, screen);
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, red);
        HBRUSH b = CreateSolidBrush(RGB(200, 20, 20));
        RECT r{0, 0, 30, 12};
        FillRect(dc, &r, b);
        DeleteObject(b);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    SendMessageW(bmp, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(red));
    HWND link = Child(L"STATIC", L"see <A>the notes</A>", SS_LEFT, 0, host.handle, 10, 80, 200, 24);
    HWND edged = Child(L"STATIC", L"Edged", SS_LEFT, WS_EX_STATICEDGE, host.handle, 10, 120, 180, 24);

    auto* wr = CreateWnd<TacStaticWnd>(false, right, nullptr, M, fw::String(L"CHECKBOX"));
    auto* wc = CreateWnd<TacStaticWnd>(false, centred, nullptr, M, fw::String(L"CHECKBOX"));
    auto* wi = CreateWnd<TacIconWnd>(false, icon, nullptr, M, fw::String(L"CHECKBOX"));
    auto* wb = CreateWnd<TacIconWnd>(false, bmp, nullptr, M, fw::String(L"CHECKBOX"));
    auto* wl = CreateWnd<TacLinkWnd>(false, link, nullptr, M, fw::String(L"CHECKBOX"));
    auto* we = CreateWnd<TacStaticWnd>(false, edged, nullptr, M, fw::String(L"CHECKBOX"));
    EXPECT_FALSE(wi->IsBmp);
    EXPECT_TRUE(wb->IsBmp);
    Repaint(host.handle);
    auto shot = host.Grab();
    SaveScreenshot(*shot, L"skin-windows-statics.bmp");
    const COLORREF text = Rgb(M->gd[size_t(M->GetSkinIndex(L"CHECKBOX"))].FontColor[0]);

    // WS_EX_RIGHT: the text at the right; SS_CENTER is drawn from the left.
    const RECT ra = InHost(right, host.handle), ca = InHost(centred, host.handle);
    const RECT rt = DarkBox(*shot, ra, 300), ct = DarkBox(*shot, ca, 300);
    EXPECT_GT(rt.left, (ra.left + ra.right) / 2);
    EXPECT_LE(ct.left, ca.left + 2);
    EXPECT_GT(CountColour(*shot, ra, text), 5);
    EXPECT_EQ(PixelAt(*shot, ra.left + 2, ra.top + 2), Behind(right));  // the parent's background

    // The icon as the system draws it over that background.
    const RECT ia = InHost(icon, host.handle);
    fw::TBitmap ref(32, 32, fw::pf24bit);
    {
        HBRUSH b = CreateSolidBrush(Behind(icon));
        RECT r{0, 0, 32, 32};
        FillRect(ref.Canvas()->Handle(), &r, b);
        DeleteObject(b);
        DrawIconEx(ref.Canvas()->Handle(), 0, 0, info, 0, 0, 0, nullptr, DI_NORMAL);
    }
    int differ = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) differ += PixelAt(ref, x, y) != PixelAt(*shot, ia.left + x, ia.top + y);
    EXPECT_EQ(differ, 0);

    // The bitmap at the top left, the rest the background; the static keeps it.
    const RECT ba = InHost(bmp, host.handle);
    EXPECT_EQ(PixelAt(*shot, ba.left + 5, ba.top + 5), RGB(200, 20, 20));
    delete wb;
    EXPECT_EQ(GetObjectType(red), DWORD(OBJ_BITMAP));
    EXPECT_EQ(HBITMAP(SendMessageW(bmp, STM_GETIMAGE, IMAGE_BITMAP, 0)), red);
    BITMAP info2{};
    EXPECT_EQ(GetObjectW(red, sizeof info2, &info2), int(sizeof info2));
    EXPECT_EQ(info2.bmWidth, 30);

    // The link: no tags drawn (shorter than its text with them), underlined.
    const RECT la = InHost(link, host.handle);
    const RECT lt = DarkBox(*shot, la, 300);
    HDC mdc = CreateCompatibleDC(nullptr);
    NONCLIENTMETRICSW m{};
    m.cbSize = 504;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 504, &m, 0);
    HFONT f = CreateFontIndirectW(&m.lfMessageFont);
    HGDIOBJ old = SelectObject(mdc, f);
    SIZE full{}, bare{};
    GetTextExtentPoint32W(mdc, L"see <A>the notes</A>", 20, &full);
    GetTextExtentPoint32W(mdc, L"see the notes", 13, &bare);
    SelectObject(mdc, old);
    DeleteObject(f);
    DeleteDC(mdc);
    EXPECT_LE(lt.right - lt.left, bare.cx + 2);
    EXPECT_LT(lt.right - lt.left, full.cx);
    int underline = 0;  // a row of text colour across most of the text
    for (int y = lt.top; y < lt.bottom; ++y)
        underline = std::max(underline, CountColour(*shot, {lt.left, y, lt.right, y + 1}, text));
    EXPECT_GT(underline, (lt.right - lt.left) * 3 / 4);

    // A static with a sunken edge keeps the system's look (its own face colour).
    const RECT ea = InHost(edged, host.handle);
    EXPECT_EQ(PixelAt(*shot, ea.left + 3, ea.top + 3), GetSysColor(COLOR_3DFACE));

    for (TacMainWnd* w : std::vector<TacMainWnd*>{wr, wc, wi, wl, we}) delete w;
    DestroyWindow(bmp);
    DeleteObject(red);
}

namespace {

struct BoxRun {
    TsSkinManager* M = nullptr;
    std::vector<TacMainWnd*> wraps;
    std::unique_ptr<fw::TBitmap> shot;
    COLORREF okTop = 0;
    int textPixels = 0;
    bool seen = false;
} gBox;

BOOL CALLBACK WrapChild(HWND h, LPARAM) {
    wchar_t cls[32] = {};
    GetClassNameW(h, cls, 32);
    TacMainWnd* w = nullptr;
    acDlgMode = true;
    if (!lstrcmpiW(cls, L"Button"))
        w = CreateButtonWnd(h, nullptr, gBox.M);
    else if (!lstrcmpiW(cls, L"Static")) {
        const LONG s = GetWindowLongW(h, GWL_STYLE) & SS_TYPEMASK;
        if (s == SS_ICON || s == SS_BITMAP)
            w = CreateWnd<TacIconWnd>(false, h, nullptr, gBox.M, fw::String(L"CHECKBOX"));
        else
            w = CreateWnd<TacStaticWnd>(false, h, nullptr, gBox.M, fw::String(L"CHECKBOX"));
    }
    acDlgMode = false;
    if (w) gBox.wraps.push_back(w);
    return TRUE;
}

BOOL CALLBACK FindBox(HWND h, LPARAM out) {
    wchar_t cls[16] = {};
    GetClassNameW(h, cls, 16);
    if (!lstrcmpW(cls, L"#32770") && IsWindowVisible(h)) {
        *reinterpret_cast<HWND*>(out) = h;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK OnBoxShown(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, LPARAM(&box));
    if (!box) return;
    KillTimer(nullptr, id);
    gBox.seen = true;
    EnumChildWindows(box, WrapChild, 0);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT wr;
    GetWindowRect(box, &wr);
    gBox.shot = std::make_unique<fw::TBitmap>(wr.right - wr.left, wr.bottom - wr.top, fw::pf24bit);
    HDC dc = GetWindowDC(box);
    BitBlt(gBox.shot->Canvas()->Handle(), 0, 0, wr.right - wr.left, wr.bottom - wr.top, dc, 0, 0, SRCCOPY);
    ReleaseDC(box, dc);
    if (HWND ok = GetDlgItem(box, IDOK)) {
        RECT r;
        GetWindowRect(ok, &r);
        gBox.okTop = PixelAt(*gBox.shot, (r.left + r.right) / 2 - wr.left, r.top - wr.top);
    }
    if (HWND text = GetDlgItem(box, 0xFFFF)) {
        RECT r;
        GetWindowRect(text, &r);
        const COLORREF c = Rgb(gBox.M->gd[size_t(gBox.M->GetSkinIndex(L"CHECKBOX"))].FontColor[0]);
        gBox.textPixels =
            CountColour(*gBox.shot, {r.left - wr.left, r.top - wr.top, r.right - wr.left, r.bottom - wr.top}, c);
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST(StaticWnd, SystemMessageBoxWithSkinnedButtonsAndText) {
    auto sm = Stillwater();
    gBox.M = sm.get();
    SetTimer(nullptr, 0, 200, OnBoxShown);
    const int answer = MessageBoxW(nullptr, L"The notes were saved on the removable drive.", L"KVB Viewer",
                                   MB_OKCANCEL | MB_ICONINFORMATION);
    EXPECT_EQ(answer, IDOK);
    ASSERT_TRUE(gBox.seen);
    ASSERT_TRUE(gBox.shot);
    SaveScreenshot(*gBox.shot, L"skin-windows-messagebox.bmp");
    EXPECT_GE(gBox.wraps.size(), 4u);  // two buttons, the icon, the text
    // The default OK button in the hot look; the text in the skin's colour.
    EXPECT_EQ(gBox.okTop, TopEdge(gBox.M, L"BUTTON", 1));
    EXPECT_GT(gBox.textPixels, 30);
    for (TacMainWnd* w : gBox.wraps) {
        EXPECT_TRUE(w->Destroyed);  // the box's windows are gone: the wrappers let go
        delete w;
    }
    gBox.wraps.clear();
}
