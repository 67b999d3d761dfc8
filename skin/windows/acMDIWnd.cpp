#include "skin/windows/acMDIWnd.h"

#include <algorithm>
#include <utility>

#include "framework/graphics/Color.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sFormSkinningBase.h"

namespace skin {

namespace {

bool HasMDIArea(TsCommonData* ProviderData) {
    TsSkinManager* M = ProviderData ? ProviderData->GetSkinManager() : nullptr;
    return M && M->GetSkinIndex(L"MDIAREA") >= 0;
}

bool Animating(TacMDIWnd* W) { return InAnimationProcess || (W->SkinProvider && W->SkinProvider->FInAnimation); }

fw::TColor FormColorOf(TacMDIWnd* W) {
    // The provider answers the colour query with its client's colour.
    if (W->FForm && W->FForm->HandleAllocated())
        if (LRESULT c = SendAMessage(W->FForm->Handle(), smcGetColor)) return fw::TColor(c);
    return DefaultManager ? DefaultManager->GetGlobalColor() : fw::clBtnFace;
}

void MarkChanged(TacMDIWnd* W) {
    if (W->SkinProvider && W->SkinProvider->SkinData()) W->SkinProvider->SkinData()->BGChanged = true;
}

}  // namespace

TacThumbRelease MDIThumbRelease(const SCROLLINFO& Before, int DraggedTo) {
    const int top = std::max(Before.nMin, Before.nMax - std::max(int(Before.nPage) - 1, 0));
    TacThumbRelease r;
    r.Pos = std::clamp(DraggedTo, Before.nMin, top);
    r.Shift = Before.nPos - r.Pos;
    return r;
}

TacMDIWnd::~TacMDIWnd() {
    MDISkinData = nullptr;
    SkinProvider = nullptr;
}

bool TacMDIWnd::SkinnedMDI() const {
    return MDISkinData && MDISkinData->Skinned() && DrawSkinnedMDIWall && DrawSkinnedMDIScrolls;
}

bool TacMDIWnd::ChildMaximized() const {
    BOOL maximized = FALSE;
    const HWND active = HWND(SendMessageW(CtrlHandle, WM_MDIGETACTIVE, 0, LPARAM(&maximized)));
    return active && maximized;
}

fw::TRect TacMDIWnd::PlaceInForm() const {
    RECT c{}, f{};
    GetWindowRect(CtrlHandle, &c);
    if (FForm && FForm->HandleAllocated()) GetWindowRect(FForm->Handle(), &f);
    fw::TRect R(c.left - f.left, c.top - f.top, c.right - f.left, c.bottom - f.top);
    if (SkinProvider && SkinProvider->BorderForm) {
        // The form's window lies in the border window's image beyond the
        // shadow and the extended frame's extra width and title.
        const fw::TRect s = SkinProvider->ShadowSize();
        const int dx = s.Left + DiffBorder(SkinProvider->BorderForm), dy = s.Top + DiffTitle(SkinProvider->BorderForm);
        R = fw::TRect(R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy);
    }
    return R;
}

void PaintMDIArea(TacMDIWnd* W, HDC DC, bool Full) {
    if (!W->SkinProvider || Animating(W)) return;
    TsCommonData* pd = W->SkinProvider->SkinData();
    RECT wr{};
    GetWindowRect(W->CtrlHandle, &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    if (!IsCached(pd) && !HasMDIArea(pd)) {
        FillDC(DC, fw::TRect(0, 0, w, h), FormColorOf(W));
        return;
    }
    if (!pd->FCacheBmp || pd->BGChanged) W->SkinProvider->PaintAll();
    if (!pd->FCacheBmp) return;
    const fw::TRect R = W->PlaceInForm();
    // A client DC starts inside the client edge: the edge is the border's.
    const int s = (!Full && (GetWindowLongW(W->CtrlHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) ? 2 : 0;
    BitBlt(DC, 0, 0, w, h, pd->FCacheBmp->Canvas()->Handle(), R.Left + s, R.Top + s, SRCCOPY);
}

void PaintMDIBorder(TacMDIWnd* W, HDC DC) {
    if (!W->MDISkinData || !W->MDISkinData->FCacheBmp || !W->SkinProvider) return;
    TsCommonData* pd = W->SkinProvider->SkinData();
    const fw::TRect R = W->PlaceInForm();
    if (IsCached(pd) || HasMDIArea(pd)) {
        BitBltBorder(DC, 0, 0, R.Width(), R.Height(), W->MDISkinData->FCacheBmp->Canvas()->Handle(), R.Left, R.Top, 2);
    } else {
        const int b = (GetWindowLongW(W->CtrlHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? 2 : 0;
        FillDCBorder(DC, fw::TRect(0, 0, R.Width(), R.Height()), b, b, b, b, FormColorOf(W));
    }
}

void TacMDIWnd::UpdateGraphControls() {
    if (!FForm || FForm->MDIChildCount() == 0 || !ChildMaximized() || !FForm->HandleAllocated()) return;
    for (int i = 0; i < FForm->ControlCount(); ++i) {
        fw::TControl* c = FForm->Controls(i);
        if (c->ClassName() != L"TsSplitter") continue;
        TacBGInfo bg;
        bg.BgType = btUnknown;
        bg.PleaseDraw = true;
        bg.R = c->BoundsRect();
        bg.DrawDC = FForm->Canvas()->Handle();
        SendMessageW(FForm->Handle(), SM_ALPHACMD, MAKEWPARAM(0, smcGetBGInfo), LPARAM(&bg));
    }
}

void TacMDIWnd::ThumbRelease(int nBar, int DraggedTo) {
    SCROLLINFO si = {sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(CtrlHandle, nBar, &si);
    const TacThumbRelease r = MDIThumbRelease(si, DraggedTo);
    if (r.Shift != 0) {
        if (nBar == SB_VERT)
            ScrollWindow(CtrlHandle, 0, r.Shift, nullptr, nullptr);
        else
            ScrollWindow(CtrlHandle, r.Shift, 0, nullptr, nullptr);
    }
    // The bar follows the contents (the skinned bar is painted after).
    si.fMask = SIF_POS;
    si.nPos = r.Pos;
    SetScrollInfo(CtrlHandle, nBar, &si, FALSE);
    UpdateScrolls(this, true);
}

void TacMDIWnd::acWndProc(fw::TMessage& Message) {
    if (Destroyed) {
        TacBaseWnd::acWndProc(Message);
        return;
    }
    const bool skinned = SkinnedMDI();
    const UINT msg = Message.Msg;
    if (msg == SM_ALPHACMD) switch (Message.WParamHi()) {
            case smcChildPaint:
                if (FForm) SendAMessage(FForm, smcChildPaint);
                return;
            case smcBeforeScroll: {
                // Raw positions: the thumb's release scrolls by them.
                const int code = LOWORD(Message.LParam);
                Message.Result = (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) ? 1 : 0;
                return;
            }
            case smcAfterScroll:
                UpdateScrolls(this, true);
                return;
            default:
                break;
        }
    switch (msg) {
        case WM_PAINT:
            if (InAnimationProcess) return;
            break;
        case WM_ERASEBKGND:
            if (!skinned || !Message.WParam) break;
            Message.Result = 1;
            if (InAnimationProcess) return;
            if (ChildMaximized()) {
                UpdateGraphControls();
            } else {
                HDC DC = HDC(Message.WParam);
                const int save = SaveDC(DC);
                PaintMDIArea(this, DC, false);
                RestoreDC(DC, save);
            }
            return;
        case WM_WINDOWPOSCHANGING:
            MarkChanged(this);
            break;
        case WM_MDICREATE:
            if (ProviderCalls.ChildCreating) ProviderCalls.ChildCreating();
            break;
        case WM_STYLECHANGED:
            PassOn(Message);
            return;
        case WM_NCPAINT:
            if (!skinned) break;
            if (!ChildMaximized() && !InAnimationProcess) {
                const HWND client = FForm && FForm->ClientHandle() ? FForm->ClientHandle() : CtrlHandle;
                HDC DC = GetWindowDC(client);
                PaintMDIBorder(this, DC);
                Ac_NCPaint(this, client, 1, 0, -1, DC);
                ReleaseDC(client, DC);
            }
            Message.Result = 1;
            return;
        case WM_HSCROLL:
        case WM_VSCROLL:
            switch (LOWORD(Message.WParam)) {
                case SB_THUMBTRACK:
                    return;  // the contents stay put during the drag
                case SB_THUMBPOSITION: {
                    // The engine's raw position is LParam; a standard bar's
                    // own message has it in the high word.
                    const int pos = Message.LParam && !IsWindow(HWND(Message.LParam)) ? int(Message.LParam)
                                                                                      : int(HIWORD(Message.WParam));
                    ThumbRelease(msg == WM_VSCROLL ? SB_VERT : SB_HORZ, pos);
                    return;
                }
                default:
                    break;
            }
            break;
        case WM_MDITILE:
        case WM_MDICASCADE: {
            PassOn(Message);
            MarkChanged(this);
            if (FForm && FForm->FormStyle() == fw::fsMDIForm)
                if (fw::TCustomForm* child = FForm->ActiveMDIChild(); child && child->HandleAllocated()) {
                    const HWND ch = child->Handle();
                    SetWindowLongW(ch, GWL_STYLE, GetWindowLongW(ch, GWL_STYLE) & ~WS_SYSMENU);
                }
            if (ProviderCalls.Arranged) ProviderCalls.Arranged();
            InvalidateRect(CtrlHandle, nullptr, TRUE);
            if (FForm && FForm->ClientHandle())
                RedrawWindow(FForm->ClientHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
            return;
        }
        case WM_MDISETMENU:
            PassOn(Message);
            MarkChanged(this);
            if (ProviderCalls.MenuChanged) ProviderCalls.MenuChanged();
            return;
        case WM_PRINT:
            if (!skinned || !Message.WParam) break;
            Message.Result = 0;
            if ((SkinProvider && SkinProvider->BorderForm) || ChildMaximized()) return;
            {
                HDC DC = HDC(Message.WParam);
                const int save = SaveDC(DC);
                PaintMDIArea(this, DC, true);
                Ac_NCPaint(this, CtrlHandle, 1, 0, -1, DC);
                RestoreDC(DC, save);
            }
            return;
        default:
            break;
    }
    TacBaseWnd::acWndProc(Message);
    if (Destroyed) return;
    switch (msg) {
        case 0x003F:  // the system's MDI code changed the scroll ranges
        case WM_PARENTNOTIFY: {
            // The bars the system's MDI code shows or hides take their room
            // in the frame again.
            const LONG_PTR style = RealStyle();
            bool changed = false;
            for (auto [bar, bit] : {std::pair{sBarVert.get(), LONG(WS_VSCROLL)}, {sBarHorz.get(), LONG(WS_HSCROLL)}}) {
                if (!bar) continue;
                const WORD flags = (style & bit) ? sbfStyleShows : 0;
                changed |= bar->fScrollFlags != flags;
                bar->fScrollFlags = flags;
                bar->fScrollVisible = style & bit;
            }
            if (changed) Ac_RedrawNonClient(CtrlHandle, true);
            UpdateScrolls(this, true);
            break;
        }
        case WM_MDIREFRESHMENU:
            if (ProviderCalls.RefreshCaption) ProviderCalls.RefreshCaption();
            break;
        case WM_MDICREATE:
            if (ProviderCalls.ChildCreated && Message.Result) ProviderCalls.ChildCreated(HWND(Message.Result));
            break;
        default:
            break;
    }
}

TacMDIWnd* CreateMDIWnd(fw::TCustomForm* Form, TsCommonData* MDISkinData, TsSkinProviderBase* SkinProvider,
                        TsSkinManager* SkinManager) {
    if (!Form || !Form->ClientHandle()) return nullptr;
    TsSkinManager* M = SkinManager ? SkinManager : DefaultManager;
    const fw::String section = M && M->GetSkinIndex(L"MDIAREA") >= 0 ? fw::String(L"MDIAREA") : fw::String(L"FORM");
    auto* w = new TacMDIWnd(Form->ClientHandle(), nullptr, SkinManager, section);
    w->FForm = Form;
    w->MDISkinData = MDISkinData;
    w->SkinProvider = SkinProvider;
    w->AfterCreate(false);
    return w;
}

}  // namespace skin
