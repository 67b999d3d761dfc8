#include "skin/engine/sStyleSimply.h"

#include <shellapi.h>

#include "framework/graphics/Icon.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/SysUtils.h"
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

struct StartUp {
    StartUp() {
        const fw::String exe = fw::ParamStr(0);
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
