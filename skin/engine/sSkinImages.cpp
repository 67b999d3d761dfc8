// The image and pattern loaders: the master bitmap, every image value of the
// skin text, separate image files (from the folder or the packed skin), and
// JPEG pictures as large patterns or small textures; or the same from the
// older collections of a stored skin.
#include "skin/engine/sSkinImages.h"

#include <algorithm>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Jpeg.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"
#include "skin/engine/PNGGraphic.h"
#include "skin/engine/PngIcons.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sSkinManager.h"

namespace skin {

namespace {

// A 1-based field of a fixed-layout code; a value too short reads as empty,
// which StrToInt refuses.
int Field(const fw::String& v, size_t pos, size_t len) {
    return fw::StrToInt(pos - 1 < v.size() ? v.substr(pos - 1, len) : fw::String());
}

// The record keeps 16-bit numbers; a 32-bit number of the skin text that does
// not fit takes the nearer end instead of wrapping (65535 would become -1).
int16_t SmallIntOf(int v) { return int16_t(std::clamp(v, -32768, 32767)); }

bool Contains(const fw::String& s, const wchar_t* part) { return s.find(part) != fw::String::npos; }

bool IsAbsolute(const fw::String& name) { return Contains(name, L":"); }

// The unpacked file whose upper-cased name equals Name exactly.
fw::TMemoryStream* PackedFile(TacSkinConvertor* sc, const fw::String& Name) {
    if (!sc) return nullptr;
    for (TacImageItem& f : sc->Files)
        if (f.FileStream && fw::UpperCase(f.FileName) == Name) return f.FileStream.get();
    return nullptr;
}

// Opens image file Name of the skin being loaded: from the packed skin, or
// from the folder (relative to SkinPath unless absolute). Null when absent.
template <typename G>
std::unique_ptr<G> LoadPicture(TsSkinManager& sm, const fw::String& Name) {
    auto pic = std::make_unique<G>();
    if (sm.SkinIsPacked) {
        fw::TMemoryStream* s = PackedFile(sm.sc.get(), Name);
        if (!s) return nullptr;
        s->SetPosition(0);
        pic->LoadFromStream(s);
    } else {
        const fw::String path = IsAbsolute(Name) ? Name : sm.SkinData->SkinPath + Name;
        if (!fw::FileExists(path)) return nullptr;
        pic->LoadFromFile(path);
    }
    return pic;
}

// Painting reads these bitmaps' pixels and DCs for the whole life of the skin.
void KeepHandle(fw::TBitmap* b) {
    b->Canvas()->Handle();
    b->Canvas()->Lock();
}

// A separate picture for code '!' or a bare bitmap name: a BMP read
// directly, a PNG decoded with its fully transparent white cleared.
std::unique_ptr<fw::TBitmap> LoadImageFile(TsSkinManager& sm, const fw::String& Name, bool png) {
    if (!png) return LoadPicture<fw::TBitmap>(sm, Name);
    std::unique_ptr<TPNGGraphic> p = LoadPicture<TPNGGraphic>(sm, Name);
    if (!p) return nullptr;
    auto b = std::make_unique<fw::TBitmap>();
    b->Assign(p.get());
    UpdateTransPixels(b.get());
    return b;
}

TsMaskData NewEntry(TsSkinManager& sm, const fw::String& Section, const fw::String& Key) {
    TsMaskData m;
    m.ClassName = Section;
    m.PropertyName = Key;
    m.Manager = &sm;
    return m;
}

// Code '!': !FILE!C!M!type[!WL!WT!WR!WB]
void AddFileImage(TsSkinManager& sm, const fw::String& Section, const fw::String& Key, const fw::String& v) {
    const TSysCharSet bang(L"!");
    const fw::String file = ExtractWord(1, v, bang);
    const bool bmp = Contains(file, L".BMP"), png = Contains(file, L".PNG");
    if (!bmp && !png) return;
    TsMaskData m = NewEntry(sm, Section, Key);
    m.ImageCount = SmallIntOf(fw::StrToInt(ExtractWord(2, v, bang)));
    m.MaskType = SmallIntOf(fw::StrToInt(ExtractWord(3, v, bang)));
    const int type = fw::StrToInt(ExtractWord(4, v, bang));
    m.ImgType = type >= 0 && type < 4 ? acImgTypes[size_t(type)] : itisaPngGlyph;
    const int words = WordCount(v, bang);
    if (words >= 5) {
        m.WL = SmallIntOf(fw::StrToInt(ExtractWord(5, v, bang)));
        m.WT = SmallIntOf(fw::StrToInt(ExtractWord(6, v, bang)));
        m.WR = SmallIntOf(fw::StrToInt(ExtractWord(7, v, bang)));
        m.WB = SmallIntOf(fw::StrToInt(ExtractWord(8, v, bang)));
    }
    std::unique_ptr<fw::TBitmap> b = LoadImageFile(sm, file, png);
    if (!b || b->Width() == 0) return;
    if (!png && m.ImgType != itisaTexture) b->SetPixelFormat(fw::pf24bit);
    m.R = fw::TRect(0, 0, b->Width(), b->Height());
    m.DrawMode = 4;
    if (words < 5) DeriveBorderWidths(m, b->Width(), b->Height());
    if (!FitImageToBitmap(m, b->Width(), b->Height())) return;
    KeepHandle(b.get());
    m.Bmp = b.release();
    sm.ma.push_back(m);
}

// A bare bitmap name (older form): its own 24-bit picture, three states over a mask row.
void AddBareBitmap(TsSkinManager& sm, const fw::String& Section, const fw::String& Key, const fw::String& upper) {
    std::unique_ptr<fw::TBitmap> b = LoadImageFile(sm, upper, false);
    if (!b || b->Width() == 0) return;
    b->SetPixelFormat(fw::pf24bit);
    TsMaskData m = NewEntry(sm, fw::UpperCase(Section), fw::UpperCase(Key));
    m.MaskType = 1;
    m.ImageCount = 3;
    m.R = fw::TRect(0, 0, b->Width(), b->Height());
    m.WL = m.WR = int16_t(b->Width() / 9);
    m.WT = m.WB = int16_t(b->Height() / 6);
    KeepHandle(b.get());
    m.Bmp = b.release();
    sm.ma.push_back(m);
}

// The size rectangles of the master bitmap are checked against. A skin
// without one keeps its rectangles (nothing of them is drawn), checked
// against the largest bitmap 16-bit widths can describe.
SIZE MasterSize(const TsSkinManager& sm) {
    const fw::TBitmap* b = sm.MasterBitmap;
    if (b && b->Width() > 0 && b->Height() > 0) return SIZE{b->Width(), b->Height()};
    return SIZE{32767, 32767};
}

// A rectangle of the master bitmap, when it fits.
void AddMasterImage(TsSkinManager& sm, TsMaskData& m) {
    const SIZE size = MasterSize(sm);
    if (FitImageToBitmap(m, size.cx, size.cy)) sm.ma.push_back(m);
}

void AddImageValue(TsSkinManager& sm, const fw::String& Section, const fw::String& Key, const fw::String& v) {
    TsMaskData m = NewEntry(sm, Section, Key);
    if (ParseMasterCode(v, m)) {
        AddMasterImage(sm, m);
        return;
    }
    if (v[0] == L'!') {
        AddFileImage(sm, Section, Key, v);
        return;
    }
    const fw::String upper = fw::UpperCase(v);
    if (!Contains(upper, L"#")) {
        if (Contains(upper, L".BMP")) AddBareBitmap(sm, Section, Key, upper);
        return;
    }
    m = NewEntry(sm, fw::UpperCase(Section), fw::UpperCase(Key));
    if (ParseLegacyRect(v, m)) AddMasterImage(sm, m);
}

// Calls f(section, key, value) for every key of every section, in file order.
template <typename F>
void ForEachValue(const fw::TMemIniFile& ini, const fw::String& def, F&& f) {
    fw::TStringList sections, keys;
    ini.ReadSections(&sections);
    for (int i = 0; i < sections.Count(); ++i) {
        ini.ReadSection(sections[i], &keys);
        for (int k = 0; k < keys.Count(); ++k) f(sections[i], keys[k], ini.ReadString(sections[i], keys[k], def));
    }
}

std::unique_ptr<fw::TMemIniFile> CommonSectionsIni(TsSkinManager& sm) {
    if (sm.CommonSections()->Count() == 0) return nullptr;
    auto ini = std::make_unique<fw::TMemIniFile>();
    ini->SetStrings(sm.CommonSections());
    return ini;
}

void MergeCommonImages(TsSkinManager& sm) {
    std::unique_ptr<fw::TMemIniFile> ini = CommonSectionsIni(sm);
    if (!ini) return;
    ForEachValue(*ini, L"-", [&](const fw::String& s, const fw::String& k, const fw::String& v) {
        if (fw::UpperCase(s) == L"GLOBALINFO") return;
        const bool noMaster = !sm.MasterBitmap || sm.MasterBitmap->Empty();
        if (noMaster || !Contains(v, L"#")) {
            fw::String upper = fw::UpperCase(v);
            if (!Contains(upper, L".BMP")) return;
            if (!IsAbsolute(upper)) upper = sm.SkinData->SkinPath + upper;
            if (!fw::FileExists(upper)) return;
            auto b = std::make_unique<fw::TBitmap>();
            b->LoadFromFile(upper);
            if (b->Width() < 1) return;
            b->SetPixelFormat(fw::pf24bit);
            TsMaskData m = NewEntry(sm, fw::UpperCase(s), fw::UpperCase(k));
            m.Bmp = b.release();
            sm.ma.push_back(m);
        } else if (v != L"#") {
            TsMaskData m = NewEntry(sm, fw::UpperCase(s), fw::UpperCase(k));
            if (ParseLegacyRect(v, m)) AddMasterImage(sm, m);
        }
    });
}

}  // namespace

bool IsDescriptiveValue(const fw::String& Section, const fw::String& Key) {
    if (fw::UpperCase(Section) != L"GLOBALINFO") return false;
    const fw::String k = fw::UpperCase(Key);
    return k == L"MASTERBITMAP" || k == L"VERSION" || k == L"AUTHOR" || k == L"DESCRIPTION";
}

void DeriveUnsetBorderWidths(TsMaskData& m) {
    if (m.WL + m.WT + m.WR + m.WB != 0) return;
    if (m.BorderWidth != 0)
        m.WL = m.WT = m.WR = m.WB = m.BorderWidth;
    else
        DeriveBorderWidths(m, m.R.Width(), m.R.Height());
}

void DeriveBorderWidths(TsMaskData& m, int Width, int Height) {
    const int states = m.ImageCount < 1 ? 1 : m.ImageCount;
    const int rows = m.MaskType < 0 ? 1 : m.MaskType + 1;
    m.WL = m.WR = int16_t(Width / (states * 3));
    m.WT = m.WB = int16_t(Height / (rows * 3));
}

bool FitImageToBitmap(TsMaskData& m, int Width, int Height) {
    fw::TRect& R = m.R;
    R.Left = std::clamp<LONG>(R.Left, 0, Width);
    R.Right = std::clamp<LONG>(R.Right, 0, Width);
    R.Top = std::clamp<LONG>(R.Top, 0, Height);
    R.Bottom = std::clamp<LONG>(R.Bottom, 0, Height);
    const int w = R.Right - R.Left, h = R.Bottom - R.Top;
    if (w <= 0 || h <= 0) return false;
    if (m.ImageCount < 0 || m.ImageCount > w || m.MaskType < -1 || m.MaskType + 1 > h) return false;
    auto within = [](int16_t& v, int most) { v = int16_t(std::clamp<int>(v, 0, most)); };
    within(m.WL, w);
    within(m.WR, w);
    within(m.WT, h);
    within(m.WB, h);
    within(m.BorderWidth, std::min(w, h));
    return true;
}

bool ParseMasterCode(const fw::String& v, TsMaskData& m) {
    if (v.empty() || (v[0] != L'@' && v[0] != L'^' && v[0] != L'~')) return false;
    m.R = fw::TRect(Field(v, 2, 4), Field(v, 7, 4), Field(v, 12, 4), Field(v, 17, 4));
    switch (v[0]) {
        case L'@':
            m.ImageCount = int16_t(Field(v, 22, 1));
            m.MaskType = int16_t(Field(v, 24, 1));
            m.ImgType = itisaGlyph;
            break;
        case L'^':
            m.WL = int16_t(Field(v, 22, 4));
            m.WT = int16_t(Field(v, 27, 4));
            m.WR = int16_t(Field(v, 32, 4));
            m.WB = int16_t(Field(v, 37, 4));
            m.ImageCount = int16_t(Field(v, 42, 1));
            m.MaskType = int16_t(Field(v, 44, 1));
            m.DrawMode = int16_t(Field(v, 46, 1));
            m.BorderWidth = int16_t(Field(v, 48, 1));
            m.ImgType = itisaBorder;
            DeriveUnsetBorderWidths(m);
            break;
        default:
            m.DrawMode = int16_t(Field(v, 22, 2));
            m.MaskType = int16_t(v.size() >= 25 ? Field(v, 25, 1) : 0);
            m.ImageCount = 1;
            m.ImgType = itisaTexture;
    }
    return true;
}

bool ParseLegacyRect(const fw::String& v, TsMaskData& m) {
    if (!Contains(v, L"#") || v == L"#") return false;
    const TSysCharSet groups(L" ()");
    const TSysCharSet numbers(L" ,");
    const fw::String r = ExtractWord(2, v, groups), d = ExtractWord(3, v, groups);
    m.R = fw::TRect(fw::StrToInt(ExtractWord(1, r, numbers)), fw::StrToInt(ExtractWord(2, r, numbers)),
                    fw::StrToInt(ExtractWord(3, r, numbers)), fw::StrToInt(ExtractWord(4, r, numbers)));
    const int n = WordCount(d, numbers);
    m.ImageCount = SmallIntOf(std::max(1, n >= 1 ? fw::StrToInt(ExtractWord(1, d, numbers)) : 1));
    m.MaskType = SmallIntOf(std::max(0, n >= 2 ? fw::StrToInt(ExtractWord(2, d, numbers)) : 0));
    m.BorderWidth = SmallIntOf(std::max(0, n >= 3 ? fw::StrToInt(ExtractWord(3, d, numbers)) : 0));
    m.DrawMode = SmallIntOf(n >= 4 ? fw::StrToInt(ExtractWord(4, d, numbers)) : 1);
    DeriveUnsetBorderWidths(m);
    return true;
}

SIZE MaskSize(const TsMaskArray& ma, int MaskIndex) {
    const TsMaskData& m = ma[size_t(MaskIndex)];
    if (m.Bmp) return SIZE{m.Bmp->Width() / 3, m.Bmp->Height() / 2};
    return SIZE{WidthOfImage(m), HeightOfImage(m)};
}

int MaskWidthLeft(TsMaskArray& ma, int MaskIndex) {
    TsMaskData& m = ma[size_t(MaskIndex)];
    if (m.WL > 0) return m.WL;
    if (m.BorderWidth > 0) return m.BorderWidth;
    if (m.ImageCount == 0) m.ImageCount = 1;
    return WidthOfImage(m);
}

int MaskWidthRight(const TsMaskArray& ma, int MaskIndex) {
    const TsMaskData& m = ma[size_t(MaskIndex)];
    return m.WR > 0 ? m.WR : m.BorderWidth > 0 ? m.BorderWidth : WidthOfImage(m);
}

int MaskWidthTop(const TsMaskArray& ma, int MaskIndex) {
    const TsMaskData& m = ma[size_t(MaskIndex)];
    return m.WT > 0 ? m.WT : m.BorderWidth > 0 ? m.BorderWidth : HeightOfImage(m);
}

int MaskWidthBottom(const TsMaskArray& ma, int MaskIndex) {
    const TsMaskData& m = ma[size_t(MaskIndex)];
    return m.WB > 0 ? m.WB : m.BorderWidth > 0 ? m.BorderWidth : HeightOfImage(m);
}

// ---- the loaders

namespace {

// 24 bits, keyed by fuchsia, a device-independent section painting reads.
void PrepareMaster(fw::TBitmap* b) {
    b->SetPixelFormat(fw::pf24bit);
    b->SetTransparent(true);
    b->SetTransparentColor(sFuchsia);
    b->SetHandleType(fw::bmDIB);
}

// The stored skin named SkinName, exactly; null when none has the name.
const TsStoredSkin* StoredSkinNamed(TsSkinManager& sm) {
    const int i = sm.InternalSkins()->IndexOf(sm.SkinName());
    return i < 0 ? nullptr : sm.InternalSkins()->Items(i);
}

// A stored skin of the older form: a copy of its master bitmap, and one
// entry per item of its image collection. False when no stored skin has
// the name.
bool LoadStoredMasks(TsSkinManager& sm) {
    const TsStoredSkin* skin = StoredSkinNamed(sm);
    if (!skin) return false;
    if (!skin->MasterBitmap()->Empty()) {
        sm.MasterBitmap = new fw::TBitmap;
        sm.MasterBitmap->Assign(skin->MasterBitmap());
        PrepareMaster(sm.MasterBitmap);
        KeepHandle(sm.MasterBitmap);
    }
    for (int i = 0; i < skin->Images()->Count(); ++i) {
        const TsSkinImage& im = *skin->Images()->Items(i);
        TsMaskData m = NewEntry(sm, fw::UpperCase(im.SectionName), fw::UpperCase(im.PropertyName));
        std::unique_ptr<fw::TBitmap> own;
        if (!im.Image()->Empty() && !im.Name.empty()) {
            own = std::make_unique<fw::TBitmap>();
            own->Assign(im.Image());
            own->SetPixelFormat(fw::pf24bit);
            m.R = fw::TRect(0, 0, own->Width(), own->Height());
        } else {
            m.R = fw::TRect(im.Left, im.Top, im.Right, im.Bottom);
        }
        m.ImageCount = SmallIntOf(im.ImageCount);
        m.MaskType = SmallIntOf(im.MaskType);
        m.BorderWidth = SmallIntOf(im.BorderWidth);
        m.ImgType = im.ImgType;
        m.WL = SmallIntOf(im.WL);
        m.WT = SmallIntOf(im.WT);
        m.WR = SmallIntOf(im.WR);
        m.WB = SmallIntOf(im.WB);
        m.DrawMode = SmallIntOf(im.StretchMode);
        if (m.ImageCount == 0) {  // a bare bitmap: three states over a mask row
            m.ImageCount = 3;
            m.MaskType = 1;
        }
        DeriveUnsetBorderWidths(m);
        const SIZE size = own ? SIZE{own->Width(), own->Height()} : MasterSize(sm);
        if (!FitImageToBitmap(m, size.cx, size.cy)) continue;
        if (own) {
            KeepHandle(own.get());
            m.Bmp = own.release();
        }
        sm.ma.push_back(m);
    }
    return true;
}

// One pattern per item of the stored skin's texture collection; an item
// whose picture was loaded once for an earlier item of the same file takes
// that picture. A picture that stays empty is skipped, as in a skin file.
void LoadStoredPatterns(TsSkinManager& sm) {
    const TsStoredSkin* skin = StoredSkinNamed(sm);
    if (!skin) return;
    const TsSkinPatterns& items = *skin->Patterns();
    for (int i = 0; i < items.Count(); ++i) {
        const TsSkinPattern& p = *items.Items(i);
        const fw::TJPEGImage* picture = p.Image();
        for (int j = 0; j < items.Count() && picture->Empty(); ++j)
            if (j != i && items.Items(j)->Name == p.Name && !items.Items(j)->Image()->Empty())
                picture = items.Items(j)->Image();
        if (picture->Empty()) continue;
        auto jpg = std::make_unique<fw::TJPEGImage>();
        jpg->Assign(picture);
        sm.pa.push_back(TsPatternData{jpg.release(), fw::UpperCase(p.SectionName), fw::UpperCase(p.PropertyName)});
    }
}

}  // namespace

void TsSkinManager::LoadAllMasks() {
    FreeBitmaps();
    fw::TMemIniFile* ini = SkinData->SkinFile;
    if (!ini) {
        if (LoadStoredMasks(*this)) MergeCommonImages(*this);
        return;
    }
    const fw::String master = ini->ReadString(L"GLOBALINFO", L"MASTERBITMAP", L"");
    MasterBitmap = new fw::TBitmap;
    if (SkinIsPacked) {
        if (fw::TMemoryStream* s = PackedFile(sc.get(), master)) {
            s->SetPosition(0);
            MasterBitmap->LoadFromStream(s);
            KeepHandle(MasterBitmap);
        }
    } else if (!master.empty()) {
        const fw::String path = IsAbsolute(master) ? master : SkinData->SkinPath + master;
        if (fw::FileExists(path)) MasterBitmap->LoadFromFile(path);
    }
    PrepareMaster(MasterBitmap);
    ForEachValue(*ini, L"", [&](const fw::String& s, const fw::String& k, const fw::String& v) {
        if (v.empty() || IsDescriptiveValue(s, k)) return;
        AddImageValue(*this, s, k, v);
    });
    MergeCommonImages(*this);
}

void TsSkinManager::LoadAllPatterns() {
    FreeJpegs();
    fw::TMemIniFile* ini = SkinData->SkinFile;
    if (!ini) {
        LoadStoredPatterns(*this);
        return;
    }
    ForEachValue(*ini, L"-", [&](const fw::String& s, const fw::String& k, const fw::String& value) {
        const fw::String v = fw::UpperCase(value);
        if (IsDescriptiveValue(s, k) || (!Contains(v, L".JPG") && !Contains(v, L".JPEG"))) return;
        std::unique_ptr<fw::TJPEGImage> jpg = LoadPicture<fw::TJPEGImage>(*this, v);
        if (!jpg || jpg->Width() == 0) return;
        if (jpg->Width() * jpg->Height() >= 90000) {
            pa.push_back(TsPatternData{jpg.release(), fw::UpperCase(s), fw::UpperCase(k)});
            return;
        }
        auto b = std::make_unique<fw::TBitmap>();
        b->SetPixelFormat(fw::pf24bit);
        b->SetSize(jpg->Width(), jpg->Height());
        b->Canvas()->Draw(0, 0, jpg.get());
        TsMaskData m = NewEntry(*this, fw::UpperCase(s), fw::UpperCase(k));
        m.ImgType = itisaTexture;
        m.ImageCount = 1;
        m.Bmp = b.release();
        ma.push_back(m);
    });
    std::unique_ptr<fw::TMemIniFile> common = CommonSectionsIni(*this);
    if (!common) return;
    ForEachValue(*common, L"-", [&](const fw::String& s, const fw::String& k, const fw::String& value) {
        fw::String v = fw::UpperCase(value);
        if (!Contains(v, L".JPG") && !Contains(v, L".JPEG")) return;
        if (!IsAbsolute(v)) v = SkinData->SkinPath + v;
        if (!fw::FileExists(v)) return;
        auto jpg = std::make_unique<fw::TJPEGImage>();
        jpg->LoadFromFile(v);
        if (jpg->Width() > 0) pa.push_back(TsPatternData{jpg.release(), fw::UpperCase(s), fw::UpperCase(k)});
    });
}

void TsSkinManager::FreeBitmaps() {
    for (size_t i = ma.size(); i-- > 0;) delete ma[i].Bmp;
    ma.clear();
    delete MasterBitmap;
    MasterBitmap = nullptr;
}

void TsSkinManager::FreeJpegs() {
    for (size_t i = pa.size(); i-- > 0;) delete pa[i].Img;
    pa.clear();
}

}  // namespace skin
