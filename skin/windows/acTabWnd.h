// Tab controls and page controls painted from the skin: the strip's tabs from
// the TAB sections (buttons from BUTTON or TOOLBUTTON), the page area from
// PAGECONTROL of the tabs' side, the active tab last, straight on the screen
// over a hole in the clip region so that it overlaps the page's edge. A page
// control's pages show the control's page behind them; the strip's up-down
// (too many tabs) gets a wrapper of its own.
#pragma once

#include "skin/windows/acMainWnd.h"
#include "skin/windows/acTabGeometry.h"

namespace skin {

class TacSpinWnd;

class TacTabControlWnd : public TacMainWnd {
public:
    // SkinSection empty: "PAGECONTROL".
    TacTabControlWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    ~TacTabControlWnd() override;
    fw::String ClassName() const override { return L"TacTabControlWnd"; }
    void acWndProc(fw::TMessage& Message) override;

    // The page's client rectangle and the page area with its frame.
    virtual fw::TRect ClientRect();
    virtual fw::TRect PageRect();

    void AC_WMPaint(const fw::TMessage& Message);
    int TabCount();
    int ActiveTabIndex();
    fw::TRect TabRect(int Index);
    // Empty for an index that is not a tab's.
    fw::TRect SkinTabRect(int Index, bool Active);
    fw::TRect TabsRect();
    int TabRow(int TabIndex);
    TacTabSide TabPosition();
    TacTabLook Style();
    void CheckUpDown();
    void DrawSkinTabs(const TCacheInfo& CI);
    // Tab Index in State (2: the active one) into Bmp, moved by Offset.
    void DrawSkinTab(int Index, int State, fw::TPoint Offset, fw::TBitmap* Bmp);
    // The same straight onto DC, through a bitmap of the tab's size.
    void DrawSkinTab(int Index, int State, HDC DC);

    TacSpinWnd* BtnSW = nullptr;  // the strip's up-down ("UPDOWNBTN"), owned

protected:
    // The common answers of the library's message; false when the caller
    // goes on with its own handling.
    bool SkinnedCommand(fw::TMessage& Message);
    bool Skinned() const;

private:
    void DrawTabContent(int Index, int State, const fw::TRect& T, fw::TPoint Offset, fw::TBitmap* Bmp, int SectionIndex,
                        const fw::String& Text, int Image);
};

class TacPageControlWnd : public TacTabControlWnd {
public:
    TacPageControlWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                      const fw::String& SkinSection);
    fw::String ClassName() const override { return L"TacPageControlWnd"; }
    void AfterCreate(bool Repaint) override;
    void acWndProc(fw::TMessage& Message) override;
    fw::TRect ClientRect() override;
    fw::TRect PageRect() override;

    // Every page window that nobody handles yet gets a page wrapper.
    void InitPages(bool Skinned);
};

// A page of a page control: the control's page behind it.
class TacPageWnd : public TacMainWnd {
public:
    using TacMainWnd::TacMainWnd;
    fw::String ClassName() const override { return L"TacPageWnd"; }
    void acWndProc(fw::TMessage& Message) override;

    void AC_WMEraseBKGnd(fw::TMessage& Message);
    TacTabSide TabPosition();
};

// A further tab wrapper: no painting of its own but, in a dialog, the strip
// above and left of the page copied from its cache into the frame.
class TacTabWnd : public TacMainWnd {
public:
    using TacMainWnd::TacMainWnd;
    fw::String ClassName() const override { return L"TacTabWnd"; }
    void acWndProc(fw::TMessage& Message) override;
    void PrepareCache();
};

// The page wrappers made so far (freed when the program ends).
std::vector<TacPageWnd*>& acPageWrappers();

// The wrapper a tab control gets: a page control's (its pages wrapped too)
// when the skin data's owner is a framework page control, else a tab
// control's.
TacMainWnd* CreateTabWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager);

}  // namespace skin
