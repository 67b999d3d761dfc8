// The provider object: who may own one, one per form, the window method it
// takes and gives back exactly, what removing the skin resets, and the
// screen-snapping arithmetic. Forms here are never shown.
#include <gtest/gtest.h>

#include <algorithm>

#include "FrameFixtures.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/Properties.h"
#include "framework/windows/Application.h"
#include "framework/windows/ScrollingControls.h"
#include "framework/windows/StdCtrls.h"
#include "skin/engine/sConst.h"
#include "skin/engine/sFormRegistry.h"
#include "skin/engine/sMessages.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"

using namespace skin;
using namespace formstest;

namespace {

struct FormFree {
    void operator()(fw::TComponent* c) const {
        if (c) c->Free();
    }
};
using FormPtr = std::unique_ptr<fw::TForm, FormFree>;

// The tests give their forms providers themselves: the window-creation hook
// passes these over.
FormPtr NewForm() {
    FormPtr f(new fw::TForm(fw::Application.get()));
    f->AfterConstruction();
    f->SetTag(-98);
    f->SetBounds(40, 40, 300, 200);
    return f;
}

int Registrations(fw::TCustomForm* Form) {
    return int(std::count(HookedComponents.begin(), HookedComponents.end(), Form));
}

int ProvidersOwnedBy(fw::TCustomForm* Form) {
    int n = 0;
    for (int i = 0; i < Form->ComponentCount(); ++i) n += dynamic_cast<TsSkinProvider*>(Form->Components(i)) ? 1 : 0;
    return n;
}

// A link placed before the provider in the window-method chain, as a form's
// scroll wrapper is.
struct Link {
    fw::TWndMethod Old;
    void Proc(fw::TMessage& m) { Old(m); }
};

}  // namespace

TEST(SkinProvider, OnlyAFormMayOwnOne) {
    const fw::String text = L"TsSkinProvider component may be used with forms only!";
    fw::TComponent plain(nullptr);
    FormPtr form = NewForm();
    auto* panel = new fw::TPanel(form.get());
    panel->AfterConstruction();
    for (fw::TComponent* owner : {&plain, static_cast<fw::TComponent*>(panel), static_cast<fw::TComponent*>(nullptr)}) {
        const int before = owner ? owner->ComponentCount() : 0;
        try {
            TsSkinProvider::CreateRT(owner);
            ADD_FAILURE() << "no EAbort";
        } catch (const fw::EAbort& e) {
            EXPECT_EQ(text, e.Message);
        }
        // The refused provider never entered its owner's list.
        if (owner) {
            EXPECT_EQ(before, owner->ComponentCount());
        }
    }
}

TEST(SkinProvider, OneProviderPerFormAndExactWindowMethods) {
    FormPtr form = NewForm();
    const fw::TWndMethod own = form->WindowProc();

    // A run-time provider that never started gives way to the next one.
    TsSkinProvider* stale = TsSkinProvider::CreateRT(form.get(), false);
    EXPECT_TRUE(stale->RTInit);
    EXPECT_FALSE(stale->RTEmpty);
    EXPECT_FALSE(form->WindowProc() == own);
    TsSkinProvider* first = TsSkinProvider::CreateRT(form.get(), true);
    EXPECT_EQ(1, ProvidersOwnedBy(form.get()));
    EXPECT_EQ(first, ProviderOf(form.get()));
    EXPECT_EQ(1, Registrations(form.get()));
    EXPECT_TRUE(first->OldWndProc == own);  // the stale one gave the form's method back first

    // Once started, a second provider stays inert: one method, one registration.
    first->RTInit = false;
    const fw::TWndMethod skinned = form->WindowProc();
    TsSkinProvider* second = TsSkinProvider::CreateRT(form.get(), true);
    EXPECT_TRUE(second->RTEmpty);
    EXPECT_TRUE(form->WindowProc() == skinned);
    EXPECT_EQ(first, ProviderOf(form.get()));
    EXPECT_EQ(1, Registrations(form.get()));
    second->Free();
    EXPECT_TRUE(form->WindowProc() == skinned);
    EXPECT_EQ(1, Registrations(form.get()));

    // A link after the provider keeps working while it lives; the provider
    // gives back exactly the method it took.
    first->Free();
    EXPECT_TRUE(form->WindowProc() == own);
    EXPECT_EQ(0, Registrations(form.get()));
    EXPECT_EQ(0, form->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcGetProvider), 0));

    Link link;
    TsSkinProvider* sp = TsSkinProvider::CreateRT(form.get());
    link.Old = form->WindowProc();
    form->SetWindowProc(fw::TWndMethod(&link, &Link::Proc));
    EXPECT_EQ(LRESULT(static_cast<TsSkinProviderBase*>(sp)),
              form->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcGetProvider), 0));
    form->SetWindowProc(link.Old);
    sp->Free();
    EXPECT_TRUE(form->WindowProc() == own);
}

TEST(SkinProvider, ARemovedSkinResetsColours) {
    LoadedSkin skin(L"default", L"Stillwater");
    for (bool custom : {false, true}) {
        SCOPED_TRACE(custom);
        FormPtr form = NewForm();
        auto* label = new fw::TLabel(form.get());
        label->AfterConstruction();
        label->SetParent(form.get());
        label->Font()->SetColor(fw::clRed);
        form->SetColor(fw::clGreen);
        form->Handle();
        TsSkinProvider* sp = TsSkinProvider::CreateRT(form.get());
        sp->SkinData()->SetCustomColor(custom);
        // Started as the window procedure starts it: at its first hit test.
        form->Perform(WM_NCHITTEST, 0, 0);
        EXPECT_FALSE(sp->RTInit);
        // The skin's colour, unless the form keeps its own.
        EXPECT_EQ(custom ? fw::clGreen : skin.sm->GetGlobalColor(), form->Color());
        EXPECT_TRUE(sp->Skinned());
        EXPECT_EQ(0, GetWindowLongW(form->Handle(), GWL_STYLE) & WS_SYSMENU);

        form->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcRemoveSkin), LPARAM(skin.sm.get()));
        EXPECT_EQ(fw::clWindowText, label->Font()->Color());
        EXPECT_EQ(custom ? fw::clGreen : fw::clBtnFace, form->Color());
        EXPECT_EQ(nullptr, sp->SkinData()->FCacheBmp);
        EXPECT_NE(0, GetWindowLongW(form->Handle(), GWL_STYLE) & WS_SYSMENU);
    }
}

TEST(SkinProvider, PrivateMessagesOfASkinnedForm) {
    LoadedSkin skin(L"default", L"Stillwater");
    FormPtr form = NewForm();
    form->Handle();
    TsSkinProvider* sp = TsSkinProvider::CreateRT(form.get());
    // Answered in every state, before it starts too.
    EXPECT_EQ(1, form->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0));
    form->Perform(WM_NCHITTEST, 0, 0);
    ASSERT_TRUE(sp->Skinned());
    const LRESULT offset = form->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcGetOffset), 0);
    EXPECT_EQ(sp->OffsetX(), LOWORD(offset));
    EXPECT_EQ(sp->OffsetY(), HIWORD(offset));
    EXPECT_EQ(LRESULT(sp->FormColor()), form->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcGetColor), 0));
    // Unlisted sub-commands are swallowed; redraw locks never go below 0.
    EXPECT_EQ(0, form->Perform(SM_ALPHACMD, MAKEWPARAM(0, 99), 0));
    form->Perform(WM_SETREDRAW, 1, 0);
    form->Perform(WM_SETREDRAW, 1, 0);
    EXPECT_EQ(0, sp->LockCount);
    form->Perform(WM_SETREDRAW, 0, 0);
    EXPECT_EQ(1, sp->LockCount);
    form->Perform(WM_SETREDRAW, 1, 0);
    EXPECT_EQ(0, sp->LockCount);
}

TEST(SkinProvider, SessionEndStopsFadingOnlyWhileItEnds) {
    LoadedSkin skin(L"default", L"Stillwater");
    FormPtr form = NewForm();
    form->Handle();
    TsSkinProvider* sp = TsSkinProvider::CreateRT(form.get());
    form->Perform(WM_NCHITTEST, 0, 0);
    ASSERT_TRUE(sp->Skinned());
    FadingForbidden = false;
    // A fade that never ends does not hold the session's end for long.
    acAnimCount = 1;
    const DWORD start = GetTickCount();
    form->Perform(WM_QUERYENDSESSION, 0, 0);
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_TRUE(FadingForbidden);
    acAnimCount = 0;
    // The session goes on: fading is allowed again.
    form->Perform(WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(FadingForbidden);
}

TEST(SkinProvider, ARefusedSessionEndLeavesFadingAllowed) {
    LoadedSkin skin(L"default", L"Stillwater");
    FormPtr form = NewForm();
    form->Handle();
    // The form's own method refuses the end of the session.
    struct Refuse {
        fw::TWndMethod Old;
        void Proc(fw::TMessage& m) {
            if (m.Msg == WM_QUERYENDSESSION)
                m.Result = 0;
            else
                Old(m);
        }
    } refuse{form->WindowProc()};
    form->SetWindowProc(fw::TWndMethod(&refuse, &Refuse::Proc));
    TsSkinProvider* sp = TsSkinProvider::CreateRT(form.get());
    form->Perform(WM_NCHITTEST, 0, 0);
    ASSERT_TRUE(sp->Skinned());
    FadingForbidden = false;
    EXPECT_EQ(0, form->Perform(WM_QUERYENDSESSION, 0, 0));
    EXPECT_FALSE(FadingForbidden);
    sp->Free();
    form->SetWindowProc(refuse.Old);
}

TEST(SkinProvider, ScreenSnapping) {
    const RECT work{0, 0, 1000, 700};
    const SIZE size{300, 200};
    struct Row {
        POINT in, out;
    } rows[] = {
        {{691, 300}, {700, 300}},  // right edge 9 px from the work area's: snapped
        {{690, 300}, {690, 300}},  // 10 px: stays
        {{300, 491}, {300, 500}},  // bottom edge
        {{9, 9}, {0, 0}},          // left and top
        {{0, 0}, {0, 0}},          // exactly (0, 0) is not snapped
        {{-5, 300}, {0, 300}},     // beyond the left edge
        {{5, 495}, {0, 500}},      // corner: left and bottom
    };
    for (const Row& r : rows) {
        const POINT p = SnapToWorkArea(r.in, size, work, 10);
        EXPECT_EQ(r.out.x, p.x) << r.in.x << "," << r.in.y;
        EXPECT_EQ(r.out.y, p.y) << r.in.x << "," << r.in.y;
    }
    // A form wider than the work area: the left edge wins.
    const POINT wide = SnapToWorkArea(POINT{3, 100}, SIZE{1005, 200}, work, 10);
    EXPECT_EQ(0, wide.x);

    // With a border window its frame (4 at the sides and bottom, 20 on
    // top) meets the edges: the form itself stays that far inside.
    const struct {
        POINT in, out;
    } framed[] = {
        {{690, 300}, {696, 300}},  // the frame's right edge 6 px from the work area's
        {{300, 490}, {300, 496}},
        {{12, 300}, {4, 300}},  // the frame's left edge 8 px in
        {{300, 25}, {300, 20}},
    };
    for (const auto& r : framed) {
        const POINT p = SnapToWorkArea(r.in, size, work, 10, 4, 20);
        EXPECT_EQ(r.out.x, p.x) << "framed " << r.in.x << "," << r.in.y;
        EXPECT_EQ(r.out.y, p.y) << "framed " << r.in.x << "," << r.in.y;
    }
}

TEST(SkinProvider, WheelTurnsFindTheSkinnedScrollBoxUnderTheMouse) {
    LoadedSkin skin(L"default", L"Stillwater");
    FormPtr form = NewForm();
    // form > panel > box (inner) beside a box right on the form (outer).
    auto* panel = new fw::TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 150, 120);
    auto* inner = new WheelBox(form.get());
    inner->SetParent(panel);
    inner->SetBounds(10, 10, 100, 80);
    auto* outer = new WheelBox(form.get());
    outer->SetParent(form.get());
    outer->SetBounds(160, 0, 100, 80);
    form->Handle();
    const auto screen = [&](fw::TWinControl* c, int x, int y) { return c->ClientToScreen(fw::TPoint(x, y)); };
    struct Case {
        const char* what;
        fw::TPoint at;
        bool innerNamed, innerAuto;
        fw::TWinControl* want;
    } cases[] = {
        {"through the panel", screen(inner, 5, 5), true, true, inner},
        {"right on the form", screen(outer, 5, 5), true, true, outer},
        {"its wheel switch off", screen(inner, 5, 5), true, false, nullptr},
        {"another class", screen(inner, 5, 5), false, true, nullptr},
        {"the panel beside it", screen(panel, 140, 110), true, true, nullptr},
    };
    for (const Case& c : cases) {
        inner->Named = c.innerNamed, inner->Auto = c.innerAuto;
        EXPECT_EQ(c.want, WheelScrollBoxAt(form.get(), c.at)) << c.what;
    }
}

TEST(SkinProvider, MenuChangesWaitForTheEndOfAnUpdate) {
    LoadedSkin skin(L"default", L"Stillwater");
    FormPtr form = NewForm();
    form->SetVisible(true);
    // What reaches the form's own method.
    struct Seen {
        fw::TWndMethod Old;
        int MenuChanges = 0;
        void Proc(fw::TMessage& m) {
            if (m.Msg == fw::CM_MENUCHANGED) ++MenuChanges;
            Old(m);
        }
    } seen{form->WindowProc()};
    form->SetWindowProc(fw::TWndMethod(&seen, &Seen::Proc));
    TsSkinProvider* sp = TsSkinProvider::CreateRT(form.get());
    form->Perform(WM_NCHITTEST, 0, 0);
    ASSERT_TRUE(sp->Skinned());
    // Outside an update a menu change goes on at once.
    form->Perform(fw::CM_MENUCHANGED, 0, 0);
    EXPECT_EQ(1, seen.MenuChanges);
    // Inside one, any number of them comes once, when it ends.
    sp->SkinData()->BeginUpdate();
    form->Perform(fw::CM_MENUCHANGED, 0, 0);
    form->Perform(fw::CM_MENUCHANGED, 0, 0);
    EXPECT_EQ(1, seen.MenuChanges);
    sp->SkinData()->EndUpdate(false);
    EXPECT_EQ(2, seen.MenuChanges);
    EXPECT_EQ(0, sp->SkinData()->CtrlSkinState & 0x0400);
    sp->SkinData()->BeginUpdate();
    sp->SkinData()->EndUpdate(false);
    EXPECT_EQ(2, seen.MenuChanges);
    sp->Free();
    form->SetWindowProc(seen.Old);
    form->SetVisible(false);
}
