// The control adapter's bookkeeping, without windows: which list a class
// name is found in, dead items dropped in order, removal by index (an index
// outside the items, IndexOf's -1 too, is ignored).
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <vector>

#include "framework/windows/Buttons.h"
#include "framework/windows/StdCtrls.h"
#include "skin/engine/sDefaults.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/sCtrlAdapter.h"

using namespace skin;

TEST(CtrlAdapter, ClassNameFoundInTheFirstListThatHoldsItExactly) {
    TsSkinManager m(nullptr);
    m.AfterConstruction();
    m.ThirdLists[tpEdit]->SetText(L"TEdit\nTShared");
    m.ThirdLists[tpButton]->SetText(L"TButton\nTShared");
    m.ThirdLists[tpSpeedButton]->SetText(L"TSpeedButton");
    const struct {
        const wchar_t* name;
        int list;
    } cases[] = {
        {L"TEdit", tpEdit}, {L"TButton", tpButton}, {L"TShared", tpEdit}, {L"TSpeedButton", tpSpeedButton},
        {L"tbutton", -1},   {L"TButto", -1},        {L"TButton ", -1},    {L"TMemo", -1},
        {L"", -1},
    };
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].list, ThirdListOf(&m, cases[i].name)) << i;
    EXPECT_EQ(-1, ThirdListOf(nullptr, L"TButton"));
}

namespace {

// A wrapper bound to no window, alive or dead as the test says.
TacAdapterItem* ItemWith(TacCtrlAdapter& A, bool Wrapper, bool Dead) {
    auto* item = new TacAdapterItem;
    item->Adapter = &A;
    if (Wrapper) {
        item->ScrollWnd = new TacMainWnd(nullptr, nullptr, nullptr, L"BUTTON");
        item->ScrollWnd->Destroyed = Dead;
    }
    A.Items.push_back(item);
    return item;
}

}  // namespace

TEST(CtrlAdapter, DeadItemsDroppedInOrderAndRemovalByIndex) {
    TacCtrlAdapter a(nullptr);
    TacAdapterItem* live0 = ItemWith(a, true, false);
    ItemWith(a, true, true);
    ItemWith(a, false, false);
    ItemWith(a, true, true);
    TacAdapterItem* live4 = ItemWith(a, true, false);
    TacAdapterItem* live5 = ItemWith(a, true, false);

    // Speed buttons: a live handler on a button, one whose button is gone.
    std::unique_ptr<fw::TSpeedButton> button(new fw::TSpeedButton(nullptr));
    auto* liveG = new TacGraphItem;
    liveG->Handler = new TacSpeedButtonHandler(button.get(), liveG->SkinData, nullptr, L"SPEEDBUTTON", true);
    auto* deadG = new TacGraphItem;
    {
        std::unique_ptr<fw::TSpeedButton> gone(new fw::TSpeedButton(nullptr));
        deadG->Handler = new TacSpeedButtonHandler(gone.get(), deadG->SkinData, nullptr, L"SPEEDBUTTON", true);
    }
    EXPECT_TRUE(deadG->Handler->Destroyed) << "the handler learns that its button was freed";
    EXPECT_EQ(nullptr, deadG->Handler->Ctrl);
    a.GraphItems = {deadG, liveG, new TacGraphItem};

    a.CleanItems();
    EXPECT_EQ((std::vector<TacAdapterItem*>{live0, live4, live5}), a.Items);
    EXPECT_EQ(std::vector<TacGraphItem*>{liveG}, a.GraphItems);
    EXPECT_FALSE(liveG->Handler->Destroyed);

    // Outside the items nothing happens; inside, the last item takes the place.
    std::unique_ptr<fw::TButton> stranger(new fw::TButton(nullptr));
    ASSERT_EQ(-1, a.IndexOf(stranger.get()));
    for (int index : {-1, a.IndexOf(stranger.get()), 3, 100}) {
        a.RemoveItem(index);
        EXPECT_EQ((std::vector<TacAdapterItem*>{live0, live4, live5}), a.Items) << index;
    }
    a.RemoveItem(0);
    EXPECT_EQ((std::vector<TacAdapterItem*>{live5, live4}), a.Items);
    EXPECT_EQ(nullptr, a.GetItem(-1));
    EXPECT_EQ(nullptr, a.GetItem(2));
    EXPECT_EQ(live4, a.GetItem(1));

    // Removing the items gives the button its own method back.
    EXPECT_EQ(1, button->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0));
    a.RemoveAllItems();
    EXPECT_TRUE(a.Items.empty());
    EXPECT_TRUE(a.GraphItems.empty());
    EXPECT_EQ(0, button->Perform(SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0));
}
