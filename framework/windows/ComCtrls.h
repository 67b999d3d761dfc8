// The common controls: thin framework classes over comctl32's window
// classes (status bar, toolbar, tab control, tree view, list view, up-down,
// progress bar, track bar). Each is superclassed under its framework class
// name; its WM_NOTIFY, WM_COMMAND and scroll messages come back to it from
// the parent as CN_NOTIFY, CN_COMMAND, CN_HSCROLL and CN_VSCROLL.
//
// What a control keeps in its window (tabs, nodes, columns, items, buttons)
// is also kept in the object, so a window made again (RecreateWnd) gets it
// back; values the window changes by itself (Position, TabIndex) are read
// from the window while it exists.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/graphics/ImageList.h"
#include "framework/rtl/Collections.h"
#include "framework/rtl/StringList.h"
#include "framework/windows/Controls.h"
#include "framework/windows/Menus.h"

namespace fw {

// ---- custom draw (NM_CUSTOMDRAW handed to events with a canvas on its DC)

enum TCustomDrawTarget { dtControl, dtItem, dtSubItem };
enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
enum TCustomDrawStateItem {
    cdsSelected,
    cdsGrayed,
    cdsDisabled,
    cdsChecked,
    cdsFocused,
    cdsDefault,
    cdsHot,
    cdsMarked,
    cdsIndeterminate,
};
using TCustomDrawState = Set<TCustomDrawStateItem>;
// The item state bits of NMCUSTOMDRAW as a TCustomDrawState.
TCustomDrawState CustomDrawState(UINT ItemState);
// The control-wide stages of a custom draw: Fire runs the control's event
// (pre- or post-paint) with Canvas bound to the paint DC and answers its
// DefaultDraw. The answer asks for the post-paint stage, and for the items'
// stages when Items is set; a DefaultDraw of false skips the native paint.
LRESULT ControlCustomDraw(const NMCUSTOMDRAW& Draw, TControlCanvas* Canvas,
                          const std::function<bool(TCustomDrawStage)>& Fire, bool Items);

// Registers comctl32's window classes of the ICC_* Classes once.
void InitCommonControl(DWORD Classes);

// A non-client frame drawn by the framework (a toolbar's edges): an edge
// (BDR_* on the BF_* Sides, none when Edge is 0) outside a band in the
// control's brush colour that reaches the client area.
void PaintNonClientFrame(TWinControl* Control, UINT Edge, UINT Sides);
[[noreturn]] void ListIndexError(int Index);

// What the controls' own lists (panels, buttons, pages, nodes, columns,
// items) share: lookups by index and position, whether the list owns its
// elements (unique_ptr) or not.
namespace detail {
template <typename T>
T* Ptr(T* p) {
    return p;
}
template <typename T>
T* Ptr(const std::unique_ptr<T>& p) {
    return p.get();
}
}  // namespace detail

// Item at Index, or EListError "List index out of bounds".
template <typename List>
auto ItemAt(const List& Items, int Index) {
    if (Index < 0 || Index >= int(Items.size())) ListIndexError(Index);
    return detail::Ptr(Items[size_t(Index)]);
}
// Position of Item, -1 when absent.
template <typename List, typename T>
int IndexIn(const List& Items, const T* Item) {
    for (size_t i = 0; i < Items.size(); ++i)
        if (detail::Ptr(Items[i]) == Item) return int(i);
    return -1;
}
// A control's own canvas, made on first use.
TCanvas* OwnCanvas(std::unique_ptr<TControlCanvas>& Canvas, TControl* Control);
// Points Field at Value with a free notification to Self.
template <typename T>
void SetReference(TComponent* Self, T*& Field, T* Value) {
    if (Field) Self->RemoveFreeNotification(Field);
    Field = Value;
    if (Value) Self->FreeNotification(Value);
}
template <typename T>
bool IsReference(TComponent* AComponent, T* Field) {
    return Field && AComponent == static_cast<TComponent*>(Field);
}

// ---- status bar

class TStatusBar;
enum TStatusPanelStyle { psText, psOwnerDraw };

class TStatusPanel : public TPersistent {
public:
    explicit TStatusPanel(TStatusBar* Owner) : owner_(Owner) {}
    String ClassName() const override { return L"TStatusPanel"; }
    void Assign(const TPersistent* Source) override;

    const String& Text() const { return text_; }
    void SetText(const String& Value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    int Width() const { return width_; }
    void SetWidth(int Value);
    // psOwnerDraw: the bar's DrawPanel paints it (SBT_OWNERDRAW).
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle Value);
    int Index() const;

private:
    friend class TStatusPanels;
    TStatusPanelStyle style_ = psText;
    void Changed();
    TStatusBar* owner_;
    String text_;
    TAlignment alignment_ = taLeftJustify;
    int width_ = 50;
};

// The bar's panels, owned; any change updates the bar's parts.
class TStatusPanels : public TPersistent {
public:
    explicit TStatusPanels(TStatusBar* Owner) : owner_(Owner) {}
    String ClassName() const override { return L"TStatusPanels"; }
    void Assign(const TPersistent* Source) override;

    int Count() const { return int(items_.size()); }
    TStatusPanel* Items(int Index) const;
    TStatusPanel* operator[](int Index) const { return Items(Index); }
    TStatusPanel* Add();
    void Delete(int Index);
    void Clear();

private:
    friend class TStatusPanel;
    TStatusBar* owner_;
    std::vector<std::unique_ptr<TStatusPanel>> items_;
};

using TDrawPanelEvent = Method<void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

// A msctls_statusbar32 window: one part a panel (the last one reaching the
// right edge), or one part with SimpleText when SimplePanel is set or there
// are no panels. Centred and right-aligned panel texts are sent with one or
// two leading tabs, as the window wants them.
class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* AOwner);
    String ClassName() const override { return L"TStatusBar"; }

    TStatusPanels* Panels() { return &panels_; }
    void SetPanels(const TStatusPanels* Value) { panels_.Assign(Value); }
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool Value);
    const String& SimpleText() const { return simpleText_; }
    void SetSimpleText(const String& Value);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool Value);
    // Bound to the paint DC while an owner-drawn panel is drawn.
    TCanvas* Canvas();

    TDrawPanelEvent OnDrawPanel;

    void Dispatch(TMessage& Message) override;

protected:
    friend class TStatusPanel;
    friend class TStatusPanels;
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    // Sends the parts and their texts to the window.
    void UpdatePanels();
    // An owner-drawn panel: OnDrawPanel, with Canvas on the window's DC.
    virtual void DrawPanel(TStatusPanel* Panel, const TRect& Rect);
    void CNDrawItem(TWMDrawItem& Message);

private:
    std::unique_ptr<TControlCanvas> canvas_;
    TStatusPanels panels_;
    bool simplePanel_ = false;
    String simpleText_;
    bool sizeGrip_ = true;
};

// ---- toolbar

class TToolBar;
enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
using TImageIndex = int;

// A button of a toolbar: a graphic child whose bounds follow the native
// button's rectangle. The native toolbar handles the mouse; the button
// runs Click on the toolbar's WM_COMMAND.
class TToolButton : public TGraphicControl {
public:
    explicit TToolButton(TComponent* AOwner);
    ~TToolButton() override;
    String ClassName() const override { return L"TToolButton"; }

    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle Value);
    bool Down() const { return down_; }
    void SetDown(bool Value);
    bool Marked() const { return marked_; }
    void SetMarked(bool Value);
    bool Indeterminate() const { return indeterminate_; }
    void SetIndeterminate(bool Value);
    TImageIndex ImageIndex() const { return imageIndex_; }
    void SetImageIndex(TImageIndex Value);
    TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* Value);
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool Value);
    TToolBar* ToolBar() const { return toolBar_; }
    // The button's index on its toolbar, -1 when it has none.
    int Index() const;

    void SetParent(TWinControl* AParent) override;
    void SetEnabled(bool Value) override;
    void Dispatch(TMessage& Message) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TToolBar;
    void Refresh();
    TToolButtonStyle style_ = tbsButton;
    bool down_ = false;
    bool marked_ = false;
    bool indeterminate_ = false;
    bool grouped_ = false;
    TImageIndex imageIndex_ = -1;
    TPopupMenu* dropdownMenu_ = nullptr;
    TToolBar* toolBar_ = nullptr;
    int command_ = 0;
};

enum TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
using TEdgeBorders = Set<TEdgeBorder>;
enum TEdgeStyle { esNone, esRaised, esLowered };
enum TTBCustomDrawFlag { tbNoEdges, tbHiliteHotTrack, tbNoOffset, tbNoMark, tbNoEtchedEffect };
using TTBCustomDrawFlags = Set<TTBCustomDrawFlag>;

using TTBAdvancedCustomDrawEvent =
    Method<void(TToolBar* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TTBAdvancedCustomDrawBtnEvent =
    Method<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, TCustomDrawStage Stage,
                TTBCustomDrawFlags& Flags, bool& DefaultDraw)>;

// A ToolbarWindow32 window holding its TToolButton children in order. The
// edges (EdgeBorders, EdgeInner, EdgeOuter) are drawn in the non-client
// area, outside the BorderWidth band. Custom draw reaches OnAdvancedCustomDraw (the bar) and
// OnAdvancedCustomDrawButton (each button) with Canvas on the paint DC.
class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* AOwner);
    ~TToolBar() override;
    String ClassName() const override { return L"TToolBar"; }

    int ButtonCount() const { return int(buttons_.size()); }
    TToolButton* Buttons(int Index) const;
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int Value);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int Value);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* Value);
    // The pictures of a button under the mouse (TB_SETHOTIMAGELIST); Images without it.
    TCustomImageList* HotImages() const { return hotImages_; }
    void SetHotImages(TCustomImageList* Value);
    // Captions right of the images (TBSTYLE_LIST).
    bool List() const { return list_; }
    void SetList(bool Value);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool Value);
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    TEdgeBorders EdgeBorders() const { return edgeBorders_; }
    void SetEdgeBorders(TEdgeBorders Value);
    TEdgeStyle EdgeInner() const { return edgeInner_; }
    void SetEdgeInner(TEdgeStyle Value);
    TEdgeStyle EdgeOuter() const { return edgeOuter_; }
    void SetEdgeOuter(TEdgeStyle Value);
    TCanvas* Canvas();

    TTBAdvancedCustomDrawEvent OnAdvancedCustomDraw;
    TTBAdvancedCustomDrawBtnEvent OnAdvancedCustomDrawButton;

    void Dispatch(TMessage& Message) override;

protected:
    friend class TToolButton;
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // A drop-down button's arrow was pressed.
    virtual void ButtonDropDown(TToolButton* Button);
    void InsertButton(TToolButton* Button);
    void RemoveButton(TToolButton* Button);
    void UpdateButton(TToolButton* Button);
    // Reads every button's rectangle back into its bounds.
    void UpdateButtonBounds();
    void CNNotify(TWMNotify& Message);
    void CNCommand(TWMCommand& Message);
    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);

private:
    void SendButton(TToolButton* Button, int At);
    void FrameChanged();
    LRESULT CustomDraw(NMTBCUSTOMDRAW* Draw);
    TToolButton* ButtonByCommand(int Command) const;

    std::vector<TToolButton*> buttons_;
    int buttonHeight_ = 22;
    int buttonWidth_ = 23;
    TCustomImageList* images_ = nullptr;
    TCustomImageList* hotImages_ = nullptr;
    bool list_ = false;
    bool showCaptions_ = false;
    bool flat_ = false;
    TEdgeBorders edgeBorders_ = {ebTop};
    TEdgeStyle edgeInner_ = esRaised;
    TEdgeStyle edgeOuter_ = esLowered;
    int nextCommand_ = 1;
    std::unique_ptr<TControlCanvas> canvas_;
};

// ---- tabs and pages

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
using TTabChangingEvent = Method<void(TObject* Sender, bool& AllowChange)>;

// A SysTabControl32 window. TCN_SELCHANGING asks CanChange (OnChanging),
// TCN_SELCHANGE runs Change (OnChange).
class TCustomTabControl : public TWinControl {
public:
    explicit TCustomTabControl(TComponent* AOwner);
    String ClassName() const override { return L"TCustomTabControl"; }

    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition Value);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool Value);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* Value);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    // The page area: the client rectangle without the tabs.
    void AdjustClientRect(TRect& Rect) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual bool CanChange();
    virtual void Change();
    // The captions of the tabs, in order.
    virtual std::vector<String> TabCaptions() const = 0;
    virtual int InitialTabIndex() const = 0;
    // The window's tabs are made again from TabCaptions.
    void RebuildTabs();
    void CNNotify(TWMNotify& Message);

private:
    TTabPosition tabPosition_ = tpTop;
    bool multiLine_ = false;
    TCustomImageList* images_ = nullptr;
};

// Tabs without pages: Tabs are the captions, TabIndex the selected one.
class TTabControl : public TCustomTabControl {
public:
    explicit TTabControl(TComponent* AOwner);
    String ClassName() const override { return L"TTabControl"; }

    TStrings* Tabs() { return &tabs_; }
    void SetTabs(const TStrings* Value) { tabs_.Assign(Value); }
    int TabIndex() const;
    void SetTabIndex(int Value);

protected:
    std::vector<String> TabCaptions() const override;
    int InitialTabIndex() const override { return tabIndex_; }

private:
    void TabsChanged(TObject* Sender);
    TStringList tabs_;
    int tabIndex_ = -1;
};

class TPageControl;

// A page of a page control: shown when active, filling the page area.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    String ClassName() const override { return L"TTabSheet"; }

    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* Value);
    int PageIndex() const;

    void SetParent(TWinControl* AParent) override;
    void Dispatch(TMessage& Message) override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
};

class TPageControl : public TCustomTabControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    String ClassName() const override { return L"TPageControl"; }

    int PageCount() const { return int(pages_.size()); }
    TTabSheet* Pages(int Index) const;
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* Page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int Value);

protected:
    friend class TTabSheet;
    void Change() override;
    std::vector<String> TabCaptions() const override;
    int InitialTabIndex() const override { return ActivePageIndex(); }
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void PageCaptionChanged(TTabSheet* Page);

private:
    void ShowPage(TTabSheet* Page);
    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
};

// ---- tree view

class TCustomTreeView;
class TTreeNodes;

class TTreeNode : public TPersistent {
public:
    String ClassName() const override { return L"TTreeNode"; }
    const String& Text() const { return text_; }
    void SetText(const String& Value);
    TTreeNode* Parent() const { return parent_; }
    TTreeNodes* Owner() const { return owner_; }
    // The window's item while the tree has a window.
    HTREEITEM ItemId() const { return itemId_; }

private:
    friend class TTreeNodes;
    TTreeNode(TTreeNodes* Owner, TTreeNode* Parent, const String& Text) : owner_(Owner), parent_(Parent), text_(Text) {}
    TTreeNodes* owner_;
    TTreeNode* parent_;
    String text_;
    HTREEITEM itemId_ = nullptr;
};

// The nodes of a tree, owned, kept in the order they were added.
class TTreeNodes : public TPersistent {
public:
    explicit TTreeNodes(TCustomTreeView* Owner) : owner_(Owner) {}
    String ClassName() const override { return L"TTreeNodes"; }

    int Count() const { return int(nodes_.size()); }
    TTreeNode* Item(int Index) const;
    TTreeNode* GetFirstNode() const { return nodes_.empty() ? nullptr : nodes_.front().get(); }
    // A node added as the last child of Parent (nullptr: a root).
    TTreeNode* AddChild(TTreeNode* Parent, const String& S);
    // A node added after the last sibling of Sibling.
    TTreeNode* Add(TTreeNode* Sibling, const String& S) { return AddChild(Sibling ? Sibling->Parent() : nullptr, S); }
    void Clear();

private:
    friend class TCustomTreeView;
    friend class TTreeNode;
    void Send(TTreeNode* Node);
    TCustomTreeView* owner_;
    std::vector<std::unique_ptr<TTreeNode>> nodes_;
};

using TTVAdvancedCustomDrawEvent =
    Method<void(TCustomTreeView* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;

class TCustomTreeView : public TWinControl {
public:
    explicit TCustomTreeView(TComponent* AOwner);
    String ClassName() const override { return L"TCustomTreeView"; }

    TTreeNodes* Items() { return &items_; }
    TCanvas* Canvas();

    // The whole tree's custom draw, with Canvas on the paint DC.
    TTVAdvancedCustomDrawEvent OnAdvancedCustomDraw;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void CNNotify(TWMNotify& Message);

private:
    TTreeNodes items_;
    std::unique_ptr<TControlCanvas> canvas_;
};

class TTreeView : public TCustomTreeView {
public:
    explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
    String ClassName() const override { return L"TTreeView"; }
};

// ---- list view

class TCustomListView;
enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListColumn : public TPersistent {
public:
    String ClassName() const override { return L"TListColumn"; }
    const String& Caption() const { return caption_; }
    void SetCaption(const String& Value);
    int Width() const;
    void SetWidth(int Value);
    int Index() const;

private:
    friend class TListColumns;
    friend class TCustomListView;
    explicit TListColumn(TCustomListView* Owner) : owner_(Owner) {}
    TCustomListView* owner_;
    String caption_;
    int width_ = 50;
};

class TListColumns : public TPersistent {
public:
    explicit TListColumns(TCustomListView* Owner) : owner_(Owner) {}
    String ClassName() const override { return L"TListColumns"; }
    int Count() const { return int(items_.size()); }
    TListColumn* Items(int Index) const;
    TListColumn* operator[](int Index) const { return Items(Index); }
    TListColumn* Add();
    void Clear();

private:
    friend class TListColumn;
    friend class TCustomListView;
    TCustomListView* owner_;
    std::vector<std::unique_ptr<TListColumn>> items_;
};

class TListItem : public TPersistent {
public:
    String ClassName() const override { return L"TListItem"; }
    const String& Caption() const { return caption_; }
    void SetCaption(const String& Value);
    int Index() const;

private:
    friend class TListItems;
    friend class TCustomListView;
    explicit TListItem(TCustomListView* Owner) : owner_(Owner) {}
    TCustomListView* owner_;
    String caption_;
};

class TListItems : public TPersistent {
public:
    explicit TListItems(TCustomListView* Owner) : owner_(Owner) {}
    String ClassName() const override { return L"TListItems"; }
    int Count() const { return int(items_.size()); }
    TListItem* Item(int Index) const;
    TListItem* operator[](int Index) const { return Item(Index); }
    TListItem* Add();
    void Clear();

private:
    friend class TListItem;
    friend class TCustomListView;
    TCustomListView* owner_;
    std::vector<std::unique_ptr<TListItem>> items_;
};

// A SysListView32 window; ViewStyle switches the window's view in place.
class TCustomListView : public TWinControl {
public:
    explicit TCustomListView(TComponent* AOwner);
    String ClassName() const override { return L"TCustomListView"; }

    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle Value);
    TListColumns* Columns() { return &columns_; }
    TListItems* Items() { return &items_; }
    TCustomImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TCustomImageList* Value);

protected:
    friend class TListColumns;
    friend class TListColumn;
    friend class TListItems;
    friend class TListItem;
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void SendColumn(int Index, bool Insert);
    void SendItem(int Index, bool Insert);

private:
    TViewStyle viewStyle_ = vsIcon;
    TListColumns columns_;
    TListItems items_;
    TCustomImageList* smallImages_ = nullptr;
};

class TListView : public TCustomListView {
public:
    explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
    String ClassName() const override { return L"TListView"; }
};

// ---- up-down, progress bar, track bar

enum TUDAlignButton { udLeft, udRight };
enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };
enum TUpDownDirection { updNone, updUp, updDown };
using TUDChangingEvent = Method<void(TObject* Sender, bool& AllowChange)>;
using TUDChangingEventEx = Method<void(TObject* Sender, bool& AllowChange, int NewValue, TUpDownDirection Direction)>;
using TUDClickEvent = Method<void(TObject* Sender, TUDBtnType Button)>;

// A msctls_updown32 window. Position is read from the window while it
// exists (the arrows change it); Associate is its buddy window.
class TCustomUpDown : public TWinControl {
public:
    explicit TCustomUpDown(TComponent* AOwner);
    String ClassName() const override { return L"TCustomUpDown"; }

    int Min() const { return min_; }
    void SetMin(int Value);
    int Max() const { return max_; }
    void SetMax(int Value);
    int Position() const;
    void SetPosition(int Value);
    int Increment() const { return increment_; }
    void SetIncrement(int Value);
    TWinControl* Associate() const { return associate_; }
    void SetAssociate(TWinControl* Value);
    TUDAlignButton AlignButton() const { return alignButton_; }
    void SetAlignButton(TUDAlignButton Value);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation Value);
    bool ArrowKeys() const { return arrowKeys_; }
    void SetArrowKeys(bool Value);
    bool Thousands() const { return thousands_; }
    void SetThousands(bool Value);
    bool Wrap() const { return wrap_; }
    void SetWrap(bool Value);

    // A click on an arrow asks OnChanging, then OnChangingEx with the new
    // position; either may refuse the move.
    TUDChangingEvent OnChanging;
    TUDChangingEventEx OnChangingEx;
    TUDClickEvent OnClick;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual bool CanChange();
    virtual bool DoCanChange(int NewValue, int Delta);
    virtual void Click(TUDBtnType Button);
    void CNNotify(TWMNotify& Message);
    void CNScroll(TWMScroll& Message);

private:
    void SetStyleFlag(bool& Field, bool Value);
    int min_ = 0;
    int max_ = 100;
    mutable int position_ = 0;
    int increment_ = 1;
    TWinControl* associate_ = nullptr;
    TUDAlignButton alignButton_ = udRight;
    TUDOrientation orientation_ = udVertical;
    bool arrowKeys_ = true;
    bool thousands_ = true;
    bool wrap_ = false;
};

class TUpDown : public TCustomUpDown {
public:
    explicit TUpDown(TComponent* AOwner) : TCustomUpDown(AOwner) {}
    String ClassName() const override { return L"TUpDown"; }
};

enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* AOwner);
    String ClassName() const override { return L"TProgressBar"; }

    int Min() const { return min_; }
    void SetMin(int Value);
    int Max() const { return max_; }
    void SetMax(int Value);
    int Position() const;
    void SetPosition(int Value);
    int Step() const { return step_; }
    void SetStep(int Value);
    // Position moves by Step, wrapping to Min past Max as the window does.
    void StepIt();
    TProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TProgressBarOrientation Value);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;

private:
    int min_ = 0;
    int max_ = 100;
    mutable int position_ = 0;
    int step_ = 10;
    TProgressBarOrientation orientation_ = pbHorizontal;
    bool smooth_ = false;
};

enum TTrackBarOrientation { trHorizontal, trVertical };

// A msctls_trackbar32 window; moving the thumb runs Changed (OnChange).
class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* AOwner);
    String ClassName() const override { return L"TTrackBar"; }

    int Min() const { return min_; }
    void SetMin(int Value);
    int Max() const { return max_; }
    void SetMax(int Value);
    int Position() const;
    void SetPosition(int Value);
    int Frequency() const { return frequency_; }
    void SetFrequency(int Value);
    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation Value);

    TNotifyEvent OnChange;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void Changed() override;

private:
    void SendRange();
    int min_ = 0;
    int max_ = 10;
    mutable int position_ = 0;
    int frequency_ = 1;
    TTrackBarOrientation orientation_ = trHorizontal;
};

// ---- cool bar and extended combo box (held for what code asks of their class)

// A ReBarWindow32 window, a container aligned to the top of its parent.
// Its bands are not built here: nothing in the system puts any in it.
class TCoolBar : public TWinControl {
public:
    explicit TCoolBar(TComponent* AOwner);
    String ClassName() const override { return L"TCoolBar"; }

protected:
    void CreateParams(TCreateParams& Params) override;
};

// ---- extended combo box

class TComboBoxEx;

// One item of an extended combo box: its text, its pictures (normal,
// selected and overlay, -1 for none), its indent in steps of 10 pixels and
// a pointer of the program's. A change reaches the window at once.
class TComboExItem : public TCollectionItem {
public:
    explicit TComboExItem(TCollection* Collection) : TCollectionItem(Collection) {}
    String ClassName() const override { return L"TComboExItem"; }

    const String& Caption() const { return caption_; }
    void SetCaption(const String& Value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    int SelectedImageIndex() const { return selectedImageIndex_; }
    void SetSelectedImageIndex(int Value);
    int OverlayImageIndex() const { return overlayImageIndex_; }
    void SetOverlayImageIndex(int Value);
    int Indent() const { return indent_; }
    void SetIndent(int Value);
    void* Data() const { return data_; }
    void SetData(void* Value) { data_ = Value; }

protected:
    String GetDisplayName() const override { return caption_; }

private:
    template <typename T>
    void Set(T& Field, const T& Value) {
        if (Field == Value) return;
        Field = Value;
        Changed(false);
    }

    String caption_;
    int imageIndex_ = -1;
    int selectedImageIndex_ = -1;
    int overlayImageIndex_ = -1;
    int indent_ = 0;
    void* data_ = nullptr;
};

// The items of a TComboBoxEx. BeginUpdate/EndUpdate hold the window's
// refresh until the last EndUpdate.
class TComboExItems : public TOwnedCollection {
public:
    explicit TComboExItems(TComboBoxEx* AOwner);
    String ClassName() const override { return L"TComboExItems"; }

    TComboExItem* Add() { return static_cast<TComboExItem*>(TCollection::Add()); }
    TComboExItem* AddItem(const String& Caption, int ImageIndex = -1, int SelectedImageIndex = -1,
                          int OverlayImageIndex = -1, int Indent = 0, void* Data = nullptr);
    TComboExItem* ComboItems(int Index) const { return static_cast<TComboExItem*>(Items(Index)); }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TComboBoxEx* combo_;
};

// A ComboBoxEx32 window (a drop-down combo box with images). ItemsEx holds
// the items (and gives them to a window made again); Items is the same list
// as lines of text, each added line an item without pictures.
class TComboBoxEx : public TWinControl {
public:
    explicit TComboBoxEx(TComponent* AOwner);
    ~TComboBoxEx() override;
    String ClassName() const override { return L"TComboBoxEx"; }

    TComboExItems* ItemsEx() { return itemsEx_.get(); }
    TStrings* Items() { return items_.get(); }
    // The selected item (CB_GETCURSEL while the window exists), -1 for none.
    int ItemIndex();
    void SetItemIndex(int Value);
    // Not owned; cleared when the list is freed.
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* Value);
    bool DroppedDown();
    void SetDroppedDown(bool Value);

    // The window's items made again from ItemsEx (Item nullptr: all of them).
    void UpdateItems(TComboExItem* Item);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void SendItem(UINT Msg, TComboExItem* Item);

    std::unique_ptr<TComboExItems> itemsEx_;
    std::unique_ptr<TStrings> items_;
    TCustomImageList* images_ = nullptr;
    int itemIndex_ = -1;  // while there is no window
};

}  // namespace fw
