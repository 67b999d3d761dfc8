#include "framework/windows/Screen.h"

#include <algorithm>
#include <cstdlib>

#include "framework/windows/Forms.h"

namespace fw {

TScreenRef Screen;

namespace {

TScreen*& screenInstance() {
    static TScreen* instance = nullptr;
    return instance;
}

}  // namespace

TScreen* TScreenRef::get() const {
    TScreen*& instance = screenInstance();
    if (!instance) {
        instance = new TScreen(nullptr);
        std::atexit([] {
            TScreen* s = screenInstance();
            screenInstance() = nullptr;
            delete s;
        });
    }
    return instance;
}

bool TScreenRef::Exists() const { return screenInstance() != nullptr; }

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TScreen::~TScreen() { delete menuFont_; }

TFont* TScreen::MenuFont() {
    if (!menuFont_) {
        menuFont_ = new TFont;
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            const LOGFONTW& lf = metrics.lfMenuFont;
            menuFont_->SetName(lf.lfFaceName);
            menuFont_->SetHeight(lf.lfHeight);
            menuFont_->SetCharset(TFontCharset(lf.lfCharSet));
            TFontStyles style;
            if (lf.lfWeight >= FW_BOLD) style.Include(fsBold);
            if (lf.lfItalic) style.Include(fsItalic);
            menuFont_->SetStyle(style);
        }
    }
    return menuFont_;
}

// ---- monitors

namespace {

MONITORINFO MonitorInfo(HMONITOR Handle) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(Handle, &mi);
    return mi;
}

DWORD MonitorFlags(TMonitorDefaultTo Default) {
    static const DWORD flags[] = {MONITOR_DEFAULTTONEAREST, MONITOR_DEFAULTTONULL, MONITOR_DEFAULTTOPRIMARY};
    return flags[Default];
}

}  // namespace

bool TMonitor::Primary() const { return (MonitorInfo(handle_).dwFlags & MONITORINFOF_PRIMARY) != 0; }
TRect TMonitor::BoundsRect() const { return TRect(MonitorInfo(handle_).rcMonitor); }
TRect TMonitor::WorkareaRect() const { return TRect(MonitorInfo(handle_).rcWork); }

TMonitor* TScreen::MonitorOf(HMONITOR Handle) {
    if (!Handle) return nullptr;
    for (const auto& m : monitors_)
        if (m->Handle() == Handle) return m.get();
    monitors_.push_back(std::make_unique<TMonitor>(Handle));
    return monitors_.back().get();
}

TMonitor* TScreen::MonitorFromWindow(HWND Handle, TMonitorDefaultTo MonitorDefault) {
    return MonitorOf(::MonitorFromWindow(Handle, MonitorFlags(MonitorDefault)));
}

TMonitor* TScreen::MonitorFromRect(const TRect& Rect, TMonitorDefaultTo MonitorDefault) {
    RECT r = Rect;
    return MonitorOf(::MonitorFromRect(&r, MonitorFlags(MonitorDefault)));
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }
int TScreen::DesktopLeft() const { return GetSystemMetrics(SM_XVIRTUALSCREEN); }
int TScreen::DesktopTop() const { return GetSystemMetrics(SM_YVIRTUALSCREEN); }
int TScreen::DesktopWidth() const { return GetSystemMetrics(SM_CXVIRTUALSCREEN); }
int TScreen::DesktopHeight() const { return GetSystemMetrics(SM_CYVIRTUALSCREEN); }

TRect TScreen::WorkAreaRect() const {
    RECT r{0, 0, Width(), Height()};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return TRect(r);
}

TCustomForm* TScreen::CustomForms(int Index) const {
    if (Index < 0 || Index >= CustomFormCount())
        throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    return forms_[Index];
}

int TScreen::FormCount() const {
    return static_cast<int>(std::count_if(forms_.begin(), forms_.end(), [](TCustomForm* f) { return f->Is<TForm>(); }));
}

TForm* TScreen::Forms(int Index) const {
    int seen = 0;
    for (TCustomForm* f : forms_) {
        if (TForm* form = dynamic_cast<TForm*>(f)) {
            if (seen++ == Index) return form;
        }
    }
    throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
}

TForm* TScreen::ActiveForm() const { return dynamic_cast<TForm*>(activeForm_); }

void TScreen::SetCursor(TCursor Value) {
    if (cursor_ == Value) return;
    cursor_ = Value;
    // Shown at once; the controls keep it while it is not crDefault.
    POINT p;
    if (Value != crDefault) {
        ::SetCursor(Cursors(Value));
    } else if (GetCursorPos(&p)) {
        // Let the window under the mouse choose its cursor again.
        HWND w = WindowFromPoint(p);
        if (w && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId())
            SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w),
                         MAKELPARAM(SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), WM_MOUSEMOVE));
    }
}

HCURSOR TScreen::Cursors(TCursor Index) const {
    const wchar_t* id = IDC_ARROW;
    switch (Index) {
        case crNone:
            return nullptr;
        case crCross:
            id = IDC_CROSS;
            break;
        case crIBeam:
            id = IDC_IBEAM;
            break;
        case crSizeNESW:
            id = IDC_SIZENESW;
            break;
        case crSizeNS:
        case crVSplit:
            id = IDC_SIZENS;
            break;
        case crSizeNWSE:
            id = IDC_SIZENWSE;
            break;
        case crSizeWE:
        case crHSplit:
            id = IDC_SIZEWE;
            break;
        case crUpArrow:
            id = IDC_UPARROW;
            break;
        case crHourGlass:
            id = IDC_WAIT;
            break;
        case crNo:
            id = IDC_NO;
            break;
        case crAppStart:
            id = IDC_APPSTARTING;
            break;
        case crHelp:
            id = IDC_HELP;
            break;
        case crHandPoint:
            id = IDC_HAND;
            break;
        case crSizeAll:
            id = IDC_SIZEALL;
            break;
        default:
            break;
    }
    return LoadCursorW(nullptr, id);
}

void TScreen::AddForm(TCustomForm* Form) {
    if (std::find(forms_.begin(), forms_.end(), Form) == forms_.end()) forms_.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), Form), forms_.end());
    if (activeForm_ == Form) activeForm_ = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* Form) { activeForm_ = Form; }

}  // namespace fw
