// Combo boxes: the edit frame of the combo, its skinned drop-down button and
// glyph, the selected item's text when printed, and the wrapping of the list
// window the first time the combo box asks for the list's colours.
#pragma once

#include "skin/windows/acEditWnd.h"

namespace skin {

class TacComboListWnd;

// The drop-down button in window coordinates: a vertical bar's width for
// drop-down styles (none for a simple combo box), 2 pixels in from the
// right edge (the left one when reading right to left).
fw::TRect ComboButtonRect(LONG Style, LONG ExStyle, SIZE WndSize, int ButtonWidth);
// The glyph's height: 16 without a combo glyph in the skin.
int ComboButtonHeight(TsSkinManager* M);
// State 0 normal, 1 active, 2 dropped down: COMBOBTN (when the skin has it)
// and the combo glyph (when it has one) into R of Bmp, which holds the
// combo's face; the glyph is centred in R across and in WndHeight down.
void PaintComboButton(fw::TBitmap* Bmp, const fw::TRect& R, int WndHeight, TsSkinManager* M, int State);

class TacComboBoxWnd : public TacEditWnd {
public:
    TacComboBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    ~TacComboBoxWnd() override;
    fw::String ClassName() const override { return L"TacComboBoxWnd"; }
    void acWndProc(fw::TMessage& Message) override;

    virtual fw::TRect ButtonRect();
    int ButtonHeight();
    bool DroppedDown() const { return true; }
    void Invalidate();
    void PaintButton(HDC DC);
    void PaintText();
    void PrepareSimple();
    void RepaintButton();
    // The button's state: 2 dropped down, 1 active or hot, else 0.
    int ButtonState();

    HWND FListHandle = nullptr;
    TsCommonData* LBSkinData = nullptr;
    TacComboListWnd* ListSW = nullptr;

    // The brush the list's colour answer gives (one per wrapper, made again
    // when the colour changes, deleted with the wrapper).
    HBRUSH ListBrush = nullptr;
    fw::TColor ListBrushColor = fw::clNone;

private:
    bool Simple() const;
    HBRUSH ListBrushOf(fw::TColor C);
};

class TacComboListWnd : public TacEditWnd {
public:
    // Visual styles go off only for a list wrapped with a repaint; a list
    // wrapped without one (an empty combo box's) is not drawn again, so its
    // look is left as it is.
    TacComboListWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection,
                    bool Repaint)
        : TacEditWnd(AHandle, ASkinData, ASkinManager, SkinSection, Repaint) {}
    ~TacComboListWnd() override;
    fw::String ClassName() const override { return L"TacComboListWnd"; }
    void AfterCreate(bool Repaint) override;
    void acWndProc(fw::TMessage& Message) override;
    bool IsDroppedList() const override { return !SimplyBox; }

    bool Showed = false;
    bool SimplyBox = false;
};

// A list wrapper for a combo box's list: a drop-down list is made one pixel
// wider so that it calculates its frame again under the wrapper.
TacComboListWnd* CreateComboListWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                                    const fw::String& SkinSection, bool Repaint, bool Simply);
// The list window's face: a simple combo box's list like an edit, a drop-down
// list a fill of its colour in a one-pixel frame.
void PrepareListCache(TacComboListWnd* W);

}  // namespace skin
