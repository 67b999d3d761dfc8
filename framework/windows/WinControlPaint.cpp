// TWinControl: painting the window and its graphic children, and copying
// it into a DC.
#include <algorithm>

#include "framework/graphics/DCGuards.h"
#include "framework/windows/Controls.h"
#include "framework/windows/StateFlag.h"

namespace fw {

void TWinControl::Invalidate() { Perform(CM_INVALIDATE); }

void TWinControl::CMInvalidate(TMessage& Message) {
    if (!handle_) return;
    if (parent_) parent_->Perform(CM_INVALIDATE, 1);
    if (Message.WParam == 0) InvalidateRect(handle_, nullptr, !controlStyle_.Contains(csOpaque));
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

void TWinControl::WMPaint(TWMPaint& Message) {
    if (!doubleBuffered_ || Message.DC) {
        if (!controlState_.Contains(csCustomPaint) && ControlCount() == 0)
            DefaultHandler(reinterpret_cast<TMessage&>(Message));
        else
            PaintHandler(Message);
        return;
    }
    struct Painting {
        HWND window;
        PAINTSTRUCT ps;
        HDC dc;
        explicit Painting(HWND w) : window(w), dc(BeginPaint(w, &ps)) {}
        ~Painting() { EndPaint(window, &ps); }
    } paint(handle_);
    RECT cr;
    GetClientRect(handle_, &cr);
    if (cr.right <= 0 || cr.bottom <= 0) return;
    TMemoryDC mem(paint.dc);
    TGdiObject<HBITMAP> bmp(CreateCompatibleBitmap(paint.dc, cr.right, cr.bottom));
    TSelectedObject selected(mem, bmp);
    try {
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem.Handle()), reinterpret_cast<LPARAM>(mem.Handle()));
        Message.DC = mem;
        WMPaint(Message);
        Message.DC = nullptr;
        BitBlt(paint.dc, 0, 0, cr.right, cr.bottom, mem, 0, 0, SRCCOPY);
    } catch (...) {
        Message.DC = nullptr;
        throw;
    }
}

void TWinControl::PaintHandler(TWMPaint& Message) {
    HDC dc = Message.DC;
    PAINTSTRUCT ps;
    if (!dc) dc = BeginPaint(handle_, &ps);
    try {
        int clip = SIMPLEREGION;
        int saved = 0;
        if (!controls_.empty()) {
            saved = SaveDC(dc);
            for (TControl* c : controls_)
                if (c->visible_ && c->controlStyle_.Contains(csOpaque)) {
                    clip = ExcludeClipRect(dc, c->left_, c->top_, c->left_ + c->width_, c->top_ + c->height_);
                    if (clip == NULLREGION) break;
                }
        }
        if (clip != NULLREGION) PaintWindow(dc);
        if (saved) RestoreDC(dc, saved);
        PaintControls(dc, nullptr);
    } catch (...) {
        if (!Message.DC) EndPaint(handle_, &ps);
        throw;
    }
    if (!Message.DC) EndPaint(handle_, &ps);
}

void TWinControl::PaintWindow(HDC DC) {
    TMessage m;
    m.Msg = WM_PAINT;
    m.WParam = reinterpret_cast<WPARAM>(DC);
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
    size_t start = 0;
    if (First) {
        auto it = std::find(controls_.begin(), controls_.end(), First);
        if (it != controls_.end()) start = size_t(it - controls_.begin());
    }
    for (size_t i = start; i < controls_.size(); ++i) {
        TControl* c = controls_[i];
        if (!c->visible_) continue;
        RECT r = c->BoundsRect();
        if (!RectVisible(DC, &r)) continue;
        bool copy = controlState_.Contains(csPaintCopy);
        if (copy) c->controlState_.Include(csPaintCopy);
        int saved = SaveDC(DC);
        POINT org;
        GetWindowOrgEx(DC, &org);
        SetWindowOrgEx(DC, org.x - c->left_, org.y - c->top_, nullptr);
        IntersectClipRect(DC, 0, 0, c->width_, c->height_);
        try {
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
        } catch (...) {
            RestoreDC(DC, saved);
            if (copy) c->controlState_.Exclude(csPaintCopy);
            throw;
        }
        RestoreDC(DC, saved);
        if (copy) c->controlState_.Exclude(csPaintCopy);
    }
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
    HWND h = Handle();
    StateFlag copy(controlState_, csPaintCopy);
    RECT wr, cr;
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    POINT co = {0, 0};
    ::ClientToScreen(h, &co);
    const int dx = co.x - wr.left, dy = co.y - wr.top;

    // The frame the system draws for these styles.
    RECT frame = {X, Y, X + (wr.right - wr.left), Y + (wr.bottom - wr.top)};
    if (GetWindowLongW(h, GWL_STYLE) & WS_BORDER) {
        FrameRect(DC, &frame, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&frame, -1, -1);
    }
    if (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) DrawEdge(DC, &frame, EDGE_SUNKEN, BF_RECT);
    if (borderWidth_) {
        POINT org;
        OffsetViewportOrgEx(DC, X, Y, &org);
        PaintBorderBand(DC);
        SetViewportOrgEx(DC, org.x, org.y, nullptr);
    }

    // The client area is painted on a surface of its own with the origin at
    // its corner: system classes clip their painting to their client
    // rectangle taken as device coordinates of the DC they are given.
    if (cr.right > 0 && cr.bottom > 0) {
        TMemoryDC client(DC);
        TGdiObject<HBITMAP> bmp(CreateCompatibleBitmap(DC, cr.right, cr.bottom));
        TSelectedObject selected(client, bmp);
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(client.Handle()), 0);
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(client.Handle()), 0);
        BitBlt(DC, X + dx, Y + dy, cr.right, cr.bottom, client, 0, 0, SRCCOPY);
    }

    for (TWinControl* c : winControls_) {
        if (!c->visible_) continue;
        int saved = SaveDC(DC);
        IntersectClipRect(DC, X + dx, Y + dy, X + dx + cr.right, Y + dy + cr.bottom);
        c->PaintTo(DC, X + dx + c->left_, Y + dy + c->top_);
        RestoreDC(DC, saved);
    }
}

void TWinControl::WMEraseBkgnd(TWMEraseBkgnd& Message) {
    // Double buffered: only the memory bitmap of WMPaint is erased.
    if (doubleBuffered_ && Message.Unused != reinterpret_cast<LPARAM>(Message.DC)) {
        Message.Result = 1;
        return;
    }
    TRect r = ClientRect();
    TBrush* brush = &brush_;
    if (ParentBackground() && parent_) brush = parent_->Brush();
    FillRect(Message.DC, r.AsRECT(), brush->Handle());
    Message.Result = 1;
}

}  // namespace fw
