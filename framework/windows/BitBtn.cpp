// TBitBtn: an owner-drawn system push button with a glyph.
#include "framework/windows/Buttons.h"

#include <algorithm>

#include "framework/windows/ComCtrls.h"

namespace fw {

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), glyph_(std::make_unique<TBitmap>()) {
    glyph_->OnChange = TNotifyEvent(this, &TBitBtn::GlyphChanged);
}

void TBitBtn::CreateParams(TCreateParams& Params) {
    TButton::CreateParams(Params);
    Params.Style = (Params.Style & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::GlyphChanged(TObject*) {
    numGlyphs_ = GlyphsInStrip(glyph_.get(), numGlyphs_);
    Invalidate();
}

void TBitBtn::SetNumGlyphs(TNumGlyphs Value) {
    Value = std::clamp(Value, 1, 4);
    if (numGlyphs_ == Value) return;
    numGlyphs_ = Value;
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout Value) {
    if (layout_ == Value) return;
    layout_ = Value;
    Invalidate();
}

void TBitBtn::SetMargin(int Value) {
    if (margin_ == Value || Value < -1) return;
    margin_ = Value;
    Invalidate();
}

void TBitBtn::SetSpacing(int Value) {
    if (spacing_ == Value) return;
    spacing_ = Value;
    Invalidate();
}

void TBitBtn::SetButtonStyle(bool ADefault) {
    if (isDefault_ == ADefault) return;
    isDefault_ = ADefault;
    Invalidate();
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& DrawItemStruct) {
    const bool down = DrawItemStruct.itemState & ODS_SELECTED;
    const bool disabled = DrawItemStruct.itemState & ODS_DISABLED;
    const bool focused = DrawItemStruct.itemState & ODS_FOCUS;
    auto* canvas = static_cast<TControlCanvas*>(OwnCanvas(canvas_, this));
    CanvasBinding binding(canvas, DrawItemStruct.hDC);
    RECT face = DrawItemStruct.rcItem;
    if (isDefault_ || focused) {
        FrameRect(canvas->Handle(), &face, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&face, -1, -1);
    }
    DrawFrameControl(canvas->Handle(), &face, DFC_BUTTON,
                     DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));
    // The content area of an unframed button, one pixel in; pressed, it
    // moves one pixel right and down.
    TRect client(1, 1, Width() - 1, Height() - 1);
    if (down) OffsetRect(client, 1, 1);
    canvas->SetFont(Font());
    DrawButtonContent(canvas, client, glyph_.get(), numGlyphs_, Text(), layout_, margin_, spacing_,
                      disabled ? bsDisabled
                      : down   ? bsDown
                               : bsUp);
    if (focused) {
        RECT focus = DrawItemStruct.rcItem;
        InflateRect(&focus, -4, -4);
        SetTextColor(canvas->Handle(), RGB(0, 0, 0));
        SetBkColor(canvas->Handle(), RGB(255, 255, 255));
        DrawFocusRect(canvas->Handle(), &focus);
    }
}

void TBitBtn::CNDrawItem(TWMDrawItem& Message) {
    if (Message.DrawItemStruct) DrawItem(*Message.DrawItemStruct);
    Message.Result = TRUE;
}

void TBitBtn::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CN_DRAWITEM:
            CNDrawItem(reinterpret_cast<TWMDrawItem&>(Message));
            break;
        case WM_LBUTTONDBLCLK:
            // An owner-drawn button would report a double click instead of a click.
            Perform(WM_LBUTTONDOWN, Message.WParam, Message.LParam);
            break;
        case CM_ENABLEDCHANGED:
        case CM_FONTCHANGED:
        case CM_TEXTCHANGED:
            TButton::Dispatch(Message);
            Invalidate();
            break;
        default:
            TButton::Dispatch(Message);
            break;
    }
}

}  // namespace fw
