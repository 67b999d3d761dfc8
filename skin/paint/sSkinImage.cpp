#include "skin/paint/sSkinImage.h"

#include <algorithm>

#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sCopies.h"

namespace skin {

TMasterBitmapOf acMasterBitmapOf = nullptr;

fw::TBitmap* SkinImageBitmap(const TsMaskData& MaskData) {
    if (!MaskData.Manager) return nullptr;
    if (MaskData.Bmp) return MaskData.Bmp;
    if (acMasterBitmapOf) return acMasterBitmapOf(MaskData.Manager);
    auto* M = dynamic_cast<TsSkinManager*>(MaskData.Manager);
    return M ? M->MasterBitmap : nullptr;
}

bool LiesInBitmap(const TsMaskData& MaskData, const fw::TBitmap* Bitmap) {
    const fw::TRect& R = MaskData.R;
    return Bitmap && !R.IsEmpty() && R.Left >= 0 && R.Top >= 0 && R.Right <= Bitmap->Width() &&
           R.Bottom <= Bitmap->Height();
}

int ImageCountOf(const TsMaskData& MaskData) { return std::max<int>(MaskData.ImageCount, 1); }

int MaskTypeOf(const TsMaskData& MaskData) { return std::max<int>(MaskData.MaskType, 0); }

void CopyMasterRect(fw::TRect R1, fw::TRect R2, fw::TBitmap* Bmp, const TCacheInfo& CI, const TsMaskData& MaskData) {
    fw::TBitmap* M = SkinImageBitmap(MaskData);
    if (!M || !Bmp) return;
    const TPixelRows src = PixelRows(M), dst = PixelRows(Bmp);
    if (!src || !dst || src.bpp < 3 || dst.bpp < 3) return;
    int cols, rows;
    if (!ClipCopyArea(R1, R2, Bmp, M, cols, rows)) return;
    const int maskOffset = MaskData.R.Height() / 2;
    rows = std::min(rows, src.height - int(R2.Top) - maskOffset);  // the mask rows lie inside too
    if (rows <= 0 || cols <= 0) return;

    const TParentPixels parent(CI);
    bool useParent = false;
    uint32_t fill = uint32_t(CI.FillColor) & 0xFFFFFF;
    bool useFill = fill != 0xFF00FF;
    if (CI.Ready) {
        const fw::TPixelFormat pf = CI.Bmp ? CI.Bmp->PixelFormat() : fw::pfDevice;
        if ((pf != fw::pf24bit && pf != fw::pf32bit) || CI.Bmp->Width() < 2 || CI.Bmp->Height() < 2) return;
        useParent = pf == fw::pf24bit || !useFill;
        useFill = !useParent;
    }
    for (int r = 0; r < rows; ++r) {
        const uint8_t* s = src.At(R2.Left, R2.Top + r);
        const uint8_t* k = src.At(R2.Left, R2.Top + r + maskOffset);
        uint8_t* d = dst.At(R1.Left, R1.Top + r);
        for (int c = 0; c < cols; ++c, s += src.bpp, k += src.bpp, d += dst.bpp) {
            if (!IsFuchsia(s)) {
                for (int ch = 0; ch < 3; ++ch) d[ch] = MaskBlend(d[ch], s[ch], k[ch]);
            } else if (useParent) {
                if (parent.Look(R1.Left + CI.X + c, R1.Top + CI.Y + r, d) == plEndRow) break;
            } else if (useFill) {
                d[0] = uint8_t(fill >> 16), d[1] = uint8_t(fill >> 8), d[2] = uint8_t(fill);
            }
        }
    }
}

}  // namespace skin
