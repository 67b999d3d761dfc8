// The handling every skinned control runs first: the sub-commands of the
// library's message, and the window messages that keep the skin data's flags
// in step, on hidden windows of the TPaint skin.
#include <gtest/gtest.h>

#include "SkinnedPanel.h"
#include "framework/windows/Application.h"
#include "framework/windows/Menus.h"
#include "framework/windows/StdCtrls.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/paint/ControlStandIns.h"
#include "skin/paint/sCommonMessage.h"
#include "skin/paint/sVclUtils.h"

using namespace skin;
using namespace painttest;

namespace {

fw::TMessage Alpha(WORD Cmd, WORD Arg = 0, LPARAM LParam = 0) {
    fw::TMessage m;
    m.Msg = SM_ALPHACMD;
    m.WParam = (WPARAM(Cmd) << 16) | Arg;
    m.LParam = LParam;
    return m;
}

fw::TMessage Plain(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) {
    fw::TMessage m;
    m.Msg = Msg;
    m.WParam = WParam;
    m.LParam = LParam;
    return m;
}

// A control that answers smcGetColor with Answer and nothing else.
class TColourParent : public fw::TCustomControl {
public:
    using fw::TCustomControl::TCustomControl;
    fw::String ClassName() const override { return L"TColourParent"; }
    TColor Answer = 0xFF00FF;
    void WndProc(fw::TMessage& m) override {
        if (m.Msg == SM_ALPHACMD && m.WParamHi() == smcGetColor) {
            m.Result = LRESULT(Answer);
            return;
        }
        fw::TCustomControl::WndProc(m);
    }
};

// A form that keeps the sub-commands its window is sent.
class TListeningForm : public fw::TForm {
public:
    using fw::TForm::TForm;
    std::vector<std::pair<WORD, LPARAM>> Got;
    void WndProc(fw::TMessage& m) override {
        if (m.Msg == SM_ALPHACMD) Got.emplace_back(m.WParamHi(), m.LParam);
        fw::TForm::WndProc(m);
    }
};

}  // namespace

TEST(CommonMessage, SubCommandsAnswerOrChangeTheSkinData) {
    PaintScene scene;
    auto* panel = scene.Add(&scene.form, L"PANEL", fw::TRect(10, 10, 90, 60));
    auto* trans = scene.Add(panel, L"TRANS", fw::TRect(5, 5, 30, 30));
    TsCommonData* S = panel->SkinData.get();
    S->BGChanged = false;
    // (sub-command, low word, LParam) -> answered?, Result; then the flag it changed.
    struct Case {
        WORD cmd, arg;
        bool answered;
        LRESULT result;
        std::function<bool()> after;
    };
    const Case cases[] = {
        {smcIsHandled, 0, true, 1, [] { return true; }},
        {smcGetUpdating, 0, true, 0, [] { return true; }},
        {smcSetUpdating, 1, false, 0, [&] { return S->FUpdating; }},
        {smcGetUpdating, 0, true, 1, [] { return true; }},
        {smcSetUpdating, 0, false, 0, [&] { return !S->FUpdating; }},
        {smcSetUrgentPainting, 1, false, 0, [&] { return S->UrgentPainting; }},
        {smcSetUrgentPainting, 2, false, 0, [&] { return !S->UrgentPainting; }},
        {smcGetHalfVisible, 0, true, 1, [] { return true; }},
        {smcSetBGChangedIfTransparent, 1, false, 0, [&] { return !S->BGChanged; }},  // an opaque section
        {smcSetBGChanged, 0, false, 0, [&] { return S->BGChanged; }},
        {smcGetUpdating, 0, true, 1, [] { return true; }},
        {smcSkinState, 0, true, LRESULT(S->CtrlSkinState), [] { return true; }},
        {smcGetApplication, 0, false, LRESULT(fw::Application.get()), [] { return true; }},
        {smcGetProvider, 0, false, 0, [] { return true; }},
        {smcChildPaint, 0, false, 0, [] { return true; }},
        {smcAddToAdapter, 0, false, 0, [] { return true; }},
        {61, 0, false, 0, [] { return true; }},
    };
    for (const Case& k : cases) {
        fw::TMessage m = Alpha(k.cmd, k.arg);
        EXPECT_EQ(CommonMessage(m, S), k.answered) << k.cmd;
        EXPECT_EQ(m.Result, k.result) << k.cmd;
        EXPECT_TRUE(k.after()) << k.cmd;
    }
    // The skin index goes to the address in LParam.
    int index = -5;
    fw::TMessage m = Alpha(smcGetSkinIndex, 0, LPARAM(&index));
    EXPECT_TRUE(CommonMessage(m, S));
    EXPECT_EQ(index, scene.sm->GetSkinIndex(L"PANEL"));
    // A transparent section takes the hint; anything but a message of the
    // library, or no skin data, is not handled here.
    trans->SkinData->BGChanged = false;
    m = Alpha(smcSetBGChangedIfTransparent, 1);
    CommonMessage(m, trans->SkinData.get());
    EXPECT_TRUE(trans->SkinData->BGChanged);
    m = Plain(WM_USER, WPARAM(smcIsHandled) << 16);
    EXPECT_FALSE(CommonMessage(m, S));
    m = Alpha(smcIsHandled);
    EXPECT_FALSE(CommonMessage(m, nullptr));
    EXPECT_FALSE(CommonWndProc(m, nullptr));
    // A skinned control's window answers through its window procedure.
    EXPECT_EQ(SendAMessage(panel->Handle(), smcIsHandled, 0), 1);
    // Recomputing the skin state reaches the children too: a control that
    // is no panel always needs a cache of its own.
    trans->HandleNeeded();
    trans->SkinData->CtrlSkinState = 0x0001;
    m = Alpha(smcSkinState, 0, 1);
    EXPECT_TRUE(CommonMessage(m, S));
    EXPECT_EQ(trans->SkinData->CtrlSkinState, 0);
    // A section named in a section update repaints.
    S->BGChanged = false;
    RestrictDrawing = true;
    GlobalSectionName = L"PANEL";
    m = Alpha(smcUpdateSection);
    CommonMessage(m, S);
    EXPECT_TRUE(S->BGChanged);
    EXPECT_FALSE(RestrictDrawing);
    GlobalSectionName.clear();
}

TEST(CommonMessage, SkinChangesOnlyFromTheControlsOwnManager) {
    PaintScene scene;
    TsSkinManager other(nullptr);
    auto* panel = scene.Add(&scene.form, L"PANEL", fw::TRect(10, 10, 90, 60));
    auto* label = new fw::TLabel(panel);
    label->SetParent(panel);
    label->Font()->SetColor(0x123456);
    auto* edit = new fw::TEdit(&scene.form);
    edit->SetParent(&scene.form);
    TsCommonData editData(edit, false);
    editData.SetSkinManager(scene.sm.get());
    editData.SetSkinSection(L"HALF");
    TsCommonData* S = panel->SkinData.get();
    const int index = S->SkinIndex;
    ASSERT_GE(index, 0);
    S->InitCacheBmp();
    ASSERT_GT(S->FCacheBmp->Width(), 0);

    // Another manager's news changes nothing.
    for (WORD cmd : {smcRemoveSkin, smcNewSkin, smcRefresh}) {
        fw::TMessage m = Alpha(cmd, 0, LPARAM(&other));
        EXPECT_FALSE(CommonMessage(m, S));
        EXPECT_EQ(S->SkinIndex, index) << cmd;
    }
    // Its own manager removes the skin: no index, updating, no cache, and
    // the children's labels and an edit take the system's colours.
    fw::TMessage m = Alpha(smcRemoveSkin, 0, LPARAM(scene.sm.get()));
    EXPECT_FALSE(CommonMessage(m, S));
    EXPECT_EQ(S->SkinIndex, -1);
    EXPECT_EQ(S->BorderIndex, -1);
    EXPECT_TRUE(S->FUpdating);
    EXPECT_EQ(S->FCacheBmp->Width(), 0);
    EXPECT_EQ(label->Font()->Color(), fw::clWindowText);
    edit->SetColor(0x111111);
    CommonMessage(m, &editData);
    EXPECT_EQ(edit->Color(), fw::clWindow);
    EXPECT_EQ(edit->Font()->Color(), fw::clWindowText);
    // A new skin brings the indexes back.
    RestrictDrawing = true;
    m = Alpha(smcNewSkin, 0, LPARAM(scene.sm.get()));
    CommonMessage(m, S);
    EXPECT_EQ(S->SkinIndex, index);
    EXPECT_FALSE(RestrictDrawing);
    // A refresh: a stale background, not updating; a skinned edit takes the
    // section's colours unless it keeps its own.
    S->BGChanged = false;
    m = Alpha(smcRefresh, 0, LPARAM(scene.sm.get()));
    CommonMessage(m, S);
    EXPECT_TRUE(S->BGChanged);
    EXPECT_FALSE(S->FUpdating);
    CommonMessage(m = Alpha(smcNewSkin, 0, LPARAM(scene.sm.get())), &editData);
    const TsGeneralData& half = scene.Section(L"HALF");
    editData.SetCustomFont(true);
    CommonMessage(m = Alpha(smcRefresh, 0, LPARAM(scene.sm.get())), &editData);
    EXPECT_EQ(edit->Color(), half.Color);
    EXPECT_EQ(edit->Font()->Color(), fw::clWindowText);
    // The manager that goes away is forgotten.
    TsSkinManager* leaving = new TsSkinManager(nullptr);
    TsCommonData lone(panel, false);
    lone.SetSkinManager(leaving);
    ASSERT_EQ(lone.FSkinManager, leaving);
    leaving->Destroying();
    CommonMessage(m = Alpha(smcRemoveSkin, 0, LPARAM(leaving)), &lone);
    EXPECT_EQ(lone.FSkinManager, nullptr);
    delete leaving;
}

// The colour a control shows its children: its section's colour, or mixed
// with its parent's answer (the parent weighing Transparency / 256).
TEST(CommonMessage, ColourAnswers) {
    PaintScene scene;
    auto* parent = new TColourParent(&scene.form);
    parent->SetBounds(0, 0, 100, 100);
    parent->SetParent(&scene.form);
    parent->SetColor(fw::clBtnFace);
    auto* child = scene.Add(parent, L"HALF", fw::TRect(10, 10, 40, 40));
    TsGeneralData& half = scene.Section(L"HALF");
    TsCommonData* S = child->SkinData.get();
    half.Color = 0x000000;
    struct Case {
        int transparency;
        TColor parentAnswer, expected;
    };
    const Case cases[] = {
        {50, 0xFFFFFF, 0x313131},                // (50 x 255) shr 8 = 49
        {50, 0x7F0000FF, 0x7F000031},            // the top byte is the parent's
        {0, 0xFFFFFF, 0x000000},                 // opaque: the section's colour
        {100, 0x00C0B0A0, 0x00C0B0A0},           // fully transparent: the parent's answer
        {100, 0xFF00FF, TColor(fw::clBtnFace)},  // no colour: the parent's Color, not converted
    };
    for (const Case& k : cases) {
        half.Transparency = k.transparency;
        parent->Answer = k.parentAnswer;
        fw::TMessage m = Alpha(smcGetColor);
        EXPECT_TRUE(CommonMessage(m, S));
        EXPECT_EQ(TColor(m.Result), k.expected) << k.transparency << " over " << std::hex << k.parentAnswer;
    }
    // Unskinned: its own Color as RGB. Without an owner control: no answer.
    child->SetColor(fw::clBtnFace);
    TsCommonData unskinned(child, false);
    fw::TMessage m = Alpha(smcGetColor);
    EXPECT_TRUE(CommonMessage(m, &unskinned));
    EXPECT_EQ(TColor(m.Result), fw::ColorToRGB(fw::clBtnFace));
    fw::TComponent wrapper(nullptr);
    TsCommonData noControl(&wrapper, false);
    noControl.SetSkinManager(scene.sm.get());
    noControl.SetSkinSection(L"PANEL");
    m = Alpha(smcGetColor);
    m.Result = 77;
    EXPECT_FALSE(CommonMessage(m, &noControl));
    EXPECT_EQ(m.Result, 77);
}

TEST(CommonMessage, RepaintAfterMovingIsAskedAndPassedDown) {
    PaintScene scene;
    auto* grad = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(0, 0, 200, 150));
    auto* half = scene.Add(grad, L"HALF", fw::TRect(10, 10, 150, 120));
    auto* inner = scene.Add(half, L"HALF", fw::TRect(10, 10, 60, 60));
    auto* trans = scene.Add(grad, L"TRANS", fw::TRect(160, 10, 190, 40));
    for (fw::TWinControl* c : {inner, trans}) c->HandleNeeded();
    // A gradient must repaint; a fully transparent control asks its parent.
    for (TSkinnedPanel* c : {grad, trans}) {
        fw::TMessage m = Alpha(smcGetRepaintIfMoved);
        EXPECT_TRUE(CommonMessage(m, c->SkinData.get()));
        EXPECT_EQ(m.Result, 1);
        EXPECT_EQ(m.LParam, 1);
    }
    // Without a skin index the question is not answered.
    TsCommonData none(half, false);
    fw::TMessage m = Alpha(smcGetRepaintIfMoved);
    m.Result = 9;
    EXPECT_FALSE(CommonMessage(m, &none));
    EXPECT_EQ(m.Result, 9);
    // A half transparent panel over a gradient must repaint when moved and
    // tells its children so.
    half->SkinData->BGChanged = inner->SkinData->BGChanged = false;
    m = Alpha(smcSetChangedIfNecessary, 0);
    EXPECT_FALSE(CommonMessage(m, half->SkinData.get()));
    EXPECT_TRUE(half->SkinData->BGChanged);
    EXPECT_TRUE(inner->SkinData->BGChanged);
    // A gradient panel that is resized tells its children that keep their
    // left and top edges, not those anchored to the right or bottom.
    half->SkinData->BGChanged = inner->SkinData->BGChanged = trans->SkinData->BGChanged = false;
    trans->SetAnchors({fw::akTop, fw::akRight});
    grad->SkinData->BGChanged = false;
    EXPECT_FALSE(CommonWndProc(m = Plain(WM_SIZE), grad->SkinData.get()));
    EXPECT_TRUE(grad->SkinData->BGChanged);
    EXPECT_TRUE(half->SkinData->BGChanged);
    EXPECT_TRUE(inner->SkinData->BGChanged);
    EXPECT_FALSE(trans->SkinData->BGChanged);
}

TEST(CommonMessage, WindowMessagesKeepTheFlagsInStep) {
    PaintScene scene;
    auto* grad = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(0, 0, 200, 150));
    auto* plain = scene.Add(grad, L"PANEL", fw::TRect(10, 10, 60, 60));
    auto* half = scene.Add(grad, L"HALF", fw::TRect(70, 10, 120, 60));
    scene.form.HandleNeeded();
    fw::TMessage m;
    // A move: a control that need not repaint keeps its glow; one that must
    // repaint marks its background and loses its glow.
    for (TSkinnedPanel* c : {plain, half}) {
        c->SkinData->GlowID = 7;  // no such glow: hiding it is harmless
        c->SkinData->BGChanged = false;
    }
    EXPECT_FALSE(CommonWndProc(m = Plain(WM_MOVE), plain->SkinData.get()));
    EXPECT_EQ(plain->SkinData->GlowID, 7);
    EXPECT_FALSE(plain->SkinData->BGChanged);
    CommonWndProc(m = Plain(WM_MOVE), half->SkinData.get());
    EXPECT_EQ(half->SkinData->GlowID, -1);
    EXPECT_TRUE(half->SkinData->BGChanged);
    // WM_UPDATEUISTATE is swallowed by a skinned control only.
    EXPECT_TRUE(CommonWndProc(m = Plain(WM_UPDATEUISTATE), plain->SkinData.get()));
    TsCommonData unskinned(plain, false);
    EXPECT_FALSE(CommonWndProc(m = Plain(WM_UPDATEUISTATE), &unskinned));
    // Hidden: no cache pixels; shown again: a stale background.
    TsCommonData* S = plain->SkinData.get();
    S->InitCacheBmp();
    CommonWndProc(m = Plain(fw::CM_VISIBLECHANGED, 0), S);
    EXPECT_EQ(S->FCacheBmp->Width(), 0);
    S->FUpdating = true;
    S->BGChanged = false;
    CommonWndProc(m = Plain(fw::CM_VISIBLECHANGED, 1), S);
    EXPECT_FALSE(S->FUpdating);
    EXPECT_TRUE(S->BGChanged);
    // Disabled: neither hot nor focused, and no glow.
    S->FMouseAbove = S->FFocused = true;
    S->GlowID = 3;
    plain->SetEnabled(false);
    CommonWndProc(m = Plain(fw::CM_ENABLEDCHANGED), S);
    EXPECT_FALSE(S->FMouseAbove);
    EXPECT_FALSE(S->FFocused);
    EXPECT_EQ(S->GlowID, -1);
    // The context menu of a control is drawn skinned.
    fw::TPopupMenu menu(&scene.form);
    grad->SetPopupMenu(&menu);
    CommonWndProc(m = Plain(WM_CONTEXTMENU), grad->SkinData.get());
    EXPECT_EQ(scene.sm->SkinableMenus()->HookedMenu, &menu);
    EXPECT_EQ(scene.sm->SkinableMenus()->HookedActive, scene.sm->Active());
}

TEST(CommonMessage, ANewChildWindowGoesToTheFormsAdapter) {
    PaintScene scene;
    TListeningForm form(nullptr);
    auto* panel = new TSkinnedPanel(&form, scene.sm.get(), L"PANEL", fw::TRect(0, 0, 50, 50));
    form.HandleNeeded();
    panel->HandleNeeded();
    form.Got.clear();
    fw::TMessage m = Plain(WM_PARENTNOTIFY, WM_CREATE);
    CommonWndProc(m, panel->SkinData.get());
    ASSERT_EQ(form.Got.size(), 1u);
    EXPECT_EQ(form.Got[0], (std::pair<WORD, LPARAM>(smcAddToAdapter, LPARAM(panel))));
    CommonWndProc(m = Plain(WM_PARENTNOTIFY, WM_DESTROY), panel->SkinData.get());
    EXPECT_EQ(form.Got.size(), 1u);
}

// Entering a panel that holds two hot speed buttons: the one not entered is
// told the mouse left; the panel is hot and the manager's active control.
TEST(CommonMessage, EnteringAPanelLeavesOnlyTheEnteredSpeedButtonHot) {
    PaintScene scene;
    auto* panel = scene.Add(&scene.form, L"PANEL", fw::TRect(0, 0, 200, 100));
    scene.form.HandleNeeded();
    ASSERT_EQ(DefaultManager, scene.sm.get());
    TsSpeedButton* buttons[2];
    for (int i = 0; i < 2; ++i) {
        buttons[i] = new TsSpeedButton(panel);
        buttons[i]->SetBounds(10 + 60 * i, 10, 50, 25);
        buttons[i]->SetParent(panel);
        buttons[i]->SkinData()->FMouseAbove = true;
    }
    fw::TMessage m = Plain(fw::CM_MOUSEENTER, 0, LPARAM(buttons[1]));
    EXPECT_FALSE(CommonWndProc(m, panel->SkinData.get()));
    EXPECT_FALSE(buttons[0]->SkinData()->FMouseAbove);
    EXPECT_TRUE(buttons[1]->SkinData()->FMouseAbove);
    EXPECT_TRUE(panel->SkinData->FMouseAbove);
    EXPECT_EQ(scene.sm->ActiveControl(), panel->Handle());
    // Leaving: not hot any more. A control whose class forbids mouse-over
    // activity (a group box) never becomes hot.
    CommonWndProc(m = Plain(fw::CM_MOUSELEAVE), panel->SkinData.get());
    EXPECT_FALSE(panel->SkinData->FMouseAbove);
    panel->SkinData->COC = 74;
    CommonWndProc(m = Plain(fw::CM_MOUSEENTER, 0, LPARAM(panel)), panel->SkinData.get());
    EXPECT_FALSE(panel->SkinData->FMouseAbove);
}
