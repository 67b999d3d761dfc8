// A dialog frame wrapper for tests of the engine and the painting, which
// cannot reach skin/forms: its frame image is the whole dialog as printed
// (frame and client), its client offset the window's own.
#pragma once

#include <windows.h>

#include "skin/engine/sFormSkinningBase.h"
#include "skin/paint/sBitmaps.h"
#include "skin/paint/sCommonData.h"

namespace skin {

class TPrintedDialog : public fw::TObject, public TacDialogWndBase {
public:
    TPrintedDialog() : SkinData(new TsCommonData(this, true)) {}
    ~TPrintedDialog() override { delete SkinData; }
    HWND CtrlHandle = nullptr;
    TsCommonData* SkinData;  // owned

    HWND DialogHandle() const override { return CtrlHandle; }
    TsCommonData* DialogSkinData() const override { return SkinData; }
    bool DialogDestroyed() const override { return false; }
    void PaintAll() override {
        RECT wr{};
        if (!CtrlHandle || !GetWindowRect(CtrlHandle, &wr)) return;
        if (!SkinData->FCacheBmp) SkinData->FCacheBmp = CreateBmp24(0, 0);
        SkinData->FCacheBmp->SetSize(wr.right - wr.left, wr.bottom - wr.top);
        SendMessageW(CtrlHandle, WM_PRINT, WPARAM(SkinData->FCacheBmp->Canvas()->Handle()),
                     PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CLIENT);
    }
    int OffsetX() const override { return ClientOffset().x; }
    int OffsetY() const override { return ClientOffset().y; }
    int CaptionHeight(bool) const override {
        if (!CtrlHandle || (GetWindowLongW(CtrlHandle, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) return 0;
        return GetSystemMetrics(SM_CYCAPTION);
    }
    void UpdateRgn(bool) override {}

private:
    POINT ClientOffset() const {
        RECT wr{};
        POINT origin{0, 0};
        if (!CtrlHandle || !GetWindowRect(CtrlHandle, &wr)) return origin;
        ClientToScreen(CtrlHandle, &origin);
        return POINT{origin.x - wr.left, origin.y - wr.top};
    }
};

}  // namespace skin
