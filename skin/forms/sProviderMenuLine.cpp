// The menu line of a skinned form with a main menu: the platform keeps the
// bar (its place under the title, its measuring, hit test and menu loop);
// the provider paints its band from the skin into the window image and the
// items, owner-drawn, draw themselves over a copy of that band, whether into
// the image or straight onto the window while the platform tracks the menu.
#include <windows.h>

#include <algorithm>

#include "skin/engine/TextUtils.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/sMenuLine.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sFadeSum.h"
#include "skin/paint/sSectionPaint.h"
#include "skin/paint/sTextOut.h"

namespace skin {

namespace {

// One measuring of the bar at a time, library-wide.
bool MenuUpdating = false;

TsSkinableMenus* MenusOf(TsSkinManager* m) { return m ? dynamic_cast<TsSkinableMenus*>(m->SkinableMenus()) : nullptr; }

// The menu line's section: the provider's own when the skin has it.
int LineSection(TsSkinManager* m, const fw::String& Own, fw::String& Name) {
    if (!m) return -1;
    if (!Own.empty()) {
        const int i = m->GetSkinIndex(Own);
        if (m->IsValidSkinIndex(i)) {
            Name = Own;
            return i;
        }
    }
    Name = L"MENULINE";
    return m->GetSkinIndex(Name);
}

fw::TRect WindowRectOfItem(HWND Wnd, HMENU Menu, int Pos) {
    RECT r{}, wr{};
    if (!GetMenuItemRect(Wnd, Menu, UINT(Pos), &r)) return fw::TRect();
    GetWindowRect(Wnd, &wr);
    return fw::TRect(r.left - wr.left, r.top - wr.top, r.right - wr.left, r.bottom - wr.top);
}

// The item's place in the platform's bar, from From on: the bar can hold
// items that are not the form's (a maximised MDI child's window menu and
// buttons), so places are found by submenu or command, not counted.
int BarPositionOf(HMENU Bar, fw::TMenuItem* Item, int From) {
    const int n = GetMenuItemCount(Bar);
    for (int p = From; p < n; ++p) {
        const HMENU sub = GetSubMenu(Bar, p);
        if (sub ? sub == Item->HandleIfMade() : GetMenuItemID(Bar, p) == Item->Command()) return p;
    }
    return -1;
}

}  // namespace

void TsSkinProvider::SetMenuLineSkin(const fw::String& Value) {
    if (FMenuLineSkin == Value) return;
    FMenuLineSkin = Value;
    RepaintMenu();
}

int TsSkinProvider::LinesCount() const {
    if (FLinesCount >= 0) return FLinesCount;
    fw::TMainMenu* menu = Form ? Form->Menu() : nullptr;
    if (!menu || !Form->HandleAllocated()) return FLinesCount = 0;
    const HWND h = Form->WindowHandle();
    RECT first{};
    // Not known yet (the bar is not laid out): one row, asked again later.
    if (GetMenu(h) != menu->Items()->HandleIfMade() || !GetMenuItemRect(h, GetMenu(h), 0, &first)) return 1;
    const TFrameState s = FrameStateOf(Form, HaveSysMenu);
    RECT wr{};
    GetWindowRect(h, &wr);
    const int clientTop = wr.top + s.Height - s.ClientHeight - BorderHeight(s, FMetrics);
    return FLinesCount = MenuLinesCount(first.bottom, clientTop, FMetrics.CyMenu - 1);
}

bool TsSkinProvider::MenuPresent() const {
    if (!Form || Form->BorderStyle() == fw::bsDialog || Form->FormStyle() == fw::fsMDIChild) return false;
    fw::TMainMenu* menu = Form->Menu();
    if (!menu || menu->AutoMerge()) return false;
    auto anyVisible = [](fw::TMainMenu* m) {
        for (int i = 0; i < m->Items()->Count(); ++i)
            if (m->Items()->Items(i)->Visible()) return true;
        return false;
    };
    if (anyVisible(menu)) return true;
    // An MDI parent's bar also holds its active child's items.
    fw::TCustomForm* child = Form->FormStyle() == fw::fsMDIForm ? Form->ActiveMDIChild() : nullptr;
    return child && child->Menu() && anyVisible(child->Menu());
}

namespace {

void HookMenusOf(fw::TComponent* C, TsSkinableMenus* Menus, bool A, bool Line, bool Popups) {
    if (auto* main = dynamic_cast<fw::TMainMenu*>(C)) {
        Menus->InitMenuLine(main, A && Line);
        for (int i = 0; i < main->Items()->Count(); ++i) Menus->HookItem(main->Items()->Items(i), A && Popups);
    } else if (auto* popup = dynamic_cast<fw::TPopupMenu*>(C)) {
        Menus->HookPopupMenu(popup, A && Popups);
    } else if (auto* item = dynamic_cast<fw::TMenuItem*>(C)) {
        if (!dynamic_cast<fw::TMainMenu*>(item->GetParentMenu())) Menus->HookItem(item, A && Popups);
    }
    for (int i = 0; i < C->ComponentCount(); ++i) HookMenusOf(C->Components(i), Menus, A, Line, Popups);
}

}  // namespace

void TsSkinProvider::InitMenuItems(bool A) {
    TsSkinManager* m = SkinManager();
    TsSkinableMenus* menus = MenusOf(m);
    if (!Form || !menus || !m->IsDefault()) return;
    for (int i = 0; i < Form->ComponentCount(); ++i)
        HookMenusOf(Form->Components(i), menus, A, FDrawNonClientArea, m->SkinnedPopups());
}

bool TsSkinProvider::UpdateMenu() {
    if (MenuUpdating) return false;
    fw::TMainMenu* menu = Form ? Form->Menu() : nullptr;
    if (!menu || menu->Items()->Count() == 0) return false;
    MenuUpdating = true;
    menu->Items()->Items(0)->MenuChanged(true);
    MenuUpdating = false;
    return true;
}

void TsSkinProvider::RepaintMenu() {
    FCommonData->BGChanged = true;
    MenuChanged = true;
    FLinesCount = -1;
    if (Form && Form->HandleAllocated()) SendMessageW(Form->WindowHandle(), WM_NCPAINT, 0, 0);
}

void TsSkinProvider::PaintMenuLine(fw::TBitmap* Cache) {
    TsSkinManager* m = SkinManager();
    fw::TMainMenu* menu = Form->Menu();
    if (!m || !menu || !Cache) return;
    const fw::TRect R = MenuLineBand();
    if (R.Width() <= 0 || R.Height() <= 0) return;
    fw::String name;
    const int S = LineSection(m, FMenuLineSkin, name);
    if (m->IsValidSkinIndex(S)) PaintItem(S, name, EmptyCI, true, FormActive ? 1 : 0, R, R.TopLeft(), Cache, m);
    if (!MenuLineBmp) MenuLineBmp = std::make_unique<fw::TBitmap>();
    MenuLineBmp->SetPixelFormat(fw::pf24bit);
    MenuLineBmp->SetSize(R.Width(), R.Height());
    BitBlt(MenuLineBmp->Canvas()->Handle(), 0, 0, R.Width(), R.Height(), Cache->Canvas()->Handle(), R.Left, R.Top,
           SRCCOPY);

    // The items where the platform laid them out (hidden ones are not in the bar).
    const HWND h = Form->WindowHandle();
    const HMENU bar = GetMenu(h);
    if (!bar || bar != menu->Items()->HandleIfMade()) return;
    int x = R.Left, pos = 0;
    PaintMDIMenuLine(Cache, x);
    // The bar's own items and those merged from an MDI parent's active child,
    // in the bar's order.
    for (fw::TMenuItem* item : menu->BarItems()) {
        if (!item->OnMeasureItem || !item->OnAdvancedDrawItem) {
            auto* own = dynamic_cast<fw::TMainMenu*>(item->GetParentMenu());
            if (TsSkinableMenus* menus = MenusOf(m); menus && own) menus->InitMenuLine(own, true);
            if (!menu->OwnerDraw()) UpdateMenu();
        }
        const int at = BarPositionOf(bar, item, pos);
        if (at < 0) continue;
        pos = at + 1;
        fw::TRect ir = WindowRectOfItem(h, bar, at);
        fw::OffsetRect(ir, FormInImage().X, FormInImage().Y);
        if (ir.Width() <= 0 || !item->OnAdvancedDrawItem) continue;
        item->OnAdvancedDrawItem(item, Cache->Canvas(), ir, fw::TOwnerDrawState{fw::odNoAccel, fw::odReserved1});
        x = ir.Right;
    }
}

void TsSkinProvider::RepaintMenuItem(fw::TMenuItem* Item, const fw::TRect& R, fw::TOwnerDrawState State) {
    fw::TMainMenu* menu = Form ? Form->Menu() : nullptr;
    fw::TBitmap* cache = FCommonData->FCacheBmp;
    if (!Item || !menu || !cache || !MenuPresent() || !Item->OnAdvancedDrawItem) return;
    if (!menu->FindItem(UINT_PTR(Item->Command()), fw::fkCommand)) return;
    Item->OnAdvancedDrawItem(Item, cache->Canvas(), R, State);
    const HWND h = Form->WindowHandle();
    HDC dc = GetWindowDC(h);
    BitBlt(dc, R.Left, R.Top, R.Width(), R.Height(), cache->Canvas()->Handle(), R.Left, R.Top, SRCCOPY);
    ReleaseDC(h, dc);
}

// ---- one item of the line, drawn by the skinned menus

void TsSkinableMenus::sAdvancedDrawLineItem(fw::TObject* Sender, fw::TCanvas* ACanvas, fw::TRect ARect,
                                            fw::TOwnerDrawState State) {
    auto* item = dynamic_cast<fw::TMenuItem*>(Sender);
    TsSkinManager* m = Manager();
    fw::TMenu* menu = item ? item->GetParentMenu() : nullptr;
    if (!item || !m || !menu) return;
    // The bar the item is in: an MDI child's items stand in their parent's.
    fw::TMenu* bar = menu;
    if (auto* main = dynamic_cast<fw::TMainMenu*>(menu); main && main->MergedInto()) bar = main->MergedInto();
    TsSkinProvider* sp = nullptr;
    auto* mdi = dynamic_cast<TsSkinProvider*>(MDISkinProvider);
    if (mdi && mdi->Form && mdi->Form->Menu() == bar)
        sp = mdi;
    else if (bar->WindowHandle() && IsWindow(bar->WindowHandle()))
        sp = dynamic_cast<TsSkinProvider*>(reinterpret_cast<TsSkinProviderBase*>(
            SendMessageW(bar->WindowHandle(), SM_ALPHACMD, MAKEWPARAM(0, smcGetProvider), 0)));
    if (!sp || !sp->SkinData()->FCacheBmp || !sp->MenuLineBmp || !sp->Form) return;
    const int W = std::max<int>(0, ARect.Width()), H = std::max<int>(0, ARect.Height());
    if (!W || !H) return;
    const fw::TPoint at = sp->MenuLineOrigin(ARect, ACanvas != sp->SkinData()->FCacheBmp->Canvas());
    fw::TBitmap B(W, H, fw::pf24bit);
    const bool enabled = item->Enabled();
    const bool hot = (enabled && State.Contains(fw::odSelected)) || State.Contains(fw::odHotLight);
    const int S = m->GetSkinIndex(L"MENUITEM");
    if (m->IsValidSkinIndex(S))
        PaintItem(S, L"MENUITEM", MakeCacheInfo(sp->MenuLineBmp.get()), true, hot ? 1 : 0, fw::TRect(0, 0, W, H), at,
                  &B, m);
    else
        BitBlt(B.Canvas()->Handle(), 0, 0, W, H, sp->MenuLineBmp->Canvas()->Handle(), at.X, at.Y, SRCCOPY);
    int gw = 0;
    if (item->HasBitmap()) {
        const fw::TPoint G = GlyphSize(item);
        B.Canvas()->Draw(3, enabled ? (H - G.Y) / 2 : 1, item->Bitmap());
        gw = G.X - 1;
    } else if (menu->Images() && item->ImageIndex() >= 0) {
        fw::TCustomImageList* images = menu->Images();
        images->Draw(B.Canvas(), 3, (H - images->Height()) / 2, item->ImageIndex(), true);
        gw = images->Width() + 3;
    }
    SetMenuFont(B.Canvas(), item);
    B.Canvas()->Font()->SetStyle(State.Contains(fw::odDefault) ? fw::TFontStyles() + fw::fsBold : fw::TFontStyles());
    fw::TRect tr(2 + gw, 0, W - 2 * Margin + 2, H);
    unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;
    if (State.Contains(fw::odNoAccel)) flags |= DT_HIDEPREFIX;
    fw::String name;
    const int line = LineSection(m, sp->MenuLineSkin(), name);
    acWriteTextEx(B.Canvas(), item->Caption().c_str(), true, tr, flags, m->IsValidSkinIndex(line) ? line : S, hot, m);
    MenuItemType = smTopLine;
    if (OnDrawItem) OnDrawItem(item, B.Canvas(), fw::TRect(0, 0, W, H), State, smTopLine);
    // A disabled item shows mostly the line under it.
    if (!enabled)
        SumBmpRect(&B, sp->MenuLineBmp.get(), TsColor(102), fw::TRect(at.X, at.Y, at.X + W, at.Y + H), {0, 0});
    BitBlt(ACanvas->Handle(), ARect.Left, ARect.Top, W, H, B.Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace skin
