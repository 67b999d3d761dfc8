// Shortcut keys as menus show them: "Shift+", "Ctrl+", "Alt+" (in this
// order) before the key's name.
#include <cwctype>

#include "framework/windows/Menus.h"

namespace fw {

namespace {

const wchar_t* const kShift = L"Shift+";
const wchar_t* const kCtrl = L"Ctrl+";
const wchar_t* const kAlt = L"Alt+";

// The name a menu shows for a virtual key, or "" when it has none.
String KeyName(BYTE Key) {
    switch (Key) {
        case VK_BACK:
            return L"BkSp";
        case VK_TAB:
            return L"Tab";
        case VK_RETURN:
            return L"Enter";
        case VK_ESCAPE:
            return L"Esc";
        case VK_SPACE:
            return L"Space";
        case VK_PRIOR:
            return L"PgUp";
        case VK_NEXT:
            return L"PgDn";
        case VK_END:
            return L"End";
        case VK_HOME:
            return L"Home";
        case VK_LEFT:
            return L"Left";
        case VK_UP:
            return L"Up";
        case VK_RIGHT:
            return L"Right";
        case VK_DOWN:
            return L"Down";
        case VK_INSERT:
            return L"Ins";
        case VK_DELETE:
            return L"Del";
        default:
            break;
    }
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return String(1, wchar_t(Key));
    if (Key >= VK_F1 && Key <= VK_F24) return L"F" + std::to_wstring(Key - VK_F1 + 1);
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return L"Num " + std::to_wstring(Key - VK_NUMPAD0);
    // Punctuation keys: the character the keyboard layout puts on them.
    if (Key >= VK_OEM_1 && Key <= VK_OEM_102) {
        UINT ch = MapVirtualKeyW(Key, MAPVK_VK_TO_CHAR) & 0x7FFF;
        if (ch >= 0x20) return String(1, wchar_t(ch));
    }
    return String();
}

bool StartsWithNoCase(const String& Text, size_t At, const wchar_t* Prefix) {
    for (size_t i = 0; Prefix[i]; ++i)
        if (At + i >= Text.size() || std::towlower(Text[At + i]) != std::towlower(Prefix[i])) return false;
    return true;
}

bool EqualNoCase(const String& A, const String& B) {
    if (A.size() != B.size()) return false;
    for (size_t i = 0; i < A.size(); ++i)
        if (std::towlower(A[i]) != std::towlower(B[i])) return false;
    return true;
}

}  // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift) {
    if (Key & 0xFF00) return scNone;
    TShortCut s = Key;
    if (Shift.Contains(ssShift)) s |= scShift;
    if (Shift.Contains(ssCtrl)) s |= scCtrl;
    if (Shift.Contains(ssAlt)) s |= scAlt;
    return s;
}

String ShortCutToText(TShortCut ShortCut) {
    String name = KeyName(BYTE(ShortCut & 0xFF));
    if (name.empty()) return String();
    String s;
    if (ShortCut & scShift) s += kShift;
    if (ShortCut & scCtrl) s += kCtrl;
    if (ShortCut & scAlt) s += kAlt;
    return s + name;
}

TShortCut TextToShortCut(const String& Text) {
    TShortCut modifiers = 0;
    size_t at = 0;
    for (;;) {
        if (StartsWithNoCase(Text, at, kShift)) {
            modifiers |= scShift;
            at += 6;
        } else if (StartsWithNoCase(Text, at, kCtrl)) {
            modifiers |= scCtrl;
            at += 5;
        } else if (StartsWithNoCase(Text, at, kAlt)) {
            modifiers |= scAlt;
            at += 4;
        } else {
            break;
        }
    }
    String rest = Text.substr(at);
    if (rest.empty()) return scNone;
    for (int key = 0x08; key <= 0xFF; ++key)
        if (EqualNoCase(KeyName(BYTE(key)), rest)) return TShortCut(modifiers | key);
    return scNone;
}

}  // namespace fw
