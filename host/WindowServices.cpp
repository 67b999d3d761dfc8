#include "host/WindowServices.h"

namespace host {

void BringWindowToFront(HWND window) {
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW;
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, flags);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    SetForegroundWindow(window);
}

}  // namespace host
