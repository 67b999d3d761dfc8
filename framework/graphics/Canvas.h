// A drawing surface over an HDC. The canvas may own the DC (a bitmap's memory
// DC) or only borrow it (a window's DC during WM_PAINT); either way it selects
// its own font, brush and pen into it and puts the DC's previous objects back
// when the handle changes, so a borrowed DC is returned as it was given.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/rtl/Object.h"
#include "framework/rtl/Types.h"

namespace fw {

class TGraphic;

// Raster operations for CopyRect and for bitmaps drawn on the canvas.
using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    String ClassName() const override { return L"TCanvas"; }

    // The DC with the canvas's objects selected. A canvas without one asks
    // CreateHandle; the plain canvas cannot make one and raises.
    HDC Handle();
    // Binds the canvas to a DC that it never deletes or releases (nullptr
    // unbinds): before the switch the canvas takes its font, brush and pen
    // out of the previous DC, which gets back what it held. Rebinding a
    // bitmap's or a control's canvas (to paint into a cache, say) and setting
    // back the handle read before, or nullptr, returns it to its own DC; the
    // DC a control canvas fetched itself stays its own to release. Hold Lock
    // meanwhile, so the idle release of control DCs leaves the canvas alone.
    void SetHandle(HDC value);
    bool HandleAllocated() const { return dc_ != nullptr; }

    // Serialises painting from several threads on one canvas.
    void Lock();
    bool TryLock();
    void Unlock();
    int LockCount() const { return lockCount_; }

    TFont* Font() { return &font_; }
    TBrush* Brush() { return &brush_; }
    TPen* Pen() { return &pen_; }
    void SetFont(const TFont* value) { font_.Assign(value); }
    void SetBrush(const TBrush* value) { brush_.Assign(value); }
    void SetPen(const TPen* value) { pen_.Assign(value); }

    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode value) { copyMode_ = value; }
    // ETO_xxx flags added to every TextOut/TextRect.
    UINT TextFlags() const { return textFlags_; }
    void SetTextFlags(UINT value) { textFlags_ = value; }

    // GetPixel's answer: CLR_INVALID (-1) outside the surface or the clip.
    TColor Pixels(int X, int Y);
    // SetPixel: points outside are dropped.
    void SetPixels(int X, int Y, TColor Color);

    TPoint PenPos();
    void SetPenPos(const TPoint& value) { MoveTo(value.X, value.Y); }
    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Polyline(const TPoint* Points, int Count);
    void Polyline(const std::vector<TPoint>& Points) { Polyline(Points.data(), int(Points.size())); }
    void Polygon(const TPoint* Points, int Count);
    void Polygon(const std::vector<TPoint>& Points) { Polygon(Points.data(), int(Points.size())); }

    // Rect's right and bottom edges are not painted, as in GDI.
    void FillRect(const TRect& Rect);
    void FrameRect(const TRect& Rect);
    void DrawFocusRect(const TRect& Rect);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }

    void TextOut(int X, int Y, const String& Text);
    // Text at (X, Y), clipped to Rect; Rect is filled first unless the brush is clear.
    void TextRect(const TRect& Rect, int X, int Y, const String& Text);
    TSize TextExtent(const String& Text);
    int TextWidth(const String& Text) { return TextExtent(Text).cx; }
    int TextHeight(const String& Text) { return TextExtent(Text).cy; }

    // The graphic at its own size with its top-left corner at (X, Y).
    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    // StretchBlt from Source's rectangle with CopyMode.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);

    // The clip box in logical coordinates.
    TRect ClipRect();
    // Takes the canvas's objects out of the DC; the next drawing selects them again.
    void Refresh();

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    // Gives the canvas a DC when drawing needs one (bitmap and control canvases).
    virtual void CreateHandle();
    virtual void Changing();
    virtual void Changed();

private:
    enum : unsigned { kFontValid = 1, kPenValid = 2, kBrushValid = 4 };

    void RequireObjects(unsigned what);
    void DeselectObjects();
    void FontChanged(TObject* Sender);
    void PenChanged(TObject* Sender);
    void BrushChanged(TObject* Sender);

    HDC dc_ = nullptr;
    unsigned valid_ = 0;
    // What the DC held before the canvas selected its own objects.
    HGDIOBJ savedFont_ = nullptr;
    HGDIOBJ savedPen_ = nullptr;
    HGDIOBJ savedBrush_ = nullptr;
    TFont font_;
    TBrush brush_;
    TPen pen_;
    TCopyMode copyMode_ = cmSrcCopy;
    UINT textFlags_ = 0;
    CRITICAL_SECTION lock_;
    int lockCount_ = 0;
};

}  // namespace fw
