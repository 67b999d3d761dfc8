// The leak checks' counter (common/GdiObjects.h) sees every kind of object a
// leak would leave, and sees it go again.
#include <windows.h>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "common/GdiObjects.h"

namespace {

struct Kind {
    const char* Name;
    std::function<HGDIOBJ()> Make;
    int GdiObjectCounts::*Field;
};

// Not through a screen DC: the first one makes the display's own objects.
HGDIOBJ MakeBitmap() { return CreateBitmap(4, 4, 1, 32, nullptr); }

HGDIOBJ MakeFont() {
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    return CreateFontIndirectW(&lf);
}

}  // namespace

TEST(GdiObjectCount, SeesEachKindMadeAndDeleted) {
    const Kind kinds[] = {
        {"bitmap", MakeBitmap, &GdiObjectCounts::Bitmaps},
        {"brush", [] { return HGDIOBJ(CreateSolidBrush(RGB(9, 8, 7))); }, &GdiObjectCounts::Brushes},
        {"pen", [] { return HGDIOBJ(CreatePen(PS_SOLID, 1, RGB(9, 8, 7))); }, &GdiObjectCounts::Pens},
        {"font", MakeFont, &GdiObjectCounts::Fonts},
        {"region", [] { return HGDIOBJ(CreateRectRgn(0, 0, 5, 5)); }, &GdiObjectCounts::Regions},
    };
    for (const Kind& k : kinds) {
        const GdiObjectCounts before = CountGdiObjects();
        ASSERT_GT(before.Total, 0) << "the stock objects at least";
        std::vector<HGDIOBJ> made;
        for (int i = 0; i < 7; ++i) made.push_back(k.Make());
        const GdiObjectCounts during = CountGdiObjects();
        EXPECT_EQ(during.*k.Field - before.*k.Field, 7) << k.Name << ": " << during;
        EXPECT_EQ(during.Total - before.Total, 7) << k.Name << ": " << during;
        EXPECT_FALSE(GdiObjectsGrewAtMost(before, during, 2)) << k.Name;
        for (HGDIOBJ h : made) DeleteObject(h);
        EXPECT_TRUE(GdiObjectsGrewAtMost(before, CountGdiObjects(), 0)) << k.Name;
    }
}

TEST(GdiObjectCount, SeesDeviceContexts) {
    DeleteDC(CreateCompatibleDC(nullptr));  // the first one makes the display's own
    const GdiObjectCounts before = CountGdiObjects();
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(CountGdiObjects().DCs - before.DCs, 1);
    DeleteDC(dc);
    EXPECT_EQ(CountGdiObjects().DCs, before.DCs);
}
