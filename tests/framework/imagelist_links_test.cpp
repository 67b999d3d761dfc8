// Controls and menus that hold an image list hand its handle to their windows
// and let go of it when the list is freed first.
#include <gtest/gtest.h>

#include "framework/graphics/ImageList.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/Menus.h"
#include "native_fixture.h"

using namespace fw;
using namespace fwtest;

TEST(ImageListLinks, WindowsGetTheListsHandleAndForgetAFreedList) {
    NativeForm form;
    auto* images = Create<TImageList>(form.get());
    images->SetWidth(16);
    images->SetHeight(16);
    TBitmap pic(16, 16, pf24bit);
    images->Add(&pic, nullptr);
    auto* hot = Create<TImageList>(form.get());
    hot->Add(&pic, nullptr);

    TToolBar* bar = form.Put<TToolBar>(0, 0, 300, 30);
    bar->SetImages(images);
    bar->SetHotImages(hot);
    auto* tabs = form.Put<TTabControl>(0, 40, 200, 60);
    tabs->SetImages(images);
    auto* list = form.Put<TListView>(0, 110, 200, 100);
    list->SetSmallImages(images);
    auto* menu = Create<TPopupMenu>(form.get());
    menu->SetImages(images);
    auto* item = Create<TMenuItem>(menu);
    menu->Items()->Add(item);
    item->SetSubMenuImages(images);

    const LRESULT handle = reinterpret_cast<LRESULT>(images->Handle());
    EXPECT_EQ(SendMessageW(bar->Handle(), TB_GETIMAGELIST, 0, 0), handle);
    EXPECT_EQ(SendMessageW(bar->Handle(), TB_GETHOTIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(hot->Handle()));
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETIMAGELIST, 0, 0), handle);
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0), handle);

    delete images;
    EXPECT_EQ(bar->Images(), nullptr);
    EXPECT_EQ(tabs->Images(), nullptr);
    EXPECT_EQ(list->SmallImages(), nullptr);
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_EQ(item->SubMenuImages(), nullptr);
    EXPECT_EQ(SendMessageW(bar->Handle(), TB_GETIMAGELIST, 0, 0), 0);

    // The hot pictures outlive the window made again without Images, and go the same way.
    EXPECT_EQ(SendMessageW(bar->Handle(), TB_GETHOTIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(hot->Handle()));
    delete hot;
    EXPECT_EQ(bar->HotImages(), nullptr);
    EXPECT_EQ(SendMessageW(bar->Handle(), TB_GETHOTIMAGELIST, 0, 0), 0);
}
