// Controls whose content can be larger than their client area: the scroll
// bars of the window itself move the children.
//
// Range is the content's extent in pixels along a bar; a bar shows when its
// Range exceeds the client extent (and it is Visible), and Position runs from
// 0 to Range minus the client extent. Changing Position moves every child by
// the difference (aligned children are laid out over the whole range, moved
// by the position). With AutoScroll the ranges follow the children: the right
// and bottom edges of the visible children that are neither aligned to the
// other side nor anchored only there, plus the widths of the children
// aligned right (heights of those aligned bottom). Setting a Range by hand
// turns AutoScroll off.
//
// Forms derive from TScrollingWinControl too, with AutoScroll off: a form
// shows no scroll bars unless it is asked to (and the skinning layer then
// has no form scroll bars to paint). A TScrollBox has AutoScroll on.
#pragma once

#include <windows.h>

#include "framework/windows/Controls.h"

namespace fw {

class TScrollingWinControl;

class TControlScrollBar : public TPersistent {
public:
    TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind) : control_(AControl), kind_(AKind) {}
    String ClassName() const override { return L"TControlScrollBar"; }
    void Assign(const TPersistent* Source) override;

    TScrollBarKind Kind() const { return kind_; }
    int Position() const { return position_; }
    // Clamped to 0..Range - client extent; moves the children.
    void SetPosition(int Value);
    int Range() const { return range_; }
    void SetRange(int Value);
    // Pixels a line step (the arrows) moves; a page is the client extent.
    int Increment() const { return increment_; }
    void SetIncrement(int Value) { increment_ = Value > 0 ? Value : 1; }
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    // Moves the content while the thumb is dragged, not only when it is let go.
    bool Tracking() const { return tracking_; }
    void SetTracking(bool Value) { tracking_ = Value; }
    // Whether the window shows this bar now.
    bool IsScrollBarVisible() const { return shown_; }
    // The largest Position: Range minus the client extent, at least 0.
    int ScrollRange() const;

private:
    friend class TScrollingWinControl;
    // Handles this bar's WM_HSCROLL/WM_VSCROLL.
    void ScrollMessage(const TWMScroll& Message);
    int ClientExtent() const;
    int Bar() const { return kind_ == sbHorizontal ? SB_HORZ : SB_VERT; }
    // Puts range, page and position on the window's bar.
    void Apply();

    TScrollingWinControl* control_;
    TScrollBarKind kind_;
    int position_ = 0;
    int range_ = 0;
    int increment_ = 8;
    bool visible_ = true;
    bool tracking_ = false;
    bool shown_ = false;
};

class TScrollingWinControl : public TWinControl {
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    String ClassName() const override { return L"TScrollingWinControl"; }

    TControlScrollBar* HorzScrollBar() { return &horz_; }
    TControlScrollBar* VertScrollBar() { return &vert_; }
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool Value);
    // Scrolls so that Control (a child) is wholly in view where it can be.
    void ScrollInView(TControl* AControl);
    // Moves every child by (DeltaX, DeltaY) and repaints.
    void ScrollBy(int DeltaX, int DeltaY);
    // Recomputes ranges (AutoScroll) and shows, hides and sets the bars.
    void UpdateScrollBars();

    void WndProc(TMessage& Message) override;

protected:
    void CreateWnd() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    // Aligned children are laid out over the whole range, moved by the position.
    void AdjustClientRect(TRect& Rect) override;

    bool autoScroll_ = true;

private:
    friend class TControlScrollBar;
    void CalcAutoRange();

    TControlScrollBar horz_{this, sbHorizontal};
    TControlScrollBar vert_{this, sbVertical};
    bool updatingBars_ = false;
};

// A bordered container that scrolls its children.
class TScrollBox : public TScrollingWinControl {
public:
    explicit TScrollBox(TComponent* AOwner);
    String ClassName() const override { return L"TScrollBox"; }

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    TBorderStyle borderStyle_ = bsSingle;
};

}  // namespace fw
