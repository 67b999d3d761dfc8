// A picture of a few painted results for a person to look at: two gradients,
// a resampled image, a constant-weight blend and a masked texture.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <vector>

#include "PaintTestBitmaps.h"
#include "Pictures.h"
#include "skin/engine/sTransforms.h"
#include "skin/paint/sAlphaGraph.h"
#include "skin/paint/sFadeSum.h"
#include "skin/paint/sGradient.h"

using namespace skin;
using namespace painttest;

TEST(PaintScreenshot, GradientsResamplingAndBlend) {
    auto shot = Make(fw::pf24bit, 400, 140);
    Fill(*shot, 240);
    PaintGrad(shot.get(), fw::TRect(10, 10, 90, 130), L"16777215;8388608;40;0;0;8388608;255;60;0;0");
    PaintGrad(shot.get(), fw::TRect(100, 10, 180, 130), L"255;65280;50;1;0;65280;16711680;50;0;0");

    // A 4 x 4 checker, stretched to 80 x 120 with Mitchell.
    auto checker = Make(fw::pf24bit, 4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            Put(*checker, x, y, (x + y) % 2 ? std::vector<uint8_t>{40, 40, 200} : std::vector<uint8_t>{250, 250, 250});
    fw::TBitmap big;
    Stretch(checker.get(), &big, 80, 120, ftMitchell);
    BitBlt(shot->Canvas()->Handle(), 190, 10, 80, 120, big.Canvas()->Handle(), 0, 0, SRCCOPY);

    // The same checker blended at a quarter over a gradient.
    auto under = Make(fw::pf24bit, 110, 120);
    PaintGrad(under.get(), fw::TRect(0, 0, 110, 120), L"0;16777215;100;1;0");
    fw::TBitmap over;
    Stretch(checker.get(), &over, 110, 120, ftBox);
    SumBitmaps(under.get(), &over, TsColor{64});
    BitBlt(shot->Canvas()->Handle(), 280, 10, 110, 120, under->Canvas()->Handle(), 0, 0, SRCCOPY);

    SaveScreenshot(*shot, L"skin-paint-samples.bmp");
    EXPECT_EQ(Get(*shot, 0, 0), std::vector<uint8_t>(3, 240));

    // Each sample covers its place and is no flat fill; but for the blend,
    // whose light end may match it, none of the background shows through.
    struct Sample {
        const char* name;
        int left, width;
        size_t colours;
        bool backgroundHidden;
    };
    for (const Sample& p :
         {Sample{"white to navy to red", 10, 80, 40, true}, Sample{"red to green to blue", 100, 80, 40, true},
          Sample{"checker", 190, 80, 8, true}, Sample{"blend", 280, 110, 40, false}}) {
        std::set<std::vector<uint8_t>> colours;
        int background = 0;
        for (int y = 10; y < 130; ++y)
            for (int x = p.left; x < p.left + p.width; ++x) {
                const std::vector<uint8_t> c = Get(*shot, x, y);
                colours.insert(c);
                background += c == std::vector<uint8_t>(3, 240);
            }
        if (p.backgroundHidden) EXPECT_EQ(background, 0) << p.name;
        EXPECT_GE(colours.size(), p.colours) << p.name;
    }
    // The first gradient runs top to bottom: each row is one colour.
    for (int y = 10; y < 130; y += 10) EXPECT_EQ(Get(*shot, 11, y), Get(*shot, 88, y)) << "row " << y;
    // The resampled checker keeps both its colours, each over a good part.
    int red = 0, white = 0;
    for (int y = 10; y < 130; ++y)
        for (int x = 190; x < 270; ++x) {
            const std::vector<uint8_t> c = Get(*shot, x, y);
            red += c[2] - c[0] > 80;
            white += std::min({c[0], c[1], c[2]}) > 220;
        }
    EXPECT_GT(red, 80 * 120 / 20);
    EXPECT_GT(white, 80 * 120 / 20);
    // A quarter of the checker over a grey gradient: its red cells tint the grey.
    int tinted = 0;
    for (int y = 10; y < 130; ++y)
        for (int x = 280; x < 390; ++x) {
            const std::vector<uint8_t> c = Get(*shot, x, y);
            tinted += c[2] - c[0] >= 20;
        }
    EXPECT_GT(tinted, 110 * 120 / 5);
}
