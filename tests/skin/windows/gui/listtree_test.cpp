// List and tree views on real windows: the header painted cell by cell from
// the skin (states, sort arrow, reordered columns, the strip after the last
// cell), the tree's background, the header let go with the skin and hooked
// again by the same link (also under another subclasser), and thumb drags
// that scroll a list by items.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "SkinPixels.h"
#include "WineDesk.h"
#include "skin/windows/acListViewWnd.h"
#include "skin/windows/acScrollTrack.h"
#include "skin/windows/acTreeViewWnd.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {

HWND Child(const wchar_t* Class, DWORD Style, HWND Parent, int X, int Y, int W, int H) {
    static const bool init = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)init;
    HWND h = CreateWindowExW(WS_EX_CLIENTEDGE, Class, L"", WS_CHILD | WS_VISIBLE | Style, X, Y, W, H, Parent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return h;
}

void AddColumn(HWND Lv, int Index, const wchar_t* Text, int Width, int Format) {
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.pszText = const_cast<wchar_t*>(Text);
    c.cx = Width;
    c.fmt = Format;
    SendMessageW(Lv, LVM_INSERTCOLUMNW, WPARAM(Index), LPARAM(&c));
}

void AddItems(HWND Lv, int Count) {
    for (int i = 0; i < Count; ++i) {
        std::wstring s = L"file " + std::to_wstring(i) + L".kvb";
        LVITEMW it{};
        it.mask = LVIF_TEXT;
        it.iItem = i;
        it.pszText = s.data();
        SendMessageW(Lv, LVM_INSERTITEMW, 0, LPARAM(&it));
        std::wstring size = std::to_wstring(12 + i * 7) + L" KB";
        it.iSubItem = 1;
        it.pszText = size.data();
        SendMessageW(Lv, LVM_SETITEMTEXTW, WPARAM(i), LPARAM(&it));
    }
}

void Redraw(HWND Host) {
    RedrawWindow(Host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(80);
}

// Header item Item as the wrapper must show it at R in State: the cell
// painted from the item's own data.
std::unique_ptr<fw::TBitmap> Expected(TsSkinManager* M, HWND Lv, HWND Header, int Item, int State, const fw::TRect& R) {
    auto b = std::make_unique<fw::TBitmap>(R.Width(), R.Height(), fw::pf24bit);
    TacHeaderCell cell;
    wchar_t buf[258] = {};
    HDITEMW it{};
    it.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    it.pszText = buf;
    it.cchTextMax = 258;
    const bool read = Item >= 0 && SendMessageW(Header, HDM_GETITEMW, WPARAM(Item), LPARAM(&it));
    cell.Text = buf;
    cell.Format = it.fmt;
    PaintHeaderCell(b.get(), M, State, read ? &cell : nullptr, fw::TPoint(R.Left, R.Top), fw::clWindow,
                    HFONT(SendMessageW(Lv, WM_GETFONT, 0, 0)), nullptr, true);
    return b;
}

// Pixels of the grab at the header's R that differ from Want.
int Differ(fw::TBitmap& Shot, HWND Header, HWND Host, const fw::TRect& R, fw::TBitmap& Want) {
    const RECT h = InHost(Header, Host);
    int n = 0;
    for (int y = 0; y < R.Height(); ++y)
        for (int x = 0; x < R.Width(); ++x)
            n += PixelAt(Shot, h.left + R.Left + x, h.top + R.Top + y) != PixelAt(Want, x, y);
    return n;
}

fw::TRect ItemRect(HWND Header, int Item) {
    RECT r{};
    SendMessageW(Header, HDM_GETITEMRECT, WPARAM(Item), LPARAM(&r));
    return fw::TRect(r);
}

// A section of the skin whose hot colour is not the window's.
fw::String TintedSection(TsSkinManager* M) {
    for (const wchar_t* s : {L"PANEL", L"BUTTON", L"COLHEADER", L"TOOLBAR", L"DIALOG"}) {
        const int i = M->GetSkinIndex(s);
        if (i >= 0 && Rgb(M->gd[size_t(i)].HotColor) != Rgb(fw::clWindow)) return s;
    }
    return fw::String();
}

LRESULT CALLBACK TopProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
WNDPROC gBelowTop = nullptr;
int gTopCalls = 0;
LRESULT CALLBACK TopProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    ++gTopCalls;
    return CallWindowProcW(gBelowTop, h, msg, wp, lp);
}

}  // namespace

TEST(ListViewWnd, HeaderCellsInEveryStateInDisplayOrderAndTheTreeBackground) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    Host host(620, 300, kHost);
    // Columns narrower than the list (a strip after them), moved by the
    // program, the second sorted down; enough rows for a bar.
    HWND lv = Child(WC_LISTVIEWW, LVS_REPORT, host.handle, 10, 10, 330, 160);
    SendMessageW(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_HEADERDRAGDROP, LVS_EX_HEADERDRAGDROP);
    AddColumn(lv, 0, L"Name", 110, LVCFMT_LEFT);
    AddColumn(lv, 1, L"Size", 70, LVCFMT_RIGHT);
    AddColumn(lv, 2, L"Type", 60, LVCFMT_CENTER);
    AddItems(lv, 25);
    int order[3] = {2, 0, 1};
    SendMessageW(lv, LVM_SETCOLUMNORDERARRAY, 3, LPARAM(order));
    HWND header = HWND(SendMessageW(lv, LVM_GETHEADER, 0, 0));
    ASSERT_TRUE(header);
    HDITEMW sortItem{};
    sortItem.mask = HDI_FORMAT;
    SendMessageW(header, HDM_GETITEMW, 1, LPARAM(&sortItem));
    sortItem.fmt |= HDF_SORTDOWN;
    SendMessageW(header, HDM_SETITEMW, 1, LPARAM(&sortItem));
    // A second list with wide columns: both bars.
    HWND wide = Child(WC_LISTVIEWW, LVS_REPORT, host.handle, 10, 180, 330, 110);
    AddColumn(wide, 0, L"Title", 200, LVCFMT_LEFT);
    AddColumn(wide, 1, L"Author", 200, LVCFMT_LEFT);
    AddItems(wide, 12);
    // Trees: one skinned in a tinted section, one on a dialog.
    HWND tree = Child(WC_TREEVIEWW, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, host.handle, 360, 10, 240, 160);
    HTREEITEM parent = nullptr;
    for (const wchar_t* s : {L"Books", L"Notes", L"Recordings"}) {
        TVINSERTSTRUCTW ins{};
        ins.hParent = TVI_ROOT;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT;
        ins.item.pszText = const_cast<wchar_t*>(s);
        parent = HTREEITEM(SendMessageW(tree, TVM_INSERTITEMW, 0, LPARAM(&ins)));
        ins.hParent = parent;
        ins.item.pszText = const_cast<wchar_t*>(L"chapter");
        SendMessageW(tree, TVM_INSERTITEMW, 0, LPARAM(&ins));
    }
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, LPARAM(parent));
    HWND dlgTree = Child(WC_TREEVIEWW, 0, host.handle, 360, 180, 240, 110);

    auto* w = static_cast<TacListViewWnd*>(CreateListViewWnd(lv, nullptr, M));
    auto* ww = static_cast<TacListViewWnd*>(CreateListViewWnd(wide, nullptr, M));
    const fw::String tinted = TintedSection(M);
    ASSERT_FALSE(tinted.empty());
    auto* tw = static_cast<TacTreeViewWnd*>(CreateTreeViewWnd(tree, nullptr, M, tinted));
    acDlgMode = true;
    auto* dw = static_cast<TacTreeViewWnd*>(CreateTreeViewWnd(dlgTree, nullptr, M));
    acDlgMode = false;
    EXPECT_EQ(w->FhWndHeader, header);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(header, GWLP_WNDPROC)), w->FhHeaderProc);
    Redraw(host.handle);

    // Every cell in display order, in state 0, and the strip after them.
    auto cellsMatch = [&](int Pressed, int Hover, const char* what) {
        auto shot = host.Grab();
        int last = 0;
        for (int pos = 0; pos < 3; ++pos) {
            const int item = order[pos];
            const fw::TRect R = w->GetHeaderColumnRect(pos);
            EXPECT_EQ(R, ItemRect(header, item)) << what;
            auto want = Expected(M, lv, header, item, HeaderCellState(item, Pressed, Hover), R);
            EXPECT_EQ(Differ(*shot, header, host.handle, R, *want), 0) << what << ", position " << pos;
            last = std::max(last, int(R.Right));
        }
        RECT hc;
        GetClientRect(header, &hc);
        const fw::TRect tail = HeaderTailRect(last, hc.right, hc.bottom);
        EXPECT_GT(tail.Width(), 20) << what;
        auto strip = Expected(M, lv, header, -2, 0, tail);
        EXPECT_EQ(Differ(*shot, header, host.handle, tail, *strip), 0) << what << ", the strip";
        return shot;
    };
    auto shot = cellsMatch(-1, -1, "normal");
    SaveScreenshot(*shot, L"skin-windows-list-and-tree.bmp");
    EXPECT_EQ(w->ListLineHeight, ItemRect(header, 0).Height());

    // Colours: the list's from its section, the tree's the section's hot
    // colour (drawn in its empty part), the dialog's tree the window's.
    const TsGeneralData& edit = M->gd[size_t(M->GetSkinIndex(L"EDIT"))];
    EXPECT_EQ(COLORREF(SendMessageW(lv, LVM_GETBKCOLOR, 0, 0)), Rgb(edit.Color));
    EXPECT_EQ(COLORREF(SendMessageW(lv, LVM_GETTEXTCOLOR, 0, 0)), Rgb(edit.FontColor[0]));
    const COLORREF hot = Rgb(M->gd[size_t(M->GetSkinIndex(tinted))].HotColor);
    EXPECT_EQ(COLORREF(SendMessageW(tree, TVM_GETBKCOLOR, 0, 0)), hot);
    const RECT tr = InHost(tree, host.handle);
    EXPECT_EQ(PixelAt(*shot, tr.right - 30, tr.bottom - 12), hot);
    EXPECT_EQ(COLORREF(SendMessageW(dlgTree, TVM_GETBKCOLOR, 0, 0)), Rgb(fw::clWindow));
    // The wide list's first cell is skinned too.
    HWND wideHeader = HWND(SendMessageW(wide, LVM_GETHEADER, 0, 0));
    const fw::TRect wr0 = ItemRect(wideHeader, 0);
    auto wideWant = Expected(M, wide, wideHeader, 0, 0, wr0);
    EXPECT_EQ(Differ(*shot, wideHeader, host.handle, wr0, *wideWant), 0);
    EXPECT_TRUE(ww->sBarHorz->fScrollVisible && ww->sBarVert->fScrollVisible);

    // Hover over "Size" (item 1, shown last), then the mouse goes on into the list.
    const fw::TRect r1 = ItemRect(header, 1);
    POINT p{(r1.Left + r1.Right) / 2, r1.Height() / 2};
    ClientToScreen(header, &p);
    SendMessageW(header, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(w->HoverColIndex, 1);
    cellsMatch(-1, 1, "hot");
    POINT inList{p.x, p.y + 60};
    SendMessageW(lv, WM_NCHITTEST, 0, MAKELPARAM(inList.x, inList.y));
    EXPECT_EQ(w->HoverColIndex, -1);
    cellsMatch(-1, -1, "left for the list");

    // A press on "Name" (item 0): that cell pressed, the others normal.
    const fw::TRect r0 = ItemRect(header, 0);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((r0.Left + r0.Right) / 2, r0.Height() / 2));
    EXPECT_EQ(w->FPressedColumn, 0);
    Pump(50);
    auto pressed = cellsMatch(0, -1, "pressed");
    SaveScreenshot(*pressed, L"skin-windows-list-header-pressed.bmp");
    SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM((r0.Left + r0.Right) / 2, r0.Height() / 2));
    EXPECT_EQ(w->FPressedColumn, -1);
    ReleaseCapture();

    // Printing the list shows its header as the screen does.
    const RECT lr = InHost(lv, host.handle);
    fw::TBitmap printed(lr.right - lr.left, lr.bottom - lr.top, fw::pf24bit);
    SendMessageW(lv, WM_PRINT, WPARAM(printed.Canvas()->Handle()), 0);
    Redraw(host.handle);
    auto now = host.Grab();
    const RECT hr = InHost(header, host.handle);
    int differ = 0;
    for (int y = hr.top; y < hr.bottom; ++y)
        for (int x = hr.left; x < std::min(hr.right, lr.right - 2); ++x)
            differ += PixelAt(printed, x - lr.left, y - lr.top) != PixelAt(*now, x, y);
    EXPECT_EQ(differ, 0);

    for (HWND h : {lv, wide, tree, dlgTree}) DestroyWindow(h);
    for (TacMainWnd* x : std::initializer_list<TacMainWnd*>{w, ww, tw, dw}) {
        EXPECT_TRUE(x->Destroyed);
        delete x;
    }
}

TEST(ListViewWnd, HeaderLetGoWithTheSkinAndHookedAgainByTheSameLink) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    Host host(360, 220, kHost);
    HWND lv = Child(WC_LISTVIEWW, LVS_REPORT, host.handle, 10, 10, 330, 180);
    AddColumn(lv, 0, L"Name", 120, LVCFMT_LEFT);
    AddColumn(lv, 1, L"Date", 100, LVCFMT_LEFT);
    AddItems(lv, 5);
    const COLORREF stdBk = COLORREF(SendMessageW(lv, LVM_GETBKCOLOR, 0, 0));
    HWND header = HWND(SendMessageW(lv, LVM_GETHEADER, 0, 0));
    const WNDPROC own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(header, GWLP_WNDPROC));
    auto* w = static_cast<TacListViewWnd*>(CreateListViewWnd(lv, nullptr, M));
    const WNDPROC link = w->FhHeaderProc;
    ASSERT_TRUE(link);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(header, GWLP_WNDPROC)), link);
    EXPECT_EQ(w->FhDefHeaderProc, own);
    Redraw(host.handle);
    auto headerSkinned = [&] {
        auto shot = host.Grab();
        const fw::TRect r0 = ItemRect(header, 0);
        auto want = Expected(M, lv, header, 0, 0, r0);
        return Differ(*shot, header, host.handle, r0, *want) == 0;
    };
    EXPECT_TRUE(headerSkinned());

    // The skin goes: the header runs its own procedure, the list its colours.
    const WPARAM remove = WPARAM(smcRemoveSkin) << 16, fresh = WPARAM(smcNewSkin) << 16,
                 refresh = WPARAM(smcRefresh) << 16;
    SendMessageW(lv, SM_ALPHACMD, remove, LPARAM(M));
    M->SetActive(false);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(header, GWLP_WNDPROC)), own);
    EXPECT_EQ(w->FhWndHeader, nullptr);
    EXPECT_EQ(COLORREF(SendMessageW(lv, LVM_GETBKCOLOR, 0, 0)), stdBk);
    // A header made while there is no skin stays the system's (and is never
    // given an empty procedure).
    SendMessageW(lv, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 0), LPARAM(header));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(header, GWLP_WNDPROC)), own);
    Redraw(host.handle);
    EXPECT_FALSE(headerSkinned());

    // The skin comes back: the same link hooks the header again.
    M->SetActive(true);
    SendMessageW(lv, SM_ALPHACMD, fresh, LPARAM(M));
    SendMessageW(lv, SM_ALPHACMD, refresh, LPARAM(M));
    EXPECT_EQ(w->FhHeaderProc, link);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(header, GWLP_WNDPROC)), link);
    Redraw(host.handle);
    EXPECT_TRUE(headerSkinned());

    // Another subclasser on top: letting go keeps the chain whole.
    gBelowTop = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(header, GWLP_WNDPROC, LONG_PTR(&TopProc)));
    EXPECT_EQ(gBelowTop, link);
    SendMessageW(lv, SM_ALPHACMD, remove, LPARAM(M));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(header, GWLP_WNDPROC)), &TopProc);
    EXPECT_NE(w->FhHeaderProc, link);  // the old one stays a pass-through
    gTopCalls = 0;
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(gTopCalls, 1);
    // The subclasser goes: the pass-through takes itself out at the next message.
    SetWindowLongPtrW(header, GWLP_WNDPROC, LONG_PTR(gBelowTop));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(header, GWLP_WNDPROC)), own);
    // And the wrapper's new link hooks it when the skin is there again.
    SendMessageW(lv, SM_ALPHACMD, refresh, LPARAM(M));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(header, GWLP_WNDPROC)), w->FhHeaderProc);

    DestroyWindow(lv);
    EXPECT_EQ(w->FhWndHeader, nullptr);
    EXPECT_TRUE(w->Destroyed);
    delete w;
}

TEST(ListViewWnd, ThumbDragsScrollByWholeItems) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    Host host(360, 400, kHost);
    HWND rep = Child(WC_LISTVIEWW, LVS_REPORT, host.handle, 10, 10, 330, 160);
    AddColumn(rep, 0, L"Name", 200, LVCFMT_LEFT);
    AddItems(rep, 60);
    HWND list = Child(WC_LISTVIEWW, LVS_LIST, host.handle, 10, 190, 330, 120);
    AddItems(list, 60);
    auto* wr = CreateListViewWnd(rep, nullptr, M);
    auto* wl = CreateListViewWnd(list, nullptr, M);
    Redraw(host.handle);

    // Report view: positions are items.
    struct Step {
        int pos, top;
    } steps[] = {{7, 7}, {7, 7}, {3, 3}, {12, 12}};
    nLastSBPos = 0;
    for (const Step& s : steps) {
        SendScrollMessage(rep, WM_VSCROLL, SB_THUMBTRACK, s.pos);
        nLastSBPos = s.pos;
        EXPECT_EQ(SendMessageW(rep, LVM_GETTOPINDEX, 0, 0), s.top) << s.pos;
    }
    // List view: horizontal positions are columns of items.
    RECT before{};
    before.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 0, LPARAM(&before));
    nLastSBPos = 0;
    SendScrollMessage(list, WM_HSCROLL, SB_THUMBTRACK, 2);
    nLastSBPos = 2;
    RECT after{};
    after.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 0, LPARAM(&after));
    EXPECT_EQ(after.left, before.left - 2 * (before.right - before.left));

    Redraw(host.handle);
    auto shot = host.Grab();
    SaveScreenshot(*shot, L"skin-windows-lists-dragged.bmp");
    DestroyWindow(rep);
    DestroyWindow(list);
    delete wr;
    delete wl;
}
