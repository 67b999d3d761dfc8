// What the tests of a form's menu bar share: an item made by caption, a bar
// item's place in window coordinates, and the popup the platform's menu loop
// has open.
#pragma once

#include <windows.h>

#include "framework/rtl/Types.h"
#include "framework/windows/Menus.h"

namespace formstest {

inline fw::TMenuItem* Item(fw::TComponent* Owner, const wchar_t* Caption) {
    auto* it = new fw::TMenuItem(Owner);
    it->SetCaption(Caption);
    return it;
}

// The bar item at HMENU position Pos in window coordinates.
inline fw::TRect BarItem(HWND Wnd, int Pos) {
    RECT r{}, wr{};
    GetMenuItemRect(Wnd, GetMenu(Wnd), UINT(Pos), &r);
    GetWindowRect(Wnd, &wr);
    return fw::TRect(r.left - wr.left, r.top - wr.top, r.right - wr.left, r.bottom - wr.top);
}

// A visible menu window of this thread (the last one found), else nil.
inline HWND OpenMenuWindow() {
    HWND open = nullptr;
    for (HWND w = FindWindowW(L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() && IsWindowVisible(w)) open = w;
    return open;
}

}  // namespace formstest
