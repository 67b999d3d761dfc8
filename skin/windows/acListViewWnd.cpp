#include "skin/windows/acListViewWnd.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/windows/Application.h"
#include "skin/windows/acScrollTrack.h"

namespace skin {

// What the header window runs in the wrapper's place: the wrapper's header
// procedure, or (left behind under another subclasser) a pass-through to the
// header's old procedure that goes away with the header.
class TacHeaderLink {
public:
    explicit TacHeaderLink(TacListViewWnd* W) : Wnd(W) {
        Instance = fw::MakeObjectInstance(fw::TWndMethod(this, &TacHeaderLink::Route));
    }
    ~TacHeaderLink() { fw::FreeObjectInstance(Instance); }

    TacListViewWnd* Wnd;  // nil: a pass-through
    HWND Header = nullptr;
    WNDPROC Def = nullptr;
    WNDPROC Instance = nullptr;

    bool RunsOnTop() const {
        return Header && IsWindow(Header) &&
               reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Header, GWLP_WNDPROC)) == Instance;
    }

private:
    int depth_ = 0;
    bool done_ = false;

    void Route(fw::TMessage& M) {
        if (Wnd) {
            Wnd->HeaderWndProc(M);
            return;
        }
        ++depth_;
        M.Result = Def ? CallWindowProcW(Def, Header, M.Msg, M.WParam, M.LParam)
                       : DefWindowProcW(Header, M.Msg, M.WParam, M.LParam);
        --depth_;
        if (M.Msg == WM_NCDESTROY) {
            done_ = true;
        } else if (RunsOnTop()) {  // the subclasser above went away
            SetWindowLongPtrW(Header, GWLP_WNDPROC, LONG_PTR(Def));
            done_ = true;
        }
        // Freed only when no call through it is still on the stack (the
        // thunk jumps into the handler, so it may go while the call returns).
        if (done_ && depth_ == 0) delete this;
    }
};

namespace {

bool Visible(HWND h) { return IsWindowVisible(h) != FALSE; }

// The header's order of items, empty when it cannot be read.
std::vector<int> ReadOrder(HWND Header) {
    const int count = int(SendMessageW(Header, HDM_GETITEMCOUNT, 0, 0));
    if (count <= 0) return {};
    std::vector<int> order(size_t(count), 0);
    if (!SendMessageW(Header, HDM_GETORDERARRAY, WPARAM(count), LPARAM(order.data()))) order.clear();
    return order;
}

fw::TRect ItemRect(HWND Header, int Item) {
    RECT r{};
    if (Item < 0 || !SendMessageW(Header, HDM_GETITEMRECT, WPARAM(Item), LPARAM(&r))) return fw::TRect();
    return fw::TRect(r);
}

bool Empty(const fw::TRect& R) { return R.Width() <= 0 || R.Height() <= 0; }

}  // namespace

TacListViewWnd::TacListViewWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                               const fw::String& SkinSection)
    : TacEditWnd(AHandle, ASkinData, ASkinManager, SkinSection) {
    headerLink_ = new TacHeaderLink(this);
    FhHeaderProc = headerLink_->Instance;
    HookHeader(FindHeader());
}

TacListViewWnd::~TacListViewWnd() {
    ReleaseWindow();  // here, so that this class's RestoreStdParams runs
    UnhookHeader();
    delete headerLink_;
    headerLink_ = nullptr;
    FhHeaderProc = nullptr;
}

HWND TacListViewWnd::FindHeader() const {
    return IsWindow(CtrlHandle) ? FindWindowExW(CtrlHandle, nullptr, L"SysHeader32", nullptr) : nullptr;
}

void TacListViewWnd::HookHeader(HWND Header) {
    if (!Header || !headerLink_) return;
    if (Header == FhWndHeader && headerLink_->RunsOnTop()) return;
    UnhookHeader();
    headerLink_->Header = Header;
    headerLink_->Def = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Header, GWLP_WNDPROC));
    FhWndHeader = Header;
    FhDefHeaderProc = headerLink_->Def;
    FPressedColumn = HoverColIndex = -1;
    SetWindowLongPtrW(Header, GWLP_WNDPROC, LONG_PTR(FhHeaderProc));
}

void TacListViewWnd::UnhookHeader() {
    if (!FhWndHeader) return;
    if (headerLink_->RunsOnTop()) {
        SetWindowLongPtrW(FhWndHeader, GWLP_WNDPROC, LONG_PTR(FhDefHeaderProc));
        headerLink_->Header = nullptr;
        headerLink_->Def = nullptr;
    } else if (IsWindow(FhWndHeader)) {
        // Another subclasser sits on top and holds the link as its old
        // procedure: the link stays as a pass-through, the wrapper takes a
        // new one for the next header.
        headerLink_->Wnd = nullptr;
        headerLink_ = new TacHeaderLink(this);
        FhHeaderProc = headerLink_->Instance;
    } else {
        headerLink_->Header = nullptr;
        headerLink_->Def = nullptr;
    }
    FhWndHeader = nullptr;
    FhDefHeaderProc = nullptr;
}

fw::TViewStyle TacListViewWnd::ViewStyle() {
    if (auto* lv = dynamic_cast<fw::TCustomListView*>(OwnerControlOf(this))) return lv->ViewStyle();
    switch (SendMessageW(CtrlHandle, LVM_GETVIEW, 0, 0)) {
        case LV_VIEW_ICON:
            return fw::vsIcon;
        case LV_VIEW_DETAILS:
            return fw::vsReport;
        case LV_VIEW_SMALLICON:
            return fw::vsSmallIcon;
        default:
            return fw::vsList;
    }
}

int TacListViewWnd::AllColWidth() {
    int count = 0;
    if (auto* lv = dynamic_cast<fw::TCustomListView*>(OwnerControlOf(this)))
        count = lv->Columns()->Count();
    else if (FhWndHeader)
        count = int(SendMessageW(FhWndHeader, HDM_GETITEMCOUNT, 0, 0));
    int sum = 0;
    for (int i = 0; i < count; ++i) {
        const int w = int(SendMessageW(CtrlHandle, LVM_GETCOLUMNWIDTH, WPARAM(i), 0));
        if (std::abs(w) > 999999) break;
        sum += w;
    }
    return sum;
}

fw::TRect TacListViewWnd::GetHeaderColumnRect(int Index) {
    if (!FhWndHeader) return fw::TRect();
    return ItemRect(FhWndHeader, HeaderOrderItem(Index, ReadOrder(FhWndHeader)));
}

int TacListViewWnd::HeaderItemAt(POINT Screen) {
    if (!FhWndHeader) return -1;
    POINT p = Screen;
    ScreenToClient(FhWndHeader, &p);
    const std::vector<int> order = ReadOrder(FhWndHeader);
    const int count = int(SendMessageW(FhWndHeader, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int item = HeaderOrderItem(i, order);
        const fw::TRect r = ItemRect(FhWndHeader, item);
        if (p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom) return item;
    }
    return -1;
}

void TacListViewWnd::SaveStdParams() {
    TacEditWnd::SaveStdParams();
    StdColor = fw::TColor(SendMessageW(CtrlHandle, LVM_GETBKCOLOR, 0, 0));
    StdTextBkColor = fw::TColor(SendMessageW(CtrlHandle, LVM_GETTEXTBKCOLOR, 0, 0));
    StdFontColor = fw::TColor(SendMessageW(CtrlHandle, LVM_GETTEXTCOLOR, 0, 0));
}

void TacListViewWnd::RestoreStdParams() {
    if (IsWindow(CtrlHandle)) {
        // The colours the list had before it was skinned.
        SendMessageW(CtrlHandle, LVM_SETBKCOLOR, 0, LPARAM(StdColor));
        SendMessageW(CtrlHandle, LVM_SETTEXTBKCOLOR, 0, LPARAM(StdTextBkColor));
        SendMessageW(CtrlHandle, LVM_SETTEXTCOLOR, 0, LPARAM(StdFontColor));
    }
    UnhookHeader();
    if (HWND h = FindHeader()) InvalidateRect(h, nullptr, TRUE);  // drawn by itself again
    TacEditWnd::RestoreStdParams();
}

void TacListViewWnd::SetSkinParams() {
    TacEditWnd::SetSkinParams();
    if (Destroyed || !IsWindow(CtrlHandle)) return;
    COLORREF text;
    if (DlgMode) {
        const LPARAM bk = LPARAM(fw::ColorToRGB(fw::clWindow));
        SendMessageW(CtrlHandle, LVM_SETBKCOLOR, 0, bk);
        SendMessageW(CtrlHandle, LVM_SETTEXTBKCOLOR, 0, bk);
        text = COLORREF(fw::ColorToRGB(fw::clWindowText));
    } else {
        TsSkinManager* M = SkinData->GetSkinManager();
        if (!M || !M->IsValidSkinIndex(SkinData->SkinIndex)) return;
        const TsGeneralData& g = M->gd[size_t(SkinData->SkinIndex)];
        const LPARAM bk = LPARAM(fw::ColorToRGB(g.Color));
        SendMessageW(CtrlHandle, LVM_SETBKCOLOR, 0, bk);
        SendMessageW(CtrlHandle, LVM_SETTEXTBKCOLOR, 0, bk);
        text = COLORREF(fw::ColorToRGB(g.FontColor[0]));
    }
    SendMessageW(CtrlHandle, LVM_SETTEXTCOLOR, 0, LPARAM(text));
}

void TacListViewWnd::RepaintHeader() {
    if (FhWndHeader && Visible(FhWndHeader)) PaintHeader(nullptr);
}

void TacListViewWnd::ThumbScroll(fw::TMessage& Message, bool Vertical) {
    // The scroll engine hands the exact position in LParam (it was asked
    // with smcBeforeScroll); a standard bar only has the word in WParam.
    const int P = Message.LParam ? int(Message.LParam) : int(HIWORD(Message.WParam));
    if (P == nLastSBPos) return;
    int delta = P - nLastSBPos;
    // LVM_SCROLL counts pixels, but columns in list view, where the bar's
    // positions are columns already; report view's rows become pixels.
    if (Vertical && ViewStyle() == fw::vsReport) {
        RECT r{};
        r.left = LVIR_BOUNDS;
        if (SendMessageW(CtrlHandle, LVM_GETITEMRECT, 0, LPARAM(&r))) delta *= r.bottom - r.top;
    }
    SendMessageW(CtrlHandle, LVM_SCROLL, Vertical ? 0 : WPARAM(delta), Vertical ? LPARAM(delta) : 0);
}

void TacListViewWnd::acWndProc(fw::TMessage& Message) {
    if (Destroyed || !SkinData) {
        TacEditWnd::acWndProc(Message);
        return;
    }
    TsSkinManager* M = SkinData->GetSkinManager();
    const UINT msg = Message.Msg;
    if (msg == SM_ALPHACMD) {
        const bool mine = M && LPARAM(M) == Message.LParam;
        switch (Message.WParamHi()) {
            case smcNewSkin:
                TacEditWnd::acWndProc(Message);
                // The header was let go when the skin went: hooked again.
                if (mine && !Destroyed && SkinData->Skinned()) HookHeader(FindHeader());
                return;
            case smcRefresh:
                TacEditWnd::acWndProc(Message);
                if (mine && !Destroyed && SkinData->Skinned()) {
                    HookHeader(FindHeader());
                    RepaintHeader();
                }
                return;
            case smcGetSkinIndex:
                if (Message.LParam) *reinterpret_cast<int*>(Message.LParam) = SkinData->SkinIndex;
                return;
            case smcBeforeScroll:
                Message.Result = 1;
                return;
            default:
                break;
        }
        TacEditWnd::acWndProc(Message);
        return;
    }
    if (!SkinData->Skinned()) {
        TacEditWnd::acWndProc(Message);
        return;
    }
    switch (msg) {
        case WM_NCHITTEST:
            // The mouse left the header for the list.
            if (HoverColIndex != -1 || FPressedColumn != -1) {
                HoverColIndex = FPressedColumn = -1;
                RepaintHeader();
            }
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (LOWORD(Message.WParam) == SB_THUMBTRACK) {
                ThumbScroll(Message, msg == WM_VSCROLL);
                return;
            }
            Message.LParam = 0;  // a position, not a scroll-bar window
            break;
        default:
            break;
    }
    TacEditWnd::acWndProc(Message);
    if (Destroyed) return;
    switch (msg) {
        case WM_STYLECHANGED:
        case LVM_ARRANGE:
        case LVM_INSERTITEMA:
        case LVM_INSERTITEMW:
            if (!SkinData->FUpdating) UpdateScrolls(this, true);
            break;
        case WM_LBUTTONUP:
            ReleaseCapture();
            break;
        case WM_PARENTNOTIFY:
            if (LOWORD(Message.WParam) == WM_CREATE) {
                const HWND child = HWND(Message.LParam);
                wchar_t name[96] = {};
                GetClassNameW(child, name, 96);
                if (lstrcmpiW(name, L"SysHeader32") == 0) HookHeader(child);
            }
            break;
        case WM_PRINT:
            PrintHeader(HDC(Message.WParam));
            break;
        default:
            break;
    }
}

void TacListViewWnd::PrintHeader(HDC DC) {
    if (!DC || !FhWndHeader || !Visible(FhWndHeader) || ViewStyle() != fw::vsReport) return;
    RECT wr{}, hr{}, cr{};
    GetWindowRect(CtrlHandle, &wr);
    GetWindowRect(FhWndHeader, &hr);
    GetClientRect(CtrlHandle, &cr);
    POINT client{0, 0};
    ClientToScreen(CtrlHandle, &client);
    const int save = SaveDC(DC);
    // Clipped to the list's client area (the bars and frame stay as printed).
    IntersectClipRect(DC, client.x - wr.left, client.y - wr.top, client.x - wr.left + cr.right,
                      client.y - wr.top + cr.bottom);
    OffsetViewportOrgEx(DC, hr.left - wr.left, hr.top - wr.top, nullptr);
    PaintHeader(DC);
    RestoreDC(DC, save);
}

void TacListViewWnd::HeaderWndProc(fw::TMessage& Message) {
    const HWND h = FhWndHeader;
    auto pass = [&] {
        Message.Result = FhDefHeaderProc
                             ? CallWindowProcW(FhDefHeaderProc, h, Message.Msg, Message.WParam, Message.LParam)
                             : DefWindowProcW(h, Message.Msg, Message.WParam, Message.LParam);
    };
    fw::HandleEventExceptions(this, [&] {
        if (Message.Msg == WM_NCDESTROY) {
            pass();
            if (headerLink_) {
                headerLink_->Header = nullptr;
                headerLink_->Def = nullptr;
            }
            FhWndHeader = nullptr;
            FhDefHeaderProc = nullptr;
            return;
        }
        if (Destroyed || !SkinData || !SkinData->Skinned() || ViewStyle() != fw::vsReport) {
            pass();
            return;
        }
        switch (Message.Msg) {
            case WM_PAINT:
                PaintHeader(HDC(Message.WParam));
                Message.Result = 0;
                return;
            case WM_ERASEBKGND:
                Message.Result = 1;
                return;
            case WM_WINDOWPOSCHANGING:
                if (Visible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
                pass();
                return;
            case WM_NCHITTEST: {
                pass();
                const int item = HeaderItemAt({short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam))});
                if (item != HoverColIndex) {
                    HoverColIndex = item;
                    PaintHeader(nullptr);
                }
                return;
            }
            case WM_LBUTTONUP:
                FPressedColumn = -1;
                pass();
                return;
            case WM_LBUTTONDOWN: {
                pass();
                if (!FhWndHeader) return;
                FFlag = true;
                HDHITTESTINFO hit{};
                hit.pt = {short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam))};
                SendMessageW(FhWndHeader, HDM_HITTEST, 0, LPARAM(&hit));
                FPressedColumn = (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? -1 : hit.iItem;
                RedrawWindow(FhWndHeader, nullptr, nullptr, RDW_INVALIDATE);
                return;
            }
            default:
                pass();
                return;
        }
    });
}

void TacListViewWnd::PaintHeader(HDC DC) {
    const HWND h = FhWndHeader;
    if (!h || ViewStyle() != fw::vsReport) return;
    PAINTSTRUCT ps;
    if (!DC) BeginPaint(h, &ps);  // validated: the cells are drawn through the header's DC below
    HDC dc = DC ? DC : GetDC(h);
    const std::vector<int> order = ReadOrder(h);
    const int count = int(SendMessageW(h, HDM_GETITEMCOUNT, 0, 0));
    int last = 0;
    for (int i = 0; i < count; ++i) {
        const int item = HeaderOrderItem(i, order);
        const fw::TRect R = ItemRect(h, item);
        if (Empty(R)) continue;
        ListLineHeight = R.Height();
        ColumnSkinPaint(R, item, dc);
        last = std::max(last, int(R.Right));
    }
    if (count <= 0) ListLineHeight = GetHeaderColumnRect(0).Height();
    RECT cr{};
    GetClientRect(h, &cr);
    const fw::TRect tail = HeaderTailRect(last, cr.right, cr.bottom);
    if (!Empty(tail)) ColumnSkinPaint(tail, -2, dc);
    if (!DC) {
        ReleaseDC(h, dc);
        EndPaint(h, &ps);
    }
}

void TacListViewWnd::ColumnSkinPaint(const fw::TRect& R, int cIndex, HDC DC) {
    const HWND h = FhWndHeader;
    if (!h || Empty(R)) return;
    fw::TBitmap B(R.Width(), R.Height(), fw::pf24bit);
    TacHeaderCell cell;
    bool read = false;
    if (cIndex >= 0) {
        wchar_t buf[258] = {};
        HDITEMW it{};
        it.mask = HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
        it.pszText = buf;
        it.cchTextMax = 258;
        if (SendMessageW(h, HDM_GETITEMW, WPARAM(cIndex), LPARAM(&it))) {
            read = true;
            cell.Text = it.pszText && it.pszText != LPSTR_TEXTCALLBACKW ? fw::String(it.pszText) : fw::String();
            cell.Format = it.fmt;
            cell.Image = it.iImage;
        }
    }
    fw::TControl* owner = OwnerControlOf(this);
    auto* lv = dynamic_cast<fw::TCustomListView*>(owner);
    const fw::TColor bg = owner ? owner->Color() : fw::clWindow;
    const HFONT font = HFONT(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0));
    const bool enabled = owner ? owner->Enabled() : IsWindowEnabled(CtrlHandle) != FALSE;
    PaintHeaderCell(&B, SkinData->GetSkinManager(), HeaderCellState(cIndex, FPressedColumn, HoverColIndex),
                    read ? &cell : nullptr, fw::TPoint(R.Left, R.Top), bg, font, lv ? lv->SmallImages() : nullptr,
                    enabled);
    HDC dc = DC ? DC : GetDC(h);
    BitBlt(dc, R.Left, R.Top, R.Width(), R.Height(), B.Canvas()->Handle(), 0, 0, SRCCOPY);
    if (!DC) ReleaseDC(h, dc);
}

TacMainWnd* CreateListViewWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager,
                              const fw::String& SkinSection) {
    return CreateWnd<TacListViewWnd>(true, Handle, SkinData, SkinManager, SkinSection);
}

}  // namespace skin
