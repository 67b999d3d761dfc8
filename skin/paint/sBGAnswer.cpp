#include "skin/paint/sBGAnswer.h"

#include <algorithm>

#include "framework/graphics/Color.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sColorMath.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sBGQuery.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sSectionBG.h"
#include "skin/paint/sVclUtils.h"

namespace skin {

namespace {

bool HasCache(const TsCommonData* S) { return S->FCacheBmp && S->FCacheBmp->Width() > 0 && S->FCacheBmp->Height() > 0; }

TColor DefaultGlobalColor() {
    return DefaultManager ? DefaultManager->GetGlobalColor() : fw::ColorToRGB(fw::clBtnFace);
}

// The answer from the cache bitmap.
void FromCache(TsCommonData* S, PacBGInfo BG) {
    BG->BgType = btCache;
    if (BG->PleaseDraw) {
        BitBlt(BG->DrawDC, BG->R.Left, BG->R.Top, BG->R.Width(), BG->R.Height(), S->FCacheBmp->Canvas()->Handle(),
               BG->Offset.X, BG->Offset.Y, SRCCOPY);
    } else {
        BG->Bmp = S->FCacheBmp;
        BG->Offset = fw::TPoint(0, 0);
    }
}

// Asks the parent with the rectangle moved into its coordinates: before the
// question when the asker wants it drawn (the parent draws at that place),
// after a cache answer otherwise.
template <class Ask>
void AskParent(PacBGInfo BG, fw::TPoint Pos, Ask ask) {
    if (BG->PleaseDraw) {
        const fw::TPoint own = BG->Offset;
        BG->Offset = fw::TPoint(own.X + Pos.X, own.Y + Pos.Y);
        ask(true);
        BG->Offset = own;
        return;
    }
    ask(false);
    if (BG->BgType == btCache) BG->Offset = fw::TPoint(BG->Offset.X + Pos.X, BG->Offset.Y + Pos.Y);
}

// Top-left of Handle's window in its parent's client coordinates.
fw::TPoint WindowPosInParent(HWND Handle, HWND Parent) {
    RECT r{};
    GetWindowRect(Handle, &r);
    POINT p{r.left, r.top};
    ScreenToClient(Parent, &p);
    return fw::TPoint(p.x, p.y);
}

}  // namespace

void InitBGInfo(TsCommonData* S, PacBGInfo BG, int State, HWND Handle) {
    if (!S || !BG) return;
    fw::TControl* owner = S->FOwnerControl;
    auto* sp = dynamic_cast<TsSkinProviderBase*>(S->FOwnerObject);
    fw::TControl* form = sp ? sp->Form : nullptr;
    const TsGeneralData* g = S->Skinned() ? S->Section() : nullptr;
    if (!g || S->CustomColor()) {
        BG->BgType = btFill;
        if (owner)
            BG->Color = owner->Color();
        else if (form)
            BG->Color = form->Color();
        return;
    }
    const TSectionState v = SectionState(*g, State);
    const int T = std::clamp(v.Transparency, 0, 100);
    if (T == 0) {
        if (v.GradientPercent <= 0 && v.ImagePercent < 1) {
            BG->BgType = btFill;
            BG->Bmp = S->FCacheBmp;
            BG->Color = GetBGColor(S, State, nullptr);
            if (BG->PleaseDraw) FillDC(BG->DrawDC, BG->R, BG->Color);
        } else if (!HasCache(S)) {
            BG->BgType = btFill;
            BG->Color = 0xFF00FF;
        } else {
            BG->Color = S->GetSkinManager()->GetGlobalColor();
            FromCache(S, BG);
        }
        return;
    }
    if (T < 100) {
        if (HasCache(S)) {
            FromCache(S, BG);
        } else {
            BG->BgType = btFill;
            BG->Color = 0xFF00FF;
        }
        return;
    }
    const TsMaskData* border = BorderImageOf(S);
    if (border && (border->WL + border->WR >= 25 || border->WT + border->WB >= 25)) {
        // A wide border paints over the parent: the answer is this control's.
        if (HasCache(S)) {
            FromCache(S, BG);
        } else {
            BG->BgType = btFill;
            BG->Color = owner && owner->Parent() ? GetControlColor(owner->Parent()) : DefaultGlobalColor();
        }
        return;
    }
    fw::TControl* self = owner ? owner : form;
    if (fw::TControl* parent = self ? self->Parent() : nullptr) {
        AskParent(BG, fw::TPoint(self->Left(), self->Top()), [&](bool draw) { GetBGInfo(BG, parent, draw); });
    } else if (HWND p = Handle ? GetParent(Handle) : nullptr) {
        AskParent(BG, WindowPosInParent(Handle, p), [&](bool draw) { GetBGInfo(BG, p, draw); });
    } else {
        BG->BgType = btFill;
        BG->Color = DefaultGlobalColor();
    }
}

TColor GetBGColor(TsCommonData* S, int State, HWND Handle) {
    const TsGeneralData* g = S && S->Skinned() ? S->Section() : nullptr;
    if (g) {
        const TSectionState v = SectionState(*g, State);
        const int T = std::clamp(v.Transparency, 0, 100);
        if (T == 0 && !S->CustomColor()) return v.Color;
        if (T > 0) {
            TColor parent = fw::ColorToRGB(fw::clBtnFace);
            if (S->FOwnerControl)
                parent = GetControlColor(S->FOwnerControl->Parent());
            else if (Handle)
                parent = GetControlColor(GetParent(Handle));
            if (T == 100) return parent;
            // Without a known parent colour the section's own one shows.
            if ((uint32_t(parent) & 0xFFFFFF) == 0xFF00FF) return v.Color;
            return MixColors(parent, v.Color, T / 100.0);
        }
    }
    if (S && S->FOwnerControl) return S->FOwnerControl->Color();
    auto* sp = S ? dynamic_cast<TsSkinProviderBase*>(S->FOwnerObject) : nullptr;
    if (sp && sp->Form) return sp->Form->Color();
    return fw::clBtnFace;
}

TCacheInfo GetParentCache(TsCommonData* S) {
    if (S && S->Skinned() && S->FOwnerControl && S->FOwnerControl->Parent()) {
        TacBGInfo bg;
        GetBGInfo(&bg, S->FOwnerControl->Parent(), false);
        return BGInfoToCI(bg);
    }
    TCacheInfo ci;
    ci.Ready = false;
    ci.FillColor = S ? fw::ColorToRGB(GetBGColor(S, 0, nullptr)) : TColor(0xFF00FF);
    return ci;
}

TCacheInfo GetParentCacheHwnd(HWND Handle) {
    HWND p = Handle ? GetParent(Handle) : nullptr;
    if (!p) return EmptyCI;
    TacBGInfo bg;
    GetBGInfo(&bg, p, false);
    return BGInfoToCI(bg);
}

}  // namespace skin
