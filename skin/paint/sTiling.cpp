#include "skin/paint/sTiling.h"

#include <algorithm>
#include <cstdlib>

#include "framework/graphics/Jpeg.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/paint/sAlphaGraph.h"
#include "skin/paint/sSkinImage.h"

namespace skin {

namespace {

const fw::TRect kCovered(-1, -1, -1, -1);

// Size of the bitmap selected into a DC; 0 x 0 for none.
SIZE SelectedSize(HDC dc) {
    BITMAP bm{};
    HGDIOBJ obj = GetCurrentObject(dc, OBJ_BITMAP);
    if (!obj || !GetObjectW(obj, sizeof bm, &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, std::abs(bm.bmHeight)};
}

bool Within(int X, int Y, int W, int H, SIZE s) { return X >= 0 && Y >= 0 && X + W <= s.cx && Y + H <= s.cy; }

// The destination can be read back exactly: a memory DC without a clip
// region, the area and the tile inside their bitmaps.
bool CanDouble(HDC Dst, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, int W, int H) {
    return CanCopyWithin(Dst, X, Y, Width, Height) && Within(SrcX, SrcY, W, H, SelectedSize(Src));
}

}  // namespace

bool CanCopyWithin(HDC Dst, int X, int Y, int Width, int Height) {
    if (GetObjectType(Dst) != OBJ_MEMDC) return false;
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    const int hasClip = GetClipRgn(Dst, clip);
    DeleteObject(clip);
    if (hasClip != 0) return false;
    POINT org{};
    GetWindowOrgEx(Dst, &org);
    if (org.x || org.y || GetMapMode(Dst) != MM_TEXT) return false;
    GetViewportOrgEx(Dst, &org);
    if (org.x || org.y) return false;
    return Within(X, Y, Width, Height, SelectedSize(Dst));
}

void TileRect(HDC Dst, int X, int Y, int Width, int Height, HDC Src, int SrcX, int SrcY, int W, int H) {
    if (W <= 0 || H <= 0 || Width <= 0 || Height <= 0) return;
    const int w0 = std::min(W, Width), h0 = std::min(H, Height);
    if ((Width > W || Height > H) && CanDouble(Dst, X, Y, Width, Height, Src, SrcX, SrcY, w0, h0)) {
        // One tile, then the painted strip copied beside itself, twice as wide
        // each time (a multiple of the tile, so the pattern holds): the same
        // pixels as tile by tile in a few blits.
        BitBlt(Dst, X, Y, w0, h0, Src, SrcX, SrcY, SRCCOPY);
        for (int done = w0; done < Width; done *= 2)
            BitBlt(Dst, X + done, Y, std::min(done, Width - done), h0, Dst, X, Y, SRCCOPY);
        for (int done = h0; done < Height; done *= 2)
            BitBlt(Dst, X, Y + done, Width, std::min(done, Height - done), Dst, X, Y, SRCCOPY);
        return;
    }
    for (int x = X; x < X + Width; x += W)
        for (int y = Y; y < Y + Height; y += H)
            BitBlt(Dst, x, y, std::min(W, X + Width - x), std::min(H, Y + Height - y), Src, SrcX, SrcY, SRCCOPY);
}

namespace {

void Stretch(HDC Dst, int X, int Y, int W, int H, HDC Src, const fw::TRect& S) {
    if (W <= 0 || H <= 0) return;
    const int old = SetStretchBltMode(Dst, HALFTONE);
    StretchBlt(Dst, X, Y, W, H, Src, S.Left, S.Top, S.Width(), S.Height(), SRCCOPY);
    SetStretchBltMode(Dst, old);
}

}  // namespace

void TileBitmap(fw::TCanvas* Canvas, const fw::TRect& R, fw::TGraphic* Graphic) {
    if (!Canvas || !Graphic || Graphic->Width() <= 0 || Graphic->Height() <= 0) return;
    const int W = Graphic->Width(), H = Graphic->Height();
    if (auto* bmp = dynamic_cast<fw::TBitmap*>(Graphic)) {
        TileRect(Canvas->Handle(), R.Left, R.Top, R.Width(), R.Height(), bmp->Canvas()->Handle(), 0, 0, W, H);
    } else if (auto* jpeg = dynamic_cast<fw::TJPEGImage*>(Graphic)) {
        HDC dc = Canvas->Handle();
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
        for (int i = 0; i <= R.Width() / W; ++i)
            for (int j = 0; j <= R.Height() / H; ++j) Canvas->Draw(R.Left + i * W, R.Top + j * H, jpeg);
        RestoreDC(dc, saved);
    }
}

void TileBitmap(fw::TCanvas* Canvas, fw::TRect& R, fw::TGraphic* Graphic, const TsMaskData& MaskData,
                TacFillMode FillMode) {
    if (Graphic && !Graphic->Empty()) {
        TileBitmap(Canvas, R, Graphic);
        R = kCovered;
        return;
    }
    fw::TBitmap* master = SkinImageBitmap(MaskData);
    const fw::TRect& T = MaskData.R;
    const int w = T.Width(), h = T.Height();
    if (!Canvas || !master || w <= 0 || h <= 0) return;
    HDC dc = Canvas->Handle();
    HDC src = master->Canvas()->Handle();
    switch (FillMode) {
        case fmStretched:
            Stretch(dc, R.Left, R.Top, R.Width(), R.Height(), src, T);
            R = kCovered;
            break;
        case fmStretchHorz:
            Stretch(dc, R.Left, R.Top, R.Width(), h, src, T);
            R.Top += h;
            break;
        case fmStretchVert:
            Stretch(dc, R.Left, R.Top, w, R.Height(), src, T);
            R.Left += w;
            break;
        case fmDisTiled: {
            // Whole tiles only downwards; the last column is cut to fit.
            const int rows = std::max<int>(0, (R.Height() - 1) / h);
            TileRect(dc, R.Left, R.Top, R.Width(), std::min<int>(rows * h, R.Height()), src, T.Left, T.Top, w, h);
            R = kCovered;
            break;
        }
        case fmTiled:
            TileRect(dc, R.Left, R.Top, R.Width(), R.Height(), src, T.Left, T.Top, w, h);
            R = kCovered;
            break;
        case fmTiledHorz:
            TileRect(dc, R.Left, R.Top, R.Width(), R.Height(), src, T.Left, T.Top, w, R.Height());
            R.Top += h;
            break;
        case fmTiledVert:
            TileRect(dc, R.Left, R.Top, R.Width(), R.Height(), src, T.Left, T.Top, R.Width(), h);
            R.Left += w;
            break;
        case fmTileHorBtm: {
            const int top = std::max<int>(R.Top, R.Bottom - h);
            TileRect(dc, R.Left, top, R.Width(), R.Bottom - top, src, T.Left, T.Top, w, h);
            R.Bottom -= h;
            break;
        }
        case fmTileVertRight:
        default: {
            const int left = std::max<int>(R.Left, R.Right - w);
            TileRect(dc, left, R.Top, R.Right - left, R.Height(), src, T.Left, T.Top, w, h);
            if (FillMode == fmTileVertRight)
                R.Right -= w;
            else
                R.Left = R.Right - w;
            break;
        }
    }
}

void TileMasked(fw::TBitmap* Bmp, fw::TRect& R, const TCacheInfo& CI, const TsMaskData& MaskData,
                TacFillMode FillMode) {
    if (!Bmp || !MaskData.Manager || (FillMode != fmTiled && FillMode != fmDisTiled)) return;
    const int w = MaskData.R.Width() / ImageCountOf(MaskData), h = MaskData.R.Height() / 2;
    if (w <= 0 || h <= 0) return;
    const fw::TRect image(MaskData.R.Left, MaskData.R.Top, MaskData.R.Left + w, MaskData.R.Top + h);
    int x = R.Left, y = R.Top;
    for (; x < R.Right - w; x += w)
        for (y = R.Top; y < R.Bottom - h; y += h)
            CopyMasterRect(fw::TRect(x, y, x + w, y + h), image, Bmp, CI, MaskData);
    if (FillMode == fmTiled) {
        for (y = R.Top; y < R.Bottom - h; y += h)
            CopyMasterRect(fw::TRect(x, y, R.Right, y + h), image, Bmp, CI, MaskData);
    } else {
        // The strip below the last whole row and the one right of the last
        // whole column, counted from R (never from the bitmap's row 0).
        const int rowsEnd = R.Top + std::max<int>(0, (R.Height() - 1) / h) * h;
        const fw::TRect parts[2] = {fw::TRect(R.Left, rowsEnd, R.Right, R.Bottom),
                                    fw::TRect(x, R.Top, R.Right, R.Bottom)};
        for (const fw::TRect& part : parts) {
            if (part.IsEmpty()) continue;
            if (CI.Ready && CI.Bmp)
                BitBlt(Bmp->Canvas()->Handle(), part.Left, part.Top, part.Width(), part.Height(),
                       CI.Bmp->Canvas()->Handle(), part.Left + CI.X, part.Top + CI.Y, SRCCOPY);
            else if (Bmp->PixelFormat() == fw::pf32bit)
                FillRect32(Bmp, part, CI.FillColor);
            else
                FillDC(Bmp->Canvas()->Handle(), part, CI.FillColor);
        }
    }
    R = fw::TRect(-1, -1, -1, -1);
}

void TileBitmapFromOther(fw::TCanvas* Canvas, const fw::TRect& R, const TsMaskData& MaskData) {
    if (!Canvas || !MaskData.Bmp) return;
    const fw::TRect& T = MaskData.R;
    TileRect(Canvas->Handle(), R.Left, R.Top, R.Width(), R.Height(), MaskData.Bmp->Canvas()->Handle(), T.Left, T.Top,
             T.Width(), T.Height());
}

}  // namespace skin
