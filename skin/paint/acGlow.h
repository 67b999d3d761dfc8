// Glows: an image drawn around a control while the mouse is over it, shown
// as a borderless, layered, click-through tool window of its own that
// surrounds the control. All glows of the application are kept in one
// registry; a glow's ID is its index there. Hidden glows leave an empty slot,
// so IDs only grow until ClearGlows empties the registry.
//
// A glow's image comes from the section's border image named by the glow
// name followed by "0": its corners and edges are drawn around the control
// (reaching Margin pixels under the control's edges), the centre stays
// transparent. A control partly hidden by its parent gets a window cut to
// the visible part, its image starting at the cut.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Types.h"
#include "framework/windows/Controls.h"

namespace fw {
class TForm;
}

namespace skin {

class TsSkinManager;

class TacGlowEffect : public fw::TObject {
public:
    TacGlowEffect() = default;
    // Gives the window its procedure back; the window is released (freed at
    // once when the manager is being destroyed).
    ~TacGlowEffect() override;
    fw::String ClassName() const override { return L"TacGlowEffect"; }

    TsSkinManager* SkinManager = nullptr;
    int MaskIndex = -1;
    int Margin = 0;
    fw::TForm* Wnd = nullptr;         // the glow window, nil until shown
    fw::TBitmap* AlphaBmp = nullptr;  // the image, only while it is shown
    fw::TWndMethod OldWndProc;

    // AlphaBmp := a transparent 32-bit bitmap with the glow image's corners and edges.
    virtual void CreateAlphaBmp(int Width, int Height);
    // R: the control in screen coordinates; RealRect: its visible part in its
    // own coordinates; WndHandle: its top-level window. Once only. Alpha has
    // no effect (glows are drawn at full strength).
    void Show(fw::TRect& R, fw::TRect& RealRect, int Alpha, HWND WndHandle);
    // The mouse passes through the glow.
    void NewWndProc(fw::TMessage& Message);
    int IntBorderWidth() const { return 2; }
};

using TacGlowEffects = std::vector<TacGlowEffect*>;
extern TacGlowEffects acgEffects;

// The glow's ID, or -1 without layered windows or without the image
// GlowName + "0" of SkinSection (no window is made then). A nil SkinManager
// means the default one.
int ShowGlow(const fw::TRect& R, const fw::TRect& RealRect, const fw::String& SkinSection, const fw::String& GlowName,
             int Margin, int Alpha, HWND WndHandle, TsSkinManager* SkinManager);
// IDs outside the registry or already hidden are ignored.
void HideGlow(int ID);
// Every glow freed; the next glow gets ID 0.
void ClearGlows();

}  // namespace skin
