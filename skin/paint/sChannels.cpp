#include "skin/paint/sChannels.h"

#include <algorithm>
#include <array>
#include <memory>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "skin/engine/acPixelRows.h"
#include "skin/paint/sCopies.h"
#include "skin/paint/sTiling.h"

namespace skin {

namespace {

void Blt(HDC Dst, int X, int Y, int W, int H, HDC Src, int SrcX, int SrcY) {
    if (W > 0 && H > 0) BitBlt(Dst, X, Y, W, H, Src, SrcX, SrcY, SRCCOPY);
}

void StretchOnto(HDC Dst, int X, int Y, int W, int H, HDC Src, int SrcX, int SrcY, int SrcW, int SrcH) {
    if (W > 0 && H > 0 && SrcW > 0 && SrcH > 0) StretchBlt(Dst, X, Y, W, H, Src, SrcX, SrcY, SrcW, SrcH, SRCCOPY);
}

}  // namespace

void CopyChannel32(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, int Channel) {
    if (!DstBmp || !SrcBmp || Channel < 0 || Channel > 3) return;
    if (DstBmp->PixelFormat() != fw::pf32bit || SrcBmp->PixelFormat() != fw::pf32bit) return;
    const TPixelRows d = PixelRows(DstBmp, 4), s = PixelRows(SrcBmp, 4);
    const int w = std::min(d.width, s.width), h = std::min(d.height, s.height);
    for (int y = 0; y < h; ++y) {
        uint8_t* dp = d.Row(y) + Channel;
        const uint8_t* sp = s.Row(y) + Channel;
        for (int x = 0; x < w; ++x, dp += 4, sp += 4) *dp = *sp;
    }
}

void PaintControlByTemplate(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, const fw::TRect& D, const fw::TRect& S,
                            const fw::TRect& W, const fw::TRect& M, const fw::TRect& DrawModes, bool StretchCenter,
                            bool DrawCenter) {
    if (!DstBmp || !SrcBmp) return;
    const int L = std::min(W.Left, M.Left), T = std::min(W.Top, M.Top);
    const int Rt = std::min(W.Right, M.Right), B = std::min(W.Bottom, M.Bottom);
    HDC dc = DstBmp->Canvas()->Handle();
    HDC sc = SrcBmp->Canvas()->Handle();
    SetStretchBltMode(dc, BLACKONWHITE);

    // Corners: the full corner along the thin border, the narrower thickness beyond it.
    Blt(dc, D.Left, D.Top, W.Left, T, sc, S.Left, S.Top);
    if (T != W.Top) Blt(dc, D.Left, D.Top + T, L, W.Top - T, sc, S.Left, S.Top + T);
    Blt(dc, D.Left, D.Bottom - B, W.Left, B, sc, S.Left, S.Bottom - B);
    if (B != W.Bottom) Blt(dc, D.Left, D.Bottom - W.Bottom, L, W.Bottom - B, sc, S.Left, S.Bottom - W.Bottom);
    Blt(dc, D.Right - W.Right, D.Top, W.Right, T, sc, S.Right - W.Right, S.Top);
    if (T != W.Top) Blt(dc, D.Right - Rt, D.Top + T, Rt, W.Top - T, sc, S.Right - Rt, S.Top + T);
    Blt(dc, D.Right - W.Right, D.Bottom - B, W.Right, B, sc, S.Right - W.Right, S.Bottom - B);
    if (B != W.Bottom)
        Blt(dc, D.Right - Rt, D.Bottom - W.Bottom, Rt, W.Bottom - B, sc, S.Right - Rt, S.Bottom - W.Bottom);

    const int cx = std::max<int>(0, S.Right - S.Left - W.Right - W.Left);
    const int cy = std::max<int>(0, S.Bottom - S.Top - W.Bottom - W.Top);
    const int sideH = D.Bottom - W.Bottom - (D.Top + W.Top), sideW = D.Right - W.Right - (D.Left + W.Left);
    const int srcSideH = S.Bottom - S.Top - W.Top - W.Bottom, srcSideW = S.Right - S.Left - W.Left - W.Right;
    // Left and right sides.
    const struct {
        int mode, x, width, srcX;
    } vertical[2] = {{DrawModes.Left, D.Left, L, S.Left}, {DrawModes.Right, D.Right - Rt, Rt, S.Right - Rt}};
    for (const auto& v : vertical) {
        if (v.mode == 0)
            TileRect(dc, v.x, D.Top + W.Top, v.width, sideH, sc, v.srcX, S.Top + W.Top, v.width, cy);
        else if (v.mode == 1)
            StretchOnto(dc, v.x, D.Top + W.Top, v.width, sideH, sc, v.srcX, S.Top + W.Top, v.width, srcSideH);
    }
    // Top and bottom sides.
    const struct {
        int mode, y, height, srcY;
    } horizontal[2] = {{DrawModes.Top, D.Top, T, S.Top}, {DrawModes.Bottom, D.Bottom - B, B, S.Bottom - B}};
    for (const auto& h : horizontal) {
        if (h.mode == 0)
            TileRect(dc, D.Left + W.Left, h.y, sideW, h.height, sc, S.Left + W.Left, h.srcY, cx, h.height);
        else if (h.mode == 1)
            StretchOnto(dc, D.Left + W.Left, h.y, sideW, h.height, sc, S.Left + W.Left, h.srcY, srcSideW, h.height);
    }
    if (!DrawCenter) return;
    if (StretchCenter)
        StretchOnto(dc, D.Left + W.Left, D.Top + W.Top, sideW, sideH, sc, S.Left + W.Left, S.Top + W.Top, cx, cy);
    else
        TileRect(dc, D.Left + W.Left, D.Top + W.Top, sideW, sideH, sc, S.Left + W.Left, S.Top + W.Top, cx, cy);
}

void DrawGlyphEx(fw::TBitmap* Glyph, fw::TBitmap* DstBmp, const fw::TRect& R, int NumGlyphs, bool Enabled,
                 TsDisabledGlyphKind DisabledGlyphKind, int State, int Blend, bool Down, bool) {
    if (!Glyph || !DstBmp || Glyph->Width() <= 0 || Glyph->Height() <= 0) return;
    fw::TBitmap work;
    work.Assign(Glyph);
    work.SetPixelFormat(fw::pf24bit);
    const int h = work.Height();
    auto keyAt = [&work](int x, int y) { return TsColor{work.Canvas()->Pixels(x, y)}; };
    if (NumGlyphs <= 1) {
        if (!Enabled && DisabledGlyphKind.Contains(dgGrayed)) GrayScale(&work);
        const TsColor key = keyAt(0, h - 1);
        const fw::TRect all(0, 0, R.Width(), R.Height());
        if (Enabled ? State == 0 && Blend > 0 : DisabledGlyphKind.Contains(dgBlended))
            BlendTransRectangle(DstBmp, R.Left, R.Top, &work, all, Enabled ? Blend / 100.0 : 0.5, key);
        else
            CopyTransBitmaps(DstBmp, &work, R.Left, R.Top, key);
        return;
    }
    const int w = work.Width() / NumGlyphs;
    const bool oldOrder = Glyph->PixelFormat() == fw::pf4bit || acOldGlyphsOrder;
    int n = 0;
    if (Enabled && State == 1)
        n = oldOrder ? 0 : 1;
    else if (Enabled && State == 2)
        n = NumGlyphs > 2 + int(Down) ? 2 + int(Down) : oldOrder ? 0 : std::min(NumGlyphs - 1, 1);
    const fw::TRect src(n * w, 0, (n + 1) * w - 1, h - 1);
    if (!Enabled && State == 0 && Blend > 0)
        BlendTransRectangle(DstBmp, R.Left, R.Top, &work, src, Blend / 100.0, keyAt(0, h - 1));
    else
        CopyTransRectA(DstBmp, &work, R.Left, R.Top, src, keyAt(n * w, h - 1).C, EmptyCI);
}

namespace {

// The four strips of a frame inside R: top, left, bottom, right.
std::array<RECT, 4> FrameParts(const fw::TRect& R, int Left, int Top, int Right, int Bottom) {
    return {RECT{R.Left, R.Top, R.Right, R.Top + Top}, RECT{R.Left, R.Top + Top, R.Left + Left, R.Bottom},
            RECT{R.Left + Left, R.Bottom - Bottom, R.Right, R.Bottom},
            RECT{R.Right - Right, R.Top + Top, R.Right, R.Bottom - Bottom}};
}

}  // namespace

void FillDCBorder(HDC DC, const fw::TRect& R, int Left, int Top, int Right, int Bottom, TColor Color) {
    const int saved = SaveDC(DC);
    HBRUSH brush = CreateSolidBrush(COLORREF(fw::ColorToRGB(Color)));
    for (const RECT& p : FrameParts(R, Left, Top, Right, Bottom)) FillRect(DC, &p, brush);
    RestoreDC(DC, saved);
    DeleteObject(brush);
}

void BitBltFrame(HDC DstDC, const fw::TRect& R, int Left, int Top, int Right, int Bottom, HDC SrcDC, int SrcDX,
                 int SrcDY) {
    for (const RECT& p : FrameParts(R, Left, Top, Right, Bottom))
        Blt(DstDC, p.left, p.top, p.right - p.left, p.bottom - p.top, SrcDC, p.left + SrcDX, p.top + SrcDY);
}

void BitBltBorder(HDC DstDC, int X, int Y, int Width, int Height, HDC SrcDC, int SrcX, int SrcY, int BorderWidth) {
    const int dx = SrcX - X, dy = SrcY - Y, bw = BorderWidth;
    Blt(DstDC, X, Y, bw, Height, SrcDC, X + dx, Y + dy);
    Blt(DstDC, X + bw, Y, Width - bw, bw, SrcDC, X + bw + dx, Y + dy);
    Blt(DstDC, X + Width - bw, Y + bw, bw, Height - bw, SrcDC, X + Width - bw + dx, Y + bw + dy);
    Blt(DstDC, X + bw, Y + Height - bw, Width - 2 * bw, bw, SrcDC, X + bw + dx, Y + Height - bw + dy);
}

bool IsSkinSplitter(fw::TControl* Control) { return Control && Control->ClassName() == L"TsSplitter"; }

void ExcludeControls(HDC DC, fw::TWinControl* Ctrl, TacCtrlType, int OffsetX, int OffsetY) {
    if (!Ctrl) return;
    for (int i = 0; i < Ctrl->ControlCount(); ++i) {
        fw::TControl* c = Ctrl->Controls(i);
        if (!c || !c->Is<fw::TGraphicControl>() || StdTransparency || IsSkinSplitter(c) || !c->Visible()) continue;
        const fw::TRect b = c->BoundsRect();
        ExcludeClipRect(DC, b.Left + OffsetX, b.Top + OffsetY, b.Right + OffsetX, b.Bottom + OffsetY);
    }
}

void GrayScale(fw::TBitmap* Bmp) {
    if (!Is24or32(Bmp)) return;
    const TPixelRows rows = PixelRows(Bmp);
    for (int y = 0; y < rows.height; ++y) GreyRow(rows.Row(y), rows.bpp, rows.width);
}

void GrayScaleTrans(fw::TBitmap* Bmp, TsColor TransColor) {
    if (!Is24or32(Bmp)) return;
    const TPixelRows rows = PixelRows(Bmp);
    for (int y = 0; y < rows.height; ++y)
        GreyRowExcept(rows.Row(y), rows.bpp, rows.width, TransColor.B, TransColor.G, TransColor.R);
}

}  // namespace skin
