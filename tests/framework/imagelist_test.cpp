// Image lists over comctl32: pictures go in masked or with a mask, come out
// drawn enabled, in the etched disabled look, or as a bitmap. Pixels are
// checked in 32-bit bitmaps; no window is needed.
#include "framework/graphics/ImageList.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace fw;

namespace {

TColor At(TBitmap& b, int x, int y) {
    uint32_t p = static_cast<uint32_t*>(b.ScanLine(y))[x];
    return RGBColor(uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p));
}

void Fill(TBitmap& b, TColor c) {
    b.Canvas()->Brush()->SetColor(c);
    b.Canvas()->FillRect(Rect(0, 0, b.Width(), b.Height()));
}

// One character a pixel: 'R' red, 'W' white, 'K' black, '.' fuchsia (the key).
void Paint(TBitmap& b, const char* rows) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            char c = rows[y * b.Width() + x];
            b.Canvas()->SetPixels(x, y, c == 'R' ? clRed : c == 'W' ? clWhite : c == 'K' ? clBlack : clFuchsia);
        }
}

// The pixels of a w x h area at (x0, y0) as one character each, from a colour table.
std::string Map(TBitmap& b, int x0, int y0, int w, int h, const std::function<char(TColor)>& name) {
    std::string s;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) s += name(At(b, x, y));
        s += '\n';
    }
    return s;
}

const char* kGlyph =  // 6 x 5: a red block with a white and a black pixel in it
    "......"
    ".RRRR."
    ".RWKR."
    ".RRRR."
    "......";

}  // namespace

TEST(ImageList, AMaskedGlyphIsDrawnEnabledAndEtchedWhenDisabled) {
    TImageList list(nullptr, 6, 5);
    TBitmap glyph(6, 5, pf24bit);
    Paint(glyph, kGlyph);
    EXPECT_EQ(list.AddMasked(&glyph, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(At(glyph, 0, 0), clFuchsia) << "the caller's picture stays as it was";

    TBitmap canvas(20, 8, pf32bit);
    Fill(canvas, clBlue);
    list.Draw(canvas.Canvas(), 1, 1, 0);
    list.Draw(canvas.Canvas(), 10, 1, 0, false);
    const TColor hi = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
    ASSERT_NE(hi, shadow);
    auto name = [](TColor c) {
        return c == clBlue ? '.' : c == clRed ? 'R' : c == clBlack ? 'K' : c == clWhite ? 'W' : '?';
    };
    auto etched = [&](TColor c) { return c == clBlue ? '.' : c == shadow ? 's' : c == hi ? 'h' : '?'; };
    EXPECT_EQ(Map(canvas, 1, 1, 6, 5, name),
              "......\n"
              ".RRRR.\n"
              ".RWKR.\n"
              ".RRRR.\n"
              "......\n");
    // Disabled: the shape (opaque and not white) in shadow, its highlight one
    // pixel down-right showing where the shadow does not cover it.
    EXPECT_EQ(Map(canvas, 10, 1, 7, 6, etched),
              ".......\n"
              ".ssss..\n"
              ".shssh.\n"
              ".ssssh.\n"
              "..hhhh.\n"
              ".......\n");
    CreateDirectoryW(L"..\\screenshots", nullptr);
    canvas.SaveToFile(L"..\\screenshots\\imagelist-enabled-disabled.bmp");
}

TEST(ImageList, AMaskBitmapDecidesWhatIsTransparent) {
    TImageList list(nullptr, 4, 2);
    TBitmap image(4, 2, pf24bit), mask(4, 2, pf1bit);
    Fill(image, clLime);
    Fill(mask, clWhite);  // white: transparent
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(Rect(0, 0, 2, 2));
    ASSERT_EQ(list.Add(&image, &mask), 0);

    TBitmap out(4, 2, pf32bit);
    Fill(out, clNavy);
    list.Draw(out.Canvas(), 0, 0, 0);
    auto name = [](TColor c) { return c == clLime ? 'G' : c == clNavy ? '.' : '?'; };
    EXPECT_EQ(Map(out, 0, 0, 4, 2, name), "GG..\nGG..\n");

    // Without a mask the whole picture is opaque.
    ASSERT_EQ(list.Add(&image, nullptr), 1);
    Fill(out, clNavy);
    list.Draw(out.Canvas(), 0, 0, 1);
    EXPECT_EQ(Map(out, 0, 0, 4, 2, name), "GGGG\nGGGG\n");
}

TEST(ImageList, GetBitmapGivesOnePictureAtTheListsSize) {
    TImageList list(nullptr, 6, 5);
    TBitmap glyph(6, 5, pf24bit);
    Paint(glyph, kGlyph);
    list.AddMasked(&glyph, clFuchsia);

    TBitmap out;
    out.SetPixelFormat(pf32bit);
    EXPECT_FALSE(list.GetBitmap(1, &out));
    EXPECT_FALSE(list.GetBitmap(-1, &out));
    ASSERT_TRUE(list.GetBitmap(0, &out));
    EXPECT_EQ(out.Width(), 6);
    EXPECT_EQ(out.Height(), 5);
    EXPECT_EQ(At(out, 1, 1), clRed);
    EXPECT_EQ(At(out, 3, 2), clBlack);
    EXPECT_EQ(At(out, 0, 0), clBlack) << "through the mask onto the new, zero pixels";

    // A background colour fills behind the picture.
    list.SetBkColor(clYellow);
    TBitmap filled(6, 5, pf32bit);
    ASSERT_TRUE(list.GetBitmap(0, &filled));
    EXPECT_EQ(At(filled, 0, 0), clYellow);
    EXPECT_EQ(At(filled, 2, 1), clRed);
}

TEST(ImageList, AddCutsWidePicturesAndDeleteRemoves) {
    TImageList list(nullptr, 4, 4);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.HandleAllocated()) << "made on first use";
    TBitmap strip(12, 4, pf24bit);
    Fill(strip, clRed);
    strip.Canvas()->Brush()->SetColor(clLime);
    strip.Canvas()->FillRect(Rect(4, 0, 8, 4));
    EXPECT_EQ(list.Add(&strip, nullptr), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Add(&strip, nullptr), 3);
    EXPECT_EQ(list.Count(), 6);

    list.Delete(0);
    TBitmap out(4, 4, pf32bit);
    list.GetBitmap(0, &out);
    EXPECT_EQ(At(out, 0, 0), clLime) << "the second picture moved up";
    EXPECT_THROW(list.Delete(5), EInvalidOperation);
    EXPECT_THROW(list.Delete(-1), EInvalidOperation);

    TBitmap small(3, 4, pf24bit);
    try {
        list.Add(&small, nullptr);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message, L"Invalid image size");
    }
    EXPECT_EQ(list.Add(nullptr, nullptr), -1);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    // A new size makes a new, empty list.
    list.Add(&strip, nullptr);
    list.SetSize(2, 2);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Width(), 2);
    ASSERT_TRUE(list.HandleAllocated()) << "a list that existed is there at once";
    int w = 0, h = 0;
    ImageList_GetIconSize(list.Handle(), &w, &h);
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 2);
}

TEST(ImageList, ChangesReachOnChangeAndEveryLink) {
    struct Counter {
        int n = 0;
        TObject* sender = nullptr;
        void Hit(TObject* s) {
            ++n;
            sender = s;
        }
    } event, linked;
    auto* list = new TImageList(nullptr, 4, 4);
    list->OnChange = TNotifyEvent(&event, &Counter::Hit);
    TChangeLink link;
    link.OnChange = TNotifyEvent(&linked, &Counter::Hit);
    list->RegisterChanges(&link);
    EXPECT_EQ(link.Sender(), list);

    TBitmap pic(4, 4, pf24bit);
    list->Add(&pic, nullptr);
    EXPECT_EQ(event.n, 1);
    EXPECT_EQ(linked.n, 1);
    EXPECT_EQ(linked.sender, list);

    list->BeginUpdate();
    list->Add(&pic, nullptr);
    list->SetBkColor(clRed);
    list->Delete(0);
    EXPECT_EQ(event.n, 1);
    list->EndUpdate();
    EXPECT_EQ(event.n, 2) << "one notice for the whole update";
    EXPECT_EQ(linked.n, 2);

    {
        TChangeLink gone;
        list->RegisterChanges(&gone);
    }  // a freed link leaves the list
    list->Clear();
    EXPECT_EQ(linked.n, 3);

    delete list;  // a list going away lets go of its links
    EXPECT_EQ(link.Sender(), nullptr);
}

TEST(ImageList, AssignDuplicatesAndASharedHandleIsNotDestroyed) {
    TImageList source(nullptr, 4, 4);
    TBitmap pic(8, 4, pf24bit);
    Fill(pic, clRed);
    source.Add(&pic, nullptr);
    source.SetBkColor(clYellow);

    TImageList copy(nullptr);
    copy.Assign(&source);
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.BkColor(), clYellow);
    EXPECT_NE(copy.Handle(), source.Handle());
    copy.Clear();
    EXPECT_EQ(source.Count(), 2) << "the copy has pictures of its own";

    HIMAGELIST system = ImageList_Create(5, 3, ILC_COLOR24, 1, 1);
    {
        TImageList shared(nullptr);
        shared.SetShareImages(true);
        shared.SetHandle(system);
        EXPECT_EQ(shared.Width(), 5);
        EXPECT_EQ(shared.Height(), 3);
    }
    int w = 0, h = 0;
    EXPECT_TRUE(ImageList_GetIconSize(system, &w, &h)) << "a shared list outlives its wrapper";
    ImageList_Destroy(system);
}
