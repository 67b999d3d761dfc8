#include "host/AppIcon.h"

#include <windows.h>
// shellapi.h needs the types of windows.h
#include <shellapi.h>

#include <memory>

#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"

namespace host {

fw::TIcon* GetShellIcon(const String& Path) {
    SHFILEINFOA info{};
    SHGetFileInfoA(fw::ToAnsi(Path).c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                   SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES);
    auto* icon = new fw::TIcon();
    if (info.hIcon) icon->SetHandle(info.hIcon);
    return icon;
}

void SetApplicationIcon() {
    fw::TApplication* app = fw::Application;
    String iconFile = fw::ChangeFileExt(app->ExeName(), L".ico");
    std::unique_ptr<fw::TIcon> icon;
    if (fw::FileExists(iconFile)) {
        icon = std::make_unique<fw::TIcon>();
        icon->LoadFromFile(iconFile);
    } else {
        icon.reset(GetShellIcon(app->ExeName()));
    }
    app->SetIcon(icon.get());
}

}  // namespace host
