// The searches over a loaded skin's tables: a section by name in gd, an image
// of a section in ma, a texture in ma, a large pattern in pa. Every result is
// an index into the named table, or -1 when nothing is found. They are plain
// linear scans without allocation; the manager's methods of the same names
// call these.
//
// The inheriting forms (with a SkinIndex) fall back to the section's
// ParentClass when the section itself has no such item. A chain of parents
// is followed at most Length(gd) links, so a cycle (A -> B -> A) or a section
// naming itself counts as "not found"; a SkinIndex outside gd answers -1.
#pragma once

#include "framework/rtl/Strings.h"
#include "skin/engine/sMaskData.h"

namespace skin {

class TsSkinManager;

// Index in gd of the first section whose ClassName equals SkinSection
// (locale-aware, case-sensitive); -1 when none.
int GetSkinIndex(const TsGeneralDataArray& gd, const fw::String& SkinSection);
// The same through a manager; -1 on a nil manager.
int GetSkinIndex(const TsSkinManager* sm, const fw::String& SkinSection);

// Index in ma of the first image of section SkinSection named mask, with the
// parent fallback. -1 when SkinIndex is negative or SkinSection is empty.
int GetMaskIndex(const TsGeneralDataArray& gd, const TsMaskArray& ma, int SkinIndex, const fw::String& SkinSection,
                 const fw::String& mask);
// The same search without the fallback; -1 when SkinSection is empty.
int GetMaskIndex(const TsMaskArray& ma, const fw::String& SkinSection, const fw::String& mask);
// Index in ma of the first texture (ImgType itisaTexture) of that section and
// name, with the parent fallback.
int GetTextureIndex(const TsGeneralDataArray& gd, const TsMaskArray& ma, int SkinIndex, const fw::String& SkinSection,
                    const fw::String& PropName);
// Index in pa of the first pattern of that section and name, with the
// parent fallback.
int GetPatternIndex(const TsGeneralDataArray& gd, const TsPatternArray& pa, int SkinIndex,
                    const fw::String& SkinSection, const fw::String& pattern);

// Follows the ParentClass chain from gd[SkinIndex] (named SkinSection) and
// calls found(index, name) for the section and each ancestor until it
// returns true; false when the chain ends, leaves gd or runs in a cycle.
// The reads of inherited options use the same walk.
template <typename F>
bool WalkParents(const TsGeneralDataArray& gd, int SkinIndex, const fw::String& SkinSection, F&& found) {
    const fw::String* name = &SkinSection;
    for (size_t links = 0; links <= gd.size(); ++links) {
        if (SkinIndex < 0 || size_t(SkinIndex) >= gd.size()) return false;
        if (found(SkinIndex, *name)) return true;
        const fw::String& parent = gd[size_t(SkinIndex)].ParentClass;
        if (parent.empty() || parent == *name) return false;
        SkinIndex = GetSkinIndex(gd, parent);
        name = &parent;
    }
    return false;
}

}  // namespace skin
