#include "host/WindowControl.h"

namespace host {

using namespace fw;

WindowControlAction MainWindowControl(const String& text) {
    if (text == L"wsMinimized") return WindowControlAction::Minimize;
    if (text == L"wsMaximized" || text == L"wmMaximized") return WindowControlAction::Maximize;
    if (text == L"wsNormal") return WindowControlAction::Normal;
    if (text == L"Close") return WindowControlAction::Close;
    if (text == L"resize") return WindowControlAction::ToggleMaximized;
    return WindowControlAction::None;
}

WindowControlAction ChildWindowControl(const String& text) {
    if (text == L"wsMinimized") return WindowControlAction::Minimize;
    if (text == L"wsMaximized" || text == L"wmMaximized") return WindowControlAction::Maximize;
    if (text == L"wmNormal") return WindowControlAction::Normal;
    if (text == L"Close") return WindowControlAction::Close;
    return WindowControlAction::None;
}

namespace {

void SetState(TCustomForm& form, TWindowState state) {
    if (form.WindowState() != state) form.SetWindowState(state);
}

}  // namespace

void ApplyWindowControl(TCustomForm& form, WindowControlAction action) {
    switch (action) {
        case WindowControlAction::Minimize:
            SetState(form, wsMinimized);
            break;
        case WindowControlAction::Maximize:
            SetState(form, wsMaximized);
            break;
        case WindowControlAction::Normal:
            SetState(form, wsNormal);
            break;
        case WindowControlAction::ToggleMaximized: {
            TWindowState state = form.WindowState();
            if (state == wsNormal)
                form.SetWindowState(wsMaximized);
            else if (state == wsMaximized)
                form.SetWindowState(wsNormal);
            break;
        }
        case WindowControlAction::Close:
            form.Close();
            break;
        case WindowControlAction::None:
            break;
    }
}

}  // namespace host
