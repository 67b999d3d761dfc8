// What the engine and the painting layer reach of form skinning (skin/forms),
// which lies above them: the thread's window-creation hook and its handler,
// the list of skinned top-level windows (acSupportedList), the wrappers of
// popup-menu windows, and the bases skin/forms builds its classes on: the
// provider (TsSkinProviderBase), a system dialog's frame wrapper
// (TacDialogWndBase), the extended-border window (TacBorderFormBase) and the
// skinned menus (TsSkinableMenusBase). skin/forms sets the factories and the
// hook's handler at start-up (InstallFormSkinning); until then forms stay
// unskinned. The border-width helpers and PrintHwndControls need nothing above.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/rtl/Component.h"
#include "framework/rtl/List.h"
#include "framework/rtl/Types.h"

namespace fw {
class TCustomForm;
class TBitmap;
class TFont;
class TMenuItem;
class TPopupMenu;
}  // namespace fw

namespace skin {

class TsSkinManager;
class TsCommonData;
class TacBorderFormBase;
class TacProvider;
class TsSkinProviderBase;

// The thread's window-creation hook, installed by the default manager. It
// calls the next hook first (its answer stands: creation and activation are
// never vetoed), then acHookHandler when set.
LRESULT CALLBACK SkinHookCBT(int nCode, WPARAM wParam, LPARAM lParam);
extern HHOOK HookCallback;
extern void (*acHookHandler)(int nCode, WPARAM wParam, LPARAM lParam);

// What the engine and the painting reach of a system dialog's frame wrapper.
class TacDialogWndBase {
public:
    virtual ~TacDialogWndBase() = default;
    TacBorderFormBase* BorderForm = nullptr;  // not owned
    TacProvider* Provider = nullptr;          // the registry entry owning the wrapper
    virtual HWND DialogHandle() const = 0;
    // Its skin data; the cache holds the frame image.
    virtual TsCommonData* DialogSkinData() const = 0;
    // The dialog's window is gone and the wrapper let go of it.
    virtual bool DialogDestroyed() const = 0;
    virtual void PaintAll() = 0;
    virtual int OffsetX() const = 0;
    virtual int OffsetY() const = 0;
    virtual int CaptionHeight(bool CheckSkin) const = 0;
    virtual void UpdateRgn(bool Repaint) = 0;
    fw::TRect ShadowSize() const;
};

// One skinned top-level window found by the hook: a framework form (sp) or a
// system dialog (CtrlHandle, ListSW and the wrappers of its children).
class TacProvider : public fw::TComponent {
public:
    explicit TacProvider(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}
    // A form's entry empties its slot and leaves the provider to its form; a
    // dialog's entry frees the children's wrappers, their list and ListSW.
    ~TacProvider() override;
    fw::String ClassName() const override { return L"TacProvider"; }
    fw::TCustomForm* FForm = nullptr;
    bool BiDiLeft = false;
    HWND CtrlHandle = nullptr;
    TsSkinProviderBase* sp = nullptr;     // owned by its form
    TacDialogWndBase* ListSW = nullptr;   // owned
    fw::TList* acSkinnedCtrls = nullptr;  // owned with its items (fw::TObject*)

    // Defined by skin/forms.
    void InitForm(fw::TCustomForm* Form);
    bool InitSkin(HWND aHandle);
    bool InitHwndControls(HWND hWnd);
    bool AddControl(HWND AHandle);
    fw::TObject* FindCtrlInList(HWND hwnd);

    // Every visible child window of Handle, bottom of the z-order first and
    // each with its own children, printed (WM_PRINT, flags 0) into DC at its
    // place in Handle's client area. Answers false.
    bool PrintHwndControls(HWND Handle, HDC DC);
};

// Entries are TacProvider* (a slot may be nil); dialog entries are owned by
// the list's keeper (CleanArray, UnInstallHook), form entries by their forms.
extern fw::TList* acSupportedList;

// Wrappers of popup-menu windows; a slot may be nil.
extern std::vector<fw::TObject*> MnuArray;
// Frees the popup-menu wrappers.
void ClearMnuArray();

// What the engine and the painting reach of the extended-border and shadow
// window of a form or a dialog. skin/forms' TacBorderForm derives from it;
// this base alone makes no window (tests give it one to reach the paths that
// use it).
class TacBorderFormBase : public fw::TObject {
public:
    // Owner: the TsSkinProvider or TacDialogWnd it belongs to. Data: the
    // owner's skin data (not owned).
    TacBorderFormBase(fw::TObject* Owner, TsCommonData* Data);
    fw::String ClassName() const override { return L"TacBorderForm"; }
    fw::TCustomForm* AForm = nullptr;  // owned by skin/forms' TacBorderForm
    fw::TObject* FOwner = nullptr;
    // Its cache has the size of the whole frame image.
    TsCommonData* SkinData = nullptr;
    // The region of the border window (the caller owns it), nil for none.
    virtual HRGN MakeRgn() { return nullptr; }
    // The provider's form when its window exists, the dialog's window, else 0.
    HWND OwnerHandle() const;
    // The owner's frame image.
    virtual void PaintAll();
    // Places, renders and shows the border window.
    virtual void UpdateExBordersPos(bool Redraw, BYTE Blend) { (void)Redraw, (void)Blend; }
};

// What the engine and the painting reach of a form's skin provider. The
// provider itself (TsSkinProvider, skin/forms) derives from it; the engine
// cannot name it, so it makes run-time providers through acMakeProvider.
class TsSkinProviderBase : public fw::TComponent {
public:
    explicit TsSkinProviderBase(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}
    fw::String ClassName() const override { return L"TsSkinProviderBase"; }

    fw::TCustomForm* Form = nullptr;
    bool FInAnimation = false;
    bool FSysExHeight = false;
    TacBorderFormBase* BorderForm = nullptr;  // owned when set
    // Rectangles the frame cuts from the window at its corners.
    std::vector<fw::TRect> ArOR;
    bool DrawNonClientArea() const { return FDrawNonClientArea; }
    // The manager of its skin data (the default manager when none is named).
    virtual TsSkinManager* SkinManager() const = 0;
    // Its skin data (owned); the cache holds the frame image.
    TsCommonData* SkinData() const { return FCommonData; }

    // Renders the whole window image into the skin data's cache.
    virtual void PaintAll() = 0;
    // Where the client area lies in the window image.
    virtual int OffsetX() const = 0;
    virtual int OffsetY() const = 0;
    // The title bar's height (the skin's with CheckSkin, else the system's).
    virtual int CaptionHeight(bool CheckSkin) const = 0;
    // The manager's form shadow with a border window, else empty.
    fw::TRect ShadowSize() const;
    // The corner rectangles of the frame (ArOR), the region without them at
    // (X, Y) (the caller owns it), and the region given to the window.
    virtual void FillArOR() = 0;
    virtual HRGN GetRgnFromArOR(int X, int Y) = 0;
    virtual void UpdateRgn(bool Repaint) = 0;

protected:
    TsCommonData* FCommonData = nullptr;
    bool FDrawNonClientArea = true;
};

// Makes the run-time provider of a form (set by the form-skinning library
// when it is put to use, else nil: forms stay unskinned).
extern TsSkinProviderBase* (*acMakeProvider)(fw::TCustomForm* Form);

// The form of the application's MDI parent with a provider; none here.
extern TsSkinProviderBase* MDISkinProvider;

// The provider's region services under their own names.
void FillArOR(TsSkinProviderBase* sp);
HRGN GetRgnFromArOR(TsSkinProviderBase* sp, int X, int Y);
void UpdateRgn(TsSkinProviderBase* sp, bool Repaint);

// The dialog's region (the wrapper's UpdateRgn).
void UpdateRgn(TacDialogWndBase* Wnd, bool Repaint);

// With CheckSkin and a border form the skin's extended border width (when not
// 0), else the system frame of the window (sizeable, dialog frame, or 0).
int SysBorderWidth(HWND Handle, TacBorderFormBase* BorderForm, bool CheckSkin);
// The skin's extended border width and title height; 0 without a border form.
int SkinBorderWidth(TacBorderFormBase* BorderForm);
int SkinTitleHeight(TacBorderFormBase* BorderForm);
// The border form's skinned title height minus the system one minus the system frame.
int DiffTitle(TacBorderFormBase* BorderForm);
// The owner's frame width with the skin's extended border less the system's; 0 without a border form.
int DiffBorder(TacBorderFormBase* BorderForm);

// What the engine and the painting reach of the owner-draw skinning of the
// application's menus. skin/forms' TsSkinableMenus derives from it; until it
// is put to use (acMakeSkinableMenus) the manager keeps this inert one.
class TsSkinableMenusBase : public fw::TComponent {
public:
    explicit TsSkinableMenusBase(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}
    fw::String ClassName() const override { return L"TsSkinableMenusBase"; }
    // The menus' frame width; -1 until looked up in the skin.
    int SkinBorderWidth = -1;
    // Hooks or unhooks the forms' menus as the skin goes on or off.
    virtual void UpdateMenus() { ++UpdateCount; }
    int UpdateCount = 0;
    // The cached background of a popup menu window, null when none.
    virtual fw::TBitmap* CachedMenuBitmap(HWND Wnd) const {
        (void)Wnd;
        return nullptr;
    }
    // Gives the menu window the frame's region; a window with a wrapper of
    // its own keeps it as its only subclass.
    virtual void DrawWndBorder(HWND Wnd, fw::TBitmap* MenuBmp) { (void)Wnd, (void)MenuBmp; }
    // Frees every cached menu background: after a menu closes the next one
    // builds its own.
    virtual void ClearCache() {}
    // The frame of the menu window showing the item posted with msgMenuItemBorder.
    virtual void ItemBorder(LPARAM Key) { (void)Key; }
    // Makes the menu owner-drawn from the skin or gives it back its own look.
    virtual void HookPopupMenu(fw::TPopupMenu* Menu, bool Active) {
        HookedMenu = Menu;
        HookedActive = Active;
    }
    fw::TPopupMenu* HookedMenu = nullptr;
    bool HookedActive = false;
};

// Makes the manager's skinnable menus (set by the form-skinning library when
// it is put to use, else nil: the inert base above).
extern TsSkinableMenusBase* (*acMakeSkinableMenus)(fw::TComponent* AOwner);

// An owner-drawn menu is about to open (set while its items are measured;
// cleared when a menu window wrapper goes and when a form opens another menu).
extern bool acCanHookMenu;

// Menu settings of the manager.
class TacMenuSupport : public fw::TPersistent {
public:
    TacMenuSupport();
    ~TacMenuSupport() override;
    fw::String ClassName() const override { return L"TacMenuSupport"; }
    fw::String IcoLineSkin;
    bool UseExtraLine = false;
    int ExtraLineWidth = 32;
    fw::TFont* ExtraLineFont() const { return FExtraLineFont; }
    // Copies the font.
    void SetExtraLineFont(const fw::TFont* Value);

private:
    fw::TFont* FExtraLineFont;  // owned
};

}  // namespace skin
