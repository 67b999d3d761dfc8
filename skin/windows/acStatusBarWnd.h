// Status bars painted from the skin: the STATUSBAR section over the parent,
// each part framed by the section's STATUSPANELMASK image (or parted by
// DIVIDER separators when the skin has no panel image), and a framework
// status bar's panel texts in the section's colours.
#pragma once

#include "framework/windows/ComCtrls.h"
#include "skin/windows/acMainWnd.h"

namespace skin {

class TacStatusBarWnd : public TacMainWnd {
public:
    // SkinSection empty: "STATUSBAR".
    TacStatusBarWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    fw::String ClassName() const override { return L"TacStatusBarWnd"; }
    void acWndProc(fw::TMessage& Message) override;

    void WMPaint(HDC aDC);
    void WMNCPaint(HDC aDC);
    void PrepareCache();
    void PaintPanels();
    void DrawPanel(int Index, fw::TRect& Rect);
    // Index -1: the bar in simple mode.
    void InternalDrawPanel(int Index, const fw::String& Text, fw::TRect& Rect);
    void DoDrawText(const fw::String& Text, fw::TRect& Rect, unsigned Flags);
    fw::TRect PartRect(int Index);
    int PartsCount();
    fw::String PartText(int Index);
    bool SimplePanel();

    fw::TStatusBar* StatusBar = nullptr;
};

TacMainWnd* CreateStatusBarWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager);

}  // namespace skin
