#include "skin/paint/sCommonData.h"

#include "framework/rtl/SysUtils.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Frames.h"
#include "framework/windows/StdCtrls.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/paint/acGlow.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sVclUtils.h"

namespace skin {

namespace {

bool Has(const fw::TComponent* c, fw::TComponentStateItem s) { return c && c->ComponentState().Contains(s); }

bool HasSections(const TsSkinManager* M) { return M && !M->gd.empty(); }

LPARAM Cmd(WORD c) { return LPARAM(WPARAM(c) << 16); }

}  // namespace

TsCommonData::TsCommonData(fw::TObject* AOwner, bool CreateCacheBmp)
    : FOwnerControl(dynamic_cast<fw::TControl*>(AOwner)), FOwnerObject(AOwner) {
    if (CreateCacheBmp) FCacheBmp = CreateBmp24(0, 0);
}

TsCommonData::~TsCommonData() {
    SkinIndex = Texture = HotTexture = -1;
    FOwnerControl = nullptr;
    FOwnerObject = nullptr;
    FSkinManager = nullptr;
    delete FCacheBmp;
    FCacheBmp = nullptr;
    if (GlowID != -1) HideGlow(GlowID);
    GlowID = -1;
}

TsSkinManager* TsCommonData::GetSkinManager() const { return FSkinManager ? FSkinManager : DefaultManager; }

const TsGeneralData* TsCommonData::Section() const {
    const TsSkinManager* M = GetSkinManager();
    return M && M->IsValidSkinIndex(SkinIndex) ? &M->gd[size_t(SkinIndex)] : nullptr;
}

WORD TsCommonData::RefreshCommand(TsSkinManager* M) const {
    return HasSections(M) && M->IsValidSkinIndex(SkinIndex) ? smcRefresh : smcRemoveSkin;
}

void TsCommonData::Loaded() {
    UpdateData(this);
    fw::TControl* c = FOwnerControl;
    if (!Skinned() || !c || !c->Parent() || Has(c, fw::csLoading)) return;
    if (auto* w = dynamic_cast<fw::TWinControl*>(c)) AddToAdapter(w);
    if (dynamic_cast<fw::TCustomEdit*>(c) || COC == 97) {
        const TsGeneralData& g = *Section();
        if (!FCustomColor && c->Color() != g.Color) c->SetColor(g.Color);
        if (!FCustomFont && c->Font()->Color() != g.FontColor[0]) c->Font()->SetColor(g.FontColor[0]);
    }
}

void TsCommonData::UpdateIndexes() {
    auto* comp = dynamic_cast<fw::TComponent*>(FOwnerObject);
    if (Has(comp, fw::csDesigning) && GetOwnerFrame(comp)) {
        SkinIndex = BorderIndex = Texture = HotTexture = -1;
        return;
    }
    BGChanged = true;
    TsSkinManager* M = GetSkinManager();
    SkinIndex = M ? M->GetSkinIndex(FSkinSection) : -1;
    BGType = 0;
    CtrlSkinState = 0;
    if (SkinIndex >= 0 && M->IsValidSkinIndex(SkinIndex)) {
        const TsGeneralData& g = M->gd[size_t(SkinIndex)];
        if (g.ImagePercent != 0) BGType |= 4;
        if (!g.GradientArray.empty()) {
            static const WORD byMode[3] = {2, 1, 3};
            const int m = g.GradientArray[0].Mode1;
            if (m >= 0 && m <= 2) BGType |= byMode[m];
        }
        // An index the image table does not hold is no border at all.
        BorderIndex = M->IsValidImgIndex(g.BorderIndex) ? g.BorderIndex : -1;
        Texture = M->GetTextureIndex(SkinIndex, FSkinSection, L"PATTERN");
        HotTexture = M->GetTextureIndex(SkinIndex, FSkinSection, L"HOTPATTERN");
        UpdateSkinState(this, false);
    } else {
        // The skin lacks the section: nothing of an earlier skin may be used.
        SkinIndex = BorderIndex = Texture = HotTexture = -1;
    }
}

void TsCommonData::SetSkinSection(const fw::String& Value) {
    if (Value == FSkinSection) return;
    FSkinSection = Value.empty() ? fw::String(L"UNKNOWN") : fw::AnsiUpperCase(Value);
    TsSkinManager* M = GetSkinManager();
    if (!HasSections(M))
        SkinIndex = BorderIndex = Texture = HotTexture = -1;
    else
        UpdateIndexes();
    fw::TControl* c = FOwnerControl;
    if (c && !Has(c, fw::csLoading) && !Has(c, fw::csReading) && !Has(c, fw::csDestroying) && c->Parent()) {
        c->Perform(SM_ALPHACMD, WPARAM(Cmd(RefreshCommand(M))), LPARAM(M));
    } else if (dynamic_cast<TsSkinProviderBase*>(FOwnerObject)) {
        BGChanged = true;  // the provider keeps no title-bar bitmap in this build
    }
}

void TsCommonData::SetSkinManager(TsSkinManager* Value) {
    TsSkinManager* stored = Value == DefaultManager ? nullptr : Value;
    if (stored == FSkinManager) return;
    FSkinManager = stored;
    if (Has(FOwnerControl, fw::csLoading)) return;
    if (Value && HasSections(Value))
        UpdateIndexes();
    else
        SkinIndex = BorderIndex = Texture = HotTexture = -1;
    fw::TControl* c = FOwnerControl;
    // A provider's design-time handler does nothing here.
    if (c && c->Parent() && !Has(c, fw::csDestroying))
        c->Perform(SM_ALPHACMD, WPARAM(Cmd(RefreshCommand(Value))), LPARAM(Value));
}

void TsCommonData::SetCustomFont(bool Value) {
    if (FCustomFont == Value) return;
    FCustomFont = Value;
    Invalidate();
}

void TsCommonData::SetCustomColor(bool Value) {
    if (FCustomColor != Value) FCustomColor = Value;
    auto* edit = dynamic_cast<fw::TCustomEdit*>(FOwnerControl);
    if (!edit || !Skinned() || Has(edit, fw::csLoading)) return;
    const TsGeneralData& g = *Section();
    if (!FCustomColor && edit->Color() != g.Color) edit->SetColor(g.Color);
    if (!FCustomFont && edit->Font()->Color() != g.FontColor[0]) edit->Font()->SetColor(g.FontColor[0]);
    Invalidate();
}

namespace {

void SendToOwner(TsCommonData* S, WORD c) {
    if (S->FOwnerControl) {
        S->FOwnerControl->Perform(SM_ALPHACMD, WPARAM(Cmd(c)), 0);
    } else if (auto* sp = dynamic_cast<TsSkinProviderBase*>(S->FOwnerObject)) {
        if (sp->Form && sp->Form->HandleAllocated()) SendAMessage(sp->Form->WindowHandle(), c, 0);
    }
}

}  // namespace

void TsCommonData::BeginUpdate() {
    FUpdating = true;
    CtrlSkinState |= 0x0800;
    SendToOwner(this, smcBeginUpdate);
}

void TsCommonData::EndUpdate(bool Repaint) {
    FUpdating = false;
    CtrlSkinState &= WORD(~0x0800);
    SendToOwner(this, smcEndUpdate);
    if (Repaint) Invalidate();
}

void TsCommonData::Invalidate() {
    if (FOwnerControl) {
        if (Has(FOwnerControl, fw::csDestroying) || Has(FOwnerControl, fw::csLoading)) return;
        BGChanged = true;
        if (ControlIsReady(FOwnerControl)) FOwnerControl->Invalidate();
    } else if (auto* sp = dynamic_cast<TsSkinProviderBase*>(FOwnerObject)) {
        BGChanged = true;
        if (sp->Form && sp->Form->HandleAllocated())
            RedrawWindow(sp->Form->WindowHandle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
}

bool TsCommonData::Skinned(bool CheckSkinActive) const {
    TsSkinManager* M = GetSkinManager();
    if (!M || Has(M, fw::csDestroying) || !M->IsValidSkinIndex(SkinIndex)) return false;
    if (Has(dynamic_cast<fw::TComponent*>(FOwnerObject), fw::csDestroying)) return false;
    return !CheckSkinActive || (M->SkinData && M->SkinData->Active);
}

bool TsCommonData::RepaintIfMoved() {
    fw::TControl* c = FOwnerControl;
    if (UrgentPainting || !Skinned() || !c || c->ControlState().Contains(fw::csCreating) || !c->Visible()) return true;
    if (c->ClassName() == L"TsTabSheet") return true;
    const TsGeneralData* g = Section();
    if (!g) return false;
    const bool flag = !c->Enabled() || g->Transparency > 0;
    if (flag && c->Parent() && c->Parent()->HandleAllocated())
        return GetBoolMsg(c->Parent()->WindowHandle(), smcGetRepaintIfMoved);
    return flag;
}

bool TsCommonData::ParentTextured() {
    if (FOwnerControl && FOwnerControl->Parent() && FOwnerControl->Parent()->HandleAllocated())
        return GetBoolMsg(FOwnerControl->Parent()->WindowHandle(), smcGetRepaintIfMoved);
    return false;
}

void TsCommonData::InitCacheBmp() {
    if (!FCacheBmp) FCacheBmp = CreateBmp24(0, 0);
    if (FCacheBmp->PixelFormat() != fw::pf24bit) FCacheBmp->SetPixelFormat(fw::pf24bit);
    if (FCacheBmp->HandleType() != fw::bmDIB) FCacheBmp->SetHandleType(fw::bmDIB);
    if (FOwnerControl) FCacheBmp->SetSize(FOwnerControl->Width(), FOwnerControl->Height());
}

bool TsCommonData::GetUpdating() {
    TsSkinManager* M = GetSkinManager();
    if (!M || Has(M, fw::csDesigning)) return false;
    if (!IsCached(this)) return FUpdating;
    if (!FOwnerControl || Has(FOwnerControl, fw::csDestroying)) return FUpdating;
    if (FUpdating) return true;
    if (!FOwnerControl->Parent()) return true;
    return (SendAMessage(FOwnerControl->Parent(), smcGetUpdating, 0) & 0xFF) != 0;
}

fw::String DefaultSectionOf(int COC) {
    struct Entry {
        int from, to;
        const wchar_t* section;
    };
    static const Entry table[] = {
        {2, 8, L"EDIT"},          {10, 10, L"EDIT"},       {41, 41, L"EDIT"},          {76, 76, L"EDIT"},
        {78, 78, L"EDIT"},        {83, 84, L"EDIT"},       {96, 97, L"EDIT"},          {131, 131, L"EDIT"},
        {140, 140, L"EDIT"},      {227, 227, L"EDIT"},     {11, 18, L"COMBOBOX"},      {81, 82, L"COMBOBOX"},
        {19, 19, L"BAR"},         {20, 20, L"BARTITLE"},   {32, 32, L"CHECKBOX"},      {152, 152, L"CHECKBOX"},
        {33, 33, L"RADIOBUTTON"}, {51, 51, L"PANEL"},      {59, 59, L"PANEL"},         {68, 68, L"PANEL"},
        {73, 73, L"PANEL"},       {52, 52, L"PANEL_LOW"},  {58, 58, L"PANEL_LOW"},     {53, 54, L"TOOLBAR"},
        {60, 60, L"TOOLBAR"},     {56, 56, L"DRAGBAR"},    {57, 57, L"TABSHEET"},      {74, 74, L"GROUPBOX"},
        {226, 226, L"GROUPBOX"},  {75, 75, L"SPLITTER"},   {92, 92, L"SPEEDBUTTON"},   {95, 95, L"SPEEDBUTTON"},
        {93, 94, L"BUTTON"},      {98, 98, L"TOOLBUTTON"}, {141, 141, L"PAGECONTROL"}, {143, 143, L"PAGECONTROL"},
        {151, 151, L"STATUSBAR"}, {161, 161, L"GAUGE"},    {165, 165, L"TRACKBAR"},
    };
    for (const Entry& e : table)
        if (COC >= e.from && COC <= e.to) return e.section;
    return fw::String();
}

void UpdateData(TsCommonData* S) {
    if (!S->FSkinSection.empty()) {
        S->UpdateIndexes();
        return;
    }
    fw::String section = DefaultSectionOf(S->COC);
    if (section.empty() && S->FOwnerObject) section = S->FOwnerObject->ClassName();
    S->SetSkinSection(section);
}

bool IsCached(TsCommonData* S) {
    if (InAnimationProcess || ac_v5PaintMode) return true;
    return !((S->CtrlSkinState & 0x0001) && !ControlIsActive(S));
}

bool IsCacheRequired(TsCommonData* S) {
    if (ac_v5PaintMode) {
        if (!S->FCacheBmp) S->FCacheBmp = CreateBmp24(0, 0);
        return true;
    }
    const TsGeneralData* g = S->Section();
    if (!g) return false;
    if (const TsMaskData* b = BorderImageOf(S))
        if (b->WL + b->WR > 30 || b->WT + b->WB > 30) return true;
    if (g->Transparency == 100) {
        fw::TControl* c = S->FOwnerControl;
        if (!c || !c->Parent()) return true;
        return (SendAMessage(c->Parent(), smcSkinState, 0) & 0x0001) == 0;
    }
    if (g->Transparency > 0) return true;
    return g->ImagePercent != 0 || g->GradientPercent != 0;
}

void UpdateSkinState(TsCommonData* S, bool UpdateChildren) {
    S->CtrlSkinState &= WORD(~0x0001);
    if (fw::TControl* c = S->FOwnerControl) {
        if (dynamic_cast<fw::TFrame*>(c) || dynamic_cast<fw::TPanel*>(c) ||
            dynamic_cast<fw::TScrollingWinControl*>(c) || dynamic_cast<fw::TPageControl*>(c)) {
            if (!IsCacheRequired(S)) S->CtrlSkinState |= 0x0001;
        }
        auto* w = dynamic_cast<fw::TWinControl*>(c);
        if (UpdateChildren && w)
            for (int i = 0; i < w->ControlCount(); ++i) SendAMessage(w->Controls(i), smcSkinState, 1);
    } else if (auto* sp = dynamic_cast<TsSkinProviderBase*>(S->FOwnerObject)) {
        if (!IsCacheRequired(S) && !(sp->Form && sp->Form->FormStyle() == fw::fsMDIForm)) S->CtrlSkinState |= 0x0001;
    }
}

bool ControlIsActive(TsCommonData* S) {
    fw::TControl* c = S->FOwnerControl;
    if (!c || Has(c, fw::csDestroying) || !c->Enabled() || Has(c, fw::csDesigning)) return false;
    if (S->FFocused) return true;
    if (auto* w = dynamic_cast<fw::TWinControl*>(c))
        if (w->HandleAllocated() && GetFocus() == w->WindowHandle()) return true;
    return S->FMouseAbove && !sForbidMouse.Contains(S->COC);
}

bool BgIsTransparent(TsCommonData* S) {
    const TsGeneralData* g = S->Section();
    return g && g->Transparency > 0;
}

void AlignShadow(TsCommonData*) {}

void InitCacheBmp(TsCommonData* S) {
    if (!S->FCacheBmp) {
        S->FCacheBmp = new fw::TBitmap();
        S->FCacheBmp->SetPixelFormat(fw::pf24bit);
    }
    if (S->FOwnerControl)
        S->FCacheBmp->SetSize(std::max(S->FOwnerControl->Width(), 0), std::max(S->FOwnerControl->Height(), 0));
}

const TsMaskData* BorderImageOf(TsCommonData* S) {
    TsSkinManager* M = S->GetSkinManager();
    if (!M || S->SkinIndex < 0 || !M->IsValidImgIndex(S->BorderIndex)) return nullptr;
    return &M->ma[size_t(S->BorderIndex)];
}

int SkinBorderMaxWidth(TsCommonData* S) {
    const TsMaskData* b = BorderImageOf(S);
    if (!b || (b->DrawMode & 2)) return 0;
    return std::max(std::max<int>(b->WL, b->WT), std::max<int>(b->WR, b->WB));
}

int GetFontIndex(fw::TControl* Ctrl, int DefaultIndex, TsSkinManager* M) {
    if (!Ctrl || !Ctrl->Parent() || !M) return DefaultIndex;
    int index = -1;
    SendAMessage(Ctrl->Parent(), smcGetSkinIndex, LPARAM(&index));
    if (index < 0 || !M->IsValidSkinIndex(index)) return DefaultIndex;
    const TsGeneralData& g = M->gd[size_t(index)];
    if (g.Transparency > 50 && Ctrl->Parent()->Parent()) return GetFontIndex(Ctrl->Parent(), DefaultIndex, M);
    return g.GiveOwnFont ? index : DefaultIndex;
}

}  // namespace skin
