// Grids of other suites (named in the control adapter's grid lists) and the
// framework's TCustomGrid: the edit frame and skinned bars, and the grid's
// own colour properties (found by name) set from the skin and given back
// when the skin goes. A grid without a property is left alone there.
#pragma once

#include "framework/windows/Grids.h"
#include "skin/windows/acEditWnd.h"

namespace skin {

class TacGridWnd : public TacEditWnd {
public:
    // Grids keep their visual styles.
    TacGridWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    ~TacGridWnd() override { ReleaseWindow(); }
    fw::String ClassName() const override { return L"TacGridWnd"; }
    void SaveStdParams() override;
    void RestoreStdParams() override;
    void SetSkinParams() override;
    void acWndProc(fw::TMessage& Message) override;

    // The grid's standard values, saved when the wrapper is made.
    fw::TColor FixedColor = 0;
    fw::TColor FooterColor = 0;
    fw::TColor FooterCellColor = 0;
    fw::TColor TitleFontColor = 0;
    fw::TColor TitleColor = 0;
    fw::TColor IndColor = 0;
    fw::TColor SelectionColor = 0;
    fw::TColor SelectionTextColor = 0;
    fw::TColor GridLineColor = 0;
    fw::TColor GridFixedLineColor = 0;
    fw::TColor FixedGradientFrom = 0;
    fw::TColor FixedGradientTo = 0;
    fw::TColor FixedGradientMirrorFrom = 0;
    fw::TColor FixedGradientMirrorTo = 0;
    fw::TGridDrawingStyle DrawingStyle = fw::gdsClassic;
    // A grid base's gradient and a "ControlLook" gradient are kept apart:
    // a grid may have both.
    fw::TColor LookGradientFrom = 0;
    fw::TColor LookGradientTo = 0;
};

class TacGridEhWnd : public TacGridWnd {
public:
    using TacGridWnd::TacGridWnd;
    fw::String ClassName() const override { return L"TacGridEhWnd"; }
    void acWndProc(fw::TMessage& Message) override { TacGridWnd::acWndProc(Message); }
};

// The wrapper a grid gets; Eh: one of the "GridEh" class list.
TacMainWnd* CreateGridWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager, bool Eh = false,
                          const fw::String& SkinSection = fw::String());

}  // namespace skin
