#include "player/CloseBox.h"

#include <algorithm>

namespace player {

bool FindCloseBox(HWND window, POINT& at) {
    RECT wr;
    if (!window || !GetWindowRect(window, &wr)) return false;
    // Title buttons lie in the top band; asked point by point, so the frame's
    // own hit test decides.
    const LONG bottom = std::min<LONG>(wr.bottom, wr.top + 80);
    RECT box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    for (LONG y = wr.top; y < bottom; ++y)
        for (LONG x = wr.left; x < wr.right; ++x)
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
    SetCursorPos(at.x, at.y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, in, sizeof(INPUT)) == 2;
}

}  // namespace player
