// A splitter on a shown form dragged with the mouse: the sibling it touches
// is resized within MinSize and the room the others leave, AutoSnap closes
// it, OnCanResize may refuse, and a line shows the drag until release.
#include <gtest/gtest.h>

#include "framework/windows/ExtCtrls.h"
#include "native_fixture.h"

using namespace fw;
using namespace fwtest;

namespace {

struct SplitterForm {
    NativeForm form;
    TPanel* left;
    TSplitter* splitter;
    TPanel* rest;

    explicit SplitterForm(TAlign side = alLeft) {
        form->SetClientWidth(480);
        left = form.Put<TPanel>(0, 0, 100, 100);
        left->SetAlign(side);
        splitter = Create<TSplitter>(form.get());
        // Put beyond the panel so alignment places it next to it.
        if (side == alLeft)
            splitter->SetBounds(200, 0, 3, 100);
        else
            splitter->SetBounds(0, 200, 100, 3);
        splitter->SetAlign(side);
        splitter->SetParent(form.get());
        rest = form.Put<TPanel>(0, 0, 10, 10);
        rest->SetAlign(alClient);
        Pump(20);
    }
    // A left-button drag on the splitter from its middle, by (dx, dy).
    void Drag(int dx, int dy, bool release = true) {
        TPoint at(splitter->Left() + splitter->Width() / 2, splitter->Top() + splitter->Height() / 2);
        HWND h = form->Handle();
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.X, at.Y));
        SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.X + dx / 2, at.Y + dy / 2));
        SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.X + dx, at.Y + dy));
        if (release) SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(at.X + dx, at.Y + dy));
    }
};

}  // namespace

TEST(Splitter, DragResizesTheNeighbourWithinMinSizeAndTheRoomLeft) {
    struct Case {
        const char* what;
        int dx;
        bool autoSnap;
        int want;
    } cases[] = {
        {"wider", 50, false, 150},
        {"narrower", -40, false, 60},
        // 480 - MinSize 30 - the splitter's 3 leaves 447 for the panel.
        {"past the room the others leave", 600, false, 447},
        {"below MinSize", -90, false, 30},
        {"below MinSize with AutoSnap", -90, true, 0},
    };
    for (const Case& k : cases) {
        SplitterForm f;
        f.splitter->SetAutoSnap(k.autoSnap);
        EXPECT_EQ(f.splitter->Left(), 100) << k.what;
        EXPECT_EQ(f.splitter->Cursor(), crHSplit);
        int moved = 0;
        struct Counter {
            int* n;
            void Moved(TObject*) { ++*n; }
        } counter{&moved};
        f.splitter->OnMoved = TNotifyEvent(&counter, &Counter::Moved);
        f.Drag(k.dx, 0);
        EXPECT_EQ(f.left->Width(), k.want) << k.what;
        EXPECT_EQ(f.splitter->Left(), k.want) << k.what;
        EXPECT_EQ(f.rest->Left(), k.want + 3) << k.what;
        EXPECT_EQ(moved, 1) << k.what;
    }
}

TEST(Splitter, BottomSplitterGrowsItsNeighbourUpwards) {
    SplitterForm f(alBottom);
    int bottom = f.left->Top() + f.left->Height();
    EXPECT_EQ(f.splitter->Cursor(), crVSplit);
    f.Drag(0, -30);
    EXPECT_EQ(f.left->Height(), 130);
    EXPECT_EQ(f.left->Top() + f.left->Height(), bottom);
    EXPECT_EQ(f.splitter->Top() + f.splitter->Height(), f.left->Top());
}

TEST(Splitter, OnCanResizeAdjustsOrRefusesTheNewSize) {
    SplitterForm f;
    struct Rule {
        bool refuse = false;
        void CanResize(TObject*, int& NewSize, bool& Accept) {
            if (refuse)
                Accept = false;
            else
                NewSize = NewSize / 10 * 10;
        }
    } rule;
    f.splitter->OnCanResize = TCanResizeEvent(&rule, &Rule::CanResize);
    f.Drag(37, 0);
    EXPECT_EQ(f.left->Width(), 130);
    rule.refuse = true;
    f.Drag(40, 0);
    EXPECT_EQ(f.left->Width(), 130);
}

TEST(Splitter, PatternStyleShowsALineUntilReleaseWhileUpdateResizesAtOnce) {
    SplitterForm f;
    f.splitter->SetColor(clRed);
    f.left->SetColor(clWhite);
    f.rest->SetColor(clWhite);
    f.splitter->SetResizeStyle(rsLine);
    f.form->Repaint();
    Pump(30);
    f.Drag(60, 0, false);
    // Not yet resized; an inverted line (white turned black) stands at the new place.
    EXPECT_EQ(f.left->Width(), 100);
    Capture during = CaptureWindow(f.form->Handle());
    EXPECT_EQ(during.At(161, 50), 0u);
    SendMessageW(f.form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(161, 50));
    EXPECT_EQ(f.left->Width(), 160);
    Pump(30);
    Capture after = CaptureWindow(f.form->Handle());
    EXPECT_EQ(after.At(161, 50), Rgb(clRed));
    EXPECT_EQ(after.At(200, 50), Rgb(clWhite));

    f.splitter->SetResizeStyle(rsUpdate);
    f.Drag(20, 0, false);
    EXPECT_EQ(f.left->Width(), 180);
    SendMessageW(f.form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(181, 50));
    EXPECT_EQ(f.left->Width(), 180);
}
