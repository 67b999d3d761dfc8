// Message dialogs: the seam's queue and log, the TMessageForm they are built
// as, and one real dialog pressed under Xvfb.
#include "framework/windows/Dialogs.h"

#include <gtest/gtest.h>

#include <functional>

#include "app_fixture.h"
#include "framework/windows/Application.h"
#include "framework/windows/DialogSeam.h"
#include "framework/windows/Screen.h"
#include "framework/windows/Timer.h"

using namespace fw;
using namespace fwtest;

namespace {

TButton* ButtonNamed(TCustomForm* form, const String& name) {
    return dynamic_cast<TButton*>(form->FindComponent(name));
}

}  // namespace

TEST(Dialogs, SeamAnswersFromItsQueueAndLogsTheQuestion) {
    DialogSeam::Scope seam;
    DialogSeam::Push(mrNo);
    EXPECT_EQ(MessageDlg(L"Delete the skin?", mtConfirmation, mbYesNo, 0), mrNo);
    // Nothing queued: the default button answers.
    EXPECT_EQ(MessageDlg(L"Delete the skin?", mtConfirmation, mbYesNo, 0), mrYes);
    EXPECT_EQ(MessageDlg(L"Skin not found", mtError, {mbOK}, 0), mrOk);
    ShowMessage(L"Skin components v6.64");

    const auto& log = DialogSeam::Log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].kind, DialogSeam::Kind::MessageDialog);
    EXPECT_EQ(log[0].Text, L"Delete the skin?");
    EXPECT_EQ(log[0].Caption, L"Confirmation");
    EXPECT_EQ(log[0].DlgType, mtConfirmation);
    EXPECT_EQ(log[0].Buttons, mbYesNo.Bits());
    EXPECT_EQ(log[2].Caption, L"Error");
    EXPECT_EQ(log[3].Caption, Application->Title());
    EXPECT_EQ(log[3].Text, L"Skin components v6.64");
    EXPECT_EQ(log[3].Buttons, TMsgDlgButtons{mbOK}.Bits());

    DialogSeam::Enable(false);
    EXPECT_FALSE(DialogSeam::Enabled());
    EXPECT_TRUE(DialogSeam::Log().empty());
}

TEST(Dialogs, CaptionsResultsAndDefaultButtons) {
    EXPECT_EQ(MsgDlgCaption(mtWarning), L"Warning");
    EXPECT_EQ(MsgDlgCaption(mtError), L"Error");
    EXPECT_EQ(MsgDlgCaption(mtInformation), L"Information");
    EXPECT_EQ(MsgDlgCaption(mtConfirmation), L"Confirmation");
    EXPECT_EQ(MsgDlgCaption(mtCustom), Application->Title());
    EXPECT_EQ(MsgDlgButtonResult(mbOK), 1);
    EXPECT_EQ(MsgDlgButtonResult(mbCancel), 2);
    EXPECT_EQ(MsgDlgButtonResult(mbYes), 6);
    EXPECT_EQ(MsgDlgButtonResult(mbNo), 7);

    struct Case {
        TMsgDlgButtons buttons;
        TMsgDlgBtn def;
        bool hasCancel;
        TMsgDlgBtn cancel;
    } cases[] = {
        {{mbOK}, mbOK, true, mbOK},
        {mbYesNo, mbYes, true, mbNo},
        {mbYesNoCancel, mbYes, true, mbCancel},
        {{mbOK, mbYes}, mbOK, true, mbOK},
        {mbAbortRetryIgnore, mbAbort, false, mbOK},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MsgDlgDefaultButton(c.buttons), c.def) << c.buttons.Bits();
        TMsgDlgBtn cancel = mbHelp;
        EXPECT_EQ(MsgDlgCancelButton(c.buttons, cancel), c.hasCancel) << c.buttons.Bits();
        if (c.hasCancel) {
            EXPECT_EQ(cancel, c.cancel) << c.buttons.Bits();
        }
    }
}

TEST(Dialogs, MessageFormIsBuiltFromButtonsAndALabel) {
    std::unique_ptr<TMessageForm, FormFree> form(
        CreateMessageDialog(L"이 파일을 저장하시겠습니까?", mtConfirmation, mbYesNoCancel));
    EXPECT_EQ(form->ClassName(), L"TMessageForm");
    EXPECT_TRUE(form->Is<TForm>());
    EXPECT_EQ(form->Caption(), L"Confirmation");
    EXPECT_EQ(form->BorderStyle(), bsDialog);
    EXPECT_NE(form->IconHandle(), nullptr);
    // The icon is a control, left of the text, as the label is.
    auto* image = dynamic_cast<TGraphicControl*>(form->FindComponent(L"Image"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Parent(), form.get());
    EXPECT_EQ(image->Width(), GetSystemMetrics(SM_CXICON));

    auto* label = dynamic_cast<TLabel*>(form->FindComponent(L"Message"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->ClassName(), L"TLabel");
    EXPECT_EQ(label->Caption(), L"이 파일을 저장하시겠습니까?");
    EXPECT_EQ(label->Parent(), form.get());
    // The label has no window: automation reads the text from the form's property.
    auto* published = static_cast<const wchar_t*>(GetPropW(form->Handle(), L"MessageText"));
    ASSERT_NE(published, nullptr);
    EXPECT_STREQ(published, L"이 파일을 저장하시겠습니까?");

    struct Expect {
        const wchar_t* name;
        int result;
    } expected[] = {{L"Yes", mrYes}, {L"No", mrNo}, {L"Cancel", mrCancel}};
    int previousRight = 0;
    for (const Expect& e : expected) {
        TButton* b = ButtonNamed(form.get(), e.name);
        ASSERT_NE(b, nullptr) << e.name;
        EXPECT_EQ(b->ClassName(), L"TButton");
        EXPECT_EQ(b->ModalResult(), e.result);
        EXPECT_EQ(b->Parent(), form.get());
        // Side by side, left to right, below the text, inside the client area.
        EXPECT_GE(b->Left(), previousRight);
        EXPECT_GE(b->Top(), label->Top() + label->Height());
        EXPECT_LE(b->Left() + b->Width(), form->ClientWidth());
        EXPECT_LE(b->Top() + b->Height(), form->ClientHeight());
        previousRight = b->Left() + b->Width();
    }
    EXPECT_EQ(ButtonNamed(form.get(), L"OK"), nullptr);
    EXPECT_TRUE(ButtonNamed(form.get(), L"Yes")->Default());
    EXPECT_TRUE(ButtonNamed(form.get(), L"Cancel")->Cancel());
    EXPECT_FALSE(ButtonNamed(form.get(), L"No")->Cancel());
    EXPECT_GE(label->Left(), GetSystemMetrics(SM_CXICON));  // room for the icon
    EXPECT_LE(image->Left() + image->Width(), label->Left());

    // A custom dialog has no icon and the text starts at the margin.
    std::unique_ptr<TMessageForm, FormFree> plain(CreateMessageDialog(L"Hello", mtCustom, {mbOK}));
    EXPECT_EQ(plain->IconHandle(), nullptr);
    EXPECT_EQ(plain->FindComponent(L"Image"), nullptr);
    EXPECT_LT(dynamic_cast<TLabel*>(plain->FindComponent(L"Message"))->Left(), GetSystemMetrics(SM_CXICON));
}

namespace {
// Finds the shown message dialog through the screen and presses one of its buttons.
struct Presser {
    String button;
    String caption;
    bool sawTButtons = false;
    TTimer timer{nullptr};
    explicit Presser(String b) : button(std::move(b)) {
        timer.SetInterval(40);
        timer.OnTimer = TNotifyEvent(this, &Presser::Tick);
    }
    void Tick(TObject*) {
        HWND wnd = FindWindowW(L"TMessageForm", nullptr);
        if (!wnd || !IsWindowVisible(wnd)) return;
        timer.SetEnabled(false);
        auto* form = dynamic_cast<TMessageForm*>(FindControl(wnd));
        if (!form) return;
        caption = form->Caption();
        sawTButtons = true;
        for (int i = 0; i < form->ControlCount(); ++i) {
            TControl* c = form->Controls(i);
            // The text and the icon aside, the controls are buttons.
            if (dynamic_cast<TLabel*>(c) || c->Name() == L"Image") continue;
            if (c->ClassName() != L"TButton") sawTButtons = false;
        }
        if (TButton* b = dynamic_cast<TButton*>(form->FindComponent(button))) SendMessageW(b->Handle(), BM_CLICK, 0, 0);
    }
};
}  // namespace

TEST(Dialogs, RealMessageDialogIsATMessageFormPressedLikeAnyForm) {
    Presser presser(L"No");
    EXPECT_EQ(MessageDlg(L"Replace the file?", mtWarning, mbYesNo, 0), mrNo);
    EXPECT_EQ(presser.caption, L"Warning");
    EXPECT_TRUE(presser.sawTButtons);
    // The dialog is gone afterwards.
    EXPECT_EQ(FindWindowW(L"TMessageForm", nullptr), nullptr);
}

TEST(Dialogs, RealMessageDialogEscapeAndCloseBoxCancel) {
    struct Closer {
        TTimer timer{nullptr};
        Closer() {
            timer.SetInterval(40);
            timer.OnTimer = TNotifyEvent(this, &Closer::Tick);
        }
        void Tick(TObject*) {
            HWND wnd = FindWindowW(L"TMessageForm", nullptr);
            if (!wnd || !IsWindowVisible(wnd)) return;
            timer.SetEnabled(false);
            PostMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
    } closer;
    EXPECT_EQ(MessageDlg(L"Continue?", mtConfirmation, mbYesNoCancel, 0), mrCancel);

    // Esc typed on the focused button goes through the loop's key handling
    // to the form, which presses the Cancel button (here: No).
    struct Escaper {
        TTimer timer{nullptr};
        Escaper() {
            timer.SetInterval(40);
            timer.OnTimer = TNotifyEvent(this, &Escaper::Tick);
        }
        void Tick(TObject*) {
            HWND wnd = FindWindowW(L"TMessageForm", nullptr);
            if (!wnd || !IsWindowVisible(wnd)) return;
            timer.SetEnabled(false);
            auto* form = dynamic_cast<TMessageForm*>(FindControl(wnd));
            HWND target =
                form->FindComponent(L"Yes") ? static_cast<TButton*>(form->FindComponent(L"Yes"))->Handle() : wnd;
            PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        }
    } escaper;
    EXPECT_EQ(MessageDlg(L"Continue?", mtConfirmation, mbYesNo, 0), mrNo);
}

TEST(Dialogs, InputQueryReturnsTheTypedTextOnOkAndNothingOnCancel) {
    // A timer answers the real form: types into its edit, then presses a button.
    struct Typist {
        TTimer timer{nullptr};
        String press;
        Typist() {
            timer.SetInterval(40);
            timer.OnTimer = TNotifyEvent(this, &Typist::Tick);
        }
        void Tick(TObject*) {
            HWND wnd = FindWindowW(nullptr, L"이름 바꾸기");
            if (!wnd || !IsWindowVisible(wnd)) return;
            timer.SetEnabled(false);
            HWND edit = FindWindowExW(wnd, nullptr, L"TEdit", nullptr);
            SetWindowTextW(edit, L"새 이름");
            HWND button = FindWindowExW(wnd, nullptr, L"TButton", press.c_str());
            PostMessageW(button, BM_CLICK, 0, 0);
        }
    };
    String value = L"옛 이름";
    {
        Typist typist;
        typist.press = L"OK";
        EXPECT_TRUE(InputQuery(L"이름 바꾸기", L"새 이름을 쓰십시오:", value));
    }
    EXPECT_EQ(value, L"새 이름");
    {
        Typist typist;
        typist.press = L"Cancel";
        EXPECT_FALSE(InputQuery(L"이름 바꾸기", L"새 이름을 쓰십시오:", value));
    }
    EXPECT_EQ(value, L"새 이름");
}
