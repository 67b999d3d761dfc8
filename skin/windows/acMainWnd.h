// The base of every wrapper of a standard window: an object bound to one
// existing window that takes over its messages and paints it from the skin.
// It subclasses the window (a framework control's WindowProc, a skinned
// form's, or the raw window procedure through a thunk), answers the library's
// message, keeps the window's geometry and paints a framed box into the skin
// data's cache.
//
// The window runs a link object, never the wrapper itself. When another
// subclasser was installed on top, the wrapper cannot give the window its old
// procedure back; the link then stays as a pass-through to that procedure
// until the window runs it again (it then takes itself out) or is destroyed,
// so no window ever runs freed code and the wrapper can still be freed.
#pragma once

#include <windows.h>

#include "framework/rtl/Types.h"
#include "framework/windows/Controls.h"
#include "skin/windows/acSkinServices.h"

namespace skin {

class TacSubclassLink;

// Set by the system-dialog code around the wrapping of a dialog's children.
extern bool acDlgMode;

// Optional entries looked up when the unit starts: comctl32's flat scroll
// bars and user32's GetScrollBarInfo; nil when missing.
using TFlatSBProc = BOOL(WINAPI*)(HWND);
using TGetScrollBarInfo = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
extern TFlatSBProc Ac_UninitializeFlatSB;
extern TFlatSBProc Ac_InitializeFlatSB;
extern TGetScrollBarInfo GetScrollBarInfoProc;

// How wrappers reach uxtheme's SetWindowTheme (nil: no uxtheme); tests put a
// recorder here.
extern TSetWindowTheme (*acWindowTheme)();

class TacMainWnd : public fw::TObject {
public:
    // Steps of creation that call no virtual hook; Create finishes it.
    // Visual styles go off unless the section is "DIALOG" or the creator
    // says to keep them (ThemeOffAllowed False).
    TacMainWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection,
               bool ThemeOffAllowed = true);
    ~TacMainWnd() override;
    fw::String ClassName() const override { return L"TacMainWnd"; }

    // The second half of creation, where the virtual hooks run: the standard
    // look saved, the text read, the window attached. Create<T> calls it.
    virtual void AfterCreate(bool Repaint);

    virtual void SaveStdParams() {}
    virtual void RestoreStdParams() {}
    virtual void SetSkinParams() { ParamsChanged = true; }
    // The handler that replaced the window's own.
    virtual void acWndProc(fw::TMessage& Message);
    // A parent's update ended: once the window waits for no parent it is
    // redrawn with Flags (RDW_*). False when it was not waiting.
    bool EndParentUpdate(UINT Flags);

    // One message to the replaced handler (0 when there is none); LParam
    // comes back as the handler left it.
    LRESULT CallPrevWndProc(HWND Handle, UINT Msg, WPARAM WParam, LPARAM& LParam);
    // The message's own values to the replaced handler; Result is its answer.
    void PassOn(fw::TMessage& Message);

    // Freeing a wrapper that is still attached: its visual styles and window
    // procedure given back, then RestoreStdParams. A class that overrides
    // RestoreStdParams calls this from its own destructor, where the
    // override is still reached (the base's destructor runs only its own).
    void ReleaseWindow();

    // The control or form whose WindowProc was replaced (nil: a raw window).
    fw::TControl* MethodOwner() const;
    // Whether the window (or control) still runs this wrapper's handler.
    bool RunsOwnHandler() const;

    bool DlgMode = false;
    fw::String Caption;
    fw::TRect WndRect;
    SIZE WndSize{0, 0};
    fw::TPoint WndPos;
    fw::TRect ParentRect;
    HWND ParentWnd = nullptr;
    fw::TWndMethod OldWndProc;
    WNDPROC OldProc = nullptr;
    HWND CtrlHandle = nullptr;
    TsSkinManager* SkinManager = nullptr;
    TsCommonData* SkinData = nullptr;
    bool DontRepaint = false;
    bool ParamsChanged = false;
    fw::TColor StdColor = 0;
    fw::TColor StdFontColor = 0;
    bool Destroyed = false;
    bool OwnSkinData = false;
    WNDPROC NewWndProcInstance = nullptr;
    int Tag = 0;

    // The object the window runs (internal to attaching and detaching).
    TacSubclassLink* Link = nullptr;
    // Visual styles were switched off for the window.
    bool ThemeOff = false;
};

// A wrapper made and attached: new T(args...), then AfterCreate(Repaint).
template <class T, class... Args>
T* CreateWnd(bool Repaint, Args&&... args) {
    T* w = new T(std::forward<Args>(args)...);
    w->AfterCreate(Repaint);
    return w;
}

// Attaches Wnd to Handle: the property "ACSBSC" and the subclassing.
void InitializeACWnd(TacMainWnd* Wnd, HWND Handle);
// Detaches a wrapper that is not yet Destroyed; with Free also frees it and
// clears the variable. A window that runs another handler on top keeps it:
// the detach then does not count as done (Destroyed stays False).
void UninitializeACWnd(HWND Handle, bool Free, bool Repaint, TacMainWnd*& Wnd);
// After WM_NCDESTROY went on: the wrapper lets go of a window that is gone,
// whoever ran on top of it, and counts as Destroyed.
void ReleaseDyingWindow(TacMainWnd* W);
// The window's text, all of it.
fw::String GetWndText(HWND Handle);
// The geometry cache: screen rectangles of the window and its parent, the
// size, and the place in the parent's client area.
void InitCtrlData(HWND Wnd, HWND& ParentWnd, fw::TRect& WndRect, fw::TRect& ParentRect, SIZE& WndSize,
                  fw::TPoint& WndPos);
void InitCtrlData(TacMainWnd* Wnd);
// The standard look of a wrapped window (a framed box of its section, or a
// flat frame of the skin's border colour) into the skin data's cache, when
// its background changed.
void PrepareCache(TsCommonData* SkinData, HWND Handle, bool Flat);
// The corners of the wrapper's cache where the border image is see-through
// show the parent's background (its cache, or its colour).
void UpdateWndCorners(TsCommonData* SkinData, int State, TacMainWnd* Wnd);
// Whether the skin data's border can be drawn hot (more than one image).
bool MayBeHot(TsCommonData* SkinData);
// Message to the children of Ctrl, or of Handle without a control.
void AlphaBroadCastCheck(fw::TControl* Ctrl, HWND Handle, fw::TMessage& Message);
// Sets an integer published property when Obj has it.
void SetPropIfExists(fw::TObject* Obj, const fw::String& PropName, int Value);
// The RGB value of a colour property, 0 without it.
fw::TColor GetRGBProp(fw::TObject* Obj, const fw::String& PropName);
// Depth-first search of Root's owned components for the windowed control
// whose window is Handle.
fw::TComponent* FindComponentByHandle(HWND Handle, fw::TComponent* Root);
// Asks the top-most ancestor of Handle to wrap newly shown controls.
void SendAddToAdapterToTop(HWND Handle);
// The wrapper attached to Handle, nil when none.
TacMainWnd* WrapperOf(HWND Handle);

}  // namespace skin
