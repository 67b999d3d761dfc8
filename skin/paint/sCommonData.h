// The skin data every skinned control, window wrapper and skin provider owns:
// its section and the indexes resolved from it, its cache bitmap and the
// painting flags, with the free routines that work on it (default section by
// control class code, cache rules, the hot test).
//
// Indexes are only meaningful for the manager's current skin: UpdateIndexes
// runs on every skin change and sets every one of them to -1 when the new
// skin lacks the section, so no index of an earlier skin is ever used.
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Component.h"
#include "framework/windows/Controls.h"

namespace skin {

class TsSkinManager;
struct TsGeneralData;
struct TsMaskData;

class TsCommonData : public fw::TPersistent {
public:
    TsCommonData(fw::TObject* AOwner, bool CreateCacheBmp);
    ~TsCommonData() override;
    fw::String ClassName() const override { return L"TsCommonData"; }

    void Loaded();
    void UpdateIndexes();
    void BeginUpdate();
    void EndUpdate(bool Repaint = false);
    void Invalidate();
    bool Skinned(bool CheckSkinActive = false) const;
    bool RepaintIfMoved();
    bool ParentTextured();
    bool ManagerStored() const { return FSkinManager != nullptr; }
    void InitCacheBmp();

    const fw::String& SkinSection() const { return FSkinSection; }
    void SetSkinSection(const fw::String& Value);
    TsSkinManager* GetSkinManager() const;
    void SetSkinManager(TsSkinManager* Value);
    bool CustomFont() const { return FCustomFont; }
    void SetCustomFont(bool Value);
    bool CustomColor() const { return FCustomColor; }
    void SetCustomColor(bool Value);
    bool GetUpdating();
    void SetUpdating(bool Value) { FUpdating = Value; }

    // The section record, nil when SkinIndex is not valid for the manager.
    const TsGeneralData* Section() const;

    fw::String FSkinSection;
    bool FCustomFont = false;
    bool FCustomColor = false;
    int GlowID = -1;
    bool FUpdating = false;
    TsSkinManager* FSkinManager = nullptr;
    int BorderIndex = -1;
    int SkinIndex = -1;
    int Texture = -1;
    int HotTexture = -1;
    void* GraphControl = nullptr;
    bool UrgentPainting = false;
    bool BGChanged = true;
    bool HalfVisible = true;
    fw::TControl* FOwnerControl = nullptr;
    fw::TObject* FOwnerObject = nullptr;
    fw::TBitmap* FCacheBmp = nullptr;
    HRGN FRegion = nullptr;
    int COC = 0;
    bool FFocused = false;
    bool FMouseAbove = false;
    WORD CtrlSkinState = 0;
    WORD BGType = 0;

private:
    // smcRefresh when Manager has sections and SkinIndex is valid for it, else smcRemoveSkin.
    WORD RefreshCommand(TsSkinManager* Manager) const;
};

// Default section of a control class code; empty for a code without one.
fw::String DefaultSectionOf(int COC);

bool IsCached(TsCommonData* SkinData);
bool IsCacheRequired(TsCommonData* SkinData);
void UpdateData(TsCommonData* SkinData);
void UpdateSkinState(TsCommonData* SkinData, bool UpdateChildren = true);
bool ControlIsActive(TsCommonData* SkinData);
bool BgIsTransparent(TsCommonData* SkinData);
void AlignShadow(TsCommonData* SkinData);
void InitCacheBmp(TsCommonData* SkinData);
int SkinBorderMaxWidth(TsCommonData* SkinData);
// The section whose font colours Ctrl drawn over its parent uses.
int GetFontIndex(fw::TControl* Ctrl, int DefaultIndex, TsSkinManager* SkinManager);

// The border image of SkinData's section, nil when there is none (a checked
// index: an image index is only used when the manager has that image).
const TsMaskData* BorderImageOf(TsCommonData* SkinData);

}  // namespace skin
