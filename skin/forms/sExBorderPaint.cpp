#include "skin/forms/sExBorderPaint.h"

#include <algorithm>
#include <vector>

#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/forms/sFrameRegion.h"
#include "skin/paint/sAlphaGraph.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sChannels.h"

namespace skin {

namespace {

// Every rectangle of Rgn.
std::vector<RECT> RegionRects(HRGN Rgn) {
    std::vector<RECT> rects;
    const DWORD size = GetRegionData(Rgn, 0, nullptr);
    if (!size) return rects;
    std::vector<BYTE> buf(size);
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    if (!GetRegionData(Rgn, size, data)) return rects;
    const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
    rects.assign(r, r + data->rdh.nCount);
    return rects;
}

// The extended draw mode: the skin's border image is the frame (and the
// shadow in its outer ExContentOffs), painted over the form's background;
// the title's items are drawn on it keeping its alpha where they drew.
void PaintExDrawing(fw::TBitmap* Cache, const TFrameState& Sx, const TFrameMetrics& Mx, const TFrameState& S,
                    const TFrameMetrics& M, const TExBorders& E, const TFrameSkin& K, TTitleButtons& B,
                    const TFrameContent& Content, fw::TBitmap*& GlowMask, TsSkinManager* Manager, fw::TBitmap* Shadow) {
    const RECT& sh = E.Shadow;
    const int w = Cache->Width(), h = Cache->Height();
    const int cap = ExCaptionHeight(S, M, E);
    const int border = BorderWidth(Sx, Mx);
    const int ex = Manager->ConstData.ExBorder;
    if (ex >= 0 && size_t(ex) < Manager->ma.size()) {
        const TsMaskData& mask = Manager->ma[size_t(ex)];
        // The frame's sides at most as wide as the frame itself (beyond them
        // the form's own background shows); top and bottom at most half the
        // height below the title.
        const fw::TRect widths(mask.WL, std::min<int>(mask.WT, cap + (h - cap) / 2), mask.WR,
                               std::min<int>(mask.WB, (h - cap) / 2));
        const fw::TRect most(sh.left + border, sh.top + cap, sh.right + border, sh.bottom + border);
        PaintControlByTemplate(Cache, Shadow, fw::TRect(0, 0, w, h), fw::TRect(0, 0, Shadow->Width(), Shadow->Height()),
                               widths, most, fw::TRect(1, 1, 1, 1), false, false);
    }
    if (CaptionHeight(Sx, Mx) == 0) return;

    // The title's items on a copy of the title strip; the pixels they
    // changed take their colour from it and keep the border image's alpha.
    const int titleW = CaptionWidth(Sx), titleH = std::min(TitleBottom(Sx, Mx), h - int(sh.top));
    if (titleW <= 0 || titleH <= 0) return;
    fw::TBitmap* strip = CreateBmp24(titleW, titleH);
    fw::TBitmap* before = CreateBmp24(titleW, titleH);
    HDC dc = Cache->Canvas()->Handle();
    BitBlt(strip->Canvas()->Handle(), 0, 0, titleW, titleH, dc, sh.left, sh.top, SRCCOPY);
    BitBlt(before->Canvas()->Handle(), 0, 0, titleW, titleH, dc, sh.left, sh.top, SRCCOPY);
    PaintFrameTitle(strip, Sx, Mx, K, B, Content, GlowMask);
    GdiFlush();
    for (int y = 0; y < titleH; ++y) {
        const BYTE* now = static_cast<const BYTE*>(strip->ScanLine(y));
        const BYTE* was = static_cast<const BYTE*>(before->ScanLine(y));
        BYTE* out = static_cast<BYTE*>(Cache->ScanLine(y + sh.top)) + size_t(sh.left) * 4;
        for (int x = 0; x < titleW && x + sh.left < w; ++x, now += 3, was += 3, out += 4)
            if (now[0] != was[0] || now[1] != was[1] || now[2] != was[2])
                out[0] = now[0], out[1] = now[1], out[2] = now[2];
    }
    delete strip;
    delete before;
}

}  // namespace

fw::TBitmap* PaintExFrameImage(fw::TBitmap* Cache, const TFrameState& S, const TFrameMetrics& M, const TExBorders& E,
                               const TFrameSkin& K, TTitleButtons& B, const TFrameContent& Content,
                               fw::TBitmap*& GlowMask, TsSkinManager* Manager, bool Active) {
    TFrameState sx;
    TFrameMetrics mx;
    ExFrame(S, M, E, sx, mx);
    const fw::TSize size = ExImageSize(S, M, E);
    const RECT& sh = E.Shadow;

    const bool drawing = ExDrawing(E);
    fw::TBitmap* frame = CreateBmp24(0, 0);
    TFrameContent content = Content;
    content.TitleApart = drawing;
    PaintFrame(frame, sx, mx, K, B, content, GlowMask);

    if (Cache->PixelFormat() != fw::pf32bit) Cache->SetPixelFormat(fw::pf32bit);
    Cache->SetSize(size.cx, size.cy);
    for (int y = 0; y < size.cy; ++y) ZeroMemory(Cache->ScanLine(y), size_t(size.cx) * 4);

    fw::TBitmap* shadow = Manager ? (Active ? Manager->ShdaTemplate : Manager->ShdiTemplate) : nullptr;
    if (drawing) {
        // The form's background, opaque, under the frame the skin's border
        // image paints.
        BitBlt(Cache->Canvas()->Handle(), sh.left, sh.top, frame->Width(), frame->Height(), frame->Canvas()->Handle(),
               0, 0, SRCCOPY);
        GdiFlush();
        FillAlphaRect(Cache, fw::TRect(sh.left, sh.top, size.cx - sh.right, size.cy - sh.bottom), 255);
        delete frame;
        if (shadow && !shadow->Empty())
            PaintExDrawing(Cache, sx, mx, S, M, E, K, B, content, GlowMask, Manager, shadow);
        return shadow;
    }

    // The shadow: the skin's template as nine parts over the whole image.
    if (shadow && !shadow->Empty() && Manager->SkinData) {
        const int c = Manager->SkinData->ExContentOffs;
        const fw::TRect widths(sh.left + c, sh.top + c, sh.right + c, sh.bottom + c);
        PaintControlByTemplate(Cache, shadow, fw::TRect(0, 0, size.cx, size.cy),
                               fw::TRect(0, 0, shadow->Width(), shadow->Height()), widths, widths,
                               fw::TRect(1, 1, 1, 1), false, false);
    }

    // The frame over it, opaque; its cut corners keep the shadow.
    HRGN rgn = GetRgnFromArOR(sx, FillArOR(sx, K), sh.left, sh.top);
    HDC dc = Cache->Canvas()->Handle();
    const int saved = SaveDC(dc);
    SelectClipRgn(dc, rgn);
    BitBlt(dc, sh.left, sh.top, frame->Width(), frame->Height(), frame->Canvas()->Handle(), 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
    GdiFlush();
    for (const RECT& r : RegionRects(rgn)) FillAlphaRect(Cache, fw::TRect(r.left, r.top, r.right, r.bottom), 255);
    DeleteObject(rgn);
    delete frame;
    return shadow;
}

}  // namespace skin
