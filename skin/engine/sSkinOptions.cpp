// The general-data loader: the skin-wide GLOBALINFO values, one section
// record per skin section (keys a section lacks come from its PARENTCLASS),
// or the same from a stored skin's older collections, the common sections,
// the well-known indexes and the form-shadow templates.
#include <cwchar>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Color.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/Dialogs.h"
#include "skin/engine/PNGGraphic.h"
#include "skin/engine/PngIcons.h"
#include "skin/engine/SystemUtils.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sGradientData.h"
#include "skin/engine/sInheritedReads.h"
#include "skin/engine/sLibraryStartUp.h"
#include "skin/engine/sSkinLookups.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sSkinRecolor.h"

namespace skin {

namespace {

// Skin version numbers are written with "." whatever the system's separator.
double ReadVersion(const fw::TMemIniFile& ini) {
    const fw::String v = ini.ReadString(L"GLOBALINFO", L"VERSION", L"");
    if (v.empty()) return 0;
    wchar_t* end = nullptr;
    const double d = std::wcstod(v.c_str(), &end);
    return end && *end == 0 ? d : 0;
}

void ReadGlobalInfo(TsSkinData& d, const fw::TMemIniFile& ini) {
    const fw::String g = L"GLOBALINFO";
    auto i16 = [&](const wchar_t* key, int def) { return int16_t(ini.ReadInteger(g, key, def)); };
    auto str = [&](const wchar_t* key, const wchar_t* def) {
        return int16_t(fw::StrToInt(ini.ReadString(g, key, def)));
    };
    d.Version = ReadVersion(ini);
    d.Author = ini.ReadString(g, L"AUTHOR", L"");
    d.Description = ini.ReadString(g, L"DESCRIPTION", L"");
    d.ExBorderWidth = i16(L"BORDERWIDTH", 4);
    d.ExTitleHeight = i16(L"TITLEHEIGHT", 30);
    d.ExMaxHeight = i16(L"MAXHEIGHT", 0);
    if (d.ExMaxHeight == 0) d.ExMaxHeight = d.ExTitleHeight;
    d.ExContentOffs = i16(L"FORMOFFSET", 8);
    d.ExCenterOffs = i16(L"CENTEROFFSET", 0);
    d.ExDrawMode = i16(L"BORDERMODE", 0);
    d.Shadow1Color = TColor(ini.ReadInteger(g, L"SHADOW1COLOR", 0));
    d.Shadow1Offset = str(L"SHADOW1OFFSET", L"0");
    d.Shadow1Blur = str(L"SHADOW1BLUR", L"-1");
    d.Shadow1Transparency = str(L"SHADOW1TRANSPARENCY", L"0");
    d.BISpacing = i16(L"BISPACE", 0);
    d.BIVAlign = i16(L"BIVALIGN", 0);
    d.BIRightMargin = i16(L"BIRIGHT", 0);
    d.BILeftMargin = i16(L"BILEFT", 0);
    d.BITopMargin = i16(L"BITOP", 0);
    d.BorderColor = TColor(ini.ReadInteger(g, L"BORDERCOLOR", 0));
    d.BIKeepHUE = i16(L"BIKEEPHUE", 0);
    d.BICloseGlow = str(L"BICONCLOSEGLOW", L"0");
    d.BICloseGlowMargin = str(L"BICONCLOSEGLOWMARGIN", L"0");
    d.BIMaxGlow = str(L"BICONMAXGLOW", L"0");
    d.BIMaxGlowMargin = str(L"BICONMAXGLOWMARGIN", L"0");
    d.BIMinGlow = str(L"BICONMINGLOW", L"0");
    d.BIMinGlowMargin = str(L"BICONMINGLOWMARGIN", L"0");
}

void ParseGradients(TsGeneralData& g) {
    if (g.GradientData != L" ") PrepareGradArray(g.GradientData, g.GradientArray);
    if (g.HotGradientData != L" ") PrepareGradArray(g.HotGradientData, g.HotGradientArray);
}

TsGeneralData ReadSection(const InheritedReader& r, const fw::TMemIniFile& ini, const fw::String& s) {
    TsGeneralData g;
    g.ClassName = s;
    g.ParentClass = ini.ReadString(s, L"PARENTCLASS", L"");
    g.Color = fw::ColorToRGB(TColor(r.Integer(s, L"COLOR", 0xFFFFFF)));
    g.ReservedBoolean = r.Bool(s, L"RESERVEDBOOLEAN");
    g.GiveOwnFont = r.Bool(s, L"GIVEOWNFONT");
    g.GlowCount = r.Integer(s, L"GLOW", 0);
    g.GlowMargin = r.Integer(s, L"GLOWMARGIN", 0);
    static const wchar_t* const font[] = {L"FONTCOLOR", L"TCLEFT", L"TCTOP", L"TCRIGHT", L"TCBOTTOM"};
    static const wchar_t* const hotFont[] = {L"HOTFONTCOLOR", L"HOTTCLEFT", L"HOTTCTOP", L"HOTTCRIGHT", L"HOTTCBOTTOM"};
    for (size_t i = 0; i < 5; ++i) {
        g.FontColor[i] = TColor(r.Integer(s, font[i], i == 0 ? 0 : -1));
        g.HotFontColor[i] = TColor(r.Integer(s, hotFont[i], i == 0 ? 0 : -1));
    }
    g.Transparency = r.Integer(s, L"TRANSPARENCY", 0);
    g.GradientPercent = r.Integer(s, L"GRADIENTPERCENT", 0);
    g.ImagePercent = r.Integer(s, L"IMAGEPERCENT", 0);
    g.GradientData = r.String(s, L"GRADIENTDATA", L" ");
    g.ShowFocus = r.Bool(s, L"SHOWFOCUS");
    g.FadingEnabled = r.Bool(s, L"FADINGENABLED");
    g.FadingIterations = r.Integer(s, L"FADINGITERATIONS", 5);
    g.HotColor = TColor(r.Integer(s, L"HOTCOLOR", 0xFFFFFF));
    g.HotTransparency = r.Integer(s, L"HOTTRANSPARENCY", 0);
    g.HotGradientPercent = r.Integer(s, L"HOTGRADIENTPERCENT", 0);
    g.HotGradientData = r.String(s, L"HOTGRADIENTDATA", L"");
    g.HotImagePercent = r.Integer(s, L"HOTIMAGEPERCENT", 0);
    g.HotGlowColor = fw::ColorToRGB(TColor(r.Integer(s, L"HGCOL", 0xFFFFFF)));
    g.HotGlowSize = uint8_t(r.Integer(s, L"HGSIZE", 0));
    g.GlowColor = fw::ColorToRGB(TColor(r.Integer(s, L"GCOL", 0xFFFFFF)));
    g.GlowSize = uint8_t(r.Integer(s, L"GSIZE", 0));
    ParseGradients(g);
    return g;
}

// A common section the skin lacks: its own values, else its parent's, else the defaults.
void MergeCommonSections(TsSkinManager& sm) {
    if (sm.CommonSections()->Count() == 0) return;
    fw::TMemIniFile ini;
    ini.SetStrings(sm.CommonSections());
    fw::TStringList sections;
    ini.ReadSections(&sections);
    for (int i = 0; i < sections.Count(); ++i) {
        const fw::String s = sections[i];
        if (GetSkinIndex(sm.gd, s) >= 0) continue;
        TsGeneralData g;
        g.ClassName = s;
        g.ParentClass = fw::UpperCase(ini.ReadString(s, L"PARENTCLASS", L"-1"));
        TsGeneralData base;  // the defaults
        base.Color = base.HotColor = base.HotGlowColor = base.GlowColor = 0xFFFFFF;
        base.FontColor = base.HotFontColor = {0, -1, -1, -1, -1};
        base.FadingIterations = 5;
        base.GradientData = L" ";
        for (const TsGeneralData& p : sm.gd)
            if (fw::UpperCase(p.ClassName) == g.ParentClass) {
                base = p;
                break;
            }
        auto num = [&](const wchar_t* key, int parent) {
            const int v = ini.ReadInteger(s, key, -1);
            return v == -1 ? parent : v;
        };
        auto text = [&](const wchar_t* key, const fw::String& parent) {
            const fw::String v = ini.ReadString(s, key, L"?");
            return v == L"?" ? parent : v;
        };
        auto flag = [&](const wchar_t* key, bool parent) {
            const fw::String v = ini.ReadString(s, key, L"?");
            return v == L"?" ? parent : fw::UpperCase(v) == L"TRUE";
        };
        g.Color = TColor(num(L"COLOR", int(base.Color)));
        g.ReservedBoolean = flag(L"RESERVEDBOOLEAN", base.ReservedBoolean);
        g.GiveOwnFont = flag(L"GIVEOWNFONT", base.GiveOwnFont);
        g.GlowCount = num(L"GLOW", base.GlowCount);
        g.GlowMargin = num(L"GLOWMARGIN", base.GlowMargin);
        static const wchar_t* const font[] = {L"FONTCOLOR", L"TCLEFT", L"TCTOP", L"TCRIGHT", L"TCBOTTOM"};
        static const wchar_t* const hotFont[] = {L"HOTFONTCOLOR", L"HOTTCLEFT", L"HOTTCTOP", L"HOTTCRIGHT",
                                                 L"HOTTCBOTTOM"};
        for (size_t k = 0; k < 5; ++k) {
            g.FontColor[k] = TColor(num(font[k], int(base.FontColor[k])));
            g.HotFontColor[k] = TColor(num(hotFont[k], int(base.HotFontColor[k])));
        }
        g.Transparency = num(L"TRANSPARENCY", base.Transparency);
        g.GradientPercent = num(L"GRADIENTPERCENT", base.GradientPercent);
        g.ImagePercent = num(L"IMAGEPERCENT", base.ImagePercent);
        g.GradientData = text(L"GRADIENTDATA", base.GradientData);
        g.ShowFocus = flag(L"SHOWFOCUS", base.ShowFocus);
        g.FadingEnabled = flag(L"FADINGENABLED", base.FadingEnabled);
        g.FadingIterations = num(L"FADINGITERATIONS", base.FadingIterations);
        g.HotColor = TColor(num(L"HOTCOLOR", int(base.HotColor)));
        g.HotTransparency = num(L"HOTTRANSPARENCY", base.HotTransparency);
        g.HotGradientPercent = num(L"HOTGRADIENTPERCENT", base.HotGradientPercent);
        g.HotGradientData = text(L"HOTGRADIENTDATA", base.HotGradientData);
        g.HotImagePercent = num(L"HOTIMAGEPERCENT", base.HotImagePercent);
        g.HotGlowColor = TColor(num(L"HGCOL", int(base.HotGlowColor)));
        g.HotGlowSize = uint8_t(num(L"HGSIZE", base.HotGlowSize));
        g.GlowColor = TColor(num(L"GCOL", int(base.GlowColor)));
        g.GlowSize = uint8_t(num(L"GSIZE", base.GlowSize));
        ParseGradients(g);
        sm.gd.push_back(g);
    }
}

// FontColor / HotFontColor of a stored section: five numbers separated by
// blanks, else the defaults. A word that is no number reads as its default.
void ParseFiveColours(const fw::String& Text, std::array<TColor, 5>& Colours) {
    const TSysCharSet blank(L" ");
    const bool five = WordCount(Text, blank) == 5;
    for (int i = 0; i < 5; ++i) {
        const int def = i == 0 ? 0 : -1;
        Colours[size_t(i)] = TColor(five ? fw::StrToIntDef(ExtractWord(i + 1, Text, blank), def) : def);
    }
}

// A stored skin of the older form: its skin-wide values and one section
// record per item of its section collection. False when no stored skin has
// the name.
bool LoadStoredGeneralData(TsSkinManager& sm) {
    const int index = sm.InternalSkins()->IndexOf(sm.SkinName());
    if (index < 0) return false;
    const TsStoredSkin& skin = *sm.InternalSkins()->Items(index);
    TsSkinData& d = *sm.SkinData;
    // What the older form does not carry takes the defaults of a skin that
    // leaves it out, never the values of the skin loaded before.
    ReadGlobalInfo(d, fw::TMemIniFile());
    d.Version = skin.Version;
    d.Author = skin.Author;
    d.Description = skin.Description;
    d.Shadow1Color = skin.Shadow1Color;
    d.Shadow1Offset = int16_t(skin.Shadow1Offset);
    d.Shadow1Blur = int16_t(skin.Shadow1Blur);
    d.Shadow1Transparency = int16_t(skin.Shadow1Transparency);
    d.BorderColor = skin.BorderColor;
    sm.CheckVersion();
    sm.gd.clear();
    const TsSkinGenerals& items = *skin.GeneralData();
    for (int i = 0; i < items.Count(); ++i) {
        const TsSkinGeneral& item = *items.Items(i);
        TsGeneralData g;
        g.ClassName = item.SectionName;
        g.ParentClass = item.ParentClass;
        g.Color = item.Color;
        g.ReservedBoolean = item.ReservedBoolean;
        g.GiveOwnFont = item.GiveOwnFont;
        g.GlowCount = item.GlowCount;
        g.GlowMargin = item.GlowMargin;
        ParseFiveColours(item.FontColor, g.FontColor);
        ParseFiveColours(item.HotFontColor, g.HotFontColor);
        g.Transparency = item.Transparency;
        g.GradientPercent = item.GradientPercent;
        g.ImagePercent = item.ImagePercent;
        g.GradientData = item.GradientData;
        g.ShowFocus = item.ShowFocus;
        g.FadingEnabled = item.FadingEnabled;
        g.FadingIterations = item.FadingIterations;
        g.HotColor = item.HotColor;
        g.HotTransparency = item.HotTransparency;
        g.HotGradientPercent = item.HotGradientPercent;
        g.HotGradientData = item.HotGradientData;
        g.HotImagePercent = item.HotImagePercent;
        g.HotGlowColor = item.HotGlowColor;
        g.HotGlowSize = uint8_t(item.HotGlowSize);
        g.GlowColor = item.GlowColor;
        g.GlowSize = uint8_t(item.GlowSize);
        ParseGradients(g);
        sm.gd.push_back(g);
    }
    return true;
}

// A 32-bit copy of state State (0-based) of image m.
fw::TBitmap* StateCopy(const TsSkinManager& sm, const TsMaskData& m, int State, fw::TBitmap* Dst) {
    const int w = WidthOfImage(m), h = HeightOfImage(m);
    fw::TBitmap* src = m.Bmp ? m.Bmp : sm.MasterBitmap;
    const int x0 = (m.Bmp ? 0 : m.R.Left) + State * w, y0 = m.Bmp ? 0 : m.R.Top;
    Dst->SetPixelFormat(fw::pf32bit);
    Dst->SetSize(w, h);
    if (!src || w <= 0 || h <= 0) return Dst;
    BitBlt(Dst->Canvas()->Handle(), 0, 0, w, h, src->Canvas()->Handle(), x0, y0, SRCCOPY);
    return Dst;
}

}  // namespace

void TsSkinManager::CheckVersion() {
    if (SkinData->Version > 6.99)
        fw::ShowMessage(
            L"This version of the skin have not complete support by used skin components package release.\r\n"
            L"Components must be updated up to latest version for using this skin.");
}

void TsSkinManager::LoadAllGeneralData() {
    fw::TMemIniFile* ini = SkinData->SkinFile;
    gd.clear();
    if (ini) {
        ReadGlobalInfo(*SkinData, *ini);
        CheckVersion();
        const InheritedReader r(*ini);
        fw::TStringList sections;
        ini->ReadSections(&sections);
        for (int i = 0; i < sections.Count(); ++i) gd.push_back(ReadSection(r, *ini, sections[i]));
    } else if (!LoadStoredGeneralData(*this)) {
        return;
    }
    MergeCommonSections(*this);
    InitMaskIndexes();
    ChangeSkinHue(this, HueOffset());
    ChangeSkinSaturation(this, Saturation());
}

// GLOBALINFO holds no border of its own. It is looked up here, not taken
// from ConstData, which still describes the skin loaded before while the
// general data is read; its record keeps "no image" (-1), never image 0.
void TsSkinManager::InitMaskIndexes() {
    const int global = GetSkinIndex(L"GLOBALINFO");
    for (size_t i = 0; i < gd.size(); ++i) {
        if (int(i) == global) continue;
        TsGeneralData& g = gd[i];
        const fw::String name = g.ClassName;
        g.BorderIndex = GetMaskIndex(int(i), name, L"BORDERSMASK");
        g.ImgTL = GetMaskIndex(int(i), name, L"IMGTOPLEFT");
        g.ImgTR = GetMaskIndex(int(i), name, L"IMGTOPRIGHT");
        g.ImgBL = GetMaskIndex(int(i), name, L"IMGBTMLEFT");
        g.ImgBR = GetMaskIndex(int(i), name, L"IMGBTMRIGHT");
    }
}

void TsSkinManager::InitConstantIndexes() {
    TConstantSkinData& c = ConstData;
    c = TConstantSkinData();
    auto sec = [&](const wchar_t* s) { return int16_t(GetSkinIndex(s)); };
    auto img = [&](int16_t index, const wchar_t* s, const wchar_t* key) {
        return int16_t(GetMaskIndex(index, s, key));
    };
    c.IndexGLobalInfo = sec(L"GLOBALINFO");
    if (c.IndexGLobalInfo >= 0) {
        const int16_t g = c.IndexGLobalInfo;
        c.CheckBoxChecked = img(g, L"GLOBALINFO", L"BOXCHECKED");
        c.CheckBoxUnChecked = img(g, L"GLOBALINFO", L"BOXUNCHECKED");
        c.CheckBoxGrayed = img(g, L"GLOBALINFO", L"BOXGRAYED");
        c.RadioButtonChecked = img(g, L"GLOBALINFO", L"RADIOCHECKED");
        c.RadioButtonUnChecked = img(g, L"GLOBALINFO", L"RADIOUNCHECKED");
        c.RadioButtonGrayed = img(g, L"GLOBALINFO", L"RADIOGRAYED");
        c.SmallCheckBoxChecked = img(g, L"GLOBALINFO", L"SMALLCHECKED");
        c.SmallCheckBoxUnChecked = img(g, L"GLOBALINFO", L"SMALLUNCHECKED");
        c.SmallCheckBoxGrayed = img(g, L"GLOBALINFO", L"SMALLGRAYED");
        c.ExBorder = img(g, L"GLOBALINFO", L"EXBORDER");
    }
    c.ComboBtnIndex = sec(L"COMBOBTN");
    c.ComboBtnBorder = GetMaskIndex(L"COMBOBTN", L"BORDERSMASK");
    c.ComboBtnBG = GetTextureIndex(c.ComboBtnIndex, L"COMBOBTN", L"PATTERN");
    c.ComboBtnBGHot = GetTextureIndex(c.ComboBtnIndex, L"COMBOBTN", L"HOTPATTERN");
    c.ComboGlyph = GetMaskIndex(L"COMBOBOX", L"GLYPHMASK");

    struct Side {
        const wchar_t* name;
        int16_t *index, *mask;
    };
    for (const Side& t :
         {Side{L"TABTOP", &c.IndexTabTop, &c.MaskTabTop}, Side{L"TABBOTTOM", &c.IndexTabBottom, &c.MaskTabBottom},
          Side{L"TABLEFT", &c.IndexTabLeft, &c.MaskTabLeft}, Side{L"TABRIGHT", &c.IndexTabRight, &c.MaskTabRight}}) {
        *t.index = sec(t.name);
        *t.mask = img(*t.index, t.name, L"BORDERSMASK");
    }
    struct Button {
        const wchar_t* name;
        int16_t *index, *mask, *glyph, *bg, *bgHot;
    };
    for (const Button& b : {Button{L"SCROLLBTNTOP", &c.IndexScrollTop, &c.MaskScrollTop, &c.MaskArrowTop,
                                   &c.IndexBGScrollTop, &c.IndexBGHotScrollTop},
                            Button{L"SCROLLBTNBOTTOM", &c.IndexScrollBottom, &c.MaskScrollBottom, &c.MaskArrowBottom,
                                   &c.IndexBGScrollBottom, &c.IndexBGHotScrollBottom},
                            Button{L"SCROLLBTNLEFT", &c.IndexScrollLeft, &c.MaskScrollLeft, &c.MaskArrowLeft,
                                   &c.IndexBGScrollLeft, &c.IndexBGHotScrollLeft},
                            Button{L"SCROLLBTNRIGHT", &c.IndexScrollRight, &c.MaskScrollRight, &c.MaskArrowRight,
                                   &c.IndexBGScrollRight, &c.IndexBGHotScrollRight},
                            Button{L"SCROLLSLIDERV", &c.IndexSliderVert, &c.MaskSliderVert, &c.MaskSliderGlyphVert,
                                   &c.ScrollSliderBGVert, &c.ScrollSliderBGHotVert},
                            Button{L"SCROLLSLIDERH", &c.IndexSliderHorz, &c.MaskSliderHorz, &c.MaskSliderGlyphHorz,
                                   &c.ScrollSliderBGHorz, &c.ScrollSliderBGHotHorz}}) {
        *b.index = sec(b.name);
        *b.mask = img(*b.index, b.name, L"BORDERSMASK");
        *b.glyph = *b.index >= 0 ? img(*b.index, b.name, L"GLYPHMASK") : int16_t(-1);
        *b.bg = img(*b.index, b.name, L"PATTERN");
        *b.bgHot = img(*b.index, b.name, L"HOTPATTERN");
    }
    struct Bar {
        const wchar_t* name;
        int16_t *index, *mask, *bg, *bgHot;
    };
    for (const Bar& b :
         {Bar{L"SCROLLBAR1H", &c.IndexScrollBar1H, &c.MaskScrollBar1H, &c.BGScrollBar1H, &c.BGHotScrollBar1H},
          Bar{L"SCROLLBAR1V", &c.IndexScrollBar1V, &c.MaskScrollBar1V, &c.BGScrollBar1V, &c.BGHotScrollBar1V},
          Bar{L"SCROLLBAR2H", &c.IndexScrollBar2H, &c.MaskScrollBar2H, &c.BGScrollBar2H, &c.BGHotScrollBar2H},
          Bar{L"SCROLLBAR2V", &c.IndexScrollBar2V, &c.MaskScrollBar2V, &c.BGScrollBar2V, &c.BGHotScrollBar2V}}) {
        *b.index = sec(b.name);
        *b.mask = img(*b.index, b.name, L"BORDERSMASK");
        *b.bg = img(*b.index, b.name, L"PATTERN");
        *b.bgHot = img(*b.index, b.name, L"HOTPATTERN");
    }
    InitMaskIndexes();
    CheckShadows();
}

void TsSkinManager::CheckShadows() {
    if (!Active() || !ExtendedBorders()) {
        FormShadowSize = RECT{};
        return;
    }
    delete ShdaTemplate;
    delete ShdiTemplate;
    ShdaTemplate = new TPNGGraphic;
    ShdiTemplate = new TPNGGraphic;
    if (ConstData.ExBorder >= 0 && size_t(ConstData.ExBorder) < ma.size()) {
        const TsMaskData& m = ma[size_t(ConstData.ExBorder)];
        const int offs = SkinData->ExContentOffs;
        if (SkinData->ExDrawMode != 0)
            FormShadowSize = RECT{offs, offs, offs, offs};
        else
            FormShadowSize = RECT{m.WL - offs, m.WT - offs, m.WR - offs, m.WB - offs};
        // An EXBORDER cut from the master bitmap is copied from there.
        StateCopy(*this, m, 0, ShdiTemplate);
        if (m.ImageCount <= 1)
            ShdaTemplate->Assign(ShdiTemplate);
        else
            StateCopy(*this, m, 1, ShdaTemplate);
    } else if (acShdaImage && acShdiImage) {
        FormShadowSize = RECT{11, 7, 11, 11};
        ShdaTemplate->Assign(acShdaImage);
        ShdiTemplate->Assign(acShdiImage);
        if (acAeroIsEnabled()) {
            FormShadowSize.left++;
            FormShadowSize.top++;
            FormShadowSize.right++;
            FormShadowSize.bottom++;
        }
    }
    UpdateTransPixels(ShdaTemplate);
    UpdateTransPixels(ShdiTemplate);
}

}  // namespace skin
