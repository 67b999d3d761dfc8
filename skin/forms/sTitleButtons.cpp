#include "skin/forms/sTitleButtons.h"

#include <algorithm>

#include "skin/engine/TextUtils.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/paint/sCopies.h"
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
    if (&Btn == &B.Close) return EnabledClose(S);
    return true;
}

namespace {

int ButtonTop(const TsCaptionButton& Btn, const TTitleButtons& B, const TFrameState& S, const TFrameMetrics& M,
              const TFrameSkin& K) {
    if (Btn.HaveAlignment && K.BIVAlign == 1) {
        const TFrameState::TExTitle& x = S.ExTitle;
        if (x.On) return (S.Zoomed && K.BITopMargin != 0 ? x.SysBorder : K.BITopMargin) + x.AlignedTop;
        int top = 0;
        if (S.Zoomed && !S.MaxConstraints) top += SysBorderWidth(S, M) - 1;
        return top;
    }
    const int h = ButtonHeight(K, B);
    int top = (SysBorderHeight(S, M) + CaptionHeight(S, M) - h) / 2;
    if (BigButtons(S) && h < 16) top += 2;
    return top + S.ExTitle.Buttons;
}

}  // namespace

static void LayoutSystemButtons(TTitleButtons& B, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K,
                                int& x, int spacing);

void LayoutTitleButtons(TTitleButtons& B, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K) {
    // A shown button keeps its hot or pressed state through a new layout.
    const bool any = HaveBorder(S) && S.SystemMenu && VisibleClose(S);
    auto show = [](TsCaptionButton& btn, bool shown) { btn.State = shown ? std::max(btn.State, 0) : -1; };
    show(B.Close, any);
    show(B.Max, any && VisibleMax(S));
    show(B.Min, any && VisibleMin(S));
    show(B.Help, any && S.BorderIcons.Contains(fw::biHelp));
    const int spacing = BigButtons(S) ? K.BISpacing : 0;
    int x = CaptionWidth(S) - K.BIRightMargin - SysBorderWidth(S, M);
    if (any) LayoutSystemButtons(B, S, M, K, x, spacing);
    // User buttons, left of the system ones, in collection order.
    x -= 8;
    for (size_t i = 0; i < B.User.size(); ++i) {
        TUserTitleButton& u = B.User[i];
        if (!u.Data) continue;
        show(*u.Data, HaveBorder(S) && u.Visible);
        u.Data->HitCode = HTUDBTN + int(i);
        if (u.Data->State < 0) continue;
        u.Data->HaveAlignment = false;
        u.Data->ImageIndex = u.UseSkinData && K.Image(K.UserButton) ? K.UserButton : -1;
        u.Data->Rect.Right = x;
        u.Data->Rect.Left = x - UserButtonWidth(K, u);
        u.Data->Rect.Top = ButtonTop(*u.Data, B, S, M, K);
        u.Data->Rect.Bottom = u.Data->Rect.Top + ButtonHeight(K, B);
        x = u.Data->Rect.Left - spacing;
    }
}

static void LayoutSystemButtons(TTitleButtons& B, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K,
                                int& x, int spacing) {
    if (VisibleMax(S)) B.Max.ImageIndex = S.Zoomed ? K.BigNorm : K.BigMax;
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

void PaintUserGlyph(fw::TBitmap* Bmp, const TUserTitleButton& U, const TFrameSkin& K, const TTitleButtons& B,
                    bool Pressed) {
    fw::TBitmap* glyph = U.Glyph;
    if (!glyph || glyph->Empty() || !U.Data) return;
    const fw::TRect& r = U.Data->Rect;
    const int shift = Pressed ? 1 : 0;
    const int x = r.Left + (UserButtonWidth(K, U) - glyph->Width()) / 2 + shift;
    const int y = r.Top + (ButtonHeight(K, B) - glyph->Height()) / 2 + shift;
    if (glyph->PixelFormat() == fw::pf32bit) {
        CopyByMask(fw::TRect(x, y, x + glyph->Width(), y + glyph->Height()),
                   fw::TRect(0, 0, glyph->Width(), glyph->Height()), Bmp, glyph, EmptyCI, false);
        return;
    }
    // Other glyphs show through their bottom-left pixel's colour.
    fw::TBitmap work(glyph->Width(), glyph->Height(), fw::pf24bit);
    work.Canvas()->Draw(0, 0, glyph);
    CopyTransBitmaps(Bmp, &work, x, y, TsColor{work.Canvas()->Pixels(0, work.Height() - 1)});
}

void PaintUserButton(fw::TBitmap* Bmp, const TUserTitleButton& U, const TTitleButtons& B, const TFrameState& S,
                     const TFrameSkin& K) {
    const TsCaptionButton* btn = U.Data;
    if (!btn || btn->State < 0) return;
    const bool animated = btn->Timer != nullptr;
    if (const TsMaskData* image = K.Image(btn->ImageIndex)) {
        const bool dim = (btn->State == 0 || animated) && (!S.Active || !U.Enabled);
        DrawSkinGlyph(Bmp, btn->Rect.TopLeft(), animated ? 0 : btn->State, dim ? 2 : 1, *image, MakeCacheInfo(Bmp));
    }
    PaintUserGlyph(Bmp, U, K, B, !animated && btn->State == 2);
}

void PaintTitleButtons(fw::TBitmap* Bmp, const TTitleButtons& B, const TFrameState& S, const TFrameSkin& K) {
    for (const TsCaptionButton* btn : {&B.Close, &B.Max, &B.Min, &B.Help}) PaintTitleButton(Bmp, *btn, B, S, K);
    for (const TUserTitleButton& u : B.User) PaintUserButton(Bmp, u, B, S, K);
}

TButtonGlow ButtonGlowOf(int HitCode, const TsSkinData* D) {
    if (!D) return {};
    switch (HitCode) {
        case HTMINBUTTON:
        case HTMDIMIN:
            return {D->BIMinGlow, D->BIMinGlowMargin};
        case HTMAXBUTTON:
        case HTMDIMAX:
            return {D->BIMaxGlow, D->BIMaxGlowMargin};
        case HTCLOSE:
        case HTMDICLOSE:
            return {D->BICloseGlow, D->BICloseGlowMargin};
        default:
            return {};
    }
}

}  // namespace skin
