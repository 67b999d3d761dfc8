// The provider's MDI side: the parent's companion, the buttons of a
// maximised child in the parent's menu line (painting, hot and pressed
// states, their commands) and what a child's messages change in its parent.
#include "skin/engine/sFormSkinningBase.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"

namespace skin {

namespace {

// The buttons' rectangles are the form window's (its hit test reads them);
// with a border window the image lies elsewhere.
TMDIButtons InImage(const TMDIButtons& B, fw::TPoint Offset) {
    TMDIButtons r = B;
    for (TsCaptionButton* b : {&r.Min, &r.Max, &r.Close}) fw::OffsetRect(b->Rect, Offset.X, Offset.Y);
    return r;
}

}  // namespace

void TsSkinProvider::HookMDI(bool Active) {
    if (Active) {
        if (MDIForm) return;
        MDISkinProvider = this;
        MDIForm = new TsMDIForm(this);
        MDIForm->ConnectToClient();
        return;
    }
    delete MDIForm;
    MDIForm = nullptr;
    MDIButtonsShown = false;
}

void TsSkinProvider::PaintMDILineButtons() {
    fw::TBitmap* cache = FCommonData->FCacheBmp;
    const TMDIState ms = MDIStateOf(this);
    MDIButtonsShown = cache && MDIButtonsNeeded(ms);
    if (!MDIButtonsShown) {
        MDIButtons.Min.Rect = MDIButtons.Max.Rect = MDIButtons.Close.Rect = fw::TRect();
        return;
    }
    UpdateMDIIconsIndexes(MDIButtons, Buttons, FFrameSkin);
    LayoutMDIButtons(MDIButtons, State(), FMetrics, FFrameSkin);
    const TMDIButtons img = InImage(MDIButtons, FormInImage());
    // The line under the buttons, for repainting one of them alone.
    const fw::TRect r = MDIButtonsRect(img);
    if (!MDIButtonsBG) MDIButtonsBG.reset(CreateBmp24(0, 0));
    MDIButtonsBG->SetSize(r.Width(), r.Height());
    BitBlt(MDIButtonsBG->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), cache->Canvas()->Handle(), r.Left, r.Top,
           SRCCOPY);
    PaintMDIButtons(cache, img, ms, FFrameSkin);
}

void TsSkinProvider::RepaintMDIMenuLine() {
    if (!FCommonData || !Form || !Form->HandleAllocated()) return;
    FCommonData->BGChanged = true;
    if (Showing()) RepaintFrame();
}

void TsSkinProvider::CheckMDIButtons() {
    if (!Form || Form->FormStyle() != fw::fsMDIForm) return;
    if (MDIButtonsShown != MDIButtonsNeeded(MDIStateOf(this))) FCommonData->BGChanged = true;
}

void TsSkinProvider::RepaintMDIButton(int HitCode) {
    TsCaptionButton* btn = MDIButtons.Of(HitCode);
    fw::TBitmap* cache = FCommonData->FCacheBmp;
    if (!btn || !Showing()) return;
    const fw::TRect all = MDIButtonsRect(MDIButtons);
    if (!MDIButtonsShown || !cache || !MDIButtonsBG || FCommonData->BGChanged || FormChanged() ||
        MDIButtonsBG->Width() != all.Width() || MDIButtonsBG->Height() != all.Height()) {
        RepaintMDIMenuLine();
        return;
    }
    const fw::TPoint o = FormInImage();
    const TMDIButtons img = InImage(MDIButtons, o);
    const TsCaptionButton* ib = img.Of(HitCode);
    const fw::TRect r = ib->Rect;
    HDC cacheDC = cache->Canvas()->Handle();
    BitBlt(cacheDC, r.Left, r.Top, r.Width(), r.Height(), MDIButtonsBG->Canvas()->Handle(), btn->Rect.Left - all.Left,
           btn->Rect.Top - all.Top, SRCCOPY);
    PaintMDIButton(cache, *ib, img, MDIStateOf(this), FFrameSkin);
    const HWND h = Form->WindowHandle();
    HDC dc = GetWindowDC(h);
    BitBlt(dc, btn->Rect.Left, btn->Rect.Top, r.Width(), r.Height(), cacheDC, r.Left, r.Top, SRCCOPY);
    ReleaseDC(h, dc);
}

bool TsSkinProvider::MDIButtonDown(int HitCode) {
    // The child's window-menu rules decide what its buttons may do.
    const TMDIState ms = MDIStateOf(this);
    if (!MDIButtonsNeeded(ms)) return false;
    if (HitCode == HTMDIMIN && !ms.ChildEnabledMin) return false;
    if (HitCode == HTMDIMAX && !ms.ChildEnabledRestore) return false;
    SetPressedHT(HitCode);
    return true;
}

void TsSkinProvider::MDIButtonUp(int HitCode, bool Pressed) {
    if (!Pressed || !MDIForm) {
        SetHotHT(0, true);
        return;
    }
    // The command may take the child's buttons away: the line is painted
    // afresh after it, not the button.
    SetHotHT(0, false);
    switch (HitCode) {
        case HTMDICLOSE:
            MDIForm->CloseClick(this);
            break;
        case HTMDIMAX:
            MDIForm->RestoreClick(this);
            break;
        case HTMDIMIN: {
            // The line waits for the child's new state.
            TParentUpdating updating(this);
            updating.Begin();
            MDIForm->MinClick(this);
            break;
        }
        default:
            break;
    }
    RepaintMDIMenuLine();
}

void TsSkinProvider::MDIAfter(fw::TMessage& Message) {
    if (!Form || !Form->HandleAllocated()) return;
    const fw::TFormStyle style = Form->FormStyle();
    if (style == fw::fsMDIForm) {
        switch (Message.Msg) {
            case WM_SHOWWINDOW:
                // The client exists once the window does.
                if (!Message.WParam) break;
                if (MDIForm) MDIForm->ConnectToClient();
                for (int i = 0; i < Form->MDIChildCount(); ++i)
                    if (fw::TCustomForm* child = Form->MDIChildren(i); child->HandleAllocated())
                        SkinMDIChild(child->Handle());
                break;
            default:
                break;
        }
        return;
    }
    if (style != fw::fsMDIChild) return;
    TsSkinProvider* parent = MDIParentProvider(Form);
    if (!parent || parent == this || parent->ComponentState().Contains(fw::csDestroying)) return;
    switch (Message.Msg) {
        case WM_SHOWWINDOW:
        case fw::CM_SHOWINGCHANGED:
            // A child shown maximised shows its buttons in the parent's line.
            if (IsZoomed(Form->Handle()) && IsWindowVisible(Form->Handle())) parent->RepaintMenu();
            break;
        case WM_SIZE:
            if (Message.WParam == SIZE_MAXIMIZED) {
                // The child's whole image is painted afresh at its new size.
                FCommonData->BGChanged = true;
                RedrawWindow(Form->Handle(), nullptr, nullptr,
                             RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE | RDW_ERASE);
            }
            if (Message.WParam == SIZE_MAXIMIZED || parent->MDIButtonsShown) parent->RepaintMDIMenuLine();
            break;
        default:
            break;
    }
}

}  // namespace skin
