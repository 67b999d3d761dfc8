#include "player/DialogDriver.h"

#include <dlgs.h>

#include <vector>

#include "player/Journal.h"
#include "player/WindowShot.h"

namespace player {

namespace {

std::wstring windowText(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    return text;
}

std::wstring className(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

std::wstring withoutAccelerator(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s)
        if (c != L'&') out += c;
    return out;
}

BOOL CALLBACK collectVisible(HWND hwnd, LPARAM p) {
    if (IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK collectAll(HWND hwnd, LPARAM p) {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> visibleThreadWindows() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), collectVisible, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, collectAll, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool isFileDialog(HWND dlg) { return GetDlgItem(dlg, cmb13) || GetDlgItem(dlg, edt1); }

HWND findButton(HWND dialog, const std::wstring& caption) {
    for (HWND child : descendants(dialog)) {
        std::wstring cls = className(child);
        if ((_wcsicmp(cls.c_str(), L"Button") == 0 || cls == L"TButton") &&
            _wcsicmp(withoutAccelerator(windowText(child)).c_str(), withoutAccelerator(caption).c_str()) == 0)
            return child;
    }
    return nullptr;
}

int standardId(const std::wstring& press) {
    if (_wcsicmp(press.c_str(), L"OK") == 0) return IDOK;
    if (_wcsicmp(press.c_str(), L"Cancel") == 0) return IDCANCEL;
    if (_wcsicmp(press.c_str(), L"Yes") == 0) return IDYES;
    if (_wcsicmp(press.c_str(), L"No") == 0) return IDNO;
    return 0;
}

// A message box's text: the static with id 0xFFFF in a system dialog; the
// host's own message form publishes its text as a window property.
std::wstring messageText(HWND dialog) {
    if (HWND text = GetDlgItem(dialog, 0xFFFF)) return windowText(text);
    if (auto* p = static_cast<const wchar_t*>(GetPropW(dialog, L"MessageText"))) return p;
    return {};
}

bool pressButton(HWND dialog, const std::wstring& press) {
    if (HWND button = findButton(dialog, press)) {
        PostMessageW(button, BM_CLICK, 0, 0);
        return true;
    }
    if (int id = standardId(press)) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
        return true;
    }
    return false;
}

std::wstring comboSelection(HWND combo) {
    LRESULT i = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (i == CB_ERR) return {};
    LRESULT n = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
    if (n == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n));
    return text;
}

}  // namespace

ScriptHost::DialogState AnswerDialog(const ScriptStep& step, std::wstring& journal, std::wstring& shot,
                                     std::wstring& error) {
    using V = ScriptStep::Verb;
    using S = ScriptHost::DialogState;
    const std::wstring press = step.Named(L"press");
    // Taken before any press is posted: the dialog is still whole.
    auto photograph = [&](HWND w) {
        if (step.HasNamed(L"shot")) shot = ShootWindow(w, step.Named(L"shot"));
    };
    for (HWND w : visibleThreadWindows()) {
        std::wstring cls = className(w);
        if (step.verb == V::DialogMsgbox && (cls == L"TMessageForm" || (cls == L"#32770" && !isFileDialog(w)))) {
            std::wstring text = messageText(w);
            journal = L"dialog msgbox " + Quoted(text) + L" press=" + press;
            photograph(w);
            if (step.HasNamed(L"expect") && text != step.Named(L"expect")) {
                error = L"message box says " + Quoted(text) + L", expected " + Quoted(step.Named(L"expect"));
                pressButton(w, press);
                return S::Failed;
            }
            if (!pressButton(w, press)) {
                error = L"no button " + Quoted(press) + L" in the message box";
                return S::Failed;
            }
            return S::Done;
        }
        if (step.verb == V::DialogSave && cls == L"#32770" && isFileDialog(w)) {
            std::wstring filter = GetDlgItem(w, cmb1) ? comboSelection(GetDlgItem(w, cmb1)) : std::wstring();
            journal = L"dialog save filter=" + Quoted(filter) + L" press=" + press;
            photograph(w);
            if (step.HasNamed(L"expect-filter") && filter.find(step.Named(L"expect-filter")) == std::wstring::npos) {
                error =
                    L"save dialog filter is " + Quoted(filter) + L", expected " + Quoted(step.Named(L"expect-filter"));
                PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                return S::Failed;
            }
            SetDlgItemTextW(w, GetDlgItem(w, cmb13) ? cmb13 : edt1, step.Named(L"name").c_str());
            int id = _wcsicmp(press.c_str(), L"OK") == 0 ? IDOK : IDCANCEL;
            PostMessageW(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, id)));
            return S::Done;
        }
        if (step.verb == V::DialogForm && windowText(w) == step.Named(L"caption")) {
            journal = L"dialog form " + Quoted(step.Named(L"caption")) + L" press=" + Quoted(press);
            photograph(w);
            if (press == L"close") {
                PostMessageW(w, WM_CLOSE, 0, 0);
                return S::Done;
            }
            if (HWND button = findButton(w, press)) {
                PostMessageW(button, BM_CLICK, 0, 0);
                return S::Done;
            }
            error = L"no button " + Quoted(press) + L" in " + Quoted(step.Named(L"caption"));
            return S::Failed;
        }
    }
    return S::Pending;
}

std::wstring DescribeTopLevel(HWND child) {
    HWND top = child ? GetAncestor(child, GA_ROOT) : nullptr;
    if (!top) return L"no-window";
    RECT r;
    GetWindowRect(top, &r);
    LONG style = GetWindowLongW(top, GWL_STYLE), ex = GetWindowLongW(top, GWL_EXSTYLE);
    auto flag = [](bool b) { return b ? L"1" : L"0"; };
    return std::wstring(L"iconic=") + flag(IsIconic(top)) + L" zoomed=" + flag(IsZoomed(top)) + L" topmost=" +
           flag(ex & WS_EX_TOPMOST) + L" foreground=" + flag(GetForegroundWindow() == top) + L" captionbar=" +
           flag((style & WS_CAPTION) == WS_CAPTION) + L" sizeable=" + flag(style & WS_THICKFRAME) + L" caption=" +
           Quoted(windowText(top)) + L" rect=" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
           std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom);
}

}  // namespace player
