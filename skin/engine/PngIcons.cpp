#include "skin/engine/PngIcons.h"

#include <cstring>
#include <memory>

#include "framework/graphics/Canvas.h"
#include "skin/engine/PNGGraphic.h"
#include "skin/engine/sBitmapBase.h"

namespace skin {

namespace {

// Direct pixel access needs a 32-bit bitmap of at least 2 x 2.
bool PixelAccess(fw::TBitmap* b) { return b && b->Width() >= 2 && b->Height() >= 2 && b->PixelFormat() == fw::pf32bit; }

HICON IconOf(fw::TBitmap* colour, fw::TBitmap* mask) {
    ICONINFO ii{};
    ii.fIcon = TRUE;
    ii.hbmColor = colour->Handle();
    ii.hbmMask = mask->Handle();
    return CreateIconIndirect(&ii);
}

}  // namespace

HICON MakeIcon32(fw::TBitmap* Bmp, bool ForceKeyMask) {
    if (!Bmp) return nullptr;
    fw::TBitmap mask(Bmp->Width(), Bmp->Height(), fw::pf8bit);
    if (Bmp->PixelFormat() != fw::pf32bit || ForceKeyMask) {
        Bmp->SetPixelFormat(fw::pf32bit);
        if (PixelAccess(Bmp)) {
            uint32_t key;
            std::memcpy(&key, Bmp->ScanLine(0), 4);
            for (int y = 0; y < Bmp->Height(); ++y) {
                const uint32_t* p = static_cast<const uint32_t*>(Bmp->ScanLine(y));
                uint8_t* m = static_cast<uint8_t*>(mask.ScanLine(y));
                for (int x = 0; x < Bmp->Width(); ++x) m[x] = p[x] == key ? 255 : 0;
            }
        }
        mask.SetPixelFormat(fw::pf1bit);  // 255 becomes white: transparent
    } else {
        mask.SetPixelFormat(fw::pf1bit);
        for (int y = 0; y < mask.Height(); ++y) std::memset(mask.ScanLine(y), 0, size_t((mask.Width() + 7) / 8));
    }
    return IconOf(Bmp, &mask);
}

HICON MakeCompIcon(TPNGGraphic* Png, fw::TColor Background) {
    if (!Png) return nullptr;
    const int w = Png->Width(), h = Png->Height();
    fw::TBitmap mask(w, h, fw::pf1bit);
    std::unique_ptr<fw::TBitmap> bmp(CreateBmp32(w, h));
    FillDC(bmp->Canvas()->Handle(), fw::TRect(0, 0, w, h), Background);
    Png->Draw(bmp->Canvas(), fw::TRect(0, 0, w, h));
    if (Png->PixelFormat() != fw::pf32bit) Png->SetPixelFormat(fw::pf32bit);
    if (PixelAccess(Png) && PixelAccess(bmp.get())) {
        for (int y = 0; y < h; ++y) {
            const uint8_t* s = static_cast<const uint8_t*>(Png->ScanLine(y));
            uint8_t* d = static_cast<uint8_t*>(bmp->ScanLine(y));
            uint8_t* m = static_cast<uint8_t*>(mask.ScanLine(y));
            std::memcpy(d, s, size_t(w) * 4);
            for (int x = 0; x < w; ++x) {
                const uint8_t bit = uint8_t(0x80 >> (x % 8));
                if (s[4 * x + 3] == 0)
                    m[x / 8] |= bit;
                else
                    m[x / 8] &= uint8_t(~bit);
            }
        }
    }
    return IconOf(bmp.get(), &mask);
}

void UpdateTransPixels(fw::TBitmap* Bmp) {
    if (!PixelAccess(Bmp)) return;
    for (int y = 0; y < Bmp->Height(); ++y) {
        uint8_t* p = static_cast<uint8_t*>(Bmp->ScanLine(y));
        for (int x = 0; x < Bmp->Width(); ++x, p += 4)
            if (p[0] == 255 && p[1] == 255 && p[2] == 255 && p[3] == 0) p[0] = p[1] = p[2] = 0;
    }
}

}  // namespace skin
