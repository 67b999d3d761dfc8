// A text dump of a loaded skin's tables (images, patterns, sections, the
// skin-wide values and the well-known indexes) that a person can read and
// compare: one line per entry, fields by name.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <initializer_list>
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

// How entries refer to each other in a dump: by their index in the tables
// (the committed form), or by name ("BUTTON.BORDERSMASK", "BUTTON"), which
// stays the same when entries come in another order or some are missing.
// By name, each entry is one line that begins with its name.
enum class Refs { ByIndex, ByName };

inline std::string DumpSkin(skin::TsSkinManager& sm, Refs refs = Refs::ByIndex) {
    const bool byName = refs == Refs::ByName;
    auto img = [&](int i) {
        if (!byName || i < 0 || size_t(i) >= sm.ma.size()) return std::to_string(i);
        return Utf8(sm.ma[size_t(i)].ClassName) + "." + Utf8(sm.ma[size_t(i)].PropertyName);
    };
    auto sec = [&](int i) {
        if (!byName || i < 0 || size_t(i) >= sm.gd.size()) return std::to_string(i);
        return Utf8(sm.gd[size_t(i)].ClassName);
    };
    auto entry = [&](size_t i, int width) { return byName ? std::string() : Fmt("%*u ", width, unsigned(i)); };
    const char* const more = byName ? " " : "\n     ";  // a section's further lines
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
    if (sm.MasterBitmap) out += Fmt("[master] %dx%d\n", sm.MasterBitmap->Width(), sm.MasterBitmap->Height());
    out += "[images]\n";
    for (size_t i = 0; i < sm.ma.size(); ++i) {
        const skin::TsMaskData& m = sm.ma[i];
        out += Fmt("  %s%s.%s type=%d R=(%d,%d,%d,%d) count=%d mask=%d border=%d draw=%d W=(%d,%d,%d,%d)",
                   entry(i, 2).c_str(), Utf8(m.ClassName).c_str(), Utf8(m.PropertyName).c_str(), int(m.ImgType),
                   m.R.Left, m.R.Top, m.R.Right, m.R.Bottom, m.ImageCount, m.MaskType, m.BorderWidth, m.DrawMode, m.WL,
                   m.WT, m.WR, m.WB);
        if (m.Bmp)
            out += Fmt(" own=%dx%d/%s", m.Bmp->Width(), m.Bmp->Height(),
                       m.Bmp->PixelFormat() == fw::pf32bit ? "32" : "24");
        out += "\n";
    }
    out += "[patterns]\n";
    for (size_t i = 0; i < sm.pa.size(); ++i)
        out += Fmt("  %s%s.%s %dx%d\n", entry(i, 1).c_str(), Utf8(sm.pa[i].ClassName).c_str(),
                   Utf8(sm.pa[i].PropertyName).c_str(), sm.pa[i].Img ? sm.pa[i].Img->Width() : 0,
                   sm.pa[i].Img ? sm.pa[i].Img->Height() : 0);
    out += "[sections]\n";
    for (size_t i = 0; i < sm.gd.size(); ++i) {
        const skin::TsGeneralData& g = sm.gd[i];
        out += Fmt("  %s%s parent=%s color=%06X hot=%06X font=%d,%d,%d,%d,%d hotfont=%d,%d,%d,%d,%d",
                   entry(i, 2).c_str(), Utf8(g.ClassName).c_str(), Utf8(g.ParentClass).c_str(), unsigned(g.Color),
                   unsigned(g.HotColor), int(g.FontColor[0]), int(g.FontColor[1]), int(g.FontColor[2]),
                   int(g.FontColor[3]), int(g.FontColor[4]), int(g.HotFontColor[0]), int(g.HotFontColor[1]),
                   int(g.HotFontColor[2]), int(g.HotFontColor[3]), int(g.HotFontColor[4]));
        out += Fmt("%stransparency=%d/%d gradient=%d/%d image=%d/%d grad='%s' (%u stops) hotgrad='%s' (%u stops)", more,
                   g.Transparency, g.HotTransparency, g.GradientPercent, g.HotGradientPercent, g.ImagePercent,
                   g.HotImagePercent, Utf8(g.GradientData).c_str(), unsigned(g.GradientArray.size()),
                   Utf8(g.HotGradientData).c_str(), unsigned(g.HotGradientArray.size()));
        out +=
            Fmt("%sfocus=%d fading=%d/%d ownfont=%d reserved=%d glow=%d/%d gcol=%06X/%d hgcol=%06X/%d "
                "border=%s corners=%s,%s,%s,%s\n",
                more, g.ShowFocus, g.FadingEnabled, g.FadingIterations, g.GiveOwnFont, g.ReservedBoolean, g.GlowCount,
                g.GlowMargin, unsigned(g.GlowColor), g.GlowSize, unsigned(g.HotGlowColor), g.HotGlowSize,
                img(g.BorderIndex).c_str(), img(g.ImgTL).c_str(), img(g.ImgTR).c_str(), img(g.ImgBL).c_str(),
                img(g.ImgBR).c_str());
    }
    const skin::TConstantSkinData& c = sm.ConstData;
    // Several indexes, each written as an image (or section) reference.
    auto joined = [](std::initializer_list<int> list, const auto& ref) {
        std::string s;
        for (int i : list) {
            if (!s.empty()) s += ',';
            s += ref(i);
        }
        return s;
    };
    auto imgs = [&](std::initializer_list<int> list) { return joined(list, img); };
    auto secs = [&](std::initializer_list<int> list) { return joined(list, sec); };
    out += "[indexes]\n";
    out += "  globalinfo=" + sec(c.IndexGLobalInfo) + " exborder=" + img(c.ExBorder) +
           " box=" + imgs({c.CheckBoxChecked, c.CheckBoxUnChecked, c.CheckBoxGrayed}) +
           " radio=" + imgs({c.RadioButtonChecked, c.RadioButtonUnChecked, c.RadioButtonGrayed}) +
           " small=" + imgs({c.SmallCheckBoxChecked, c.SmallCheckBoxUnChecked, c.SmallCheckBoxGrayed}) + "\n";
    out += "  combo btn=" + sec(c.ComboBtnIndex) + " border=" + img(c.ComboBtnBorder) + " bg=" + img(c.ComboBtnBG) +
           "/" + img(c.ComboBtnBGHot) + " glyph=" + img(c.ComboGlyph) + "\n";
    out += "  tabs=" + secs({c.IndexTabTop, c.IndexTabBottom, c.IndexTabLeft, c.IndexTabRight}) +
           " masks=" + imgs({c.MaskTabTop, c.MaskTabBottom, c.MaskTabLeft, c.MaskTabRight}) + "\n";
    out += "  scrollbtn=" + secs({c.IndexScrollTop, c.IndexScrollBottom, c.IndexScrollLeft, c.IndexScrollRight}) +
           " masks=" + imgs({c.MaskScrollTop, c.MaskScrollBottom, c.MaskScrollLeft, c.MaskScrollRight}) +
           " arrows=" + imgs({c.MaskArrowTop, c.MaskArrowBottom, c.MaskArrowLeft, c.MaskArrowRight}) +
           " bg=" + imgs({c.IndexBGScrollTop, c.IndexBGScrollBottom, c.IndexBGScrollLeft, c.IndexBGScrollRight}) +
           " hot=" +
           imgs({c.IndexBGHotScrollTop, c.IndexBGHotScrollBottom, c.IndexBGHotScrollLeft, c.IndexBGHotScrollRight}) +
           "\n";
    out += "  sliders=" + secs({c.IndexSliderVert, c.IndexSliderHorz}) +
           " masks=" + imgs({c.MaskSliderVert, c.MaskSliderHorz}) +
           " glyphs=" + imgs({c.MaskSliderGlyphVert, c.MaskSliderGlyphHorz}) + " bg=" + img(c.ScrollSliderBGVert) +
           "/" + img(c.ScrollSliderBGHotVert) + "," + img(c.ScrollSliderBGHorz) + "/" + img(c.ScrollSliderBGHotHorz) +
           "\n";
    out += "  scrollbars=" + secs({c.IndexScrollBar1H, c.IndexScrollBar1V, c.IndexScrollBar2H, c.IndexScrollBar2V}) +
           " masks=" + imgs({c.MaskScrollBar1H, c.MaskScrollBar1V, c.MaskScrollBar2H, c.MaskScrollBar2V}) +
           " bg=" + imgs({c.BGScrollBar1H, c.BGScrollBar1V, c.BGScrollBar2H, c.BGScrollBar2V}) +
           " hot=" + imgs({c.BGHotScrollBar1H, c.BGHotScrollBar1V, c.BGHotScrollBar2H, c.BGHotScrollBar2V}) + "\n";
    return out;
}

}  // namespace enginetest
