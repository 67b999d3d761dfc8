// What tab controls, toolbars, status bars and the grid suite's combo boxes
// decide without a window: the side and kind of tabs, each tab's painted
// rectangle, the strip, page and rows, the sections, side-tab text places;
// toolbar button states, shifts, cells and labels; status text and the combo
// button.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "skin/windows/acTabGeometry.h"
#include "skin/windows/acToolBarGeometry.h"

using namespace skin;

TEST(TabGeometry, SideAndLookFromTheStyle) {
    struct Row {
        LONG style;
        TacTabSide side;
        TacTabLook look;
    } rows[] = {
        {0, tsTop, tlTabs},
        {TCS_BOTTOM, tsBottom, tlTabs},
        {TCS_VERTICAL, tsLeft, tlTabs},
        {TCS_VERTICAL | TCS_RIGHT, tsRight, tlTabs},
        {TCS_BUTTONS, tsTop, tlButtons},
        {TCS_BUTTONS | TCS_FLATBUTTONS | TCS_BOTTOM, tsBottom, tlFlatButtons},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(TabPositionOf(r.style), r.side) << std::hex << r.style;
        EXPECT_EQ(TabStyleOf(r.style), r.look) << std::hex << r.style;
    }
}

TEST(TabGeometry, PaintedTabPerSideAndState) {
    const fw::TRect item(10, 2, 60, 22);
    struct Row {
        const char* what;
        TacTabSide side;
        bool active;
        fw::TRect want;
    } rows[] = {
        // The active tab grows over its neighbours and the page's edge.
        {"top active", tsTop, true, fw::TRect(8, 0, 62, 24)},
        {"top", tsTop, false, fw::TRect(10, 2, 59, 26)},
        {"bottom active", tsBottom, true, fw::TRect(8, -1, 62, 23)},
        {"bottom", tsBottom, false, fw::TRect(10, 0, 59, 22)},
        {"left active", tsLeft, true, fw::TRect(9, 0, 63, 23)},
        {"left", tsLeft, false, fw::TRect(10, 1, 63, 22)},
        {"right active", tsRight, true, fw::TRect(7, 0, 61, 24)},
        {"right", tsRight, false, fw::TRect(8, 1, 59, 22)},
    };
    for (const Row& r : rows) EXPECT_EQ(SkinTabRectOf(item, r.active, r.side, tlTabs), r.want) << r.what;
    // Buttons and tabs of no width stay as the control gives them.
    EXPECT_EQ(SkinTabRectOf(item, true, tsTop, tlButtons), item);
    EXPECT_EQ(SkinTabRectOf(item, false, tsLeft, tlFlatButtons), item);
    EXPECT_EQ(SkinTabRectOf(fw::TRect(10, 2, 10, 22), true, tsTop, tlTabs), fw::TRect(10, 2, 10, 22));
}

TEST(TabGeometry, StripPageAndRows) {
    const fw::TRect C(4, 26, 196, 146);
    const SIZE W{200, 150};
    struct Row {
        TacTabSide side;
        fw::TRect strip, page;
    } rows[] = {
        {tsTop, fw::TRect(0, 0, 200, 22), fw::TRect(0, 22, 200, 150)},
        {tsBottom, fw::TRect(0, 147, 200, 150), fw::TRect(0, 0, 200, 147)},
        {tsLeft, fw::TRect(0, 0, 3, 150), fw::TRect(3, 0, 200, 150)},
        {tsRight, fw::TRect(197, 0, 200, 150), fw::TRect(0, 0, 197, 150)},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(TabsRectOf(C, W, true, r.side), r.strip) << r.side;
        EXPECT_EQ(TabPageRectOf(C, W, true, r.side), r.page) << r.side;
        // Without tabs both are the whole window.
        EXPECT_EQ(TabsRectOf(C, W, false, r.side), fw::TRect(0, 0, 200, 150));
        EXPECT_EQ(TabPageRectOf(C, W, false, r.side), fw::TRect(0, 0, 200, 150));
    }
    EXPECT_EQ(TabClientRectOf(fw::TRect(2, 20, 198, 148)), fw::TRect(2, 22, 198, 148));

    // Rows count from the outer edge: the row at the page is drawn last.
    struct RowCase {
        TacTabSide side;
        fw::TRect tab, strip;
        int rows, want;
    } cases[] = {
        {tsTop, fw::TRect(0, 0, 50, 20), fw::TRect(0, 0, 200, 40), 2, 1},
        {tsTop, fw::TRect(0, 20, 50, 40), fw::TRect(0, 0, 200, 40), 2, 2},
        {tsTop, fw::TRect(0, 20, 50, 40), fw::TRect(0, 0, 200, 40), 1, 1},
        {tsLeft, fw::TRect(22, 0, 44, 50), fw::TRect(0, 0, 44, 200), 2, 2},
        {tsRight, fw::TRect(100, 0, 122, 50), fw::TRect(100, 0, 144, 200), 2, 2},
        {tsRight, fw::TRect(122, 0, 144, 50), fw::TRect(100, 0, 144, 200), 2, 1},
        {tsBottom, fw::TRect(0, 100, 50, 120), fw::TRect(0, 100, 200, 140), 2, 2},
        {tsBottom, fw::TRect(0, 120, 50, 140), fw::TRect(0, 100, 200, 140), 2, 1},
        // A tab of no height is no reason to divide by zero.
        {tsTop, fw::TRect(0, 20, 50, 20), fw::TRect(0, 0, 200, 40), 3, 1},
    };
    for (const RowCase& c : cases)
        EXPECT_EQ(TabRowOf(c.tab, c.strip, c.rows, c.side), c.want) << c.side << " " << c.tab.Top << c.tab.Left;
}

TEST(TabGeometry, SectionsAndTheTurnedFace) {
    EXPECT_EQ(PageSectionName(false, L"PAGECONTROL", tsBottom), L"CHECKBOX");
    EXPECT_EQ(PageSectionName(true, L"PAGECONTROL", tsTop), L"PAGECONTROL");
    EXPECT_EQ(PageSectionName(true, L"", tsBottom), L"PAGECONTROLBOTTOM");
    EXPECT_EQ(PageSectionName(true, L"PAGECONTROL", tsLeft), L"PAGECONTROLLEFT");
    EXPECT_EQ(PageSectionName(true, L"PAGECONTROL", tsRight), L"PAGECONTROLRIGHT");
    EXPECT_EQ(PageSectionName(true, L"MYPAGES", tsRight), L"MYPAGES");
    EXPECT_EQ(TabSectionName(tlTabs, tsTop), L"TABTOP");
    EXPECT_EQ(TabSectionName(tlTabs, tsBottom), L"TABBOTTOM");
    EXPECT_EQ(TabSectionName(tlTabs, tsLeft), L"TABLEFT");
    EXPECT_EQ(TabSectionName(tlTabs, tsRight), L"TABRIGHT");
    EXPECT_EQ(TabSectionName(tlButtons, tsLeft), L"BUTTON");
    EXPECT_EQ(TabSectionName(tlFlatButtons, tsTop), L"TOOLBUTTON");
    EXPECT_EQ(TurnedFontFace(L"MS Sans Serif"), L"Arial");
    EXPECT_EQ(TurnedFontFace(L"Tahoma"), L"Tahoma");
}

TEST(TabGeometry, SideTabImageAndTextPlaces) {
    const fw::TRect C(0, 0, 20, 100);
    const SIZE icon{16, 16};
    struct Row {
        const char* what;
        TacTabSide side;
        bool active, image;
        fw::TPoint img, text;
    } rows[] = {
        // Left tabs read upwards: the text starts at the bottom, above the image.
        {"left", tsLeft, false, false, fw::TPoint(), fw::TPoint(4, 70)},
        {"left with image", tsLeft, false, true, fw::TPoint(2, 64), fw::TPoint(4, 60)},
        {"left active with image", tsLeft, true, true, fw::TPoint(4, 64), fw::TPoint(6, 60)},
        // Right tabs read downwards from the top right of the text.
        {"right", tsRight, false, false, fw::TPoint(), fw::TPoint(14, 29)},
        {"right with image", tsRight, false, true, fw::TPoint(0, 19), fw::TPoint(14, 39)},
    };
    for (const Row& r : rows) {
        const TacSideTabPlaces p = SideTabPlaces(C, r.side, r.active, r.image, icon, 40, 12);
        if (r.image) {
            EXPECT_EQ(p.Image, r.img) << r.what;
        }
        EXPECT_EQ(p.Text, r.text) << r.what;
    }
}

TEST(ToolBarGeometry, ButtonStateAndShift) {
    struct Row {
        const char* what;
        BYTE state;
        bool inside;
        int want, shift;
    } rows[] = {
        {"normal", TBSTATE_ENABLED, false, 0, 0},
        {"hot", TBSTATE_ENABLED, true, 1, 0},
        {"pressed", TBSTATE_ENABLED | TBSTATE_PRESSED, true, 2, 1},
        {"checked looks normal", TBSTATE_ENABLED | TBSTATE_CHECKED, false, 0, 0},
        {"checked and hot", TBSTATE_ENABLED | TBSTATE_CHECKED, true, 1, 0},
        {"disabled under the cursor", 0, true, 0, 0},
        {"disabled though pressed", TBSTATE_PRESSED, true, 0, 0},
    };
    for (const Row& r : rows) {
        int shift = -1;
        EXPECT_EQ(ToolButtonState(r.state, r.inside, shift), r.want) << r.what;
        EXPECT_EQ(shift, r.shift) << r.what;
    }
    struct Vcl {
        const char* what;
        bool marked, indeterminate, selected, checked, any, onlyDisabled;
        int want;
    } vcl[] = {
        {"plain", false, false, false, false, false, false, 0},
        {"hot", false, false, false, false, true, false, 1},
        {"only disabled", false, false, false, false, true, true, 0},
        {"marked", true, false, false, false, false, false, 2},
        {"indeterminate", false, true, false, false, false, false, 2},
        {"selected", false, false, true, false, true, false, 2},
        {"checked", false, false, false, true, true, false, 2},
    };
    for (const Vcl& v : vcl)
        EXPECT_EQ(ToolButtonStateOf(v.marked, v.indeterminate, v.selected, v.checked, v.any, v.onlyDisabled), v.want)
            << v.what;
}

TEST(ToolBarGeometry, CellPlaces) {
    EXPECT_EQ(ToolSeparatorRect({23, 22}), fw::TRect(10, 2, 14, 20));
    EXPECT_EQ(ToolSeparatorRect({8, 22}), fw::TRect(3, 2, 7, 20));
    EXPECT_EQ(ToolIconX(40, 16, 0, 0), 12);
    EXPECT_EQ(ToolIconX(40, 16, 8, 0), 8);   // icon and arrow centred together
    EXPECT_EQ(ToolIconX(40, 16, 0, 1), 13);  // pressed: one right
    EXPECT_EQ(ToolArrowPos({40, 22}, {7, 4}, 1), fw::TPoint(32, 10));
    EXPECT_EQ(ToolTextRect({60, 40}, 16, 0), fw::TRect(2, 20, 58, 38));
    EXPECT_EQ(ToolTextRect({60, 40}, 0, 1), fw::TRect(3, 3, 59, 39));

    const SIZE text{30, 13};
    EXPECT_EQ(ToolCaptionRect(true, 70, 22, 16, 0, text, 0), fw::TRect(22, 2, 68, 20));
    EXPECT_EQ(ToolCaptionRect(true, 70, 22, 0, 0, text, 0), fw::TRect(1, 2, 68, 20));
    EXPECT_EQ(ToolCaptionRect(false, 70, 40, 0, 16, text, 0), fw::TRect(19, 23, 52, 36));
    EXPECT_EQ(ToolCaptionRect(false, 70, 40, 0, 16, text, 2), fw::TRect(20, 24, 53, 37));
    EXPECT_EQ(ToolCaptionRect(false, 70, 22, 0, 0, text, 0), fw::TRect(19, 4, 52, 18));
}

TEST(ToolBarGeometry, LabelsOfOneTwoAndMoreWords) {
    struct Row {
        const wchar_t* text;
        bool two;
        const wchar_t *first, *second;
    } rows[] = {
        {L"Open", false, L"Open", L""},
        {L"Go back", false, L"Go back", L""},
        {L"Create new folder", true, L"Create", L"new folder"},
        {L"View the file list", true, L"View the", L"file list"},
        {L"Back  to  start", true, L"Back", L"to  start"},
        {L" Up one level ", true, L" Up", L"one level "},
        {L"", false, L"", L""},
    };
    for (const Row& r : rows) {
        const TacToolLabel l = SplitToolLabel(r.text);
        EXPECT_EQ(l.TwoLines, r.two) << fw::ToAnsi(r.text);
        EXPECT_EQ(l.First, r.first) << fw::ToAnsi(r.text);
        EXPECT_EQ(l.Second, r.second) << fw::ToAnsi(r.text);
    }
}

TEST(ToolBarGeometry, StatusTextAndGridComboButton) {
    EXPECT_EQ(StatusTextRect(fw::TRect(0, 0, 100, 20)), fw::TRect(3, 1, 95, 18));
    EXPECT_EQ(StatusTextRect(fw::TRect(100, 2, 160, 22)), fw::TRect(103, 3, 155, 20));
    struct Row {
        bool show, rtl;
        fw::TRect want;
    } rows[] = {
        {true, false, fw::TRect(101, 2, 118, 22)},
        {true, true, fw::TRect(2, 2, 19, 22)},
        {false, false, fw::TRect(118, 2, 118, 22)},  // a simple combo box: no button
        {false, true, fw::TRect(2, 2, 2, 22)},
    };
    for (const Row& r : rows) EXPECT_EQ(WWComboButtonRect(r.show, {120, 24}, r.rtl, 17), r.want);
}
