// The menu line of a form with a main menu, without windows: how many rows
// it takes, where its band lies in the window image, where an item finds
// its place in the band's image, and what the frame's hit test answers over
// its rows.
#include <gtest/gtest.h>

#include "FrameFixtures.h"
#include "skin/forms/sFrameHitTest.h"
#include "skin/forms/sMenuLine.h"

using namespace skin;
using namespace formstest;

namespace {

// A sizeable form with a menu line of Lines rows (the system's row 19, ours 18).
TFrameState WithMenu(int Lines, int w = 300, int h = 200) {
    TFrameState s = State(fw::bsSizeable, kAllIcons, w, h);
    s.MenuLine = Lines > 0;
    s.MenuLines = Lines;
    s.ClientHeight -= Lines * Metrics().CyMenu;
    return s;
}

}  // namespace

TEST(MenuLine, RowsCountFromTheFirstItemDownToTheClient) {
    struct Case {
        int firstBottom, clientTop, lines;
    } cases[] = {
        {142, 142, 1},  // the first item ends where the client starts
        {150, 142, 1},  // or below (never less than one row)
        {124, 142, 2},  // one row more: 18 pixels higher
        {125, 142, 1},  // 17 pixels: still one
        {106, 142, 3}, {88, 142, 4},
    };
    for (const Case& c : cases) EXPECT_EQ(c.lines, MenuLinesCount(c.firstBottom, c.clientTop, 18)) << c.firstBottom;
    EXPECT_EQ(1, MenuLinesCount(0, 100, 0)) << "no row height: one row";
}

TEST(MenuLine, BandUnderTheTitleBetweenTheBordersAndItemPlaces) {
    const TFrameMetrics m = Metrics();
    // frame 4, caption 19: the title ends at 23; one row of 18 (the system's 19 with its line).
    const TFrameState one = WithMenu(1);
    EXPECT_EQ(18, MenuHeight(one, m));
    EXPECT_EQ(fw::TRect(4, 23, 296, 42), MenuLineRect(one, m, 23 + 19));
    // Two rows reach at least two row heights even when told a higher client top.
    EXPECT_EQ(fw::TRect(4, 23, 296, 59), MenuLineRect(WithMenu(2), m, 50));
    // No menu line, or iconic: no band.
    EXPECT_TRUE(MenuLineRect(WithMenu(0), m, 42).Width() <= 0);
    TFrameState iconic = WithMenu(1);
    iconic.Iconic = true;
    EXPECT_TRUE(MenuLineRect(iconic, m, 42).Width() <= 0);
    // An item at window (40, 23) lies at (36, 0) of the band's image; one of the second row 18 lower.
    EXPECT_EQ(fw::TPoint(36, 0), MenuLineItemOrigin(fw::TRect(40, 23, 80, 41), one, m));
    EXPECT_EQ(fw::TPoint(4, 18), MenuLineItemOrigin(fw::TRect(8, 41, 50, 59), WithMenu(2), m));
}

TEST(MenuLine, HitTestRowsOfOneAndTwoLines) {
    const TFrameMetrics m = Metrics();
    const TFrameSkin k;
    for (int lines : {1, 2}) {
        const TFrameState s = WithMenu(lines);
        const TTitleButtons b = Buttons(s, k);
        struct Row {
            int y, code;
        } rows[] = {
            {10, HTCAPTION},                                // the title
            {23, HTMENU},                                   // the first row's top
            {30, HTMENU},                                   // inside it
            {23 + 18, HTMENU},                              // its last pixel
            {23 + lines * 18 + 1, HTCLIENT},                // below the rows
            {23 + 18 + 5, lines == 2 ? HTMENU : HTCLIENT},  // the second row, when there is one
        };
        for (const Row& r : rows)
            EXPECT_EQ(r.code, FrameHitTest(s, m, k, b, fw::TPoint(150, r.y))) << lines << " lines, y " << r.y;
    }
}
