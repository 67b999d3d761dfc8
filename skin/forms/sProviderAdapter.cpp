// The provider's side of the control adapter: made when the skinned form is
// first painted or activated, told of new controls and skin changes, freed
// when the skin goes.
#include <windows.h>

#include <commctrl.h>

#include "skin/engine/sMessages.h"
#include "skin/forms/sCtrlAdapter.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sVclUtils.h"

namespace skin {

namespace {

bool Loading(const fw::TComponent* C) { return C && C->ComponentState().Contains(fw::csLoading); }

}  // namespace

void TsSkinProvider::AdapterCreate() {
    if (Adapter || ComponentState().Contains(fw::csDesigning) || !FCommonData || !FCommonData->Skinned(false)) return;
    Adapter = new TacCtrlAdapter(this);
    Adapter->AddAllItems(nullptr);
}

void TsSkinProvider::AdapterRemove() {
    if (!Adapter || ComponentState().Contains(fw::csDesigning)) return;
    fw::TMessage m;
    m.Msg = SM_ALPHACMD;
    m.WParam = MAKEWPARAM(0, smcRemoveSkin);
    m.LParam = LPARAM(SkinManager());
    SendToAdapter(m);
    TacCtrlAdapter* a = Adapter;
    Adapter = nullptr;
    delete a;
}

void TsSkinProvider::SendToAdapter(fw::TMessage& Message) {
    if (!Adapter || ComponentState().Contains(fw::csDesigning)) return;
    fw::TMessage copy = Message;
    Adapter->WndProc(copy);
}

void TsSkinProvider::AdapterSkinChange(fw::TMessage& Message) {
    if (reinterpret_cast<TsSkinManager*>(Message.LParam) != SkinManager() || Destroying()) return;
    const WORD cmd = Message.WParamHi();
    if (cmd != smcNewSkin && cmd != smcRefresh) return;
    if (Adapter)
        Adapter->AddAllItems(nullptr);
    else
        AdapterCreate();
    if (cmd == smcRefresh) SendToAdapter(Message);
}

void TsSkinProvider::AdapterBefore(fw::TMessage& Message) {
    // Controls shown with the form are wrapped before it shows.
    if (Message.Msg == fw::CM_SHOWINGCHANGED && Adapter && FDrawNonClientArea && Form->Visible())
        Adapter->AddAllItems(Form);
}

void TsSkinProvider::AdapterAfter(fw::TMessage& Message) {
    // SM_ALPHACMD is registered at run time.
    if (Message.Msg == SM_ALPHACMD) {
        if (Message.WParamHi() == smcAddToAdapter && Adapter && !Loading(Form))
            Adapter->AddAllItems(reinterpret_cast<fw::TWinControl*>(Message.LParam));
        return;
    }
    switch (Message.Msg) {
        case WM_NCPAINT:
        case WM_NCACTIVATE:
            if (!Adapter && Showing()) AdapterCreate();
            break;
        case WM_PARENTNOTIFY:
            if (LOWORD(Message.WParam) == WM_CREATE && Adapter && !Loading(this) && !Loading(Form))
                Adapter->AddAllItems(nullptr);
            break;
        case WM_NOTIFY: {
            const auto* hdr = reinterpret_cast<const NMHDR*>(Message.LParam);
            if (hdr && hdr->code == UINT(TCN_SELCHANGE) && Adapter) Adapter->AddAllItems(nullptr);
            break;
        }
        case fw::CM_CONTROLLISTCHANGE:
            // Only an insertion: a control on its way out is not wrapped.
            if (Message.WParam && Message.LParam)
                if (auto* w = dynamic_cast<fw::TWinControl*>(reinterpret_cast<fw::TControl*>(Message.WParam))) {
                    if (Adapter) Adapter->AddNewItem(w);
                    // It and its children work out again whether they need
                    // caches of their own, now that they have this parent.
                    fw::TMessage state{};
                    state.Msg = SM_ALPHACMD;
                    state.WParam = MAKEWPARAM(0, smcSkinState);
                    state.LParam = 1;
                    AlphaBroadCast(w, state);
                    w->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcSkinState), 1);
                }
            break;
        default:
            break;
    }
}

}  // namespace skin
