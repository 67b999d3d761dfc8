#include "framework/rtl/Types.h"

#include <algorithm>

namespace fw {

bool PtInRect(const TRect& r, const TPoint& p) { return r.Contains(p); }

bool IsRectEmpty(const TRect& r) { return r.IsEmpty(); }

bool EqualRect(const TRect& a, const TRect& b) { return a == b; }

bool IntersectRect(TRect& Dest, const TRect& a, const TRect& b) {
    TRect r(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom));
    if (r.IsEmpty()) {
        Dest = TRect();
        return false;
    }
    Dest = r;
    return true;
}

bool UnionRect(TRect& Dest, const TRect& a, const TRect& b) {
    if (a.IsEmpty()) {
        Dest = b.IsEmpty() ? TRect() : b;
    } else if (b.IsEmpty()) {
        Dest = a;
    } else {
        Dest = TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                     std::max(a.Bottom, b.Bottom));
    }
    return !Dest.IsEmpty();
}

void OffsetRect(TRect& r, LONG dx, LONG dy) {
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

void InflateRect(TRect& r, LONG dx, LONG dy) {
    r.Left -= dx;
    r.Right += dx;
    r.Top -= dy;
    r.Bottom += dy;
}

TPoint CenterPoint(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

}  // namespace fw
