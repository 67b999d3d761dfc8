// Wrappers of windows with a sunken edit frame and scroll bars: edits,
// memos and list boxes (and, through their descendants, combo boxes, list
// and tree views, grids). The frame is painted from the section ("EDIT"
// unless the creator names another) into the skin data's cache and copied
// into the window's frame; the bars come from TacScrollWnd.
#pragma once

#include "skin/windows/acScrollWnd.h"

namespace skin {

// What every edit-type wrapper handles: repaints of the frame after a skin
// refresh, size and enabling changes, the cursor.
class TacBaseWnd : public TacScrollWnd {
public:
    using TacScrollWnd::TacScrollWnd;
    fw::String ClassName() const override { return L"TacBaseWnd"; }
    void acWndProc(fw::TMessage& Message) override;
};

class TacEditWnd : public TacBaseWnd {
public:
    // SkinSection empty: "EDIT" (set even when the skin data had a section).
    TacEditWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection,
               bool ThemeOffAllowed = true);
    fw::String ClassName() const override { return L"TacEditWnd"; }
    ~TacEditWnd() override { ReleaseWindow(); }
    void AfterCreate(bool Repaint) override;
    void SaveStdParams() override;
    void RestoreStdParams() override;
    // The skin's colours on the control (or on Color / FrameColor without one).
    void SetSkinParams() override;
    void acWndProc(fw::TMessage& Message) override;

    // The frame's width the wrapper copies from its cache.
    int FrameWidth() const { return Edges.cxLeftEdge; }

    fw::TColor Color = fw::clWindow;
    fw::TColor FocusColor = 0;
    int FrameColor = 0;

protected:
    // The frame and bars into DC, the cache made first when it is stale.
    void PaintFrame(HDC DC);
    // WM_PRINT: frame, bars and the client at its place in the window.
    void PrintTo(HDC DC, LPARAM Flags);
};

// Keeps a skinned memo's or list view's edit wrapper in step with its skin
// (see RefreshScrollsAs).
void RefreshEditScrolls(TsCommonData* SkinData, TacScrollWnd*& ListSW);

// The owner control, when the wrapper serves a framework control.
fw::TControl* OwnerControlOf(TacMainWnd* W);
// A DC that is not the animation's and whose clip box is empty: nothing to paint.
bool NothingToPaint(HDC DC);

}  // namespace skin
