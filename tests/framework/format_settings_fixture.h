// The two locales the conversion tests read and write in, and a guard that
// gives the global FormatSettings back after a test changed it.
#pragma once

#include "framework/rtl/FormatSettings.h"

namespace fwtest {

inline const fw::TFormatSettings& UsSettings() {
    static const fw::TFormatSettings s = [] {
        fw::TFormatSettings f;
        fw::GetLocaleFormatSettings(0x0409, f);
        return f;
    }();
    return s;
}

inline const fw::TFormatSettings& GermanSettings() {
    static const fw::TFormatSettings s = [] {
        fw::TFormatSettings f;
        fw::GetLocaleFormatSettings(0x0407, f);
        return f;
    }();
    return s;
}

struct FormatSettingsGuard {
    fw::TFormatSettings saved = fw::FormatSettings;
    ~FormatSettingsGuard() { fw::FormatSettings = saved; }
};

}  // namespace fwtest
