#include "skin/windows/acButtonWnd.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/graphics/Color.h"
#include "framework/windows/Buttons.h"
#include "skin/engine/PNGGraphic.h"

namespace skin {

TacButtonKind ButtonKindOf(LONG Style) {
    if (Style & BS_PUSHLIKE) {
        const LONG t = Style & BS_TYPEMASK;
        if (t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE || t == BS_RADIOBUTTON ||
            t == BS_AUTORADIOBUTTON)
            return bkPush;  // drawn as a button that stays down
    }
    switch (Style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return bkPush;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return bkCheck;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return bkRadio;
        case BS_GROUPBOX:
            return bkGroup;
        default:
            return bkNone;
    }
}

int PushButtonState(bool Down, bool Enabled, bool FocusedOrHot, LONG Style) {
    if (Down) return 2;
    if (!Enabled) return 0;
    if (FocusedOrHot) return 1;
    return (Style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 1 : 0;
}

UINT CaptionFlags(LONG Style) {
    return DT_EXPANDTABS | DT_CENTER | ((Style & BS_MULTILINE) ? UINT(DT_WORDBREAK) : UINT(DT_SINGLELINE));
}

fw::TRect ButtonCaptionRect(SIZE Wnd, SIZE Text, bool Down) {
    const int dx = (Wnd.cx - Text.cx) / 2, dy = (Wnd.cy - Text.cy) / 2;
    fw::TRect r(dx - 1, dy, Wnd.cx - dx + 2, Wnd.cy - dy);
    if (Down) r = fw::TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    return r;
}

void BlendDisabled(fw::TBitmap* Cache, const TCacheInfo& CI, fw::TPoint Pos) {
    if (!Cache) return;
    if (CI.Ready && CI.Bmp)
        BlendTransRectangle(Cache, 0, 0, CI.Bmp,
                            fw::TRect(Pos.X + CI.X, Pos.Y + CI.Y, Pos.X + CI.X + Cache->Width() - 1,
                                      Pos.Y + CI.Y + Cache->Height() - 1),
                            0.4, TsColor(0xFF000000u));
    else
        BlendTransBitmap(Cache, 0.4, TsColor(fw::ColorToRGB(CI.FillColor)), TsColor(sFuchsia));
}

bool CursorInWindow(HWND Handle) {
    RECT r{};
    GetWindowRect(Handle, &r);
    const fw::TPoint p = acMousePos();
    return p.X >= r.left && p.X < r.right && p.Y >= r.top && p.Y < r.bottom;
}

// ---- TacBtnWnd

TacBtnWnd::TacBtnWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection)
    : TacMainWnd(AHandle, ASkinData, ASkinManager, SkinSection.empty() ? fw::String(L"BUTTON") : SkinSection) {
    if (SkinSection.empty()) SkinData->SetSkinSection(L"BUTTON");
}

bool TacBtnWnd::Down() const {
    const LRESULT s = SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0);
    if (s & BST_PUSHED) return true;
    // A check box drawn as a button stays down while checked.
    return (CtrlStyle() & BS_PUSHLIKE) && (s & BST_CHECKED);
}

int TacBtnWnd::CurrentState() {
    const bool down = Down();
    if (down) ClearGlows();
    const bool active = GetFocus() == CtrlHandle || (DefaultManager && DefaultManager->ActiveControl() == CtrlHandle);
    return PushButtonState(down, IsWindowEnabled(CtrlHandle) != FALSE, active, CtrlStyle());
}

void TacBtnWnd::SelectFont() {
    fw::TCanvas* C = Canvas();
    if (fw::TControl* c = SkinData->FOwnerControl)
        C->SetFont(c->Font());
    else if (HFONT f = HFONT(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0)))
        C->Font()->SetHandle(f, fw::hoBorrowed);  // the window's font: never deleted here
}

SIZE TacBtnWnd::TextRectSize() {
    fw::TRect R(0, 0, MaxCaptionWidth(), 0);
    acDrawText(Canvas()->Handle(), Caption, R, DT_CALCRECT | DT_NOPREFIX | CaptionFlags(CtrlStyle()));
    return {R.Width(), R.Height()};
}

int TacBtnWnd::MaxCaptionWidth() {
    if (Caption.empty()) return 0;
    const SIZE g = GlyphSize();
    return WndSize.cx - 2 - (g.cx ? g.cx + 2 : 0);
}

fw::TRect TacBtnWnd::CaptionRect() { return ButtonCaptionRect(WndSize, TextRectSize(), Down()); }

void TacBtnWnd::DoDrawText(fw::TRect& R, UINT Flags) {
    Canvas()->Brush()->SetStyle(fw::bsClear);
    acWriteTextEx(Canvas(), Caption.c_str(), true, R, Flags, SkinData, CurrentState() != 0, SkinData->GetSkinManager());
}

void TacBtnWnd::DrawCaption() {
    SelectFont();
    fw::TRect R = CaptionRect();
    DoDrawText(R, CaptionFlags(CtrlStyle()));
    const TsGeneralData* g = SkinData->Section();
    if (IsWindowEnabled(CtrlHandle) && (SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0) & BST_FOCUS) && !Caption.empty() &&
        g && g->ShowFocus)
        FocusRect(Canvas(), fw::TRect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1));
}

void TacBtnWnd::PrepareCache() {
    InitCtrlData(this);
    const TCacheInfo CI = GetParentCacheHwnd(CtrlHandle);
    SkinData->InitCacheBmp();
    SkinData->FCacheBmp->SetSize(WndSize.cx, WndSize.cy);
    const int state = CurrentState();
    PaintItem(SkinData, CI, true, state, fw::TRect(0, 0, WndSize.cx, WndSize.cy), WndPos, SkinData->FCacheBmp, true);
    DrawCaption();
    DrawGlyph();
    if (!IsWindowEnabled(CtrlHandle)) BlendDisabled(SkinData->FCacheBmp, CI, WndPos);
    SkinData->BGChanged = false;
}

void TacBtnWnd::AC_WMPaint(HDC GivenDC) {
    InitCtrlData(this);
    PAINTSTRUCT ps;
    BeginPaint(CtrlHandle, &ps);
    SkinData->FUpdating = SkinData->GetUpdating() && !InAnimationProcess;
    if (!(InAnimationProcess && !acPrintDC) && !SkinData->FUpdating) {
        HDC dc = GivenDC ? GivenDC : GetDC(CtrlHandle);
        SkinData->BGChanged = true;
        PrepareCache();
        BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, SkinData->FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
        if (!GivenDC) ReleaseDC(CtrlHandle, dc);
    }
    EndPaint(CtrlHandle, &ps);
}

void TacBtnWnd::Repaint() {
    SkinData->BGChanged = true;
    SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
}

void TacBtnWnd::Bracketed(fw::TMessage& Message, bool PrevOnly) {
    SendMessageW(CtrlHandle, WM_SETREDRAW, 0, 0);
    if (PrevOnly)
        PassOn(Message);
    else
        TacMainWnd::acWndProc(Message);
    SendMessageW(CtrlHandle, WM_SETREDRAW, 1, 0);
    Repaint();
}

void TacBtnWnd::acWndProc(fw::TMessage& Message) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (Destroyed || !M || !M->Active() || !SkinData->Skinned()) {
        TacMainWnd::acWndProc(Message);
        return;
    }
    const bool visible = IsWindowVisible(CtrlHandle) != FALSE;
    if (Message.Msg == SM_ALPHACMD) {
        switch (Message.WParamHi()) {
            case smcEndParentUpdate:
                if (EndParentUpdate(RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME)) return;
                break;
            case smcActiveControlEnter:
                if (!SkinData->FMouseAbove && DefaultManager && DefaultManager->ActiveControl() == CtrlHandle) {
                    if (!CursorInWindow(CtrlHandle)) return;
                    SkinData->FMouseAbove = true;
                    SkinData->SetUpdating(false);
                    Repaint();
                    ShowGlowingIfNeeded(SkinData, false, CtrlHandle);
                }
                break;
            case smcActiveControlLeave:
                if (SkinData->FMouseAbove) {
                    ClearGlows();
                    SkinData->FMouseAbove = false;
                    SkinData->SetUpdating(false);
                    Repaint();
                }
                break;
            default:
                break;
        }
        TacMainWnd::acWndProc(Message);
        return;
    }
    switch (Message.Msg) {
        case WM_MOVE:
            if (const TsGeneralData* g = SkinData->Section();
                g && (g->Transparency > 0 || (g->HotTransparency > 0 && ControlIsActive(SkinData))))
                Repaint();
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (!IsWindowEnabled(CtrlHandle)) {
                if (Message.Msg == WM_SETFOCUS) return;  // a disabled button takes no focus
                break;
            }
            SkinData->FFocused = Message.Msg == WM_SETFOCUS;
            Bracketed(Message, false);
            return;
        case WM_ENABLE:
        case WM_SETTEXT:
            if (!visible) break;
            Bracketed(Message, false);
            return;
        case BM_SETSTATE:
        case BM_SETCHECK:
            if (!visible) break;
            Bracketed(Message, true);
            return;
        case WM_PAINT:
            if (!ParamsChanged) SetSkinParams();
            AC_WMPaint(HDC(Message.WParam));
            return;
        case WM_PRINT:
            AC_WMPaint(HDC(Message.WParam));
            return;
        case WM_ERASEBKGND:
        case WM_NCPAINT:
        case WM_UPDATEUISTATE:
            Message.Result = 1;
            return;
        case WM_MOUSEMOVE:
            TacMainWnd::acWndProc(Message);
            if (DefaultManager && IsWindowEnabled(CtrlHandle)) {
                const bool in = CursorInWindow(CtrlHandle);
                if (in && DefaultManager->ActiveControl() != CtrlHandle)
                    DefaultManager->SetActiveControl(CtrlHandle);
                else if (!in && DefaultManager->ActiveControl() == CtrlHandle)
                    DefaultManager->SetActiveControl(nullptr);
            }
            return;
        default:
            break;
    }
    TacMainWnd::acWndProc(Message);
}

// ---- TacBitBtnWnd

SIZE TacBitBtnWnd::GlyphSize() {
    if (auto* b = dynamic_cast<fw::TBitBtn*>(SkinData->FOwnerControl)) {
        const int n = std::max(1, int(b->NumGlyphs()));
        return {b->Glyph()->Width() / n, b->Glyph()->Height()};
    }
    // A foreign button's bitmap reports the dimension set on it (none in
    // practice): its glyph is not drawn, so the caption stays centred.
    SIZE d{0, 0};
    HBITMAP h = HBITMAP(SendMessageW(CtrlHandle, BM_GETIMAGE, IMAGE_BITMAP, 0));
    if (!h || !GetBitmapDimensionEx(h, &d)) return {0, 0};
    return d;
}

int TacBitBtnWnd::MaxCaptionWidth() {
    auto* b = dynamic_cast<fw::TBitBtn*>(SkinData->FOwnerControl);
    if (!b) return TacBtnWnd::MaxCaptionWidth();
    if (Caption.empty()) return 0;
    const SIZE g = GlyphSize();
    int w = b->Width() - 2 * std::max(b->Margin(), 0);
    if ((b->Layout() == fw::blGlyphLeft || b->Layout() == fw::blGlyphRight) && g.cy != 0) w -= g.cx + b->Spacing();
    return w;
}

fw::TRect TacBitBtnWnd::CaptionRect() {
    const SIZE g = GlyphSize();
    if (auto* b = dynamic_cast<fw::TBitBtn*>(SkinData->FOwnerControl)) {
        fw::TPoint gp;
        fw::TRect text;
        CalcButtonLayout(fw::TRect(0, 0, WndSize.cx, WndSize.cy), fw::TPoint(g.cx, g.cy), TextRectSize(),
                         skin::TButtonLayout(int(b->Layout())), fw::taCenter, 0, 0, gp, text, 1);
        if (CurrentState() == 2) text = fw::TRect(text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1);
        return text;
    }
    fw::TRect r = TacBtnWnd::CaptionRect();
    if (g.cx) r = fw::TRect(r.Left + g.cx / 2 + 1, r.Top, r.Right + g.cx / 2 + 1, r.Bottom);
    return r;
}

fw::TRect TacBitBtnWnd::GlyphRect() {
    const SIZE G = GlyphSize(), T = TextRectSize(), W = WndSize;
    auto* b = dynamic_cast<fw::TBitBtn*>(SkinData->FOwnerControl);
    if (!b) {
        if (!G.cx) return fw::TRect();
        const int right = CaptionRect().Left - 2;
        const int top = (W.cy - G.cy) / 2 + (Down() ? 1 : 0);
        return fw::TRect(right - G.cx, top, right, top + G.cy);
    }
    const int sp = (G.cx > 0 && !Caption.empty()) ? b->Spacing() : 0;
    const int hx = (W.cx - G.cx - T.cx - sp) / 2, hy = (W.cy - G.cy - T.cy - sp) / 2;
    int x = 0, y = 0;
    switch (b->Layout()) {
        case fw::blGlyphLeft:
            x = hx, y = (W.cy - G.cy) / 2;
            break;
        case fw::blGlyphRight:
            x = (W.cx - G.cx + sp + T.cx) / 2, y = (W.cy - G.cy) / 2;
            break;
        case fw::blGlyphTop:
            x = (W.cx - G.cx) / 2 + 1, y = hy;
            break;
        case fw::blGlyphBottom:
            x = (W.cx - G.cx) / 2 + 1, y = W.cy - hy - G.cy;
            break;
    }
    if (CurrentState() == 2) ++x, ++y;
    return fw::TRect(x, y, x + G.cx, y + G.cy);
}

void TacBitBtnWnd::DrawGlyph() {
    auto* b = dynamic_cast<fw::TBitBtn*>(SkinData->FOwnerControl);
    if (!b || b->Glyph()->Empty()) return;  // a foreign bit button draws no glyph
    const fw::TRect R = GlyphRect();
    fw::TBitmap* glyph = b->Glyph();
    if (glyph->PixelFormat() == fw::pfDevice) glyph->SetHandleType(fw::bmDIB);
    if (b->NumGlyphs() <= 1 && HasAlphaChannel(glyph)) {
        // One image with an alpha channel: composed by its alpha, so the
        // skin shows through its soft edges (no key colour, no states).
        DrawAlphaGlyph(glyph, SkinData->FCacheBmp, R.TopLeft());
        return;
    }
    DrawGlyphEx(glyph, SkinData->FCacheBmp, R, b->NumGlyphs(), b->Enabled(), TsDisabledGlyphKind{dgBlended},
                CurrentState(), 0, Down(), false);
}

bool HasAlphaChannel(fw::TBitmap* Bmp) {
    if (!Bmp || Bmp->PixelFormat() != fw::pf32bit) return false;
    for (int y = 0; y < Bmp->Height(); ++y) {
        const auto* p = static_cast<const uint8_t*>(Bmp->ScanLine(y));
        for (int x = 0; x < Bmp->Width(); ++x)
            if (p[4 * x + 3]) return true;
    }
    return false;
}

void DrawAlphaGlyph(fw::TBitmap* Glyph, fw::TBitmap* Dst, fw::TPoint At) {
    if (!Glyph || !Dst || Glyph->Empty()) return;
    auto png = std::make_unique<TPNGGraphic>();
    png->SetPixelFormat(fw::pf32bit);
    png->SetSize(Glyph->Width(), Glyph->Height());
    for (int y = 0; y < Glyph->Height(); ++y)
        std::memcpy(png->ScanLine(y), Glyph->ScanLine(y), size_t(Glyph->Width()) * 4);
    Dst->Canvas()->Draw(At.X, At.Y, png.get());
}

}  // namespace skin
