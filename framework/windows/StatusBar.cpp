// TStatusBar on comctl32's status window: panels become its parts.
#include "framework/rtl/Exception.h"
#include "framework/windows/ComCtrls.h"

namespace fw {

// ---- TStatusPanel

void TStatusPanel::Assign(const TPersistent* Source) {
    if (auto* p = dynamic_cast<const TStatusPanel*>(Source)) {
        text_ = p->text_;
        alignment_ = p->alignment_;
        width_ = p->width_;
        style_ = p->style_;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TStatusPanel::SetText(const String& Value) {
    if (text_ == Value) return;
    text_ = Value;
    Changed();
}

void TStatusPanel::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    Changed();
}

void TStatusPanel::SetWidth(int Value) {
    if (width_ == Value) return;
    width_ = Value;
    Changed();
}

void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    Changed();
}

int TStatusPanel::Index() const { return IndexIn(owner_->Panels()->items_, this); }

void TStatusPanel::Changed() { owner_->UpdatePanels(); }

// ---- TStatusPanels

void TStatusPanels::Assign(const TPersistent* Source) {
    if (auto* p = dynamic_cast<const TStatusPanels*>(Source)) {
        items_.clear();
        for (const auto& item : p->items_) {
            items_.push_back(std::make_unique<TStatusPanel>(owner_));
            items_.back()->text_ = item->text_;
            items_.back()->alignment_ = item->alignment_;
            items_.back()->width_ = item->width_;
            items_.back()->style_ = item->style_;
        }
        owner_->UpdatePanels();
        return;
    }
    TPersistent::Assign(Source);
}

TStatusPanel* TStatusPanels::Items(int Index) const { return ItemAt(items_, Index); }

TStatusPanel* TStatusPanels::Add() {
    items_.push_back(std::make_unique<TStatusPanel>(owner_));
    owner_->UpdatePanels();
    return items_.back().get();
}

void TStatusPanels::Delete(int Index) {
    Items(Index);
    items_.erase(items_.begin() + Index);
    owner_->UpdatePanels();
}

void TStatusPanels::Clear() {
    items_.clear();
    owner_->UpdatePanels();
}

// ---- TStatusBar

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner), panels_(this) {
    controlStyle_ = {csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
    width_ = 150;
    height_ = 19;
    SetColor(clBtnFace);
    SetAlign(alBottom);
}

void TStatusBar::CreateParams(TCreateParams& Params) {
    InitCommonControl(ICC_BAR_CLASSES);
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, STATUSCLASSNAMEW);
    // The framework places the bar (Align); the window must not move itself.
    Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (sizeGrip_) Params.Style |= SBARS_SIZEGRIP;
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TStatusBar::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    UpdatePanels();
}

void TStatusBar::UpdatePanels() {
    if (!HandleAllocated()) return;
    HWND h = WindowHandle();
    bool simple = simplePanel_ || panels_.Count() == 0;
    SendMessageW(h, SB_SIMPLE, simplePanel_, 0);
    if (simplePanel_) {
        SendMessageW(h, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
    } else if (simple) {
        int edge = -1;
        SendMessageW(h, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&edge));
        SendMessageW(h, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(simpleText_.c_str()));
    } else {
        std::vector<int> edges;
        int right = 0;
        for (int i = 0; i < panels_.Count(); ++i) {
            right += panels_[i]->Width();
            edges.push_back(i + 1 == panels_.Count() ? -1 : right);
        }
        SendMessageW(h, SB_SETPARTS, WPARAM(edges.size()), reinterpret_cast<LPARAM>(edges.data()));
        static const wchar_t* prefixes[] = {L"", L"\t\t", L"\t"};
        for (int i = 0; i < panels_.Count(); ++i) {
            TStatusPanel* panel = panels_[i];
            if (panel->Style() == psOwnerDraw) {
                SendMessageW(h, SB_SETTEXTW, WPARAM(i) | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(panel));
                continue;
            }
            String text = prefixes[panel->Alignment()] + panel->Text();
            SendMessageW(h, SB_SETTEXTW, WPARAM(i), reinterpret_cast<LPARAM>(text.c_str()));
        }
    }
}

void TStatusBar::SetSimplePanel(bool Value) {
    if (simplePanel_ == Value) return;
    simplePanel_ = Value;
    UpdatePanels();
}

void TStatusBar::SetSimpleText(const String& Value) {
    if (simpleText_ == Value) return;
    simpleText_ = Value;
    UpdatePanels();
}

void TStatusBar::SetSizeGrip(bool Value) {
    if (sizeGrip_ == Value) return;
    sizeGrip_ = Value;
    RecreateWnd();
}

TCanvas* TStatusBar::Canvas() { return OwnCanvas(canvas_, this); }

void TStatusBar::DrawPanel(TStatusPanel* Panel, const TRect& Rect) {
    if (OnDrawPanel) OnDrawPanel(this, Panel, Rect);
}

void TStatusBar::CNDrawItem(TWMDrawItem& Message) {
    DRAWITEMSTRUCT* dis = Message.DrawItemStruct;
    int index = int(dis->itemID);
    if (index < 0 || index >= panels_.Count()) return;
    CanvasBinding binding(static_cast<TControlCanvas*>(Canvas()), dis->hDC);
    DrawPanel(panels_[index], TRect(dis->rcItem));
    Message.Result = TRUE;
}

void TStatusBar::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CN_DRAWITEM:
            CNDrawItem(reinterpret_cast<TWMDrawItem&>(Message));
            break;
        default:
            TWinControl::Dispatch(Message);
            break;
    }
}

}  // namespace fw
