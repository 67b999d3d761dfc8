#include "skin/forms/sTitleItems.h"

#include <algorithm>

#include "framework/windows/Application.h"
#include "skin/forms/acSBAnimation.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

// ---- TacAddedTitle

TacAddedTitle::TacAddedTitle() { FFont.SetColor(fw::clNone); }

void TacAddedTitle::SetText(const fw::String& Value) {
    FText = Value;
    Repaint();
}

void TacAddedTitle::SetFont(const fw::TFont* Value) {
    FFont.Assign(Value);
    Repaint();
}

void TacAddedTitle::Repaint() {
    if (FOwner && !FOwner->ComponentState().Contains(fw::csLoading)) UpdateSkinCaption(FOwner);
}

// ---- TsTitleButton

TsTitleButton::TsTitleButton(fw::TCollection* Collection) : fw::TCollectionItem(Collection) {}

TsTitleButton::~TsTitleButton() {
    FreeSBAnimation(BtnData);
    HideHint();
}

void TsTitleButton::AssignTo(fw::TPersistent* Dest) const {
    auto* b = dynamic_cast<TsTitleButton*>(Dest);
    if (!b) {
        fw::TCollectionItem::AssignTo(Dest);
        return;
    }
    // Visible stays the target's own.
    b->FEnabled = FEnabled;
    b->FGlyph.Assign(&FGlyph);
    b->FHint = FHint;
    b->FName = FName;
    b->FUseSkinData = FUseSkinData;
    b->OnMouseUp = OnMouseUp;
    b->OnMouseDown = OnMouseDown;
}

void TsTitleButton::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    if (auto* c = dynamic_cast<TsTitleButtons*>(Collection()))
        if (c->FOwner) {
            c->FOwner->SkinData()->BGChanged = true;
            UpdateSkinCaption(c->FOwner);
        }
}

void TsTitleButton::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    if (auto* c = dynamic_cast<TsTitleButtons*>(Collection()))
        if (c->FOwner) {
            // The hit test and the painting read the owner's views of the buttons.
            c->FOwner->UserButtonsChanged();
            UpdateSkinCaption(c->FOwner);
        }
}

void TsTitleButton::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) {
    if (OnMouseDown.Assigned()) OnMouseDown(this, Button, Shift, X, Y);
}

void TsTitleButton::MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) {
    if (OnMouseUp.Assigned()) OnMouseUp(this, Button, Shift, X, Y);
}

void TsTitleButton::ShowHint(fw::TPoint Cursor, HWND Owner) {
    HideHint();
    if (FHint.empty()) return;
    HintWnd = new fw::THintWindow(fw::Application.get());
    fw::TRect r = HintWnd->CalcHintRect(800, FHint);
    fw::OffsetRect(r, Cursor.X + 8, Cursor.Y + 16);
    MONITORINFO mi{sizeof(mi)};
    if (GetMonitorInfoW(MonitorFromWindow(Owner, MONITOR_DEFAULTTONEAREST), &mi)) {
        const RECT& wa = mi.rcWork;
        if (r.Right > wa.right) fw::OffsetRect(r, wa.right - r.Right, 0);
        if (r.Bottom + 4 > wa.bottom) fw::OffsetRect(r, 0, wa.bottom - r.Bottom - 4);
    }
    // ActivateHint adds the 4 pixels under the text, keeps it topmost and
    // fades a short one in as the system fades tooltips.
    HintWnd->ActivateHint(r, FHint);
    HintWnd->Repaint();
}

void TsTitleButton::HideHint() {
    delete HintWnd;
    HintWnd = nullptr;
}

// ---- TsTitleButtons

TsTitleButtons::TsTitleButtons(TsSkinProvider* AOwner)
    : fw::TCollection(&fw::NewCollectionItem<TsTitleButton>), FOwner(AOwner) {}

fw::TPersistent* TsTitleButtons::GetOwner() const { return FOwner; }

void TsTitleButtons::Update(fw::TCollectionItem* Item) {
    (void)Item;
    if (FOwner) FOwner->UserButtonsChanged();
}

void TsTitleButtons::Notify(fw::TCollectionItem* Item, fw::TCollectionNotification Action) {
    if (FOwner && Action != fw::cnAdded) FOwner->UserButtonsChanged(Item);
}

std::vector<TUserTitleButton> TsTitleButtons::Views(const fw::TCollectionItem* Gone) {
    std::vector<TUserTitleButton> v;
    for (int i = 0; i < Count(); ++i) {
        TsTitleButton* b = Items(i);
        if (b == Gone) continue;
        v.push_back({&b->BtnData, b->Visible(), b->Enabled(), b->UseSkinData(), b->Glyph()});
    }
    return v;
}

}  // namespace skin
