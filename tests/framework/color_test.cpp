#include "framework/graphics/Color.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(Color, SystemColoursResolveThroughGetSysColor) {
    for (int index = COLOR_SCROLLBAR; index <= COLOR_MENUBAR; ++index) {
        TColor c = SystemColor(index);
        EXPECT_EQ(uint32_t(c), 0xFF000000u | unsigned(index));
        EXPECT_EQ(ColorToRGB(c), TColor(GetSysColor(index))) << "index " << index;
    }
    EXPECT_EQ(ColorToRGB(clBtnFace), TColor(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(uint32_t(clBtnFace), 0xFF00000Fu);
    EXPECT_EQ(uint32_t(clMenuBar), 0xFF00001Eu);
}

TEST(Color, PlainColoursAndMarkersPassThrough) {
    for (TColor c : {clBlack, clRed, clBlue, clWhite, TColor(0x00123456), clNone, clDefault})
        EXPECT_EQ(ColorToRGB(c), c);
    EXPECT_EQ(clNone, 0x1FFFFFFF);
    EXPECT_EQ(clDefault, 0x20000000);
}

TEST(Color, ComponentsAreStoredBlueGreenRed) {
    EXPECT_EQ(RGBColor(0x11, 0x22, 0x33), TColor(0x332211));
    EXPECT_EQ(RGBColor(255, 0, 0), clRed);
    EXPECT_EQ(TColor(RGB(1, 2, 3)), RGBColor(1, 2, 3));
    EXPECT_EQ(RedOf(0x332211), 0x11);
    EXPECT_EQ(GreenOf(0x332211), 0x22);
    EXPECT_EQ(BlueOf(0x332211), 0x33);
}
