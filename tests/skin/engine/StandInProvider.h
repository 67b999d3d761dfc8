// A provider for the engine's and the painting's tests, which cannot link the
// form-skinning library: it registers its form (IntSkinForm) and unregisters
// it, does not subclass the form (the tests' forms answer smcGetProvider
// themselves), and its window image is the system's own frame.
#pragma once

#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sFormRegistry.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"

namespace skintest {

class TestProvider : public skin::TsSkinProviderBase {
public:
    explicit TestProvider(fw::TComponent* AOwner) : skin::TsSkinProviderBase(AOwner) {
        FCommonData = new skin::TsCommonData(this, true);
        Form = dynamic_cast<fw::TCustomForm*>(AOwner);
        if (Form) skin::IntSkinForm(Form);
    }
    ~TestProvider() override {
        if (Form) skin::IntUnSkinForm(Form);
        delete BorderForm;
        delete FCommonData;
    }
    fw::String ClassName() const override { return L"TsSkinProvider"; }
    skin::TsSkinManager* SkinManager() const override {
        return FCommonData ? FCommonData->GetSkinManager() : skin::DefaultManager;
    }

    // The cache takes the window's size with the system's frame printed.
    void PaintAll() override {
        if (!Form) return;
        RECT wr{};
        const HWND h = Form->Handle();
        if (!GetWindowRect(h, &wr)) return;
        if (!FCommonData->FCacheBmp) FCommonData->FCacheBmp = skin::CreateBmp24(0, 0);
        FCommonData->FCacheBmp->SetSize(wr.right - wr.left, wr.bottom - wr.top);
        SendMessageW(h, WM_PRINT, WPARAM(FCommonData->FCacheBmp->Canvas()->Handle()), PRF_NONCLIENT);
    }
    int OffsetX() const override { return ClientOffset().x; }
    int OffsetY() const override { return ClientOffset().y; }
    int CaptionHeight(bool) const override {
        if (!Form || !Form->HandleAllocated()) return 0;
        const HWND h = Form->WindowHandle();
        if ((GetWindowLongW(h, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) return 0;
        return GetSystemMetrics((GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    }
    void FillArOR() override {}
    HRGN GetRgnFromArOR(int X, int Y) override {
        if (!Form) return CreateRectRgn(0, 0, 0, 0);
        HRGN rgn = CreateRectRgn(X, Y, X + Form->Width(), Y + Form->Height());
        for (const fw::TRect& r : ArOR) {
            HRGN cut = CreateRectRgn(r.Left + X, r.Top + Y, r.Right + X, r.Bottom + Y);
            CombineRgn(rgn, rgn, cut, RGN_DIFF);
            DeleteObject(cut);
        }
        return rgn;
    }
    void UpdateRgn(bool) override {}
    void SetSkinManager(skin::TsSkinManager* M) { FCommonData->SetSkinManager(M); }

private:
    POINT ClientOffset() const {
        POINT origin{0, 0};
        RECT wr{};
        if (!Form || !Form->HandleAllocated() || !GetWindowRect(Form->WindowHandle(), &wr)) return origin;
        ClientToScreen(Form->WindowHandle(), &origin);
        return POINT{origin.x - wr.left, origin.y - wr.top};
    }
};

}  // namespace skintest
