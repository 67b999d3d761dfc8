// The wrapper of a popup menu's window (class "#32768"): while a skinned
// menu is open it paints the window's frame and the background around the
// items from the "MAINMENU" section, answers the menu code's region queries
// and, when its window goes, frees the menu backgrounds and (with the last
// menu window) every menu wrapper.
//
// Wine gives the menu window no non-client frame: its own WM_PAINT fills the
// whole window, draws a raised edge inside it and then the items, 3 pixels
// in. So where the client is the whole window the wrapper lets that paint
// run and then paints the frame and the gaps between the items again.
#pragma once

#include "skin/windows/acScrollWnd.h"

namespace skin {

// The width of a popup menu's frame.
constexpr int kMenuFrameWidth = 3;

class TacMnuWnd : public TacScrollWnd {
public:
    TacMnuWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    fw::String ClassName() const override { return L"TacMnuWnd"; }
    void acWndProc(fw::TMessage& Message) override;

    // The section's look of the whole window into the cache, when stale.
    void PrepareCache();

    // 1 while the window's region is set for this showing of the menu.
    int RgnChanged = 0;

private:
    // The window's frame (and on Wine the gaps between the items) copied
    // from the menu's background when it has the window's size, else from
    // the cache.
    void PaintFrame(bool WithGaps);
    void Gone(fw::TMessage& Message);
};

// Where the client area lies in the window: (3, 3) on Windows, (0, 0) on Wine.
fw::TPoint MenuClientOffset(HWND Wnd);
// The window's area (window coordinates) that no item of its menu covers;
// the caller owns it.
HRGN MenuGapRegion(HWND Wnd);
// Makes the wrapper of a popup menu's window and keeps it in MnuArray.
TacMnuWnd* CreateMnuWnd(HWND Wnd, TsSkinManager* SkinManager);

}  // namespace skin
