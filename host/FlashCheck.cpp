#include "host/FlashCheck.h"

#include "framework/rtl/Registry.h"
#include "framework/rtl/SysUtils.h"

namespace host {

String RegisteredFlashPath() {
    try {
        fw::TRegistry reg(KEY_READ);
        reg.SetRootKey(HKEY_CLASSES_ROOT);
        if (!reg.OpenKeyReadOnly(kFlashServerKey)) return String();
        return reg.ReadString(L"");
    } catch (const fw::Exception&) {
        // A value of another type is as good as none: the installer runs.
        return String();
    }
}

int FlashVersionFromPath(const String& Path) {
    String name = fw::ChangeFileExt(fw::ExtractFileName(Path), L"");
    if (name.size() <= 5) return 0;
    String rest = name.substr(5);
    String digits;
    for (wchar_t c : rest) {
        if (c < L'0' || c > L'9') break;
        digits += c;
    }
    int32_t version = 0;
    if (digits.empty() || !fw::TryStrToInt(digits, version)) return 0;
    return version;
}

int GetFlashVersion() { return FlashVersionFromPath(RegisteredFlashPath()); }

bool FlashControlPasses(const String& Path, const std::function<bool(const String&)>& Exists) {
    if (Path.empty()) return false;
    if (!Exists(Path)) return false;
    if (fw::Pos(L"flash", fw::AnsiLowerCase(Path)) == 0) return false;
    return FlashVersionFromPath(Path) >= kMinimumFlashVersion;
}

bool FlashControlInstalled() {
    try {
        return FlashControlPasses(RegisteredFlashPath(), [](const String& p) { return fw::FileExists(p); });
    } catch (...) {
        return false;
    }
}

}  // namespace host
