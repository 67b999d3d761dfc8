// The system dialog's side of extended borders: making and freeing the
// border window, and the dialog's messages that move it along or that it
// passes on.
#include "framework/graphics/Bitmap.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/sSysMenu.h"
#include "skin/paint/sCommonData.h"

namespace skin {

TExBorders TacDialogWnd::ExBorders() const {
    return ExBordersOf(SkinData ? SkinData->GetSkinManager() : nullptr, BorderForm != nullptr);
}

void TacDialogWnd::UpdateSysMenu() {
    if (SystemMenu) SystemMenu->UpdateItems();
}

bool TacDialogWnd::ExBordersFollow() { return !Destroyed && IsWindowVisible(CtrlHandle); }

void TacDialogWnd::InitExBorders(bool Active) {
    const bool wanted = Active && !Destroyed && IsWindow(CtrlHandle) && HaveBorder(State());
    fw::TBitmap* cache = SkinData ? SkinData->FCacheBmp : nullptr;
    if (wanted) {
        if (BorderForm) return;
        BorderForm = new TacBorderForm(this, SkinData);
        SkinData->BGChanged = true;
        RgnChanged = true;
        if (cache) cache->SetPixelFormat(fw::pf32bit);
        if (IsWindowVisible(CtrlHandle)) {
            UpdateRgn(false);
            BorderForm->UpdateExBordersPos(true, 255);
        }
        return;
    }
    if (!DropBorderForm(BorderForm, SkinData, RgnChanged)) return;
    // The dialog's own frame shows again.
    if (!Destroyed && IsWindowVisible(CtrlHandle))
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool TacDialogWnd::ExBordersBefore(fw::TMessage& Message) {
    if (Message.Msg == WM_DESTROY) {
        // The border window goes with the dialog, not with the wrapper.
        InitExBorders(false);
        return false;
    }
    auto* bf = dynamic_cast<TacBorderForm*>(BorderForm);
    TsSkinManager* m = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (!bf || Destroyed || !m || !m->Active()) return false;
    switch (Message.Msg) {
        case WM_NCLBUTTONDOWN:
            if (Message.WParam == HTOBJECT) {
                PassOn(Message);
                return true;
            }
            // Passed on by the border window, which leaves the code to us.
            if (Message.WParam == WPARAM(-1)) {
                Message.WParam = WPARAM(bf->Ex_WMNCHitTest(Message));
                if (!Ac_WMNCLButtonDown(Message)) PassOn(Message);
                return true;
            }
            return false;
        case WM_NCLBUTTONUP:
        case WM_LBUTTONUP:
        case WM_NCRBUTTONUP:
            if (Message.WParam == WPARAM(-1)) Message.WParam = WPARAM(bf->Ex_WMNCHitTest(Message));
            return false;
        case WM_NCPAINT:
            // A border window hidden while the dialog shows comes back.
            if (IsWindowVisible(CtrlHandle) && bf->AForm && !IsWindowVisible(bf->AForm->WindowHandle())) {
                UpdateRgn(false);
                bf->UpdateExBordersPos(true, 255);
            }
            return false;
        default:
            return false;
    }
}

void TacDialogWnd::ExBordersAfter(fw::TMessage& Message) {
    TsSkinManager* m = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (Destroyed || !m || !m->Active()) return;
    const bool visible = IsWindowVisible(CtrlHandle) != 0;
    if (Message.Msg == SM_ALPHACMD) {
        switch (Message.WParamHi()) {
            case smcNewSkin:
            case smcRefresh:
                InitExBorders(m->ExtendedBorders());
                if (BorderForm && visible && Message.WParamHi() == smcRefresh)
                    BorderForm->UpdateExBordersPos(true, 255);
                break;
            case smcRepaint:
                if (BorderForm) BorderForm->UpdateExBordersPos(false, 255);
                break;
            default:
                break;
        }
        return;
    }
    if (Message.Msg == WM_WINDOWPOSCHANGED) {
        const auto* wp = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
        if (wp && (wp->flags & SWP_HIDEWINDOW)) {
            InitExBorders(false);
            return;
        }
        // Shown again after a hide: the border window comes back with it.
        if (wp && (wp->flags & SWP_SHOWWINDOW) && !BorderForm) InitExBorders(m->ExtendedBorders());
    }
    if (!BorderForm || !visible) return;
    switch (Message.Msg) {
        case WM_SIZE:
            BorderForm->UpdateExBordersPos(true, 255);
            break;
        case WM_SETTEXT:
        case WM_NCACTIVATE:
        case WM_WINDOWPOSCHANGED:
        case WM_MOVE:
        case WM_SIZING:
            BorderForm->UpdateExBordersPos(false, 255);
            break;
        case WM_WINDOWPOSCHANGING: {
            const auto* wp = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
            if (wp && !(wp->flags & SWP_HIDEWINDOW)) BorderForm->UpdateExBordersPos(false, 255);
            break;
        }
        case WM_SYSCOMMAND:
            if ((Message.WParam & 0xFFF0) == 0xF010) BorderForm->UpdateExBordersPos(false, 255);
            break;
        default:
            break;
    }
}

}  // namespace skin
