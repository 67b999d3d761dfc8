#include "skin/windows/acTabGeometry.h"

#include <commctrl.h>

namespace skin {

TacTabSide TabPositionOf(LONG Style) {
    if (Style & TCS_VERTICAL) return (Style & TCS_RIGHT) ? tsRight : tsLeft;
    return (Style & TCS_BOTTOM) ? tsBottom : tsTop;
}

TacTabLook TabStyleOf(LONG Style) {
    if (Style & TCS_FLATBUTTONS) return tlFlatButtons;
    return (Style & TCS_BUTTONS) ? tlButtons : tlTabs;
}

fw::TRect SkinTabRectOf(fw::TRect R, bool Active, TacTabSide Side, TacTabLook Look) {
    if (Look != tlTabs || R.Left == R.Right) return R;
    if (Active) {
        R.Bottom -= 1;
    } else {
        R.Bottom += 3;
        R.Right -= 1;
    }
    const int a = Active ? 1 : 0;
    switch (Side) {
        case tsTop:
            fw::InflateRect(R, 2 * a, 2 * a);
            R.Bottom += 1;
            break;
        case tsBottom:
            fw::InflateRect(R, 2 * a, a);
            R.Top -= 2;
            R.Bottom += Active ? 1 : -3;
            break;
        case tsLeft:
            fw::InflateRect(R, 0, 1);
            R.Right += 2;
            if (Active) {
                fw::InflateRect(R, 1, 1);
            } else {
                R.Bottom -= 4;
                R.Right += 2;
            }
            break;
        case tsRight:
            fw::InflateRect(R, 1, 0);
            fw::OffsetRect(R, -1, -1);
            if (Active) {
                fw::InflateRect(R, 1, 1);
                R.Bottom += 3;
            } else {
                R.Bottom -= 2;
            }
            break;
    }
    return R;
}

fw::TRect TabClientRectOf(fw::TRect Adjusted) {
    Adjusted.Top += 2;
    return Adjusted;
}

fw::TRect TabsRectOf(fw::TRect C, SIZE Wnd, bool HasTabs, TacTabSide Side) {
    fw::TRect R(0, 0, Wnd.cx, Wnd.cy);
    if (!HasTabs) return R;
    switch (Side) {
        case tsTop:
            R.Bottom = C.Top - 4;
            break;
        case tsBottom:
            R.Top = C.Bottom + 1;
            break;
        case tsLeft:
            R.Right = C.Left - 1;
            break;
        case tsRight:
            R.Left = C.Right + 1;
            break;
    }
    return R;
}

fw::TRect TabPageRectOf(fw::TRect C, SIZE Wnd, bool HasTabs, TacTabSide Side) {
    fw::TRect R(0, 0, Wnd.cx, Wnd.cy);
    if (!HasTabs) return R;
    switch (Side) {
        case tsTop:
            R.Top = C.Top - 4;
            break;
        case tsBottom:
            R.Bottom = C.Bottom + 1;
            break;
        case tsLeft:
            R.Left = C.Left - 1;
            break;
        case tsRight:
            R.Right = C.Right + 1;
            break;
    }
    return R;
}

int TabRowOf(fw::TRect T, fw::TRect S, int Rows, TacTabSide Side) {
    if (Rows < 2) return 1;
    const int h = T.Height(), w = T.Width();
    // A degenerate tab has no row of its own: the one at the page.
    if ((Side == tsTop || Side == tsBottom) ? h <= 0 : w <= 0) return 1;
    switch (Side) {
        case tsTop:
            return (T.Bottom + h / 2) / h;
        case tsLeft:
            return (T.Right + w / 2) / w;
        case tsRight:
            return Rows - (T.Right + w / 2 - S.Left) / w + 1;
        case tsBottom:
            return Rows - (T.Bottom + h / 2 - S.Top) / h + 1;
    }
    return 1;
}

fw::String PageSectionName(bool HasTabs, const fw::String& OwnSection, TacTabSide Side) {
    if (!HasTabs) return L"CHECKBOX";
    if (!OwnSection.empty() && OwnSection != L"PAGECONTROL") return OwnSection;
    static const wchar_t* const names[] = {L"PAGECONTROL", L"PAGECONTROLBOTTOM", L"PAGECONTROLLEFT",
                                           L"PAGECONTROLRIGHT"};
    return names[Side];
}

fw::String TabSectionName(TacTabLook Look, TacTabSide Side) {
    if (Look == tlFlatButtons) return L"TOOLBUTTON";
    if (Look == tlButtons) return L"BUTTON";
    static const wchar_t* const names[] = {L"TABTOP", L"TABBOTTOM", L"TABLEFT", L"TABRIGHT"};
    return names[Side];
}

fw::String TurnedFontFace(const fw::String& Face) { return Face == L"MS Sans Serif" ? fw::String(L"Arial") : Face; }

TacSideTabPlaces SideTabPlaces(fw::TRect C, TacTabSide Side, bool Active, bool HasImage, SIZE Icon, int Len,
                               int Thick) {
    TacSideTabPlaces p;
    if (Side == tsRight) fw::OffsetRect(C, -2, -1);
    if (HasImage && Active) fw::OffsetRect(C, 2, 0);
    const int w = C.Width(), h = C.Height();
    const int x = C.Left + (w - Thick) / 2;
    if (Side == tsLeft) {
        // Read bottom to top: the image below the text.
        if (HasImage) {
            const int y = C.Bottom - (h - (Icon.cy + Len + 4)) / 2 - Icon.cy;
            p.Image = fw::TPoint((w - Icon.cx) / 2 + C.Left, y);
            p.Text = fw::TPoint(x, y - 4);
        } else {
            p.Text = fw::TPoint(x, C.Bottom - (h - Len) / 2);
        }
    } else {
        // Read top to bottom: the image above, the text's top at its right.
        if (HasImage) {
            const int y = C.Top + (h - (Icon.cy + Len + 4)) / 2;
            p.Image = fw::TPoint((w - Icon.cx) / 2 + C.Left, y);
            p.Text = fw::TPoint(x + Thick, y + Icon.cy + 4);
        } else {
            p.Text = fw::TPoint(x + Thick, C.Top + (h - Len) / 2);
        }
    }
    return p;
}

}  // namespace skin
