#include "skin/forms/sExBorderGeometry.h"

#include <algorithm>

#include "skin/forms/sFrameHitTest.h"
#include "skin/forms/sMenuLine.h"

namespace skin {

int ExFrameWidth(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E) {
    return E.On && E.SkinBorder != 0 ? E.SkinBorder : SysBorderWidth(S, M);
}

int ExCaptionHeight(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E) {
    const int sys = CaptionHeight(S, M);
    if (sys == 0 || !E.On) return sys;
    if (E.SysExHeight) return std::max(sys + 4, int(E.SkinTitle));
    return E.SkinTitle == 0 ? sys : E.SkinTitle;
}

bool SysExHeightFor(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E) {
    // Measured without the flag: with it the title is never that low, and
    // the flag would turn itself off again.
    TExBorders plain = E;
    plain.SysExHeight = false;
    return S.Zoomed && E.On && ExCaptionHeight(S, M, plain) < CaptionHeight(S, M) + 4;
}

namespace {

int MaxTitleOf(const TExBorders& E) { return E.MaxTitle == 0 ? E.SkinTitle : E.MaxTitle; }

// Where the extended title's items go (in the frame's own coordinates).
TFrameState::TExTitle ExTitleOf(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E) {
    TFrameState::TExTitle t;
    t.On = true;
    const int w = SysBorderWidth(S, M);
    const int title = E.SkinTitle, maxTitle = MaxTitleOf(E);
    const int centre = ExDrawing(E) ? E.CenterOffs : 0;
    // A zoomed form keeps a lower title in view: its items are centred there.
    const bool lower = S.Zoomed && title != maxTitle;
    t.SysBorder = w;
    t.Icon = centre + (lower ? (title - maxTitle) / 2 - 2 : 0);
    t.Caption = t.Icon;
    t.Buttons = centre;
    if (S.Zoomed) t.Buttons += -2 + (lower ? (title - maxTitle - E.CenterOffs) / 2 - 2 : 0) + w / 2;
    t.AlignedTop = centre;
    if (S.Zoomed && !S.MaxConstraints) t.AlignedTop += w - 1;
    if (lower) t.AlignedTop += title - maxTitle;
    return t;
}

}  // namespace

int DiffBorder(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E) {
    return E.On ? ExFrameWidth(S, M, E) - SysBorderWidth(S, M) : 0;
}

int DiffTitle(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E) {
    if (!E.On) return 0;
    return ExCaptionHeight(S, M, E) - CaptionHeight(S, M) - SysBorderWidth(S, M);
}

void ExFrame(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E, TFrameState& Sx, TFrameMetrics& Mx) {
    Sx = S;
    Mx = M;
    if (!E.On) return;
    const int db = DiffBorder(S, M, E), dt = DiffTitle(S, M, E);
    Sx.Width = S.Width + 2 * db;
    Sx.Height = S.Height + dt + db;
    Sx.Left = S.Left - db;
    Sx.Top = S.Top - dt;
    // The extended title counts from the image's top, its border included.
    const int border = ExFrameWidth(S, M, E);
    const int caption = CaptionHeight(S, M) == 0 ? 0 : std::max(0, ExCaptionHeight(S, M, E) - border);
    if (S.Style & WS_THICKFRAME)
        Mx.CxFrame = border;
    else
        Mx.CxDlgFrame = border;
    Mx.CyCaption = caption;
    Mx.CySmCaption = caption;
    Sx.ExTitle = ExTitleOf(S, M, E);
}

bool ExMaxInfo(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E, const TFrameSkin& K,
               const fw::TRect& WorkArea, POINT& MaxPosition, POINT& MaxSize) {
    if (!E.On) return MaxInfo(S, M, WorkArea, MaxPosition, MaxSize);
    if (S.BorderStyle == fw::bsNone || S.MDIChild || S.Child) return false;
    const int w = SysBorderWidth(S, M);
    int e = 0;
    if ((S.Style & WS_CAPTION) == WS_CAPTION) {
        const int over = ExCaptionHeight(S, M, E) - (w + CaptionHeight(S, M));
        e = over > 0 ? over : w;
    }
    int a = E.SkinTitle != MaxTitleOf(E) ? E.SkinTitle + E.CenterOffs - MaxTitleOf(E) : 0;
    if (K.BIVAlign == 1 && K.BITopMargin != 0) a += K.BITopMargin - w;
    MaxPosition = POINT{-w, e - w - a};
    MaxSize = POINT{WorkArea.Width() + 2 * w, WorkArea.Height() + 2 * w + a - e};
    return true;
}

fw::TSize ExImageSize(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E) {
    TFrameState sx;
    TFrameMetrics mx;
    ExFrame(S, M, E, sx, mx);
    return fw::TSize(CaptionWidth(sx) + E.Shadow.left + E.Shadow.right, sx.Height + E.Shadow.top + E.Shadow.bottom);
}

fw::TPoint ExClientOffset(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E) {
    TFrameState sx;
    TFrameMetrics mx;
    ExFrame(S, M, E, sx, mx);
    return fw::TPoint(OffsetX(sx) + E.Shadow.left, OffsetY(sx, mx) + E.Shadow.top);
}

fw::TPoint ExWindowOffset(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E) {
    return fw::TPoint(DiffBorder(S, M, E) + E.Shadow.left, DiffTitle(S, M, E) + E.Shadow.top);
}

fw::TRect ExOwnerRegionRect(const TFrameState& S, const TFrameMetrics& M) {
    const fw::TPoint o(OffsetX(S), OffsetY(S, M) - S.MenuLines * MenuHeight(S, M));
    return fw::TRect(o.X, o.Y, o.X + S.ClientWidth + S.VScrollWidth,
                     o.Y + S.ClientHeight + S.HScrollHeight + S.MenuLines * MenuHeight(S, M));
}

fw::TRect ExMenuLineRect(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E, int ClientTop) {
    TFrameState sx;
    TFrameMetrics mx;
    ExFrame(S, M, E, sx, mx);
    fw::TRect r = MenuLineRect(sx, mx, ClientTop - E.Shadow.top);
    fw::OffsetRect(r, E.Shadow.left, E.Shadow.top);
    return r;
}

fw::TPoint ExMenuLineItemOrigin(const fw::TRect& ItemRect, const TFrameState& S, const TFrameMetrics& M,
                                const TExBorders& E) {
    TFrameState sx;
    TFrameMetrics mx;
    ExFrame(S, M, E, sx, mx);
    fw::TRect r = ItemRect;
    fw::OffsetRect(r, -E.Shadow.left, -E.Shadow.top);
    return MenuLineItemOrigin(r, sx, mx);
}

bool ExAboveTheShadow(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E, fw::TPoint P) {
    if (S.Zoomed) return false;
    const fw::TSize size = ExImageSize(S, M, E);
    const bool inside = P.X >= E.Shadow.left && P.Y >= E.Shadow.top && P.X <= size.cx - E.Shadow.right &&
                        P.Y <= size.cy - E.Shadow.bottom;
    return !inside;
}

int ExFrameHitTest(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E, const TFrameSkin& K,
                   const TTitleButtons& B, fw::TPoint P) {
    if (!S.Enabled) return -1;
    TFrameState sx;
    TFrameMetrics mx;
    ExFrame(S, M, E, sx, mx);
    const fw::TSize size = ExImageSize(S, M, E);
    const RECT& sh = E.Shadow;
    const fw::TPoint q(P.X - sh.left, P.Y - sh.top);  // in the frame without the shadow

    const int button = TitleButtonHitTest(sx, B, q);
    // A disabled user button answers as the client area does here.
    if (button == HTCLIENT) return -1;
    if (button == HTCLOSE || button == HTMAXBUTTON || button == HTMINBUTTON || button == HTHELP || button >= HTUDBTN)
        return button;

    if (!S.Zoomed && (S.Style & WS_THICKFRAME)) {
        const int b = SysBorderWidth(S, M);
        int code = 0;
        if (P.Y >= size.cy - b - sh.bottom && P.Y <= size.cy - sh.bottom)
            code = HTBOTTOM;
        else if (P.Y >= sh.top && P.Y <= sh.top + b)
            code = HTTOP;
        if (P.X >= sh.left && P.X <= sh.left + b)
            code = code == HTTOP ? HTTOPLEFT : code == HTBOTTOM ? HTBOTTOMLEFT : HTLEFT;
        if (P.X >= size.cx - b - sh.right && P.X <= size.cx - sh.right)
            code = code == HTTOP || code == HTTOPLEFT         ? HTTOPRIGHT
                   : code == HTBOTTOM || code == HTBOTTOMLEFT ? HTBOTTOMRIGHT
                                                              : HTRIGHT;
        if (code) return code;
    }

    const int title = ExCaptionHeight(S, M, E) + sh.top;
    if (P.Y >= 0 && P.Y <= title) {
        fw::TRect icon = IconRect(sx, mx, K);
        fw::OffsetRect(icon, sh.left, sh.top);
        return icon.Contains(P) ? HTSYSMENU : HTCAPTION;
    }
    if (P.Y <= title + S.MenuLines * MenuHeight(S, M)) return HTMENU;
    if (IsGripVisible(sx) && K.Image(K.GripIndex)) {
        const fw::TPoint g = RBGripPoint(sx, mx, K);
        if (q.X >= g.X && q.Y >= g.Y) return HTBOTTOMRIGHT;
    }
    return -1;
}

HRGN ExZoomedRegion(const TFrameState& S, const TFrameMetrics& M, const TExBorders& E) {
    if (!S.Zoomed) return nullptr;
    const fw::TSize size = ExImageSize(S, M, E);
    const int bd = SysBorderWidth(S, M) + DiffBorder(S, M, E);
    return CreateRectRgn(bd + E.Shadow.left, E.Shadow.top + 4, size.cx - bd - E.Shadow.right,
                         size.cy - bd - E.Shadow.bottom);
}

}  // namespace skin
