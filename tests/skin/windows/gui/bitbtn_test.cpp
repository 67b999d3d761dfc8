// Bit buttons under the button wrapper: a framework bit button's glyph where
// its layout puts it, in the state the button is in, a glyph with an alpha
// channel composed over the skinned face by its alpha, and a foreign button's
// bitmap that moves the caption but is not drawn.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "FormHost.h"
#include "SkinPixels.h"
#include "WineDesk.h"
#include "framework/windows/Buttons.h"
#include "skin/windows/acButtonWnd.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {
const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

// The box around pixels of colour C inside R, relative to R's top-left.
RECT ColourBox(fw::TBitmap& Shot, RECT R, COLORREF C) {
    RECT box{R.right, R.bottom, R.left, R.top};
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x)
            if (PixelAt(Shot, x, y) == C) {
                box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    if (box.left >= box.right) return RECT{0, 0, 0, 0};
    return {box.left - R.left, box.top - R.top, box.right - R.left, box.bottom - R.top};
}

// The box around dark (text) pixels inside R, relative to R's top-left; the
// glyphs' pure red and blue do not count.
RECT InkBox(fw::TBitmap& Shot, RECT R) {
    RECT box{R.right, R.bottom, R.left, R.top};
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x) {
            const COLORREF c = PixelAt(Shot, x, y);
            if (std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) < 120) {
                box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
    if (box.left >= box.right) return RECT{0, 0, 0, 0};
    return {box.left - R.left, box.top - R.top, box.right - R.left, box.bottom - R.top};
}

// A strip of Count 16 x 16 images on olive (the key colour): an 8 x 8 square
// in the middle of each, red, then blue.
void KeyedGlyph(fw::TBitmap& G, int Count, bool Device) {
    if (!Device) G.SetPixelFormat(fw::pf24bit);
    G.SetSize(16 * Count, 16);
    G.Canvas()->Brush()->SetColor(fw::clOlive);
    G.Canvas()->FillRect(fw::TRect(0, 0, 16 * Count, 16));
    for (int i = 0; i < Count; ++i) {
        G.Canvas()->Brush()->SetColor(i == 0 ? fw::clRed : fw::clBlue);
        G.Canvas()->FillRect(fw::TRect(16 * i + 4, 4, 16 * i + 12, 12));
    }
}

// A 16 x 16 image with straight alpha: columns 0-5 opaque blue, 6-10 blue
// at alpha 128, 11-15 green at alpha 0. Its bottom-left pixel is blue, so a
// drawing by key colour would drop the blue and show the green.
void AlphaGlyph(fw::TBitmap& G) {
    G.SetPixelFormat(fw::pf32bit);
    G.SetSize(16, 16);
    for (int y = 0; y < 16; ++y) {
        auto* p = static_cast<uint8_t*>(G.ScanLine(y));
        for (int x = 0; x < 16; ++x, p += 4) {
            const bool green = x >= 11;
            p[0] = green ? 0 : 255, p[1] = green ? 255 : 0, p[2] = 0;
            p[3] = x < 6 ? 255 : x < 11 ? 128 : 0;
        }
    }
}

struct Wrapped {
    fw::TBitBtn* button = nullptr;
    TsCommonData* data = nullptr;
    TacBitBtnWnd* wrapper = nullptr;
};

Wrapped PutBitBtn(FormHost& Host, TsSkinManager* M, int X, int Y, int W, int H, const wchar_t* Caption) {
    Wrapped w;
    w.button = Host.Put<fw::TBitBtn>(X, Y, W, H);
    w.button->SetCaption(Caption);
    // Skin data on the control's side, as the control adapter gives it.
    w.data = new TsCommonData(w.button, true);
    w.data->SetSkinManager(M);
    w.data->SetSkinSection(L"BUTTON");
    w.wrapper = CreateWnd<TacBitBtnWnd>(false, w.button->Handle(), w.data, M, fw::String(L"BUTTON"));
    return w;
}

}  // namespace

TEST(BitBtnWnd, GlyphByLayoutAndStateAndAnAlphaGlyphByItsAlpha) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    FormHost host(560, 260, kHost);
    const int W = 120, H = 56;

    // One button per layout, one pressed, one hot with a two-image strip,
    // one whose glyph is a device bitmap.
    struct Row {
        const char* what;
        fw::TButtonLayout layout;
        int glyphs;
        bool device;
        int state;  // 0 normal, 1 hot, 2 pressed
    };
    const Row rows[] = {
        {"glyph left", fw::blGlyphLeft, 1, false, 0},  {"glyph right", fw::blGlyphRight, 1, false, 0},
        {"glyph top", fw::blGlyphTop, 1, false, 0},    {"glyph bottom", fw::blGlyphBottom, 1, false, 0},
        {"pressed", fw::blGlyphLeft, 1, false, 2},     {"hot strip", fw::blGlyphLeft, 2, false, 1},
        {"device glyph", fw::blGlyphLeft, 1, true, 0},
    };
    std::vector<Wrapped> buttons;
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        Wrapped w = PutBitBtn(host, M, 10 + int(i % 4) * 135, 10 + int(i / 4) * 70, W, H, L"Open");
        fw::TBitmap g;
        KeyedGlyph(g, r.glyphs, r.device);
        w.button->SetGlyph(&g);
        w.button->SetNumGlyphs(fw::TNumGlyphs(r.glyphs));
        w.button->SetLayout(r.layout);
        buttons.push_back(w);
    }
    // The alpha glyph alone on a button, and a twin without it for the face.
    Wrapped alpha = PutBitBtn(host, M, 10, 150, 60, 40, L"");
    Wrapped twin = PutBitBtn(host, M, 80, 150, 60, 40, L"");
    {
        fw::TBitmap g;
        AlphaGlyph(g);
        alpha.button->SetGlyph(&g);
        alpha.button->SetLayout(fw::blGlyphTop);
    }
    ASSERT_EQ(alpha.button->Glyph()->PixelFormat(), fw::pf32bit);
    M->SetActiveControl(buttons[5].button->Handle());
    SendMessageW(buttons[4].button->Handle(), BM_SETSTATE, TRUE, 0);
    host.Repaint();
    auto shot = host.Grab();
    SaveScreenshot(*shot, L"skin-windows-bitbtns.bmp");
    // Each glyph's square four pixels inside the glyph's rectangle, in the
    // image of its state, and on its side of the caption.
    RECT normal{};
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        SCOPED_TRACE(r.what);
        const RECT at = InHost(buttons[i].button->Handle(), host.handle());
        const COLORREF square = r.glyphs == 2 && r.state == 1 ? kBlue : kRed;
        const RECT sq = ColourBox(*shot, at, square);
        const fw::TRect g = buttons[i].wrapper->GlyphRect();
        EXPECT_EQ(sq.left, g.Left + 4);
        EXPECT_EQ(sq.top, g.Top + 4);
        EXPECT_EQ(sq.right - sq.left, 8);
        EXPECT_EQ(sq.bottom - sq.top, 8);
        EXPECT_EQ(CountColour(*shot, at, RGB(128, 128, 0)), 0) << "the key colour is left out";
        if (r.glyphs == 2) {
            EXPECT_EQ(CountColour(*shot, at, kRed), 0) << "only the hot image";
        }
        // The caption beside the glyph, as the layout says.
        RECT text = InkBox(*shot, {at.left + 3, at.top + 3, at.right - 3, at.bottom - 3});
        OffsetRect(&text, 3, 3);
        ASSERT_LT(text.left, text.right);
        switch (r.layout) {
            case fw::blGlyphLeft:
                EXPECT_LE(g.Right, text.left);
                break;
            case fw::blGlyphRight:
                EXPECT_GE(g.Left, text.right);
                break;
            case fw::blGlyphTop:
                EXPECT_LE(g.Bottom, text.top);
                break;
            case fw::blGlyphBottom:
                EXPECT_GE(g.Top, text.bottom);
                break;
        }
        if (i == 0) normal = sq;
        if (r.state == 2) {
            EXPECT_EQ(sq.left, normal.left + 1);
            EXPECT_EQ(sq.top, normal.top + 1);
        }
    }
    // The glyph and the caption centred together across a glyph-left button:
    // their spacing (4) apart, as much room left and right.
    {
        const SIZE t = buttons[0].wrapper->TextRectSize();
        EXPECT_EQ(buttons[0].wrapper->GlyphRect(),
                  fw::TRect((W - 16 - t.cx - 4) / 2, (H - 16) / 2, (W - 16 - t.cx - 4) / 2 + 16, (H - 16) / 2 + 16));
    }

    // The alpha glyph: opaque columns blue, half columns half way from the
    // face to blue, see-through columns the face itself (no green anywhere).
    const RECT aa = InHost(alpha.button->Handle(), host.handle()), ta = InHost(twin.button->Handle(), host.handle());
    const fw::TRect ag = alpha.wrapper->GlyphRect();
    EXPECT_EQ(CountColour(*shot, aa, RGB(0, 255, 0)), 0);
    for (int y = 0; y < 16; y += 5)
        for (int x = 0; x < 16; ++x) {
            const COLORREF got = PixelAt(*shot, aa.left + ag.Left + x, aa.top + ag.Top + y);
            const COLORREF face = PixelAt(*shot, ta.left + ag.Left + x, ta.top + ag.Top + y);
            const COLORREF want = x < 6 ? kBlue : x < 11 ? Blend(face, kBlue, 128 / 255.0) : face;
            EXPECT_TRUE(Near(got, want)) << x << "," << y << ": " << std::hex << got << " want " << want;
        }

    M->SetActiveControl(nullptr);
    buttons.push_back(alpha);
    buttons.push_back(twin);
    for (Wrapped& w : buttons) {
        delete w.wrapper;
        delete w.data;
    }
}

TEST(BitBtnWnd, AForeignButtonsBitmapMovesTheCaptionButIsNotDrawn) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    Host host(300, 120, kHost);
    HDC screen = GetDC(nullptr);
    HBITMAP red = CreateCompatibleBitmap(screen, 20, 10);
    ReleaseDC(nullptr, screen);
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, red);
        HBRUSH b = CreateSolidBrush(kRed);
        RECT r{0, 0, 20, 10};
        FillRect(dc, &r, b);
        DeleteObject(b);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    // The dimension is what the wrapper measures a foreign glyph by.
    SetBitmapDimensionEx(red, 20, 10, nullptr);
    std::vector<HWND> h;
    std::vector<TacBitBtnWnd*> w;
    for (int i = 0; i < 3; ++i) {
        // (the system keeps a bitmap only for a button with BS_BITMAP)
        const DWORD style = BS_PUSHBUTTON | (i > 0 ? BS_BITMAP : 0);
        h.push_back(CreateWindowExW(0, L"BUTTON", L"Open", WS_CHILD | WS_VISIBLE | style, 10 + i * 95, 20, 90, 30,
                                    host.handle, nullptr, GetModuleHandleW(nullptr), nullptr));
        SendMessageW(h.back(), WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);
        if (i > 0) SendMessageW(h.back(), BM_SETIMAGE, IMAGE_BITMAP, LPARAM(red));
        w.push_back(CreateWnd<TacBitBtnWnd>(false, h.back(), nullptr, M, fw::String()));
    }
    SendMessageW(h[2], BM_SETSTATE, TRUE, 0);
    Repaint(host.handle);
    auto shot = host.Grab();
    SaveScreenshot(*shot, L"skin-windows-foreign-bitbtn.bmp");
    EXPECT_EQ(w[0]->GlyphSize().cx, 0);
    EXPECT_EQ(w[0]->GlyphRect(), fw::TRect());
    EXPECT_EQ(w[1]->GlyphSize().cx, 20);
    EXPECT_EQ(w[1]->GlyphSize().cy, 10);

    RECT text[3];
    for (int i = 0; i < 3; ++i) {
        const RECT at = InHost(h[i], host.handle);
        EXPECT_EQ(CountColour(*shot, at, kRed), 0) << i << ": the bitmap is not drawn";
        text[i] = InkBox(*shot, {at.left + 3, at.top + 3, at.right - 3, at.bottom - 3});
        ASSERT_LT(text[i].left, text[i].right) << i;
    }
    // Half the glyph's width and a pixel to the right; pressed one pixel
    // down (across, the pressed text's other colour may begin a pixel off).
    EXPECT_EQ(text[1].left - text[0].left, 20 / 2 + 1);
    EXPECT_EQ(text[1].top, text[0].top);
    EXPECT_NEAR(text[2].left - text[1].left, 1, 1);
    EXPECT_EQ(text[2].top, text[1].top + 1);
    // Its place: left of the caption's rectangle, centred down, down with the button.
    const fw::TRect c1 = w[1]->CaptionRect(), g1 = w[1]->GlyphRect();
    EXPECT_EQ(g1, fw::TRect(c1.Left - 2 - 20, (30 - 10) / 2, c1.Left - 2, (30 - 10) / 2 + 10));
    const fw::TRect g2 = w[2]->GlyphRect();
    EXPECT_EQ(g2.Top, g1.Top + 1);

    for (TacBitBtnWnd* x : w) delete x;
    for (HWND x : h) DestroyWindow(x);
    DeleteObject(red);
}
