// TSpeedButton: press state machine, group exclusivity and painting.
#include "framework/windows/Buttons.h"

#include "framework/windows/StdCtrls.h"

namespace fw {

void CalcButtonLayout(const TRect& Client, TSize GlyphSize, TSize TextSize, TButtonLayout Layout, int Margin,
                      int Spacing, TPoint& GlyphPos, TRect& TextBounds) {
    const bool across = Layout == blGlyphLeft || Layout == blGlyphRight;
    const int width = Client.Width(), height = Client.Height();
    TPoint glyph, text;
    // Across the layout's axis both are centred.
    if (across) {
        glyph.Y = (height - GlyphSize.cy + 1) / 2;
        text.Y = (height - TextSize.cy + 1) / 2;
    } else {
        glyph.X = (width - GlyphSize.cx + 1) / 2;
        text.X = (width - TextSize.cx + 1) / 2;
    }
    if (TextSize.cx == 0 || GlyphSize.cx == 0) Spacing = 0;
    const int room = across ? width : height;
    const int glyphLen = across ? GlyphSize.cx : GlyphSize.cy;
    const int textLen = across ? TextSize.cx : TextSize.cy;
    if (Margin == -1) {
        if (Spacing == -1) {
            Margin = (room - glyphLen - textLen) / 3;
            Spacing = Margin;
        } else {
            Margin = (room - (glyphLen + Spacing + textLen) + 1) / 2;
        }
    } else if (Spacing == -1) {
        Spacing = (room - (Margin + glyphLen) - textLen) / 2;
    }
    switch (Layout) {
        case blGlyphLeft:
            glyph.X = Margin;
            text.X = glyph.X + GlyphSize.cx + Spacing;
            break;
        case blGlyphRight:
            glyph.X = width - Margin - GlyphSize.cx;
            text.X = glyph.X - Spacing - TextSize.cx;
            break;
        case blGlyphTop:
            glyph.Y = Margin;
            text.Y = glyph.Y + GlyphSize.cy + Spacing;
            break;
        case blGlyphBottom:
            glyph.Y = height - Margin - GlyphSize.cy;
            text.Y = glyph.Y - Spacing - TextSize.cy;
            break;
    }
    GlyphPos = TPoint(glyph.X + Client.Left, glyph.Y + Client.Top);
    TextBounds = TRect(text.X + Client.Left, text.Y + Client.Top, text.X + Client.Left + TextSize.cx,
                       text.Y + Client.Top + TextSize.cy);
}

void DrawButtonGlyph(TCanvas* Canvas, TBitmap* Glyph, int NumGlyphs, TButtonState State, TPoint At) {
    if (!Glyph || Glyph->Empty() || NumGlyphs < 1) return;
    const int w = Glyph->Width() / NumGlyphs, h = Glyph->Height();
    int index = int(State);
    if (index >= NumGlyphs) index = State == bsExclusive && NumGlyphs > 2 ? 2 : 0;
    const COLORREF key = COLORREF(ColorToRGB(Glyph->TransparentColor()));
    HDC dst = Canvas->Handle();
    HDC src = Glyph->Canvas()->Handle();
    if (State != bsDisabled || index == 1) {
        TransparentBlt(dst, At.X, At.Y, w, h, src, index * w, 0, w, h, key);
        return;
    }
    // Embossed: a mask of the non-transparent pixels painted in the
    // highlight colour one pixel down and right, then in the shadow colour.
    HDC maskDC = CreateCompatibleDC(dst);
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDC, mask);
    COLORREF oldBk = SetBkColor(src, key);
    BitBlt(maskDC, 0, 0, w, h, src, 0, 0, SRCCOPY);
    SetBkColor(src, oldBk);
    COLORREF oldText = SetTextColor(dst, RGB(0, 0, 0));
    oldBk = SetBkColor(dst, RGB(255, 255, 255));
    const DWORD paintWhereBlack = 0x00B8074A;  // ((D ^ P) & S) ^ P
    const TColor colours[] = {clBtnHighlight, clBtnShadow};
    for (int i = 0; i < 2; ++i) {
        HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(colours[i])));
        HGDIOBJ oldBrush = SelectObject(dst, brush);
        BitBlt(dst, At.X + 1 - i, At.Y + 1 - i, w, h, maskDC, 0, 0, paintWhereBlack);
        SelectObject(dst, oldBrush);
        DeleteObject(brush);
    }
    SetTextColor(dst, oldText);
    SetBkColor(dst, oldBk);
    SelectObject(maskDC, oldMask);
    DeleteObject(mask);
    DeleteDC(maskDC);
}

void DrawButtonContent(TCanvas* Canvas, const TRect& Client, TBitmap* Glyph, int NumGlyphs, const String& Caption,
                       TButtonLayout Layout, int Margin, int Spacing, TButtonState State) {
    TSize textSize = {0, 0};
    if (!Caption.empty()) {
        TRect calc(0, 0, Client.Width(), 0);
        DrawTextW(Canvas->Handle(), Caption.c_str(), int(Caption.size()), calc.AsRECT(), DT_CALCRECT | DT_SINGLELINE);
        textSize = {calc.Width(), calc.Height()};
    }
    TSize glyphSize = {0, 0};
    if (Glyph && !Glyph->Empty() && NumGlyphs > 0) glyphSize = {Glyph->Width() / NumGlyphs, Glyph->Height()};
    TPoint glyphPos;
    TRect textBounds;
    CalcButtonLayout(Client, glyphSize, textSize, Layout, Margin, Spacing, glyphPos, textBounds);
    DrawButtonGlyph(Canvas, Glyph, NumGlyphs, State, glyphPos);
    if (Caption.empty()) return;
    Canvas->Brush()->SetStyle(bsClear);
    UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (State == bsDisabled) {
        OffsetRect(textBounds, 1, 1);
        Canvas->Font()->SetColor(clBtnHighlight);
        DrawTextW(Canvas->Handle(), Caption.c_str(), int(Caption.size()), textBounds.AsRECT(), flags);
        OffsetRect(textBounds, -1, -1);
        Canvas->Font()->SetColor(clBtnShadow);
    }
    DrawTextW(Canvas->Handle(), Caption.c_str(), int(Caption.size()), textBounds.AsRECT(), flags);
}

// ---- TSpeedButton

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), glyph_(std::make_unique<TBitmap>()) {
    controlStyle_ = {csCaptureMouse, csDoubleClicks};
    width_ = 23;
    height_ = 22;
    glyph_->OnChange = TNotifyEvent(this, &TSpeedButton::GlyphChanged);
}

int GlyphsInStrip(TBitmap* Glyph, int Current) {
    if (Glyph->Empty() || Glyph->Height() <= 0 || Glyph->Width() % Glyph->Height() != 0) return Current;
    int n = Glyph->Width() / Glyph->Height();
    return n > 4 ? 1 : n;
}

void TSpeedButton::GlyphChanged(TObject*) {
    numGlyphs_ = GlyphsInStrip(glyph_.get(), numGlyphs_);
    Invalidate();
}

void TSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    state_ = Enabled() ? (down_ ? bsExclusive : bsUp) : bsDisabled;
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value) {
    if (Value < 1) Value = 1;
    if (Value > 4) Value = 4;
    if (numGlyphs_ == Value) return;
    numGlyphs_ = Value;
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
    if (layout_ == Value) return;
    layout_ = Value;
    Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
    if (margin_ == Value || Value < -1) return;
    margin_ = Value;
    Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
    if (spacing_ == Value) return;
    spacing_ = Value;
    Invalidate();
}

void TSpeedButton::SetFlat(bool Value) {
    if (flat_ == Value) return;
    flat_ = Value;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
    if (transparent_ == Value) return;
    transparent_ = Value;
    if (Value)
        controlStyle_.Exclude(csOpaque);
    else
        controlStyle_.Include(csOpaque);
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int Value) {
    if (groupIndex_ == Value) return;
    groupIndex_ = Value;
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
    if (allowAllUp_ == Value) return;
    allowAllUp_ = Value;
    UpdateExclusive();
}

// Only a grouped button stays down; the last one of a group stays down
// unless AllowAllUp.
void TSpeedButton::SetDown(bool Value) {
    if (groupIndex_ == 0) Value = false;
    if (Value == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = Value;
    if (Value) {
        state_ = bsExclusive;
    } else {
        state_ = bsUp;
    }
    Invalidate();
    if (Value) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
    if (groupIndex_ == 0 || !Parent()) return;
    TMessage m;
    m.Msg = CM_BUTTONPRESSED;
    m.WParam = WPARAM(groupIndex_);
    m.LParam = reinterpret_cast<LPARAM>(this);
    Parent()->Broadcast(m);
}

void TSpeedButton::CMButtonPressed(TMessage& Message) {
    auto* sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
    if (int(Message.WParam) != groupIndex_ || sender == this) return;
    if (sender->down_ && down_) {
        down_ = false;
        state_ = bsUp;
        Invalidate();
    }
    allowAllUp_ = sender->allowAllUp_;
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    if (!down_) {
        state_ = bsDown;
        Invalidate();
    }
    dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!dragging_) return;
    TButtonState now = down_ ? bsExclusive : bsUp;
    if (X >= 0 && X < Width() && Y >= 0 && Y < Height()) now = down_ ? bsExclusive : bsDown;
    if (now != state_) {
        state_ = now;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!dragging_) return;
    dragging_ = false;
    bool inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
    if (groupIndex_ == 0) {
        state_ = bsUp;
        Invalidate();
    } else if (inside) {
        SetDown(!down_);
        // A group's last button that may not come up shows down again.
        state_ = down_ ? bsExclusive : bsUp;
        Invalidate();
    } else {
        state_ = down_ ? bsExclusive : bsUp;
        Invalidate();
    }
    if (inside) Click();
}

void TSpeedButton::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    if (!Enabled()) {
        state_ = bsDisabled;
        dragging_ = false;
    } else if (state_ == bsDisabled) {
        state_ = down_ ? bsExclusive : bsUp;
    }
    const bool pressed = state_ == bsDown || state_ == bsExclusive;
    HDC dc = canvas->Handle();
    if (!flat_) {
        RECT face = *r.AsRECT();
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
    } else {
        if (!transparent_) {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(r);
        }
        if (Enabled() && (pressed || mouseInControl_)) {
            RECT edge = *r.AsRECT();
            DrawEdge(dc, &edge, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
    }
    // Pressed: glyph and caption move one pixel right and down.
    TRect client(1, 1, Width() - 1, Height() - 1);
    if (pressed) OffsetRect(client, 1, 1);
    canvas->SetFont(Font());
    DrawButtonContent(canvas, client, glyph_.get(), numGlyphs_, Text(), layout_, margin_, spacing_, state_);
}

void TSpeedButton::CMDialogChar(TMessage& Message) {
    if (IsAccel(wchar_t(Message.WParam), Text()) && Enabled() && Visible() && Parent() && Parent()->Showing()) {
        Click();
        Message.Result = 1;
    }
}

void TSpeedButton::CMEnabledChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    state_ = Enabled() ? (down_ ? bsExclusive : bsUp) : bsDisabled;
    Invalidate();
}

void TSpeedButton::CMMouseEnter(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    if (reinterpret_cast<TControl*>(Message.LParam) != this && Message.LParam) return;
    if (!mouseInControl_ && Enabled()) {
        mouseInControl_ = true;
        if (flat_) Invalidate();
    }
}

void TSpeedButton::CMMouseLeave(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    if (reinterpret_cast<TControl*>(Message.LParam) != this && Message.LParam) return;
    if (mouseInControl_) {
        mouseInControl_ = false;
        if (flat_) Invalidate();
    }
}

void TSpeedButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_BUTTONPRESSED:
            CMButtonPressed(Message);
            break;
        case CM_DIALOGCHAR:
            CMDialogChar(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        default:
            TGraphicControl::Dispatch(Message);
            break;
    }
}

}  // namespace fw
