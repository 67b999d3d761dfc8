// The state of an owner-drawn item (menu item, list or combo item) as the
// framework hands it to drawing events, read from DRAWITEMSTRUCT.itemState.
#pragma once

#include <windows.h>

#include "framework/rtl/Object.h"

namespace fw {

enum TOwnerDrawStateItem {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odReserved1,
    odReserved2,
    odComboBoxEdit,
};
using TOwnerDrawState = Set<TOwnerDrawStateItem>;

// ODS_xxx bits to the set; bits without a member are dropped.
inline TOwnerDrawState OwnerDrawStateFromODS(UINT ItemState) {
    struct Pair {
        UINT ods;
        TOwnerDrawStateItem od;
    };
    static constexpr Pair table[] = {
        {ODS_SELECTED, odSelected},
        {ODS_GRAYED, odGrayed},
        {ODS_DISABLED, odDisabled},
        {ODS_CHECKED, odChecked},
        {ODS_FOCUS, odFocused},
        {ODS_DEFAULT, odDefault},
        {ODS_HOTLIGHT, odHotLight},
        {ODS_INACTIVE, odInactive},
        {ODS_NOACCEL, odNoAccel},
        {ODS_NOFOCUSRECT, odNoFocusRect},
        {ODS_COMBOBOXEDIT, odComboBoxEdit},
    };
    TOwnerDrawState s;
    for (const Pair& p : table)
        if (ItemState & p.ods) s.Include(p.od);
    return s;
}

}  // namespace fw
