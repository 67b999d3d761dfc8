#include "player/CloseBox.h"

#include <algorithm>

namespace player {

bool FindCloseBox(HWND window, POINT& at) {
    RECT wr;
    if (!window || !GetWindowRect(window, &wr)) return false;
    // Title buttons lie in the top band; asked point by point (every third
    // pixel: a box is larger than that), so the frame's own hit test decides.
    const LONG bottom = std::min<LONG>(wr.bottom, wr.top + 80);
    RECT box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    for (LONG y = wr.top; y < bottom; y += 3)
        for (LONG x = wr.left; x < wr.right; x += 3)
            if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                box.left = std::min(box.left, x), box.right = std::max(box.right, x);
                box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
            }
    if (box.left > box.right) return false;
    at = POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    return true;
}

bool ClickCloseBox(HWND window) {
    POINT at;
    if (!FindCloseBox(window, at)) return false;
    // Every input carries the place, so the press cannot land where the
    // cursor was before the move reached the display.
    const int w = std::max(GetSystemMetrics(SM_CXSCREEN) - 1, 1), h = std::max(GetSystemMetrics(SM_CYSCREEN) - 1, 1);
    INPUT in[3] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = at.x * 65535 / w;
        i.mi.dy = at.y * 65535 / h;
    }
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SetCursorPos(at.x, at.y);
    return SendInput(3, in, sizeof(INPUT)) == 3;
}

}  // namespace player
