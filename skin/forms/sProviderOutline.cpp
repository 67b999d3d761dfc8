// The provider's outline moving and sizing (ResizeMode rmBorder): a press on
// the title or an edge starts it, the mouse moves the inverted outline, the
// release (or a double click) puts the form where the outline is.
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sOutline.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

namespace {

fw::TPoint ScreenPoint(LPARAM LParam) { return fw::TPoint(short(LOWORD(LParam)), short(HIWORD(LParam))); }

fw::TRect WindowRect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return fw::TRect(r);
}

// The form's rectangle where its outline is kept: the screen, or for an MDI
// child its MDI client, where MoveWindow places it.
fw::TRect OutlineBase(fw::TCustomForm* Form) {
    const HWND h = Form->WindowHandle();
    RECT r{};
    GetWindowRect(h, &r);
    if (Form->FormStyle() == fw::fsMDIChild)
        if (const HWND client = GetParent(h)) MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
    return fw::TRect(r);
}

}  // namespace

fw::TPoint TsSkinProvider::OutlineShift() const {
    if (!Form || Form->FormStyle() != fw::fsMDIChild) return fw::TPoint(0, 0);
    TsSkinProvider* parent = MDIParentProvider(Form);
    const HWND client = GetParent(Form->WindowHandle());
    if (!parent || !client || !parent->Form || !parent->Form->HandleAllocated()) {
        // No skinned parent: the client's own place on the screen.
        POINT p{0, 0};
        if (client) ClientToScreen(client, &p);
        return fw::TPoint(p.x, p.y);
    }
    const HWND ph = parent->Form->WindowHandle();
    const fw::TRect pr = WindowRect(ph);
    RECT cr{};
    GetWindowRect(client, &cr);
    POINT inParent{cr.left, cr.top};
    ScreenToClient(ph, &inParent);
    const int edge = (GetWindowLongW(client, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0;
    return MDIOutlineShift(parent->State(), parent->Metrics(), pr.TopLeft(), fw::TPoint(inParent.x, inParent.y), edge);
}

void TsSkinProvider::DrawFormBorder(int X, int Y) {
    if (FResizeMode != rmBorder || !formDC) return;
    const fw::TRect form = WindowRect(Form->WindowHandle());
    fw::TRect r =
        bMode ? fw::TRect(X, Y, X + form.Width(), Y + form.Height()) : fw::TRect(nleft, ntop, nright, nbottom);
    // An MDI child's outline is drawn where its client lies on the screen.
    const fw::TPoint shift = OutlineShift();
    r = fw::TRect(r.Left + shift.X, r.Top + shift.Y, r.Right + shift.X, r.Bottom + shift.Y);
    const POINT p[5] = {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}, {r.Left, r.Top}};
    Polyline(formDC, p, 5);
}

void TsSkinProvider::StartMove(int X, int Y) {
    if (FResizeMode != rmBorder) return;
    bInProcess = true;
    deskwnd = GetDesktopWindow();
    formDC = GetWindowDC(deskwnd);
    nDC = SaveDC(formDC);
    const fw::TRect form = OutlineBase(Form);
    ntop = form.Top;
    nleft = form.Left;
    // Drawn twice, the outline leaves the screen as it was.
    SetROP2(formDC, R2_NOT);
    if (bMode) {
        nX = X;
        nY = Y;
        DrawFormBorder(nleft, ntop);
    } else {
        nMinHeight = Form->Constraints()->MinHeight();
        nMinWidth = Form->Constraints()->MinWidth();
        nbottom = form.Bottom;
        nright = form.Right;
        DrawFormBorder(0, 0);
    }
}

void TsSkinProvider::StopMove(int X, int Y) {
    (void)X;
    (void)Y;
    if (FResizeMode != rmBorder) return;
    ReleaseCapture();
    bInProcess = false;
    const HWND h = Form->WindowHandle();
    const fw::TRect form = OutlineBase(Form);
    if (formDC) {
        DrawFormBorder(nleft, ntop);
        RestoreDC(formDC, nDC);
        ReleaseDC(deskwnd, formDC);
        formDC = nullptr;
    }
    if (bMode) {
        MoveWindow(h, nleft, ntop, form.Width(), form.Height(), TRUE);
    } else {
        // A mouse that never moved leaves the form as it was.
        if (!bCapture) MoveWindow(h, nleft, ntop, nright - nleft, nbottom - ntop, TRUE);
        bCapture = false;
    }
}

void TsSkinProvider::NoteSizingHit(int Code) {
    if (FResizeMode == rmBorder && nDirection == 0 && Code >= HTSIZEFIRST && Code <= HTSIZELAST) nDirection = Code;
}

bool TsSkinProvider::OutlineSysCommand(fw::TMessage& Message) {
    const WPARAM cmd = Message.WParam & 0xFFF0;
    // The keyboard's Move and Size keep the system's own loop.
    if (FResizeMode != rmBorder || !FOutlineStarting || (cmd != SC_MOVE && cmd != SC_SIZE)) return false;
    if (!bInProcess) {
        SetCapture(Form->WindowHandle());
        bCapture = true;
        bMode = cmd == SC_MOVE;
        if (!bMode) nDirection = 0;
    }
    Message.Result = 0;
    return true;
}

bool TsSkinProvider::OutlineNCButtonDown(fw::TMessage& Message) {
    const int code = int(Message.WParam);
    if (FResizeMode != rmBorder || code == HTMENU) return false;
    FOutlineStarting = true;
    // The platform activates the form; its own move loop is refused above.
    if (code == HTCAPTION) PassOn(Message);
    bMode = code < HTSIZEFIRST || code > HTSIZELAST;
    SendMessageW(Form->WindowHandle(), WM_SYSCOMMAND, bMode ? SC_MOVE : SC_SIZE, 0);
    FOutlineStarting = false;
    // The pressed edge, not a later hit test, says what the drag sizes.
    if (!bMode) nDirection = code;
    const fw::TPoint p = ScreenPoint(Message.LParam);
    StartMove(p.X, p.Y);
    Message.Result = 0;
    return true;
}

void TsSkinProvider::OutlineMouseMove(fw::TMessage& Message) {
    if (FResizeMode != rmBorder) return;
    POINT p{short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam))};
    ClientToScreen(Form->WindowHandle(), &p);
    const int X = p.x, Y = p.y;
    if (bMode) {
        bCapture = false;
        if (!bInProcess) return;
        DrawFormBorder(nleft, ntop);
        nleft += X - nX;
        ntop += Y - nY;
        nX = X;
        nY = Y;
        DrawFormBorder(nleft, ntop);
        return;
    }
    if (bCapture) {
        nX = X;
        nY = Y;
        bCapture = false;
    }
    if (!bInProcess) return;
    DrawFormBorder(0, 0);
    const fw::TRect r = SizedOutline(OutlineBase(Form), nDirection, X - nX, Y - nY, nMinWidth, nMinHeight);
    nleft = r.Left, ntop = r.Top, nright = r.Right, nbottom = r.Bottom;
    DrawFormBorder(0, 0);
}

bool TsSkinProvider::OutlineButtonUp(fw::TMessage& Message, bool Client) {
    if (FResizeMode != rmBorder || !bInProcess || IsZoomed(Form->WindowHandle())) return false;
    POINT p{short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam))};
    if (Client) ClientToScreen(Form->WindowHandle(), &p);
    StopMove(p.x, p.y);
    ReleaseCapture();
    Message.Result = 0;
    return true;
}

void TsSkinProvider::EndOutline(int X, int Y) {
    if (FResizeMode == rmBorder && bInProcess) {
        StopMove(X, Y);
        ReleaseCapture();
        bInProcess = false;
    }
    DoStartMove = false;
}

}  // namespace skin
