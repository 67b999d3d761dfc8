// The viewer's settings: the main window's border and the pop-up book
// window's state, size, border and scale, read from the INI file beside the
// executable. One shared object, filled once while the main window loads its
// book; values stay text, their users convert them.
#pragma once

#include "framework/rtl/Strings.h"

namespace host {

using fw::String;
using fw::UnicodeString;

class INIController {
public:
    // The one shared object, made (all fields empty) on the first call and
    // never freed.
    static INIController* GetInstance();

    // Reads the six keys of the executable's ".ini" file, replacing what the
    // fields held; a missing file, section or key gives the empty text.
    void Load();
    // The same from a given settings file.
    void Load(const String& FileName);

    UnicodeString GetMainBorderStyle() const { return MainBorderStyle; }
    UnicodeString GetChildWindowState() const { return ChildWindowState; }
    UnicodeString GetChildWidth() const { return ChildWidth; }
    UnicodeString GetChildHeight() const { return ChildHeight; }
    UnicodeString GetChildBorderStyle() const { return ChildBorderStyle; }
    UnicodeString GetChildScale() const { return ChildScale; }

private:
    INIController() = default;
    INIController(const INIController&) = delete;
    INIController& operator=(const INIController&) = delete;

    UnicodeString MainBorderStyle;
    UnicodeString ChildWindowState;
    UnicodeString ChildWidth;
    UnicodeString ChildHeight;
    UnicodeString ChildBorderStyle;
    UnicodeString ChildScale;
};

}  // namespace host
