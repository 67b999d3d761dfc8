// A skinned form with a main menu: the menu line under the title is painted
// from the skin's "MENULINE" section with the items drawn by the skinned
// menus, the client starts below it, its rows hit-test as the menu, and a
// click on an item runs the platform's menu loop over the skinned bar: the
// item lit in the skin's hot look and its popup skinned like any other.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "../FrameFixtures.h"
#include "MenuBarKit.h"
#include "SkinnedFormKit.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"

using namespace skin;
using namespace formstest;

namespace {

fw::TColor SectionColor(TsSkinManager* m, const wchar_t* Section) {
    const int i = m->GetSkinIndex(Section);
    return m->IsValidSkinIndex(i) ? m->gd[size_t(i)].Color : fw::TColor(-1);
}

// Pixels of R in Shot of colour C.
int CountColour(fw::TBitmap& Shot, const fw::TRect& R, COLORREF C) {
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (GetPixel(Shot.Canvas()->Handle(), x, y) == C) ++n;
    return n;
}

struct Loop {
    HWND Form = nullptr;
    fw::TRect File;
    int Ticks = 0;
    HWND Popup = nullptr;
    bool Wrapped = false;
    std::unique_ptr<fw::TBitmap> FormShot, PopupShot;
} loop;

void CALLBACK WatchBarMenu(HWND, UINT, UINT_PTR id, DWORD) {
    Loop& l = loop;
    if (++l.Ticks > 80 || l.PopupShot) {
        KillTimer(nullptr, id);
        EndMenu();
        return;
    }
    if (HWND w = OpenMenuWindow()) l.Popup = w;
    if (!l.Popup || l.Ticks < 6) return;  // open and painted
    l.Wrapped = SendMessageW(l.Popup, SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0) == 1;
    l.FormShot = Shot(l.Form, L"skinned-form-menu-line-open");
    l.PopupShot = Shot(l.Popup, L"skinned-form-menu-line-popup");
}

}  // namespace

TEST(SkinnedMenuLine, PaintedFromTheSkinHitTestedAndOpeningSkinnedPopups) {
    InstallFormSkinning();
    LoadedSkin skin(L"default", L"Stillwater");
    TsSkinManager* m = skin.sm.get();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Menu line probe");
    form->SetBounds(120, 90, 380, 260);
    auto* menu = new fw::TMainMenu(form.get());
    fw::TMenuItem* file = Item(form.get(), L"&File");
    file->Add(Item(form.get(), L"&Open"));
    file->Add(Item(form.get(), L"&Save"));
    menu->Items()->Add(file);
    menu->Items()->Add(Item(form.get(), L"&Edit"));
    fw::TMenuItem* view = Item(form.get(), L"&View");
    view->SetEnabled(false);
    menu->Items()->Add(view);
    menu->Items()->Add(Item(form.get(), L"&Help"));
    form->SetMenu(menu);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(200);
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    ASSERT_TRUE(sp->Skinned());

    // The bar's items are the skinned menus' to measure and draw.
    auto* menus = dynamic_cast<TsSkinableMenus*>(m->SkinableMenus());
    ASSERT_NE(nullptr, menus);
    EXPECT_TRUE(menu->OwnerDraw());
    for (int i = 0; i < menu->Items()->Count(); ++i)
        EXPECT_TRUE(menu->Items()->Items(i)->OnAdvancedDrawItem ==
                    fw::TAdvancedMenuDrawItemEvent(menus, &TsSkinableMenus::sAdvancedDrawLineItem))
            << i;
    EXPECT_TRUE(sp->MenuPresent());
    EXPECT_EQ(1, sp->LinesCount());
    const TFrameState s = sp->State();
    EXPECT_TRUE(s.MenuLine);
    EXPECT_EQ(1, s.MenuLines);

    // The client starts below the line: the image's client offset is the window's.
    RECT wr;
    GetWindowRect(h, &wr);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    EXPECT_EQ(origin.y - wr.top, sp->OffsetY());
    EXPECT_EQ(origin.x - wr.left, sp->OffsetX());
    const int title = TitleBottom(s, sp->Metrics());
    EXPECT_GE(sp->OffsetY(), title + MenuHeight(s, sp->Metrics()));

    // Hit test over the line: the menu; above it the caption, below it the client.
    const fw::TRect fileRect = BarItem(h, 0), helpRect = BarItem(h, 3);
    ASSERT_GT(fileRect.Width(), 0);
    EXPECT_NEAR(title, fileRect.Top, 1) << "the platform's bar lies right under the skinned title";
    auto hit = [&](int x, int y) { return SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(wr.left + x, wr.top + y)); };
    EXPECT_EQ(HTMENU, hit(fileRect.Left + 5, fileRect.Top + 4));
    EXPECT_EQ(HTMENU, hit(helpRect.Right + 30, helpRect.Top + 4));
    EXPECT_EQ(HTCAPTION, hit(sp->OffsetX() + 40, title / 2));
    EXPECT_EQ(HTCLIENT, hit(sp->OffsetX() + 40, sp->OffsetY() + 10));

    // Pixels: the line's colour beside the items, dark text on the items, the
    // disabled item's text paler than the enabled ones'.
    auto shot = Shot(h, L"skinned-form-menu-line");
    const COLORREF line = COLORREF(fw::ColorToRGB(SectionColor(m, L"MENULINE")));
    const fw::TRect beside(helpRect.Right + 4, fileRect.Top + 2, sp->OffsetX() + s.ClientWidth - 4,
                           fileRect.Bottom - 2);
    ASSERT_GT(beside.Width(), 20);
    EXPECT_EQ(beside.Width() * beside.Height(), CountColour(*shot, beside, line));
    EXPECT_NE(line, GetSysColor(COLOR_MENU));
    auto darkest = [&](fw::TBitmap& B, const fw::TRect& R) {
        int best = 255 * 3;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x) {
                const COLORREF c = GetPixel(B.Canvas()->Handle(), x, y);
                best = std::min(best, int(GetRValue(c)) + GetGValue(c) + GetBValue(c));
            }
        return best;
    };
    const fw::TRect viewRect = BarItem(h, 2);
    EXPECT_LT(darkest(*shot, fileRect), 3 * 90) << "the item's caption is written";
    EXPECT_GT(darkest(*shot, viewRect), darkest(*shot, fileRect) + 60) << "a disabled item is paler";
    // Around an item's caption the line shows through the plain item.
    EXPECT_EQ(line, GetPixel(shot->Canvas()->Handle(), fileRect.Left + 1, fileRect.Top + 1));

    // A click on "File": the platform's menu loop, the item lit in the skin's
    // hot look, its popup wrapped and drawn from the skin.
    loop = Loop();
    loop.Form = h;
    loop.File = fileRect;
    const UINT_PTR timer = SetTimer(nullptr, 0, 60, WatchBarMenu);
    const LPARAM at = MAKELPARAM(wr.left + fileRect.Left + fileRect.Width() / 2, wr.top + fileRect.Top + 5);
    SendMessageW(h, WM_NCLBUTTONDOWN, HTMENU, at);
    KillTimer(nullptr, timer);
    Pump(150);
    ASSERT_TRUE(loop.PopupShot) << "no menu opened from the bar";
    EXPECT_TRUE(loop.Wrapped);
    ASSERT_TRUE(loop.FormShot);
    const COLORREF litLeft = GetPixel(loop.FormShot->Canvas()->Handle(), fileRect.Left + 1, fileRect.Top + 6);
    EXPECT_NE(line, litLeft) << "the opened item is drawn lit";
    // The popup: the skin's menu frame, not the system's white.
    const COLORREF popupMiddle =
        GetPixel(loop.PopupShot->Canvas()->Handle(), loop.PopupShot->Width() - 8, loop.PopupShot->Height() / 2);
    EXPECT_EQ(COLORREF(fw::ColorToRGB(SectionColor(m, L"MAINMENU"))), popupMiddle);
    // Closed: the line is drawn plain again.
    auto after = Shot(h);
    EXPECT_EQ(line, GetPixel(after->Canvas()->Handle(), fileRect.Left + 1, fileRect.Top + 6));

    // A changed item: the line is measured and painted again.
    fw::TMenuItem* help = menu->Items()->Items(3);
    help->SetCaption(L"&Help and a much longer caption");
    Pump(150);
    const fw::TRect longer = BarItem(h, 3);
    EXPECT_GT(longer.Width(), helpRect.Width() + 40);
    auto changed = Shot(h);
    EXPECT_LT(CountColour(*changed,
                          fw::TRect(helpRect.Right + 10, longer.Top + 2, longer.Right - 10, longer.Bottom - 2), line),
              (longer.Right - helpRect.Right - 20) * (longer.Height() - 4))
        << "the new caption is written where the line was plain";

    // A narrow form: the bar wraps to two rows, counted, hit-tested and
    // painted, and the client starts below both.
    form->SetBounds(120, 90, 150, 260);
    Pump(200);
    GetWindowRect(h, &wr);
    ClientToScreen(h, &(origin = POINT{0, 0}));
    EXPECT_EQ(2, sp->LinesCount());
    EXPECT_EQ(origin.y - wr.top, sp->OffsetY());
    const fw::TRect second = BarItem(h, 3);
    EXPECT_GT(second.Top, fileRect.Top + 10) << "the last item went to the second row";
    EXPECT_EQ(HTMENU, hit(second.Left + 4, second.Top + 4));
    auto narrow = Shot(h, L"skinned-form-menu-line-two-rows");
    EXPECT_LT(darkest(*narrow, second), 3 * 90);
    const fw::TRect third = BarItem(h, 2);
    EXPECT_EQ(line, GetPixel(narrow->Canvas()->Handle(), third.Right + 2, third.Top + 3));
}

// DrawNonClientArea switched off gives the bar back to the platform (items
// neither owner-drawn nor measured by the skinned menus, drawn in the
// system's menu colour); switched on again, the skin draws it as before.
TEST(SkinnedMenuLine, FollowsDrawNonClientAreaOffAndOn) {
    InstallFormSkinning();
    LoadedSkin skin(L"default", L"Stillwater");
    TsSkinManager* m = skin.sm.get();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Menu line switch");
    form->SetBounds(140, 100, 380, 240);
    auto* menu = new fw::TMainMenu(form.get());
    fw::TMenuItem* file = Item(form.get(), L"&File");
    file->Add(Item(form.get(), L"&Open"));
    menu->Items()->Add(file);
    menu->Items()->Add(Item(form.get(), L"&Edit"));
    form->SetMenu(menu);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(200);
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    auto* menus = dynamic_cast<TsSkinableMenus*>(m->SkinableMenus());
    ASSERT_NE(nullptr, menus);
    const auto ours = fw::TAdvancedMenuDrawItemEvent(menus, &TsSkinableMenus::sAdvancedDrawLineItem);
    const COLORREF line = COLORREF(fw::ColorToRGB(SectionColor(m, L"MENULINE")));
    const COLORREF system = GetSysColor(COLOR_MENU);
    ASSERT_NE(line, system);

    // The bar right of its last item, as the window shows it.
    auto besideTheItems = [&](const wchar_t* Name) {
        const fw::TRect edit = BarItem(h, 1);
        RECT cr;
        GetClientRect(h, &cr);
        const fw::TRect r(edit.Right + 6, edit.Top + 2, edit.Right + 6 + std::min(100, int(cr.right) / 3),
                          edit.Bottom - 2);
        auto shot = Shot(h, Name);
        return std::make_pair(CountColour(*shot, r, line), CountColour(*shot, r, system));
    };
    struct Step {
        bool on;
        const wchar_t* shot;
    };
    for (const Step& st : {Step{true, L"menu-line-skinned"}, Step{false, L"menu-line-draw-nonclient-off"},
                           Step{true, L"menu-line-draw-nonclient-on-again"}}) {
        SCOPED_TRACE(st.on ? "on" : "off");
        sp->SetDrawNonClientArea(st.on);
        Pump(200);
        EXPECT_EQ(st.on, menu->OwnerDraw());
        for (int i = 0; i < menu->Items()->Count(); ++i)
            EXPECT_EQ(st.on, menu->Items()->Items(i)->OnAdvancedDrawItem == ours) << i;
        const fw::TRect file = BarItem(h, 0);
        ASSERT_GT(file.Width(), 0);
        RECT wr;
        GetWindowRect(h, &wr);
        EXPECT_EQ(HTMENU, SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(wr.left + file.Left + 4, wr.top + file.Top + 4)));
        const auto [skinned, plain] = besideTheItems(st.shot);
        if (st.on) {
            EXPECT_GT(skinned, 0);
            EXPECT_EQ(plain, 0);
        } else {
            EXPECT_EQ(skinned, 0);
            EXPECT_GT(plain, 0);
        }
    }
}
