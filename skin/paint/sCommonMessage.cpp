#include "skin/paint/sCommonMessage.h"

#include "framework/graphics/Color.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/paint/ControlStandIns.h"
#include "skin/paint/acGlow.h"
#include "skin/paint/sBGAnswer.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sVclUtils.h"

namespace skin {

namespace {

bool Has(const fw::TComponent* c, fw::TComponentStateItem s) { return c && c->ComponentState().Contains(s); }

void HideGlowOf(TsCommonData* S) {
    if (S->GlowID == -1) return;
    HideGlow(S->GlowID);
    S->GlowID = -1;
}

void RedrawFrame(fw::TWinControl* w, UINT Extra = 0) {
    if (w && w->HandleAllocated())
        RedrawWindow(w->WindowHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | Extra);
}

WPARAM Command(WORD Cmd, WORD Arg) { return (WPARAM(Cmd) << 16) | Arg; }

bool IsEdit(const TsCommonData* S) { return sEditCtrls.Contains(S->COC); }
bool ForbidsMouse(const TsCommonData* S) { return sForbidMouse.Contains(S->COC); }
bool NeverHot(const TsCommonData* S) { return sCanNotBeHot.Contains(S->COC) || (S->COC >= 92 && S->COC <= 94); }

void MouseEnter(fw::TMessage& M, TsCommonData* S) {
    fw::TControl* c = S->FOwnerControl;
    if (Has(c, fw::csDesigning)) return;
    auto* w = dynamic_cast<fw::TWinControl*>(c);
    if (!w || !DefaultManager) {
        if (!ForbidsMouse(S)) S->FMouseAbove = true;
        return;
    }
    // Only one speed button of a panel is hot: the one entered.
    auto* entered = reinterpret_cast<fw::TControl*>(M.LParam);
    for (int i = 0; i < w->ControlCount(); ++i) {
        auto* b = dynamic_cast<TsSpeedButton*>(w->Controls(i));
        if (b && b != c && b != entered && b->SkinData()->FMouseAbove) b->Perform(fw::CM_MOUSELEAVE, 0, 0);
    }
    if (!ForbidsMouse(S)) S->FMouseAbove = true;
    DefaultManager->SetActiveControl(w->Handle());
    if (!NeverHot(S)) ShowGlowingIfNeeded(S, false, nullptr);
    if (IsEdit(S)) {
        S->BGChanged = true;
        RedrawFrame(w, RDW_UPDATENOW);
    }
}

void MouseLeave(TsCommonData* S) {
    fw::TControl* c = S->FOwnerControl;
    if (Has(c, fw::csDesigning)) return;
    if (!ForbidsMouse(S)) S->FMouseAbove = false;
    if (!NeverHot(S)) {
        ClearGlows();
        S->GlowID = -1;  // its glow went with the others
    }
    if (c && c->Visible() && IsEdit(S)) {
        S->BGChanged = true;
        RedrawFrame(dynamic_cast<fw::TWinControl*>(c), RDW_UPDATENOW);
    }
}

// The parent's answer to smcGetColor, or Fallback without a parent.
TColor ParentColor(fw::TControl* c, TColor Fallback) {
    if (!c->Parent()) return Fallback;
    return TColor(c->Parent()->Perform(SM_ALPHACMD, Command(smcGetColor, 0), 0));
}

LRESULT ColorAnswer(TsCommonData* S, fw::TControl* c) {
    const TsGeneralData* g = S->Section();
    if (!S->Skinned() || !g) return LRESULT(fw::ColorToRGB(c->Color()));
    const int T = g->Transparency;
    if (T <= 0) return LRESULT(g->Color);
    if (T >= 100) {
        if (!c->Parent()) return LRESULT(fw::ColorToRGB(c->Color()));
        const TColor p = ParentColor(c, 0);
        return LRESULT(p == 0xFF00FF ? c->Parent()->Color() : p);
    }
    // The parent weighs T / 256 per channel; the top byte is the parent's.
    const uint32_t P = uint32_t(ParentColor(c, fw::ColorToRGB(c->Color()))), Sc = uint32_t(g->Color);
    uint32_t out = P & 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
        const int p = int((P >> shift) & 0xFF), s = int((Sc >> shift) & 0xFF);
        out |= uint32_t(IntToByte((T * (p - s) + s * 256) >> 8)) << shift;
    }
    return LRESULT(out);
}

void RemoveSkin(TsCommonData* S, TsSkinManager* M) {
    if (Has(M, fw::csDestroying)) S->FSkinManager = nullptr;
    S->BorderIndex = S->SkinIndex = S->Texture = S->HotTexture = -1;
    S->FUpdating = true;
    if (S->FCacheBmp) S->FCacheBmp->SetSize(0, 0);
    fw::TControl* c = S->FOwnerControl;
    if (auto* edit = dynamic_cast<fw::TCustomEdit*>(c)) {
        if (!S->CustomColor()) edit->SetColor(fw::clWindow);
        if (!S->CustomFont()) edit->Font()->SetColor(fw::clWindowText);
        RedrawFrame(edit);
    } else if (auto* w = dynamic_cast<fw::TWinControl*>(c)) {
        for (int i = 0; i < w->ControlCount(); ++i)
            if (auto* label = dynamic_cast<fw::TLabel*>(w->Controls(i))) label->Font()->SetColor(fw::clWindowText);
    }
}

void Refresh(TsCommonData* S) {
    S->BGChanged = true;
    S->FUpdating = false;
    auto* edit = dynamic_cast<fw::TCustomEdit*>(S->FOwnerControl);
    if (edit && S->Skinned()) {
        const TsGeneralData& g = *S->Section();
        if (!S->CustomColor()) edit->SetColor(g.Color);
        if (!S->CustomFont()) edit->Font()->SetColor(g.FontColor[0]);
        RedrawFrame(edit);
    }
    UpdateSkinState(S, false);
}

void SetChangedIfNecessary(TsCommonData* S, WORD Arg) {
    const bool b = S->RepaintIfMoved();
    S->BGChanged = S->BGChanged || b;
    auto* w = dynamic_cast<fw::TWinControl*>(S->FOwnerControl);
    if (!w) return;
    if (Arg == 1 && w->HandleAllocated())
        RedrawWindow(w->WindowHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN);
    if (!b) return;
    // The count is read again each time: children may go meanwhile.
    for (int i = 0; i < w->ControlCount(); ++i)
        if (!Has(w->Controls(i), fw::csDestroying)) SendAMessage(w->Controls(i), smcSetChangedIfNecessary, 0);
}

// The window's rectangle on the screen and the part of it that shows (the
// clip box of its window DC, in window coordinates).
void WindowAndVisiblePart(HWND h, fw::TRect& R, fw::TRect& Real) {
    RECT wr{}, clip{};
    GetWindowRect(h, &wr);
    HDC dc = GetWindowDC(h);
    GetClipBox(dc, &clip);
    ReleaseDC(h, dc);
    R = fw::TRect(wr);
    Real = fw::TRect(clip);
}

}  // namespace

bool CommonMessage(fw::TMessage& M, TsCommonData* S) {
    if (!S || M.Msg != SM_ALPHACMD) return false;
    const WORD arg = M.WParamLo();
    fw::TControl* c = S->FOwnerControl;
    const bool ours = M.LParam == LPARAM(S->GetSkinManager());
    switch (M.WParamHi()) {
        case smcNewSkin:
            if (ours) {
                S->UpdateIndexes();
                UpdateSkinState(S, false);
                RestrictDrawing = false;
            }
            return false;
        case smcRemoveSkin:
            if (ours) RemoveSkin(S, reinterpret_cast<TsSkinManager*>(M.LParam));
            return false;
        case smcRefresh:
            if (ours) Refresh(S);
            return false;
        case smcIsHandled:
            M.Result = 1;
            return true;
        case smcSetUpdating:
            S->FUpdating = arg == 1;
            return false;
        case smcSetUrgentPainting:
            S->UrgentPainting = arg == 1;
            return false;
        case smcGetUpdating:
            M.Result = S->BGChanged || S->FUpdating ? 1 : 0;
            return true;
        case smcGetHalfVisible:
            M.Result = S->HalfVisible ? 1 : 0;
            return true;
        case smcSetBGChangedIfTransparent:
            if (BgIsTransparent(S) && arg == 1) S->BGChanged = true;
            return false;
        case smcUpdateSection:
            if (fw::UpperCase(S->SkinSection()) == GlobalSectionName) {
                RestrictDrawing = false;
                S->Invalidate();
            }
            return false;
        case smcSetBGChanged:
            S->BGChanged = true;
            return false;
        case smcGetRepaintIfMoved: {
            const TsGeneralData* g = S->Section();
            if (S->SkinIndex < 0 || !g) return false;
            bool answer;
            if (g->Transparency == 100 && c && c->Parent())
                answer = S->ParentTextured();
            else
                answer = g->Textured() || S->RepaintIfMoved();
            M.LParam = M.Result = answer ? 1 : 0;
            return true;
        }
        case smcSetChangedIfNecessary:
            SetChangedIfNecessary(S, arg);
            return false;
        case smcGetColor:
            if (!c) return false;
            M.Result = ColorAnswer(S, c);
            return true;
        case smcSetHalfVisible:
            S->HalfVisible = true;
            return false;
        case smcGetSkinIndex:
            if (M.LParam) *reinterpret_cast<int*>(M.LParam) = S->SkinIndex;
            return true;
        case smcGetBGInfo:
            if (M.LParam) InitBGInfo(S, reinterpret_cast<PacBGInfo>(M.LParam), 0, nullptr);
            return false;
        case smcSkinState:
            if (M.LParam == 1)
                UpdateSkinState(S, true);
            else
                M.Result = S->CtrlSkinState;
            return true;
        case smcGetApplication:
            M.Result = LRESULT(fw::Application.get());
            return false;
        default:
            return false;
    }
}

bool CommonWndProc(fw::TMessage& M, TsCommonData* S) {
    if (!S) return false;
    fw::TControl* c = S->FOwnerControl;
    auto* w = dynamic_cast<fw::TWinControl*>(c);
    switch (M.Msg) {
        case WM_MOVE: {
            const bool glowing = S->GlowID != -1;
            if (S->RepaintIfMoved()) {
                S->BGChanged = true;
                if (c) c->Perform(SM_ALPHACMD, Command(smcSetChangedIfNecessary, 1), 0);
                HideGlowOf(S);
            }
            if (glowing) ShowGlowingIfNeeded(S, false, nullptr);  // the glow follows its control
            return false;
        }
        case WM_SIZE: {
            if (!S->Skinned()) return false;
            const bool glowing = S->GlowID != -1;
            S->BGChanged = true;
            const TsGeneralData* g = S->Section();
            if (w && g && g->GradientPercent > 0)
                for (int i = 0; i < w->ControlCount(); ++i) {
                    fw::TControl* child = w->Controls(i);
                    const fw::TAnchors a = child->Anchors();
                    if (Has(child, fw::csDestroying) || a.Contains(fw::akRight) || a.Contains(fw::akBottom)) continue;
                    child->Perform(SM_ALPHACMD, Command(smcSetChangedIfNecessary, 1), 0);
                }
            HideGlowOf(S);
            if (glowing) ShowGlowingIfNeeded(S, false, nullptr);
            return false;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (w && w->CanFocus() && w->TabStop()) {
                const bool focus = M.Msg == WM_SETFOCUS;
                S->BGChanged = true;
                S->FFocused = focus;
                if (IsEdit(S) && (focus || w->Visible())) RedrawFrame(w);
            }
            return false;
        case WM_FONTCHANGE:
        case fw::CM_ENABLEDCHANGED:
            S->FMouseAbove = false;
            S->FFocused = false;
            if (c && !c->Enabled()) HideGlowOf(S);
            return false;
        case WM_CONTEXTMENU: {
            TsSkinManager* m = S->GetSkinManager();
            if (c && c->PopupMenu() && m && m->SkinableMenus())
                m->SkinableMenus()->HookPopupMenu(c->PopupMenu(), m->Active());
            return false;
        }
        case WM_UPDATEUISTATE:
            if (S->Skinned()) return true;
            if (UseThemes() && w && w->HandleAllocated())
                if (TSetWindowTheme setTheme = Ac_SetWindowTheme()) setTheme(w->WindowHandle(), nullptr, nullptr);
            return false;
        case WM_PARENTNOTIFY:
            if (w && LOWORD(M.WParam) == WM_CREATE) AddToAdapter(w);
            return false;
        case fw::CM_VISIBLECHANGED:
            if (S->FCacheBmp) {
                if (M.WParam == 0) {
                    S->FCacheBmp->SetSize(0, 0);
                } else {
                    S->FUpdating = false;
                    S->BGChanged = true;
                }
            }
            return false;
        case fw::CM_MOUSEENTER:
            MouseEnter(M, S);
            return false;
        case fw::CM_MOUSELEAVE:
            MouseLeave(S);
            return false;
        default:
            if (M.Msg == SM_ALPHACMD) return CommonMessage(M, S);
            return false;
    }
}

void ShowGlowingIfNeeded(TsCommonData* S, bool Clicked, HWND Handle) {
    if (!S) return;
    TsSkinManager* m = S->GetSkinManager();
    const TsGeneralData* g = S->Section();
    if (!m || !m->AllowGlowing() || !g || g->GlowCount < 1) return;
    fw::TRect R, real;
    HWND host = nullptr;
    if (fw::TControl* c = S->FOwnerControl) {
        if (!S->FMouseAbove || c->ControlState().Contains(fw::csLButtonDown) || (Clicked && S->GlowID != -1)) {
            HideGlowOf(S);
            return;
        }
        fw::TCustomForm* form = fw::GetParentForm(c);
        if (!form) return;
        if (form->Parent())
            host = form->Parent()->Handle();
        else if (form->FormStyle() == fw::fsMDIChild && MDISkinProvider && MDISkinProvider->Form)
            host = MDISkinProvider->Form->Handle();
        else
            host = form->Handle();
        if (auto* w = dynamic_cast<fw::TWinControl*>(c)) {
            WindowAndVisiblePart(w->Handle(), R, real);
        } else if (fw::TWinControl* parent = c->Parent()) {
            const fw::TPoint p = c->ClientToScreen(fw::TPoint(0, 0));
            R = fw::TRect(p.X, p.Y, p.X + c->Width(), p.Y + c->Height());
            RECT clip{};
            HDC dc = GetDC(parent->Handle());
            GetClipBox(dc, &clip);
            ReleaseDC(parent->WindowHandle(), dc);
            real.Left = c->Left() < 0 ? -c->Left() : 0;
            real.Top = c->Top() < 0 ? -c->Top() : 0;
            real.Right = clip.right < c->Left() + c->Width() ? clip.right - c->Left() : c->Width();
            real.Bottom = clip.bottom < c->Top() + c->Height() ? clip.bottom - c->Top() : c->Height();
        } else {
            return;
        }
    } else {
        if (!Handle) return;
        WindowAndVisiblePart(Handle, R, real);
        host = GetParentFormHandle(Handle);
    }
    // One glow a control: a glow shown before goes first.
    HideGlowOf(S);
    S->GlowID = ShowGlow(R, real, S->SkinSection(), L"GLOW", g->GlowMargin, 255, host, m);
}

}  // namespace skin
