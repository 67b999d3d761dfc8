// What the tests of skinned MDI forms share: a shown MDI parent with a
// one-item main menu, children that free themselves when closed, and the
// parent's client state.
#pragma once

#include <windows.h>

#include <memory>

#include "SkinnedFormKit.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"

namespace formstest {

struct FreeOnClose {
    void Close(fw::TObject*, fw::TCloseAction& Action) { Action = fw::caFree; }
};

inline std::unique_ptr<fw::TForm, FormFree> ShownMDIParent(const wchar_t* Caption = L"MDI parent") {
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetFormStyle(fw::fsMDIForm);
    form->SetCaption(Caption);
    fw::TMainMenu* menu = fw::Create<fw::TMainMenu>(form.get());
    fw::TMenuItem* file = fw::Create<fw::TMenuItem>(form.get());
    file->SetCaption(L"&File");
    menu->Items()->Add(file);
    form->SetMenu(menu);
    // A place of its own, so parallel desktops do not matter.
    const DWORD pid = GetCurrentProcessId();
    form->SetBounds(30 + int(pid * 37 % 150), 20 + int(pid * 53 % 100), 460, 340);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(150);
    return form;
}

// A child made (its window too) but not shown unless Show.
inline fw::TForm* NewMDIChild(const wchar_t* Caption, FreeOnClose* Closer, fw::TRect Bounds, bool Show = true) {
    auto* child = new fw::TForm(fw::Application.get());
    child->AfterConstruction();
    child->SetFormStyle(fw::fsMDIChild);
    child->SetCaption(Caption);
    child->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    child->OnClose = fw::TCloseEvent(Closer, &FreeOnClose::Close);
    if (Show) {
        child->Show();
        Pump(80);
    } else {
        child->HandleNeeded();
    }
    return child;
}

inline bool ChildMaximized(fw::TCustomForm* Parent) {
    BOOL maximized = FALSE;
    SendMessageW(Parent->ClientHandle(), WM_MDIGETACTIVE, 0, LPARAM(&maximized));
    return maximized != FALSE;
}

// Closes every child of Parent and lets the frees run.
inline void CloseChildren(fw::TCustomForm* Parent) {
    while (Parent->MDIChildCount() > 0) {
        const int before = Parent->MDIChildCount();
        SendMessageW(Parent->MDIChildren(0)->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump(80);
        if (Parent->MDIChildCount() == before) break;
    }
}

}  // namespace formstest
