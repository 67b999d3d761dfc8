#include "skin/forms/acBorderForm.h"

#include "framework/rtl/Exception.h"
#include "framework/windows/Application.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sAnimCore.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"

namespace skin {

namespace {

// Forms of this tag are never skinned by the window-creation hook.
constexpr intptr_t kNeverSkinnedTag = -98;

bool IsClientMouse(UINT Msg) { return Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSEFIRST + 9; }

}  // namespace

TacBorderForm::TacBorderForm(fw::TObject* AOwner, TsCommonData* Data) : TacBorderFormBase(AOwner, Data) {
    auto* f = new fw::TForm(nullptr);
    f->AfterConstruction();
    f->SetTag(kNeverSkinnedTag);
    f->SetBorderStyle(fw::bsNone);
    f->SetVisible(false);
    f->HandleNeeded();
    const HWND h = f->WindowHandle();
    SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    OldBorderProc = f->WindowProc();
    f->SetWindowProc(fw::TWndMethod(this, &TacBorderForm::BorderProc));
    AForm = f;
}

TacBorderForm::~TacBorderForm() {
    if (TacBorderOwner* o = Owner()) o->KillAnimations();
    fw::TCustomForm* f = AForm;
    AForm = nullptr;
    if (f) {
        f->SetWindowProc(OldBorderProc);
        f->Free();
    }
}

bool DropBorderForm(TacBorderFormBase*& BorderForm, TsCommonData* Data, bool& RgnChanged) {
    if (!BorderForm) return false;
    TacBorderFormBase* gone = BorderForm;
    BorderForm = nullptr;
    delete gone;
    if (!Data) return false;
    if (Data->FCacheBmp) Data->FCacheBmp->SetPixelFormat(fw::pf24bit);
    Data->BGChanged = true;
    RgnChanged = true;
    return true;
}

TacBorderOwner* TacBorderForm::Owner() const { return dynamic_cast<TacBorderOwner*>(FOwner); }

bool TacBorderForm::Frame(TFrameState& S, TExBorders& E) const {
    TacBorderOwner* o = Owner();
    if (!o || !OwnerHandle()) return false;
    S = o->State();
    E = o->ExBorders();
    return true;
}

fw::TRect TacBorderForm::ShadowSize() const {
    TacBorderOwner* o = Owner();
    return o ? o->ShadowSize() : fw::TRect();
}

int TacBorderForm::OffsetX() const {
    TFrameState s;
    TExBorders e;
    return Frame(s, e) ? ExWindowOffset(s, Owner()->Metrics(), e).X : 0;
}

int TacBorderForm::OffsetY() const {
    TFrameState s;
    TExBorders e;
    return Frame(s, e) ? ExWindowOffset(s, Owner()->Metrics(), e).Y : 0;
}

fw::TPoint TacBorderForm::FramePoint(int X, int Y) const {
    const fw::TPoint w = WindowPos();
    const fw::TRect sh = ShadowSize();
    return fw::TPoint(X - w.X - sh.Left, Y - w.Y - sh.Top);
}

fw::TPoint TacBorderForm::WindowPos() const {
    RECT r{};
    if (AForm && AForm->HandleAllocated()) GetWindowRect(AForm->WindowHandle(), &r);
    return fw::TPoint(r.left, r.top);
}

HRGN TacBorderForm::MakeRgn() {
    TFrameState s;
    TExBorders e;
    if (!Frame(s, e)) return nullptr;
    const TFrameMetrics& m = Owner()->Metrics();
    HRGN rgn = ExZoomedRegion(s, m, e);
    // The form's own window shows its client area (and menu lines): the
    // border window leaves a hole there.
    const fw::TSize size = ExImageSize(s, m, e);
    if (!rgn) rgn = CreateRectRgn(0, 0, size.cx, size.cy);
    const fw::TPoint o = ExClientOffset(s, m, e);
    const int lines = s.MenuLines * MenuHeight(s, m);
    HRGN client =
        CreateRectRgn(o.X, o.Y - lines, o.X + s.ClientWidth + s.VScrollWidth, o.Y + s.ClientHeight + s.HScrollHeight);
    CombineRgn(rgn, rgn, client, RGN_XOR);
    DeleteObject(client);
    return rgn;
}

bool TacBorderForm::MouseAboveTheShadow(const fw::TMessage& Message) {
    TacBorderOwner* o = Owner();
    if (!o || !SkinData || !AForm || !AForm->HandleAllocated()) return false;
    if (fw::Application && fw::Application->Terminated()) return false;
    TsSkinManager* m = SkinData->GetSkinManager();
    if (!m || !m->Active()) return false;
    TFrameState s;
    TExBorders e;
    if (!Frame(s, e) || s.Zoomed) return false;
    // Client mouse messages carry this window's client point (it has no
    // frame); the non-client ones a screen point.
    fw::TPoint p(short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam)));
    if (!IsClientMouse(Message.Msg)) {
        const fw::TPoint w = WindowPos();
        p = fw::TPoint(p.X - w.X, p.Y - w.Y);
    }
    if (!ExAboveTheShadow(s, o->Metrics(), e, p)) return false;
    o->SetHotHT(-1, true);
    return true;
}

int TacBorderForm::Ex_WMNCHitTest(fw::TMessage& Message) {
    TacBorderOwner* o = Owner();
    TFrameState s;
    TExBorders e;
    if (!o || !Frame(s, e)) return -1;
    if (const int own = o->ExtHitTest(Message)) return own;
    const fw::TPoint w = WindowPos();
    const fw::TPoint p(short(LOWORD(Message.LParam)) - w.X, short(HIWORD(Message.LParam)) - w.Y);
    const int code = ExFrameHitTest(s, o->Metrics(), e, o->FrameSkin(), o->CaptionButtons(), p);
    o->SetHotHT(code == -1 ? 0 : code, true);
    return code;
}

bool TacBorderForm::Ex_WMSetCursor(fw::TMessage& Message) {
    POINT c{};
    GetCursorPos(&c);
    fw::TMessage ask{};
    ask.Msg = WM_NCHITTEST;
    ask.LParam = MAKELPARAM(c.x, c.y);
    const fw::TPoint w = WindowPos();
    fw::TMessage move{};
    move.Msg = WM_MOUSEMOVE;
    move.LParam = MAKELPARAM(c.x - w.X, c.y - w.Y);
    if (MouseAboveTheShadow(move)) return false;
    const int code = Ex_WMNCHitTest(ask);
    Message.LParam = MAKELPARAM(code, HIWORD(Message.LParam));
    LPCWSTR cursor = nullptr;
    switch (code) {
        case HTCAPTION:
        case HTMENU:
            cursor = IDC_ARROW;
            break;
        case HTLEFT:
        case HTRIGHT:
            cursor = IDC_SIZEWE;
            break;
        case HTTOP:
        case HTBOTTOM:
            cursor = IDC_SIZENS;
            break;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT:
            cursor = IDC_SIZENWSE;
            break;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
            cursor = IDC_SIZENESW;
            break;
        default:
            return false;
    }
    SetCursor(LoadCursorW(nullptr, cursor));
    Message.Result = 1;
    return true;
}

void TacBorderForm::PassShadowMessage(fw::TMessage& Message) {
    TacBorderOwner* o = Owner();
    const HWND self = AForm->WindowHandle(), owner = OwnerHandle();
    acInMouseMsg = true;
    // The pixel under the cursor leaves this window, so the next mouse event
    // there reaches the window below.
    HRGN rgn = MakeRgn();
    if (!rgn) {
        RECT r{};
        GetWindowRect(self, &r);
        rgn = CreateRectRgn(0, 0, r.right - r.left, r.bottom - r.top);
    }
    const int x = short(LOWORD(Message.LParam)), y = short(HIWORD(Message.LParam));
    HRGN pixel = CreateRectRgn(x, y, x + 1, y + 1);
    CombineRgn(rgn, rgn, pixel, RGN_XOR);
    DeleteObject(pixel);
    if (o && o->OwnerModal())
        DeleteObject(rgn);
    else
        SetWindowRgn(self, rgn, FALSE);
    const fw::TPoint w = WindowPos();
    const HWND below = WindowFromPoint(POINT{w.X + x, w.Y + y});
    if (below && below != self && below != owner) SendMessageW(below, Message.Msg, Message.WParam, Message.LParam);
    acInMouseMsg = false;
}

void TacBorderForm::DoubleClick(fw::TMessage& Message) {
    TacBorderOwner* o = Owner();
    const HWND owner = OwnerHandle();
    Message.WParam = WPARAM(Ex_WMNCHitTest(Message));
    if (!o || !owner) return;
    if (int(Message.WParam) == HTCAPTION) {
        const TFrameState s = o->State();
        if (VisibleClose(s) && (EnabledMax(s) || EnabledRestore(s) || (s.BorderStyle == fw::bsNone && s.Iconic)))
            SendMessageW(owner, WM_SYSCOMMAND, s.Zoomed || s.Iconic ? SC_RESTORE : SC_MAXIMIZE, 0);
        else if (s.Iconic)
            SendMessageW(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
        o->UpdateSysMenu();
        Message.WParam = 0;
    } else if (int(Message.WParam) == HTSYSMENU) {
        SendMessageW(owner, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
}

void TacBorderForm::BorderProc(fw::TMessage& Message) {
    fw::ExceptionBarrier([&] {
        if (IsClientMouse(Message.Msg) && MouseAboveTheShadow(Message)) {
            PassShadowMessage(Message);
            return;
        }
        switch (Message.Msg) {
            case WM_ERASEBKGND:
            case WM_NCPAINT:
                Message.Result = 1;
                return;
            case WM_SETCURSOR:
                if (!Ex_WMSetCursor(Message)) OldBorderProc(Message);
                return;
            case WM_MOUSEACTIVATE:
                Message.Result = MA_NOACTIVATE;
                if (const HWND owner = OwnerHandle()) SetForegroundWindow(owner);
                return;
            case WM_WINDOWPOSCHANGED:
                if (TacBorderOwner* o = Owner()) o->KillAnimations();
                OldBorderProc(Message);
                if (!acInMouseMsg) UpdateExBordersPos(false, 255);
                return;
            case WM_NCHITTEST:
                if (MouseAboveTheShadow(Message)) {
                    Message.Result = -1;
                    OldBorderProc(Message);
                } else {
                    Message.Result = HTOBJECT;
                }
                return;
            case WM_NCLBUTTONDOWN:
            case WM_NCLBUTTONUP:
            case WM_NCRBUTTONUP:
                if (!MouseAboveTheShadow(Message)) {
                    // The owner finds the code itself (Ex_WMNCHitTest).
                    if (const HWND owner = OwnerHandle())
                        Message.Result = SendMessageW(owner, Message.Msg, WPARAM(-1), Message.LParam);
                    return;
                }
                break;
            case WM_NCLBUTTONDBLCLK:
                DoubleClick(Message);
                return;
            case WM_NCMOUSELEAVE:
            case WM_MOUSELEAVE:
                // The frame's hot title button goes out with the mouse.
                if (TacBorderOwner* o = Owner()) o->SetHotHT(0, true);
                break;
            case WM_NCRBUTTONDOWN:
                if (!MouseAboveTheShadow(Message)) {
                    Message.WParam = WPARAM(Ex_WMNCHitTest(Message));
                    if (const HWND owner = OwnerHandle())
                        Message.Result = SendMessageW(owner, Message.Msg, Message.WParam, Message.LParam);
                    return;
                }
                break;
            default:
                break;
        }
        OldBorderProc(Message);
    });
}

void TacBorderForm::UpdateExBordersPos(bool Redraw, BYTE Blend) {
    if (!AForm || ExBorderShowing || acPrintDC) return;
    if (fw::Application && fw::Application->Terminated()) return;
    TacBorderOwner* o = Owner();
    const HWND owner = OwnerHandle();
    RECT wr{};
    if (!o || !owner || !GetWindowRect(owner, &wr)) return;
    // May free this window: nothing of it is touched after a refusal.
    if (!o->ExBordersFollow()) return;
    const HWND self = AForm->WindowHandle();
    ExBorderShowing = true;
    o->PaintAll();
    Redraw = true;
    fw::TBitmap* image = SkinData->FCacheBmp;
    TFrameState s = o->State();
    const TExBorders e = o->ExBorders();
    const fw::TPoint d = ExWindowOffset(s, o->Metrics(), e);
    // A popup owner (a system dialog) has a popup border window.
    if (GetWindowLongW(owner, GWL_STYLE) & WS_POPUP)
        SetWindowLongW(self, GWL_STYLE, GetWindowLongW(self, GWL_STYLE) | WS_POPUP);

    // The form's own owner window: a window owned by the form would always
    // stand above it, and one owned elsewhere is restacked apart from it.
    const HWND ownersOwner = GetWindow(owner, GW_OWNER);
    if (GetWindow(self, GW_OWNER) != ownersOwner) SetWindowLongPtrW(self, GWLP_HWNDPARENT, LONG_PTR(ownersOwner));
    // Right behind the owner, in the owner's band (topmost or not).
    const bool topmost = GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST;
    if (topmost != bool(GetWindowLongW(self, GWL_EXSTYLE) & WS_EX_TOPMOST))
        SetWindowPos(self, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    HWND after = owner;
    if (s.Iconic) after = GetWindow(owner, GW_HWNDPREV) ? GetWindow(owner, GW_HWNDPREV) : HWND_TOP;
    UINT flags = SWP_NOSENDCHANGING | SWP_NOOWNERZORDER | SWP_NOACTIVATE;
    if (!Redraw) flags |= SWP_NOREDRAW;
    const int x = wr.left - d.X, y = wr.top - d.Y;
    int w = image ? image->Width() : 0, h = image ? image->Height() : 0;
    if (s.Zoomed) h -= e.Shadow.bottom + ExFrameWidth(s, o->Metrics(), e);
    RECT now{};
    GetWindowRect(self, &now);
    const bool sized = now.right - now.left != w || now.bottom - now.top != h;
    if (acLayered && UpdateLayeredWindow && image && (Redraw || sized) && !acInMouseMsg) {
        const BYTE alpha = o->ExBordersAlpha(Blend);
        SetWindowLongW(self, GWL_EXSTYLE, GetWindowLongW(self, GWL_EXSTYLE) | WS_EX_NOACTIVATE | WS_EX_LAYERED);
        SetWindowPos(self, after, x, y, w, h, flags);
        SetWindowRgn(self, MakeRgn(), FALSE);
        HDC screen = GetDC(nullptr);
        POINT pos{x, y}, src{0, 0};
        SIZE size{w, h};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
        UpdateLayeredWindow(self, screen, &pos, &size, image->Canvas()->Handle(), &src, 0, &blend, ULW_ALPHA);
        ReleaseDC(nullptr, screen);
        const LONG style = GetWindowLongW(owner, GWL_STYLE);
        if (Blend == 0) SetWindowLongW(owner, GWL_STYLE, style & ~WS_VISIBLE);
        ShowWindow(self, SW_SHOWNOACTIVATE);
        if (Blend == 0) SetWindowLongW(owner, GWL_STYLE, GetWindowLongW(owner, GWL_STYLE) | WS_VISIBLE);
        // Showing may have raised it: back behind the owner.
        SetWindowPos(self, after, 0, 0, 0, 0, flags | SWP_NOMOVE | SWP_NOSIZE);
    } else {
        SetWindowPos(self, after, x, y, w, h, flags);
    }
    ExBorderShowing = false;
}

}  // namespace skin
