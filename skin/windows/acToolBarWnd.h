// Toolbars painted from the skin. A native toolbar (a system dialog's) is
// drawn whole by the wrapper: every button from TOOLBUTTON with its icon,
// label, drop-down arrow and disabled look, separators from DIVIDER. A
// framework toolbar keeps its own painting and the wrapper draws through its
// custom-draw events.
#pragma once

#include "framework/windows/ComCtrls.h"
#include "skin/windows/acMainWnd.h"
#include "skin/windows/acToolBarGeometry.h"

namespace skin {

class TacToolBarWnd : public TacMainWnd {
public:
    using TacMainWnd::TacMainWnd;
    fw::String ClassName() const override { return L"TacToolBarWnd"; }
    void acWndProc(fw::TMessage& Message) override;

    void AC_WMPaint();
    void AC_WMPrint(HDC GivenDC);
    void AC_WMNCPaint();
    void PrepareCache();
    // The buttons over the cache into Bmp (the cache's size).
    void DrawButtons(fw::TBitmap* Bmp);
    // Button Index into R of DC; R in the cache's coordinates.
    void DrawBtn(int Index, const fw::TRect& R, HDC DC);
    int Count();
    // Empty when the toolbar gives no rectangle.
    fw::TRect ButtonRect(int Index);
    fw::TRect GetButtonRect(int Index) { return ButtonRect(Index); }

    fw::TRect ClientRect;  // at the last cache build
    int BorderWidth = 0;
    int HotBtn = -1;

private:
    bool Updating();
    void DrawLabel(fw::TBitmap* T, const fw::String& Text, fw::TRect R, int State);
};

class TacToolBarVCLWnd : public TacMainWnd {
public:
    // SkinSection empty on a framework toolbar: "TOOLBAR". The toolbar's
    // custom-draw events become the wrapper's.
    TacToolBarVCLWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    ~TacToolBarVCLWnd() override;
    fw::String ClassName() const override { return L"TacToolBarVCLWnd"; }
    void acWndProc(fw::TMessage& Message) override;

    void OurAdvancedCustomDraw(fw::TToolBar* Sender, const fw::TRect& ARect, fw::TCustomDrawStage Stage,
                               bool& DefaultDraw);
    void OurAdvancedCustomDrawButton(fw::TToolBar* Sender, fw::TToolButton* Button, fw::TCustomDrawState State,
                                     fw::TCustomDrawStage Stage, fw::TTBCustomDrawFlags& Flags, bool& DefaultDraw);
    void PrepareCache();
    void RepaintButton(int Index);
    void WMNCPaint(HDC aDC);
    fw::TRect DisplayRect();
    fw::TRect GetButtonRect(int Index);
    int IndexByMouse(fw::TPoint MousePos);

    fw::TToolBar* ToolBar = nullptr;
    fw::TToolButton* DroppedButton = nullptr;
    int HotButtonIndex = -1;

private:
    void InstallEvents();
    void ClearEvents();
    bool Skinned() const;
};

// The wrapper a toolbar gets: the framework toolbar's when the skin data's
// owner is one, else the native one's (SkinSection empty: "CHECKBOX", the
// dialog's background behind the buttons).
TacMainWnd* CreateToolBarWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager,
                             const fw::String& SkinSection = fw::String());

}  // namespace skin
