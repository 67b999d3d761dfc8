#include "skin/windows/acScrollPaint.h"

#include <algorithm>

#include "skin/engine/sBitmapBase.h"
#include "skin/windows/acSkinServices.h"

namespace skin {

namespace {

// The skin parts of one direction.
struct BarParts {
    int track1, mask1, bg1, bgHot1;
    const wchar_t* section1;
    int track2, mask2, bg2, bgHot2;
    const wchar_t* section2;
    int first, firstMask, firstBG, firstBGHot, firstGlyph;
    const wchar_t* firstSection;
    int second, secondMask, secondBG, secondBGHot, secondGlyph;
    const wchar_t* secondSection;
    int thumb, thumbMask, thumbBG, thumbBGHot, thumbGlyph;
    const wchar_t* thumbSection;
};

BarParts PartsOf(const TConstantSkinData& c, bool Vertical) {
    if (Vertical)
        return {c.IndexScrollBar1V,   c.MaskScrollBar1V,       c.BGScrollBar1V,       c.BGHotScrollBar1V,
                L"SCROLLBAR1V",       c.IndexScrollBar2V,      c.MaskScrollBar2V,     c.BGScrollBar2V,
                c.BGHotScrollBar2V,   L"SCROLLBAR2V",          c.IndexScrollTop,      c.MaskScrollTop,
                c.IndexBGScrollTop,   c.IndexBGHotScrollTop,   c.MaskArrowTop,        L"SCROLLBTNTOP",
                c.IndexScrollBottom,  c.MaskScrollBottom,      c.IndexBGScrollBottom, c.IndexBGHotScrollBottom,
                c.MaskArrowBottom,    L"SCROLLBTNBOTTOM",      c.IndexSliderVert,     c.MaskSliderVert,
                c.ScrollSliderBGVert, c.ScrollSliderBGHotVert, c.MaskSliderGlyphVert, L"SCROLLSLIDERV"};
    return {c.IndexScrollBar1H,   c.MaskScrollBar1H,       c.BGScrollBar1H,       c.BGHotScrollBar1H,
            L"SCROLLBAR1H",       c.IndexScrollBar2H,      c.MaskScrollBar2H,     c.BGScrollBar2H,
            c.BGHotScrollBar2H,   L"SCROLLBAR2H",          c.IndexScrollLeft,     c.MaskScrollLeft,
            c.IndexBGScrollLeft,  c.IndexBGHotScrollLeft,  c.MaskArrowLeft,       L"SCROLLBTNLEFT",
            c.IndexScrollRight,   c.MaskScrollRight,       c.IndexBGScrollRight,  c.IndexBGHotScrollRight,
            c.MaskArrowRight,     L"SCROLLBTNRIGHT",       c.IndexSliderHorz,     c.MaskSliderHorz,
            c.ScrollSliderBGHorz, c.ScrollSliderBGHotHorz, c.MaskSliderGlyphHorz, L"SCROLLSLIDERH"};
}

// A span along the bar as a rectangle of the bar's bitmap.
fw::TRect Span(const TacBarLook& L, int From, int To) {
    return L.Vertical ? fw::TRect(0, From, L.Thickness, To) : fw::TRect(From, 0, To, L.Thickness);
}

// One arrow or the thumb: its own bitmap painted over what the bar has so
// far, the glyph centred in Zone (part coordinates), copied into the bar.
void PaintPart(fw::TBitmap* Bar, const fw::TRect& R, int Index, int Mask, int BG, int BGHot, const wchar_t* Section,
               int Glyph, int State, const fw::TRect& Zone, TsSkinManager* M) {
    if (R.Width() <= 0 || R.Height() <= 0) return;
    fw::TBitmap part(R.Width(), R.Height(), fw::pf24bit);
    TCacheInfo ci = MakeCacheInfo(Bar, R.Left, R.Top);
    BitBlt(part.Canvas()->Handle(), 0, 0, R.Width(), R.Height(), Bar->Canvas()->Handle(), R.Left, R.Top, SRCCOPY);
    PaintItemFast(Index, Mask, BG, BGHot, Section, ci, true, State, fw::TRect(0, 0, R.Width(), R.Height()),
                  fw::TPoint(0, 0), &part, M);
    DrawCenteredGlyph(&part, Glyph, State, Zone, M);
    BitBlt(Bar->Canvas()->Handle(), R.Left, R.Top, R.Width(), R.Height(), part.Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace

TacBarLook BarLookOf(const TacScrollBar& Bar, int Length, int Thickness, TsSkinManager* Manager, int Pressed, int Hover,
                     bool Active, int ThumbPos) {
    TacBarLook L;
    L.Vertical = Bar.Vertical();
    L.Length = Length;
    L.Thickness = Thickness;
    L.ArrowLength = GetScrollMetric(Bar, 0, true, Manager);
    L.Active = Active;
    L.PressedPortion = Pressed;
    auto stateOf = [&](int portion) {
        if (Pressed == portion) return 2;
        return (Active && Pressed == sbpNone && Hover == portion) ? 1 : 0;
    };
    L.FirstArrowState = stateOf(sbpFirstArrow);
    L.SecondArrowState = stateOf(sbpSecondArrow);
    L.ThumbState = stateOf(sbpThumb);
    const fw::TRect local = L.Vertical ? fw::TRect(0, 0, Thickness, Length) : fw::TRect(0, 0, Length, Thickness);
    Ac_CalcThumbSize(Bar, local, L.ThumbSize, L.ThumbPos);
    if (ThumbPos != -1) L.ThumbPos = ThumbPos;
    const SCROLLINFO& si = Bar.ScrollInfo;
    const int track = Length - 2 * L.ArrowLength;
    const int T = std::max(MulDiv(int(si.nPage), track, si.nMax - si.nMin), Bar.nMinThumbSize);
    L.ShowThumb = Active && 2 * L.ArrowLength < Length && L.ThumbSize > 0 && T > 0 && track >= T;
    return L;
}

bool PaintScrollBar(fw::TBitmap* Bmp, const TacBarLook& L, TsSkinManager* M, const TCacheInfo& BG) {
    if (!Bmp || !M || L.Length <= 1 || L.Thickness <= 0) return false;
    const BarParts p = PartsOf(M->ConstData, L.Vertical);
    if (!M->IsValidSkinIndex(p.track1)) return false;
    const int len = L.Length, B = L.ArrowLength;
    TCacheInfo bg = BG;
    auto track = [&](int From, int To, bool First, int State) {
        bg = BG;
        PaintItemFast(First ? p.track1 : p.track2, First ? p.mask1 : p.mask2, First ? p.bg1 : p.bg2,
                      First ? p.bgHot1 : p.bgHot2, First ? p.section1 : p.section2, bg, true, State, Span(L, From, To),
                      L.Vertical ? fw::TPoint(0, From) : fw::TPoint(From, 0), Bmp, M);
    };
    // Glyph zones: the system's arrow length at each arrow's outer end.
    const int zone = std::min(acScrollBtnLength, B);
    auto zoneOf = [&](const fw::TRect& R, bool Outer) {
        const int w = R.Width(), h = R.Height();
        if (L.Vertical)
            return Outer ? fw::TRect(0, h - std::min(zone, h), w, h) : fw::TRect(0, 0, w, std::min(zone, h));
        return Outer ? fw::TRect(w - std::min(zone, w), 0, w, h) : fw::TRect(0, 0, std::min(zone, w), h);
    };
    if (2 * B < len) {
        const int split = L.ThumbPos + L.ThumbSize / 2;
        track(0, split, true, L.PressedPortion == sbpPageBefore ? 2 : 0);
        track(split, len, false, L.PressedPortion == sbpPageAfter ? 2 : 0);
        const fw::TRect a1 = Span(L, 0, B), a2 = Span(L, len - B, len);
        PaintPart(Bmp, a1, p.first, p.firstMask, p.firstBG, p.firstBGHot, p.firstSection, p.firstGlyph,
                  L.FirstArrowState, zoneOf(a1, false), M);
        PaintPart(Bmp, a2, p.second, p.secondMask, p.secondBG, p.secondBGHot, p.secondSection, p.secondGlyph,
                  L.SecondArrowState, zoneOf(a2, true), M);
        if (L.ShowThumb) {
            const fw::TRect t = Span(L, L.ThumbPos, L.ThumbPos + L.ThumbSize);
            PaintPart(Bmp, t, p.thumb, p.thumbMask, p.thumbBG, p.thumbBGHot, p.thumbSection, p.thumbGlyph, L.ThumbState,
                      fw::TRect(0, 0, t.Width(), t.Height()), M);
        }
    } else {
        // No room for two arrows: two half arrows over the two halves.
        const int half = len / 2;
        track(0, half, true, 0);
        track(half, len, false, 0);
        const fw::TRect a1 = Span(L, 0, half), a2 = Span(L, half, len);
        PaintPart(Bmp, a1, p.first, p.firstMask, p.firstBG, p.firstBGHot, p.firstSection, p.firstGlyph,
                  L.FirstArrowState, zoneOf(a1, false), M);
        PaintPart(Bmp, a2, p.second, p.secondMask, p.secondBG, p.secondBGHot, p.secondSection, p.secondGlyph,
                  L.SecondArrowState, zoneOf(a2, true), M);
    }
    if (!L.Active) {
        // The disabled look: 40 % bar, 60 % background.
        const int w = Bmp->Width(), h = Bmp->Height();
        if (BG.Ready && BG.Bmp) {
            TsColor none;
            none.C = 0xFF000000;  // no colour is see-through
            BlendTransRectangle(Bmp, 0, 0, BG.Bmp, fw::TRect(BG.X, BG.Y, BG.X + w - 1, BG.Y + h - 1), 0.4, none);
        } else {
            TsColor c;
            c.C = fw::ColorToRGB(BG.FillColor);
            FadeBmp(Bmp, fw::TRect(0, 0, w + 1, h + 1), 40, c, 0, 0);
        }
    }
    return true;
}

void PaintScrollCorner(fw::TBitmap* Bmp, TsSkinManager* M, const TCacheInfo& BG, bool Grip) {
    if (!Bmp || Bmp->Width() <= 0 || Bmp->Height() <= 0) return;
    const int w = Bmp->Width(), h = Bmp->Height();
    if (BG.Ready && BG.Bmp) {
        BitBlt(Bmp->Canvas()->Handle(), 0, 0, w, h, BG.Bmp->Canvas()->Handle(), BG.X, BG.Y, SRCCOPY);
    } else {
        FillDC(Bmp->Canvas()->Handle(), fw::TRect(0, 0, w, h), BG.FillColor);
    }
    if (!Grip || !M) return;
    const int grip = M->GetMaskIndex(M->ConstData.IndexGLobalInfo, L"GLOBALINFO", L"GRIPIMAGE");
    if (!M->IsValidImgIndex(grip)) return;
    const TsMaskData& md = M->ma[size_t(grip)];
    const int gw = md.R.Width() / ImageCountOf(md), gh = md.R.Height() / (MaskTypeOf(md) + 1);
    if (gw <= 0 || gh <= 0) return;
    DrawSkinGlyph(Bmp, fw::TPoint(w - gw, h - gh), 0, 1, md, MakeCacheInfo(Bmp));
}

void DrawCenteredGlyph(fw::TBitmap* Bmp, int ImageIndex, int State, const fw::TRect& R, TsSkinManager* M) {
    if (!Bmp || !M || !M->IsValidImgIndex(ImageIndex)) return;
    const TsMaskData& md = M->ma[size_t(ImageIndex)];
    const int w = md.R.Width() / ImageCountOf(md), h = md.R.Height() / (MaskTypeOf(md) + 1);
    if (w <= 0 || h <= 0) return;
    const fw::TPoint p(R.Left + (R.Width() - w) / 2, R.Top + (R.Height() - h) / 2);
    DrawSkinGlyph(Bmp, p, State, 1, md, MakeCacheInfo(Bmp));
}

}  // namespace skin
