// Closing the window that holds the player the way a reader does: a real
// mouse click on its close box, wherever its (skinned or system) frame puts it.
#pragma once

#include <windows.h>

namespace player {

// The centre of the points of the window's title band that the window
// answers HTCLOSE for, in screen coordinates; false when there are none.
bool FindCloseBox(HWND window, POINT& at);

// Moves the cursor onto the close box and presses and releases the left
// button there through the input queue; false when the window has no close box.
bool ClickCloseBox(HWND window);

}  // namespace player
