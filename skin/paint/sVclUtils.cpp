#include "skin/paint/sVclUtils.h"

#include <algorithm>
#include <cwctype>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Color.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Frames.h"
#include "framework/windows/StdCtrls.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sMessages.h"
#include "skin/paint/sBGQuery.h"

namespace skin {

bool acGraphPainting = false;
const unsigned AlignToInt[3] = {DT_LEFT, DT_RIGHT, DT_CENTER};

TSetWindowTheme Ac_SetWindowTheme() {
    static const TSetWindowTheme fn = [] {
        HMODULE lib = LoadLibraryW(L"UXTHEME");
        return lib ? reinterpret_cast<TSetWindowTheme>(reinterpret_cast<void*>(GetProcAddress(lib, "SetWindowTheme")))
                   : nullptr;
    }();
    return fn;
}

bool UseThemes() {
    using TThemeQuery = BOOL(WINAPI*)();
    struct Queries {
        TThemeQuery appThemed = nullptr, themeActive = nullptr;
    };
    static const Queries q = [] {
        Queries r;
        if (HMODULE lib = LoadLibraryW(L"UXTHEME")) {
            r.appThemed = reinterpret_cast<TThemeQuery>(reinterpret_cast<void*>(GetProcAddress(lib, "IsAppThemed")));
            r.themeActive =
                reinterpret_cast<TThemeQuery>(reinterpret_cast<void*>(GetProcAddress(lib, "IsThemeActive")));
        }
        return r;
    }();
    return q.appThemed && q.themeActive && q.appThemed() && q.themeActive();
}

namespace {

bool Destroying(const fw::TComponent* c) { return c->ComponentState().Contains(fw::csDestroying); }
bool Loading(const fw::TComponent* c) { return c->ComponentState().Contains(fw::csLoading); }

template <class F>
void ForEachChildWindow(HWND Handle, F f) {
    for (HWND w = GetTopWindow(Handle); w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetWindowLongW(w, GWL_STYLE) & WS_CHILD) f(w);
}

}  // namespace

void SetParentUpdated(fw::TWinControl* Control) {
    if (InAnimationProcess) return;
    for (int i = 0; i < Control->ControlCount(); ++i) {
        fw::TControl* child = Control->Controls(i);
        if (Destroying(child)) continue;
        auto* win = dynamic_cast<fw::TWinControl*>(child);
        if (!win) continue;  // graphic children are repainted with their parent
        if (win->HandleAllocated() && win->Showing()) SendAMessage(win->WindowHandle(), smcEndParentUpdate, 0);
    }
}

void SetParentUpdated(HWND Handle) {
    ForEachChildWindow(Handle, [](HWND w) { SendAMessage(w, smcEndParentUpdate, 0); });
}

void AddToAdapter(fw::TWinControl* Control) {
    if (!Control || Loading(Control) || Control->ComponentState().Contains(fw::csDesigning)) return;
    fw::TCustomForm* form = fw::GetParentForm(Control);
    if (form && form->HandleAllocated())
        SendMessageW(form->WindowHandle(), SM_ALPHACMD, WPARAM(smcAddToAdapter) << 16, LPARAM(Control));
}

fw::TColor GetControlColor(fw::TControl* Control) {
    if (!Control) return 0xFF00FF;
    if (Control->Perform(SM_ALPHACMD, WPARAM(smcIsHandled) << 16, 0) != 1) return fw::ColorToRGB(Control->Color());
    return fw::ColorToRGB(fw::TColor(Control->Perform(SM_ALPHACMD, WPARAM(smcGetColor) << 16, 0xFF00FF)));
}

fw::TColor GetControlColor(HWND Handle) {
    if (!Handle) return 0xFF00FF;
    return fw::ColorToRGB(fw::TColor(SendAMessage(Handle, smcGetColor, 0xFF00FF)));
}

bool ControlIsReady(fw::TControl* Control) {
    if (!Control) return false;
    auto* win = dynamic_cast<fw::TWinControl*>(Control);
    if (win && !win->HandleAllocated()) return false;
    const auto cs = Control->ControlState();
    if (cs.Contains(fw::csCreating) || cs.Contains(fw::csReadingState)) return false;
    if (Loading(Control) || Destroying(Control)) return false;
    return Control->Parent() != nullptr;
}

fw::TCustomForm* GetOwnerForm(fw::TComponent* Component) {
    for (fw::TComponent* c = Component; c; c = c->Owner())
        if (auto* f = dynamic_cast<fw::TCustomForm*>(c)) return f;
    return nullptr;
}

fw::TCustomFrame* GetOwnerFrame(fw::TComponent* Component) {
    for (fw::TComponent* c = Component; c; c = c->Owner())
        if (auto* f = dynamic_cast<fw::TCustomFrame*>(c)) return f;
    return nullptr;
}

namespace {

bool SameText(const fw::String& a, const fw::String& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return towupper(x) == towupper(y); });
}

fw::TComponent* OwnedByName(fw::TComponent* Owner, const fw::String& Name) {
    for (int i = 0; i < Owner->ComponentCount(); ++i)
        if (SameText(Owner->Components(i)->Name(), Name)) return Owner->Components(i);
    return nullptr;
}

}  // namespace

fw::TComponent* GetControlByName(fw::TWinControl* Parent, const fw::String& Name) {
    if (!Parent) return nullptr;
    if (Name.find(L'.') == fw::String::npos) return OwnedByName(Parent, Name);
    const fw::String first = ExtractWord(1, Name, L"."), second = ExtractWord(2, Name, L".");
    if (first.empty() || second.empty()) return nullptr;
    auto* frame = dynamic_cast<fw::TCustomFrame*>(OwnedByName(Parent, first));
    return frame ? OwnedByName(frame, second) : nullptr;
}

int GetAlignShift(fw::TWinControl* Control, fw::TAlign Align, bool IncludeGraphic) {
    int sum = 0;
    for (int i = 0; i < Control->ControlCount(); ++i) {
        fw::TControl* c = Control->Controls(i);
        if (!c->Visible() || c->Align() != Align) continue;
        if (!IncludeGraphic && !dynamic_cast<fw::TWinControl*>(c)) continue;
        if (Align == fw::alTop || Align == fw::alBottom) sum += c->Height();
        if (Align == fw::alLeft || Align == fw::alRight) sum += c->Width();
    }
    return sum;
}

int GetCtrlRange(fw::TWinControl* Control, int Axis) {
    if (Axis != 0 && Axis != 1) return 0;
    int start = Axis == 0 ? Control->Width() : Control->Height(), end = 0;
    for (int i = 0; i < Control->ControlCount(); ++i) {
        fw::TControl* c = Control->Controls(i);
        const int pos = Axis == 0 ? c->Left() : c->Top(), size = Axis == 0 ? c->Width() : c->Height();
        start = std::min(start, pos);
        end = std::max(end, pos + size);
    }
    return start < end ? end - start : 0;
}

HWND GetParentFormHandle(HWND Handle) {
    for (HWND p = GetParent(Handle); p; p = GetParent(Handle)) Handle = p;
    return Handle;
}

fw::TRect ACClientRect(HWND Handle) {
    RECT wr{}, cr{};
    GetWindowRect(Handle, &wr);
    GetClientRect(Handle, &cr);
    POINT origin{0, 0};
    ClientToScreen(Handle, &origin);
    fw::TRect r(cr.left, cr.top, cr.right, cr.bottom);
    fw::OffsetRect(r, origin.x - wr.left, origin.y - wr.top);
    return r;
}

void RepaintsControls(fw::TWinControl* Control, bool) {
    for (int i = 0; i < Control->ControlCount(); ++i) {
        fw::TControl* c = Control->Controls(i);
        if (ControlIsReady(c) && dynamic_cast<fw::TWinControl*>(c)) c->Invalidate();
    }
}

void RepaintsGraphicControls(fw::TWinControl* Control) {
    for (int i = 0; i < Control->ControlCount(); ++i) {
        fw::TControl* c = Control->Controls(i);
        if (ControlIsReady(c) && !dynamic_cast<fw::TWinControl*>(c)) c->Repaint();
    }
}

void SetControlsEnabled(fw::TWinControl* Control, bool Value) {
    for (int i = 0; i < Control->ControlCount(); ++i)
        if (!dynamic_cast<fw::TCustomPanel*>(Control->Controls(i))) Control->Controls(i)->SetEnabled(Value);
}

unsigned GetStringFlags(fw::TControl* Control, fw::TAlignment Alignment) {
    return Control->DrawTextBiDiModeFlags(AlignToInt[Alignment] | DT_EXPANDTABS | DT_VCENTER);
}

bool AllEditSelected(fw::TCustomEdit* Edit) {
    DWORD start = 0, end = 0;
    SendMessageW(Edit->Handle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    const size_t length = Edit->Text().size();
    return end == length && size_t(Edit->SelLength()) == length;
}

void SetPanelFocus(fw::TWinControl* Panel) {
    std::vector<fw::TWinControl*> order;
    Panel->GetTabOrderList(order);
    for (fw::TWinControl* c : order)
        if (c->Enabled() && c->TabStop()) {
            c->SetFocus();
            return;
        }
}

bool CheckPanelFilled(fw::TCustomPanel* Panel) {
    for (int i = 0; i < Panel->ControlCount(); ++i) {
        fw::TControl* c = Panel->Controls(i);
        if ((dynamic_cast<fw::TEdit*>(c) || dynamic_cast<fw::TComboBox*>(c)) && c->Text().empty()) return false;
    }
    return true;
}

bool LeftToRight(fw::TControl* Control, bool Value) {
    const bool middleEast = fw::SysLocale.MiddleEast;
    const bool ltr = Control->BiDiMode() == fw::bdLeftToRight;
    return Value ? ltr || !middleEast : !ltr && middleEast;
}

void SendToProvider(fw::TCustomForm*, fw::TMessage&) {}

void RepaintShadows(fw::TWinControl*, fw::TBitmap*) {}

fw::TPoint acMousePos() {
    POINT p{};
    GetCursorPos(&p);
    return fw::TPoint(p.x, p.y);
}

fw::TRect WorkRect() {
    RECT r{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return fw::TRect(r.left, r.top, r.right, r.bottom);
}

namespace {

bool PaintsAsChild(fw::TControl* c, HDC DC) {
    if (!c->Visible() || dynamic_cast<fw::TWinControl*>(c)) return false;
    if (c->Width() < 1 || c->Height() < 1 || Destroying(c)) return false;
    if (c->ControlStyle().Contains(fw::csNoDesignVisible)) return false;
    if (auto* tb = dynamic_cast<fw::TToolButton*>(c)) {
        const auto s = tb->Style();
        if (s == fw::tbsButton || s == fw::tbsCheck || s == fw::tbsDropDown) return false;
    }
    RECT r = c->BoundsRect();
    return RectVisible(DC, &r) != FALSE;
}

}  // namespace

void PaintControls(HDC DC, fw::TWinControl* OwnerControl, bool, fw::TPoint Offset, unsigned) {
    if (acGraphPainting) return;
    acGraphPainting = true;
    struct Clear {
        ~Clear() { acGraphPainting = false; }
    } clear;
    if (!OwnerControl->Visible() || OwnerControl->ControlCount() == 0) return;
    RECT clip{};
    if (GetClipBox(DC, &clip) == NULLREGION || clip.right <= clip.left || clip.bottom <= clip.top) {
        if (OwnerControl->HandleAllocated()) SendAMessage(OwnerControl->WindowHandle(), smcSetHalfVisible, 0);
        return;
    }
    TacBGInfo bg;
    GetBGInfo(&bg, OwnerControl, false);
    std::unique_ptr<fw::TBitmap> off;
    HDC mem = nullptr;
    HGDIOBJ oldBmp = nullptr;
    std::vector<fw::TControl*> painted;
    for (int i = 0; i < OwnerControl->ControlCount(); ++i) {
        fw::TControl* c = OwnerControl->Controls(i);
        if (!PaintsAsChild(c, DC)) continue;
        auto* form = dynamic_cast<fw::TCustomForm*>(OwnerControl);
        if (form && form->FormStyle() == fw::fsMDIForm && c->Align() != fw::alNone)
            c->Perform(SM_ALPHACMD, WPARAM(smcRepaint) << 16, 0);
        if (!off) {
            off = std::make_unique<fw::TBitmap>(OwnerControl->Width(), OwnerControl->Height(), fw::pf24bit);
            HDC screen = GetDC(nullptr);
            mem = CreateCompatibleDC(screen);
            ReleaseDC(nullptr, screen);
            oldBmp = SelectObject(mem, off->Handle());
            for (int j = i; j < OwnerControl->ControlCount(); ++j) {
                fw::TControl* k = OwnerControl->Controls(j);
                if (!PaintsAsChild(k, DC)) continue;
                const fw::TRect b = k->BoundsRect();
                if (k->ControlStyle().Contains(fw::csOpaque) || bg.BgType != btCache || !bg.Bmp) {
                    const fw::TColor col = k->ControlStyle().Contains(fw::csOpaque) ? GetControlColor(k) : bg.Color;
                    FillDC(mem, b, col);
                } else {
                    BitBlt(mem, b.Left, b.Top, b.Width(), b.Height(), bg.Bmp->Canvas()->Handle(), b.Left + bg.Offset.X,
                           b.Top + bg.Offset.Y, SRCCOPY);
                }
            }
        }
        RECT vis = c->BoundsRect();
        if (!RectVisible(DC, &vis)) SendAMessage(c, smcSetHalfVisible, 0);
        const int saved = SaveDC(mem);
        SetWindowOrgEx(mem, -c->Left(), -c->Top(), nullptr);
        IntersectClipRect(mem, 0, 0, c->Width(), c->Height());
        const bool copy = OwnerControl->ControlState().Contains(fw::csPaintCopy);
        if (copy) c->SetControlState(c->ControlState() + fw::TControlState{fw::csPaintCopy});
        c->Perform(WM_PAINT, WPARAM(mem), 0);
        if (copy) c->SetControlState(c->ControlState() - fw::TControlState{fw::csPaintCopy});
        RestoreDC(mem, saved);
        painted.push_back(c);
    }
    if (!off) return;
    for (fw::TControl* c : painted) {
        if (GetPixel(mem, c->Left(), c->Top()) == 0xFF00FF) continue;  // painted nothing over no background
        BitBlt(DC, c->Left() + Offset.X, c->Top() + Offset.Y, c->Width(), c->Height(), mem, c->Left(), c->Top(),
               SRCCOPY);
    }
    SelectObject(mem, oldBmp);
    DeleteDC(mem);
}

}  // namespace skin
