// Speed buttons: the glyph and caption layout, the glyph painted on the
// parent (transparent colour left out, pressed shift, disabled emboss), the
// press state machine driven by mouse messages and group exclusivity.
#include "framework/windows/Buttons.h"

#include <gtest/gtest.h>

#include "native_fixture.h"

using namespace fw;
using namespace fwtest;

namespace {

// The box around pixels of Colour inside R.
TRect ColourBox(const Capture& cap, const TRect& r, DWORD colour) {
    TRect box(r.Right, r.Bottom, r.Left, r.Top);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (cap.At(x, y) == colour) {
                box.Left = std::min<LONG>(box.Left, x);
                box.Top = std::min<LONG>(box.Top, y);
                box.Right = std::max<LONG>(box.Right, x + 1);
                box.Bottom = std::max<LONG>(box.Bottom, y + 1);
            }
    return box;
}

// A 16 x 16 glyph: an 8 x 8 red square on olive, the transparent colour.
void MakeGlyph(TBitmap& glyph, int count = 1) {
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(16 * count, 16);
    glyph.Canvas()->Brush()->SetColor(clOlive);
    glyph.Canvas()->FillRect(TRect(0, 0, 16 * count, 16));
    glyph.Canvas()->Brush()->SetColor(clRed);
    for (int i = 0; i < count; ++i) glyph.Canvas()->FillRect(TRect(16 * i + 4, 4, 16 * i + 12, 12));
}

}  // namespace

TEST(SpeedButton, LayoutPlacesGlyphAndTextByLayoutMarginAndSpacing) {
    const TRect client(0, 0, 100, 40);
    const TSize glyph = {16, 16}, text = {30, 12};
    struct Case {
        TButtonLayout layout;
        int margin, spacing;
        TSize glyph, text;
        TPoint glyphAt;
        TPoint textAt;
    } cases[] = {
        // Centred as a group: (100 - (16 + 4 + 30) + 1) / 2 = 25 from the left.
        {blGlyphLeft, -1, 4, glyph, text, {25, 12}, {45, 14}},
        {blGlyphLeft, 5, 4, glyph, text, {5, 12}, {25, 14}},
        {blGlyphRight, 5, 4, glyph, text, {79, 12}, {45, 14}},
        {blGlyphTop, -1, 2, glyph, text, {42, 5}, {35, 23}},
        {blGlyphBottom, 3, 2, glyph, text, {42, 21}, {35, 7}},
        // Spacing -1 spreads margin and spacing evenly: (100 - 46) / 3 = 18.
        {blGlyphLeft, -1, -1, glyph, text, {18, 12}, {52, 14}},
        // No text: spacing does not count, the glyph alone is centred.
        {blGlyphLeft, -1, 4, glyph, {0, 0}, {42, 12}, {58, 20}},
    };
    for (const Case& k : cases) {
        TPoint g;
        TRect t;
        CalcButtonLayout(client, k.glyph, k.text, k.layout, k.margin, k.spacing, g, t);
        EXPECT_EQ(g, k.glyphAt) << k.layout << " " << k.margin << " " << k.spacing;
        EXPECT_EQ(t.TopLeft(), k.textAt) << k.layout << " " << k.margin << " " << k.spacing;
        EXPECT_EQ(t.Width(), k.text.cx);
    }
    // The client's origin moves everything.
    TPoint g;
    TRect t;
    CalcButtonLayout(TRect(10, 20, 110, 60), glyph, text, blGlyphLeft, 5, 4, g, t);
    EXPECT_EQ(g, TPoint(15, 32));
}

TEST(SpeedButton, GlyphIsPaintedWithoutItsTransparentColourAndMovesWhenPressed) {
    NativeForm form;
    form->SetColor(clBtnFace);
    auto* button = Create<TSpeedButton>(form.get());
    button->SetBounds(20, 20, 60, 40);
    button->SetParent(form.get());
    TBitmap glyph;
    MakeGlyph(glyph);
    button->SetGlyph(&glyph);
    EXPECT_EQ(button->NumGlyphs(), 1);
    EXPECT_EQ(button->Glyph()->Width(), 16);

    const TRect area = button->BoundsRect();
    // Client (1, 1, 59, 39): the glyph at (1 + 21, 1 + 11), its red square 4 pixels in.
    const TRect up(20 + 22 + 4, 20 + 12 + 4, 20 + 22 + 12, 20 + 12 + 12);
    form->Repaint();
    Pump(30);
    Capture cap = CaptureWindow(form->Handle());
    EXPECT_EQ(ColourBox(cap, area, Rgb(clRed)), up);
    EXPECT_TRUE(ColourBox(cap, area, Rgb(clOlive)).IsEmpty());

    // Held down by the mouse: state bsDown, the glyph one pixel right and down.
    HWND h = form->Handle();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 40));
    EXPECT_EQ(button->State(), bsDown);
    form->Repaint();
    Pump(30);
    cap = CaptureWindow(h);
    TRect pressed = up;
    OffsetRect(pressed, 1, 1);
    EXPECT_EQ(ColourBox(cap, area, Rgb(clRed)), pressed);
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(50, 40));
    EXPECT_EQ(button->State(), bsUp);

    // Disabled without a disabled image: an embossed silhouette, no red.
    button->SetEnabled(false);
    form->Repaint();
    Pump(30);
    cap = CaptureWindow(h);
    EXPECT_TRUE(ColourBox(cap, area, Rgb(clRed)).IsEmpty());
    EXPECT_EQ(ColourBox(cap, up, Rgb(clBtnShadow)), up);
    EXPECT_EQ(cap.At(up.Right, up.Bottom), Rgb(clBtnHighlight));

    // A strip of square images holds as many glyphs.
    TBitmap strip;
    MakeGlyph(strip, 2);
    button->SetGlyph(&strip);
    EXPECT_EQ(button->NumGlyphs(), 2);
    form.Screenshot(L"speedbutton");
}

TEST(SpeedButton, MousePressesClickAndGroupedButtonsStayDownOneAtATime) {
    NativeForm form;
    TSpeedButton* buttons[3];
    EventCounter clicks[3];
    for (int i = 0; i < 3; ++i) {
        buttons[i] = Create<TSpeedButton>(form.get());
        buttons[i]->SetBounds(10 + 30 * i, 10, 25, 25);
        buttons[i]->SetGroupIndex(i < 2 ? 1 : 0);
        buttons[i]->SetParent(form.get());
        buttons[i]->OnClick = clicks[i].Event();
    }
    HWND h = form->Handle();
    auto press = [&](int x, int y) { SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); };
    auto move = [&](int x, int y) { SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); };
    auto release = [&](int x, int y) { SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); };

    // An ungrouped button: pressed while the mouse is over it, released
    // outside it does not click.
    press(75, 20);
    EXPECT_EQ(buttons[2]->State(), bsDown);
    move(200, 200);
    EXPECT_EQ(buttons[2]->State(), bsUp);
    move(75, 20);
    EXPECT_EQ(buttons[2]->State(), bsDown);
    release(200, 200);
    EXPECT_EQ(clicks[2].count, 0);
    press(75, 20);
    release(75, 20);
    EXPECT_EQ(clicks[2].count, 1);
    EXPECT_FALSE(buttons[2]->Down());

    // Grouped: a click puts it down and the other of the group up.
    press(20, 20);
    release(20, 20);
    EXPECT_TRUE(buttons[0]->Down());
    EXPECT_EQ(buttons[0]->State(), bsExclusive);
    EXPECT_EQ(clicks[0].count, 1);
    press(45, 20);
    release(45, 20);
    EXPECT_TRUE(buttons[1]->Down());
    EXPECT_FALSE(buttons[0]->Down());
    EXPECT_EQ(buttons[0]->State(), bsUp);
    // The last one down stays down unless AllowAllUp.
    press(45, 20);
    release(45, 20);
    EXPECT_TRUE(buttons[1]->Down());
    EXPECT_EQ(clicks[1].count, 2);
    buttons[0]->SetAllowAllUp(true);  // reaches the whole group
    EXPECT_TRUE(buttons[1]->AllowAllUp());
    buttons[1]->SetDown(false);
    EXPECT_FALSE(buttons[1]->Down());
    // Down in code, and only with a group.
    buttons[2]->SetDown(true);
    EXPECT_FALSE(buttons[2]->Down());
    buttons[0]->SetDown(true);
    EXPECT_TRUE(buttons[0]->Down());
}

TEST(BitBtn, OwnerDrawnFaceGlyphAndCaptionAndClicksAsAButton) {
    NativeForm form;
    TBitBtn* button = form.Put<TBitBtn>(20, 20, 80, 40);
    EXPECT_EQ(WindowClass(button->Handle()), L"TBitBtn");
    EXPECT_TRUE(button->Is<TButton>());
    EXPECT_EQ(GetWindowLongW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    TBitmap glyph;
    MakeGlyph(glyph);
    button->SetGlyph(&glyph);
    EXPECT_EQ(button->NumGlyphs(), 1);
    const TRect all(0, 0, 80, 40);
    // Alone, the glyph is centred in the face one pixel inside the edge.
    TPoint at;
    TRect text;
    CalcButtonLayout(TRect(1, 1, 79, 39), {16, 16}, {0, 0}, blGlyphLeft, -1, 4, at, text);
    const TRect up(at.X + 4, at.Y + 4, at.X + 12, at.Y + 12);
    auto shot = [&] {
        button->Repaint();
        Pump(20);
        return CaptureWindow(button->Handle());
    };
    EXPECT_EQ(ColourBox(shot(), all, Rgb(clRed)), up);
    EXPECT_TRUE(ColourBox(shot(), all, Rgb(clOlive)).IsEmpty());

    // Pressed: the face sinks and the glyph moves one pixel.
    SendMessageW(button->Handle(), BM_SETSTATE, TRUE, 0);
    TRect pressed = up;
    OffsetRect(pressed, 1, 1);
    EXPECT_EQ(ColourBox(shot(), all, Rgb(clRed)), pressed);
    SendMessageW(button->Handle(), BM_SETSTATE, FALSE, 0);

    // As the default button it stays owner-drawn and gets a dark frame.
    button->SetDefault(true);
    EXPECT_EQ(GetWindowLongW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(shot().At(0, 20), Rgb(TColor(clWindowFrame)));
    button->SetDefault(false);

    // With a caption, the layout puts the glyph on its side of the text.
    button->SetCaption(L"Open");
    for (TButtonLayout layout : {blGlyphLeft, blGlyphRight}) {
        button->SetLayout(layout);
        TRect red = ColourBox(shot(), all, Rgb(clRed));
        EXPECT_EQ(red.Left < 40, layout == blGlyphLeft) << layout;
    }
    button->SetEnabled(false);
    EXPECT_TRUE(ColourBox(shot(), all, Rgb(clRed)).IsEmpty());
    button->SetEnabled(true);
    button->SetLayout(blGlyphLeft);
    form.Screenshot(L"bitbtn");

    // A click, and a double click as a second click.
    EventCounter clicks;
    button->OnClick = clicks.Event();
    ClickAt(button->Handle(), 40, 20);
    EXPECT_EQ(clicks.count, 1);
    SendMessageW(button->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 20));
    SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(40, 20));
    EXPECT_EQ(clicks.count, 2);
}
