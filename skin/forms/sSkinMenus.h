// Owner-drawn menus painted from the skin: the items' events are taken over
// (only where the application left them empty), each item is measured and
// drawn off-screen over one background per open menu, and the native menu
// window gets the skin's frame and region.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/windows/Menus.h"
#include "skin/engine/sFormSkinningBase.h"

namespace skin {

class TsSkinManager;

enum TsMenuItemType { smCaption, smDivider, smNormal, smTopLine };

using TsMenuManagerDrawItemEvent = fw::Method<void(fw::TObject* Sender, fw::TCanvas* ACanvas, fw::TRect ARect,
                                                   fw::TOwnerDrawState State, TsMenuItemType ItemType)>;

// One open menu's background; FirstItem (the first item of the menu's list)
// is only compared, never followed: the menu may be gone before the entry.
struct TacMenuInfo {
    fw::TMenuItem* FirstItem = nullptr;
    fw::TBitmap* Bmp = nullptr;  // owned by MenuInfoArray
    HWND Wnd = nullptr;
    bool HaveExtraLine = false;
};

// The backgrounds built, in build order.
extern std::vector<TacMenuInfo> MenuInfoArray;
// The font of every skinned item when set (not owned).
extern fw::TFont* CustomMenuFont;
// The kind of the item last measured or drawn (OnDrawItem reads it).
extern TsMenuItemType MenuItemType;
// Margin + the first item's glyph width + Spacing of the last background.
extern int IcoLineWidth;

// Frees every cached background.
void ClearCache();

// Item kinds by caption: "-" a divider, "-word-" a caption bar.
bool IsDivText(const fw::String& Text);
TsMenuItemType ItemKindOf(const fw::TMenuItem* Item);
// The item bitmap's size, else the parent's SubMenuImages, else the menu's
// Images, else 16 x 16.
fw::TPoint GlyphSize(fw::TMenuItem* Item);
// Item stands in a second or later column (a Break at or before it).
bool Breaked(const fw::TMenuItem* Item);
fw::TMenuItem* GetFirstItem(const fw::TMenuItem* Item);

class TsSkinableMenus : public TsSkinableMenusBase {
public:
    explicit TsSkinableMenus(fw::TComponent* AOwner);
    ~TsSkinableMenus() override;
    fw::String ClassName() const override { return L"TsSkinableMenus"; }

    // ---- settings
    fw::TAlignment Alignment = fw::taLeftJustify;
    int BevelWidth = 0;
    int BorderWidth = 3;
    int Margin = 2;
    int Spacing = 6;
    fw::TFont* CaptionFont() const { return FCaptionFont; }
    void SetCaptionFont(const fw::TFont* Value);
    int GetSkinBorderWidth();
    TsMenuManagerDrawItemEvent OnDrawItem;

    // ---- hooking
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    void UpdateMenus() override;
    void InitItems(bool A);
    void HookItem(fw::TMenuItem* MenuItem, bool Active);
    void HookPopupMenu(fw::TPopupMenu* Menu, bool Active) override;
    void InitItem(fw::TMenuItem* Item, bool A);
    void InitMenuLine(fw::TMainMenu* Menu, bool A);
    static bool IsTopLine(const fw::TMenuItem* Item);
    static bool IsPopupItem(const fw::TMenuItem* Item);

    // ---- item events (installed into the items)
    void sMeasureItem(fw::TObject* Sender, fw::TCanvas* ACanvas, int& Width, int& Height);
    virtual void sAdvancedDrawItem(fw::TObject* Sender, fw::TCanvas* ACanvas, fw::TRect ARect,
                                   fw::TOwnerDrawState State);
    void sMeasureLineItem(fw::TObject* Sender, fw::TCanvas* ACanvas, int& Width, int& Height);
    virtual void sAdvancedDrawLineItem(fw::TObject* Sender, fw::TCanvas* ACanvas, fw::TRect ARect,
                                       fw::TOwnerDrawState State);

    // ---- measuring
    int GetItemHeight(fw::TCanvas* Canvas, fw::TMenuItem* Item);
    int MeasureWidth(fw::TCanvas* Canvas, fw::TMenuItem* Item);
    int ParentWidth(fw::TCanvas* Canvas, fw::TMenuItem* Item);
    int ParentHeight(fw::TCanvas* Canvas, fw::TMenuItem* Item);
    fw::TRect ItemRect(fw::TMenuItem* Item, fw::TRect R) const;
    // The canvas gets the menus' font (and the owner form's charset).
    void SetMenuFont(fw::TCanvas* Canvas, fw::TMenuItem* Item, bool Charset = true) const;

    // ---- backgrounds
    TacMenuInfo GetMenuInfo(fw::TMenuItem* Item, int aWidth, int aHeight, HWND aWnd);
    fw::TBitmap* PrepareMenuBG(fw::TMenuItem* Item, int Width, int Height, HWND Wnd);
    int ExtraWidth(const TacMenuInfo& mi) const;
    // Asks whether the menu starting with First shows the extra line (and what it shows).
    bool QueryExtraLine(fw::TMenuItem* First);
    fw::TBitmap* CachedMenuBitmap(HWND Wnd) const override;
    void DrawWndBorder(HWND Wnd, fw::TBitmap* MenuBmp) override;
    void ItemBorder(LPARAM Key) override;
    // The menu wrappers reach the cache through the manager's menus.
    void ClearCache() override;

    // The transparent corner runs of the last background's frame.
    std::vector<fw::TRect> ArOR;
    bool BorderDrawing = false;
    bool Pressed = false;
    // Where the item being drawn finds its place in the menu's background:
    // the client area's offset in the menu window.
    fw::TPoint BgOffset{3, 3};

private:
    void PaintCaption(fw::TCanvas* Canvas, fw::TRect ARect, fw::TMenuItem* Item, fw::TBitmap* bg,
                      const TacMenuInfo& mi);
    void PaintDivider(fw::TCanvas* Canvas, fw::TRect ARect, fw::TMenuItem* Item, fw::TBitmap* bg,
                      const TacMenuInfo& mi);
    // The frame strips next to an item, copied to the menu window or asked for.
    void CopyItemBorders(HWND Wnd, fw::TMenuItem* Item, const fw::TRect& ARect, const TacMenuInfo& mi);
    TsSkinManager* Manager() const;
    bool OwnsMeasure(const fw::TMenuItem* Item) const;
    bool OwnsDraw(const fw::TMenuItem* Item) const;
    void InstallPopupHandlers(fw::TMenuItem* Item, bool Active);
    void InstallLineHandlers(fw::TMenuItem* Item, bool Active);
    void HookComponent(fw::TComponent* C, bool A);

    bool FActive = false;
    fw::TFont* FCaptionFont;  // owned
};

// The manager's menus become these (call before making the manager).
void InstallSkinnedMenus();

}  // namespace skin
