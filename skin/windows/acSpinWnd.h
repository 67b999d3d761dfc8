// An up-down control (and the arrow buttons of tab controls) painted as two
// skinned halves with the skin's arrow images over the parent's background.
// The half under the cursor is hot, pressed while the button is down.
#pragma once

#include "skin/windows/acMainWnd.h"

namespace skin {

// The two halves of a spin of size W: top and bottom (from x = LeftOffset)
// when Vertical, else left and right. An odd size gives halves that share
// the middle line.
void SpinHalves(SIZE W, int LeftOffset, bool Vertical, fw::TRect& R1, fw::TRect& R2);
// Which half of the spin at WndRect (screen) the cursor is over: 1 the
// first, 2 the second, 0 outside. The middle line of an odd size is the
// first half's.
int SpinHalfAt(const fw::TRect& WndRect, fw::TPoint Cursor, bool Vertical);
// The states of the two halves (0 normal, 1 hot, 2 pressed) for the half
// under the cursor.
void SpinStates(int Half, bool Pressed, int& Btn1State, int& Btn2State);

class TacSpinWnd : public TacMainWnd {
public:
    TacSpinWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    fw::String ClassName() const override { return L"TacSpinWnd"; }
    void acWndProc(fw::TMessage& Message) override;
    // The window lacks UDS_HORZ.
    virtual bool IsVertical();

    void AC_WMPaint(HDC MsgDC);
    void PrepareCache();

    int lOffset = 0;
    bool bMousePressed = false;
    int Btn1State = 0;
    int Btn2State = 0;

private:
    bool painting_ = false;
};

// A spin wrapper made and attached; LeftOffset is lOffset (2 for the
// dialogs' up-downs, drawn with "SPEEDBUTTON_SMALL"; tab controls use
// "UPDOWNBTN" and 0).
TacMainWnd* CreateSpinWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager,
                          const fw::String& Section = L"SPEEDBUTTON_SMALL", int LeftOffset = 2);
// Keeps Held on UpDown: the wrapper stays while it is bound to that same
// live window; otherwise the old one is detached and freed first and
// UpDown (when it is a window) gets a new one. Answers Held.
TacSpinWnd* KeepSpinWnd(TacSpinWnd*& Held, HWND UpDown, TsSkinManager* SkinManager, const fw::String& Section,
                        int LeftOffset = 0);

}  // namespace skin
