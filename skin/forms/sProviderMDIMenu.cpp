// The MDI parent's menu line beyond its own items: the maximised child's
// icon drawn at the line's start, and the "acMDIIcons" window over the MDI
// buttons while the platform tracks the bar's menus (the platform draws its
// own button pictures there as it goes; the window keeps the skinned ones
// in sight).
#include <windows.h>

#include <algorithm>

#include "skin/engine/sStyleSimply.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sMDIMenuLine.h"
#include "skin/forms/sMenuLine.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sAnimCore.h"
#include "skin/paint/sCommonData.h"

namespace skin {

namespace {

// The window over the MDI buttons: never skinned (Tag), never activated,
// never erased; it shows the provider's image where it lies.
class TacMDIIcons {
public:
    TacMDIIcons(TsSkinProvider* Provider, const fw::TRect& Place) : sp(Provider), place(Place) {
        auto* f = new fw::TForm(nullptr);
        f->AfterConstruction();
        f->SetTag(acTempFormTag);
        f->SetName(L"acMDIIcons");
        f->SetBorderStyle(fw::bsNone);
        f->SetVisible(false);
        f->HandleNeeded();
        const HWND h = f->WindowHandle();
        SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
        old = f->WindowProc();
        f->SetWindowProc(fw::TWndMethod(this, &TacMDIIcons::WndProc));
        f->OnPaint = fw::TNotifyEvent(sp, &TsSkinProvider::MdiIcoFormPaint);
        form = f;
    }
    ~TacMDIIcons() {
        form->SetWindowProc(old);
        form->OnPaint = fw::TNotifyEvent();
        form->Free();
    }
    void Show(const fw::TPoint& WindowOrigin) {
        const HWND h = form->WindowHandle();
        SetWindowPos(h, HWND_TOP, WindowOrigin.X + place.Left, WindowOrigin.Y + place.Top, place.Width(),
                     place.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOREDRAW);
        // Shown without a redraw: painted at once from the image, nothing erased first.
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_UPDATENOW);
    }
    void WndProc(fw::TMessage& Message) {
        if (Message.Msg == WM_ERASEBKGND) {
            Message.Result = 1;
            return;
        }
        old(Message);
    }

    TsSkinProvider* sp;
    fw::TRect place;  // in the parent's window coordinates
    fw::TForm* form = nullptr;
    fw::TWndMethod old;
};

TacMDIIcons* MDIIcons = nullptr;

void FreeMDIIcons() {
    TacMDIIcons* icons = MDIIcons;
    MDIIcons = nullptr;
    delete icons;
}

// The child's icon: its own, else the library's application icon, else the system's.
HICON ChildIconOf(fw::TCustomForm* Child) {
    if (HICON icon = Child ? Child->Icon()->Handle() : nullptr) return icon;
    if (AppIcon && AppIcon->Handle()) return AppIcon->Handle();
    return LoadIconW(nullptr, IDI_APPLICATION);
}

// The bar's first item when it is the platform's window menu of a maximised
// child (a submenu that is none of the menus' items), in window coordinates.
fw::TRect WindowMenuItemRect(HWND Form) {
    const HMENU bar = GetMenu(Form);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_DATA | MIIM_SUBMENU;
    RECT r{}, wr{};
    if (!bar || !GetMenuItemInfoW(bar, 0, TRUE, &mii) || mii.dwItemData || !mii.hSubMenu ||
        !GetMenuItemRect(Form, bar, 0, &r))
        return fw::TRect();
    GetWindowRect(Form, &wr);
    return fw::TRect(r.left - wr.left, r.top - wr.top, r.right - wr.left, r.bottom - wr.top);
}

bool ChildMaximized(fw::TCustomForm* Parent) {
    return Parent && Parent->FormStyle() == fw::fsMDIForm && MaximizedMDIChild(Parent->ClientHandle());
}

}  // namespace

fw::TCustomForm* MDIIconsForm() { return MDIIcons ? MDIIcons->form : nullptr; }

void FreeMDIIconsOf(const TsSkinProvider* Owner) {
    if (MDIIcons && MDIIcons->sp == Owner) FreeMDIIcons();
}

void TsSkinProvider::PaintMDIMenuLine(fw::TBitmap* Cache, int& X) {
    if (MDISkinProvider != this || !ChildIconPresent() || !Cache) return;
    const TFrameState s = State();
    // The platform's item is the form window's; the image may be the border window's.
    fw::TRect windowMenu = WindowMenuItemRect(Form->WindowHandle());
    fw::OffsetRect(windowMenu, FormInImage().X, FormInImage().Y);
    const fw::TRect r = ChildIconRect(MenuLineBand(), MenuHeight(s, FMetrics), windowMenu);
    if (r.IsEmpty()) return;
    DrawIconEx(Cache->Canvas()->Handle(), r.Left, r.Top, ChildIconOf(Form->ActiveMDIChild()), r.Width(), r.Height(), 0,
               nullptr, DI_NORMAL);
    // The platform's window-menu item stands there: the items start after it.
    X = std::max<int>(X, r.Right);
}

void TsSkinProvider::MdiIcoFormPaint(fw::TObject* Sender) {
    auto* f = dynamic_cast<fw::TCustomForm*>(Sender);
    fw::TBitmap* cache = FCommonData->FCacheBmp;
    if (!f || !cache || !MDIIcons || MDIIcons->form != f) return;
    const fw::TRect& r = MDIIcons->place;
    const fw::TPoint o = FormInImage();  // the place is the form window's
    BitBlt(f->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), cache->Canvas()->Handle(), r.Left + o.X, r.Top + o.Y,
           SRCCOPY);
}

void TsSkinProvider::MDIMenuMessage(fw::TMessage& Message) {
    switch (Message.Msg) {
        case WM_ENTERMENULOOP:
            if (!InMenu && Form->FormStyle() == fw::fsMDIForm && ChildMaximized(Form)) {
                InMenu = true;
                const fw::TRect place = MDIIconsRect(State(), FMetrics, MDIButtonsRect(MDIButtons));
                if (!place.IsEmpty()) {
                    FreeMDIIcons();
                    MDIIcons = new TacMDIIcons(this, place);
                    RECT wr{};
                    GetWindowRect(Form->WindowHandle(), &wr);
                    MDIIcons->Show(fw::TPoint(wr.left, wr.top));
                }
            }
            PassOn(Message);
            return;
        case WM_EXITMENULOOP:
            InMenu = false;
            FreeMDIIcons();
            PassOn(Message);
            return;
        case WM_CHILDACTIVATE:
            PassOn(Message);
            UpdateMenu();
            if (auto* parent = dynamic_cast<TsSkinProvider*>(MDISkinProvider);
                parent && parent->MDIForm && ChildMaximized(parent->Form))
                parent->MDIForm->UpdateMDIIconItem();
            return;
        default:
            PassOn(Message);
            return;
    }
}

bool TsSkinProvider::MDIPaintHeld() const {
    if (!MenuChanged || !Form || !ChildMaximized(Form)) return false;
    fw::TCustomForm* child = Form->ActiveMDIChild();
    return child && child->FormState().Contains(fw::fsShowing);
}

}  // namespace skin
