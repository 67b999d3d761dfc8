// Controls that paint on a canvas: graphic controls on their parent's DC,
// custom controls on their own; and the canvas that fetches those DCs.
#include <algorithm>
#include <mutex>
#include <vector>

#include "framework/windows/Controls.h"

namespace fw {

namespace {

// Canvases holding a DC they fetched themselves, released on idle.
std::mutex canvasListLock;
std::vector<TControlCanvas*> canvasList;

}  // namespace

void FreeDeviceContexts() {
    std::vector<TControlCanvas*> list;
    {
        std::lock_guard<std::mutex> guard(canvasListLock);
        list = canvasList;
    }
    for (TControlCanvas* c : list)
        if (c->TryLock()) {
            if (c->LockCount() == 1) c->FreeHandle();
            c->Unlock();
        }
}

// ---- TControlCanvas

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* Value) {
    if (control_ == Value) return;
    FreeHandle();
    control_ = Value;
}

void TControlCanvas::FreeHandle() {
    if (!fetchedDC_) return;
    SetHandle(nullptr);
    ReleaseDC(fetchedFrom_, fetchedDC_);
    fetchedDC_ = nullptr;
    fetchedFrom_ = nullptr;
    std::lock_guard<std::mutex> guard(canvasListLock);
    canvasList.erase(std::remove(canvasList.begin(), canvasList.end(), this), canvasList.end());
}

void TControlCanvas::CreateHandle() {
    if (!control_) {
        TCanvas::CreateHandle();
        return;
    }
    if (!fetchedDC_) {
        if (auto* w = dynamic_cast<TWinControl*>(control_)) {
            fetchedFrom_ = w->Handle();
            fetchedDC_ = GetDCEx(fetchedFrom_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
        } else {
            TWinControl* parent = control_->Parent();
            if (!parent) throw EInvalidOperation(L"Control '" + control_->Name() + L"' has no parent window");
            fetchedFrom_ = parent->Handle();
            fetchedDC_ = GetDCEx(fetchedFrom_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
            // The control's own coordinates, and nothing outside it.
            SetViewportOrgEx(fetchedDC_, control_->Left(), control_->Top(), nullptr);
            IntersectClipRect(fetchedDC_, 0, 0, control_->Width(), control_->Height());
        }
        if (!fetchedDC_) throw EOutOfMemory(L"Out of system resources");
        std::lock_guard<std::mutex> guard(canvasListLock);
        canvasList.push_back(this);
    }
    SetHandle(fetchedDC_);
    UpdateTextFlags();
}

void TControlCanvas::UpdateTextFlags() { SetTextFlags(TextFlags() & ~UINT(ETO_RTLREADING)); }

// ---- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), canvas_(new TControlCanvas) {
    canvas_->SetControl(this);
}

TGraphicControl::~TGraphicControl() {
    // Leave the parent first: removal invalidates through the parent, not this canvas.
    if (parent_) parent_->RemoveControl(this);
    delete canvas_;
}

TCanvas* TGraphicControl::Canvas() { return canvas_; }

void TGraphicControl::WMPaint(TWMPaint& Message) {
    if (!Message.DC || ComponentState().Contains(csDestroying)) return;
    CanvasBinding bind(canvas_, Message.DC);
    Paint();
}

void TGraphicControl::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_PAINT)
        WMPaint(reinterpret_cast<TWMPaint&>(Message));
    else
        TControl::Dispatch(Message);
}

// ---- TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), canvas_(new TControlCanvas) {
    canvas_->SetControl(this);
}

TCustomControl::~TCustomControl() {
    canvas_->FreeHandle();
    canvas_->SetControl(nullptr);
    // The window may still paint while the base destructor tears it down:
    // the canvas stays until then.
    TControlCanvas* c = canvas_;
    canvas_ = nullptr;
    delete c;
}

TCanvas* TCustomControl::Canvas() { return canvas_; }

void TCustomControl::PaintWindow(HDC DC) {
    if (!canvas_) return;
    CanvasBinding bind(canvas_, DC);
    Paint();
}

void TCustomControl::WMPaint(TWMPaint& Message) {
    controlState_.Include(csCustomPaint);
    try {
        TWinControl::WMPaint(Message);
    } catch (...) {
        controlState_.Exclude(csCustomPaint);
        throw;
    }
    controlState_.Exclude(csCustomPaint);
}

void TCustomControl::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_PAINT)
        WMPaint(reinterpret_cast<TWMPaint&>(Message));
    else
        TWinControl::Dispatch(Message);
}

}  // namespace fw
