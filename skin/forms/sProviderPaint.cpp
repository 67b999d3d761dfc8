// The provider's painting: the window image in the skin data's cache, the
// frame copied from it at WM_NCPAINT and the client background from it at
// WM_ERASEBKGND and WM_PAINT.
#include "framework/windows/Application.h"
#include "skin/engine/acGdiGuards.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/forms/sFramePaint.h"
#include "skin/forms/sFrameRegion.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sAnimCore.h"
#include "skin/paint/sBGQuery.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sSectionPaint.h"
#include "skin/paint/sVclUtils.h"
#include "skin/windows/acMDIWnd.h"

namespace skin {

namespace {

// The title icon: the form's, else the application window's small icon,
// else the library's application icon, else the system's.
HICON TitleIconOf(fw::TCustomForm* Form) {
    if (HICON icon = Form->Icon()->Handle()) return icon;
    if (fw::Application && fw::Application->Handle())
        if (auto icon = HICON(SendMessageW(fw::Application->Handle(), WM_GETICON, ICON_SMALL2, 0))) return icon;
    if (AppIcon && AppIcon->Handle()) return AppIcon->Handle();
    return LoadIconW(nullptr, IDI_APPLICATION);
}

}  // namespace

fw::TColor TsSkinProvider::FormColor() const {
    TsSkinManager* m = SkinManager();
    if (m && FCommonData->Skinned() && !FCommonData->CustomColor())
        if (const TsGeneralData* g = FCommonData->Section()) return FormActive ? g->HotColor : g->Color;
    return fw::ColorToRGB(Form->Color());
}

bool TsSkinProvider::FormChanged() const {
    const fw::TBitmap* cache = FCommonData->FCacheBmp;
    if (!cache) return true;
    const TFrameState s = State();
    if (BorderForm) {
        const fw::TSize size = ExImageSize(s, FMetrics, ExBorders());
        return cache->PixelFormat() != fw::pf32bit || cache->Width() != size.cx || cache->Height() != size.cy;
    }
    return cache->Width() != CaptionWidth(s) || cache->Height() != FrameImageHeight(s, FMetrics);
}

void TsSkinProvider::PaintAll() {
    if (!Form || Form->ControlState().Contains(fw::csCreating)) return;
    fw::TBitmap*& cache = FCommonData->FCacheBmp;
    if (!cache) {
        cache = BorderForm ? CreateBmp32(0, 0) : CreateBmp24(0, 0);
        FCommonData->BGChanged = true;
        UpdateSkinState(FCommonData, false);
    }
    if (FormChanged()) FCommonData->BGChanged = true;
    if (FCommonData->BGChanged && MDIPaintHeld()) {
        // Painted once the child is shown and the bar holds its last items.
        PostMessageW(Form->WindowHandle(), WM_NCPAINT, 1, 0);
        FCommonData->FUpdating = false;
        return;
    }
    if (FCommonData->BGChanged) {
        RgnChanged = true;
        TFrameContent content;
        content.Caption = Form->Caption();
        content.CaptionAlignment = FCaptionAlignment;
        content.Icon = TitleIconOf(Form);
        content.IconGlyph = FTitleIcon.Glyph();
        content.ButtonsBG = TempBmp.get();
        content.AddedTitle = FAddedTitle.Text();
        content.AddedFont = FAddedTitle.Font();
        if (fw::TWinControl* parent = Form->Parent(); parent && Form->FormStyle() != fw::fsMDIChild) {
            // A form inside another window shows that window where its frame
            // is see-through.
            TacBGInfo bg;
            GetBGInfo(&bg, parent, false);
            content.Behind = BGInfoToCI(bg);
            content.Behind.X += Form->Left();
            content.Behind.Y += Form->Top();
        }
        Buttons.User = FTitleButtons.Views();
        const TFrameState s = State();
        if (BorderForm)
            PaintExFrame(content);
        else
            PaintFrame(cache, s, FMetrics, FFrameSkin, Buttons, content, FormActive ? FGlow1 : FGlow2);
        if (s.MenuLine && MenuPresent() && MenuHeight(s, FMetrics) > 0 && FDrawNonClientArea) PaintMenuLine(cache);
        PaintMDIArea();
        PaintMDILineButtons();
        MenuChanged = false;
        FCommonData->BGChanged = false;
        // The form's own painting goes into the image, over its client area.
        if (Form->OnPaint.Assigned() && IsCached(FCommonData)) {
            HDC dc = cache->Canvas()->Handle();
            const int saved = SaveDC(dc);
            SetViewportOrgEx(dc, OffsetX(), OffsetY(), nullptr);
            {
                fw::CanvasBinding bind(static_cast<fw::TControlCanvas*>(Form->Canvas()), dc);
                Form->OnPaint(Form);
            }
            RestoreDC(dc, saved);
        }
        FirstInitialized = true;
    }
    FCommonData->FUpdating = false;
}

void TsSkinProvider::PaintMDIArea() {
    // The client's wall is copied from here (acMDIWnd): the "MDIAREA"
    // section lies where the client window is.
    if (!MDIForm || !MDIForm->ListSW || !FCommonData->FCacheBmp) return;
    TsSkinManager* m = SkinManager();
    const int index = m ? m->GetSkinIndex(L"MDIAREA") : -1;
    if (index < 0) return;
    const fw::TRect r = MDIForm->ListSW->PlaceInForm();
    if (r.IsEmpty()) return;
    PaintItem(index, L"MDIAREA", MakeCacheInfo(FCommonData->FCacheBmp), true, 0, r, r.TopLeft(), FCommonData->FCacheBmp,
              m);
}

void TsSkinProvider::PaintCaption(HDC DC) {
    CheckMDIButtons();
    if (BorderForm) {
        // The frame is the border window's.
        if (FCommonData->BGChanged || !FCommonData->FCacheBmp || FormChanged())
            BorderForm->UpdateExBordersPos(true, 255);
        // But for the menu line: the form's own window shows it through the
        // border window's hole.
        const fw::TRect band = MenuLineBand();
        fw::TBitmap* cache = FCommonData->FCacheBmp;
        if (cache && MenuPresent() && band.Width() > 0 && band.Height() > 0) {
            const fw::TPoint o = FormInImage();
            BitBlt(DC, band.Left - o.X, band.Top - o.Y, band.Width(), band.Height(), cache->Canvas()->Handle(),
                   band.Left, band.Top, SRCCOPY);
        }
        return;
    }
    if (FCommonData->BGChanged || !FCommonData->FCacheBmp || FormChanged()) PaintAll();
    CopyFrameToWindow(DC, FCommonData->FCacheBmp, State(), fw::TPoint(OffsetX(), OffsetY()));
}

void TsSkinProvider::AC_WMNCPaint() {
    if (!FDrawNonClientArea || !Form || !Form->HandleAllocated() || MDIPaintSkipped()) return;
    if (MDIMaxChildCreated && Form->FormStyle() == fw::fsMDIChild) return;
    const HWND h = Form->WindowHandle();
    if (RgnChanged && !RgnChanging) {
        const TFrameState s = State();
        if (FrameNeedsRegion(s)) {
            FillArOR();
            RgnChanged = false;
            UpdateRgn(false);
        } else {
            RgnChanged = false;
            const TacRegion current(CreateRectRgn(0, 0, 0, 0));
            if (GetWindowRgn(h, current.Get()) != ERROR) SetWindowRgn(h, nullptr, FALSE);
        }
    }
    FCommonData->FUpdating = false;
    if (!FCommonData->FCacheBmp || FCommonData->FCacheBmp->Empty()) FCommonData->BGChanged = true;
    {
        const TacWindowDC dc(h);
        const TacSavedDC saved(dc.Get());
        PaintCaption(dc.Get());
    }
    RgnChanging = false;
}

void TsSkinProvider::PaintForm(HDC DC, bool SendUpdated) {
    if (!(FCommonData->CtrlSkinState & 0x0001)) {
        const bool changed = FCommonData->BGChanged;
        if (!FCommonData->UrgentPainting) PaintAll();
        fw::TBitmap* cache = FCommonData->FCacheBmp;
        if (cache && Form->FormStyle() != fw::fsMDIForm) {
            const TFrameState s = State();
            BitBlt(DC, 0, 0, s.ClientWidth, s.ClientHeight, cache->Canvas()->Handle(), OffsetX(), OffsetY(), SRCCOPY);
            PaintControls(DC, Form, changed || ControlsChanged, fw::TPoint(0, 0));
        }
        if (SendUpdated) SetParentUpdated(Form);
    } else if (Form->FormStyle() != fw::fsMDIForm) {
        RECT r{};
        GetClientRect(Form->WindowHandle(), &r);
        FillDC(DC, r, FormColor());
        // Labels and speed buttons have no window: painted here or nowhere.
        PaintControls(DC, Form, true, fw::TPoint(0, 0));
    }
    ControlsChanged = false;
}

void TsSkinProvider::AC_WMEraseBkGnd(HDC DC) {
    FCommonData->FUpdating = false;
    if (fAnimating || Destroying() || !DC || MDIPaintSkipped()) return;
    const int saved = SaveDC(DC);
    PaintForm(DC, true);
    RestoreDC(DC, saved);
}

void TsSkinProvider::OurPaintHandler(fw::TMessage& Message) {
    const HWND h = Form->WindowHandle();
    PAINTSTRUCT ps{};
    if (fAnimating || Destroying() || (InAnimationProcess && !Message.WParam)) {
        BeginPaint(h, &ps);
        EndPaint(h, &ps);
        return;
    }
    HDC dc = HDC(Message.WParam);
    if (!dc) dc = BeginPaint(h, &ps);
    FCommonData->FUpdating = false;
    if (!MDIPaintSkipped()) PaintForm(dc, true);
    if (!Message.WParam) EndPaint(h, &ps);
}

void UpdateSkinCaption(TsSkinProvider* sp) {
    if (!sp || !sp->Form || sp->FInAnimation || !sp->DrawNonClientArea() || !sp->Form->HandleAllocated()) return;
    const HWND h = sp->Form->WindowHandle();
    if (!IsWindowVisible(h) || sp->Form->ControlState().Contains(fw::csDestroyingHandle)) return;
    // A maximised MDI child's caption is shown in its parent's title.
    if (sp->Form->FormStyle() == fw::fsMDIChild && IsZoomed(h))
        if (TsSkinProvider* parent = MDIParentProvider(sp->Form); parent && parent != sp) {
            UpdateSkinCaption(parent);
            return;
        }
    sp->SkinData()->BGChanged = true;
    HDC dc = GetWindowDC(h);
    sp->PaintCaption(dc);
    ReleaseDC(h, dc);
}

}  // namespace skin
