// Graphic controls painted by their parent, custom controls on their own
// canvas, and the control canvas outside WM_PAINT.
#include "control_fixture.h"

using namespace fw;
using namespace fwtest;

namespace {

// Fills its client area and also tries to paint 5 px outside it: the parent
// must place it at its origin and clip the overflow away.
class TSwatch : public TGraphicControl {
public:
    explicit TSwatch(TComponent* AOwner, TColor c) : TGraphicControl(AOwner), colour(c) {
        controlStyle_.Include(csOpaque);
    }
    String ClassName() const override { return L"TSwatch"; }
    TColor colour;
    int paints = 0;
    bool sawPaintCopy = false;

protected:
    void Paint() override {
        ++paints;
        sawPaintCopy = ControlState().Contains(csPaintCopy);
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(TRect(-5, -5, Width() + 5, Height() + 5));
        Canvas()->Brush()->SetColor(colour);
        Canvas()->FillRect(ClientRect());
    }
};

class TSurface : public TCustomControl {
public:
    explicit TSurface(TComponent* AOwner) : TCustomControl(AOwner) {
        controlStyle_.Include(csAcceptsControls);
        SetColor(clWhite);
    }
    String ClassName() const override { return L"TSurface"; }
    int paints = 0;
    bool canvasBoundDuringPaint = false;

protected:
    void Paint() override {
        ++paints;
        canvasBoundDuringPaint = Canvas()->HandleAllocated();
        Canvas()->Brush()->SetColor(clYellow);
        Canvas()->FillRect(ClientRect());
    }
};

struct PaintTest : ::testing::Test {
    void SetUp() override {
        host = Create<THostWindow>(nullptr);
        surface = Create<TSurface>(nullptr);
        surface->SetBounds(10, 10, 200, 150);
        surface->SetParent(host);
        swatch = new TSwatch(nullptr, clRed);
        swatch->AfterConstruction();
        swatch->SetBounds(20, 30, 40, 25);
        swatch->SetParent(surface);
        host->Show();
        surface->Repaint();
        Pump(50);
    }
    void TearDown() override { host->Free(); }
    THostWindow* host = nullptr;
    TSurface* surface = nullptr;
    TSwatch* swatch = nullptr;
};

}  // namespace

TEST_F(PaintTest, GraphicChildIsPaintedAtItsOriginAndClippedToItsBounds) {
    EXPECT_GT(surface->paints, 0);
    EXPECT_TRUE(surface->canvasBoundDuringPaint);
    EXPECT_FALSE(surface->Canvas()->HandleAllocated());  // released after the paint
    Capture cap = CaptureWindow(host->Handle());
    const int ox = 10 + 20, oy = 10 + 30;  // the swatch in host coordinates
    EXPECT_EQ(cap.At(ox, oy), Rgb(clRed));
    EXPECT_EQ(cap.At(ox + 39, oy + 24), Rgb(clRed));
    // Its overflow was clipped: the surface's own colour around it.
    EXPECT_EQ(cap.At(ox - 2, oy - 2), Rgb(clYellow));
    EXPECT_EQ(cap.At(ox + 42, oy + 26), Rgb(clYellow));
}

TEST_F(PaintTest, PaintMessageWithADcPaintsIntoThatDc) {
    // The window and its graphic child into a memory DC (PaintTo-like copy).
    MemorySurface mem(200, 150);
    surface->Perform(WM_PAINT, reinterpret_cast<WPARAM>(mem.DC()), 0);
    EXPECT_EQ(mem.At(5, 5), Rgb(clYellow));
    EXPECT_EQ(mem.At(20, 30), Rgb(clRed));
    EXPECT_EQ(mem.At(19, 29), Rgb(clYellow));

    // A graphic control alone, as overlapping-control code paints it: at the DC's origin.
    MemorySurface small(60, 40);
    swatch->SetControlState(swatch->ControlState() + TControlState{csPaintCopy});
    swatch->Perform(WM_PAINT, reinterpret_cast<WPARAM>(small.DC()), 0);
    swatch->SetControlState(swatch->ControlState() - TControlState{csPaintCopy});
    EXPECT_TRUE(swatch->sawPaintCopy);
    EXPECT_EQ(small.At(0, 0), Rgb(clRed));
    EXPECT_EQ(small.At(42, 5), Rgb(clBlue));  // the caller's DC: the caller's clip
}

TEST_F(PaintTest, CanvasOutsidePaintDrawsOnTheParentAtTheControl) {
    TCanvas* canvas = swatch->Canvas();
    canvas->Brush()->SetColor(clLime);
    canvas->FillRect(TRect(0, 0, 10, 10));
    canvas->FillRect(TRect(-8, -8, 0, 0));  // outside: clipped
    GdiFlush();
    Capture cap = CaptureWindow(host->Handle());
    const int ox = 10 + 20, oy = 10 + 30;
    EXPECT_EQ(cap.At(ox + 1, oy + 1), Rgb(clLime));
    EXPECT_EQ(cap.At(ox - 3, oy - 3), Rgb(clYellow));
    // The idle step gives the fetched DC back.
    EXPECT_TRUE(canvas->HandleAllocated());
    FreeDeviceContexts();
    EXPECT_FALSE(canvas->HandleAllocated());
}

TEST_F(PaintTest, MouseMessagesAreRoutedToTheGraphicChildInItsCoordinates) {
    struct Recorder {
        std::vector<std::pair<int, int>> downs;
        int clicks = 0;
        void Down(TObject*, TMouseButton, TShiftState, int X, int Y) { downs.push_back({X, Y}); }
        void Click(TObject*) { ++clicks; }
    } rec;
    swatch->OnMouseDown = TMouseEvent(&rec, &Recorder::Down);
    swatch->OnClick = TNotifyEvent(&rec, &Recorder::Click);
    HWND h = surface->Handle();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 35));
    // The child holds the capture through the parent's window.
    EXPECT_EQ(GetCapture(), h);
    EXPECT_EQ(GetCaptureControl(), swatch);
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(26, 36));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(rec.downs, (std::vector<std::pair<int, int>>{{5, 5}}));
    EXPECT_EQ(rec.clicks, 1);

    // Outside the child: the surface's own.
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 120));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(150, 120));
    EXPECT_EQ(rec.downs.size(), 1u);
}

TEST_F(PaintTest, OpaqueRepaintPaintsAtOnceTransparentOneOnTheNextPaint) {
    int before = swatch->paints;
    swatch->colour = clFuchsia;
    swatch->Repaint();  // opaque: through a parent DC, now
    EXPECT_EQ(swatch->paints, before + 1);
    Capture cap = CaptureWindow(host->Handle());
    EXPECT_EQ(cap.At(10 + 25, 10 + 35), Rgb(clFuchsia));

    swatch->SetControlStyle(swatch->ControlStyle() - TControlStyle{csOpaque});
    before = swatch->paints;
    swatch->Invalidate();
    EXPECT_EQ(swatch->paints, before);  // only invalidated
    swatch->Repaint();                  // invalidate, then the parent's update paints it
    EXPECT_EQ(swatch->paints, before + 1);
}

TEST_F(PaintTest, HiddenGraphicChildIsNotPainted) {
    swatch->SetVisible(false);
    int before = swatch->paints;
    surface->Repaint();
    Pump(30);
    EXPECT_EQ(swatch->paints, before);
    Capture cap = CaptureWindow(host->Handle());
    EXPECT_EQ(cap.At(10 + 25, 10 + 35), Rgb(clYellow));
}
