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
#include "framework/windows/DialogSeam.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sStoredSkins.h"

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
    ASSERT_EQ(7, form->ComponentCount());
    EXPECT_EQ(form->FlashPlayer, form->Components(0));
    EXPECT_EQ(form->imgSaveDialog, form->Components(1));
    EXPECT_EQ(form->fileSaveDialog, form->Components(2));
    EXPECT_EQ(form->FileOpenDialog, form->Components(3));
    EXPECT_EQ(form->sSkinManager1, form->Components(4));
    EXPECT_EQ(form->DXAudioIn1, form->Components(5));
    EXPECT_EQ(form->MP3Out1, form->Components(6));
    const wchar_t* names[] = {L"FlashPlayer",   L"imgSaveDialog", L"fileSaveDialog", L"FileOpenDialog",
                              L"sSkinManager1", L"DXAudioIn1",    L"MP3Out1"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(names[i], form->Components(i)->Name());
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

TEST(PlayerForm, TheSkinManagerLoadsTheStoredDefaultSkin) {
    Application->Initialize();
    std::unique_ptr<TPlayerForm, FormFree> form(Create<TPlayerForm>(Application));
    skin::TsSkinManager* sm = form->sSkinManager1;
    ASSERT_NE(nullptr, sm);
    EXPECT_EQ(L"C:\\Skins", sm->SkinDirectory());
    ASSERT_EQ(1, sm->InternalSkins()->Count());
    EXPECT_EQ(kViewerSkinName, sm->InternalSkins()->Items(0)->Name());
    EXPECT_GT(sm->InternalSkins()->Items(0)->PackedData->Size(), 0);
    EXPECT_EQ(kViewerSkinName, sm->SkinName());
    EXPECT_TRUE(sm->SkinData->Active);
    EXPECT_TRUE(sm->SkinIsPacked);  // from the stored bytes
    EXPECT_GE(sm->GetSkinIndex(L"BUTTON"), 0);
    EXPECT_GE(sm->GetSkinIndex(L"FORM"), 0);
    EXPECT_GE(sm->GetMaskIndex(sm->GetSkinIndex(L"BUTTON"), L"BUTTON", L"BORDERSMASK"), 0);
}

TEST(PlayerForm, ABrokenSkinFolderInTheSkinDirectoryDoesNotStopTheForm) {
    Application->Initialize();
    // C:\Skins\Stillwater\Options.dat with a value the loader cannot read:
    // the folder wins over the stored skin, fails, and the form is built anyway.
    const std::wstring dir = std::wstring(L"C:\\Skins\\") + kViewerSkinName;
    CreateDirectoryW(L"C:\\Skins", nullptr);
    CreateDirectoryW(dir.c_str(), nullptr);
    writeText(dir + L"\\Options.dat", "[GLOBALINFO]\r\nSHADOW1OFFSET=abc\r\n[BUTTON]\r\nBORDERSMASK=^00x0\r\n");
    fw::DialogSeam::Scope seam;
    std::unique_ptr<TPlayerForm, FormFree> form;
    EXPECT_NO_THROW(form.reset(Create<TPlayerForm>(Application)));
    DeleteFileW((dir + L"\\Options.dat").c_str());
    RemoveDirectoryW(dir.c_str());
    ASSERT_NE(nullptr, form.get());
    ASSERT_NE(nullptr, form->MP3Out1);             // the components after the manager exist
    EXPECT_TRUE(form->sSkinManager1->gd.empty());  // the half-read skin was dropped
    ASSERT_EQ(1u, fw::DialogSeam::Log().size());
    EXPECT_EQ(fw::DialogSeam::Kind::ErrorDialog, fw::DialogSeam::Log()[0].kind);
    // The manager stays without a skin: switched off, nothing broadcast, no hook.
    EXPECT_FALSE(form->sSkinManager1->Active());
    EXPECT_FALSE(form->sSkinManager1->SkinData->Active);
    EXPECT_FALSE(form->sSkinManager1->GlobalHookInstalled);
    EXPECT_EQ(nullptr, skin::HookCallback);
}
