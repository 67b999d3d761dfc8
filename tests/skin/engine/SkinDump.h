// A text dump of a loaded skin's tables (images, patterns, sections, the
// skin-wide values and the well-known indexes) that a person can read and
// compare: one line per entry, fields by name.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Jpeg.h"
#include "framework/rtl/Strings.h"
#include "skin/engine/sSkinManager.h"

namespace enginetest {

inline std::string Utf8(const fw::String& s) {
    std::string out;
    for (wchar_t c : s) out += c < 128 ? char(c) : '?';
    return out;
}

inline std::string Fmt(const char* f, ...) {
    char buf[512];
    va_list a;
    va_start(a, f);
    vsnprintf(buf, sizeof buf, f, a);
    va_end(a);
    return buf;
}

inline std::string DumpSkin(skin::TsSkinManager& sm) {
    std::string out;
    const skin::TsSkinData& d = *sm.SkinData;
    out += Fmt("[skin] version=%g author=%s description=%s\n", d.Version, Utf8(d.Author).c_str(),
               Utf8(d.Description).c_str());
    out += Fmt("  exborder width=%d title=%d max=%d offs=%d center=%d mode=%d\n", d.ExBorderWidth, d.ExTitleHeight,
               d.ExMaxHeight, d.ExContentOffs, d.ExCenterOffs, d.ExDrawMode);
    out += Fmt("  shadow color=%06X offset=%d blur=%d transparency=%d bordercolor=%06X\n", unsigned(d.Shadow1Color),
               d.Shadow1Offset, d.Shadow1Blur, d.Shadow1Transparency, unsigned(d.BorderColor));
    out += Fmt("  titlebuttons space=%d valign=%d right=%d left=%d top=%d keephue=%d\n", d.BISpacing, d.BIVAlign,
               d.BIRightMargin, d.BILeftMargin, d.BITopMargin, d.BIKeepHUE);
    if (sm.MasterBitmap)
        out += Fmt("[master] %dx%d\n", sm.MasterBitmap->Width(), sm.MasterBitmap->Height());
    out += "[images]\n";
    for (size_t i = 0; i < sm.ma.size(); ++i) {
        const skin::TsMaskData& m = sm.ma[i];
        out += Fmt("  %2u %s.%s type=%d R=(%d,%d,%d,%d) count=%d mask=%d border=%d draw=%d W=(%d,%d,%d,%d)", unsigned(i),
                   Utf8(m.ClassName).c_str(), Utf8(m.PropertyName).c_str(), int(m.ImgType), m.R.Left, m.R.Top,
                   m.R.Right, m.R.Bottom, m.ImageCount, m.MaskType, m.BorderWidth, m.DrawMode, m.WL, m.WT, m.WR,
                   m.WB);
        if (m.Bmp)
            out += Fmt(" own=%dx%d/%s", m.Bmp->Width(), m.Bmp->Height(),
                       m.Bmp->PixelFormat() == fw::pf32bit ? "32" : "24");
        out += "\n";
    }
    out += "[patterns]\n";
    for (size_t i = 0; i < sm.pa.size(); ++i)
        out += Fmt("  %u %s.%s %dx%d\n", unsigned(i), Utf8(sm.pa[i].ClassName).c_str(),
                   Utf8(sm.pa[i].PropertyName).c_str(), sm.pa[i].Img ? sm.pa[i].Img->Width() : 0,
                   sm.pa[i].Img ? sm.pa[i].Img->Height() : 0);
    out += "[sections]\n";
    for (size_t i = 0; i < sm.gd.size(); ++i) {
        const skin::TsGeneralData& g = sm.gd[i];
        out += Fmt("  %2u %s parent=%s color=%06X hot=%06X font=%d,%d,%d,%d,%d hotfont=%d,%d,%d,%d,%d\n", unsigned(i),
                   Utf8(g.ClassName).c_str(), Utf8(g.ParentClass).c_str(), unsigned(g.Color), unsigned(g.HotColor),
                   int(g.FontColor[0]), int(g.FontColor[1]), int(g.FontColor[2]), int(g.FontColor[3]),
                   int(g.FontColor[4]), int(g.HotFontColor[0]), int(g.HotFontColor[1]), int(g.HotFontColor[2]),
                   int(g.HotFontColor[3]), int(g.HotFontColor[4]));
        out += Fmt("     transparency=%d/%d gradient=%d/%d image=%d/%d grad='%s' (%u stops) hotgrad='%s' (%u stops)\n",
                   g.Transparency, g.HotTransparency, g.GradientPercent, g.HotGradientPercent, g.ImagePercent,
                   g.HotImagePercent, Utf8(g.GradientData).c_str(), unsigned(g.GradientArray.size()),
                   Utf8(g.HotGradientData).c_str(), unsigned(g.HotGradientArray.size()));
        out += Fmt("     focus=%d fading=%d/%d ownfont=%d reserved=%d glow=%d/%d gcol=%06X/%d hgcol=%06X/%d "
                   "border=%d corners=%d,%d,%d,%d\n",
                   g.ShowFocus, g.FadingEnabled, g.FadingIterations, g.GiveOwnFont, g.ReservedBoolean, g.GlowCount,
                   g.GlowMargin, unsigned(g.GlowColor), g.GlowSize, unsigned(g.HotGlowColor), g.HotGlowSize,
                   g.BorderIndex, g.ImgTL, g.ImgTR, g.ImgBL, g.ImgBR);
    }
    const skin::TConstantSkinData& c = sm.ConstData;
    out += "[indexes]\n";
    out += Fmt("  globalinfo=%d exborder=%d box=%d,%d,%d radio=%d,%d,%d small=%d,%d,%d\n", c.IndexGLobalInfo,
               c.ExBorder, c.CheckBoxChecked, c.CheckBoxUnChecked, c.CheckBoxGrayed, c.RadioButtonChecked,
               c.RadioButtonUnChecked, c.RadioButtonGrayed, c.SmallCheckBoxChecked, c.SmallCheckBoxUnChecked,
               c.SmallCheckBoxGrayed);
    out += Fmt("  combo btn=%d border=%d bg=%d/%d glyph=%d\n", c.ComboBtnIndex, c.ComboBtnBorder, c.ComboBtnBG,
               c.ComboBtnBGHot, c.ComboGlyph);
    out += Fmt("  tabs=%d,%d,%d,%d masks=%d,%d,%d,%d\n", c.IndexTabTop, c.IndexTabBottom, c.IndexTabLeft,
               c.IndexTabRight, c.MaskTabTop, c.MaskTabBottom, c.MaskTabLeft, c.MaskTabRight);
    out += Fmt("  scrollbtn=%d,%d,%d,%d masks=%d,%d,%d,%d arrows=%d,%d,%d,%d bg=%d,%d,%d,%d hot=%d,%d,%d,%d\n",
               c.IndexScrollTop, c.IndexScrollBottom, c.IndexScrollLeft, c.IndexScrollRight, c.MaskScrollTop,
               c.MaskScrollBottom, c.MaskScrollLeft, c.MaskScrollRight, c.MaskArrowTop, c.MaskArrowBottom,
               c.MaskArrowLeft, c.MaskArrowRight, c.IndexBGScrollTop, c.IndexBGScrollBottom, c.IndexBGScrollLeft,
               c.IndexBGScrollRight, c.IndexBGHotScrollTop, c.IndexBGHotScrollBottom, c.IndexBGHotScrollLeft,
               c.IndexBGHotScrollRight);
    out += Fmt("  sliders=%d,%d masks=%d,%d glyphs=%d,%d bg=%d/%d,%d/%d\n", c.IndexSliderVert, c.IndexSliderHorz,
               c.MaskSliderVert, c.MaskSliderHorz, c.MaskSliderGlyphVert, c.MaskSliderGlyphHorz, c.ScrollSliderBGVert,
               c.ScrollSliderBGHotVert, c.ScrollSliderBGHorz, c.ScrollSliderBGHotHorz);
    out += Fmt("  scrollbars=%d,%d,%d,%d masks=%d,%d,%d,%d bg=%d,%d,%d,%d hot=%d,%d,%d,%d\n", c.IndexScrollBar1H,
               c.IndexScrollBar1V, c.IndexScrollBar2H, c.IndexScrollBar2V, c.MaskScrollBar1H, c.MaskScrollBar1V,
               c.MaskScrollBar2H, c.MaskScrollBar2V, c.BGScrollBar1H, c.BGScrollBar1V, c.BGScrollBar2H,
               c.BGScrollBar2V, c.BGHotScrollBar1H, c.BGHotScrollBar1V, c.BGHotScrollBar2H, c.BGHotScrollBar2V);
    return out;
}

}  // namespace enginetest
