// Skins stored inside the form that holds the skin manager (its published
// InternalSkins collection). A stored skin's current form is its packed data:
// the bytes of a packed skin file, streamed with the form as the binary
// property "Data". The older form (section values, images and textures in
// three collections plus a master bitmap) is kept alongside; those
// collections copy nothing, so assigning a skin that holds items raises the
// framework's assignment error.
#pragma once

#include <memory>

#include "framework/graphics/Color.h"
#include "framework/rtl/Collections.h"
#include "framework/rtl/Streams.h"
#include "skin/engine/sConst.h"

namespace fw {
class TBitmap;
class TJPEGImage;
class TMemIniFile;
class TReader;
class TStream;
class TWriter;
}  // namespace fw

namespace skin {

class TsSkinManager;
class TsStoredSkin;

// One skin section in text form. FontColor and HotFontColor hold five
// integers separated by blanks: the text colour, then the outlines left,
// top, right, bottom.
class TsSkinGeneral : public fw::TCollectionItem {
public:
    explicit TsSkinGeneral(fw::TCollection* Collection) : fw::TCollectionItem(Collection) {}
    fw::String ClassName() const override { return L"TsSkinGeneral"; }

    fw::String Name;
    bool ShowFocus = false;
    bool FadingEnabled = false;
    int HotImagePercent = 0;
    int Transparency = 0;
    int HotTransparency = 0;
    int FadingIterations = 0;
    fw::String HotFontColor;
    int HotGradientPercent = 0;
    int GradientPercent = 0;
    int ImagePercent = 0;
    fw::String HotGradientData;
    fw::String GradientData;
    fw::String ParentClass;
    TColor HotColor = 0;
    TColor Color = 0;
    fw::String SectionName;
    fw::String FontColor;
    bool ReservedBoolean = false;
    bool GiveOwnFont = false;
    int GlowCount = 0;
    int GlowMargin = 0;
    TColor HotGlowSize = 0;
    TColor GlowColor = 0;
    TColor HotGlowColor = 0;
    TColor GlowSize = 0;
};

// One skin image with its placement.
class TsSkinImage : public fw::TCollectionItem {
public:
    explicit TsSkinImage(fw::TCollection* Collection);
    ~TsSkinImage() override;
    fw::String ClassName() const override { return L"TsSkinImage"; }

    fw::TBitmap* Image() const { return image_; }
    void SetImage(const fw::TBitmap* Value);  // copies

    fw::String Name;
    fw::String SectionName;
    fw::String PropertyName;
    int MaskType = 0, ImageCount = 0, Top = 0, Left = 0, Right = 0, Bottom = 0;
    int BorderWidth = 0, StretchMode = 0;
    TacImgType ImgType = itisaBorder;
    int WR = 0, WT = 0, WL = 0, WB = 0;

private:
    fw::TBitmap* image_;
};

// One JPEG texture.
class TsSkinPattern : public fw::TCollectionItem {
public:
    explicit TsSkinPattern(fw::TCollection* Collection);
    ~TsSkinPattern() override;
    fw::String ClassName() const override { return L"TsSkinPattern"; }

    fw::TJPEGImage* Image() const { return image_; }
    void SetImage(const fw::TJPEGImage* Value);  // copies

    fw::String Name;
    fw::String SectionName;
    fw::String PropertyName;

private:
    fw::TJPEGImage* image_;
};

// The three collections of the older form answer GetOwner with their stored skin.
class TsSkinGenerals : public fw::TOwnedCollection {
public:
    explicit TsSkinGenerals(TsStoredSkin* AOwner);
    fw::String ClassName() const override { return L"TsSkinGenerals"; }
    TsSkinGeneral* Items(int Index) const { return static_cast<TsSkinGeneral*>(fw::TCollection::Items(Index)); }
};
class TsSkinImages : public fw::TOwnedCollection {
public:
    explicit TsSkinImages(TsStoredSkin* AOwner);
    fw::String ClassName() const override { return L"TsSkinImages"; }
    TsSkinImage* Items(int Index) const { return static_cast<TsSkinImage*>(fw::TCollection::Items(Index)); }
};
class TsSkinPatterns : public fw::TOwnedCollection {
public:
    explicit TsSkinPatterns(TsStoredSkin* AOwner);
    fw::String ClassName() const override { return L"TsSkinPatterns"; }
    TsSkinPattern* Items(int Index) const { return static_cast<TsSkinPattern*>(fw::TCollection::Items(Index)); }
};

class TsStoredSkin : public fw::TCollectionItem {
public:
    explicit TsStoredSkin(fw::TCollection* Collection);
    ~TsStoredSkin() override;
    fw::String ClassName() const override { return L"TsStoredSkin"; }

    // Copies a TsStoredSkin: packed data, name, the three collections, the
    // master bitmap and the skin-wide values. A null source: the framework's
    // assignment error.
    void Assign(const fw::TPersistent* Source) override;
    // "Name" and "Data" (the packed bytes; always written, also when empty).
    void DefineProperties(fw::TFiler* Filer) override;

    const fw::String& Name() const { return name_; }
    void SetName(const fw::String& Value);

    TsSkinImages* Images() const { return images_.get(); }
    void SetImages(const TsSkinImages* Value) { images_->Assign(Value); }
    TsSkinGenerals* GeneralData() const { return generalData_.get(); }
    void SetGeneralData(const TsSkinGenerals* Value) { generalData_->Assign(Value); }
    TsSkinPatterns* Patterns() const { return patterns_.get(); }
    void SetPatterns(const TsSkinPatterns* Value) { patterns_->Assign(Value); }
    fw::TBitmap* MasterBitmap() const { return masterBitmap_; }

    // The older form, from a skin's INI text. Section values follow the
    // section's PARENTCLASS chain (a chain that comes back on itself ends
    // as "absent"). A number that is not one raises EConvertError; what was
    // added stays.
    // Skin-wide values (also the Version of the owning manager's skin data)
    // and one TsSkinGeneral per section appended to gd.
    void LoadFromIni(TsSkinGenerals* gd, fw::TMemIniFile* sf);
    // Everything: sections, master bitmap, images and JPEG textures, with
    // file names relative to the INI file's folder. GLOBALINFO's VERSION,
    // AUTHOR, DESCRIPTION and MASTERBITMAP are never taken for images.
    void LoadSkin(fw::TMemIniFile* sf);

    double Version = 0;
    fw::String Description;
    fw::String Author;
    int Shadow1Offset = 0;
    TColor Shadow1Color = 0;
    int Shadow1Blur = -1;
    int Shadow1Transparency = 0;
    TColor BorderColor = 0xFF00FF;
    // The packed skin's bytes; lent to the loader, never handed over.
    fw::TMemoryStream* PackedData;

protected:
    fw::String GetDisplayName() const override { return name_.empty() ? ClassName() : name_; }

private:
    void ReadName(fw::TReader* Reader);
    void WriteName(fw::TWriter* Writer);
    void ReadData(fw::TStream* Stream);
    void WriteData(fw::TStream* Stream);

    std::unique_ptr<TsSkinImages> images_;
    fw::String name_;
    std::unique_ptr<TsSkinGenerals> generalData_;
    std::unique_ptr<TsSkinPatterns> patterns_;
    fw::TBitmap* masterBitmap_;
};

class TsStoredSkins : public fw::TOwnedCollection {
public:
    explicit TsStoredSkins(TsSkinManager* AOwner);
    fw::String ClassName() const override { return L"TsStoredSkins"; }
    // Stored skins are never copied from another collection.
    void Assign(const fw::TPersistent* Source) override { (void)Source; }
    TsStoredSkin* Items(int Index) const { return static_cast<TsStoredSkin*>(fw::TCollection::Items(Index)); }
    TsStoredSkin* Add() { return static_cast<TsStoredSkin*>(fw::TCollection::Add()); }
    // First item named exactly SkinName (case matters), -1 when none.
    int IndexOf(const fw::String& SkinName) const;
};

// Writes the section values of GeneralData of a stored skin into sf (not
// saved to disk); items without a SectionName are skipped.
void SaveStoredSkinToIni(const TsStoredSkin& Skin, fw::TMemIniFile& sf);

}  // namespace skin
