#include "skin/forms/sSkinProvider.h"

#include "skin/forms/sSkinMenus.h"

#include "framework/rtl/Exception.h"
#include "framework/windows/Application.h"
#include "framework/windows/StdCtrls.h"
#include "skin/engine/sFormRegistry.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/forms/acSupportedForms.h"
#include "skin/forms/sDwm.h"
#include "skin/forms/sFramePaint.h"
#include "skin/forms/sFrameRegion.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sMDIMenuLine.h"
#include "skin/forms/sSysMenu.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sCommonMessage.h"
#include "skin/paint/sVclUtils.h"
#include "skin/windows/acScrollWnd.h"

namespace skin {

namespace {

// The owner of a provider must be a form: checked before the component is
// made, so a refused provider never enters the owner's list.
fw::TComponent* FormOwner(fw::TComponent* AOwner) {
    if (!dynamic_cast<fw::TCustomForm*>(AOwner))
        throw fw::EAbort(L"TsSkinProvider component may be used with forms only!");
    return AOwner;
}

bool Has(const fw::TComponent* C, fw::TComponentStateItem Item) { return C && C->ComponentState().Contains(Item); }

TsSkinProviderBase* MakeRuntimeProvider(fw::TCustomForm* Form) { return TsSkinProvider::CreateRT(Form, true); }

}  // namespace

TsSkinProvider* ProviderOf(fw::TCustomForm* Form) {
    if (!Form) return nullptr;
    const LRESULT r = Form->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcGetProvider), 0);
    return dynamic_cast<TsSkinProvider*>(reinterpret_cast<TsSkinProviderBase*>(r));
}

void InstallFormSkinning() {
    acMakeProvider = &MakeRuntimeProvider;
    acHookHandler = &HandleHookCode;
    InstallSkinnedMenus();
    if (DefaultManager) DefaultManager->AdoptSkinableMenus();
}

// ---- construction and destruction

TsSkinManager* TsSkinProvider::SkinManager() const {
    return FCommonData ? FCommonData->GetSkinManager() : DefaultManager;
}

TsSkinProvider::TsSkinProvider(fw::TComponent* AOwner) : TsSkinProviderBase(FormOwner(AOwner)) {
    Form = static_cast<fw::TCustomForm*>(AOwner);
    // One provider per form: one that never initialised gives way, any other
    // keeps the form and this one stays inert.
    if (TsSkinProviderBase* other =
            reinterpret_cast<TsSkinProviderBase*>(Form->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcGetProvider), 0))) {
        auto* sp = dynamic_cast<TsSkinProvider*>(other);
        if (sp && sp != this && sp->RTInit)
            sp->Free();
        else if (other != this)
            RTEmpty = true;
    }
    FAddedTitle.FOwner = this;
    FMetrics = TFrameMetrics::FromSystem();
    FCommonData = new TsCommonData(this, false);
    FCommonData->SetSkinSection(L"FORM");
    FCommonData->COC = 224;
    if (!Form->ControlState().Empty()) FCommonData->BeginUpdate();
    if (RTEmpty) return;
    TempBmp = std::make_unique<fw::TBitmap>();
    ArOR.clear();
    OldWndProc = Form->WindowProc();
    Form->SetWindowProc(fw::TWndMethod(this, &TsSkinProvider::NewWndProc));
    Bound = true;
    IntSkinForm(Form);
    FormActive = true;
}

TsSkinProvider* TsSkinProvider::CreateRT(fw::TComponent* AOwner, bool InitRT) {
    (void)InitRT;
    auto* sp = new TsSkinProvider(AOwner);
    sp->RTInit = true;
    sp->AfterConstruction();
    return sp;
}

TsSkinProvider::~TsSkinProvider() {
    InitExBorders(false);
    KillAnimations();
    // The scroll wrapper stands before the provider in the form's window
    // method chain: it goes first, so the provider gives back the form's own.
    delete ListSW;
    ListSW = nullptr;
    HookMDI(false);
    FreeMDIIconsOf(this);
    MDIButtonsBG.reset();
    if (Bound && Form && Form->FormStyle() == fw::fsMDIChild && Form->Menu())
        // The parent's line held the child's menu items.
        if (auto* parent = dynamic_cast<TsSkinProvider*>(MDISkinProvider);
            parent && parent != this && !Has(parent, fw::csDestroying) && parent->Form &&
            !Has(parent->Form, fw::csDestroying)) {
            parent->SkinData()->BGChanged = true;
            parent->FLinesCount = -1;
            if (parent->Form->HandleAllocated()) SendMessageW(parent->Form->WindowHandle(), WM_NCPAINT, 0, 0);
        }
    if (Bound && Form) {
        IntUnSkinForm(Form);
        Form->SetWindowProc(OldWndProc);
        // A form that outlives its provider gets its system menu back.
        if (HaveSysMenu && Form->HandleAllocated() && !Has(Form, fw::csDestroying)) {
            const HWND h = Form->WindowHandle();
            SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) | WS_SYSMENU);
        }
    }
    if (MDISkinProvider == this) MDISkinProvider = nullptr;
    // Nothing keeps a provider that is gone.
    if (MDILastChild == this) MDILastChild = nullptr;
    delete Adapter;
    Adapter = nullptr;
    if (SystemMenu) SystemMenu->Free();
    SystemMenu = nullptr;
    delete FGlow1;
    delete FGlow2;
    delete FCommonData;
    FCommonData = nullptr;
}

void TsSkinProvider::AfterConstruction() {
    TsSkinProviderBase::AfterConstruction();
    TsSkinManager* m = SkinManager();
    if (!RTEmpty && !RTInit && m && m->Active()) PrepareForm();
}

void TsSkinProvider::Loaded() {
    TsSkinProviderBase::Loaded();
    if (!RTEmpty && !RTInit && SkinManager() && FCommonData->Skinned(true)) LoadInit();
}

void TsSkinProvider::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
    TsSkinProviderBase::Notification(AComponent, Operation);
    auto* m = dynamic_cast<TsSkinManager*>(AComponent);
    if (!m || !FCommonData) return;
    if (Operation == fw::opInsert && !FCommonData->GetSkinManager())
        FCommonData->SetSkinManager(m);
    else if (Operation == fw::opRemove && FCommonData->FSkinManager == m)
        FCommonData->SetSkinManager(nullptr);
}

// ---- initialisation

void TsSkinProvider::LoadInit() {
    if (Form && Form->HandleAllocated()) InitDwm(Form->WindowHandle(), true);
    PrepareForm();
}

void TsSkinProvider::UpdateSkinIndexes() {
    FCommonData->UpdateIndexes();
    FFrameSkin = FrameSkinOf(SkinManager(), FTitleSkin);
    UpdateIconsIndexes(Buttons, State(), FFrameSkin);
}

void TsSkinProvider::PrepareForm() {
    TsSkinManager* m = SkinManager();
    if (RTInit || RTEmpty || !m || !Form || !Form->HandleAllocated()) return;
    FCommonData->Loaded();
    if (!SystemMenu) {
        SystemMenu = new TsSystemMenu(this);
        SystemMenu->AfterConstruction();
        SystemMenu->UpdateItems(false);
    }
    CheckSysMenu(m->SkinData && m->SkinData->Active);
    UpdateSkinIndexes();
    RgnChanged = true;
    if (!Form->ControlState().Contains(fw::csCreating) && !Has(Form, fw::csReading) && !Has(this, fw::csLoading))
        ApplyGlobalColor();
    if (Form->FormStyle() == fw::fsMDIChild && FCommonData->Skinned())
        // The parent's line shows what the child's state asks for.
        if (auto* parent = dynamic_cast<TsSkinProvider*>(MDISkinProvider);
            parent && parent != this && !Has(parent, fw::csDestroying) && parent->Form &&
            !Has(parent->Form, fw::csDestroying) && parent->SkinData()) {
            parent->SkinData()->BGChanged = true;
            parent->FLinesCount = -1;
        }
    InitMenuItems(FCommonData->Skinned(false));
    if (!MenusInitialized && UpdateMenu()) MenusInitialized = true;
    if (!Has(Form, fw::csLoading) && Showing()) InitExBorders(m->ExtendedBorders());
    if (Form->FormStyle() == fw::fsMDIForm && m->SkinData && m->SkinData->Active) HookMDI(true);
}

void TsSkinProvider::ApplyGlobalColor() {
    TsSkinManager* m = SkinManager();
    if (m && FUseGlobalColor && !FCommonData->CustomColor()) Form->SetColor(m->GetGlobalColor());
}

void TsSkinProvider::CheckSysMenu(bool Value) {
    if (!Form || !Form->HandleAllocated()) return;
    const HWND h = Form->WindowHandle();
    const LONG style = GetWindowLongW(h, GWL_STYLE);
    if (Value && ((style & WS_SYSMENU) || HaveSysMenu)) {
        // The provider draws the title buttons and drops the menu itself.
        const LONG want = FDrawNonClientArea ? style & ~WS_SYSMENU : style | WS_SYSMENU;
        if (want != style) SetWindowLongW(h, GWL_STYLE, want);
        HaveSysMenu = true;
    } else if (!Value && HaveSysMenu) {
        SetWindowLongW(h, GWL_STYLE, style | WS_SYSMENU);
    } else {
        HaveSysMenu = false;
    }
}

// ---- properties

void TsSkinProvider::SetCaptionAlignment(fw::TAlignment Value) {
    if (FCaptionAlignment == Value) return;
    FCaptionAlignment = Value;
    FCommonData->BGChanged = true;
    if (Form && Form->Visible() && Skinned()) UpdateSkinCaption(this);
}

void TsSkinProvider::SetShowAppIcon(bool Value) {
    if (FShowAppIcon == Value) return;
    FShowAppIcon = Value;
    FCommonData->BGChanged = true;
    if (Form && Form->Visible()) RepaintFrame();
}

void TsSkinProvider::SetTitleSkin(const fw::String& Value) {
    if (FTitleSkin == Value) return;
    FTitleSkin = Value;
    FFrameSkin = FrameSkinOf(SkinManager(), FTitleSkin);
    FCommonData->BGChanged = true;
    if (Form && Form->Visible()) RepaintFrame();
}

void TsSkinProvider::SetUseGlobalColor(bool Value) {
    if (FUseGlobalColor == Value) return;
    FUseGlobalColor = Value;
    if (!Form) return;
    TsSkinManager* m = SkinManager();
    if (Value && m && FCommonData->Skinned() && !FCommonData->CustomColor())
        Form->SetColor(m->GetGlobalColor());
    else
        Form->SetColor(fw::clBtnFace);
}

void TsSkinProvider::SetDrawNonClientArea(bool Value) {
    if (FDrawNonClientArea == Value) return;
    FDrawNonClientArea = Value;
    if (!Form || !Form->HandleAllocated()) return;
    const HWND h = Form->WindowHandle();
    if (Value) {
        CheckSysMenu(true);
        if (Showing() && Skinned()) {
            FCommonData->BGChanged = true;
            RgnChanged = true;
            SkinMenuLine(true);
            // The border window went with the frame: it comes back with it.
            if (TsSkinManager* m = SkinManager()) InitExBorders(m->ExtendedBorders());
            RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_INVALIDATE);
            RefreshFormScrollWrapper();
        }
    } else {
        InitExBorders(false);
        SkinMenuLine(false);
        // The platform draws the frame again, in the visual style the
        // scroll wrapper took away.
        if (TSetWindowTheme theme = acWindowTheme ? acWindowTheme() : nullptr) theme(h, nullptr, nullptr);
        delete ListSW;
        ListSW = nullptr;
        if (HaveSysMenu) SetWindowLongW(h, GWL_STYLE, GetWindowLongW(h, GWL_STYLE) | WS_SYSMENU);
        if (Showing()) SetWindowRgn(h, nullptr, TRUE);
    }
}

void TsSkinProvider::SkinMenuLine(bool On) {
    TsSkinManager* m = SkinManager();
    auto* menus = m ? dynamic_cast<TsSkinableMenus*>(m->SkinableMenus()) : nullptr;
    fw::TMainMenu* menu = Form ? Form->Menu() : nullptr;
    if (!menus || !menu) return;
    menus->InitMenuLine(menu, On);
    // Who draws the items decides their sizes: the bar is measured again.
    FLinesCount = -1;
    UpdateMenu();
}

// ---- the frame

TFrameState TsSkinProvider::State() const {
    TFrameState s = FrameStateOf(Form, HaveSysMenu);
    s.Active = FormActive;
    s.ShowAppIcon = FShowAppIcon;
    s.GripMode = FGripMode;
    s.TitleIconWidth = FTitleIcon.Width;
    s.TitleIconHeight = FTitleIcon.Height;
    if (s.MenuLine) s.MenuLines = LinesCount();
    if (ListSW && ListSW->sBarHorz && ListSW->sBarVert && !ListSW->Destroyed) {
        const TacScrollBar &horz = *ListSW->sBarHorz, &vert = *ListSW->sBarVert;
        s.VScrollWidth = ShownThickness(vert);
        s.HScrollHeight = ShownThickness(horz);
        if (s.VScrollWidth && s.HScrollHeight)
            s.ScrollCorner = CornerRect(fw::TRect(0, 0, s.Width, s.Height), ListSW->Edges, horz, vert);
    }
    return s;
}

bool TsSkinProvider::Skinned() const { return FCommonData && FCommonData->Skinned(true) && !Destroying(); }

bool TsSkinProvider::Showing() const {
    return Form && Form->HandleAllocated() && IsWindowVisible(Form->WindowHandle());
}

bool TsSkinProvider::Destroying() const { return Has(this, fw::csDestroying) || Has(Form, fw::csDestroying); }

int TsSkinProvider::OffsetX() const {
    if (BorderForm) return ExClientOffset(State(), FMetrics, ExBorders()).X;
    return skin::OffsetX(State());
}

int TsSkinProvider::OffsetY() const {
    if (BorderForm) return ExClientOffset(State(), FMetrics, ExBorders()).Y;
    return skin::OffsetY(State(), FMetrics);
}

int TsSkinProvider::CaptionHeight(bool CheckSkin) const {
    if (CheckSkin && BorderForm) return ExCaptionHeight(State(), FMetrics, ExBorders());
    return skin::CaptionHeight(State(), FMetrics);
}

void TsSkinProvider::FillArOR() { ArOR = skin::FillArOR(State(), FFrameSkin); }

HRGN TsSkinProvider::GetRgnFromArOR(int X, int Y) { return skin::GetRgnFromArOR(State(), ArOR, X, Y); }

void TsSkinProvider::UpdateRgn(bool Repaint) {
    if (!FDrawNonClientArea || InMenu || !Form || !Form->HandleAllocated()) return;
    const TFrameState s = State();
    if (!FrameNeedsRegion(s)) return;
    const HWND h = Form->WindowHandle();
    if (!FirstInitialized && SendMessageW(h, msgRegionQuery, WPARAM(msgKeepRegionValue), 0) == msgKeepRegionValue)
        return;
    if (Form->Parent() && Form->DragKind() == fw::dkDock) {
        // A docked form lies in its host whole, its frame square.
        HRGN current = CreateRectRgn(0, 0, 0, 0);
        if (GetWindowRgn(h, current) != ERROR) SetWindowRgn(h, nullptr, FALSE);
        DeleteObject(current);
        return;
    }
    // With a border window the form keeps only its client area.
    const fw::TRect own = ExOwnerRegionRect(s, FMetrics);
    HRGN rgn = BorderForm ? CreateRectRgn(own.Left, own.Top, own.Right, own.Bottom) : FrameRegion(s, FMetrics, ArOR);
    // The same region again is not set: setting a region repaints the frame,
    // and the frame's painting checks the region.
    HRGN current = CreateRectRgn(0, 0, 0, 0);
    const bool same = GetWindowRgn(h, current) != ERROR && EqualRgn(current, rgn);
    DeleteObject(current);
    if (same) {
        DeleteObject(rgn);
        return;
    }
    RgnChanging = true;
    SetWindowRgn(h, rgn, Repaint);
    RgnChanging = false;
}

// ---- skin changes

void TsSkinProvider::RemoveSkin(fw::TMessage& Message) {
    auto* m = reinterpret_cast<TsSkinManager*>(Message.LParam);
    if (m == SkinManager()) {
        HideTitleGlows();
        delete ListSW;
        ListSW = nullptr;
        // The MDI client goes back to the system's look with its wrapper.
        HookMDI(false);
        if (Form && Form->HandleAllocated()) InitDwm(Form->WindowHandle(), false);
        AdapterRemove();
        CommonMessage(Message, FCommonData);
        FFrameSkin = TFrameSkin();
        AlphaBroadCast(Form, Message);
        FLinesCount = -1;
        if (Form && !Destroying() && Form->HandleAllocated()) {
            InitMenuItems(false);
            CheckSysMenu(false);
            if (HaveBorder(State()) && !InMenu) SetWindowRgn(Form->WindowHandle(), nullptr, TRUE);
            InitExBorders(false);
        }
        // Labels and the form lose the skin's colours.
        if (Form) {
            for (int i = 0; i < Form->ControlCount(); ++i)
                if (auto* label = dynamic_cast<fw::TLabel*>(Form->Controls(i)))
                    label->Font()->SetColor(fw::clWindowText);
            if (FUseGlobalColor && !FCommonData->CustomColor()) Form->SetColor(fw::clBtnFace);
        }
        delete FCommonData->FCacheBmp;
        FCommonData->FCacheBmp = nullptr;
        if (Form && Form->HandleAllocated() && !Destroying())
            RedrawWindow(Form->WindowHandle(), nullptr, nullptr,
                         RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    } else if (Form) {
        AlphaBroadCast(Form, Message);
    }
}

void TsSkinProvider::NewSkinUnskinned(fw::TMessage& Message) {
    if (reinterpret_cast<TsSkinManager*>(Message.LParam) != SkinManager() || Destroying() || !Form) return;
    UpdateSkinIndexes();
    CheckSysMenu(true);
    FCommonData->BGChanged = true;
    RgnChanged = true;
    ApplyGlobalColor();
    if (Form->FormStyle() == fw::fsMDIForm) HookMDI(true);
    if (Form->HandleAllocated()) {
        InitDwm(Form->WindowHandle(), true);
        if (Showing()) RedrawWindow(Form->WindowHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
    }
}

void TsSkinProvider::SkinChangeMessage(fw::TMessage& Message) {
    TsSkinManager* m = SkinManager();
    if (reinterpret_cast<TsSkinManager*>(Message.LParam) != m) return;
    if (Message.WParamHi() == smcNewSkin) {
        UpdateSkinIndexes();
        CheckSysMenu(FDrawNonClientArea);
        FCommonData->BGChanged = true;
        RgnChanged = true;
        // The new skin's menu font and margins measure the bar anew.
        FLinesCount = -1;
        if (m && m->SkinableMenus()) m->SkinableMenus()->UpdateMenus();
        if (Form && Form->FormStyle() == fw::fsMDIForm) HookMDI(true);
        RepaintFrame();
        return;
    }
    // smcRefresh
    if (FDrawNonClientArea) RefreshFormScrollWrapper();
    FLinesCount = -1;
    if (m && !m->ComponentState().Contains(fw::csLoading)) {
        UpdateMenu();
        InitMenuItems(FCommonData->Skinned(false));
    }
    if (MDIForm) MDIForm->ConnectToClient();
    if (HaveBorder(State())) RgnChanged = true;
    if (Form && Form->Visible() && Form->HandleAllocated()) {
        FCommonData->BGChanged = true;
        InitExBorders(m && m->ExtendedBorders());
        const bool maxChild = Form->FormStyle() == fw::fsMDIForm && MDIStateOf(this).ChildMaximized;
        if (!InAnimationProcess && maxChild) {
            // The maximised child covers the client: it is painted again
            // with the parent's frame, which holds its buttons.
            RepaintFrame();
            if (fw::TCustomForm* child = Form->ActiveMDIChild(); child && child->HandleAllocated())
                InvalidateRect(child->WindowHandle(), nullptr, TRUE);
        } else if (!InAnimationProcess) {
            RedrawWindow(Form->WindowHandle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        }
        ApplyGlobalColor();
        FCommonData->FUpdating = false;
    }
}

}  // namespace skin
