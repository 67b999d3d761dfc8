// MDI under Wine and Xvfb: a parent form with its client window and two
// children, activated, tiled, cascaded and maximised.
#include <gtest/gtest.h>

#include <vector>

#include "app_fixture.h"
#include "control_fixture.h"
#include "framework/windows/Application.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"

using namespace fw;
using namespace fwtest;

namespace {

TRect RectInParent(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
    return TRect(r);
}

struct Activations {
    std::vector<String> log;
    void On(TObject* Sender) { log.push_back(L"+" + static_cast<TComponent*>(Sender)->Name()); }
    void Off(TObject* Sender) { log.push_back(L"-" + static_cast<TComponent*>(Sender)->Name()); }
};

struct MDITest : ::testing::Test {
    void SetUp() override {
        Application->CreateForm(parent);
        parent->SetName(L"Frame");
        parent->SetFormStyle(fsMDIForm);
        DWORD pid = GetCurrentProcessId();
        parent->SetBounds(20 + int(pid * 37 % 400), 20 + int(pid * 53 % 300), 520, 400);
        parent->Show();
    }
    void TearDown() override {
        for (TForm* c : {one, two})
            if (c) c->Free();
        parent->Free();
    }
    TForm* NewChild(const wchar_t* Name) {
        TForm* c = Create<TForm>(Application);
        c->SetName(Name);
        c->SetFormStyle(fsMDIChild);
        c->SetBounds(10, 10, 200, 150);
        c->OnActivate = TNotifyEvent(&activations, &Activations::On);
        c->OnDeactivate = TNotifyEvent(&activations, &Activations::Off);
        return c;
    }
    TForm* parent = nullptr;
    TForm* one = nullptr;
    TForm* two = nullptr;
    Activations activations;
};

}  // namespace

TEST_F(MDITest, ParentHoldsTheClientAndTwoChildrenThatActivateTileAndMaximise) {
    HWND client = parent->ClientHandle();
    ASSERT_NE(client, nullptr);
    wchar_t cls[32] = {};
    GetClassNameW(client, cls, 32);
    EXPECT_EQ(lstrcmpiW(cls, L"MDICLIENT"), 0) << ToAnsi(cls);
    EXPECT_EQ(GetParent(client), parent->Handle());
    EXPECT_EQ(parent->MDIChildCount(), 0);
    EXPECT_EQ(parent->ActiveMDIChild(), nullptr);

    // An aligned control takes its part; the client fills the rest.
    auto* bar = new TPanel(parent);
    bar->SetHeight(30);
    bar->SetAlign(alTop);
    bar->SetParent(parent);
    TRect cr = parent->ClientRect();
    EXPECT_EQ(RectInParent(client), TRect(0, 30, cr.Right, cr.Bottom));

    one = NewChild(L"One");
    one->Show();
    two = NewChild(L"Two");
    two->Show();
    HWND h1 = one->Handle(), h2 = two->Handle();
    EXPECT_EQ(GetParent(h1), client);
    EXPECT_TRUE(GetWindowLongW(h1, GWL_EXSTYLE) & WS_EX_MDICHILD);
    EXPECT_TRUE(GetWindowLongW(h1, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(GetWindowLongW(h1, GWL_STYLE) & WS_CAPTION);
    wchar_t childCls[32] = {};
    GetClassNameW(h1, childCls, 32);
    EXPECT_STREQ(childCls, L"TForm");

    // The last one shown is active and first in the list.
    ASSERT_EQ(parent->MDIChildCount(), 2);
    EXPECT_EQ(parent->ActiveMDIChild(), two);
    EXPECT_EQ(parent->MDIChildren(0), two);
    EXPECT_EQ(parent->MDIChildren(1), one);
    EXPECT_THROW(parent->MDIChildren(2), EListError);
    EXPECT_TRUE(two->Active());
    EXPECT_FALSE(one->Active());

    activations.log.clear();
    one->Show();
    EXPECT_EQ(parent->ActiveMDIChild(), one);
    EXPECT_TRUE(one->Active());
    EXPECT_FALSE(two->Active());
    EXPECT_EQ(activations.log, (std::vector<String>{L"-Two", L"+One"}));
    EXPECT_EQ(parent->MDIChildren(0), one);

    // Tiled side by side (vertical tiling): same top, no overlap, inside the client.
    parent->SetTileMode(tbVertical);
    parent->Tile();
    TRect r1 = RectInParent(h1), r2 = RectInParent(h2);
    RECT clientArea;
    GetClientRect(client, &clientArea);
    EXPECT_EQ(r1.Top, r2.Top);
    EXPECT_TRUE(r1.Right <= r2.Left || r2.Right <= r1.Left);
    EXPECT_EQ(r1.Width() + r2.Width(), clientArea.right);
    EXPECT_EQ(r1.Height(), clientArea.bottom);
    EXPECT_EQ(one->Left(), r1.Left);  // the form reads its bounds back

    parent->Cascade();
    r1 = RectInParent(h1);
    r2 = RectInParent(h2);
    EXPECT_NE(r1.Left, r2.Left);
    EXPECT_NE(r1.Top, r2.Top);

    // Maximised: it covers the client area and stays the active child.
    two->SetWindowState(wsMaximized);
    EXPECT_TRUE(IsZoomed(h2));
    EXPECT_EQ(two->WindowState(), wsMaximized);
    EXPECT_EQ(parent->ActiveMDIChild(), two);
    BOOL maximised = FALSE;
    SendMessageW(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
    EXPECT_TRUE(maximised);
    RECT inside;
    GetClientRect(h2, &inside);
    MapWindowPoints(h2, client, reinterpret_cast<POINT*>(&inside), 2);
    EXPECT_LE(inside.left, 0);
    EXPECT_LE(inside.top, 0);
    EXPECT_GE(inside.right, clientArea.right);
    EXPECT_GE(inside.bottom, clientArea.bottom);
    two->SetWindowState(wsNormal);
    EXPECT_FALSE(IsZoomed(h2));

    // Closing an MDI child minimises it; freeing it takes it out of the list.
    one->Close();
    EXPECT_TRUE(IsIconic(h1));
    one->Free();
    one = nullptr;
    EXPECT_FALSE(IsWindow(h1));
    EXPECT_EQ(parent->MDIChildCount(), 1);
    EXPECT_EQ(parent->MDIChildren(0), two);
}

TEST_F(MDITest, ChildWithoutAnMdiFormIsRefusedAndStyleChangesRemakeTheWindow) {
    // The default handlers: the frame's WM_SIZE goes through DefFrameProc,
    // which sizes the client to the whole client area before the realign.
    parent->SetBounds(parent->Left(), parent->Top(), 600, 420);
    RECT cr, client;
    GetClientRect(parent->Handle(), &cr);
    GetClientRect(parent->ClientHandle(), &client);
    EXPECT_GT(client.right, 0);
    EXPECT_LE(client.right, cr.right);

    // Turning the frame back into a plain form drops its client, and a child
    // then has nowhere to go.
    HWND oldFrame = parent->Handle();
    parent->SetFormStyle(fsNormal);
    EXPECT_EQ(parent->ClientHandle(), nullptr);
    EXPECT_FALSE(IsWindow(oldFrame));
    EXPECT_TRUE(parent->HandleAllocated());  // made again, still showing
    EXPECT_TRUE(IsWindowVisible(parent->Handle()));
    one = NewChild(L"Orphan");
    EXPECT_THROW(one->HandleNeeded(), EInvalidOperation);
    EXPECT_FALSE(one->HandleAllocated());

    parent->SetFormStyle(fsMDIForm);
    ASSERT_NE(parent->ClientHandle(), nullptr);
    one->Show();
    EXPECT_EQ(GetParent(one->Handle()), parent->ClientHandle());
    // Back to a normal form: a top-level window again.
    one->SetFormStyle(fsNormal);
    EXPECT_FALSE(GetWindowLongW(one->Handle(), GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(parent->MDIChildCount(), 0);
}

TEST_F(MDITest, CtrlF4FromTheMessageLoopClosesTheActiveChild) {
    one = NewChild(L"One");
    one->Show();
    two = NewChild(L"Two");
    two->Show();
    SetForegroundWindow(parent->Handle());
    ASSERT_TRUE(ProcessMessagesUntil([&] { return parent->Active(); }));
    ASSERT_EQ(parent->ActiveMDIChild(), two);

    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(two->Handle(), WM_KEYDOWN, VK_F4, 0);
    bool closed = ProcessMessagesUntil([&] { return IsIconic(two->Handle()) != FALSE; }, 2000);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_TRUE(closed);  // closing an MDI child minimises it
    EXPECT_FALSE(IsIconic(one->Handle()));
}

namespace {

// The bar as captions; the system's own items by what they are.
std::vector<String> BarOf(HWND Form) {
    std::vector<String> bar;
    HMENU menu = GetMenu(Form);
    for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_DATA | MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, UINT(pos), TRUE, &mii);
        if (mii.dwItemData) {
            bar.push_back(reinterpret_cast<TMenuItem*>(mii.dwItemData)->Caption());
            continue;
        }
        switch (mii.wID) {
            case SC_MINIMIZE:
                bar.push_back(L"<min>");
                break;
            case SC_RESTORE:
                bar.push_back(L"<restore>");
                break;
            case SC_CLOSE:
                bar.push_back(L"<close>");
                break;
            default:
                bar.push_back(mii.hSubMenu ? L"<window menu>" : L"<?>");
        }
    }
    return bar;
}

TMenuItem* BarItem(TComponent* Owner, TMainMenu* Menu, const wchar_t* Caption, BYTE Group) {
    TMenuItem* item = Create<TMenuItem>(Owner);
    item->SetCaption(Caption);
    item->SetGroupIndex(Group);
    item->Add(Create<TMenuItem>(Owner));
    item->Items(0)->SetCaption(String(Caption) + L" item");
    Menu->Items()->Add(item);
    return item;
}

struct Clicks {
    std::vector<String> log;
    void On(TObject* Sender) { log.push_back(static_cast<TMenuItem*>(Sender)->Caption()); }
};

}  // namespace

TEST_F(MDITest, ActiveChildsMenuIsMergedIntoTheBarByGroupAndTakenOutAgain) {
    using Bar = std::vector<String>;
    auto* menu = Create<TMainMenu>(parent);
    BarItem(parent, menu, L"File", 0);
    BarItem(parent, menu, L"Edit", 1);
    BarItem(parent, menu, L"Window", 9);
    parent->SetMenu(menu);
    const HWND frame = parent->Handle();
    ASSERT_EQ(BarOf(frame), (Bar{L"File", L"Edit", L"Window"}));

    // A child with a menu: its Edit group replaces the parent's, its Tools
    // group goes in by its order.
    one = NewChild(L"One");
    auto* childMenu = Create<TMainMenu>(one);
    TMenuItem* childEdit = BarItem(one, childMenu, L"Child edit", 1);
    BarItem(one, childMenu, L"Tools", 5);
    one->SetMenu(childMenu);
    one->Show();
    EXPECT_EQ(menu->Merged(), childMenu);
    EXPECT_EQ(BarOf(frame), (Bar{L"File", L"Child edit", L"Tools", L"Window"}));
    // The merged items are the parent's to find and click.
    Clicks clicks;
    childEdit->Items(0)->OnClick = TNotifyEvent(&clicks, &Clicks::On);
    SendMessageW(frame, WM_COMMAND, childEdit->Items(0)->Command(), 0);
    EXPECT_EQ(clicks.log, (Bar{L"Child edit item"}));
    EXPECT_EQ(menu->FindItem(UINT_PTR(GetSubMenu(GetMenu(frame), 1)), fkHandle), childEdit);

    // A change in the merged menu reaches the bar.
    childEdit->SetCaption(L"Edited");
    EXPECT_EQ(BarOf(frame), (Bar{L"File", L"Edited", L"Tools", L"Window"}));

    // A child without a menu active: the parent's own bar again.
    two = NewChild(L"Two");
    two->Show();
    EXPECT_EQ(menu->Merged(), nullptr);
    EXPECT_EQ(BarOf(frame), (Bar{L"File", L"Edit", L"Window"}));
    one->Show();
    EXPECT_EQ(BarOf(frame), (Bar{L"File", L"Edited", L"Tools", L"Window"}));

    // Maximised: the system puts the child's window menu first and its
    // buttons last; a bar built again keeps them there.
    one->SetWindowState(wsMaximized);
    const Bar maxed = BarOf(frame);
    ASSERT_GE(maxed.size(), 5u);
    EXPECT_EQ(maxed.front(), L"<window menu>");
    EXPECT_EQ(Bar(maxed.begin() + 1, maxed.begin() + 5), (Bar{L"File", L"Edited", L"Tools", L"Window"}));
    const Bar buttons(maxed.begin() + 5, maxed.end());
    for (const String& b : buttons) EXPECT_TRUE(b == L"<min>" || b == L"<restore>" || b == L"<close>") << ToAnsi(b);
    childEdit->SetCaption(L"Edit again");
    Bar rebuilt = maxed;
    rebuilt[2] = L"Edit again";
    EXPECT_EQ(BarOf(frame), rebuilt);
    // Another child activated while maximised: its (absent) menu, the
    // system's items still around the parent's.
    two->Show();
    const Bar other = BarOf(frame);
    EXPECT_EQ(Bar(other.begin() + 1, other.begin() + 4), (Bar{L"File", L"Edit", L"Window"}));
    one->Show();
    two->SetWindowState(wsNormal);
    one->SetWindowState(wsNormal);
    EXPECT_EQ(BarOf(frame), (Bar{L"File", L"Edit again", L"Tools", L"Window"}));

    // The child's window goes: its items leave the bar with it.
    one->Free();
    one = nullptr;
    EXPECT_EQ(menu->Merged(), nullptr);
    EXPECT_EQ(BarOf(frame), (Bar{L"File", L"Edit", L"Window"}));
    parent->SetMenu(nullptr);
    menu->Free();
}
