// Whole pictures compared with committed ones: a test paints a bitmap, saves
// it to build/screenshots for a person to look at, and compares it with
// tests/skin/<suite>/data/<name> pixel by pixel (suite "paint" unless named). KVB_REGENERATE_PICTURES=1
// writes the committed picture again instead (small BMPs a person can open):
// after a deliberate change of painting, run the suite with it, open each
// rewritten picture beside its old one (git diff names them) and commit only
// those that show the change and nothing else.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "PaintTestBitmaps.h"
#include "framework/rtl/Strings.h"
#include "skins/TestSkins.h"

namespace painttest {

inline fw::String DataPath(const wchar_t* name, const wchar_t* suite = L"paint") {
    return kvbskins::SkinsPath() + L"\\..\\tests\\skin\\" + suite + L"\\data\\" + name;
}

// Saves Shot as build/screenshots/<name>.
inline void SaveScreenshot(fw::TBitmap& shot, const wchar_t* name) {
    CreateDirectoryW(L"..\\screenshots", nullptr);
    shot.SaveToFile(fw::String(L"..\\screenshots\\") + name);
}

// Compares Shot (24-bit) with the committed picture (or writes it), and
// saves it to build/screenshots. Pixels inside Unchecked (where text lies,
// which a font or Wine update redraws) are not compared.
inline void ComparePicture(fw::TBitmap& shot, const wchar_t* name, const wchar_t* suite = L"paint",
                           const std::vector<RECT>& Unchecked = {}) {
    SaveScreenshot(shot, name);
    const char* regen = std::getenv("KVB_REGENERATE_PICTURES");
    if (regen && *regen == '1') {
        shot.SaveToFile(DataPath(name, suite));
        return;
    }
    fw::TBitmap expected;
    expected.LoadFromFile(DataPath(name, suite));
    ASSERT_EQ(expected.Width(), shot.Width());
    ASSERT_EQ(expected.Height(), shot.Height());
    expected.SetPixelFormat(fw::pf24bit);
    int differing = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if (std::none_of(Unchecked.begin(), Unchecked.end(),
                             [&](const RECT& r) {
                                 return PtInRect(&r, POINT{x, y});
                             }) &&
                Get(expected, x, y) != Get(shot, x, y) && differing++ < 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") differs from " << fw::ToAnsi(name).c_str();
    EXPECT_EQ(differing, 0);
}

}  // namespace painttest
