// Counts the process's live GDI objects by type, for leak checks.
// GetGuiResources answers 0 under Wine, so the count comes from the GDI handle
// table that Windows and Wine both map where the PEB's GdiSharedHandleTable
// points. Each live entry gives back its handle (index | unique << 16), and
// GetObjectType of that handle says whether it is one of this process's
// objects and of which kind: another process's entries (Windows shares the
// table in a session) answer 0.
#pragma once

#include <windows.h>

#include <ostream>

#include <gtest/gtest.h>

struct GdiObjectCounts {
    int Total = 0;
    int Bitmaps = 0;
    int Brushes = 0;
    int Pens = 0;
    int Fonts = 0;
    int Regions = 0;
    int DCs = 0;
    int Palettes = 0;
    int Others = 0;

    // Objects of each kind that this count holds beyond Before (negative: fewer).
    GdiObjectCounts Minus(const GdiObjectCounts& Before) const {
        GdiObjectCounts d;
        d.Total = Total - Before.Total;
        d.Bitmaps = Bitmaps - Before.Bitmaps;
        d.Brushes = Brushes - Before.Brushes;
        d.Pens = Pens - Before.Pens;
        d.Fonts = Fonts - Before.Fonts;
        d.Regions = Regions - Before.Regions;
        d.DCs = DCs - Before.DCs;
        d.Palettes = Palettes - Before.Palettes;
        d.Others = Others - Before.Others;
        return d;
    }
};

inline std::ostream& operator<<(std::ostream& os, const GdiObjectCounts& c) {
    return os << c.Total << " GDI objects (" << c.Bitmaps << " bitmaps, " << c.Brushes << " brushes, " << c.Pens
              << " pens, " << c.Fonts << " fonts, " << c.Regions << " regions, " << c.DCs << " DCs, " << c.Palettes
              << " palettes, " << c.Others << " others)";
}

namespace gdi_table {

// The PEB's GdiSharedHandleTable (32-bit layout).
inline const BYTE* Base() {
    const BYTE* peb = nullptr;
    asm("movl %%fs:0x30, %0" : "=r"(peb));  // the TEB's ProcessEnvironmentBlock
    return *reinterpret_cast<const BYTE* const*>(peb + 0x94);
}

// An entry is 16 bytes on 32-bit Windows, 24 (64-bit pointers) under WOW64 and
// Wine; the unique half of the handle sits at 8 and 12. The layout that finds a
// fresh brush's unique half where its handle says is the one in use.
struct Layout {
    SIZE_T Size = 0;
    SIZE_T UniqueAt = 0;
};

inline USHORT UniqueOf(const BYTE* Table, const Layout& L, SIZE_T Index) {
    return *reinterpret_cast<const USHORT*>(Table + Index * L.Size + L.UniqueAt);
}

inline Layout Find(const BYTE* Table) {
    const HBRUSH probe = CreateSolidBrush(RGB(1, 2, 3));
    const UINT_PTR h = reinterpret_cast<UINT_PTR>(probe);
    Layout found;
    for (const Layout l : {Layout{24, 12}, Layout{16, 8}}) {
        if (UniqueOf(Table, l, LOWORD(h)) == HIWORD(h)) {
            found = l;
            break;
        }
    }
    DeleteObject(probe);
    return found;
}

}  // namespace gdi_table

// The live GDI objects of this process. Total is -1 where no handle table is
// found (a check then fails, it does not pass unseen).
inline GdiObjectCounts CountGdiObjects() {
    GdiObjectCounts c;
    const BYTE* table = gdi_table::Base();
    const gdi_table::Layout layout = table ? gdi_table::Find(table) : gdi_table::Layout{};
    if (!layout.Size) {
        c.Total = -1;
        return c;
    }
    MEMORY_BASIC_INFORMATION mbi{};
    VirtualQuery(table, &mbi, sizeof mbi);
    const SIZE_T readable = reinterpret_cast<const BYTE*>(mbi.BaseAddress) + mbi.RegionSize - table;
    const SIZE_T entries = readable / layout.Size < 0x10000 ? readable / layout.Size : 0x10000;
    for (SIZE_T i = 1; i < entries; ++i) {
        const USHORT unique = gdi_table::UniqueOf(table, layout, i);
        if (!unique) continue;
        const HGDIOBJ h = reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(i | (unique << 16)));
        switch (GetObjectType(h)) {
            case 0:
                continue;
            case OBJ_BITMAP:
                ++c.Bitmaps;
                break;
            case OBJ_BRUSH:
                ++c.Brushes;
                break;
            case OBJ_PEN:
            case OBJ_EXTPEN:
                ++c.Pens;
                break;
            case OBJ_FONT:
                ++c.Fonts;
                break;
            case OBJ_REGION:
                ++c.Regions;
                break;
            case OBJ_DC:
            case OBJ_MEMDC:
                ++c.DCs;
                break;
            case OBJ_PAL:
                ++c.Palettes;
                break;
            default:
                ++c.Others;
                break;
        }
        ++c.Total;
    }
    return c;
}

// A leak check: passes when After holds at most Slack objects more than
// Before, and fails where the objects cannot be counted.
inline testing::AssertionResult GdiObjectsGrewAtMost(const GdiObjectCounts& Before, const GdiObjectCounts& After,
                                                     int Slack) {
    if (Before.Total < 0 || After.Total < 0) return testing::AssertionFailure() << "no GDI handle table to count";
    const GdiObjectCounts grew = After.Minus(Before);
    if (grew.Total <= Slack) return testing::AssertionSuccess() << "grew by " << grew;
    return testing::AssertionFailure() << "grew by " << grew << ", more than " << Slack << "; before: " << Before
                                       << "; after: " << After;
}

// The leak check after some work: at most Slack objects more than Before. A
// test runs it once more over work with a leak planted in it, which it must see.
inline void ExpectGdiObjectsKept(const GdiObjectCounts& Before, int Slack, bool LeakPlanted) {
    const testing::AssertionResult kept = GdiObjectsGrewAtMost(Before, CountGdiObjects(), Slack);
    if (LeakPlanted) {
        EXPECT_FALSE(kept) << "the planted leak went unseen";
    } else {
        EXPECT_TRUE(kept);
    }
}
