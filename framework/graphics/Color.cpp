#include "framework/graphics/Color.h"

namespace fw {

TColor ColorToRGB(TColor Color) {
    if (Color < 0) return TColor(GetSysColor(Color & 0xFF));
    return Color;
}

}  // namespace fw
