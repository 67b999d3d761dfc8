#include "skin/forms/sFrameAdapter.h"

#include <algorithm>
#include <vector>

#include "framework/rtl/Exception.h"
#include "framework/windows/Menus.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sColorMath.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sMaskData.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/ControlStandIns.h"
#include "skin/paint/sAnimCore.h"
#include "skin/paint/sBGAnswer.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sBorders.h"
#include "skin/paint/sCacheCopy.h"
#include "skin/paint/sChannels.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sCommonMessage.h"
#include "skin/paint/sSectionPaint.h"
#include "skin/paint/sVclUtils.h"
#include "skin/windows/acScrollWnd.h"

namespace skin {

namespace {

constexpr int kFrameCOC = 226;
constexpr TColor kNoColor = 0xFF00FF;

bool Has(const fw::TComponent* C, fw::TComponentStateItem Item) { return C && C->ComponentState().Contains(Item); }

// Checked before the component is made, so a refused adapter never enters
// the owner's list.
fw::TComponent* FrameOwner(fw::TComponent* AOwner) {
    if (!dynamic_cast<fw::TCustomFrame*>(AOwner)) throw fw::Exception(acs_FrameAdapterError1);
    return AOwner;
}

WPARAM Cmd(WORD Command, WORD Arg = 0) { return MAKEWPARAM(Arg, Command); }

}  // namespace

TColor FrameBGColor(const TsGeneralData* g, TColor Own, bool HasParent, TColor ParentAnswer, TColor ParentColor) {
    if (!g) return fw::ColorToRGB(Own);
    if (g->Textured()) return kNoColor;
    const int T = std::clamp(g->Transparency, 0, 100);
    if (T == 0) return g->Color;
    if (!HasParent) return T == 100 ? fw::ColorToRGB(Own) : g->Color;
    const TColor parent = (ParentAnswer & 0xFFFFFF) == kNoColor ? fw::ColorToRGB(ParentColor) : ParentAnswer;
    if (T == 100) return parent;
    return MixColors(parent, g->Color, T / 100.0);
}

// ---- construction and destruction

TsFrameAdapter::TsFrameAdapter(fw::TComponent* AOwner) : fw::TComponent(FrameOwner(AOwner)) {
    FCommonData = new TsCommonData(this, true);
    if (FCommonData->SkinSection().empty() || FCommonData->SkinSection() == fw::AnsiUpperCase(ClassName()))
        FCommonData->FSkinSection = L"GROUPBOX";
    FCommonData->COC = kFrameCOC;
    Frame = static_cast<fw::TCustomFrame*>(AOwner);
    FCommonData->FOwnerControl = Frame;
    OldWndProc = Frame->WindowProc();
    Frame->SetWindowProc(fw::TWndMethod(this, &TsFrameAdapter::NewWndProc));
}

TsFrameAdapter::~TsFrameAdapter() {
    delete ListSW;
    ListSW = nullptr;
    if (OldWndProc.Assigned() && Frame) Frame->SetWindowProc(OldWndProc);
    Frame = nullptr;
    delete FCommonData;
    FCommonData = nullptr;
}

void TsFrameAdapter::AfterConstruction() {
    fw::TComponent::AfterConstruction();
    // The frame answers the query through this adapter now.
    if (Frame && (!Frame->HandleAllocated() || Frame->Perform(SM_ALPHACMD, Cmd(smcIsHandled), 0) == 1)) {
        FCommonData->UpdateIndexes();
        UpdateSkinState(FCommonData, false);
    }
}

void TsFrameAdapter::Loaded() {
    fw::TComponent::Loaded();
    TsSkinManager* M = Manager();
    if (!Frame || Frame->Perform(SM_ALPHACMD, Cmd(smcIsHandled), 0) != 1 || !M) return;
    FCommonData->UpdateIndexes();
    if (!M->Active() || Has(this, fw::csDesigning)) return;
    HookPopups();
    if (FCommonData->Skinned() && M->SkinningRules().Contains(srThirdParty)) AddToAdapter(Frame);
}

TsSkinManager* TsFrameAdapter::Manager() const { return FCommonData ? FCommonData->GetSkinManager() : nullptr; }

bool TsFrameAdapter::Ours(const fw::TMessage& Message) const {
    return Message.LParam == LPARAM(Manager()) && Manager() != nullptr;
}

void TsFrameAdapter::HookPopups() {
    TsSkinManager* M = Manager();
    if (!M || !M->SkinnedPopups() || !M->SkinableMenus() || !Frame) return;
    for (int i = 0; i < Frame->ComponentCount(); ++i)
        if (auto* menu = dynamic_cast<fw::TPopupMenu*>(Frame->Components(i)))
            M->SkinableMenus()->HookPopupMenu(menu, true);
}

void TsFrameAdapter::PassOn(fw::TMessage& Message) {
    if (OldWndProc.Assigned()) OldWndProc(Message);
}

void TsFrameAdapter::Redraw(UINT Flags) {
    if (Frame && Frame->HandleAllocated()) RedrawWindow(Frame->WindowHandle(), nullptr, nullptr, Flags);
}

// ---- the window method

void TsFrameAdapter::NewWndProc(fw::TMessage& Message) {
    if (Has(this, fw::csDesigning)) {
        PassOn(Message);
        return;
    }
    TsSkinManager* M = Manager();
    if (Message.Msg == SM_ALPHACMD) {
        switch (Message.WParamHi()) {
            case smcNewSkin:
                if (!Ours(Message)) break;
                AlphaBroadCast(Frame, Message);
                CommonWndProc(Message, FCommonData);
                HookPopups();
                return;
            case smcRemoveSkin:
                if (!Ours(Message)) break;
                delete ListSW;
                ListSW = nullptr;
                CommonWndProc(Message, FCommonData);
                AlphaBroadCast(Frame, Message);
                if (Frame->HandleAllocated())
                    SetWindowPos(Frame->WindowHandle(), nullptr, 0, 0, 0, 0,
                                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
                return;
            case smcRefresh:
                if (!Ours(Message)) break;
                CommonWndProc(Message, FCommonData);
                FCommonData->UpdateIndexes();
                UpdateSkinState(FCommonData, false);
                AlphaBroadCast(Frame, Message);
                Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
                RefreshScrolls(FCommonData, ListSW);
                return;
            case smcIsHandled:
                Message.Result = 1;
                return;
            case smcGetColor: {
                // Answered in every state: an unskinned frame gives its own colour.
                fw::TWinControl* p = Frame->Parent();
                Message.Result =
                    LRESULT(FrameBGColor(FCommonData->Skinned() ? FCommonData->Section() : nullptr, Frame->Color(),
                                         p != nullptr, GetControlColor(p), p ? p->Color() : Frame->Color()));
                return;
            }
            case smcStopFading:
                AlphaBroadCast(Frame, Message);
                break;
            default:
                break;
        }
    }
    if (Has(this, fw::csDestroying) || Has(Frame, fw::csDestroying) || !FCommonData->Skinned() || !M || !M->Active()) {
        const bool showing = Message.Msg == fw::CM_VISIBLECHANGED || Message.Msg == fw::CM_SHOWINGCHANGED;
        if (M && M->Active() && showing && Frame->HandleAllocated()) {
            // A frame shown while the skin was away picks it up again.
            FCommonData->UpdateIndexes();
            fw::TMessage m;
            m.Msg = SM_ALPHACMD;
            m.WParam = Cmd(smcNewSkin, 1);
            m.LParam = LPARAM(M);
            AlphaBroadCast(Frame, m);
        }
        PassOn(Message);
        return;
    }
    if (!SkinnedMessage(Message)) PassOn(Message);
}

// The messages of the skinned frame; false for those the frame's own method
// handles alone.
bool TsFrameAdapter::SkinnedMessage(fw::TMessage& Message) {
    TsCommonData* S = FCommonData;
    TsSkinManager* M = Manager();
    if (Message.Msg == SM_ALPHACMD) {
        switch (Message.WParamHi()) {
            case smcEndParentUpdate: {
                const fw::TControlState cs = Frame->ControlState();
                if (S->FUpdating && !cs.Contains(fw::csRecreating) && !cs.Contains(fw::csAligning)) {
                    S->FUpdating = false;
                    Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                }
                return true;
            }
            case smcSetUpdating:
                S->FUpdating = Message.WParamLo() == 1;
                for (int i = 0; i < Frame->ControlCount(); ++i)
                    Frame->Controls(i)->Perform(Message.Msg, Message.WParam, Message.LParam);
                return true;
            case smcGetUpdating:
                Message.Result = S->FUpdating && !(S->CtrlSkinState & 0x0001) ? 1 : 0;
                return true;
            case smcSetBGChangedIfTransparent:
                if (BgIsTransparent(S)) S->BGChanged = true;
                return true;
            case smcGetRepaintIfMoved: {
                const TsGeneralData* g = S->Section();
                Message.Result = g && M && (g->Textured() || S->RepaintIfMoved()) ? 1 : 0;
                return true;
            }
            case smcGetBGInfo:
                // A child asking for what lies behind it gets today's cache.
                if (IsCached(S) && S->BGChanged && !S->GetUpdating()) PrepareCache();
                CommonWndProc(Message, S);
                return true;
            default:
                CommonWndProc(Message, S);
                return true;
        }
    }
    switch (Message.Msg) {
        case WM_MOVE:
        case WM_SIZE:
            S->BGChanged = S->BGChanged || Message.Msg == WM_SIZE || S->RepaintIfMoved();
            if (S->BGChanged)
                for (int i = 0; i < Frame->ControlCount(); ++i) SendAMessage(Frame->Controls(i), smcSetBGChanged, 0);
            if (Message.Msg == WM_SIZE && Frame->HandleAllocated())
                InvalidateRect(Frame->WindowHandle(), nullptr, FALSE);
            return false;
        case WM_PAINT:
            if (!Frame->Parent() || Has(this, fw::csDestroying)) return false;
            AC_WMPaint(HDC(Message.WParam));
            Message.Result = 0;
            return true;
        case WM_ERASEBKGND:
            if (!Frame->Showing()) return false;
            if (!InAnimationProcess) {
                S->FUpdating = S->GetUpdating();
                if (!S->FUpdating && (!IsCached(S) || !S->BGChanged)) OurPaintHandler(HDC(Message.WParam));
            }
            Message.Result = 1;
            return true;
        case WM_NCPAINT:
            S->FUpdating = S->GetUpdating();
            Message.Result = 0;
            return true;
        case WM_PARENTNOTIFY: {
            const WORD event = LOWORD(Message.WParam);
            if ((event != WM_CREATE && event != WM_DESTROY) || Has(Frame, fw::csLoading) ||
                Frame->ControlState().Contains(fw::csCreating))
                return false;
            if (event == WM_CREATE && Frame->HandleAllocated()) {
                S->UpdateIndexes();
                fw::TMessage m;
                m.Msg = SM_ALPHACMD;
                m.WParam = Cmd(smcNewSkin);
                m.LParam = LPARAM(M);
                AlphaBroadCast(Frame, m);
            }
            if (event == WM_CREATE && M->SkinningRules().Contains(srThirdParty)) AddToAdapter(Frame);
            PassOn(Message);
            if (ListSW) UpdateScrolls(ListSW, false);
            return true;
        }
        case WM_PRINT:
            S->FUpdating = false;
            if (ControlIsReady(Frame)) {
                const HDC dc = HDC(Message.WParam);
                OurPaintHandler(dc);
                if (ListSW && Frame->HandleAllocated())
                    Ac_NCPaint(ListSW, Frame->WindowHandle(), Message.WParam, Message.LParam, -1, dc);
            }
            return true;
        case fw::CM_VISIBLECHANGED:
            S->BGChanged = true;
            PassOn(Message);
            if (M && Frame->HandleAllocated())
                SendMessageW(Frame->WindowHandle(), SM_ALPHACMD, Cmd(smcRefresh), LPARAM(M));
            return true;
        case fw::CM_MOUSEENTER: {
            PassOn(Message);
            // A speed button still lit from before lets go when the mouse is elsewhere.
            auto* entered = reinterpret_cast<fw::TControl*>(Message.LParam);
            for (int i = 0; i < Frame->ControlCount(); ++i) {
                auto* b = dynamic_cast<TsSpeedButton*>(Frame->Controls(i));
                if (b && b != entered && b->SkinData()->FMouseAbove) b->Perform(fw::CM_MOUSELEAVE, 0, LPARAM(b));
            }
            if (DefaultManager && Frame->HandleAllocated()) DefaultManager->SetActiveControl(Frame->WindowHandle());
            return true;
        }
        case fw::CM_SHOWINGCHANGED:
            PassOn(Message);
            RefreshScrolls(S, ListSW);
            if (M->SkinningRules().Contains(srThirdParty)) AddToAdapter(Frame);
            return true;
        default:
            return false;
    }
}

// ---- painting

void TsFrameAdapter::AC_WMPaint(HDC DC) {
    if (!Frame->HandleAllocated()) return;
    const HWND h = Frame->WindowHandle();
    if (!Has(Frame, fw::csDestroying) && Frame->Parent() && !IsCached(FCommonData)) InvalidateRect(h, nullptr, TRUE);
    PAINTSTRUCT ps{};
    BeginPaint(h, &ps);
    HDC dc = DC ? DC : GetDC(h);
    const int saved = SaveDC(dc);
    if (IsCached(FCommonData)) {
        FCommonData->FUpdating = FCommonData->GetUpdating();
        if (!FCommonData->FUpdating) OurPaintHandler(dc);
    }
    RestoreDC(dc, saved);
    if (!DC) ReleaseDC(h, dc);
    EndPaint(h, &ps);
}

void TsFrameAdapter::OurPaintHandler(HDC DC) {
    if (!DC || (InAnimationProcess && DC != acPrintDC)) return;
    TsCommonData* S = FCommonData;
    const int W = Frame->Width(), H = Frame->Height();
    if (IsCached(S)) {
        const int saved = SaveDC(DC);
        S->FUpdating = S->GetUpdating();
        if (!S->FUpdating) {
            S->BGChanged = S->BGChanged || S->HalfVisible;
            // Partly outside its parent: the hidden part shows later, so the
            // next painting starts from a fresh cache.
            S->HalfVisible = false;
            if (S->RepaintIfMoved() && Frame->Parent() && Frame->Parent()->HandleAllocated()) {
                RECT pr{};
                GetClientRect(Frame->Parent()->WindowHandle(), &pr);
                const POINT a{Frame->Left() + 1, Frame->Top() + 1}, b{Frame->Left() + W - 1, Frame->Top() + H - 1};
                S->HalfVisible = !PtInRect(&pr, a) || !PtInRect(&pr, b);
            }
            if (S->BGChanged && !S->UrgentPainting) PrepareCache();
            if (S->FCacheBmp)
                CopyWinControlCache(Frame, S, fw::TRect(0, 0, W, H), fw::TRect(0, 0, W, H), DC, false, 0, 0);
            PaintControls(DC, Frame, true, fw::TPoint(0, 0));
            SetParentUpdated(Frame);
        }
        RestoreDC(DC, saved);
        return;
    }
    // A plain section: its border (when it has one) and its colour, straight
    // onto the DC; the cache serves the border only and goes after.
    S->FUpdating = false;
    const int w = SkinBorderMaxWidth(S);
    const int saved = SaveDC(DC);
    ExcludeControls(DC, Frame, actGraphic, 0, 0);
    fw::TRect inner(0, 0, W, H);
    if (w > 0) {
        S->InitCacheBmp();
        inner = PaintBorderFast(DC, fw::TRect(0, 0, W, H), w, S, 0);
    }
    FillDC(DC, inner, GetBGColor(S, 0, nullptr));
    RestoreDC(DC, saved);
    PaintControls(DC, Frame, true, fw::TPoint(0, 0));
    delete S->FCacheBmp;
    S->FCacheBmp = nullptr;
}

void TsFrameAdapter::PrepareCache() {
    TsCommonData* S = FCommonData;
    if (IsCached(S)) {
        S->InitCacheBmp();
        S->FCacheBmp->Canvas()->Font()->Assign(Frame->Font());
        PaintItem(S, GetParentCache(S), false, 0, fw::TRect(0, 0, Frame->Width(), Frame->Height()),
                  fw::TPoint(Frame->Left(), Frame->Top()), S->FCacheBmp, false);
    }
    S->BGChanged = false;
}

}  // namespace skin
