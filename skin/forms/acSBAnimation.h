// The fade of one title button (of a skinned form or a skinned system
// dialog) between its normal, hot and pressed looks: the button's image in
// the target state, shown in a small layered window laid over the button
// and re-blended with a rising or falling constant alpha every 12 ms. Once
// faded in, every tick checks whether the cursor left the button and tells
// the owner window (WM_MOUSELEAVE), which then fades the button down. The
// overlay never takes activation or mouse input.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Timer.h"
#include "skin/forms/sFrameGeometry.h"

namespace skin {

class TacBorderFormBase;
class TsCommonData;
class TsSkinProvider;
class TacDialogWnd;

// The arithmetic of a fade, apart from any window.
struct TSBFade {
    int CurrentLevel = 0;
    int CurrentState = 0;  // the target: 0 normal, 1 hot, 2 pressed; -1 finished
    bool Up = false;
    int MaxIterations = 0;  // -1 once a fade-in has completed
    // The alpha added per level: 255 div MaxIterations, 0 when not positive.
    int Step() const { return MaxIterations > 0 ? 255 / MaxIterations : 0; }
    // One timer tick. Update(alpha) shows the image at that alpha; CheckMouse
    // runs on every tick after the fade-in (it may turn the fade down).
    // False once a fade-down ended (state -1): the timer stops and the
    // overlay goes.
    bool Tick(const std::function<void(int)>& Update, const std::function<void()>& CheckMouse);
};

class TacSBAnimation : public fw::TTimer, public TSBFade {
public:
    explicit TacSBAnimation(fw::TComponent* AOwner);
    ~TacSBAnimation() override;
    fw::String ClassName() const override { return L"TacSBAnimation"; }

    void StartAnimation(int NewState, bool ToUp);
    // Turns the fade (Up) and lets the timer run; NewState is not read.
    void ChangeState(int NewState, bool ToUp);
    // How far a glowing hot image stands left and up of the button.
    int Offset() const;
    // The overlay's screen rectangle.
    fw::TRect GetFormBounds() const;
    void MakeForm();
    void MakeImg();
    void UpdateForm(BYTE Blend);
    void CheckMouseLeave();
    // The overlay and its image go (the next change builds them again).
    void FreeOverlay();

    TacBorderFormBase* BorderForm = nullptr;
    TsCommonData* SkinData = nullptr;
    HWND FormHandle = nullptr;
    TsCaptionButton* PBtnData = nullptr;  // its Timer points back here
    fw::TForm* AForm = nullptr;           // the layered overlay (owned)
    fw::TBitmap* ABmp = nullptr;          // 32-bit image in the target state (owned)
    // The owner: a provider, or a skinned dialog without one.
    TsSkinProvider* Provider = nullptr;
    TacDialogWnd* Dialog = nullptr;

protected:
    void Timer() override;

private:
    // The "GLOBALINFO" glow image of the button's image, -1 without one.
    int GlowIndex() const;
    bool Glowing() const;
};

// Aims the button's fade at State (a new fade for the provider, else for the
// dialog; nothing without either).
void StartSBAnimation(TsCaptionButton* Btn, int State, int Iterations, bool Up, TsSkinProvider* SkinProvider,
                      TacDialogWnd* Dlg);
// Frees the button's fade, if any.
void FreeSBAnimation(TsCaptionButton& Btn);
// The animated repaint is used: glowing allowed or a border window.
bool AnimatedButtons(TsSkinProvider* SkinProvider, TacDialogWnd* Dlg);

}  // namespace skin
