#include "skin/engine/sStyleSimply.h"

#include <shellapi.h>

#include "framework/Icon.h"
#include "framework/IniFiles.h"
#include "skin/engine/FileUtils.h"

namespace skin {

TsSkinData::~TsSkinData() {
    delete SkinFile;
    SkinFile = nullptr;
}

fw::TIcon* AppIcon = nullptr;
fw::TIcon* AppIconLarge = nullptr;
fw::String GlobalSectionName;
bool aSkinChanging = false;
bool aSkinRemoving = false;

namespace {

fw::String ExecutableName() {
    wchar_t buf[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    return n > 0 && n < MAX_PATH ? fw::String(buf, n) : fw::String();
}

struct StartUp {
    StartUp() {
        fw::String exe = ExecutableName();
        AppIcon = GetIconForFile(exe, SHGFI_SMALLICON);
        AppIconLarge = GetIconForFile(exe, SHGFI_LARGEICON);
    }
    ~StartUp() {
        delete AppIcon;
        AppIcon = nullptr;
        delete AppIconLarge;
        AppIconLarge = nullptr;
        GlobalSectionName.clear();
    }
};
StartUp startUp;

}  // namespace

}  // namespace skin
