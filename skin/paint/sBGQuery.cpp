#include "skin/paint/sBGQuery.h"

#include "framework/graphics/Color.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"

namespace skin {

namespace {

constexpr WPARAM kGetBGInfo = WPARAM(smcGetBGInfo) << 16;
constexpr WPARAM kGetColor = WPARAM(smcGetColor) << 16;

// The window did not answer, but the asker wants its background drawn: the
// window paints itself into DrawDC, shifted so that the asked rectangle
// lands on R, and clipped to it.
template <class Send>
void PaintInto(const TacBGInfo& BGInfo, Send send) {
    HDC dc = BGInfo.DrawDC;
    const int saved = SaveDC(dc);
    POINT org{};
    GetViewportOrgEx(dc, &org);
    SetViewportOrgEx(dc, org.x - BGInfo.Offset.X, org.y - BGInfo.Offset.Y, nullptr);
    fw::TRect clip = BGInfo.R;  // the asker's rectangle stays as it gave it
    fw::OffsetRect(clip, BGInfo.Offset.X, BGInfo.Offset.Y);
    IntersectClipRect(dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
    send(WM_ERASEBKGND, WPARAM(dc));
    send(WM_PAINT, WPARAM(dc));
    RestoreDC(dc, saved);
}

}  // namespace

bool GetBGInfo(PacBGInfo BGInfo, HWND Handle, bool PleaseDraw) {
    const bool askerWantsDrawing = BGInfo->PleaseDraw;
    BGInfo->BgType = btUnknown;
    BGInfo->PleaseDraw = PleaseDraw;
    SendMessageW(Handle, SM_ALPHACMD, kGetBGInfo, LPARAM(BGInfo));
    if (BGInfo->BgType != btUnknown) return true;
    if (askerWantsDrawing && BGInfo->DrawDC) {
        PaintInto(*BGInfo, [&](UINT msg, WPARAM dc) { SendMessageW(Handle, msg, dc, 0); });
        return false;
    }
    BGInfo->BgType = btFill;
    BGInfo->Color = DefaultManager ? DefaultManager->GetGlobalColor() : fw::clBtnFace;
    return false;
}

bool GetBGInfo(PacBGInfo BGInfo, fw::TControl* Ctrl, bool PleaseDraw) {
    if (!Ctrl) return false;
    const bool askerWantsDrawing = BGInfo->PleaseDraw;
    BGInfo->BgType = btUnknown;
    BGInfo->PleaseDraw = PleaseDraw;
    auto* win = dynamic_cast<fw::TWinControl*>(Ctrl);
    if (win && win->HandleAllocated())
        SendMessageW(win->WindowHandle(), SM_ALPHACMD, kGetBGInfo, LPARAM(BGInfo));
    else
        Ctrl->Perform(SM_ALPHACMD, kGetBGInfo, LPARAM(BGInfo));
    if (BGInfo->BgType != btUnknown) return true;
    if (askerWantsDrawing && BGInfo->DrawDC) {
        PaintInto(*BGInfo, [&](UINT msg, WPARAM dc) { Ctrl->Perform(msg, dc, 0); });
        return false;
    }
    BGInfo->BgType = btFill;
    const fw::TColor answer = fw::TColor(Ctrl->Perform(SM_ALPHACMD, kGetColor, 0));
    BGInfo->Color = answer != 0 ? answer : fw::ColorToRGB(Ctrl->Color());
    if (PleaseDraw && BGInfo->Bmp && BGInfo->DrawDC) FillDC(BGInfo->DrawDC, BGInfo->R, BGInfo->Color);
    return false;
}

TCacheInfo BGInfoToCI(const TacBGInfo& BGInfo) {
    if (BGInfo.BgType == btCache) return MakeCacheInfo(BGInfo.Bmp, BGInfo.Offset.X, BGInfo.Offset.Y);
    TCacheInfo ci;
    ci.X = BGInfo.Offset.X;
    ci.Y = BGInfo.Offset.Y;
    ci.FillColor = fw::ColorToRGB(BGInfo.Color);
    ci.Ready = false;
    return ci;
}

}  // namespace skin
