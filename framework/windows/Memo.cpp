// TMemo: a multi-line "Edit" window whose Lines are its text.
#include "framework/windows/StdCtrls.h"

namespace fw {

// ---- TMemoStrings: lines split at CR LF of the window's text

std::vector<String> TMemoStrings::Lines() const {
    std::vector<String> lines;
    String text = memo_->Text();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L"\r\n", start);
        if (end == String::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void TMemoStrings::SetLines(const std::vector<String>& Lines) {
    String text;
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (i) text += L"\r\n";
        text += Lines[i];
    }
    memo_->SetText(text);
}

int TMemoStrings::Count() const { return int(Lines().size()); }

String TMemoStrings::Strings(int Index) const {
    std::vector<String> lines = Lines();
    if (Index < 0 || Index >= int(lines.size())) Error(L"List index out of bounds (%d)", Index);
    return lines[size_t(Index)];
}

void TMemoStrings::Insert(int Index, const String& S) {
    std::vector<String> lines = Lines();
    if (Index < 0 || Index > int(lines.size())) Error(L"List index out of bounds (%d)", Index);
    lines.insert(lines.begin() + Index, S);
    SetLines(lines);
}

void TMemoStrings::Delete(int Index) {
    std::vector<String> lines = Lines();
    if (Index < 0 || Index >= int(lines.size())) Error(L"List index out of bounds (%d)", Index);
    lines.erase(lines.begin() + Index);
    SetLines(lines);
}

void TMemoStrings::Clear() { memo_->SetText(String()); }

// The window's text as it is: no line break is added after the last line.
String TMemoStrings::Text() const { return memo_->Text(); }

void TMemoStrings::SetText(const String& Value) {
    // Any of CR, LF or CR LF ends a line; the window wants CR LF.
    String text;
    for (size_t i = 0; i < Value.size(); ++i) {
        if (Value[i] == L'\r' || Value[i] == L'\n') {
            if (Value[i] == L'\r' && i + 1 < Value.size() && Value[i + 1] == L'\n') ++i;
            text += L"\r\n";
        } else {
            text += Value[i];
        }
    }
    memo_->SetText(text);
}

// ---- TCustomMemo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), lines_(this) {
    controlStyle_.Exclude(csFixedHeight);
    width_ = 185;
    height_ = 89;
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
    static const DWORD bars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
    TCustomEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | bars[scrollBars_];
    // Without word wrap long lines scroll sideways; with it they break.
    if (wordWrap_ && !(scrollBars_ == ssHorizontal || scrollBars_ == ssBoth)) Params.Style &= ~DWORD(ES_AUTOHSCROLL);
    if (wantReturns_) Params.Style |= ES_WANTRETURN;
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
    if (scrollBars_ == Value) return;
    scrollBars_ = Value;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
    if (wordWrap_ == Value) return;
    wordWrap_ = Value;
    RecreateWnd();
}

void TCustomMemo::Dispatch(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
    if (Message.Msg != WM_GETDLGCODE) return;
    // Tabs and returns stay in the memo only when it wants them.
    if (wantTabs_)
        Message.Result |= DLGC_WANTTAB;
    else
        Message.Result &= ~LRESULT(DLGC_WANTTAB);
    if (!wantReturns_) Message.Result &= ~LRESULT(DLGC_WANTALLKEYS);
}

// ---- TScrollBar

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 121;
    height_ = GetSystemMetrics(SM_CYHSCROLL);
    SetTabStop(true);
    controlStyle_ = {csFramed, csDoubleClicks};
}

void TScrollBar::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"SCROLLBAR");
    Params.Style |= kind_ == sbHorizontal ? SBS_HORZ : SBS_VERT;
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TScrollBar::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    UpdateInfo();
    EnableScrollBar(WindowHandle(), SB_CTL, enabled_ ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

void TScrollBar::UpdateInfo() {
    if (!HandleAllocated()) return;
    SCROLLINFO si = {sizeof si, SIF_ALL, min_, max_, UINT(pageSize_), position_, 0};
    SetScrollInfo(WindowHandle(), SB_CTL, &si, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
    if (kind_ == Value) return;
    kind_ = Value;
    // Turned: width and height swap.
    if (!ComponentState().Contains(csLoading)) SetBounds(left_, top_, height_, width_);
    RecreateWnd();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
    if (AMax < AMin) std::swap(AMin, AMax);
    int last = pageSize_ > 0 ? AMax - pageSize_ + 1 : AMax;
    if (last < AMin) last = AMin;
    if (APosition < AMin) APosition = AMin;
    if (APosition > last) APosition = last;
    bool moved = position_ != APosition;
    bool changed = moved || min_ != AMin || max_ != AMax;
    min_ = AMin;
    max_ = AMax;
    position_ = APosition;
    if (changed) UpdateInfo();
    if (moved) Change();
}

void TScrollBar::SetPageSize(int Value) {
    if (pageSize_ == Value || Value < 0 || Value > max_ - min_ + 1) return;
    pageSize_ = Value;
    UpdateInfo();
    SetParams(position_, min_, max_);
}

void TScrollBar::Change() {
    if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) {
    if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::CNScroll(TWMScroll& Message) {
    static const TScrollCode codes[] = {scLineUp, scLineDown, scPageUp, scPageDown, scPosition,
                                        scTrack,  scTop,      scBottom, scEndScroll};
    if (Message.ScrollCode > SB_ENDSCROLL) return;
    TScrollCode code = codes[Message.ScrollCode];
    int pos = position_;
    int last = pageSize_ > 0 ? max_ - pageSize_ + 1 : max_;
    switch (code) {
        case scLineUp:
            pos -= smallChange_;
            break;
        case scLineDown:
            pos += smallChange_;
            break;
        case scPageUp:
            pos -= largeChange_;
            break;
        case scPageDown:
            pos += largeChange_;
            break;
        case scPosition:
        case scTrack: {
            // The 32-bit position; the message carries only 16 bits.
            SCROLLINFO si = {sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(WindowHandle(), SB_CTL, &si);
            pos = si.nTrackPos;
            break;
        }
        case scTop:
            pos = min_;
            break;
        case scBottom:
            pos = last;
            break;
        case scEndScroll:
            break;
    }
    if (pos < min_) pos = min_;
    if (pos > last) pos = last;
    Scroll(code, pos);
    SetPosition(pos);
}

void TScrollBar::Dispatch(TMessage& Message) {
    if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL)
        CNScroll(reinterpret_cast<TWMScroll&>(Message));
    else
        TWinControl::Dispatch(Message);
}

}  // namespace fw
