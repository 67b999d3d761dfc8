#include "skin/windows/acVirtualTreeWnd.h"

#include <memory>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/rtl/Collections.h"
#include "framework/rtl/Properties.h"
#include "skin/engine/sBitmapBase.h"

namespace skin {

namespace {

const wchar_t kVETColors[] = L"VETColors";
const wchar_t kAdvancedDraw[] = L"OnAdvancedHeaderDraw";
const wchar_t kQueryElements[] = L"OnHeaderDrawQueryElements";

fw::TObject* ObjOf(const fw::TObject* Obj, const wchar_t* Name) {
    return Obj && HasProperty(Obj, Name) ? GetObjProp(Obj, Name) : nullptr;
}

void SetColorProp(fw::TObject* Obj, const wchar_t* Name, fw::TColor Value) {
    if (Obj && HasProperty(Obj, Name)) SetIntProp(Obj, Name, int(Value));
}

// A font object's colour: the framework's font directly, else by name.
void SetFontColor(fw::TObject* Font, fw::TColor Value) {
    if (auto* f = dynamic_cast<fw::TFont*>(Font))
        f->SetColor(Value);
    else
        SetColorProp(Font, L"Color", Value);
}

bool HoldsHandler(fw::TObject* Obj, const wchar_t* Name, const fw::TMethod& Own) {
    return Obj && HasProperty(Obj, Name) && fw::GetMethodProp(Obj, Name) == Own;
}

}  // namespace

SIZE BorderDimensionsOf(LONG Style, LONG ExStyle) {
    SIZE s{0, 0};
    if (Style & WS_BORDER) s.cx -= 1, s.cy -= 1;
    if (Style & WS_THICKFRAME) s.cx -= GetSystemMetrics(SM_CXDLGFRAME), s.cy -= GetSystemMetrics(SM_CYDLGFRAME);
    if (ExStyle & WS_EX_CLIENTEDGE) s.cx -= GetSystemMetrics(SM_CXEDGE), s.cy -= GetSystemMetrics(SM_CYEDGE);
    return s;
}

fw::TObject* TacVirtualTreeViewWnd::Tree() const { return SkinData ? SkinData->FOwnerControl : nullptr; }

fw::TObject* TacVirtualTreeViewWnd::Header() const { return ObjOf(Tree(), L"Header"); }

SIZE TacVirtualTreeViewWnd::GetBorderDimensions() {
    return BorderDimensionsOf(GetWindowLongW(CtrlHandle, GWL_STYLE), GetWindowLongW(CtrlHandle, GWL_EXSTYLE));
}

void TacVirtualTreeViewWnd::SaveStdParams() {
    TacEditWnd::SaveStdParams();
    if (fw::TObject* c = ObjOf(Tree(), kVETColors)) {
        CompressedTextColor = fw::TColor(GetIntProp(c, L"CompressedTextColor"));
        FileTextColor = fw::TColor(GetIntProp(c, L"FileTextColor"));
        FolderTextColor = fw::TColor(GetIntProp(c, L"FolderTextColor"));
    }
    fw::TObject* h = Header();
    OwnerDraw = h && HasProperty(h, L"Options") && CheckSetProp(h, L"Options", L"hoOwnerDraw");
    saved_ = true;
}

void TacVirtualTreeViewWnd::SetSkinParams() {
    TacEditWnd::SetSkinParams();
    fw::TObject* tree = Tree();
    if (!tree) return;
    TsSkinManager* M = SkinData->GetSkinManager();
    if (fw::TObject* c = ObjOf(tree, kVETColors); c && M && M->IsValidSkinIndex(SkinData->SkinIndex)) {
        const fw::TColor hot = M->gd[size_t(SkinData->SkinIndex)].HotFontColor[0];
        for (const wchar_t* name : {L"CompressedTextColor", L"FileTextColor", L"FolderTextColor"})
            SetColorProp(c, name, hot);
    }
    fw::TObject* h = Header();
    if (HasProperty(tree, kAdvancedDraw) && !fw::GetMethodProp(tree, kAdvancedDraw).Assigned()) {
        fw::SetMethodProp(tree, kAdvancedDraw,
                          fw::TMethod(TAdvancedHeaderPaintEvent(this, &TacVirtualTreeViewWnd::AdvancedHeaderDraw)));
        if (HasProperty(tree, kQueryElements)) {
            if (!fw::GetMethodProp(tree, kQueryElements).Assigned())
                fw::SetMethodProp(
                    tree, kQueryElements,
                    fw::TMethod(THeaderPaintQueryElementsEvent(this, &TacVirtualTreeViewWnd::HeaderDrawQueryElements)));
            if (h && HasProperty(h, L"Options")) SetSetPropValue(h, L"Options", L"hoOwnerDraw", true);
        }
    }
    if (fw::TObject* col = ObjOf(tree, L"PaintInfoColumn"); col && M) {
        SetColorProp(col, L"Color", M->GetGlobalColor());
        SetPropIfExists(col, L"Style", 1);
        SetColorProp(h, L"Color", M->GetActiveEditColor());
        SetFontColor(ObjOf(h, L"Font"), M->GetGlobalFontColor());
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
        SetPropIfExists(tree, L"Themed", 0);
    }
}

void TacVirtualTreeViewWnd::RestoreStdParams() {
    TacEditWnd::RestoreStdParams();
    fw::TObject* tree = Tree();
    if (!tree || !saved_) return;
    if (fw::TObject* c = ObjOf(tree, kVETColors)) {
        SetColorProp(c, L"CompressedTextColor", CompressedTextColor);
        SetColorProp(c, L"FileTextColor", FileTextColor);
        SetColorProp(c, L"FolderTextColor", FolderTextColor);
    }
    // Only this wrapper's own handlers go; an application's stay.
    const fw::TMethod draw(TAdvancedHeaderPaintEvent(this, &TacVirtualTreeViewWnd::AdvancedHeaderDraw));
    const fw::TMethod query(THeaderPaintQueryElementsEvent(this, &TacVirtualTreeViewWnd::HeaderDrawQueryElements));
    if (HoldsHandler(tree, kAdvancedDraw, draw)) fw::SetMethodProp(tree, kAdvancedDraw, fw::TMethod());
    if (HoldsHandler(tree, kQueryElements, query)) fw::SetMethodProp(tree, kQueryElements, fw::TMethod());
    fw::TObject* h = Header();
    if (h && HasProperty(h, L"Options")) SetSetPropValue(h, L"Options", L"hoOwnerDraw", OwnerDraw);
    if (fw::TObject* col = ObjOf(tree, L"PaintInfoColumn")) {
        SetPropIfExists(tree, L"Themed", 1);
        SetColorProp(col, L"Color", fw::clBtnFace);
        SetColorProp(h, L"Color", fw::clBtnFace);
        SetFontColor(ObjOf(h, L"Font"), fw::clBtnText);
    }
}

void TacVirtualTreeViewWnd::HeaderDrawQueryElements(fw::TPersistent* Sender, THeaderPaintInfo& PaintInfo,
                                                    THeaderPaintElements& Elements) {
    (void)Sender, (void)PaintInfo;
    Elements = THeaderPaintElements{hpeBackground, hpeDropMark, hpeSortGlyph, hpeText};
}

void TacVirtualTreeViewWnd::AdvancedHeaderDraw(fw::TPersistent* Sender, THeaderPaintInfo& PaintInfo,
                                               const THeaderPaintElements& Elements) {
    (void)Sender;
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (!M || !SkinData->Skinned() || DontRepaint || !PaintInfo.TargetCanvas) return;
    PropInfo = Tree() ? fw::GetPropInfo(Tree(), kAdvancedDraw) : nullptr;
    const fw::TRect P = PaintInfo.PaintRectangle;
    HDC target = PaintInfo.TargetCanvas->Handle();
    if (!PaintInfo.Column) {
        if (const TsGeneralData* g = SkinData->Section()) {
            FillDC(target, P, g->Color);
        }
        return;
    }
    if (P.Width() <= 0 || P.Height() <= 0) return;
    TsSkinManager* D = DefaultManager ? DefaultManager : M;
    const fw::String section = D->GetSkinIndex(L"COLHEADER") >= 0 ? fw::String(L"COLHEADER") : fw::String(L"BUTTON");
    const int state = PaintInfo.IsDownIndex ? 2 : PaintInfo.IsHoverIndex ? 1 : 0;
    fw::TBitmap B(P.Width(), P.Height(), fw::pf24bit);
    HDC bdc = B.Canvas()->Handle();
    if (Elements.Contains(hpeBackground)) {
        PaintItem(D->GetSkinIndex(section), section, MakeCacheInfo(SkinData->FCacheBmp), true, state,
                  fw::TRect(0, 0, P.Width(), P.Height()), P.TopLeft(), &B, D);
        BitBlt(target, P.Left, P.Top, P.Width(), P.Height(), bdc, 0, 0, SRCCOPY);
        return;
    }
    BitBlt(bdc, 0, 0, P.Width(), P.Height(), target, P.Left, P.Top, SRCCOPY);
    fw::TObject* h = Header();
    fw::TObject* column = static_cast<fw::TObject*>(PaintInfo.Column);
    const fw::String text = column && HasProperty(column, L"Text") ? fw::GetStrProp(column, L"Text") : fw::String();
    auto writeText = [&](unsigned Flags) {
        if (auto* f = dynamic_cast<fw::TFont*>(ObjOf(h, L"Font"))) B.Canvas()->SetFont(f);
        B.Canvas()->Brush()->SetStyle(fw::bsClear);
        fw::TRect R = PaintInfo.TextRectangle;
        R = fw::TRect(R.Left - P.Left, R.Top - P.Top, R.Right - P.Left, R.Bottom - P.Top);
        acWriteTextEx(B.Canvas(), text.c_str(), true, R, Flags, SkinData, state != 0);
    };
    if (Elements.Contains(hpeText) && !Elements.Contains(hpeDropMark)) writeText(0);
    if (Elements.Contains(hpeSortGlyph) && PaintInfo.ShowSortGlyph) {
        const bool descending = h && HasProperty(h, L"SortDirection") && GetIntProp(h, L"SortDirection") != 0;
        const wchar_t* btn = descending ? L"SCROLLBTNTOP" : L"SCROLLBTNBOTTOM";
        const int i = D->GetMaskIndex(D->GetSkinIndex(btn), btn, L"GLYPHMASK");
        if (i >= 0 && D->IsValidImgIndex(i)) {
            const TsMaskData& m = D->ma[size_t(i)];
            const fw::TPoint at(PaintInfo.SortGlyphPos.X - P.Left, (P.Height() - HeightOfImage(m)) / 2);
            if (WidthOfImage(m) > 0 && HeightOfImage(m) > 0) DrawSkinGlyph(&B, at, state, 1, m, MakeCacheInfo(&B));
        }
    }
    if (Elements.Contains(hpeDropMark)) {
        const bool wrap =
            column && HasProperty(column, L"Options") && CheckSetProp(column, L"Options", L"coWrapCaption");
        writeText(wrap ? DT_END_ELLIPSIS | DT_WORDBREAK | DT_VCENTER : DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    }
    BitBlt(target, P.Left, P.Top, P.Width(), P.Height(), bdc, 0, 0, SRCCOPY);
}

void TacVirtualTreeViewWnd::PaintTreeFrame(HDC DC) {
    fw::TBitmap* cache = SkinData->FCacheBmp;
    if (!cache) return;
    BitBltBorder(DC, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, FrameWidth());
}

void TacVirtualTreeViewWnd::acWndProc(fw::TMessage& Message) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (Destroyed || !M || !M->Active() || !SkinData->Skinned()) {
        TacEditWnd::acWndProc(Message);
        return;
    }
    switch (Message.Msg) {
        case WM_ERASEBKGND:
            Message.Result = 1;
            return;
        case WM_NCPAINT: {
            if (!IsWindowVisible(CtrlHandle)) break;
            InitCtrlData(this);
            if (SkinData->FUpdating) return;
            if (SkinData->BGChanged) {
                if (!ParamsChanged) SetSkinParams();
                skin::PrepareCache(SkinData, CtrlHandle, DlgMode);
            }
            UpdateWndCorners(SkinData, 0, this);
            HDC DC = GetWindowDC(CtrlHandle);
            const int save = SaveDC(DC);
            PaintTreeFrame(DC);
            // The control paints its header into the frame.
            LPARAM lp = 0;
            CallPrevWndProc(CtrlHandle, WM_PRINT, WPARAM(DC), lp);
            RestoreDC(DC, save);
            Ac_NCPaint(this, CtrlHandle, 1, 0, -1, DC);
            ReleaseDC(CtrlHandle, DC);
            return;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (LOWORD(Message.WParam) == SB_THUMBTRACK) {
                // The control reads the stored position, not the message's.
                const int nBar = Message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
                if (TacScrollBar* bar = Bar(nBar)) {
                    bar->ScrollInfo.nPos = bar->ScrollInfo.nTrackPos;
                    SCROLLINFO si = {sizeof si, SIF_POS, 0, 0, 0, bar->ScrollInfo.nPos, 0};
                    SetScrollInfo(CtrlHandle, nBar, &si, FALSE);
                }
            }
            break;
        case WM_PRINT: {
            HDC DC = HDC(Message.WParam);
            if (!DC) break;
            InitCtrlData(this);
            SkinData->SetUpdating(false);
            if (SkinData->BGChanged) {
                if (!ParamsChanged) SetSkinParams();
                skin::PrepareCache(SkinData, CtrlHandle, false);
            }
            int headerHeight = 0;
            if (fw::TObject* h = Header())
                if (HasProperty(h, L"Options") && CheckSetProp(h, L"Options", L"hoVisible"))
                    headerHeight = GetIntProp(h, L"Height");
            int save = SaveDC(DC);
            OffsetViewportOrgEx(DC, FrameWidth(), FrameWidth() + headerHeight, nullptr);
            LPARAM lp = 0;
            CallPrevWndProc(CtrlHandle, WM_PRINTCLIENT, WPARAM(DC), lp);
            RestoreDC(DC, save);
            // The rest of the request (the header in the frame) without the
            // client, which Wine would paint again at (0, 0).
            lp = Message.LParam & ~LPARAM(PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
            CallPrevWndProc(CtrlHandle, WM_PRINT, WPARAM(DC), lp);
            UpdateWndCorners(SkinData, 0, this);
            save = SaveDC(DC);
            PaintTreeFrame(DC);
            RestoreDC(DC, save);
            Ac_NCPaint(this, CtrlHandle, 1, 0, -1, DC);
            Message.Result = 0;
            return;
        }
        default:
            break;
    }
    TacEditWnd::acWndProc(Message);
}

TacMainWnd* CreateVirtualTreeWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager) {
    if (!IsWindow(Handle)) return nullptr;
    return CreateWnd<TacVirtualTreeViewWnd>(false, Handle, SkinData, SkinManager, fw::String(L"EDIT"));
}

}  // namespace skin
