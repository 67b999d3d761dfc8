#include "skin/engine/sManagerSettings.h"

#include <vector>

#include "framework/rtl/Filer.h"
#include "framework/rtl/Properties.h"

namespace skin {

const std::array<const wchar_t*, acThirdPartyTypesCount> acThirdCaptions = {
    L"Edit",        L"Button",      L"BitBtn",     L"CheckBox", L"ComboBox",  L"Grid",
    L"GroupBox",    L"ListView",    L"Panel",      L"TreeView", L"wwEdit",    L"GridEh",
    L"VirtualTree", L"PageControl", L"TabControl", L"ToolBar",  L"StatusBar", L"SpeedButton"};

const std::array<const wchar_t*, acThirdPartyTypesCount> acThirdNames = {
    L" ", L"TButton", L" ", L" ", L" ", L" ", L" ", L" ", L" ", L" ", L" ", L" ", L" ", L" ", L" ", L" ", L" ", L" "};

const std::array<const wchar_t*, acThirdPartyTypesCount> acThirdPropNames = {
    L"ThirdEdits",   L"ThirdButtons",    L"ThirdBitBtns",      L"ThirdCheckBoxes",  L"ThirdComboBoxes",
    L"ThirdGrids",   L"ThirdGroupBoxes", L"ThirdListViews",    L"ThirdPanels",      L"ThirdTreeViews",
    L"ThirdWWEdits", L"ThirdGridEh",     L"ThirdVirtualTrees", L"ThirdPageControl", L"ThirdTabControl",
    L"ThirdToolBar", L"ThirdStatusBar",  L"ThirdSpeedButton"};

fw::String ThirdPartyList::GetString(int Index) const {
    if (Index < 0 || Index >= acThirdPartyTypesCount) return fw::String();
    return lists_[size_t(Index)];
}

void ThirdPartyList::SetString(int Index, const fw::String& Value) {
    if (Index < 0 || Index >= acThirdPartyTypesCount) return;
    lists_[size_t(Index)] = Value;
}

const fw::TPropTable* ThirdPartyList::PublishedProperties() const {
    static const fw::TPropTable table(fw::TPersistent::PublishedProperties(), [] {
        std::vector<fw::TPropInfo> props;
        for (int i = 0; i < acThirdPartyTypesCount; ++i)
            props.push_back(fw::StringProperty<ThirdPartyList>(
                acThirdPropNames[size_t(i)], [i](const ThirdPartyList& l) { return l.GetString(i); },
                [i](ThirdPartyList& l, const fw::String& v) { l.SetString(i, v); }));
        return props;
    }());
    return &table;
}

template <int I>
void ThirdPartyList::ReadList(fw::TReader* Reader) {
    SetString(I, Reader->ReadString());
}

template <int I>
void ThirdPartyList::WriteList(fw::TWriter* Writer) {
    Writer->WriteString(GetString(I));
}

template <int... I>
void ThirdPartyList::DefineLists(fw::TFiler* Filer, std::integer_sequence<int, I...>) {
    (Filer->DefineProperty(acThirdPropNames[size_t(I)], fw::TReaderProc(this, &ThirdPartyList::ReadList<I>),
                           fw::TWriterProc(this, &ThirdPartyList::WriteList<I>), !GetString(I).empty()),
     ...);
}

void ThirdPartyList::DefineProperties(fw::TFiler* Filer) {
    fw::TPersistent::DefineProperties(Filer);
    DefineLists(Filer, std::make_integer_sequence<int, acThirdPartyTypesCount>());
}

}  // namespace skin
