// Photographs a window the viewer shows and says whether its own skin painted
// it: the picture goes to the folder named by STANDIN_SHOTS (when set), the
// findings to the journal, so a book test fails when skinning breaks.
#pragma once

#include <windows.h>

#include <string>

namespace player {

// The library's private message and the query every skinned window answers 1.
inline constexpr UINT kSkinMessage = 0xA100;
inline constexpr WORD kSkinIsHandled = 7;

// The window as drawn (window DC, frame included), 24 bits per pixel, top row
// first; empty when it cannot be read.
struct WindowImage {
    int width = 0, height = 0;
    std::string bgr;  // width * height * 3 bytes
    COLORREF At(int x, int y) const;
};
WindowImage CaptureWindow(HWND window);

// Percent of the caption band's pixels (beside the icon and title buttons)
// that match the system's own caption drawn in the same place, active or
// inactive, whichever matches more. A skinned frame scores near 0.
int SystemCaptionShare(HWND window, const WindowImage& image);

// Lower-case classes of visible descendants that the system would draw
// (buttons, edits, combo and list boxes, list and tree views, headers,
// toolbars, scroll bars, tabs, up-downs) yet answer no skinned query; sorted,
// each once, joined by ",". "none" when every one is skinned.
std::wstring UnskinnedChildren(HWND window);

// "shot \"<name>\" skinned=0|1 frame=skin|system unskinned=<list>", the
// picture saved as <name>.bmp.
std::wstring ShootWindow(HWND window, const std::wstring& name);

}  // namespace player
