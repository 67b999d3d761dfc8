// Whole skins with image values changed the way skins from outside get them
// wrong (numbers at the ends of the 16- and 32-bit ranges, rectangles far
// outside the master bitmap, more states than pixels), loaded and painted:
// every section in both states, every image as a border and as a glyph.
// Every skin loads (a value that cannot be used is left out, not the skin);
// nothing may crash, read outside a bitmap or paint for ever. The skins come from the committed TPaint
// skin, changed by a fixed seed, so a failing skin is named and made again.
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <sstream>

#include "PaintTestBitmaps.h"
#include "skin/engine/SkinVariant.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sCopies.h"
#include "skin/paint/sGlyphs.h"
#include "skin/paint/sSectionPaint.h"
#include "skin/paint/sSkinRect.h"

using namespace skin;
using namespace painttest;

namespace {

const char* const kNumbers[] = {"0",     "1",     "-1",    "2",      "9",          "255",         "256",
                                "4096",  "32767", "32768", "-32768", "40000",      "65535",       "65536",
                                "99999", "-7",    "1000",  "300",    "2147483647", "-2147483648", "-2147483647"};

// The values of the issue that once ended the process or never ended a paint.
const char* const kSeeds[][3] = {
    {"BUTTON", "IMGTOPRIGHT", "#(-2147483648,0,0,10)(65535,0,0,1)"},
    {"BUTTON", "BORDERSMASK", "#(2147483647,0,84,32)(3,1,4,1)"},
    {"BUTTON", "IMGTOPLEFT", "#(1,0,-2147483647,10)(40000,0,0,1)"},
};

struct Line {
    std::string section, key, value;
};

// The image values of an Options text (codes @ ^ ~ !, and the "#" form).
std::vector<Line> ImageValues(const std::string& options) {
    std::vector<Line> out;
    std::istringstream in(options);
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > 2 && line[0] == '[') section = line.substr(1, line.size() - 2);
        const size_t eq = line.find('=');
        if (eq == std::string::npos || eq + 1 >= line.size()) continue;
        const std::string value = line.substr(eq + 1);
        if (std::string("@^~!").find(value[0]) != std::string::npos || value.find('#') != std::string::npos)
            out.push_back({section, line.substr(0, eq), value});
    }
    return out;
}

// One image value changed: a file value gets other numbers in its words; any
// other is written in the "#" form (which takes any 32-bit number) with its
// rectangle and numbers, some of them replaced.
std::string Mutate(const std::string& value, std::mt19937& rng) {
    auto pick = [&] { return std::string(kNumbers[rng() % std::size(kNumbers)]); };
    if (value[0] == '!') {
        std::vector<std::string> words;
        std::stringstream in(value.substr(1));
        for (std::string w; std::getline(in, w, '!');) words.push_back(w);
        words.resize(8, "0");
        for (int n = 1 + rng() % 2; n > 0; --n) words[1 + rng() % 7] = pick();
        std::string out;
        for (const std::string& w : words) out += "!" + w;
        return out;
    }
    std::vector<std::string> nums;
    const std::regex number("-?[0-9]+");
    for (auto it = std::sregex_iterator(value.begin(), value.end(), number); it != std::sregex_iterator(); ++it)
        nums.push_back(it->str());
    nums.resize(4, "0");
    const std::vector<std::string> tail = {"1", "0", "0", "1"};
    nums.resize(8);
    for (size_t i = 4; i < 8; ++i) nums[i] = tail[i - 4];
    for (int n = 1 + rng() % 3; n > 0; --n) nums[rng() % 8] = pick();
    return "#(" + nums[0] + "," + nums[1] + "," + nums[2] + "," + nums[3] + ")(" + nums[4] + "," + nums[5] + "," +
           nums[6] + "," + nums[7] + ")";
}

// Every section in both states, by index and as a small item, over a parent
// and over nothing; every image as a border and as each of its glyphs.
void PaintAll(TsSkinManager& sm) {
    auto parent = Make(fw::pf24bit, 80, 60);
    const TCacheInfo ci = MakeCacheInfo(parent.get(), 4, 3);
    for (int i = 0; i < int(sm.gd.size()); ++i)
        for (int state = 0; state < 2; ++state) {
            auto b24 = Make(fw::pf24bit, 70, 44), b32 = Make(fw::pf32bit, 70, 44);
            const fw::TRect R(3, 2, 67, 42);
            PaintItem(i, sm.gd[size_t(i)].ClassName, ci, true, state, R, fw::TPoint(4, 3), b24.get(), &sm);
            PaintItem(i, sm.gd[size_t(i)].ClassName, EmptyCI, true, state, R, fw::TPoint(0, 0), b32.get(), &sm);
            PaintSmallItem(i, sm.gd[size_t(i)].ClassName, ci, true, state, R, fw::TPoint(4, 3), b24.get(), &sm);
            PaintSection(b24.get(), sm.gd[size_t(i)].ClassName, L"", state, &sm, fw::TPoint(0, 0), 0x00FF00, nullptr);
        }
    for (const TsMaskData& md : sm.ma) {
        auto b = Make(fw::pf24bit, 60, 40);
        DrawSkinRect(b.get(), fw::TRect(0, 0, 60, 40), true, EmptyCI, md, 1, true);
        DrawSmallSkinRect(b.get(), fw::TRect(0, 0, 60, 40), true, EmptyCI, md, 0);
        for (int state = 0; state < 3; ++state) {
            DrawSkinGlyph(b.get(), fw::TPoint(2, 2), state, 1, md, MakeCacheInfo(b.get(), 0, 0));
            DrawSkinGlyph(b.get(), fw::TPoint(-3, 5), state, 0, md, EmptyCI);
        }
    }
}

// Loads TPaint as written with Options and paints it.
void LoadAndPaint(const std::string& options) {
    enginetest::TempDir dir;
    enginetest::WriteSkinFolder(L"test\\TPaint", dir, L"TPaint", options);
    TsSkinManager sm(nullptr);
    sm.SetSkinDirectory(dir.Path());
    ASSERT_NO_THROW(sm.SetSkinName(L"TPaint"));
    ASSERT_GE(sm.GetSkinIndex(L"BUTTON"), 0);
    PaintAll(sm);
}

}  // namespace

TEST(SkinMutation, TheValuesThatOnceEndedThePaintLoadAndPaint) {
    const std::string options = enginetest::SkinOptions(L"test\\TPaint");
    for (const auto& seed : kSeeds) {
        SCOPED_TRACE(std::string(seed[0]) + "." + seed[1] + "=" + seed[2]);
        LoadAndPaint(enginetest::WithValue(options, seed[0], seed[1], seed[2]));
    }
}

TEST(SkinMutation, MutatedSkinsLoadAndPaintEverySection) {
    // A fixed number of skins by a fixed seed: the time is bounded and a
    // failure comes back the same.
    const std::string options = enginetest::SkinOptions(L"test\\TPaint");
    const std::vector<Line> images = ImageValues(options);
    ASSERT_GE(images.size(), 10u);
    std::mt19937 rng(43);
    for (int n = 0; n < 60; ++n) {
        std::string text = options, changed;
        for (int k = 1 + rng() % 3; k > 0; --k) {
            const Line& l = images[rng() % images.size()];
            const std::string value = Mutate(l.value, rng);
            text = enginetest::WithValue(text, l.section, l.key, value);
            changed += " " + l.section + "." + l.key + "=" + value;
        }
        SCOPED_TRACE("skin " + std::to_string(n) + ":" + changed);
        LoadAndPaint(text);
    }
}

TEST(SkinMutation, ImagesOfWrappingNumbersDrawNothing) {
    // The images as a loader that wrapped 16-bit counts stored them, handed to
    // painting directly: painting itself builds no rectangle by overflow.
    auto sm = std::make_unique<TsSkinManager>(nullptr);
    sm->SetSkinDirectory(kvbskins::SkinsPath(L"test"));
    sm->SetSkinName(L"TPaint");
    struct Case {
        fw::TRect r;
        int16_t count;
        int width;         // WidthOfImage, counted without wrapping
        fw::TRect copied;  // what the keyed copies of R itself (inclusive) may write: its part in the master
    } cases[] = {
        {{INT32_MIN, 0, 0, 10}, -1, 0, {0, 0, 1, 11}},  // 65535 states: width / -1 traps
        {{INT32_MAX, 0, 84, 32}, 3, -715827854, {}},    // Right - Left: -2147483563
        {{1, 0, -2147483647, 10}, -25536, 0, {}},       // 40000 states: 2^31 columns
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.r.Left) + "," + std::to_string(c.r.Right) + " x" + std::to_string(c.count));
        TsMaskData md;
        md.Manager = sm.get();
        md.R = c.r;
        md.ImageCount = c.count;
        EXPECT_EQ(WidthOfImage(md), c.width);
        auto b = Make(fw::pf24bit, 60, 40);
        Pattern(*b);
        const Snapshot before(*b);
        for (int state = 0; state < 3; ++state) {
            DrawSkinGlyph(b.get(), fw::TPoint(2, 2), state, 1, md, MakeCacheInfo(b.get(), 0, 0));
            DrawSkinGlyph(b.get(), fw::TPoint(2, 2), state, 0, md, EmptyCI);
        }
        DrawSkinRect(b.get(), fw::TRect(0, 0, 60, 40), true, EmptyCI, md, 1, true);
        EXPECT_TRUE(UnchangedOutside(*b, before, fw::TRect()));
        CopyTransRect(b.get(), sm->MasterBitmap, 0, 0, c.r, 0xFF00FF, EmptyCI, false);
        CopyTransRectA(b.get(), sm->MasterBitmap, 0, 0, c.r, 0xFF00FF, EmptyCI);
        EXPECT_TRUE(UnchangedOutside(*b, before, c.copied));
    }
}
