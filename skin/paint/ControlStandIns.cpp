#include "skin/paint/ControlStandIns.h"

#include "skin/paint/sCommonData.h"
#include "skin/paint/sCommonMessage.h"

namespace skin {

TsSpeedButton::TsSpeedButton(fw::TComponent* AOwner)
    : fw::TGraphicControl(AOwner), FCommonData(new TsCommonData(this, true)) {
    FCommonData->COC = 92;
}

TsSpeedButton::~TsSpeedButton() {
    delete FCommonData;
    FCommonData = nullptr;  // messages during the base destructor find no skin data
}

void TsSpeedButton::WndProc(fw::TMessage& Message) {
    if (CommonWndProc(Message, FCommonData)) return;
    fw::TGraphicControl::WndProc(Message);
}

}  // namespace skin
