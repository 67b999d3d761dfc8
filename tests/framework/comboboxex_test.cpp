// An extended combo box on a shown form: ItemsEx and Items are the window's
// items with their pictures and indents, held back inside BeginUpdate and
// given back, with the selection, to a window made again.
#include <gtest/gtest.h>

#include "framework/windows/ComCtrls.h"
#include "native_fixture.h"

using namespace fw;
using namespace fwtest;

namespace {

struct WindowItem {
    String text;
    int image, selectedImage, overlay, indent;
    LPARAM data;
};

WindowItem ItemOf(TComboBoxEx* combo, int index) {
    wchar_t text[64] = {};
    COMBOBOXEXITEMW cbei{};
    cbei.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_OVERLAY | CBEIF_INDENT | CBEIF_LPARAM;
    cbei.iItem = index;
    cbei.pszText = text;
    cbei.cchTextMax = 64;
    SendMessageW(combo->Handle(), CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&cbei));
    return {text, cbei.iImage, cbei.iSelectedImage, cbei.iOverlay, cbei.iIndent, cbei.lParam};
}

LRESULT Count(TComboBoxEx* combo) { return SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0); }

}  // namespace

TEST(ComboBoxEx, ItemsAreTheWindowsAndSurviveANewWindow) {
    NativeForm form;
    TComboBoxEx* combo = form.Put<TComboBoxEx>(10, 10, 200, 22);
    int marker = 0;
    combo->ItemsEx()->AddItem(L"바탕 화면", 0, 1, -1, 0, &marker);
    combo->ItemsEx()->AddItem(L"내 문서", 2, 3, 4, 1);
    combo->Items()->Add(L"E:\\");
    ASSERT_EQ(Count(combo), 3);
    struct Case {
        int index;
        WindowItem want;
    } cases[] = {
        {0, {L"바탕 화면", 0, 1, -1, 0, reinterpret_cast<LPARAM>(&marker)}},
        {1, {L"내 문서", 2, 3, 4, 1, 0}},
        {2, {L"E:\\", -1, -1, -1, 0, 0}},
    };
    auto expectItems = [&](const char* when) {
        for (const Case& k : cases) {
            WindowItem got = ItemOf(combo, k.index);
            EXPECT_EQ(got.text, k.want.text) << when << " " << k.index;
            EXPECT_EQ(got.image, k.want.image) << when << " " << k.index;
            EXPECT_EQ(got.selectedImage, k.want.selectedImage) << when << " " << k.index;
            EXPECT_EQ(got.overlay, k.want.overlay) << when << " " << k.index;
            EXPECT_EQ(got.indent, k.want.indent) << when << " " << k.index;
            EXPECT_EQ(got.data, k.want.data) << when << " " << k.index;
        }
    };
    expectItems("added");
    EXPECT_EQ(combo->Items()->Strings(1), L"내 문서");

    // A changed item reaches the window at once.
    combo->ItemsEx()->ComboItems(1)->SetCaption(L"문서");
    cases[1].want.text = L"문서";
    combo->ItemsEx()->ComboItems(1)->SetIndent(2);
    cases[1].want.indent = 2;
    expectItems("changed");

    combo->SetItemIndex(1);
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCURSEL, 0, 0), 1);
    combo->RecreateWnd();
    ASSERT_EQ(Count(combo), 3);
    expectItems("recreated");
    EXPECT_EQ(combo->ItemIndex(), 1);

    // Inside BeginUpdate the window waits for the last EndUpdate.
    combo->ItemsEx()->BeginUpdate();
    combo->ItemsEx()->AddItem(L"F:\\");
    combo->Items()->Add(L"G:\\");
    EXPECT_EQ(Count(combo), 3);
    combo->ItemsEx()->EndUpdate();
    EXPECT_EQ(Count(combo), 5);
    combo->Items()->Delete(0);
    EXPECT_EQ(Count(combo), 4);
    EXPECT_EQ(ItemOf(combo, 0).text, L"문서");
    EXPECT_THROW(combo->Items()->Strings(4), EStringListError);
    combo->Items()->Clear();
    EXPECT_EQ(Count(combo), 0);
}

TEST(ComboBoxEx, ImagesAreTheWindowsUntilTheListIsFreed) {
    NativeForm form;
    TComboBoxEx* combo = form.Put<TComboBoxEx>(10, 10, 200, 22);
    auto* images = Create<TImageList>(form.get());
    images->SetWidth(16);
    images->SetHeight(16);
    combo->SetImages(images);
    EXPECT_EQ(SendMessageW(combo->Handle(), CBEM_GETIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(images->Handle()));
    combo->RecreateWnd();
    EXPECT_EQ(SendMessageW(combo->Handle(), CBEM_GETIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(images->Handle()));
    images->Free();
    EXPECT_EQ(combo->Images(), nullptr);
    EXPECT_EQ(SendMessageW(combo->Handle(), CBEM_GETIMAGELIST, 0, 0), 0);
    EXPECT_FALSE(combo->DroppedDown());
}
