// The window menu of a real skinned form: a right click on the caption shows
// the library's menu (not the system's), copied from the form's own system
// menu with the item the application added; its Minimize minimises the form
// and the added item reaches the form as WM_SYSCOMMAND with its id. A
// command of a menu rebuilt since it was chosen does nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "../FrameFixtures.h"
#include "SkinnedFormKit.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sMessages.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSysMenu.h"

using namespace skin;
using namespace formstest;

namespace {

constexpr UINT kAboutId = 0x120;

// A form that notes the system commands reaching its own window method.
class ProbeForm : public fw::TForm {
public:
    using fw::TForm::TForm;
    std::vector<WPARAM> SysCommands;
    void WndProc(fw::TMessage& Message) override {
        if (Message.Msg == WM_SYSCOMMAND) SysCommands.push_back(Message.WParam & 0xFFFF);
        fw::TForm::WndProc(Message);
    }
};

// Runs inside the menu's loop: notes the open menu, saves its picture once,
// then moves the selection down until the item with the wanted Tag is lit
// and chooses it. The provider builds its menu at the click, so the item is
// looked up there.
struct MenuDriver {
    TsSkinProvider* Provider = nullptr;
    intptr_t Tag = 0;
    const wchar_t* ShotName = nullptr;
    HMENU Shown = nullptr;  // what the menu window showed
    int Ticks = 0;
    bool Chosen = false;
    std::vector<UINT> States;  // MF_ state bits of the shown items
    std::unique_ptr<fw::TBitmap> Picture;
    bool Wrapped = false;      // the menu window had the library's wrapper
    int FrameMismatches = -1;  // frame pixels (middle rows) unlike the menu's background
} driver;

// The left and right 3-pixel frame over the middle half of the window,
// compared with the menu's skinned background.
int SideFrameMismatches(fw::TBitmap& Shot) {
    if (MenuInfoArray.empty() || !MenuInfoArray[0].Bmp) return -1;
    fw::TBitmap* bg = MenuInfoArray[0].Bmp;
    if (bg->Width() != Shot.Width() || bg->Height() != Shot.Height()) return -2;
    int bad = 0;
    for (int y = Shot.Height() / 4; y < 3 * Shot.Height() / 4; ++y)
        for (int x : {0, 1, 2, Shot.Width() - 3, Shot.Width() - 2, Shot.Width() - 1})
            if (GetPixel(Shot.Canvas()->Handle(), x, y) != GetPixel(bg->Canvas()->Handle(), x, y)) ++bad;
    return bad;
}

HWND OpenMenuWindow() {
    for (HWND w = FindWindowW(L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == GetCurrentProcessId() && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

void CALLBACK DriveMenu(HWND, UINT, UINT_PTR id, DWORD) {
    MenuDriver& d = driver;
    auto stop = [&] {
        KillTimer(nullptr, id);
        EndMenu();
    };
    if (++d.Ticks > 80) return stop();  // never leave the test in the menu loop
    const HWND w = OpenMenuWindow();
    TsSystemMenu* m = d.Provider->SystemMenu;
    if (!w || !m) return;
    d.Shown = HMENU(SendMessageW(w, MN_GETHMENU, 0, 0));
    if (d.Ticks < 4) return;  // painted completely first
    const HMENU menu = m->Handle();
    if (!d.Picture) {
        d.Picture = Shot(w, d.ShotName);
        d.Wrapped = SendMessageW(w, SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0) == 1;
        d.FrameMismatches = SideFrameMismatches(*d.Picture);
        for (int i = 0; i < GetMenuItemCount(menu); ++i) d.States.push_back(GetMenuState(menu, UINT(i), MF_BYPOSITION));
    }
    fw::TMenuItem* item = nullptr;
    for (int i = 0; i < m->Items()->Count(); ++i)
        if (m->Items()->Items(i)->Tag() == d.Tag) item = m->Items()->Items(i);
    int pos = -1;
    for (int i = 0; item && i < GetMenuItemCount(menu); ++i)
        if (GetMenuItemID(menu, i) == item->Command()) pos = i;
    if (pos < 0) return stop();
    if (GetMenuState(menu, UINT(pos), MF_BYPOSITION) & MF_HILITE) {
        d.Chosen = true;
        KillTimer(nullptr, id);
        PostMessageW(w, WM_KEYDOWN, VK_RETURN, 0);
    } else {
        PostMessageW(w, WM_KEYDOWN, VK_DOWN, 0);
    }
}

// A right click on the caption at window point P; the menu it opens is
// driven to the item with Tag.
void RightClickCaption(TsSkinProvider* sp, fw::TPoint P, intptr_t Tag, const wchar_t* ShotName = nullptr) {
    const HWND h = sp->Form->Handle();
    RECT wr;
    GetWindowRect(h, &wr);
    const LPARAM screen = MAKELPARAM(wr.left + P.X, wr.top + P.Y);
    const WPARAM code = WPARAM(SendMessageW(h, WM_NCHITTEST, 0, screen));
    ASSERT_EQ(WPARAM(HTCAPTION), code);
    driver = MenuDriver();
    driver.Provider = sp;
    driver.Tag = Tag;
    driver.ShotName = ShotName;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, DriveMenu);
    SendMessageW(h, WM_NCRBUTTONDOWN, code, screen);
    SendMessageW(h, WM_NCRBUTTONUP, code, screen);
    KillTimer(nullptr, timer);
    // The chosen item's command comes through the message loop.
    Pump(200);
}

}  // namespace

TEST(SkinnedSystemMenu, RightClickOnTheCaptionShowsTheLibrarysMenuWhoseItemsWork) {
    // The manager comes first here: the form skinning put to use after it
    // still gives it the skinned menus.
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    ASSERT_NE(nullptr, dynamic_cast<TsSkinableMenus*>(skin.sm->SkinableMenus()));
    std::unique_ptr<ProbeForm, FormFree> form(new ProbeForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"System menu probe");
    form->SetBounds(140, 100, 360, 240);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(150);
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    ASSERT_TRUE(sp->Skinned());
    ASSERT_TRUE(skin.sm->SkinnedPopups());
    ASSERT_NE(nullptr, sp->SystemMenu);

    // The application adds its own item to the window menu, as programs do.
    HMENU own = GetSystemMenu(h, FALSE);
    ASSERT_NE(nullptr, own);
    AppendMenuW(own, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(own, MF_STRING, kAboutId, L"About the probe...");
    const fw::TPoint caption(sp->OffsetX() + 60, sp->OffsetY() / 2);

    // The added item: posted to the form with its id, the form stays as it is.
    RightClickCaption(sp, caption, kAboutId, L"skinned-form-system-menu");
    ASSERT_TRUE(driver.Chosen);
    EXPECT_EQ(sp->SystemMenu->Handle(), driver.Shown) << "the system's own menu was shown";
    ASSERT_TRUE(driver.Picture);
    // Drawn by the skin: the window wrapped, its frame the skinned background's.
    EXPECT_TRUE(driver.Wrapped);
    EXPECT_EQ(0, driver.FrameMismatches);
    EXPECT_GT(driver.Picture->Height(), 6 * GetSystemMetrics(SM_CYMENU) / 2);
    // Restore, Move, Size, Minimize, Maximize, line, the added item, line, Close.
    ASSERT_EQ(9u, driver.States.size());
    const bool greyed[] = {true, false, false, false, false, false, false, false, false};
    for (size_t i = 0; i < 9; ++i) EXPECT_EQ(greyed[i], (driver.States[i] & MF_GRAYED) != 0) << i;
    EXPECT_TRUE(driver.States[5] & MF_SEPARATOR);
    EXPECT_TRUE(driver.States[7] & MF_SEPARATOR);
    EXPECT_EQ(1, std::count(form->SysCommands.begin(), form->SysCommands.end(), WPARAM(kAboutId)));
    EXPECT_FALSE(IsIconic(h));

    // Minimize: the form goes down without the provider's animation.
    RightClickCaption(sp, caption, SC_MINIMIZE);
    ASSERT_TRUE(driver.Chosen);
    EXPECT_TRUE(IsIconic(h));
    EXPECT_FALSE(sp->SkipAnimation);
    EXPECT_EQ(1, std::count(form->SysCommands.begin(), form->SysCommands.end(), WPARAM(SC_MINIMIZE)));
    // The menu now offers to restore and no longer to minimise.
    EXPECT_TRUE(sp->SystemMenu->ItemRestore->Enabled());
    EXPECT_FALSE(sp->SystemMenu->ItemMinimize->Enabled());
    ShowWindow(h, SW_RESTORE);
    Pump(100);

    // A command chosen in a menu that was rebuilt before it arrived finds no
    // item: nothing reaches the form.
    sp->SystemMenu->UpdateItems(true);
    fw::TMenuItem* about = nullptr;
    for (int i = 0; i < sp->SystemMenu->Items()->Count(); ++i)
        if (sp->SystemMenu->Items()->Items(i)->Tag() == kAboutId) about = sp->SystemMenu->Items()->Items(i);
    ASSERT_NE(nullptr, about);
    const WORD stale = about->Command();
    sp->SystemMenu->UpdateItems(true);
    form->SysCommands.clear();
    PostMessageW(fw::PopupListWindow(), WM_COMMAND, stale, 0);
    Pump(100);
    EXPECT_TRUE(form->SysCommands.empty());
}
