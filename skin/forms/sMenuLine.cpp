#include "skin/forms/sMenuLine.h"

#include <algorithm>

namespace skin {

int MenuLinesCount(int FirstItemBottom, int ClientTop, int RowHeight) {
    if (FirstItemBottom >= ClientTop || RowHeight <= 0) return 1;
    return (ClientTop - FirstItemBottom) / RowHeight + 1;
}

fw::TRect MenuLineRect(const TFrameState& S, const TFrameMetrics& M, int ClientTop) {
    if (!S.MenuLine || S.Iconic) return fw::TRect();
    const int w = SysBorderWidth(S, M);
    const int top = TitleBottom(S, M);
    const int bottom = std::max(ClientTop, top + S.MenuLines * MenuHeight(S, M));
    return fw::TRect(w, top, std::max(w, S.Width - w), bottom);
}

fw::TPoint MenuLineItemOrigin(const fw::TRect& ItemRect, const TFrameState& S, const TFrameMetrics& M) {
    return fw::TPoint(ItemRect.Left - SysBorderWidth(S, M), ItemRect.Top - TitleBottom(S, M));
}

}  // namespace skin
