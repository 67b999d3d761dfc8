#include "skin/paint/sGlyphs.h"

#include <algorithm>

#include "framework/graphics/Color.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sColorMath.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sAlphaGraph.h"
#include "skin/paint/sBGQuery.h"
#include "skin/paint/sChannels.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sCopies.h"
#include "skin/paint/sSkinImage.h"
#include "skin/paint/sVclUtils.h"

namespace skin {

void DrawSkinGlyph(fw::TBitmap* Bmp, fw::TPoint P, int State, int AddedTransparency, const TsMaskData& MaskData,
                   const TCacheInfo& CI) {
    if (!Bmp) return;
    if (!LiesInBitmap(MaskData, MaskData.Bmp ? MaskData.Bmp : SkinImageBitmap(MaskData))) return;
    const fw::TRect& R = MaskData.R;
    const int n = ImageCountOf(MaskData);
    const int w = R.Width() / n, h = R.Height() / (MaskTypeOf(MaskData) + 1);
    const int X0 = R.Left + w * std::max(std::min(State, n - 1), 0), Y0 = R.Top;
    const int dx = P.X < 0 ? -P.X : 0, dy = P.Y < 0 ? -P.Y : 0;
    const fw::TRect dst(P.X + dx, P.Y + dy, P.X + w - 1, P.Y + h - 1);
    const fw::TRect src(X0 + dx, Y0 + dy, X0 + w - 1, Y0 + h - 1);
    if (MaskData.Bmp) {
        BlendGlyphByMask(dst, src, Bmp, MaskData.Bmp, 0xFF00FF, AddedTransparency, MaskData);
        return;
    }
    fw::TBitmap* master = SkinImageBitmap(MaskData);
    if (!master || MaskData.ImageCount == 0) return;
    if (MaskData.MaskType > 0)
        BlendGlyphByMask(dst, src, Bmp, master, 0xFF00FF, AddedTransparency, MaskData);
    else if (AddedTransparency == 1)
        CopyTransRect(Bmp, master, dst.Left, dst.Top, src, 0xFF00FF, CI, true);
    else
        BlendTransRectangle(Bmp, dst.Left, dst.Top, master, src, 0.5, ColorToSColor(0xFF00FF));
}

void BlendGlyphByMask(fw::TRect R1, fw::TRect R2, fw::TBitmap* Bmp1, fw::TBitmap* Bmp2, fw::TColor,
                      int AddedTransparency, const TsMaskData& MaskData) {
    if (!Bmp1 || !Bmp2) return;
    if (MaskTypeOf(MaskData) == 0) {
        CopyTransRectA(Bmp1, Bmp2, R1.Left, R1.Top, R2, 0xFF00FF, EmptyCI);
        return;
    }
    const int hImg = MaskData.R.Height() / (MaskTypeOf(MaskData) + 1);
    const TPixelRows dst = PixelRows(Bmp1), src = PixelRows(Bmp2);
    if (!dst || !src || dst.bpp < 3 || src.bpp < 3) return;
    // Last row and column: what both rectangles hold and what lies inside both
    // bitmaps (the image's mask row included), whatever the image count.
    int L = std::min(
        {int(R1.Height()), int(R2.Height()), dst.height - int(R1.Top) - 1, src.height - int(R2.Top) - hImg - 1});
    int C = std::min({int(R1.Width()), int(R2.Width()), dst.width - int(R1.Left) - 1, src.width - int(R2.Left) - 1});
    if (R1.Left < 0 || R1.Top < 0 || R2.Left < 0 || R2.Top < 0 || L < 0 || C < 0) return;
    for (int r = 0; r <= L; ++r) {
        const uint8_t* s = src.At(R2.Left, R2.Top + r);
        const uint8_t* k = src.At(R2.Left, R2.Top + r + hImg);
        uint8_t* d = dst.At(R1.Left, R1.Top + r);
        for (int c = 0; c <= C; ++c, s += src.bpp, k += src.bpp, d += dst.bpp) {
            if (IsFuchsia(s)) continue;
            for (int ch = 0; ch < 3; ++ch) {
                const int m = AddedTransparency == 1 ? k[ch] : std::min(k[ch] + 100, 255);
                d[ch] = uint8_t(std::clamp(((d[ch] - s[ch]) * m + s[ch] * 256) >> 8, 0, 255));
            }
            if (dst.bpp == 4) d[3] = 255;
        }
    }
}

void BmpDisabledKind(fw::TBitmap* Bmp, TsDisabledKind DisabledKind, fw::TControl* Parent, const TCacheInfo& CI,
                     fw::TPoint Offset) {
    if (!Bmp) return;
    if (DisabledKind.Contains(dkGrayed)) GrayScale(Bmp);
    if (!DisabledKind.Contains(dkBlended)) return;
    fw::TRect R(0, 0, Bmp->Width(), Bmp->Height());
    if (CI.Ready) {
        fw::OffsetRect(R, CI.X + Offset.X, CI.Y + Offset.Y);
        TsColor none;
        none.C = 0xFF000000;  // alpha 255: no colour is see-through
        BlendTransRectangle(Bmp, 0, 0, CI.Bmp, R, 0.4, none);
    } else {
        const fw::TColor c = (CI.FillColor & 0xFFFFFF) == 0xFF00FF ? GetControlColor(Parent) : CI.FillColor;
        BlendColorRect(Bmp, R, 50, c);
    }
}

namespace {

// Pixels of piece (sx, sy, w, h) of the image that are fuchsia give the
// background to the cache at (x, y).
struct CornerFix {
    TPixelRows img, cache;
    TParentPixels* parent;  // null: fill with fill
    bool fillSet;
    uint8_t fill[3];
    bool endRowAtParentEdge;

    void Run(int sx, int sy, int x, int y, int w, int h, int ox, int oy) const {
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) {
                if (!img.Inside(sx + c, sy + r) || !cache.Inside(x + c, y + r)) continue;
                if (!IsFuchsia(img.At(sx + c, sy + r))) continue;
                uint8_t* d = cache.At(x + c, y + r);
                if (parent) {
                    if (parent->Look(ox + x + c, oy + y + r, d) == plEndRow && endRowAtParentEdge) break;
                } else if (fillSet) {
                    d[0] = fill[0], d[1] = fill[1], d[2] = fill[2];
                }
            }
    }
};

}  // namespace

void UpdateCorners(TsCommonData* SkinData, int State, TsCorners Corners) {
    if (!SkinData) return;
    fw::TControl* c = SkinData->FOwnerControl;
    if (!c) return;
    TacBGInfo bg;
    if (c->Parent()) GetBGInfo(&bg, c->Parent(), false);
    TCacheInfo ci;
    if (bg.BgType == btCache) {
        // A cache that is no 24- or 32-bit image gives neither pixels nor a colour.
        if (!bg.Bmp || !Is24or32(bg.Bmp)) return;
        ci = MakeCacheInfo(bg.Bmp, bg.Offset.X + c->Left(), bg.Offset.Y + c->Top());
    } else {
        ci.FillColor = bg.Color;
    }
    UpdateCornersOver(SkinData, State, c->Width(), c->Height(), ci, Corners);
}

void UpdateCornersOver(TsCommonData* SkinData, int State, int Width, int Height, const TCacheInfo& Parent,
                       TsCorners Corners) {
    if (!SkinData) return;
    TsSkinManager* M = SkinData->GetSkinManager();
    if (!M || SkinData->BorderIndex < 0 || !M->IsValidImgIndex(SkinData->BorderIndex) || !SkinData->FCacheBmp ||
        Width <= 1 || Height <= 1)
        return;
    TsMaskData md = M->ma[size_t(SkinData->BorderIndex)];
    if (md.Bmp && md.ImageCount == 0) {
        md.ImageCount = 3;
        md.MaskType = 1;
        md.R = fw::TRect(0, 0, md.Bmp->Width(), md.Bmp->Height());
    }
    fw::TBitmap* image = SkinImageBitmap(md);
    if (!image) return;
    const int W = Width, H = Height, wl = md.WL, wt = md.WT, wr = md.WR, wb = md.WB;
    const int stateW = md.R.Width() / ImageCountOf(md), hImg = md.R.Height() / (MaskTypeOf(md) + 1);
    const int sw = stateW - wl - wr;
    const int X0 = md.R.Left + stateW * std::max(std::min(State, ImageCountOf(md) - 1), 0);

    CornerFix fix{PixelRows(image), PixelRows(SkinData->FCacheBmp), nullptr, false, {}, MaskTypeOf(md) != 0};
    if (!fix.img || !fix.cache || fix.img.bpp < 3) return;
    int ox = 0, oy = 0;
    std::unique_ptr<TParentPixels> parent;
    if (Parent.Ready && Parent.Bmp && Is24or32(Parent.Bmp)) {
        ox = Parent.X, oy = Parent.Y;
        parent = std::make_unique<TParentPixels>(Parent);
        fix.parent = parent.get();
    } else if (!Parent.Ready) {
        const fw::TColor col = MaskTypeOf(md) == 0 ? fw::ColorToRGB(Parent.FillColor) : Parent.FillColor;
        fix.fillSet = MaskTypeOf(md) != 0 || (col & 0xFFFFFF) != 0xFF00FF;
        fix.fill[0] = uint8_t(col >> 16), fix.fill[1] = uint8_t(col >> 8), fix.fill[2] = uint8_t(col);
    }
    if (Corners.Contains(scLeftTop)) fix.Run(X0, md.R.Top, 0, 0, wl, wt, ox, oy);
    if (Corners.Contains(scLeftBottom)) fix.Run(X0, md.R.Top + hImg - wb, 0, H - wb, wl, wb, ox, oy);
    if (Corners.Contains(scRightBottom)) fix.Run(X0 + wl + sw, md.R.Top + hImg - wb, W - wr, H - wb, wr, wb, ox, oy);
    if (Corners.Contains(scRightTop)) fix.Run(X0 + wl + sw, md.R.Top, W - wr, 0, wr, wt, ox, oy);
}

void FillTransPixels32(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, fw::TRect R, fw::TPoint Offset, int MaskIndex,
                       fw::TObject* SkinManager, unsigned Corner) {
    const TPixelRows dst = PixelRows(DstBmp), src = PixelRows(SrcBmp);
    if (!dst || !src || dst.bpp != 4 || src.bpp != 4) return;
    const int cols = std::min(int(R.Width()) + 1, src.width - int(Offset.X));
    const int rows = std::min(int(R.Height()) + 1, src.height - int(Offset.Y));
    const TsMaskData* md = nullptr;
    TPixelRows img;
    int ix = 0, iy = 0;
    if (MaskIndex != -1) {
        auto* M = dynamic_cast<TsSkinManager*>(SkinManager);
        if (!M || !M->IsValidImgIndex(MaskIndex)) return;
        md = &M->ma[size_t(MaskIndex)];
        img = PixelRows(SkinImageBitmap(*md));
        if (!img || img.bpp < 3) return;
        const int w = WidthOfImage(*md), h = HeightOfImage(*md);
        ix = md->R.Left + ((Corner == 14 || Corner == 17) ? w - md->WR : 0);
        iy = md->R.Top + ((Corner == 16 || Corner == 17) ? h - md->WB : 0);
    }
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const int x = R.Left + c, y = R.Top + r;
            if (!dst.Inside(x, y) || !src.Inside(Offset.X + c, Offset.Y + r)) continue;
            uint8_t* d = dst.At(x, y);
            const bool see = md ? img.Inside(ix + c, iy + r) && IsFuchsia(img.At(ix + c, iy + r)) : IsFuchsia(d);
            if (see) std::copy_n(src.At(Offset.X + c, Offset.Y + r), 4, d);
        }
}

}  // namespace skin
