// TCoolBar: the native rebar window behind a class that code tells apart.
#include "framework/windows/ComCtrls.h"

namespace fw {

TCoolBar::TCoolBar(TComponent* AOwner) : TWinControl(AOwner) {
    controlStyle_.Include(csAcceptsControls);
    width_ = 150;
    height_ = 75;
    SetAlign(alTop);
}

void TCoolBar::CreateParams(TCreateParams& Params) {
    InitCommonControl(ICC_COOL_CLASSES);
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, REBARCLASSNAMEW);
    // The bar takes the bounds it is given.
    Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
}

}  // namespace fw
