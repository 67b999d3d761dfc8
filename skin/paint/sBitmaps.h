// Working bitmaps, cache infos, the shared pixel object, the optional
// UpdateLayeredWindow, nested frames, the dotted focus frame, button layout
// and text metrics, and loading a JPEG or BMP picture.
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"
#include "framework/windows/Controls.h"
#include "skin/engine/sBitmapBase.h"  // CreateBmp24, CreateBmp32 live there
#include "skin/paint/sAlphaGraph.h"

namespace skin {

// Width, then Height, then PixelFormat of Bmp; no pixels copied.
fw::TBitmap* CreateBmpLike(fw::TBitmap* Bmp);
// CI becomes ready on Bmp at (X, Y); FillColor is kept.
void InitCI(TCacheInfo& CI, fw::TBitmap* Bmp, int X, int Y);

// One pixel object for the whole process, attached anew by each user (GUI thread).
extern TacFast32* SharedFast32;

using TUpdateLayeredWindow = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
// user32's UpdateLayeredWindow looked up at start-up, or null; tests may swap it.
extern TUpdateLayeredWindow UpdateLayeredWindow;
// Layered windows can be used (the lookup found the function).
extern bool acLayered;
// With Layered, layered windows available and Handle not yet layered:
// WS_EX_LAYERED and an empty image at alpha 10, answer true. Otherwise
// WS_VISIBLE and WS_EX_LAYERED are taken away and the answer is false.
bool DoLayered(HWND Handle, bool Layered);

// Width nested one-pixel frames, top-left in ColorToRGB(ColorTop) and
// bottom-right in ColorBottom (already RGB); R ends as the inside, Width as 0.
void DrawRectangleOnDC(HDC DC, fw::TRect& R, TColor ColorTop, TColor ColorBottom, int& Width);

// Black dots every third pixel on rows R.Top and R.Bottom and columns R.Left
// and R.Right (the right and bottom ones one pixel outside R), white ones
// beside them.
void FocusRect(fw::TCanvas* Canvas, fw::TRect R);

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// Glyph and caption places inside a button's client rectangle; Margin -1
// centres, Spacing -1 spreads.
void CalcButtonLayout(fw::TRect Client, fw::TPoint GlyphSize, SIZE TextSize, TButtonLayout Layout,
                      fw::TAlignment Alignment, int Margin, int Spacing, fw::TPoint& GlyphPos, fw::TRect& TextBounds,
                      int BiDiFlags);

// The font's text-metric height plus 6, measured on the screen DC.
int GetFontHeight(HFONT Font);
// Extent of Text in Font on the screen DC; 0 x 0 when the measure fails.
SIZE GetStringSize(HFONT Font, const fw::String& Text);

// A missing file empties Picture; .jpg/.jpeg (any case) load as JPEG with
// Grayscale = Gray; .bmp loads as a 24-bit bitmap, greyed when Gray; any
// other extension leaves Picture as it was.
void LoadJpegOrBmp(fw::TPicture* Picture, const fw::String& FileName, bool Gray);

}  // namespace skin
