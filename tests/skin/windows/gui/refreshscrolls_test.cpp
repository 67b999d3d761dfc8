// The refresh routines a skinned control calls to keep its scroll wrapper in
// step with its skin: a memo or list view keeps an edit wrapper, a tree view
// a tree wrapper. Made while skinned (the frame painted from the skin),
// kept while it lives, replaced once detached, freed with the skin.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "FormHost.h"
#include "SkinPixels.h"
#include "WineDesk.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/StdCtrls.h"
#include "skin/windows/acEditWnd.h"
#include "skin/windows/acTreeViewWnd.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {

using Refresh = void (*)(TsCommonData*, TacScrollWnd*&);

struct Case {
    const char* name;
    std::function<fw::TWinControl*(FormHost&)> make;
    Refresh refresh;
    std::function<bool(TacScrollWnd*)> rightKind;
};

COLORREF TopMiddle(FormHost& Host, HWND h) {
    auto shot = Host.Grab();
    const RECT r = InHost(h, Host.handle());
    return PixelAt(*shot, (r.left + r.right) / 2, r.top);
}

}  // namespace

TEST(RefreshScrolls, TheControlsWrapperFollowsItsSkin) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    const COLORREF frame = TopEdge(M, L"EDIT", 0);
    const Case cases[] = {
        {"memo",
         [](FormHost& h) {
             auto* m = h.Put<fw::TMemo>(20, 20, 160, 90);
             m->SetScrollBars(fw::ssVertical);
             return m;
         },
         &RefreshEditScrolls, [](TacScrollWnd* w) { return dynamic_cast<TacEditWnd*>(w) != nullptr; }},
        {"tree view", [](FormHost& h) { return h.Put<fw::TTreeView>(20, 20, 160, 90); }, &RefreshTreeScrolls,
         [](TacScrollWnd* w) { return dynamic_cast<TacTreeViewWnd*>(w) != nullptr; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormHost host(220, 140, kHost);
        fw::TWinControl* control = c.make(host);
        const HWND h = control->Handle();
        TsCommonData data(control, true);
        data.SetSkinSection(L"EDIT");
        data.SetSkinManager(M);
        ASSERT_TRUE(data.Skinned());

        TacScrollWnd* sw = nullptr;
        c.refresh(&data, sw);
        ASSERT_NE(sw, nullptr);
        EXPECT_TRUE(c.rightKind(sw));
        EXPECT_EQ(Ac_GetScrollWndFromHwnd(h), sw);
        host.Repaint();
        EXPECT_EQ(TopMiddle(host, h), frame);
        if (c.refresh == &RefreshEditScrolls) {
            auto shot = host.Grab();
            SaveScreenshot(*shot, L"skin-windows-refresh-edit-scrolls.bmp");
        }

        // Called again while it lives: the same wrapper.
        TacScrollWnd* first = sw;
        c.refresh(&data, sw);
        EXPECT_EQ(sw, first);

        // Detached (left Destroyed): a fresh one takes the window.
        UninitializeACScroll(h, false, false, sw);
        ASSERT_TRUE(sw->Destroyed);
        EXPECT_EQ(Ac_GetScrollWndFromHwnd(h), nullptr);
        c.refresh(&data, sw);
        ASSERT_NE(sw, nullptr);
        EXPECT_FALSE(sw->Destroyed);
        EXPECT_TRUE(c.rightKind(sw));
        EXPECT_EQ(Ac_GetScrollWndFromHwnd(h), sw);

        // The skin gone from the control: the wrapper freed, the window its own.
        data.SkinIndex = -1;
        c.refresh(&data, sw);
        EXPECT_EQ(sw, nullptr);
        EXPECT_EQ(Ac_GetScrollWndFromHwnd(h), nullptr);
        host.Repaint();
        EXPECT_NE(TopMiddle(host, h), frame);
        // Nothing to keep without a control.
        TsCommonData bare(nullptr, false);
        c.refresh(&bare, sw);
        EXPECT_EQ(sw, nullptr);
    }
}
