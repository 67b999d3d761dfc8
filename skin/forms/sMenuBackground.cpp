// One background per open menu (section, icon column, frame, extra line),
// built at its first item and shared by all of them; the menu window's frame
// and region come from the same bitmap.
#include <windows.h>

#include <algorithm>

#include "framework/windows/Application.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sConst.h"
#include "skin/engine/sLibraryStartUp.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/paint/sRegions.h"
#include "skin/paint/sSectionBG.h"
#include "skin/paint/sSectionPaint.h"
#include "skin/paint/sSkinRect.h"

namespace skin {

std::vector<TacMenuInfo> MenuInfoArray;
int IcoLineWidth = 0;

namespace {

// Extra-line data of the last query, shared by all menus.
fw::String ExtraSection;
fw::String ExtraCaption;
fw::TBitmap* ExtraGlyph = nullptr;  // owned
bool ExtraQuerying = false;

void FreeExtraGlyph() {
    delete ExtraGlyph;
    ExtraGlyph = nullptr;
}

// Set on a menu window whose region is made (the window's own record, gone with it).
const wchar_t kRegionProp[] = L"acMenuRgn";
const wchar_t kOldProcProp[] = L"acMenuOldProc";

LRESULT CALLBACK MenuWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    auto old = reinterpret_cast<WNDPROC>(GetPropW(Wnd, kOldProcProp));
    if (Msg == SM_ALPHACMD) {
        // The region flag, for a window no wrapper answers for.
        if (HIWORD(WParam) == smcMenuRgnQuery) return GetPropW(Wnd, kRegionProp) ? 1 : 0;
        if (HIWORD(WParam) == smcMenuRgnSetting) {
            SetPropW(Wnd, kRegionProp, HANDLE(1));
            return 1;
        }
    }
    switch (Msg) {
        case WM_ERASEBKGND:
        case WM_NCPAINT:
            // The items and the strips copied beside them paint the whole window.
            return 1;
        case WM_DESTROY:
            ClearCache();
            break;
        case WM_NCDESTROY:
            RemovePropW(Wnd, kRegionProp);
            RemovePropW(Wnd, kOldProcProp);
            SetWindowLongPtrW(Wnd, GWLP_WNDPROC, LONG_PTR(old));
            break;
        default:
            break;
    }
    return old ? CallWindowProcW(old, Wnd, Msg, WParam, LParam) : DefWindowProcW(Wnd, Msg, WParam, LParam);
}

// Every menu of the application's components, children first-found.
fw::TMenuItem* FindItemByCommand(fw::TComponent* C, WORD Command) {
    if (auto* m = dynamic_cast<fw::TMenu*>(C))
        if (fw::TMenuItem* it = m->FindItem(Command, fw::fkCommand)) return it;
    for (int i = 0; i < C->ComponentCount(); ++i)
        if (fw::TMenuItem* it = FindItemByCommand(C->Components(i), Command)) return it;
    return nullptr;
}

}  // namespace

void ClearCache() {
    for (TacMenuInfo& mi : MenuInfoArray) delete mi.Bmp;
    MenuInfoArray.clear();
}

int TsSkinableMenus::ExtraWidth(const TacMenuInfo& mi) const {
    TsSkinManager* m = Manager();
    return m && m->MenuSupport()->UseExtraLine && mi.HaveExtraLine ? m->MenuSupport()->ExtraLineWidth : 0;
}

int TsSkinableMenus::GetSkinBorderWidth() {
    if (SkinBorderWidth >= 0) return SkinBorderWidth;
    TsSkinManager* m = Manager();
    const int i = m ? m->GetMaskIndex(L"MAINMENU", L"BORDERSMASK") : -1;
    if (!m || !m->IsValidImgIndex(i))
        SkinBorderWidth = 0;
    else
        SkinBorderWidth = m->ma[size_t(i)].BorderWidth > 0 ? m->ma[size_t(i)].BorderWidth : 3;
    return SkinBorderWidth;
}

TacMenuInfo TsSkinableMenus::GetMenuInfo(fw::TMenuItem* Item, int aWidth, int aHeight, HWND aWnd) {
    if (!Item) {
        if (aWnd)
            for (const TacMenuInfo& mi : MenuInfoArray)
                if (mi.Wnd == aWnd) return mi;
        return TacMenuInfo();
    }
    fw::TMenuItem* key = GetFirstItem(Item);
    for (const TacMenuInfo& mi : MenuInfoArray)
        if (mi.FirstItem == key) return mi;
    if (aWidth == 0) return TacMenuInfo();
    PrepareMenuBG(key, aWidth, aHeight, aWnd);
    return GetMenuInfo(Item, 0, 0, 0);
}

fw::TBitmap* TsSkinableMenus::CachedMenuBitmap(HWND Wnd) const {
    if (!Wnd) return nullptr;
    for (const TacMenuInfo& mi : MenuInfoArray)
        if (mi.Wnd == Wnd) return mi.Bmp;
    return nullptr;
}

namespace {

// The extra line's strip: section, glyph, caption reading bottom to top.
void PaintExtraLine(TsSkinManager* m, int Section, fw::TBitmap* Bmp, const TCacheInfo& CI, int SBW, int Width,
                    int Height) {
    fw::TBitmap strip(Width, std::max(0, Height - 2 * SBW), fw::pf24bit);
    PaintItem(Section, ExtraSection, CI, true, 0, fw::TRect(0, 0, strip.Width(), strip.Height()), fw::TPoint(SBW, SBW),
              &strip, m);
    int bottom = 12;
    if (ExtraGlyph && !ExtraGlyph->Empty()) {
        strip.Canvas()->Draw((strip.Width() - ExtraGlyph->Width()) / 2, strip.Height() - 12 - ExtraGlyph->Height(),
                             ExtraGlyph);
        bottom = ExtraGlyph->Height() + 20;
    }
    if (!ExtraCaption.empty()) {
        const fw::TFont* f = m->MenuSupport()->ExtraLineFont();
        LOGFONTW lf{};
        lf.lfHeight = std::abs(f->Size());
        lf.lfEscapement = lf.lfOrientation = -2700;
        lf.lfWeight = FW_NORMAL;
        lf.lfItalic = f->Style().Contains(fw::fsItalic);
        lf.lfUnderline = f->Style().Contains(fw::fsUnderline);
        lf.lfStrikeOut = f->Style().Contains(fw::fsStrikeOut);
        lf.lfCharSet = f->Charset();
        lstrcpynW(lf.lfFaceName, f->Name().c_str(), LF_FACESIZE);
        HFONT font = CreateFontIndirectW(&lf);
        HDC dc = strip.Canvas()->Handle();
        HGDIOBJ old = SelectObject(dc, font);
        SetTextColor(dc, COLORREF(fw::ColorToRGB(m->gd[size_t(Section)].FontColor[0])));
        SetBkMode(dc, TRANSPARENT);
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        RECT r{0, 0, strip.Width(), strip.Height()};
        ExtTextOutW(dc, (strip.Width() - tm.tmHeight) / 2, strip.Height() - bottom, ETO_CLIPPED, &r,
                    ExtraCaption.c_str(), UINT(ExtraCaption.size()), nullptr);
        SelectObject(dc, old);
        DeleteObject(font);
    }
    BitBlt(Bmp->Canvas()->Handle(), SBW, SBW, strip.Width(), strip.Height(), strip.Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace

bool TsSkinableMenus::QueryExtraLine(fw::TMenuItem* First) {
    TsSkinManager* m = Manager();
    // A skin-selection menu never has the line; a query made from a handler is not repeated.
    if (!First || First->Name() == L"SkinSelectItem" || ExtraQuerying) return false;
    ExtraQuerying = true;
    ExtraSection = L"EXTRALINE";
    FreeExtraGlyph();
    ExtraCaption = L"Use OnGetExtraLineData event";
    bool have = true;
    if (m && m->OnGetMenuExtraLineData) m->OnGetMenuExtraLineData(First, ExtraSection, ExtraCaption, ExtraGlyph, have);
    ExtraCaption.erase(std::remove(ExtraCaption.begin(), ExtraCaption.end(), L'&'), ExtraCaption.end());
    if (!have) FreeExtraGlyph();
    ExtraQuerying = false;
    return have;
}

fw::TBitmap* TsSkinableMenus::PrepareMenuBG(fw::TMenuItem* Item, int Width, int Height, HWND Wnd) {
    TsSkinManager* m = Manager();
    TacMenuInfo mi;
    mi.FirstItem = GetFirstItem(Item);
    mi.Wnd = Wnd;
    mi.HaveExtraLine = QueryExtraLine(mi.FirstItem);
    mi.Bmp = new fw::TBitmap(std::max(0, Width), std::max(0, Height), fw::pf24bit);
    const fw::TRect R(0, 0, Width, Height);
    IcoLineWidth = Margin + GlyphSize(Item).X + Spacing;
    const int S = m ? m->GetSkinIndex(L"MAINMENU") : -1;
    ArOR.clear();
    if (m && m->IsValidSkinIndex(S)) {
        const int SBW = GetSkinBorderWidth();
        const int EW = ExtraWidth(mi);
        PaintItemBG(S, L"MAINMENU", EmptyCI, 0, R, fw::TPoint(0, 0), mi.Bmp, m, -1, -1, TColor(0xFF00FF));
        const TCacheInfo CI = MakeCacheInfo(mi.Bmp);
        const fw::String ico = m->MenuSupport()->IcoLineSkin;
        const int icoIndex = ico.empty() ? -1 : m->GetSkinIndex(ico);
        if (m->IsValidSkinIndex(icoIndex) && Height > 2 * SBW) {
            fw::TBitmap col(IcoLineWidth, Height - 2 * SBW, fw::pf24bit);
            PaintItem(icoIndex, ico, CI, true, 0, fw::TRect(0, 0, col.Width(), col.Height()), fw::TPoint(EW + SBW, SBW),
                      &col, m);
            BitBlt(mi.Bmp->Canvas()->Handle(), EW + SBW, SBW, col.Width(), col.Height(), col.Canvas()->Handle(), 0, 0,
                   SRCCOPY);
        }
        const int mask = m->GetMaskIndex(S, L"MAINMENU", L"BORDERSMASK");
        const bool haveMask = m->IsValidImgIndex(mask);
        if (haveMask) DrawSkinRect(mi.Bmp, R, false, CI, m->ma[size_t(mask)], 0, false);
        if (EW > 0 && Height > 2 * SBW) {
            const int extra = m->GetSkinIndex(ExtraSection);
            if (m->IsValidSkinIndex(extra)) PaintExtraLine(m, extra, mi.Bmp, CI, SBW, EW, Height);
        }
        if (haveMask) {
            const TsMaskData& md = m->ma[size_t(mask)];
            AddRgn(ArOR, Width, md, 0, false);
            AddRgn(ArOR, Width, md, Height - md.WB, true);
        }
        if (Wnd) DrawWndBorder(Wnd, mi.Bmp);
    } else {
        // A skin without a menu section: the system's menu colour, not the
        // new bitmap's black under the items' text.
        FillDC(mi.Bmp->Canvas()->Handle(), fw::TRect(0, 0, Width, Height), fw::TColor(GetSysColor(COLOR_MENU)));
    }
    FreeExtraGlyph();
    MenuInfoArray.push_back(mi);
    return mi.Bmp;
}

void TsSkinableMenus::ClearCache() { skin::ClearCache(); }

void TsSkinableMenus::DrawWndBorder(HWND Wnd, fw::TBitmap* MenuBmp) {
    if (BorderDrawing || !Wnd || !IsWindow(Wnd)) return;
    // A window the hook gave a wrapper keeps it as its only subclass; the
    // wrapper paints the frame and answers the region flag.
    const bool wrapped = SendMessageW(Wnd, SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0) == 1;
    if (!wrapped && GetWindowLongPtrW(Wnd, GWLP_WNDPROC) != LONG_PTR(&MenuWndProc)) {
        // The previous procedure is kept on the window itself, so one
        // stateless procedure serves every menu window.
        SetPropW(Wnd, kOldProcProp, HANDLE(GetWindowLongPtrW(Wnd, GWLP_WNDPROC)));
        SetWindowLongPtrW(Wnd, GWLP_WNDPROC, LONG_PTR(&MenuWndProc));
    }
    if (IsNT && MenuBmp && SendMessageW(Wnd, SM_ALPHACMD, MAKEWPARAM(0, smcMenuRgnQuery), 0) == 0) {
        SendMessageW(Wnd, SM_ALPHACMD, MAKEWPARAM(0, smcMenuRgnSetting), 0);
        BorderDrawing = true;
        HRGN rgn;
        if (ArOR.empty()) {
            rgn = CreateRectRgn(0, 0, MenuBmp->Width(), MenuBmp->Height());
            HRGN corner = CreateRectRgn(0, 0, 1, 1);
            CombineRgn(rgn, rgn, corner, RGN_DIFF);
            DeleteObject(corner);
        } else
            rgn = GetRgnFromRuns(ArOR, 0, 0, MenuBmp->Width(), MenuBmp->Height());
        SetWindowRgn(Wnd, rgn, TRUE);
        fw::Application->ProcessMessages();
    }
    BorderDrawing = false;
}

void TsSkinableMenus::ItemBorder(LPARAM Key) {
    // The key is the item's command: an item freed since the posting is simply not found.
    if (!fw::Application.Exists()) return;
    fw::TMenuItem* item = FindItemByCommand(fw::Application.get(), WORD(Key));
    if (!item || !item->Parent()) return;
    fw::TMenuItem* list = item->Parent();
    HMENU menu = list->HandleIfMade();
    if (!menu) return;
    const int n = GetMenuItemCount(menu);
    for (int pos = 0; pos < n; ++pos) {
        if (GetMenuItemID(menu, pos) != item->Command()) continue;
        RECT r;
        if (!GetMenuItemRect(nullptr, menu, UINT(pos), &r)) return;
        HWND wnd = WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        if (!wnd) return;
        RECT wr;
        GetWindowRect(wnd, &wr);
        TacMenuInfo mi = GetMenuInfo(item, wr.right - wr.left, wr.bottom - wr.top, wnd);
        if (mi.Bmp) DrawWndBorder(wnd, mi.Bmp);
        return;
    }
}

}  // namespace skin
