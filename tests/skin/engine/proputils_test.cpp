// Published properties by name on a stand-in for a foreign grid.
#include "skin/engine/PropUtils.h"

#include <gtest/gtest.h>

#include "framework/rtl/Component.h"
#include "framework/rtl/Properties.h"

using namespace skin;
using fw::String;

namespace {

// Element names where one is a prefix of another, the case a text search gets wrong.
enum TOpt { oX, oXY, oY, oLines };

class TForeignGrid : public fw::TComponent {
public:
    using fw::TComponent::TComponent;
    String ClassName() const override { return L"TForeignGrid"; }

    int FixedColor = 0x00FF00;
    fw::Set<TOpt> Options;
    fw::TComponent* DataSource = nullptr;

    const fw::TPropTable* PublishedProperties() const override {
        static const fw::TPropTable table(
            fw::TComponent::PublishedProperties(),
            {
                fw::IntegerProperty<TForeignGrid>(
                    L"FixedColor", [](const TForeignGrid& g) { return g.FixedColor; },
                    [](TForeignGrid& g, int v) { g.FixedColor = v; }),
                fw::SetProperty<TForeignGrid>(
                    L"Options", {L"x", L"xy", L"y", L"lines"},
                    [](const TForeignGrid& g) { return static_cast<int>(g.Options.Bits()); },
                    [](TForeignGrid& g, int v) { g.Options = fw::Set<TOpt>::FromBits(v); }),
                fw::ObjectProperty<TForeignGrid, fw::TComponent>(
                    L"DataSource", [](const TForeignGrid& g) { return g.DataSource; },
                    [](TForeignGrid& g, fw::TComponent* v) { g.DataSource = v; }),
            });
        return &table;
    }
};

TEST(PropertiesByName, MissingPropertiesGiveTheFallBacks) {
    TForeignGrid grid(nullptr);
    EXPECT_TRUE(HasProperty(&grid, L"fixedcolor"));
    EXPECT_FALSE(HasProperty(&grid, L"TitleFont"));
    EXPECT_FALSE(HasProperty(nullptr, L"FixedColor"));
    EXPECT_EQ(GetIntProp(&grid, L"TitleFont"), -1);
    EXPECT_EQ(GetObjProp(&grid, L"TitleFont"), nullptr);
    EXPECT_FALSE(CheckSetProp(&grid, L"TitleFont", L"x"));
    // Setters do nothing.
    SetIntProp(&grid, L"TitleFont", 5);
    SetObjProp(&grid, L"TitleFont", &grid);
    SetSetPropValue(&grid, L"TitleFont", L"x", true);
    EXPECT_EQ(grid.FixedColor, 0x00FF00);
}

TEST(PropertiesByName, OrdinalAndObjectValues) {
    TForeignGrid grid(nullptr);
    TForeignGrid source(nullptr);
    EXPECT_EQ(GetIntProp(&grid, L"FIXEDCOLOR"), 0x00FF00);
    SetIntProp(&grid, L"FixedColor", 0x123456);
    EXPECT_EQ(grid.FixedColor, 0x123456);
    SetObjProp(&grid, L"DataSource", &source);
    EXPECT_EQ(GetObjProp(&grid, L"datasource"), &source);
    // A value of the wrong kind for an existing property is the framework's error.
    EXPECT_THROW(GetIntProp(&grid, L"DataSource"), fw::EPropertyError);
    fw::TObject plain;
    EXPECT_THROW(SetObjProp(&grid, L"DataSource", &plain), fw::EPropertyError);
}

TEST(PropertiesByName, SetElementsByExactName) {
    TForeignGrid grid(nullptr);
    SetSetPropValue(&grid, L"Options", L"xy", true);
    EXPECT_EQ(grid.Options, (fw::Set<TOpt>{oXY})) << "added to an empty set";
    EXPECT_TRUE(CheckSetProp(&grid, L"Options", L"xy"));
    EXPECT_FALSE(CheckSetProp(&grid, L"Options", L"x")) << "a prefix is another element";
    EXPECT_FALSE(CheckSetProp(&grid, L"Options", L"XY")) << "exact comparison";

    SetSetPropValue(&grid, L"Options", L"x", true);
    SetSetPropValue(&grid, L"Options", L"y", true);
    SetSetPropValue(&grid, L"Options", L"x", true);  // already there: no change
    EXPECT_EQ(grid.Options, (fw::Set<TOpt>{oX, oXY, oY}));

    // Removing "x" must leave "xy" whole (a text search would cut it to "y").
    SetSetPropValue(&grid, L"Options", L"x", false);
    EXPECT_EQ(grid.Options, (fw::Set<TOpt>{oXY, oY}));
    // Not held: nothing changes, even where the name occurs inside another ("xy,y").
    SetSetPropValue(&grid, L"Options", L"x", false);
    EXPECT_EQ(grid.Options, (fw::Set<TOpt>{oXY, oY}));
    SetSetPropValue(&grid, L"Options", L"lines", false);
    EXPECT_EQ(grid.Options, (fw::Set<TOpt>{oXY, oY}));
    SetSetPropValue(&grid, L"Options", L"y", false);
    SetSetPropValue(&grid, L"Options", L"xy", false);
    EXPECT_TRUE(grid.Options.Empty());

    EXPECT_THROW(SetSetPropValue(&grid, L"Options", L"nosuch", true), fw::EPropertyError);
}

}  // namespace
