#include "framework/rtl/Strings.h"

#include <windows.h>

namespace fw {

namespace {

std::string narrow(const String& s, UINT codePage) {
    if (s.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

String widen(const std::string& s, UINT codePage) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    String out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

}  // namespace

AnsiString ToAnsi(const String& s) { return narrow(s, CP_ACP); }
String FromAnsi(const AnsiString& s) { return widen(s, CP_ACP); }
std::string ToUtf8(const String& s) { return narrow(s, CP_UTF8); }
String FromUtf8(const std::string& s) { return widen(s, CP_UTF8); }

}  // namespace fw
