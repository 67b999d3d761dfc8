// Hot-state fading: when a skinned button, check box or radio button changes
// its look (the mouse entered or left it, it was pressed), the change can be
// shown as a short cross-fade from the control's former cache image to the
// new one instead of a jump. Frame FadeLevel of Iterations (one per 10 ms)
// is the old image summed with the new cache at weight
// 255 - FadeLevel * 256 div Iterations (clamped to 0..255), so the last
// frame shows the new image.
//
// TsFadeTimer (windowed controls) offers each frame to its control
// (smcPaintFadeStep) or blits it to the control's window itself; TsAnimTimer
// (speed buttons) leaves each frame in TmpBmp and asks the button to repaint.
// A control ends a fade when it answers smcStopFading (normally through
// StopFading, which may free the timer inside its own tick: a tick touches
// nothing of the timer after asking the control).
#pragma once

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Timer.h"
#include "skin/engine/sConst.h"

namespace skin {

class TsCommonData;
class TsSkinManager;

// The weight of the old image in frame FadeLevel of Iterations (not 0).
uint8_t FadeFrameAlpha(int FadeLevel, int Iterations);

class TsFadeTimer : public fw::TTimer {
public:
    explicit TsFadeTimer(fw::TComponent* AOwner);
    ~TsFadeTimer() override;
    fw::String ClassName() const override { return L"TsFadeTimer"; }

    TFadeDirection Direction() const { return FDirection; }
    // Runs while Value is not fdNone; a negative FadeLevel starts at 1.
    void SetDirection(TFadeDirection Value);
    TsCommonData* OwnerData() const { return FOwnerData; }
    // Takes Value's cache as the image to fade from and the section's step
    // count, shortened by the fade that was running (see AnimChange).
    void SetOwnerData(TsCommonData* Value);

    int Iterations = 0;
    int FadeLevel = 0;
    fw::TBitmap* BmpFrom;  // owned

    // One frame.
    void Change();
    // True when the fade is over (the control was told smcStopFading).
    bool ToEnd();
    // One tick (every 10 ms while enabled).
    void Timer() override;

private:
    TFadeDirection FDirection = fdNone;
    TsCommonData* FOwnerData = nullptr;
};

class TsAnimTimer : public fw::TTimer {
public:
    explicit TsAnimTimer(fw::TComponent* AOwner);
    ~TsAnimTimer() override;
    fw::String ClassName() const override { return L"TsAnimTimer"; }

    TsCommonData* OwnerData() const { return FOwnerData; }
    void SetOwnerData(TsCommonData* Value);

    bool FadeInProcess = false;  // a frame is being made
    fw::TBitmap* BmpFrom;        // owned; filled by the speed button
    fw::TBitmap* TmpBmp;         // owned; the frame the button paints
    int Iterations = 0;
    int FadeLevel = 0;

    void DoFade();
    void Repaint();
    bool ToEnd();
    void Timer() override;

private:
    TsCommonData* FOwnerData = nullptr;
};

// Event is in CtrlEvents, or aeGlobalDef is and the manager's button events
// hold the matching one (nil: the default manager).
bool EventEnabled(TacAnimatEvent Event, TacAnimatEvents CtrlEvents, TsSkinManager* SkinManager);
// A hot-state change of a windowed control: a fade when it may run (the
// section fades, no skin change, fading not forbidden, a cache still holding
// the old state's image), else the fade stopped and an immediate repaint;
// the glow follows either way.
void DoChangePaint(TsFadeTimer*& Timer, TsCommonData* SkinData, bool Clicked, bool AllowAnimation,
                   TFadeDirection Direction);
// Starts or restarts a fade (half as many steps when Clicked).
void AnimChange(TsFadeTimer*& Timer, TsCommonData* SkinData, bool Clicked, TFadeDirection Direction);
// Stops and frees the timer; Timer := nil.
void StopFading(TsFadeTimer*& Timer, TsCommonData* SkinData);

}  // namespace skin
