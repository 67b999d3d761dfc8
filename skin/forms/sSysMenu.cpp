// The window menus the library shows for skinned forms and dialogs.
#include "skin/forms/sSysMenu.h"

#include "skin/engine/sConst.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

namespace {

constexpr int kMenuText = 256;  // 255 characters and the end

fw::String MenuStringBy(HMENU Menu, UINT Item, UINT Flag) {
    wchar_t buf[kMenuText] = {};
    const int n = GetMenuStringW(Menu, Item, buf, kMenuText, Flag);
    return n > 0 ? fw::String(buf, size_t(n)) : fw::String();
}

fw::TMenuItem* NewItem(fw::TComponent* Owner, const fw::String& Caption, const fw::String& Name, intptr_t Tag,
                       fw::TNotifyEvent OnClick) {
    auto* item = new fw::TMenuItem(Owner);
    item->AfterConstruction();
    item->SetCaption(Caption);
    item->SetName(Name);
    item->SetTag(Tag);
    item->OnClick = OnClick;
    return item;
}

fw::TMenuItem* NewLine(fw::TComponent* Owner) { return NewItem(Owner, L"-", fw::String(), 0, fw::TNotifyEvent()); }

void Show(fw::TMenuItem* Item, bool Visible, bool Enabled) {
    if (!Item) return;
    Item->SetVisible(Visible);
    Item->SetEnabled(Enabled);
}

}  // namespace

// ---- rules

bool VisibleSize(const TFrameState& S) {
    return S.MDIChild ||
           (S.BorderStyle != fw::bsDialog && S.BorderStyle != fw::bsNone && S.BorderStyle != fw::bsToolWindow);
}

bool EnabledMove(const TFrameState& S) { return !S.Zoomed; }

bool EnabledSize(const TFrameState& S) { return S.BorderStyle != fw::bsSingle && !S.Iconic; }

TMenuText SplitMenuText(const fw::String& Text) {
    const size_t tab = Text.find(L'\t');
    if (tab == fw::String::npos) return {Text, fw::String()};
    return {Text.substr(0, tab), Text.substr(tab + 1)};
}

fw::String SkinNameFromCaption(const fw::String& Caption) {
    fw::String s;
    for (wchar_t c : Caption)
        if (c != L'&') s += c;
    const size_t at = s.find(acs_InternalSkin);
    if (!acs_InternalSkin.empty() && at != fw::String::npos) s.erase(at + acs_InternalSkin.size());
    return s;
}

// ---- the form's menu

TsSystemMenu::TsSystemMenu(TsSkinProvider* AOwner) : TsCustomSysMenu(AOwner), FOwner(AOwner) {
    FForm = AOwner ? AOwner->Form : nullptr;
    SetName(L"SysMenu");
}

HWND TsSystemMenu::Window() const { return FForm && FForm->HandleAllocated() ? FForm->WindowHandle() : nullptr; }

TFrameState TsSystemMenu::State() const {
    if (FOwner) return FOwner->State();
    return FrameStateOf(FForm, true);
}

void TsSystemMenu::ClearItems() {
    Items()->Clear();
    ItemRestore = ItemMove = ItemSize = ItemMinimize = ItemMaximize = ItemClose = nullptr;
    ExtItemsCount = 0;
}

void TsSystemMenu::Generate() {
    const HWND h = Window();
    GenerateFrom(h ? GetSystemMenu(h, FALSE) : nullptr);
}

int TsSystemMenu::CopyItems(HMENU Source, fw::TMenuItem* Dest, bool TopLevel) {
    int copied = 0;
    const int count = GetMenuItemCount(Source);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STATE;
        if (!GetMenuItemInfoW(Source, UINT(i), TRUE, &mii)) continue;
        const int id = mii.hSubMenu ? -1 : int(mii.wID);
        // The system's own commands stand at and above 0xF000.
        if (TopLevel && !mii.hSubMenu && mii.wID >= 0xF000) continue;
        if (!TopLevel && (mii.fType & MFT_SEPARATOR)) {
            if (Dest->Count() > 0) Dest->Add(NewLine(this));
            continue;
        }
        const fw::String text = MenuStringBy(Source, UINT(i), MF_BYPOSITION);
        if (text.empty()) continue;
        const TMenuText parts = SplitMenuText(text);
        fw::TMenuItem* item = NewItem(this, parts.Caption, fw::String(), id, fw::TNotifyEvent());
        if (!parts.ShortCut.empty()) item->SetShortCut(fw::TextToShortCut(parts.ShortCut));
        if (mii.hSubMenu) {
            // A submenu comes with its items; one with nothing to copy is left out.
            if (CopyItems(mii.hSubMenu, item, false) == 0) {
                item->Free();
                continue;
            }
        } else {
            item->OnClick = fw::TNotifyEvent(this, &TsSystemMenu::ExtClick);
            item->SetEnabled(!(mii.fState & MFS_DISABLED));
            item->SetChecked((mii.fState & MFS_CHECKED) != 0);
        }
        Dest->Add(item);
        ++copied;
    }
    // No line closes a submenu.
    while (!TopLevel && Dest->Count() > 0 && Dest->Items(Dest->Count() - 1)->IsLine())
        Dest->Items(Dest->Count() - 1)->Free();
    return copied;
}

void TsSystemMenu::GenerateFrom(HMENU Source) {
    ClearItems();
    if (!Source) return;
    struct Standard {
        fw::TMenuItem** Item;
        const wchar_t* Name;
        UINT Cmd;
        const fw::String* Fallback;
        void (TsSystemMenu::*Click)(fw::TObject*);
    };
    const Standard standard[] = {
        {&ItemRestore, L"acIR", SC_RESTORE, &acs_RestoreStr, &TsSystemMenu::RestoreClick},
        {&ItemMove, L"acIM", SC_MOVE, &acs_MoveStr, &TsSystemMenu::MoveClick},
        {&ItemSize, L"acIS", SC_SIZE, &acs_SizeStr, &TsSystemMenu::SizeClick},
        {&ItemMinimize, L"acIN", SC_MINIMIZE, &acs_MinimizeStr, &TsSystemMenu::MinClick},
        {&ItemMaximize, L"acIX", SC_MAXIMIZE, &acs_MaximizeStr, &TsSystemMenu::MaxClick},
    };
    for (const Standard& s : standard) {
        const fw::String text = MenuStringBy(Source, s.Cmd, MF_BYCOMMAND);
        const TMenuText parts = SplitMenuText(text);
        *s.Item = NewItem(this, text.empty() ? *s.Fallback : parts.Caption, s.Name, intptr_t(s.Cmd),
                          fw::TNotifyEvent(this, s.Click));
        if (!parts.ShortCut.empty()) (*s.Item)->SetShortCut(fw::TextToShortCut(parts.ShortCut));
        Items()->Add(*s.Item);
    }
    Items()->Add(NewLine(this));
    ExtItemsCount = CopyItems(Source, Items(), true);
    if (ExtItemsCount > 0) Items()->Add(NewLine(this));
    const fw::String close = MenuStringBy(Source, SC_CLOSE, MF_BYCOMMAND);
    const TMenuText parts = SplitMenuText(close);
    ItemClose = NewItem(this, close.empty() ? acs_CloseStr : parts.Caption, L"acIC", intptr_t(SC_CLOSE),
                        fw::TNotifyEvent(this, &TsSystemMenu::CloseClick));
    if (!parts.ShortCut.empty()) ItemClose->SetShortCut(fw::TextToShortCut(parts.ShortCut));
    Items()->Add(ItemClose);
}

void TsSystemMenu::MakeSkinItems() {
    TsSkinManager* m = FOwner ? FOwner->SkinManager() : nullptr;
    if (!m) return;
    fw::TStringList names;
    names.SetSorted(true);
    m->GetSkinNames(&names, stAllSkins);
    MakeSkinItems(names, m->SkinName());
}

void TsSystemMenu::MakeSkinItems(const fw::TStringList& Names, const fw::String& Current) {
    if (Names.Count() == 0) return;
    fw::TMenuItem* root = NewItem(this, acs_AvailSkins, L"SkinSelectItem", 0, fw::TNotifyEvent());
    for (int i = 0; i < Names.Count(); ++i) {
        fw::TMenuItem* item = NewItem(this, Names.Strings(i), L"SkinSelectItem" + std::to_wstring(i), 0,
                                      fw::TNotifyEvent(this, &TsSystemMenu::SkinSelect));
        item->SetRadioItem(true);
        if (i != 0 && i % 20 == 0) item->SetBreak(fw::mbBreak);
        root->Add(item);
        if (Names.Strings(i) == Current) item->SetChecked(true);
    }
    Items()->Insert(0, root);
    Items()->Insert(1, NewLine(this));
}

void TsSystemMenu::UpdateItems(bool Full) {
    if (Full || !ItemClose) Generate();
    if (!FForm) return;
    UpdateItemsFor(State());
}

void TsSystemMenu::UpdateItemsFor(const TFrameState& S) {
    Show(ItemRestore, skin::VisibleRestore(S), skin::EnabledRestore(S));
    Show(ItemMove, true, skin::EnabledMove(S));
    Show(ItemSize, skin::VisibleSize(S), skin::EnabledSize(S));
    Show(ItemMinimize, skin::VisibleMin(S), skin::EnabledMin(S));
    Show(ItemMaximize, skin::VisibleMax(S), skin::EnabledMax(S));
    Show(ItemClose, skin::VisibleClose(S), true);
}

bool TsSystemMenu::VisibleClose() { return skin::VisibleClose(State()); }
bool TsSystemMenu::VisibleMax() { return skin::VisibleMax(State()); }
bool TsSystemMenu::VisibleMin() { return skin::VisibleMin(State()); }
bool TsSystemMenu::EnabledMax() { return skin::EnabledMax(State()); }
bool TsSystemMenu::EnabledMin() { return skin::EnabledMin(State()); }
bool TsSystemMenu::EnabledRestore() { return skin::EnabledRestore(State()); }
bool TsSystemMenu::VisibleRestore() { return skin::VisibleRestore(State()); }
bool TsSystemMenu::VisibleSize() { return skin::VisibleSize(State()); }
bool TsSystemMenu::EnabledMove() { return skin::EnabledMove(State()); }
bool TsSystemMenu::EnabledSize() { return skin::EnabledSize(State()); }

void TsSystemMenu::Command(WPARAM Cmd) {
    if (const HWND h = Window()) SendMessageW(h, WM_SYSCOMMAND, Cmd, 0);
}

void TsSystemMenu::RestoreClick(fw::TObject*) {
    Command(SC_RESTORE);
    UpdateItems(false);
}

void TsSystemMenu::MoveClick(fw::TObject*) { Command(SC_MOVE); }

void TsSystemMenu::SizeClick(fw::TObject*) { Command(SC_SIZE); }

void TsSystemMenu::MinClick(fw::TObject*) {
    // Minimising from the menu skips the provider's animation.
    if (FOwner) FOwner->SkipAnimation = true;
    Command(SC_MINIMIZE);
    if (FOwner) FOwner->SkipAnimation = false;
    UpdateItems(false);
}

void TsSystemMenu::MaxClick(fw::TObject*) {
    Command(SC_MAXIMIZE);
    UpdateItems(false);
}

void TsSystemMenu::CloseClick(fw::TObject*) { Command(SC_CLOSE); }

void TsSystemMenu::ExtClick(fw::TObject* Sender) {
    // The application's own command, as the system would deliver it.
    auto* item = dynamic_cast<fw::TMenuItem*>(Sender);
    if (const HWND h = Window(); h && item) PostMessageW(h, WM_SYSCOMMAND, WPARAM(item->Tag()), 0);
}

void TsSystemMenu::SkinSelect(fw::TObject* Sender) {
    auto* item = dynamic_cast<fw::TMenuItem*>(Sender);
    TsSkinManager* m = FOwner ? FOwner->SkinManager() : nullptr;
    if (item && m) m->SetSkinName(SkinNameFromCaption(item->Caption()));
}

// ---- the dialog's menu

TacSystemMenu::TacSystemMenu(fw::TComponent* AOwner) : TsCustomSysMenu(AOwner) {
    struct Standard {
        fw::TMenuItem** Item;
        const wchar_t* Name;
        UINT Cmd;
        const fw::String* Caption;
        void (TacSystemMenu::*Click)(fw::TObject*);
    };
    const Standard standard[] = {
        {&ItemRestore, L"miRestore", SC_RESTORE, &acs_RestoreStr, &TacSystemMenu::RestoreClick},
        {&ItemMove, L"miMove", SC_MOVE, &acs_MoveStr, &TacSystemMenu::MoveClick},
        {&ItemSize, L"miSize", SC_SIZE, &acs_SizeStr, &TacSystemMenu::SizeClick},
        {&ItemMinimize, L"miMinimize", SC_MINIMIZE, &acs_MinimizeStr, &TacSystemMenu::MinClick},
        {&ItemMaximize, L"miMaximize", SC_MAXIMIZE, &acs_MaximizeStr, &TacSystemMenu::MaxClick},
        {&ItemClose, L"miClose", SC_CLOSE, &acs_CloseStr, &TacSystemMenu::CloseClick},
    };
    for (const Standard& s : standard) {
        if (s.Cmd == SC_CLOSE) Items()->Add(NewLine(this));
        *s.Item = NewItem(this, *s.Caption, s.Name, intptr_t(s.Cmd), fw::TNotifyEvent(this, s.Click));
        Items()->Add(*s.Item);
    }
    ItemClose->SetShortCut(fw::scAlt | VK_F4);
}

bool TacSystemMenu::VisibleClose() { return FOwner && (FOwner->dwStyle & WS_SYSMENU); }

void TacSystemMenu::UpdateItems() {
    if (FOwner) UpdateItemsFor(FOwner->State(), FOwner->BorderStyle);
}

void TacSystemMenu::UpdateItemsFor(const TFrameState& S, TacBorderStyle BorderStyle) {
    Show(ItemRestore, skin::VisibleRestore(S), skin::EnabledRestore(S));
    Show(ItemMove, true, !S.Zoomed);
    Show(ItemSize, BorderStyle != acbsDialog && BorderStyle != acbsNone && BorderStyle != acbsToolWindow,
         BorderStyle != acbsSingle && !S.Iconic);
    Show(ItemMinimize, skin::VisibleMin(S), skin::EnabledMin(S));
    Show(ItemMaximize, skin::VisibleMax(S), skin::EnabledMax(S));
    Show(ItemClose, skin::VisibleClose(S), skin::EnabledClose(S));
}

void TacSystemMenu::Command(WPARAM Cmd) {
    if (FOwner && !FOwner->Destroyed && IsWindow(FOwner->CtrlHandle))
        SendMessageW(FOwner->CtrlHandle, WM_SYSCOMMAND, Cmd, 0);
}

void TacSystemMenu::RestoreClick(fw::TObject*) {
    Command(SC_RESTORE);
    UpdateItems();
}

void TacSystemMenu::MoveClick(fw::TObject*) { Command(SC_MOVE); }
void TacSystemMenu::SizeClick(fw::TObject*) { Command(SC_SIZE); }
void TacSystemMenu::MinClick(fw::TObject*) { Command(SC_MINIMIZE); }

void TacSystemMenu::MaxClick(fw::TObject*) {
    Command(SC_MAXIMIZE);
    UpdateItems();
}

void TacSystemMenu::CloseClick(fw::TObject*) { Command(SC_CLOSE); }

}  // namespace skin
