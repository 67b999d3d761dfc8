// Where an MDI child's outline lies on the screen: its place in the MDI
// client moved by the parent window's screen place, the parent's frame,
// title, menu rows and BorderWidth, the client's place among the parent's
// aligned controls and the client's sunken edge.
#include <gtest/gtest.h>

#include "FrameFixtures.h"
#include "skin/forms/sOutline.h"

using namespace skin;
using namespace formstest;

TEST(MDIOutline, ShiftFromTheChildsClientToTheScreen) {
    struct Case {
        const char* name;
        fw::TFormBorderStyle bs;
        int menuLines, borderWidth, vscroll;
        fw::TPoint clientInParent;
        int edge;
        fw::TPoint shift;
    };
    // A 400 x 300 parent at (100, 50); frames 4 (sizeable) and 3 (single),
    // title 19, menu rows 19.
    const Case cases[] = {
        {"no menu", fw::bsSizeable, 0, 0, 0, {0, 0}, 2, {106, 75}},
        {"one menu row", fw::bsSizeable, 1, 0, 0, {0, 0}, 2, {106, 94}},
        {"two menu rows", fw::bsSizeable, 2, 0, 0, {0, 0}, 2, {106, 113}},
        {"BorderWidth 3", fw::bsSizeable, 1, 3, 0, {0, 0}, 2, {109, 97}},
        {"under a toolbar, no edge", fw::bsSizeable, 0, 0, 0, {0, 30}, 0, {104, 103}},
        {"right of a side panel", fw::bsSizeable, 1, 0, 0, {80, 0}, 2, {186, 94}},
        {"single frame", fw::bsSingle, 0, 0, 0, {0, 0}, 2, {105, 74}},
        {"own vertical bar", fw::bsSizeable, 0, 0, 17, {0, 0}, 2, {106, 75}},
    };
    const TFrameMetrics m = Metrics();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFrameState s = State(c.bs, kAllIcons, 400, 300);
        s.MenuLine = c.menuLines > 0;
        s.MenuLines = c.menuLines;
        s.ClientHeight -= c.menuLines * m.CyMenu + 2 * c.borderWidth;
        s.ClientWidth -= 2 * c.borderWidth + c.vscroll;
        s.FormBorderWidth = c.borderWidth;
        s.VScrollWidth = c.vscroll;
        const fw::TPoint p = MDIOutlineShift(s, m, fw::TPoint(100, 50), c.clientInParent, c.edge);
        EXPECT_EQ(p.X, c.shift.X);
        EXPECT_EQ(p.Y, c.shift.Y);
    }
}
