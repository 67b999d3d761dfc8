#include "skin/forms/sFrameHitTest.h"

#include "skin/forms/sTitleButtons.h"

namespace skin {

fw::TPoint CursorToPoint(const TFrameState& S, int X, int Y) { return fw::TPoint(X - S.Left, Y - S.Top); }

namespace {

bool Inside(const TsCaptionButton& Btn, fw::TPoint P) { return Btn.State >= 0 && Btn.Rect.Contains(P); }

int ButtonCode(const TFrameState& S, const TTitleButtons& B, fw::TPoint P) {
    if (!VisibleClose(S)) return 0;
    if (Inside(B.Close, P)) return HTCLOSE;
    if (VisibleMax(S) && Inside(B.Max, P))
        return EnabledMax(S) || (EnabledRestore(S) && !S.Iconic) ? HTMAXBUTTON : HTCAPTION;
    if (VisibleMin(S) && Inside(B.Min, P)) return S.Iconic || EnabledMin(S) ? HTMINBUTTON : HTCAPTION;
    if (S.BorderIcons.Contains(fw::biHelp) && Inside(B.Help, P)) return HTHELP;
    return 0;
}

int EdgeCode(const TFrameState& S, const TFrameMetrics& M, fw::TPoint P) {
    const int w = SysBorderWidth(S, M);
    const bool bottom = P.Y > S.Height - w, top = P.Y < SysBorderHeight(S, M);
    int code = bottom ? HTBOTTOM : top ? HTTOP : 0;
    if (P.X < w) code = top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
    if (P.X > S.Width - w) code = top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
    return code;
}

}  // namespace

int TitleButtonHitTest(const TFrameState& S, const TTitleButtons& B, fw::TPoint P) {
    if (const int code = ButtonCode(S, B, P)) return code;
    for (size_t i = 0; i < B.User.size(); ++i)
        if (B.User[i].Data && Inside(*B.User[i].Data, P)) return B.User[i].Enabled ? HTUDBTN + int(i) : HTCLIENT;
    return 0;
}

int FrameHitTest(const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K, const TTitleButtons& B,
                 fw::TPoint P) {
    if (const int code = TitleButtonHitTest(S, B, P)) return code;
    if (!S.Zoomed && (S.Style & WS_THICKFRAME))
        if (const int code = EdgeCode(S, M, P)) return code;
    const int c = CaptionHeight(S, M), h = SysBorderHeight(S, M), mh = MenuHeight(S, M);
    if (P.Y >= 0 && P.Y <= c + h) {
        if (h + c <= P.Y && P.Y <= h + c + mh) return HTMENU;
        return IconRect(S, M, K).Contains(P) ? HTSYSMENU : HTCAPTION;
    }
    if (P.Y > c + h + S.MenuLines * mh) {
        const bool grip = IsGripVisible(S) || S.ScrollCorner.Contains(P);
        if (grip && K.Image(K.GripIndex)) {
            const fw::TPoint g = RBGripPoint(S, M, K);
            if (P.X >= g.X && P.Y >= g.Y) return HTBOTTOMRIGHT;
        }
        return HTCLIENT;
    }
    return HTMENU;
}

}  // namespace skin
