// Skinned menu items measured and drawn into bitmaps, without menu windows.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "FrameFixtures.h"
#include "framework/windows/Menus.h"
#include "framework/windows/Screen.h"
#include "skin/forms/sSkinMenus.h"

using namespace skin;
using formstest::LoadedSkin;

namespace {

constexpr COLORREF kItem = 16645114;     // MENUITEM's COLOR in the default skin
constexpr COLORREF kItemHot = 16246230;  // its HOTCOLOR
constexpr COLORREF kIcoLine = 16249582;  // ICOLINE's COLOR

int Diff(COLORREF a, COLORREF b) {
    return std::abs(int(GetRValue(a)) - int(GetRValue(b))) + std::abs(int(GetGValue(a)) - int(GetGValue(b))) +
           std::abs(int(GetBValue(a)) - int(GetBValue(b)));
}

// Pixels in R far from Colour (text, glyphs, lines).
int Inked(fw::TBitmap& B, const fw::TRect& R, COLORREF Colour) {
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (Diff(GetPixel(B.Canvas()->Handle(), x, y), Colour) > 90) ++n;
    return n;
}

struct MenuScene {
    std::unique_ptr<LoadedSkin> skin;
    TsSkinableMenus* menus = nullptr;
    fw::TPopupMenu* popup = nullptr;
    explicit MenuScene(const wchar_t* Folder = L"default", const wchar_t* Name = L"Stillwater") {
        InstallSkinnedMenus();
        skin = std::make_unique<LoadedSkin>(Folder, Name);
        menus = dynamic_cast<TsSkinableMenus*>(skin->sm->SkinableMenus());
        skin->sm->MenuSupport()->IcoLineSkin = L"ICOLINE";  // as the manager's Loaded leaves it
        popup = new fw::TPopupMenu(nullptr);
        ClearCache();
    }
    ~MenuScene() {
        ClearCache();
        delete popup;
    }
    fw::TMenuItem* Add(const wchar_t* Caption) {
        auto* it = new fw::TMenuItem(popup);
        it->SetCaption(Caption);
        popup->Items()->Add(it);
        return it;
    }
};

}  // namespace

TEST(SkinnedMenus, HandlersGoOnlyIntoEmptyEventsAndComeOffOnlyWhenOurs) {
    MenuScene s;
    ASSERT_NE(s.menus, nullptr);
    fw::TMenuItem* plain = s.Add(L"Plain");
    fw::TMenuItem* own = s.Add(L"Own");
    fw::TMenuItem* sub = new fw::TMenuItem(s.popup);
    sub->SetCaption(L"Nested");
    plain->Add(sub);
    struct Owner {
        void Draw(fw::TObject*, fw::TCanvas*, fw::TRect, fw::TOwnerDrawState) {}
    } owner;
    own->OnAdvancedDrawItem = fw::TAdvancedMenuDrawItemEvent(&owner, &Owner::Draw);
    const auto ownDraw = own->OnAdvancedDrawItem;

    s.menus->HookPopupMenu(s.popup, true);
    EXPECT_TRUE(s.popup->OwnerDraw());
    EXPECT_TRUE(s.popup->MenuAnimation().Contains(fw::maNone));
    EXPECT_TRUE(bool(plain->OnAdvancedDrawItem));
    EXPECT_TRUE(bool(sub->OnMeasureItem)) << "nested items are hooked too";
    EXPECT_TRUE(own->OnAdvancedDrawItem == ownDraw);
    EXPECT_TRUE(bool(own->OnMeasureItem)) << "an empty measuring event still gets ours";

    s.menus->HookPopupMenu(s.popup, false);
    EXPECT_FALSE(s.popup->OwnerDraw());
    EXPECT_FALSE(s.popup->MenuAnimation().Contains(fw::maNone));
    EXPECT_FALSE(bool(plain->OnAdvancedDrawItem));
    EXPECT_FALSE(bool(sub->OnMeasureItem));
    EXPECT_TRUE(own->OnAdvancedDrawItem == ownDraw) << "the application's own handler stays";
    EXPECT_FALSE(bool(own->OnMeasureItem));

    // Popups not skinned: the menu stays drawn by the system, the handlers wait.
    s.skin->sm->SetSkinnedPopups(false);
    s.menus->HookPopupMenu(s.popup, true);
    EXPECT_FALSE(s.popup->OwnerDraw());
    EXPECT_TRUE(bool(plain->OnAdvancedDrawItem));
}

TEST(SkinnedMenus, ItemsAreMeasuredByKindGlyphColumnAndText) {
    MenuScene s;
    fw::TBitmap canvasBmp(10, 10, fw::pf24bit);
    fw::TCanvas* c = canvasBmp.Canvas();
    c->Font()->Assign(fw::Screen->MenuFont());
    const int th = c->TextHeight(L"W");
    const int T = int(std::nearbyint(th * 1.25));
    auto width = [&](const fw::String& t, bool bold) {
        c->Font()->Assign(fw::Screen->MenuFont());
        if (bold) c->Font()->SetStyle(fw::TFontStyles() + fw::fsBold);
        SIZE sz{};
        GetTextExtentPoint32W(c->Handle(), t.c_str(), int(t.size()), &sz);
        return int(sz.cx);
    };
    struct Case {
        const wchar_t* caption;
        fw::TShortCut shortcut;
        bool isDefault;
        fw::String measured;  // the text the width comes from
        int height;
    } cases[] = {
        {L"Open", 0, false, L"Open", std::max(T, 16) + 4},
        {L"Save", fw::scCtrl | 'S', false, L"SaveCtrl+S", std::max(T, 16) + 4},
        {L"Bold", 0, true, L"Bold", std::max(T, 16) + 4},
        {L"-", 0, false, L"", 2},
        {L"-Tools-", 0, false, L"--Tools--", T + 4},
    };
    for (const Case& k : cases) {
        fw::TMenuItem* it = s.Add(k.caption);
        it->SetShortCut(k.shortcut);
        it->SetDefault(k.isDefault);
        int w = 0, h = 0;
        s.menus->sMeasureItem(it, c, w, h);
        // No images: a 16-pixel glyph column counted twice, margins and spacing.
        EXPECT_EQ(w, 44 + (k.measured.empty() ? 0 : width(k.measured, k.isDefault))) << k.caption;
        EXPECT_EQ(h, k.height) << k.caption;
        EXPECT_TRUE(acCanHookMenu);
    }
    // A bigger picture raises the glyph column and the height.
    fw::TMenuItem* pic = s.Add(L"Pic");
    pic->Bitmap()->SetSize(24, 30);
    int w = 0, h = 0;
    s.menus->sMeasureItem(pic, c, w, h);
    EXPECT_EQ(w, 48 + 12 + width(L"Pic", false));
    EXPECT_EQ(h, std::max(T, 30) + 4);
}

TEST(SkinnedMenus, OneBackgroundPerMenuWithSectionIconColumnAndFrame) {
    MenuScene s;
    fw::TMenuItem* a = s.Add(L"Alpha");
    fw::TMenuItem* b = s.Add(L"Beta");
    const TacMenuInfo mi = s.menus->GetMenuInfo(b, 160, 80, nullptr);
    ASSERT_NE(mi.Bmp, nullptr);
    EXPECT_EQ(mi.FirstItem, a);
    EXPECT_EQ(mi.Bmp->Width(), 160);
    EXPECT_EQ(MenuInfoArray.size(), 1u);
    EXPECT_EQ(s.menus->GetMenuInfo(a, 160, 80, nullptr).Bmp, mi.Bmp) << "items of one menu share it";
    EXPECT_EQ(s.menus->GetMenuInfo(nullptr, 0, 0, nullptr).Bmp, nullptr);
    EXPECT_FALSE(mi.HaveExtraLine && s.menus->ExtraWidth(mi) > 0) << "no extra line unless asked for";

    HDC dc = mi.Bmp->Canvas()->Handle();
    const int sbw = s.menus->GetSkinBorderWidth();
    EXPECT_GT(sbw, 0);
    // The icon column lies inside the frame, the rest is the menu's colour.
    EXPECT_LT(Diff(GetPixel(dc, sbw + 2, 40), kIcoLine), 12);
    EXPECT_LT(Diff(GetPixel(dc, 120, 40), kItem), 12);
    EXPECT_GT(Diff(GetPixel(dc, 0, 40), GetPixel(dc, 120, 40)), 0) << "the frame is drawn at the edge";
    ClearCache();
    EXPECT_TRUE(MenuInfoArray.empty());

    // Asked for, the extra line widens the menu; a skin-selection menu never has one.
    s.skin->sm->MenuSupport()->UseExtraLine = true;
    EXPECT_EQ(s.menus->ExtraWidth(s.menus->GetMenuInfo(a, 160, 80, nullptr)), 32);
    a->SetName(L"SkinSelectItem");
    ClearCache();
    EXPECT_EQ(s.menus->ExtraWidth(s.menus->GetMenuInfo(a, 160, 80, nullptr)), 0);
}

TEST(SkinnedMenus, ItemsAreDrawnFromTheSkinByState) {
    MenuScene s;
    struct Case {
        const char* name;
        const wchar_t* caption;
        fw::TOwnerDrawState state;
        bool enabled, checked, radio, picture;
    };
    fw::TOwnerDrawState none, sel, chk;
    sel.Include(fw::odSelected);
    chk.Include(fw::odChecked);
    const Case cases[] = {
        {"normal", L"Normal", none, true, false, false, false},
        {"selected", L"Selected", sel, true, false, false, false},
        {"disabled", L"Disabled", none, false, false, false, false},
        {"checked", L"Checked", chk, true, true, false, false},
        {"radio", L"Radio", chk, true, true, true, false},
        {"picture", L"Picture", none, true, false, false, true},
        {"divider", L"-", none, true, false, false, false},
        {"caption", L"-Tools-", none, true, false, false, false},
    };
    std::vector<fw::TMenuItem*> items;
    for (const Case& k : cases) {
        fw::TMenuItem* it = s.Add(k.caption);
        it->SetEnabled(k.enabled);
        it->SetRadioItem(k.radio);
        if (k.picture) {
            it->Bitmap()->SetSize(16, 16);
            it->Bitmap()->Canvas()->Brush()->SetColor(fw::TColor(RGB(200, 0, 0)));
            it->Bitmap()->Canvas()->FillRect(fw::TRect(0, 0, 16, 16));
        }
        items.push_back(it);
    }
    // Rows as the menu window would lay them out, on a canvas with no window.
    fw::TBitmap page(1, 1, fw::pf24bit);
    const int W = s.menus->ParentWidth(page.Canvas(), items[0]);
    std::vector<fw::TRect> rows;
    int y = 0;
    for (fw::TMenuItem* it : items) {
        int w = 0, h = 0;
        s.menus->sMeasureItem(it, page.Canvas(), w, h);
        rows.emplace_back(0, y, W, y + h);
        y += h;
    }
    page.SetSize(W, y);
    for (size_t i = 0; i < items.size(); ++i)
        s.menus->sAdvancedDrawItem(items[i], page.Canvas(), rows[i], cases[i].state);
    CreateDirectoryW(L"..\\screenshots", nullptr);
    page.SaveToFile(L"..\\screenshots\\menu-items.bmp");
    HDC dc = page.Canvas()->Handle();

    auto right = [&](int i) { return GetPixel(dc, W - 12, (rows[i].Top + rows[i].Bottom) / 2); };
    auto glyphColumn = [&](int i) { return fw::TRect(2, rows[i].Top + 2, 20, rows[i].Bottom - 2); };
    auto captionArea = [&](int i) { return fw::TRect(28, rows[i].Top + 2, 120, rows[i].Bottom - 2); };
    EXPECT_LT(Diff(right(0), kItem), 24) << "normal";
    EXPECT_LT(Diff(right(1), kItemHot), 24) << "selected";
    EXPECT_GT(Inked(page, captionArea(0), kItem), 10) << "caption text";
    EXPECT_EQ(Inked(page, glyphColumn(0), kItem), 0) << "nothing in the glyph column";
    EXPECT_GT(Inked(page, glyphColumn(3), kItem), 4) << "check mark";
    EXPECT_GT(Inked(page, glyphColumn(4), kItem), 4) << "radio mark";
    EXPECT_EQ(GetPixel(dc, 10, (rows[5].Top + rows[5].Bottom) / 2), RGB(200, 0, 0)) << "item picture";
    // Disabled: the text is paler than an enabled item's.
    EXPECT_LT(Inked(page, captionArea(2), kItem), Inked(page, captionArea(0), kItem));
    EXPECT_EQ(rows[6].Height(), 2);
    EXPECT_GT(Diff(GetPixel(dc, 60, rows[6].Top), kItem), 0) << "divider line";
    EXPECT_GT(Diff(GetPixel(dc, 4, (rows[7].Top + rows[7].Bottom) / 2), kItem), 0) << "caption bar";
    EXPECT_GT(Inked(page, fw::TRect(60, rows[7].Top, 120, rows[7].Bottom), kItem), 4) << "caption word";
    EXPECT_EQ(MenuInfoArray.size(), 1u);
}

// A skin without a "MAINMENU" section: the menu stands on the system's menu
// colour, frameless, its items' captions written over it.
TEST(SkinnedMenus, ASkinWithoutAMenuSectionDrawsOnTheSystemMenuColour) {
    MenuScene s(L"test", L"T1");
    ASSERT_FALSE(s.skin->sm->IsValidSkinIndex(s.skin->sm->GetSkinIndex(L"MAINMENU")));
    fw::TMenuItem* a = s.Add(L"Alpha");
    s.Add(L"Beta");
    const TacMenuInfo mi = s.menus->GetMenuInfo(a, 120, 50, nullptr);
    ASSERT_NE(mi.Bmp, nullptr);
    EXPECT_EQ(s.menus->GetSkinBorderWidth(), 0);
    const COLORREF menu = GetSysColor(COLOR_MENU);
    EXPECT_EQ(Inked(*mi.Bmp, fw::TRect(0, 0, 120, 50), menu), 0);
    EXPECT_EQ(GetPixel(mi.Bmp->Canvas()->Handle(), 0, 0), menu);
    EXPECT_EQ(GetPixel(mi.Bmp->Canvas()->Handle(), 119, 49), menu);

    fw::TBitmap page(1, 1, fw::pf24bit);
    // The row as the menu window would lay it out.
    const int W = s.menus->ParentWidth(page.Canvas(), a);
    int w = 0, h = 0;
    s.menus->sMeasureItem(a, page.Canvas(), w, h);
    page.SetSize(W, h);
    s.menus->sAdvancedDrawItem(a, page.Canvas(), fw::TRect(0, 0, W, h), fw::TOwnerDrawState());
    CreateDirectoryW(L"..\\screenshots", nullptr);
    page.SaveToFile(L"..\\screenshots\\menu-item-without-menu-section.bmp");
    EXPECT_EQ(GetPixel(page.Canvas()->Handle(), W - 12, h / 2), menu) << "beside the caption";
    EXPECT_GT(Inked(page, fw::TRect(20, 1, W - 20, h - 1), menu), 10) << "the caption is written";
    // Selected: on the system's highlight, the caption in its text colour.
    fw::TOwnerDrawState selected;
    selected.Include(fw::odSelected);
    s.menus->sAdvancedDrawItem(a, page.Canvas(), fw::TRect(0, 0, W, h), selected);
    page.SaveToFile(L"..\\screenshots\\menu-item-without-menu-section-selected.bmp");
    const COLORREF light = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(GetPixel(page.Canvas()->Handle(), W - 12, h / 2), light);
    EXPECT_GT(Inked(page, fw::TRect(20, 1, W - 20, h - 1), light), 10);
}
