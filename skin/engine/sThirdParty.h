// What the library shares with foreign controls: the form classes that never
// get a skin provider and the hooks a foreign control suite may set (none in
// this program).
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/Types.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/Controls.h"
#include "skin/engine/sConst.h"

namespace skin {

// Form class names the form-skinning hook leaves alone: "TApplication",
// "TQRStandardPreview", "TfcPopup" (sorted).
extern fw::TStringList* ThirdPartySkipForms;

// Hooks of a foreign control suite, null here. CheckDevEx answering True
// for a windowed child keeps AlphaBroadCast out of it.
extern void (*InitDevEx)();
extern bool (*CheckDevEx)(fw::TControl* Control);
extern void (*RefreshDevEx)();

// The list's Count; 0 for nil.
int GetImageCount(fw::TCustomImageList* ImageList);

}  // namespace skin
