// The "formcontrol" requests: texts that change a book window's state. The
// main window and the pop-up know different texts ("wsNormal" on the main
// window, "wmNormal" on the pop-up); both compare the whole text exactly.
#pragma once

#include "framework/windows/Forms.h"

namespace host {

using fw::String;

enum class WindowControlAction {
    None,
    Minimize,
    Maximize,
    Normal,
    // A normal window is maximised, a maximised one made normal; a minimised one stays.
    ToggleMaximized,
    Close,
};

// The main window's table.
WindowControlAction MainWindowControl(const String& text);
// The pop-up window's table.
WindowControlAction ChildWindowControl(const String& text);

// Acts on the form; a state the form already has is left alone.
void ApplyWindowControl(fw::TCustomForm& form, WindowControlAction action);

}  // namespace host
