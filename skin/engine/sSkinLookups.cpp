#include "skin/engine/sSkinLookups.h"

#include <windows.h>

#include "skin/engine/sSkinManager.h"

namespace skin {

int GetSkinIndex(const TsGeneralDataArray& gd, const fw::String& SkinSection) {
    for (size_t i = 0; i < gd.size(); ++i)
        if (lstrcmpW(gd[i].ClassName.c_str(), SkinSection.c_str()) == 0) return int(i);
    return -1;
}

int GetSkinIndex(const TsSkinManager* sm, const fw::String& SkinSection) {
    return sm ? GetSkinIndex(sm->gd, SkinSection) : -1;
}

namespace {

int FindImage(const TsMaskArray& ma, const fw::String& SkinSection, const fw::String& name, bool texturesOnly) {
    for (size_t i = 0; i < ma.size(); ++i) {
        const TsMaskData& m = ma[i];
        if (texturesOnly && m.ImgType != itisaTexture) continue;
        if (m.ClassName == SkinSection && m.PropertyName == name) return int(i);
    }
    return -1;
}

int FindPattern(const TsPatternArray& pa, const fw::String& SkinSection, const fw::String& name) {
    for (size_t i = 0; i < pa.size(); ++i)
        if (pa[i].PropertyName == name && pa[i].ClassName == SkinSection) return int(i);
    return -1;
}

// The first hit of find(section name) along the section's parent chain.
template <typename Find>
int Inherited(const TsGeneralDataArray& gd, int SkinIndex, const fw::String& SkinSection, Find&& find) {
    int result = -1;
    WalkParents(gd, SkinIndex, SkinSection, [&](int, const fw::String& name) {
        result = find(name);
        return result >= 0;
    });
    return result;
}

}  // namespace

int GetMaskIndex(const TsGeneralDataArray& gd, const TsMaskArray& ma, int SkinIndex, const fw::String& SkinSection,
                 const fw::String& mask) {
    if (SkinIndex < 0 || SkinSection.empty()) return -1;
    return Inherited(gd, SkinIndex, SkinSection,
                     [&](const fw::String& name) { return FindImage(ma, name, mask, false); });
}

int GetMaskIndex(const TsMaskArray& ma, const fw::String& SkinSection, const fw::String& mask) {
    if (SkinSection.empty()) return -1;
    return FindImage(ma, SkinSection, mask, false);
}

int GetTextureIndex(const TsGeneralDataArray& gd, const TsMaskArray& ma, int SkinIndex, const fw::String& SkinSection,
                    const fw::String& PropName) {
    if (SkinIndex < 0 || SkinSection.empty() || ma.empty()) return -1;
    return Inherited(gd, SkinIndex, SkinSection,
                     [&](const fw::String& name) { return FindImage(ma, name, PropName, true); });
}

int GetPatternIndex(const TsGeneralDataArray& gd, const TsPatternArray& pa, int SkinIndex,
                    const fw::String& SkinSection, const fw::String& pattern) {
    if (SkinIndex < 0 || pa.empty()) return -1;
    return Inherited(gd, SkinIndex, SkinSection,
                     [&](const fw::String& name) { return FindPattern(pa, name, pattern); });
}

// ---- the manager's methods

int TsSkinManager::GetSkinIndex(const fw::String& SkinSection) const { return skin::GetSkinIndex(gd, SkinSection); }

int TsSkinManager::GetMaskIndex(int SkinIndex, const fw::String& SkinSection, const fw::String& mask) const {
    return skin::GetMaskIndex(gd, ma, SkinIndex, SkinSection, mask);
}

int TsSkinManager::GetMaskIndex(const fw::String& SkinSection, const fw::String& mask) const {
    return skin::GetMaskIndex(ma, SkinSection, mask);
}

int TsSkinManager::GetTextureIndex(int SkinIndex, const fw::String& SkinSection, const fw::String& PropName) const {
    return skin::GetTextureIndex(gd, ma, SkinIndex, SkinSection, PropName);
}

int TsSkinManager::GetPatternIndex(int SkinIndex, const fw::String& SkinSection, const fw::String& pattern) const {
    return skin::GetPatternIndex(gd, pa, SkinIndex, SkinSection, pattern);
}

bool TsSkinManager::IsValidSkinIndex(int SkinIndex) const {
    return SkinData && SkinIndex >= 0 && size_t(SkinIndex) < gd.size();
}

bool TsSkinManager::IsValidImgIndex(int ImageIndex) const { return ImageIndex >= 0 && size_t(ImageIndex) < ma.size(); }

void TsSkinManager::GetSkinSections(fw::TStrings* sl) const {
    sl->Clear();
    if (!SkinData || !SkinData->Active) return;
    for (const TsGeneralData& g : gd) sl->Add(g.ClassName);
}

}  // namespace skin
