// Frames on real forms: the control adapter gives a frame on a skinned form
// one frame adapter, which paints the frame from its section and lets the
// frame's own push buttons be wrapped; a frame paints each kind of section
// in the colour it answers and reads its section again when shown.
#include <gtest/gtest.h>

#include <memory>

#include "../../windows/gui/SkinPixels.h"
#include "../FrameFixtures.h"
#include "SkinnedFormKit.h"
#include "framework/windows/Frames.h"
#include "framework/windows/StdCtrls.h"
#include "skin/engine/sColorMath.h"
#include "skin/engine/sMessages.h"
#include "skin/forms/sFrameAdapter.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"
#include "skin/windows/acMainWnd.h"

using namespace skin;
using namespace formstest;
using wintest::PixelAt;

namespace {

int AdaptersOn(fw::TComponent* Owner) {
    int n = 0;
    for (int i = 0; i < Owner->ComponentCount(); ++i)
        n += dynamic_cast<TsFrameAdapter*>(Owner->Components(i)) != nullptr;
    return n;
}

LRESULT Handled(fw::TWinControl* C) { return SendMessageW(C->Handle(), SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0); }

void Redraw(fw::TWinControl* Form) {
    RedrawWindow(Form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(80);
}

// Where a child window lies in its form's window image.
RECT InForm(fw::TWinControl* C, fw::TWinControl* Form) {
    RECT fr, r;
    GetWindowRect(Form->Handle(), &fr);
    GetWindowRect(C->Handle(), &r);
    OffsetRect(&r, -fr.left, -fr.top);
    return r;
}

}  // namespace

TEST(FrameAdapter, FrameOnASkinnedFormAdaptedOnce) {
    LoadedSkin skin(L"default", L"Stillwater");
    TsSkinManager* M = skin.sm.get();
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Chapter notes");
    form->SetBounds(120, 90, 380, 260);
    auto* frame = new fw::TFrame(form.get());
    frame->SetParent(form.get());
    frame->SetBounds(16, 16, 240, 150);
    auto* label = new fw::TLabel(frame);
    label->SetParent(frame);
    label->SetBounds(12, 12, 120, 16);
    label->SetCaption(L"Bookmarks");
    auto* go = new fw::TButton(frame);
    go->SetParent(frame);
    go->SetBounds(12, 40, 90, 28);
    go->SetCaption(L"Go to");
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(250);

    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    ASSERT_NE(nullptr, sp->Adapter);
    ASSERT_EQ(1, AdaptersOn(frame));
    EXPECT_EQ(1, Handled(frame));
    EXPECT_EQ(-1, sp->Adapter->IndexOf(frame)) << "a frame is no item of the form's adapter";
    // The walk went into the frame: its push button is wrapped.
    TacMainWnd* w = WrapperOf(go->Handle());
    ASSERT_NE(nullptr, w);
    EXPECT_EQ(L"TacBtnWnd", w->ClassName());
    EXPECT_TRUE(label->Transparent());
    // Another walk finds the frame handled and leaves it alone.
    sp->Adapter->AddAllItems();
    sp->Adapter->AddAllItems(frame);
    EXPECT_EQ(1, AdaptersOn(frame));

    Redraw(form.get());
    auto shot = Shot(form->Handle(), L"skinned-frame-adapter");
    const RECT fr = InForm(frame, form.get());
    // The GROUPBOX border on top, the form's colour (the section is
    // see-through) inside, where no child is.
    const COLORREF edge = wintest::TopEdge(M, L"GROUPBOX", 0);
    EXPECT_EQ(edge, PixelAt(*shot, (fr.left + fr.right) / 2, fr.top));
    const COLORREF inside = PixelAt(*shot, fr.right - 30, fr.bottom - 20);
    EXPECT_EQ(wintest::Rgb(sp->FormColor()), inside);
    EXPECT_EQ(wintest::Rgb(sp->FormColor()),
              wintest::Rgb(fw::TColor(frame->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcGetColor), 0))));

    // The skin going away leaves the frame with its own look.
    M->SetActive(false);
    Pump(80);
    Redraw(form.get());
    shot = Shot(form->Handle());
    EXPECT_NE(edge, PixelAt(*shot, (fr.left + fr.right) / 2, fr.top));
}

TEST(FrameAdapter, SectionsPaintedAndReadAgainWhenShown) {
    LoadedSkin skin(L"test", L"TPaint");
    TsSkinManager* M = skin.sm.get();
    const fw::TColor formColour = 0x204080;
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    // Passed over by the window-creation hook: this form gets no provider.
    form->SetTag(-98);
    form->SetColor(formColour);
    form->SetBounds(140, 110, 320, 240);
    auto* frame = new fw::TFrame(form.get());
    frame->SetParent(form.get());
    frame->SetBounds(20, 20, 220, 150);
    auto* fa = new TsFrameAdapter(frame);
    fa->AfterConstruction();
    fa->SkinData()->SetSkinSection(L"PANEL");
    form->Show();
    Pump(200);
    ASSERT_EQ(nullptr, ProviderOf(form.get())) << "no provider: the frame alone is skinned";

    auto answer = [&] { return wintest::Rgb(fw::TColor(frame->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcGetColor), 0))); };
    auto middle = [&](fw::TBitmap& Shot) {
        const RECT r = InForm(frame, form.get());
        return PixelAt(Shot, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    TsGeneralData& panel = M->gd[size_t(M->GetSkinIndex(L"PANEL"))];
    auto shot = Shot(form->Handle());
    EXPECT_EQ(wintest::Rgb(panel.Color), middle(*shot));
    EXPECT_EQ(wintest::Rgb(panel.Color), answer());

    // Half see-through: painted and answered the same, half the form's colour.
    fa->SkinData()->SetSkinSection(L"HALF");
    Pump(80);
    shot = Shot(form->Handle(), L"frame-adapter-half");
    const fw::TColor half = MixColors(formColour, M->gd[size_t(M->GetSkinIndex(L"HALF"))].Color, 0.5);
    EXPECT_TRUE(wintest::Near(wintest::Rgb(half), middle(*shot))) << std::hex << middle(*shot);
    EXPECT_EQ(wintest::Rgb(half), answer());

    // A gradient has no one colour; the frame shows it from top to bottom.
    fa->SkinData()->SetSkinSection(L"GRADPANEL");
    Pump(80);
    shot = Shot(form->Handle(), L"frame-adapter-gradient");
    EXPECT_EQ(COLORREF(0xFF00FF), answer());
    const RECT r = InForm(frame, form.get());
    const COLORREF top = PixelAt(*shot, (r.left + r.right) / 2, r.top + 4);
    const COLORREF bottom = PixelAt(*shot, (r.left + r.right) / 2, r.bottom - 4);
    EXPECT_NE(top, bottom);
    EXPECT_NE(COLORREF(0xFF00FF), top);
    EXPECT_NE(wintest::Rgb(formColour), top);

    // The section changed meanwhile and the frame lost its index: hidden and
    // shown, it finds the section again and shows its new colour.
    fa->SkinData()->SetSkinSection(L"PANEL");
    Pump(80);
    panel.Color = 0x3070D0;
    fa->SkinData()->SkinIndex = -1;
    frame->SetVisible(false);
    Pump(60);
    frame->SetVisible(true);
    Pump(150);
    EXPECT_EQ(M->GetSkinIndex(L"PANEL"), fa->SkinData()->SkinIndex);
    shot = Shot(form->Handle(), L"frame-adapter-shown-again");
    EXPECT_EQ(wintest::Rgb(0x3070D0), middle(*shot));
    EXPECT_EQ(wintest::Rgb(0x3070D0), answer());
}
