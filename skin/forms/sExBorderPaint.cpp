#include "skin/forms/sExBorderPaint.h"

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

}  // namespace

fw::TBitmap* PaintExFrameImage(fw::TBitmap* Cache, const TFrameState& S, const TFrameMetrics& M, const TExBorders& E,
                               const TFrameSkin& K, TTitleButtons& B, const TFrameContent& Content,
                               fw::TBitmap*& GlowMask, TsSkinManager* Manager, bool Active) {
    TFrameState sx;
    TFrameMetrics mx;
    ExFrame(S, M, E, sx, mx);
    const fw::TSize size = ExImageSize(S, M, E);
    const RECT& sh = E.Shadow;

    fw::TBitmap* frame = CreateBmp24(0, 0);
    PaintFrame(frame, sx, mx, K, B, Content, GlowMask);

    if (Cache->PixelFormat() != fw::pf32bit) Cache->SetPixelFormat(fw::pf32bit);
    Cache->SetSize(size.cx, size.cy);
    for (int y = 0; y < size.cy; ++y) ZeroMemory(Cache->ScanLine(y), size_t(size.cx) * 4);

    // The shadow: the skin's template as nine parts over the whole image.
    fw::TBitmap* shadow = Manager ? (Active ? Manager->ShdaTemplate : Manager->ShdiTemplate) : nullptr;
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
