// STAND-IN: the least of the form-skinning services that the skin manager
// and the form registry call, under their own names. Each is replaced by the
// form-skinning subsystem (skin/forms/) when it lands: the window-creation
// hook that gives forms and dialogs their skinning objects, the per-form
// skin provider, dialog wrappers, skinned menus and extended borders.
//
// What the stand-ins do:
//  - SkinHookCBT is a valid WH_CBT procedure that skins nothing.
//  - acSupportedList holds TacProvider entries that nothing adds yet.
//  - TsSkinProvider registers its form (IntSkinForm) and unregisters it; it
//    does not subclass the form, so a form answers smcGetProvider itself.
//  - the menu classes keep their settings and do nothing.
#pragma once

#include <windows.h>

#include "framework/rtl/Component.h"
#include "framework/rtl/List.h"

namespace fw {
class TCustomForm;
class TBitmap;
class TMenuItem;
}  // namespace fw

namespace skin {

class TsSkinManager;
class TacDialogWnd;

// The thread's window-creation hook, installed by the default manager.
LRESULT CALLBACK SkinHookCBT(int nCode, WPARAM wParam, LPARAM lParam);
extern HHOOK HookCallback;

// One skinned top-level window found by the hook.
class TacProvider : public fw::TObject {
public:
    fw::String ClassName() const override { return L"TacProvider"; }
    TacDialogWnd* ListSW = nullptr;  // wrapper of a dialog that is not a framework form
};

// The skin wrapper of a system dialog; only its window is read here.
class TacDialogWnd : public fw::TObject {
public:
    fw::String ClassName() const override { return L"TacDialogWnd"; }
    HWND CtrlHandle = nullptr;
};

// Entries are TacProvider*, owned by the list's keeper (UnInstallHook).
extern fw::TList* acSupportedList;

// Frees the popup-menu wrappers.
void ClearMnuArray();

// The extended-border window of a form; never created in this system.
class TacBorderForm : public fw::TObject {
public:
    fw::String ClassName() const override { return L"TacBorderForm"; }
    fw::TCustomForm* AForm = nullptr;
    HRGN MakeRgn() { return nullptr; }
    void UpdateExBordersPos(bool Redraw, BYTE Blend) { (void)Redraw, (void)Blend; }
};

// The per-form skinning component: here only its registration and the
// fields the form registry reads.
class TsSkinProvider : public fw::TComponent {
public:
    // Form is the form that owns the provider.
    explicit TsSkinProvider(fw::TComponent* AOwner);
    ~TsSkinProvider() override;
    fw::String ClassName() const override { return L"TsSkinProvider"; }

    fw::TCustomForm* Form = nullptr;
    bool FInAnimation = false;
    bool DrawNonClientArea = true;
    TacBorderForm* BorderForm = nullptr;
    // The manager of its skin data (the default manager when none is named).
    TsSkinManager* SkinManager() const;
    TsSkinManager* Manager = nullptr;
};

void FillArOR(TsSkinProvider* sp);
void UpdateRgn(TsSkinProvider* sp, bool Repaint);

// Owner-draw skinning of the application's menus.
class TsSkinableMenus : public fw::TComponent {
public:
    explicit TsSkinableMenus(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}
    fw::String ClassName() const override { return L"TsSkinableMenus"; }
    int SkinBorderWidth = -1;
    // Counts the calls (the real one hooks or unhooks the forms' menus).
    void UpdateMenus() { ++UpdateCount; }
    int UpdateCount = 0;
    // The cached background of a popup menu window, null when none.
    fw::TBitmap* CachedMenuBitmap(HWND Wnd) const {
        (void)Wnd;
        return nullptr;
    }
    void DrawWndBorder(HWND Wnd, fw::TBitmap* MenuBmp) { (void)Wnd, (void)MenuBmp; }
};

// Menu settings of the manager.
class TacMenuSupport : public fw::TPersistent {
public:
    fw::String ClassName() const override { return L"TacMenuSupport"; }
    fw::String IcoLineSkin;
};

}  // namespace skin
