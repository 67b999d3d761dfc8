#include "skin/engine/sStoredSkins.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Jpeg.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/SysUtils.h"
#include "skin/engine/StorageUtils.h"
#include "skin/engine/TextUtils.h"
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
void TsStoredSkin::WriteData(fw::TStream* Stream) {
    PackedData->SaveToStream(Stream);
}

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
