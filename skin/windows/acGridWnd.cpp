#include "skin/windows/acGridWnd.h"

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObjects.h"
#include "skin/windows/acScrollTrack.h"

namespace skin {

namespace {

fw::TObject* ObjProp(fw::TObject* Obj, const wchar_t* Name) {
    return Obj && HasProperty(Obj, Name) ? GetObjProp(Obj, Name) : nullptr;
}

fw::TObject* ControlLook(fw::TObject* Grid) { return ObjProp(Grid, L"ControlLook"); }

fw::TFont* FontProp(fw::TObject* Obj, const wchar_t* Name) { return dynamic_cast<fw::TFont*>(ObjProp(Obj, Name)); }

// The font whose colour is the titles' ("FixedFont" beside a "ControlLook").
fw::TFont* TitleFont(fw::TObject* Grid) {
    return ControlLook(Grid) ? FontProp(Grid, L"FixedFont") : FontProp(Grid, L"TitleFont");
}

void SetFontColor(fw::TFont* F, fw::TColor C) {
    if (F) F->SetColor(C);
}

// A gradient colour of "ControlLook": its default stands for the face colour.
fw::TColor LookColor(fw::TObject* Look, const wchar_t* Name) {
    if (!Look || !HasProperty(Look, Name)) return 0;
    const fw::TColor c = fw::TColor(GetIntProp(Look, Name));
    return c == fw::clDefault ? fw::clBtnFace : fw::ColorToRGB(c);
}

}  // namespace

TacGridWnd::TacGridWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                       const fw::String& SkinSection)
    : TacEditWnd(AHandle, ASkinData, ASkinManager, SkinSection) {
    if (ThemeOff) {
        if (TSetWindowTheme theme = acWindowTheme ? acWindowTheme() : nullptr) theme(AHandle, nullptr, nullptr);
        ThemeOff = false;
    }
}

void TacGridWnd::SaveStdParams() {
    TacEditWnd::SaveStdParams();
    fw::TControl* c = OwnerControlOf(this);
    if (!c) return;
    fw::TObject* look = ControlLook(c);
    FixedColor = GetRGBProp(c, L"FixedColor");
    FooterColor = GetRGBProp(c, L"FooterColor");
    FooterCellColor = GetRGBProp(c, L"FooterCellColor");
    fw::TFont* tf = TitleFont(c);
    TitleFontColor = tf ? fw::ColorToRGB(tf->Color()) : 0;
    TitleColor = GetRGBProp(c, L"TitleColor");
    IndColor = GetRGBProp(c, L"IndicatorIconColor");
    SelectionColor = GetRGBProp(c, L"SelectionColor");
    SelectionTextColor = GetRGBProp(c, L"SelectionTextColor");
    GridLineColor = GetRGBProp(c, L"GridLineColor");
    GridFixedLineColor = GetRGBProp(c, L"GridFixedLineColor");
    LookGradientFrom = LookColor(look, L"FixedGradientFrom");
    LookGradientTo = LookColor(look, L"FixedGradientTo");
    if (auto* g = dynamic_cast<fw::TCustomGrid*>(c)) {
        DrawingStyle = g->DrawingStyle();
        FixedGradientFrom = g->GradientStartColor();
        FixedGradientTo = g->GradientEndColor();
    } else {
        FixedGradientFrom = LookGradientFrom;
        FixedGradientTo = LookGradientTo;
    }
    FixedGradientMirrorFrom = LookColor(look, L"FixedGradientMirrorFrom");
    FixedGradientMirrorTo = LookColor(look, L"FixedGradientMirrorTo");
}

void TacGridWnd::SetSkinParams() {
    TacEditWnd::SetSkinParams();
    fw::TControl* c = OwnerControlOf(this);
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (!c || !M || Destroyed) return;
    const fw::TColor G = M->GetGlobalColor();
    const fw::TColor A = M->GetActiveEditColor();
    const fw::TColor half = MixColors(G, A, 0.5);
    fw::TObject* look = ControlLook(c);
    SetPropIfExists(c, L"FixedColor", int(G));
    if (auto* g = dynamic_cast<fw::TCustomGrid*>(c)) {
        if (DrawingStyle != fw::gdsClassic) g->SetDrawingStyle(fw::gdsGradient);
        g->SetGradientStartColor(half);
        g->SetGradientEndColor(G);
    }
    SetFontColor(FontProp(c, L"TitleFont"), M->GetGlobalFontColor());
    if (look) {
        SetFontColor(FontProp(c, L"FixedFont"), M->GetGlobalFontColor());
        if (M->SkinData) SetPropIfExists(c, L"GridFixedLineColor", int(M->SkinData->BorderColor));
        TsSkinManager* D = DefaultManager ? DefaultManager : M;
        SetPropIfExists(c, L"GridLineColor", int(MixColors(D->GetActiveEditColor(), D->GetActiveEditFontColor(), 0.7)));
        SetPropIfExists(look, L"FixedGradientFrom", int(half));
        SetPropIfExists(look, L"FixedGradientTo", int(G));
        SetPropIfExists(look, L"FixedGradientMirrorFrom", int(MixColors(G, fw::clBlack, 0.95)));
        SetPropIfExists(look, L"FixedGradientMirrorTo", int(MixColors(G, fw::clWhite, 0.9)));
        SetPropIfExists(c, L"SelectionColor", int(M->GetHighLightColor()));
        SetPropIfExists(c, L"SelectionTextColor", int(M->GetHighLightFontColor()));
    }
    const int gi = M->ConstData.IndexGLobalInfo;
    if (M->IsValidSkinIndex(gi)) {
        const fw::TColor info = M->gd[size_t(gi)].Color;
        SetPropIfExists(c, L"FooterColor", int(info));
        SetPropIfExists(c, L"FooterCellColor", int(info));
        SetPropIfExists(c, L"TitleColor", int(info));
    }
    if (const TsGeneralData* s = SkinData->Section()) SetPropIfExists(c, L"IndicatorIconColor", int(s->FontColor[0]));
}

void TacGridWnd::RestoreStdParams() {
    TacEditWnd::RestoreStdParams();
    fw::TControl* c = OwnerControlOf(this);
    if (!c || c->ComponentState().Contains(fw::csDestroying)) return;
    fw::TObject* look = ControlLook(c);
    SetPropIfExists(c, L"FixedColor", int(FixedColor));
    if (auto* g = dynamic_cast<fw::TCustomGrid*>(c)) {
        g->SetDrawingStyle(DrawingStyle);
        g->SetGradientStartColor(FixedGradientFrom);
        g->SetGradientEndColor(FixedGradientTo);
    }
    SetFontColor(FontProp(c, L"TitleFont"), TitleFontColor);
    SetFontColor(FontProp(c, L"FixedFont"), TitleFontColor);
    SetPropIfExists(c, L"GridFixedLineColor", int(GridFixedLineColor));
    SetPropIfExists(c, L"GridLineColor", int(GridLineColor));
    SetPropIfExists(look, L"FixedGradientFrom", int(LookGradientFrom));
    SetPropIfExists(look, L"FixedGradientTo", int(LookGradientTo));
    SetPropIfExists(look, L"FixedGradientMirrorFrom", int(FixedGradientMirrorFrom));
    SetPropIfExists(look, L"FixedGradientMirrorTo", int(FixedGradientMirrorTo));
    SetPropIfExists(c, L"SelectionColor", int(SelectionColor));
    SetPropIfExists(c, L"SelectionTextColor", int(SelectionTextColor));
    SetPropIfExists(c, L"FooterColor", int(FooterColor));
    SetPropIfExists(c, L"FooterCellColor", int(FooterCellColor));
    SetPropIfExists(c, L"TitleColor", int(TitleColor));
    SetPropIfExists(c, L"IndicatorIconColor", int(IndColor));
}

void TacGridWnd::acWndProc(fw::TMessage& Message) {
    if (Destroyed || !SkinData || !SkinData->Skinned()) {
        TacEditWnd::acWndProc(Message);
        return;
    }
    TsSkinManager* M = SkinData->GetSkinManager();
    fw::TControl* owner = OwnerControlOf(this);
    const UINT msg = Message.Msg;
    switch (msg) {
        case WM_ERASEBKGND:
            SkinData->FUpdating = SkinData->GetUpdating();
            Message.Result = 1;
            return;
        case WM_VSCROLL:
            // Rows of a data-aware grid are records: the bar follows the
            // record the grid moves to.
            if (owner && HasProperty(owner, L"DataSource")) {
                SCROLLINFO si = {sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
                GetScrollInfo(CtrlHandle, SB_VERT, &si);
                switch (LOWORD(Message.WParam)) {
                    case SB_THUMBPOSITION:
                        si.fMask = SIF_POS;
                        si.nPos = si.nTrackPos + 1;
                        SetScrollInfo(CtrlHandle, SB_VERT, &si, FALSE);
                        break;
                    case SB_THUMBTRACK:
                        si.fMask = SIF_POS;
                        si.nPos = si.nTrackPos;
                        SetScrollInfo(CtrlHandle, SB_VERT, &si, FALSE);
                        break;
                    case SB_ENDSCROLL:
                        SendScrollMessage(CtrlHandle, WM_VSCROLL, SB_THUMBPOSITION, si.nTrackPos);
                        break;
                    default:
                        break;
                }
            }
            break;
        default:
            break;
    }
    TacEditWnd::acWndProc(Message);
    if (Destroyed) return;
    if (msg == WM_PAINT) {
        UpdateScrolls(this, true);
    } else if (msg == WM_WINDOWPOSCHANGED) {
        if (IsWindowVisible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
    } else if (msg == SM_ALPHACMD && Message.WParamHi() == smcRemoveSkin && LPARAM(M) == Message.LParam) {
        // The grid makes its standard bars again.
        if (auto* g = dynamic_cast<fw::TCustomGrid*>(owner)) {
            const fw::TScrollStyle s = g->ScrollBars();
            g->SetScrollBars(fw::ssNone);
            g->SetScrollBars(s);
        }
    }
}

TacMainWnd* CreateGridWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager, bool Eh,
                          const fw::String& SkinSection) {
    if (Eh) return CreateWnd<TacGridEhWnd>(true, Handle, SkinData, SkinManager, SkinSection);
    return CreateWnd<TacGridWnd>(true, Handle, SkinData, SkinManager, SkinSection);
}

}  // namespace skin
