#include "skin/paint/sSkinRect.h"

#include <algorithm>

#include "skin/engine/acPixelRows.h"
#include "skin/paint/sCopies.h"
#include "skin/paint/sSkinImage.h"
#include "skin/paint/sTiling.h"

namespace skin {

namespace {

void Shrink(int size, int& a, int& b) {
    if (size < a + b) {
        const int d = (a + b - size) / 2;
        a -= d;
        b -= d;
        if (size % 2 != 0) --b;
        a = std::max(a, 0);
        b = std::max(b, 0);
    }
}

// Destination strip (X, Y, W, H) from source piece (SX, SY, SW, SH).
struct Piece {
    int x, y, w, h, sx, sy, sw, sh;
};

// Tiles of the piece laid from the strip's start, the last cut to fit.
template <class Copy>
void Repeat(const Piece& p, Copy copy) {
    if (p.sw <= 0 || p.sh <= 0 || p.w <= 0 || p.h <= 0) return;
    for (int y = 0; y < p.h; y += p.sh)
        for (int x = 0; x < p.w; x += p.sw) copy(p.x + x, p.y + y, std::min(p.sw, p.w - x), std::min(p.sh, p.h - y));
}

// True when the piece's mask rows (MaskOffset below it) are 0 throughout and
// it holds no see-through pixel: the mask blend then gives the image itself.
bool PlainPiece(fw::TBitmap* Src, const Piece& p, int MaskOffset) {
    if (Src->PixelFormat() != fw::pf24bit || p.sx < 0 || p.sy < 0 || p.sw <= 0 || p.sh <= 0 ||
        p.sx + p.sw > Src->Width() || p.sy + MaskOffset + p.sh > Src->Height())
        return false;
    const TPixelRows rows = PixelRows(Src, 3);
    for (int y = 0; y < p.sh; ++y) {
        const uint8_t* m = rows.At(p.sx, p.sy + MaskOffset + y);
        if (std::any_of(m, m + 3 * p.sw, [](uint8_t v) { return v != 0; })) return false;
        if (FindFuchsia(rows.At(p.sx, p.sy + y), 3, p.sw) < p.sw) return false;
    }
    return true;
}

}  // namespace

TNinePart ShrinkBorders(const TsMaskData& MaskData, int Width, int Height) {
    TNinePart n{MaskData.WL, MaskData.WT, MaskData.WR, MaskData.WB};
    Shrink(Width, n.wl, n.wr);
    Shrink(Height, n.wt, n.wb);
    return n;
}

void DrawSkinRect(fw::TBitmap* Bmp, const fw::TRect& R, bool Filling, const TCacheInfo& CI, const TsMaskData& MaskData,
                  int State, bool UpdateCorners, fw::TObject*) {
    if ((State == 0 && (MaskData.DrawMode & dmNoNormal)) || R.Width() < 2 || R.Height() < 2 || !MaskData.Manager)
        return;
    if (!Bmp || MaskData.ImageCount <= 0) return;
    fw::TBitmap* src = SkinImageBitmap(MaskData);
    if (!LiesInBitmap(MaskData, src)) return;
    const auto [wl, wt, wr, wb] = ShrinkBorders(MaskData, R.Width(), R.Height());
    const int s = std::min(State, ImageCountOf(MaskData) - 1);
    const int w = MaskData.R.Width() / ImageCountOf(MaskData), h = MaskData.R.Height() / (MaskTypeOf(MaskData) + 1);
    const int sw = std::max(w - wl - wr, 0), mh = std::max(h - wt - wb, 0);
    const int X0 = MaskData.R.Left + std::max(s, 0) * w, Y0 = MaskData.R.Top;
    const int midW = R.Width() - wl - wr, midH = R.Height() - wt - wb;

    const Piece corners[4] = {
        {R.Left, R.Top, wl, wt, X0, Y0, wl, wt},
        {R.Left, R.Bottom - wb, wl, wb, X0, Y0 + h - wb, wl, wb},
        {R.Right - wr, R.Bottom - wb, wr, wb, X0 + wl + sw, Y0 + h - wb, wr, wb},
        {R.Right - wr, R.Top, wr, wt, X0 + wl + sw, Y0, wr, wt},
    };
    std::vector<Piece> middles = {
        {R.Left, R.Top + wt, wl, midH, X0, Y0 + wt, wl, mh},
        {R.Left + wl, R.Top, midW, wt, X0 + wl, Y0, sw, wt},
        {R.Left + wl, R.Bottom - wb, midW, wb, X0 + wl, Y0 + h - wb, sw, wb},
        {R.Right - wr, R.Top + wt, wr, midH, X0 + wl + sw, Y0 + wt, wr, mh},
    };
    if (Filling && (MaskData.DrawMode & dmDrawCenter))
        middles.push_back({R.Left + wl, R.Top + wt, midW, midH, X0 + wl, Y0 + wt, sw, mh});

    if (MaskTypeOf(MaskData) == 0) {
        for (const Piece& c : corners)
            if (c.w > 0 && c.h > 0)
                CopyTransRect(Bmp, src, c.x, c.y, fw::TRect(c.sx, c.sy, c.sx + c.w - 1, c.sy + c.h - 1), 0xFF00FF, CI,
                              UpdateCorners);
        HDC dc = Bmp->Canvas()->Handle();
        HDC sdc = src->Canvas()->Handle();
        const bool stretch = (MaskData.DrawMode & dmStretch) != 0;
        int oldMode = 0;
        if (stretch) oldMode = SetStretchBltMode(dc, HALFTONE);
        if (!stretch && middles.size() > 4 && mh > 0 && sw > 0 && midH > 0 && midW > 0 &&
            CanCopyWithin(dc, R.Left, R.Top + wt, R.Width(), midH)) {
            // Left edge, centre and right edge repeat with the same period mh:
            // one band of them, copied below itself and doubling, gives the
            // same pixels as tile by tile in a few full-width blits.
            const int band = std::min(mh, midH), y = R.Top + wt;
            for (size_t i : {size_t(0), size_t(4), size_t(3)}) {
                const Piece& p = middles[i];
                TileRect(dc, p.x, y, p.w, band, sdc, p.sx, p.sy, p.sw, p.sh);
            }
            for (int done = band; done < midH; done *= 2)
                BitBlt(dc, R.Left, y + done, R.Width(), std::min(done, midH - done), dc, R.Left, y, SRCCOPY);
            middles.erase(middles.begin() + 3, middles.end());
            middles.erase(middles.begin());
        }
        for (size_t i = 0; i < middles.size(); ++i) {
            const Piece& p = middles[i];
            if (p.sw <= 0 || p.sh <= 0 || p.w <= 0 || p.h <= 0) continue;
            if (stretch)
                StretchBlt(dc, p.x, p.y, p.w, p.h, sdc, p.sx, p.sy, p.sw, p.sh, SRCCOPY);
            else
                TileRect(dc, p.x, p.y, p.w, p.h, sdc, p.sx, p.sy, p.sw, p.sh);
        }
        if (stretch) SetStretchBltMode(dc, oldMode);
        return;
    }
    // Masked images are always repeated, each piece through its mask rows.
    // An edge or centre that is plain image is copied by GDI instead (its
    // tiles doubled): per-pixel work only where the mask is not full. A 32-bit
    // cache keeps its alpha bytes through the blend, so it is always blended.
    const bool gdiCopies = Bmp->PixelFormat() == fw::pf24bit;
    auto masked = [&](const Piece& p, const TCacheInfo& ci, bool update) {
        if (gdiCopies && &ci == &EmptyCI && !update && p.w > 0 && p.h > 0 &&
            PlainPiece(src, p, MaskData.R.Height() / 2)) {
            TileRect(Bmp->Canvas()->Handle(), p.x, p.y, p.w, p.h, src->Canvas()->Handle(), p.sx, p.sy, p.sw, p.sh);
            return;
        }
        Repeat(p, [&](int x, int y, int cw, int ch) {
            CopyByMask(fw::TRect(x, y, x + cw, y + ch), fw::TRect(p.sx, p.sy, p.sx + cw, p.sy + ch), Bmp, src, ci,
                       update, MaskData);
        });
    };
    // Drawn in the table's order: corners and edges interleaved as listed.
    masked(corners[0], CI, UpdateCorners);
    masked(middles[0], EmptyCI, false);
    masked(middles[1], EmptyCI, false);
    masked(corners[1], CI, UpdateCorners);
    masked(middles[2], EmptyCI, false);
    masked(corners[2], CI, UpdateCorners);
    masked(corners[3], CI, UpdateCorners);
    masked(middles[3], EmptyCI, false);
    if (middles.size() > 4) masked(middles[4], EmptyCI, false);
}

void DrawSmallSkinRect(fw::TBitmap* Bmp, const fw::TRect& R, bool Filling, const TCacheInfo& CI,
                       const TsMaskData& MaskData, int State) {
    if (MaskData.Bmp || !MaskData.Manager || R.Width() <= 1 || R.Height() <= 1 || MaskData.ImageCount <= 0 || !Bmp)
        return;
    fw::TBitmap* src = SkinImageBitmap(MaskData);
    if (!src) return;
    const int n = ImageCountOf(MaskData), mt = MaskTypeOf(MaskData);
    const int s = std::max(std::min(State, n - 1), 0);
    const int X0 = MaskData.R.Left + (s * MaskData.R.Width()) / n, Y0 = MaskData.R.Top;
    const int cw = MaskData.R.Width() / (3 * n), ch = MaskData.R.Height() / (3 * (mt + 1));
    // An image under three cells has no middle to repeat.
    if (cw <= 0 || ch <= 0) return;
    const int h = MaskData.R.Height() / (mt + 1);
    int wl = cw, wr = cw, wt = ch, wb = ch;
    if (R.Width() < 2 * cw) wl = R.Width() / 2, wr = R.Width() - wl;
    if (R.Height() < 2 * ch) wt = R.Height() / 2, wb = R.Height() - wt;
    const int right = X0 + 3 * cw - wr, bottom = Y0 + h - wb;

    HDC dc = Bmp->Canvas()->Handle();
    HDC sdc = src->Canvas()->Handle();
    const bool keyed = mt == 0;
    auto piece = [&](int x, int y, int w, int hh, int sx, int sy, const TCacheInfo& ci, bool corner) {
        if (w <= 0 || hh <= 0) return;
        if (!keyed)
            CopyMasterRect(fw::TRect(x, y, x + w, y + hh), fw::TRect(sx, sy, sx + w, sy + hh), Bmp, ci, MaskData);
        else if (corner)
            CopyTransRect(Bmp, src, x, y, fw::TRect(sx, sy, sx + w - 1, sy + hh - 1), 0xFF00FF, ci, true);
        else
            BitBlt(dc, x, y, w, hh, sdc, sx, sy, SRCCOPY);
    };
    const bool stretch = keyed && (MaskData.DrawMode & dmStretch);
    auto stretchTo = [&](int x, int y, int w, int hh, int sx, int sy, int sw, int sh) {
        if (w <= 0 || hh <= 0) return;
        const int old = SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, x, y, w, hh, sdc, sx, sy, sw, sh, SRCCOPY);
        SetStretchBltMode(dc, old);
    };
    const TCacheInfo& edgeCI = keyed ? EmptyCI : CI;
    // Top and bottom edges: whole cells, then one cut cell, up to R.Right - cw.
    auto horizontal = [&](int y, int hh, int sy) {
        if (stretch) return stretchTo(R.Left + wl, y, R.Right - wr - R.Left - wl, hh, X0 + cw, sy, cw, hh);
        for (int x = R.Left + wl; x < R.Right - wr; x += cw)
            piece(x, y, std::min(cw, int(R.Right) - wr - x), hh, X0 + cw, sy, edgeCI, false);
    };
    piece(R.Left, R.Top, wl, wt, X0, Y0, CI, true);
    if (stretch)
        stretchTo(R.Left, R.Top + wt, wl, R.Height() - wt - wb, X0, Y0 + ch, wl, ch);
    else
        for (int y = R.Top + ch; y < R.Bottom - ch; y += ch) piece(R.Left, y, wl, ch, X0, Y0 + ch, edgeCI, false);
    horizontal(R.Top, wt, Y0);
    piece(R.Left, R.Bottom - wb, wl, wb, X0, bottom, CI, true);
    horizontal(R.Bottom - wb, wb, bottom);
    piece(R.Right - wr, R.Bottom - wb, wr, wb, right, bottom, CI, true);
    piece(R.Right - wr, R.Top, wr, wt, right, Y0, CI, true);
    for (int y = R.Top + ch; y < R.Bottom - ch; y += ch) piece(R.Right - wr, y, wr, ch, right, Y0 + ch, edgeCI, false);
    if (Filling && (MaskData.DrawMode & dmDrawCenter))
        for (int y = R.Top + wt; y < R.Bottom - wb; y += ch)
            for (int x = R.Left + wl; x < R.Right - wr; x += cw)
                piece(x, y, std::min(cw, int(R.Right) - wr - x), std::min(ch, int(R.Bottom) - wb - y), X0 + cw, Y0 + ch,
                      EmptyCI, false);
}

void CopyMasterRectA(fw::TRect R1, fw::TRect R2, fw::TBitmap* Bmp, const TCacheInfo&, const TsMaskData& MaskData) {
    // The same blend with no background: a not-ready CI without a fill colour
    // leaves see-through pixels as they are.
    TCacheInfo none;
    none.FillColor = 0xFF00FF;
    CopyMasterRect(R1, R2, Bmp, none, MaskData);
}

}  // namespace skin
