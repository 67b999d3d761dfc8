// A control's canvas lent to another DC (a cache) and given back, under Lock;
// fonts and bitmaps that own or only borrow their GDI handles.
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GraphicsObjects.h"

#include <gtest/gtest.h>

#include <cstring>

#include "control_fixture.h"

using namespace fw;
using namespace fwtest;

namespace {

class TCanvasUser : public TCustomControl {
public:
    explicit TCanvasUser(TComponent* AOwner) : TCustomControl(AOwner) {}
    String ClassName() const override { return L"TCanvasUser"; }
};

TColor At(TBitmap& b, int x, int y) { return b.Canvas()->Pixels(x, y); }

HBITMAP MakeDib(int w, int h, uint32_t pixel, void** bits) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
    for (int i = 0; i < w * h; ++i) static_cast<uint32_t*>(*bits)[i] = pixel;
    return dib;
}

}  // namespace

TEST(CanvasRebind, AControlCanvasPaintsIntoACacheAndGetsItsOwnDCBack) {
    auto* host = Create<THostWindow>(nullptr);
    auto* control = Create<TCanvasUser>(nullptr);
    control->SetBounds(5, 5, 40, 30);
    control->SetParent(host);
    host->Show();
    Pump(30);

    TCanvas* canvas = control->Canvas();
    HDC own = canvas->Handle();
    TBitmap cache(20, 20, pf32bit);
    cache.Canvas()->Brush()->SetColor(clWhite);
    cache.Canvas()->FillRect(Rect(0, 0, 20, 20));
    cache.Canvas()->Lock();
    HDC cacheDC = cache.Canvas()->Handle();
    HGDIOBJ cacheBrush = GetCurrentObject(cacheDC, OBJ_BRUSH);

    canvas->Lock();
    HDC saved = canvas->Handle();
    canvas->SetHandle(cacheDC);
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(Rect(2, 2, 6, 6));
    FreeDeviceContexts();  // a locked canvas keeps both DCs
    EXPECT_EQ(canvas->Handle(), cacheDC);
    canvas->SetHandle(saved);
    canvas->Unlock();
    EXPECT_EQ(canvas->Handle(), own);
    EXPECT_EQ(GetCurrentObject(cacheDC, OBJ_BRUSH), cacheBrush) << "the cache's DC got its own brush back";
    cache.Canvas()->Unlock();
    EXPECT_EQ(At(cache, 3, 3), clRed);
    EXPECT_EQ(At(cache, 7, 7), clWhite);

    // Drawing after the return reaches the window, not the cache.
    canvas->Brush()->SetColor(clBlue);
    canvas->FillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(At(cache, 3, 3), clRed);

    // Unbinding a lent DC also returns the canvas to its own: the next use fetches one.
    canvas->SetHandle(cacheDC);
    canvas->SetHandle(nullptr);
    EXPECT_NE(canvas->Handle(), cacheDC);
    FreeDeviceContexts();
    EXPECT_FALSE(canvas->HandleAllocated()) << "the idle step releases what the canvas fetched";

    // A lent DC alone is not the canvas's to release.
    canvas->SetHandle(cacheDC);
    FreeDeviceContexts();
    EXPECT_EQ(canvas->Handle(), cacheDC);
    canvas->SetHandle(nullptr);
    host->Free();
}

TEST(CanvasRebind, OwnedFontsAreDeletedAndBorrowedOnesNever) {
    struct Case {
        THandleOwnership ownership;
        bool replaced;  // by a property change, else by the font going away
        bool deleted;
    } cases[] = {
        {hoOwned, true, true},
        {hoOwned, false, true},
        {hoBorrowed, true, false},
        {hoBorrowed, false, false},
    };
    for (const Case& c : cases) {
        LOGFONTW lf{};
        lf.lfHeight = -15;
        lf.lfUnderline = TRUE;
        wcscpy(lf.lfFaceName, L"Arial");
        HFONT made = CreateFontIndirectW(&lf);
        {
            TBitmap bmp(4, 4, pf24bit);
            TFont* font = bmp.Canvas()->Font();
            font->SetHandle(made, c.ownership);
            EXPECT_TRUE(font->Style().Contains(fsUnderline));
            EXPECT_EQ(font->Height(), -15);
            bmp.Canvas()->TextOut(0, 0, L"x");  // selected into the bitmap's DC
            if (c.replaced) {
                font->SetHeight(-20);
                bmp.Canvas()->TextOut(0, 0, L"x");
                EXPECT_NE(font->Handle(), made);
            }
            if (c.replaced) {
                EXPECT_EQ(GetObjectType(made) == 0, c.deleted) << c.ownership;
            }
        }
        EXPECT_EQ(GetObjectType(made) == 0, c.deleted) << c.ownership << " replaced " << c.replaced;
        if (!c.deleted) DeleteObject(made);
    }
    // Taking ownership of the font already in use.
    LOGFONTW lf{};
    lf.lfHeight = -12;
    HFONT made = CreateFontIndirectW(&lf);
    {
        TFont font;
        font.SetHandle(made);
        font.SetHandle(made, hoOwned);
    }
    EXPECT_EQ(GetObjectType(made), 0u);
}

TEST(CanvasRebind, ABorrowedBitmapIsDrawnOnButNeverDeleted) {
    void* bits = nullptr;
    HBITMAP dib = MakeDib(3, 2, 0x0000FF00, &bits);  // green, a static control's picture
    {
        TBitmap b;
        b.SetHandle(dib, hoBorrowed);
        EXPECT_TRUE(b.HandleBorrowed());
        EXPECT_EQ(b.Width(), 3);
        EXPECT_EQ(At(b, 2, 1), clLime);
        b.Canvas()->SetPixels(0, 0, clRed);  // drawing changes the maker's pixels
        GdiFlush();
        EXPECT_EQ(static_cast<uint32_t*>(bits)[0] & 0xFFFFFF, 0x00FF0000u);

        // A format change moves the picture into a bitmap of our own.
        b.SetPixelFormat(pf24bit);
        EXPECT_FALSE(b.HandleBorrowed());
        EXPECT_NE(b.Handle(), dib);
        EXPECT_EQ(At(b, 0, 0), clRed);
        EXPECT_EQ(At(b, 2, 1), clLime);
        EXPECT_EQ(GetObjectType(dib), DWORD(OBJ_BITMAP));
        b.Canvas()->SetPixels(1, 1, clBlue);
        GdiFlush();
        EXPECT_EQ(static_cast<uint32_t*>(bits)[4] & 0xFFFFFF, 0x0000FF00u) << "the borrowed one is left alone";
    }
    EXPECT_EQ(GetObjectType(dib), DWORD(OBJ_BITMAP));

    // Freed while borrowed, from a resize, and released: never deleted here.
    for (int way = 0; way < 3; ++way) {
        {
            TBitmap b;
            b.SetHandle(dib, hoBorrowed);
            if (way == 1) b.SetSize(5, 5);
            if (way == 2) {
                EXPECT_EQ(b.ReleaseHandle(), dib);
            }
        }
        EXPECT_EQ(GetObjectType(dib), DWORD(OBJ_BITMAP)) << way;
    }
    // A device bitmap borrowed the same way.
    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    {
        TBitmap b;
        b.SetHandle(ddb, hoBorrowed);
        EXPECT_EQ(b.PixelFormat(), pfDevice);
        b.Canvas()->FillRect(Rect(0, 0, 4, 4));
    }
    EXPECT_EQ(GetObjectType(ddb), DWORD(OBJ_BITMAP));
    DeleteObject(ddb);

    // Owned (the default), it goes with the TBitmap.
    {
        TBitmap b;
        b.SetHandle(dib);
    }
    EXPECT_EQ(GetObjectType(dib), 0u);
}

TEST(CanvasRebind, SwitchingBetween24And32BitsKeepsThePictureInBothRowOrders) {
    for (bool topDown : {true, false}) {
        TBitmap b(7, 5, pf24bit);  // bottom-up, as BMP files mostly are
        if (topDown) {
            std::vector<uint8_t> file = b.SaveToBytes();
            int32_t height = -5;
            std::memcpy(file.data() + 22, &height, 4);
            b.LoadFromBytes(file.data(), file.size());
        }
        ASSERT_EQ(b.TopDown(), topDown);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) b.Canvas()->SetPixels(x, y, RGBColor(uint8_t(x * 30), uint8_t(y * 50), 77));
        HBITMAP before = b.Handle();
        b.SetPixelFormat(pf32bit);
        EXPECT_NE(b.Handle(), before);
        EXPECT_EQ(b.PixelFormat(), pf32bit);
        b.SetPixelFormat(pf24bit);
        EXPECT_EQ(b.TopDown(), topDown);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(At(b, x, y), RGBColor(uint8_t(x * 30), uint8_t(y * 50), 77)) << x << "," << y;
    }
}
