// The main window built in code: its components in their fixed order with
// their stored properties, and a book load on a live window with the stand-in
// player.
#include "host/PlayerForm.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "framework/windows/Application.h"

using namespace host;
using namespace fw;

namespace {

struct FormFree {
    void operator()(TComponent* c) const { c->Free(); }
};

std::wstring tempFolder() {
    wchar_t dir[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"bk", 0, name);
    DeleteFileW(name);
    CreateDirectoryW(name, nullptr);
    return name;
}

void writeText(const std::wstring& path, const std::string& text) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
}

}  // namespace

TEST(PlayerForm, ComponentsInResourceOrder) {
    Application->Initialize();
    std::unique_ptr<TPlayerForm, FormFree> form(Create<TPlayerForm>(Application));
    ASSERT_EQ(6, form->ComponentCount());
    EXPECT_EQ(form->FlashPlayer, form->Components(0));
    EXPECT_EQ(form->imgSaveDialog, form->Components(1));
    EXPECT_EQ(form->fileSaveDialog, form->Components(2));
    EXPECT_EQ(form->FileOpenDialog, form->Components(3));
    EXPECT_EQ(form->DXAudioIn1, form->Components(4));
    EXPECT_EQ(form->MP3Out1, form->Components(5));
    const wchar_t* names[] = {L"FlashPlayer",    L"imgSaveDialog", L"fileSaveDialog",
                              L"FileOpenDialog", L"DXAudioIn1",    L"MP3Out1"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(names[i], form->Components(i)->Name());
    // The recorder drives the output, which records from the microphone.
    EXPECT_EQ(form->DXAudioIn1, form->MP3Out1->Input());
    EXPECT_NE(nullptr, form->Recorder);
    EXPECT_EQ(44100u, form->DXAudioIn1->InSampleRate());
    EXPECT_EQ(1u, form->DXAudioIn1->InChannels());
    EXPECT_EQ(16u, form->DXAudioIn1->InBitsPerSample());
    EXPECT_EQ(80u, form->DXAudioIn1->PollingInterval());
    EXPECT_EQ(acs::mmMono, form->MP3Out1->Mode());
    EXPECT_EQ(acs::mbrAuto, form->MP3Out1->BitRate());

    EXPECT_EQ(L"TPlayerForm", form->ClassName());
    EXPECT_EQ(poMainFormCenter, form->Position());
    EXPECT_EQ(form.get(), form->FlashPlayer->Parent());
    EXPECT_EQ(alClient, form->FlashPlayer->Align());
    EXPECT_TRUE(form->FlashPlayer->OnFSCommand);
    EXPECT_EQ(L"ImageFile|*.jpg,*.bmp", form->imgSaveDialog->Filter());
    EXPECT_EQ(L"PDF 파일|*.pdf", form->fileSaveDialog->Filter());
    EXPECT_EQ(L"텍스트 파일|*.txt", form->FileOpenDialog->Filter());
    EXPECT_TRUE(form->fileSaveDialog->Options().Contains(ofOverwritePrompt));
    EXPECT_FALSE(form->FileOpenDialog->Options().Contains(ofOverwritePrompt));
}

TEST(PlayerForm, LoadBookTitlesSizesAndSetsTheMovie) {
    Application->Initialize();
    std::wstring folder = tempFolder();
    std::wstring movie = folder + L"\\book.swf";
    writeText(movie, "not a script");
    CreateDirectoryW((folder + L"\\book_Page_img").c_str(), nullptr);
    writeText(folder + L"\\book_Page_img\\Page_var.txt", "&title=Q%26A&&width=640&&height=480&");

    std::unique_ptr<TPlayerForm, FormFree> form(Create<TPlayerForm>(Application));
    form->SetWindowState(wsNormal);
    form->LoadBook(movie);
    EXPECT_EQ(L"Q&A", form->Caption());
    EXPECT_EQ(640, form->Width());
    EXPECT_EQ(480, form->Height());
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 640) / 2, form->Left());
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 480) / 2, form->Top());
    EXPECT_EQ(wsNormal, form->WindowState());
    EXPECT_EQ(movie, form->FlashPlayer->Movie());

    // A width that is no number: maximised, and the movie is still set.
    std::wstring other = folder + L"\\book2.swf";
    CreateDirectoryW((folder + L"\\book2_Page_img").c_str(), nullptr);
    writeText(folder + L"\\book2_Page_img\\Page_var.txt", "&title=Bad&&width=abc&&height=480&");
    form->LoadBook(other);
    EXPECT_EQ(L"Bad", form->Caption());
    EXPECT_EQ(wsMaximized, form->WindowState());
    EXPECT_EQ(other, form->FlashPlayer->Movie());
}
