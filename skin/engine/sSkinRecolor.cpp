#include "skin/engine/sSkinRecolor.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Jpeg.h"
#include "framework/rtl/SysUtils.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sColorMath.h"
#include "skin/engine/sSkinLookups.h"
#include "skin/engine/sSkinManager.h"

namespace skin {

namespace {

enum class Keep { KeyOnly, KeyAndGrey };

// Changes the pixels of a 24- or 32-bit bitmap in place, row by row.
template <typename F>
void RecolorPixels(fw::TBitmap* b, Keep keep, F&& change) {
    const int bytes = b->PixelFormat() == fw::pf32bit ? 4 : 3;
    for (int y = 0; y < b->Height(); ++y) {
        auto* p = static_cast<uint8_t*>(b->ScanLine(y));
        for (int x = 0; x < b->Width(); ++x, p += bytes) {
            const uint8_t bl = p[0], g = p[1], r = p[2];
            if (r == 255 && g == 0 && bl == 255) continue;
            if (keep == Keep::KeyAndGrey && r == g && g == bl) continue;
            const TColor c = change(TColor(r | (g << 8) | (bl << 16)));
            p[0] = uint8_t(c >> 16);
            p[1] = uint8_t(c >> 8);
            p[2] = uint8_t(c);
        }
    }
}

struct Routine {
    Keep master, own32, ownOther;
    bool own32To24;     // brightness drops the alpha
    bool globalColors;  // Shadow1Color and BorderColor
};

template <typename F>
void RecolorTables(TsSkinManager* sm, const Routine& how, F&& change) {
    for (TsGeneralData& g : sm->gd) {
        g.Color = change(g.Color);
        g.HotColor = change(g.HotColor);
        g.GlowColor = change(g.GlowColor);
        g.HotGlowColor = change(g.HotGlowColor);
        for (size_t i = 0; i < 5; ++i) {
            if (g.FontColor[i] != TColor(-1)) g.FontColor[i] = change(g.FontColor[i]);
            if (g.HotFontColor[i] != TColor(-1)) g.HotFontColor[i] = change(g.HotFontColor[i]);
        }
        const size_t stops = std::min(g.GradientArray.size(), size_t(WordCount(g.GradientData, TSysCharSet(L";")) / 5));
        for (size_t i = 0; i < stops; ++i) {
            g.GradientArray[i].Color1 = change(g.GradientArray[i].Color1);
            g.GradientArray[i].Color2 = change(g.GradientArray[i].Color2);
        }
        for (TsGradPie& p : g.HotGradientArray) {
            p.Color1 = change(p.Color1);
            p.Color2 = change(p.Color2);
        }
    }
    if (how.globalColors) {
        sm->SkinData->Shadow1Color = change(sm->SkinData->Shadow1Color);
        sm->SkinData->BorderColor = change(sm->SkinData->BorderColor);
    }
}

template <typename F>
void RecolorOwnImages(TsSkinManager* sm, const Routine& how, const std::vector<int>& excluded, F&& change) {
    for (size_t i = 0; i < sm->ma.size(); ++i) {
        fw::TBitmap* b = sm->ma[i].Bmp;
        if (!b || std::find(excluded.begin(), excluded.end(), int(i)) != excluded.end()) continue;
        Keep keep = how.ownOther;
        if (b->PixelFormat() == fw::pf32bit && !how.own32To24)
            keep = how.own32;
        else
            b->SetPixelFormat(fw::pf24bit);
        RecolorPixels(b, keep, change);
    }
}

template <typename F>
void RecolorMaster(TsSkinManager* sm, const Routine& how, F&& change) {
    if (sm->MasterBitmap && !sm->MasterBitmap->Empty()) RecolorPixels(sm->MasterBitmap, how.master, change);
}

// A title icon kept out of a hue change: a copy of its part of the master
// bitmap (put back afterwards), or its index in the excluded list.
struct SavedIcon {
    int index;
    std::unique_ptr<fw::TBitmap> copy;
};

}  // namespace

void ChangeSkinHue(TsSkinManager* sm, int Value) {
    if (Value == 0) return;
    const Routine how{Keep::KeyAndGrey, Keep::KeyAndGrey, Keep::KeyOnly, false, true};
    auto change = [Value](TColor c) { return ChangeHue(Value, c); };
    std::vector<int> excluded;
    std::vector<SavedIcon> saved;
    const int keepHue = sm->SkinData->BIKeepHUE;
    if (keepHue != 0) {
        std::vector<const wchar_t*> icons{L"BICONCLOSE", L"SICONCLOSE"};
        if (keepHue == 1)
            icons.insert(icons.end(), {L"BICONMAX", L"BICONMIN", L"BICONNORM", L"BICONHELP", L"SICONMAX", L"SICONMIN",
                                       L"SICONNORM"});
        for (const wchar_t* name : icons) {
            const int i = sm->GetMaskIndex(L"GLOBALINFO", name);
            if (i >= 0 && !sm->ma[size_t(i)].Bmp && sm->MasterBitmap) {
                const fw::TRect& r = sm->ma[size_t(i)].R;
                auto copy = std::make_unique<fw::TBitmap>();
                copy->SetPixelFormat(fw::pf24bit);
                copy->SetSize(r.Width(), r.Height());
                BitBlt(copy->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), sm->MasterBitmap->Canvas()->Handle(),
                       r.Left, r.Top, SRCCOPY);
                saved.push_back(SavedIcon{i, std::move(copy)});
            } else {
                excluded.push_back(i);
            }
            const int glow = sm->GetMaskIndex(L"GLOBALINFO", fw::String(name) + L"GLOW0");
            if (glow >= 0 && sm->ma[size_t(glow)].Bmp) excluded.push_back(glow);
        }
    }
    RecolorMaster(sm, how, change);
    for (SavedIcon& s : saved) {
        if (!sm->IsValidImgIndex(s.index)) continue;
        const fw::TRect& r = sm->ma[size_t(s.index)].R;
        BitBlt(sm->MasterBitmap->Canvas()->Handle(), r.Left, r.Top, r.Width(), r.Height(), s.copy->Canvas()->Handle(),
               0, 0, SRCCOPY);
    }
    RecolorOwnImages(sm, how, excluded, change);
    RecolorTables(sm, how, change);
}

void ChangeSkinSaturation(TsSkinManager* sm, int Value) {
    if (Value == 0) return;
    const int delta = (-Value) % 101;  // C++ keeps the sign of the dividend
    const Routine how{Keep::KeyAndGrey, Keep::KeyAndGrey, Keep::KeyAndGrey, false, true};
    auto change = [delta](TColor c) { return ChangeSaturation(c, delta); };
    RecolorMaster(sm, how, change);
    RecolorOwnImages(sm, how, {}, change);
    RecolorTables(sm, how, change);
}

void ChangeSkinBrightness(TsSkinManager* sm, int Value) {
    if (Value == 0) return;
    const Routine how{Keep::KeyOnly, Keep::KeyOnly, Keep::KeyOnly, true, false};
    auto change = [Value](TColor c) { return ChangeBrightness(c, Value); };
    RecolorMaster(sm, how, change);
    RecolorOwnImages(sm, how, {}, change);
    RecolorTables(sm, how, change);
}

bool ChangeImageInSkin(const fw::String& SkinSection, const fw::String& PropName, const fw::String& FileName,
                       TsSkinManager* sm) {
    if (!sm->SkinData->Active || SkinSection.empty() || PropName.empty() || !fw::FileExists(FileName)) return false;
    const fw::String P = fw::UpperCase(PropName), S = fw::UpperCase(SkinSection);
    auto findImage = [&](bool upper) {
        for (size_t i = 0; i < sm->ma.size(); ++i) {
            const TsMaskData& m = sm->ma[i];
            if ((upper ? fw::UpperCase(m.PropertyName) : m.PropertyName) == P &&
                (upper ? fw::UpperCase(m.ClassName) : m.ClassName) == S)
                return int(i);
        }
        return -1;
    };
    auto findPattern = [&] {
        for (size_t i = 0; i < sm->pa.size(); ++i)
            if (sm->pa[i].PropertyName == P && sm->pa[i].ClassName == S) return int(i);
        return -1;
    };
    auto loadInto = [&](TsMaskData& m) {
        if (!m.Bmp) m.Bmp = new fw::TBitmap;
        m.Bmp->LoadFromFile(FileName);
    };
    const bool pattern = P == L"PATTERN" || P == L"HOTPATTERN";
    if (!pattern) {
        if (FileName.find(L".BMP") == fw::String::npos) return false;
        const int i = findImage(false);
        if (i < 0) return false;
        loadInto(sm->ma[size_t(i)]);
        return true;
    }
    if (fw::UpperCase(FileName).find(L".BMP") != fw::String::npos) {
        const int i = findImage(true);
        if (i >= 0) {
            loadInto(sm->ma[size_t(i)]);
            return true;
        }
        auto b = std::make_unique<fw::TBitmap>();
        b->LoadFromFile(FileName);
        if (b->Width() >= 1) {
            TsMaskData m;
            m.PropertyName = P;
            m.ClassName = S;
            m.Manager = sm;
            m.R = fw::TRect(0, 0, b->Width(), b->Height());
            m.ImageCount = 1;
            m.ImgType = itisaTexture;
            m.Bmp = b.release();
            sm->ma.push_back(m);
        }
        const int p = findPattern();
        if (p >= 0) {
            delete sm->pa[size_t(p)].Img;
            sm->pa[size_t(p)] = sm->pa.back();
            sm->pa.pop_back();
        }
        sm->InitConstantIndexes();
        return true;
    }
    const int p = findPattern();
    if (p >= 0) {
        if (!sm->pa[size_t(p)].Img) sm->pa[size_t(p)].Img = new fw::TJPEGImage;
        sm->pa[size_t(p)].Img->LoadFromFile(FileName);
        return true;
    }
    auto jpg = std::make_unique<fw::TJPEGImage>();
    jpg->LoadFromFile(FileName);
    if (jpg->Width() >= 1) sm->pa.push_back(TsPatternData{jpg.release(), S, P});
    const int i = findImage(false);
    if (i >= 0) {
        delete sm->ma[size_t(i)].Bmp;
        sm->ma[size_t(i)] = sm->ma.back();
        sm->ma.pop_back();
    }
    // Indexes into ma that pointed at the moved entry, or past the end, are rebuilt.
    sm->InitConstantIndexes();
    // An appended JPEG texture changed the skin like every other branch: True,
    // or the caller, who repaints, would take it that nothing changed.
    return true;
}

}  // namespace skin
