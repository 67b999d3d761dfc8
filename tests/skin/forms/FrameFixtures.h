// Frames for the form-skinning tests: fixed system sizes (so no table depends
// on the machine's metrics), form states built from the framework's border
// table, and the committed skins loaded into a default manager.
#pragma once

#include <memory>

#include "framework/rtl/Properties.h"
#include "framework/windows/Forms.h"
#include "framework/windows/ScrollingControls.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/sFrameGeometry.h"
#include "skin/forms/sTitleButtons.h"
#include "skins/TestSkins.h"

namespace formstest {

inline skin::TFrameMetrics Metrics() {
    skin::TFrameMetrics m;
    m.CxFrame = 4, m.CxDlgFrame = 3, m.CyCaption = 19, m.CySmCaption = 15, m.CyMenu = 19;
    return m;
}

// A W x H form of the border style and icons, as the provider sees it: the
// window's styles from the framework's table less WS_SYSMENU, which the
// provider takes away and remembers (HaveSysMenu).
inline skin::TFrameState State(fw::TFormBorderStyle bs, fw::TBorderIcons icons, int w = 300, int h = 200) {
    skin::TFrameState s;
    s.BorderStyle = bs;
    s.BorderIcons = icons;
    const fw::TFormFrameStyle f = fw::FormFrameStyle(bs, icons);
    s.HaveSysMenu = (f.Style & WS_SYSMENU) != 0;
    s.Style = f.Style & ~WS_SYSMENU;
    s.Width = w, s.Height = h;
    const skin::TFrameMetrics m = Metrics();
    const int frame = skin::SysBorderWidth(s, m);
    s.ClientWidth = w - 2 * frame;
    s.ClientHeight = h - 2 * frame - skin::CaptionHeight(s, m);
    return s;
}

inline const fw::TBorderIcons kAllIcons{fw::biSystemMenu, fw::biMinimize, fw::biMaximize};

// A manager that is the default one, with a committed skin loaded.
struct LoadedSkin {
    std::unique_ptr<skin::TsSkinManager> sm;
    explicit LoadedSkin(const wchar_t* folder, const wchar_t* name)
        : sm(std::make_unique<skin::TsSkinManager>(nullptr)) {
        sm->AfterConstruction();
        sm->SetSkinDirectory(kvbskins::SkinsPath(folder));
        sm->SetSkinName(name);
        sm->SetActive(true);
    }
    skin::TFrameSkin Frame(const fw::String& title = fw::String()) const { return skin::FrameSkinOf(sm.get(), title); }
};

// Buttons with their images chosen and their places laid out.
inline skin::TTitleButtons Buttons(const skin::TFrameState& s, const skin::TFrameSkin& k) {
    skin::TTitleButtons b;
    skin::UpdateIconsIndexes(b, s, k);
    skin::LayoutTitleButtons(b, s, Metrics(), k);
    return b;
}

// A scroll box under the skinned scroll box's name, with its wheel switch
// published; it takes every turn it gets.
class WheelBox : public fw::TScrollBox {
public:
    using fw::TScrollBox::TScrollBox;
    fw::String ClassName() const override { return Named ? L"TsScrollBox" : L"TScrollBox"; }
    const fw::TPropTable* PublishedProperties() const override {
        static const fw::TPropTable table(
            nullptr, {fw::EnumProperty<WheelBox>(L"AutoMouseWheel", {L"False", L"True"},
                                                 [](const WheelBox& b) { return b.Auto ? 1 : 0; })});
        return &table;
    }
    bool Named = true;
    bool Auto = true;
    int Turns = 0;

protected:
    bool DoMouseWheel(fw::TShiftState, int, fw::TPoint) override {
        ++Turns;
        return true;
    }
};

}  // namespace formstest
