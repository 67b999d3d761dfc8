#include "skin/windows/acMainWnd.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sFormSkinningBase.h"

namespace skin {

bool acDlgMode = false;
TFlatSBProc Ac_UninitializeFlatSB = nullptr;
TFlatSBProc Ac_InitializeFlatSB = nullptr;
TGetScrollBarInfo GetScrollBarInfoProc = nullptr;
TSetWindowTheme (*acWindowTheme)() = &Ac_SetWindowTheme;

namespace {

const wchar_t kProp[] = L"ACSBSC";

template <class T>
T Entry(HMODULE Lib, const char* Name) {
    return Lib ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(Lib, Name))) : nullptr;
}

// The optional entries, looked up once when the program starts.
struct Entries {
    HMODULE user32 = LoadLibraryW(L"user32.dll");
    HMODULE comctl32 = LoadLibraryW(L"comctl32.dll");
    Entries() {
        GetScrollBarInfoProc = Entry<TGetScrollBarInfo>(user32, "GetScrollBarInfo");
        Ac_UninitializeFlatSB = Entry<TFlatSBProc>(comctl32, "UninitializeFlatSB");
        Ac_InitializeFlatSB = Entry<TFlatSBProc>(comctl32, "InitializeFlatSB");
    }
    ~Entries() {
        if (comctl32) FreeLibrary(comctl32);
        if (user32) FreeLibrary(user32);
    }
} entries;

}  // namespace

// What the window (or the control's WindowProc) runs in the wrapper's place.
class TacSubclassLink {
public:
    HWND Handle = nullptr;
    TacMainWnd* Wnd = nullptr;  // nil: a pass-through to the replaced handler
    fw::TControl* Owner = nullptr;
    fw::TWndMethod OldWndProc;
    WNDPROC OldProc = nullptr;
    WNDPROC Instance = nullptr;

    fw::TWndMethod Own() { return fw::TWndMethod(this, &TacSubclassLink::Route); }

    bool RunsOnTop() {
        if (Owner) return Owner->WindowProc() == Own();
        return IsWindow(Handle) && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Handle, GWLP_WNDPROC)) == Instance;
    }
    void Restore() {
        if (Owner)
            Owner->SetWindowProc(OldWndProc);
        else
            SetWindowLongPtrW(Handle, GWLP_WNDPROC, LONG_PTR(OldProc));
    }
    LRESULT CallOld(UINT Msg, WPARAM WParam, LPARAM& LParam) {
        if (OldWndProc.Assigned()) {
            fw::TMessage m;
            m.Msg = Msg, m.WParam = WParam, m.LParam = LParam;
            OldWndProc(m);
            LParam = m.LParam;
            return m.Result;
        }
        return OldProc ? CallWindowProcW(OldProc, Handle, Msg, WParam, LParam) : 0;
    }
    void Route(fw::TMessage& M) {
        if (Wnd) {
            Wnd->acWndProc(M);
            return;
        }
        LPARAM lp = M.LParam;
        M.Result = CallOld(M.Msg, M.WParam, lp);
        M.LParam = lp;
        // Back on top (the subclasser above went away): out of the chain.
        if (M.Msg == WM_NCDESTROY) {
            Retire(this);
        } else if (RunsOnTop()) {
            Restore();
            Retire(this);
        }
    }

    // A link that may still be on the call stack (or held by a subclasser
    // above it while its window dies) is freed at the next attach.
    static void Retire(TacSubclassLink* L) {
        L->Wnd = nullptr;
        Retired().push_back(L);
    }
    static void FreeRetired() {
        for (TacSubclassLink* l : Retired()) {
            fw::FreeObjectInstance(l->Instance);
            delete l;
        }
        Retired().clear();
    }
    static std::vector<TacSubclassLink*>& Retired() {
        static std::vector<TacSubclassLink*> list;
        return list;
    }
};

namespace {

// Takes the wrapper off its window: the old handler back when the window
// still runs the wrapper's, else (Final) the link left as a pass-through.
// Answers whether the handler was given back.
bool Unhook(TacMainWnd* W, bool Final) {
    TacSubclassLink* L = W->Link;
    if (!L) return true;
    if (L->RunsOnTop()) {
        L->Restore();
        W->Link = nullptr;
        W->NewWndProcInstance = nullptr;
        TacSubclassLink::Retire(L);
        return true;
    }
    if (Final) {
        L->Wnd = nullptr;
        W->Link = nullptr;
        W->NewWndProcInstance = nullptr;
    }
    return false;
}

}  // namespace

void ReleaseDyingWindow(TacMainWnd* W) {
    if (W->Link) TacSubclassLink::Retire(W->Link);
    W->Link = nullptr;
    W->NewWndProcInstance = nullptr;
    W->Destroyed = true;
}

TacMainWnd::TacMainWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                       const fw::String& SkinSection, bool ThemeOffAllowed) {
    CtrlHandle = AHandle;
    if (TSetWindowTheme theme = acWindowTheme ? acWindowTheme() : nullptr;
        theme && ThemeOffAllowed && SkinSection != L"DIALOG") {
        theme(AHandle, L" ", L" ");
        ThemeOff = true;
    }
    SkinManager = ASkinManager;
    if (ASkinData) {
        SkinData = ASkinData;
        if (!ASkinManager) SkinManager = ASkinData->GetSkinManager();
    } else {
        OwnSkinData = true;
        SkinData = new TsCommonData(nullptr, true);
        if (ASkinManager) SkinData->SetSkinManager(ASkinManager);
    }
    SkinData->SetCustomFont(ac_KeepOwnFont);
    if (SkinData->SkinSection().empty()) SkinData->SetSkinSection(SkinSection);
    DlgMode = acDlgMode;
}

void TacMainWnd::AfterCreate(bool Repaint) {
    (void)Repaint;
    SaveStdParams();
    ParamsChanged = false;
    Caption = GetWndText(CtrlHandle);
    InitializeACWnd(this, CtrlHandle);
    if (fw::TControl* c = SkinData->FOwnerControl)
        c->SetControlStyle(c->ControlStyle() + fw::TControlStyle{fw::csOpaque});
}

void TacMainWnd::ReleaseWindow() {
    if (Destroyed) return;
    if (ThemeOff && IsWindow(CtrlHandle)) {
        if (TSetWindowTheme theme = acWindowTheme ? acWindowTheme() : nullptr) theme(CtrlHandle, nullptr, nullptr);
    }
    Unhook(this, true);
    if (IsWindow(CtrlHandle) && GetPropW(CtrlHandle, kProp) == this) RemovePropW(CtrlHandle, kProp);
    if (IsWindow(CtrlHandle)) RestoreStdParams();
    Destroyed = true;
}

TacMainWnd::~TacMainWnd() {
    if (!Destroyed)
        ReleaseWindow();
    else if (Link)
        Unhook(this, true);
    if (OwnSkinData) delete SkinData;
    SkinData = nullptr;
    SkinManager = nullptr;
}

fw::TControl* TacMainWnd::MethodOwner() const {
    if (!SkinData) return nullptr;
    if (auto* sp = dynamic_cast<TsSkinProviderBase*>(SkinData->FOwnerObject)) return sp->Form;
    return SkinData->FOwnerControl;
}

bool TacMainWnd::RunsOwnHandler() const { return Link && Link->RunsOnTop(); }

LRESULT TacMainWnd::CallPrevWndProc(HWND Handle, UINT Msg, WPARAM WParam, LPARAM& LParam) {
    if (OldWndProc.Assigned()) {
        fw::TMessage m;
        m.Msg = Msg, m.WParam = WParam, m.LParam = LParam;
        OldWndProc(m);
        LParam = m.LParam;
        return m.Result;
    }
    return OldProc ? CallWindowProcW(OldProc, Handle, Msg, WParam, LParam) : 0;
}

void TacMainWnd::PassOn(fw::TMessage& Message) {
    LPARAM lp = Message.LParam;
    Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, lp);
    Message.LParam = lp;
}

bool TacMainWnd::EndParentUpdate(UINT Flags) {
    if (!SkinData->FUpdating) return false;
    SkinData->FUpdating = false;
    SkinData->FUpdating = SkinData->GetUpdating();
    if (!SkinData->FUpdating) RedrawWindow(CtrlHandle, nullptr, nullptr, Flags);
    return true;
}

void TacMainWnd::acWndProc(fw::TMessage& Message) {
    switch (Message.Msg) {
        case WM_DESTROY:
        case WM_NCDESTROY: {
            if (SkinData && SkinData->GlowID >= 0) {
                HideGlow(SkinData->GlowID);
                SkinData->GlowID = -1;
            }
            PassOn(Message);
            if (OldProc || OldWndProc.Assigned()) {
                TacMainWnd* self = this;
                UninitializeACWnd(CtrlHandle, false, false, self);
                // The window is gone after this message: nothing of it is
                // left to give back, whoever runs on top.
                if (Message.Msg == WM_NCDESTROY && !Destroyed) ReleaseDyingWindow(this);
            }
            return;
        }
        case WM_UPDATEUISTATE:
            return;
        case WM_PRINT:
            Message.Result = SendMessageW(CtrlHandle, WM_PAINT, Message.WParam, Message.LParam);
            return;
        case WM_SETTEXT:
            PassOn(Message);
            Caption = GetWndText(CtrlHandle);
            return;
        case WM_SIZE:
            if (SkinData) SkinData->BGChanged = true;
            break;
        case WM_MOUSEMOVE:
            if (DefaultManager && IsWindowEnabled(CtrlHandle) && DefaultManager->ActiveControl() != CtrlHandle)
                DefaultManager->SetActiveControl(CtrlHandle);
            break;
        default:
            break;
    }
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (!M || !M->Active()) {
        PassOn(Message);
        return;
    }
    if (Message.Msg != SM_ALPHACMD) {
        PassOn(Message);
        return;
    }
    switch (Message.WParamHi()) {
        case smcNewSkin:
            if (LPARAM(M) == Message.LParam) {
                SkinData->UpdateIndexes();
                SkinData->BGChanged = true;
                AlphaBroadCastCheck(SkinData->FOwnerControl, CtrlHandle, Message);
            }
            break;
        case smcRemoveSkin:
            if (LPARAM(M) == Message.LParam) RestoreStdParams();
            break;
        case smcRefresh:
            if (LPARAM(M) == Message.LParam) {
                SkinData->UpdateIndexes();
                SkinData->BGChanged = true;
                SkinData->SetUpdating(false);
                SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
                return;
            }
            break;
        case smcEndParentUpdate:
            if (EndParentUpdate(RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME)) return;
            break;
        case smcIsHandled:
            Message.Result = 1;
            return;
        case smcGetUpdating:
            Message.Result = SkinData->FUpdating ? 1 : 0;
            return;
        case smcGetRepaintIfMoved:
            if (SkinData->FOwnerControl) {
                CommonMessage(Message, SkinData);
                return;
            }
            break;
        case smcGetColor:
            PassOn(Message);
            if (Message.Result == 0) Message.Result = LRESULT(GetBGColor(SkinData, 0, CtrlHandle));
            return;
        case smcPrepareCache:
            PrepareCache(SkinData, CtrlHandle, false);
            break;
        case smcGetBGInfo:
            InitBGInfo(SkinData, reinterpret_cast<PacBGInfo>(Message.LParam), 0, CtrlHandle);
            return;
        case smcGetApplication:
            Message.Result = LRESULT(static_cast<fw::TApplication*>(fw::Application));
            return;
        default:
            break;
    }
    PassOn(Message);
}

void InitializeACWnd(TacMainWnd* Wnd, HWND Handle) {
    if (!Wnd) return;
    TacSubclassLink::FreeRetired();
    Wnd->DontRepaint = false;
    Wnd->CtrlHandle = Handle;
    SetPropW(Handle, kProp, Wnd);
    if (Wnd->Link) return;  // already attached
    auto* L = new TacSubclassLink;
    L->Handle = Handle;
    L->Wnd = Wnd;
    L->Owner = Wnd->MethodOwner();
    if (L->Owner) {
        L->OldWndProc = L->Owner->WindowProc();
        Wnd->OldWndProc = L->OldWndProc;
        L->Owner->SetWindowProc(L->Own());
    } else {
        L->OldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Handle, GWLP_WNDPROC));
        Wnd->OldProc = L->OldProc;
        L->Instance = fw::MakeObjectInstance(L->Own());
        Wnd->NewWndProcInstance = L->Instance;
        SetWindowLongPtrW(Handle, GWLP_WNDPROC, LONG_PTR(L->Instance));
    }
    Wnd->Link = L;
}

void UninitializeACWnd(HWND Handle, bool Free, bool Repaint, TacMainWnd*& Wnd) {
    if (!Wnd || Wnd->Destroyed) return;
    const bool done = Unhook(Wnd, false);
    if (GetPropW(Handle, kProp) == Wnd) RemovePropW(Handle, kProp);
    Wnd->RestoreStdParams();
    if (IsWindowVisible(Handle)) {
        if (Repaint)
            SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        else
            SendMessageW(Handle, WM_NCPAINT, 1, 0);
    }
    Wnd->Destroyed = done;
    if (Free) {
        TacMainWnd* w = Wnd;
        Wnd = nullptr;
        delete w;
    }
}

fw::String GetWndText(HWND Handle) {
    const int len = GetWindowTextLengthW(Handle);
    if (len <= 0) return fw::String();
    std::vector<wchar_t> buf(size_t(len) + 1, L'\0');
    const int got = GetWindowTextW(Handle, buf.data(), len + 1);
    return fw::String(buf.data(), size_t(std::max(got, 0)));
}

void InitCtrlData(HWND Wnd, HWND& ParentWnd, fw::TRect& WndRect, fw::TRect& ParentRect, SIZE& WndSize,
                  fw::TPoint& WndPos) {
    RECT r{};
    GetWindowRect(Wnd, &r);
    WndRect = fw::TRect(r.left, r.top, r.right, r.bottom);
    ParentWnd = GetParent(Wnd);
    RECT pr{};
    if (ParentWnd) GetWindowRect(ParentWnd, &pr);
    ParentRect = fw::TRect(pr.left, pr.top, pr.right, pr.bottom);
    WndSize = {r.right - r.left, r.bottom - r.top};
    POINT p{r.left, r.top};
    if (ParentWnd) ScreenToClient(ParentWnd, &p);
    WndPos = fw::TPoint(p.x, p.y);
}

void InitCtrlData(TacMainWnd* Wnd) {
    InitCtrlData(Wnd->CtrlHandle, Wnd->ParentWnd, Wnd->WndRect, Wnd->ParentRect, Wnd->WndSize, Wnd->WndPos);
}

void PrepareCache(TsCommonData* SkinData, HWND Handle, bool Flat) {
    if (!SkinData || !Handle || !SkinData->BGChanged) return;
    RECT r{};
    GetWindowRect(Handle, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    TCacheInfo CI = GetParentCacheHwnd(Handle);
    SkinData->InitCacheBmp();
    fw::TBitmap* cache = SkinData->FCacheBmp;
    cache->SetSize(w, h);
    const fw::TColor border =
        DefaultManager && DefaultManager->SkinData ? DefaultManager->SkinData->BorderColor : fw::TColor(0xFF00FF);
    if (Flat && (border & 0xFFFFFF) != 0xFF00FF) {
        fw::TCanvas* c = cache->Canvas();
        RECT all{0, 0, w, h};
        FillDC(c->Handle(), all, fw::clWindow);
        HBRUSH frame = CreateSolidBrush(fw::ColorToRGB(border));
        FrameRect(c->Handle(), &all, frame);
        DeleteObject(frame);
    } else {
        HWND parent = GetParent(Handle);
        POINT p{r.left, r.top};
        if (!parent || !ScreenToClient(parent, &p)) return;  // the old cache stays, still stale
        TsSkinManager* M = SkinData->GetSkinManager();
        if (M && M->IsValidSkinIndex(SkinData->SkinIndex)) {
            const int state = (SkinData->FFocused || SkinData->FMouseAbove) ? 1 : 0;
            PaintItem(SkinData, CI, false, state, fw::TRect(0, 0, w, h), fw::TPoint(p.x, p.y), cache, !Flat);
        }
    }
    if (fw::TControl* owner = SkinData->FOwnerControl; owner && !owner->Enabled()) {
        acGlobalDisabledKind = TsDisabledKind{dkBlended};
        SendAMessage(Handle, smcDisabledKind, 0);
        TCacheInfo pc = GetParentCache(SkinData);
        BmpDisabledKind(cache, acGlobalDisabledKind, owner->Parent(), pc, fw::TPoint(owner->Left(), owner->Top()));
    }
    SkinData->BGChanged = false;
}

void UpdateWndCorners(TsCommonData* SkinData, int State, TacMainWnd* Wnd) {
    if (!SkinData || !Wnd || Wnd->DlgMode) return;
    TCacheInfo CI = GetParentCacheHwnd(Wnd->CtrlHandle);
    if (CI.Ready) {
        CI.X += Wnd->WndPos.X;
        CI.Y += Wnd->WndPos.Y;
    } else {
        CI.FillColor = fw::ColorToRGB(CI.FillColor);
        if ((CI.FillColor & 0xFFFFFF) == 0xFF00FF) return;
    }
    UpdateCornersOver(SkinData, State, Wnd->WndSize.cx, Wnd->WndSize.cy, CI);
}

bool MayBeHot(TsCommonData* SkinData) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (!M || SkinData->SkinIndex < 0 || SkinData->BorderIndex < 0 || !M->IsValidImgIndex(SkinData->BorderIndex))
        return false;
    return M->ma[size_t(SkinData->BorderIndex)].ImageCount > 1;
}

void AlphaBroadCastCheck(fw::TControl* Ctrl, HWND Handle, fw::TMessage& Message) {
    if (auto* wc = dynamic_cast<fw::TWinControl*>(Ctrl))
        AlphaBroadCast(wc, Message);
    else
        AlphaBroadCast(Handle, Message);
}

void SetPropIfExists(fw::TObject* Obj, const fw::String& PropName, int Value) {
    if (Obj && HasProperty(Obj, PropName)) SetIntProp(Obj, PropName, Value);
}

fw::TColor GetRGBProp(fw::TObject* Obj, const fw::String& PropName) {
    if (!Obj || !HasProperty(Obj, PropName)) return 0;
    return fw::ColorToRGB(fw::TColor(GetIntProp(Obj, PropName)));
}

fw::TComponent* FindComponentByHandle(HWND Handle, fw::TComponent* Root) {
    if (!Root) return nullptr;
    for (int i = 0; i < Root->ComponentCount(); ++i) {
        fw::TComponent* c = Root->Components(i);
        if (auto* wc = dynamic_cast<fw::TWinControl*>(c); wc && wc->HandleAllocated() && wc->Handle() == Handle)
            return c;
        if (fw::TComponent* found = FindComponentByHandle(Handle, c)) return found;
    }
    return nullptr;
}

void SendAddToAdapterToTop(HWND Handle) {
    HWND top = Handle;
    while (HWND p = GetParent(top)) top = p;
    if (top) SendMessageW(top, SM_ALPHACMD, MAKEWPARAM(0, smcAddToAdapter), 0);
}

TacMainWnd* WrapperOf(HWND Handle) { return static_cast<TacMainWnd*>(GetPropW(Handle, kProp)); }

}  // namespace skin
