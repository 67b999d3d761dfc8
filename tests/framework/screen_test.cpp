// The screen object: metrics and the cursor table. Form bookkeeping is
// tested with the forms.
#include "framework/windows/Screen.h"

#include <gtest/gtest.h>

#include "framework/windows/Forms.h"

using namespace fw;

TEST(Screen, MetricsComeFromTheSystem) {
    EXPECT_EQ(Screen->Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(Screen->Height(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(Screen->Width(), 0);
    EXPECT_EQ(Screen->DesktopWidth(), GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(Screen->DesktopHeight(), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    TRect work = Screen->WorkAreaRect();
    EXPECT_FALSE(work.IsEmpty());
    EXPECT_LE(work.Width(), Screen->DesktopWidth());
    EXPECT_EQ(Screen->ClassName(), L"TScreen");
}

TEST(Screen, CursorsMapToSystemCursors) {
    EXPECT_EQ(Screen->Cursors(crDefault), LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(Screen->Cursors(crHourGlass), LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_EQ(Screen->Cursors(crHandPoint), LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(Screen->Cursors(crSizeWE), LoadCursorW(nullptr, IDC_SIZEWE));
    EXPECT_EQ(Screen->Cursors(crNone), nullptr);

    EXPECT_EQ(Screen->Cursor(), crDefault);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    Screen->SetCursor(crDefault);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(Screen, FormsOutOfRangeRaise) {
    EXPECT_THROW(Screen->CustomForms(Screen->CustomFormCount()), EListError);
    EXPECT_THROW(Screen->Forms(-1), EListError);
}
