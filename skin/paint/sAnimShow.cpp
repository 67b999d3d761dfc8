#include "skin/paint/sAnimShow.h"

#include <algorithm>

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sMessages.h"
#include "skin/paint/sAlphaGraph.h"
#include "skin/paint/sAnimCore.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sFadeSum.h"
#include "skin/paint/sVclUtils.h"
#include "skin/paint/sWindowImage.h"

namespace skin {

namespace {

constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;

// Where the temporary window stands: its screen rectangle (the image's size),
// the real window it covers, topmost or not, and the SetWindowPos flags.
struct ShowPlace {
    fw::TRect Bounds;
    HWND Real = nullptr;
    bool Topmost = false;
    UINT Flags = 0;
};

// The frames of a show animation of Image on the layered window W; Work
// (32-bit, of the image's size) holds the last frame afterwards. Forms and
// controls climb by Alpha / Steps and reach Alpha a frame early, dialogs by
// Alpha / (Steps + 1).
void RunShowFrames(fw::TCustomForm* W, fw::TBitmap* Image, fw::TBitmap* Work, const ShowPlace& Place, unsigned Time,
                   int Alpha, TacAnimType AnimType, bool Dialog) {
    const HWND w = W->Handle();
    const int steps = int(Time / 10);
    BLENDFUNCTION blend = AnimBlend(steps >= 1 ? 0 : ClampAlpha(Alpha));
    AddExStyle(w, WS_EX_LAYERED | WS_EX_NOACTIVATE);
    SetLayeredImage(w, Image, blend);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    HWND after = HWND_TOP;
    UINT flags = Place.Flags;
    if (Place.Topmost) {
        W->SetFormStyle(fw::fsStayOnTop);
        after = HWND_TOPMOST;
    } else if (HWND prev = Place.Real ? GetWindow(Place.Real, GW_HWNDPREV) : nullptr) {
        // Right in front of the real window: behind the one before it.
        if (prev == w)
            flags |= SWP_NOZORDER;
        else
            after = prev;
    }
    SetWindowPos(w, after, Place.Bounds.Left, Place.Bounds.Top, Image->Width(), Image->Height(), flags);
    if (steps <= 0) return;

    const int width = Image->Width(), height = Image->Height();
    const bool aero = AnimType == atAero;
    const double alpha = std::clamp(Alpha, 0, 255);
    const double trans = Dialog ? alpha / (steps + 1) : alpha / steps;
    double p = 0, l = 0, t = 0, r = 0, b = 0, dx = 0, dy = 0;
    if (aero) {
        l = width / 8.0, t = height / 8.0, r = width - l, b = height - t;
        dx = width / (steps * 8.0), dy = height / (steps * 8.0);
    }
    HDC work = Work->Canvas()->Handle(), image = Image->Canvas()->Handle();
    for (int i = 0; i <= steps; ++i) {
        p = std::min(alpha, p + trans);
        blend.SourceConstantAlpha = BYTE(fw::Round(p));
        if (aero) {
            if (l >= 0 && t >= 0)
                StretchBlt(work, RoundInt(l), RoundInt(t), RoundInt(r - l), RoundInt(b - t), image, 0, 0, width, height,
                           SRCCOPY);
            else
                BitBlt(work, 0, 0, width, height, image, 0, 0, SRCCOPY);
        } else if (l == 0) {
            BitBlt(work, 0, 0, width, height, image, 0, 0, SRCCOPY);
            l = 1;
        }
        SetLayeredImage(w, Work, blend);
        if (aero) l -= dx, t -= dy, r += dx, b += dy;
        AnimSleep(10);
    }
}

fw::TRect WindowRectOf(HWND Wnd) {
    RECT r{};
    GetWindowRect(Wnd, &r);
    return fw::TRect(r.left, r.top, r.right, r.bottom);
}

bool IsTopmost(HWND Wnd) { return Wnd && (GetWindowLongW(Wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// The layered path of AnimShowControl: a form's image on a temporary form.
void ShowFormLayered(fw::TCustomForm* Form, TsSkinProviderBase* sp, WORD Time, int Alpha, TacAnimType AnimType) {
    TAnimationScope scope;
    const HWND wnd = Form->Handle();
    const fw::TRect windowRect = WindowRectOf(wnd);
    // A form without a provider shows its window as the framework paints it.
    fw::TBitmap* cache = nullptr;
    if (sp) {
        sp->PaintAll();
        cache = sp->SkinData()->FCacheBmp;
    }
    acDstBmp =
        cache ? CreateBmp32(cache->Width(), cache->Height()) : CreateBmp32(windowRect.Width(), windowRect.Height());
    TacBorderFormBase* bf = sp ? sp->BorderForm : nullptr;
    fw::TCustomForm* border = bf ? bf->AForm : nullptr;
    RenderWindowImage(acDstBmp, Form, sp);
    if (!border) FillAlphaRect(acDstBmp, fw::TRect(0, 0, acDstBmp->Width(), acDstBmp->Height()), 255);

    fw::TForm* temp = NewTempForm();
    ow = temp;
    if (border) {
        border->SetBounds(border->Left(), border->Top(), acDstBmp->Width(), acDstBmp->Height());
        temp->SetBounds(border->Left(), border->Top(), border->Width(), border->Height());
        SetWindowLongW(border->Handle(), GWL_EXSTYLE,
                       GetWindowLongW(temp->WindowHandle(), GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE);
    } else {
        temp->SetBounds(Form->Left(), Form->Top(), Form->Width(), Form->Height());
    }
    const POINT d = ControlFrameOffset(sp);
    ShowPlace place;
    place.Bounds = fw::TRect(windowRect.Left - d.x, windowRect.Top - d.y, windowRect.Left - d.x + acDstBmp->Width(),
                             windowRect.Top - d.y + acDstBmp->Height());
    place.Real = wnd;
    place.Topmost = IsTopmost(wnd);
    place.Flags = SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS;
    fw::TBitmap* work = CreateBmp32(acDstBmp->Width(), acDstBmp->Height());
    RunShowFrames(temp, acDstBmp, work, place, Time, Alpha, AnimType, false);

    if (border) ShowWindow(border->Handle(), SW_HIDE);
    InAnimationProcess = false;
    if (Form->AlphaBlend()) Form->SetAlphaBlendValue(ClampAlpha(Alpha));
    SendMessageW(wnd, WM_SETREDRAW, 1, 0);
    if (border) SetWindowRgn(border->Handle(), bf->MakeRgn(), FALSE);
    RedrawWindow(wnd, nullptr, nullptr, kRedrawAll);
    if (border) {
        SetWindowPos(border->Handle(), nullptr, place.Bounds.Left, place.Bounds.Top, work->Width(), work->Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SetLayeredImage(border->Handle(), work, AnimBlend(ClampAlpha(Alpha)));
        ShowWindow(border->Handle(), SW_SHOWNOACTIVATE);
    }
    ow = nullptr;
    FreeTempForm(temp);
    delete work;
    delete acDstBmp;
    acDstBmp = nullptr;
    acPrintDC = nullptr;
}

// The cross-fade path: the frozen picture (acSrcBmp) blends into the new
// content on the output window, the picture weighing c / 256 with c falling
// by 255 div Steps a frame.
void CrossFade(fw::TWinControl* Ctrl, TsSkinProviderBase* sp, WORD Time) {
    TAnimationScope scope;
    if (!ow) PrepareForAnimation(Ctrl);
    const int w = Ctrl->Width(), h = Ctrl->Height();
    acDstBmp = CreateBmp24(w, h);
    RenderWindowImage(acDstBmp, Ctrl, nullptr);
    fw::TBitmap* work = CreateBmp32(w, h);
    auto* form = dynamic_cast<fw::TCustomForm*>(Ctrl);
    if (form && sp) {
        FillArOR(sp);
        SetWindowRgn(ow->Handle(), GetRgnFromArOR(sp, 0, 0), TRUE);
    }
    const HWND out = ow->Handle();
    HDC dc = GetWindowDC(out);
    const int steps = int(Time / 10);
    if (steps > 0 && acSrcBmp) {
        const int step = 255 / steps;
        int c = 255;
        for (int i = 0; i <= steps; ++i) {
            SumBitmapsByMask(work, acSrcBmp, acDstBmp, nullptr, uint16_t(std::max(c, 0)));
            BitBlt(dc, 0, 0, w, h, work->Canvas()->Handle(), 0, 0, SRCCOPY);
            RefreshMagnifier();
            if (i < steps) {
                AnimSleep(10);
                c -= step;
            }
        }
    }
    BitBlt(dc, 0, 0, w, h, acDstBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    RefreshMagnifier();
    InAnimationProcess = false;
    if (Ctrl->Visible() && Ctrl->HandleAllocated()) {
        SendMessageW(Ctrl->WindowHandle(), WM_SETREDRAW, 1, 0);
        if (LOBYTE(LOWORD(GetVersion())) > 5) RedrawWindow(Ctrl->WindowHandle(), nullptr, nullptr, kRedrawAll);
        if (!form || !(GetWindowLongW(Ctrl->WindowHandle(), GWL_EXSTYLE) & WS_EX_LAYERED))
            SetWindowPos(out, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    }
    ReleaseDC(out, dc);
    fw::TWinControl* done = ow;
    ow = nullptr;
    done->Free();
    delete work;
    delete acSrcBmp;
    acSrcBmp = nullptr;
    delete acDstBmp;
    acDstBmp = nullptr;
}

}  // namespace

// ---- TOutputWindow

TOutputWindow::TOutputWindow(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {
    SetCaption(L"acOutputWindow");
    SetVisible(false);
    SetColor(0x800080);
}

void TOutputWindow::CreateParams(fw::TCreateParams& Params) {
    fw::TCustomControl::CreateParams(Params);
    if (Parent() || ParentWindow()) return;
    Params.Style = WS_POPUP;
    auto* owner = dynamic_cast<fw::TWinControl*>(Owner());
    if (owner && owner->HandleAllocated() && IsTopmost(owner->WindowHandle())) Params.ExStyle |= WS_EX_TOPMOST;
    Params.WndParent = fw::Application->Handle();
}

void TOutputWindow::Dispatch(fw::TMessage& Message) {
    switch (Message.Msg) {
        case WM_ERASEBKGND:
            Message.Result = 1;
            return;
        case WM_NCPAINT:
            Message.Result = 0;
            return;
        default:
            fw::TCustomControl::Dispatch(Message);
    }
}

// ---- the animations

void AnimShowForm(TacBorderFormBase* BorderForm, WORD Time, int Alpha, TacAnimType AnimType) {
    if (!BorderForm || !BorderForm->AForm) return;
    auto* sp = dynamic_cast<TsSkinProviderBase*>(BorderForm->FOwner);
    if (!sp || !sp->Form) return;
    TAnimationScope scope;
    fw::TCustomForm* W = BorderForm->AForm;
    BorderForm->PaintAll();
    fw::TBitmap* cache = BorderForm->SkinData->FCacheBmp;
    acDstBmp = CreateBmp32(cache->Width(), cache->Height());
    RenderWindowImage(acDstBmp, sp->Form, sp);

    const POINT d = FormFrameOffset(sp);
    const fw::TRect bounds = sp->Form->BoundsRect();
    ShowPlace place;
    place.Bounds = fw::TRect(bounds.Left - d.x, bounds.Top - d.y, bounds.Left - d.x + acDstBmp->Width(),
                             bounds.Top - d.y + acDstBmp->Height());
    const HWND owner = BorderForm->OwnerHandle();
    place.Real = owner;
    place.Topmost = IsTopmost(owner);
    place.Flags = SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOOWNERZORDER;
    fw::TBitmap* work = CreateBmp32(acDstBmp->Width(), acDstBmp->Height());
    RunShowFrames(W, acDstBmp, work, place, Time, Alpha, AnimType, false);

    const HWND w = W->Handle();
    SetWindowPos(w, nullptr, place.Bounds.Left, place.Bounds.Top, acDstBmp->Width(), acDstBmp->Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetLayeredImage(w, acDstBmp, AnimBlend(ClampAlpha(Alpha)));
    sp->FInAnimation = false;
    if (sp->Form->AlphaBlend()) sp->Form->SetAlphaBlendValue(ClampAlpha(Alpha));
    if (owner) {
        SendMessageW(owner, WM_SETREDRAW, 1, 0);
        UpdateWindow(owner);
    }
    InAnimationProcess = false;
    if (owner) {
        RedrawWindow(owner, nullptr, nullptr, kRedrawAll);
        SetWindowPos(w, owner, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    delete work;
    delete acDstBmp;
    acDstBmp = nullptr;
}

void AnimShowDlg(TacDialogWndBase* Wnd, WORD Time, int Alpha, TacAnimType AnimType) {
    if (!Wnd || !Wnd->DialogHandle()) return;
    TAnimationScope scope;
    const HWND dlg = Wnd->DialogHandle();
    fw::TForm* temp = nullptr;
    fw::TCustomForm* W = Wnd->BorderForm ? Wnd->BorderForm->AForm : nullptr;
    if (!W) {
        temp = NewTempForm();
        AddExStyle(temp->WindowHandle(), WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
        W = temp;
    }
    acDstBmp = DialogImage(Wnd);

    const POINT d = DialogFrameOffset(Wnd);
    const fw::TRect r = WindowRectOf(dlg);
    ShowPlace place;
    place.Bounds =
        fw::TRect(r.Left - d.x, r.Top - d.y, r.Left - d.x + acDstBmp->Width(), r.Top - d.y + acDstBmp->Height());
    place.Real = dlg;
    place.Topmost = IsTopmost(dlg);
    place.Flags = SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
    fw::TBitmap* work = CreateBmp32(acDstBmp->Width(), acDstBmp->Height());
    RunShowFrames(W, acDstBmp, work, place, Time, Alpha, AnimType, true);

    SetLayeredImage(W->Handle(), acDstBmp, AnimBlend(ClampAlpha(Alpha)));
    SendMessageW(dlg, WM_SETREDRAW, 1, 0);
    InAnimationProcess = false;
    if (!Wnd->BorderForm) UpdateRgn(Wnd, false);
    InvalidateRect(dlg, nullptr, TRUE);
    UpdateWindow(dlg);
    RedrawWindow(dlg, nullptr, nullptr, kRedrawAll);
    SetWindowPos(W->Handle(), dlg, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    acPrintDC = nullptr;
    delete work;
    delete acDstBmp;
    acDstBmp = nullptr;
    FreeTempForm(temp);
}

void AnimShowControl(fw::TWinControl* Ctrl, WORD Time, int Alpha, TacAnimType AnimType) {
    if (!Ctrl) return;
    auto* form = dynamic_cast<fw::TCustomForm*>(Ctrl);
    TsSkinProviderBase* sp = nullptr;
    if (form && form->HandleAllocated())
        sp = reinterpret_cast<TsSkinProviderBase*>(SendAMessage(form->WindowHandle(), smcGetProvider, 0));
    if (acLayered && form)
        ShowFormLayered(form, sp, Time, Alpha, AnimType);
    else
        CrossFade(Ctrl, sp, Time);
}

void PrepareForAnimation(fw::TWinControl* Ctrl) {
    if (!Ctrl) return;
    const fw::TRect r = WindowRectOf(Ctrl->Handle());
    if (!acSrcBmp) acSrcBmp = CreateBmp24(Ctrl->Width(), Ctrl->Height());
    // What the control's window shows now. Its window DC, not the screen's:
    // the same pixels where nothing covers the control, no pixels of other
    // windows where something does, and real pixels also where the screen
    // cannot be read back (a composited or virtual desktop).
    const HWND h = Ctrl->WindowHandle();
    HDC dc = GetWindowDC(h);
    BitBlt(acSrcBmp->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(h, dc);
    if (!ow) ow = fw::Create<TOutputWindow>(Ctrl);
    if (fw::TWinControl* parent = Ctrl->Parent()) {
        ow->SetParent(parent);
        ow->SetBounds(Ctrl->Left(), Ctrl->Top(), Ctrl->Width(), Ctrl->Height());
        // Right above Ctrl among its siblings: behind the one above it.
        HWND above = GetWindow(Ctrl->WindowHandle(), GW_HWNDPREV);
        const HWND out = ow->Handle();
        if (above != out)
            SetWindowPos(out, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ShowWindow(out, SW_SHOWNA);
    } else {
        ow->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        SetWindowPos(ow->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
}

}  // namespace skin
