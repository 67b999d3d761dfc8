// The file, note, list and capture services end to end: a form plays the
// stand-in player, whose scripted movie fires the requests and answers the
// real prompt, save dialogs and message dialogs.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "framework/graphics/Jpeg.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"
#include "host/CopyServices.h"
#include "host/FormServiceContext.h"
#include "host/NoteServices.h"
#include "host/ScrapSave.h"
#include "live_player.h"
#include "service_files.h"

using namespace fw;

namespace {

// The fields of a request: the text before the first "@@@" and after it.
std::pair<String, String> Split(const String& text) {
    size_t at = text.find(L"@@@");
    if (at == String::npos) return {text, String()};
    return {text.substr(0, at), text.substr(at + 3)};
}

String Path(String field) {
    for (wchar_t& c : field)
        if (c == L'/') c = L'\\';
    return field;
}

// The requests of the services under test, routed as the main window's
// dispatcher routes them (its own tests cover the routing itself).
void Serve(host::FileServiceContext& files, host::ScrapSave& scrap, const String& args) {
    auto [name, rest] = Split(args);
    auto [first, second] = Split(rest);
    bool two = rest.find(L"@@@") != String::npos;
    if (name == L"function_saveTextFile") host::SaveTextFile(files, first, Path(second));
    if (name == L"function_loadTextFile") host::LoadTextFile(files);
    if (name == L"function_searchList") host::SearchList(files, Path(rest));
    if (name == L"function_TxtListSaveToFile") host::TxtListSaveToFile(files, Path(first), Path(second));
    if (name == L"function_copyfileModal")
        host::CopyFileModal(files, two ? Path(first) : String(), Path(two ? second : rest), two ? second : rest);
    if (name == L"function_show") host::ShowProgram(files, Path(first), Path(second));
    if (name == L"function_scrapsave_start") {
        scrap.Reset();
        scrap.Start(rest);
    }
    if (name == L"function_scrapsave_data") scrap.AddData(rest);
    if (name == L"function_scrapsave_end") scrap.Finish(files.FileSaveDialog());
}

// The window's context, keeping the texts of the messages it shows.
class RecordingContext : public host::FormServiceContext {
public:
    using FormServiceContext::FormServiceContext;
    void ShowMessage(const String& text) override {
        messages.push_back(text);
        FormServiceContext::ShowMessage(text);
    }
    std::vector<String> messages;
};

struct FormFree {
    void operator()(TComponent* c) const { c->Free(); }
};

class ServicesEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        Application->SetMainFormOnTaskBar(true);
        SetEnvironmentVariableW(L"STANDIN_JOURNAL", (scratch / L"journal.txt").c_str());
        SetEnvironmentVariableW(L"LOGARGS_LOG", (scratch / L"logargs.log").c_str());
        CreateDirectoryW((scratch / L"out").c_str(), nullptr);

        form.reset(Create<TForm>(Application));
        form->SetBounds(40, 40, 500, 360);
        player = Create<host::TShockwaveFlash>(form.get());
        player->SetParent(form.get());
        player->SetAlign(alClient);
        player->OnFSCommand = host::TFlashFSCommandEvent(this, &ServicesEndToEnd::FSCommand);
        const TOpenOptions options{ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofEnableSizing};
        imgSaveDialog = Create<TSaveDialog>(form.get());
        imgSaveDialog->SetOptions(options);
        fileSaveDialog = Create<TSaveDialog>(form.get());
        fileSaveDialog->SetFilter(L"PDF 파일|*.pdf");
        fileSaveDialog->SetOptions(options);
        files = std::make_unique<RecordingContext>(*form, *player, *imgSaveDialog, *fileSaveDialog);
        form->Show();
    }
    void TearDown() override {
        form.reset();
        DeleteFileW((L"E:\\TxtData\\" + note).c_str());
    }

    void FSCommand(TObject*, const String&, const String& args) { Serve(*files, scrap, args); }

    void RunScript(const std::wstring& body) {
        std::wstring path = scratch / L"movie.txt";
        ScratchFolder::WriteBytes(path, ToUtf8(L"#standin-script\n" + body + L"end\n"));
        player->SetMovie(path);
        ASSERT_TRUE(PumpUntil(
            [&] {
                for (const String& line : Journal())
                    if (line.find(L" END") != String::npos) return true;
                return false;
            },
            60000))
            << "the script never ended";
    }
    std::vector<String> Journal() { return ReadUtf8Lines(scratch / L"journal.txt"); }

    ScratchFolder scratch{L"e2e-out"};
    ScratchFolder book{L"e2e-book", ExtractFilePath(ParamStr(0))};  // beside the executable
    std::wstring note = L"e2e-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    std::unique_ptr<TForm, FormFree> form;
    host::TShockwaveFlash* player = nullptr;
    TSaveDialog* imgSaveDialog = nullptr;
    TSaveDialog* fileSaveDialog = nullptr;
    std::unique_ptr<RecordingContext> files;
    host::ScrapSave scrap;
};

}  // namespace

TEST_F(ServicesEndToEnd, TheMoviesRequestsAreServed) {
    ASSERT_EQ(GetDriveTypeA("E:\\"), UINT(DRIVE_REMOVABLE)) << "scripts/test maps E: as a removable drive";
    std::wstring manual = book.Write(L"docs\\Manual.PDF", "%PDF manual bytes");
    book.Write(L"notes\\a.txt", "a");
    const std::wstring sub = book.Name();  // the movie writes "/" where the host wants "\"

    const std::wstring lines[] = {
        L"fs exec function_saveTextFile@@@첫 줄 2010/05/01@@@" + note,
        L"expect-var saveSuccess success",
        L"fs exec function_saveTextFile@@@x@@@../escaped.txt",
        L"expect-var saveSuccess fail",
        L"fs exec function_loadTextFile",
        L"expect-var loadSuccess success",
        L"fs exec function_searchList@@@" + sub + L"/notes",
        L"expect-var resultList a.txt@@@",
        L"fs exec function_TxtListSaveToFile@@@" + sub + L"/notes@@@1.txt",
        L"fs exec function_copyfileModal@@@" + sub + L"/docs@@@Manual.PDF",
        L"dialog form caption=\"파일 다운로드\" press=\"저장\"",
        L"dialog save name=\"" + (scratch / L"out\\m.pdf") + L"\" expect-filter=\"PDF 파일\" press=OK",
        L"dialog msgbox press=OK",
        L"fs exec function_scrapsave_start@@@3,2",
        L"fs exec function_scrapsave_data@@@0,FF0000,00FF00,0000FF,FFFFFF,000000,808080",
        L"fs exec function_scrapsave_end",
        L"dialog save name=\"" + (scratch / L"out\\page") + L"\" expect-filter=\"JPG 파일\" press=OK",
        L"fs exec function_show@@@logargs.exe@@@메모 1.txt",
    };
    std::wstring script;
    for (const std::wstring& line : lines) script += line + L"\n";
    RunScript(script);

    std::vector<String> journal = Journal();
    String all;
    for (const String& line : journal) all += line + L"\n";
    EXPECT_EQ(all.find(L"FAIL"), String::npos) << ToUtf8(all);
    // The folder comes before the success, as the movie reads it then.
    size_t loadTxt = all.find(L"SetVariable \"loadTxt\" \"E:\\TxtData\\\"");
    size_t loadSuccess = all.find(L"SetVariable \"loadSuccess\" \"success\"");
    EXPECT_NE(loadTxt, String::npos) << ToUtf8(all);
    EXPECT_LT(loadTxt, loadSuccess);

    EXPECT_EQ(ScratchFolder::ReadBytes(L"E:\\TxtData\\" + note), Cp949(L"첫 줄 2010/05/01"));
    EXPECT_FALSE(ScratchFolder::Exists(L"E:\\escaped.txt"));
    EXPECT_EQ(ScratchFolder::ReadBytes(book / L"notes\\TxtList1.txt"), "&name=a&");
    EXPECT_EQ(ScratchFolder::ReadBytes(scratch / L"out\\m.pdf"), ScratchFolder::ReadBytes(manual));
    EXPECT_EQ(files->messages, std::vector<String>{L"Manual.PDF 파일이 저장되었습니다."});

    ASSERT_TRUE(ScratchFolder::Exists(scratch / L"out\\page.jpg"));
    TJPEGImage jpeg;
    jpeg.LoadFromFile(scratch / L"out\\page.jpg");
    EXPECT_EQ(jpeg.Width(), 3);
    EXPECT_EQ(jpeg.Height(), 2);

    ASSERT_TRUE(PumpUntil(
        [&] { return ScratchFolder::ReadBytes(scratch / L"logargs.log").find("end\n") != std::string::npos; }, 10000));
    String stub = FromUtf8(ScratchFolder::ReadBytes(scratch / L"logargs.log"));
    EXPECT_NE(stub.find(L"arg=메모 1.txt\n"), String::npos) << ToUtf8(stub);
}
