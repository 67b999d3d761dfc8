// The MDI client of a form skinned by its provider (the wall copied from the
// form's image, a dragged thumb that moves the children once, on release,
// by the difference of positions), and a virtual tree stand-in whose colours
// and header events the wrapper sets through published properties and gives
// back on skin removal, leaving an application's own handler alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "SkinPixels.h"
#include "WineDesk.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/Collections.h"
#include "framework/rtl/Properties.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/windows/acMDIWnd.h"
#include "skin/windows/acScrollTrack.h"
#include "skin/windows/acVirtualTreeWnd.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {

std::unique_ptr<TsSkinManager> ActiveStillwater() {
    auto m = std::make_unique<TsSkinManager>(nullptr);
    m->AfterConstruction();
    m->SetSkinDirectory(kvbskins::SkinsPath(L"default"));
    m->SetSkinName(L"Stillwater");
    m->SetActive(true);
    return m;
}

struct Free {
    void operator()(fw::TComponent* c) const {
        if (c) c->Free();
    }
};

void PumpApp(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    do {
        fw::Application->ProcessMessages();
        Sleep(5);
    } while (LONG(end - GetTickCount()) > 0);
}

RECT InClient(HWND Child, HWND Client) {
    RECT r;
    GetWindowRect(Child, &r);
    MapWindowPoints(HWND_DESKTOP, Client, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// ---- a virtual tree as the outside component publishes it

class TVETColors : public fw::TPersistent {
public:
    fw::String ClassName() const override { return L"TVETColors"; }
    int Compressed = 0x0000FF, File = 0x000000, Folder = 0x800000;
    const fw::TPropTable* PublishedProperties() const override {
        static const fw::TPropTable table(fw::TPersistent::PublishedProperties(),
                                          {fw::IntegerProperty<TVETColors>(
                                               L"CompressedTextColor", [](const TVETColors& c) { return c.Compressed; },
                                               [](TVETColors& c, int v) { c.Compressed = v; }),
                                           fw::IntegerProperty<TVETColors>(
                                               L"FileTextColor", [](const TVETColors& c) { return c.File; },
                                               [](TVETColors& c, int v) { c.File = v; }),
                                           fw::IntegerProperty<TVETColors>(
                                               L"FolderTextColor", [](const TVETColors& c) { return c.Folder; },
                                               [](TVETColors& c, int v) { c.Folder = v; })});
        return &table;
    }
};

class THeader : public fw::TPersistent {
public:
    fw::String ClassName() const override { return L"TVTHeader"; }
    int Options = 1;  // hoVisible
    int Height = 20, Color = int(fw::clBtnFace), SortDirection = 0;
    fw::TFont Font;
    const fw::TPropTable* PublishedProperties() const override {
        static const fw::TPropTable table(
            fw::TPersistent::PublishedProperties(),
            {fw::SetProperty<THeader>(
                 L"Options", {L"hoVisible", L"hoOwnerDraw", L"hoDrag"}, [](const THeader& h) { return h.Options; },
                 [](THeader& h, int v) { h.Options = v; }),
             fw::IntegerProperty<THeader>(
                 L"Height", [](const THeader& h) { return h.Height; }, [](THeader& h, int v) { h.Height = v; }),
             fw::IntegerProperty<THeader>(
                 L"Color", [](const THeader& h) { return h.Color; }, [](THeader& h, int v) { h.Color = v; }),
             fw::IntegerProperty<THeader>(
                 L"SortDirection", [](const THeader& h) { return h.SortDirection; },
                 [](THeader& h, int v) { h.SortDirection = v; }),
             fw::ObjectProperty<THeader, fw::TFont>(L"Font",
                                                    [](const THeader& h) { return const_cast<fw::TFont*>(&h.Font); })});
        return &table;
    }
};

class TPaintInfoColumn : public fw::TPersistent {
public:
    fw::String ClassName() const override { return L"TPaintInfoColumn"; }
    int Color = int(fw::clBtnFace), Style = 0;
    const fw::TPropTable* PublishedProperties() const override {
        static const fw::TPropTable table(fw::TPersistent::PublishedProperties(),
                                          {fw::IntegerProperty<TPaintInfoColumn>(
                                               L"Color", [](const TPaintInfoColumn& c) { return c.Color; },
                                               [](TPaintInfoColumn& c, int v) { c.Color = v; }),
                                           fw::IntegerProperty<TPaintInfoColumn>(
                                               L"Style", [](const TPaintInfoColumn& c) { return c.Style; },
                                               [](TPaintInfoColumn& c, int v) { c.Style = v; })});
        return &table;
    }
};

class TColumn : public fw::TCollectionItem {
public:
    TColumn() : fw::TCollectionItem(nullptr) {}
    fw::String ClassName() const override { return L"TVirtualTreeColumn"; }
    fw::String Text = L"Name";
    const fw::TPropTable* PublishedProperties() const override {
        static const fw::TPropTable table(
            fw::TCollectionItem::PublishedProperties(),
            {fw::StringProperty<TColumn>(L"Text", [](const TColumn& c) { return c.Text; })});
        return &table;
    }
};

// The tree: a plain window of the component's class name. Full publishes
// everything the wrapper reads; a bare one nothing.
class TVirtualStringTree : public fw::TCustomControl {
public:
    TVirtualStringTree(fw::TComponent* AOwner, bool Full) : fw::TCustomControl(AOwner), full_(Full) {}
    fw::String ClassName() const override { return L"TVirtualStringTree"; }
    TVETColors VETColors;
    THeader Header;
    TPaintInfoColumn PaintInfoColumn;
    int Themed = 1;
    TAdvancedHeaderPaintEvent OnAdvancedHeaderDraw;
    THeaderPaintQueryElementsEvent OnHeaderDrawQueryElements;
    const fw::TPropTable* PublishedProperties() const override {
        static const fw::TPropTable table(
            fw::TCustomControl::PublishedProperties(),
            {fw::ObjectProperty<TVirtualStringTree, TVETColors>(
                 L"VETColors", [](const TVirtualStringTree& t) { return const_cast<TVETColors*>(&t.VETColors); }),
             fw::ObjectProperty<TVirtualStringTree, THeader>(
                 L"Header", [](const TVirtualStringTree& t) { return const_cast<THeader*>(&t.Header); }),
             fw::ObjectProperty<TVirtualStringTree, TPaintInfoColumn>(
                 L"PaintInfoColumn",
                 [](const TVirtualStringTree& t) { return const_cast<TPaintInfoColumn*>(&t.PaintInfoColumn); }),
             fw::EnumProperty<TVirtualStringTree>(
                 L"Themed", {L"False", L"True"}, [](const TVirtualStringTree& t) { return t.Themed; },
                 [](TVirtualStringTree& t, int v) { t.Themed = v; }),
             fw::MethodProperty<TVirtualStringTree>(L"OnAdvancedHeaderDraw", &TVirtualStringTree::OnAdvancedHeaderDraw),
             fw::MethodProperty<TVirtualStringTree>(L"OnHeaderDrawQueryElements",
                                                    &TVirtualStringTree::OnHeaderDrawQueryElements)});
        return full_ ? &table : fw::TCustomControl::PublishedProperties();
    }

private:
    bool full_;
};

struct AppHandler {
    void Draw(fw::TPersistent*, THeaderPaintInfo&, const THeaderPaintElements&) {}
};

}  // namespace

TEST(MDIWnd, WallFromTheFormImageAndThumbReleaseScrollsOnce) {
    auto sm = ActiveStillwater();
    TsSkinManager* M = sm.get();
    std::unique_ptr<fw::TForm, Free> form(new fw::TForm(fw::Application.get()));
    form->AfterConstruction();
    form->SetFormStyle(fw::fsMDIForm);
    form->SetCaption(L"Frame");
    const DWORD pid = GetCurrentProcessId();
    form->SetBounds(20 + int(pid * 37 % 300), 20 + int(pid * 53 % 200), 420, 320);
    auto* sp = new TsSkinProvider(form.get());
    sp->AfterConstruction();
    form->Show();
    SetForegroundWindow(form->Handle());
    PumpApp(150);
    fw::TForm* child = nullptr;
    {
        child = new fw::TForm(fw::Application.get());
        child->AfterConstruction();
        child->SetFormStyle(fw::fsMDIChild);
        child->SetCaption(L"Child");
        child->SetBounds(30, 200, 160, 110);  // past the client's bottom: a bar
        child->Show();
    }
    PumpApp(100);
    const HWND client = form->ClientHandle();
    ASSERT_NE(client, nullptr);
    TacMDIWnd* mdi = CreateMDIWnd(form.get(), sp->SkinData(), sp, M);
    ASSERT_NE(mdi, nullptr);
    EXPECT_TRUE(mdi->SkinnedMDI());

    SetWindowPos(client, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpApp(100);
    RECT wr;
    GetWindowRect(form->Handle(), &wr);
    fw::TBitmap shot(wr.right - wr.left, wr.bottom - wr.top, fw::pf24bit);
    HDC dc = GetWindowDC(form->Handle());
    BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(form->Handle(), dc);
    SaveScreenshot(shot, L"skin-windows-mdi.bmp");

    // The wall: the form's image at the client's place, left of and below
    // the child (the client edge is the border's, also from the image).
    fw::TBitmap* image = sp->SkinData()->FCacheBmp;
    ASSERT_NE(image, nullptr);
    const fw::TRect at = mdi->PlaceInForm();
    int compared = 0, wrong = 0;
    for (int y = at.Top; y < at.Top + 30; ++y)
        for (int x = at.Left; x < at.Left + 25; ++x) {
            ++compared;
            wrong += PixelAt(shot, x, y) != PixelAt(*image, x, y);
        }
    EXPECT_EQ(wrong, 0) << compared;

    // A drag: nothing moves while the thumb is dragged; its release moves
    // the child once by the difference of positions and the bar follows.
    // A range that does not start at 0 (set last: the system's MDI code
    // computes its own on every change of the client).
    SCROLLINFO si = {sizeof si, SIF_ALL, -40, 300, 100, 0, 0};
    SetScrollInfo(client, SB_VERT, &si, FALSE);
    UpdateScrolls(mdi, true);
    GetScrollInfo(client, SB_VERT, &si);
    ASSERT_EQ(si.nMin, -40);
    const RECT before = InClient(child->Handle(), client);
    SendScrollMessage(client, WM_VSCROLL, SB_THUMBTRACK, 30);
    SendScrollMessage(client, WM_VSCROLL, SB_THUMBTRACK, 60);
    EXPECT_EQ(InClient(child->Handle(), client).top, before.top);
    SendScrollMessage(client, WM_VSCROLL, SB_THUMBPOSITION, 60);
    EXPECT_EQ(InClient(child->Handle(), client).top, before.top - 60);
    si.fMask = SIF_ALL;
    GetScrollInfo(client, SB_VERT, &si);
    EXPECT_EQ(si.nPos, 60);
    EXPECT_EQ(mdi->sBarVert->ScrollInfo.nPos, 60);
    // A release where the thumb was (a click on it) moves nothing.
    SendScrollMessage(client, WM_VSCROLL, SB_THUMBPOSITION, 60);
    EXPECT_EQ(InClient(child->Handle(), client).top, before.top - 60);
    // Back up to the minimum.
    SendScrollMessage(client, WM_VSCROLL, SB_THUMBPOSITION, -40);
    EXPECT_EQ(InClient(child->Handle(), client).top, before.top + 40);

    delete mdi;
    child->Free();
}

TEST(VirtualTreeWnd, PropertiesSetAndGivenBackHeaderEventsOnlyInEmptySlots) {
    auto sm = ActiveStillwater();
    TsSkinManager* M = sm.get();
    Host host(300, 200, RGB(240, 240, 240));
    struct Row {
        const char* what;
        bool full;
        bool appHandler;
    };
    const Row rows[] = {{"every property, empty events", true, false},
                        {"the application draws its header", true, true},
                        {"no properties: only framed", false, false}};
    AppHandler app;
    const TAdvancedHeaderPaintEvent appDraw(&app, &AppHandler::Draw);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        auto* tree = new TVirtualStringTree(nullptr, r.full);
        tree->AfterConstruction();
        tree->SetParentWindow(host.handle);
        tree->SetBounds(10, 10, 200, 150);
        if (r.appHandler) tree->OnAdvancedHeaderDraw = appDraw;
        auto* sd = new TsCommonData(tree, true);
        sd->SetSkinManager(M);
        auto* w = static_cast<TacVirtualTreeViewWnd*>(CreateVirtualTreeWnd(tree->Handle(), sd, M));
        ASSERT_NE(w, nullptr);
        w->SetSkinParams();
        const fw::TColor hot = M->gd[size_t(sd->SkinIndex)].HotFontColor[0];
        if (r.full) {
            EXPECT_EQ(tree->VETColors.Compressed, int(hot));
            EXPECT_EQ(tree->VETColors.Folder, int(hot));
            EXPECT_EQ(tree->PaintInfoColumn.Color, int(M->GetGlobalColor()));
            EXPECT_EQ(tree->PaintInfoColumn.Style, 1);
            EXPECT_EQ(tree->Header.Color, int(M->GetActiveEditColor()));
            EXPECT_EQ(tree->Header.Font.Color(), M->GetGlobalFontColor());
            EXPECT_EQ(tree->Themed, 0);
            EXPECT_EQ(tree->OnHeaderDrawQueryElements.Assigned(), !r.appHandler);
            EXPECT_EQ((tree->Header.Options & 2) != 0, !r.appHandler);  // hoOwnerDraw
            if (r.appHandler)
                EXPECT_TRUE(tree->OnAdvancedHeaderDraw == appDraw);
            else
                EXPECT_EQ(tree->OnAdvancedHeaderDraw.Data(), static_cast<void*>(w));
        }
        // Skin removal gives everything back; an application's handler stays.
        w->RestoreStdParams();
        EXPECT_EQ(tree->VETColors.Compressed, 0x0000FF);
        EXPECT_EQ(tree->VETColors.File, 0);
        EXPECT_EQ(tree->VETColors.Folder, 0x800000);
        EXPECT_EQ(tree->Header.Options, 1);
        EXPECT_EQ(tree->Themed, 1);
        EXPECT_EQ(tree->Header.Color, int(fw::clBtnFace));
        if (r.full) EXPECT_EQ(tree->Header.Font.Color(), fw::clBtnText);
        EXPECT_FALSE(tree->OnHeaderDrawQueryElements.Assigned());
        EXPECT_EQ(tree->OnAdvancedHeaderDraw.Assigned(), r.appHandler);
        delete w;
        delete sd;
        tree->Free();
    }

    // The header cells: COLHEADER in the state of the column, the area
    // beyond the last one in the section's colour.
    auto* tree = new TVirtualStringTree(nullptr, true);
    tree->AfterConstruction();
    tree->SetParentWindow(host.handle);
    tree->SetBounds(10, 10, 200, 150);
    auto* sd = new TsCommonData(tree, true);
    sd->SetSkinManager(M);
    auto* w = static_cast<TacVirtualTreeViewWnd*>(CreateVirtualTreeWnd(tree->Handle(), sd, M));
    fw::TBitmap B(240, 20, fw::pf24bit);
    TColumn column;
    THeaderPaintElements query;
    THeaderPaintInfo info;
    w->HeaderDrawQueryElements(&tree->Header, info, query);
    EXPECT_TRUE(query.Contains(hpeBackground) && query.Contains(hpeText) && !query.Contains(hpeHeaderGlyph));
    info.TargetCanvas = B.Canvas();
    info.Column = &column;
    for (int state = 0; state < 3; ++state) {
        info.PaintRectangle = fw::TRect(state * 60, 0, state * 60 + 60, 20);
        info.IsHoverIndex = state == 1;
        info.IsDownIndex = state == 2;
        w->AdvancedHeaderDraw(&tree->Header, info, THeaderPaintElements{hpeBackground});
        EXPECT_EQ(PixelAt(B, state * 60 + 30, 0), TopEdge(M, L"COLHEADER", state)) << state;
    }
    info.Column = nullptr;
    info.PaintRectangle = fw::TRect(180, 0, 240, 20);
    w->AdvancedHeaderDraw(&tree->Header, info, THeaderPaintElements{hpeBackground});
    EXPECT_EQ(PixelAt(B, 210, 10), Rgb(sd->Section()->Color));
    delete w;
    delete sd;
    tree->Free();
}
