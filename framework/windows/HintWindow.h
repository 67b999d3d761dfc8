// Hints: the small yellow window that tells what a control does, and the
// application's tracking that shows it after the mouse rests on a control
// whose ShowHint is set and whose Hint is not empty.
//
// The application shows the hint (its short part) HintPause ms after the mouse came to rest
// on such a control (HintShortPause when another hint was just showing),
// below the cursor, and hides it after HintHidePause ms, when the mouse
// leaves the control, or on a key or mouse button. A hidden hint comes back
// only after the mouse has left the control. The tracking runs from the
// application's idle step (TApplication::Idle), like hover tracking.
#pragma once

#include <windows.h>

#include "framework/windows/Controls.h"

namespace fw {

// The system's AnimateWindow, looked up once at start-up; nullptr on a
// system without it. Code that animates a window calls it through this
// pointer only when it is set (and a test may point it elsewhere).
using TAnimateWindowProc = BOOL(WINAPI*)(HWND hWnd, DWORD dwTime, DWORD dwFlags);
extern TAnimateWindowProc AnimateWindowProc;

// A top-level popup owned by the application window, shown without taking
// the activation, with no part in hit testing (the mouse goes through it).
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);
    String ClassName() const override { return L"THintWindow"; }

    // The window size that AHint needs, wrapped at MaxWidth, at (0, 0):
    // the text's extent plus 6 across and 2 down for the margins and border.
    virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData = nullptr);
    // Shows AHint in Rect (screen coordinates) made 4 pixels taller, moved
    // back onto the screen where it would leave it; topmost, without
    // activation. A hint under 100 characters comes in through
    // AnimateWindowProc when the system animates tooltips: faded in for
    // 200 ms (AW_BLEND) when it fades them, else slid down for 100 ms.
    virtual void ActivateHint(const TRect& Rect, const String& AHint);
    // Hides the hint (by destroying its window).
    void ReleaseHandle();

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
};

// A Hint holds a short text for the hint window and, after a "|", a long
// one for a status line; without "|" both are the whole text.
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);

// Whether a message ends a showing hint: keys, mouse buttons, activation.
bool IsHintMsg(const MSG& Msg);

}  // namespace fw
