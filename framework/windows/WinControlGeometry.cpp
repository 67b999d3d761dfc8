// TWinControl: the client area, the inner border and the bounds kept in step
// with the window.
#include <algorithm>

#include "framework/graphics/DCGuards.h"
#include "framework/windows/Controls.h"

namespace fw {

TRect TWinControl::ClientRect() {
    if (handle_) {
        TRect r;
        GetClientRect(handle_, r.AsRECT());
        return r;
    }
    TRect r = TControl::ClientRect();
    r.Right = std::max<LONG>(0, r.Right - 2 * borderWidth_);
    r.Bottom = std::max<LONG>(0, r.Bottom - 2 * borderWidth_);
    return r;
}

// ---- the inner border

void InsetClientArea(TMessage& Message, const TRect& Insets) {
    RECT* r = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                             : reinterpret_cast<RECT*>(Message.LParam);
    r->left += Insets.Left;
    r->top += Insets.Top;
    r->right -= Insets.Right;
    r->bottom -= Insets.Bottom;
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
}

void TWinControl::SetBorderWidth(int Value) {
    if (Value < 0 || borderWidth_ == Value) return;
    borderWidth_ = Value;
    Perform(CM_BORDERCHANGED);
}

void TWinControl::CMBorderChanged(TMessage&) {
    if (!handle_) {
        Realign();
        return;
    }
    // WM_NCCALCSIZE, then WM_SIZE when the client area changed (realigning).
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (visible_) RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void TWinControl::WMNCCalcSize(TMessage& Message) {
    DefaultHandler(Message);
    if (borderWidth_) InsetClientArea(Message, TRect(borderWidth_, borderWidth_, borderWidth_, borderWidth_));
}

void TWinControl::WMNCPaint(TMessage& Message) {
    DefaultHandler(Message);
    if (!borderWidth_ || !handle_) return;
    TWindowDC dc(handle_, true);
    PaintBorderBand(dc);
}

void TWinControl::PaintBorderBand(HDC DC) {
    RECT window, client;
    GetWindowRect(handle_, &window);
    GetClientRect(handle_, &client);
    MapWindowPoints(handle_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    // Inside the scroll bars and the system's frame, which the native
    // answer to WM_NCCALCSIZE took off before the border.
    RECT band = client;
    InflateRect(&band, borderWidth_, borderWidth_);
    int saved = SaveDC(DC);
    ExcludeClipRect(DC, client.left, client.top, client.right, client.bottom);
    FillRect(DC, &band, brush_.Handle());
    RestoreDC(DC, saved);
}

TPoint TWinControl::ClientOrigin() {
    if (handle_) {
        POINT p = {0, 0};
        ::ClientToScreen(handle_, &p);
        return TPoint(p);
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    CheckNewSize(AWidth, AHeight);
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
    if (handle_ && !IsIconic(handle_)) {
        // WM_WINDOWPOSCHANGED reads the bounds back, realigns and resizes.
        SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        bool resized = AWidth != width_ || AHeight != height_;
        left_ = ALeft;
        top_ = ATop;
        width_ = AWidth;
        height_ = AHeight;
        if (handle_) {
            WINDOWPLACEMENT wp = {};
            wp.length = sizeof wp;
            GetWindowPlacement(handle_, &wp);
            wp.rcNormalPosition = BoundsRect();
            SetWindowPlacement(handle_, &wp);
        }
        if (resized) {
            Realign();
            if (!ComponentState().Contains(csLoading)) Resize();
        }
    }
    if (!parent_ || !parent_->controlState_.Contains(csAligning)) UpdateAnchorRules();
    RequestAlign();
}

void TWinControl::UpdateBounds() {
    if (!handle_ || IsIconic(handle_)) return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD) {
        HWND p = GetParent(handle_);
        if (p) MapWindowPoints(HWND_DESKTOP, p, reinterpret_cast<POINT*>(&r), 2);
    }
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
}

void TWinControl::WMWindowPosChanged(TWMWindowPosMsg& Message) {
    // DefWindowProc sends WM_SIZE and WM_MOVE, whose handlers read the bounds.
    DefaultHandler(reinterpret_cast<TMessage&>(Message));
}

void TWinControl::WMSize(TWMSize& Message) {
    int oldW = width_, oldH = height_;
    UpdateBounds();
    DefaultHandler(reinterpret_cast<TMessage&>(Message));
    Realign();
    if ((oldW != width_ || oldH != height_) && !ComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& Message) {
    UpdateBounds();
    DefaultHandler(Message);
}

}  // namespace fw
