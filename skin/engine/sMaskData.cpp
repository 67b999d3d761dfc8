#include "skin/engine/sMaskData.h"

#include <algorithm>
#include <cstdint>

namespace skin {

namespace {

// A rectangle's side counted in 64 bits: the numbers of a skin image are
// read from outside, and Right - Left of two far-apart 32-bit values wraps.
int64_t Side(LONG From, LONG To) { return int64_t(To) - int64_t(From); }

int ToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

int WidthOfImage(const TsMaskData& MaskData) {
    // A count below 1 has no state width (0 is in the format; a negative one
    // is not, and INT_MIN / -1 traps).
    if (MaskData.ImageCount <= 0) return 0;
    return ToInt(Side(MaskData.R.Left, MaskData.R.Right) / MaskData.ImageCount);
}

int HeightOfImage(const TsMaskData& MaskData) {
    // Only -1 (no row division) and 0/1 are in the format; any other
    // non-positive divisor is read as "no rows" rather than divided by.
    int rows = MaskData.MaskType + 1;
    if (rows <= 0) return 0;
    return ToInt(Side(MaskData.R.Top, MaskData.R.Bottom) / rows);
}

}  // namespace skin
