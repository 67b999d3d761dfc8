// Skinned MDI children in their skinned parent, driven by sent messages: a
// child made under a maximised one, drawing forbidden and permitted in pairs,
// the system commands of a child and what the parent's menu line shows after
// them, the maximised child's caption in the parent's title, printing the
// parent, and an outline drag of a child.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "../FrameFixtures.h"
#include "MDIKit.h"
#include "SkinnedFormKit.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sOutline.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"
#include "skin/windows/acMDIWnd.h"

using namespace skin;
using namespace formstest;

namespace {

// Rows of the parent's menu line where the window differs from the
// provider's image.
int MenuLineMismatches(TsSkinProvider* sp) {
    const TFrameState s = sp->State();
    const int top = SysBorderHeight(s, sp->Metrics()) + CaptionHeight(s, sp->Metrics());
    const int bottom = top + MenuHeight(s, sp->Metrics());
    auto shot = Shot(sp->Form->Handle());
    fw::TBitmap* cache = sp->SkinData()->FCacheBmp;
    if (!cache) return -1;
    int bad = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = SysBorderWidth(s, sp->Metrics()); x < s.Width - SysBorderWidth(s, sp->Metrics()); ++x)
            bad += GetPixel(shot->Canvas()->Handle(), x, y) != GetPixel(cache->Canvas()->Handle(), x, y);
    return bad;
}

bool Visible(HWND h) { return (GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace

TEST(MDIChildren, AChildMadeUnderAMaximisedOneWaitsForItsFirstPaint) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    auto form = ShownMDIParent();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(sp, nullptr);
    FreeOnClose closer;
    fw::TForm* first = NewMDIChild(L"First", &closer, fw::TRect(10, 10, 210, 150));
    ASSERT_NE(ProviderOf(first), nullptr);
    EXPECT_NE(ProviderOf(first)->SystemMenu, nullptr) << "a child shown gets its window menu";
    SendMessageW(first->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Pump(120);
    ASSERT_TRUE(ChildMaximized(form.get()));
    TsSkinProvider* fsp = ProviderOf(first);
    ASSERT_NE(fsp, nullptr);
    EXPECT_EQ(MDILastChild, fsp);

    // Made while the first is maximised: the flag holds until it paints, and
    // no child's frame is painted meanwhile.
    fw::TForm* second = NewMDIChild(L"Second", &closer, fw::TRect(30, 30, 230, 170), false);
    ASSERT_NE(ProviderOf(second), nullptr);
    EXPECT_TRUE(MDIMaxChildCreated);
    fsp->SkinData()->BGChanged = true;
    SendMessageW(first->Handle(), WM_NCPAINT, 1, 0);
    EXPECT_TRUE(fsp->SkinData()->BGChanged) << "the first child's frame was painted";
    EXPECT_TRUE(MDIMaxChildCreated);

    second->Show();
    Pump(200);
    EXPECT_FALSE(MDIMaxChildCreated);
    EXPECT_TRUE(IsZoomed(second->Handle()));
    EXPECT_EQ(MDILastChild, ProviderOf(second));
    EXPECT_TRUE(sp->MDIButtonsShown);
    EXPECT_EQ(MenuLineMismatches(sp), 0);
    // No lock of the parent is left behind.
    EXPECT_EQ(sp->SkinData()->CtrlSkinState & 0x0800, 0);
    EXPECT_EQ(sp->LockCount, 0);
    CloseChildren(form.get());
    EXPECT_EQ(MDILastChild, nullptr);
}

TEST(MDIChildren, DrawingForbiddenAndPermittedInPairsLeavesFormsDrawing) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    auto form = ShownMDIParent();
    TsSkinProvider* sp = ProviderOf(form.get());
    FreeOnClose closer;
    fw::TForm* child = NewMDIChild(L"Child", &closer, fw::TRect(10, 10, 210, 150));
    TsSkinProvider* csp = ProviderOf(child);
    ASSERT_NE(csp, nullptr);
    const HWND ph = form->Handle(), ch = child->Handle();

    struct Case {
        const char* name;
        TsSkinProvider* provider;
        bool mdiAlso;
        bool parentLocked;  // while forbidden
    };
    const Case cases[] = {
        {"parent", sp, false, true},
        {"child alone", csp, false, false},
        {"child with its parent", csp, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HWND h = c.provider->Form->Handle();
        ForbidDrawing(c.provider, c.mdiAlso);
        EXPECT_GT(c.provider->LockCount, 0);
        EXPECT_NE(c.provider->SkinData()->CtrlSkinState & 0x0800, 0);
        EXPECT_EQ(sp->LockCount > 0, c.parentLocked);
        PermitDrawing(c.provider, c.mdiAlso);
        for (TsSkinProvider* p : {sp, csp}) {
            EXPECT_EQ(p->LockCount, 0);
            EXPECT_EQ(p->SkinData()->CtrlSkinState & 0x0800, 0);
        }
        EXPECT_TRUE(Visible(h));
        EXPECT_TRUE(Visible(ph));
        EXPECT_TRUE(Visible(ch));
    }

    // A scope left by an exception permits drawing again.
    try {
        TForbiddenDrawing forbidden(csp, true);
        EXPECT_GT(sp->LockCount, 0);
        throw std::runtime_error("the command failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(sp->LockCount, 0);
    EXPECT_EQ(csp->LockCount, 0);
    EXPECT_TRUE(Visible(ph));
    EXPECT_TRUE(Visible(ch));

    // A hidden child is not shown by the pair.
    child->Hide();
    Pump(50);
    ASSERT_FALSE(Visible(ch));
    { TForbiddenDrawing forbidden(csp, false); }
    EXPECT_FALSE(Visible(ch));
    EXPECT_EQ(csp->LockCount, 0);
    EXPECT_EQ(csp->SkinData()->CtrlSkinState & 0x0800, 0);
    CloseChildren(form.get());
}

TEST(MDIChildren, SystemCommandsLeaveTheParentsLineAndTheLastChildRight) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    auto form = ShownMDIParent();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(sp, nullptr);
    FreeOnClose closer;
    fw::TForm* a = NewMDIChild(L"Alpha", &closer, fw::TRect(10, 10, 210, 150));
    fw::TForm* b = NewMDIChild(L"Beta", &closer, fw::TRect(60, 40, 260, 180));
    TsSkinProvider* bsp = ProviderOf(b);
    ASSERT_NE(bsp, nullptr);
    EXPECT_EQ(MDILastChild, bsp);
    auto restored = Shot(form->Handle(), L"skinned-mdi-restored-children");

    struct Step {
        fw::TForm* child;
        WPARAM command;
        bool maximized;  // a child is maximised after it
        int children;
        fw::TForm* last;  // the child whose provider holds the record then
    };
    // Minimising activates the other child; the platform maximises the next
    // child when a maximised one closes.
    const Step steps[] = {
        {b, SC_MAXIMIZE, true, 2, b},  {b, SC_RESTORE, false, 2, b}, {b, SC_MAXIMIZE, true, 2, b},
        {b, SC_MINIMIZE, false, 2, a}, {a, SC_MAXIMIZE, true, 2, a}, {a, SC_CLOSE, true, 1, b},
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(std::string(st.child == a ? "Alpha" : "Beta") + " " + std::to_string(st.command));
        SendMessageW(st.child->Handle(), WM_SYSCOMMAND, st.command, 0);
        Pump(200);
        ASSERT_EQ(form->MDIChildCount(), st.children);
        EXPECT_EQ(ChildMaximized(form.get()), st.maximized);
        EXPECT_EQ(sp->MDIButtonsShown, st.maximized);
        EXPECT_EQ(MDIButtonsNeeded(MDIStateOf(sp)), st.maximized);
        // The window shows the line the image holds, buttons and all.
        EXPECT_EQ(MenuLineMismatches(sp), 0);
        // Never the closed child's provider.
        EXPECT_EQ(MDILastChild, ProviderOf(st.last));
        if (st.maximized) EXPECT_FALSE(sp->MDIButtons.Close.Rect.IsEmpty());
        // Nothing is left locked.
        EXPECT_EQ(sp->SkinData()->CtrlSkinState & 0x0800, 0);
        EXPECT_EQ(sp->LockCount, 0);
        EXPECT_TRUE(Visible(form->Handle()));
    }
    // The child's own maximise button, pressed and released on it, takes the
    // same path and leaves no lock either.
    SendMessageW(b->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    Pump(150);
    ASSERT_FALSE(IsZoomed(b->Handle()));
    {
        TsSkinProvider* bp = ProviderOf(b);
        const fw::TRect r = bp->Buttons.Max.Rect;
        ASSERT_FALSE(r.IsEmpty());
        RECT wr;
        GetWindowRect(b->Handle(), &wr);
        const LPARAM at = MAKELPARAM(wr.left + (r.Left + r.Right) / 2, wr.top + (r.Top + r.Bottom) / 2);
        ASSERT_EQ(SendMessageW(b->Handle(), WM_NCHITTEST, 0, at), HTMAXBUTTON);
        SendMessageW(b->Handle(), WM_NCLBUTTONDOWN, HTMAXBUTTON, at);
        SendMessageW(b->Handle(), WM_NCLBUTTONUP, HTMAXBUTTON, at);
        Pump(200);
        EXPECT_TRUE(IsZoomed(b->Handle()));
        EXPECT_EQ(MDILastChild, bp);
        EXPECT_TRUE(sp->MDIButtonsShown);
        EXPECT_EQ(MenuLineMismatches(sp), 0);
        EXPECT_EQ(sp->SkinData()->CtrlSkinState & 0x0800, 0);
        EXPECT_EQ(sp->LockCount, 0);
    }
    SendMessageW(b->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    Pump(100);
    CloseChildren(form.get());
    EXPECT_EQ(MDILastChild, nullptr);
    // The line of the restored parent is back as it was.
    auto after = Shot(form->Handle());
    const TFrameState s = sp->State();
    const int top = SysBorderHeight(s, sp->Metrics()) + CaptionHeight(s, sp->Metrics());
    int differs = 0;
    for (int y = top; y < top + MenuHeight(s, sp->Metrics()); ++y)
        for (int x = s.Width / 2; x < s.Width - SysBorderWidth(s, sp->Metrics()); ++x)
            differs += GetPixel(after->Canvas()->Handle(), x, y) != GetPixel(restored->Canvas()->Handle(), x, y);
    EXPECT_EQ(differs, 0);
}

TEST(MDIChildren, AMaximisedChildsCaptionRepaintsTheParentsTitle) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    auto form = ShownMDIParent(L"Library");
    TsSkinProvider* sp = ProviderOf(form.get());
    FreeOnClose closer;
    fw::TForm* child = NewMDIChild(L"Notes", &closer, fw::TRect(10, 10, 210, 150));
    SendMessageW(child->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Pump(150);
    ASSERT_TRUE(IsZoomed(child->Handle()));
    auto before = Shot(form->Handle());

    SendMessageW(child->Handle(), WM_SETTEXT, 0, LPARAM(L"Chapter seven, with the reader's notes"));
    Pump(100);
    EXPECT_NE(form->Caption().find(L"Chapter seven"), fw::String::npos);
    auto after = Shot(form->Handle(), L"skinned-mdi-maximised-caption");
    // The title's text changed on the window, and the title is the skin's
    // (no caption of the platform's drawn over it).
    const TFrameState s = sp->State();
    const int titleBottom = SysBorderHeight(s, sp->Metrics()) + CaptionHeight(s, sp->Metrics());
    int changed = 0;
    for (int y = 0; y < titleBottom; ++y)
        for (int x = 0; x < s.Width / 2; ++x)
            changed += GetPixel(after->Canvas()->Handle(), x, y) != GetPixel(before->Canvas()->Handle(), x, y);
    EXPECT_GT(changed, 40);
    EXPECT_EQ(TitleMismatches(sp), 0);
    CloseChildren(form.get());
}

TEST(MDIChildren, PrintingTheParentPrintsItsClientsWall) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    auto form = ShownMDIParent();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(sp->MDIForm, nullptr);
    ASSERT_NE(sp->MDIForm->ListSW, nullptr);
    FreeOnClose closer;
    NewMDIChild(L"Small", &closer, fw::TRect(4, 4, 120, 90));
    const fw::TRect wall = sp->MDIForm->ListSW->PlaceInForm();
    const fw::TPoint spot(wall.Right - 30, wall.Bottom - 30);  // clear of the child

    // The wall on the window is the "MDIAREA" section's, as in the image.
    auto shot = Shot(form->Handle());
    fw::TBitmap* cache = sp->SkinData()->FCacheBmp;
    ASSERT_NE(cache, nullptr);
    const COLORREF area = GetPixel(cache->Canvas()->Handle(), spot.X, spot.Y);
    EXPECT_EQ(GetPixel(shot->Canvas()->Handle(), spot.X, spot.Y), area);
    EXPECT_EQ(area, RGB(206, 214, 225));

    fw::TBitmap print(shot->Width(), shot->Height(), fw::pf24bit);
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    const RECT all{0, 0, print.Width(), print.Height()};
    FillRect(print.Canvas()->Handle(), &all, magenta);
    DeleteObject(magenta);
    SendMessageW(form->Handle(), WM_PRINT, WPARAM(print.Canvas()->Handle()), 0);
    EXPECT_EQ(GetPixel(print.Canvas()->Handle(), spot.X, spot.Y), area);
    // The title is printed from the image too.
    EXPECT_EQ(GetPixel(print.Canvas()->Handle(), 40, 8), GetPixel(cache->Canvas()->Handle(), 40, 8));
    CloseChildren(form.get());
}

TEST(MDIChildren, AChildsOutlineLiesOverItAndItsReleaseMovesItInTheClient) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    auto form = ShownMDIParent();
    TsSkinProvider* sp = ProviderOf(form.get());
    FreeOnClose closer;
    fw::TForm* child = NewMDIChild(L"Dragged", &closer, fw::TRect(20, 16, 220, 156));
    TsSkinProvider* csp = ProviderOf(child);
    ASSERT_NE(csp, nullptr);
    csp->SetResizeMode(rmBorder);
    const HWND h = child->Handle();
    const HWND client = form->ClientHandle();

    // The shift the outline is drawn with is where the client lies on the screen.
    RECT pr, cr;
    GetWindowRect(form->Handle(), &pr);
    GetWindowRect(client, &cr);
    POINT inParent{cr.left, cr.top};
    ScreenToClient(form->Handle(), &inParent);
    const fw::TPoint shift = MDIOutlineShift(sp->State(), sp->Metrics(), fw::TPoint(pr.left, pr.top),
                                             fw::TPoint(inParent.x, inParent.y), GetSystemMetrics(SM_CXEDGE));
    POINT origin{0, 0};
    ClientToScreen(client, &origin);
    EXPECT_EQ(shift.X, origin.x);
    EXPECT_EQ(shift.Y, origin.y);

    // A drag by the title keeps the outline in the client's coordinates and
    // moves the child there once, at the release.
    RECT before;
    GetWindowRect(h, &before);
    const POINT p{before.left + 60, before.top + 8};
    SendMessageW(h, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
    ASSERT_TRUE(bInProcess);
    POINT inChild{before.left - origin.x, before.top - origin.y};
    EXPECT_EQ(nleft, inChild.x);
    EXPECT_EQ(ntop, inChild.y);
    POINT to{p.x + 40, p.y + 25};
    ScreenToClient(h, &to);
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(WORD(short(to.x)), WORD(short(to.y))));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(WORD(short(to.x)), WORD(short(to.y))));
    Pump(80);
    EXPECT_FALSE(bInProcess);
    RECT after;
    GetWindowRect(h, &after);
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 25);
    CloseChildren(form.get());
}
