// Which items the skinned menus draw: handlers go only into empty events and
// come out only where they are ours, so an application's own drawing stays.
#include "skin/forms/sSkinMenus.h"

#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Screen.h"
#include "skin/engine/sSkinManager.h"

namespace skin {

TsMenuItemType MenuItemType = smNormal;
fw::TFont* CustomMenuFont = nullptr;

namespace {

TsSkinableMenusBase* MakeSkinableMenus(fw::TComponent* AOwner) { return new TsSkinableMenus(AOwner); }

}  // namespace

void InstallSkinnedMenus() { acMakeSkinableMenus = &MakeSkinableMenus; }

// ---- item helpers

bool IsDivText(const fw::String& Text) { return Text.size() >= 2 && Text.front() == L'-' && Text.back() == L'-'; }

TsMenuItemType ItemKindOf(const fw::TMenuItem* Item) {
    if (Item->Caption() == L"-") return smDivider;
    return IsDivText(Item->Caption()) ? smCaption : smNormal;
}

fw::TPoint GlyphSize(fw::TMenuItem* Item) {
    if (Item->HasBitmap()) return fw::TPoint(Item->Bitmap()->Width(), Item->Bitmap()->Height());
    if (Item->Parent() && Item->Parent()->SubMenuImages())
        return fw::TPoint(Item->Parent()->SubMenuImages()->Width(), Item->Parent()->SubMenuImages()->Height());
    if (fw::TMenu* m = Item->GetParentMenu())
        if (m->Images()) return fw::TPoint(m->Images()->Width(), m->Images()->Height());
    return fw::TPoint(16, 16);
}

bool Breaked(const fw::TMenuItem* Item) {
    const fw::TMenuItem* p = Item->Parent();
    if (!p) return false;
    const int last = p->IndexOf(Item);
    for (int i = 0; i <= last; ++i)
        if (p->Items(i)->Break() != fw::mbNone) return true;
    return false;
}

fw::TMenuItem* GetFirstItem(const fw::TMenuItem* Item) {
    const fw::TMenuItem* p = Item->Parent();
    return p && p->Count() > 0 ? p->Items(0) : const_cast<fw::TMenuItem*>(Item);
}

// ---- life

TsSkinableMenus::TsSkinableMenus(fw::TComponent* AOwner) : TsSkinableMenusBase(AOwner), FCaptionFont(new fw::TFont) {
    SkinBorderWidth = 0;
}

TsSkinableMenus::~TsSkinableMenus() {
    // The items keep no handler of a component that is gone.
    if (FActive && fw::Application.Exists()) InitItems(false);
    delete FCaptionFont;
}

void TsSkinableMenus::SetCaptionFont(const fw::TFont* Value) {
    if (Value) FCaptionFont->Assign(Value);
}

TsSkinManager* TsSkinableMenus::Manager() const { return dynamic_cast<TsSkinManager*>(Owner()); }

void TsSkinableMenus::SetMenuFont(fw::TCanvas* Canvas, fw::TMenuItem* Item, bool Charset) const {
    if (CustomMenuFont)
        Canvas->Font()->Assign(CustomMenuFont);
    else
        Canvas->Font()->Assign(fw::Screen->MenuFont());
    if (!Charset) return;
    if (fw::TMenu* m = Item->GetParentMenu())
        if (auto* form = dynamic_cast<fw::TCustomForm*>(m->Owner()))
            Canvas->Font()->SetCharset(form->Font()->Charset());
}

// ---- hooking

void TsSkinableMenus::SetActive(bool Value) {
    if (FActive == Value) return;
    FActive = Value;
    InitItems(Value);
}

void TsSkinableMenus::UpdateMenus() {
    ++UpdateCount;
    TsSkinManager* m = Manager();
    SetActive(m && m->SkinData && m->SkinData->Active);
}

bool TsSkinableMenus::OwnsMeasure(const fw::TMenuItem* Item) const {
    return Item->OnMeasureItem ==
               fw::TMenuMeasureItemEvent(const_cast<TsSkinableMenus*>(this), &TsSkinableMenus::sMeasureItem) ||
           Item->OnMeasureItem ==
               fw::TMenuMeasureItemEvent(const_cast<TsSkinableMenus*>(this), &TsSkinableMenus::sMeasureLineItem);
}

bool TsSkinableMenus::OwnsDraw(const fw::TMenuItem* Item) const {
    auto* self = const_cast<TsSkinableMenus*>(this);
    return Item->OnAdvancedDrawItem == fw::TAdvancedMenuDrawItemEvent(self, &TsSkinableMenus::sAdvancedDrawItem) ||
           Item->OnAdvancedDrawItem == fw::TAdvancedMenuDrawItemEvent(self, &TsSkinableMenus::sAdvancedDrawLineItem);
}

void TsSkinableMenus::InstallPopupHandlers(fw::TMenuItem* Item, bool Active) {
    if (Active) {
        // Bound through the virtual member, so a descendant's drawing is the one installed.
        if (!Item->OnAdvancedDrawItem)
            Item->OnAdvancedDrawItem = fw::TAdvancedMenuDrawItemEvent(this, &TsSkinableMenus::sAdvancedDrawItem);
        if (!Item->OnMeasureItem) Item->OnMeasureItem = fw::TMenuMeasureItemEvent(this, &TsSkinableMenus::sMeasureItem);
    } else {
        if (OwnsDraw(Item)) Item->OnAdvancedDrawItem = nullptr;
        if (OwnsMeasure(Item)) Item->OnMeasureItem = nullptr;
    }
}

void TsSkinableMenus::InstallLineHandlers(fw::TMenuItem* Item, bool Active) {
    if (Active) {
        Item->OnAdvancedDrawItem = fw::TAdvancedMenuDrawItemEvent(this, &TsSkinableMenus::sAdvancedDrawLineItem);
        Item->OnMeasureItem = fw::TMenuMeasureItemEvent(this, &TsSkinableMenus::sMeasureLineItem);
    } else {
        if (OwnsDraw(Item)) Item->OnAdvancedDrawItem = nullptr;
        if (OwnsMeasure(Item)) Item->OnMeasureItem = nullptr;
    }
}

bool TsSkinableMenus::IsTopLine(const fw::TMenuItem* Item) {
    fw::TMenu* m = Item->GetParentMenu();
    return m && dynamic_cast<fw::TMainMenu*>(m) && Item->Parent() == m->Items();
}

bool TsSkinableMenus::IsPopupItem(const fw::TMenuItem* Item) {
    return dynamic_cast<fw::TPopupMenu*>(Item->GetParentMenu()) != nullptr;
}

void TsSkinableMenus::HookItem(fw::TMenuItem* MenuItem, bool Active) {
    for (int i = 0; i < MenuItem->Count(); ++i) {
        fw::TMenuItem* child = MenuItem->Items(i);
        if (!IsTopLine(child)) InstallPopupHandlers(child, Active);
        HookItem(child, Active);
    }
}

namespace {
void HookAll(TsSkinableMenus* Menus, fw::TMenuItem* Item, bool Active,
             void (TsSkinableMenus::*Install)(fw::TMenuItem*, bool)) {
    for (int i = 0; i < Item->Count(); ++i) {
        (Menus->*Install)(Item->Items(i), Active);
        HookAll(Menus, Item->Items(i), Active, Install);
    }
}
}  // namespace

void TsSkinableMenus::HookPopupMenu(fw::TPopupMenu* Menu, bool Active) {
    if (!Menu) return;
    TsSkinManager* m = Manager();
    Menu->SetOwnerDraw(Active && m && m->SkinnedPopups());
    fw::TMenuAnimation anim = Menu->MenuAnimation();
    if (Active)
        anim.Include(fw::maNone);
    else
        anim.Exclude(fw::maNone);
    Menu->SetMenuAnimation(anim);
    HookAll(this, Menu->Items(), Active, &TsSkinableMenus::InstallPopupHandlers);
}

void TsSkinableMenus::InitItem(fw::TMenuItem* Item, bool A) {
    if (fw::TMenu* menu = Item->GetParentMenu()) menu->SetOwnerDraw(A);
    TsSkinManager* m = Manager();
    if (A && IsTopLine(Item))
        InstallLineHandlers(Item, true);
    else if (A) {
        if (m && m->SkinnedPopups()) InstallPopupHandlers(Item, true);
    } else
        InstallPopupHandlers(Item, false);
}

void TsSkinableMenus::InitMenuLine(fw::TMainMenu* Menu, bool A) {
    if (!Menu) return;
    TsSkinManager* m = Manager();
    fw::TMenuItem* root = Menu->Items();
    for (int i = 0; i < root->Count(); ++i) {
        if (A) {
            if (!m || !m->SkinData || !m->SkinData->Active) continue;
            if (!m->SkinnedPopups()) return;
            InstallLineHandlers(root->Items(i), true);
        } else
            InstallLineHandlers(root->Items(i), false);
    }
    if (!Menu->ComponentState().Contains(fw::csDestroying)) Menu->SetOwnerDraw(A);
}

void TsSkinableMenus::HookComponent(fw::TComponent* C, bool A) {
    TsSkinManager* m = Manager();
    const bool popups = A && m && m->SkinnedPopups();
    if (auto* main = dynamic_cast<fw::TMainMenu*>(C)) {
        InitMenuLine(main, A);
        for (int i = 0; i < main->Items()->Count(); ++i) HookItem(main->Items()->Items(i), popups);
    } else if (auto* popup = dynamic_cast<fw::TPopupMenu*>(C)) {
        HookPopupMenu(popup, popups);
    } else if (auto* item = dynamic_cast<fw::TMenuItem*>(C)) {
        if (!dynamic_cast<fw::TMainMenu*>(item->GetParentMenu())) HookItem(item, popups);
    }
    for (int i = 0; i < C->ComponentCount(); ++i) HookComponent(C->Components(i), A);
}

void TsSkinableMenus::InitItems(bool A) {
    FActive = A;
    if (!fw::Application.Exists()) return;
    fw::TComponent* app = fw::Application.get();
    for (int i = 0; i < app->ComponentCount(); ++i) HookComponent(app->Components(i), A);
}

fw::TRect TsSkinableMenus::ItemRect(fw::TMenuItem* Item, fw::TRect R) const {
    (void)Item;
    R.Left += BorderWidth;
    R.Right -= BorderWidth;
    return R;
}

}  // namespace skin
