#include "skin/forms/sTitleButtons.h"

#include <algorithm>

#include "skin/engine/TextUtils.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sGlyphs.h"

namespace skin {

void UpdateIconsIndexes(TTitleButtons& B, const TFrameState& S, const TFrameSkin& K) {
    B.Min.HitCode = HTMINBUTTON;
    B.Max.HitCode = HTMAXBUTTON;
    B.Close.HitCode = HTCLOSE;
    B.Help.HitCode = HTHELP;
    const bool big = BigButtons(S);
    if (big) {
        const bool alone = !VisibleMax(S) && !VisibleMin(S) && K.BigCloseAlone >= 0;
        B.Close.ImageIndex = alone ? K.BigCloseAlone : K.BigClose;
        B.Max.ImageIndex = K.BigMax;
        B.Min.ImageIndex = K.BigMin;
        B.Help.ImageIndex = K.BigHelp;
    } else {
        B.Close.ImageIndex = K.SmallClose;
        B.Max.ImageIndex = K.SmallMax;
        B.Min.ImageIndex = K.SmallMin;
        B.Help.ImageIndex = K.SmallHelp >= 0 ? K.SmallHelp : K.BigHelp;
    }
    B.Min.HaveAlignment = B.Max.HaveAlignment = B.Close.HaveAlignment = big;
    B.Help.HaveAlignment = false;
    if (B.Close.ImageIndex < 0) {
        B.Close.ImageIndex = K.BigClose;
        B.Max.ImageIndex = K.BigMax;
        B.Min.ImageIndex = K.BigMin;
        B.Help.ImageIndex = K.BigHelp;
        B.Min.HaveAlignment = B.Max.HaveAlignment = B.Close.HaveAlignment = B.Help.HaveAlignment = true;
    }
}

int ShownImage(const TsCaptionButton& Btn, const TTitleButtons& B, const TFrameState& S, const TFrameSkin& K) {
    if (&Btn == &B.Max && S.Zoomed) return K.BigNorm;
    if (&Btn == &B.Min && S.Iconic) return K.BigNorm;
    return Btn.ImageIndex;
}

bool ButtonEnabled(const TsCaptionButton& Btn, const TTitleButtons& B, const TFrameState& S) {
    if (&Btn == &B.Max) return S.Zoomed ? EnabledRestore(S) : EnabledMax(S);
    if (&Btn == &B.Min) return S.Iconic ? EnabledRestore(S) : EnabledMin(S);
    return true;
}

namespace {

int ButtonTop(const TsCaptionButton& Btn, const TTitleButtons& B, const TFrameState& S, const TFrameMetrics& M,
              const TFrameSkin& K) {
    if (Btn.HaveAlignment && K.BIVAlign == 1) {
        int top = 0;
        if (S.Zoomed && !S.MaxConstraints) top += SysBorderWidth(S, M) - 1;
        return top;
    }
    const int h = ButtonHeight(K, B);
    int top = (SysBorderHeight(S, M) + CaptionHeight(S, M) - h) / 2;
    if (BigButtons(S) && h < 16) top += 2;
    return top;
}

}  // namespace

void LayoutTitleButtons(TTitleButtons& B, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K) {
    // A shown button keeps its hot or pressed state through a new layout.
    const bool any = HaveBorder(S) && S.SystemMenu && VisibleClose(S);
    auto show = [](TsCaptionButton& btn, bool shown) { btn.State = shown ? std::max(btn.State, 0) : -1; };
    show(B.Close, any);
    show(B.Max, any && VisibleMax(S));
    show(B.Min, any && VisibleMin(S));
    show(B.Help, any && S.BorderIcons.Contains(fw::biHelp));
    if (!any) return;
    if (VisibleMax(S)) B.Max.ImageIndex = S.Zoomed ? K.BigNorm : K.BigMax;
    const int spacing = BigButtons(S) ? K.BISpacing : 0;
    int x = CaptionWidth(S) - K.BIRightMargin - SysBorderWidth(S, M);
    auto place = [&](TsCaptionButton& btn) {
        if (!K.Image(ShownImage(btn, B, S, K))) return;
        btn.Rect.Right = x;
        btn.Rect.Left = x - SysButtonWidth(K, btn);
        btn.Rect.Top = ButtonTop(btn, B, S, M, K);
        btn.Rect.Bottom = btn.Rect.Top + ButtonHeight(K, B);
        x = btn.Rect.Left - spacing;
    };
    place(B.Close);
    if (VisibleMax(S)) place(B.Max);
    if (VisibleMin(S)) place(B.Min);
    if (S.BorderIcons.Contains(fw::biHelp)) place(B.Help);
}

void PaintTitleButton(fw::TBitmap* Bmp, const TsCaptionButton& Btn, const TTitleButtons& B, const TFrameState& S,
                      const TFrameSkin& K) {
    if (Btn.State < 0) return;
    const TsMaskData* image = K.Image(ShownImage(Btn, B, S, K));
    if (!image) return;
    const bool animated = Btn.Timer != nullptr;
    const bool dim = (Btn.State == 0 || animated) && (!S.Active || !ButtonEnabled(Btn, B, S));
    // Keyed pixels show the title drawn under the button.
    DrawSkinGlyph(Bmp, Btn.Rect.TopLeft(), animated ? 0 : Btn.State, dim ? 2 : 1, *image, MakeCacheInfo(Bmp));
}

void PaintTitleButtons(fw::TBitmap* Bmp, const TTitleButtons& B, const TFrameState& S, const TFrameSkin& K) {
    for (const TsCaptionButton* btn : {&B.Close, &B.Max, &B.Min, &B.Help}) PaintTitleButton(Bmp, *btn, B, S, K);
}

}  // namespace skin
