#include "skin/engine/sStoredSkins.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Jpeg.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/SysUtils.h"
#include "skin/engine/StorageUtils.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sInheritedReads.h"
#include "skin/engine/sSkinImages.h"
#include "skin/engine/sSkinManager.h"

namespace skin {

TsSkinImage::TsSkinImage(fw::TCollection* Collection) : fw::TCollectionItem(Collection), image_(new fw::TBitmap) {}
TsSkinImage::~TsSkinImage() { delete image_; }
void TsSkinImage::SetImage(const fw::TBitmap* Value) { image_->Assign(Value); }

TsSkinPattern::TsSkinPattern(fw::TCollection* Collection)
    : fw::TCollectionItem(Collection), image_(new fw::TJPEGImage) {}
TsSkinPattern::~TsSkinPattern() { delete image_; }
void TsSkinPattern::SetImage(const fw::TJPEGImage* Value) { image_->Assign(Value); }

TsSkinGenerals::TsSkinGenerals(TsStoredSkin* AOwner)
    : fw::TOwnedCollection(AOwner, &fw::NewCollectionItem<TsSkinGeneral>) {}
TsSkinImages::TsSkinImages(TsStoredSkin* AOwner) : fw::TOwnedCollection(AOwner, &fw::NewCollectionItem<TsSkinImage>) {}
TsSkinPatterns::TsSkinPatterns(TsStoredSkin* AOwner)
    : fw::TOwnedCollection(AOwner, &fw::NewCollectionItem<TsSkinPattern>) {}

TsStoredSkin::TsStoredSkin(fw::TCollection* Collection)
    : fw::TCollectionItem(Collection),
      PackedData(new fw::TMemoryStream),
      images_(new TsSkinImages(this)),
      generalData_(new TsSkinGenerals(this)),
      patterns_(new TsSkinPatterns(this)),
      masterBitmap_(new fw::TBitmap) {}

TsStoredSkin::~TsStoredSkin() {
    images_.reset();
    patterns_.reset();
    generalData_.reset();
    delete masterBitmap_;
    delete PackedData;
}

void TsStoredSkin::SetName(const fw::String& Value) {
    if (name_ != Value) name_ = Value;
}

void TsStoredSkin::Assign(const fw::TPersistent* Source) {
    auto* from = dynamic_cast<const TsStoredSkin*>(Source);
    if (!from) return fw::TCollectionItem::Assign(Source);
    PackedData->LoadFromStream(from->PackedData);
    SetName(from->name_);
    generalData_->Assign(from->generalData_.get());
    images_->Assign(from->images_.get());
    patterns_->Assign(from->patterns_.get());
    masterBitmap_->Assign(from->masterBitmap_);
    Shadow1Color = from->Shadow1Color;
    Shadow1Offset = from->Shadow1Offset;
    Shadow1Blur = from->Shadow1Blur;
    Shadow1Transparency = from->Shadow1Transparency;
    BorderColor = from->BorderColor;
    Version = from->Version;
    Author = from->Author;
    Description = from->Description;
}

void TsStoredSkin::DefineProperties(fw::TFiler* Filer) {
    Filer->DefineProperty(L"Name", fw::TReaderProc(this, &TsStoredSkin::ReadName),
                          fw::TWriterProc(this, &TsStoredSkin::WriteName), !name_.empty());
    Filer->DefineBinaryProperty(L"Data", fw::TStreamProc(this, &TsStoredSkin::ReadData),
                                fw::TStreamProc(this, &TsStoredSkin::WriteData), true);
}

void TsStoredSkin::ReadName(fw::TReader* Reader) { SetName(Reader->ReadString()); }
void TsStoredSkin::WriteName(fw::TWriter* Writer) { Writer->WriteString(name_); }
void TsStoredSkin::ReadData(fw::TStream* Stream) { PackedData->LoadFromStream(Stream); }
void TsStoredSkin::WriteData(fw::TStream* Stream) { PackedData->SaveToStream(Stream); }

TsStoredSkins::TsStoredSkins(TsSkinManager* AOwner)
    : fw::TOwnedCollection(AOwner, &fw::NewCollectionItem<TsStoredSkin>) {}

int TsStoredSkins::IndexOf(const fw::String& SkinName) const {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Name() == SkinName) return i;
    return -1;
}

namespace {

const wchar_t* BoolText(bool b) { return b ? L"TRUE" : L"FALSE"; }

}  // namespace

void SaveStoredSkinToIni(const TsStoredSkin& Skin, fw::TMemIniFile& sf) {
    const TsSkinGenerals* list = Skin.GeneralData();
    const TSysCharSet blank(L" ");
    for (int i = 0; i < list->Count(); ++i) {
        const TsSkinGeneral& g = *list->Items(i);
        if (g.SectionName.empty()) continue;
        const fw::String& s = g.SectionName;
        auto num = [](long long v) { return fw::IntToStr(int(v)); };
        auto put = [&](const wchar_t* key, const fw::String& value) { WriteIniStr(s, key, value, &sf); };
        put(L"PARENTCLASS", g.ParentClass);
        put(L"COLOR", num(g.Color));
        put(L"RESERVEDBOOLEAN", BoolText(g.ReservedBoolean));
        put(L"GIVEOWNFONT", BoolText(g.GiveOwnFont));
        put(L"GLOW", num(g.GlowCount));
        put(L"GLOWMARGIN", num(g.GlowMargin));
        const wchar_t* fontKeys[] = {L"FONTCOLOR", L"TCLEFT", L"TCTOP", L"TCRIGHT", L"TCBOTTOM"};
        const wchar_t* hotKeys[] = {L"HOTFONTCOLOR", L"HOTTCLEFT", L"HOTTCTOP", L"HOTTCRIGHT", L"HOTTCBOTTOM"};
        for (int w = 0; w < 5; ++w) put(fontKeys[w], ExtractWord(w + 1, g.FontColor, blank));
        for (int w = 0; w < 5; ++w) put(hotKeys[w], ExtractWord(w + 1, g.HotFontColor, blank));
        put(L"TRANSPARENCY", num(g.Transparency));
        put(L"GRADIENTPERCENT", num(g.GradientPercent));
        put(L"IMAGEPERCENT", num(g.ImagePercent));
        put(L"GRADIENTDATA", g.GradientData);
        put(L"SHOWFOCUS", BoolText(g.ShowFocus));
        put(L"FADINGENABLED", BoolText(g.FadingEnabled));
        put(L"FADINGITERATIONS", num(g.FadingIterations));
        put(L"HOTCOLOR", num(g.HotColor));
        put(L"HOTTRANSPARENCY", num(g.HotTransparency));
        put(L"HOTGRADIENTPERCENT", num(g.HotGradientPercent));
        put(L"HOTGRADIENTDATA", g.HotGradientData);
        put(L"HOTIMAGEPERCENT", num(g.HotImagePercent));
        put(L"HGCOL", num(g.HotGlowColor));
        put(L"GCOL", num(g.GlowColor));
        put(L"HGSIZE", num(g.HotGlowSize));
        put(L"GSIZE", num(g.GlowSize));
    }
}

}  // namespace skin

// ---- the older form, read from a skin's INI text ---------------------------------

namespace skin {

namespace {

// The five colours of a font as text: the colour, then the outlines.
fw::String FiveColours(const InheritedReader& r, const fw::String& section, const wchar_t* const keys[5]) {
    fw::String out = r.String(section, keys[0], L"0");
    for (int i = 1; i < 5; ++i) out += L" " + r.String(section, keys[i], L"-1");
    return out;
}

// A file named in the skin: relative to the INI file's folder unless it has a drive.
fw::String SkinFilePath(fw::TMemIniFile* sf, const fw::String& name) {
    if (name.find(L':') != fw::String::npos) return name;
    return fw::ExtractFilePath(sf->FileName()) + name;
}

int Num(const fw::String& value, int pos, int len) { return fw::StrToInt(fw::Copy(value, pos, len)); }

// Border widths derived from the image size; counts below 1 (and mask types
// below 0) are taken as 1 (and 0), so nothing divides by zero.
void DeriveWidths(TsSkinImage& im) {
    const int count = im.ImageCount < 1 ? 1 : im.ImageCount;
    const int mask = im.MaskType < 0 ? 0 : im.MaskType;
    im.WL = im.WR = (im.Right - im.Left) / (count * 3);
    im.WT = im.WB = (im.Bottom - im.Top) / (mask * 3 + 3);
}

void AddImage(TsSkinImages* images, fw::TMemIniFile* sf, const fw::String& section, const fw::String& key,
              const fw::String& value) {
    const wchar_t first = value.empty() ? L'\0' : value[0];
    auto add = [&] { return static_cast<TsSkinImage*>(images->Add()); };
    if (first == L'!') {
        const TSysCharSet bang(L"!");
        const int words = WordCount(value, bang);
        const fw::String file = ExtractWord(1, value, bang);
        const fw::String path = SkinFilePath(sf, file);
        if (file.find(L".BMP") == fw::String::npos || !fw::FileExists(path)) return;
        TsSkinImage* im = add();
        im->Name = fw::ExtractFileName(file);
        im->Image()->LoadFromFile(path);
        im->PropertyName = key;
        im->SectionName = section;
        const int type = fw::StrToInt(ExtractWord(4, value, bang));
        im->ImgType = type > 3 || type < 0 ? itisaPngGlyph : TacImgType(type);
        im->ImageCount = fw::StrToInt(ExtractWord(2, value, bang));
        im->MaskType = fw::StrToInt(ExtractWord(3, value, bang));
        im->Left = im->Top = 0;
        im->Right = im->Image()->Width();
        im->Bottom = im->Image()->Height();
        if (words < 5) {
            DeriveWidths(*im);
        } else {
            im->WL = fw::StrToInt(ExtractWord(5, value, bang));
            im->WT = fw::StrToInt(ExtractWord(6, value, bang));
            im->WR = fw::StrToInt(ExtractWord(7, value, bang));
            im->WB = fw::StrToInt(ExtractWord(8, value, bang));
        }
        if (im->Image()->Width() < 1) delete im;
    } else if (first == L'@') {
        TsSkinImage* im = add();
        im->PropertyName = key;
        im->SectionName = section;
        im->ImgType = itisaGlyph;
        im->Left = Num(value, 2, 4), im->Top = Num(value, 7, 4), im->Right = Num(value, 12, 4);
        im->Bottom = Num(value, 17, 4);
        im->ImageCount = Num(value, 22, 1);
        im->MaskType = Num(value, 24, 1);
    } else if (first == L'^') {
        TsSkinImage* im = add();
        im->PropertyName = key;
        im->SectionName = section;
        im->ImgType = itisaBorder;
        im->Left = Num(value, 2, 4), im->Top = Num(value, 7, 4), im->Right = Num(value, 12, 4);
        im->Bottom = Num(value, 17, 4);
        im->WL = Num(value, 22, 4), im->WT = Num(value, 27, 4), im->WR = Num(value, 32, 4);
        im->WB = Num(value, 37, 4);
        im->ImageCount = Num(value, 42, 1);
        im->MaskType = Num(value, 44, 1);
        im->StretchMode = Num(value, 46, 1);
        im->BorderWidth = Num(value, 48, 1);
        if (im->WL + im->WT + im->WR + im->WB == 0) {
            if (im->BorderWidth != 0)
                im->WL = im->WT = im->WR = im->WB = im->BorderWidth;
            else
                DeriveWidths(*im);
        }
    } else if (first == L'~') {
        TsSkinImage* im = add();
        im->PropertyName = fw::UpperCase(key);
        im->SectionName = fw::UpperCase(section);
        im->Left = Num(value, 2, 4), im->Top = Num(value, 7, 4), im->Right = Num(value, 12, 4);
        im->Bottom = Num(value, 17, 4);
        im->StretchMode = Num(value, 22, 2);
        im->ImgType = itisaTexture;
        im->ImageCount = 1;
        im->MaskType = value.size() < 25 ? 0 : Num(value, 25, 1);
    } else if (value.find(L'#') == fw::String::npos) {
        const fw::String upper = fw::UpperCase(value);
        const fw::String path = SkinFilePath(sf, upper);
        if (upper.find(L".BMP") == fw::String::npos || !fw::FileExists(path)) return;
        TsSkinImage* im = add();
        im->Name = fw::ExtractFileName(upper);
        im->ImageCount = 0;
        im->Image()->LoadFromFile(path);
        im->PropertyName = key;
        im->SectionName = section;
        if (im->Image()->Width() < 1) delete im;
    } else if (value != L"#") {
        TsSkinImage* im = add();
        im->PropertyName = fw::UpperCase(key);
        im->SectionName = fw::UpperCase(section);
        const TSysCharSet parts(L" ()");
        const TSysCharSet numbers(L" ,");
        const fw::String rect = ExtractWord(2, value, parts);
        im->Left = fw::StrToInt(ExtractWord(1, rect, numbers));
        im->Top = fw::StrToInt(ExtractWord(2, rect, numbers));
        im->Right = fw::StrToInt(ExtractWord(3, rect, numbers));
        im->Bottom = fw::StrToInt(ExtractWord(4, rect, numbers));
        const fw::String counts = ExtractWord(3, value, parts);
        const int n = WordCount(counts, numbers);
        im->ImageCount = std::max(1, fw::StrToInt(ExtractWord(1, counts, numbers)));
        im->MaskType = std::max(0, fw::StrToInt(ExtractWord(2, counts, numbers)));
        im->BorderWidth = n >= 3 ? std::max(0, fw::StrToInt(ExtractWord(3, counts, numbers))) : 0;
        im->StretchMode = n >= 4 ? fw::StrToInt(ExtractWord(4, counts, numbers)) : 1;
    }
}

}  // namespace

void TsStoredSkin::LoadFromIni(TsSkinGenerals* gd, fw::TMemIniFile* sf) {
    if (!sf) return;
    double version = 0;
    if (!fw::TryStrToFloat(sf->ReadString(L"GLOBALINFO", L"VERSION", L"0"), version, fw::InvariantFormatSettings()))
        version = 0;
    Version = version;
    if (Collection())
        if (auto* sm = dynamic_cast<TsSkinManager*>(Collection()->GetOwner())) sm->SkinData->Version = version;
    Author = sf->ReadString(L"GLOBALINFO", L"AUTHOR", L"");
    Description = sf->ReadString(L"GLOBALINFO", L"DESCRIPTION", L"");
    Shadow1Color = TColor(fw::StrToInt(sf->ReadString(L"GLOBALINFO", L"SHADOW1COLOR", L"0")));
    Shadow1Offset = fw::StrToInt(sf->ReadString(L"GLOBALINFO", L"SHADOW1OFFSET", L"1"));
    Shadow1Blur = fw::StrToInt(sf->ReadString(L"GLOBALINFO", L"SHADOW1BLUR", L"-1"));
    Shadow1Transparency = fw::StrToInt(sf->ReadString(L"GLOBALINFO", L"SHADOW1TRANSPARENCY", L"50"));
    BorderColor = TColor(sf->ReadInteger(L"GLOBALINFO", L"BORDERCOLOR", 0));

    static const wchar_t* const fontKeys[5] = {L"FONTCOLOR", L"TCLEFT", L"TCTOP", L"TCRIGHT", L"TCBOTTOM"};
    static const wchar_t* const hotKeys[5] = {L"HOTFONTCOLOR", L"HOTTCLEFT", L"HOTTCTOP", L"HOTTCRIGHT",
                                              L"HOTTCBOTTOM"};
    const InheritedReader r(*sf);
    fw::TStringList sections;
    sf->ReadSections(&sections);
    for (int i = 0; i < sections.Count(); ++i) {
        gd->Add();
        TsSkinGeneral& g = *gd->Items(i);
        const fw::String s = sections[i];
        g.SectionName = s;
        g.ParentClass = sf->ReadString(s, L"PARENTCLASS", L"");
        g.Color = fw::ColorToRGB(TColor(r.Integer(s, L"COLOR", 0xFFFFFF)));
        g.ReservedBoolean = r.Bool(s, L"RESERVEDBOOLEAN");
        g.GiveOwnFont = r.Bool(s, L"GIVEOWNFONT");
        g.GlowCount = r.Integer(s, L"GLOW", 0);
        g.GlowMargin = r.Integer(s, L"GLOWMARGIN", 0);
        g.FontColor = FiveColours(r, s, fontKeys);
        g.HotFontColor = FiveColours(r, s, hotKeys);
        g.Transparency = r.Integer(s, L"TRANSPARENCY", 0);
        g.GradientPercent = r.Integer(s, L"GRADIENTPERCENT", 0);
        g.ImagePercent = r.Integer(s, L"IMAGEPERCENT", 0);
        g.GradientData = r.String(s, L"GRADIENTDATA", L" ");
        g.ShowFocus = r.Bool(s, L"SHOWFOCUS");
        g.FadingEnabled = r.Bool(s, L"FADINGENABLED");
        g.FadingIterations = r.Integer(s, L"FADINGITERATIONS", 5);
        g.HotColor = fw::ColorToRGB(TColor(r.Integer(s, L"HOTCOLOR", 0xFFFFFF)));
        g.HotTransparency = r.Integer(s, L"HOTTRANSPARENCY", 0);
        g.HotGradientPercent = r.Integer(s, L"HOTGRADIENTPERCENT", 0);
        g.HotGradientData = r.String(s, L"HOTGRADIENTDATA", L" ");
        g.HotImagePercent = r.Integer(s, L"HOTIMAGEPERCENT", 0);
        g.HotGlowColor = fw::ColorToRGB(TColor(r.Integer(s, L"HGCOL", 0xFFFFFF)));
        g.HotGlowSize = TColor(r.Integer(s, L"HGSIZE", 0));
        g.GlowColor = fw::ColorToRGB(TColor(r.Integer(s, L"GCOL", 0xFFFFFF)));
        g.GlowSize = TColor(r.Integer(s, L"GSIZE", 0));
    }
}

void TsStoredSkin::LoadSkin(fw::TMemIniFile* sf) {
    generalData_->Add();
    LoadFromIni(generalData_.get(), sf);
    images_->Clear();
    const fw::String master = sf->ReadString(L"GLOBALINFO", L"MASTERBITMAP", L"");
    if (!master.empty() && fw::FileExists(SkinFilePath(sf, master)))
        masterBitmap_->LoadFromFile(SkinFilePath(sf, master));

    fw::TStringList sections, keys;
    sf->ReadSections(&sections);
    for (int i = 0; i < sections.Count(); ++i) {
        const fw::String s = sections[i];
        sf->ReadSection(s, &keys);
        for (int k = 0; k < keys.Count(); ++k) {
            if (IsDescriptiveValue(s, keys[k])) continue;
            AddImage(images_.get(), sf, s, keys[k], sf->ReadString(s, keys[k], L"-"));
        }
    }
    for (int i = 0; i < sections.Count(); ++i) {
        const fw::String s = sections[i];
        sf->ReadSection(s, &keys);
        for (int k = 0; k < keys.Count(); ++k) {
            const fw::String value = fw::UpperCase(sf->ReadString(s, keys[k], L"-"));
            if (IsDescriptiveValue(s, keys[k])) continue;
            if (value.find(L".JPG") == fw::String::npos && value.find(L".JPEG") == fw::String::npos) continue;
            const fw::String path = SkinFilePath(sf, value);
            if (!fw::FileExists(path)) continue;
            auto* p = static_cast<TsSkinPattern*>(patterns_->Add());
            p->Name = fw::ExtractFileName(value);
            bool loaded = false;
            for (int j = 0; j < patterns_->Count() - 1 && !loaded; ++j)
                loaded = patterns_->Items(j)->Name == p->Name && !patterns_->Items(j)->Image()->Empty();
            if (!loaded) p->Image()->LoadFromFile(path);
            p->PropertyName = keys[k];
            p->SectionName = s;
        }
    }
}

}  // namespace skin
