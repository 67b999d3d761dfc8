// Settings objects published by the skin manager: the animation settings
// (AnimEffects) and the lists of foreign control classes to skin (ThirdParty).
#pragma once

#include <array>
#include <cstdint>
#include <utility>

#include "framework/rtl/Object.h"
#include "skin/engine/sConst.h"
#include "skin/engine/sDefaults.h"

namespace fw {
class TReader;
class TWriter;
}  // namespace fw

namespace skin {

class TsSkinManager;

// Which mouse events fade the skinned buttons.
class TacBtnEffects : public fw::TPersistent {
public:
    TacBtnEffects() : Events{beMouseEnter, beMouseLeave, beMouseDown, beMouseUp} {}
    fw::String ClassName() const override { return L"TacBtnEffects"; }
    TacBtnEvents Events;
    TsSkinManager* Manager = nullptr;
};

// One animation: on or off, its time in milliseconds and its kind.
class TacFormAnimation : public fw::TPersistent {
public:
    TacFormAnimation() = default;
    fw::String ClassName() const override { return L"TacFormAnimation"; }
    uint16_t Time = 0;
    bool Active = true;
    TacAnimType Mode = atAero;
};

class TacFormShow : public TacFormAnimation {
public:
    fw::String ClassName() const override { return L"TacFormShow"; }
};
class TacFormHide : public TacFormAnimation {
public:
    fw::String ClassName() const override { return L"TacFormHide"; }
};
class TacPageChange : public TacFormAnimation {
public:
    fw::String ClassName() const override { return L"TacPageChange"; }
};
class TacDialogShow : public TacFormAnimation {
public:
    fw::String ClassName() const override { return L"TacDialogShow"; }
};
// The animated repaint after a skin change: a short fade by default.
class TacSkinChanging : public TacFormAnimation {
public:
    TacSkinChanging() {
        Time = 100;
        Mode = atFading;
    }
    fw::String ClassName() const override { return L"TacSkinChanging"; }
};

class TacAnimEffects : public fw::TPersistent {
public:
    TacAnimEffects() = default;
    fw::String ClassName() const override { return L"TacAnimEffects"; }
    TacBtnEffects Buttons;
    TacDialogShow DialogShow;
    TacFormShow FormShow;
    TacFormHide FormHide;
    TacFormHide DialogHide;
    TacPageChange PageChange;
    TacSkinChanging SkinChanging;
    TsSkinManager* Manager = nullptr;
};

// Display names and default class lists of the 18 kinds of foreign control
// (a single blank is an empty list).
extern const std::array<const wchar_t*, acThirdPartyTypesCount> acThirdCaptions;
extern const std::array<const wchar_t*, acThirdPartyTypesCount> acThirdNames;

// The published name of each list (ThirdEdits, ThirdButtons...), by kind.
extern const std::array<const wchar_t*, acThirdPartyTypesCount> acThirdPropNames;

// For each kind of foreign control, the class names treated as that kind, as
// the text of a string list (one name a line).
class ThirdPartyList : public fw::TPersistent {
public:
    ThirdPartyList() = default;
    fw::String ClassName() const override { return L"ThirdPartyList"; }
    // An index outside 0..17 reads an empty text and writes nothing.
    fw::String GetString(int Index) const;
    void SetString(int Index, const fw::String& Value);

    // The 18 lists as string properties by their names, and streamed under
    // them (a list that is not empty is written).
    const fw::TPropTable* PublishedProperties() const override;
    void DefineProperties(fw::TFiler* Filer) override;

private:
    template <int I>
    void ReadList(fw::TReader* Reader);
    template <int I>
    void WriteList(fw::TWriter* Writer);
    template <int... I>
    void DefineLists(fw::TFiler* Filer, std::integer_sequence<int, I...>);

    std::array<fw::String, acThirdPartyTypesCount> lists_;
};

}  // namespace skin
