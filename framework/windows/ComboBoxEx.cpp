// TComboBoxEx: the native extended combo box behind a class that code tells apart.
#include "framework/windows/ComCtrls.h"

namespace fw {

TComboBoxEx::TComboBoxEx(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 145;
    height_ = 22;
    SetTabStop(true);
}

void TComboBoxEx::CreateParams(TCreateParams& Params) {
    InitCommonControl(ICC_USEREX_CLASSES);
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_COMBOBOXEXW);
    Params.Style |= CBS_DROPDOWN;
}

}  // namespace fw
