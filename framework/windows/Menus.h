// Menus: a tree of TMenuItem objects behind a system menu handle.
//
// Every item gets a command number of its own (unique in the process, never
// 0, below 0xF000 so it never meets system commands or the MDI window list).
// The HMENU of a list is made on first use of Handle and rebuilt in place
// whenever an item of the list changes (MenuChanged): hidden items are left
// out, so positions in the HMENU differ from Items indexes. With OwnerDraw
// every item of the menu is MFT_OWNERDRAW and is measured and drawn through
// its events (OnMeasureItem, then OnAdvancedDrawItem or OnDrawItem, else the
// default drawing), on a canvas bound to the DC the system hands over.
//
// Merging (MDI): a main menu can take another's top items into its bar
// (Merge) while an MDI child is active. The bar is ordered by GroupIndex: the
// merged menu's visible items of a group replace this menu's items of that
// group; its other groups go before the first own item of a higher group, or
// at the end (MergeMenuGroups). Neither item tree changes: only the bar's
// handle is built from both, and the merged items are found, measured, drawn
// and clicked through this menu. Items the system put into the bar (a
// maximised MDI child's window menu and buttons) are kept where they are
// whenever the bar is built again.
//
// Who receives the menu's messages: a popup menu's owner is one utility
// window of class "TPUtilWindow" per process (WM_MEASUREITEM, WM_DRAWITEM,
// WM_COMMAND); a main menu's owner is its form, which passes the same
// messages to the menu. A chosen command reaches the item's Click from the
// message loop, after Popup has returned.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/rtl/Component.h"
#include "framework/rtl/Method.h"
#include "framework/rtl/Types.h"
#include "framework/windows/Controls.h"
#include "framework/windows/Messages.h"
#include "framework/windows/OwnerDraw.h"

namespace fw {

class TMenu;
class TMenuItem;

FW_EXCEPTION(EMenuError, Exception);

// Low byte: the virtual key; high bits: the modifiers.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

// "Ctrl+S", "Shift+Ctrl+Alt+F4", "Del"... ("" for scNone or a key with no name).
String ShortCutToText(TShortCut ShortCut);
// The reverse: modifiers in any order and case; scNone when the text names no key.
TShortCut TextToShortCut(const String& Text);
TShortCut ShortCut(WORD Key, TShiftState Shift);

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };
enum TFindItemKind { fkCommand, fkHandle, fkShortCut };
enum TMenuAnimations { maLeftToRight, maRightToLeft, maTopToBottom, maBottomToTop, maNone };
using TMenuAnimation = Set<TMenuAnimations>;
enum TPopupAlignment { paLeft, paRight, paCenter };

// One entry of a merged bar: an item of the menu's own top list (FromMerged
// false) or of the merged menu's, by its index in the list of visible items
// the groups were given for.
struct TMergedItem {
    bool FromMerged = false;
    int Index = 0;
    bool operator==(const TMergedItem& O) const { return FromMerged == O.FromMerged && Index == O.Index; }
};
// The bar's order for the groups of a menu's visible top items (Own) and of
// the merged menu's (Merged), both in item order.
std::vector<TMergedItem> MergeMenuGroups(const std::vector<BYTE>& Own, const std::vector<BYTE>& Merged);

using TMenuMeasureItemEvent = Method<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent = Method<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent = Method<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    String ClassName() const override { return L"TMenuItem"; }

    // ---- the tree
    int Count() const { return int(items_.size()); }
    // EListError outside 0..Count-1.
    TMenuItem* Items(int Index) const;
    TMenuItem* Parent() const { return parent_; }
    // The menu this item belongs to, through its parents; nullptr when none.
    TMenu* GetParentMenu() const;
    int MenuIndex() const;
    int IndexOf(const TMenuItem* Item) const;
    // Items belong to one list at a time (EMenuError otherwise).
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Takes the item out of the list without freeing it.
    void Delete(int Index);
    void Remove(TMenuItem* Item);
    // Frees every child.
    void Clear();
    // The child list's menu handle (CreatePopupMenu; a main menu's root: CreateMenu).
    HMENU Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // The handle when made, else nullptr (never makes one).
    HMENU HandleIfMade() const { return handle_; }
    // The item with that command, among this item and its descendants.
    TMenuItem* Find(WORD ACommand);

    // ---- properties; a change rebuilds the list the item is in
    const String& Caption() const { return caption_; }
    void SetCaption(const String& Value);
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    bool Checked() const { return checked_; }
    // A checked radio item unchecks the other radio items of its group.
    void SetChecked(bool Value);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool Value);
    bool Default() const { return default_; }
    void SetDefault(bool Value);
    TMenuBreak Break() const { return break_; }
    void SetBreak(TMenuBreak Value);
    BYTE GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(BYTE Value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut Value);
    // Made on first use; empty until a picture is put in.
    TBitmap* Bitmap();
    bool HasBitmap() const { return bitmap_ && !bitmap_->Empty(); }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    // The images of this item's children (else the menu's Images).
    TCustomImageList* SubMenuImages() const { return subMenuImages_; }
    void SetSubMenuImages(TCustomImageList* Value);
    WORD Command() const { return command_; }
    bool IsLine() const { return caption_ == L"-"; }

    // Runs OnClick (no click for a disabled item).
    virtual void Click();
    // Tells the menu (and its window) that this item changed.
    void MenuChanged(bool Rebuild);

    // Owner draw, called with the canvas bound to the system's DC. Measure:
    // the default size, then OnMeasureItem. Draw: OnAdvancedDrawItem, else
    // OnDrawItem, else the default look.
    virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
    virtual void AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel);
    // The text the item shows: the caption, a tab and the shortcut's text.
    String DisplayText() const;

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

private:
    friend class TMenu;
    // The items of this list into the menu handle again.
    void RebuildHandle();
    void FreeChildren();
    // This list changed (an item came or went).
    void MenuChangedList(bool Rebuild);
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void InsertInto(HMENU Menu, UINT Pos, bool OwnerDraw);
    void DrawDefault(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel);
    void SetParentMenuLink(TMenu* Menu);
    void TurnSiblingsOff();

    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item of a menu only
    std::vector<TMenuItem*> items_;
    HMENU handle_ = nullptr;
    String caption_;
    bool visible_ = true;
    bool enabled_ = true;
    bool checked_ = false;
    bool radioItem_ = false;
    bool default_ = false;
    TMenuBreak break_ = mbNone;
    BYTE groupIndex_ = 0;
    TShortCut shortCut_ = 0;
    TBitmap* bitmap_ = nullptr;
    int imageIndex_ = -1;
    TCustomImageList* subMenuImages_ = nullptr;
    WORD command_ = 0;
    bool rebuilding_ = false;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    String ClassName() const override { return L"TMenu"; }

    TMenuItem* Items() const { return items_; }
    HMENU Handle() { return items_->Handle(); }
    bool OwnerDraw() const { return ownerDraw_; }
    // Rebuilds every list already made, with or without MFT_OWNERDRAW.
    void SetOwnerDraw(bool Value);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* Value);
    // The window the menu belongs to (a main menu's form; a popup's owner).
    HWND WindowHandle() const { return windowHandle_; }
    void SetWindowHandle(HWND Value) { windowHandle_ = Value; }
    // Kind: fkCommand, fkHandle (a list's HMENU), fkShortCut.
    TMenuItem* FindItem(UINT_PTR Value, TFindItemKind Kind);

    // What the owner window passes on. True when an item of this menu took it.
    bool DispatchCommand(WORD ACommand);
    bool DispatchMeasureItem(MEASUREITEMSTRUCT& Measure);
    bool DispatchDrawItem(const DRAWITEMSTRUCT& Draw);
    // A shortcut key (virtual key + modifiers) clicks its item; true when one did.
    bool IsShortCut(WORD Key, TShiftState Shift);

    TNotifyEvent OnChange;

protected:
    friend class TMenuItem;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Item changed (nullptr: the menu as a whole).
    virtual void MenuChanged(TMenuItem* Source, bool Rebuild);
    // The handle of the root list.
    virtual HMENU CreateMenuHandle() { return CreatePopupMenu(); }
    // Top-level items of a menu bar are drawn as bar items.
    virtual bool IsMenuBar() const { return false; }
    // The menu whose items this one shows besides its own (nil when none).
    virtual TMenu* MergedMenu() const { return nullptr; }
    // The root list's visible items in the order its handle holds them.
    virtual std::vector<TMenuItem*> RootItems() const;
    void RebuildRoot();

private:
    TMenuItem* items_;
    bool ownerDraw_ = false;
    TCustomImageList* images_ = nullptr;
    HWND windowHandle_ = nullptr;
};

// The menu bar of a form (TCustomForm::SetMenu).
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
    ~TMainMenu() override;
    String ClassName() const override { return L"TMainMenu"; }
    // Merged into an MDI parent's menu instead of shown on its own form.
    bool AutoMerge() const { return autoMerge_; }
    void SetAutoMerge(bool Value);

    // Menu's top items join this bar (one merged menu at a time: a new one
    // replaces the last; Menu leaves any bar it was in). nil unmerges.
    void Merge(TMainMenu* Menu);
    // Takes Menu's items out of the bar when it is the merged one.
    void Unmerge(TMainMenu* Menu);
    TMainMenu* Merged() const { return merged_; }
    // The bar this menu's items are merged into (nil when none).
    TMainMenu* MergedInto() const { return mergedInto_; }
    // The bar's items in order: own and merged visible top items.
    std::vector<TMenuItem*> BarItems() const { return RootItems(); }

protected:
    // Redraws the bar and sends CM_MENUCHANGED to the form's window.
    void MenuChanged(TMenuItem* Source, bool Rebuild) override;
    HMENU CreateMenuHandle() override { return CreateMenu(); }
    bool IsMenuBar() const override { return true; }
    TMenu* MergedMenu() const override { return merged_; }
    std::vector<TMenuItem*> RootItems() const override;

private:
    bool autoMerge_ = false;
    TMainMenu* merged_ = nullptr;
    TMainMenu* mergedInto_ = nullptr;
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;
    String ClassName() const override { return L"TPopupMenu"; }

    // Shows the menu at the screen point and returns when it closes; the
    // chosen item's Click follows from the message loop.
    virtual void Popup(int X, int Y);
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment Value) { alignment_ = Value; }
    TMenuAnimation MenuAnimation() const { return menuAnimation_; }
    void SetMenuAnimation(TMenuAnimation Value) { menuAnimation_ = Value; }
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool Value) { autoPopup_ = Value; }
    // The control the menu was last opened for.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* Value) { popupComponent_ = Value; }
    // The TrackPopupMenu flags Popup uses.
    UINT TrackFlags() const;

    TNotifyEvent OnPopup;

private:
    TPopupAlignment alignment_ = paLeft;
    TMenuAnimation menuAnimation_;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
};

// The utility window every popup menu is tracked with.
HWND PopupListWindow();

}  // namespace fw
