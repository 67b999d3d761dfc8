#include "skin/windows/acWWComboWnd.h"

#include "framework/windows/StdCtrls.h"
#include "skin/windows/acToolBarGeometry.h"

namespace skin {

TacMainWnd* CreateWWComboBoxWnd(fw::TWinControl* Ctrl, TsCommonData* SkinData, TsSkinManager* SkinManager) {
    if (!Ctrl) return nullptr;
    return CreateWnd<TacWWComboBoxWnd>(false, Ctrl, SkinData, SkinManager, fw::String(L"COMBOBOX"));
}

TacWWComboBoxWnd::TacWWComboBoxWnd(fw::TWinControl* aCtrl, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                                   const fw::String& SkinSection)
    : TacComboBoxWnd(aCtrl->Handle(), ASkinData, ASkinManager, SkinSection) {
    if (aCtrl->ClassName() == L"TComboBox") {
        const auto* c = dynamic_cast<fw::TCustomComboBox*>(aCtrl);
        FShowButton = !c || c->Style() == fw::csDropDown || c->Style() == fw::csDropDownList;
    }
}

fw::TRect TacWWComboBoxWnd::ButtonRect() {
    RECT r{};
    GetWindowRect(CtrlHandle, &r);
    return WWComboButtonRect(FShowButton, {r.right - r.left, r.bottom - r.top},
                             GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING,
                             GetSystemMetrics(SM_CXVSCROLL));
}

}  // namespace skin
