#include "skin/forms/sMDIButtons.h"

#include <algorithm>

#include "skin/engine/TextUtils.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sGlyphs.h"

namespace skin {

bool MDIButtonsNeeded(const TMDIState& S) {
    return S.MDIForm && S.HasMenu && S.ChildProvider && S.ChildMaximized && S.ChildSystemMenu;
}

TsCaptionButton* TMDIButtons::Of(int HitCode) {
    return const_cast<TsCaptionButton*>(static_cast<const TMDIButtons*>(this)->Of(HitCode));
}

const TsCaptionButton* TMDIButtons::Of(int HitCode) const {
    switch (HitCode) {
        case HTMDICLOSE:
            return &Close;
        case HTMDIMAX:
            return &Max;
        case HTMDIMIN:
            return &Min;
        default:
            return nullptr;
    }
}

void UpdateMDIIconsIndexes(TMDIButtons& B, const TTitleButtons& Own, const TFrameSkin& K) {
    B.Close.HitCode = HTMDICLOSE;
    B.Max.HitCode = HTMDIMAX;
    B.Min.HitCode = HTMDIMIN;
    auto set = [&](int min, int max, int close, bool align) {
        B.Min.ImageIndex = min, B.Max.ImageIndex = max, B.Close.ImageIndex = close;
        B.Min.HaveAlignment = B.Max.HaveAlignment = B.Close.HaveAlignment = align;
    };
    if (K.SmallClose < 0)
        set(K.BigMin, K.BigMax, K.BigClose, true);
    else if (K.SmallMin < 0)
        set(Own.Min.ImageIndex, Own.Max.ImageIndex, Own.Close.ImageIndex, true);
    else
        set(K.SmallMin, K.SmallMax, K.SmallClose, false);
}

int SmallButtonWidth(const TFrameSkin& K, const TMDIButtons& B) {
    const TsMaskData* m = K.Image(B.Close.ImageIndex);
    if (!m) return 16;
    return m->Bmp ? m->Bmp->Width() / 3 : WidthOfImage(*m);
}

int SmallButtonHeight(const TFrameSkin& K, const TMDIButtons& B) {
    const TsMaskData* m = K.Image(B.Close.ImageIndex);
    if (!m) return 16;
    return m->Bmp ? m->Bmp->Height() / 2 : HeightOfImage(*m);
}

void LayoutMDIButtons(TMDIButtons& B, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K) {
    const int w = SmallButtonWidth(K, B), h = SmallButtonHeight(K, B), mh = MenuHeight(S, M);
    const int y = SysBorderHeight(S, M) + CaptionHeight(S, M) + (mh - h) / 2 + std::max(S.MenuLines - 1, 0) * mh;
    const int c = CaptionWidth(S) - SysBorderWidth(S, M);
    auto place = [&](TsCaptionButton& btn, int x, bool always) {
        if (!always && !K.Image(btn.ImageIndex)) return;
        btn.Rect = fw::TRect(x, y, x + w, y + h);
    };
    place(B.Min, c - 3 * w - 3, false);
    place(B.Max, c - 2 * w - 2, true);
    place(B.Close, c - w - 1, false);
}

int MDIButtonHitTest(const TMDIButtons& B, fw::TPoint P) {
    if (B.Close.Rect.Contains(P)) return HTMDICLOSE;
    if (B.Max.Rect.Contains(P)) return HTMDIMAX;
    if (B.Min.Rect.Contains(P)) return HTMDIMIN;
    return HTMENU;
}

int ShownMDIImage(const TsCaptionButton& Btn, const TMDIButtons& B, const TMDIState& S, const TFrameSkin& K) {
    if (&Btn == &B.Max && S.ChildMaximized) return K.SmallNorm >= 0 ? K.SmallNorm : K.BigNorm;
    return Btn.ImageIndex;
}

bool MDIButtonEnabled(const TsCaptionButton& Btn, const TMDIButtons& B, const TMDIState& S) {
    if (&Btn == &B.Min) return S.ChildEnabledMin;
    if (&Btn == &B.Max) return S.ChildEnabledRestore;
    return true;
}

void PaintMDIButton(fw::TBitmap* Cache, const TsCaptionButton& Btn, const TMDIButtons& B, const TMDIState& S,
                    const TFrameSkin& K) {
    if (Btn.Rect.IsEmpty()) return;
    const TsMaskData* image = K.Image(ShownMDIImage(Btn, B, S, K));
    if (!image) return;
    const bool dim = !S.Active || !MDIButtonEnabled(Btn, B, S);
    // A dimmed button stays in its normal look whatever the mouse does.
    const int state = dim ? 0 : std::max(Btn.State, 0);
    DrawSkinGlyph(Cache, Btn.Rect.TopLeft(), state, dim ? 2 : 1, *image, MakeCacheInfo(Cache));
}

void PaintMDIButtons(fw::TBitmap* Cache, const TMDIButtons& B, const TMDIState& S, const TFrameSkin& K) {
    for (const TsCaptionButton* btn : {&B.Min, &B.Max, &B.Close}) PaintMDIButton(Cache, *btn, B, S, K);
}

fw::TRect MDIButtonsRect(const TMDIButtons& B) {
    fw::TRect r;
    for (const TsCaptionButton* btn : {&B.Min, &B.Max, &B.Close}) {
        if (btn->Rect.IsEmpty()) continue;
        if (r.IsEmpty())
            r = btn->Rect;
        else
            r = fw::TRect(std::min(r.Left, btn->Rect.Left), std::min(r.Top, btn->Rect.Top),
                          std::max(r.Right, btn->Rect.Right), std::max(r.Bottom, btn->Rect.Bottom));
    }
    return r;
}

}  // namespace skin
