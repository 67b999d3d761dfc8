// The window menu of a skinned window, shown by the library instead of the
// system: a popup menu of the framework, so the skinned menus draw it like any
// other. TsSystemMenu serves a form's provider and copies the window's own
// system menu, items the application added included; TacSystemMenu serves a
// skinned system dialog with a fixed set of items. Every item sends its
// WM_SYSCOMMAND to the window; which items show and work follows the same
// rules as the title buttons (sFrameGeometry), applied by UpdateItems.
//
// A chosen item reaches its handler from the message loop after the menu
// closed, through the item's command number: a menu rebuilt or freed meanwhile
// simply finds no item, nothing points into freed objects.
#pragma once

#include <windows.h>

#include "framework/rtl/StringList.h"
#include "framework/windows/Menus.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/sFrameGeometry.h"

namespace skin {

class TsSkinProvider;

// ---- the rules the title buttons do not share
// The size item shows unless the border cannot be dragged.
bool VisibleSize(const TFrameState& S);
bool EnabledMove(const TFrameState& S);
bool EnabledSize(const TFrameState& S);

// A menu text split at its tab: the caption before, the shortcut text after.
struct TMenuText {
    fw::String Caption;
    fw::String ShortCut;
};
TMenuText SplitMenuText(const fw::String& Text);
// The skin name a skin-selection item stands for: its caption without "&",
// cut after the internal-skin mark when it has one.
fw::String SkinNameFromCaption(const fw::String& Caption);

class TsCustomSysMenu : public fw::TPopupMenu {
public:
    explicit TsCustomSysMenu(fw::TComponent* AOwner) : fw::TPopupMenu(AOwner) {}
    fw::String ClassName() const override { return L"TsCustomSysMenu"; }
    virtual bool VisibleClose() = 0;
    virtual bool VisibleMax() = 0;
    virtual bool VisibleMin() = 0;
    virtual bool EnabledMax() = 0;
    virtual bool EnabledMin() = 0;
    virtual bool EnabledRestore() = 0;
};

class TsSystemMenu : public TsCustomSysMenu {
public:
    // The provider is also the owner; nil makes a menu of no form (tests
    // build it from a menu handle of their own).
    explicit TsSystemMenu(TsSkinProvider* AOwner);
    fw::String ClassName() const override { return L"TsSystemMenu"; }

    // All items again from the window's system menu.
    void Generate();
    // All items again from Source (a window's system menu; nil: none).
    void GenerateFrom(HMENU Source);
    // The skin-selection submenu at the top: one radio item per name, the
    // current one checked, a new column every 20 names.
    void MakeSkinItems();
    void MakeSkinItems(const fw::TStringList& Names, const fw::String& Current);
    // Generates when Full or never generated, then shows and enables the
    // items by the provider's form as it is now.
    void UpdateItems(bool Full = false);
    // The same for a form in state S (what UpdateItems applies).
    void UpdateItemsFor(const TFrameState& S);
    void UpdateGlyphs() {}

    bool VisibleClose() override;
    bool VisibleMax() override;
    bool VisibleMin() override;
    bool EnabledMax() override;
    bool EnabledMin() override;
    bool EnabledRestore() override;
    bool VisibleRestore();
    bool VisibleSize();
    bool EnabledMove();
    bool EnabledSize();

    int ExtItemsCount = 0;
    TsSkinProvider* FOwner = nullptr;
    fw::TCustomForm* FForm = nullptr;
    fw::TMenuItem* ItemRestore = nullptr;
    fw::TMenuItem* ItemMove = nullptr;
    fw::TMenuItem* ItemSize = nullptr;
    fw::TMenuItem* ItemMinimize = nullptr;
    fw::TMenuItem* ItemMaximize = nullptr;
    fw::TMenuItem* ItemClose = nullptr;

    void RestoreClick(fw::TObject* Sender);
    void MoveClick(fw::TObject* Sender);
    void SizeClick(fw::TObject* Sender);
    void MinClick(fw::TObject* Sender);
    void MaxClick(fw::TObject* Sender);
    void CloseClick(fw::TObject* Sender);
    void ExtClick(fw::TObject* Sender);
    void SkinSelect(fw::TObject* Sender);

private:
    TFrameState State() const;
    HWND Window() const;
    void Command(WPARAM Cmd);
    // Items of Source with a command below the system's and a text (and
    // submenus, copied with their items) appended to Dest.
    int CopyItems(HMENU Source, fw::TMenuItem* Dest, bool TopLevel);
    void ClearItems();
};

class TacSystemMenu : public TsCustomSysMenu {
public:
    // The dialog wrapper passes nil and sets FOwner.
    explicit TacSystemMenu(fw::TComponent* AOwner);
    fw::String ClassName() const override { return L"TacSystemMenu"; }

    void UpdateItems();
    // Shows and enables the items for a dialog in state S with that border.
    void UpdateItemsFor(const TFrameState& S, TacBorderStyle BorderStyle);

    // Fixed answers: the menu does not use them.
    bool VisibleClose() override;
    bool VisibleMax() override { return false; }
    bool VisibleMin() override { return false; }
    bool EnabledMax() override { return false; }
    bool EnabledMin() override { return false; }
    bool EnabledRestore() override { return false; }

    TacDialogWnd* FOwner = nullptr;
    fw::TMenuItem* ItemRestore = nullptr;
    fw::TMenuItem* ItemMove = nullptr;
    fw::TMenuItem* ItemSize = nullptr;
    fw::TMenuItem* ItemMinimize = nullptr;
    fw::TMenuItem* ItemMaximize = nullptr;
    fw::TMenuItem* ItemClose = nullptr;

    void RestoreClick(fw::TObject* Sender);
    void MoveClick(fw::TObject* Sender);
    void SizeClick(fw::TObject* Sender);
    void MinClick(fw::TObject* Sender);
    void MaxClick(fw::TObject* Sender);
    void CloseClick(fw::TObject* Sender);

private:
    void Command(WPARAM Cmd);
};

}  // namespace skin
