// Where a skinned speed button puts its glyph and caption: each layout with
// the pair centred or held at a margin, glyph or caption alone, pressed one
// pixel right and down, and halves of odd free space rounded toward zero
// (also when the content is wider than the button).
#include <gtest/gtest.h>

#include <ostream>

#include "skin/windows/acSpeedButtonHandler.h"

using namespace skin;

namespace fw {
// Rectangles in failure messages.
void PrintTo(const TRect& R, std::ostream* os) {
    *os << "(" << R.Left << ", " << R.Top << ", " << R.Right << ", " << R.Bottom << ")";
}
}  // namespace fw

namespace {

struct Case {
    const char* what;
    int width, height;
    SIZE glyph, text;
    fw::TButtonLayout layout;
    int margin;
    bool pressed;
    fw::TRect glyphRect, captionRect;
};

const SIZE kGlyph{16, 16};
const SIZE kText{30, 13};
const SIZE kNone{0, 0};

// Spacing is 4 throughout.
const Case kCases[] = {
    {"left, centred", 60, 30, kGlyph, kText, fw::blGlyphLeft, -1, false, {5, 7, 21, 23}, {25, 8, 55, 21}},
    {"left, centred, pressed", 60, 30, kGlyph, kText, fw::blGlyphLeft, -1, true, {6, 8, 22, 24}, {26, 9, 56, 22}},
    {"right, centred", 60, 30, kGlyph, kText, fw::blGlyphRight, -1, false, {39, 7, 55, 23}, {5, 8, 35, 21}},
    {"top, centred", 60, 50, kGlyph, kText, fw::blGlyphTop, -1, false, {22, 8, 38, 24}, {15, 28, 45, 41}},
    {"bottom, centred", 60, 50, kGlyph, kText, fw::blGlyphBottom, -1, false, {22, 26, 38, 42}, {15, 9, 45, 22}},
    {"left at margin 3", 60, 30, kGlyph, kText, fw::blGlyphLeft, 3, false, {3, 7, 19, 23}, {23, 8, 53, 21}},
    {"right at margin 3", 60, 30, kGlyph, kText, fw::blGlyphRight, 3, false, {41, 7, 57, 23}, {7, 8, 37, 21}},
    {"top at margin 3", 60, 50, kGlyph, kText, fw::blGlyphTop, 3, false, {22, 3, 38, 19}, {15, 23, 45, 36}},
    {"bottom at margin 3, pressed",
     60,
     50,
     kGlyph,
     kText,
     fw::blGlyphBottom,
     3,
     true,
     {23, 32, 39, 48},
     {16, 15, 46, 28}},
    // No caption: no spacing either, the glyph alone is centred.
    {"glyph alone", 60, 30, kGlyph, kNone, fw::blGlyphLeft, -1, false, {22, 7, 38, 23}, {42, 15, 42, 15}},
    {"caption alone, centred", 60, 30, kNone, kText, fw::blGlyphLeft, -1, false, {15, 15, 15, 15}, {15, 8, 45, 21}},
    {"caption alone, pressed", 60, 30, kNone, kText, fw::blGlyphTop, -1, true, {31, 9, 31, 9}, {16, 9, 46, 22}},
    {"caption alone, left margin", 60, 30, kNone, kText, fw::blGlyphLeft, 5, false, {5, 15, 5, 15}, {5, 8, 35, 21}},
    {"caption alone, right margin",
     60,
     30,
     kNone,
     kText,
     fw::blGlyphRight,
     5,
     false,
     {55, 15, 55, 15},
     {25, 8, 55, 21}},
    {"caption alone, top margin", 60, 30, kNone, kText, fw::blGlyphTop, 5, false, {30, 5, 30, 5}, {15, 5, 45, 18}},
    {"caption alone, bottom margin",
     60,
     30,
     kNone,
     kText,
     fw::blGlyphBottom,
     5,
     false,
     {30, 25, 30, 25},
     {15, 12, 45, 25}},
    // Too narrow: the free width is -19, half of it -9.
    {"content wider than the button",
     31,
     30,
     kGlyph,
     kText,
     fw::blGlyphLeft,
     -1,
     false,
     {-9, 7, 7, 23},
     {11, 8, 41, 21}},
    {"odd free height", 60, 31, kGlyph, kText, fw::blGlyphLeft, -1, false, {5, 7, 21, 23}, {25, 9, 55, 22}},
};

}  // namespace

TEST(SpeedButtonLayout, GlyphAndCaptionPlaces) {
    for (const Case& c : kCases) {
        TacSpeedButtonLayout L;
        L.Width = c.width, L.Height = c.height;
        L.Glyph = c.glyph, L.Text = c.text;
        L.Layout = c.layout, L.Margin = c.margin, L.Spacing = 4, L.Pressed = c.pressed;
        EXPECT_EQ(c.glyphRect, SpeedButtonGlyphRect(L)) << c.what;
        EXPECT_EQ(c.captionRect, SpeedButtonCaptionRect(L)) << c.what;
    }
}
