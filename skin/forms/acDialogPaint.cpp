// The skinned dialog's painting: the whole window image rendered once per
// change into the skin data's cache, then plain copies of it to the frame
// and the client background; a title button repaints its own rectangle.
#include "framework/windows/Application.h"
#include "skin/engine/acGdiGuards.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/acSBAnimation.h"
#include "skin/forms/sExBorderPaint.h"
#include "skin/forms/sFramePaint.h"
#include "skin/forms/sFrameRegion.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sVclUtils.h"

namespace skin {

void TacDialogWnd::PaintAll() {
    if (Destroyed || !IsWindow(CtrlHandle)) return;
    InitCtrlData(this);
    fw::TBitmap*& cache = SkinData->FCacheBmp;
    if (!cache) {
        cache = CreateBmp24(0, 0);
        SkinData->BGChanged = true;
    }
    const TFrameState s = State();
    if (BorderForm) {
        const fw::TSize size = ExImageSize(s, FMetrics, ExBorders());
        if (cache->PixelFormat() != fw::pf32bit || cache->Width() != size.cx || cache->Height() != size.cy)
            SkinData->BGChanged = true;
    } else if (cache->Width() != CaptionWidth(s) || cache->Height() != FrameImageHeight(s, FMetrics)) {
        SkinData->BGChanged = true;
    }
    if (SkinData->BGChanged) {
        RgnChanged = true;
        // The border window renders outside the non-client painting that
        // otherwise reads the text first.
        if (BorderForm) Caption = GetWndText(CtrlHandle);
        TFrameContent content;
        content.Caption = Caption;
        content.Icon = TitleIcon;
        // Filled at every full paint: a title button repaints from it.
        content.ButtonsBG = TempBmp;
        fw::TBitmap*& glow = FFormActive ? FGlow1 : FGlow2;
        if (auto* bf = dynamic_cast<TacBorderForm*>(BorderForm))
            bf->ShadowTemplate = PaintExFrameImage(cache, s, FMetrics, ExBorders(), FFrameSkin, Buttons, content, glow,
                                                   SkinData->GetSkinManager(), FFormActive);
        else
            PaintFrame(cache, s, FMetrics, FFrameSkin, Buttons, content, glow);
        SkinData->BGChanged = false;
    }
    SkinData->FUpdating = false;
}

void TacDialogWnd::PaintCaption(HDC DC) {
    if (BorderForm) {
        // The frame is the border window's.
        if (SkinData->BGChanged) BorderForm->UpdateExBordersPos(true, 255);
        return;
    }
    PaintAll();
    CopyFrameToWindow(DC, SkinData->FCacheBmp, State(), fw::TPoint(OffsetX(), OffsetY()));
}

void TacDialogWnd::Ac_WMNCPaint() {
    // Children added since the last paint get their wrappers.
    if (Provider) Provider->InitHwndControls(CtrlHandle);
    if (RgnChanged && !RgnUpdating()) {
        const TFrameState s = State();
        if (BorderStyle != acbsNone || (s.Style & WS_THICKFRAME)) {
            ArOR = FillArOR(s, FFrameSkin);
            RgnChanged = false;
            UpdateRgn(true);
        }
    }
    const TacWindowDC dc(CtrlHandle);
    if (!dc.Get()) return;
    {
        const TacSavedDC saved(dc.Get());
        PaintCaption(dc.Get());
    }
    SkinData->FUpdating = false;
}

void TacDialogWnd::PaintForm(HDC DC) {
    PaintAll();
    fw::TBitmap* cache = SkinData->FCacheBmp;
    if (!cache) return;
    RECT client{};
    GetClientRect(CtrlHandle, &client);
    BitBlt(DC, 0, 0, client.right, client.bottom, cache->Canvas()->Handle(), OffsetX(), OffsetY(), SRCCOPY);
    // The children's backgrounds are the dialog's: they follow its look.
    for (HWND c = GetTopWindow(CtrlHandle); c; c = GetWindow(c, GW_HWNDNEXT))
        SendMessageW(c, SM_ALPHACMD, MAKEWPARAM(0, smcEndParentUpdate), 0);
}

void TacDialogWnd::Ac_WMPaint(HDC GivenDC) {
    // A see-through child (a toolbar) asks for its parent's background with
    // its own DC: it gets the dialog's image under it.
    const HWND dcOwner = GivenDC ? WindowFromDC(GivenDC) : nullptr;
    if (dcOwner && dcOwner != CtrlHandle && IsChild(CtrlHandle, dcOwner)) {
        PaintAll();
        fw::TBitmap* cache = SkinData->FCacheBmp;
        if (!cache) return;
        POINT at{0, 0};
        MapWindowPoints(dcOwner, CtrlHandle, &at, 1);
        RECT r{};
        GetClientRect(dcOwner, &r);
        // The child may have moved the DC's origin to the dialog's: the
        // image goes where the child's own top-left pixel lies.
        POINT org{0, 0};
        GetWindowOrgEx(GivenDC, &org);
        BitBlt(GivenDC, org.x, org.y, r.right, r.bottom, cache->Canvas()->Handle(), OffsetX() + at.x, OffsetY() + at.y,
               SRCCOPY);
        return;
    }
    HDC dc = GivenDC ? GivenDC : GetDC(CtrlHandle);
    if (!dc) return;
    const int saved = SaveDC(dc);
    SkinData->FUpdating = false;
    // Visible children are not overdrawn; group boxes and tab-stop statics are.
    for (HWND c = GetTopWindow(CtrlHandle); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(c, GWL_STYLE);
        if (!(style & WS_VISIBLE) || (style & 7) == 7) continue;
        wchar_t cls[16] = {};
        GetClassNameW(c, cls, 16);
        if ((style & WS_TABSTOP) && lstrcmpiW(cls, L"static") == 0) continue;
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, CtrlHandle, reinterpret_cast<POINT*>(&r), 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    PaintForm(dc);
    RestoreDC(dc, saved);
    if (!GivenDC) ReleaseDC(CtrlHandle, dc);
}

void TacDialogWnd::RepaintButton(int HitCode) {
    TsCaptionButton* btn = ButtonOf(HitCode);
    fw::TBitmap* cache = SkinData->FCacheBmp;
    if (!btn || btn->State < 0 || Destroyed || !IsWindowVisible(CtrlHandle)) return;
    if (BorderForm) {
        // The buttons are drawn in the border window's image.
        SkinData->BGChanged = true;
        BorderForm->UpdateExBordersPos(true, 255);
        return;
    }
    const TFrameState s = State();
    if (!cache || SkinData->BGChanged || TempBmp->Empty() || cache->Width() != CaptionWidth(s)) {
        SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
        return;
    }
    if (AnimatedButtons(nullptr, this)) {
        // The button fades in its own overlay; the image keeps it normal.
        StartSBAnimation(btn, btn->State, btn->State == 2 ? 1 : 10, btn->State != 0, nullptr, this);
        return;
    }
    const fw::TRect r = btn->Rect;
    HDC cacheDC = cache->Canvas()->Handle();
    // The title as it lies under the button, then the button in its state.
    BitBlt(cacheDC, r.Left, r.Top, r.Width(), r.Height(), TempBmp->Canvas()->Handle(), r.Left, r.Top, SRCCOPY);
    PaintTitleButton(cache, *btn, Buttons, s, FFrameSkin);
    HDC dc = GetWindowDC(CtrlHandle);
    BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), cacheDC, r.Left, r.Top, SRCCOPY);
    ReleaseDC(CtrlHandle, dc);
}

void TacDialogWnd::KillAnimations() {
    for (TsCaptionButton* b : {&Buttons.Min, &Buttons.Max, &Buttons.Close, &Buttons.Help}) FreeSBAnimation(*b);
}

}  // namespace skin
