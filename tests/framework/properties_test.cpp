// Published properties by name, through a small class pair that publishes a
// property of each kind.
#include "framework/rtl/Properties.h"

#include <gtest/gtest.h>

#include "framework/rtl/Component.h"

using namespace fw;

namespace {

enum TLook { lkFlat, lkRaised, lkSunken };
enum TOption { goFixedLines, goRangeSelect, goEditing, goTabs };

class TGridStandIn : public TComponent {
public:
    using TComponent::TComponent;
    String ClassName() const override { return L"TGridStandIn"; }

    int FixedColor = 0x00FF00;
    TLook Look = lkFlat;
    Set<TOption> Options;
    String Caption;
    TComponent* DataSource = nullptr;
    int ReadOnlyCount = 7;

    const TPropTable* PublishedProperties() const override {
        static const TPropTable table(
            TComponent::PublishedProperties(),
            {
                IntegerProperty<TGridStandIn>(
                    L"FixedColor", [](const TGridStandIn& g) { return g.FixedColor; },
                    [](TGridStandIn& g, int v) { g.FixedColor = v; }),
                EnumProperty<TGridStandIn>(
                    L"ControlLook", {L"lkFlat", L"lkRaised", L"lkSunken"},
                    [](const TGridStandIn& g) { return static_cast<int>(g.Look); },
                    [](TGridStandIn& g, int v) { g.Look = static_cast<TLook>(v); }),
                SetProperty<TGridStandIn>(
                    L"Options", {L"goFixedLines", L"goRangeSelect", L"goEditing", L"goTabs"},
                    [](const TGridStandIn& g) { return static_cast<int>(g.Options.Bits()); },
                    [](TGridStandIn& g, int v) { g.Options = Set<TOption>::FromBits(v); }),
                StringProperty<TGridStandIn>(
                    L"Caption", [](const TGridStandIn& g) { return g.Caption; },
                    [](TGridStandIn& g, const String& v) { g.Caption = v; }),
                ObjectProperty<TGridStandIn, TComponent>(
                    L"DataSource", [](const TGridStandIn& g) { return g.DataSource; },
                    [](TGridStandIn& g, TComponent* v) { g.DataSource = v; }),
                IntegerProperty<TGridStandIn>(L"ReadOnlyCount", [](const TGridStandIn& g) { return g.ReadOnlyCount; }),
            });
        return &table;
    }
};

using THeaderDrawEvent = Method<void(TObject* Sender, int Column, bool& DefaultDraw)>;

// Inherits the grid's table and adds its own, with an event.
class TTreeStandIn : public TGridStandIn {
public:
    using TGridStandIn::TGridStandIn;
    String ClassName() const override { return L"TTreeStandIn"; }

    int Indent = 19;
    THeaderDrawEvent OnAdvancedHeaderDraw;

    const TPropTable* PublishedProperties() const override {
        static const TPropTable table(
            TGridStandIn::PublishedProperties(),
            {
                IntegerProperty<TTreeStandIn>(
                    L"Indent", [](const TTreeStandIn& t) { return t.Indent; },
                    [](TTreeStandIn& t, int v) { t.Indent = v; }),
                MethodProperty<TTreeStandIn>(L"OnAdvancedHeaderDraw", &TTreeStandIn::OnAdvancedHeaderDraw),
            });
        return &table;
    }
};

// Code that hooks a control's event by name, as a skin wrapper does.
struct HeaderPainter {
    std::vector<int> columns;
    void Draw(TObject*, int Column, bool& DefaultDraw) {
        columns.push_back(Column);
        DefaultDraw = false;
    }
    void Other(TObject*, int, bool&) {}
};

template <typename F>
String PropertyError(F&& fn) {
    try {
        fn();
    } catch (const EPropertyError& e) {
        return e.Message;
    }
    return L"no error";
}

}  // namespace

TEST(Properties, LookupIsByCaseInsensitiveNameThroughTheClassChain) {
    TTreeStandIn tree(nullptr);
    TComponent plain(nullptr);
    EXPECT_TRUE(IsPublishedProp(&tree, L"indent"));
    EXPECT_TRUE(IsPublishedProp(&tree, L"FIXEDCOLOR"));  // from the parent table
    EXPECT_FALSE(IsPublishedProp(&tree, L"Fixed"));
    EXPECT_FALSE(IsPublishedProp(&plain, L"FixedColor"));
    EXPECT_FALSE(IsPublishedProp(nullptr, L"FixedColor"));
    EXPECT_EQ(PropType(&tree, L"options"), tkSet);
    EXPECT_EQ(GetPropInfo(&tree, L"caption")->Name, L"Caption");

    EXPECT_EQ(PropertyError([&] { GetOrdProp(&tree, L"TitleFont"); }), L"Property TitleFont does not exist");
    EXPECT_EQ(PropertyError([&] { SetStrProp(&plain, L"Caption", L"x"); }), L"Property Caption does not exist");
}

TEST(Properties, OrdinalEnumAndStringAccess) {
    TGridStandIn grid(nullptr);
    EXPECT_EQ(GetOrdProp(&grid, L"FixedColor"), 0x00FF00);
    SetOrdProp(&grid, L"FixedColor", 0x123456);
    EXPECT_EQ(grid.FixedColor, 0x123456);

    EXPECT_EQ(GetEnumProp(&grid, L"ControlLook"), L"lkFlat");
    SetEnumProp(&grid, L"ControlLook", L"lkSunken");
    EXPECT_EQ(grid.Look, lkSunken);
    EXPECT_EQ(GetOrdProp(&grid, L"ControlLook"), 2);
    EXPECT_EQ(PropertyError([&] { SetEnumProp(&grid, L"ControlLook", L"lkDeep"); }),
              L"Invalid property element: lkDeep");

    SetStrProp(&grid, L"caption", L"목록");
    EXPECT_EQ(GetStrProp(&grid, L"Caption"), L"목록");

    EXPECT_EQ(PropertyError([&] { GetStrProp(&grid, L"FixedColor"); }), L"Invalid property type: FixedColor");
    EXPECT_EQ(PropertyError([&] { SetOrdProp(&grid, L"ReadOnlyCount", 1); }), L"Property ReadOnlyCount is read-only");
    EXPECT_EQ(grid.ReadOnlyCount, 7);
}

TEST(Properties, SetsAsTextWithExactElementNames) {
    TGridStandIn grid(nullptr);
    EXPECT_EQ(GetSetProp(&grid, L"Options"), L"");
    SetSetProp(&grid, L"Options", L"goTabs");  // into an empty set
    EXPECT_EQ(grid.Options, Set<TOption>{goTabs});
    SetSetProp(&grid, L"Options", L"[goEditing, goFixedLines]");
    EXPECT_EQ(GetSetProp(&grid, L"Options"), L"goFixedLines,goEditing");  // element order
    EXPECT_EQ(GetPropValue(&grid, L"Options"), L"goFixedLines,goEditing");
    // No partial or case-folded element matches.
    EXPECT_EQ(PropertyError([&] { SetSetProp(&grid, L"Options", L"goEdit"); }), L"Invalid property element: goEdit");
    EXPECT_EQ(PropertyError([&] { SetSetProp(&grid, L"Options", L"goediting"); }),
              L"Invalid property element: goediting");
    EXPECT_EQ(GetSetProp(&grid, L"Options"), L"goFixedLines,goEditing");
    SetSetProp(&grid, L"Options", L"[]");
    EXPECT_TRUE(grid.Options.Empty());
}

TEST(Properties, ObjectPropertiesCheckTheClass) {
    TGridStandIn grid(nullptr);
    TComponent source(nullptr);
    TPersistent notAComponent;
    EXPECT_EQ(GetObjectProp(&grid, L"DataSource"), nullptr);
    SetObjectProp(&grid, L"DataSource", &source);
    EXPECT_EQ(grid.DataSource, &source);
    EXPECT_EQ(GetObjectProp(&grid, L"datasource"), &source);
    EXPECT_EQ(PropertyError([&] { SetObjectProp(&grid, L"DataSource", &notAComponent); }), L"Invalid property value");
    EXPECT_EQ(grid.DataSource, &source);
    SetObjectProp(&grid, L"DataSource", nullptr);
    EXPECT_EQ(grid.DataSource, nullptr);
    EXPECT_EQ(PropertyError([&] { GetPropValue(&grid, L"DataSource"); }), L"Invalid property type: DataSource");
}

TEST(Properties, ValuesAsText) {
    TTreeStandIn tree(nullptr);
    struct Case {
        const wchar_t* name;
        const wchar_t* set;
        const wchar_t* get;
    };
    const Case cases[] = {
        {L"Indent", L"24", L"24"},
        {L"Indent", L"-3", L"-3"},
        {L"FixedColor", L"$FF", L"255"},
        {L"FixedColor", L"0x10", L"16"},
        {L"ControlLook", L"lkRaised", L"lkRaised"},
        {L"Options", L"goRangeSelect", L"goRangeSelect"},
        {L"Caption", L" spaced ", L" spaced "},
    };
    for (const Case& c : cases) {
        SetPropValue(&tree, c.name, c.set);
        EXPECT_EQ(GetPropValue(&tree, c.name), c.get) << ToUtf8(c.name) << " = " << ToUtf8(c.set);
    }
    EXPECT_EQ(PropertyError([&] { SetPropValue(&tree, L"Indent", L"12px"); }), L"Invalid property value");
    EXPECT_EQ(tree.Indent, -3);
}

TEST(Properties, MethodPropertiesAreReadComparedSetAndCleared) {
    TTreeStandIn tree(nullptr);
    EXPECT_EQ(PropType(&tree, L"onadvancedheaderdraw"), tkMethod);
    EXPECT_FALSE(GetMethodProp(&tree, L"OnAdvancedHeaderDraw").Assigned());

    HeaderPainter painter, another;
    const TMethod mine = THeaderDrawEvent(&painter, &HeaderPainter::Draw);
    SetMethodProp(&tree, L"OnAdvancedHeaderDraw", mine);
    ASSERT_TRUE(tree.OnAdvancedHeaderDraw.Assigned());
    bool defaultDraw = true;
    tree.OnAdvancedHeaderDraw(&tree, 3, defaultDraw);
    EXPECT_EQ(painter.columns, std::vector<int>{3});
    EXPECT_FALSE(defaultDraw);

    // Does the event hold this handler? Object, function and signature count.
    const TMethod held = GetMethodProp(&tree, L"OnAdvancedHeaderDraw");
    EXPECT_TRUE(held.Assigned());
    EXPECT_EQ(held.Data(), &painter);
    EXPECT_TRUE(held == mine);
    EXPECT_FALSE(held == TMethod(THeaderDrawEvent(&another, &HeaderPainter::Draw)));
    EXPECT_FALSE(held == TMethod(THeaderDrawEvent(&painter, &HeaderPainter::Other)));
    EXPECT_FALSE(held == TMethod(TNotifyEvent()));
    EXPECT_TRUE(held.As<THeaderDrawEvent>() == THeaderDrawEvent(&painter, &HeaderPainter::Draw));
    EXPECT_FALSE(held.As<TNotifyEvent>().Assigned());

    // Another signature is refused and changes nothing; an empty value clears.
    struct Notified {
        void Notify(TObject*) {}
    } notified;
    EXPECT_EQ(PropertyError(
                  [&] { SetMethodProp(&tree, L"OnAdvancedHeaderDraw", TNotifyEvent(&notified, &Notified::Notify)); }),
              L"Invalid property value");
    EXPECT_TRUE(GetMethodProp(&tree, L"OnAdvancedHeaderDraw") == mine);
    SetMethodProp(&tree, L"OnAdvancedHeaderDraw", TMethod());
    EXPECT_FALSE(tree.OnAdvancedHeaderDraw.Assigned());
    EXPECT_TRUE(GetMethodProp(&tree, L"OnAdvancedHeaderDraw") == TMethod(THeaderDrawEvent()));

    // Methods are no ordinals or text, and other kinds are no methods.
    EXPECT_EQ(PropertyError([&] { GetOrdProp(&tree, L"OnAdvancedHeaderDraw"); }),
              L"Invalid property type: OnAdvancedHeaderDraw");
    EXPECT_EQ(PropertyError([&] { GetPropValue(&tree, L"OnAdvancedHeaderDraw"); }),
              L"Invalid property type: OnAdvancedHeaderDraw");
    EXPECT_EQ(PropertyError([&] { GetMethodProp(&tree, L"Indent"); }), L"Invalid property type: Indent");
}

TEST(Properties, EnumNamesOfATableBothWays) {
    // A shell root folder's values, as a folder control names them.
    const TEnumNames roots = {L"rfDesktop", L"rfMyComputer", L"rfNetwork", L"rfRecycleBin", L"rfAppData"};
    EXPECT_EQ(GetEnumName(roots, 0), L"rfDesktop");
    EXPECT_EQ(GetEnumName(roots, 4), L"rfAppData");
    EXPECT_EQ(GetEnumName(roots, 5), L"5");
    EXPECT_EQ(GetEnumName(roots, -1), L"-1");
    EXPECT_EQ(GetEnumValue(roots, L"rfNetwork"), 2);
    EXPECT_EQ(GetEnumValue(roots, L"RFMYCOMPUTER"), 1);
    EXPECT_EQ(GetEnumValue(roots, L"C:\\"), -1);
    EXPECT_EQ(GetEnumValue(roots, L""), -1);
}
