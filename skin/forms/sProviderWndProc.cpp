// The provider's window method: the library's private message in every
// state, the unskinned path (everything to the form's own method), and the
// skinned path, where the frame is the provider's: the platform's default
// handling never paints it.
#include <algorithm>
#include <cstdlib>

#include "framework/windows/Application.h"
#include "skin/engine/sConst.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/acSupportedForms.h"
#include "skin/forms/sDwm.h"
#include "skin/forms/sFrameRegion.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSysMenu.h"
#include "skin/paint/ControlStandIns.h"
#include "skin/paint/sBGAnswer.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sCommonMessage.h"
#include "skin/paint/sVclUtils.h"
#include "skin/windows/acMDIWnd.h"
#include "skin/windows/acScrollWnd.h"

namespace skin {

namespace {

// The longest the end of a session waits for running fades.
constexpr DWORD kEndSessionWaitMs = 1000;

}  // namespace

void TsSkinProvider::PassOn(fw::TMessage& Message) {
    if (OldWndProc.Assigned()) OldWndProc(Message);
}

void TsSkinProvider::PassOnHidden(fw::TMessage& Message) {
    const HWND h = Form->WindowHandle();
    const LONG style = GetWindowLongW(h, GWL_STYLE);
    if (style & WS_VISIBLE) SetWindowLongW(h, GWL_STYLE, style & ~WS_VISIBLE);
    PassOn(Message);
    if (style & WS_VISIBLE) SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) | WS_VISIBLE);
}

void TsSkinProvider::RepaintFrame() {
    if (Form && Form->HandleAllocated()) SendMessageW(Form->WindowHandle(), WM_NCPAINT, 0, 0);
}

void TsSkinProvider::NewWndProc(fw::TMessage& Message) {
    // The library's message, skinned or not: a skin arriving or going and
    // the queries every skinned window answers.
    if (Message.Msg == SM_ALPHACMD) {
        switch (Message.WParamHi()) {
            case smcNewSkin:
                if (!Destroying() && reinterpret_cast<TsSkinManager*>(Message.LParam) == SkinManager()) {
                    if (RTInit) {
                        RTInit = false;
                        LoadInit();
                    } else {
                        PrepareForm();
                    }
                }
                break;
            case smcRemoveSkin:
                RemoveSkin(Message);
                return;
            case smcIsHandled:
                Message.Result = 1;
                return;
            case smcEndUpdate:
                if (FCommonData->CtrlSkinState & 0x0400) {
                    FCommonData->CtrlSkinState &= ~0x0400;
                    Form->Perform(fw::CM_MENUCHANGED, 0, 0);
                }
                break;
            case smcGetBGInfo:
                if (FCommonData->BGChanged && !FCommonData->FUpdating && IsCached(FCommonData)) PaintAll();
                if (auto* info = reinterpret_cast<TacBGInfo*>(Message.LParam)) {
                    const bool offsets = info->PleaseDraw;
                    if (offsets) info->Offset = fw::TPoint(info->Offset.X + OffsetX(), info->Offset.Y + OffsetY());
                    InitBGInfo(FCommonData, info, FormActive ? 1 : 0, Form->WindowHandle());
                    if (info->BgType == btCache && !info->PleaseDraw && !info->Bmp) {
                        PaintAll();
                        info->Bmp = FCommonData->FCacheBmp;
                    }
                    if (info->BgType == btCache && !Form->Parent()) info->Offset = fw::TPoint(OffsetX(), OffsetY());
                }
                return;
            case smcSkinState:
                Message.Result = FCommonData->CtrlSkinState;
                return;
            case smcGetApplication:
                Message.Result = LRESULT(fw::Application.get());
                return;
            case smcGetOffset:
                Message.Result = LRESULT(DWORD(WORD(OffsetX())) | (DWORD(WORD(OffsetY())) << 16));
                return;
            default:
                break;
        }
    }
    // The run-time provider starts at the first of these, skinned or not
    // yet (its skin indexes are only read then).
    if (RTInit && (Message.Msg == WM_NCHITTEST || Message.Msg == WM_NCPAINT ||
                   (Message.Msg == fw::CM_VISIBLECHANGED && Message.WParam == 1))) {
        RTInit = false;
        LoadInit();
    }
    // An MDI child's parent, found while the child's window still is.
    TsSkinProvider* const goneParent =
        Message.Msg == WM_NCDESTROY && Form && Form->FormStyle() == fw::fsMDIChild ? MDIParentProvider(Form) : nullptr;
    if (Destroying() || !Skinned()) {
        // Unskinned or being destroyed: the form's own method has the message,
        // except a new skin and the question for the provider.
        if (Message.Msg == SM_ALPHACMD) {
            if (Message.WParamHi() == smcNewSkin) {
                NewSkinUnskinned(Message);
                AdapterSkinChange(Message);
                if (!Destroying()) return;
            } else if (Message.WParamHi() == smcGetProvider) {
                Message.Result = LRESULT(static_cast<TsSkinProviderBase*>(this));
                return;
            }
        }
        PassOn(Message);
        MDIAfter(Message);
        if (Message.Msg == WM_NCDESTROY) MDIChildGone(goneParent);
        if (Message.Msg == WM_WINDOWPOSCHANGED)
            UnskinnedWindowPosChanged(Message);
        else if (Message.Msg == fw::CM_MOUSEWHEEL)
            AC_CMMouseWheel(Message);
        return;
    }
    if (Message.Msg == SM_ALPHACMD) {
        // The library's message while skinned: what is not listed is dropped.
        switch (Message.WParamHi()) {
            case smcNewSkin:
            case smcRefresh:
                SkinChangeMessage(Message);
                AdapterSkinChange(Message);
                break;
            case smcAddToAdapter:
                AdapterAfter(Message);
                break;
            case smcGetProvider:
                Message.Result = LRESULT(static_cast<TsSkinProviderBase*>(this));
                break;
            case smcSetUpdating:
                FCommonData->FUpdating = Message.WParamLo() == 1;
                if (FCommonData->FUpdating) FCommonData->BGChanged = true;
                break;
            case smcSetUrgentPainting:
                CommonMessage(Message, FCommonData);
                if (FCommonData->UrgentPainting) PaintAll();
                break;
            case smcGetUpdating:
                Message.Result = !InAnimationProcess && IsCached(FCommonData) && FCommonData->FUpdating ? 1 : 0;
                break;
            case smcGetRepaintIfMoved: {
                const TsGeneralData* g = FCommonData->Section();
                Message.Result = g && g->Textured() ? 1 : 0;
                Message.LParam = Message.Result;
                break;
            }
            case smcGetColor:
                Message.Result = LRESULT(FormColor());
                break;
            case smcUpdateExBorders:
                if (BorderForm) BorderForm->UpdateExBordersPos(false, 255);
                break;
            case smcRepaint:
                // A modal form stands over the window that moved: its border
                // window follows it again.
                if (BorderForm && OwnerModal()) BorderForm->UpdateExBordersPos(false, 255);
                break;
            case smcBeforeScroll:
                // A textured or gradient background moves with the scrolled
                // children: the form is drawn once, after the scroll.
                if (FCommonData->RepaintIfMoved()) SendMessageW(Form->WindowHandle(), WM_SETREDRAW, FALSE, 0);
                break;
            case smcAfterScroll:
                if (FCommonData->RepaintIfMoved()) {
                    const HWND h = Form->WindowHandle();
                    SendMessageW(h, WM_SETREDRAW, TRUE, 0);
                    RedrawWindow(h, nullptr, nullptr,
                                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
                    // The parent's wall scrolled with its children.
                    if (MDISkinProvider == this && Form->ClientHandle())
                        RedrawWindow(Form->ClientHandle(), nullptr, nullptr,
                                     RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
                }
                break;
            default:
                break;
        }
        return;
    }
    AdapterBefore(Message);
    ExBordersBefore(Message);
    if (!SkinnedMessage(Message)) PassOn(Message);
    ExBordersAfter(Message);
    AdapterAfter(Message);
    MDIAfter(Message);
    if (Message.Msg == WM_NCDESTROY) MDIChildGone(goneParent);
}

// Creation, size, place, showing and docking.
bool TsSkinProvider::WindowPlaceMessage(fw::TMessage& Message) {
    const HWND h = Form->WindowHandle();
    switch (Message.Msg) {
        case WM_CREATE:
            if (Form->FormStyle() == fw::fsMDIChild) {
                fw::TCustomForm* main = fw::Application ? fw::Application->MainForm() : nullptr;
                if (!MDISkinProvider && main && main->HandleAllocated())
                    AddSupportedForm(main->WindowHandle(), nullptr);
                // A child made under a maximised one keeps every child's frame
                // unpainted until it paints.
                TsSkinProvider* parent = MDIParentProvider(Form);
                MDIMaxChildCreated = parent && parent != this && MDIStateOf(parent).ChildMaximized;
            }
            PassOn(Message);
            if (Form->FormStyle() != fw::fsMDIChild) PrepareForm();
            return true;
        case WM_NCCREATE:
            PassOn(Message);
            if (Form->FormStyle() != fw::fsMDIChild) PrepareForm();
            return true;
        case WM_SIZE:
            WMSize(Message);
            return true;
        case WM_MOVE:
            KillAnimations();
            return false;
        case WM_SHOWWINDOW:
            WMShowWindow(Message);
            return true;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
            MONITORINFO mi{};
            mi.cbSize = sizeof(mi);
            POINT pos{}, size{};
            if (FDrawNonClientArea && info && GetMonitorInfoW(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST), &mi) &&
                ExMaxInfo(State(), FMetrics, ExBorders(), FFrameSkin,
                          fw::TRect(mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom), pos, size)) {
                info->ptMaxPosition = pos;
                info->ptMaxSize = size;
            }
            return false;
        }
        case WM_WINDOWPOSCHANGING:
            WMWindowPosChanging(Message);
            return true;
        case WM_WINDOWPOSCHANGED:
            WMWindowPosChanged(Message);
            return true;
        case fw::CM_SHOWINGCHANGED:
            WMShowingChanged(Message);
            return true;
        case WM_PARENTNOTIFY:
            WMParentNotify(Message);
            return true;
        case fw::CM_FLOAT:
            // The scroll wrapper runs this very message before the provider:
            // it is not freed under it; the refresh renews it when it let go
            // of the window.
            PassOn(Message);
            SendAMessage(h, smcRefresh, LPARAM(SkinManager()));
            return true;
        case fw::CM_VISIBLECHANGED:
            PassOn(Message);
            if (Message.WParam == 1) {
                if (Form->Parent()) SetParentUpdated(Form);
            } else {
                if (FCommonData->FCacheBmp && !Destroying()) FCommonData->FCacheBmp->SetSize(0, 0);
                KillAnimations();
            }
            return true;
        default:
            return false;
    }
}

// Activation, redrawing, text, icon, enabling, system settings, the end of
// the session and an MDI child's activation.
bool TsSkinProvider::WindowStateMessage(fw::TMessage& Message) {
    switch (Message.Msg) {
        case WM_SYSCOLORCHANGE:
            // The bar's items are measured with the system's colours and fonts.
            PassOn(Message);
            UpdateMenu();
            return true;
        case WM_ACTIVATE:
            PassOn(Message);
            if (!Showing()) return true;
            if (!ListSW && FDrawNonClientArea) RefreshFormScrollWrapper();
            if (!Form->ControlState().Contains(fw::csCreating)) {
                FLinesCount = -1;
                if (Form->FormStyle() == fw::fsMDIChild) MDIChildActivated();
            }
            if (LOWORD(Message.WParam) == WA_ACTIVE) {
                // Menus made since the last activation are skinned now (a
                // click activation is followed by WM_NCACTIVATE, which does it).
                InitMenuItems(FCommonData->Skinned(false));
                if (SystemMenu) SystemMenu->UpdateItems(false);
                if (Form->BorderStyle() == fw::bsNone) SetParentUpdated(Form);
            }
            return true;
        case WM_SETREDRAW:
            LockCount = Message.WParam == 1 ? std::max(LockCount - 1, 0) : LockCount + 1;
            return false;
        case WM_SETTEXT:
            WMSetText(Message);
            return true;
        case WM_QUERYENDSESSION: {
            // Fades stop for the end of the session; the wait for the running
            // ones is bounded, and a session that goes on fades again.
            FadingForbidden = true;
            const DWORD start = GetTickCount();
            while (acAnimCount > 0 && GetTickCount() - start < kEndSessionWaitMs) fw::Application->ProcessMessages();
            PassOn(Message);
            if (!Message.Result) FadingForbidden = false;
            return true;
        }
        case WM_ENDSESSION:
            if (!Message.WParam) FadingForbidden = false;
            return false;
        case WM_SETTINGCHANGE:
            FCommonData->BGChanged = true;
            return false;
        case WM_SETICON:
            PassOnHidden(Message);
            UpdateSkinCaption(this);
            return true;
        case WM_MDIACTIVATE:
        case WM_MDIDESTROY:
            MDIChildActivate(Message);
            return true;
        case fw::CM_ENABLEDCHANGED:
            PassOn(Message);
            if (FDrawNonClientArea) {
                FCommonData->BGChanged = true;
                RepaintFrame();
            }
            return true;
        default:
            return false;
    }
}

// The menu line, popup menus and the window menu.
bool TsSkinProvider::MenuMessage(fw::TMessage& Message) {
    switch (Message.Msg) {
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
        case WM_CHILDACTIVATE:
            MDIMenuMessage(Message);
            return true;
        case WM_CONTEXTMENU:
            // The form's popup menu may be new, or have new items.
            if (fw::TPopupMenu* popup = Form->PopupMenu())
                if (TsSkinManager* m = SkinManager(); m && m->SkinableMenus())
                    m->SkinableMenus()->HookPopupMenu(popup, m->SkinnedPopups());
            return false;
        case WM_INITMENUPOPUP:
            // The skinned frame sizes by its own edges: the window menu
            // offers no keyboard sizing.
            if (HIWORD(Message.LParam)) EnableMenuItem(HMENU(Message.WParam), SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
            return false;
        case fw::CM_MENUCHANGED:
            if (Form->FormState().Contains(fw::fsCreating) || !Form->Visible() || fAnimating) return false;
            if (FCommonData->CtrlSkinState & 0x0800) {
                // Replayed once when the update ends (smcEndUpdate).
                FCommonData->CtrlSkinState |= 0x0400;
                return true;
            }
            FCommonData->BGChanged = true;
            FLinesCount = -1;
            MenuChanged = true;
            PassOn(Message);
            // The framework redrew the bar before telling: the line is painted again now.
            if (State().MenuLine) RepaintFrame();
            return true;
        case WM_MEASUREITEM:
            // A bar item measured by the platform is drawn by the skin.
            if (auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
                mis && mis->CtlType == ODT_MENU && State().MenuLine && Form->Menu())
                if (auto* menus =
                        dynamic_cast<TsSkinableMenus*>(SkinManager() ? SkinManager()->SkinableMenus() : nullptr))
                    if (fw::TMenuItem* item = Form->Menu()->FindItem(mis->itemID, fw::fkCommand))
                        menus->InitItem(item, true);
            return false;
        case WM_POPUPSYSTEMMENU_: {
            POINT p{};
            GetCursorPos(&p);
            DropSysMenu(p.x, p.y);
            return true;
        }
        case WM_SYSCOMMAND:
            WMSysCommand(Message);
            return true;
        default:
            return false;
    }
}

// The client area's and the frame's painting, and what may not repaint.
bool TsSkinProvider::PaintMessage(fw::TMessage& Message) {
    switch (Message.Msg) {
        case WM_PAINT:
            WMPaint(Message);
            return true;
        case WM_ERASEBKGND:
            WMEraseBkgnd(Message);
            return true;
        case WM_NCPAINT:
            WMNCPaint(Message);
            return true;
        case WM_NCACTIVATE:
            WMNCActivate(Message);
            return true;
        case 0x0093:
        case fw::CM_INVALIDATE:
        case fw::CM_CONTROLLISTCHANGING:
        case msgRegionQuery:
        case WM_ENTERIDLE:
            Message.Result = 0;
            return true;
        case WM_PRINT:
            WMPrint(Message);
            return true;
        case WM_PRINTCLIENT:
        case fw::CM_RECREATEWND:
            return true;
        default:
            return false;
    }
}

// The frame's hit test and mouse: title buttons, outline moves, hot state.
bool TsSkinProvider::FrameMouseMessage(fw::TMessage& Message) {
    switch (Message.Msg) {
        case fw::CM_MOUSEENTER:
            PassOn(Message);
            // Only one speed button of the form shows the mouse above it.
            for (int i = 0; i < Form->ControlCount(); ++i) {
                auto* button = dynamic_cast<TsSpeedButton*>(Form->Controls(i));
                if (button && LPARAM(button) != Message.LParam && button->SkinData()->FMouseAbove)
                    button->Perform(fw::CM_MOUSELEAVE, 0, 0);
            }
            return true;
        case fw::CM_MOUSEWHEEL:
            PassOn(Message);
            AC_CMMouseWheel(Message);
            return true;
        case WM_NCHITTEST:
            Message.Result = HTProcess(Message);
            NoteSizingHit(int(Message.Result));
            return true;
        case WM_MOUSEMOVE:
            PassOn(Message);
            OutlineMouseMove(Message);
            return true;
        case WM_LBUTTONUP:
            return OutlineButtonUp(Message, true);
        case WM_NCLBUTTONDOWN:
            WMNCLButtonDown(Message);
            return true;
        case WM_NCLBUTTONUP:
            WMNCLButtonUp(Message);
            return true;
        case WM_NCLBUTTONDBLCLK:
            WMNCLButtonDblClk(Message);
            return true;
        case WM_NCRBUTTONDOWN:
            if (Message.WParam == HTCAPTION || Message.WParam == HTSYSMENU) return true;
            return false;
        case WM_NCRBUTTONUP:
            if (!HaveBorder(State())) return false;
            if (Message.WParam == HTCAPTION || Message.WParam == HTSYSMENU) {
                SetHotHT(0, true);
                DropSysMenu(short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam)));
            }
            return true;
        case WM_MOUSELEAVE:
        case WM_NCMOUSELEAVE:
        case fw::CM_MOUSELEAVE:
            SetHotHT(0, true);
            if (TsSkinManager* m = SkinManager())
                if (Message.Msg != WM_NCMOUSELEAVE && m->ActiveControl()) m->SetActiveControl(nullptr);
            return false;
        default:
            return false;
    }
}

// Window messages while skinned: each message belongs to one group, which
// answers false for a message it leaves to the form's own method.
bool TsSkinProvider::SkinnedMessage(fw::TMessage& Message) {
    return WindowPlaceMessage(Message) || WindowStateMessage(Message) || MenuMessage(Message) ||
           PaintMessage(Message) || FrameMouseMessage(Message);
}

void TsSkinProvider::WMSize(fw::TMessage& Message) {
    // The menu bar may wrap to another number of rows.
    FLinesCount = -1;
    const HWND h = Form->WindowHandle();
    const fw::TRect now(0, 0, short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam)));
    // What the grip and the form's right corner images cover moves with the
    // client's corner: both places are painted again.
    const TFrameState s = State();
    const auto image = [this](int Index) {
        const TsMaskData* md = FFrameSkin.Image(Index);
        return md ? fw::TSize(WidthOfImage(*md), HeightOfImage(*md)) : fw::TSize(0, 0);
    };
    const fw::TSize grip = IsGripVisible(s) ? image(FFrameSkin.GripIndex) : fw::TSize(0, 0);
    const bool cached = IsCached(FCommonData);
    for (const TSizeRepaint& r : SizeRepaints(LastClientRect, now, cached, grip, image(FFrameSkin.FormTopRight),
                                              image(FFrameSkin.FormBottomRight))) {
        const RECT rc{r.R.Left, r.R.Top, r.R.Right, r.R.Bottom};
        InvalidateRect(h, &rc, r.Erase);
    }
    LastClientRect = now;
    delete FGlow1;
    delete FGlow2;
    FGlow1 = FGlow2 = nullptr;
    PassOn(Message);
    if (InAnimationProcess) return;
    if (!Showing()) {
        FCommonData->BGChanged = true;
        return;
    }
    if (FormChanged() && !(IsIconic(Form->WindowHandle()) && AeroIsEnabled())) {
        RgnChanged = true;
        FCommonData->BGChanged = true;
        if (FDrawNonClientArea) {
            RepaintFrame();
            // The client background comes from the same image.
            RedrawWindow(Form->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOFRAME);
        }
    }
}

void TsSkinProvider::WMShowWindow(fw::TMessage& Message) {
    const HWND h = Form->WindowHandle();
    const bool mdiChild = Form->FormStyle() == fw::fsMDIChild;
    if (!mdiChild) {
        if (Message.WParam == 1 && AeroIsEnabled() && !InAnimationProcess &&
            !(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_LAYERED))
            RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
        // How the form stood when its owner hid it, so it comes back so.
        if (Message.LParam == SW_PARENTCLOSING && ShowAction != saIgnore)
            ShowAction = IsIconic(h) ? saMinimize : IsZoomed(h) ? saMaximize : saRestore;
    }
    PassOn(Message);
    if (Message.WParam == 1 && Form->Parent() && !mdiChild) {
        FCommonData->CtrlSkinState &= ~0x0001;
        FCommonData->BGChanged = true;
    }
}

void TsSkinProvider::WMSetText(fw::TMessage& Message) {
    if (!Showing() || Form->ControlState().Contains(fw::csCreating) || !FDrawNonClientArea) {
        PassOn(Message);
        return;
    }
    delete FGlow1;
    delete FGlow2;
    FGlow1 = FGlow2 = nullptr;
    if (MDIChildSetText(Message)) return;
    FCommonData->BGChanged = true;
    PassOnHidden(Message);
    RepaintFrame();
}

void TsSkinProvider::WMNCActivate(fw::TMessage& Message) {
    FormActive = Message.WParam != 0;
    if (!FormActive && ShowAction == saMaximize) {
        ShowAction = saIgnore;
    } else if (ShowAction == saMaximize) {
        FCommonData->FUpdating = true;
    } else {
        FCommonData->BGChanged = true;
        FCommonData->FUpdating = false;
    }
    if (!Showing()) {
        PassOn(Message);
    } else {
        // The platform's activation draws its own caption: not while hidden.
        PassOnHidden(Message);
        MDIChildShownActive();
        if (!Form->ControlState().Contains(fw::csCreating)) {
            SetHotHT(0, false);
            RepaintFrame();
        }
    }
    // Menus and items made since the form was last active are skinned now.
    InitMenuItems(FCommonData->Skinned(false));
    if (!MenusInitialized && UpdateMenu()) MenusInitialized = true;
}

void TsSkinProvider::WMNCPaint(fw::TMessage& Message) {
    Message.Result = 0;
    if (FCommonData->CtrlSkinState & 0x0C00) return;
    if (!FDrawNonClientArea || (InAnimationProcess && Form->FormStyle() == fw::fsMDIChild)) {
        PassOn(Message);
        return;
    }
    if (IsIconic(Form->WindowHandle())) FCommonData->BGChanged = true;
    if (fAnimating || !Showing() || ComponentState().Contains(fw::csLoading) ||
        Form->ControlState().Contains(fw::csDestroyingHandle))
        return;
    AC_WMNCPaint();
}

void TsSkinProvider::WMPaint(fw::TMessage& Message) {
    if (Form->ControlState().Contains(fw::csPaintCopy)) return;
    const HWND h = Form->WindowHandle();
    if (Showing()) {
        OurPaintHandler(Message);
    } else {
        PassOn(Message);
        return;
    }
    MDIChildFirstPaint(false);
    if (Form->FormStyle() == fw::fsMDIForm && IsCached(FCommonData) && IsWindow(h)) {
        // The client window covers the form's client: only the graphic
        // children beside it are the form's to paint.
        HDC dc = Message.WParam ? HDC(Message.WParam) : GetDC(h);
        PaintControls(dc, Form, true, fw::TPoint(0, 0));
        if (!Message.WParam) ReleaseDC(h, dc);
    }
    Message.Result = 0;
    if (!InAnimationProcess && Form->OnPaint.Assigned() && !IsCached(FCommonData)) Form->OnPaint(Form);
    (void)h;
}

void TsSkinProvider::WMEraseBkgnd(fw::TMessage& Message) {
    if (!Showing()) {
        PassOn(Message);
        return;
    }
    Message.Result = 1;
    if (FCommonData->CtrlSkinState & 0x0800) return;
    HDC dc = HDC(Message.WParam);
    if (Form->ControlState().Contains(fw::csPaintCopy) || Message.WParam == WPARAM(Message.LParam)) {
        if (!dc) return;
        if (FCommonData->BGChanged) PaintAll();
        if (fw::TBitmap* cache = FCommonData->FCacheBmp)
            BitBlt(dc, 0, 0, Form->Width(), Form->Height(), cache->Canvas()->Handle(), OffsetX(), OffsetY(), SRCCOPY);
        return;
    }
    // The client is painted whole at WM_PAINT; erasing paints it only when
    // the image is not kept (or a maximised child covers an MDI parent's).
    if (!IsCached(FCommonData) || (Form->FormStyle() == fw::fsMDIForm && MDIStateOf(this).ChildMaximized))
        AC_WMEraseBkGnd(dc);
    MDIChildFirstPaint(true);
}

void TsSkinProvider::WMPrint(fw::TMessage& Message) {
    if (ComponentState().Contains(fw::csLoading) || Form->FormState().Contains(fw::fsCreating) || Destroying() ||
        (Form->FormStyle() == fw::fsMDIChild && AnotherChildMaximized(Form)))
        return;
    FCommonData->FUpdating = false;
    HDC dc = HDC(Message.WParam);
    if (!dc) return;
    if (FDrawNonClientArea && BorderForm) {
        // The whole frame image, shadow included.
        if (FCommonData->BGChanged || FormChanged()) PaintAll();
        if (fw::TBitmap* cache = FCommonData->FCacheBmp)
            BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
    } else if (FDrawNonClientArea) {
        PaintCaption(dc);
    }
    const int saved = SaveDC(dc);
    POINT org{};
    GetWindowOrgEx(dc, &org);
    SetWindowOrgEx(dc, org.x - OffsetX(), org.y - OffsetY(), nullptr);
    const TFrameState s = State();
    IntersectClipRect(dc, 0, 0, s.ClientWidth, s.ClientHeight);
    PaintForm(dc, true);
    RestoreDC(dc, saved);
    if (const HWND client = Form->FormStyle() == fw::fsMDIForm ? Form->ClientHandle() : nullptr) {
        // The client prints itself where it lies in the window.
        RECT fr{}, cr{};
        GetWindowRect(Form->WindowHandle(), &fr);
        GetWindowRect(client, &cr);
        const fw::TPoint at = BorderForm && MDIForm && MDIForm->ListSW ? MDIForm->ListSW->PlaceInForm().TopLeft()
                                                                       : fw::TPoint(cr.left - fr.left, cr.top - fr.top);
        const int clientSaved = SaveDC(dc);
        POINT o{};
        GetWindowOrgEx(dc, &o);
        SetWindowOrgEx(dc, o.x - at.X, o.y - at.Y, nullptr);
        SendMessageW(client, WM_PRINT, WPARAM(dc), Message.LParam);
        RestoreDC(dc, clientSaved);
    }
    if (Form->OnPaint.Assigned() && !IsCached(FCommonData)) {
        fw::CanvasBinding bind(static_cast<fw::TControlCanvas*>(Form->Canvas()), dc);
        Form->OnPaint(Form);
    }
}

void TsSkinProvider::WMWindowPosChanging(fw::TMessage& Message) {
    if (RgnChanging) {
        Message.Result = 0;
        return;
    }
    auto* wp = reinterpret_cast<WINDOWPOS*>(Message.LParam);
    if (wp && FScreenSnap && !IsZoomed(Form->WindowHandle()) && !(wp->flags & SWP_NOMOVE) && (wp->x || wp->y)) {
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        if (GetMonitorInfoW(MonitorFromWindow(Form->WindowHandle(), MONITOR_DEFAULTTONEAREST), &mi)) {
            const POINT p = SnapToWorkArea(POINT{wp->x, wp->y}, SIZE{Form->Width(), Form->Height()}, mi.rcWork,
                                           FSnapBuffer, DiffBorder(BorderForm), DiffTitle(BorderForm));
            wp->x = p.x, wp->y = p.y;
        }
    }
    PassOn(Message);
}

POINT SnapToWorkArea(POINT Pos, SIZE Size, const RECT& WorkArea, int Buffer, int DiffBorder, int DiffTitle) {
    if (Pos.x == 0 && Pos.y == 0) return Pos;
    const int d = DiffBorder, t = DiffTitle;
    if (std::abs(Pos.x + Size.cx + d - WorkArea.right) < Buffer) Pos.x = WorkArea.right - (Size.cx + d);
    if (std::abs(Pos.y + Size.cy + d - WorkArea.bottom) < Buffer) Pos.y = WorkArea.bottom - (Size.cy + d);
    if (std::abs(Pos.x - d - WorkArea.left) < Buffer) Pos.x = WorkArea.left + d;
    if (std::abs(Pos.y - t - WorkArea.top) < Buffer) Pos.y = WorkArea.top + t;
    return Pos;
}

}  // namespace skin
