// What the window animations and the glow windows share: the globals the
// upper layers read while an animation renders, the pause between frames (a
// seam tests record in place of Sleep), layered images put on a window
// through the UpdateLayeredWindow seam, the library's temporary forms, and
// where an animated window image stands relative to the real window.
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Types.h"
#include "framework/windows/Controls.h"

namespace fw {
class TForm;
}

namespace skin {

class TsSkinProviderBase;
class TacDialogWndBase;
class TacBorderFormBase;

// The DC of the bitmap an animation renders into, 0 otherwise; controls
// paint into it while it is set.
extern HDC acPrintDC;
// The screen under a control, taken by PrepareForAnimation (owned, or nil).
extern fw::TBitmap* acSrcBmp;
// The image of the window being animated (owned by the running animation).
extern fw::TBitmap* acDstBmp;
// The window that covers the animated control: a TOutputWindow or the
// temporary layered form of AnimShowControl; nil between animations.
extern fw::TWinControl* ow;

// The pause between two frames (Sleep unless a test records it).
using TAnimSleep = void (*)(DWORD Milliseconds);
extern TAnimSleep AnimSleep;

// No colour key: passed with ULW_ALPHA, where only the blend counts.
constexpr COLORREF acNoColorKey = 0x1FFFFFFF;
// Tag of the library's temporary windows.
constexpr int acTempFormTag = -98;

// InAnimationProcess for a scope, cleared on every way out of it.
struct TAnimationScope {
    TAnimationScope();
    ~TAnimationScope();
    TAnimationScope(const TAnimationScope&) = delete;
    TAnimationScope& operator=(const TAnimationScope&) = delete;
};

// Alpha clamped to 0..255; a real rounded half to even.
BYTE ClampAlpha(int Alpha);
int RoundInt(double Value);

// The magnifier window (acMagnForm), when there is one, shows the new frame.
void RefreshMagnifier();

// AC_SRC_OVER, flags 0, constant alpha Alpha, per-pixel alpha.
BLENDFUNCTION AnimBlend(BYTE Alpha);
// W's layered content := the whole of Bmp, at the window's place, with Blend.
bool SetLayeredImage(HWND W, fw::TBitmap* Bmp, const BLENDFUNCTION& Blend, COLORREF Key = acNoColorKey);
void AddExStyle(HWND W, LONG Flags);
// A borderless, hidden form with no owner and the temporary tag; its window exists.
fw::TForm* NewTempForm();
// The form, then its window: each animation frees its temporary windows itself.
void FreeTempForm(fw::TForm*& Form);

// How far the animated image of a window with an extended-border window
// stands left (x) and up (y) of the real window; (0, 0) without one. The
// form variant records whether the form is zoomed in the provider.
POINT FormFrameOffset(TsSkinProviderBase* sp);
POINT ControlFrameOffset(TsSkinProviderBase* sp);
POINT DialogFrameOffset(TacDialogWndBase* Wnd);

}  // namespace skin
