// Tree views ("SysTreeView32" windows and framework tree views): the edit
// frame and skinned bars, and the background in the section's hot colour
// (the window colour on dialogs), erased by the wrapper itself.
#pragma once

#include "skin/windows/acEditWnd.h"

namespace skin {

class TacTreeViewWnd : public TacEditWnd {
public:
    using TacEditWnd::TacEditWnd;
    ~TacTreeViewWnd() override { ReleaseWindow(); }
    fw::String ClassName() const override { return L"TacTreeViewWnd"; }
    void RestoreStdParams() override;
    // The tree's background colour (and a framework tree's font colour).
    void SetSkinParams() override;
    void acWndProc(fw::TMessage& Message) override;

    // The colour the background is erased with: the window colour on
    // dialogs, else the section's hot colour.
    fw::TColor BackgroundColor() const;
};

// Keeps a skinned tree view's wrapper in step with its skin: made while the
// skin data is skinned (one left Destroyed is replaced), freed when not.
void RefreshTreeScrolls(TsCommonData* SkinData, TacScrollWnd*& ListSW);

// The wrapper a tree view window gets (SkinSection empty: "EDIT").
TacMainWnd* CreateTreeViewWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager,
                              const fw::String& SkinSection = fw::String());

}  // namespace skin
