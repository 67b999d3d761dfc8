#include "framework/windows/MaskEdit.h"

#include "framework/rtl/FormatSettings.h"
#include "framework/windows/Messages.h"

namespace fw {

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const String& Value) {
    if (Value == editMask_) return;
    const String text = Text();
    editMask_ = Value;
    mask_ = TEditMask(Value, FormatSettings.DateSeparator, FormatSettings.TimeSeparator);
    SetMaxLength(IsMasked() ? mask_.Length() : 0);
    SetEditText(IsMasked() ? mask_.EditTextOf(text) : text);
}

String TCustomMaskEdit::EditText() { return TControl::Text(); }

void TCustomMaskEdit::SetEditText(const String& Value) {
    String e = Value;
    if (IsMasked() && static_cast<int>(e.size()) != mask_.Length()) e = mask_.EditTextOf(Value);
    TControl::SetText(e);
}

String TCustomMaskEdit::Text() { return IsMasked() ? mask_.TextOf(EditText()) : TControl::Text(); }

void TCustomMaskEdit::SetText(const String& Value) {
    if (IsMasked())
        TControl::SetText(mask_.EditTextOf(Value));
    else
        TControl::SetText(Value);
}

bool TCustomMaskEdit::Modified() { return HandleAllocated() && SendMessageW(WindowHandle(), EM_GETMODIFY, 0, 0); }

void TCustomMaskEdit::SetModified(bool Value) { SendMessageW(Handle(), EM_SETMODIFY, Value, 0); }

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked() || !Modified()) return;
    int missing = mask_.FirstMissing(EditText());
    if (missing < 0) return;
    SendMessageW(Handle(), EM_SETSEL, WPARAM(missing), LPARAM(missing + 1));
    throw EDBEditError(L"Invalid input value.  Use escape key to abandon changes");
}

void TCustomMaskEdit::ApplyEdit(const String& editText, int caret) {
    if (editText != EditText()) {
        TControl::SetText(editText);
        SetModified(true);
    }
    SendMessageW(Handle(), EM_SETSEL, WPARAM(caret), LPARAM(caret));
}

bool TCustomMaskEdit::ReadOnly() { return GetWindowLongW(Handle(), GWL_STYLE) & ES_READONLY; }

namespace {

String ClipboardText(HWND owner) {
    String text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

void TCustomMaskEdit::WMPaste(TMessage& Message) {
    if (!IsMasked() || ReadOnly()) return TCustomEdit::Dispatch(Message);
    String e = EditText();
    int caret = SelStart();
    mask_.Clear(e, caret, SelLength());
    for (wchar_t c : ClipboardText(Handle())) mask_.TypeChar(e, caret, c);
    ApplyEdit(e, caret);
}

void TCustomMaskEdit::WMCutClear(TMessage& Message) {
    if (!IsMasked() || ReadOnly()) return TCustomEdit::Dispatch(Message);
    if (Message.Msg == WM_CUT) SendMessageW(Handle(), WM_COPY, 0, 0);
    String e = EditText();
    int start = SelStart();
    mask_.Clear(e, start, SelLength());
    ApplyEdit(e, start);
}

void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomEdit::KeyDown(Key, Shift);
    if (!IsMasked() || Key != VK_DELETE || ReadOnly()) return;
    String e = EditText();
    int start = SelStart(), length = SelLength();
    mask_.Clear(e, start, length > 0 ? length : 1);
    ApplyEdit(e, start);
    Key = 0;
}

void TCustomMaskEdit::KeyPress(wchar_t& Key) {
    TCustomEdit::KeyPress(Key);
    if (!IsMasked() || Key == 0) return;
    // Control keys other than Backspace (Enter, Esc, Ctrl+C...) keep their meaning.
    if (Key < L' ' && Key != VK_BACK) return;
    if (ReadOnly()) return;
    String e = EditText();
    int start = SelStart(), length = SelLength();
    int caret = start;
    if (length > 0) mask_.Clear(e, start, length);
    if (Key == VK_BACK) {
        if (length == 0) mask_.Backspace(e, caret);
    } else if (!mask_.TypeChar(e, caret, Key)) {
        MessageBeep(0);
        caret = start;
    }
    ApplyEdit(e, caret);
    Key = 0;
}

void TCustomMaskEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomMaskEdit::CMExit(TMessage& Message) {
    try {
        ValidateEdit();
    } catch (...) {
        if (CanFocus()) SetFocus();
        throw;
    }
    TCustomEdit::Dispatch(Message);
}

void TCustomMaskEdit::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode == EN_CHANGE) Change();
}

void TCustomMaskEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_EXIT:
            CMExit(Message);
            break;
        case WM_PASTE:
            WMPaste(Message);
            break;
        case WM_CUT:
        case WM_CLEAR:
            WMCutClear(Message);
            break;
        case CN_COMMAND:
            CNCommand(reinterpret_cast<TWMCommand&>(Message));
            break;
        default:
            TCustomEdit::Dispatch(Message);
            break;
    }
}

}  // namespace fw
