// The MDI client window of a skinned MDI form: its background (the wall) and
// border copied from the form's own image, skinned scroll bars, a client that
// scrolls once when a dragged thumb is released, and the form's provider told
// when the children are tiled or cascaded or the menu changes.
#pragma once

#include <functional>

#include "framework/windows/Forms.h"
#include "skin/windows/acEditWnd.h"

namespace skin {

// Where a released thumb leaves the client: the dragged-to position clamped
// to the bar's range, and how far the contents move (in pixels, positive:
// down or right) to follow it from the position the bar had before the drag.
struct TacThumbRelease {
    int Pos = 0;
    int Shift = 0;
};
TacThumbRelease MDIThumbRelease(const SCROLLINFO& Before, int DraggedTo);

// What the wrapper asks of its form's provider beyond what every provider
// has; the provider's MDI support fills in the parts it keeps (the menu
// lines, the child's icon item, the system menu, the caption). Unset parts
// are skipped.
struct TacMDIProviderCalls {
    // After tiling or cascading: menu lines counted again, the child's icon
    // item and the system menu items brought up to date.
    std::function<void()> Arranged;
    // After a new MDI menu: menu lines counted again.
    std::function<void()> MenuChanged;
    // After the system refreshed the MDI menu: the caption repainted.
    std::function<void()> RefreshCaption;
    // The client is about to make a child window (WM_MDICREATE).
    std::function<void()> ChildCreating;
    // A child window the client has just made (WM_MDICREATE).
    std::function<void(HWND)> ChildCreated;
};

class TacMDIWnd : public TacBaseWnd {
public:
    using TacBaseWnd::TacBaseWnd;
    ~TacMDIWnd() override;
    fw::String ClassName() const override { return L"TacMDIWnd"; }
    void acWndProc(fw::TMessage& Message) override;
    // With a maximised child: the form draws its background under its splitters.
    void UpdateGraphControls();

    // Skinned data, and both switches of the MDI painting on.
    bool SkinnedMDI() const;
    // The active child is maximised.
    bool ChildMaximized() const;
    // The client's place in the form's window image.
    fw::TRect PlaceInForm() const;

    fw::TCustomForm* FForm = nullptr;
    TsCommonData* MDISkinData = nullptr;         // not owned
    TsSkinProviderBase* SkinProvider = nullptr;  // not owned
    TacMDIProviderCalls ProviderCalls;

private:
    void ThumbRelease(int nBar, int DraggedTo);
};

// The wall into DC (Full: DC is the whole window's, else the client's).
void PaintMDIArea(TacMDIWnd* W, HDC DC, bool Full);
// The client's 2-pixel border into the window DC.
void PaintMDIBorder(TacMDIWnd* W, HDC DC);

// The wrapper of Form's MDI client (nil without one), its fields set.
TacMDIWnd* CreateMDIWnd(fw::TCustomForm* Form, TsCommonData* MDISkinData, TsSkinProviderBase* SkinProvider,
                        TsSkinManager* SkinManager);

}  // namespace skin
