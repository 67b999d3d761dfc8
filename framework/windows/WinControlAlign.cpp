// TWinControl: laying out aligned and anchored children.
#include <algorithm>

#include "framework/windows/Controls.h"
#include "framework/windows/StateFlag.h"

namespace fw {

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
    if (--alignLevel_ == 0 && controlState_.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
    if (controlState_.Contains(csAligning)) return;
    if (alignLevel_ > 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) {
        controlState_.Include(csAlignmentNeeded);
        return;
    }
    controlState_.Exclude(csAlignmentNeeded);
    DisableAlign();
    try {
        StateFlag aligning(controlState_, csAligning);
        TRect r = ClientRect();
        AlignControls(AControl, r);
    } catch (...) {
        --alignLevel_;
        throw;
    }
    --alignLevel_;
}

void TWinControl::AdjustClientRect(TRect& Rect) { (void)Rect; }

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    (void)AControl;
    // Anchored controls first, against the whole client area.
    const TSize clientSize(Rect.Right, Rect.Bottom);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->align_ == alNone && c->visible_ && c->originalParentSize_ != TSize())
            c->SetBoundsRect(c->AnchoredBounds(clientSize));
    }
    AdjustClientRect(Rect);
    const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign a : order) {
        std::vector<TControl*> list;
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c->align_ == a && c->visible_) list.push_back(c);
        }
        // Within one side, the control nearest that side comes first.
        std::stable_sort(list.begin(), list.end(), [a](TControl* x, TControl* y) {
            switch (a) {
                case alTop:
                    return x->top_ < y->top_;
                case alBottom:
                    return x->top_ + x->height_ > y->top_ + y->height_;
                case alLeft:
                    return x->left_ < y->left_;
                case alRight:
                    return x->left_ + x->width_ > y->left_ + y->width_;
                default:
                    return false;
            }
        });
        for (TControl* c : list) {
            int w = std::max<LONG>(Rect.Width(), 0), h = std::max<LONG>(Rect.Height(), 0);
            switch (a) {
                case alTop:
                    c->SetBounds(Rect.Left, Rect.Top, w, c->height_);
                    Rect.Top += c->height_;
                    break;
                case alBottom:
                    c->SetBounds(Rect.Left, Rect.Bottom - c->height_, w, c->height_);
                    Rect.Bottom -= c->height_;
                    break;
                case alLeft:
                    c->SetBounds(Rect.Left, Rect.Top, c->width_, h);
                    Rect.Left += c->width_;
                    break;
                case alRight:
                    c->SetBounds(Rect.Right - c->width_, Rect.Top, c->width_, h);
                    Rect.Right -= c->width_;
                    break;
                case alClient:
                    c->SetBounds(Rect.Left, Rect.Top, w, h);
                    break;
                default:
                    break;
            }
        }
    }
}

}  // namespace fw
