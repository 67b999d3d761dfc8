#include "skin/engine/sMaskData.h"

namespace skin {

int WidthOfImage(const TsMaskData& MaskData) {
    if (MaskData.ImageCount == 0) return 0;
    return MaskData.R.Width() / MaskData.ImageCount;
}

int HeightOfImage(const TsMaskData& MaskData) {
    // Only -1 (no row division) and 0/1 are in the format; any other
    // non-positive divisor is read as "no rows" rather than divided by.
    int rows = MaskData.MaskType + 1;
    if (rows <= 0) return 0;
    return MaskData.R.Height() / rows;
}

}  // namespace skin
