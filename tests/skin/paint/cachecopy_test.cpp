// A control's cache copied to a DC around the children that paint
// themselves, for a control and for a bare window (group boxes keep only
// their frame out), and a picture of skinned controls over each other on a
// hidden form.
#include <gtest/gtest.h>

#include <memory>

#include "PaintTestBitmaps.h"
#include "Pictures.h"
#include "SkinnedPanel.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "skin/paint/sCacheCopy.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace painttest;

namespace {

using Px = std::vector<uint8_t>;

class TGraphic : public fw::TGraphicControl {
public:
    TGraphic(fw::TWinControl* Parent, fw::TRect Bounds, const wchar_t* Name = L"TGraphic")
        : fw::TGraphicControl(Parent), name(Name) {
        SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        SetParent(Parent);
    }
    fw::String ClassName() const override { return name; }
    fw::String name;
};

fw::TPanel* Child(fw::TWinControl* Parent, fw::TRect Bounds, bool Opaque) {
    auto* p = new fw::TPanel(Parent);
    p->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    p->SetParent(Parent);
    fw::TControlStyle style = p->ControlStyle();
    if (Opaque)
        style.Include(fw::csOpaque);
    else
        style.Exclude(fw::csOpaque);
    p->SetControlStyle(style);
    return p;
}

// The cache painted and a DC of its size filled with 1.
struct Copy {
    std::unique_ptr<fw::TBitmap> dc;
    fw::TBitmap* cache;
    explicit Copy(TSkinnedPanel* panel) {
        panel->PrepareCache();
        cache = panel->SkinData->FCacheBmp;
        dc = Make(fw::pf24bit, cache->Width(), cache->Height());
        Fill(*dc, 1);
    }
    bool Copied(int x, int y) { return Get(*dc, x, y) == Get(*cache, x, y); }
    bool Kept(int x, int y) { return Get(*dc, x, y) == Px(3, 1); }
};

}  // namespace

TEST(CacheCopy, ChildrenThatPaintThemselvesAreLeftOut) {
    PaintScene scene;
    auto* panel = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(0, 0, 200, 100));
    new TGraphic(panel, fw::TRect(10, 10, 30, 30));
    auto* hidden = new TGraphic(panel, fw::TRect(40, 10, 60, 30));
    hidden->SetVisible(false);
    new TGraphic(panel, fw::TRect(70, 10, 90, 30), L"TsSplitter");
    Child(panel, fw::TRect(100, 10, 120, 30), true);
    Child(panel, fw::TRect(130, 10, 150, 30), false);
    scene.form.HandleNeeded();

    Copy c(panel);
    const fw::TRect all(0, 0, 200, 100);
    CopyWinControlCache(panel, panel->SkinData.get(), all, all, c.dc->Canvas()->Handle(), false, 0, 0);
    EXPECT_TRUE(c.Kept(20, 20));     // a graphic child
    EXPECT_TRUE(c.Copied(50, 20));   // an invisible one
    EXPECT_TRUE(c.Copied(80, 20));   // the skinned splitter paints over its neighbours
    EXPECT_TRUE(c.Kept(110, 20));    // an opaque windowed child
    EXPECT_TRUE(c.Copied(140, 20));  // the window system clips the others
    EXPECT_TRUE(c.Copied(5, 5));
    // Graphic children paint the standard way: they are not left out.
    StdTransparency = true;
    CopyWinControlCache(panel, panel->SkinData.get(), all, all, c.dc->Canvas()->Handle(), false, 0, 0);
    StdTransparency = false;
    EXPECT_TRUE(c.Copied(20, 20));

    // Only R2 of the DC, from R1's corner of the cache; children moved by the offset.
    Fill(*c.dc, 1);
    CopyWinControlCache(panel, panel->SkinData.get(), fw::TRect(5, 6, 0, 0), fw::TRect(10, 20, 60, 40),
                        c.dc->Canvas()->Handle(), false, 15, 2);
    EXPECT_TRUE(c.Kept(9, 25));
    EXPECT_TRUE(c.Kept(30, 40));
    EXPECT_EQ(Get(*c.dc, 10, 20), Get(*c.cache, 5, 6));
    EXPECT_EQ(Get(*c.dc, 59, 39), Get(*c.cache, 54, 25));
    EXPECT_TRUE(c.Kept(25, 12 + 10));  // the graphic child at (25, 12)..(45, 32)
    EXPECT_FALSE(c.Kept(24, 21));
}

TEST(CacheCopy, AGroupBoxWindowKeepsItsInsidePaintedByTheCopy) {
    PaintScene scene;
    auto* panel = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(0, 0, 200, 100));
    scene.form.HandleNeeded();
    HWND parent = panel->Handle();
    auto child = [&](LONG style, DWORD exStyle, int x) {
        return CreateWindowExW(exStyle, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | style, x, 10, 40, 50, parent, nullptr,
                               nullptr, nullptr);
    };
    child(BS_GROUPBOX, 0, 10);
    child(BS_GROUPBOX, WS_EX_CLIENTEDGE, 60);
    child(BS_PUSHBUTTON, 0, 110);
    HWND hidden = child(BS_PUSHBUTTON, 0, 155);
    ShowWindow(hidden, SW_HIDE);

    Copy c(panel);
    const fw::TRect all(0, 0, 200, 100);
    CopyHwndCache(parent, panel->SkinData.get(), all, all, c.dc->Canvas()->Handle(), false, 0, 0);
    // The group box's frame (2 pixels of the GROUPBOX border image; no
    // caption strip, as the button answers none) is left out, its inside copied.
    EXPECT_TRUE(c.Kept(10, 30));
    EXPECT_TRUE(c.Kept(11, 30));
    EXPECT_TRUE(c.Copied(12, 30));
    EXPECT_TRUE(c.Copied(30, 10));
    EXPECT_TRUE(c.Kept(48, 30));
    EXPECT_TRUE(c.Kept(30, 59));
    EXPECT_TRUE(c.Copied(30, 57));
    // One with a client edge, and any other visible child, is left out whole.
    EXPECT_TRUE(c.Kept(80, 30));
    EXPECT_TRUE(c.Kept(130, 30));
    EXPECT_TRUE(c.Copied(170, 30));
    EXPECT_TRUE(c.Copied(5, 5));
}

TEST(CacheCopy, PictureOfSkinnedControlsOverEachOther) {
    PaintScene scene(300, 160);
    scene.form.SetBorderStyle(fw::bsNone);
    auto* grad = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(0, 0, 300, 160));
    scene.Add(grad, L"PANEL", fw::TRect(10, 10, 90, 60));
    auto* trans = scene.Add(grad, L"TRANS", fw::TRect(100, 10, 190, 70));
    scene.Add(trans, L"BUTTON", fw::TRect(10, 10, 80, 40));
    scene.Add(grad, L"HALF", fw::TRect(200, 10, 290, 70));
    auto* tex = scene.Add(grad, L"TEXPANEL", fw::TRect(10, 80, 140, 150));
    scene.Add(tex, L"HALF", fw::TRect(20, 20, 110, 50));
    auto* hot = scene.Add(grad, L"BUTTON", fw::TRect(160, 90, 280, 130));
    hot->State = 1;
    scene.form.HandleNeeded();
    auto shot = Make(fw::pf24bit, 300, 160);
    scene.form.PaintTo(shot->Canvas()->Handle(), 0, 0);
    SaveScreenshot(*shot, L"skinned-controls.bmp");
    // The transparent panel shows the gradient; the button inside it has the
    // gradient in its cut corner.
    EXPECT_EQ(Get(*shot, 150, 65), Get(*grad->SkinData->FCacheBmp, 150, 65));
    EXPECT_EQ(Get(*shot, 110, 20), Get(*grad->SkinData->FCacheBmp, 110, 20));
}
