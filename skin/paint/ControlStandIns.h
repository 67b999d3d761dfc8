// STAND-IN: the skinned speed button of the basic controls, as far as the
// common message handling needs it (the button's skin data, its mouse state
// handled first by CommonWndProc). The basic controls replace it with the
// whole button.
#pragma once

#include "framework/windows/Controls.h"

namespace skin {

class TsCommonData;

class TsSpeedButton : public fw::TGraphicControl {
public:
    explicit TsSpeedButton(fw::TComponent* AOwner);
    ~TsSpeedButton() override;
    fw::String ClassName() const override { return L"TsSpeedButton"; }
    // Its skin data (owned; class code 92, section "SPEEDBUTTON" by default).
    TsCommonData* SkinData() const { return FCommonData; }
    void WndProc(fw::TMessage& Message) override;

private:
    TsCommonData* FCommonData;
};

}  // namespace skin
