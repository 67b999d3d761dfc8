// MDI under Wine and Xvfb: a parent form with its client window and two
// children, activated, tiled, cascaded and maximised.
#include <gtest/gtest.h>

#include <vector>

#include "app_fixture.h"
#include "control_fixture.h"
#include "framework/windows/Application.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"

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
