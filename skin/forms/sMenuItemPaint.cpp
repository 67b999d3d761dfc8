// Measuring and drawing one menu item: off-screen into a bitmap of the item's
// size, over the menu's shared background, then copied once.
#include <windows.h>

#include <algorithm>
#include <cmath>

#include "framework/windows/Application.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sConst.h"
#include "skin/engine/sLibraryStartUp.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStyleSimply.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sChannels.h"
#include "skin/paint/sCopies.h"
#include "skin/paint/sGlyphs.h"
#include "skin/paint/sSectionPaint.h"
#include "skin/paint/sSkinRect.h"
#include "skin/paint/sTextOut.h"
#include "skin/paint/sVclUtils.h"
#include "skin/windows/acMnuWnd.h"

namespace skin {

namespace {

fw::TMenuItem* ItemOf(fw::TObject* Sender) {
    auto* item = dynamic_cast<fw::TMenuItem*>(Sender);
    return item && !item->ComponentState().Contains(fw::csDestroying) ? item : nullptr;
}

// The text an item is measured by: caption and shortcut side by side.
fw::String MeasuredText(const fw::TMenuItem* Item, TsMenuItemType Kind) {
    switch (Kind) {
        case smDivider:
            return fw::String();
        case smCaption:
            return L"-" + Item->Caption() + L"-";
        default:
            return Item->Caption() + fw::ShortCutToText(Item->ShortCut());
    }
}

int TextWidthOf(fw::TCanvas* Canvas, const fw::String& Text, unsigned Flags) {
    fw::TRect r(0, 0, 0, 0);
    acDrawText(Canvas->Handle(), Text, r, Flags | DT_CALCRECT);
    return r.Width();
}

bool IsLastVisible(const fw::TMenuItem* Item) {
    const fw::TMenuItem* p = Item->Parent();
    for (int i = p->Count() - 1; i >= 0; --i)
        if (p->Items(i)->Visible()) return p->Items(i) == Item;
    return false;
}

bool IsFirstVisible(const fw::TMenuItem* Item) {
    const fw::TMenuItem* p = Item->Parent();
    for (int i = 0; i < p->Count(); ++i)
        if (p->Items(i)->Visible()) return p->Items(i) == Item;
    return false;
}

void Copy(HDC Dst, int X, int Y, int W, int H, fw::TBitmap* Src, int SX, int SY) {
    if (W > 0 && H > 0) BitBlt(Dst, X, Y, W, H, Src->Canvas()->Handle(), SX, SY, SRCCOPY);
}

// What the painting of one normal item reads, worked out once.
struct TItemPaint {
    fw::TMenuItem* Item;
    TsSkinManager* M;
    fw::TOwnerDrawState State;
    fw::TRect ARect;
    fw::TBitmap* Bg;  // the menu's background
    fw::TPoint Co;    // where the client area lies in it
    int EW;           // the extra line's width
    int FirstCol;     // 0 for an item that starts a column, else 1
    int Section;      // "MENUITEM"
    int ItemState;    // 1 selected, else 0
    bool Enabled;
};

// Below the last item of a column, and left of a new column, the menu's
// background shows through.
void PaintColumnGaps(HDC DC, const TItemPaint& P) {
    const fw::TMenuItem* list = P.Item->Parent();
    const int index = list->IndexOf(P.Item);
    const bool nextBreaks = index + 1 < list->Count() && list->Items(index + 1)->Break() != fw::mbNone;
    const bool last = index + 1 == list->Count();
    const fw::TRect& R = P.ARect;
    const int clientBottom = P.Bg->Height() - 2 * P.Co.Y;
    if (nextBreaks || (last && R.Bottom < clientBottom))
        Copy(DC, R.Left, R.Bottom, R.Width(), clientBottom - R.Bottom, P.Bg, R.Left + P.Co.X, R.Bottom + P.Co.Y);
    if (P.Item->Break() != fw::mbNone)
        Copy(DC, R.Left - 4, R.Top, 4, clientBottom, P.Bg, R.Left - 4 + P.Co.X, R.Top + P.Co.Y);
}

// The item's section over the menu's background; a skin without an item
// section: the item stands on the menu's background, a selected one on the
// system's highlight.
void PaintItemBackground(fw::TBitmap& B, const TItemPaint& P) {
    const int x = P.EW * P.FirstCol + P.ARect.Left;
    if (P.M->IsValidSkinIndex(P.Section)) {
        PaintItem(P.Section, L"MENUITEM", MakeCacheInfo(P.Bg, P.Co.X, P.Co.Y), true, P.ItemState,
                  fw::TRect(0, 0, B.Width(), P.ARect.Height()), fw::TPoint(x, P.ARect.Top), &B, P.M);
        return;
    }
    Copy(B.Canvas()->Handle(), 0, 0, B.Width(), B.Height(), P.Bg, x + P.Co.X, P.ARect.Top + P.Co.Y);
    if (P.ItemState == 1) {
        const RECT all{0, 0, B.Width(), B.Height()};
        FillRect(B.Canvas()->Handle(), &all, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
}

// The check mark of an item without a picture, else its picture (bitmap,
// image-list image) framed when checked, or the window menu's glyph.
void PaintItemPicture(fw::TBitmap& B, const TsSkinableMenus& Menus, const TItemPaint& P) {
    fw::TMenuItem* item = P.Item;
    TsSkinManager* m = P.M;
    const bool hasImage =
        !item->HasBitmap() && item->ImageIndex() >= 0 &&
        ((item->Parent()->SubMenuImages()) || (item->GetParentMenu() && item->GetParentMenu()->Images()));
    if (P.State.Contains(fw::odChecked) && !item->HasBitmap() && !hasImage) {
        int img = m->GetMaskIndex(L"GLOBALINFO", item->RadioItem() ? L"RADIOCHECKED" : L"CHECK");
        if (!m->IsValidImgIndex(img) && !item->RadioItem()) img = m->GetMaskIndex(L"GLOBALINFO", L"BOXCHECKED");
        if (m->IsValidImgIndex(img)) {
            const TsMaskData& md = m->ma[size_t(img)];
            const int h = md.MaskType == 1 ? md.R.Height() / 2 : md.R.Height();
            DrawSkinGlyph(&B, fw::TPoint(Menus.Margin, (P.ARect.Height() - h) / 2), P.ItemState, 1, md,
                          MakeCacheInfo(&B));
        }
    }
    const int small = m->GetSkinIndex(L"SPEEDBUTTON_SMALL");
    auto checkedFrame = [&](fw::TRect r) {
        if (!P.State.Contains(fw::odChecked) || !m->IsValidSkinIndex(small)) return;
        r = fw::TRect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
        TCacheInfo ci = MakeCacheInfo(&B);
        ci.Ready = true;
        PaintItem(small, L"SPEEDBUTTON_SMALL", ci, true, 2, r, r.TopLeft(), &B, m);
    };
    if (item->HasBitmap()) {
        // Menus here are never right to left: the picture stands at the left.
        fw::TBitmap* pic = item->Bitmap();
        const int top = (B.Height() - GlyphSize(item).Y) / 2;
        const int left = top;
        const fw::TRect r(left, top, left + pic->Width(), top + pic->Height());
        checkedFrame(r);
        if (pic->PixelFormat() == fw::pf32bit)
            CopyByMask(r, fw::TRect(0, 0, pic->Width(), pic->Height()), &B, pic, EmptyCI, false);
        else
            B.Canvas()->Draw(left, top, pic);
    } else if (hasImage) {
        fw::TCustomImageList* images =
            item->Parent()->SubMenuImages() ? item->Parent()->SubMenuImages() : item->GetParentMenu()->Images();
        const int top = (B.Height() - images->Height()) / 2;
        const int left = top;
        checkedFrame(fw::TRect(left, top, left + images->Width(), top + images->Height()));
        images->Draw(B.Canvas(), left, top, item->ImageIndex(), true);
    } else if (item->GetParentMenu() && item->GetParentMenu()->Name() == L"SysMenu") {
        const wchar_t* glyph = nullptr;
        switch (item->Tag()) {
            case SC_MINIMIZE:
                glyph = L"0";
                break;
            case SC_MAXIMIZE:
                glyph = L"1";
                break;
            case SC_CLOSE:
                glyph = L"r";
                break;
            case SC_RESTORE:
                glyph = L"2";
                break;
            default:
                break;
        }
        if (glyph) {
            B.Canvas()->Font()->SetName(L"Webdings");
            B.Canvas()->Font()->SetStyle(fw::TFontStyles());
            B.Canvas()->Font()->SetSize(10);
            const int h = B.Canvas()->TextHeight(glyph);
            const int top = (B.Height() - h) / 2;
            fw::TRect r(4, top, 4 + h + 10, top + h);
            acWriteTextEx(B.Canvas(), glyph, true, r, 0, P.Section, P.ItemState == 1, m);
        }
    }
}

// The caption, and the shortcut right-aligned at the item's right end in
// every column. Without an item section the text takes the system's menu
// colours.
void PaintItemTexts(fw::TBitmap& B, const TsSkinableMenus& Menus, const TItemPaint& P) {
    fw::TMenuItem* item = P.Item;
    TsSkinManager* m = P.M;
    Menus.SetMenuFont(B.Canvas(), item);
    B.Canvas()->Font()->SetStyle(P.State.Contains(fw::odDefault) ? fw::TFontStyles() + fw::fsBold : fw::TFontStyles());
    fw::TRect cr(0, 0, P.ARect.Width(), P.ARect.Height());
    cr.Left += GlyphSize(item).X + 2 * Menus.Margin + Menus.Spacing;
    fw::String caption = item->Caption();
    unsigned align = Menus.Alignment == fw::taRightJustify ? DT_RIGHT
                     : Menus.Alignment == fw::taCenter     ? DT_CENTER
                                                           : DT_LEFT;
    if (!caption.empty() && caption[0] == L'\b') {
        caption = caption.substr(1) + L"      ";
        align = DT_RIGHT;
    }
    unsigned flags = align | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;
    if (P.State.Contains(fw::odNoAccel)) flags |= DT_HIDEPREFIX;
    const bool hot = P.Enabled && (P.State.Contains(fw::odSelected) || P.State.Contains(fw::odHotLight));
    auto write = [&](const fw::String& Text, fw::TRect R, unsigned Flags) {
        if (m->IsValidSkinIndex(P.Section))
            return acWriteTextEx(B.Canvas(), Text.c_str(), true, R, Flags, P.Section, hot, m);
        B.Canvas()->Brush()->SetStyle(fw::bsClear);
        B.Canvas()->Font()->SetColor(fw::TColor(GetSysColor(P.ItemState == 1 ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT)));
        RECT r = R;
        DrawTextW(B.Canvas()->Handle(), Text.c_str(), int(Text.size()), &r, Flags);
    };
    write(caption, cr, flags);
    const fw::String sc = fw::ShortCutToText(item->ShortCut());
    if (!sc.empty()) {
        const int w = TextWidthOf(B.Canvas(), sc, DT_EXPANDTABS | DT_SINGLELINE);
        fw::TRect r(0, 0, P.ARect.Width(), P.ARect.Height());
        r.Right -= 8 + P.EW * P.FirstCol;
        r.Left = r.Right - w;
        write(sc, r, DT_SINGLELINE | DT_VCENTER);
    }
}

}  // namespace

// ---- measuring

int TsSkinableMenus::GetItemHeight(fw::TCanvas* Canvas, fw::TMenuItem* Item) {
    const TsMenuItemType kind = ItemKindOf(Item);
    if (kind == smDivider) return 2;
    // Halves go to the even neighbour, as the rounding of the item heights always did.
    const int T = int(std::nearbyint(Canvas->TextHeight(L"W") * 1.25));
    if (kind == smCaption) return T + 2 * Margin;
    return std::max<int>(T, GlyphSize(Item).Y) + 2 * Margin;
}

int TsSkinableMenus::MeasureWidth(fw::TCanvas* Canvas, fw::TMenuItem* Item) {
    SetMenuFont(Canvas, Item);
    if (Item->Default()) Canvas->Font()->SetStyle(Canvas->Font()->Style() + fw::fsBold);
    const int w = TextWidthOf(Canvas, MeasuredText(Item, ItemKindOf(Item)), DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
    return 2 * GlyphSize(Item).X + w + 3 * Margin + Spacing;
}

void TsSkinableMenus::sMeasureItem(fw::TObject* Sender, fw::TCanvas* ACanvas, int& Width, int& Height) {
    fw::TMenuItem* item = ItemOf(Sender);
    if (!item) return;
    acCanHookMenu = true;
    TacMenuInfo mi = GetMenuInfo(item, 0, 0, nullptr);
    MenuItemType = ItemKindOf(item);
    if (!mi.FirstItem) mi.HaveExtraLine = QueryExtraLine(GetFirstItem(item));
    Width = MeasureWidth(ACanvas, item);
    if (mi.HaveExtraLine && !Breaked(item)) Width += ExtraWidth(mi);
    Height = GetItemHeight(ACanvas, item);
}

int TsSkinableMenus::ParentWidth(fw::TCanvas* Canvas, fw::TMenuItem* Item) {
    const fw::TMenuItem* p = Item->Parent();
    if (!p) return 0;
    int total = 0, column = 0;
    for (int i = 0; i < p->Count(); ++i) {
        fw::TMenuItem* it = p->Items(i);
        if (!it->Visible()) continue;
        if (it->Break() != fw::mbNone) {
            total += column + 4;
            column = 0;
        }
        column = std::max(column, MeasureWidth(Canvas, it) + 12);
    }
    return column + total;
}

int TsSkinableMenus::ParentHeight(fw::TCanvas* Canvas, fw::TMenuItem* Item) {
    const fw::TMenuItem* p = Item->Parent();
    if (!p) return 0;
    int tallest = 0, column = 0;
    for (int i = 0; i < p->Count(); ++i) {
        fw::TMenuItem* it = p->Items(i);
        if (!it->Visible()) continue;
        if (it->Break() != fw::mbNone) column = 0;
        SetMenuFont(Canvas, it);
        column += GetItemHeight(Canvas, it);
        tallest = std::max(tallest, column);
    }
    return tallest;
}

// ---- the frame strips beside an item

void TsSkinableMenus::CopyItemBorders(HWND Wnd, fw::TMenuItem* Item, const fw::TRect& ARect, const TacMenuInfo& mi) {
    if (!Wnd) {
        // The manager's hook finds the window later; one request pending is enough.
        if (!fw::Application.Exists()) return;
        const HWND app = fw::Application->Handle();
        MSG msg;
        if (app && !PeekMessageW(&msg, app, msgMenuItemBorder, msgMenuWndBorder, PM_NOREMOVE))
            PostMessageW(app, msgMenuItemBorder, 0, LPARAM(Item->Command()));
        return;
    }
    fw::TBitmap* bmp = mi.Bmp;
    if (!bmp) return;
    const int BW = BorderWidth;
    HDC dc = GetWindowDC(Wnd);
    if (IsFirstVisible(Item)) Copy(dc, 0, 0, bmp->Width(), BW, bmp, 0, 0);
    if (IsLastVisible(Item)) Copy(dc, 0, bmp->Height() - BW, bmp->Width(), BW, bmp, 0, bmp->Height() - BW);
    const int left = std::max(GetSkinBorderWidth(), BW) + (Breaked(Item) ? 0 : ExtraWidth(mi));
    const int top = BgOffset.Y + ARect.Top;
    Copy(dc, 0, top, left, ARect.Height(), bmp, 0, top);
    Copy(dc, bmp->Width() - BW, top, BW, ARect.Height(), bmp, bmp->Width() - BW, top);
    ReleaseDC(Wnd, dc);
}

// ---- drawing

void TsSkinableMenus::sAdvancedDrawItem(fw::TObject* Sender, fw::TCanvas* ACanvas, fw::TRect ARect,
                                        fw::TOwnerDrawState State) {
    fw::TMenuItem* item = ItemOf(Sender);
    TsSkinManager* m = Manager();
    if (!item || !m || !m->SkinData || !m->SkinData->Active || !item->Parent()) return;
    const int firstCol = Breaked(item) ? 0 : 1;
    if (TempControl) {
        if (ShowHintStored) fw::Application->SetShowHint(AppShowHint);
        SendAMessage(static_cast<fw::TControl*>(TempControl), WM_MOUSELEAVE);
        TempControl = nullptr;
    }
    // The menu window, else the size the menu will have.
    const HWND wnd = IsNT ? WindowFromDC(ACanvas->Handle()) : nullptr;
    fw::TRect R;
    if (wnd) {
        RECT wr;
        GetWindowRect(wnd, &wr);
        R = fw::TRect(wr);
    } else {
        R = fw::TRect(0, 0, ParentWidth(ACanvas, item) + 2 * BorderWidth,
                      ParentHeight(ACanvas, item) + 2 * BorderWidth);
    }
    // Items stand in the client area, which lies inside the frame on Windows
    // but is the whole window on Wine (its menus draw no frame of their own).
    BgOffset = wnd ? MenuClientOffset(wnd) : fw::TPoint(BorderWidth, BorderWidth);
    const TacMenuInfo mi = GetMenuInfo(item, R.Width(), R.Height(), wnd);
    fw::TBitmap* bg = mi.Bmp;
    const int EW = ExtraWidth(mi);
    CopyItemBorders(wnd, item, ARect, mi);

    const TsMenuItemType kind = ItemKindOf(item);
    if (kind == smDivider) return PaintDivider(ACanvas, ARect, item, bg, mi);
    if (kind == smCaption) return PaintCaption(ACanvas, ARect, item, bg, mi);
    MenuItemType = smNormal;
    if (!bg) return;

    TItemPaint P{item, m, State, ARect, bg, BgOffset, EW, firstCol, m->GetSkinIndex(L"MENUITEM"), 0, item->Enabled()};
    P.ItemState = P.Enabled && State.Contains(fw::odSelected) ? 1 : 0;
    HDC canvasDC = ACanvas->Handle();
    const fw::TPoint& co = BgOffset;
    const bool enabled = P.Enabled;
    PaintColumnGaps(canvasDC, P);
    fw::TBitmap B(std::max<int>(0, ARect.Width() - EW * firstCol), std::max<int>(0, ARect.Height()), fw::pf24bit);
    PaintItemBackground(B, P);
    PaintItemPicture(B, *this, P);
    PaintItemTexts(B, *this, P);

    if (OnDrawItem) OnDrawItem(item, B.Canvas(), fw::TRect(0, 0, B.Width(), B.Height()), State, smNormal);
    if (!enabled) {
        const int dx = EW * firstCol + co.X;
        const fw::TRect src(ARect.Left + dx, ARect.Top + co.Y, ARect.Right + dx, ARect.Bottom + co.Y);
        BlendTransRectangle(&B, 0, 0, bg, src, 0.4, TsColor(0xFF00FF));
    }
    Copy(canvasDC, EW * firstCol + ARect.Left, ARect.Top, B.Width(), B.Height(), &B, 0, 0);
    if (item->Parent()->IndexOf(item) == 0 && EW > 0) {
        OSVERSIONINFOW v{sizeof v};
        GetVersionExW(&v);
        if (!(IsNT && v.dwMajorVersion <= 5)) Copy(canvasDC, 0, 0, EW, bg->Height(), bg, co.X, co.Y);
    }
    if (item->OnDrawItem) item->OnDrawItem(item, ACanvas, ARect, State.Contains(fw::odSelected));
}

void TsSkinableMenus::PaintCaption(fw::TCanvas* Canvas, fw::TRect ARect, fw::TMenuItem* Item, fw::TBitmap* bg,
                                   const TacMenuInfo& mi) {
    MenuItemType = smCaption;
    TsSkinManager* m = Manager();
    if (!bg || ARect.Width() <= 0 || ARect.Height() <= 0) return;
    const int EW = ExtraWidth(mi);
    fw::TBitmap B(ARect.Width(), ARect.Height(), fw::pf24bit);
    HDC bdc = B.Canvas()->Handle();
    const fw::TPoint& co = BgOffset;
    if (EW > 0) Copy(bdc, 0, 0, EW + 1, B.Height(), bg, ARect.Left + co.X, ARect.Top + co.Y);
    BitBltBorder(bdc, 0, 0, B.Width(), B.Height(), bg->Canvas()->Handle(), ARect.Left + co.X, ARect.Top + co.Y, 1);
    const int S = m->GetSkinIndex(L"TOOLBAR");
    if (m->IsValidSkinIndex(S))
        PaintItem(S, L"TOOLBAR", MakeCacheInfo(bg, co.X, co.Y), true, 0,
                  fw::TRect(EW + 1, 1, B.Width() - 1, B.Height() - 1), fw::TPoint(EW + ARect.Left, ARect.Top), &B, m);
    B.Canvas()->Font()->Assign(FCaptionFont);
    // The first word between the dashes.
    fw::String text = Item->Caption();
    const size_t start = text.find_first_not_of(L'-');
    text = start == fw::String::npos ? fw::String() : text.substr(start, text.find(L'-', start) - start);
    fw::TRect r(EW, 0, B.Width(), B.Height());
    acWriteTextEx(B.Canvas(), text.c_str(), true, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX, S, false,
                  m);
    Copy(Canvas->Handle(), ARect.Left, ARect.Top, B.Width(), B.Height(), &B, 0, 0);
}

void TsSkinableMenus::PaintDivider(fw::TCanvas* Canvas, fw::TRect ARect, fw::TMenuItem* Item, fw::TBitmap* bg,
                                   const TacMenuInfo& mi) {
    (void)Item;
    MenuItemType = smDivider;
    TsSkinManager* m = Manager();
    const int S = m->GetSkinIndex(L"DIVIDERV");
    const int img = m->IsValidSkinIndex(S) ? m->GetMaskIndex(S, L"DIVIDERV", L"BORDERSMASK") : -1;
    if (!m->IsValidImgIndex(img) || !bg) {
        int width = 1;
        DrawRectangleOnDC(Canvas->Handle(), ARect, fw::clGray, fw::clWhite, width);
        return;
    }
    const int EW = ExtraWidth(mi);
    const int W = ARect.Width(), H = ARect.Height();
    if (W <= 0 || H <= 0) return;
    fw::TBitmap B(W, H, fw::pf24bit);
    Copy(B.Canvas()->Handle(), 0, 0, W, H, bg, ARect.Left + BgOffset.X, ARect.Top + BgOffset.Y);
    fw::TRect R(EW + Margin + Spacing, 0, W - Margin, H);
    if (R.Left < EW + IcoLineWidth) R.Left = EW + IcoLineWidth + 2;
    DrawSkinRect(&B, R, true, MakeCacheInfo(&B), m->ma[size_t(img)], 0, true);
    Copy(Canvas->Handle(), ARect.Left, ARect.Top, W, H, &B, 0, 0);
}

// ---- menu-bar items

void TsSkinableMenus::sMeasureLineItem(fw::TObject* Sender, fw::TCanvas* ACanvas, int& Width, int& Height) {
    fw::TMenuItem* item = ItemOf(Sender);
    if (!item) return;
    Height = GetSystemMetrics(SM_CYMENU) - 1;
    SetMenuFont(ACanvas, item, false);
    fw::String text = item->Caption();
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    Width = ACanvas->TextWidth(text);
    fw::TMenu* menu = item->GetParentMenu();
    if (menu && menu->Images() && item->ImageIndex() >= 0) Width += menu->Images()->Width() + 6;
}

}  // namespace skin
