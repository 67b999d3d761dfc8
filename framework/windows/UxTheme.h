// Visual styles.
#pragma once

namespace fw {

// Whether windows are drawn with the system's visual styles. They never are
// here: the program carries no manifest asking for version 6 of the common
// controls, so the system draws the classic look, and code that would theme
// a window (SetWindowTheme) leaves it alone.
inline bool UseThemes() { return false; }

}  // namespace fw
