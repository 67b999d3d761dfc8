// Gaussian blur of 8- and 24-bit DIBs in place: two one-dimensional passes
// over a kernel cut where its tail falls under half a grey level.
#pragma once

#include "framework/graphics/Bitmap.h"

namespace skin {

// Weights[-100..100] (stored from index 0) of which -Size..Size are used.
struct TKernel {
    int Size = 1;
    float Weights[201] = {};
    float W(int i) const { return Weights[i + 100]; }
};

// The kernel of Radius (the largest channel 255, granularity 1). A Radius of
// 0 or less has no kernel: Size 0 and every weight 0.
TKernel MakeGaussianKernel(double Radius);

// Blur a pf8bit / pf24bit DIB in place; other bitmaps, and Radius <= 0, are left.
void Blur8(fw::TBitmap* Bmp, double Radius);
void Blur24(fw::TBitmap* Bmp, double Radius);

}  // namespace skin
