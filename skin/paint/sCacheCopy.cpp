#include "skin/paint/sCacheCopy.h"

#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinImages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sChannels.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sGlyphs.h"
#include "skin/paint/sVclUtils.h"

namespace skin {

namespace {

// Clips DstDC to R2 and lets Exclude cut out children; copies the cache and
// restores the DC on every way out.
template <class Exclude>
void CopyCache(TsCommonData* S, const fw::TRect& R1, const fw::TRect& R2, HDC DstDC, bool FixCorners, Exclude exclude) {
    if (!S || !S->FCacheBmp) return;
    if (FixCorners) UpdateCorners(S, 0);
    struct Saved {
        HDC dc;
        int id;
        ~Saved() { RestoreDC(dc, id); }
    } saved{DstDC, SaveDC(DstDC)};
    IntersectClipRect(DstDC, R2.Left, R2.Top, R2.Right, R2.Bottom);
    exclude();
    BitBlt(DstDC, R2.Left, R2.Top, R2.Width(), R2.Height(), S->FCacheBmp->Canvas()->Handle(), R1.Left, R1.Top, SRCCOPY);
}

bool Intersects(const fw::TRect& a, const fw::TRect& b) {
    return a.Left < b.Right && a.Top < b.Bottom && a.Right > b.Left && a.Bottom > b.Top;
}

void Exclude(HDC DC, int Left, int Top, int Right, int Bottom) {
    if (Right > Left && Bottom > Top) ExcludeClipRect(DC, Left, Top, Right, Bottom);
}

}  // namespace

void CopyWinControlCache(fw::TWinControl* Ctrl, TsCommonData* S, const fw::TRect& R1, const fw::TRect& R2, HDC DstDC,
                         bool FixCorners, int OffsetX, int OffsetY) {
    CopyCache(S, R1, R2, DstDC, FixCorners, [&] {
        if (!Ctrl) return;
        for (int i = 0; i < Ctrl->ControlCount(); ++i) {
            fw::TControl* c = Ctrl->Controls(i);
            const bool graphic = c->Is<fw::TGraphicControl>();
            if ((graphic && StdTransparency) || IsSkinSplitter(c) || !c->Visible()) continue;
            fw::TRect b = c->BoundsRect();
            fw::OffsetRect(b, OffsetX, OffsetY);
            if (!Intersects(b, R2)) continue;
            // Windowed children that are neither designed nor opaque are
            // clipped by the window system itself.
            if (graphic || c->ControlStyle().Contains(fw::csOpaque) || c->ComponentState().Contains(fw::csDesigning))
                Exclude(DstDC, b.Left, b.Top, b.Right, b.Bottom);
        }
    });
}

void CopyHwndCache(HWND Handle, TsCommonData* S, const fw::TRect& R1, const fw::TRect& R2, HDC DstDC, bool FixCorners,
                   int OffsetX, int OffsetY) {
    CopyCache(S, R1, R2, DstDC, FixCorners, [&] {
        RECT pr{};
        GetWindowRect(Handle, &pr);
        for (HWND w = GetTopWindow(Handle); w; w = GetWindow(w, GW_HWNDNEXT)) {
            if (!(GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE)) continue;  // its own visibility, also in a hidden form
            RECT cr{};
            GetWindowRect(w, &cr);
            const int l = cr.left - pr.left + OffsetX, t = cr.top - pr.top + OffsetY;
            const int r = cr.right - pr.left + OffsetX, b = cr.bottom - pr.top + OffsetY;
            const LONG style = GetWindowLongW(w, GWL_STYLE);
            const bool groupBox = (style & 7) == BS_GROUPBOX && !(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
            if (!groupBox) {
                Exclude(DstDC, l, t, r, b);
                continue;
            }
            if (!DefaultManager) continue;
            const int caption = int(SendAMessage(w, smcGetCaptionHeight, 0));
            Exclude(DstDC, l, t, r, t + caption);
            TsSkinManager& M = *DefaultManager;
            const int index = M.GetMaskIndex(M.GetSkinIndex(L"GROUPBOX"), L"GROUPBOX", L"BORDERSMASK");
            if (!M.IsValidImgIndex(index)) continue;
            const int wl = MaskWidthLeft(M.ma, index), wr = MaskWidthRight(M.ma, index);
            const int wb = MaskWidthBottom(M.ma, index);
            Exclude(DstDC, l, t, l + wl, b);
            Exclude(DstDC, r - wr, t, r, b);
            Exclude(DstDC, l, b - wb, r, b);
        }
    });
}

}  // namespace skin
