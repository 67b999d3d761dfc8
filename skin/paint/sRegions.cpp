#include "skin/paint/sRegions.h"

#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sColorMath.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sAlphaGraph.h"
#include "skin/paint/sSkinImage.h"

namespace skin {

namespace {

// Scans one row: See(i) tells a see-through pixel i of n; run i maps to
// window column X(i) on row Y.
template <class See, class X>
void CollectRow(TAOR& AOR, int n, int Y, See see, X toX) {
    int start = -1;
    for (int i = 0; i <= n; ++i) {
        const bool t = i < n && see(i);
        if (t && start < 0) start = i;
        if (!t && start >= 0) {
            AOR.push_back(fw::TRect(toX(start), Y, toX(start) + (i - start), Y + 1));
            start = -1;
        }
    }
}

HRGN Subtract(int Width, int Height, const TAOR& AOR) { return GetRgnFromRuns(AOR, 0, 0, Width, Height); }

}  // namespace

HRGN GetRgnFromRuns(const TAOR& AOR, int X, int Y, int Width, int Height) {
    HRGN result = CreateRectRgn(X, Y, X + Width, Y + Height);
    for (const fw::TRect& r : AOR) {
        HRGN run = CreateRectRgn(X + r.Left, Y + r.Top, X + r.Right, Y + r.Bottom);
        CombineRgn(result, result, run, RGN_DIFF);
        DeleteObject(run);
    }
    return result;
}

void AddRgn(TAOR& AOR, int Width, const TsMaskData& MaskData, int VertOffset, bool Bottom) {
    const TPixelRows img = PixelRows(SkinImageBitmap(MaskData));
    if (!img || img.bpp < 3) return;
    const int rows = Bottom ? MaskData.WB : MaskData.WT;
    const int Y0 = MaskData.R.Top + (Bottom ? MaskData.R.Height() / (MaskTypeOf(MaskData) + 1) - MaskData.WB : 0);
    const int w = MaskData.R.Width() / ImageCountOf(MaskData);
    const int left = MaskData.R.Left;
    auto see = [&](int x, int y) { return img.Inside(x, y) && IsFuchsia(img.At(x, y)); };
    for (int r = 0; r < rows; ++r) {
        const int y = Y0 + r;
        CollectRow(
            AOR, MaskData.WL, VertOffset + r, [&](int c) { return see(left + c, y); }, [](int c) { return c; });
        const int first = w - MaskData.WR;
        CollectRow(
            AOR, MaskData.WR, VertOffset + r, [&](int c) { return see(left + first + c, y); },
            [&](int c) { return first + c + Width - w; });
    }
}

void AddRgnBmp(TAOR& AOR, fw::TBitmap* Bmp, TsColor TransColor) {
    TacFast24 fast;  // raises on a bitmap that is not 24-bit
    if (!Bmp || !fast.Attach(Bmp)) return;
    const TPixelRows img = PixelRows(Bmp);
    for (int y = 0; y < img.height; ++y)
        CollectRow(
            AOR, img.width, y,
            [&](int x) {
                const uint8_t* p = img.At(x, y);
                return p[2] == TransColor.R && p[1] == TransColor.G && p[0] == TransColor.B;
            },
            [](int x) { return x; });
}

HRGN GetRgnForMask(int ImageIndex, int Width, int Height, fw::TObject* SkinManager) {
    auto* M = dynamic_cast<TsSkinManager*>(SkinManager);
    if (!M || !M->IsValidImgIndex(ImageIndex)) return nullptr;
    const TsMaskData& md = M->ma[size_t(ImageIndex)];
    TAOR aor;
    AddRgn(aor, Width, md, 0, false);
    // The bottom corners' first row lies WB rows above the window's bottom.
    AddRgn(aor, Width, md, Height - md.WB, true);
    if (aor.empty()) return nullptr;
    return Subtract(Width, Height, aor);
}

void GetRgnFromBmp(HRGN& Region, fw::TBitmap* Bmp, fw::TColor TransColor) {
    TAOR aor;
    AddRgnBmp(aor, Bmp, ColorToSColor(TransColor));
    Region = Subtract(Bmp ? Bmp->Width() : 0, Bmp ? Bmp->Height() : 0, aor);
}

}  // namespace skin
