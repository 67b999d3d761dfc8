// The provider's side of extended borders: making and freeing the border
// window, the frame and shadow in the 32-bit cache, and the form's messages
// that move the border window along or that it passes on.
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/sExBorderPaint.h"
#include "skin/forms/sMenuLine.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSysMenu.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sVclUtils.h"

namespace skin {

TExBorders TsSkinProvider::ExBorders() const {
    TExBorders e = ExBordersOf(SkinManager(), BorderForm != nullptr);
    e.SysExHeight = e.On && FSysExHeight;
    return e;
}

TExBorders ExBordersOf(const TsSkinManager* Manager, bool HaveBorderForm) {
    TExBorders e;
    if (!HaveBorderForm || !Manager || !Manager->SkinData) return e;
    e.On = true;
    e.SkinBorder = Manager->SkinData->ExBorderWidth;
    e.SkinTitle = Manager->SkinData->ExTitleHeight;
    e.Shadow = Manager->FormShadowSize;
    e.MaxTitle = Manager->SkinData->ExMaxHeight;
    e.CenterOffs = Manager->SkinData->ExCenterOffs;
    e.ContentOffs = Manager->SkinData->ExContentOffs;
    e.DrawMode = Manager->SkinData->ExDrawMode;
    return e;
}

fw::TPoint TsSkinProvider::FormInImage() const {
    if (!BorderForm) return fw::TPoint(0, 0);
    return ExWindowOffset(State(), FMetrics, ExBorders());
}

fw::TRect TsSkinProvider::MenuLineBand() const {
    const TFrameState s = State();
    if (!BorderForm) return MenuLineRect(s, FMetrics, OffsetY() - s.FormBorderWidth);
    return ExMenuLineRect(s, FMetrics, ExBorders(), OffsetY() - s.FormBorderWidth);
}

fw::TPoint TsSkinProvider::MenuLineOrigin(const fw::TRect& ItemRect, bool OnWindow) const {
    const TFrameState s = State();
    if (!BorderForm) return MenuLineItemOrigin(ItemRect, s, FMetrics);
    fw::TRect r = ItemRect;
    if (OnWindow) fw::OffsetRect(r, FormInImage().X, FormInImage().Y);
    return ExMenuLineItemOrigin(r, s, FMetrics, ExBorders());
}

void TsSkinProvider::SetAllowExtBorders(bool Value) {
    if (FAllowExtBorders == Value) return;
    FAllowExtBorders = Value;
    if (ComponentState().Contains(fw::csLoading)) return;
    TsSkinManager* m = SkinManager();
    InitExBorders(m && m->ExtendedBorders());
    FCommonData->BGChanged = true;
    if (Form && Form->HandleAllocated())
        RedrawWindow(Form->WindowHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TsSkinProvider::InitExBorders(bool Value) {
    const bool wanted = Value && FAllowExtBorders && FDrawNonClientArea && Form && Form->HandleAllocated() &&
                        !Destroying() && HaveBorder(State()) && !Form->Parent() && Form->FormStyle() != fw::fsMDIChild;
    fw::TBitmap* cache = FCommonData ? FCommonData->FCacheBmp : nullptr;
    if (wanted) {
        if (BorderForm) return;
        BorderForm = new TacBorderForm(this, FCommonData);
        FCommonData->BGChanged = true;
        if (cache) cache->SetPixelFormat(fw::pf32bit);
        RgnChanged = true;
        UpdateRgn(false);
        BorderForm->UpdateExBordersPos(true, 255);
        return;
    }
    if (!DropBorderForm(BorderForm, FCommonData, RgnChanged)) return;
    // The form's own frame shows again.
    if (Showing() && !Destroying() && Skinned())
        RedrawWindow(Form->WindowHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TsSkinProvider::PaintExFrame(const TFrameContent& Content) {
    fw::TBitmap* shadow = PaintExFrameImage(FCommonData->FCacheBmp, State(), FMetrics, ExBorders(), FFrameSkin, Buttons,
                                            Content, FormActive ? FGlow1 : FGlow2, SkinManager(), FormActive);
    if (auto* bf = dynamic_cast<TacBorderForm*>(BorderForm)) bf->ShadowTemplate = shadow;
}

bool TsSkinProvider::ExBordersFollow() {
    fw::TCustomForm* form = Form;
    if (!form || !form->HandleAllocated()) return false;
    if (form->FormState().Contains(fw::fsShowing) || (FCommonData->CtrlSkinState & 0x0800) || FCommonData->FUpdating ||
        FInAnimation || !DrawNonClientArea())
        return false;
    if (Destroying()) {
        // Frees the border window: nothing of it may be touched after.
        InitExBorders(false);
        return false;
    }
    if (!IsWindowVisible(form->WindowHandle())) {
        if (BorderForm && BorderForm->AForm) ShowWindow(BorderForm->AForm->WindowHandle(), SW_HIDE);
        return false;
    }
    return true;
}

BYTE TsSkinProvider::ExBordersAlpha(BYTE Blend) const {
    return Form && Form->AlphaBlend() ? BYTE(Form->AlphaBlendValue()) : Blend;
}

int TsSkinProvider::ExtHitTest(const fw::TMessage& Message) {
    if (!OnExtHitTest.Assigned()) return 0;
    fw::TMessage ask = Message;
    ask.Result = 0;
    OnExtHitTest(ask);
    return int(ask.Result);
}

bool TsSkinProvider::OwnerModal() const { return Form && Form->FormState().Contains(fw::fsModal); }

void TsSkinProvider::UpdateSysMenu() {
    if (SystemMenu) SystemMenu->UpdateItems(false);
}

void TsSkinProvider::ExBordersBefore(fw::TMessage& Message) {
    auto* bf = dynamic_cast<TacBorderForm*>(BorderForm);
    if (!bf) return;
    switch (Message.Msg) {
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP:
        case WM_NCRBUTTONUP:
        case WM_NCLBUTTONDBLCLK:
            // Passed on by the border window, which leaves the code to us.
            if (Message.WParam == WPARAM(-1)) Message.WParam = WPARAM(bf->Ex_WMNCHitTest(Message));
            break;
        default:
            break;
    }
}

void TsSkinProvider::ExBordersAfter(fw::TMessage& Message) {
    if (Destroying()) return;
    if (Message.Msg == fw::CM_VISIBLECHANGED && Message.WParam == 1 && !BorderForm) {
        TsSkinManager* m = SkinManager();
        InitExBorders(m && m->ExtendedBorders());
        return;
    }
    if (!BorderForm) return;
    switch (Message.Msg) {
        case WM_WINDOWPOSCHANGED:
        case WM_SIZE:
        case WM_SIZING:
        case fw::CM_ACTIVATE:
            BorderForm->UpdateExBordersPos(false, 255);
            break;
        case WM_EXITSIZEMOVE:
            BorderForm->UpdateExBordersPos(false, 255);
            // The skinned dialogs' border windows stand again over what moved.
            for (int i = 0; acSupportedList && i < acSupportedList->Count(); ++i)
                if (auto* e = static_cast<TacProvider*>(acSupportedList->Items(i)); e && e->ListSW && e->CtrlHandle)
                    SendAMessage(e->CtrlHandle, smcRepaint, 0);
            break;
        case WM_NCACTIVATE:
        case WM_SETTEXT:
        case fw::CM_SHOWINGCHANGED:
            BorderForm->UpdateExBordersPos(true, 255);
            break;
        case fw::CM_VISIBLECHANGED:
            BorderForm->UpdateExBordersPos(Message.WParam == 1, 255);
            break;
        case WM_STYLECHANGED:
            if (Message.WParam == WPARAM(GWL_EXSTYLE)) BorderForm->UpdateExBordersPos(true, 255);
            break;
        default:
            break;
    }
}

}  // namespace skin
