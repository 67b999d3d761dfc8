// The dispatcher on a live window: a form playing the stand-in player, whose
// scripted movie fires the requests, with the real message dialogs and the
// real shell (a test file type registered to the logging stub program).
#include "host/PlayerRequestHost.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/DialogSeam.h"
#include "framework/windows/Dialogs.h"
#include "framework/windows/Timer.h"
#include "host/RequestDispatcher.h"
#include "host/WindowServices.h"
#include "live_player.h"

using namespace fw;

namespace {

String TempFolder() {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    String folder = String(dir) + L"kvb-dispatch-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

bool Contains(const std::vector<String>& lines, const String& part) {
    for (const String& line : lines)
        if (line.find(part) != String::npos) return true;
    return false;
}

BOOL CALLBACK AddMessageForm(HWND w, LPARAM p) {
    if (IsWindowVisible(w))
        if (auto* form = dynamic_cast<TMessageForm*>(FindControl(w)))
            reinterpret_cast<std::vector<TMessageForm*>*>(p)->push_back(form);
    return TRUE;
}

// The visible message dialogs of this thread.
std::vector<TMessageForm*> MessageForms() {
    std::vector<TMessageForm*> forms;
    EnumThreadWindows(GetCurrentThreadId(), AddMessageForm, reinterpret_cast<LPARAM>(&forms));
    return forms;
}

// Answers each message dialog with OK once `ready` allows it, keeping its text.
class DialogAnswerer {
public:
    std::vector<String> texts;
    std::function<bool()> ready = [] { return true; };

    DialogAnswerer() {
        timer_.SetInterval(30);
        timer_.OnTimer = TNotifyEvent(this, &DialogAnswerer::Tick);
    }

private:
    void Tick(TObject*) {
        for (TMessageForm* form : MessageForms()) {
            if (!ready() || form->ModalResult() != mrNone) continue;
            auto* label = dynamic_cast<TControl*>(form->FindComponent(L"Message"));
            texts.push_back(label ? label->Caption() : L"?");
            form->SetModalResult(mrOk);
        }
    }
    TTimer timer_{nullptr};
};

// The stand-in for the services of later units: the page capture's start
// reads its size with the framework's conversion, which raises on bad text.
class ThrowingCaptureHost : public host::PlayerRequestHost {
public:
    using PlayerRequestHost::PlayerRequestHost;
    void ScrapStart(const String& size) override {
        if (size.find(L',') == String::npos || !TryStrToInt(size.substr(0, size.find(L',')), dummy_))
            throw EConvertError(L"bad size " + size);
    }

private:
    int dummy_ = 0;
};

struct FormFree {
    void operator()(TComponent* c) const { c->Free(); }
};

class PlayerRequestHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        // As the viewer runs: the main window unowned, on the task bar.
        Application->SetMainFormOnTaskBar(true);
        folder = TempFolder();
        journal = folder + L"journal.txt";
        logargs = folder + L"logargs.log";
        DeleteFileW(journal.c_str());
        DeleteFileW(logargs.c_str());
        SetEnvironmentVariableW(L"STANDIN_JOURNAL", journal.c_str());
        SetEnvironmentVariableW(L"LOGARGS_LOG", logargs.c_str());

        form.reset(Create<TForm>(Application));
        form->SetBounds(40, 40, 400, 300);
        player = Create<host::TShockwaveFlash>(form.get());
        player->SetParent(form.get());
        player->SetAlign(alClient);
        player->OnFSCommand = host::TFlashFSCommandEvent(this, &PlayerRequestHostTest::FSCommand);
        form->Show();
    }
    void TearDown() override {
        form.reset();
        SetCurrentDirectoryW(ExeFolder().c_str());
    }

    // The main window's FSCommand handler, as the viewer connects it.
    void FSCommand(TObject*, const String& command, const String& args) {
        std::unique_ptr<host::PlayerRequestHost> host;
        if (throwingCapture)
            host = std::make_unique<ThrowingCaptureHost>(*form, *player, moveSkinText);
        else
            host = std::make_unique<host::PlayerRequestHost>(*form, *player, moveSkinText);
        host::DispatchFSCommand(*host, command, args);
    }

    // Plays a scripted movie and waits for its end.
    void RunScript(const std::string& body) {
        String path = folder + L"movie.txt";
        std::ofstream(path.c_str(), std::ios::binary) << "#standin-script\n" << body << "end\n";
        player->SetMovie(path);
        ASSERT_TRUE(PumpUntil([&] { return Contains(Journal(), L" END"); })) << "the script never ended";
    }

    std::vector<String> Journal() { return ReadUtf8Lines(journal); }
    std::vector<String> StubLog() { return ReadUtf8Lines(logargs); }
    bool WaitForStub(size_t runs) {
        return PumpUntil([&] {
            size_t ends = 0;
            for (const String& line : StubLog()) ends += line == L"end";
            return ends >= runs;
        });
    }
    static String ExeFolder() { return ExtractFilePath(ParamStr(0)); }

    // A file of the given name in the test folder; its path with "/" as the movie writes it.
    String MovieStylePath(const String& name) {
        String path = folder + name;
        std::ofstream(path.c_str()) << "x";
        String slashed = path;
        for (wchar_t& c : slashed)
            if (c == L'\\') c = L'/';
        return slashed;
    }

    String folder, journal, logargs, moveSkinText;
    std::unique_ptr<TForm, FormFree> form;
    host::TShockwaveFlash* player = nullptr;
    bool throwingCapture = false;
};

// A file type whose "open" runs the logging stub, registered for one test.
String Joined(const std::vector<String>& lines) {
    String all;
    for (const String& line : lines) all += line + L"\n";
    return all;
}

class TestFileType {
public:
    TestFileType() {
        String command = L"\"" + ExtractFilePath(ParamStr(0)) + L"logargs.exe\" \"%1\"";
        RegSetValueW(HKEY_CLASSES_ROOT, L".kvbt", REG_SZ, L"kvbtfile", 0);
        RegSetValueW(HKEY_CLASSES_ROOT, L"kvbtfile\\shell\\open\\command", REG_SZ, command.c_str(), 0);
    }
    ~TestFileType() {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"kvbtfile");
        RegDeleteKeyW(HKEY_CLASSES_ROOT, L".kvbt");
    }
};

}  // namespace

TEST_F(PlayerRequestHostTest, AlertShowsItsTextAsSentAndARequestDuringItsDialogIsServed) {
    DialogAnswerer answerer;
    // The dialog stays open until the movie's next request has been answered.
    const String answer = L"SetVariable \"변수명\" \"" + ParamStr(1) + L"\"";
    answerer.ready = [&] { return Contains(Journal(), answer); };
    RunScript(ToUtf8(L"fs exec function_alert@@@2010/05/01 <안녕> & \"hi\"\nfs x function_InputParameter\n"));
    ASSERT_TRUE(PumpUntil([&] { return !answerer.texts.empty(); }));
    EXPECT_EQ(answerer.texts, std::vector<String>{L"2010/05/01 <안녕> & \"hi\""});
    EXPECT_TRUE(Contains(Journal(), answer));
}

TEST_F(PlayerRequestHostTest, AThrowingServiceShowsTheErrorDialogAndTheNextRequestIsServed) {
    throwingCapture = true;
    RunScript(
        "fs x function_scrapsave_start@@@x,y\n"
        "dialog msgbox expect=\"bad size x,y.\" press=OK\n"
        "fs x function_InputParameter\n");
    std::vector<String> lines = Journal();
    EXPECT_FALSE(Contains(lines, L"FAIL")) << "the error dialog did not show the service's error";
    EXPECT_TRUE(Contains(lines, L"SetVariable \"변수명\""));
}

TEST_F(PlayerRequestHostTest, UnknownServicesAreIgnored) {
    DialogAnswerer answerer;
    RunScript(
        "fs x function_nothing@@@C:/a.kvbt\n"
        "fs exec function_alert_x@@@\n"
        "fs x C:/a.kvbt\n"
        "wait 300\n");
    for (const String& line : Journal()) {
        EXPECT_EQ(line.find(L"SetVariable"), String::npos) << line;
        EXPECT_EQ(line.find(L"CallFunction"), String::npos) << line;
    }
    // "exec" of the unknown name went to the shell, which found nothing to open it with.
    EXPECT_EQ(answerer.texts, std::vector<String>{host::kNoProgramMessage});
}

TEST_F(PlayerRequestHostTest, ExecOfATypeWithNoProgramShowsTheErrorOnce) {
    String target = MovieStylePath(L"nothing.zzq");
    DialogAnswerer answerer;
    RunScript(ToUtf8(L"fs exec " + target + L"\nwait 500\n"));
    EXPECT_EQ(answerer.texts, std::vector<String>{host::kNoProgramMessage});

    DialogSeam::Scope seam;
    String moveSkin;
    host::PlayerRequestHost direct(*form, *player, moveSkin);
    host::DispatchFSCommand(direct, L"exec", target);
    ASSERT_EQ(DialogSeam::Log().size(), 1u);
    EXPECT_EQ(DialogSeam::Log()[0].kind, DialogSeam::Kind::MessageDialog);
    EXPECT_EQ(DialogSeam::Log()[0].DlgType, mtError);
    EXPECT_EQ(DialogSeam::Log()[0].Buttons, TMsgDlgButtons{mbOK}.Bits());
}

TEST_F(PlayerRequestHostTest, ExecOpensADocumentWithItsProgramFromTheExecutablesFolder) {
    TestFileType type;
    String target = MovieStylePath(L"my book.kvbt");
    String expected = folder + L"my book.kvbt";
    SetCurrentDirectoryW(folder.c_str());
    // As a path with "/" and as a file:// address with "|" for ":".
    RunScript(
        ToUtf8(L"fs exec " + target + L"\nfs exec file://" + target.substr(0, 1) + L"|" + target.substr(2) + L"\n"));
    ASSERT_TRUE(WaitForStub(2)) << "stub log: " << ToUtf8(Joined(StubLog()))
                                << "\njournal: " << ToUtf8(Joined(Journal()));
    std::vector<String> log = StubLog();
    String exeDir = ExcludeTrailingPathDelimiter(ExeFolder());
    EXPECT_EQ(log, (std::vector<String>{L"run", L"cwd=" + exeDir, L"arg=" + expected, L"end", L"run", L"cwd=" + exeDir,
                                        L"arg=" + expected, L"end"}));
}

TEST_F(PlayerRequestHostTest, ExecStartsAProgramWithItsTwoParameters) {
    SetCurrentDirectoryW(folder.c_str());
    String moveSkin;
    host::PlayerRequestHost direct(*form, *player, moveSkin);
    // Found in the executable's folder, made current first.
    host::DispatchFSCommand(direct, L"exec", L"logargs.exe@@@notes/a.txt@@@b.txt");
    ASSERT_TRUE(WaitForStub(1));
    EXPECT_EQ(StubLog(), (std::vector<String>{L"run", L"cwd=" + ExcludeTrailingPathDelimiter(ExeFolder()),
                                              L"arg=notes\\a.txt", L"arg=b.txt", L"end"}));
}

TEST_F(PlayerRequestHostTest, WindowServices) {
    String moveSkin;
    host::PlayerRequestHost direct(*form, *player, moveSkin);
    HWND wnd = form->Handle();

    host::DispatchFSCommand(direct, L"MoveSkin", L"books/m.swf");
    EXPECT_EQ(moveSkin, L"books\\m.swf");

    host::DispatchFSCommand(direct, L"x", L"function_full");
    PumpUntil([&] { return IsZoomed(wnd) != FALSE; }, 2000);
    EXPECT_TRUE(IsZoomed(wnd));
    EXPECT_EQ(form->WindowState(), wsMaximized);

    DWORD start = GetTickCount();
    host::DispatchFSCommand(direct, L"x", L"function_forward");
    EXPECT_GE(GetTickCount() - start, host::kForwardPauseMs - 20);
    EXPECT_FALSE(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) << "left topmost";
    EXPECT_TRUE(IsWindowVisible(wnd));

    host::DispatchFSCommand(direct, L"x", L"function_close@@@x");
    EXPECT_TRUE(IsWindowVisible(wnd));
    host::DispatchFSCommand(direct, L"x", L"function_close");
    PumpUntil([&] { return !IsWindow(wnd) || !IsWindowVisible(wnd); }, 2000);
    EXPECT_FALSE(IsWindow(wnd) && IsWindowVisible(wnd));
}
