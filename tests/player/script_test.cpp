// Reading scripted movies, and stepping them against a fake host.
#include "player/Script.h"
#include "player/ScriptRunner.h"

#include <gtest/gtest.h>

#include <functional>

using namespace player;
using V = ScriptStep::Verb;

TEST(ScriptParse, ReadsEveryVerbAndSkipsCommentsAndBlanks) {
    auto steps = ParseScript(
        L"#standin-script\r\n"
        L"\n"
        L"# a comment\n"
        L"fs exec function_saveTextFile@@@hello world@@@a.txt\n"
        L"wait 200\n"
        L"expect-var saveSuccess success\n"
        L"expect-var \"변수명\" \"a b\" 900\n"
        L"expect-call onRecordComplete 100\n"
        L"probe window\n"
        L"dialog msgbox expect=\"파일이 저장되었습니다.\" press=OK\n"
        L"dialog save name=\"Z:\\tmp\\x.jpg\" expect-filter=\"JPG\" press=Cancel\n"
        L"dialog form caption=\"파일 다운로드\" press=\"저장\"\n"
        L"return-error on\n"
        L"end\n");
    ASSERT_EQ(steps.size(), 11u);
    EXPECT_EQ(steps[0].verb, V::Fs);
    EXPECT_EQ(steps[0].args[0], L"exec");
    EXPECT_EQ(steps[0].rest, L"function_saveTextFile@@@hello world@@@a.txt");
    EXPECT_EQ(steps[0].lineNumber, 4);
    EXPECT_EQ(steps[1].verb, V::Wait);
    EXPECT_EQ(steps[2].verb, V::ExpectVar);
    EXPECT_EQ(steps[3].args, (std::vector<std::wstring>{L"변수명", L"a b", L"900"}));
    EXPECT_EQ(steps[4].verb, V::ExpectCall);
    EXPECT_EQ(steps[5].verb, V::Probe);
    EXPECT_EQ(steps[6].verb, V::DialogMsgbox);
    EXPECT_EQ(steps[6].Named(L"expect"), L"파일이 저장되었습니다.");
    EXPECT_EQ(steps[7].verb, V::DialogSave);
    EXPECT_EQ(steps[7].Named(L"name"), L"Z:\\tmp\\x.jpg");
    EXPECT_EQ(steps[7].Named(L"press"), L"Cancel");
    EXPECT_EQ(steps[8].verb, V::DialogForm);
    EXPECT_EQ(steps[8].Named(L"press"), L"저장");
    EXPECT_EQ(steps[9].verb, V::ReturnError);
    EXPECT_EQ(steps[10].verb, V::End);
}

TEST(ScriptParse, UnreadableLinesBecomeInvalidSteps) {
    const wchar_t* bad[] = {
        L"fs",                                       // no command
        L"wait",                                     // no time
        L"expect-var onlyname",                      // no value
        L"probe desk",                               // unknown probe
        L"dialog msgbox expect=\"x\"",               // no press
        L"dialog save press=OK",                     // no name
        L"dialog form press=OK caption=\"unclosed",  // unclosed quote
        L"return-error maybe",
        L"end now",
        L"dance",
    };
    for (const wchar_t* line : bad) {
        auto steps = ParseScript(std::wstring(L"#standin-script\n") + line);
        ASSERT_EQ(steps.size(), 1u) << line;
        EXPECT_EQ(steps[0].verb, V::Invalid) << line;
    }
}

TEST(ScriptParse, OnlyTextStartingWithTheMarkerIsAScript) {
    EXPECT_TRUE(IsScript(L"#standin-script\nend"));
    EXPECT_TRUE(IsScript(L"\xFEFF#standin-script\nend"));
    EXPECT_FALSE(IsScript(L"FWS\x09"));
    EXPECT_FALSE(IsScript(L" #standin-script"));
    EXPECT_FALSE(IsScript(L""));
}

namespace {

struct FakeHost : ScriptHost {
    DWORD now = 1000;
    std::vector<std::wstring> journal;
    std::vector<HostCall> calls;
    std::vector<std::pair<std::wstring, std::wstring>> fired;
    std::function<void()> onFire;
    DialogState dialog = DialogState::Pending;
    bool returnError = false;
    int closeBoxClicks = 0;
    bool hasCloseBox = true;

    DWORD Now() override { return now; }
    void FireFSCommand(const std::wstring& c, const std::wstring& a) override {
        fired.emplace_back(c, a);
        if (onFire) onFire();
    }
    void Journal(const std::wstring& t) override { journal.push_back(t); }
    const std::vector<HostCall>& Calls() override { return calls; }
    std::wstring ProbeWindow() override { return L"zoomed=1"; }
    std::wstring ShootWindow(const std::wstring& name) override { return L"shot " + name; }
    void SetReturnError(bool on) override { returnError = on; }
    bool ClickCloseBox() override {
        ++closeBoxClicks;
        return hasCloseBox;
    }
    DialogState AnswerDialog(const ScriptStep&, std::wstring& error) override {
        if (dialog == DialogState::Failed) error = L"wrong text";
        return dialog;
    }
};

std::vector<ScriptStep> script(const wchar_t* body) { return ParseScript(std::wstring(L"#standin-script\n") + body); }

}  // namespace

TEST(ScriptRunner, FiresOneRequestPerTickAndWaitsByTheClock) {
    FakeHost host;
    ScriptRunner runner(script(L"fs a 1\nfs b 2\nwait 100\nprobe window\nend"), host);
    runner.Tick();
    EXPECT_EQ(host.fired.size(), 1u);
    runner.Tick();
    ASSERT_EQ(host.fired.size(), 2u);
    EXPECT_EQ(host.fired[1], std::make_pair(std::wstring(L"b"), std::wstring(L"2")));
    runner.Tick();  // the wait starts
    host.now += 99;
    runner.Tick();
    EXPECT_TRUE(host.journal.empty());
    host.now += 1;
    runner.Tick();
    EXPECT_EQ(host.journal, (std::vector<std::wstring>{L"probe zoomed=1", L"END"}));
    EXPECT_TRUE(runner.Finished());
}

TEST(ScriptRunner, AClickOnTheCloseBoxIsJournalledBeforeItEndsTheTick) {
    // The click may close the window and end the script: the journal has it
    // first, and the tick ends with it.
    FakeHost host;
    ScriptRunner runner(script(L"click close-box\nclick close-box\nend"), host);
    runner.Tick();
    EXPECT_EQ(host.closeBoxClicks, 1);
    EXPECT_EQ(host.journal, (std::vector<std::wstring>{L"click close-box"}));
    host.hasCloseBox = false;
    runner.Tick();
    ASSERT_EQ(host.journal.size(), 2u + 1u);
    EXPECT_EQ(host.journal[2], L"FAIL line 3: no close box: click close-box");
    EXPECT_EQ(ScriptStep::Verb::Invalid, script(L"click title").back().verb);
}

TEST(ScriptRunner, ExpectationsConsumeCallsInOrderOrFailAfterTheirTimeout) {
    FakeHost host;
    ScriptRunner runner(script(L"expect-var page 7\nexpect-var page 7 50\nexpect-call goPage\nend"), host);
    host.calls.push_back({HostCall::Kind::SetVariable, L"page", L"7"});
    host.calls.push_back({HostCall::Kind::CallFunction, L"<invoke name=\"goPageLink_KVB\"/>", L""});
    runner.Tick();  // the first expectation takes the only page=7; the second waits
    EXPECT_TRUE(host.journal.empty());
    host.now += 50;
    runner.Tick();
    ASSERT_EQ(host.journal.size(), 2u);
    EXPECT_EQ(host.journal[0], L"FAIL line 3: timed out: expect-var page 7 50");
    EXPECT_EQ(host.journal[1], L"END");
}

TEST(ScriptRunner, ATickInsideARequestRunsTheFollowingSteps) {
    // The host opens a modal dialog inside its handler; the player's timer
    // keeps ticking in that loop and must answer the dialog.
    FakeHost host;
    ScriptRunner runner(script(L"fs exec function_alert@@@hi\ndialog msgbox press=OK\nend"), host);
    host.dialog = ScriptHost::DialogState::Done;
    int nested = 0;
    host.onFire = [&] {
        ++nested;
        runner.Tick();
    };
    runner.Tick();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(host.journal, (std::vector<std::wstring>{L"END"}));
    EXPECT_TRUE(runner.Finished());
}

TEST(ScriptRunner, DialogFailuresAndUnreadableLinesAreJournalledAndSkipped) {
    FakeHost host;
    ScriptRunner runner(script(L"dance\ndialog msgbox press=OK\nreturn-error on\nend"), host);
    host.dialog = ScriptHost::DialogState::Failed;
    runner.Tick();
    ASSERT_EQ(host.journal.size(), 3u);
    EXPECT_EQ(host.journal[0], L"FAIL line 2: cannot read: dance");
    EXPECT_EQ(host.journal[1], L"FAIL line 3: wrong text");
    EXPECT_TRUE(host.returnError);
}

TEST(ScriptRunner, ShotsAreJournalledAndAPhotographedDialogIsGivenTimeToPaint) {
    FakeHost host;
    ScriptRunner runner(script(L"shot popup\ndialog msgbox shot=\"alert\" press=OK\nend"), host);
    host.dialog = ScriptHost::DialogState::Done;
    runner.Tick();
    EXPECT_EQ(host.journal, (std::vector<std::wstring>{L"shot popup"}));
    host.now += ScriptRunner::kShotSettle - 1;
    runner.Tick();
    EXPECT_EQ(host.journal.size(), 1u) << "answered before it could paint";
    host.now += 1;
    runner.Tick();
    EXPECT_EQ(host.journal, (std::vector<std::wstring>{L"shot popup", L"END"}));
}
