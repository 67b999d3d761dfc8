// TPopupMenu and the utility window popup menus are tracked with.
#include <algorithm>
#include <vector>

#include "framework/windows/Application.h"
#include "framework/windows/Menus.h"

namespace fw {

namespace {

// The live popup menus and their shared owner window, made with the first
// menu that pops up and freed with the last menu.
class PopupList {
public:
    static PopupList& Get() {
        static PopupList list;
        return list;
    }
    void Add(TPopupMenu* Menu) { menus_.push_back(Menu); }
    void Remove(TPopupMenu* Menu) {
        menus_.erase(std::remove(menus_.begin(), menus_.end(), Menu), menus_.end());
        if (menus_.empty() && window_) {
            DeallocateHWnd(window_);
            window_ = nullptr;
        }
    }
    HWND Window() {
        if (!window_) window_ = AllocateHWnd(TWndMethod(this, &PopupList::WndProc));
        return window_;
    }

private:
    // A copy of the list: a click handler may free menus.
    template <typename F>
    bool AnyMenu(F&& f) {
        std::vector<TPopupMenu*> menus = menus_;
        for (TPopupMenu* m : menus)
            if (std::find(menus_.begin(), menus_.end(), m) != menus_.end() && f(m)) return true;
        return false;
    }

    void WndProc(TMessage& Message) {
        switch (Message.Msg) {
            case WM_COMMAND:
                if (HIWORD(Message.WParam) == 0 && Message.LParam == 0 &&
                    AnyMenu([&](TPopupMenu* m) { return m->DispatchCommand(LOWORD(Message.WParam)); }))
                    return;
                break;
            case WM_MEASUREITEM: {
                auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
                if (AnyMenu([&](TPopupMenu* m) { return m->DispatchMeasureItem(*mis); })) {
                    Message.Result = TRUE;
                    return;
                }
                break;
            }
            case WM_DRAWITEM: {
                auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
                if (AnyMenu([&](TPopupMenu* m) { return m->DispatchDrawItem(*dis); })) {
                    Message.Result = TRUE;
                    return;
                }
                break;
            }
            default:
                break;
        }
        Message.Result = DefWindowProcW(window_, Message.Msg, Message.WParam, Message.LParam);
    }

    std::vector<TPopupMenu*> menus_;
    HWND window_ = nullptr;
};

}  // namespace

HWND PopupListWindow() { return PopupList::Get().Window(); }

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) { PopupList::Get().Add(this); }

TPopupMenu::~TPopupMenu() { PopupList::Get().Remove(this); }

UINT TPopupMenu::TrackFlags() const {
    static const UINT align[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
    UINT flags = align[alignment_] | TPM_RIGHTBUTTON;
    if (menuAnimation_.Contains(maLeftToRight)) flags |= TPM_HORPOSANIMATION;
    if (menuAnimation_.Contains(maRightToLeft)) flags |= TPM_HORNEGANIMATION;
    if (menuAnimation_.Contains(maTopToBottom)) flags |= TPM_VERPOSANIMATION;
    if (menuAnimation_.Contains(maBottomToTop)) flags |= TPM_VERNEGANIMATION;
    if (menuAnimation_.Contains(maNone)) flags |= TPM_NOANIMATION;
    return flags;
}

void TPopupMenu::Popup(int X, int Y) {
    if (OnPopup) OnPopup(this);
    HMENU menu = Handle();
    TrackPopupMenu(menu, TrackFlags(), X, Y, 0, PopupListWindow(), nullptr);
}

}  // namespace fw
