// The library's window menus without a window: which items show and work in
// which state of the form or dialog, what is copied from a window's own
// system menu (captions, shortcuts, the application's items and submenus),
// and the skin-selection items.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "FrameFixtures.h"
#include "skin/engine/sConst.h"
#include "skin/forms/sSysMenu.h"

using namespace skin;
using namespace formstest;

namespace {

// Visible and enabled, one letter pair per item: Restore, Move, Size,
// Minimize, Maximize, Close ("VE" shown and working, "V-" greyed, "--" hidden).
template <typename M>
std::string Looks(M& m) {
    std::string s;
    for (fw::TMenuItem* i : {m.ItemRestore, m.ItemMove, m.ItemSize, m.ItemMinimize, m.ItemMaximize, m.ItemClose}) {
        if (!s.empty()) s += ' ';
        s += i->Visible() ? 'V' : '-';
        s += i->Visible() ? (i->Enabled() ? 'E' : '-') : '-';
    }
    return s;
}

// A window menu as the system builds it, in English.
HMENU StandardMenu() {
    HMENU m = CreatePopupMenu();
    AppendMenuW(m, MF_STRING, SC_RESTORE, L"&Restore");
    AppendMenuW(m, MF_STRING, SC_MOVE, L"&Move");
    AppendMenuW(m, MF_STRING, SC_SIZE, L"&Size");
    AppendMenuW(m, MF_STRING, SC_MINIMIZE, L"Mi&nimize");
    AppendMenuW(m, MF_STRING, SC_MAXIMIZE, L"Ma&ximize");
    AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(m, MF_STRING, SC_CLOSE, L"&Close\tAlt+F4");
    return m;
}

// The menu's items as "caption|tag|shortcut" lines, submenus indented.
void Describe(fw::TMenuItem* Parent, std::vector<std::wstring>& Out, const std::wstring& Indent = L"") {
    for (int i = 0; i < Parent->Count(); ++i) {
        fw::TMenuItem* it = Parent->Items(i);
        std::wstring line =
            Indent + it->Caption() + L"|" + std::to_wstring(it->Tag()) + L"|" + fw::ShortCutToText(it->ShortCut());
        if (!it->Enabled()) line += L"|grey";
        Out.push_back(line);
        Describe(it, Out, Indent + L"  ");
    }
}

std::vector<std::wstring> Describe(TsSystemMenu& m) {
    std::vector<std::wstring> out;
    Describe(m.Items(), out);
    return out;
}

struct MenuFree {
    void operator()(fw::TComponent* c) const { c->Free(); }
};

std::unique_ptr<TsSystemMenu, MenuFree> NewSysMenu() {
    auto m = std::unique_ptr<TsSystemMenu, MenuFree>(new TsSystemMenu(nullptr));
    m->AfterConstruction();
    return m;
}

}  // namespace

TEST(SystemMenu, ItemsFollowTheFormsBorderAndState) {
    auto m = NewSysMenu();
    HMENU src = StandardMenu();
    m->GenerateFrom(src);
    DestroyMenu(src);
    using fw::biMaximize;
    using fw::biMinimize;
    using fw::biSystemMenu;
    struct Row {
        const char* name;
        fw::TFormBorderStyle bs;
        fw::TBorderIcons icons;
        bool zoomed, iconic, sysMenu, mdiChild;
        const char* looks;  // Restore Move Size Minimize Maximize Close
    };
    const fw::TBorderIcons all{biSystemMenu, biMinimize, biMaximize};
    const Row rows[] = {
        {"sizeable", fw::bsSizeable, all, false, false, true, false, "V- VE VE VE VE VE"},
        {"sizeable maximised", fw::bsSizeable, all, true, false, true, false, "VE V- VE VE V- VE"},
        {"sizeable minimised", fw::bsSizeable, all, false, true, true, false, "VE VE V- V- VE VE"},
        {"single without max",
         fw::bsSingle,
         {biSystemMenu, biMinimize},
         false,
         false,
         true,
         false,
         "V- VE V- VE -- VE"},
        {"single minimised without max",
         fw::bsSingle,
         {biSystemMenu, biMinimize},
         false,
         true,
         true,
         false,
         "VE VE V- V- V- VE"},
        {"dialog", fw::bsDialog, all, false, false, true, false, "-- VE -- -- -- VE"},
        {"tool window", fw::bsToolWindow, all, false, false, true, false, "-- VE -- -- -- VE"},
        {"sizeable tool window", fw::bsSizeToolWin, all, false, false, true, false, "-- VE VE -- -- VE"},
        {"no system menu", fw::bsSizeable, all, false, false, false, false, "-- VE VE -- -- --"},
        {"mdi child dialog border", fw::bsDialog, all, false, false, true, true, "V- VE VE VE VE VE"},
    };
    for (const Row& r : rows) {
        TFrameState s;
        s.BorderStyle = r.bs;
        s.BorderIcons = r.icons;
        s.Zoomed = r.zoomed;
        s.Iconic = r.iconic;
        s.HaveSysMenu = r.sysMenu;
        s.MDIChild = r.mdiChild;
        m->UpdateItemsFor(s);
        EXPECT_EQ(r.looks, Looks(*m)) << r.name;
    }
}

TEST(SystemMenu, CopiesTheWindowsMenuWithTheApplicationsItemsAndSubmenus) {
    struct Case {
        const char* name;
        HMENU (*make)();
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        {"the system's own items only",
         [] { return StandardMenu(); },
         {L"&Restore|61728|", L"&Move|61456|", L"&Size|61440|", L"Mi&nimize|61472|", L"Ma&ximize|61488|", L"-|0|",
          L"&Close|61536|Alt+F4"}},
        {"an application's items between the lines, submenus with their items",
         [] {
             HMENU m = StandardMenu();
             AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
             AppendMenuW(m, MF_STRING, 0x100, L"About probe...\tCtrl+B");
             HMENU sub = CreatePopupMenu();
             AppendMenuW(sub, MF_STRING, 0x110, L"Zoom in");
             AppendMenuW(sub, MF_SEPARATOR, 0, nullptr);
             AppendMenuW(sub, MF_STRING, 0x111, L"Zoom out\tCtrl+O");
             AppendMenuW(sub, MF_SEPARATOR, 0, nullptr);
             AppendMenuW(m, MF_POPUP, UINT_PTR(sub), L"&View");
             // Nothing to copy in it: left out, not a dead item.
             AppendMenuW(m, MF_POPUP, UINT_PTR(CreatePopupMenu()), L"Empty");
             AppendMenuW(m, MF_STRING | MF_GRAYED, 0x130, L"Greyed");
             AppendMenuW(m, MF_STRING, 0x140, L"");
             return m;
         },
         {L"&Restore|61728|", L"&Move|61456|", L"&Size|61440|", L"Mi&nimize|61472|", L"Ma&ximize|61488|", L"-|0|",
          L"About probe...|256|Ctrl+B", L"&View|-1|", L"  Zoom in|272|", L"  -|0|", L"  Zoom out|273|Ctrl+O",
          L"Greyed|304||grey", L"-|0|", L"&Close|61536|Alt+F4"}},
        {"a menu without the system's items: the library's captions, no shortcut",
         [] {
             HMENU m = CreatePopupMenu();
             AppendMenuW(m, MF_STRING, 0x200, L"Only mine");
             return m;
         },
         {acs_RestoreStr + L"|61728|", acs_MoveStr + L"|61456|", acs_SizeStr + L"|61440|", acs_MinimizeStr + L"|61472|",
          acs_MaximizeStr + L"|61488|", L"-|0|", L"Only mine|512|", L"-|0|", acs_CloseStr + L"|61536|"}},
    };
    for (const Case& c : cases) {
        auto m = NewSysMenu();
        HMENU src = c.make();
        m->GenerateFrom(src);
        DestroyMenu(src);
        EXPECT_EQ(c.expected, Describe(*m)) << c.name;
        const int ext = int(std::count_if(c.expected.begin(), c.expected.end(), [](const std::wstring& l) {
            return l[0] != L' ' && l[0] != L'-' && std::stoi(l.substr(l.find(L'|') + 1)) < 0xF000;
        }));
        EXPECT_EQ(ext, m->ExtItemsCount) << c.name;
        ASSERT_NE(nullptr, m->ItemClose) << c.name;
        EXPECT_EQ(L"acIC", m->ItemClose->Name());
    }
    // No system menu at all: an empty menu.
    auto none = NewSysMenu();
    none->GenerateFrom(nullptr);
    EXPECT_EQ(0, none->Items()->Count());
    EXPECT_EQ(nullptr, none->ItemClose);
}

TEST(SystemMenu, SkinItemsComeInColumnsOfTwentyAndNameTheSkin) {
    auto m = NewSysMenu();
    HMENU src = StandardMenu();
    m->GenerateFrom(src);
    DestroyMenu(src);
    fw::TStringList names;
    for (int i = 0; i < 45; ++i) names.Add(L"Skin " + std::to_wstring(100 + i));
    m->MakeSkinItems(names, L"Skin 121");
    fw::TMenuItem* root = m->Items()->Items(0);
    EXPECT_EQ(L"SkinSelectItem", root->Name());
    EXPECT_EQ(acs_AvailSkins, root->Caption());
    EXPECT_TRUE(m->Items()->Items(1)->IsLine());
    ASSERT_EQ(45, root->Count());
    std::vector<int> breaks, checked;
    for (int i = 0; i < root->Count(); ++i) {
        if (root->Items(i)->Break() == fw::mbBreak) breaks.push_back(i);
        if (root->Items(i)->Checked()) checked.push_back(i);
        EXPECT_TRUE(root->Items(i)->RadioItem());
    }
    EXPECT_EQ((std::vector<int>{20, 40}), breaks);
    EXPECT_EQ((std::vector<int>{21}), checked);
    EXPECT_EQ(L"SkinSelectItem44", root->Items(44)->Name());

    struct Row {
        const wchar_t* caption;
        const wchar_t* name;
    };
    const Row rows[] = {
        {L"&Stillwater", L"Stillwater"},
        {L"Box && Co", L"Box  Co"},
        {L"Night (internal)", L"Night (internal)"},
        {L"Ni&ght (internal) 2", L"Night (internal)"},
    };
    for (const Row& r : rows) EXPECT_EQ(r.name, SkinNameFromCaption(r.caption)) << r.caption;
}

TEST(SystemMenu, DialogMenuHasFixedItemsShownByTheDialogsBorder) {
    std::unique_ptr<TacSystemMenu, MenuFree> menu(new TacSystemMenu(nullptr));
    menu->AfterConstruction();
    TacSystemMenu& m = *menu;
    std::vector<std::wstring> names;
    for (int i = 0; i < m.Items()->Count(); ++i) names.push_back(m.Items()->Items(i)->Name());
    EXPECT_EQ(
        (std::vector<std::wstring>{L"miRestore", L"miMove", L"miSize", L"miMinimize", L"miMaximize", L"", L"miClose"}),
        names);
    EXPECT_EQ(0x8073, m.ItemClose->ShortCut());
    EXPECT_EQ(acs_CloseStr, m.ItemClose->Caption());

    struct Row {
        const char* name;
        TacBorderStyle bs;
        DWORD style;
        bool zoomed, iconic;
        const char* looks;
        bool noClose = false;  // the class has CS_NOCLOSE
    };
    const DWORD full = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    const Row rows[] = {
        {"modal frame", acbsDialog, WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, false, false, "-- VE -- -- -- VE"},
        {"sizeable", acbsSizeable, full | WS_THICKFRAME, false, false, "V- VE VE VE VE VE"},
        {"sizeable zoomed", acbsSizeable, full | WS_THICKFRAME, true, false, "VE V- VE VE V- VE"},
        {"single minimised", acbsSingle, full, false, true, "VE VE V- V- VE VE"},
        {"no system menu", acbsSizeable, WS_CAPTION | WS_THICKFRAME, false, false, "-- VE VE -- -- --"},
        {"class without closing", acbsDialog, WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, false, false,
         "-- VE -- -- -- V-", true},
    };
    for (const Row& r : rows) {
        TFrameState s = DialogFrameState(nullptr, r.style, 0, r.bs, true);
        s.Zoomed = r.zoomed;
        s.Iconic = r.iconic;
        s.NoClose = r.noClose;
        m.UpdateItemsFor(s, r.bs);
        EXPECT_EQ(r.looks, Looks(m)) << r.name;
    }
}
