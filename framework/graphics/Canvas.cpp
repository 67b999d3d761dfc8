#include "framework/graphics/Canvas.h"

#include "framework/graphics/Graphic.h"
#include "framework/rtl/Exception.h"

namespace fw {

TCanvas::TCanvas() {
    InitializeCriticalSection(&lock_);
    font_.OnChange = TNotifyEvent(this, &TCanvas::FontChanged);
    pen_.OnChange = TNotifyEvent(this, &TCanvas::PenChanged);
    brush_.OnChange = TNotifyEvent(this, &TCanvas::BrushChanged);
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
    DeleteCriticalSection(&lock_);
}

HDC TCanvas::Handle() {
    if (!dc_) CreateHandle();
    if (!dc_) throw EInvalidOperation(L"Canvas does not allow drawing");
    RequireObjects(kFontValid | kPenValid | kBrushValid);
    return dc_;
}

void TCanvas::SetHandle(HDC value) {
    if (value == dc_) return;
    if (dc_) DeselectObjects();
    dc_ = value;
}

void TCanvas::CreateHandle() {}

void TCanvas::Lock() {
    EnterCriticalSection(&lock_);
    ++lockCount_;
}

bool TCanvas::TryLock() {
    if (!TryEnterCriticalSection(&lock_)) return false;
    ++lockCount_;
    return true;
}

void TCanvas::Unlock() {
    --lockCount_;
    LeaveCriticalSection(&lock_);
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

// Selecting returns the DC's previous object; the first one of each kind is
// what the DC's owner had in it and goes back when the canvas lets go.
void TCanvas::RequireObjects(unsigned what) {
    unsigned need = what & ~valid_;
    if (!need) return;
    if (need & kFontValid) {
        HGDIOBJ old = SelectObject(dc_, font_.Handle());
        if (!savedFont_) savedFont_ = old;
        ::SetTextColor(dc_, COLORREF(ColorToRGB(font_.Color())) & 0xFFFFFF);
    }
    if (need & kPenValid) {
        HGDIOBJ old = SelectObject(dc_, pen_.Handle());
        if (!savedPen_) savedPen_ = old;
        ::SetROP2(dc_, pen_.Rop2());
    }
    if (need & kBrushValid) {
        HGDIOBJ old = SelectObject(dc_, brush_.Handle());
        if (!savedBrush_) savedBrush_ = old;
        ::SetBkColor(dc_, COLORREF(ColorToRGB(brush_.Color())) & 0xFFFFFF);
        ::SetBkMode(dc_, brush_.Style() == bsSolid ? OPAQUE : TRANSPARENT);
    }
    valid_ |= need;
}

void TCanvas::DeselectObjects() {
    if (savedFont_) SelectObject(dc_, savedFont_);
    if (savedPen_) SelectObject(dc_, savedPen_);
    if (savedBrush_) SelectObject(dc_, savedBrush_);
    savedFont_ = savedPen_ = savedBrush_ = nullptr;
    valid_ = 0;
}

void TCanvas::Refresh() {
    if (dc_) DeselectObjects();
}

// A changed font, pen or brush deletes its old GDI object right after this
// returns, so the DC must stop using it now: put the DC's own object back and
// select the new one on the next drawing call.
void TCanvas::FontChanged(TObject*) {
    if (dc_ && (valid_ & kFontValid)) {
        SelectObject(dc_, savedFont_ ? savedFont_ : GetStockObject(SYSTEM_FONT));
        valid_ &= ~kFontValid;
    }
}

void TCanvas::PenChanged(TObject*) {
    if (dc_ && (valid_ & kPenValid)) {
        SelectObject(dc_, savedPen_ ? savedPen_ : GetStockObject(BLACK_PEN));
        valid_ &= ~kPenValid;
    }
}

void TCanvas::BrushChanged(TObject*) {
    if (dc_ && (valid_ & kBrushValid)) {
        SelectObject(dc_, savedBrush_ ? savedBrush_ : GetStockObject(WHITE_BRUSH));
        valid_ &= ~kBrushValid;
    }
}

TColor TCanvas::Pixels(int X, int Y) { return TColor(::GetPixel(Handle(), X, Y)); }

void TCanvas::SetPixels(int X, int Y, TColor Color) {
    HDC dc = Handle();
    Changing();
    ::SetPixel(dc, X, Y, COLORREF(ColorToRGB(Color)) & 0xFFFFFF);
    Changed();
}

TPoint TCanvas::PenPos() {
    POINT p{};
    ::GetCurrentPositionEx(Handle(), &p);
    return p;
}

void TCanvas::MoveTo(int X, int Y) { ::MoveToEx(Handle(), X, Y, nullptr); }

void TCanvas::LineTo(int X, int Y) {
    HDC dc = Handle();
    Changing();
    ::LineTo(dc, X, Y);
    Changed();
}

void TCanvas::Polyline(const TPoint* Points, int Count) {
    if (Count <= 0) return;
    HDC dc = Handle();
    Changing();
    ::Polyline(dc, reinterpret_cast<const POINT*>(Points), Count);
    Changed();
}

void TCanvas::Polygon(const TPoint* Points, int Count) {
    if (Count <= 0) return;
    HDC dc = Handle();
    Changing();
    ::Polygon(dc, reinterpret_cast<const POINT*>(Points), Count);
    Changed();
}

void TCanvas::FillRect(const TRect& Rect) {
    HDC dc = Handle();
    Changing();
    if (brush_.Style() != bsClear) ::FillRect(dc, Rect.AsRECT(), brush_.Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& Rect) {
    HDC dc = Handle();
    Changing();
    ::FrameRect(dc, Rect.AsRECT(), brush_.Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
    HDC dc = Handle();
    Changing();
    ::DrawFocusRect(dc, Rect.AsRECT());
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    HDC dc = Handle();
    Changing();
    ::Rectangle(dc, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    HDC dc = Handle();
    Changing();
    ::RoundRect(dc, X1, Y1, X2, Y2, X3, Y3);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    HDC dc = Handle();
    Changing();
    ::Ellipse(dc, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::TextOut(int X, int Y, const String& Text) {
    HDC dc = Handle();
    Changing();
    ::ExtTextOutW(dc, X, Y, textFlags_, nullptr, Text.c_str(), UINT(Text.size()), nullptr);
    Changed();
    MoveTo(X + TextWidth(Text), Y);
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const String& Text) {
    HDC dc = Handle();
    Changing();
    UINT options = ETO_CLIPPED | textFlags_;
    if (brush_.Style() != bsClear) options |= ETO_OPAQUE;
    ::ExtTextOutW(dc, X, Y, options, Rect.AsRECT(), Text.c_str(), UINT(Text.size()), nullptr);
    Changed();
}

TSize TCanvas::TextExtent(const String& Text) {
    SIZE s{};
    ::GetTextExtentPoint32W(Handle(), Text.c_str(), int(Text.size()), &s);
    return s;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
    if (!Graphic || Graphic->Empty()) return;
    Handle();
    Changing();
    Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
    if (!Graphic || Graphic->Empty()) return;
    Handle();
    Changing();
    Graphic->Draw(this, Rect);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
    if (!Canvas) return;
    HDC dc = Handle();
    HDC src = Canvas->Handle();
    Changing();
    ::StretchBlt(dc, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), src, Source.Left, Source.Top, Source.Width(),
                 Source.Height(), copyMode_);
    Changed();
}

TRect TCanvas::ClipRect() {
    TRect r;
    ::GetClipBox(Handle(), r.AsRECT());
    return r;
}

}  // namespace fw
