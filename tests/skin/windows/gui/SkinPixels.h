// Colours the test skins give: a pixel of a state image as the skin's master
// bitmap holds it, so the tests say "the edge of state 1" and not an RGB.
#pragma once

#include <windows.h>

#include <algorithm>
#include <memory>

#include "WineDesk.h"
#include "skin/windows/acSkinServices.h"
#include "skins/TestSkins.h"

namespace wintest {

// The hosts' flat colour.
const COLORREF kHost = RGB(250, 250, 235);

// The default skin's "Stillwater", loaded from the committed skins.
inline std::unique_ptr<skin::TsSkinManager> Stillwater() {
    auto m = std::make_unique<skin::TsSkinManager>(nullptr);
    m->SetSkinDirectory(kvbskins::SkinsPath(L"default"));
    m->SetSkinName(L"Stillwater");
    return m;
}

// Where a child lies in its host's grab.
inline RECT InHost(HWND h, HWND Host) {
    RECT r;
    GetWindowRect(h, &r);
    return RectInHost(h, r, Host);
}

// Pixel (X, Y) of state image State of image Index (X, Y inside one state).
inline COLORREF SkinPixel(skin::TsSkinManager* M, int Index, int State, int X, int Y) {
    const skin::TsMaskData& m = M->ma[size_t(Index)];
    fw::TBitmap* src = m.Bmp ? m.Bmp : M->MasterBitmap;
    const int x = (m.Bmp ? 0 : m.R.Left) + State * skin::WidthOfImage(m) + X;
    const int y = (m.Bmp ? 0 : m.R.Top) + Y;
    return PixelAt(*src, x, y);
}

// The middle of the top edge of a section's border image in state State.
inline COLORREF TopEdge(skin::TsSkinManager* M, const wchar_t* Section, int State) {
    const int i = M->GetMaskIndex(M->GetSkinIndex(Section), Section, L"BORDERSMASK");
    return SkinPixel(M, i, State, skin::WidthOfImage(M->ma[size_t(i)]) / 2, 0);
}

inline COLORREF Rgb(fw::TColor C) { return COLORREF(fw::ColorToRGB(C)); }

// C moved Weight of the way from Base (the disabled look: 0.4).
inline COLORREF Blend(COLORREF Base, COLORREF C, double Weight) {
    auto ch = [&](int b, int c) { return int(b + (c - b) * Weight + 0.5); };
    return RGB(ch(GetRValue(Base), GetRValue(C)), ch(GetGValue(Base), GetGValue(C)), ch(GetBValue(Base), GetBValue(C)));
}

inline bool Near(COLORREF A, COLORREF B, int Tol = 2) {
    return abs(int(GetRValue(A)) - int(GetRValue(B))) <= Tol && abs(int(GetGValue(A)) - int(GetGValue(B))) <= Tol &&
           abs(int(GetBValue(A)) - int(GetBValue(B))) <= Tol;
}

// How many pixels of R (in Bmp) have colour C.
inline int CountColour(fw::TBitmap& Bmp, RECT R, COLORREF C) {
    int n = 0;
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x) n += PixelAt(Bmp, x, y) == C;
    return n;
}

// The box around pixels darker than Limit (sum of the channels) inside R.
inline RECT DarkBox(fw::TBitmap& Shot, RECT R, int Limit) {
    RECT box{R.right, R.bottom, R.left, R.top};
    for (int y = R.top; y < R.bottom; ++y)
        for (int x = R.left; x < R.right; ++x) {
            const COLORREF c = PixelAt(Shot, x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < Limit) {
                box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
    return box;
}

// Host and every child painted again now.
inline void Repaint(HWND Host) {
    RedrawWindow(Host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(80);
}

}  // namespace wintest
