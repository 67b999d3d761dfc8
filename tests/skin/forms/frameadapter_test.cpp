// The frame adapter without windows: it goes only on frames, answers the
// library's queries for its frame, and the colour a frame answers for each
// kind of section; the outline's new rectangle for each dragged edge.
#include <gtest/gtest.h>

#include <memory>

#include "FrameFixtures.h"
#include "framework/rtl/Exception.h"
#include "framework/windows/Frames.h"
#include "skin/engine/sColorMath.h"
#include "skin/engine/sMessages.h"
#include "skin/forms/sFrameAdapter.h"
#include "skin/forms/sOutline.h"
#include "skin/paint/sCommonData.h"

using namespace skin;
using namespace formstest;

namespace {

struct Free {
    void operator()(fw::TComponent* c) const {
        if (c) c->Free();
    }
};

LRESULT Ask(fw::TControl* C, WORD Cmd) { return C->Perform(SM_ALPHACMD, MAKEWPARAM(0, Cmd), 0); }

int AdaptersOn(fw::TComponent* Owner) {
    int n = 0;
    for (int i = 0; i < Owner->ComponentCount(); ++i)
        n += dynamic_cast<TsFrameAdapter*>(Owner->Components(i)) != nullptr;
    return n;
}

}  // namespace

TEST(FrameAdapter, OnlyOnFramesAndGivesTheMethodBack) {
    LoadedSkin skin(L"test", L"TPaint");
    std::unique_ptr<fw::TForm, Free> form(new fw::TForm(nullptr));
    form->AfterConstruction();
    auto* frame = new fw::TFrame(form.get());
    frame->SetParent(form.get());
    const fw::TWndMethod own = frame->WindowProc();

    // Anything but a frame is refused before it joins its owner.
    const int before = form->ComponentCount();
    try {
        new TsFrameAdapter(form.get());
        FAIL() << "no exception";
    } catch (const fw::Exception& e) {
        EXPECT_EQ(L"TsFrameAdapter adapter must be placed on the handled frame", e.Message);
        EXPECT_EQ(L"Exception", e.ClassName());
    }
    EXPECT_EQ(before, form->ComponentCount());

    EXPECT_EQ(0, Ask(frame, smcIsHandled));
    auto* fa = new TsFrameAdapter(frame);
    fa->AfterConstruction();
    EXPECT_EQ(1, Ask(frame, smcIsHandled)) << "so no one wraps the frame again";
    EXPECT_EQ(L"GROUPBOX", fa->SkinData()->SkinSection());
    EXPECT_EQ(226, fa->SkinData()->COC);
    EXPECT_EQ(frame, fa->SkinData()->FOwnerControl);
    EXPECT_TRUE(fa->SkinData()->Skinned());
    EXPECT_EQ(1, AdaptersOn(frame));

    // Freed alone, it gives the frame its own method back.
    delete fa;
    EXPECT_TRUE(own == frame->WindowProc());
    EXPECT_EQ(0, Ask(frame, smcIsHandled));

    // Freed with its frame, it goes first, while the frame is whole.
    fa = new TsFrameAdapter(frame);
    fa->AfterConstruction();
    frame->Free();
    EXPECT_EQ(0, form->ControlCount());
}

TEST(FrameAdapter, ColourOfEachKindOfSection) {
    LoadedSkin skin(L"test", L"TPaint");
    TsSkinManager* M = skin.sm.get();
    const fw::TColor formColour = 0x204080;
    std::unique_ptr<fw::TForm, Free> form(new fw::TForm(nullptr));
    form->AfterConstruction();
    // Passed over by the window-creation hook: this form gets no provider.
    form->SetTag(-98);
    form->SetColor(formColour);
    auto* frame = new fw::TFrame(form.get());
    frame->SetParent(form.get());
    frame->SetColor(0x00C000);
    auto* fa = new TsFrameAdapter(frame);
    fa->AfterConstruction();
    auto colour = [&](const wchar_t* Section) { return M->gd[size_t(M->GetSkinIndex(Section))].Color; };

    // The form is not skinned: it answers with its own colour.
    struct Case {
        const wchar_t* section;
        fw::TColor expected;
    } cases[] = {
        {L"PANEL", colour(L"PANEL")}, {L"GRADPANEL", 0xFF00FF}, {L"TEXPANEL", 0xFF00FF},
        {L"MIXPANEL", 0xFF00FF},      {L"TRANS", formColour},   {L"HALF", MixColors(formColour, colour(L"HALF"), 0.5)},
    };
    for (const Case& c : cases) {
        fa->SkinData()->SetSkinSection(c.section);
        EXPECT_EQ(c.expected, fw::TColor(Ask(frame, smcGetColor))) << fw::ToAnsi(c.section);
    }
    // Without a skinned section the frame's own colour.
    fa->SkinData()->SetSkinSection(L"NOSUCHSECTION");
    EXPECT_EQ(0x00C000, fw::TColor(Ask(frame, smcGetColor)));
    delete fa;
}

TEST(FrameAdapter, BackgroundColourRules) {
    TsGeneralData g;
    g.Color = 0x102030;
    const fw::TColor own = 0x0A0B0C, parent = 0x808080, parentOwn = 0x405060;
    auto with = [&](int transparency, int gradient, int image) {
        TsGeneralData s = g;
        s.Transparency = transparency, s.GradientPercent = gradient, s.ImagePercent = image;
        return s;
    };
    struct Case {
        const char* name;
        TsGeneralData section;
        bool skinned, hasParent;
        fw::TColor parentAnswer, expected;
    } cases[] = {
        {"not skinned", g, false, true, parent, own},
        {"opaque", with(0, 0, 0), true, true, parent, 0x102030},
        {"gradient", with(0, 40, 0), true, true, parent, 0xFF00FF},
        {"texture", with(0, 0, 30), true, true, parent, 0xFF00FF},
        {"transparent gradient", with(100, 40, 0), true, true, parent, 0xFF00FF},
        {"see-through", with(100, 0, 0), true, true, parent, parent},
        {"see-through, parent without colour", with(100, 0, 0), true, true, 0xFF00FF, parentOwn},
        {"see-through, no parent", with(100, 0, 0), true, false, 0xFF00FF, own},
        {"half", with(50, 0, 0), true, true, parent, MixColors(parent, 0x102030, 0.5)},
        {"quarter", with(25, 0, 0), true, true, parent, MixColors(parent, 0x102030, 0.25)},
        {"half, parent without colour", with(50, 0, 0), true, true, 0xFF00FF, MixColors(parentOwn, 0x102030, 0.5)},
        {"half, no parent", with(50, 0, 0), true, false, 0xFF00FF, 0x102030},
        {"beyond 100", with(140, 0, 0), true, true, parent, parent},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, FrameBGColor(c.skinned ? &c.section : nullptr, own, c.hasParent, c.parentAnswer,
                                           c.hasParent ? parentOwn : own))
            << c.name;
    // A half-transparent section's mix lies half way, channel by channel.
    EXPECT_EQ(0x485058, MixColors(0x808080, 0x102030, 0.5));
}

TEST(Outline, SizedByEachEdge) {
    const fw::TRect form(100, 50, 400, 250);  // 300 x 200
    struct Case {
        int direction, dx, dy;
        fw::TRect expected;
    } cases[] = {
        {HTLEFT, -20, 15, {80, 50, 400, 250}},
        {HTRIGHT, 30, 15, {100, 50, 430, 250}},
        {HTTOP, 10, -25, {100, 25, 400, 250}},
        {HTBOTTOM, 10, 40, {100, 50, 400, 290}},
        {HTTOPLEFT, -5, -6, {95, 44, 400, 250}},
        {HTTOPRIGHT, 7, -8, {100, 42, 407, 250}},
        {HTBOTTOMLEFT, -9, 10, {91, 50, 400, 260}},
        {HTBOTTOMRIGHT, 11, 12, {100, 50, 411, 262}},
        // No edge known: the bottom-right corner.
        {0, 11, 12, {100, 50, 411, 262}},
        {HTCAPTION, 11, 12, {100, 50, 411, 262}},
        // The minimum size holds from every side.
        {HTLEFT, 250, 0, {250, 50, 400, 250}},
        {HTRIGHT, -250, 0, {100, 50, 250, 250}},
        {HTTOP, 0, 190, {100, 170, 400, 250}},
        {HTBOTTOM, 0, -190, {100, 50, 400, 130}},
        {HTTOPLEFT, 400, 400, {250, 170, 400, 250}},
        {HTBOTTOMRIGHT, -400, -400, {100, 50, 250, 130}},
    };
    for (const Case& c : cases) {
        const fw::TRect r = SizedOutline(form, c.direction, c.dx, c.dy, 150, 80);
        EXPECT_EQ(c.expected, r) << c.direction << " " << c.dx << "," << c.dy;
    }
    // Without a minimum an edge may pass the other one no further than onto it.
    EXPECT_EQ(fw::TRect(100, 50, 100, 250), SizedOutline(form, HTRIGHT, -500, 0, 0, 0));
}
