#include "framework/windows/Dialogs.h"

#include <algorithm>
#include <memory>

#include "framework/windows/Application.h"
#include "framework/windows/DialogSeam.h"
#include "framework/windows/Screen.h"

namespace fw {

namespace {

struct FreeComponent {
    void operator()(TComponent* c) const { c->Free(); }
};

struct ButtonInfo {
    const wchar_t* name;
    const wchar_t* caption;
    TModalResult result;
};

const ButtonInfo kButtons[] = {
    {L"Yes", L"&Yes", mrYes},
    {L"No", L"&No", mrNo},
    {L"OK", L"OK", mrOk},
    {L"Cancel", L"Cancel", mrCancel},
    {L"Abort", L"&Abort", mrAbort},
    {L"Retry", L"&Retry", mrRetry},
    {L"Ignore", L"&Ignore", mrIgnore},
    {L"All", L"&All", mrAll},
    {L"NoToAll", L"N&o to All", mrNoToAll},
    {L"YesToAll", L"Yes to &All", mrYesToAll},
    {L"Help", L"&Help", mrNone},
    {L"Close", L"&Close", mrClose},
};

const wchar_t* DialogIcon(TMsgDlgType type) {
    switch (type) {
        case mtWarning:
            return IDI_WARNING;
        case mtError:
            return IDI_ERROR;
        case mtInformation:
            return IDI_INFORMATION;
        case mtConfirmation:
            return IDI_QUESTION;
        default:
            return nullptr;
    }
}

// The system's message font, as message boxes use it.
void SetMessageFont(TFont* font) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
    font->SetName(metrics.lfMessageFont.lfFaceName);
    font->SetHeight(metrics.lfMessageFont.lfHeight);
    font->SetCharset(metrics.lfMessageFont.lfCharSet);
}

}  // namespace

TMessageForm::TMessageForm(TComponent* AOwner) : TForm(AOwner) {}

TMessageForm::~TMessageForm() = default;

void TMessageForm::CreateHandleDone() {
    TForm::CreateHandleDone();
    SetPropW(WindowHandle(), L"MessageText", const_cast<wchar_t*>(messageText_.c_str()));
}

void TMessageForm::DestroyWnd() {
    if (WindowHandle()) RemovePropW(WindowHandle(), L"MessageText");
    TForm::DestroyWnd();
}

namespace {

// The message form's icon: it draws the form's current icon at its origin.
class TMessageImage : public TGraphicControl {
public:
    explicit TMessageImage(TMessageForm* AOwner) : TGraphicControl(AOwner), form_(AOwner) {}
    String ClassName() const override { return L"TImage"; }

protected:
    void Paint() override {
        if (HICON icon = form_->IconHandle()) DrawIconEx(Canvas()->Handle(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    }

private:
    TMessageForm* form_;
};

}  // namespace

void TMessageForm::SetIconHandle(HICON Value, TPoint At) {
    icon_ = Value;
    if (!image_) {
        image_ = new TMessageImage(this);
        image_->AfterConstruction();
        image_->SetName(L"Image");
        image_->SetParent(this);
    }
    image_->SetBounds(At.X, At.Y, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    image_->SetVisible(Value != nullptr);
    image_->Invalidate();
}

String MsgDlgCaption(TMsgDlgType DlgType) {
    switch (DlgType) {
        case mtWarning:
            return L"Warning";
        case mtError:
            return L"Error";
        case mtInformation:
            return L"Information";
        case mtConfirmation:
            return L"Confirmation";
        default:
            return Application->Title();
    }
}

TModalResult MsgDlgButtonResult(TMsgDlgBtn Button) { return kButtons[Button].result; }

TMsgDlgBtn MsgDlgDefaultButton(TMsgDlgButtons Buttons) {
    if (Buttons.Contains(mbOK)) return mbOK;
    if (Buttons.Contains(mbYes)) return mbYes;
    for (int b = mbYes; b <= mbClose; ++b)
        if (Buttons.Contains(TMsgDlgBtn(b))) return TMsgDlgBtn(b);
    return mbOK;
}

bool MsgDlgCancelButton(TMsgDlgButtons Buttons, TMsgDlgBtn& Button) {
    for (TMsgDlgBtn b : {mbCancel, mbNo, mbOK}) {
        if (Buttons.Contains(b)) {
            Button = b;
            return true;
        }
    }
    return false;
}

TMessageForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    if (Buttons.Empty()) Buttons = {mbOK};
    std::unique_ptr<TMessageForm, FreeComponent> form(new TMessageForm(Application));
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(MsgDlgCaption(DlgType));
    SetMessageFont(form->Font());
    HICON icon = DialogIcon(DlgType) ? LoadIconW(nullptr, DialogIcon(DlgType)) : nullptr;

    // Dialog units of the message font set every distance, as in system dialogs.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, form->Font()->Handle());
    SIZE abc{};
    GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &abc);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    int unitX = std::max<int>(1, (abc.cx / 26 + 1) / 2);
    int unitY = std::max<int>(1, tm.tmHeight);
    RECT text{0, 0, Screen->Width() / 2, 0};
    DrawTextW(dc, Msg.c_str(), static_cast<int>(Msg.size()), &text,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);

    const int horzMargin = MulDiv(8, unitX, 4);
    const int vertMargin = MulDiv(8, unitY, 8);
    const int horzSpacing = MulDiv(10, unitX, 4);
    const int vertSpacing = MulDiv(10, unitY, 8);
    const int buttonWidth = MulDiv(50, unitX, 4);
    const int buttonHeight = MulDiv(14, unitY, 8);
    const int buttonSpacing = MulDiv(4, unitX, 4);

    const bool hasIcon = icon != nullptr;
    if (hasIcon) form->SetIconHandle(icon, TPoint(horzMargin, vertMargin));
    const int iconWidth = hasIcon ? GetSystemMetrics(SM_CXICON) + horzSpacing : 0;
    const int iconHeight = hasIcon ? GetSystemMetrics(SM_CYICON) : 0;
    const int textWidth = text.right;
    const int textHeight = text.bottom;

    int buttonCount = 0;
    for (int b = mbYes; b <= mbClose; ++b)
        if (Buttons.Contains(TMsgDlgBtn(b))) ++buttonCount;
    const int buttonsWidth = buttonCount * buttonWidth + (buttonCount - 1) * buttonSpacing;

    const int clientWidth = std::max(iconWidth + textWidth, buttonsWidth) + 2 * horzMargin;
    const int bodyHeight = std::max(iconHeight, textHeight);
    const int clientHeight = vertMargin + bodyHeight + vertSpacing + buttonHeight + vertMargin;
    form->SetClientSize(clientWidth, clientHeight);

    auto* label = new TLabel(form.get());
    label->SetName(L"Message");
    label->SetParent(form.get());
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetShowAccelChar(false);
    label->SetCaption(Msg);
    form->SetMessageText(Msg);
    label->SetBounds(horzMargin + iconWidth, vertMargin, textWidth, textHeight);

    TMsgDlgBtn defaultButton = MsgDlgDefaultButton(Buttons);
    TMsgDlgBtn cancelButton = mbOK;
    bool hasCancel = MsgDlgCancelButton(Buttons, cancelButton);
    int x = (clientWidth - buttonsWidth) / 2;
    const int y = clientHeight - vertMargin - buttonHeight;
    for (int b = mbYes; b <= mbClose; ++b) {
        TMsgDlgBtn button = TMsgDlgBtn(b);
        if (!Buttons.Contains(button)) continue;
        auto* control = new TButton(form.get());
        control->SetName(kButtons[b].name);
        control->SetParent(form.get());
        control->SetCaption(kButtons[b].caption);
        control->SetModalResult(kButtons[b].result);
        if (button == defaultButton) {
            control->SetDefault(true);
            form->SetActiveControl(control);
        }
        if (hasCancel && button == cancelButton) control->SetCancel(true);
        control->SetBounds(x, y, buttonWidth, buttonHeight);
        x += buttonWidth + buttonSpacing;
    }
    form->AfterConstruction();
    return form.release();
}

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    (void)HelpCtx;  // there is no help system
    if (Buttons.Empty()) Buttons = {mbOK};
    if (DialogSeam::Enabled()) {
        DialogSeam::Request request;
        request.kind = DialogSeam::Kind::MessageDialog;
        request.Caption = MsgDlgCaption(DlgType);
        request.Text = Msg;
        request.DlgType = DlgType;
        request.Buttons = Buttons.Bits();
        DialogSeam::Record(request);
        int result = 0;
        if (DialogSeam::TakeResult(result)) return result;
        return MsgDlgButtonResult(MsgDlgDefaultButton(Buttons));
    }
    std::unique_ptr<TMessageForm, FreeComponent> form(CreateMessageDialog(Msg, DlgType, Buttons));
    return form->ShowModal();
}

void ShowMessage(const String& Msg) { MessageDlg(Msg, mtCustom, {mbOK}, 0); }

bool InputQuery(const String& ACaption, const String& APrompt, String& Value) {
    if (DialogSeam::Enabled()) {
        DialogSeam::Request request;
        request.kind = DialogSeam::Kind::InputQuery;
        request.Caption = ACaption;
        request.Text = APrompt;
        DialogSeam::Record(request);
        DialogSeam::FileAnswer answer;
        if (!DialogSeam::TakeFileAnswer(answer) || !answer.Accepted) return false;
        Value = answer.FileName;
        return true;
    }
    std::unique_ptr<TForm, FreeComponent> form(new TForm(Application));
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(ACaption);
    SetMessageFont(form->Font());

    auto* prompt = new TLabel(form.get());
    prompt->SetParent(form.get());
    prompt->SetCaption(APrompt);
    prompt->SetLeft(8);
    prompt->SetTop(8);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(8, prompt->Top() + prompt->Height() + 4, 250, 21);
    edit->SetText(Value);
    const int buttonsTop = edit->Top() + edit->Height() + 12;
    struct {
        const wchar_t* caption;
        int result;
        int left;
    } buttons[] = {{L"OK", mrOk, 102}, {L"Cancel", mrCancel, 183}};
    for (auto& b : buttons) {
        auto* button = new TButton(form.get());
        button->SetParent(form.get());
        button->SetCaption(b.caption);
        button->SetModalResult(b.result);
        button->SetBounds(b.left, buttonsTop, 75, 25);
        if (b.result == mrOk) button->SetDefault(true);
        if (b.result == mrCancel) button->SetCancel(true);
    }
    form->SetClientSize(266, buttonsTop + 25 + 8);
    form->SetActiveControl(edit);
    form->AfterConstruction();
    if (form->ShowModal() != mrOk) return false;
    Value = edit->Text();
    return true;
}

String InputBox(const String& ACaption, const String& APrompt, const String& ADefault) {
    String value = ADefault;
    InputQuery(ACaption, APrompt, value);
    return value;
}

}  // namespace fw
