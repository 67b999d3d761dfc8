// The player control's wrapper in a real form, against the stand-in player:
// placement, the members the viewer calls, the request event, and failures.
#include "host/ShockwaveFlash.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"

using namespace fw;
using namespace host;

namespace {

struct Freer {
    void operator()(TComponent* c) const { c->Free(); }
};

void pumpUntil(const std::function<bool()>& done, DWORD ms) {
    DWORD end = GetTickCount() + ms;
    while (!done() && static_cast<LONG>(end - GetTickCount()) > 0) {
        Application->ProcessMessages();
        Sleep(5);
    }
}

std::wstring tempPath(const wchar_t* name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

std::vector<std::string> journalLines(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(line.find(' ') + 1));
    return lines;
}

bool has(const std::vector<std::string>& lines, const std::string& text) {
    for (auto& l : lines)
        if (l.find(text) != std::string::npos) return true;
    return false;
}

std::wstring script(const char* body) {
    std::wstring path = tempPath(L"wrapper-movie.txt");
    std::ofstream(path.c_str(), std::ios::binary) << "#standin-script\n" << body;
    return path;
}

class ShockwaveFlashTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        journal = tempPath(L"wrapper-journal.txt");
        DeleteFileW(journal.c_str());
        SetEnvironmentVariableW(L"STANDIN_JOURNAL", journal.c_str());
        form.reset(Create<TForm>(Application));
        form->SetBounds(60, 60, 420, 320);
        flash = new TShockwaveFlash(form.get());
        flash->AfterConstruction();
        flash->SetParent(form.get());
        flash->SetAlign(alClient);
        flash->OnFSCommand = TFlashFSCommandEvent(this, &ShockwaveFlashTest::onCommand);
        form->Show();
        pumpUntil([] { return false; }, 100);
    }
    void TearDown() override {
        form.reset();
        SetEnvironmentVariableW(L"STANDIN_JOURNAL", nullptr);
    }
    void onCommand(TObject*, const String& command, const String& args) {
        commands.emplace_back(command, args);
        if (onRequest) onRequest();
    }
    HWND playerWindow() { return FindWindowExW(flash->Handle(), nullptr, L"StandInFlash", nullptr); }
    bool ended() { return has(journalLines(journal), " END"); }

    std::wstring journal;
    std::unique_ptr<TForm, Freer> form;
    TShockwaveFlash* flash = nullptr;
    std::vector<std::pair<String, String>> commands;
    std::function<void()> onRequest;
};

}  // namespace

TEST_F(ShockwaveFlashTest, PlayerFillsTheClientAreaAndFollowsResizes) {
    HWND player = playerWindow();
    ASSERT_NE(player, nullptr);
    RECT client, r;
    GetClientRect(form->Handle(), &client);
    GetClientRect(player, &r);
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(r.bottom, client.bottom);

    form->SetBounds(60, 60, 600, 400);
    pumpUntil([] { return false; }, 50);
    GetClientRect(form->Handle(), &client);
    GetClientRect(player, &r);
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(r.bottom, client.bottom);

    // A picture of the hosted player for a person to look at.
    RECT wr;
    GetWindowRect(form->Handle(), &wr);
    TBitmap shot;
    shot.SetPixelFormat(pf24bit);
    shot.SetSize(wr.right - wr.left, wr.bottom - wr.top);
    HDC dc = GetWindowDC(form->Handle());
    BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(form->Handle(), dc);
    CreateDirectoryW(L"..\\screenshots", nullptr);
    shot.SaveToFile(L"..\\screenshots\\player-in-form.bmp");
}

TEST_F(ShockwaveFlashTest, MembersReachThePlayerInOrder) {
    flash->SetFlashVars(L"page=3");
    flash->SetScale(L"noScale");
    flash->SetMovie(L"C:\\books\\없는책.swf");
    flash->SetVariable(L"_root.BOOKLOAD_FIRSTPAGE", L"12");
    flash->CallFunction(L"<invoke name=\"goPageLink_KVB\" returntype=\"xml\"><arguments/></invoke>");
    EXPECT_EQ(flash->Movie(), L"C:\\books\\없는책.swf");
    EXPECT_EQ(flash->Scale(), L"noScale");
    EXPECT_EQ(flash->FlashVars(), L"page=3");

    auto lines = journalLines(journal);
    const char* expected[] = {
        "put FlashVars \"page=3\"",
        "put Scale \"noScale\"",
        "put Movie \"C:\\books\\\xEC\x97\x86\xEB\x8A\x94\xEC\xB1\x85.swf\"",
        "SetVariable \"_root.BOOKLOAD_FIRSTPAGE\" \"12\"",
        "CallFunction \"<invoke name=\\\"goPageLink_KVB\\\"",
    };
    size_t at = 0;
    for (const char* e : expected) {
        while (at < lines.size() && lines[at].find(e) == std::string::npos) ++at;
        EXPECT_LT(at, lines.size()) << "missing or out of order: " << e;
    }
    EXPECT_TRUE(has(lines, "#1 TForm put FlashVars") || has(lines, "TForm put FlashVars"));
}

TEST_F(ShockwaveFlashTest, ScriptedRequestsReachTheHandlerAndAThrowingHandlerIsContained) {
    std::vector<String> reported;
    SetBoundaryExceptionHandler([&](const Exception& e) { reported.push_back(e.Message); });
    onRequest = [&] {
        if (commands.size() == 1) throw Exception(L"the handler failed");
    };
    flash->SetMovie(script("fs exec function_saveTextFile@@@note@@@a.txt\nfs RunPDF page=5@@@manual/guide.pdf\nend\n"));
    pumpUntil([&] { return ended(); }, 5000);
    SetBoundaryExceptionHandler(nullptr);

    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0], std::make_pair(String(L"exec"), String(L"function_saveTextFile@@@note@@@a.txt")));
    EXPECT_EQ(commands[1], std::make_pair(String(L"RunPDF"), String(L"page=5@@@manual/guide.pdf")));
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], L"the handler failed");
}

TEST_F(ShockwaveFlashTest, APlayerRefusingCallsChangesNothingForTheHost) {
    flash->SetMovie(script("return-error on\nend\n"));
    pumpUntil([&] { return ended(); }, 5000);
    EXPECT_NO_THROW(flash->SetVariable(L"saveSuccess", L"success"));
    EXPECT_EQ(flash->CallFunction(L"<invoke name=\"x\"/>"), L"");
}

TEST(ShockwaveFlashCreation, AnUnregisteredControlRaisesFromConstruction) {
    const CLSID nobody = {0x0BADF00D, 0x1234, 0x5678, {0x9A, 0xBC, 0xDE, 0xF0, 0x12, 0x34, 0x56, 0x78}};
    Application->Initialize();
    EXPECT_THROW(TOleControl(nullptr, nobody, DIID_ShockwaveFlashEvents), EOleError);
}
