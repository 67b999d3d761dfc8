// The viewer's windows drawn from its default skin: the main window (normal
// and maximised) and the pop-up window get their skin providers when first
// activated, and their frames on the screen are the providers' images.
// Screenshots of the three go to build/screenshots.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "framework/windows/Application.h"
#include "host/ChildForm.h"
#include "host/INIController.h"
#include "host/PlayerForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"

using namespace host;
using namespace fw;

namespace {

void Pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    do {
        Application->ProcessMessages();
        Sleep(10);
    } while (LONG(end - GetTickCount()) > 0);
}

struct FormFree {
    void operator()(TComponent* c) const {
        if (c) c->Free();
    }
};

void LoadSettings(const std::string& text) {
    wchar_t dir[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"ini", 0, name);
    FILE* f = _wfopen(name, L"wb");
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
    INIController::GetInstance()->Load(name);
    DeleteFileW(name);
}

// Shows the form in front, checks that its frame is its provider's image
// and saves the window as drawn.
void CheckSkinnedFrame(TCustomForm* form, const wchar_t* name) {
    const HWND h = form->Handle();
    SetForegroundWindow(h);
    Pump(200);
    skin::TsSkinProvider* sp = skin::ProviderOf(form);
    ASSERT_NE(nullptr, sp) << name;
    ASSERT_TRUE(sp->Skinned()) << name;
    EXPECT_EQ(0, GetWindowLongW(h, GWL_STYLE) & WS_SYSMENU) << name;
    RECT wr;
    GetWindowRect(h, &wr);
    TBitmap shot(wr.right - wr.left, wr.bottom - wr.top, pf24bit);
    HDC dc = GetWindowDC(h);
    BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(h, dc);
    CreateDirectoryW(L"..\\screenshots", nullptr);
    shot.SaveToFile(String(L"..\\screenshots\\") + name + L".bmp");
    // The title band on the window is the provider's picture of it.
    TBitmap* cache = sp->SkinData()->FCacheBmp;
    ASSERT_NE(nullptr, cache) << name;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool haveRgn = GetWindowRgn(h, rgn) != ERROR;
    int bad = 0;
    for (int y = 0; y < std::min(sp->OffsetY(), cache->Height()); ++y)
        for (int x = 0; x < std::min(shot.Width(), cache->Width()); ++x)
            if ((!haveRgn || PtInRegion(rgn, x, y)) &&
                GetPixel(shot.Canvas()->Handle(), x, y) != GetPixel(cache->Canvas()->Handle(), x, y) && !bad++)
                ADD_FAILURE() << name << ": first difference at " << x << "," << y;
    DeleteObject(rgn);
    EXPECT_EQ(0, bad) << name;
}

}  // namespace

TEST(SkinnedViewer, MainAndPopUpWindowsWearTheDefaultSkin) {
    Application->Initialize();
    std::unique_ptr<TPlayerForm, FormFree> main(Create<TPlayerForm>(Application));
    main->SetCaption(L"KVB Viewer");
    main->Show();
    main->SetWindowState(wsNormal);
    main->SetBounds(40, 30, 640, 480);
    CheckSkinnedFrame(main.get(), L"viewer-main");

    main->SetWindowState(wsMaximized);
    Pump(100);
    EXPECT_TRUE(IsZoomed(main->Handle()));
    CheckSkinnedFrame(main.get(), L"viewer-main-maximised");
    main->SetWindowState(wsNormal);

    LoadSettings("[ChildForm]\r\nWidth=560\r\nHeight=360\r\n");
    std::unique_ptr<TChildForm, FormFree> popup(Create<TChildForm>(Application, nullptr));
    popup->Show();
    // It opens maximised; the screenshot shows its frame restored.
    popup->SetWindowState(wsNormal);
    popup->SetCaption(L"Pop-up book");
    CheckSkinnedFrame(popup.get(), L"viewer-popup");
}
