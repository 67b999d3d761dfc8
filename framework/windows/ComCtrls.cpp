// What the common controls share: class registration and custom draw.
#include "framework/windows/ComCtrls.h"

#include <string>

#include "framework/rtl/Exception.h"

namespace fw {

void InitCommonControl(DWORD Classes) {
    static DWORD done = 0;
    if ((done & Classes) == Classes) return;
    INITCOMMONCONTROLSEX icc = {sizeof icc, Classes};
    InitCommonControlsEx(&icc);
    done |= Classes;
}

TCustomDrawState CustomDrawState(UINT ItemState) {
    static const struct {
        UINT bit;
        TCustomDrawStateItem item;
    } map[] = {{CDIS_SELECTED, cdsSelected}, {CDIS_GRAYED, cdsGrayed}, {CDIS_DISABLED, cdsDisabled},
               {CDIS_CHECKED, cdsChecked},   {CDIS_FOCUS, cdsFocused}, {CDIS_DEFAULT, cdsDefault},
               {CDIS_HOT, cdsHot},           {CDIS_MARKED, cdsMarked}, {CDIS_INDETERMINATE, cdsIndeterminate}};
    TCustomDrawState state;
    for (const auto& m : map)
        if (ItemState & m.bit) state.Include(m.item);
    return state;
}

LRESULT ControlCustomDraw(const NMCUSTOMDRAW& Draw, TControlCanvas* Canvas,
                          const std::function<bool(TCustomDrawStage)>& Fire, bool Items) {
    TCustomDrawStage stage;
    if (Draw.dwDrawStage == CDDS_PREPAINT)
        stage = cdPrePaint;
    else if (Draw.dwDrawStage == CDDS_POSTPAINT)
        stage = cdPostPaint;
    else
        return CDRF_DODEFAULT;
    bool defaultDraw = true;
    if (Fire) {
        CanvasBinding binding(Canvas, Draw.hdc);
        defaultDraw = Fire(stage);
    }
    if (stage == cdPostPaint) return CDRF_DODEFAULT;
    if (!defaultDraw) return CDRF_SKIPDEFAULT;
    LRESULT result = Fire ? CDRF_NOTIFYPOSTPAINT : CDRF_DODEFAULT;
    if (Items) result |= CDRF_NOTIFYITEMDRAW;
    return result;
}

void PaintNonClientFrame(TWinControl* Control, UINT Edge, UINT Sides) {
    HWND h = Control->WindowHandle();
    if (!h) return;
    RECT window, client;
    GetWindowRect(h, &window);
    GetClientRect(h, &client);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    OffsetRect(&window, -window.left, -window.top);
    if (EqualRect(&window, &client)) return;
    HDC dc = GetWindowDC(h);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    if (Edge) DrawEdge(dc, &window, Edge, Sides | BF_ADJUST);
    FillRect(dc, &window, Control->Brush()->Handle());
    ReleaseDC(h, dc);
}

TCanvas* OwnCanvas(std::unique_ptr<TControlCanvas>& Canvas, TControl* Control) {
    if (!Canvas) {
        Canvas = std::make_unique<TControlCanvas>();
        Canvas->SetControl(Control);
    }
    return Canvas.get();
}

void ListIndexError(int Index) { throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")"); }

}  // namespace fw
