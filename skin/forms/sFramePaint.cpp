#include "skin/forms/sFramePaint.h"

#include <algorithm>

#include "skin/engine/SystemUtils.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/acGdiGuards.h"
#include "skin/engine/sColorMath.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/paint/sCopies.h"
#include "skin/paint/sGlyphs.h"
#include "skin/paint/sSectionBG.h"
#include "skin/paint/sSectionPaint.h"
#include "skin/paint/sSkinRect.h"
#include "skin/paint/sTextOut.h"

namespace skin {

using fw::TRect;

namespace {

constexpr unsigned kCaptionFlags = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;

int StateOf(const TFrameState& S) { return S.Active ? 1 : 0; }

void DrawAppIcon(fw::TBitmap* Cache, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K,
                 const TFrameContent& C) {
    if (!IconVisible(S)) return;
    const TRect r = IconRect(S, M, K);
    fw::TBitmap* glyph = C.IconGlyph;
    if (glyph && !glyph->Empty()) {
        glyph->SetTransparentColor(fw::TColor(0xFF00FF));
        glyph->SetTransparent(true);
        if (glyph->PixelFormat() == fw::pf32bit) {
            CopyByMask(TRect(r.Left, r.Top, r.Left + glyph->Width(), r.Top + glyph->Height()),
                       TRect(0, 0, glyph->Width(), glyph->Height()), Cache, glyph, EmptyCI, false);
        } else {
            const fw::TSize size = TitleGlyphSize(S, M);
            Cache->Canvas()->StretchDraw(TRect(r.Left, r.Top, r.Left + size.cx, r.Top + size.cy), glyph);
        }
        return;
    }
    if (C.Icon)
        DrawIconEx(Cache->Canvas()->Handle(), r.Left, r.Top, C.Icon, r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
}

void DrawTitleBar(fw::TBitmap* Cache, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K,
                  const TTitleButtons& B) {
    const TsMaskData* bar = K.Image(K.TitleBarIndex);
    if (!bar || SysButtonsCount(S) == 0) return;
    const TRect r(CaptionWidth(S) - BarWidth(S, K, B), 0, Cache->Width(), CaptionHeight(S, M) + SysBorderHeight(S, M));
    DrawSkinRect(Cache, r, true, EmptyCI, *bar, StateOf(S), true);
}

int AddedTitleWidth(fw::TCanvas* Canvas, const TFrameContent& C) {
    if (C.AddedTitle.empty() || !C.AddedFont) return 0;
    Canvas->Font()->Assign(C.AddedFont);
    SIZE ext{};
    GetTextExtentPoint32W(Canvas->Handle(), C.AddedTitle.c_str(), int(C.AddedTitle.size()), &ext);
    return ext.cx;
}

// The added title in its font; a colour of its own is mixed half with the
// title's while the form is inactive.
void DrawAddedTitle(fw::TCanvas* Canvas, const TFrameState& S, const TFrameSkin& K, const TFrameContent& C, TRect R) {
    if (R.IsEmpty()) return;
    Canvas->Font()->Assign(C.AddedFont);
    const fw::TColor own = C.AddedFont->Color();
    fw::TColor colour = own;
    if (K.TitleIndex >= 0) {
        const TsGeneralData& g = K.Manager->gd[size_t(K.TitleIndex)];
        if (own == fw::clNone || own == fw::clWindowText)
            colour = S.Active ? g.HotFontColor[0] : g.FontColor[0];
        else if (!S.Active)
            colour = MixColors(g.FontColor[0], own, 0.5);
    } else if (own == fw::clNone) {
        colour = fw::clWindowText;
    }
    Canvas->Font()->SetColor(colour);
    SetBkMode(Canvas->Handle(), TRANSPARENT);
    SetTextColor(Canvas->Handle(), fw::ColorToRGB(colour));
    acDrawText(Canvas->Handle(), C.AddedTitle, R, kCaptionFlags);
}

void DrawCaption(fw::TBitmap* Cache, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K,
                 const TTitleButtons& B, const TFrameContent& C, fw::TBitmap*& GlowMask) {
    fw::TCanvas* canvas = Cache->Canvas();
    const int added = AddedTitleWidth(canvas, C);
    if (HFONT font = acGetTitleFont()) canvas->Font()->SetHandle(font, fw::hoOwned);
    SIZE ext{};
    GetTextExtentPoint32W(canvas->Handle(), C.Caption.c_str(), int(C.Caption.size()), &ext);
    TRect r = CaptionTextRect(S, M, K, B, ext.cx, ext.cy, C.CaptionAlignment, added);
    if (r.IsEmpty()) return;
    const int right = CaptionTextRect(S, M, K, B, 0, 0, fw::taLeftJustify).Right;
    int section = K.TitleIndex;
    int after = r.Left + ext.cx;
    if (K.CaptionIndex >= 0) {
        TRect box = r;
        acDrawText(canvas->Handle(), C.Caption, box, kCaptionFlags | DT_CALCRECT);
        box = TRect(box.Left - 4, box.Top - 2, box.Right + 4, box.Bottom + 2);
        PaintItem(K.CaptionIndex, L"CAPTION", MakeCacheInfo(Cache), true, StateOf(S), box, box.TopLeft(), Cache,
                  K.Manager);
        section = K.CaptionIndex;
        after = box.Right;
    }
    if (section < 0) return;
    const TsGeneralData& g = K.Manager->gd[size_t(section)];
    const int glow = S.Active ? g.HotGlowSize : g.GlowSize;
    if (glow > 0)
        acDrawGlowForText(Cache, C.Caption.c_str(), r, kCaptionFlags, 15, glow, S.Active ? g.HotGlowColor : g.GlowColor,
                          GlowMask);
    acWriteTextEx(canvas, C.Caption.c_str(), S.Enabled, r, kCaptionFlags, section, S.Active, K.Manager);
    if (added > 4)
        DrawAddedTitle(canvas, S, K, C, TRect(after + 4, r.Top, std::min(after + 8 + added, right), r.Bottom));
}

}  // namespace

TRect CaptionTextRect(const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K, const TTitleButtons& B, int cx,
                      int cy, fw::TAlignment Alignment, int AddedWidth) {
    TRect r;
    r.Left = SysBorderWidth(S, M) + (IconVisible(S) ? IconSize(S, M).cx : 0) + K.BILeftMargin +
             (K.CaptionIndex >= 0 ? 2 : 0) + 4;
    r.Right = CaptionWidth(S) - TitleBtnsWidth(S, K, B) - S.CaptionGap;
    r.Bottom = TitleBottom(S, M);
    r.Top = S.Zoomed ? SysBorderWidth(S, M) / 2 + 1 : 2;
    r.Top += S.ExTitle.Caption;
    r.Bottom += S.ExTitle.Caption;
    if (r.IsEmpty()) return r;
    r.Top += (r.Height() - cy) / 2;
    r.Bottom = r.Top + cy;
    if (Alignment == fw::taRightJustify) {
        if (cx + AddedWidth + 4 < r.Width()) r.Left = r.Right - cx - AddedWidth - 4;
    } else if (Alignment == fw::taCenter) {
        const int l = r.Left + (r.Width() - cx - AddedWidth - 4) / 2;
        r.Left = std::max<LONG>(l, r.Left);
        r.Right = std::min<LONG>(l + cx, r.Right);
    }
    return r;
}

fw::TSize TitleGlyphSize(const TFrameState& S, const TFrameMetrics& M) {
    const int side = IconSizeFor(HeaderHeight(S, M) - 2);
    return fw::TSize(S.TitleIconWidth ? S.TitleIconWidth : side, S.TitleIconHeight ? S.TitleIconHeight : side);
}

int FrameImageHeight(const TFrameState& S, const TFrameMetrics& M) {
    return S.Iconic ? TitleBottom(S, M) + 2 : S.Height;
}

void PaintGrip(fw::TBitmap* Cache, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K) {
    const TsMaskData* grip = K.Image(K.GripIndex);
    if (!grip) return;
    DrawSkinGlyph(Cache, RBGripPoint(S, M, K), 0, 1, *grip, MakeCacheInfo(Cache));
}

void PaintFrame(fw::TBitmap* Cache, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K, TTitleButtons& B,
                const TFrameContent& C, fw::TBitmap*& GlowMask) {
    Cache->SetPixelFormat(fw::pf24bit);
    Cache->SetSize(CaptionWidth(S), FrameImageHeight(S, M));
    if (K.FormIndex < 0) return;
    const TRect r0(0, 0, Cache->Width(), Cache->Height());
    const fw::TPoint origin(S.Left, S.Top);
    if (HaveBorder(S))
        PaintItem(K.FormIndex, L"FORM", C.Behind, false, StateOf(S), r0, origin, Cache, K.Manager);
    else
        PaintItemBG(K.FormIndex, L"FORM", C.Behind, StateOf(S), r0, origin, Cache, K.Manager, -1, -1, 0xFF00FF);
    if (IsGripVisible(S)) PaintGrip(Cache, S, M, K);
    if (CaptionHeight(S, M) == 0) return;
    UpdateIconsIndexes(B, S, K);
    LayoutTitleButtons(B, S, M, K);
    if (C.TitleApart) return;
    if (K.TitleIndex >= 0) {
        const TRect title = S.Iconic ? r0 : TRect(0, 0, r0.Right, TitleBottom(S, M));
        PaintItem(K.TitleIndex, K.TitleSection, MakeCacheInfo(Cache), true, StateOf(S), title, fw::TPoint(0, 0), Cache,
                  K.Manager);
    }
    PaintFrameTitle(Cache, S, M, K, B, C, GlowMask);
}

void PaintFrameTitle(fw::TBitmap* Cache, const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K,
                     TTitleButtons& B, const TFrameContent& C, fw::TBitmap*& GlowMask) {
    if (K.FormIndex < 0 || CaptionHeight(S, M) == 0) return;
    DrawAppIcon(Cache, S, M, K, C);
    DrawTitleBar(Cache, S, M, K, B);
    DrawCaption(Cache, S, M, K, B, C, GlowMask);
    if (C.ButtonsBG) {
        C.ButtonsBG->SetPixelFormat(fw::pf24bit);
        C.ButtonsBG->SetSize(Cache->Width(), std::min(Cache->Height(), TitleBottom(S, M)));
        BitBlt(C.ButtonsBG->Canvas()->Handle(), 0, 0, C.ButtonsBG->Width(), C.ButtonsBG->Height(),
               Cache->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    PaintTitleButtons(Cache, B, S, K);
}

void CopyFrameToWindow(HDC DC, fw::TBitmap* Cache, const TFrameState& S, fw::TPoint ClientAt) {
    if (!DC || !Cache) return;
    const TacSavedDC saved(DC);
    if (!S.Iconic) ExcludeClipRect(DC, ClientAt.X, ClientAt.Y, ClientAt.X + S.ClientWidth, ClientAt.Y + S.ClientHeight);
    BitBlt(DC, 0, 0, Cache->Width(), Cache->Height(), Cache->Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace skin
