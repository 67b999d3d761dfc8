// The canvas on memory DCs: no window is needed. Text is measured against
// GDI with the same font, never against fixed widths (Wine's fonts are not
// Windows').
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/PixelSurface.h"

#include <gtest/gtest.h>

#include <thread>

using namespace fw;

namespace {

// A 32-bit surface in a DC the canvas does not own, filled white.
struct ForeignDC {
    explicit ForeignDC(int w = 16, int h = 12) : surface(w, h) {
        dc = surface.DC();
        RECT r{0, 0, w, h};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        GdiFlush();
    }
    TColor At(int x, int y) const {
        GdiFlush();
        uint32_t p = surface.Pixel32(x, y);
        return RGBColor(uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p));
    }
    PixelSurface surface;
    HDC dc;
};

// Marks each pixel of a w x h area as inside (1) or outside (0) a colour.
std::string Mask(const ForeignDC& d, TColor c, int w, int h) {
    std::string s;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) s += d.At(x, y) == c ? '#' : '.';
        s += '\n';
    }
    return s;
}

}  // namespace

TEST(Canvas, BorrowedDCGetsItsOwnObjectsBack) {
    ForeignDC d;
    HGDIOBJ font = GetCurrentObject(d.dc, OBJ_FONT);
    HGDIOBJ pen = GetCurrentObject(d.dc, OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(d.dc, OBJ_BRUSH);
    {
        TCanvas canvas;
        canvas.SetHandle(d.dc);
        canvas.Brush()->SetColor(clRed);
        canvas.FillRect(Rect(0, 0, 2, 2));
        EXPECT_EQ(GetCurrentObject(d.dc, OBJ_BRUSH), canvas.Brush()->Handle());
        EXPECT_EQ(GetCurrentObject(d.dc, OBJ_FONT), canvas.Font()->Handle());
        canvas.SetHandle(nullptr);
        EXPECT_EQ(GetCurrentObject(d.dc, OBJ_FONT), font);
        EXPECT_EQ(GetCurrentObject(d.dc, OBJ_PEN), pen);
        EXPECT_EQ(GetCurrentObject(d.dc, OBJ_BRUSH), brush);
        canvas.SetHandle(d.dc);
        canvas.TextOut(0, 0, L"x");
    }  // destroying the canvas also hands the DC back
    EXPECT_EQ(GetCurrentObject(d.dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(d.dc, OBJ_BRUSH), brush);
    EXPECT_EQ(d.At(1, 1), clRed);
}

TEST(Canvas, WithoutAHandleDrawingRaises) {
    TCanvas canvas;
    EXPECT_THROW(canvas.Handle(), EInvalidOperation);
    EXPECT_THROW(canvas.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(Canvas, FillRectAndFrameRectLeaveRightAndBottomEdges) {
    ForeignDC d(8, 6);
    TCanvas canvas;
    canvas.SetHandle(d.dc);
    canvas.Brush()->SetColor(clBlue);
    canvas.FillRect(Rect(1, 1, 4, 3));
    EXPECT_EQ(Mask(d, clBlue, 8, 6),
              "........\n"
              ".###....\n"
              ".###....\n"
              "........\n"
              "........\n"
              "........\n");
    canvas.Brush()->SetColor(clRed);
    canvas.FrameRect(Rect(3, 1, 8, 6));
    EXPECT_EQ(Mask(d, clRed, 8, 6),
              "........\n"
              "...#####\n"
              "...#...#\n"
              "...#...#\n"
              "...#...#\n"
              "...#####\n");
    canvas.SetHandle(nullptr);
}

TEST(Canvas, ClearBrushFillsNothingAndAColourMakesItSolid) {
    ForeignDC d(4, 4);
    TCanvas canvas;
    canvas.SetHandle(d.dc);
    canvas.Brush()->SetColor(clRed);
    canvas.Brush()->SetStyle(bsClear);
    canvas.FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(d.At(1, 1), clWhite);
    canvas.Brush()->SetColor(clLime);
    EXPECT_EQ(canvas.Brush()->Style(), bsSolid);
    canvas.FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(d.At(1, 1), clLime);
}

TEST(Canvas, PixelsReadAndWriteLikeGetPixelAndSetPixel) {
    ForeignDC d(4, 3);
    TCanvas canvas;
    canvas.SetHandle(d.dc);
    canvas.SetPixels(2, 1, TColor(0x123456));
    EXPECT_EQ(canvas.Pixels(2, 1), TColor(0x123456));
    EXPECT_EQ(d.At(2, 1), TColor(0x123456));
    canvas.SetPixels(1, 1, clBtnFace);  // system colours are resolved
    EXPECT_EQ(canvas.Pixels(1, 1), ColorToRGB(clBtnFace));
    // Outside: the read answers CLR_INVALID, the write is dropped.
    for (TPoint p : {Point(-1, 0), Point(4, 0), Point(0, 3), Point(100, 100)}) {
        EXPECT_EQ(canvas.Pixels(p.X, p.Y), TColor(CLR_INVALID));
        canvas.SetPixels(p.X, p.Y, clBlack);
    }
    EXPECT_EQ(Mask(d, clWhite, 4, 3), "####\n#..#\n####\n");
}

TEST(Canvas, ShapesUseThePenForOutlineAndTheBrushInside) {
    ForeignDC d(10, 10);
    TCanvas canvas;
    canvas.SetHandle(d.dc);
    canvas.Pen()->SetColor(clRed);
    canvas.Brush()->SetColor(clBlue);
    canvas.Rectangle(1, 1, 5, 5);
    EXPECT_EQ(d.At(1, 1), clRed);
    EXPECT_EQ(d.At(4, 4), clRed);
    EXPECT_EQ(d.At(2, 2), clBlue);
    EXPECT_EQ(d.At(5, 5), clWhite);
    canvas.Pen()->SetStyle(psClear);
    canvas.Ellipse(0, 0, 10, 10);
    EXPECT_EQ(d.At(5, 5), clBlue);
    EXPECT_EQ(d.At(0, 0), clWhite);  // the corner lies outside the ellipse
    canvas.Brush()->SetColor(clLime);
    canvas.RoundRect(6, 6, 10, 10, 2, 2);
    EXPECT_EQ(d.At(8, 8), clLime);

    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetColor(clBlack);
    canvas.MoveTo(0, 9);
    EXPECT_EQ(canvas.PenPos(), Point(0, 9));
    canvas.LineTo(4, 9);
    EXPECT_EQ(canvas.PenPos(), Point(4, 9));
    EXPECT_EQ(Mask(d, clBlack, 10, 10).substr(99, 10), "####......");
    const TPoint tri[] = {Point(0, 0), Point(3, 0), Point(0, 3)};
    canvas.Brush()->SetColor(clYellow);
    canvas.Polygon(tri, 3);
    EXPECT_EQ(d.At(0, 0), clBlack);
}

TEST(Canvas, PenModeIsApplied) {
    ForeignDC d(4, 1);
    TCanvas canvas;
    canvas.SetHandle(d.dc);
    canvas.Pen()->SetMode(pmNot);
    canvas.MoveTo(0, 0);
    canvas.LineTo(2, 0);
    EXPECT_EQ(d.At(0, 0), clBlack);  // white inverted
    EXPECT_EQ(d.At(2, 0), clWhite);
}

TEST(Canvas, FontDefaultsAndSizeFollowPixelsPerInch) {
    TFont font;
    EXPECT_EQ(font.Name(), L"Tahoma");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(font.Color(), clWindowText);
    EXPECT_TRUE(font.Style().Empty());
    font.SetPixelsPerInch(96);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    font.SetPixelsPerInch(120);
    font.SetSize(9);
    EXPECT_EQ(font.Height(), -15);
    EXPECT_EQ(font.Size(), 9);
}

TEST(Canvas, FontHandleIsRemadeAfterAChangeAndAssignCopies) {
    TFont font;
    int changes = 0;
    struct Counter {
        int* n;
        void Hit(TObject*) { ++*n; }
    } counter{&changes};
    font.OnChange = TNotifyEvent(&counter, &Counter::Hit);

    LOGFONTW lf{};
    HFONT first = font.Handle();
    font.SetStyle({fsBold, fsUnderline});
    font.SetHeight(-20);
    EXPECT_EQ(changes, 2);
    HFONT second = font.Handle();
    ASSERT_EQ(GetObjectW(second, sizeof lf, &lf), int(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfItalic);
    EXPECT_EQ(GetObjectType(first), 0u) << "the replaced font must be deleted";

    TFont copy;
    copy.SetName(L"Arial");
    copy.Assign(&font);
    EXPECT_EQ(copy.Name(), L"Tahoma");
    EXPECT_EQ(copy.Height(), -20);
    EXPECT_EQ(copy.Style(), TFontStyles({fsBold, fsUnderline}));
    EXPECT_EQ(copy.Color(), font.Color());
    TBrush brush;
    EXPECT_THROW(copy.Assign(&brush), EConvertError);
}

TEST(Canvas, ABorrowedFontHandleIsUsedButNeverDeleted) {
    LOGFONTW lf{};
    lf.lfHeight = -17;
    lf.lfItalic = TRUE;
    lf.lfEscapement = lf.lfOrientation = 900;
    lf.lfCharSet = HANGUL_CHARSET;
    wcscpy(lf.lfFaceName, L"Arial");
    HFONT turned = CreateFontIndirectW(&lf);
    {
        ForeignDC d;
        TCanvas canvas;
        canvas.SetHandle(d.dc);
        canvas.Font()->SetHandle(turned);
        EXPECT_EQ(canvas.Font()->Name(), L"Arial");
        EXPECT_EQ(canvas.Font()->Height(), -17);
        EXPECT_EQ(canvas.Font()->Charset(), HANGUL_CHARSET);
        EXPECT_TRUE(canvas.Font()->Style().Contains(fsItalic));
        canvas.Font()->SetColor(clRed);  // the colour is not part of the GDI font
        canvas.TextOut(0, 0, L"a");
        EXPECT_EQ(GetCurrentObject(d.dc, OBJ_FONT), turned);
        canvas.Font()->SetHeight(-12);
        canvas.TextOut(0, 0, L"a");
        EXPECT_NE(GetCurrentObject(d.dc, OBJ_FONT), turned);
        canvas.Font()->SetHandle(turned);
    }
    EXPECT_EQ(GetObjectType(turned), DWORD(OBJ_FONT));
    DeleteObject(turned);
}

// The canvas drops a changed font from its DC before the font deletes the old
// object, and selects the new one on the next use.
TEST(Canvas, TextIsMeasuredWithTheCurrentFont) {
    ForeignDC d(8, 8);
    TCanvas canvas;
    canvas.SetHandle(d.dc);
    const String text = L"Wide text 한글";
    auto gdiExtent = [&](TFont& f) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, f.Handle());
        SIZE s{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &s);
        SelectObject(dc, old);
        DeleteDC(dc);
        return TSize(s);
    };
    TSize small = canvas.TextExtent(text);
    EXPECT_EQ(small, gdiExtent(*canvas.Font()));
    HFONT before = canvas.Font()->Handle();
    canvas.Font()->SetHeight(-30);
    EXPECT_NE(GetCurrentObject(d.dc, OBJ_FONT), before);
    EXPECT_EQ(GetObjectType(before), 0u) << "the old font left the DC before it was deleted";
    TSize large = canvas.TextExtent(text);
    EXPECT_EQ(large, gdiExtent(*canvas.Font()));
    EXPECT_GT(large.cx, small.cx);
    EXPECT_GT(large.cy, small.cy);
    EXPECT_EQ(canvas.TextWidth(text), large.cx);
    EXPECT_EQ(canvas.TextHeight(text), large.cy);
    EXPECT_EQ(GetCurrentObject(d.dc, OBJ_FONT), canvas.Font()->Handle());
    canvas.SetHandle(nullptr);
}

// The viewer's forms speak Korean in the default face: two different
// syllables must come out as two different glyphs, not the same empty box
// (a machine whose Tahoma has no link to a Hangul font draws boxes).
TEST(Canvas, HangulInTheDefaultFaceDrawsRealGlyphs) {
    auto ink = [](const wchar_t* syllable) {
        ForeignDC d(24, 20);
        TCanvas canvas;
        canvas.SetHandle(d.dc);
        canvas.Font()->SetHeight(-16);
        canvas.Brush()->SetStyle(bsClear);
        canvas.TextOut(2, 2, syllable);
        std::string m = Mask(d, clWhite, 24, 20);
        canvas.SetHandle(nullptr);
        return m;
    };
    const std::string pa = ink(L"파"), il = ink(L"일");
    EXPECT_NE(pa, il) << pa;
    EXPECT_NE(pa, ink(L"")) << "no ink at all";
}

TEST(Canvas, TextRectClipsAndFillsUnlessTheBrushIsClear) {
    ForeignDC d(40, 20);
    TCanvas canvas;
    canvas.SetHandle(d.dc);
    canvas.Font()->SetQuality(fqNonAntialiased);
    canvas.Font()->SetHeight(-16);
    canvas.Font()->SetColor(clBlack);
    const TRect clip = Rect(5, 2, 15, 18);
    const String text = L"MMMMMMMMMM";
    ASSERT_GT(canvas.TextWidth(text), 20);

    canvas.Brush()->SetStyle(bsClear);
    canvas.TextRect(clip, 2, 2, text);
    int inside = 0, outside = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            if (d.At(x, y) == clWhite) continue;
            (clip.Contains(Point(x, y)) ? inside : outside)++;
        }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);

    canvas.Brush()->SetColor(clYellow);
    canvas.TextRect(Rect(20, 0, 30, 20), 20, 0, L"");
    EXPECT_EQ(d.At(20, 0), clYellow);
    EXPECT_EQ(d.At(29, 19), clYellow);
    EXPECT_EQ(d.At(30, 0), clWhite);
    EXPECT_EQ(d.At(19, 0), clWhite);
}

TEST(Canvas, DrawAndCopyRectBlitPixels) {
    TBitmap bmp(3, 2, pf24bit);
    bmp.Canvas()->Brush()->SetColor(clRed);
    bmp.Canvas()->FillRect(Rect(0, 0, 3, 2));
    bmp.Canvas()->SetPixels(2, 1, clBlue);

    ForeignDC d(10, 10);
    TCanvas canvas;
    canvas.SetHandle(d.dc);
    canvas.Draw(4, 5, &bmp);
    EXPECT_EQ(d.At(4, 5), clRed);
    EXPECT_EQ(d.At(6, 6), clBlue);
    EXPECT_EQ(d.At(7, 6), clWhite);
    EXPECT_EQ(d.At(3, 5), clWhite);

    TBitmap solid(2, 2, pf24bit);
    solid.Canvas()->Brush()->SetColor(clLime);
    solid.Canvas()->FillRect(Rect(0, 0, 2, 2));
    canvas.StretchDraw(Rect(0, 0, 4, 4), &solid);
    EXPECT_EQ(Mask(d, clLime, 5, 5), "####.\n####.\n####.\n####.\n.....\n");

    canvas.CopyRect(Rect(8, 0, 10, 2), bmp.Canvas(), Rect(1, 0, 3, 2));
    EXPECT_EQ(d.At(8, 0), clRed);
    EXPECT_EQ(d.At(9, 1), clBlue);
    canvas.Draw(0, 0, nullptr);  // nothing to draw is not an error
}

TEST(Canvas, ClipRectIsTheSurfaceOfABitmapCanvas) {
    TBitmap bmp(7, 5, pf32bit);
    EXPECT_EQ(bmp.Canvas()->ClipRect(), Rect(0, 0, 7, 5));
}

TEST(Canvas, LockIsHeldAgainstOtherThreads) {
    TCanvas canvas;
    canvas.Lock();
    canvas.Lock();  // re-entrant on one thread
    EXPECT_EQ(canvas.LockCount(), 2);
    bool other = true;
    std::thread([&] { other = canvas.TryLock(); }).join();
    EXPECT_FALSE(other);
    canvas.Unlock();
    canvas.Unlock();
    EXPECT_EQ(canvas.LockCount(), 0);
    std::thread([&] {
        other = canvas.TryLock();
        if (other) canvas.Unlock();
    }).join();
    EXPECT_TRUE(other);
}
