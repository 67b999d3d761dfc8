#include "skin/forms/sOutline.h"

#include <algorithm>

namespace skin {

bool bInProcess = false;
bool bCapture = false;
bool bMode = false;
bool DoStartMove = false;
HWND deskwnd = nullptr;
HDC formDC = nullptr;
int nDC = 0;
int nleft = 0, ntop = 0, nright = 0, nbottom = 0;
int nX = 0, nY = 0;
int nDirection = 0;
int nMinWidth = 0, nMinHeight = 0;

fw::TRect SizedOutline(const fw::TRect& Form, int Direction, int DX, int DY, int MinWidth, int MinHeight) {
    fw::TRect r = Form;
    switch (Direction) {
        case HTTOP:
        case HTTOPLEFT:
        case HTTOPRIGHT:
            r.Top = std::min(Form.Top + DY, r.Bottom - MinHeight);
            break;
        case HTLEFT:
        case HTRIGHT:
            break;
        default:
            r.Bottom = std::max(Form.Bottom + DY, r.Top + MinHeight);
            break;
    }
    switch (Direction) {
        case HTLEFT:
        case HTTOPLEFT:
        case HTBOTTOMLEFT:
            r.Left = std::min(Form.Left + DX, r.Right - MinWidth);
            break;
        case HTTOP:
        case HTBOTTOM:
            break;
        default:
            r.Right = std::max(Form.Right + DX, r.Left + MinWidth);
            break;
    }
    return r;
}

fw::TPoint MDIOutlineShift(const TFrameState& Parent, const TFrameMetrics& M, fw::TPoint ParentScreen,
                           fw::TPoint ClientInParent, int ClientEdge) {
    return fw::TPoint(ParentScreen.X + OffsetX(Parent) + ClientInParent.X + ClientEdge,
                      ParentScreen.Y + OffsetY(Parent, M) + ClientInParent.Y + ClientEdge);
}

}  // namespace skin
