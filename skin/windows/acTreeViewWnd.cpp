#include "skin/windows/acTreeViewWnd.h"

#include <commctrl.h>

#include "framework/graphics/Color.h"
#include "framework/windows/ComCtrls.h"
#include "skin/engine/sBitmapBase.h"

namespace skin {

fw::TColor TacTreeViewWnd::BackgroundColor() const {
    if (DlgMode) return fw::clWindow;
    const TsGeneralData* g = SkinData ? SkinData->Section() : nullptr;
    return g ? g->HotColor : fw::clWindow;
}

void TacTreeViewWnd::SetSkinParams() {
    ParamsChanged = true;
    fw::TColor C = fw::clWindow;
    if (!DlgMode) {
        const TsGeneralData* g = SkinData ? SkinData->Section() : nullptr;
        if (!g) return;
        if (fw::TControl* c = OwnerControlOf(this)) {
            if (!SkinData->CustomFont() && c->Font()->Color() != g->HotFontColor[0])
                c->Font()->SetColor(g->HotFontColor[0]);
            if (SkinData->CustomColor() || fw::ColorToRGB(g->HotColor) == c->Color()) return;
        }
        C = g->HotColor;
    }
    SendMessageW(CtrlHandle, TVM_SETBKCOLOR, 0, LPARAM(fw::ColorToRGB(C)));
}

void TacTreeViewWnd::RestoreStdParams() {
    TacEditWnd::RestoreStdParams();
    if (IsWindow(CtrlHandle)) SendMessageW(CtrlHandle, TVM_SETBKCOLOR, 0, LPARAM(fw::ColorToRGB(fw::clWindow)));
}

void TacTreeViewWnd::acWndProc(fw::TMessage& Message) {
    if (Message.Msg == WM_ERASEBKGND && !Destroyed && SkinData && SkinData->Skinned()) {
        // A tree that draws itself keeps its own erasing.
        if (auto* tv = dynamic_cast<fw::TCustomTreeView*>(OwnerControlOf(this));
            tv && tv->OnAdvancedCustomDraw.Assigned()) {
            PassOn(Message);
            return;
        }
        SkinData->FUpdating = SkinData->GetUpdating();
        if (SkinData->FUpdating) return;
        if (SkinData->BGChanged) skin::PrepareCache(SkinData, CtrlHandle, DlgMode);
        HDC dc = Message.WParam ? HDC(Message.WParam) : GetDC(CtrlHandle);
        if (dc) {
            FillDC(dc, fw::TRect(0, 0, WndSize.cx, WndSize.cy), BackgroundColor());
            if (!Message.WParam) ReleaseDC(CtrlHandle, dc);
        }
        Message.Result = 0;
        return;
    }
    TacEditWnd::acWndProc(Message);
    if (Message.Msg == WM_LBUTTONUP && !Destroyed) ReleaseCapture();
}

void RefreshTreeScrolls(TsCommonData* SkinData, TacScrollWnd*& ListSW) {
    RefreshScrollsAs<TacTreeViewWnd>(SkinData, ListSW);
}

TacMainWnd* CreateTreeViewWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager,
                              const fw::String& SkinSection) {
    return CreateWnd<TacTreeViewWnd>(true, Handle, SkinData, SkinManager, SkinSection);
}

}  // namespace skin
