#include "skin/engine/sLibraryStartUp.h"

#include <memory>

#include "framework/rtl/Exception.h"
#include "framework/rtl/Streams.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/Dialogs.h"
#include "skin/engine/PNGGraphic.h"
#include "skin/engine/sConst.h"

namespace skin {

OSVERSIONINFOW OSVersionInfo{};
bool IsNT = false;
TPNGGraphic* acShdaImage = nullptr;
TPNGGraphic* acShdiImage = nullptr;
const wchar_t* const acVersionText = L"Skin components v6.64";

bool CheckAcVerSwitch(const std::vector<fw::String>& Args) {
    for (const fw::String& arg : Args)
        if (fw::LowerCase(arg) == L"/acver") {
            fw::ShowMessage(acVersionText);
            return true;
        }
    return false;
}

std::vector<fw::String> ProgramArguments() {
    std::vector<fw::String> args;
    for (int i = 1; i <= fw::ParamCount(); ++i) args.push_back(fw::ParamStr(i));
    return args;
}

TPNGGraphic* LoadShadowImage(const fw::String& ResName) {
    HINSTANCE instance = acResourceInstance();
    if (!FindResourceW(instance, ResName.c_str(), RT_RCDATA)) return nullptr;
    try {
        fw::TResourceStream stream(instance, ResName);
        auto image = std::make_unique<TPNGGraphic>();
        image->LoadFromStream(&stream);
        return image.release();
    } catch (const fw::Exception&) {
        return nullptr;
    }
}

namespace {

struct StartUp {
    StartUp() {
        OSVersionInfo.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        GetVersionExW(&OSVersionInfo);
#pragma GCC diagnostic pop
        IsNT = OSVersionInfo.dwPlatformId == VER_PLATFORM_WIN32_NT;
        acShdaImage = LoadShadowImage(L"acSHDA");
        acShdiImage = LoadShadowImage(L"acSHDI");
        // A test program keeps its arguments for gtest; the switch is checked there by hand.
        CheckAcVerSwitch(ProgramArguments());
    }
    ~StartUp() {
        delete acShdaImage;
        acShdaImage = nullptr;
        delete acShdiImage;
        acShdiImage = nullptr;
    }
};
StartUp startUp;

}  // namespace

}  // namespace skin
