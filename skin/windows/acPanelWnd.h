// Container-like windows painted from the skin: a framework panel (frame,
// background, centred caption and graphic children from one cache), a panel
// window met inside a system dialog, a child dialog or folder pane that shows
// its parent's background, and a size grip drawn with the skin's grip image.
#pragma once

#include "framework/windows/ExtCtrls.h"
#include "skin/windows/acMainWnd.h"

namespace skin {

// The section a framework panel gets by its bevels and border when its
// creator names none.
const wchar_t* PanelSectionOf(fw::TBevelCut Outer, fw::TBevelCut Inner, fw::TBorderStyle Border);
// Where a grip image of Image's size stands in a window of size Wnd: at the
// bottom-right corner, never left of or above the window's origin.
fw::TPoint GripPlace(SIZE Wnd, SIZE Image);

class TacPanelWnd : public TacMainWnd {
public:
    // SkinSection empty and a panel as owner control: the section by its bevels.
    TacPanelWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    fw::String ClassName() const override { return L"TacPanelWnd"; }
    void acWndProc(fw::TMessage& Message) override;

    virtual void PrepareCache();
    // ClientDC: aDC is the client area's (an erase), not the window's.
    void AC_WMPaint(HDC aDC, bool ClientDC = false);
    void AC_WMNCPaint(HDC aDC);
    void WriteText(fw::TRect R, fw::TCanvas* aCanvas, HDC aDC);

    fw::TCustomPanel* Panel() const;

private:
    int FrameWidth() const;
};

class TacDlgPanelWnd : public TacMainWnd {
public:
    // The section follows the component found behind the window: "CHECKBOX"
    // for a plain TPanel (which takes the skin's global colour), else
    // "GROUPBOX".
    TacDlgPanelWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    fw::String ClassName() const override { return L"TacDlgPanelWnd"; }
    void SetSkinParams() override;
    void acWndProc(fw::TMessage& Message) override;

    virtual void PrepareCache();
    void AC_WMPaint(HDC aDC, bool ClientDC = false);
    void AC_WMNCPaint(HDC aDC);

    fw::TPanel* Panel = nullptr;

private:
    void TakeGlobalColor();
};

class TacTransPanelWnd : public TacMainWnd {
public:
    using TacMainWnd::TacMainWnd;
    fw::String ClassName() const override { return L"TacTransPanelWnd"; }
    void acWndProc(fw::TMessage& Message) override;
    virtual void AC_WMPaint(fw::TMessage& Message);

private:
    bool painting_ = false;
};

class TacSizerWnd : public TacMainWnd {
public:
    using TacMainWnd::TacMainWnd;
    fw::String ClassName() const override { return L"TacSizerWnd"; }
    void acWndProc(fw::TMessage& Message) override;
    void AC_WMPaint();
};

// Wrappers made and attached, one per kind (nil when Handle has no window).
// A framework panel: its skin data's owner control is the panel.
TacMainWnd* CreatePanelWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager,
                           const fw::String& Section = fw::String());
TacMainWnd* CreateDlgPanelWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager);
TacMainWnd* CreateTransPanelWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager,
                                const fw::String& Section = L"CHECKBOX");
TacMainWnd* CreateSizerWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager,
                           const fw::String& Section = L"CHECKBOX");

}  // namespace skin
