// The provider's side of extended borders: making and freeing the border
// window, the frame and shadow in the 32-bit cache, and the form's messages
// that move the border window along or that it passes on.
#include <vector>

#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/sFrameRegion.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sAlphaGraph.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sChannels.h"
#include "skin/paint/sCommonData.h"

namespace skin {

namespace {

// Every rectangle of Rgn.
std::vector<RECT> RegionRects(HRGN Rgn) {
    std::vector<RECT> rects;
    const DWORD size = GetRegionData(Rgn, 0, nullptr);
    if (!size) return rects;
    std::vector<BYTE> buf(size);
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    if (!GetRegionData(Rgn, size, data)) return rects;
    const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
    rects.assign(r, r + data->rdh.nCount);
    return rects;
}

}  // namespace

TExBorders TsSkinProvider::ExBorders() const {
    TExBorders e;
    TsSkinManager* m = SkinManager();
    if (!BorderForm || !m || !m->SkinData) return e;
    e.On = true;
    e.SkinBorder = m->SkinData->ExBorderWidth;
    e.SkinTitle = m->SkinData->ExTitleHeight;
    e.Shadow = m->FormShadowSize;
    return e;
}

void TsSkinProvider::SetAllowExtBorders(bool Value) {
    if (FAllowExtBorders == Value) return;
    FAllowExtBorders = Value;
    if (ComponentState().Contains(fw::csLoading)) return;
    TsSkinManager* m = SkinManager();
    InitExBorders(m && m->ExtendedBorders());
    FCommonData->BGChanged = true;
    if (Form && Form->HandleAllocated())
        RedrawWindow(Form->WindowHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TsSkinProvider::InitExBorders(bool Value) {
    const bool wanted = Value && FAllowExtBorders && FDrawNonClientArea && Form && Form->HandleAllocated() &&
                        !Destroying() && HaveBorder(State()) && !Form->Parent() && Form->FormStyle() != fw::fsMDIChild;
    fw::TBitmap* cache = FCommonData ? FCommonData->FCacheBmp : nullptr;
    if (wanted) {
        if (BorderForm) return;
        BorderForm = new TacBorderForm(this);
        FCommonData->BGChanged = true;
        if (cache) cache->SetPixelFormat(fw::pf32bit);
        RgnChanged = true;
        UpdateRgn(false);
        BorderForm->UpdateExBordersPos(true, 255);
        return;
    }
    if (!BorderForm) return;
    TacBorderFormBase* gone = BorderForm;
    BorderForm = nullptr;
    delete gone;
    if (!FCommonData) return;
    if (cache) cache->SetPixelFormat(fw::pf24bit);
    FCommonData->BGChanged = true;
    RgnChanged = true;
    // The form's own frame shows again.
    if (Showing() && !Destroying() && Skinned())
        RedrawWindow(Form->WindowHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TsSkinProvider::PaintExFrame(const TFrameContent& Content) {
    fw::TBitmap* cache = FCommonData->FCacheBmp;
    const TFrameState s = State();
    const TExBorders e = ExBorders();
    TFrameState sx;
    TFrameMetrics mx;
    ExFrame(s, FMetrics, e, sx, mx);
    const fw::TSize size = ExImageSize(s, FMetrics, e);
    const RECT& sh = e.Shadow;

    fw::TBitmap* frame = CreateBmp24(0, 0);
    PaintFrame(frame, sx, mx, FFrameSkin, Buttons, Content, FormActive ? FGlow1 : FGlow2);

    if (cache->PixelFormat() != fw::pf32bit) cache->SetPixelFormat(fw::pf32bit);
    cache->SetSize(size.cx, size.cy);
    for (int y = 0; y < size.cy; ++y) ZeroMemory(cache->ScanLine(y), size_t(size.cx) * 4);

    // The shadow: the skin's template as nine parts over the whole image.
    TsSkinManager* m = SkinManager();
    fw::TBitmap* shadow = m ? (FormActive ? m->ShdaTemplate : m->ShdiTemplate) : nullptr;
    if (auto* bf = dynamic_cast<TacBorderForm*>(BorderForm)) bf->ShadowTemplate = shadow;
    if (shadow && !shadow->Empty() && m->SkinData) {
        const int c = m->SkinData->ExContentOffs;
        const fw::TRect widths(sh.left + c, sh.top + c, sh.right + c, sh.bottom + c);
        PaintControlByTemplate(cache, shadow, fw::TRect(0, 0, size.cx, size.cy),
                               fw::TRect(0, 0, shadow->Width(), shadow->Height()), widths, widths,
                               fw::TRect(1, 1, 1, 1), false, false);
    }

    // The frame over it, opaque; its cut corners keep the shadow.
    HRGN rgn = skin::GetRgnFromArOR(sx, skin::FillArOR(sx, FFrameSkin), sh.left, sh.top);
    HDC dc = cache->Canvas()->Handle();
    const int saved = SaveDC(dc);
    SelectClipRgn(dc, rgn);
    BitBlt(dc, sh.left, sh.top, frame->Width(), frame->Height(), frame->Canvas()->Handle(), 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
    GdiFlush();
    for (const RECT& r : RegionRects(rgn)) FillAlphaRect(cache, fw::TRect(r.left, r.top, r.right, r.bottom), 255);
    DeleteObject(rgn);
    delete frame;
}

void TsSkinProvider::ExBordersBefore(fw::TMessage& Message) {
    auto* bf = dynamic_cast<TacBorderForm*>(BorderForm);
    if (!bf) return;
    switch (Message.Msg) {
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP:
        case WM_NCRBUTTONUP:
        case WM_NCLBUTTONDBLCLK:
            // Passed on by the border window, which leaves the code to us.
            if (Message.WParam == WPARAM(-1)) Message.WParam = WPARAM(bf->Ex_WMNCHitTest(Message));
            break;
        default:
            break;
    }
}

void TsSkinProvider::ExBordersAfter(fw::TMessage& Message) {
    if (Destroying()) return;
    if (Message.Msg == fw::CM_VISIBLECHANGED && Message.WParam == 1 && !BorderForm) {
        TsSkinManager* m = SkinManager();
        InitExBorders(m && m->ExtendedBorders());
        return;
    }
    if (!BorderForm) return;
    switch (Message.Msg) {
        case WM_WINDOWPOSCHANGED:
        case WM_SIZE:
        case WM_SIZING:
        case fw::CM_ACTIVATE:
        case WM_EXITSIZEMOVE:
            BorderForm->UpdateExBordersPos(false, 255);
            break;
        case WM_NCACTIVATE:
        case WM_SETTEXT:
        case fw::CM_SHOWINGCHANGED:
            BorderForm->UpdateExBordersPos(true, 255);
            break;
        case fw::CM_VISIBLECHANGED:
            BorderForm->UpdateExBordersPos(Message.WParam == 1, 255);
            break;
        case WM_STYLECHANGED:
            if (Message.WParam == WPARAM(GWL_EXSTYLE)) BorderForm->UpdateExBordersPos(true, 255);
            break;
        default:
            break;
    }
}

}  // namespace skin
