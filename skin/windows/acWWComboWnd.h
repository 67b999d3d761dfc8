// The combo boxes of the grid suite's edit controls (named in the adapter's
// class list for them): a combo wrapper that only decides whether the
// drop-down button shows and where.
#pragma once

#include "skin/windows/acComboWnd.h"

namespace skin {

class TacWWComboBoxWnd : public TacComboBoxWnd {
public:
    // On the control's window; a framework combo box of simple style shows
    // no button.
    TacWWComboBoxWnd(fw::TWinControl* aCtrl, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                     const fw::String& SkinSection);
    fw::String ClassName() const override { return L"TacWWComboBoxWnd"; }
    fw::TRect ButtonRect() override;

    bool ShowButton() const { return FShowButton; }

private:
    bool FShowButton = true;
};

TacMainWnd* CreateWWComboBoxWnd(fw::TWinControl* Ctrl, TsCommonData* SkinData, TsSkinManager* SkinManager);

}  // namespace skin
