// The control adapter on real forms, from the default skin: the framework's
// message dialog gets its push buttons wrapped by the provider's adapter
// (and not those it is told to skip), a form of plain framework controls is
// wrapped by the lists the manager names, and a speed button's handler
// paints each state; a wrapper that died with its window is replaced.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "../../windows/gui/SkinPixels.h"
#include "../FrameFixtures.h"
#include "framework/windows/Application.h"
#include "framework/windows/Buttons.h"
#include "framework/windows/Dialogs.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"
#include "skin/engine/sDefaults.h"
#include "skin/engine/sMessages.h"
#include "skin/forms/sCtrlAdapter.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/windows/acButtonWnd.h"

using namespace skin;
using namespace formstest;
using wintest::PixelAt;
using wintest::Pump;
using wintest::TopEdge;

namespace {

struct FormFree {
    void operator()(fw::TComponent* c) const {
        if (c) c->Free();
    }
};

// The window as drawn, optionally saved under build/screenshots.
std::unique_ptr<fw::TBitmap> Shot(HWND Wnd, const wchar_t* Name = nullptr) {
    RECT wr;
    GetWindowRect(Wnd, &wr);
    auto shot = std::make_unique<fw::TBitmap>(wr.right - wr.left, wr.bottom - wr.top, fw::pf24bit);
    HDC dc = GetWindowDC(Wnd);
    BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(Wnd, dc);
    if (Name) wintest::SaveScreenshot(*shot, (fw::String(Name) + L".bmp").c_str());
    return shot;
}

void Redraw(fw::TWinControl* Form) {
    RedrawWindow(Form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(80);
}

// The middle of a control's top edge in its form's window image.
COLORREF TopEdgeOn(fw::TBitmap& Shot, fw::TControl* C, fw::TWinControl* Form) {
    RECT fr;
    GetWindowRect(Form->Handle(), &fr);
    POINT p{C->Left() + C->Width() / 2, C->Top()};
    if (auto* w = dynamic_cast<fw::TWinControl*>(C)) {
        RECT r;
        GetWindowRect(w->Handle(), &r);
        p = POINT{(r.left + r.right) / 2, r.top};
    } else {
        ClientToScreen(C->Parent()->Handle(), &p);
    }
    return PixelAt(Shot, p.x - fr.left, p.y - fr.top);
}

// Pixels of a graphic control's rectangle that differ from the form's
// background beside it, on the same row (the background may be a gradient).
int DrawnPixelsOf(fw::TBitmap& Shot, fw::TControl* C, fw::TWinControl* Form) {
    RECT fr;
    GetWindowRect(Form->Handle(), &fr);
    POINT p{C->Left(), C->Top()};
    ClientToScreen(Form->Handle(), &p);
    const int x0 = p.x - fr.left, y0 = p.y - fr.top;
    auto apart = [](COLORREF a, COLORREF b) {
        return abs(GetRValue(a) - GetRValue(b)) + abs(GetGValue(a) - GetGValue(b)) + abs(GetBValue(a) - GetBValue(b)) >
               24;
    };
    int drawn = 0;
    for (int y = y0; y < y0 + C->Height(); ++y) {
        const COLORREF beside = PixelAt(Shot, x0 - 2, y);
        for (int x = x0; x < x0 + C->Width(); ++x)
            if (apart(beside, PixelAt(Shot, x, y))) ++drawn;
    }
    return drawn;
}

// A point inside a windowed control's left part, clear of its border and caption.
COLORREF InnerOn(fw::TBitmap& Shot, fw::TWinControl* C, fw::TWinControl* Form) {
    RECT fr, r;
    GetWindowRect(Form->Handle(), &fr);
    GetWindowRect(C->Handle(), &r);
    return PixelAt(Shot, r.left + 6 - fr.left, (r.top + r.bottom) / 2 - fr.top);
}

LRESULT Handled(fw::TWinControl* C) { return SendMessageW(C->Handle(), SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0); }

fw::String WrapperClass(fw::TWinControl* C) {
    TacMainWnd* w = WrapperOf(C->Handle());
    return w ? w->ClassName() : fw::String(L"none");
}

// What the provider's OnSkinItem answers: one control vetoed, another
// given a section.
struct SkinItemRule {
    fw::String veto, named, section;
    int asked = 0;
    void Ask(fw::TComponent* Item, bool& CanBeAdded, fw::String& SkinSection) {
        ++asked;
        if (Item->Name() == veto) CanBeAdded = false;
        if (Item->Name() == named) SkinSection = section;
    }
};

// A glyph of one colour; its bottom-left pixel is the see-through key.
std::unique_ptr<fw::TBitmap> Glyph(COLORREF Colour, int Size) {
    auto g = std::make_unique<fw::TBitmap>(Size, Size, fw::pf24bit);
    HBRUSH b = CreateSolidBrush(Colour);
    RECT r{0, 0, Size, Size};
    FillRect(g->Canvas()->Handle(), &r, b);
    DeleteObject(b);
    SetPixel(g->Canvas()->Handle(), 0, Size - 1, RGB(1, 2, 3));
    return g;
}

// The box of pixels of exactly colour C in Area (all of Bmp when empty), or
// of pixels darker than Limit.
RECT BoxOf(fw::TBitmap& Bmp, COLORREF C, int Limit = -1, RECT Area = RECT{}) {
    if (Area.right <= Area.left) Area = RECT{0, 0, Bmp.Width(), Bmp.Height()};
    RECT box{Area.right, Area.bottom, Area.left, Area.top};
    for (int y = Area.top; y < Area.bottom; ++y)
        for (int x = Area.left; x < Area.right; ++x) {
            const COLORREF p = PixelAt(Bmp, x, y);
            const bool hit = Limit < 0 ? p == C : GetRValue(p) + GetGValue(p) + GetBValue(p) < Limit;
            if (!hit) continue;
            box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box;
}

}  // namespace

TEST(CtrlAdapter, MessageFormButtonsWrappedSkippedAndReplaced) {
    LoadedSkin skin(L"default", L"Stillwater");
    TsSkinManager* M = skin.sm.get();
    InstallFormSkinning();
    SetCursorPos(0, 0);  // no button is hot by chance
    std::unique_ptr<fw::TMessageForm, FormFree> form(fw::CreateMessageDialog(
        L"Save the changes to the notes before closing?", fw::mtConfirmation, fw::mbYesNoCancel));
    auto* yes = dynamic_cast<fw::TButton*>(form->FindComponent(L"Yes"));
    auto* no = dynamic_cast<fw::TButton*>(form->FindComponent(L"No"));
    auto* cancel = dynamic_cast<fw::TButton*>(form->FindComponent(L"Cancel"));
    auto* label = dynamic_cast<fw::TLabel*>(form->FindComponent(L"Message"));
    ASSERT_TRUE(yes && no && cancel && label);
    cancel->SetTag(-98);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(200);

    // The provider made its adapter when the form was first painted; it
    // wrapped the buttons, but not the one marked to be skipped.
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    ASSERT_NE(nullptr, sp->Adapter);
    EXPECT_EQ(2, sp->Adapter->Count());
    EXPECT_EQ(L"TacBtnWnd", WrapperClass(yes));
    EXPECT_EQ(L"TacBtnWnd", WrapperClass(no));
    EXPECT_EQ(L"none", WrapperClass(cancel));
    EXPECT_EQ(1, Handled(yes));
    EXPECT_EQ(0, Handled(cancel));
    EXPECT_TRUE(label->Transparent());
    EXPECT_EQ(M->GetGlobalFontColor(), label->Font()->Color());
    Redraw(form.get());
    auto shot = Shot(form->Handle(), L"adapter-message-form");
    // The default button is drawn in the skin's state 1, the other in state 0.
    EXPECT_EQ(TopEdge(M, L"BUTTON", 1), TopEdgeOn(*shot, yes, form.get()));
    EXPECT_EQ(TopEdge(M, L"BUTTON", 0), TopEdgeOn(*shot, no, form.get()));
    EXPECT_NE(TopEdge(M, L"BUTTON", 0), TopEdgeOn(*shot, cancel, form.get()));
    // The question icon is drawn over the skinned background, not lost under it.
    auto* image = dynamic_cast<fw::TControl*>(form->FindComponent(L"Image"));
    ASSERT_NE(nullptr, image);
    EXPECT_GT(DrawnPixelsOf(*shot, image, form.get()), image->Width() * image->Height() / 8);

    // The provider's event vetoes one button and gives another a section.
    // The edit section's body is white, the button's is not.
    const COLORREF white = RGB(255, 255, 255);
    EXPECT_NE(white, InnerOn(*shot, yes, form.get()));
    SkinItemRule rule{L"No", L"Yes", L"edit"};
    sp->OnSkinItem = TAddItemEvent(&rule, &SkinItemRule::Ask);
    sp->Adapter->RemoveAllItems();
    EXPECT_EQ(0, Handled(yes)) << "removal gives the button its own handler back";
    sp->Adapter->AddAllItems();
    EXPECT_GT(rule.asked, 0);
    EXPECT_EQ(1, sp->Adapter->Count());
    EXPECT_EQ(L"none", WrapperClass(no));
    ASSERT_GE(sp->Adapter->IndexOf(yes), 0);
    EXPECT_EQ(L"EDIT", sp->Adapter->GetItem(sp->Adapter->IndexOf(yes))->SkinData->SkinSection());
    Redraw(form.get());
    shot = Shot(form->Handle());
    EXPECT_EQ(white, InnerOn(*shot, yes, form.get()));

    // Without the foreign-control rule nothing is adapted.
    sp->OnSkinItem = nullptr;
    M->SetFSkinningRules({srStdForms, srStdDialogs});
    sp->Adapter->RemoveAllItems();
    sp->Adapter->AddAllItems();
    EXPECT_EQ(0, sp->Adapter->Count());
    EXPECT_EQ(0, Handled(yes));
    M->SetFSkinningRules({srStdForms, srStdDialogs, srThirdParty});
    sp->Adapter->AddAllItems();
    EXPECT_EQ(2, sp->Adapter->Count());
    EXPECT_EQ(L"TacBtnWnd", WrapperClass(no));

    // A window made again kills its wrapper; the next walk wraps the new
    // window and drops the dead item.
    const HWND before = yes->Handle();
    yes->RecreateWnd();
    yes->HandleNeeded();
    Pump(60);
    EXPECT_NE(before, yes->Handle());
    sp->Adapter->AddAllItems();
    EXPECT_EQ(2, sp->Adapter->Count());
    const int at = sp->Adapter->IndexOf(yes);
    ASSERT_GE(at, 0);
    TacMainWnd* now = sp->Adapter->GetItem(at)->ScrollWnd;
    ASSERT_NE(nullptr, now);
    EXPECT_FALSE(now->Destroyed);
    EXPECT_EQ(now, WrapperOf(yes->Handle()));
    for (int i = 0; i < sp->Adapter->Count(); ++i) EXPECT_FALSE(sp->Adapter->GetItem(i)->ScrollWnd->Destroyed) << i;
    Redraw(form.get());
    shot = Shot(form->Handle(), L"adapter-message-form-rewrapped");
    EXPECT_EQ(TopEdge(M, L"BUTTON", 1), TopEdgeOn(*shot, yes, form.get()));

    // The skin going away takes the wrappers with it.
    M->SetActive(false);
    Pump(60);
    EXPECT_EQ(nullptr, sp->Adapter);
    EXPECT_EQ(0, Handled(yes));
    EXPECT_EQ(0, Handled(no));
}

TEST(CtrlAdapter, PlainControlsWrappedByTheManagersLists) {
    LoadedSkin skin(L"default", L"Stillwater");
    TsSkinManager* M = skin.sm.get();
    M->ThirdLists[tpEdit]->SetText(L"TEdit");
    M->ThirdLists[tpCheckBox]->SetText(L"TCheckBox");
    // Named twice: the lower list wins.
    M->ThirdLists[tpGroupBox]->SetText(L"TCheckBox");
    M->ThirdLists[tpComboBox]->SetText(L"TComboBox");
    M->ThirdLists[tpSpeedButton]->SetText(L"TSpeedButton");
    InstallFormSkinning();
    SetCursorPos(0, 0);

    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Note settings");
    form->SetBounds(140, 100, 390, 250);
    auto add = [&](auto* c, int x, int y, int w, int h) {
        c->SetParent(form.get());
        c->SetBounds(x, y, w, h);
        return c;
    };
    auto* label = add(new fw::TLabel(form.get()), 12, 16, 50, 16);
    label->SetCaption(L"Title:");
    auto* kept = add(new fw::TLabel(form.get()), 12, 112, 160, 16);
    kept->SetCaption(L"Kept in its own red");
    kept->SetTag(98);
    kept->Font()->SetColor(fw::clRed);
    auto* edit = add(new fw::TEdit(form.get()), 70, 12, 200, 23);
    edit->SetText(L"Chapter 3, the river");
    auto* check = add(new fw::TCheckBox(form.get()), 12, 46, 170, 20);
    check->SetCaption(L"Play page sounds");
    check->SetChecked(true);
    auto* combo = add(new fw::TComboBox(form.get()), 12, 78, 170, 24);
    combo->Items()->Add(L"Small print");
    combo->Items()->Add(L"Large print");
    auto* speed = add(new fw::TSpeedButton(form.get()), 200, 74, 90, 30);
    speed->SetCaption(L"Listen");
    std::unique_ptr<fw::TBitmap> glyph = Glyph(RGB(40, 120, 60), 14);
    speed->SetGlyph(glyph.get());
    auto* ok = add(new fw::TButton(form.get()), 190, 170, 85, 28);
    ok->SetCaption(L"OK");
    auto* cancel = add(new fw::TButton(form.get()), 285, 170, 85, 28);
    cancel->SetCaption(L"Cancel");
    form->Show();
    combo->SetItemIndex(1);
    SetForegroundWindow(form->Handle());
    Pump(200);

    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    ASSERT_NE(nullptr, sp->Adapter);
    EXPECT_EQ(L"TacEditWnd", WrapperClass(edit));
    EXPECT_EQ(L"TacCheckBoxWnd", WrapperClass(check));
    EXPECT_EQ(L"TacComboBoxWnd", WrapperClass(combo));
    EXPECT_EQ(L"TacBtnWnd", WrapperClass(ok));
    EXPECT_EQ(L"TacBtnWnd", WrapperClass(cancel));
    EXPECT_EQ(5, sp->Adapter->Count());
    ASSERT_EQ(1u, sp->Adapter->GraphItems.size());
    EXPECT_EQ(L"SPEEDBUTTON", sp->Adapter->GraphItems[0]->SkinData->SkinSection());
    EXPECT_EQ(1, speed->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0));
    EXPECT_TRUE(label->Transparent());
    EXPECT_EQ(M->GetGlobalFontColor(), label->Font()->Color());
    EXPECT_EQ(fw::clRed, kept->Font()->Color());

    Redraw(form.get());
    auto shot = Shot(form->Handle(), L"adapter-plain-controls");
    EXPECT_EQ(TopEdge(M, L"SPEEDBUTTON", 0), TopEdgeOn(*shot, speed, form.get()));
    const COLORREF okEdge = TopEdgeOn(*shot, ok, form.get());
    EXPECT_TRUE(okEdge == TopEdge(M, L"BUTTON", 0) || okEdge == TopEdge(M, L"BUTTON", 1)) << std::hex << okEdge;
    const COLORREF editEdge = TopEdgeOn(*shot, edit, form.get());
    EXPECT_TRUE(editEdge == TopEdge(M, L"EDIT", 0) || editEdge == TopEdge(M, L"EDIT", 1)) << std::hex << editEdge;
    // The speed button's glyph is on the window, left of its caption.
    RECT sr;
    GetWindowRect(form->Handle(), &sr);
    POINT at{speed->Left(), speed->Top()};
    ClientToScreen(form->Handle(), &at);
    const RECT g = BoxOf(*shot, RGB(40, 120, 60));
    EXPECT_EQ(14, g.right - g.left);
    EXPECT_GE(g.left, at.x - sr.left);
    EXPECT_LT(g.right, at.x - sr.left + speed->Width() / 2);
}

TEST(CtrlAdapter, SpeedButtonStatesAndDeadWrapperReplaced) {
    LoadedSkin skin(L"default", L"Stillwater");
    TsSkinManager* M = skin.sm.get();
    M->ThirdLists[tpSpeedButton]->SetText(L"TSpeedButton");
    // A form that is never activated gets no provider: the adapter stands
    // alone here, on the default manager.
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    // Passed over by the window-creation hook: this form gets no provider.
    form->SetTag(-98);
    form->SetBounds(100, 100, 300, 200);
    auto* button = new fw::TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 120, 90, 28);
    auto* speed = new fw::TSpeedButton(form.get());
    speed->SetParent(form.get());
    speed->SetBounds(10, 10, 96, 34);
    speed->SetFlat(true);
    speed->SetCaption(L"Go");
    const COLORREF kGlyph = RGB(230, 90, 100);
    std::unique_ptr<fw::TBitmap> glyph = Glyph(kGlyph, 12);
    speed->SetGlyph(glyph.get());
    form->HandleNeeded();
    button->HandleNeeded();
    ASSERT_EQ(nullptr, ProviderOf(form.get()));

    TacCtrlAdapter adapter(nullptr);
    adapter.AddAllItems(form.get());
    ASSERT_EQ(1, adapter.Count());
    ASSERT_EQ(1u, adapter.GraphItems.size());
    TacGraphItem* item = adapter.GraphItems[0];
    EXPECT_EQ(L"SPEEDBUTTON_SMALL", item->SkinData->SkinSection()) << "a flat button";
    TacSpeedButtonHandler* h = item->Handler;
    ASSERT_NE(nullptr, h);

    // Each state painted into a bitmap as the form would ask for it.
    auto paint = [&] {
        auto bmp = std::make_unique<fw::TBitmap>(speed->Width(), speed->Height(), fw::pf24bit);
        speed->Perform(WM_PAINT, WPARAM(bmp->Canvas()->Handle()), 0);
        return bmp;
    };
    auto normal = paint();
    EXPECT_EQ(0, h->CurrentState());
    EXPECT_EQ(TopEdge(M, L"SPEEDBUTTON_SMALL", 0), PixelAt(*normal, speed->Width() / 2, 0));
    const RECT g0 = BoxOf(*normal, kGlyph);
    const fw::TRect img = h->ImgRect();
    EXPECT_EQ(img.Left, g0.left);
    EXPECT_EQ(img.Top, g0.top);
    EXPECT_EQ(12, g0.right - g0.left);
    // The caption's ink stays in its rectangle, right of the glyph.
    const fw::TRect cap = h->CaptionRect();
    // Inside the border, away from the glyph's colours.
    const RECT ink = BoxOf(*normal, 0, 300, RECT{4, 4, speed->Width() - 4, speed->Height() - 4});
    EXPECT_LT(ink.left, ink.right) << "a caption";
    EXPECT_GE(ink.left, cap.Left);
    EXPECT_LE(ink.right, cap.Right + 1);
    EXPECT_GE(ink.left, g0.right);
    wintest::SaveScreenshot(*normal, L"adapter-speedbutton-normal.bmp");

    speed->Perform(fw::CM_MOUSEENTER, 0, LPARAM(speed));
    auto hot = paint();
    EXPECT_EQ(1, h->CurrentState());
    EXPECT_EQ(TopEdge(M, L"SPEEDBUTTON_SMALL", 1), PixelAt(*hot, speed->Width() / 2, 0));
    speed->Perform(fw::CM_MOUSELEAVE, 0, LPARAM(speed));

    speed->SetGroupIndex(1);
    speed->SetDown(true);
    auto down = paint();
    EXPECT_EQ(2, h->CurrentState());
    EXPECT_EQ(TopEdge(M, L"SPEEDBUTTON_SMALL", 2), PixelAt(*down, speed->Width() / 2, 0));
    const RECT g2 = BoxOf(*down, kGlyph);
    EXPECT_EQ(g0.left + 1, g2.left) << "pressed: one pixel right";
    EXPECT_EQ(g0.top + 1, g2.top) << "and one down";
    wintest::SaveScreenshot(*down, L"adapter-speedbutton-down.bmp");

    speed->SetDown(false);
    speed->SetEnabled(false);
    auto disabled = paint();
    EXPECT_EQ(0, h->CurrentState());
    // Half way to what the (unskinned) parent answers as its background.
    const TCacheInfo parent = GetParentCache(item->SkinData);
    ASSERT_FALSE(parent.Ready);
    const COLORREF behind = wintest::Rgb(parent.FillColor);
    const COLORREF edge = PixelAt(*disabled, speed->Width() / 2, 0);
    EXPECT_TRUE(wintest::Near(edge, wintest::Blend(TopEdge(M, L"SPEEDBUTTON_SMALL", 0), behind, 0.5)))
        << std::hex << edge << " " << behind;

    // A button whose window is made again: the same item gets a new
    // wrapper when the control is offered again...
    TacAdapterItem* bi = adapter.GetItem(0);
    button->RecreateWnd();
    button->HandleNeeded();
    ASSERT_TRUE(bi->ScrollWnd->Destroyed);
    EXPECT_EQ(0, Handled(button));
    adapter.AddNewItem(button);
    EXPECT_EQ(bi, adapter.GetItem(adapter.IndexOf(button)));
    ASSERT_NE(nullptr, bi->ScrollWnd);
    EXPECT_FALSE(bi->ScrollWnd->Destroyed);
    EXPECT_EQ(bi->ScrollWnd, WrapperOf(button->Handle()));
    // ...and a new item at the next walk.
    button->RecreateWnd();
    button->HandleNeeded();
    EXPECT_EQ(0, Handled(button));
    adapter.AddAllItems(form.get());
    EXPECT_EQ(1, adapter.Count());
    EXPECT_EQ(1, Handled(button));
    EXPECT_FALSE(adapter.GetItem(0)->ScrollWnd->Destroyed);

    // The speed button's own method comes back when the adapter goes.
    adapter.RemoveAllItems();
    EXPECT_EQ(0, speed->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0));
}

namespace {

// A windowed control that counts the skin-state requests it gets before
// its window is made.
class TSkinStateSpy : public fw::TWinControl {
public:
    using fw::TWinControl::TWinControl;
    int ToldBeforeWindow = 0;
    void WndProc(fw::TMessage& Message) override {
        if (Message.Msg == SM_ALPHACMD && Message.WParamHi() == smcSkinState && Message.LParam == 1 &&
            !HandleAllocated())
            ++ToldBeforeWindow;
        fw::TWinControl::WndProc(Message);
    }
};

}  // namespace

// A control put into a skinned form is told at once to work out its skin
// state under its new parent.
TEST(CtrlAdapter, AnInsertedControlIsToldItsSkinState) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetBounds(160, 120, 300, 200);
    form->Show();
    Pump(150);
    ASSERT_NE(ProviderOf(form.get()), nullptr);
    auto* spy = new TSkinStateSpy(form.get());
    spy->SetBounds(10, 10, 80, 40);
    spy->SetParent(form.get());
    Pump(30);
    EXPECT_GE(spy->ToldBeforeWindow, 1);
}
