// A skin manager whose tables and master bitmap are built in code: a keyed
// and a masked three-state border image, each piece of each state in its own
// colour, with rounded see-through corners, and the sections that use them.
#pragma once

#include <memory>

#include "PaintTestBitmaps.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sBitmaps.h"

namespace painttest {

// Each state image is 12 x 12 with borders of 4: colour of piece (column
// zone cx 0..2, row zone cy 0..2) of state s.
inline std::vector<uint8_t> PieceColour(int s, int cx, int cy) {
    return {uint8_t(40 + 80 * cx), uint8_t(40 + 80 * cy), uint8_t(60 + 90 * s)};
}

// Corner pixels cut away: the outermost pixel and its two neighbours.
inline bool CutCorner(int x, int y) {
    const int dx = x < 4 ? x : 11 - x, dy = y < 4 ? y : 11 - y;
    return (x < 4 || x > 7) && (y < 4 || y > 7) && dx + dy < 2;
}

struct SkinTables {
    std::unique_ptr<skin::TsSkinManager> sm;
    int keyed = -1, masked = -1;

    SkinTables() : sm(std::make_unique<skin::TsSkinManager>(nullptr)) {
        // Rows 0..11 the keyed image, rows 12..23 the masked image, 24..35 its mask.
        sm->MasterBitmap = skin::CreateBmp24(36, 36);
        auto& M = *sm->MasterBitmap;
        for (int s = 0; s < 3; ++s)
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 12; ++x) {
                    const int cx = x < 4 ? 0 : x < 8 ? 1 : 2, cy = y < 4 ? 0 : y < 8 ? 1 : 2;
                    // A stripe inside each middle piece makes the tiling visible.
                    auto c = PieceColour(s, cx, cy);
                    if ((cx == 1 && x == 4) || (cy == 1 && y == 4)) c = {20, 20, 20};
                    Put(M, 12 * s + x, y, CutCorner(x, y) ? std::vector<uint8_t>{255, 0, 255} : c);
                    Put(M, 12 * s + x, 12 + y, CutCorner(x, y) ? std::vector<uint8_t>{255, 0, 255} : c);
                    // Mask: borders opaque (0), the centre half see-through (128).
                    const uint8_t m = cx == 1 && cy == 1 ? 128 : 0;
                    Put(M, 12 * s + x, 24 + y, {m, m, m});
                }
        skin::TsMaskData k;
        k.ClassName = L"PANEL";
        k.PropertyName = L"BORDERSMASK";
        k.R = fw::TRect(0, 0, 36, 12);
        k.ImageCount = 3;
        k.MaskType = 0;
        k.DrawMode = 4;
        k.Manager = sm.get();
        k.WL = k.WT = k.WR = k.WB = 4;
        skin::TsMaskData m = k;
        m.ClassName = L"BUTTON";
        m.R = fw::TRect(0, 12, 36, 36);
        m.MaskType = 1;
        sm->ma = {k, m};
        keyed = 0, masked = 1;
        skin::TsGeneralData panel, button, edit;
        panel.ClassName = L"PANEL";
        panel.BorderIndex = keyed;
        panel.Color = 0xC0C0C0;
        button.ClassName = L"BUTTON";
        button.BorderIndex = masked;
        edit.ClassName = L"EDIT";
        edit.FontColor = {0x000080, -1, -1, -1, -1};
        sm->gd = {panel, button, edit};
    }
    ~SkinTables() {
        delete sm->MasterBitmap;
        sm->MasterBitmap = nullptr;
    }
    const skin::TsMaskData& Image(int i) const { return sm->ma[size_t(i)]; }
};

}  // namespace painttest
