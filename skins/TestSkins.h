// Where the committed skins lie, for tests: every test program is built with
// KVB_SKINS_DIR, the source tree's skins folder, which Wine reaches through Z:.
#pragma once

#include <string>

#include "framework/rtl/Strings.h"

namespace kvbskins {

// skins\<relative> as a Windows path ("test\\T1", "default\\Stillwater.asz").
inline fw::String SkinsPath(const fw::String& relative = fw::String()) {
    fw::String dir = fw::FromAnsi(std::string(KVB_SKINS_DIR));
    for (auto& c : dir)
        if (c == L'/') c = L'\\';
    if (!dir.empty() && dir[0] == L'\\') dir = L"Z:" + dir;
    return relative.empty() ? dir : dir + L"\\" + relative;
}

// The committed folder skins, each with its packed copy <name>.asz beside it.
inline const wchar_t* const kTestSkins[] = {L"test\\T1",          L"test\\T1NoGlobalInfo", L"test\\T1BadShadow",
                                            L"test\\T1LowerCase", L"test\\T1Version7",     L"test\\TPaint"};
inline const wchar_t* const kDefaultSkin = L"default\\Stillwater";

}  // namespace kvbskins
