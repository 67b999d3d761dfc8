#include "skin/windows/acToolBarWnd.h"

#include <commctrl.h>

#include <vector>

#include "framework/graphics/Color.h"
#include "framework/graphics/ImageList.h"

namespace skin {

namespace {

fw::TBitmap* Bitmap24(int W, int H) { return new fw::TBitmap(std::max(W, 1), std::max(H, 1), fw::pf24bit); }

// The part of Src at (X, Y) of Dst's size into Dst.
void CopyUnder(fw::TBitmap* Dst, fw::TBitmap* Src, int X, int Y) {
    BitBlt(Dst->Canvas()->Handle(), 0, 0, Dst->Width(), Dst->Height(), Src->Canvas()->Handle(), X, Y, SRCCOPY);
}

}  // namespace

TacMainWnd* CreateToolBarWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager,
                             const fw::String& SkinSection) {
    if (SkinData && dynamic_cast<fw::TToolBar*>(SkinData->FOwnerControl))
        return CreateWnd<TacToolBarVCLWnd>(false, Handle, SkinData, SkinManager, SkinSection);
    return CreateWnd<TacToolBarWnd>(false, Handle, SkinData, SkinManager,
                                    SkinSection.empty() ? fw::String(L"CHECKBOX") : SkinSection);
}

// ---- TacToolBarWnd

int TacToolBarWnd::Count() { return int(SendMessageW(CtrlHandle, TB_BUTTONCOUNT, 0, 0)); }

fw::TRect TacToolBarWnd::ButtonRect(int Index) {
    RECT r{};
    if (!SendMessageW(CtrlHandle, TB_GETITEMRECT, WPARAM(Index), LPARAM(&r))) return fw::TRect();
    return fw::TRect(r.left, r.top, r.right, r.bottom);
}

void TacToolBarWnd::PrepareCache() {
    InitCtrlData(this);
    if (!SkinData->BGChanged) return;
    RECT c{};
    GetClientRect(CtrlHandle, &c);
    ClientRect = fw::TRect(c.left, c.top, c.right, c.bottom);
    skin::PrepareCache(SkinData, CtrlHandle, false);
    UpdateWndCorners(SkinData, 0, this);
    BorderWidth = (WndSize.cy - ClientRect.Height()) / 2;
    SkinData->BGChanged = false;
}

bool TacToolBarWnd::Updating() {
    SkinData->FUpdating = (ParentWnd && SendMessageW(ParentWnd, SM_ALPHACMD, WPARAM(smcGetUpdating) << 16, 0) == 1) ||
                          SkinData->GetUpdating();
    return SkinData->FUpdating;
}

void TacToolBarWnd::AC_WMPrint(HDC GivenDC) {
    PrepareCache();
    fw::TBitmap* cache = SkinData->FCacheBmp;
    if (!cache || cache->Width() < 1) return;
    std::unique_ptr<fw::TBitmap> B(Bitmap24(cache->Width(), cache->Height()));
    DrawButtons(B.get());
    HDC dc = GivenDC ? GivenDC : GetDC(CtrlHandle);
    BitBlt(dc, 0, 0, cache->Width() - 2 * BorderWidth, cache->Height() - 2 * BorderWidth, B->Canvas()->Handle(),
           BorderWidth, BorderWidth, SRCCOPY);
    if (!GivenDC) ReleaseDC(CtrlHandle, dc);
}

void TacToolBarWnd::AC_WMPaint() {
    PAINTSTRUCT ps;
    BeginPaint(CtrlHandle, &ps);
    InitCtrlData(this);
    if (!Updating()) AC_WMPrint(nullptr);
    EndPaint(CtrlHandle, &ps);
}

void TacToolBarWnd::AC_WMNCPaint() {
    if (!(GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return;
    InitCtrlData(this);
    if (Updating()) return;
    PrepareCache();
    fw::TBitmap* cache = SkinData->FCacheBmp;
    HDC dc = GetWindowDC(CtrlHandle);
    const int save = SaveDC(dc);
    BitBltBorder(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0,
                 (WndSize.cx - ClientRect.Width()) / 2);
    RestoreDC(dc, save);
    ReleaseDC(CtrlHandle, dc);
}

void TacToolBarWnd::DrawButtons(fw::TBitmap* Bmp) {
    fw::TBitmap* cache = SkinData->FCacheBmp;
    CopyUnder(Bmp, cache, 0, 0);
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        fw::TRect r = ButtonRect(i);
        if (r.Width() <= 0 || r.Height() <= 0) continue;
        fw::OffsetRect(r, BorderWidth, BorderWidth);
        DrawBtn(i, r, Bmp->Canvas()->Handle());
    }
}

void TacToolBarWnd::DrawLabel(fw::TBitmap* T, const fw::String& Text, fw::TRect R, int State) {
    TsSkinManager* M = SkinData->GetSkinManager();
    fw::TCanvas* C = T->Canvas();
    if (HFONT f = HFONT(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0)))
        C->Font()->SetHandle(f, fw::hoBorrowed);  // the window's font: never deleted here
    TEXTMETRICW tm{};
    GetTextMetricsW(C->Handle(), &tm);
    C->Brush()->SetStyle(fw::bsClear);
    const TsGeneralData* own = SkinData->Section();
    const bool ownColours = State == 0 || (own && own->GiveOwnFont);
    const int index = M ? M->GetSkinIndex(L"TOOLBUTTON") : -1;
    auto write = [&](const fw::String& s, fw::TRect r, unsigned flags) {
        if (ownColours)
            acWriteTextEx(C, s.c_str(), true, r, flags, SkinData, State != 0);
        else
            acWriteTextEx(C, s.c_str(), true, r, flags, index, State != 0, M);
    };
    const TacToolLabel l = SplitToolLabel(Text);
    if (l.TwoLines) {
        write(l.First, fw::TRect(R.Left, R.Top, R.Right, R.Top + tm.tmHeight), DT_CENTER);
        write(l.Second, fw::TRect(R.Left, R.Top + tm.tmHeight, R.Right, R.Bottom), DT_END_ELLIPSIS);
    } else {
        write(l.First, R, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_END_ELLIPSIS);
    }
}

void TacToolBarWnd::DrawBtn(int Index, const fw::TRect& R, HDC DC) {
    TBBUTTON b{};
    if (!SendMessageW(CtrlHandle, TB_GETBUTTON, WPARAM(Index), LPARAM(&b))) return;
    TsSkinManager* M = SkinData->GetSkinManager();
    fw::TBitmap* cache = SkinData->FCacheBmp;
    const SIZE cell{R.Width(), R.Height()};
    std::unique_ptr<fw::TBitmap> T(Bitmap24(cell.cx, cell.cy));

    if (b.fsStyle & BTNS_SEP) {
        const int divider = M ? M->GetSkinIndex(L"DIVIDER") : -1;
        if (divider < 0 || M->GetMaskIndex(divider, L"DIVIDER", L"BORDERSMASK") < 0) return;
        CopyUnder(T.get(), cache, R.Left, R.Top);
        const fw::TRect D = ToolSeparatorRect(cell);
        PaintItem(divider, L"DIVIDER", MakeCacheInfo(cache), true, 0, D, fw::TPoint(R.Left + D.Left, R.Top + D.Top),
                  T.get(), M);
        BitBlt(DC, R.Left, R.Top, cell.cx, cell.cy, T->Canvas()->Handle(), 0, 0, SRCCOPY);
        return;
    }

    // The cursor in the toolbar's window coordinates, as R is.
    const fw::TPoint mouse = acMousePos();
    const fw::TPoint at(mouse.X - WndRect.Left, mouse.Y - WndRect.Top);
    int p = 0;
    const int state = ToolButtonState(b.fsState, R.Contains(at), p);
    const int section = M ? M->GetSkinIndex(L"TOOLBUTTON") : -1;
    PaintItem(section, L"TOOLBUTTON", MakeCacheInfo(cache), true, state, fw::TRect(0, 0, cell.cx, cell.cy), R.TopLeft(),
              T.get(), M);

    int iconH = 0;
    HIMAGELIST list = HIMAGELIST(SendMessageW(CtrlHandle, TB_GETIMAGELIST, 0, 0));
    if (b.iBitmap >= 0 && list) {
        ImageList_SetBkColor(list, CLR_NONE);
        int iw = 0, ih = 0;
        ImageList_GetIconSize(list, &iw, &ih);
        iconH = ih;
        int arrowW = 0;
        if (b.fsStyle & BTNS_WHOLEDROPDOWN) {
            const int glyph =
                M ? M->GetMaskIndex(M->ConstData.IndexScrollBottom, L"SCROLLBTNBOTTOM", L"GLYPHMASK") : -1;
            if (glyph >= 0 && M->IsValidImgIndex(glyph)) {
                const TsMaskData& g = M->ma[size_t(glyph)];
                const SIZE arrow{WidthOfImage(g), HeightOfImage(g)};
                if (arrow.cx > 0 && arrow.cy > 0) {
                    arrowW = arrow.cx;
                    skin::DrawSkinGlyph(T.get(), ToolArrowPos(cell, arrow, p), state, 1, g, MakeCacheInfo(T.get()));
                }
            }
        }
        ImageList_Draw(list, b.iBitmap, T->Canvas()->Handle(), ToolIconX(cell.cx, iw, arrowW, p), p + 4, ILD_NORMAL);
    }

    if (b.idCommand != -1) {
        const LRESULT len = SendMessageW(CtrlHandle, TB_GETBUTTONTEXTW, WPARAM(b.idCommand), 0);
        if (len > 0) {
            std::vector<wchar_t> text(size_t(len) + 1, L'\0');
            SendMessageW(CtrlHandle, TB_GETBUTTONTEXTW, WPARAM(b.idCommand), LPARAM(text.data()));
            DrawLabel(T.get(), fw::String(text.data()), ToolTextRect(cell, iconH, p), state);
        }
    }

    if (!(b.fsState & TBSTATE_ENABLED))
        BlendTransRectangle(T.get(), 0, 0, cache, fw::TRect(R.Left, R.Top, R.Right - 1, R.Bottom - 1), 0.4,
                            TsColor(0xFF000000u));
    BitBlt(DC, R.Left, R.Top, cell.cx, cell.cy, T->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TacToolBarWnd::acWndProc(fw::TMessage& Message) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (Destroyed || !M || !M->Active() || !SkinData->Skinned()) {
        TacMainWnd::acWndProc(Message);
        return;
    }
    switch (Message.Msg) {
        case WM_SIZE:
        case WM_WINDOWPOSCHANGED:
            SkinData->BGChanged = true;
            TacMainWnd::acWndProc(Message);
            if (!Destroyed) SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
            return;
        case WM_PAINT:
            if (!IsWindowVisible(CtrlHandle)) break;
            AC_WMPaint();
            Message.Result = 0;
            return;
        case WM_ERASEBKGND:
            Message.Result = 1;
            return;
        case WM_NCPAINT:
            AC_WMNCPaint();
            return;
        case WM_PRINT:
            InitCtrlData(this);
            AC_WMPrint(HDC(Message.WParam));
            return;
        default:
            if (Message.Msg == SM_ALPHACMD && Message.WParamHi() == smcEndParentUpdate && SkinData->FUpdating) {
                SkinData->FUpdating = false;
                RedrawWindow(CtrlHandle, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
                return;
            }
            break;
    }
    TacMainWnd::acWndProc(Message);
}

// ---- TacToolBarVCLWnd

TacToolBarVCLWnd::TacToolBarVCLWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                                   const fw::String& SkinSection)
    : TacMainWnd(AHandle, ASkinData, ASkinManager,
                 SkinSection.empty() && ASkinData && dynamic_cast<fw::TToolBar*>(ASkinData->FOwnerControl)
                     ? fw::String(L"TOOLBAR")
                     : SkinSection) {
    HotButtonIndex = -1;
    ToolBar = dynamic_cast<fw::TToolBar*>(SkinData->FOwnerControl);
    InstallEvents();
}

TacToolBarVCLWnd::~TacToolBarVCLWnd() {
    // The toolbar outlives the wrapper: it must not call a freed one.
    ClearEvents();
}

void TacToolBarVCLWnd::InstallEvents() {
    if (!ToolBar) return;
    ToolBar->OnAdvancedCustomDraw = fw::TTBAdvancedCustomDrawEvent(this, &TacToolBarVCLWnd::OurAdvancedCustomDraw);
    ToolBar->OnAdvancedCustomDrawButton =
        fw::TTBAdvancedCustomDrawBtnEvent(this, &TacToolBarVCLWnd::OurAdvancedCustomDrawButton);
}

void TacToolBarVCLWnd::ClearEvents() {
    if (!ToolBar) return;
    if (ToolBar->OnAdvancedCustomDraw == fw::TTBAdvancedCustomDrawEvent(this, &TacToolBarVCLWnd::OurAdvancedCustomDraw))
        ToolBar->OnAdvancedCustomDraw.Clear();
    if (ToolBar->OnAdvancedCustomDrawButton ==
        fw::TTBAdvancedCustomDrawBtnEvent(this, &TacToolBarVCLWnd::OurAdvancedCustomDrawButton))
        ToolBar->OnAdvancedCustomDrawButton.Clear();
}

bool TacToolBarVCLWnd::Skinned() const {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    return !Destroyed && M && M->Active() && SkinData->Skinned();
}

void TacToolBarVCLWnd::PrepareCache() {
    InitCtrlData(this);
    SkinData->InitCacheBmp();
    SkinData->FCacheBmp->SetSize(WndSize.cx, WndSize.cy);
    const TCacheInfo CI = GetParentCache(SkinData);
    PaintItem(SkinData, CI, false, 0, fw::TRect(0, 0, WndSize.cx, WndSize.cy), WndPos, SkinData->FCacheBmp, false);
    SkinData->BGChanged = false;
}

fw::TRect TacToolBarVCLWnd::DisplayRect() {
    RECT c{};
    GetClientRect(CtrlHandle, &c);
    fw::TRect R(c.left, c.top, c.right, c.bottom);
    InitCtrlData(this);
    if (R.Width() < WndSize.cx || R.Height() < WndSize.cy) {
        POINT o{0, 0};
        ClientToScreen(CtrlHandle, &o);
        fw::OffsetRect(R, o.x - WndRect.Left, o.y - WndRect.Top);
    }
    return R;
}

fw::TRect TacToolBarVCLWnd::GetButtonRect(int Index) {
    RECT r{};
    SendMessageW(CtrlHandle, TB_GETITEMRECT, WPARAM(Index), LPARAM(&r));
    return fw::TRect(r.left, r.top, r.right, r.bottom);
}

int TacToolBarVCLWnd::IndexByMouse(fw::TPoint MousePos) {
    if (!ToolBar) return -1;
    for (int i = 0; i < ToolBar->ButtonCount(); ++i) {
        if (!GetButtonRect(i).Contains(MousePos)) continue;
        fw::TToolButton* b = ToolBar->Buttons(i);
        if (!b) return -1;
        const fw::TToolButtonStyle s = b->Style();
        return s == fw::tbsButton || s == fw::tbsCheck || s == fw::tbsDropDown ? i : -1;
    }
    return -1;
}

void TacToolBarVCLWnd::OurAdvancedCustomDraw(fw::TToolBar* Sender, const fw::TRect& ARect, fw::TCustomDrawStage Stage,
                                             bool& DefaultDraw) {
    if (!Skinned()) {
        DefaultDraw = true;
        return;
    }
    SkinData->FUpdating = SkinData->GetUpdating();
    if (Stage != fw::cdPrePaint) {
        DefaultDraw = false;
        return;
    }
    if (SkinData->FUpdating) return;
    SkinData->InitCacheBmp();
    SkinData->FCacheBmp->Canvas()->SetFont(Sender->Font());
    if (SkinData->BGChanged) PrepareCache();
    const fw::TRect C = DisplayRect();
    UpdateCorners(SkinData, 0);
    HDC dc = Sender->Canvas()->Handle();
    const int save = SaveDC(dc);
    IntersectClipRect(dc, ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
    // Windowed children that paint themselves keep their place.
    for (int i = 0; i < Sender->ControlCount(); ++i) {
        auto* wc = dynamic_cast<fw::TWinControl*>(Sender->Controls(i));
        if (!wc || !wc->Visible() || !wc->ControlStyle().Contains(fw::csOpaque)) continue;
        ExcludeClipRect(dc, wc->Left(), wc->Top(), wc->Left() + wc->Width(), wc->Top() + wc->Height());
    }
    BitBlt(dc, 0, 0, C.Width(), C.Height(), SkinData->FCacheBmp->Canvas()->Handle(), C.Left, C.Top, SRCCOPY);
    RestoreDC(dc, save);
    PaintControls(dc, Sender, true, fw::TPoint(0, 0));
    SetParentUpdated(Sender);
    if (C.Width() < WndSize.cx || C.Height() < WndSize.cy) SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
}

void TacToolBarVCLWnd::OurAdvancedCustomDrawButton(fw::TToolBar* Sender, fw::TToolButton* Button,
                                                   fw::TCustomDrawState State, fw::TCustomDrawStage Stage,
                                                   fw::TTBCustomDrawFlags& Flags, bool& DefaultDraw) {
    if (!Skinned()) {
        DefaultDraw = true;
        return;
    }
    DefaultDraw = false;
    if (Stage != fw::cdPrePaint || !Button) return;
    TsSkinManager* M = SkinData->GetSkinManager();
    const int index = Button->Index();
    if (!Sender->Flat() && index == HotButtonIndex) State = State + fw::TCustomDrawState{fw::cdsHot};
    Flags = Flags + fw::TTBCustomDrawFlags{fw::tbNoEdges, fw::tbNoEtchedEffect};
    const fw::TRect br = GetButtonRect(index);
    if (br.Width() <= 0 || br.Height() <= 0) return;
    std::unique_ptr<fw::TBitmap> B(Bitmap24(br.Width(), br.Height()));
    B->Canvas()->SetFont(Sender->Font());

    const bool onlyDisabled = State == fw::TCustomDrawState{fw::cdsDisabled};
    const int state = ToolButtonStateOf(Button->Marked(), Button->Indeterminate(), State.Contains(fw::cdsSelected),
                                        State.Contains(fw::cdsChecked), !State.Empty(), onlyDisabled);
    const int e = (Sender->EdgeInner() != fw::esNone ? 1 : 0) + (Sender->EdgeOuter() != fw::esNone ? 1 : 0);
    const fw::TEdgeBorders edges = Sender->EdgeBorders();
    TCacheInfo CI = MakeCacheInfo(SkinData->FCacheBmp, (edges.Contains(fw::ebLeft) ? e : 0) + 2 * Sender->BorderWidth(),
                                  (edges.Contains(fw::ebTop) ? e : 0) + 2 * Sender->BorderWidth());
    const fw::TRect client = Sender->ClientRect();
    fw::TRect R2(0, 0, B->Width(), Button->Height());
    fw::OffsetRect(R2, client.Left, client.Top);
    const int section = M->GetSkinIndex(L"TOOLBUTTON");
    PaintItemBG(section, L"TOOLBUTTON", CI, state, R2, fw::TPoint(Button->Left(), Button->Top()), B.get(), M, -1, -1,
                fw::TColor(0xFF00FF));
    const bool dropDown = Button->Style() == fw::tbsDropDown;
    const int dw = dropDown ? GetSystemMetrics(SM_CXVSCROLL) - 2 : 0;
    const int w = Button->Width() - dw;
    R2.Right = B->Width() - dw;
    CI.X += Button->Left();
    CI.Y += Button->Top();
    const int mask = M->GetMaskIndex(section, L"TOOLBUTTON", L"BORDERSMASK");
    if (M->IsValidImgIndex(mask)) DrawSkinRect(B.get(), R2, true, CI, M->ma[size_t(mask)], state, true);

    fw::TCustomImageList* images = Sender->Images();
    const bool hasImage = images && Button->ImageIndex() >= 0;
    if (Sender->ShowCaptions()) {
        const fw::String caption = Button->Caption();
        fw::TCanvas* C = B->Canvas();
        const fw::TSize text{acTextWidth(C, caption), acTextHeight(C, L"A")};
        fw::TRect r =
            ToolCaptionRect(Sender->List(), w, Button->Height(), Sender->List() && hasImage ? images->Width() : 0,
                            !Sender->List() && images ? images->Height() : 0, {text.cx, text.cy}, state);
        C->Brush()->SetStyle(fw::bsClear);
        acWriteTextEx(C, caption.c_str(), true, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                      GetFontIndex(Button, section, M), state > 0, M);
    }
    if (images && Button->ImageIndex() >= 0 && Button->ImageIndex() < images->Count())
        CopyToolBtnGlyph(Sender, SkinData, Button, State, Stage, Flags, B.get());
    if (dropDown) {
        const int sa = ((Button == DroppedButton && Button->DropdownMenu()) || Button->Down()) ? 2
                       : State.Contains(fw::cdsHot)                                            ? 1
                                                                                               : 0;
        if (M->IsValidImgIndex(mask))
            DrawSkinRect(B.get(), fw::TRect(w, R2.Top, Button->Width(), R2.Bottom), true, CI, M->ma[size_t(mask)], sa,
                         true);
        const int arrow = M->ConstData.MaskArrowBottom;
        if (M->IsValidImgIndex(arrow)) {
            const TsMaskData& a = M->ma[size_t(arrow)];
            const int aw = WidthOfImage(a), ah = HeightOfImage(a);
            if (aw > 0 && ah > 0)
                skin::DrawSkinGlyph(B.get(), fw::TPoint(w + 2 + (dw - aw - 3) / 2, (Sender->ButtonHeight() - ah) / 2),
                                    sa, 1, a, MakeCacheInfo(B.get()));
        }
    }
    if (!Button->Enabled() || Button->Indeterminate())
        BmpDisabledKind(B.get(), TsDisabledKind{dkBlended}, Sender->Parent(), CI, fw::TPoint(0, 0));
    BitBlt(Sender->Canvas()->Handle(), Button->Left(), Button->Top(), B->Width(), B->Height(), B->Canvas()->Handle(), 0,
           0, SRCCOPY);
}

void TacToolBarVCLWnd::RepaintButton(int Index) {
    if (!ToolBar || Index < 0 || Index >= ToolBar->ButtonCount()) return;
    fw::TToolButton* b = ToolBar->Buttons(Index);
    if (!b || !b->Visible()) return;
    HDC dc = GetWindowDC(CtrlHandle);
    const int save = SaveDC(dc);
    POINT o{0, 0};
    ClientToScreen(CtrlHandle, &o);
    RECT wr{};
    GetWindowRect(CtrlHandle, &wr);
    SetViewportOrgEx(dc, o.x - wr.left, o.y - wr.top, nullptr);
    {
        fw::CanvasBinding bind(static_cast<fw::TControlCanvas*>(ToolBar->Canvas()), dc);
        fw::TTBCustomDrawFlags flags;
        bool def = false;
        OurAdvancedCustomDrawButton(ToolBar, b, fw::TCustomDrawState{}, fw::cdPrePaint, flags, def);
    }
    RestoreDC(dc, save);
    ReleaseDC(CtrlHandle, dc);
}

void TacToolBarVCLWnd::WMNCPaint(HDC aDC) {
    InitCtrlData(this);
    const fw::TRect C = DisplayRect();
    if (C.Width() >= WndSize.cx && C.Height() >= WndSize.cy) return;
    if (SkinData->BGChanged) PrepareCache();
    HDC dc = aDC ? aDC : GetWindowDC(CtrlHandle);
    const int save = SaveDC(dc);
    ExcludeClipRect(dc, C.Left, C.Top, C.Right, C.Bottom);
    BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, SkinData->FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    RestoreDC(dc, save);
    if (!aDC) ReleaseDC(CtrlHandle, dc);
}

void TacToolBarVCLWnd::acWndProc(fw::TMessage& Message) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (Destroyed || !M) {
        TacMainWnd::acWndProc(Message);
        return;
    }
    const bool own = LPARAM(M) == Message.LParam;
    if (Message.Msg == SM_ALPHACMD) {
        switch (Message.WParamHi()) {
            case smcRemoveSkin:
                if (own) {
                    ClearEvents();
                    DroppedButton = nullptr;
                } else {
                    break;
                }
                if (!CommonWndProc(Message, SkinData)) TacMainWnd::acWndProc(Message);
                return;
            case smcRefresh:
                if (own) DroppedButton = nullptr;
                [[fallthrough]];
            case smcNewSkin:
                if (Message.WParamHi() == smcNewSkin) InstallEvents();
                if (!CommonWndProc(Message, SkinData)) TacMainWnd::acWndProc(Message);
                return;
            case smcGetBGInfo: {
                InitCtrlData(this);
                auto* bg = reinterpret_cast<PacBGInfo>(Message.LParam);
                InitBGInfo(SkinData, bg, 0, CtrlHandle);
                if (bg) {
                    const fw::TRect C = DisplayRect();
                    bg->Offset.X += C.Left;
                    bg->Offset.Y += C.Top;
                }
                return;
            }
            default:
                break;
        }
        TacMainWnd::acWndProc(Message);
        return;
    }
    const bool skinned = Skinned();
    if (skinned) {
        switch (Message.Msg) {
            case WM_ERASEBKGND:
                Message.Result = 1;
                return;
            case WM_NCPAINT:
                if (!InAnimationProcess) WMNCPaint(nullptr);
                return;
            case WM_PRINT: {
                InitCtrlData(this);
                if (SkinData->BGChanged) PrepareCache();
                HDC dc = HDC(Message.WParam);
                const fw::TRect C = DisplayRect();
                const int save = SaveDC(dc);
                ExcludeClipRect(dc, C.Left, C.Top, C.Right, C.Bottom);
                BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, SkinData->FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
                RestoreDC(dc, save);
                const int save2 = SaveDC(dc);
                SetViewportOrgEx(dc, C.Left, C.Top, nullptr);
                IntersectClipRect(dc, 0, 0, C.Width(), C.Height());
                SendMessageW(CtrlHandle, WM_PAINT, WPARAM(dc), 0);
                RestoreDC(dc, save2);
                return;
            }
            case fw::CN_NOTIFY: {
                auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
                if (hdr && hdr->code == UINT(TBN_DELETINGBUTTON)) {
                    if (ToolBar && HotButtonIndex >= ToolBar->ButtonCount()) HotButtonIndex = -1;
                } else if (hdr && hdr->code == UINT(TBN_DROPDOWN)) {
                    auto* n = reinterpret_cast<NMTOOLBARW*>(Message.LParam);
                    TBBUTTON b{};
                    const LRESULT i = SendMessageW(CtrlHandle, TB_COMMANDTOINDEX, WPARAM(n->iItem), 0);
                    if (SendMessageW(CtrlHandle, TB_GETBUTTON, WPARAM(i), LPARAM(&b)) && b.dwData) {
                        DroppedButton = reinterpret_cast<fw::TToolButton*>(b.dwData);
                        RepaintButton(DroppedButton->Index());
                    }
                }
                break;
            }
            default:
                break;
        }
    }
    if (!CommonWndProc(Message, SkinData)) TacMainWnd::acWndProc(Message);
    if (!Skinned() || !ToolBar) return;
    switch (Message.Msg) {
        case WM_SIZE:
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE);
            break;
        case WM_MOUSEMOVE: {
            if (ToolBar->Flat()) break;
            const int i = IndexByMouse(fw::TPoint(short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam))));
            if (i == HotButtonIndex || (i >= 0 && !ToolBar->Buttons(i)->Enabled())) break;
            const int old = HotButtonIndex;
            HotButtonIndex = i;
            if (old >= 0 && !ToolBar->Buttons(old)->Down()) RepaintButton(old);
            if (i >= 0 && !ToolBar->Buttons(i)->Down()) RepaintButton(i);
            break;
        }
        case fw::CN_DROPDOWNCLOSED:
            if (DroppedButton) {
                fw::TToolButton* b = DroppedButton;
                HotButtonIndex = -1;
                DroppedButton = nullptr;
                RepaintButton(b->Index());
            }
            break;
        case fw::CM_MOUSELEAVE:
            if (ToolBar->Flat()) break;
            if (HotButtonIndex >= 0 && !ToolBar->Buttons(HotButtonIndex)->Down()) {
                const int old = HotButtonIndex;
                HotButtonIndex = -1;
                RepaintButton(old);
            }
            HotButtonIndex = -1;
            break;
        default:
            break;
    }
}

}  // namespace skin
