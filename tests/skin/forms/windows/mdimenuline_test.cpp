// A skinned MDI parent with a menu and a maximised child with a menu of its
// own: the child's items merged into the skinned menu line where the platform
// laid them out, the child's icon at the line's start, and, while the
// platform tracks the bar's menus, the "acMDIIcons" window over the MDI
// buttons showing the window image; it goes with the menu loop.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "../FrameFixtures.h"
#include "MenuBarKit.h"
#include "SkinnedFormKit.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sMDIMenuLine.h"
#include "skin/forms/sMenuLine.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"

using namespace skin;
using namespace formstest;

namespace {

fw::TMenuItem* TopItem(fw::TComponent* Owner, fw::TMainMenu* Menu, const wchar_t* Caption, BYTE Group) {
    auto* item = new fw::TMenuItem(Owner);
    item->SetCaption(Caption);
    item->SetGroupIndex(Group);
    auto* sub = new fw::TMenuItem(Owner);
    sub->SetCaption(fw::String(Caption) + L" item");
    item->Add(sub);
    Menu->Items()->Add(item);
    return item;
}

// A plain red icon: its pixels are easy to tell in the line.
HICON RedIcon() {
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, 32, 32);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, colour);
    RECT all{0, 0, 32, 32};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &all, red);
    DeleteObject(red);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    HBITMAP mask = CreateBitmap(32, 32, 1, 1, nullptr);  // all zero: all opaque
    ICONINFO ii{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

// The bar position holding Item, -1 when it is not in the bar.
int BarPos(HWND Form, fw::TMenuItem* Item) {
    HMENU bar = GetMenu(Form);
    for (int pos = 0; pos < GetMenuItemCount(bar); ++pos) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_DATA;
        GetMenuItemInfoW(bar, UINT(pos), TRUE, &mii);
        if (mii.dwItemData == ULONG_PTR(Item)) return pos;
    }
    return -1;
}

int Count(fw::TBitmap& B, const fw::TRect& R, bool (*Test)(COLORREF)) {
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x) n += Test(GetPixel(B.Canvas()->Handle(), x, y));
    return n;
}
bool IsRed(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 40 && GetBValue(c) < 40; }
bool IsDark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 90; }

// What the platform's menu loop looked like from inside.
struct LoopWatch {
    HWND Form = nullptr;
    int Ticks = 0;
    bool Seen = false;
    HWND Icons = nullptr;
    intptr_t Tag = 0;
    fw::String Name;
    RECT IconsRect{};
    bool InMenu = false;
    std::unique_ptr<fw::TBitmap> IconsShot;
} watch;

void CALLBACK WatchLoop(HWND, UINT, UINT_PTR id, DWORD) {
    LoopWatch& w = watch;
    const HWND popup = OpenMenuWindow();
    if (++w.Ticks > 80 || w.Seen) {
        KillTimer(nullptr, id);
        EndMenu();
        return;
    }
    if (!popup || w.Ticks < 6) return;
    w.Seen = true;
    if (fw::TCustomForm* f = MDIIconsForm()) {
        w.Icons = f->Handle();
        w.Tag = f->Tag();
        w.Name = f->Name();
        GetWindowRect(w.Icons, &w.IconsRect);
        w.IconsShot = Shot(w.Icons);
    }
    w.InMenu = ProviderOf(dynamic_cast<fw::TCustomForm*>(fw::FindControl(w.Form)))->InMenu;
    // The screen around the form: the parent with its popup and the icons window.
    RECT wr;
    GetWindowRect(w.Form, &wr);
    fw::TBitmap screen(wr.right - wr.left, wr.bottom - wr.top, fw::pf24bit);
    HDC dc = GetDC(nullptr);
    BitBlt(screen.Canvas()->Handle(), 0, 0, screen.Width(), screen.Height(), dc, wr.left, wr.top, SRCCOPY);
    ReleaseDC(nullptr, dc);
    CreateDirectoryW(L"..\\screenshots", nullptr);
    screen.SaveToFile(L"..\\screenshots\\skinned-mdi-menu-loop.bmp");
}

}  // namespace

TEST(MDIMenuLine, MergedItemsChildIconAndTheIconsWindowOfTheMenuLoop) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetFormStyle(fw::fsMDIForm);
    form->SetCaption(L"MDI parent");
    auto* menu = new fw::TMainMenu(form.get());
    TopItem(form.get(), menu, L"&File", 0);
    fw::TMenuItem* edit = TopItem(form.get(), menu, L"&Edit", 1);
    TopItem(form.get(), menu, L"&Window", 9);
    form->SetMenu(menu);
    const DWORD pid = GetCurrentProcessId();
    form->SetBounds(40 + int(pid * 37 % 200), 30 + int(pid * 53 % 150), 460, 320);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(150);
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(sp, nullptr);

    auto* child = new fw::TForm(fw::Application.get());
    child->AfterConstruction();
    child->SetFormStyle(fw::fsMDIChild);
    child->SetCaption(L"Child");
    child->SetBounds(10, 10, 220, 150);
    auto* childMenu = new fw::TMainMenu(child);
    fw::TMenuItem* childEdit = TopItem(child, childMenu, L"&Child edit", 1);
    fw::TMenuItem* tools = TopItem(child, childMenu, L"&Tools", 5);
    child->SetMenu(childMenu);
    child->Icon()->SetHandle(RedIcon());  // the icon's to destroy
    child->Show();
    Pump(80);
    SendMessageW(form->ClientHandle(), WM_MDIMAXIMIZE, WPARAM(child->Handle()), 0);
    Pump(200);
    ASSERT_TRUE(ChildIconPresent());
    ASSERT_TRUE(sp->MenuPresent());
    ASSERT_TRUE(sp->MDIButtonsShown);

    // The bar holds the child's Edit group in place of the parent's, and its
    // Tools by their groups; each merged item is drawn where the platform put it.
    EXPECT_EQ(BarPos(h, edit), -1);
    const int editAt = BarPos(h, childEdit), toolsAt = BarPos(h, tools);
    ASSERT_GT(editAt, 0);
    EXPECT_EQ(toolsAt, editAt + 1);
    auto shot = Shot(h, L"skinned-mdi-merged-menu");
    EXPECT_EQ(TitleMismatches(sp), 0) << "the window shows the provider's image, menu line included";
    const COLORREF line = GetPixel(sp->MenuLineBmp->Canvas()->Handle(), sp->MenuLineBmp->Width() / 2, 2);
    for (int at : {editAt, toolsAt}) {
        const fw::TRect r = BarItem(h, at);
        ASSERT_GT(r.Width(), 10) << at;
        EXPECT_GT(Count(*shot, r, IsDark), 6) << "the caption of bar item " << at << " is written";
        EXPECT_EQ(GetPixel(shot->Canvas()->Handle(), r.Left + 1, r.Top + 1), line) << at;
    }

    // The child's icon at the line's start, over the platform's window-menu item.
    const TFrameState s = sp->State();
    const fw::TRect lineRect = MenuLineRect(s, sp->Metrics(), sp->OffsetY());
    const fw::TRect windowMenu = BarItem(h, 0);
    ASSERT_NE(GetSubMenu(GetMenu(h), 0), nullptr);
    const fw::TRect icon = ChildIconRect(lineRect, MenuHeight(s, sp->Metrics()), windowMenu);
    ASSERT_GE(icon.Width(), 12);
    EXPECT_EQ(Count(*shot, icon, IsRed), icon.Width() * icon.Height()) << "the whole icon shows";
    EXPECT_LE(windowMenu.Left, icon.Left);
    EXPECT_LE(icon.Right, BarItem(h, 1).Left) << "the icon stays left of the first item";
    EXPECT_EQ(Count(*shot, fw::TRect(icon.Right, lineRect.Top, lineRect.Right, lineRect.Bottom), IsRed), 0);

    // A click on File: the platform's menu loop with the icons window over the
    // MDI buttons, the window image where it lies; gone after the loop.
    watch = LoopWatch();
    watch.Form = h;
    const UINT_PTR timer = SetTimer(nullptr, 0, 60, WatchLoop);
    RECT wr;
    GetWindowRect(h, &wr);
    const fw::TRect file = BarItem(h, BarPos(h, menu->Items()->Items(0)));
    SendMessageW(h, WM_NCLBUTTONDOWN, HTMENU,
                 MAKELPARAM(wr.left + (file.Left + file.Right) / 2, wr.top + file.Top + 4));
    KillTimer(nullptr, timer);
    Pump(150);
    ASSERT_TRUE(watch.Seen) << "no menu opened from the bar";
    ASSERT_NE(watch.Icons, nullptr);
    EXPECT_TRUE(watch.InMenu);
    EXPECT_EQ(watch.Tag, -98);
    EXPECT_EQ(watch.Name, L"acMDIIcons");
    const fw::TRect place = MDIIconsRect(s, sp->Metrics(), MDIButtonsRect(sp->MDIButtons));
    EXPECT_EQ(fw::TRect(watch.IconsRect.left - wr.left, watch.IconsRect.top - wr.top, watch.IconsRect.right - wr.left,
                        watch.IconsRect.bottom - wr.top),
              place);
    EXPECT_GE(place.Width(), 60);
    const fw::TRect buttons = MDIButtonsRect(sp->MDIButtons);
    EXPECT_TRUE(place.Left <= buttons.Left && buttons.Right <= place.Right && place.Top <= buttons.Top &&
                buttons.Bottom <= place.Bottom)
        << "it covers the MDI buttons";
    ASSERT_TRUE(watch.IconsShot);
    fw::TBitmap* cache = sp->SkinData()->FCacheBmp;
    int differ = 0;
    for (int y = 0; y < place.Height(); ++y)
        for (int x = 0; x < place.Width(); ++x)
            differ += GetPixel(watch.IconsShot->Canvas()->Handle(), x, y) !=
                      GetPixel(cache->Canvas()->Handle(), place.Left + x, place.Top + y);
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(MDIIconsForm(), nullptr);
    EXPECT_FALSE(IsWindow(watch.Icons));
    EXPECT_FALSE(sp->InMenu);

    // Restored, the icon goes; the child's window gone, its items go and the
    // parent's Edit is drawn again.
    SendMessageW(form->ClientHandle(), WM_MDIRESTORE, WPARAM(child->Handle()), 0);
    Pump(150);
    EXPECT_FALSE(ChildIconPresent());
    auto restored = Shot(h);
    EXPECT_EQ(Count(*restored, lineRect, IsRed), 0);
    EXPECT_GE(BarPos(h, tools), 0) << "still merged while the child is active";
    child->Free();
    Pump(150);
    EXPECT_EQ(BarPos(h, tools), -1);
    ASSERT_GE(BarPos(h, edit), 0);
    auto closed = Shot(h, L"skinned-mdi-menu-unmerged");
    EXPECT_GT(Count(*closed, BarItem(h, BarPos(h, edit)), IsDark), 6);
    EXPECT_EQ(TitleMismatches(sp), 0);

    // A child shown maximised: the line waits for the bar the showing leaves
    // (its items merged, the platform's window menu first), then shows it.
    auto* second = new fw::TForm(fw::Application.get());
    second->AfterConstruction();
    second->SetFormStyle(fw::fsMDIChild);
    second->SetCaption(L"Second");
    auto* secondMenu = new fw::TMainMenu(second);
    fw::TMenuItem* view = TopItem(second, secondMenu, L"&View", 3);
    second->SetMenu(secondMenu);
    second->Icon()->SetHandle(RedIcon());
    second->SetWindowState(fw::wsMaximized);
    second->Show();
    Pump(250);
    ASSERT_TRUE(ChildIconPresent());
    const int viewAt = BarPos(h, view);
    ASSERT_GT(viewAt, 0);
    auto shown = Shot(h, L"skinned-mdi-shown-maximised");
    EXPECT_EQ(TitleMismatches(sp), 0);
    EXPECT_GT(Count(*shown, BarItem(h, viewAt), IsDark), 6);
    const fw::TRect icon2 = ChildIconRect(MenuLineRect(sp->State(), sp->Metrics(), sp->OffsetY()),
                                          MenuHeight(sp->State(), sp->Metrics()), BarItem(h, 0));
    EXPECT_EQ(Count(*shown, icon2, IsRed), icon2.Width() * icon2.Height());

    // The icons window paints from the parent's provider: it goes with it.
    SendMessageW(h, WM_ENTERMENULOOP, 0, 0);
    ASSERT_NE(MDIIconsForm(), nullptr);
    const HWND icons = MDIIconsForm()->Handle();
    sp->Free();
    EXPECT_EQ(MDIIconsForm(), nullptr);
    EXPECT_FALSE(IsWindow(icons));
    Pump(50);
    second->Free();
    Pump(100);
}
