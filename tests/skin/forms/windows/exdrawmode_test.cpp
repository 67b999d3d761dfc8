// Extended borders drawn by the skin's border image itself (BORDERMODE 1):
// the image is the frame, painted over the whole border window's image, the
// title's items written on it; a maximised form keeps the skin's lower title
// in view. And the menu line of a form with a border window: painted in the
// band under the extended title, shown by the form's own window through the
// border window's hole, hit-tested there as the menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "../FrameFixtures.h"
#include "ExBordersKit.h"
#include "MenuBarKit.h"
#include "SkinnedFormKit.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Menus.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/acSupportedForms.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/paint/sCommonData.h"

using namespace skin;
using namespace formstest;

namespace {

// A 32-bit pixel as blue, green, red, alpha.
struct Px {
    BYTE b, g, r, a;
    bool SameColour(const Px& o) const { return b == o.b && g == o.g && r == o.r; }
};
Px PixelAt(fw::TBitmap* Bmp, int X, int Y) {
    const BYTE* p = static_cast<const BYTE*>(Bmp->ScanLine(Y)) + X * 4;
    return Px{p[0], p[1], p[2], p[3]};
}

// What a frame drawn from the skin's border image shows in Cache (W x H
// image with a shadow of Sh on every side): the template's own pixels on the
// borders and the title band away from its items, its see-through edge, and
// the caption written in the band, opaque.
void ExpectFrameFromTemplate(fw::TBitmap* Cache, fw::TBitmap* Tmpl, int Sh, const fw::TRect& CaptionArea) {
    GdiFlush();
    const int W = Cache->Width(), H = Cache->Height();
    const int tw = Tmpl->Width(), th = Tmpl->Height();
    // A row of the template's sides (between its title band and its bottom
    // border, which is Sh + 8 high).
    const int side = th - (Sh + 8) - 2;
    struct Spot {
        const char* what;
        int x, y, tx, ty;
    } spots[] = {
        {"title band", W / 2, Sh + 2, tw / 2, Sh + 2},
        {"title band's outer edge", W / 2, Sh, tw / 2, Sh},
        {"left border", Sh + 3, H / 2, Sh + 3, side},
        {"right border", W - Sh - 3, H / 2, tw - Sh - 3, side},
        {"bottom border", W / 2, H - Sh - 3, tw / 2, th - Sh - 3},
        {"shadow's outer edge", 0, H / 2, 0, side},
        {"shadow", 2, H / 2, 2, side},
        {"shadow's corner", 0, 0, 0, 0},
        {"top-left corner", Sh + 1, Sh + 1, Sh + 1, Sh + 1},
    };
    for (const Spot& s : spots) {
        const Px c = PixelAt(Cache, s.x, s.y), t = PixelAt(Tmpl, s.tx, s.ty);
        EXPECT_EQ(c.a, t.a) << s.what;
        if (t.a == 255) {
            EXPECT_TRUE(c.SameColour(t)) << s.what;
        }
    }
    EXPECT_EQ(PixelAt(Cache, W / 2, Sh + 2).a, 255) << "opaque frame";
    EXPECT_EQ(PixelAt(Cache, 0, 0).a, 0);
    EXPECT_GT(PixelAt(Cache, 2, H / 2).a, 0);
    EXPECT_LT(PixelAt(Cache, 2, H / 2).a, 255);
    // The caption is written on the band: pixels unlike the band's colour
    // on their row, all of them opaque.
    int written = 0, seeThrough = 0;
    for (int y = CaptionArea.Top; y < CaptionArea.Bottom; ++y) {
        const Px band = PixelAt(Tmpl, tw / 2, std::min(y, th - 1));
        for (int x = CaptionArea.Left; x < CaptionArea.Right; ++x) {
            const Px c = PixelAt(Cache, x, y);
            if (!c.SameColour(band)) ++written;
            if (c.a != 255) ++seeThrough;
        }
    }
    EXPECT_GT(written, 30) << "the caption is written on the band";
    EXPECT_EQ(seeThrough, 0);
}

// The form as drawn while the platform's menu loop has a popup open from
// its bar; the loop is ended once it is taken.
struct BarLoop {
    HWND Form = nullptr;
    int Ticks = 0;
    std::unique_ptr<fw::TBitmap> Shot;
} barLoop;

void CALLBACK WatchBar(HWND, UINT, UINT_PTR Id, DWORD) {
    const bool open = OpenMenuWindow() != nullptr;
    if (open && ++barLoop.Ticks >= 6) barLoop.Shot = Shot(barLoop.Form, L"skinned-form-extended-menu-line-open");
    if (barLoop.Shot || barLoop.Ticks > 80) {
        KillTimer(nullptr, Id);
        EndMenu();
    }
}

int Darkest(HDC DC, const fw::TRect& R) {
    int best = 255 * 3;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x) {
            const COLORREF c = GetPixel(DC, x, y);
            best = std::min(best, int(GetRValue(c)) + GetGValue(c) + GetBValue(c));
        }
    return best;
}

}  // namespace

TEST(ExtendedDrawMode, FormFramedByTheSkinsBorderImageAndMaximisedUnderItsTitle) {
    LoadedSkin skin(L"test", L"TExDrawMode");
    skin.sm->SetExtendedBorders(true);
    ASSERT_TRUE(skin.sm->ExtendedBorders());
    ASSERT_EQ(skin.sm->SkinData->ExDrawMode, 1);
    const RECT shadow = skin.sm->FormShadowSize;
    ASSERT_EQ(shadow.left, 6) << "the shadow is FORMOFFSET on every side";
    ASSERT_EQ(shadow.top, 6);
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Drawn by the skin");
    form->SetBounds(200, 150, 360, 240);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(200);
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    auto* bf = dynamic_cast<TacBorderForm*>(sp->BorderForm);
    ASSERT_NE(nullptr, bf);
    const HWND b = bf->AForm->Handle();
    bf->UpdateExBordersPos(true, 255);
    const RECT br = WindowRect(b);

    // The form's client area lies on the image's, under the skin's title.
    POINT client{0, 0};
    ClientToScreen(h, &client);
    EXPECT_EQ(br.left + sp->OffsetX(), client.x);
    EXPECT_EQ(br.top + sp->OffsetY(), client.y);
    EXPECT_EQ(sp->OffsetX(), 6 + 8);
    EXPECT_EQ(sp->OffsetY(), 6 + 34);

    // The 32-bit image is the border image's nine parts over the whole of it.
    fw::TBitmap* cache = sp->SkinData()->FCacheBmp;
    ASSERT_NE(nullptr, cache);
    EXPECT_EQ(cache->PixelFormat(), fw::pf32bit);
    EXPECT_EQ(cache->Width(), br.right - br.left);
    EXPECT_EQ(cache->Height(), br.bottom - br.top);
    fw::TBitmap* tmpl = sp->FormActive ? skin.sm->ShdaTemplate : skin.sm->ShdiTemplate;
    ASSERT_NE(nullptr, tmpl);
    EXPECT_EQ(bf->ShadowTemplate, tmpl);
    const fw::TRect captionArea(sp->OffsetX() + 24, 6 + 8, sp->OffsetX() + 150, 6 + 34);
    ExpectFrameFromTemplate(cache, tmpl, 6, captionArea);

    // The title's items lie the skin's centre offset (2) lower than in the
    // shadow-only mode.
    TExBorders e = sp->ExBorders();
    ASSERT_EQ(e.DrawMode, 1);
    ASSERT_EQ(e.CenterOffs, 2);
    e.DrawMode = 0;
    TFrameState sx;
    TFrameMetrics mx;
    ExFrame(sp->State(), sp->Metrics(), e, sx, mx);
    TTitleButtons plain = sp->Buttons;
    LayoutTitleButtons(plain, sx, mx, sp->FrameSkin());
    EXPECT_EQ(sp->Buttons.Close.Rect.Top - plain.Close.Rect.Top, 2);
    EXPECT_EQ(sp->Buttons.Close.Rect.Right, plain.Close.Rect.Right);
    ScreenShot(br, L"skinned-form-exdraw-mode");

    // Maximised: the skin keeps a title of 28 in view (MAXHEIGHT) with its
    // items 2 lower, so 34 + 2 - 28 = 8 pixels of the extended title and the
    // system frame lie above the work area; the bottom edge the system
    // frame's width below it.
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST), &mi));
    const TFrameState normal = sp->State();
    const int w = SysBorderWidth(normal, sp->Metrics());
    const int diffTitle = DiffTitle(normal, sp->Metrics(), sp->ExBorders());
    ASSERT_GT(diffTitle, 0);
    POINT pos{}, size{};
    ASSERT_TRUE(ExMaxInfo(normal, sp->Metrics(), sp->ExBorders(), sp->FrameSkin(),
                          fw::TRect(mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom), pos, size));
    EXPECT_EQ(pos.y, diffTitle - w - 8);
    SendMessageW(h, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Pump(200);
    ASSERT_TRUE(IsZoomed(h));
    const RECT zr = WindowRect(h);
    EXPECT_EQ(zr.top, mi.rcWork.top + pos.y);
    EXPECT_EQ(zr.left, mi.rcWork.left - w);
    EXPECT_EQ(zr.bottom, mi.rcWork.bottom + w);
    EXPECT_FALSE(sp->FSysExHeight) << "the skin's title is higher than the system's caption + 4";
    // The border window's frame starts the system frame and the 8 hidden
    // pixels above the work area; its image is as high as the work area and
    // what lies above it (the shadow and the bottom frame are cut).
    bf->UpdateExBordersPos(true, 255);
    const RECT zb = WindowRect(b);
    EXPECT_EQ(zb.top + shadow.top, mi.rcWork.top - w - 8);
    EXPECT_EQ(zr.top - zb.top, bf->OffsetY());
    Pump(100);
    ScreenShot(RECT{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.top + 120},
               L"skinned-form-exdraw-mode-maximised");
    SendMessageW(h, WM_SYSCOMMAND, SC_RESTORE, 0);
    Pump(100);
    EXPECT_FALSE(IsZoomed(h));
}

TEST(ExtendedDrawMode, SkinnedMessageBoxFramedByTheSkinsBorderImage) {
    LoadedSkin skin(L"test", L"TExDrawMode");
    skin.sm->SetExtendedBorders(true);
    ASSERT_TRUE(skin.sm->ExtendedBorders());
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> owner(new fw::TForm(fw::Application.get()));
    owner->AfterConstruction();
    owner->SetCaption(L"Owner");
    owner->SetBounds(60, 60, 300, 200);
    owner->Show();
    Pump(100);

    bool checked = false;
    boxCaption = L"Box drawn by the skin";
    boxCheck = [&](HWND dlg) {
        checked = true;
        TacProvider* entry = FindFormInList(dlg);
        auto* w = entry ? dynamic_cast<TacDialogWnd*>(entry->ListSW) : nullptr;
        ASSERT_NE(nullptr, w);
        auto* bf = dynamic_cast<TacBorderForm*>(w->BorderForm);
        ASSERT_NE(nullptr, bf);
        const HWND b = bf->AForm->Handle();
        bf->UpdateExBordersPos(true, 255);
        const RECT br = WindowRect(b);
        POINT client{0, 0};
        ClientToScreen(dlg, &client);
        EXPECT_EQ(br.left + w->OffsetX(), client.x);
        EXPECT_EQ(br.top + w->OffsetY(), client.y);

        fw::TBitmap* cache = w->SkinData->FCacheBmp;
        ASSERT_NE(nullptr, cache);
        EXPECT_EQ(cache->PixelFormat(), fw::pf32bit);
        EXPECT_EQ(cache->Width(), br.right - br.left);
        EXPECT_EQ(cache->Height(), br.bottom - br.top);
        ASSERT_NE(nullptr, bf->ShadowTemplate);
        ExpectFrameFromTemplate(cache, bf->ShadowTemplate, 6,
                                fw::TRect(w->OffsetX() + 6, 6 + 8, w->OffsetX() + 120, 6 + 34));
        ScreenShot(br, L"skinned-dialog-exdraw-mode");
    };
    SetTimer(nullptr, 0, 100, OnBoxTimer);
    MessageBoxW(owner->Handle(), L"A box framed by the skin's border image.", boxCaption, MB_OK);
    EXPECT_TRUE(checked);
}

TEST(ExtendedMenuLine, ItemsInTheBandUnderTheExtendedTitleHitTestedAsTheMenu) {
    LoadedSkin skin(L"test", L"TExBorders");
    skin.sm->SetExtendedBorders(true);
    ASSERT_TRUE(skin.sm->ExtendedBorders());
    const RECT shadow = skin.sm->FormShadowSize;
    InstallFormSkinning();
    std::unique_ptr<fw::TForm, FormFree> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetCaption(L"Menu in the extended frame");
    form->SetBounds(180, 140, 380, 260);
    auto* menu = new fw::TMainMenu(form.get());
    fw::TMenuItem* file = Item(form.get(), L"&File");
    file->Add(Item(form.get(), L"&Open"));
    menu->Items()->Add(file);
    menu->Items()->Add(Item(form.get(), L"&Edit"));
    menu->Items()->Add(Item(form.get(), L"&Help"));
    form->SetMenu(menu);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(250);
    const HWND h = form->Handle();
    TsSkinProvider* sp = ProviderOf(form.get());
    ASSERT_NE(nullptr, sp);
    auto* bf = dynamic_cast<TacBorderForm*>(sp->BorderForm);
    ASSERT_NE(nullptr, bf);
    ASSERT_TRUE(sp->MenuPresent());
    bf->UpdateExBordersPos(true, 255);
    const HWND b = bf->AForm->Handle();
    const RECT br = WindowRect(b), wr = WindowRect(h);

    // The band lies under the extended title, inside the skin's border, and
    // the client right below it.
    const fw::TRect band = sp->MenuLineBand();
    EXPECT_EQ(band.Top, shadow.top + 34);
    EXPECT_EQ(band.Left, shadow.left + 8);
    EXPECT_EQ(band.Bottom, sp->OffsetY());
    // The form's window lies in the image where the border window has it.
    EXPECT_EQ(sp->FormInImage(), fw::TPoint(wr.left - br.left, wr.top - br.top));

    // The platform's items (form window coordinates) fall in the band once
    // moved into the image, and their captions are written there.
    const fw::TRect fileRect = BarItem(h, 0), helpRect = BarItem(h, 2);
    ASSERT_GT(fileRect.Width(), 0);
    const fw::TPoint o = sp->FormInImage();
    fw::TRect fileInImage = fileRect;
    fw::OffsetRect(fileInImage, o.X, o.Y);
    EXPECT_GE(fileInImage.Left, band.Left);
    EXPECT_GE(fileInImage.Top, band.Top);
    EXPECT_LE(fileInImage.Bottom, band.Bottom + 1);
    fw::TBitmap* cache = sp->SkinData()->FCacheBmp;
    GdiFlush();
    EXPECT_LT(Darkest(cache->Canvas()->Handle(), fileInImage), 3 * 90) << "the caption in the image";
    const int lineSection = skin.sm->GetSkinIndex(L"MENULINE");
    ASSERT_TRUE(skin.sm->IsValidSkinIndex(lineSection));
    const COLORREF line = COLORREF(fw::ColorToRGB(skin.sm->gd[size_t(lineSection)].Color));
    EXPECT_EQ(line, GetPixel(cache->Canvas()->Handle(), helpRect.Right + o.X + 20, fileInImage.Top + 3));

    // The form's own window shows the band (the border window has a hole there).
    auto shot = Shot(h);
    EXPECT_LT(Darkest(shot->Canvas()->Handle(), fileRect), 3 * 90) << "the caption on the window";
    EXPECT_EQ(line, GetPixel(shot->Canvas()->Handle(), helpRect.Right + 20, fileRect.Top + 3));
    HRGN hole = bf->MakeRgn();
    EXPECT_FALSE(PtInRegion(hole, fileInImage.Left + 5, fileInImage.Top + 4));
    DeleteObject(hole);

    // An item the platform draws on the window while it tracks the menu is
    // the one in the image: the same line under it, the same caption.
    auto* menus = dynamic_cast<TsSkinableMenus*>(skin.sm->SkinableMenus());
    ASSERT_NE(nullptr, menus);
    fw::TBitmap onWindow(wr.right - wr.left, wr.bottom - wr.top, fw::pf24bit);
    menus->sAdvancedDrawLineItem(file, onWindow.Canvas(), fileRect, fw::TOwnerDrawState{fw::odNoAccel});
    int differ = 0;
    for (int y = fileRect.Top; y < fileRect.Bottom; ++y)
        for (int x = fileRect.Left; x < fileRect.Right; ++x)
            if (GetPixel(onWindow.Canvas()->Handle(), x, y) !=
                (GetPixel(cache->Canvas()->Handle(), x + o.X, y + o.Y) & 0xFFFFFF))
                ++differ;
    EXPECT_EQ(differ, 0);

    // Hit tests: the band is the menu, on the form's window and in the
    // border window's own table.
    const fw::TPoint at(wr.left + fileRect.Left + 5, wr.top + fileRect.Top + 4);
    EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(at.X, at.Y)), HTMENU);
    fw::TMessage m{};
    m.Msg = WM_NCHITTEST;
    m.LParam = MAKELPARAM(at.X, at.Y);
    EXPECT_EQ(bf->Ex_WMNCHitTest(m), HTMENU);
    EXPECT_EQ(WindowFromPoint(POINT{at.X, at.Y}), h) << "the band is the form's own window";
    ScreenShot(br, L"skinned-form-extended-menu-line");

    // A press on "File" runs the platform's menu loop: the item is drawn lit
    // on the form's window, in its place.
    barLoop = BarLoop();
    barLoop.Form = h;
    const UINT_PTR timer = SetTimer(nullptr, 0, 60, WatchBar);
    SendMessageW(h, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.X, at.Y));
    KillTimer(nullptr, timer);
    Pump(150);
    ASSERT_TRUE(barLoop.Shot) << "no menu opened from the bar";
    HDC open = barLoop.Shot->Canvas()->Handle();
    EXPECT_NE(line, GetPixel(open, fileRect.Left + 1, fileRect.Top + 6)) << "the opened item is drawn lit";
    EXPECT_LT(Darkest(open, fileRect), 3 * 90) << "its caption written over the lit look";
    EXPECT_EQ(line, GetPixel(open, helpRect.Right + 20, fileRect.Top + 3)) << "the rest of the line untouched";
}
