// Geometry records with the framework's field names. TRect has RECT's layout:
// the right and bottom edges lie outside the rectangle, as everywhere in GDI.
#pragma once

#include <windows.h>

namespace fw {

struct TPoint {
    LONG X = 0;
    LONG Y = 0;

    constexpr TPoint() = default;
    constexpr TPoint(LONG x, LONG y) : X(x), Y(y) {}
    constexpr TPoint(const POINT& p) : X(p.x), Y(p.y) {}
    constexpr operator POINT() const { return POINT{X, Y}; }

    friend constexpr bool operator==(const TPoint& a, const TPoint& b) { return a.X == b.X && a.Y == b.Y; }
    friend constexpr bool operator!=(const TPoint& a, const TPoint& b) { return !(a == b); }
};

struct TSize {
    LONG cx = 0;
    LONG cy = 0;

    constexpr TSize() = default;
    constexpr TSize(LONG w, LONG h) : cx(w), cy(h) {}
    constexpr TSize(const SIZE& s) : cx(s.cx), cy(s.cy) {}
    constexpr operator SIZE() const { return SIZE{cx, cy}; }

    friend constexpr bool operator==(const TSize& a, const TSize& b) { return a.cx == b.cx && a.cy == b.cy; }
    friend constexpr bool operator!=(const TSize& a, const TSize& b) { return !(a == b); }
};

struct TRect {
    LONG Left = 0;
    LONG Top = 0;
    LONG Right = 0;
    LONG Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(LONG l, LONG t, LONG r, LONG b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr TRect(const TPoint& topLeft, const TPoint& bottomRight)
        : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y) {}
    constexpr TRect(const RECT& r) : Left(r.left), Top(r.top), Right(r.right), Bottom(r.bottom) {}
    constexpr operator RECT() const { return RECT{Left, Top, Right, Bottom}; }

    // The same memory seen as a RECT, for Win32 calls that fill or read one in place.
    RECT* AsRECT() { return reinterpret_cast<RECT*>(this); }
    const RECT* AsRECT() const { return reinterpret_cast<const RECT*>(this); }

    constexpr LONG Width() const { return Right - Left; }
    constexpr LONG Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return TPoint(Left, Top); }
    constexpr TPoint BottomRight() const { return TPoint(Right, Bottom); }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(const TPoint& p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }

    friend constexpr bool operator==(const TRect& a, const TRect& b) {
        return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
    }
    friend constexpr bool operator!=(const TRect& a, const TRect& b) { return !(a == b); }
};

static_assert(sizeof(TRect) == sizeof(RECT) && sizeof(TPoint) == sizeof(POINT), "layouts must match GDI's");

constexpr TPoint Point(LONG x, LONG y) { return TPoint(x, y); }
constexpr TSize Size(LONG cx, LONG cy) { return TSize(cx, cy); }
constexpr TRect Rect(LONG left, LONG top, LONG right, LONG bottom) { return TRect(left, top, right, bottom); }
constexpr TRect Bounds(LONG left, LONG top, LONG width, LONG height) {
    return TRect(left, top, left + width, top + height);
}

// The Win32 functions of the same names stay callable with RECT*/POINT arguments.
using ::EqualRect;
using ::InflateRect;
using ::IntersectRect;
using ::IsRectEmpty;
using ::OffsetRect;
using ::PtInRect;
using ::UnionRect;

bool PtInRect(const TRect& r, const TPoint& p);
bool IsRectEmpty(const TRect& r);
bool EqualRect(const TRect& a, const TRect& b);
// Dest is the common part; empty (all zero) and false when there is none.
bool IntersectRect(TRect& Dest, const TRect& a, const TRect& b);
// Dest is the smallest rectangle holding both; an empty one is ignored.
bool UnionRect(TRect& Dest, const TRect& a, const TRect& b);
void OffsetRect(TRect& r, LONG dx, LONG dy);
void InflateRect(TRect& r, LONG dx, LONG dy);
TPoint CenterPoint(const TRect& r);

}  // namespace fw
