#include "skin/forms/sCtrlAdapter.h"

#include <algorithm>

#include "framework/windows/Forms.h"
#include "framework/windows/Frames.h"
#include "framework/windows/StdCtrls.h"
#include "skin/engine/sDefaults.h"
#include "skin/forms/sFrameAdapter.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/windows/acButtonWnd.h"
#include "skin/windows/acCheckBoxWnd.h"
#include "skin/windows/acComboWnd.h"
#include "skin/windows/acEditWnd.h"
#include "skin/windows/acGridWnd.h"
#include "skin/windows/acListViewWnd.h"
#include "skin/windows/acPanelWnd.h"
#include "skin/windows/acStatusBarWnd.h"
#include "skin/windows/acTabWnd.h"
#include "skin/windows/acToolBarWnd.h"
#include "skin/windows/acTreeViewWnd.h"
#include "skin/windows/acVirtualTreeWnd.h"
#include "skin/windows/acWWComboWnd.h"

namespace skin {

bool bFlag = false;
bool bRemoving = false;

namespace {

// The adapter's own skin data of the controls it wraps.
constexpr int kAdapterCOC = 227;
// A control with this Tag is never skinned; a label with the positive one
// keeps its colours.
constexpr intptr_t kSkipTag = -98;
constexpr intptr_t kKeepColoursTag = 98;

template <class T>
TacMainWnd* Make(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager, const fw::String& SkinSection) {
    return CreateWnd<T>(true, Handle, SkinData, SkinManager, SkinSection);
}

TacMainWnd* MakeGrid(HWND H, TsCommonData* D, TsSkinManager* M, const fw::String& S) {
    return CreateGridWnd(H, D, M, false, S);
}
TacMainWnd* MakeGridEh(HWND H, TsCommonData* D, TsSkinManager* M, const fw::String& S) {
    return CreateGridWnd(H, D, M, true, S);
}
TacMainWnd* MakeListView(HWND H, TsCommonData* D, TsSkinManager* M, const fw::String& S) {
    return CreateListViewWnd(H, D, M, S);
}
TacMainWnd* MakeTreeView(HWND H, TsCommonData* D, TsSkinManager* M, const fw::String& S) {
    return CreateTreeViewWnd(H, D, M, S);
}
TacMainWnd* MakePanel(HWND H, TsCommonData* D, TsSkinManager* M, const fw::String& S) {
    return CreatePanelWnd(H, D, M, S);
}
TacMainWnd* MakeToolBar(HWND H, TsCommonData* D, TsSkinManager* M, const fw::String& S) {
    return CreateToolBarWnd(H, D, M, S);
}
// These take their sections from what they wrap.
TacMainWnd* MakeVirtualTree(HWND H, TsCommonData* D, TsSkinManager* M, const fw::String&) {
    return CreateVirtualTreeWnd(H, D, M);
}
TacMainWnd* MakeTabs(HWND H, TsCommonData* D, TsSkinManager* M, const fw::String&) { return CreateTabWnd(H, D, M); }
TacMainWnd* MakeStatusBar(HWND H, TsCommonData* D, TsSkinManager* M, const fw::String&) {
    return CreateStatusBarWnd(H, D, M);
}
TacMainWnd* MakeWWCombo(HWND, TsCommonData* D, TsSkinManager* M, const fw::String&) {
    auto* ctrl = D ? dynamic_cast<fw::TWinControl*>(D->FOwnerControl) : nullptr;
    return ctrl ? CreateWWComboBoxWnd(ctrl, D, M) : nullptr;
}

struct TAdapterRoute {
    TacThirdPartyTypes Kind;
    TAdapterWrapperMaker Make;
};

// The wrapper of each list (speed buttons get a handler, not a wrapper).
const TAdapterRoute kRoutes[] = {
    {tpEdit, Make<TacEditWnd>},
    {tpButton, Make<TacBtnWnd>},
    {tpBitBtn, Make<TacBitBtnWnd>},
    {tpCheckBox, Make<TacCheckBoxWnd>},
    {tpComboBox, Make<TacComboBoxWnd>},
    {tpGrid, MakeGrid},
    {tpGroupBox, Make<TacGroupBoxWnd>},
    {tpListView, MakeListView},
    {tpPanel, MakePanel},
    {tpTreeView, MakeTreeView},
    {tpwwEdit, MakeWWCombo},
    {tpGridEh, MakeGridEh},
    {tpVirtualTree, MakeVirtualTree},
    {tpPageControl, MakeTabs},
    {tpTabControl, MakeTabs},
    {tpToolBar, MakeToolBar},
    {tpStatusBar, MakeStatusBar},
};

bool AnswersHandled(fw::TControl* C) {
    if (auto* w = dynamic_cast<fw::TWinControl*>(C))
        return w->HandleAllocated() &&
               SendMessageW(w->WindowHandle(), SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0) != 0;
    return C->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0) == 1;
}

bool WrapperDead(const TacMainWnd* W) { return !W || W->Destroyed; }
bool HandlerDead(const TacSpeedButtonHandler* H) { return !H || H->Destroyed; }

}  // namespace

TAdapterWrapperMaker AdapterWrapperMaker(int Kind) {
    for (const TAdapterRoute& r : kRoutes)
        if (r.Kind == Kind) return r.Make;
    return nullptr;
}

int ThirdListOf(TsSkinManager* Manager, const fw::String& ClassName) {
    if (!Manager) return -1;
    // Exact, case-sensitive: the lists are string lists whose IndexOf is not.
    for (size_t i = 0; i < Manager->ThirdLists.size(); ++i) {
        const fw::TStringList* list = Manager->ThirdLists[i].get();
        for (int j = 0; list && j < list->Count(); ++j)
            if (list->Strings(j) == ClassName) return int(i);
    }
    return -1;
}

// ---- items

TacAdapterItem::TacAdapterItem() {
    SkinData = new TsCommonData(nullptr, true);
    SkinData->COC = kAdapterCOC;
}

TacAdapterItem::~TacAdapterItem() {
    delete ScrollWnd;
    ScrollWnd = nullptr;
    delete SkinData;
    SkinData = nullptr;
}

void TacAdapterItem::DoHook(fw::TWinControl* Control) {
    if (!Control || Control->Tag() == kSkipTag || !Control->HandleAllocated() || !Control->Parent() ||
        AnswersHandled(Control))
        return;
    WinCtrl = Control;
    SkinData->FOwnerControl = Control;
    SkinData->FOwnerObject = Control;
    TsSkinManager* M = SkinData->GetSkinManager();
    const int list = ThirdListOf(M, Control->ClassName());
    if (list < 0) return;
    if (TAdapterWrapperMaker make = AdapterWrapperMaker(list))
        ScrollWnd = make(Control->WindowHandle(), SkinData, M, SkinData->SkinSection());
}

TacGraphItem::TacGraphItem() {
    SkinData = new TsCommonData(nullptr, true);
    SkinData->COC = kAdapterCOC;
}

TacGraphItem::~TacGraphItem() {
    delete Handler;
    Handler = nullptr;
    delete SkinData;
    SkinData = nullptr;
}

void TacGraphItem::DoHook(fw::TControl* Control) {
    if (!Control || Control->Tag() == kSkipTag) return;
    Ctrl = Control;
    SkinData->FOwnerControl = Control;
    SkinData->FOwnerObject = Control;
    Handler = new TacSpeedButtonHandler(Control, SkinData, SkinData->GetSkinManager(), SkinData->SkinSection(), true);
}

// ---- the adapter

TacCtrlAdapter::TacCtrlAdapter(TsSkinProvider* AProvider) : Provider(AProvider) {}

TacCtrlAdapter::~TacCtrlAdapter() {
    CleanItems();
    RemoveAllItems();
}

TsSkinManager* TacCtrlAdapter::Manager() const { return Provider ? Provider->SkinManager() : DefaultManager; }

bool TacCtrlAdapter::AskSkinItem(fw::TComponent* Item, fw::String& SkinSection) {
    bool can = true;
    if (Provider && Provider->OnSkinItem.Assigned()) Provider->OnSkinItem(Item, can, SkinSection);
    return can;
}

TacAdapterItem* TacCtrlAdapter::GetItem(int Index) {
    return Index >= 0 && Index < Count() ? Items[size_t(Index)] : nullptr;
}

TsCommonData* TacCtrlAdapter::GetCommonData(int Index) {
    (void)Index;
    return nullptr;
}

int TacCtrlAdapter::IndexOf(fw::TWinControl* Ctrl) const {
    for (size_t i = 0; i < Items.size(); ++i)
        if (Items[i]->WinCtrl == Ctrl) return int(i);
    return -1;
}

bool TacCtrlAdapter::IsControlSupported(fw::TComponent* Control) {
    auto* c = dynamic_cast<fw::TControl*>(Control);
    if (!c || c->Tag() == kSkipTag) return false;
    auto* w = dynamic_cast<fw::TWinControl*>(c);
    if (w && (!w->HandleAllocated() || AnswersHandled(w))) return false;
    fw::String section;
    if (!w) {
        if (dynamic_cast<fw::TCustomLabel*>(c)) return AskSkinItem(c, section);
        if (dynamic_cast<fw::TSpeedButton*>(c))
            return ThirdListOf(Manager(), c->ClassName()) >= 0 && AskSkinItem(c, section);
        return false;
    }
    if (dynamic_cast<fw::TFrame*>(c)) return AskSkinItem(c, section);
    return ThirdListOf(Manager(), c->ClassName()) >= 0;
}

void TacCtrlAdapter::MakeLabelTransparent(fw::TCustomLabel* Label) {
    Label->SetTransparent(true);
    if (DefaultManager) Label->Font()->SetColor(DefaultManager->GetGlobalFontColor());
}

void TacCtrlAdapter::AddComponent(fw::TComponent* C, bool Owned) {
    if (IsControlSupported(C)) {
        if (auto* w = dynamic_cast<fw::TWinControl*>(C)) {
            AddNewItem(w, fw::String());
        } else if (auto* l = dynamic_cast<fw::TCustomLabel*>(C)) {
            // Labels found as children are plain TLabels; a label marked to
            // keep its colours keeps them wherever it is found.
            if ((Owned || dynamic_cast<fw::TLabel*>(l)) && l->Tag() != kKeepColoursTag) MakeLabelTransparent(l);
        } else if (auto* b = dynamic_cast<fw::TSpeedButton*>(C); b && !Owned) {
            AddNewItem(b);
        }
    }
    auto* w = dynamic_cast<fw::TWinControl*>(C);
    if (w && w->HandleAllocated() && w->Parent()) {
        bFlag = false;
        AddAllItems(w);
    }
}

void TacCtrlAdapter::AddAllItems(fw::TWinControl* OwnerCtrl) {
    TsSkinManager* M = Manager();
    if (bFlag || !M || !M->SkinningRules().Contains(srThirdParty)) return;
    bFlag = true;
    if (!OwnerCtrl) OwnerCtrl = Provider ? Provider->Form : nullptr;
    if (!OwnerCtrl) {
        bFlag = false;
        return;
    }
    CleanItems();
    // A wrapper made on the way may change the lists: walk copies.
    std::vector<fw::TComponent*> owned;
    for (int i = 0; i < OwnerCtrl->ComponentCount(); ++i) owned.push_back(OwnerCtrl->Components(i));
    for (fw::TComponent* c : owned) AddComponent(c, true);
    std::vector<fw::TControl*> children;
    for (int i = 0; i < OwnerCtrl->ControlCount(); ++i) children.push_back(OwnerCtrl->Controls(i));
    for (fw::TControl* c : children) AddComponent(c, false);
    bFlag = false;
}

void TacCtrlAdapter::AddNewItem(fw::TWinControl* Ctrl) { AddNewItem(Ctrl, DefaultSection); }

void TacCtrlAdapter::AddNewItem(fw::TWinControl* Ctrl, const fw::String& SkinSection) {
    if (!Ctrl || Ctrl->Tag() == kSkipTag || !Ctrl->Parent() || AnswersHandled(Ctrl)) return;
    fw::String section = SkinSection;
    if (!AskSkinItem(Ctrl, section)) return;
    // A frame gets its own adapter (owned by the frame), nothing more.
    if (auto* frame = dynamic_cast<fw::TFrame*>(Ctrl)) {
        auto* fa = new TsFrameAdapter(frame);
        fa->AfterConstruction();
        fa->SkinData()->SetSkinSection(L"GROUPBOX");
        return;
    }
    const int at = IndexOf(Ctrl);
    TacAdapterItem* item = at >= 0 ? Items[size_t(at)] : nullptr;
    const bool isNew = !item;
    if (isNew) {
        item = new TacAdapterItem;
        item->Adapter = this;
        item->WinCtrl = Ctrl;
        if (Provider) item->SkinData->SetSkinManager(Provider->SkinData()->FSkinManager);
        Items.push_back(item);
    }
    // An empty section is not set: "UNKNOWN" would hide the wrapper's own.
    if (!section.empty()) item->SkinData->SetSkinSection(section);
    if (!isNew) {
        if (item->ScrollWnd && item->ScrollWnd->Destroyed) {
            delete item->ScrollWnd;
            item->ScrollWnd = nullptr;
            if (Ctrl->Parent()) item->DoHook(Ctrl);
        }
        return;
    }
    if (Ctrl->Parent()) item->DoHook(Ctrl);
    if (!item->ScrollWnd) {
        Items.erase(std::find(Items.begin(), Items.end(), item));
        delete item;
    }
}

void TacCtrlAdapter::AddNewItem(fw::TSpeedButton* Ctrl) {
    if (!Ctrl || Ctrl->Tag() == kSkipTag || !Ctrl->Parent() || AnswersHandled(Ctrl)) return;
    fw::String offered = L"SPEEDBUTTON";
    if (!AskSkinItem(Ctrl, offered)) return;
    auto it = std::find_if(GraphItems.begin(), GraphItems.end(), [&](TacGraphItem* g) { return g->Ctrl == Ctrl; });
    TacGraphItem* item = it != GraphItems.end() ? *it : nullptr;
    const bool isNew = !item;
    if (isNew) {
        item = new TacGraphItem;
        item->Adapter = this;
        item->Ctrl = Ctrl;
        if (Provider) item->SkinData->SetSkinManager(Provider->SkinData()->FSkinManager);
        GraphItems.push_back(item);
    }
    // The event may only veto: the section follows the button's look.
    item->SkinData->SetSkinSection(Ctrl->Flat() ? L"SPEEDBUTTON_SMALL" : L"SPEEDBUTTON");
    if (!isNew) {
        if (item->Handler && item->Handler->Destroyed) {
            delete item->Handler;
            item->Handler = nullptr;
            item->DoHook(Ctrl);
        }
        return;
    }
    item->DoHook(Ctrl);
    if (!item->Handler) {
        GraphItems.erase(std::find(GraphItems.begin(), GraphItems.end(), item));
        delete item;
    }
}

void TacCtrlAdapter::CleanItems() {
    for (size_t i = 0; i < Items.size();) {
        if (WrapperDead(Items[i]->ScrollWnd)) {
            delete Items[i];
            Items.erase(Items.begin() + ptrdiff_t(i));
        } else {
            ++i;
        }
    }
    for (size_t i = 0; i < GraphItems.size();) {
        if (HandlerDead(GraphItems[i]->Handler)) {
            delete GraphItems[i];
            GraphItems.erase(GraphItems.begin() + ptrdiff_t(i));
        } else {
            ++i;
        }
    }
}

void TacCtrlAdapter::RemoveAllItems() {
    if (bRemoving) return;
    bRemoving = true;
    while (!Items.empty()) {
        TacAdapterItem* item = Items.back();
        Items.pop_back();
        delete item;
    }
    while (!GraphItems.empty()) {
        TacGraphItem* item = GraphItems.back();
        GraphItems.pop_back();
        delete item;
    }
    bRemoving = false;
}

void TacCtrlAdapter::RemoveItem(int Index) {
    if (Index < 0 || Index >= Count()) return;
    delete Items[size_t(Index)];
    Items[size_t(Index)] = Items.back();
    Items.pop_back();
}

void TacCtrlAdapter::WndProc(fw::TMessage& Message) {
    // A receiver may change the items: the windows are collected first.
    std::vector<HWND> targets;
    for (TacAdapterItem* item : Items)
        if (item->ScrollWnd && !item->ScrollWnd->Destroyed && item->WinCtrl && item->WinCtrl->Parent())
            targets.push_back(item->ScrollWnd->CtrlHandle);
    for (HWND h : targets)
        if (IsWindow(h)) SendMessageW(h, Message.Msg, Message.WParam, Message.LParam);
}

}  // namespace skin
