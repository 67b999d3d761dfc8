// The library's message boxes, answered through the framework's dialog seam:
// flags, captions, the pressed button's result and the shortcuts built on them.
#include "skin/engine/MessageDialogs.h"

#include <gtest/gtest.h>

#include "framework/windows/DialogSeam.h"
#include "skin/engine/SystemUtils.h"

using namespace skin;
using fw::String;
namespace DialogSeam = fw::DialogSeam;

namespace {

const DialogSeam::Request& Last() { return DialogSeam::Log().back(); }

TEST(MessageDialogs, ReturnsTheButtonPressed) {
    DialogSeam::Scope seam;
    for (int pressed : {IDYES, IDNO, IDCANCEL}) {
        DialogSeam::Push(pressed);
        EXPECT_EQ(sMessageDlg(L"Save?", fw::mtConfirmation, fw::mbYesNoCancel, 0), pressed);
        EXPECT_EQ(Last().kind, DialogSeam::Kind::MessageBox);
        EXPECT_EQ(Last().Buttons & MB_TYPEMASK, UINT(MB_YESNOCANCEL));
    }
    DialogSeam::Push(IDOK);
    EXPECT_EQ(sMessageDlg(L"Done", fw::mtInformation, fw::TMsgDlgButtons{fw::mbOK}, 0), IDOK);
}

TEST(MessageDialogs, FlagsForTypesAndButtons) {
    using fw::TMsgDlgButtons;
    struct Case {
        fw::TMsgDlgType type;
        TMsgDlgButtons buttons;
        UINT flags;
    } cases[] = {
        {fw::mtWarning, {fw::mbOK}, MB_ICONWARNING | MB_OK},
        {fw::mtError, {fw::mbOK, fw::mbCancel}, MB_ICONERROR | MB_OKCANCEL},
        {fw::mtInformation, {fw::mbOK, fw::mbYes}, MB_ICONINFORMATION | MB_OK},  // only OK shows
        {fw::mtConfirmation, {fw::mbYes, fw::mbNo}, MB_ICONQUESTION | MB_YESNO},
        {fw::mtConfirmation, {fw::mbNo, fw::mbCancel}, MB_ICONQUESTION | MB_YESNOCANCEL},
        {fw::mtCustom, {fw::mbIgnore}, MB_ABORTRETRYIGNORE},
        {fw::mtCustom, {fw::mbAbort, fw::mbYes}, MB_ABORTRETRYIGNORE},
        {fw::mtCustom, {fw::mbRetry}, MB_RETRYCANCEL},
        {fw::mtCustom, {fw::mbAll, fw::mbClose}, MB_OK},
        {fw::mtCustom, {}, MB_OK},
        {fw::mtWarning, {fw::mbOK, fw::mbHelp}, MB_ICONWARNING | MB_OK | MB_HELP},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sMsgDlgFlags(c.type, c.buttons), c.flags | MB_TOPMOST | MB_SETFOREGROUND)
            << c.type << " " << c.buttons.Bits();
}

TEST(MessageDialogs, CaptionIsTheTitleOrTheTypesDefault) {
    DialogSeam::Scope seam;
    struct Case {
        fw::TMsgDlgType type;
        const wchar_t* caption;
    } cases[] = {
        {fw::mtWarning, L"Warning"},      {fw::mtError, L"Error"}, {fw::mtInformation, L"Information"},
        {fw::mtConfirmation, L"Confirm"}, {fw::mtCustom, L""},
    };
    for (const Case& c : cases) {
        sMessageDlg(L"text", c.type, fw::TMsgDlgButtons{fw::mbOK}, 0);
        EXPECT_EQ(Last().Caption, c.caption);
        EXPECT_EQ(Last().Text, L"text");
    }
    sMessageDlg(L"\xC81C\xBAA9", L"\xBCF8\xBB38", fw::mtError, fw::TMsgDlgButtons{fw::mbOK}, 0);
    EXPECT_EQ(Last().Caption, L"\xC81C\xBAA9");
    EXPECT_EQ(Last().Text, L"\xBCF8\xBB38");
}

TEST(MessageDialogs, ShowMessageIsAPlainOkBoxAndThePositionLastsOneBox) {
    DialogSeam::Scope seam;
    sShowMessage(L"hello");
    EXPECT_EQ(Last().Caption, L"");
    EXPECT_EQ(Last().Buttons, UINT(MB_OK | MB_TOPMOST | MB_SETFOREGROUND)) << "no icon";
    sShowMessageFmt(L"T", L"%d files", {3});
    EXPECT_EQ(Last().Caption, L"T");
    EXPECT_EQ(Last().Text, L"3 files");

    EXPECT_EQ(DlgLeft, -1);
    sShowMessagePos(L"here", 100, 50);
    EXPECT_EQ(DlgLeft, -1) << "reset after the box";
    EXPECT_EQ(DlgTop, -1);
}

TEST(MessageDialogs, ShortcutsOfTheLibrary) {
    DialogSeam::Scope seam;
    ShowWarning(L"careful");
    EXPECT_EQ(Last().Buttons, UINT(MB_ICONWARNING | MB_OK | MB_TOPMOST | MB_SETFOREGROUND));
    ShowError(L"broken");
    EXPECT_EQ(Last().Caption, L"Error");
    Alert();
    EXPECT_EQ(Last().Text, L"Alert");
    Alert(-12);
    EXPECT_EQ(Last().Text, L"-12");

    DialogSeam::Push(IDYES);
    EXPECT_TRUE(DeleteRequest());
    EXPECT_EQ(Last().Text, L"Delete this item?");
    EXPECT_EQ(Last().Buttons & MB_TYPEMASK, UINT(MB_YESNO));
    DialogSeam::Push(IDNO);
    EXPECT_FALSE(CustomRequest(L"Really?"));
    DialogSeam::Push(IDCANCEL);
    EXPECT_FALSE(CustomRequest(L"Really?"));
}

TEST(SystemQueries, CaptionFontAndWow64) {
    EXPECT_NE(GetCaptionFontSize(), 0);
    HFONT font = acGetTitleFont();
    ASSERT_NE(font, nullptr);
    LOGFONTW lf{};
    ASSERT_NE(GetObjectW(font, sizeof(lf), &lf), 0);
    EXPECT_EQ(lf.lfHeight, GetCaptionFontSize());
    DeleteObject(font);
    // The 32-bit test prefix: not WOW64, so glowing stays on.
    EXPECT_FALSE(IsWOW64Proc());
}

int timerTicks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++timerTicks; }

TEST(SystemQueries, DelayProcessesMessagesUntilTheTimeHasPassed) {
    timerTicks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, CountTick);
    DWORD elapsed = Delay(100);
    KillTimer(nullptr, timer);
    EXPECT_GE(elapsed, 100u);
    EXPECT_LT(elapsed, 2000u);
    EXPECT_GT(timerTicks, 0) << "timer messages were dispatched while waiting";
}

}  // namespace

TEST(MessageDialogs, InputBoxGivesTheAnswerOrTheDefault) {
    DialogSeam::Scope seam;
    DialogSeam::PushText(L"Blue");
    DialogSeam::PushCancel();
    EXPECT_EQ(sInputBox(L"Skin", L"Name of the skin:", L"Office"), L"Blue");
    EXPECT_EQ(sInputBox(L"Skin", L"Name of the skin:", L"Office"), L"Office");
    String value = L"x";
    EXPECT_FALSE(sInputQuery(L"Skin", L"Name:", value));  // nothing queued: cancelled
    EXPECT_EQ(value, L"x");
    ASSERT_EQ(DialogSeam::Log().size(), 3u);
    EXPECT_EQ(DialogSeam::Log()[0].kind, DialogSeam::Kind::InputQuery);
    EXPECT_EQ(DialogSeam::Log()[0].Caption, L"Skin");
    EXPECT_EQ(DialogSeam::Log()[0].Text, L"Name of the skin:");
}
