// The form's own scroll bars and the mouse wheel: a form that scrolls its
// children (AutoScroll) gets skinned bars in its frame while it is skinned,
// and a wheel turn no control used goes to the skinned scroll box under the
// mouse.
#include "framework/rtl/Properties.h"
#include "framework/windows/Messages.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sVclUtils.h"
#include "skin/windows/acScrollWnd.h"

namespace skin {

namespace {

// A wheel turn is being handed on: the scroll box's own handling may come
// back here through its parents.
bool InWheel = false;

// The skinned scroll box class and its switch for scrolling by the wheel.
bool IsWheelScrollBox(fw::TControl* C) {
    return C->ClassName() == L"TsScrollBox" && fw::IsPublishedProp(C, L"AutoMouseWheel") &&
           fw::GetOrdProp(C, L"AutoMouseWheel") != 0;
}

}  // namespace

fw::TWinControl* WheelScrollBoxAt(fw::TWinControl* Form, fw::TPoint ScreenPos) {
    if (!Form || !Form->HandleAllocated()) return nullptr;
    fw::TWinControl* parent = Form;
    fw::TPoint p = Form->ScreenToClient(ScreenPos);
    for (;;) {
        auto* win = dynamic_cast<fw::TWinControl*>(parent->ControlAtPos(p, false, true));
        if (!win) return nullptr;
        if (win->ClassName() == L"TsScrollBox") return IsWheelScrollBox(win) ? win : nullptr;
        // A child without a window yet lies at its bounds in its parent.
        p = win->HandleAllocated() ? win->ScreenToClient(ScreenPos) : fw::TPoint(p.X - win->Left(), p.Y - win->Top());
        parent = win;
    }
}

void TsSkinProvider::AC_CMMouseWheel(fw::TMessage& Message) {
    if (InWheel || Message.Result != 0 || !Form) return;
    fw::TWinControl* box = WheelScrollBoxAt(Form, acMousePos());
    if (!box) return;
    // The box scrolls by its own wheel handling; what it leaves goes up its
    // parents to this form again, which then does nothing more.
    InWheel = true;
    Message.Result = box->Perform(fw::CM_MOUSEWHEEL, Message.WParam, Message.LParam);
    InWheel = false;
}

void TsSkinProvider::RefreshFormScrollWrapper() {
    if (ComponentState().Contains(fw::csDestroying) || !Form || !Form->HandleAllocated() || !Form->AutoScroll()) return;
    if (!Skinned()) {
        delete ListSW;
        ListSW = nullptr;
    }
    RefreshScrolls(Form, FCommonData, ListSW);
}

void TsSkinProvider::WMParentNotify(fw::TMessage& Message) {
    PassOn(Message);
    const WORD event = LOWORD(Message.WParam);
    if (event != WM_CREATE && event != WM_DESTROY) return;
    if (ComponentState().Contains(fw::csLoading) || Form->ComponentState().Contains(fw::csLoading)) return;
    fw::TMessage m{SM_ALPHACMD, MAKEWPARAM(0, smcSkinState), 1, 0};
    AlphaBroadCast(Form, m);
    if (FDrawNonClientArea) UpdateScrolls(ListSW, true);
}

}  // namespace skin
