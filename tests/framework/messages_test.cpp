// The message record, its typed views and the numbers other code compares.
#include "framework/windows/Messages.h"

#include <gtest/gtest.h>

using namespace fw;

TEST(Messages, NumbersOtherCodeComparesAreFixed) {
    struct {
        UINT actual, expected;
        const char* name;
    } table[] = {
        {CM_ACTIVATE, 0xB000, "CM_ACTIVATE"},
        {CM_FOCUSCHANGED, 0xB007, "CM_FOCUSCHANGED"},
        {CM_ENABLEDCHANGED, 0xB00C, "CM_ENABLEDCHANGED"},
        {CM_FONTCHANGED, 0xB00E, "CM_FONTCHANGED"},
        {CM_MOUSEENTER, 0xB013, "CM_MOUSEENTER"},
        {CM_MOUSELEAVE, 0xB014, "CM_MOUSELEAVE"},
        {CM_MENUCHANGED, 0xB015, "CM_MENUCHANGED"},
        {CM_UIACTIVATE, 0xB029, "CM_UIACTIVATE"},
        {CM_RECREATEWND, 0xB033, "CM_RECREATEWND"},
        {CM_MOUSEWHEEL, 0xB043, "CM_MOUSEWHEEL"},
        {CN_KEYDOWN, 0xBD00, "CN_KEYDOWN"},
        {CN_KEYUP, 0xBD01, "CN_KEYUP"},
        {CN_COMMAND, 0xBD11, "CN_COMMAND"},
    };
    for (auto& row : table) EXPECT_EQ(row.actual, row.expected) << row.name;
}

TEST(Messages, TypedViewsReadAndWriteTheSameRecord) {
    TMessage m;
    m.Msg = WM_LBUTTONDOWN;
    m.WParam = MK_LBUTTON;
    m.LParam = MAKELPARAM(WORD(-5), 7);  // a point left of the client area
    auto& mouse = reinterpret_cast<TWMMouse&>(m);
    EXPECT_EQ(mouse.XPos, -5);
    EXPECT_EQ(mouse.YPos, 7);
    mouse.Result = 42;
    EXPECT_EQ(m.Result, 42);

    // A key handler setting the key to 0 must reach the record the window procedure passes on.
    TMessage k;
    k.Msg = WM_CHAR;
    k.WParam = L'x';
    k.LParam = 0x20000001;
    reinterpret_cast<TWMKey&>(k).CharCode = 0;
    EXPECT_EQ(k.WParam, 0u);
    EXPECT_EQ(reinterpret_cast<TWMKey&>(k).KeyData, 0x20000001);
}
