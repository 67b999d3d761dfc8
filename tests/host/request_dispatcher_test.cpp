// The request dispatcher against a recording host: which service each request
// reaches, with which fields, and the shell fallback of "exec".
#include "host/RequestDispatcher.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/rtl/Exception.h"

namespace {

using fw::String;
using Calls = std::vector<String>;

// Writes every call as "Name(field|field...)".
class RecordingHost : public host::RequestHost {
public:
    Calls calls;
    // Shell answers, consumed in order; past them the shell succeeds (42).
    std::vector<int> shellResults;
    int findResult = 31;
    String foundProgram;
    std::function<void(const String&)> onShowMessage;

    void SetVariable(const String& n, const String& v) override { add(L"SetVariable", {n, v}); }
    void CallFunction(const String& r) override { add(L"CallFunction", {r}); }
    void SetMoveSkinText(const String& t) override { add(L"SetMoveSkinText", {t}); }
    void Maximize() override { add(L"Maximize", {}); }
    void Close() override { add(L"Close", {}); }
    void BringToFrontAfterPause() override { add(L"BringToFrontAfterPause", {}); }
    void ShowMessage(const String& t) override {
        add(L"ShowMessage", {t});
        if (onShowMessage) onShowMessage(t);
    }
    void ShowError(const String& t) override { add(L"ShowError", {t}); }
    String FirstArgument() override { return L"-p12"; }
    String ExeFolder() override { return L"C:\\Viewer\\"; }
    void SetCurrentFolder(const String& f) override { add(L"SetCurrentFolder", {f}); }
    int ShellOpen(const String& file, const String& params) override {
        add(L"ShellOpen", {file, params});
        if (shellResults.empty()) return 42;
        int r = shellResults.front();
        shellResults.erase(shellResults.begin());
        return r;
    }
    int FindProgramFor(const String& file, String& program) override {
        add(L"FindProgramFor", {file});
        if (findResult > 32) program = foundProgram;
        return findResult;
    }
    void RunPDF(const String& p, const String& f) override { add(L"RunPDF", {p, f}); }
    void OpenPopUp(const String& m, const String& p) override { add(L"OpenPopUp", {m, p}); }
    void FormControl(const String& t) override { add(L"FormControl", {t}); }
    void ImgCopy(const String& i) override { add(L"ImgCopy", {i}); }
    void DocCopy(const String& d) override { add(L"DocCopy", {d}); }
    void FileCopy(const String& s, const String& f) override { add(L"FileCopy", {s, f}); }
    void FileCopyModal(const String& s, const String& f, const String& shown) override {
        add(L"FileCopyModal", {s, f, shown});
    }
    void SaveTextFile(const String& n, const String& f) override { add(L"SaveTextFile", {n, f}); }
    void LoadTextFile() override { add(L"LoadTextFile", {}); }
    void SearchList(const String& s) override { add(L"SearchList", {s}); }
    void TxtListSaveToFile(const String& s, const String& x) override { add(L"TxtListSaveToFile", {s, x}); }
    void ShowProgram(const String& p, const String& a) override { add(L"ShowProgram", {p, a}); }
    void ScrapStart(const String& s) override { add(L"ScrapStart", {s}); }
    void ScrapData(const String& d) override { add(L"ScrapData", {d}); }
    void ScrapEnd() override { add(L"ScrapEnd", {}); }
    void RecordingStart() override { add(L"RecordingStart", {}); }
    void RecordingStop() override { add(L"RecordingStop", {}); }

private:
    void add(const String& name, const std::vector<String>& fields) {
        String call = name + L"(";
        for (size_t i = 0; i < fields.size(); ++i) call += (i ? L"|" : L"") + fields[i];
        calls.push_back(call + L")");
    }
};

struct Case {
    const wchar_t* command;
    const wchar_t* args;
    Calls expected;
};

void ExpectTable(const std::vector<Case>& table) {
    for (const Case& c : table) {
        RecordingHost host;
        host::DispatchFSCommand(host, c.command, c.args);
        EXPECT_EQ(host.calls, c.expected) << "fs " << std::wstring(c.command) << " " << std::wstring(c.args);
    }
}

}  // namespace

TEST(RequestDispatcher, CommandWordsOfTheirOwn) {
    ExpectTable({
        // RunPDF takes its text as sent: no "\" for "/".
        {L"RunPDF", L"page=5@@@manual/guide.pdf", {L"RunPDF(page=5|manual/guide.pdf)"}},
        {L"RunPDF", L"page=5", {L"RunPDF(page=5|)"}},
        // The pop-up's movie is a path; its parameter (a page or Flash variables) is not.
        {L"function", L"PopUpForm@@@books/extra.swf@@@7", {L"OpenPopUp(books\\extra.swf|7)"}},
        {L"function", L"PopUpForm@@@extra.swf@@@7@@@9", {L"OpenPopUp(extra.swf|7)"}},
        {L"function",
         L"PopUpForm@@@extra.swf@@@page=3&url=http://a/b",
         {L"OpenPopUp(extra.swf|page=3&url=http://a/b)"}},
        {L"function", L"PopUpForm@@@extra.swf", {L"OpenPopUp(extra.swf|)"}},
        {L"function", L"popupform@@@extra.swf@@@7", {}},
        {L"function", L"function_alert@@@Hello", {}},
        {L"formcontrol", L"wsMaximized", {L"FormControl(wsMaximized)"}},
        {L"formcontrol", L"function_full", {L"FormControl(function_full)"}},
        {L"MoveSkin", L"books/m.swf", {L"SetMoveSkinText(books\\m.swf)"}},
        // Command words are compared exactly.
        {L"runpdf", L"page=5@@@manual/guide.pdf", {}},
        {L"Function", L"PopUpForm@@@extra.swf@@@7", {}},
    });
}

TEST(RequestDispatcher, WholeTextRequestsMustBeTheWholeText) {
    ExpectTable({
        {L"x", L"function_full", {L"Maximize()"}},
        {L"exec", L"function_close", {L"Close()"}},
        {L"", L"function_forward", {L"BringToFrontAfterPause()"}},
        {L"x", L"function_close@@@x", {}},
        {L"x", L"function_full@@@", {}},
        {L"x", L"Function_close", {}},
    });
}

TEST(RequestDispatcher, ServiceTableSplitsFieldsAndTurnsSlashesOnlyInPaths) {
    ExpectTable({
        {L"x", L"function_imgcopy@@@pics/p1.jpg", {L"ImgCopy(pics\\p1.jpg)"}},
        {L"x", L"function_doccopy@@@docs/report.HWP", {L"DocCopy(docs\\report.HWP)"}},
        {L"x", L"function_copyfile@@@docs/a@@@Manual.PDF", {L"FileCopy(docs\\a|Manual.PDF)"}},
        {L"x", L"function_copyfile@@@Manual.PDF", {L"FileCopy(|Manual.PDF)"}},
        // The prompt's message shows the file as the movie wrote it.
        {L"x", L"function_copyfileModal@@@docs@@@v2/Manual.PDF", {L"FileCopyModal(docs|v2\\Manual.PDF|v2/Manual.PDF)"}},
        {L"x", L"function_copyfileModal@@@Manual.PDF", {L"FileCopyModal(|Manual.PDF|Manual.PDF)"}},
        // A note keeps its dates; its file name is a path.
        {L"x",
         L"function_saveTextFile@@@2010/05/01 메모@@@notes/a.txt",
         {L"SaveTextFile(2010/05/01 메모|notes\\a.txt)"}},
        {L"x", L"function_saveTextFile@@@no name", {L"SaveTextFile(no name|)"}},
        {L"x", L"function_loadTextFile", {L"LoadTextFile()"}},
        {L"x", L"function_loadTextFile@@@ignored", {L"LoadTextFile()"}},
        {L"x", L"function_searchList@@@notes/2010", {L"SearchList(notes\\2010)"}},
        {L"x", L"function_InputParameter", {L"SetVariable(변수명|-p12)"}},
        {L"x", L"function_TxtListSaveToFile@@@notes/a@@@1.txt", {L"TxtListSaveToFile(notes\\a|1.txt)"}},
        {L"x", L"function_show@@@tools/v.exe@@@docs/b.hwp", {L"ShowProgram(tools\\v.exe|docs\\b.hwp)"}},
        {L"x", L"function_alert@@@2010/05/01 <b> & \"q\"", {L"ShowMessage(2010/05/01 <b> & \"q\")"}},
        {L"x", L"function_alert@@@a@@@b", {L"ShowMessage(a@@@b)"}},
        {L"x", L"function_alert", {L"ShowMessage()"}},
        {L"x", L"function_scrapsave_start@@@3,2", {L"ScrapStart(3,2)"}},
        {L"x", L"function_scrapsave_data@@@FF0000,00FF00", {L"ScrapData(FF0000,00FF00)"}},
        {L"x", L"function_scrapsave_end@@@x", {L"ScrapEnd()"}},
        {L"x", L"function_recording_start", {L"RecordingStart()"}},
        {L"x", L"function_recording_stop", {L"RecordingStop()"}},
        // Names are looked up before the shell, whatever the command word.
        {L"exec", L"function_alert@@@Hello", {L"ShowMessage(Hello)"}},
    });
}

TEST(RequestDispatcher, UnknownRequestsAreIgnoredExceptForExec) {
    ExpectTable({
        {L"x", L"function_unknown@@@a", {}},
        {L"x", L"FUNCTION_ALERT@@@a", {}},
        {L"x", L"C:/books/guide.hwp", {}},
        {L"x", L"", {}},
        {L"Exec", L"C:/books/guide.hwp", {}},
        {L"exec", L"", {}},
    });
}

TEST(RequestDispatcher, ExecOpensTheTargetWithTheShell) {
    ExpectTable({
        {L"exec", L"C:/books/guide.hwp", {L"SetCurrentFolder(C:\\Viewer\\)", L"ShellOpen(C:\\books\\guide.hwp|)"}},
        {L"exec",
         L"file://C|/books/guide.hwp",
         {L"SetCurrentFolder(C:\\Viewer\\)", L"ShellOpen(C:\\books\\guide.hwp|)"}},
        {L"exec",
         L"notepad.exe@@@a.txt@@@b.txt",
         {L"SetCurrentFolder(C:\\Viewer\\)", L"ShellOpen(notepad.exe|a.txt b.txt)"}},
        {L"exec", L"notepad.exe@@@a.txt", {L"SetCurrentFolder(C:\\Viewer\\)", L"ShellOpen(notepad.exe|a.txt)"}},
        {L"exec", L"v.exe@@@a@@@b@@@c", {L"SetCurrentFolder(C:\\Viewer\\)", L"ShellOpen(v.exe|a b@@@c)"}},
        {L"exec", L"function_close@@@x", {L"SetCurrentFolder(C:\\Viewer\\)", L"ShellOpen(function_close|x)"}},
    });
}

TEST(RequestDispatcher, ShellTargetTransforms) {
    struct Case {
        const wchar_t *args, *file, *parameters;
    } cases[] = {
        {L"xx file:\\\\C|\\a\\b.hwp", L"C:\\a\\b.hwp", L""},
        {L"file:\\\\D|\\x file:\\\\y", L"D:\\x file:\\\\y", L""},
        {L"a|b@@@c|d@@@e", L"a:b", L"c|d e"},
        {L"@@@p", L"", L"p"},
    };
    for (const Case& c : cases) {
        host::ShellTarget t = host::ShellTargetFromArgs(c.args);
        EXPECT_EQ(t.File, c.file) << c.args;
        EXPECT_EQ(t.Parameters, c.parameters) << c.args;
    }
}

TEST(RequestDispatcher, WhenTheShellCannotOpenTheAssociatedProgramIsAsked) {
    RecordingHost found;
    found.shellResults = {31};
    found.findResult = 42;
    found.foundProgram = L"C:\\tools\\logargs.exe";
    host::DispatchFSCommand(found, L"exec", L"C:/my docs/a.kvbt@@@ignored@@@too");
    EXPECT_EQ(found.calls, (Calls{L"SetCurrentFolder(C:\\Viewer\\)", L"ShellOpen(C:\\my docs\\a.kvbt|ignored too)",
                                  L"FindProgramFor(C:\\my docs\\a.kvbt)",
                                  L"ShellOpen(C:\\tools\\logargs.exe|\"C:\\my docs\\a.kvbt\")"}));

    RecordingHost none;
    none.shellResults = {31};
    host::DispatchFSCommand(none, L"exec", L"C:/a.zzq");
    EXPECT_EQ(none.calls,
              (Calls{L"SetCurrentFolder(C:\\Viewer\\)", L"ShellOpen(C:\\a.zzq|)", L"FindProgramFor(C:\\a.zzq)",
                     String(L"ShowError(") + host::kNoProgramMessage + L")"}));

    RecordingHost opened;
    host::DispatchFSCommand(opened, L"exec", L"C:/a.kvbt");
    EXPECT_EQ(opened.calls.size(), 2u) << "no lookup after a successful open";
}

TEST(RequestDispatcher, AServiceThatThrowsLeavesItToTheCallerAndTheNextRequestIsServed) {
    RecordingHost host;
    host.onShowMessage = [](const String&) { throw fw::EConvertError(L"'x' is not a valid integer value"); };
    EXPECT_THROW(host::DispatchFSCommand(host, L"x", L"function_alert@@@boom"), fw::EConvertError);
    host::DispatchFSCommand(host, L"x", L"function_InputParameter");
    EXPECT_EQ(host.calls, (Calls{L"ShowMessage(boom)", L"SetVariable(변수명|-p12)"}));
}

TEST(RequestDispatcher, ARequestArrivingInsideAnotherRequestsDialogIsServed) {
    // The message dialog runs a nested loop in which the movie fires again.
    RecordingHost host;
    int depth = 0;
    host.onShowMessage = [&](const String&) {
        if (depth++ == 0) host::DispatchFSCommand(host, L"exec", L"function_alert@@@second");
        host::DispatchFSCommand(host, L"x", L"function_full");
    };
    host::DispatchFSCommand(host, L"x", L"function_alert@@@first");
    EXPECT_EQ(host.calls, (Calls{L"ShowMessage(first)", L"ShowMessage(second)", L"Maximize()", L"Maximize()"}));
}
