// TButton on the system button, TEdit's selection, and TLabel painted by
// its parent.
#include "control_fixture.h"

#include "framework/windows/StdCtrls.h"

using namespace fw;
using namespace fwtest;

namespace {

// A host that acts as a form: it takes its buttons' ModalResult.
class TFormLikeHost : public THostWindow {
public:
    using THostWindow::THostWindow;
    bool IsForm() const override { return true; }
    void ChildModalResult(int ModalResult) override { results.push_back(ModalResult); }
    std::vector<int> results;
};

struct ClickCounter {
    int clicks = 0;
    void OnClick(TObject*) { ++clicks; }
};

// The box around pixels different from the background inside R.
TRect InkBox(const Capture& cap, const TRect& r, DWORD background) {
    TRect box(r.Right, r.Bottom, r.Left, r.Top);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (cap.At(x, y) != background) {
                box.Left = std::min<LONG>(box.Left, x);
                box.Top = std::min<LONG>(box.Top, y);
                box.Right = std::max<LONG>(box.Right, x + 1);
                box.Bottom = std::max<LONG>(box.Bottom, y + 1);
            }
    return box;
}

bool HasColour(const Capture& cap, const TRect& r, DWORD colour) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (cap.At(x, y) == colour) return true;
    return false;
}

}  // namespace

TEST(Button, IsASystemButtonUnderItsFrameworkName) {
    THostWindow* host = Create<THostWindow>(nullptr);
    TButton* b = Create<TButton>(nullptr);
    b->SetCaption(L"확인");
    b->SetParent(host);
    host->Show();
    HWND h = b->Handle();
    wchar_t cls[32] = {};
    GetClassNameW(h, cls, 32);
    EXPECT_STREQ(cls, L"TButton");
    EXPECT_EQ(b->ClassName(), L"TButton");
    EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & 0x0F, BS_PUSHBUTTON);
    EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & WS_TABSTOP);
    // The native procedure answers button messages.
    SendMessageW(h, BM_SETSTATE, TRUE, 0);
    EXPECT_NE(SendMessageW(h, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    SendMessageW(h, BM_SETSTATE, FALSE, 0);
    // Private messages the system class does not know are answered 0.
    EXPECT_EQ(b->Perform(0xA100, 1, 0), 0);
    EXPECT_EQ(SendMessageW(h, CM_MOUSEENTER + 0x30, 0, 0), 0);
    // Default switches the native style in place.
    b->SetDefault(true);
    EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);
    EXPECT_EQ(b->Handle(), h);
    host->Free();
}

TEST(Button, ClickHandsModalResultToTheFormThenRunsOnClick) {
    TFormLikeHost* form = Create<TFormLikeHost>(nullptr);
    TWinControl* inner = Create<THostWindow>(nullptr);  // any container between
    inner->SetParent(form);
    TButton* ok = Create<TButton>(nullptr);
    ok->SetModalResult(1);
    ok->SetParent(inner);
    ClickCounter counter;
    ok->OnClick = TNotifyEvent(&counter, &ClickCounter::OnClick);
    form->Show();
    SendMessageW(ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->results, (std::vector<int>{1}));
    EXPECT_EQ(counter.clicks, 1);
    form->Free();
}

TEST(Button, EnterAndEscapeReachTheDefaultAndCancelButtons) {
    TFormLikeHost* form = Create<TFormLikeHost>(nullptr);
    TButton* ok = Create<TButton>(nullptr);
    TButton* cancel = Create<TButton>(nullptr);
    ok->SetDefault(true);
    ok->SetModalResult(1);
    cancel->SetCancel(true);
    cancel->SetModalResult(2);
    cancel->SetLeft(100);
    ok->SetParent(form);
    cancel->SetParent(form);
    form->Show();

    EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
    EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 1);
    EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_F2, 0), 0);
    EXPECT_EQ(form->results, (std::vector<int>{1, 2}));

    // Offered first to a focused control (as the message loop does), a key the
    // control does not want becomes the form's dialog key.
    form->results.clear();
    EXPECT_EQ(cancel->Perform(CN_KEYDOWN, VK_ESCAPE, 0), 1);
    EXPECT_EQ(form->results, (std::vector<int>{2}));
    form->Free();
}

TEST(Edit, SelectionIsTheWindows) {
    THostWindow* host = Create<THostWindow>(nullptr);
    TEdit* edit = Create<TEdit>(host);
    edit->SetBounds(10, 10, 120, 24);
    edit->SetParent(host);
    edit->SetText(L"가나다라마");
    DWORD start = 0, end = 0;
    auto windowSelection = [&] {
        SendMessageW(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return std::pair<int, int>(int(start), int(end));
    };
    edit->SetSelStart(1);
    EXPECT_EQ(windowSelection(), std::make_pair(1, 1));
    EXPECT_EQ(edit->SelLength(), 0);
    edit->SetSelLength(3);
    EXPECT_EQ(windowSelection(), std::make_pair(1, 4));
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelLength(), 3);
    edit->SelectAll();
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), 5);
    host->Free();
}

TEST(Label, AutoSizeFitsTheCaptionAndTextIsPaintedByTheParent) {
    THostWindow* host = Create<THostWindow>(nullptr);
    host->SetColor(clWhite);
    TLabel* label = Create<TLabel>(nullptr);
    label->SetLeft(20);
    label->SetTop(30);
    label->SetParent(host);
    label->Font()->SetColor(clBlack);
    label->Font()->SetHeight(-16);
    label->Font()->SetQuality(fqNonAntialiased);
    label->SetColor(clYellow);
    label->SetCaption(L"녹음 목록");
    int w1 = label->Width();
    label->SetCaption(L"녹음 목록 - 재생 중");
    EXPECT_GT(label->Width(), w1);
    EXPECT_GE(label->Height(), 16);
    EXPECT_EQ(label->Left(), 20);

    host->Show();
    host->Repaint();
    Pump(50);
    Capture cap = CaptureWindow(host->Handle());
    TRect bounds = label->BoundsRect();
    // Opaque: its colour fills its bounds; black text lies inside them.
    EXPECT_EQ(cap.At(bounds.Right - 1, bounds.Bottom - 1), Rgb(clYellow));
    EXPECT_EQ(cap.At(bounds.Right + 1, bounds.Top), Rgb(clWhite));
    TRect ink = InkBox(cap, TRect(0, 0, 320, 240), Rgb(clWhite));
    EXPECT_EQ(ink, bounds);
    TRect text = InkBox(cap, bounds, Rgb(clYellow));
    EXPECT_FALSE(text.IsEmpty());
    EXPECT_TRUE(HasColour(cap, text, Rgb(clBlack)));

    // Transparent: the parent's background shows, only the text is drawn.
    label->SetTransparent(true);
    host->Repaint();
    Pump(50);
    cap = CaptureWindow(host->Handle());
    EXPECT_EQ(cap.At(bounds.Right - 1, bounds.Bottom - 1), Rgb(clWhite));
    TRect transparentInk = InkBox(cap, TRect(0, 0, 320, 240), Rgb(clWhite));
    EXPECT_FALSE(transparentInk.IsEmpty());
    EXPECT_GE(transparentInk.Left, bounds.Left);
    EXPECT_LE(transparentInk.Right, bounds.Right);
    host->Free();
}

TEST(Label, DisabledCaptionIsEmbossed) {
    THostWindow* host = Create<THostWindow>(nullptr);
    TLabel* label = Create<TLabel>(nullptr);
    label->SetBounds(10, 10, 0, 0);
    label->SetParent(host);
    label->SetColor(clWhite);
    label->Font()->SetHeight(-16);
    label->Font()->SetQuality(fqNonAntialiased);
    label->SetCaption(L"■");
    label->SetEnabled(false);
    host->Show();
    host->Repaint();
    Pump(50);
    Capture cap = CaptureWindow(host->Handle());
    EXPECT_TRUE(HasColour(cap, label->BoundsRect(), Rgb(clBtnShadow)));
    EXPECT_FALSE(HasColour(cap, label->BoundsRect(), Rgb(clBlack)));
    host->Free();
}

TEST(Label, RightJustifiedAutoSizeKeepsTheRightEdge) {
    TLabel* label = Create<TLabel>(nullptr);
    label->SetAlignment(taRightJustify);
    label->SetCaption(L"짧음");
    label->SetLeft(200 - label->Width());
    const int right = label->Left() + label->Width();
    label->SetCaption(L"훨씬 더 긴 캡션");
    EXPECT_EQ(label->Left() + label->Width(), right);
    EXPECT_LT(label->Left(), 200 - 40);
    label->Free();
}

TEST(Label, AcceleratorFocusesTheFocusControl) {
    THostWindow* host = Create<THostWindow>(nullptr);
    TLabel* label = Create<TLabel>(nullptr);
    label->SetCaption(L"파일 이름(&N):");
    label->SetParent(host);
    TButton* target = Create<TButton>(nullptr);
    target->SetTop(40);
    target->SetParent(host);
    label->SetFocusControl(target);
    host->Show();
    SetForegroundWindow(host->Handle());

    EXPECT_EQ(host->Perform(CM_DIALOGCHAR, L'x', 0), 0);
    EXPECT_FALSE(target->Focused());
    EXPECT_EQ(host->Perform(CM_DIALOGCHAR, L'n', 0), 1);  // case does not matter
    EXPECT_TRUE(target->Focused());
    host->Free();
}
