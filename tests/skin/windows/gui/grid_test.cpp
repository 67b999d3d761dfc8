// A grid of another suite, made of the framework's grid base with the colour
// properties such grids publish: the wrapper sets each from the skin and
// gives each back when the skin goes.
#include <gtest/gtest.h>

#include <windows.h>

#include "SkinPixels.h"
#include "WineDesk.h"
#include "framework/rtl/Properties.h"
#include "skin/windows/acGridWnd.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {

// The grid's look object.
class TLook : public fw::TPersistent {
public:
    fw::String ClassName() const override { return L"TLook"; }
    const fw::TPropTable* PublishedProperties() const override {
        static const fw::TPropTable table(
            fw::TPersistent::PublishedProperties(),
            {Color(L"FixedGradientFrom", &TLook::from), Color(L"FixedGradientTo", &TLook::to),
             Color(L"FixedGradientMirrorFrom", &TLook::mirrorFrom), Color(L"FixedGradientMirrorTo", &TLook::mirrorTo)});
        return &table;
    }
    int from = int(fw::clDefault), to = 0x102030, mirrorFrom = 0x405060, mirrorTo = 0x708090;

private:
    static fw::TPropInfo Color(const wchar_t* Name, int TLook::*F) {
        return fw::IntegerProperty<TLook>(
            Name, [F](const TLook& l) { return l.*F; }, [F](TLook& l, int v) { l.*F = v; });
    }
};

class TSuiteGrid : public fw::TCustomGrid {
public:
    using fw::TCustomGrid::TCustomGrid;
    fw::String ClassName() const override { return L"TSuiteGrid"; }
    const fw::TPropTable* PublishedProperties() const override {
        static const fw::TPropTable table(
            fw::TCustomGrid::PublishedProperties(),
            {Color(L"FixedColor", &TSuiteGrid::fixed), Color(L"FooterColor", &TSuiteGrid::footer),
             Color(L"TitleColor", &TSuiteGrid::title), Color(L"IndicatorIconColor", &TSuiteGrid::indicator),
             Color(L"SelectionColor", &TSuiteGrid::selection), Color(L"SelectionTextColor", &TSuiteGrid::selText),
             Color(L"GridLineColor", &TSuiteGrid::line), Color(L"GridFixedLineColor", &TSuiteGrid::fixedLine),
             fw::ObjectProperty<TSuiteGrid, fw::TFont>(L"FixedFont", [](const TSuiteGrid& g) { return g.font; }),
             fw::ObjectProperty<TSuiteGrid, TLook>(L"ControlLook", [](const TSuiteGrid& g) { return g.look; })});
        return &table;
    }
    int fixed = 0x010101, footer = 0x020202, title = 0x030303, indicator = 0x040404, selection = 0x050505,
        selText = 0x060606, line = 0x070707, fixedLine = 0x080808;
    fw::TFont* font = new fw::TFont();
    TLook* look = new TLook();
    ~TSuiteGrid() override {
        delete font;
        delete look;
    }

private:
    static fw::TPropInfo Color(const wchar_t* Name, int TSuiteGrid::*F) {
        return fw::IntegerProperty<TSuiteGrid>(
            Name, [F](const TSuiteGrid& g) { return g.*F; }, [F](TSuiteGrid& g, int v) { g.*F = v; });
    }
};

}  // namespace

TEST(GridWnd, EveryColourPropertySetFromTheSkinAndGivenBack) {
    auto sm = std::make_unique<TsSkinManager>(nullptr);
    sm->SetSkinDirectory(kvbskins::SkinsPath(L"default"));
    sm->SetSkinName(L"Stillwater");
    TsSkinManager* M = sm.get();
    Host host(300, 200, RGB(250, 250, 235));
    auto* grid = new TSuiteGrid(nullptr);
    grid->SetBounds(10, 10, 200, 150);
    grid->SetParentWindow(host.handle);
    grid->Show();
    grid->font->SetColor(0x0A0B0C);
    grid->SetDrawingStyle(fw::gdsThemed);
    grid->SetGradientStartColor(0x111111);
    grid->SetGradientEndColor(0x222222);
    Pump(30);
    TsCommonData sd(grid, true);
    sd.SetSkinManager(M);
    sd.SetSkinSection(L"EDIT");
    auto* w = static_cast<TacGridWnd*>(CreateGridWnd(grid->Handle(), &sd, M));
    w->SetSkinParams();

    TsSkinManager* D = DefaultManager ? DefaultManager : M;
    const fw::TColor G = M->GetGlobalColor(), A = M->GetActiveEditColor();
    const fw::TColor info = M->gd[size_t(M->ConstData.IndexGLobalInfo)].Color;
    struct Row {
        const char* what;
        int got, want, std;
    } rows[] = {
        {"FixedColor", grid->fixed, int(G), 0x010101},
        {"FooterColor", grid->footer, int(info), 0x020202},
        {"TitleColor", grid->title, int(info), 0x030303},
        {"IndicatorIconColor", grid->indicator, int(sd.Section()->FontColor[0]), 0x040404},
        {"SelectionColor", grid->selection, int(M->GetHighLightColor()), 0x050505},
        {"SelectionTextColor", grid->selText, int(M->GetHighLightFontColor()), 0x060606},
        {"GridLineColor", grid->line, int(MixColors(D->GetActiveEditColor(), D->GetActiveEditFontColor(), 0.7)),
         0x070707},
        {"GridFixedLineColor", grid->fixedLine, int(M->SkinData->BorderColor), 0x080808},
        {"FixedFont colour", int(grid->font->Color()), int(M->GetGlobalFontColor()), 0x0A0B0C},
        {"FixedGradientFrom", grid->look->from, int(MixColors(G, A, 0.5)), int(fw::clBtnFace)},
        {"FixedGradientTo", grid->look->to, int(G), 0x102030},
        {"FixedGradientMirrorFrom", grid->look->mirrorFrom, int(MixColors(G, fw::clBlack, 0.95)), 0x405060},
        {"FixedGradientMirrorTo", grid->look->mirrorTo, int(MixColors(G, fw::clWhite, 0.9)), 0x708090},
        {"GradientStartColor", int(grid->GradientStartColor()), int(MixColors(G, A, 0.5)), 0x111111},
        {"GradientEndColor", int(grid->GradientEndColor()), int(G), 0x222222},
        {"DrawingStyle", int(grid->DrawingStyle()), int(fw::gdsGradient), int(fw::gdsThemed)},
    };
    for (const Row& r : rows) EXPECT_EQ(r.got, r.want) << r.what << " skinned";

    // The skin goes: every property has its own value again (a look colour
    // left to its default comes back as the face colour).
    SendMessageW(grid->Handle(), SM_ALPHACMD, WPARAM(smcRemoveSkin) << 16, LPARAM(M));
    const int after[] = {grid->fixed,
                         grid->footer,
                         grid->title,
                         grid->indicator,
                         grid->selection,
                         grid->selText,
                         grid->line,
                         grid->fixedLine,
                         int(grid->font->Color()),
                         grid->look->from,
                         grid->look->to,
                         grid->look->mirrorFrom,
                         grid->look->mirrorTo,
                         int(grid->GradientStartColor()),
                         int(grid->GradientEndColor()),
                         int(grid->DrawingStyle())};
    for (size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(after[i], rows[i].std) << rows[i].what << " restored";
    EXPECT_TRUE(IsWindow(grid->Handle()));

    delete grid;
    delete w;
}
