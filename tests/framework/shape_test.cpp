// A shape on a shown form: drawn in its pen and brush within its bounds, and
// repainted when either changes.
#include <gtest/gtest.h>

#include "framework/windows/ExtCtrls.h"
#include "native_fixture.h"

using namespace fw;
using namespace fwtest;

TEST(Shape, FigureInPenAndBrushRepaintedWhenTheyChange) {
    NativeForm form;
    form->SetColor(clWhite);
    TShape* shape = form.Put<TShape>(10, 10, 60, 40);
    shape->Brush()->SetColor(clRed);
    shape->SetShape(stCircle);
    form->Repaint();
    Pump(30);
    Capture cap = CaptureWindow(form->Handle());
    // A circle of 40 centred in 60 x 40: the sides stay the form's.
    EXPECT_EQ(cap.At(40, 30), Rgb(clRed));
    EXPECT_EQ(cap.At(14, 30), Rgb(clWhite));
    EXPECT_EQ(cap.At(66, 30), Rgb(clWhite));
    EXPECT_EQ(cap.At(20, 30), Rgb(clBlack));  // the pen on the circle's left edge

    shape->Pen()->SetColor(clBlue);
    shape->Brush()->SetColor(clLime);
    shape->SetShape(stRectangle);
    Pump(30);
    cap = CaptureWindow(form->Handle());
    EXPECT_EQ(cap.At(40, 30), Rgb(clLime));
    EXPECT_EQ(cap.At(14, 30), Rgb(clLime));
    EXPECT_EQ(cap.At(10, 30), Rgb(clBlue));
    EXPECT_EQ(cap.At(69, 49), Rgb(clBlue));
    EXPECT_EQ(cap.At(70, 30), Rgb(clWhite));
}
