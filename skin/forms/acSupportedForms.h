// The registry of skinned top-level windows and what the window-creation
// hook does with each window it sees: a framework form gets its run-time
// skin provider, a system dialog ("#32770") its frame wrapper and each of its
// standard children a window wrapper. Entries are TacProvider objects in
// acSupportedList (skin/engine/sFormSkinningBase.h).
#pragma once

#include <windows.h>

#include "framework/windows/Forms.h"
#include "skin/engine/sFormSkinningBase.h"

namespace skin {

class TacDialogWnd;

// What the hook does with one code, after the next hook ran.
void HandleHookCode(int nCode, WPARAM wParam, LPARAM lParam);

// The rules of the hook's creation code for a window made with a class name:
// its own class name, the record's styles, the application's main form and
// the window's place among windows decide. False: the window is passed over.
bool TakenAtCreation(HWND Wnd, const fw::String& ClassName, DWORD Style, DWORD ExStyle);

// Skins one top-level window once; true when an entry was made.
bool AddSupportedForm(HWND aHandle, const CREATESTRUCTW* CreateStruct);

// Whether a window is top level for the skinning decision: it is no child
// (an owned popup, as every message box and file dialog has an owner, is).
bool IsTopLevelWindow(HWND Wnd);

// A form skipped for its Tag: every bit of -98 set.
bool SkippedByTag(int Tag);

// Sends Message to each direct child of Handle (answers are dropped).
void BroadCastHwnd(HWND Handle, fw::TMessage& Message);
// Skinned dialogs now visible.
int VisibleDlgCount();
// A descendant of Handle whose lower-cased class name is Name.
bool ControlExists(HWND Handle, const fw::String& Name);
fw::String GetWndClassName(HWND Handle);
// The dialog entry of Handle, nil when none.
TacProvider* FindFormInList(HWND Handle);
// The framework form (or MDI child) whose window is Handle, nil when none.
fw::TCustomForm* FindFormOnScreen(HWND Handle);
// Makes (or, without an active default manager, frees) a dialog's wrapper.
void InitDialog(HWND AHandle, TacDialogWnd*& Wnd);
// Frees the entries whose dialogs are gone.
void CleanArray();

}  // namespace skin
