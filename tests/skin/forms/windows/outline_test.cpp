// Outline moving and sizing of a skinned form (ResizeMode rmBorder), driven
// by the messages the mouse would bring (the real cursor stays put): a press
// on the title or an edge, moves, the release. Only the release moves the
// form, and a press released where it began leaves it as it was.
#include <gtest/gtest.h>

#include <memory>

#include "../FrameFixtures.h"
#include "SkinnedFormKit.h"
#include "skin/forms/sOutline.h"
#include "skin/forms/sSkinProvider.h"

using namespace skin;
using namespace formstest;

namespace {

HWND gWatched = nullptr;
int gPosChanges = 0;

LRESULT CALLBACK CountPosChanges(int Code, WPARAM W, LPARAM L) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(L);
    if (Code == HC_ACTION && m->hwnd == gWatched && m->message == WM_WINDOWPOSCHANGING) ++gPosChanges;
    return CallNextHookEx(nullptr, Code, W, L);
}

RECT Bounds(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r;
}

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

}  // namespace

TEST(Outline, FormMovedAndSizedAtTheRelease) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Reading list");
    form->SetBounds(150, 120, 320, 220);
    form->Constraints()->SetMinWidth(200);
    form->Constraints()->SetMinHeight(150);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(200);
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    sp->SetResizeMode(rmBorder);
    const HWND h = form->Handle();
    auto nc = [&](UINT Msg, int Hit, POINT P) { SendMessageW(h, Msg, WPARAM(Hit), MAKELPARAM(P.x, P.y)); };
    auto mouse = [&](UINT Msg, POINT P) {
        ScreenToClient(h, &P);
        SendMessageW(h, Msg, 0, MAKELPARAM(WORD(short(P.x)), WORD(short(P.y))));
    };
    auto at = [](POINT P, int dx, int dy) { return POINT{P.x + dx, P.y + dy}; };

    // Moving by the title: the outline follows, the form stays until the release.
    RECT r = Bounds(h);
    POINT p{r.left + 100, r.top + 10};
    nc(WM_NCLBUTTONDOWN, HTCAPTION, p);
    EXPECT_TRUE(bInProcess);
    EXPECT_TRUE(bMode);
    EXPECT_EQ(h, GetCapture());
    mouse(WM_MOUSEMOVE, at(p, 30, 20));
    mouse(WM_MOUSEMOVE, at(p, 50, 40));
    EXPECT_TRUE(Same(r, Bounds(h))) << "only the outline moved";
    EXPECT_EQ(r.left + 50, nleft);
    EXPECT_EQ(r.top + 40, ntop);
    mouse(WM_LBUTTONUP, at(p, 50, 40));
    EXPECT_FALSE(bInProcess);
    EXPECT_EQ(nullptr, GetCapture());
    RECT expected = r;
    OffsetRect(&expected, 50, 40);
    EXPECT_TRUE(Same(expected, Bounds(h))) << Show(Bounds(h));

    // Sizing by the left edge: the first move is where the drag starts.
    r = Bounds(h);
    p = POINT{r.left + 1, (r.top + r.bottom) / 2};
    nc(WM_NCLBUTTONDOWN, HTLEFT, p);
    EXPECT_FALSE(bMode);
    EXPECT_EQ(HTLEFT, nDirection);
    mouse(WM_MOUSEMOVE, p);
    mouse(WM_MOUSEMOVE, at(p, -40, 7));
    mouse(WM_LBUTTONUP, at(p, -40, 7));
    expected = RECT{r.left - 40, r.top, r.right, r.bottom};
    EXPECT_TRUE(Same(expected, Bounds(h))) << Show(Bounds(h));

    // ...never narrower than the minimum width.
    r = Bounds(h);
    p = POINT{r.left + 1, (r.top + r.bottom) / 2};
    nc(WM_NCLBUTTONDOWN, HTLEFT, p);
    mouse(WM_MOUSEMOVE, p);
    mouse(WM_MOUSEMOVE, at(p, 400, 0));
    mouse(WM_LBUTTONUP, at(p, 400, 0));
    expected = RECT{r.right - 200, r.top, r.right, r.bottom};
    EXPECT_TRUE(Same(expected, Bounds(h))) << Show(Bounds(h));

    // The bottom-right corner, released in the non-client area.
    r = Bounds(h);
    p = POINT{r.right - 2, r.bottom - 2};
    nc(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, p);
    mouse(WM_MOUSEMOVE, p);
    mouse(WM_MOUSEMOVE, at(p, 30, 25));
    nc(WM_NCLBUTTONUP, HTBOTTOMRIGHT, at(p, 30, 25));
    expected = RECT{r.left, r.top, r.right + 30, r.bottom + 25};
    EXPECT_TRUE(Same(expected, Bounds(h))) << Show(Bounds(h));
    EXPECT_FALSE(bInProcess);

    // A press on the bottom edge released without a move: the form is not
    // touched at all.
    r = Bounds(h);
    gWatched = h;
    gPosChanges = 0;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountPosChanges, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    p = POINT{(r.left + r.right) / 2, r.bottom - 1};
    nc(WM_NCLBUTTONDOWN, HTBOTTOM, p);
    mouse(WM_LBUTTONUP, p);
    EXPECT_EQ(0, gPosChanges);
    EXPECT_TRUE(Same(r, Bounds(h)));
    EXPECT_FALSE(bInProcess);
    // The same press with a move does reach the form.
    nc(WM_NCLBUTTONDOWN, HTBOTTOM, p);
    mouse(WM_MOUSEMOVE, p);
    mouse(WM_MOUSEMOVE, at(p, 0, 12));
    mouse(WM_LBUTTONUP, at(p, 0, 12));
    EXPECT_GT(gPosChanges, 0);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(r.bottom + 12, Bounds(h).bottom);

    // A double click during a move ends it where the outline is.
    r = Bounds(h);
    p = POINT{r.left + 90, r.top + 10};
    nc(WM_NCLBUTTONDOWN, HTCAPTION, p);
    mouse(WM_MOUSEMOVE, at(p, 20, 10));
    nc(WM_NCLBUTTONDBLCLK, HTBORDER, at(p, 20, 10));
    EXPECT_FALSE(bInProcess);
    EXPECT_EQ(nullptr, GetCapture());
    expected = r;
    OffsetRect(&expected, 20, 10);
    EXPECT_TRUE(Same(expected, Bounds(h))) << Show(Bounds(h));
    EXPECT_FALSE(IsZoomed(h));

    Shot(h, L"outline-moved-form");
}
