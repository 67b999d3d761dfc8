// A window tree rendered into one image, as the animations fade it, and the
// output window that paints nothing; on hidden windows.
#include <gtest/gtest.h>

#include "PaintTestBitmaps.h"
#include "SkinnedPanel.h"
#include "framework/windows/Application.h"
#include "skin/paint/sAnimCore.h"
#include "skin/paint/sAnimShow.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sWindowImage.h"

using namespace skin;
using namespace painttest;
using V = std::vector<uint8_t>;

namespace {

// A skinned panel that notes the DC animations render into while it prints.
class TPrintingPanel : public TSkinnedPanel {
public:
    using TSkinnedPanel::TSkinnedPanel;
    HDC PrintedInto = nullptr;
    void WndProc(fw::TMessage& m) override {
        if (m.Msg == WM_PRINT) PrintedInto = acPrintDC;
        TSkinnedPanel::WndProc(m);
    }
};

}  // namespace

TEST(WindowImage, AFormTreeLandsWhereItsWindowsLie) {
    for (fw::TBorderStyle border : {fw::bsNone, fw::bsSingle}) {
        SCOPED_TRACE(border == fw::bsNone ? "borderless" : "framed");
        PaintScene scene;
        scene.form.SetBorderStyle(border);
        auto* grad = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(10, 10, 170, 130));
        auto* panel = new TPrintingPanel(grad, scene.sm.get(), L"PANEL", fw::TRect(20, 30, 80, 70));
        panel->HandleNeeded();
        RECT wr, cr;
        GetWindowRect(scene.form.Handle(), &wr);
        POINT client{0, 0};
        ClientToScreen(scene.form.Handle(), &client);
        const int cx = client.x - wr.left, cy = client.y - wr.top;
        GetClientRect(scene.form.Handle(), &cr);
        auto image = std::unique_ptr<fw::TBitmap>(CreateBmp32(wr.right - wr.left, wr.bottom - wr.top));
        RenderWindowImage(image.get(), &scene.form, nullptr);
        EXPECT_EQ(acPrintDC, nullptr);
        EXPECT_EQ(panel->PrintedInto, image->Canvas()->Handle()) << "children paint into the animation's DC";
        // The gradient where the panel does not cover it, the panel's cache where it does.
        fw::TBitmap& gc = *grad->SkinData->FCacheBmp;
        fw::TBitmap& pc = *panel->SkinData->FCacheBmp;
        for (auto [x, y] : {std::pair{2, 2}, std::pair{150, 100}, std::pair{5, 60}})
            EXPECT_EQ(GetBgr(*image, cx + 10 + x, cy + 10 + y), GetBgr(gc, x, y)) << x << "," << y;
        for (auto [x, y] : {std::pair{0, 0}, std::pair{30, 20}, std::pair{59, 39}})
            EXPECT_EQ(GetBgr(*image, cx + 30 + x, cy + 40 + y), GetBgr(pc, x, y)) << x << "," << y;
    }
}

TEST(WindowImage, AnInvisibleControlIsWhatLiesBehindIt) {
    PaintScene scene;
    auto* grad = scene.Add(&scene.form, L"GRADPANEL", fw::TRect(10, 10, 170, 130));
    auto* onGrad = scene.Add(grad, L"PANEL", fw::TRect(20, 30, 50, 50));
    auto* plain = scene.Add(&scene.form, L"PANEL", fw::TRect(180, 10, 230, 60));
    auto* onPlain = scene.Add(plain, L"GRADPANEL", fw::TRect(5, 5, 25, 25));
    scene.form.HandleNeeded();
    for (TSkinnedPanel* c : {onGrad, onPlain}) c->SetVisible(false);
    auto image = std::unique_ptr<fw::TBitmap>(CreateBmp32(30, 20));
    SkinPaintTo(image.get(), onGrad, 0, 0, nullptr);
    grad->PrepareCache();
    EXPECT_EQ(GetBgr(*image, 0, 0), GetBgr(*grad->SkinData->FCacheBmp, 20, 30));
    EXPECT_EQ(GetBgr(*image, 29, 19), GetBgr(*grad->SkinData->FCacheBmp, 49, 49));
    SkinPaintTo(image.get(), onPlain, 0, 0, nullptr);
    EXPECT_EQ(GetBgr(*image, 10, 10), BgrOf(scene.Section(L"PANEL").Color));
}

TEST(WindowImage, TheOutputWindowPaintsNothing) {
    PaintScene scene;
    scene.form.HandleNeeded();
    auto* out = fw::Create<TOutputWindow>(&scene.form);
    EXPECT_EQ(out->Caption(), L"acOutputWindow");
    EXPECT_FALSE(out->Visible());
    EXPECT_EQ(out->Color(), 0x800080);
    // Without a parent: a popup of the application window, topmost when its
    // owner's window is.
    SetWindowPos(scene.form.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const HWND h = out->Handle();
    EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_CAPTION), LONG(WS_POPUP));
    EXPECT_TRUE(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(h, GW_OWNER), fw::Application->Handle());
    // Erasing answers "erased" and leaves the pixels; the frame is not drawn.
    auto bmp = Make(fw::pf24bit, 8, 8);
    Fill(*bmp, 0x5A);
    EXPECT_EQ(out->Perform(WM_ERASEBKGND, WPARAM(bmp->Canvas()->Handle()), 0), 1);
    EXPECT_EQ(out->Perform(WM_NCPAINT, 1, 0), 0);
    EXPECT_EQ(Get(*bmp, 3, 3), V(3, 0x5A));
    out->Free();
    // With a parent it is a child window.
    auto* inside = fw::Create<TOutputWindow>(&scene.form);
    inside->SetParent(&scene.form);
    EXPECT_TRUE(GetWindowLongW(inside->Handle(), GWL_STYLE) & WS_CHILD);
}
