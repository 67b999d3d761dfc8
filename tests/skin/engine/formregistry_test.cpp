// The registry of skinned forms, the broadcast to every form, and locking of
// form drawing around a skin change.
#include "skin/engine/sFormRegistry.h"

#include <gtest/gtest.h>

#include "ManagerFixture.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sVclUtils.h"

using namespace skin;
using namespace enginetest;

namespace {

fw::TCustomForm* Fake(int n) { return reinterpret_cast<fw::TCustomForm*>(uintptr_t(0x1000 * n)); }

TEST(FormRegistry, RegisterAndUnregister) {
    const auto saved = HookedComponents;
    HookedComponents.clear();
    EXPECT_EQ(IntSkinForm(Fake(1)), 1);
    EXPECT_EQ(IntSkinForm(Fake(2)), 2);
    EXPECT_EQ(IntSkinForm(Fake(3)), 3);
    IntUnSkinForm(Fake(9));  // not registered: nothing changes
    EXPECT_EQ(HookedComponents, (std::vector<fw::TCustomForm*>{Fake(1), Fake(2), Fake(3)}));
    IntUnSkinForm(Fake(1));  // the last entry takes its place
    EXPECT_EQ(HookedComponents, (std::vector<fw::TCustomForm*>{Fake(3), Fake(2)}));
    IntUnSkinForm(Fake(2));
    IntUnSkinForm(Fake(3));
    EXPECT_TRUE(HookedComponents.empty());
    IntUnSkinForm(Fake(3));  // an empty registry stays empty
    EXPECT_TRUE(HookedComponents.empty());
    HookedComponents = saved;
}

TEST(FormRegistry, ProviderRegistersItsForm) {
    Cleanup keep;
    TRecordingForm* form = keep.Keep(NewForm());
    const size_t before = HookedComponents.size();
    auto* sp = new skintest::TestProvider(form);
    sp->AfterConstruction();
    ASSERT_EQ(HookedComponents.size(), before + 1);
    EXPECT_EQ(HookedComponents.back(), form);
    sp->Free();
    EXPECT_EQ(HookedComponents.size(), before);
}

fw::TMessage Alpha(WORD cmd) {
    fw::TMessage m;
    m.Msg = SM_ALPHACMD;
    m.WParam = WPARAM(cmd) << 16;
    return m;
}

TEST(FormRegistry, EveryFormGetsABroadcastOnce) {
    Cleanup keep;
    TRecordingForm* plain = keep.Keep(NewForm());
    TRecordingForm* skinned = keep.Keep(NewForm());
    skinned->AnswersHandled = true;  // its provider handles it
    auto* sp = new skintest::TestProvider(skinned);
    sp->AfterConstruction();
    // A child panel of the plain form that answers nothing is walked into.
    fw::TMessage m = Alpha(smcRefresh);
    AppBroadCastS(m);
    EXPECT_EQ(plain->Got, std::vector<WORD>{smcRefresh});
    EXPECT_EQ(skinned->Got, std::vector<WORD>{smcRefresh});
    // A form still being loaded, or being destroyed, is left out.
    fw::BeginLoading(plain);
    plain->Clear();
    AppBroadCastS(m);
    EXPECT_TRUE(plain->Got.empty());
    fw::EndLoading(plain);
}

TEST(FormRegistry, BroadcastCreatesTheWindowsOfTheForms) {
    Cleanup keep;
    auto* form = keep.Keep(new TRecordingForm(fw::Application));
    form->AfterConstruction();
    ASSERT_FALSE(form->HandleAllocated());
    fw::TMessage m = Alpha(smcNewSkin);
    AppBroadCastS(m);
    EXPECT_TRUE(form->HandleAllocated());
    EXPECT_EQ(form->Got, std::vector<WORD>{smcNewSkin});
}

TEST(FormRegistry, BroadcastWithoutFormsDoesNothing) {
    const auto saved = HookedComponents;
    HookedComponents.clear();
    fw::TMessage m = Alpha(smcRefresh);
    EXPECT_NO_FATAL_FAILURE(SendToHooked(m));
    HookedComponents = saved;
}

bool Redraws(HWND wnd) { return (GetWindowLongW(wnd, GWL_STYLE) & WS_VISIBLE) != 0; }

struct LockedForm {
    TRecordingForm* form;
    skintest::TestProvider* sp;
};

LockedForm ShownSkinnedForm(Cleanup& keep, TsSkinManager* sm) {
    TRecordingForm* form = keep.Keep(NewForm());
    auto* sp = new skintest::TestProvider(form);
    sp->AfterConstruction();
    sp->SetSkinManager(sm);
    form->Provider = sp;
    form->Show();
    return {form, sp};
}

TEST(FormRegistry, LockAndUnlockTheFormsOfOneManager) {
    Cleanup keep;
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    TsSkinManager* other = keep.Keep(NewManager(nullptr));
    LockedForm mine = ShownSkinnedForm(keep, sm);
    LockedForm theirs = ShownSkinnedForm(keep, other);
    ASSERT_EQ(DefaultManager, sm);

    LockForms(sm);
    EXPECT_TRUE(InAnimationProcess);
    EXPECT_TRUE(mine.sp->FInAnimation);
    EXPECT_FALSE(Redraws(mine.form->WindowHandle())) << "WM_SETREDRAW 0 was sent";
    EXPECT_FALSE(theirs.sp->FInAnimation);
    EXPECT_TRUE(Redraws(theirs.form->WindowHandle()));

    UnLockForms(sm, true);
    EXPECT_FALSE(InAnimationProcess);
    EXPECT_FALSE(mine.sp->FInAnimation);
    EXPECT_TRUE(Redraws(mine.form->WindowHandle()));
}

TEST(FormRegistry, LockingDoesNothingWhileTheApplicationIsMinimised) {
    Cleanup keep;
    TsSkinManager* sm = keep.Keep(NewManager(nullptr));
    LockedForm f = ShownSkinnedForm(keep, sm);
    HWND app = fw::Application->Handle();
    const bool wasVisible = IsWindowVisible(app);

    ShowWindow(app, SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(app));
    LockForms(sm);
    EXPECT_FALSE(InAnimationProcess);
    EXPECT_FALSE(f.sp->FInAnimation);
    EXPECT_TRUE(Redraws(f.form->WindowHandle()));

    // Locked before minimising: unlocking while minimised leaves it locked.
    ShowWindow(app, SW_RESTORE);
    ShowWindow(app, wasVisible ? SW_SHOWNA : SW_HIDE);
    LockForms(sm);
    ASSERT_TRUE(f.sp->FInAnimation);
    ShowWindow(app, SW_SHOWMINNOACTIVE);
    UnLockForms(sm, true);
    EXPECT_TRUE(f.sp->FInAnimation);
    EXPECT_TRUE(InAnimationProcess);
    ShowWindow(app, SW_RESTORE);
    ShowWindow(app, wasVisible ? SW_SHOWNA : SW_HIDE);
    UnLockForms(sm, false);
    EXPECT_FALSE(InAnimationProcess);
    EXPECT_TRUE(Redraws(f.form->WindowHandle()));
}

}  // namespace
