#include "skin/engine/sGradientData.h"

#include <algorithm>

#include "framework/rtl/SysUtils.h"
#include "skin/engine/TextUtils.h"

namespace skin {

namespace {

int WordAsInt(int N, const fw::String& S, const TSysCharSet& Delims) {
    int32_t v = 0;
    return fw::TryStrToInt(ExtractWord(N, S, Delims), v) ? v : 0;
}

}  // namespace

void PrepareGradArray(const fw::String& GradientData, TsGradArray& GradArray) {
    GradArray.clear();
    if (GradientData.empty()) return;
    const TSysCharSet delims(L";");
    const int n = WordCount(GradientData, delims) / 5;
    GradArray.resize(size_t(n));
    for (int b = 0; b < n; ++b) {
        TsGradPie& p = GradArray[size_t(b)];
        p.Color1 = TColor(std::max(0, WordAsInt(5 * b + 1, GradientData, delims)));
        p.Color2 = TColor(std::max(0, WordAsInt(5 * b + 2, GradientData, delims)));
        p.Percent = std::clamp(WordAsInt(5 * b + 3, GradientData, delims), 0, 100);
        p.Mode1 = WordAsInt(5 * b + 4, GradientData, delims);
    }
}

}  // namespace skin
