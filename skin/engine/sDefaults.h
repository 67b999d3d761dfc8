// The kinds of foreign controls the skin manager can be told to skin: the
// index of its lists of class names.
#pragma once

namespace skin {

enum TacThirdPartyTypes {
    tpEdit,
    tpButton,
    tpBitBtn,
    tpCheckBox,
    tpComboBox,
    tpGrid,
    tpGroupBox,
    tpListView,
    tpPanel,
    tpTreeView,
    tpwwEdit,
    tpGridEh,
    tpVirtualTree,
    tpPageControl,
    tpTabControl,
    tpToolBar,
    tpStatusBar,
    tpSpeedButton
};
constexpr int acThirdPartyTypesCount = tpSpeedButton + 1;

}  // namespace skin
