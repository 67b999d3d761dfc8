#include "skin/engine/sManagerSettings.h"

namespace skin {

const std::array<const wchar_t*, acThirdPartyTypesCount> acThirdCaptions = {
    L"Edit",     L"Button",   L"BitBtn",      L"CheckBox",    L"ComboBox",   L"Grid",
    L"GroupBox", L"ListView", L"Panel",       L"TreeView",    L"wwEdit",     L"GridEh",
    L"VirtualTree", L"PageControl", L"TabControl", L"ToolBar", L"StatusBar", L"SpeedButton"};

const std::array<const wchar_t*, acThirdPartyTypesCount> acThirdNames = {
    L" ", L"TButton", L" ", L" ", L" ", L" ", L" ", L" ", L" ",
    L" ", L" ",       L" ", L" ", L" ", L" ", L" ", L" ", L" "};

fw::String ThirdPartyList::GetString(int Index) const {
    if (Index < 0 || Index >= acThirdPartyTypesCount) return fw::String();
    return lists_[size_t(Index)];
}

void ThirdPartyList::SetString(int Index, const fw::String& Value) {
    if (Index < 0 || Index >= acThirdPartyTypesCount) return;
    lists_[size_t(Index)] = Value;
}

}  // namespace skin
