// Ownership, notification and loading order of components.
#include "framework/rtl/Component.h"

#include <gtest/gtest.h>

#include <vector>

using namespace fw;

namespace {

std::vector<String>* journal = nullptr;

void Log(const String& line) {
    if (journal) journal->push_back(line);
}

// Journals its own life and everything it is told.
class TProbe : public TComponent {
public:
    TProbe(TComponent* AOwner, const String& AName) : TComponent(AOwner) { SetName(AName); }
    ~TProbe() override {
        // What the owner has done before deleting this one.
        Log(L"free " + Name() + (Owner() ? L" owned" : L" unowned") +
            (ComponentState().Contains(csDestroying) ? L" destroying" : L""));
    }
    String ClassName() const override { return L"TProbe"; }

    TComponent* Link = nullptr;  // cleared when the linked component goes

protected:
    void Loaded() override {
        TComponent::Loaded();
        String flags;
        if (ComponentState().Contains(csReading)) flags += L" reading";
        if (ComponentState().Contains(csLoading)) flags += L" loading";
        Log(L"loaded " + Name() + flags);
    }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opInsert && Name() == L"Watcher") {
            auto* probe = dynamic_cast<TProbe*>(AComponent);
            Log(L"Watcher saw " + (probe ? probe->Name() : String(L"a bare component")));
        }
        if (Operation == opRemove && AComponent == Link) {
            Log(Name() + L" lost " + AComponent->Name());
            Link = nullptr;
        }
    }
};

// A component whose constructor makes a component of its own.
class TWithTimer : public TProbe {
public:
    TWithTimer(TComponent* AOwner, const String& AName) : TProbe(AOwner, AName) {
        Timer = Create<TProbe>(this, AName + L"Timer");
    }
    TProbe* Timer;
};

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override { journal = &log; }
    void TearDown() override { journal = nullptr; }
    std::vector<String> log;
};

}  // namespace

TEST_F(ComponentTest, OwnerFreesOwnedLastFirstEachAlreadyOutOfTheList) {
    auto* form = Create<TProbe>(nullptr, L"Form");
    Create<TProbe>(form, L"A");
    auto* b = Create<TProbe>(form, L"B");
    Create<TProbe>(b, L"B1");
    Create<TProbe>(form, L"C");
    ASSERT_EQ(form->ComponentCount(), 3);
    EXPECT_EQ(b->Owner(), form);
    EXPECT_EQ(b->ComponentIndex(), 1);

    form->Free();
    EXPECT_EQ(log, (std::vector<String>{L"free Form unowned destroying", L"free C unowned destroying",
                                        L"free B unowned destroying", L"free B1 unowned destroying",
                                        L"free A unowned destroying"}));
}

TEST_F(ComponentTest, DeletingAChildTakesItOutOfItsOwnerAndTellsTheSiblings) {
    TProbe form(nullptr, L"Form");
    auto* a = Create<TProbe>(&form, L"A");
    auto* b = Create<TProbe>(&form, L"B");
    a->Link = b;
    delete b;
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.Components(0), a);
    EXPECT_EQ(a->Link, nullptr);
    EXPECT_EQ(log, (std::vector<String>{L"free B owned", L"A lost B"}));
    EXPECT_THROW(form.Components(1), EListError);
}

TEST_F(ComponentTest, FreeNotificationClearsAReferenceAcrossOwners) {
    TProbe form(nullptr, L"Form");
    TProbe other(nullptr, L"Other");
    auto* out = Create<TProbe>(&form, L"Out");
    auto* in = Create<TProbe>(&other, L"In");
    out->Link = in;
    in->FreeNotification(out);
    EXPECT_TRUE(in->ComponentState().Contains(csFreeNotification));

    in->Free();
    EXPECT_EQ(out->Link, nullptr);
    EXPECT_EQ(log, (std::vector<String>{L"free In owned destroying", L"Out lost In"}));

    // The link works both ways, and is gone once either side asks.
    auto* in2 = Create<TProbe>(&other, L"In2");
    in2->Link = out;
    out->Link = in2;
    in2->FreeNotification(out);
    in2->RemoveFreeNotification(out);
    EXPECT_FALSE(out->ComponentState().Contains(csFreeNotification));
    log.clear();
    out->Free();
    EXPECT_EQ(in2->Link, out);  // not told any more; stale by request
    EXPECT_EQ(log, (std::vector<String>{L"free Out owned destroying"}));
}

TEST_F(ComponentTest, OwnerDestructionTellsFreeNotifiedSiblingsOnly) {
    auto* form = Create<TProbe>(nullptr, L"Form");
    auto* list = Create<TProbe>(form, L"List");
    auto* source = Create<TProbe>(form, L"Source");
    auto* plain = Create<TProbe>(form, L"Plain");
    list->Link = source;
    source->FreeNotification(list);  // same owner: marks, links nothing
    (void)plain;
    form->Free();
    // Plain goes quietly; Source, marked, is announced to List, still alive.
    EXPECT_EQ(log, (std::vector<String>{L"free Form unowned destroying", L"free Plain unowned destroying",
                                        L"List lost Source", L"free Source unowned destroying",
                                        L"free List unowned destroying"}));
}

TEST_F(ComponentTest, NamesAreUniquePerOwnerAndFoundIgnoringCase) {
    TProbe form(nullptr, L"Form");
    auto* button = Create<TProbe>(&form, L"OkButton");
    EXPECT_EQ(form.FindComponent(L"okbutton"), button);
    EXPECT_EQ(form.FindComponent(L"Other"), nullptr);
    EXPECT_EQ(form.FindComponent(L""), nullptr);

    try {
        Create<TProbe>(&form, L"OKBUTTON");
        FAIL() << "duplicate accepted";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message, L"A component named OKBUTTON already exists");
    }
    EXPECT_EQ(form.ComponentCount(), 1);  // the refused one never joined
    button->SetName(L"OKButton");         // renaming itself by case is fine
    EXPECT_THROW(button->SetName(L"1st"), EComponentError);
    EXPECT_THROW(button->SetName(L"a b"), EComponentError);
    button->SetName(L"");
    EXPECT_EQ(button->Name(), L"");
}

TEST_F(ComponentTest, InsertComponentTakesOverFromTheOldOwner) {
    TProbe first(nullptr, L"First");
    TProbe second(nullptr, L"Second");
    auto* c = Create<TProbe>(&first, L"C");
    second.InsertComponent(c);
    EXPECT_EQ(c->Owner(), &second);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.ComponentCount(), 1);
    first.InsertComponent(c);
    EXPECT_EQ(second.ComponentCount(), 0);
}

TEST_F(ComponentTest, InsertionIsAnnouncedOnceTheWholeObjectExists) {
    TProbe form(nullptr, L"Form");
    Create<TProbe>(&form, L"Watcher");
    auto* p = Create<TProbe>(&form, L"Made");
    EXPECT_EQ(p->Owner(), &form);
    // Every owned component hears, the new one included, and recognises the
    // derived class: the news comes after construction.
    EXPECT_EQ(log, (std::vector<String>{L"Watcher saw Watcher", L"Watcher saw Made"}));

    log.clear();
    TProbe other(nullptr, L"Other");
    form.InsertComponent(Create<TProbe>(&other, L"Moved"));
    EXPECT_EQ(log, (std::vector<String>{L"Watcher saw Moved"}));
    p->AfterConstruction();  // announced once only
    EXPECT_EQ(log.size(), 1u);

    // Plain `new` without AfterConstruction: owned, but never announced.
    log.clear();
    auto* quiet = new TProbe(&form, L"Quiet");
    EXPECT_EQ(quiet->Owner(), &form);
    EXPECT_TRUE(log.empty());
}

TEST_F(ComponentTest, LoadingPhaseFlagsTheFormAndItsComponentsThenLoadsInCreationOrder) {
    auto* app = Create<TProbe>(nullptr, L"Application");
    auto* form = Create<TProbe>(app, L"Form");
    auto* early = Create<TProbe>(form, L"Early");  // exists before loading starts
    BeginLoading(form);
    auto* button = Create<TWithTimer>(form, L"Button");
    auto* label = Create<TProbe>(form, L"Label");
    for (TComponent* c : {static_cast<TComponent*>(form), static_cast<TComponent*>(early),
                          static_cast<TComponent*>(button), static_cast<TComponent*>(label)}) {
        EXPECT_TRUE(c->ComponentState().Contains(csLoading)) << c->Name().c_str();
        EXPECT_TRUE(c->ComponentState().Contains(csReading));
        EXPECT_FALSE(c->ComponentState().Contains(csDesigning));
    }
    // A component's own sub-component is not read from the form.
    EXPECT_TRUE(button->Timer->ComponentState().Empty());
    EXPECT_FALSE(app->ComponentState().Contains(csLoading));

    EndLoading(form);
    EXPECT_EQ(log, (std::vector<String>{L"loaded Form", L"loaded Early", L"loaded Button", L"loaded Label"}));
    EXPECT_TRUE(label->ComponentState().Empty());

    // Components made at run time after loading are never "loaded".
    log.clear();
    auto* late = Create<TProbe>(form, L"Late");
    EXPECT_TRUE(late->ComponentState().Empty());
    app->Free();
}
