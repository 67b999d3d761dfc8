#include "skin/paint/sCopies.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "framework/rtl/SysUtils.h"

namespace skin {

namespace {

inline bool SameRgb(const uint8_t* p, uint32_t key) {
    return p[2] == (key & 0xFF) && p[1] == ((key >> 8) & 0xFF) && p[0] == ((key >> 16) & 0xFF);
}

inline uint32_t Load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

inline void Store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

// The pixel value a TColor is stored as (blue lowest), with alpha A.
inline uint32_t Stored(TColor c, uint32_t a) {
    const uint32_t v = uint32_t(c);
    return (a << 24) | ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

// What a see-through image pixel does.
enum TSeeThrough { stBlend, stKeep, stParent, stFillRaw, stFillBgr };

struct TMaskedCopy {
    TPixelRows img, dst;
    int maskRow0 = 0;    // mask row of area row 0 (mask copies)
    bool alpha = false;  // blend by the image's alpha instead of the mask
    TSeeThrough seeThrough = stBlend;
    bool opaque = false;  // a 32-bit destination's alpha becomes 255
    uint32_t fill = 0;    // stFillRaw / stFillBgr
    const TParentPixels* parent = nullptr;
    int parentX = 0, parentY = 0;  // parent position of area pixel (0, 0)

    // A see-through pixel at area column I of row K; false when the rest of the row stays.
    bool SeeThroughPixel(uint8_t* d, int i, int k, int) const {
        switch (seeThrough) {
            case stKeep:
                return true;
            case stFillRaw:
                if (dst.bpp == 4)
                    Store32(d, fill);
                else
                    d[0] = uint8_t(fill), d[1] = uint8_t(fill >> 8), d[2] = uint8_t(fill >> 16);
                return true;
            case stFillBgr:
                d[0] = uint8_t(fill >> 16), d[1] = uint8_t(fill >> 8), d[2] = uint8_t(fill);
                return true;
            default: {
                const TParentLook look = parent->Look(parentX + i, parentY + k, d);
                if (look == plTake && opaque && dst.bpp == 4) d[3] = 255;
                return look != plEndRow;
            }
        }
    }

    void Run(const fw::TRect& R1, const fw::TRect& R2, int w, int h) const {
        const int db = dst.bpp, sb = img.bpp;
        const bool dst32 = db == 4;
        // Rows of equal pixel formats: runs of ordinary pixels go through the
        // packed blends, see-through pixels one by one.
        if (db == sb && (alpha ? db == 4 : db == 3)) {
            for (int k = 0; k < h; ++k) {
                const uint8_t* s = img.At(R2.Left, R2.Top + k);
                const uint8_t* m = alpha ? nullptr : img.At(R2.Left, maskRow0 + k);
                uint8_t* d = dst.At(R1.Left, R1.Top + k);
                int i = 0;
                while (i < w) {
                    int end = i;
                    if (seeThrough == stBlend)
                        end = w;
                    else
                        end = i + FindFuchsia(s + i * sb, sb, w - i);
                    if (end > i) {
                        if (alpha)
                            AlphaBlendRow32(d + i * db, s + i * sb, end - i, opaque);
                        else
                            MaskBlendRow(d + i * db, s + i * sb, m + i * sb, (end - i) * sb);
                    }
                    if (end < w && !SeeThroughPixel(d + end * db, end, k, w)) break;
                    i = end + 1;
                }
            }
            return;
        }
        for (int k = 0; k < h; ++k) {
            const uint8_t* s = img.At(R2.Left, R2.Top + k);
            const uint8_t* m = alpha ? nullptr : img.At(R2.Left, maskRow0 + k);
            uint8_t* d = dst.At(R1.Left, R1.Top + k);
            for (int i = 0; i < w; ++i, s += sb, d += db, m += alpha ? 0 : sb) {
                if (seeThrough != stBlend && IsFuchsia(s)) {
                    if (!SeeThroughPixel(d, i, k, w)) break;
                    continue;
                }
                if (alpha) {
                    for (int c = 0; c < 3; ++c) d[c] = AlphaMix(d[c], s[c], s[3]);
                } else {
                    for (int c = 0; c < 3; ++c) d[c] = MaskBlend(d[c], s[c], m[c]);
                }
                if (opaque && dst32) d[3] = 255;
            }
        }
    }
};

}  // namespace

void CopyByMask(fw::TRect R1, fw::TRect R2, fw::TBitmap* Bmp1, fw::TBitmap* Bmp2, const TCacheInfo& CI,
                bool UpdateTrans) {
    if (!Is24or32(Bmp2) || !Is24or32(Bmp1)) return;
    int w, h;
    if (!ClipCopyArea(R1, R2, Bmp1, Bmp2, w, h)) return;
    TMaskedCopy copy;
    copy.dst = PixelRows(Bmp1);
    const bool image32 = Bmp2->PixelFormat() == fw::pf32bit;
    copy.img = PixelRows(Bmp2);
    copy.alpha = image32;
    if (!image32) {
        // The mask rows must lie inside the image too.
        copy.maskRow0 = R2.Top + Bmp2->Height() / 2;
        h = std::min(h, Bmp2->Height() - copy.maskRow0);
        if (h < 1) return;
    }
    // A 32-bit image into a 32-bit cache makes it opaque.
    copy.opaque = image32 && Bmp1->PixelFormat() == fw::pf32bit;
    const TParentPixels parent(CI);
    if (CI.Ready) {
        copy.seeThrough = UpdateTrans && parent.Valid() ? stParent : stKeep;
        copy.parent = &parent;
        copy.parentX = R1.Left + CI.X;
        copy.parentY = R1.Top + CI.Y;
    }
    copy.Run(R1, R2, w, h);
}

void CopyByMask(fw::TRect R1, fw::TRect R2, fw::TBitmap* Bmp1, fw::TBitmap* Bmp2, const TCacheInfo& CI,
                bool UpdateTrans, const TsMaskData& MaskData) {
    if (!Is24or32(Bmp2) || !Is24or32(Bmp1)) return;
    int w, h;
    if (!ClipCopyArea(R1, R2, Bmp1, Bmp2, w, h)) return;
    TMaskedCopy copy;
    copy.img = PixelRows(Bmp2, 3);
    copy.dst = PixelRows(Bmp1);
    copy.maskRow0 = std::min(int(R2.Top + MaskData.R.Height() / 2), Bmp2->Height() - h);
    if (copy.maskRow0 < 0) return;
    const TParentPixels parent(CI);
    if (CI.Ready && UpdateTrans) {
        const fw::TPixelFormat pf = CI.Bmp ? CI.Bmp->PixelFormat() : fw::pfDevice;
        // The parent is read through a pixel object, which needs 2 x 2 of 24 or 32 bits.
        if ((pf != fw::pf24bit && pf != fw::pf32bit) || CI.Bmp->Width() < 2 || CI.Bmp->Height() < 2) return;
        copy.seeThrough = stParent;
        copy.parent = &parent;
        copy.parentX = R1.Left + CI.X;
        copy.parentY = R1.Top + CI.Y;
        copy.opaque = pf == fw::pf32bit;
    } else if (!CI.Ready && !UpdateTrans) {
        copy.seeThrough = stKeep;
    } else if (!CI.Ready && UpdateTrans) {
        copy.seeThrough = Bmp1->PixelFormat() == fw::pf32bit ? stFillRaw : stFillBgr;
        copy.fill = uint32_t(CI.FillColor);
    }
    copy.Run(R1, R2, w, h);
}

void CopyTransBitmaps(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, int X, int Y, TsColor TransColor) {
    if (!Is24or32(DstBmp) || !Is24or32(SrcBmp)) return;
    const TPixelRows src = PixelRows(SrcBmp), dst = PixelRows(DstBmp);
    const uint32_t key = uint32_t(TransColor.C);
    const int r0 = std::max(0, -Y), r1 = std::min(src.height, dst.height - Y);
    const int c0 = std::max(0, -X), c1 = std::min(src.width, dst.width - X);
    for (int r = r0; r < r1; ++r)
        KeyedCopyRow(dst.At(X + c0, Y + r), dst.bpp, src.At(c0, r), src.bpp, c1 - c0, key, true);
}

namespace {

// Pixel(s, d, dx, dy) for every source pixel of the inclusive S whose place
// (X + c, Y + r) lies inside the destination; a false answer ends that row.
// Only those places are walked (S comes from InclusiveClip); the bounds are
// counted in 64 bits, so a far-off X or Y cannot wrap into the bitmap.
template <class F>
void ForEachPlaced(const TPixelRows& src, const TPixelRows& dst, const fw::TRect& S, int X, int Y, F&& Pixel) {
    const int64_t r0 = std::max<int64_t>(0, -int64_t(Y)), c0 = std::max<int64_t>(0, -int64_t(X));
    const int64_t r1 = std::min<int64_t>(int64_t(S.Bottom) - S.Top, int64_t(dst.height) - Y - 1);
    const int64_t c1 = std::min<int64_t>(int64_t(S.Right) - S.Left, int64_t(dst.width) - X - 1);
    for (int64_t r = r0; r <= r1; ++r) {
        const int dy = int(Y + r);
        for (int64_t c = c0; c <= c1; ++c) {
            const int dx = int(X + c);
            if (!Pixel(src.At(int(S.Left + c), int(S.Top + r)), dst.At(dx, dy), dx, dy)) break;
        }
    }
}

// SrcRect cut to the source and read as inclusive. Every edge ends up within
// a pixel of the source, so Right - Left never overflows (a skin image's
// numbers come from outside), and a rectangle turned inside out is empty.
fw::TRect InclusiveClip(fw::TRect R, fw::TBitmap* Src) {
    R.Left = std::clamp<LONG>(R.Left, 0, Src->Width());
    R.Top = std::clamp<LONG>(R.Top, 0, Src->Height());
    R.Right = std::clamp<LONG>(R.Right, R.Left - 1, Src->Width() - 1);
    R.Bottom = std::clamp<LONG>(R.Bottom, R.Top - 1, Src->Height() - 1);
    return R;
}

}  // namespace

void CopyTransRect(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, int X, int Y, fw::TRect SrcRect, TColor TransColor,
                   const TCacheInfo& CI, bool UpdateTrans) {
    if (!Is24or32(DstBmp) || !Is24or32(SrcBmp)) return;
    const fw::TRect S = InclusiveClip(SrcRect, SrcBmp);
    const TPixelRows src = PixelRows(SrcBmp), dst = PixelRows(DstBmp);
    const bool dst32 = dst.bpp == 4, src32 = src.bpp == 4;
    const uint32_t key = uint32_t(TransColor) & 0xFFFFFF;
    const uint32_t key32 = Stored(key, 0);

    enum { kParent, kParentSelf, kCopy24Ready, kCopy24Fill, kCopy32Ready, kCopy32Fill } mode;
    const TParentPixels parent(CI);
    if (UpdateTrans && CI.Ready && CI.Bmp) {
        if (dst32 && CI.Bmp->PixelFormat() != fw::pf32bit) return;
        if (!parent.Valid()) return;
        mode = DstBmp == CI.Bmp ? kParentSelf : kParent;
    } else if (!src32) {
        mode = CI.Ready ? kCopy24Ready : kCopy24Fill;
    } else {
        mode = CI.Ready ? kCopy32Ready : kCopy32Fill;
    }
    const bool parentMode = mode == kParent || mode == kParentSelf;
    ForEachPlaced(src, dst, S, X, Y, [&](const uint8_t* s, uint8_t* d, int dx, int dy) {
        const bool isKey = src32 && !parentMode ? Load32(s) == key32 : SameRgb(s, key);
        if (isKey) {
            switch (mode) {
                case kParent: {
                    const TParentLook look = parent.Look(dx + CI.X, dy + CI.Y, d);
                    if (look == plTake && dst32) d[3] = 255;
                    return look != plEndRow;  // past the parent's edge the rest of the row stays
                }
                case kCopy24Fill:
                    if (dst32)
                        Store32(d, Stored(CI.FillColor, 255));
                    else
                        d[0] = uint8_t(uint32_t(CI.FillColor) >> 16), d[1] = uint8_t(uint32_t(CI.FillColor) >> 8),
                        d[2] = uint8_t(CI.FillColor);
                    return true;
                case kCopy32Fill: {
                    // The fill colour in pixel order; its top byte is the alpha.
                    const uint32_t f = Stored(CI.FillColor, uint32_t(CI.FillColor) >> 24);
                    if (dst32)
                        Store32(d, f);
                    else
                        d[0] = uint8_t(f), d[1] = uint8_t(f >> 8), d[2] = uint8_t(f >> 16);
                    return true;
                }
                default:
                    return true;
            }
        }
        d[0] = s[0], d[1] = s[1], d[2] = s[2];
        if (dst32) {
            if (src32 && (mode == kCopy32Ready || mode == kCopy32Fill))
                d[3] = s[3];
            else if (mode != kCopy24Ready)
                d[3] = 255;
        }
        return true;
    });
}

void CopyTransRectA(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, int X, int Y, fw::TRect SrcRect, TColor TransColor,
                    const TCacheInfo&) {
    if (!Is24or32(DstBmp) || !Is24or32(SrcBmp)) return;
    const fw::TRect S = InclusiveClip(SrcRect, SrcBmp);
    const TPixelRows src = PixelRows(SrcBmp), dst = PixelRows(DstBmp);
    // The pixels of S whose place lies inside the destination, row by row.
    const int r0 = std::max(0, -Y), r1 = std::min(int(S.Bottom - S.Top) + 1, dst.height - Y);
    const int c0 = std::max(0, -X), c1 = std::min(int(S.Right - S.Left) + 1, dst.width - X);
    for (int r = r0; r < r1; ++r)
        KeyedCopyRow(dst.At(X + c0, Y + r), dst.bpp, src.At(S.Left + c0, S.Top + r), src.bpp, c1 - c0,
                     uint32_t(TransColor), false);
}

void CopyRect(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, int X, int Y, fw::TRect SrcRect, TColor) {
    if (!Is24or32(DstBmp) || !Is24or32(SrcBmp)) return;
    const fw::TRect S = InclusiveClip(SrcRect, SrcBmp);
    const TPixelRows src = PixelRows(SrcBmp), dst = PixelRows(DstBmp);
    const int r0 = std::max(0, -Y), r1 = std::min(int(S.Bottom - S.Top), dst.height - Y);
    const int c0 = std::max(0, -X), c1 = std::min(int(S.Right - S.Left), dst.width - X);
    for (int r = r0; r < r1; ++r)
        for (int c = c0; c < c1; ++c) {
            const uint8_t* s = src.At(S.Left + c, S.Top + r);
            uint8_t* d = dst.At(X + c, Y + r);
            d[0] = s[0], d[1] = s[1], d[2] = s[2];
        }
}

void BlendTransRectangle(fw::TBitmap* DstBmp, int X, int Y, fw::TBitmap* SrcBmp, fw::TRect SrcRect, double Blend,
                         TsColor TransColor) {
    if (!Is24or32(DstBmp) || !Is24or32(SrcBmp)) return;
    int shiftX = 0, shiftY = 0;
    if (SrcRect.Left < 0) shiftX = -SrcRect.Left, SrcRect.Left = 0;
    if (SrcRect.Top < 0) shiftY = -SrcRect.Top, SrcRect.Top = 0;
    SrcRect.Right = std::min<LONG>(SrcRect.Right, SrcBmp->Width() - 1);
    SrcRect.Bottom = std::min<LONG>(SrcRect.Bottom, SrcBmp->Height() - 1);
    const TPixelRows src = PixelRows(SrcBmp), dst = PixelRows(DstBmp);
    const bool testKey = TransColor.A != 0xFF, src32 = src.bpp == 4;
    const uint32_t key = uint32_t(TransColor.I);
    for (int r = 0; r <= SrcRect.Bottom - SrcRect.Top; ++r) {
        const int dy = Y + r + shiftY;
        if (dy >= dst.height) break;
        if (dy < 0) continue;
        for (int c = 0; c <= SrcRect.Right - SrcRect.Left; ++c) {
            const int dx = X + shiftX + c, sx = SrcRect.Left + c;
            if (dx >= dst.width) break;
            if (dx < 0 || sx >= src.width) continue;
            const uint8_t* s = src.At(sx, SrcRect.Top + r);
            if (testKey && (src32 ? Load32(s) == key : SameRgb(s, key))) continue;
            uint8_t* d = dst.At(dx, dy);
            for (int ch = 0; ch < 3; ++ch) d[ch] = uint8_t(fw::Round(s[ch] - (s[ch] - d[ch]) * Blend));
        }
    }
}

void BlendTransBitmap(fw::TBitmap* Bmp, double Blend, TsColor Color, TsColor TransColor) {
    if (!Is24or32(Bmp)) return;
    const TPixelRows rows = PixelRows(Bmp);
    // One exact table per channel (blue, green, red): the result depends only on the old byte.
    std::array<std::array<uint8_t, 256>, 3> table;
    const int c[3] = {Color.B, Color.G, Color.R};
    for (int ch = 0; ch < 3; ++ch)
        for (int p = 0; p < 256; ++p) table[ch][p] = uint8_t(fw::Round(c[ch] + Blend * (p - c[ch])));
    const bool px32 = rows.bpp == 4;
    const uint32_t key = uint32_t(TransColor.I);
    for (int y = 0; y < rows.height; ++y) {
        uint8_t* p = rows.Row(y);
        for (int x = 0; x < rows.width; ++x, p += rows.bpp) {
            if (px32 ? Load32(p) == key : SameRgb(p, key)) continue;
            p[0] = table[0][p[0]], p[1] = table[1][p[1]], p[2] = table[2][p[2]];
        }
    }
}

}  // namespace skin
