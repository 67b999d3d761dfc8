// A virtual tree control (an outside component known only by its class name
// and its published properties): the edit frame and bars of an edit wrapper,
// its colours set through its properties, and its header drawn from the skin
// through the control's header-draw events. Whatever the control lacks is
// left alone: without the properties it is only framed and given bars.
#pragma once

#include "framework/rtl/Method.h"
#include "framework/rtl/Object.h"
#include "framework/rtl/Properties.h"
#include "skin/windows/acEditWnd.h"

namespace fw {
class TCanvas;
class TCollectionItem;
}  // namespace fw

namespace skin {

enum TDropMarkMode { dmmNone, dmmLeft, dmmRight };

struct THeaderPaintInfo {
    fw::TCanvas* TargetCanvas = nullptr;
    fw::TCollectionItem* Column = nullptr;  // nil: the area beyond the last column
    fw::TRect PaintRectangle;
    fw::TRect TextRectangle;
    bool IsHoverIndex = false;
    bool IsDownIndex = false;
    bool IsEnabled = true;
    bool ShowHeaderGlyph = false;
    bool ShowSortGlyph = false;
    bool ShowRightBorder = false;
    TDropMarkMode DropMark = dmmNone;
    fw::TPoint GlyphPos;
    fw::TPoint SortGlyphPos;
};

enum THeaderPaintElement { hpeBackground, hpeDropMark, hpeHeaderGlyph, hpeSortGlyph, hpeText };
using THeaderPaintElements = fw::Set<THeaderPaintElement>;

using TAdvancedHeaderPaintEvent = fw::Method<void(fw::TPersistent*, THeaderPaintInfo&, const THeaderPaintElements&)>;
using THeaderPaintQueryElementsEvent = fw::Method<void(fw::TPersistent*, THeaderPaintInfo&, THeaderPaintElements&)>;

// The frame widths a window's styles give it, as negative sizes: -1 for
// WS_BORDER, minus the dialog frame for WS_THICKFRAME, minus the edge for
// WS_EX_CLIENTEDGE.
SIZE BorderDimensionsOf(LONG Style, LONG ExStyle);

class TacVirtualTreeViewWnd : public TacEditWnd {
public:
    using TacEditWnd::TacEditWnd;
    ~TacVirtualTreeViewWnd() override { ReleaseWindow(); }
    fw::String ClassName() const override { return L"TacVirtualTreeViewWnd"; }
    void acWndProc(fw::TMessage& Message) override;
    void SaveStdParams() override;
    void RestoreStdParams() override;
    void SetSkinParams() override;
    SIZE GetBorderDimensions();

    void AdvancedHeaderDraw(fw::TPersistent* Sender, THeaderPaintInfo& PaintInfo, const THeaderPaintElements& Elements);
    void HeaderDrawQueryElements(fw::TPersistent* Sender, THeaderPaintInfo& PaintInfo, THeaderPaintElements& Elements);

    fw::TColor CompressedTextColor = 0;
    fw::TColor FileTextColor = 0;
    fw::TColor FolderTextColor = 0;
    bool OwnerDraw = false;
    // The header-draw event last handled ("OnAdvancedHeaderDraw").
    const fw::TPropInfo* PropInfo = nullptr;

private:
    fw::TObject* Tree() const;
    fw::TObject* Header() const;
    void PaintTreeFrame(HDC DC);
    bool saved_ = false;
};

// The wrapper of a virtual tree window (its skin data's owner control is the
// tree, when it has one).
TacMainWnd* CreateVirtualTreeWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager);

}  // namespace skin
