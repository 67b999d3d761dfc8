// A windowed control painted from a skin section through its cache bitmap,
// the way the library's skinned controls do: its messages go through the
// common handling first (the library's queries, focus, mouse and glow), it
// paints its cache over its parent's background when the cache is stale
// (BGChanged) before showing or lending it, and prints its cache.
// PaintScene: the TPaint test skin in a manager of its own and a hidden form
// to put such controls on.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "framework/windows/Controls.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sBGAnswer.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sCommonMessage.h"
#include "skin/paint/sSectionPaint.h"
#include "skins/TestSkins.h"

namespace painttest {

class TSkinnedPanel : public fw::TCustomControl {
public:
    TSkinnedPanel(fw::TWinControl* Parent, skin::TsSkinManager* Manager, const wchar_t* Section, fw::TRect Bounds)
        : fw::TCustomControl(Parent) {
        SkinData = std::make_unique<skin::TsCommonData>(this, true);
        SkinData->SetSkinManager(Manager);
        SkinData->SetSkinSection(Section);
        SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        SetParent(Parent);
    }
    fw::String ClassName() const override { return L"TSkinnedPanel"; }

    std::unique_ptr<skin::TsCommonData> SkinData;
    int State = 0;
    int CachePaints = 0;  // how often the cache was painted

    // The cache painted anew when stale.
    void PrepareCache() {
        if (!SkinData->BGChanged) return;
        SkinData->InitCacheBmp();
        const skin::TCacheInfo ci = skin::GetParentCache(SkinData.get());
        skin::PaintItem(SkinData.get(), ci, true, State, fw::TRect(0, 0, Width(), Height()), fw::TPoint(Left(), Top()),
                        SkinData->FCacheBmp, true);
        SkinData->BGChanged = false;
        ++CachePaints;
    }

    // The common handling answers the library's message, with the cache
    // painted first for a background query; a hot control answers that
    // query with its hot values itself.
    void WndProc(fw::TMessage& m) override {
        if (m.Msg == skin::SM_ALPHACMD && HIWORD(m.WParam) == skin::smcGetBGInfo) {
            PrepareCache();
            if (State != 0) {
                skin::InitBGInfo(SkinData.get(), reinterpret_cast<skin::PacBGInfo>(m.LParam), State, nullptr);
                return;
            }
        }
        if (m.Msg == WM_PRINT) {
            // Into an animation's image: the cache, as the control paints it.
            PrepareCache();
            BitBlt(HDC(m.WParam), 0, 0, Width(), Height(), SkinData->FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
            return;
        }
        if (skin::CommonWndProc(m, SkinData.get())) return;
        fw::TCustomControl::WndProc(m);
    }

protected:
    void Paint() override {
        PrepareCache();
        BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), SkinData->FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
};

struct PaintScene {
    std::unique_ptr<skin::TsSkinManager> sm = LoadSkin();
    fw::TForm form{nullptr};  // freed first: its controls use the manager

    explicit PaintScene(int Width = 240, int Height = 180) { form.SetBounds(0, 0, Width, Height); }
    TSkinnedPanel* Add(fw::TWinControl* Parent, const wchar_t* Section, fw::TRect Bounds) {
        return new TSkinnedPanel(Parent, sm.get(), Section, Bounds);
    }
    skin::TsGeneralData& Section(const wchar_t* Name) { return sm->gd[size_t(sm->GetSkinIndex(Name))]; }
    // The border image of a section of the skin.
    static const skin::TsMaskData& BorderOf(const skin::TsSkinManager& M, const wchar_t* Name) {
        return M.ma[size_t(M.gd[size_t(M.GetSkinIndex(Name))].BorderIndex)];
    }

    static std::unique_ptr<skin::TsSkinManager> LoadSkin() {
        auto m = std::make_unique<skin::TsSkinManager>(nullptr);
        m->SetSkinDirectory(kvbskins::SkinsPath(L"test"));
        m->SetSkinName(L"TPaint");
        EXPECT_GE(m->GetSkinIndex(L"GRADPANEL"), 0);
        return m;
    }
};

}  // namespace painttest
