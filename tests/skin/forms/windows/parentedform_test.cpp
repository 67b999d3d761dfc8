// A skinned form placed inside another form: a docked one lies in its host
// square, without a window region; one that is not docked keeps the
// region its frame's corners cut.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "../FrameFixtures.h"
#include "SkinnedFormKit.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/forms/sSkinProvider.h"

using namespace skin;
using namespace formstest;

TEST(ParentedForm, ADockedFormHasNoWindowRegion) {
    InstallFormSkinning();
    LoadedSkin skin(L"default", L"Stillwater");
    std::unique_ptr<fw::TForm, FormFree> host(new fw::TForm(fw::Application.get()));
    host->AfterConstruction();
    host->SetCaption(L"Host");
    host->SetBounds(100, 80, 460, 320);
    host->Show();
    Pump(150);
    for (const fw::TDragKind kind : {fw::dkDrag, fw::dkDock}) {
        SCOPED_TRACE(kind == fw::dkDock ? "docked" : "not docked");
        std::unique_ptr<fw::TForm, FormFree> inner(new fw::TForm(fw::Application.get()));
        inner->AfterConstruction();
        inner->SetCaption(L"Inner");
        inner->SetBounds(300, 200, 240, 160);
        // Skinned as a window of its own first, then put into the host.
        inner->Show();
        Pump(150);
        inner->SetDragKind(kind);
        inner->SetParent(host.get());
        inner->SetBounds(20, 20, 240, 160);
        inner->Show();
        Pump(150);
        TsSkinProvider* sp = ProviderOf(inner.get());
        ASSERT_NE(sp, nullptr);
        ASSERT_TRUE(sp->Skinned());
        sp->SkinData()->BGChanged = true;
        RedrawWindow(inner->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        Pump(60);
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        const int kindOfRegion = GetWindowRgn(inner->Handle(), rgn);
        DeleteObject(rgn);
        if (kind == fw::dkDock)
            EXPECT_EQ(kindOfRegion, ERROR) << "no region";
        else
            EXPECT_NE(kindOfRegion, ERROR) << "the frame's region";
        Shot(host->Handle(), kind == fw::dkDock ? L"skinned-docked-form" : L"skinned-parented-form");
    }
}
