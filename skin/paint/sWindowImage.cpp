#include "skin/paint/sWindowImage.h"

#include "framework/windows/ComCtrls.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sMessages.h"
#include "skin/paint/sAlphaGraph.h"
#include "skin/paint/sAnimCore.h"
#include "skin/paint/sBGQuery.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sVclUtils.h"

namespace skin {

void MoveWindowOrg(HDC DC, int X, int Y) {
    POINT org{};
    GetWindowOrgEx(DC, &org);
    SetWindowOrgEx(DC, org.x - X, org.y - Y, nullptr);
}

namespace {

// Where Child's window lies in Parent's window; a child without windows to
// compare lies at its bounds (a frame of the parent is then not counted).
POINT ChildPlace(fw::TWinControl* Parent, fw::TWinControl* Child) {
    POINT p{Child->Left(), Child->Top()};
    if (!Parent->HandleAllocated() || !Child->HandleAllocated()) return p;
    RECT pr{}, cr{};
    GetWindowRect(Parent->WindowHandle(), &pr);
    GetWindowRect(Child->WindowHandle(), &cr);
    return POINT{cr.left - pr.left, cr.top - pr.top};
}

// Where the form's window lies in its provider's image (the border
// window's): the client's place in the image less its place in the window.
POINT FormPlaceInImage(TsSkinProviderBase* sp, fw::TWinControl* Form) {
    if (!Form->HandleAllocated()) return POINT{0, 0};
    RECT wr{};
    GetWindowRect(Form->WindowHandle(), &wr);
    POINT client{0, 0};
    ClientToScreen(Form->WindowHandle(), &client);
    return POINT{sp->OffsetX() - (client.x - wr.left), sp->OffsetY() - (client.y - wr.top)};
}

// One child, its window origin moved to its place, plus Shift (a parentless
// form keeps the origin).
void PaintChild(fw::TBitmap* Bmp, HDC DC, fw::TWinControl* Parent, fw::TWinControl* Child, POINT Shift = {0, 0}) {
    const int saved = SaveDC(DC);
    auto* form = dynamic_cast<fw::TCustomForm*>(Child);
    if (!form || form->Parent()) {
        const POINT p = ChildPlace(Parent, Child);
        MoveWindowOrg(DC, p.x + Shift.x, p.y + Shift.y);
    }
    SkinPaintTo(Bmp, Child, Child->Left(), Child->Top(), nullptr);
    RestoreDC(DC, saved);
}

}  // namespace

void SkinPaintTo(fw::TBitmap* Bmp, fw::TControl* Ctrl, int X, int Y, fw::TComponent* Provider) {
    if (!Bmp || !Ctrl) return;
    HDC DC = Bmp->Canvas()->Handle();
    auto* sp = dynamic_cast<TsSkinProviderBase*>(Provider);
    if (!Provider && !Ctrl->Visible() && Ctrl->Parent()) {
        // Nothing of an invisible control shows: what lies behind it does.
        TacBGInfo bg;
        GetBGInfo(&bg, Ctrl->Parent(), false);
        if (bg.BgType == btCache && bg.Bmp)
            BitBlt(DC, X, Y, Ctrl->Width(), Ctrl->Height(), bg.Bmp->Canvas()->Handle(), bg.Offset.X + Ctrl->Left(),
                   bg.Offset.Y + Ctrl->Top(), SRCCOPY);
        else
            FillDC(DC, fw::TRect(X, Y, X + Ctrl->Width(), Y + Ctrl->Height()), bg.Color);
        return;
    }
    if (!sp || !sp->BorderForm) IntersectClipRect(DC, 0, 0, Ctrl->Width(), Ctrl->Height());
    auto* win = dynamic_cast<fw::TWinControl*>(Ctrl);
    if (!win) {
        Ctrl->Perform(WM_PRINT, WPARAM(DC), 0);
        return;
    }
    auto* form = dynamic_cast<fw::TCustomForm*>(win);
    // The image of a form with extended borders is the border window's: the
    // form's window, and so its children, lie at its place in it.
    const POINT shift = sp && sp->BorderForm ? FormPlaceInImage(sp, win) : POINT{0, 0};
    if (form && form->FormStyle() == fw::fsMDIForm)
        for (int i = 0; i < form->MDIChildCount(); ++i) PaintChild(Bmp, DC, form, form->MDIChildren(i), shift);
    // A tab sheet's border lies around what it draws.
    auto* sheet = dynamic_cast<fw::TTabSheet*>(win);
    const int sheetBorder = sheet ? sheet->BorderWidth() : 0;
    if (sheetBorder) MoveWindowOrg(DC, sheetBorder, sheetBorder);
    if (win->HandleAllocated() && GetBoolMsg(win, smcIsHandled))
        win->Perform(WM_PRINT, WPARAM(DC), 0);
    else
        win->PaintTo(DC, 0, 0);
    // Children are placed by their windows, which hold the border already.
    if (sheetBorder) MoveWindowOrg(DC, -sheetBorder, -sheetBorder);
    for (int i = 0; i < win->ControlCount(); ++i) {
        auto* child = dynamic_cast<fw::TWinControl*>(win->Controls(i));
        if (child && child->Visible()) PaintChild(Bmp, DC, win, child, shift);
    }
    if (sp && sp->BorderForm) {
        // The client area of a form with extended borders is opaque in the image.
        const fw::TRect client = win->ClientRect();
        FillAlphaRect(
            Bmp, fw::TRect(sp->OffsetX(), sp->OffsetY(), sp->OffsetX() + client.Right, sp->OffsetY() + client.Bottom),
            255);
    }
}

void RenderWindowImage(fw::TBitmap* Bmp, fw::TControl* Ctrl, fw::TComponent* Provider) {
    fw::TCanvas* canvas = Bmp->Canvas();
    canvas->Lock();
    acPrintDC = canvas->Handle();
    struct Done {
        fw::TCanvas* c;
        ~Done() {
            acPrintDC = nullptr;
            c->Unlock();
        }
    } done{canvas};
    SkinPaintTo(Bmp, Ctrl, 0, 0, Provider);
}

fw::TBitmap* DialogImage(TacDialogWndBase* Wnd) {
    const HWND dlg = Wnd->DialogHandle();
    Wnd->PaintAll();
    fw::TBitmap* cache = Wnd->DialogSkinData()->FCacheBmp;
    fw::TBitmap* image = CreateBmp32(cache->Width(), cache->Height());
    fw::TCanvas* canvas = image->Canvas();
    canvas->Lock();
    HDC dc = canvas->Handle();
    acPrintDC = dc;
    BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
    RECT client{};
    GetClientRect(dlg, &client);
    const int x = Wnd->OffsetX(), y = Wnd->OffsetY();
    const int saved = SaveDC(dc);
    MoveWindowOrg(dc, x, y);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    TacProvider printer(nullptr);  // prints for a wrapper the hook gave no provider
    (Wnd->Provider ? Wnd->Provider : &printer)->PrintHwndControls(dlg, dc);
    RestoreDC(dc, saved);
    if (Wnd->BorderForm)
        FillAlphaRect(image, fw::TRect(x, y, x + client.right, y + client.bottom), 255);
    else
        FillAlphaRect(image, fw::TRect(0, 0, image->Width(), image->Height()), 255);
    acPrintDC = nullptr;
    canvas->Unlock();
    return image;
}

}  // namespace skin
