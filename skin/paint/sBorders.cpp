#include "skin/paint/sBorders.h"

#include <algorithm>

#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sBGAnswer.h"
#include "skin/paint/sBGQuery.h"
#include "skin/paint/sChannels.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sCopies.h"
#include "skin/paint/sSkinImage.h"
#include "skin/paint/sSkinRect.h"

namespace skin {

namespace {

fw::TRect Reduced(const fw::TRect& R, int By) {
    return fw::TRect(R.Left + By, R.Top + By, R.Right - By, R.Bottom - By);
}

// A one-pixel-high run leaves the region. A difference, never an exclusive
// or: a corner cut twice (a repaint with the same region) stays cut.
void CutRun(HRGN Region, int Left, int Right, int Y) {
    if (!Region || Right <= Left) return;
    HRGN run = CreateRectRgn(Left, Y, Right, Y + 1);
    CombineRgn(Region, Region, run, RGN_DIFF);
    DeleteObject(run);
}

}  // namespace

fw::TRect PaintBorderFast(HDC DC, const fw::TRect& R, int BorderWidth, TsCommonData* SkinData, int State) {
    if (!SkinData) return R;
    const TColor bgColor = GetBGColor(SkinData, State, nullptr);
    TacBGInfo bg;
    bg.Color = 0xFF00FF;  // no parent: nothing known behind the corners
    fw::TControl* c = SkinData->FOwnerControl;
    if (c && c->Parent()) {
        GetBGInfo(&bg, c->Parent(), false);
        bg.Offset = fw::TPoint(bg.Offset.X + c->Left(), bg.Offset.Y + c->Top());
    }
    const int bw = BorderWidth;
    const TsMaskData* md = BorderImageOf(SkinData);
    if (!md) {
        if (bw != 0) FillDCBorder(DC, R, bw, bw, bw, bw, bgColor);
        return Reduced(R, bw);
    }
    SkinData->InitCacheBmp();
    HDC cache = SkinData->FCacheBmp->Canvas()->Handle();
    if (MaskTypeOf(*md) == 1) {
        // The mask blends the image with what lies under it: the parent's pixels.
        if (bg.BgType == btCache && bg.Bmp)
            BitBltFrame(cache, R, md->WL, md->WT, md->WR, md->WB, bg.Bmp->Canvas()->Handle(), bg.Offset.X, bg.Offset.Y);
        else
            FillDCBorder(cache, R, md->WL, md->WT, md->WR, md->WB, bgColor);
    }
    DrawSkinRect(SkinData->FCacheBmp, R, false, BGInfoToCI(bg), *md, State, true, nullptr);
    fw::TRect result(R.Left + md->WL, R.Top + md->WT, R.Right - md->WR, R.Bottom - md->WB);
    if (bw == 0) return result;
    const int W = R.Width(), H = R.Height();
    FillDCBorder(cache, result, std::max(std::min(W - md->WR, bw) - md->WL, 0),
                 std::max(std::min(H - md->WB, bw) - md->WT, 0), std::max(std::min(W - md->WL, bw) - md->WR, 0),
                 std::max(std::min(H - md->WT, bw) - md->WB, 0), bgColor);
    result = Reduced(R, bw);
    result.Right = std::max(result.Right, result.Left);
    result.Bottom = std::max(result.Bottom, result.Top);
    if (DC != cache) BitBltBorder(DC, R.Left, R.Top, W, H, cache, R.Left, R.Top, bw);
    return result;
}

void CopyMask(int DstX1, int DstY1, int DstX2, int DstY2, int SrcX1, int SrcY1, int SrcX2, int SrcY2, fw::TBitmap* Bmp,
              HRGN Region, const TsMaskData& MaskData, bool UpdateRegion) {
    if (DstX1 < 0 || DstY1 < 0 || DstX2 < 0 || DstY2 < 0 || !MaskData.Manager) return;
    if (!Bmp || Bmp->Width() < 2 || Bmp->Height() < 2) return;
    const TPixelRows dst = PixelRows(Bmp), src = PixelRows(SkinImageBitmap(MaskData));
    if (!dst || !src || dst.bpp < 3 || src.bpp < 3) return;
    const bool masked = MaskData.MaskType == 1;
    const int maskOffset = masked ? MaskData.R.Height() / 2 : 0;
    // Inclusive last row and column, kept inside both bitmaps (and the mask rows).
    const int lastRow =
        std::min({DstY2 - DstY1, SrcY2 - SrcY1, dst.height - 1 - DstY1, src.height - 1 - SrcY1 - maskOffset});
    const int lastCol = std::min({DstX2 - DstX1, SrcX2 - SrcX1, dst.width - 1 - DstX1, src.width - 1 - SrcX1});
    const int firstRow = std::max(0, -SrcY1), firstCol = std::max(0, -SrcX1);
    for (int r = firstRow; r <= lastRow; ++r) {
        const int y = DstY1 + r;
        int runStart = -1;
        for (int c = firstCol; c <= lastCol; ++c) {
            const uint8_t* s = src.At(SrcX1 + c, SrcY1 + r);
            if (UpdateRegion && IsFuchsia(s)) {
                if (runStart < 0) runStart = c;
                continue;
            }
            if (runStart >= 0) {
                CutRun(Region, DstX1 + runStart, DstX1 + c, y);
                runStart = -1;
            }
            uint8_t* d = dst.At(DstX1 + c, y);
            if (masked) {
                const uint8_t* k = src.At(SrcX1 + c, SrcY1 + r + maskOffset);
                for (int ch = 0; ch < 3; ++ch) d[ch] = MaskBlend(d[ch], s[ch], k[ch]);
            } else {
                d[0] = s[0], d[1] = s[1], d[2] = s[2];
            }
            if (dst.bpp == 4) d[3] = 0xFF;
        }
        if (runStart >= 0) CutRun(Region, DstX1 + runStart, DstX1 + lastCol + 1, y);
    }
}

void PaintRgnBorder(fw::TBitmap* Bmp, HRGN Region, bool Filling, const TsMaskData& MaskData, int State) {
    if (!Bmp || Bmp->Width() <= 1 || Bmp->Height() <= 1 || !MaskData.Manager) return;
    TsMaskData md = MaskData;
    if (md.ImageCount < 1) {
        // No states: one state covering the image's own bitmap.
        md.ImageCount = 1;
        if (md.Bmp) md.R = fw::TRect(0, 0, md.Bmp->Width(), md.Bmp->Height());
    }
    fw::TBitmap* image = SkinImageBitmap(md);
    if (!image) return;
    const int W = Bmp->Width(), H = Bmp->Height();
    const auto [wl, wt, wr, wb] = ShrinkBorders(md, W, H);
    const int n = ImageCountOf(md), s = std::max(std::min(State, n - 1), 0);
    const int w = md.R.Width() / n, h = md.R.Height() / (MaskTypeOf(md) + 1);
    const int sw = std::max(w - md.WL - md.WR, 0), mh = std::max(h - md.WT - md.WB, 0);
    const int X0 = md.R.Left + s * w, Y0 = md.R.Top;

    // Destination (x1, y1)..(x2, y2) inclusive, tiles tw x th from (sx, sy).
    auto tiled = [&](int x1, int y1, int x2, int y2, int sx, int sy, int tw, int th, bool corner) {
        if (tw <= 0 || th <= 0) return;
        for (int y = y1; y <= y2; y += th)
            for (int x = x1; x <= x2; x += tw)
                CopyMask(x, y, std::min(x + tw - 1, x2), std::min(y + th - 1, y2), sx, sy, sx + tw - 1, sy + th - 1,
                         Bmp, Region, md, corner);
    };
    auto corner = [&](int x1, int y1, int cw, int ch, int sx, int sy) {
        if (cw > 0 && ch > 0) tiled(x1, y1, x1 + cw - 1, y1 + ch - 1, sx, sy, cw, ch, true);
    };
    const bool stretch = MaskTypeOf(md) == 0 && (md.DrawMode & dmStretch);
    HDC dc = stretch ? Bmp->Canvas()->Handle() : nullptr;
    HDC sdc = stretch ? image->Canvas()->Handle() : nullptr;
    const int oldMode = stretch ? SetStretchBltMode(dc, HALFTONE) : 0;
    // A middle piece laid over a strip: one stretch, or tiles.
    auto middle = [&](int x, int y, int dw, int dh, int sx, int sy, int tw, int th) {
        if (tw <= 0 || th <= 0 || dw <= 0 || dh <= 0) return;
        if (stretch)
            StretchBlt(dc, x, y, dw, dh, sdc, sx, sy, tw, th, SRCCOPY);
        else
            tiled(x, y, x + dw - 1, y + dh - 1, sx, sy, tw, th, false);
    };
    const int midW = W - wl - wr, midH = H - wt - wb;
    corner(0, 0, wl, wt, X0, Y0);
    corner(0, H - wb, wl, wb, X0, Y0 + h - wb);
    middle(0, wt, wl, midH, X0, Y0 + wt, wl, mh);
    middle(wl, 0, midW, wt, X0 + wl, Y0, sw, wt);
    middle(wl, H - wb, midW, wb, X0 + wl, Y0 + h - wb, sw, wb);
    middle(W - wr, wt, wr, midH, X0 + w - wr, Y0 + wt, wr, mh);
    corner(W - wr, H - wb, wr, wb, X0 + w - wr, Y0 + h - wb);
    corner(W - wr, 0, wr, wt, X0 + w - wr, Y0);
    if (Filling && (md.DrawMode & dmDrawCenter)) middle(wl, wt, midW, midH, X0 + wl, Y0 + wt, sw, mh);
    if (stretch) SetStretchBltMode(dc, oldMode);
}

}  // namespace skin
