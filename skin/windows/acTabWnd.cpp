#include "skin/windows/acTabWnd.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/windows/ComCtrls.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/windows/acSpinWnd.h"

namespace skin {

namespace {

// The owned list of page wrappers; a wrapper whose window is gone is freed
// when the list is next walked.
struct PageList {
    std::vector<TacPageWnd*> items;
    ~PageList() {
        for (TacPageWnd* w : items) delete w;
    }
    void Prune() {
        auto gone = std::stable_partition(items.begin(), items.end(), [](TacPageWnd* w) { return !w->Destroyed; });
        for (auto it = gone; it != items.end(); ++it) delete *it;
        items.erase(gone, items.end());
    }
};

PageList& Pages() {
    static PageList list;
    return list;
}

}  // namespace

std::vector<TacPageWnd*>& acPageWrappers() { return Pages().items; }

TacMainWnd* CreateTabWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager) {
    if (SkinData && dynamic_cast<fw::TPageControl*>(SkinData->FOwnerControl))
        return CreateWnd<TacPageControlWnd>(false, Handle, SkinData, SkinManager, fw::String());
    return CreateWnd<TacTabControlWnd>(false, Handle, SkinData, SkinManager, fw::String());
}

// ---- TacTabControlWnd

TacTabControlWnd::TacTabControlWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                                   const fw::String& SkinSection)
    : TacMainWnd(AHandle, ASkinData, ASkinManager, SkinSection.empty() ? fw::String(L"PAGECONTROL") : SkinSection) {}

TacTabControlWnd::~TacTabControlWnd() {
    delete BtnSW;
    BtnSW = nullptr;
}

bool TacTabControlWnd::Skinned() const {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    return !Destroyed && M && M->Active() && SkinData->Skinned();
}

int TacTabControlWnd::TabCount() { return int(SendMessageW(CtrlHandle, TCM_GETITEMCOUNT, 0, 0)); }

int TacTabControlWnd::ActiveTabIndex() { return int(SendMessageW(CtrlHandle, TCM_GETCURSEL, 0, 0)); }

fw::TRect TacTabControlWnd::TabRect(int Index) {
    RECT r{};
    SendMessageW(CtrlHandle, TCM_GETITEMRECT, WPARAM(Index), LPARAM(&r));
    return fw::TRect(r.left, r.top, r.right, r.bottom);
}

TacTabSide TacTabControlWnd::TabPosition() { return TabPositionOf(GetWindowLongW(CtrlHandle, GWL_STYLE)); }

TacTabLook TacTabControlWnd::Style() { return TabStyleOf(GetWindowLongW(CtrlHandle, GWL_STYLE)); }

fw::TRect TacTabControlWnd::SkinTabRect(int Index, bool Active) {
    if (Index < 0 || Index >= TabCount()) return fw::TRect();
    return SkinTabRectOf(TabRect(Index), Active, TabPosition(), Style());
}

fw::TRect TacTabControlWnd::ClientRect() {
    RECT r{0, 0, WndSize.cx, WndSize.cy};
    SendMessageW(CtrlHandle, TCM_ADJUSTRECT, FALSE, LPARAM(&r));
    return TabClientRectOf(fw::TRect(r.left, r.top, r.right, r.bottom));
}

fw::TRect TacTabControlWnd::PageRect() { return TabPageRectOf(ClientRect(), WndSize, TabCount() > 0, TabPosition()); }

fw::TRect TacTabControlWnd::TabsRect() { return TabsRectOf(ClientRect(), WndSize, TabCount() > 0, TabPosition()); }

int TacTabControlWnd::TabRow(int TabIndex) {
    const int rows = int(SendMessageW(CtrlHandle, TCM_GETROWCOUNT, 0, 0));
    if (rows < 2) return 1;
    return TabRowOf(TabRect(TabIndex), TabsRect(), rows, TabPosition());
}

void TacTabControlWnd::CheckUpDown() {
    if (!Skinned()) return;
    HWND spin = FindWindowExW(CtrlHandle, nullptr, L"msctls_updown32", nullptr);
    KeepSpinWnd(BtnSW, spin, SkinData->GetSkinManager(), fw::String(L"UPDOWNBTN"), 0);
}

void TacTabControlWnd::DrawSkinTabs(const TCacheInfo& CI) {
    fw::TBitmap* cache = SkinData->FCacheBmp;
    HDC dc = cache->Canvas()->Handle();
    const fw::TRect S = TabsRect();
    if (CI.Ready && CI.Bmp) {
        const int sx = CI.X + WndPos.X + S.Left, sy = CI.Y + WndPos.Y + S.Top;
        const int w = std::min<int>(S.Width(), CI.Bmp->Width() - sx);
        const int h = std::min<int>(S.Height(), CI.Bmp->Height() - sy);
        if (w > 0 && h > 0) BitBlt(dc, S.Left, S.Top, w, h, CI.Bmp->Canvas()->Handle(), sx, sy, SRCCOPY);
    } else {
        FillDC(dc, S, CI.FillColor);
    }
    const int rows = int(SendMessageW(CtrlHandle, TCM_GETROWCOUNT, 0, 0));
    const int count = TabCount(), active = ActiveTabIndex();
    for (int row = 1; row <= rows; ++row)
        for (int i = 0; i < count; ++i)
            if (i != active && TabRow(i) == row) DrawSkinTab(i, 0, fw::TPoint(0, 0), cache);
}

void TacTabControlWnd::DrawSkinTab(int Index, int State, HDC DC) {
    if (Index < 0) return;
    const fw::TRect R = SkinTabRect(Index, State == 2);
    if (R.Width() <= 0 || R.Height() <= 0) return;
    fw::TBitmap b(R.Width(), R.Height(), fw::pf24bit);
    DrawSkinTab(Index, State, fw::TPoint(-R.Left, -R.Top), &b);
    BitBlt(DC, R.Left, R.Top, R.Width(), R.Height(), b.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TacTabControlWnd::DrawSkinTab(int Index, int State, fw::TPoint Offset, fw::TBitmap* Bmp) {
    if (Index < 0 || !Bmp) return;
    TsSkinManager* M = SkinData->GetSkinManager();
    fw::TCanvas* C = Bmp->Canvas();
    if (HFONT f = HFONT(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0)))
        C->Font()->SetHandle(f, fw::hoBorrowed);  // the window's font: never deleted here
    const int active = ActiveTabIndex();
    if (State == 1 && SkinTabRect(Index, Index == active).Left < 0) return;
    const fw::TRect T = SkinTabRect(Index, State == 2 && Index == active);
    if (T.Width() <= 0 || T.Height() <= 0) return;

    wchar_t text[4097] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = 4096;
    item.iImage = -1;
    SendMessageW(CtrlHandle, TCM_GETITEMW, WPARAM(Index), LPARAM(&item));

    // The tab's section and border image, when the skin has tab sections.
    int section = -1, mask = -1;
    fw::String name;
    const TacTabSide side = TabPosition();
    const TacTabLook look = Style();
    if (M && M->ConstData.IndexTabTop > 0) {
        name = TabSectionName(look, side);
        if (look != tlTabs) {
            section = M->GetSkinIndex(name);
            mask = M->GetMaskIndex(section, name, L"BORDERSMASK");
        } else {
            const int16_t idx[] = {M->ConstData.IndexTabTop, M->ConstData.IndexTabBottom, M->ConstData.IndexTabLeft,
                                   M->ConstData.IndexTabRight};
            const int16_t msk[] = {M->ConstData.MaskTabTop, M->ConstData.MaskTabBottom, M->ConstData.MaskTabLeft,
                                   M->ConstData.MaskTabRight};
            section = idx[side];
            mask = msk[side];
        }
    }
    const fw::TRect at(T.Left + Offset.X, T.Top + Offset.Y, T.Right + Offset.X, T.Bottom + Offset.Y);
    if (M && M->IsValidImgIndex(mask)) {
        fw::TBitmap B(T.Width(), T.Height(), fw::pf24bit);
        fw::TBitmap* cache = SkinData->FCacheBmp;
        const bool isActive = State == 2 && Index == active;
        if (isActive) {
            // Over what the cache holds under the tab: the page's edge too.
            BitBlt(B.Canvas()->Handle(), 0, 0, T.Width(), T.Height(), cache->Canvas()->Handle(), T.Left, T.Top,
                   SRCCOPY);
            BitBlt(C->Handle(), at.Left, at.Top, T.Width(), T.Height(), B.Canvas()->Handle(), 0, 0, SRCCOPY);
            PaintItem(section, name, MakeCacheInfo(&B), true, State, at, fw::TPoint(0, 0), Bmp, M);
        } else {
            PaintItem(section, name, MakeCacheInfo(cache), true, State, fw::TRect(0, 0, T.Width(), T.Height()),
                      T.TopLeft(), &B, M);
            HDC dc = C->Handle();
            const int save = SaveDC(dc);
            if (side == tsTop || side == tsLeft) {
                // The page's edge stays over the inactive tabs' feet.
                const fw::TRect P = PageRect();
                ExcludeClipRect(dc, P.Left + Offset.X, P.Top + Offset.Y, P.Right + Offset.X, P.Bottom + Offset.Y);
            }
            BitBlt(dc, at.Left, at.Top, T.Width(), T.Height(), B.Canvas()->Handle(), 0, 0, SRCCOPY);
            RestoreDC(dc, save);
        }
    }
    DrawTabContent(Index, State, T, Offset, Bmp, section, fw::String(text), item.iImage);
}

void TacTabControlWnd::DrawTabContent(int Index, int State, const fw::TRect& T, fw::TPoint Offset, fw::TBitmap* Bmp,
                                      int SectionIndex, const fw::String& Text, int Image) {
    TsSkinManager* M = SkinData->GetSkinManager();
    fw::TCanvas* C = Bmp->Canvas();
    fw::TRect R(T.Left + Offset.X, T.Top + Offset.Y, T.Right + Offset.X, T.Bottom + Offset.Y);
    if (fw::TControl* owner = SkinData->FOwnerControl) C->SetFont(owner->Font());
    HIMAGELIST list = HIMAGELIST(SendMessageW(CtrlHandle, TCM_GETIMAGELIST, 0, 0));
    const bool hasImage = list && Image >= 0;
    int cx = 0, cy = 0;
    if (list) ImageList_GetIconSize(list, &cx, &cy);
    const TacTabSide side = TabPosition();
    const bool active = State == 2 && Index == ActiveTabIndex();
    if (side == tsTop || side == tsBottom) {
        if (hasImage) {
            const int tw = acTextWidth(C, Text);
            const int x = R.Left + (R.Width() - (tw + cx + 8)) / 2, y = R.Top + (R.Height() - cx) / 2;
            ImageList_Draw(list, Image, C->Handle(), x, y, ILD_NORMAL);
            R.Left += cx;
        }
        C->Brush()->SetStyle(fw::bsClear);
        acWriteTextEx(C, Text.c_str(), true, R, DT_CENTER | DT_VCENTER | DT_SINGLELINE, SectionIndex, State != 0, M);
        return;
    }
    // Side tabs: the text turned along the tab.
    const fw::TSize ext = acTextExtent(C, Text);
    const TacSideTabPlaces at = SideTabPlaces(R, side, active, hasImage, {cx, cy}, ext.cx, ext.cy);
    if (hasImage) ImageList_Draw(list, Image, C->Handle(), at.Image.X, at.Image.Y, ILD_TRANSPARENT);
    if (Text.empty()) return;
    LOGFONTW lf{};
    GetObjectW(C->Font()->Handle(), sizeof(lf), &lf);
    LOGFONTW turned{};
    turned.lfHeight = lf.lfHeight;
    // Left tabs read bottom to top, right ones top to bottom.
    turned.lfEscapement = turned.lfOrientation = side == tsLeft ? 900 : 2700;
    turned.lfWeight = FW_NORMAL;
    turned.lfItalic = lf.lfItalic;
    turned.lfUnderline = lf.lfUnderline;
    turned.lfStrikeOut = lf.lfStrikeOut;
    turned.lfCharSet = lf.lfCharSet;
    turned.lfOutPrecision = lf.lfOutPrecision;
    turned.lfClipPrecision = lf.lfClipPrecision;
    turned.lfQuality = lf.lfQuality;
    const fw::String face = TurnedFontFace(C->Font()->Name());
    lstrcpynW(turned.lfFaceName, face.c_str(), LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&turned);
    fw::TColor colour = 0;
    if (M && M->IsValidSkinIndex(SectionIndex)) {
        const TsGeneralData& g = M->gd[size_t(SectionIndex)];
        colour = State != 0 ? g.HotFontColor[0] : g.FontColor[0];
    }
    HDC dc = C->Handle();
    const int save = SaveDC(dc);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, fw::ColorToRGB(colour));
    const RECT clip{R.Left, R.Top, R.Right, R.Bottom};
    ExtTextOutW(dc, at.Text.X, at.Text.Y, ETO_CLIPPED, &clip, Text.c_str(), UINT(Text.size()), nullptr);
    RestoreDC(dc, save);
    DeleteObject(font);
}

void TacTabControlWnd::AC_WMPaint(const fw::TMessage& Message) {
    InitCtrlData(this);
    SkinData->FUpdating = SkinData->GetUpdating();
    if (SkinData->FUpdating) return;
    const bool given = Message.LParam == 1 || InAnimationProcess;
    HDC dc = given ? HDC(Message.WParam) : GetDC(CtrlHandle);
    if (!dc) return;
    int save = given ? 0 : SaveDC(dc);
    SkinData->BGChanged = true;
    TsSkinManager* M = SkinData->GetSkinManager();
    const bool tabs = TabCount() > 0;
    const fw::String name = PageSectionName(tabs, SkinData->SkinSection(), TabPosition());
    SkinData->SkinIndex = M ? M->GetSkinIndex(name) : -1;

    const TCacheInfo CI = GetParentCacheHwnd(CtrlHandle);
    SkinData->InitCacheBmp();
    fw::TBitmap* cache = SkinData->FCacheBmp;
    cache->SetSize(WndSize.cx, WndSize.cy);
    if (HFONT f = HFONT(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0)))
        cache->Canvas()->Font()->SetHandle(f, fw::hoBorrowed);
    if (tabs) DrawSkinTabs(CI);
    PaintItem(SkinData->SkinIndex, name, CI, false, 0, PageRect(), WndPos, cache, M);
    SkinData->BGChanged = false;

    const int active = tabs ? ActiveTabIndex() : -1;
    if (active >= 0) {
        // The active tab last, over a hole, so that it overlaps the page's edge.
        const fw::TRect A = SkinTabRect(active, true);
        const int clip = SaveDC(dc);
        ExcludeClipRect(dc, A.Left, A.Top, A.Right, A.Bottom);
        BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, cache->Canvas()->Handle(), 0, 0, SRCCOPY);
        RestoreDC(dc, clip);
        if (!given) {
            RestoreDC(dc, save);
            save = SaveDC(dc);
        }
        DrawSkinTab(active, 2, dc);
    } else {
        BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, cache->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    if (auto* owner = dynamic_cast<fw::TWinControl*>(SkinData->FOwnerControl))
        PaintControls(dc, owner, true, fw::TPoint(0, 0));
    if (!given) {
        RestoreDC(dc, save);
        ReleaseDC(CtrlHandle, dc);
    }
}

bool TacTabControlWnd::SkinnedCommand(fw::TMessage& Message) {
    TsSkinManager* M = SkinData->GetSkinManager();
    const bool own = LPARAM(M) == Message.LParam;
    switch (Message.WParamHi()) {
        case smcNewSkin:
            if (own) CommonWndProc(Message, SkinData);
            AlphaBroadCastCheck(SkinData->FOwnerControl, CtrlHandle, Message);
            return true;
        case smcRemoveSkin:
            if (own) {
                CommonWndProc(Message, SkinData);
                CheckUpDown();
                AlphaBroadCastCheck(SkinData->FOwnerControl, CtrlHandle, Message);
                InvalidateRect(CtrlHandle, nullptr, TRUE);
                RedrawWindow(CtrlHandle, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW |
                                 RDW_ERASENOW | RDW_FRAME);
            } else {
                AlphaBroadCastCheck(SkinData->FOwnerControl, CtrlHandle, Message);
            }
            return true;
        case smcRefresh:
            if (own) {
                CommonWndProc(Message, SkinData);
                InvalidateRect(CtrlHandle, nullptr, TRUE);
                CheckUpDown();
            }
            AlphaBroadCastCheck(SkinData->FOwnerControl, CtrlHandle, Message);
            return true;
        case smcEndParentUpdate:
            if (!Skinned()) return false;
            SkinData->FUpdating = false;
            InvalidateRect(CtrlHandle, nullptr, TRUE);
            return true;
        case smcIsHandled:
            Message.Result = 1;
            return true;
        case smcGetUpdating:
            if (!Skinned()) return false;
            Message.Result = SkinData->FUpdating ? 1 : 0;
            return true;
        case smcGetSkinManager:
            Message.Result = LRESULT(M);
            return true;
        case smcGetBGInfo:
            if (!Skinned()) return false;
            CommonWndProc(Message, SkinData);
            return true;
        default:
            return false;
    }
}

void TacTabControlWnd::acWndProc(fw::TMessage& Message) {
    if (Destroyed || !SkinData || !SkinData->GetSkinManager()) {
        TacMainWnd::acWndProc(Message);
        return;
    }
    const UINT msg = Message.Msg;
    if (msg == SM_ALPHACMD) {
        if (!SkinnedCommand(Message)) TacMainWnd::acWndProc(Message);
        return;
    }
    if (Skinned()) {
        switch (msg) {
            case WM_PAINT:
                InvalidateRect(CtrlHandle, nullptr, TRUE);
                BeginPaint(CtrlHandle, &acGlobalPS);
                EndPaint(CtrlHandle, &acGlobalPS);
                Message.Result = 0;
                return;
            case WM_ERASEBKGND:
                if (!IsWindowVisible(CtrlHandle)) break;
                if (!InAnimationProcess) AC_WMPaint(Message);
                CheckUpDown();
                Message.Result = 0;
                return;
            case WM_NCPAINT:
                return;
            case WM_PRINT:
                CheckUpDown();
                AC_WMPaint(Message);
                return;
            default:
                break;
        }
    }
    TacMainWnd::acWndProc(Message);
    if (!Skinned()) return;
    switch (msg) {
        case WM_SIZE: {
            CheckUpDown();
            RECT r{};
            GetWindowRect(CtrlHandle, &r);
            if (r.right - r.left < WndSize.cx || r.bottom - r.top < WndSize.cy)
                RedrawWindow(CtrlHandle, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_NOCHILDREN | RDW_FRAME);
            break;
        }
        case TCM_SETCURSEL:
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
            break;
        case fw::CM_CONTROLLISTCHANGE:
            CheckUpDown();
            break;
        default:
            break;
    }
}

// ---- TacPageControlWnd

TacPageControlWnd::TacPageControlWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                                     const fw::String& SkinSection)
    : TacTabControlWnd(AHandle, ASkinData, ASkinManager, SkinSection) {}

void TacPageControlWnd::AfterCreate(bool Repaint) {
    TacTabControlWnd::AfterCreate(Repaint);
    InitPages(true);
}

fw::TRect TacPageControlWnd::ClientRect() { return TacTabControlWnd::ClientRect(); }

fw::TRect TacPageControlWnd::PageRect() { return TacTabControlWnd::PageRect(); }

void TacPageControlWnd::InitPages(bool Skinned) {
    (void)Skinned;
    Pages().Prune();
    for (HWND child = GetWindow(CtrlHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (SendMessageW(child, SM_ALPHACMD, WPARAM(smcIsHandled) << 16, 0) == 1) continue;
        auto* M =
            reinterpret_cast<TsSkinManager*>(SendMessageW(CtrlHandle, SM_ALPHACMD, WPARAM(smcGetSkinManager) << 16, 0));
        if (!M) continue;
        Pages().items.push_back(CreateWnd<TacPageWnd>(false, child, nullptr, M, fw::String(L"CHECKBOX")));
    }
}

void TacPageControlWnd::acWndProc(fw::TMessage& Message) {
    if (!Skinned()) {
        TacTabControlWnd::acWndProc(Message);
        return;
    }
    switch (Message.Msg) {
        case WM_ERASEBKGND:
            if (!IsWindowVisible(CtrlHandle)) break;
            if (!InAnimationProcess) AC_WMPaint(Message);
            Message.Result = 1;
            return;
        case WM_NCPAINT:
            InitPages(true);
            return;
        case WM_PARENTNOTIFY:
            if (LOWORD(Message.WParam) == WM_CREATE || LOWORD(Message.WParam) == WM_DESTROY) InitPages(true);
            break;
        case TCM_SETCURSEL:
            if (auto* owner = dynamic_cast<fw::TWinControl*>(SkinData->FOwnerControl)) AddToAdapter(owner);
            break;
        default:
            break;
    }
    TacTabControlWnd::acWndProc(Message);
}

// ---- TacPageWnd

TacTabSide TacPageWnd::TabPosition() {
    HWND parent = GetParent(CtrlHandle);
    return TabPositionOf(parent ? GetWindowLongW(parent, GWL_STYLE) : 0);
}

void TacPageWnd::AC_WMEraseBKGnd(fw::TMessage& Message) {
    InitCtrlData(this);
    HDC dc = HDC(Message.WParam);
    Message.Result = 1;
    if (!dc) return;
    TacBGInfo bg;
    GetBGInfo(&bg, ParentWnd, false);
    const int w = WndSize.cx, h = WndSize.cy;
    if (bg.BgType == btCache && bg.Bmp) {
        BitBlt(dc, 0, 0, w, h, bg.Bmp->Canvas()->Handle(), WndPos.X + bg.Offset.X, WndPos.Y + bg.Offset.Y, SRCCOPY);
        return;
    }
    FillDC(dc, fw::TRect(0, 0, w, h), bg.Color);
    if (!bg.Bmp) return;
    // The page's edge on the tabs' side, as the control painted it.
    HDC src = bg.Bmp->Canvas()->Handle();
    switch (TabPosition()) {
        case tsTop:
            BitBlt(dc, 0, 0, w, 3, src, WndPos.X, WndPos.Y, SRCCOPY);
            break;
        case tsBottom:
            BitBlt(dc, 0, h - 3, w, 3, src, WndPos.X, WndPos.Y + h - 3, SRCCOPY);
            break;
        case tsLeft:
            BitBlt(dc, 0, 0, 3, h, src, WndPos.X, WndPos.Y, SRCCOPY);
            break;
        case tsRight:
            BitBlt(dc, w - 3, 0, 3, h, src, WndPos.X + w - 3, WndPos.Y, SRCCOPY);
            break;
    }
}

void TacPageWnd::acWndProc(fw::TMessage& Message) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (Destroyed || !M) {
        TacMainWnd::acWndProc(Message);
        return;
    }
    const bool skinned = M->Active() && SkinData->Skinned();
    if (Message.Msg == SM_ALPHACMD) {
        const bool own = LPARAM(M) == Message.LParam;
        switch (Message.WParamHi()) {
            case smcNewSkin:
                AlphaBroadCastCheck(SkinData->FOwnerControl, CtrlHandle, Message);
                if (own) CommonWndProc(Message, SkinData);
                return;
            case smcRemoveSkin:
            case smcRefresh:
                if (own) {
                    CommonWndProc(Message, SkinData);
                    InvalidateRect(CtrlHandle, nullptr, TRUE);
                }
                AlphaBroadCastCheck(SkinData->FOwnerControl, CtrlHandle, Message);
                if (Message.WParamHi() == smcRemoveSkin) TacMainWnd::acWndProc(Message);
                return;
            case smcEndParentUpdate:
                if (!SkinData->FUpdating) break;
                SkinData->FUpdating = false;
                InvalidateRect(CtrlHandle, nullptr, TRUE);
                return;
            case smcIsHandled:
                Message.Result = 1;
                return;
            case smcGetUpdating:
                Message.Result = SkinData->FUpdating ? 1 : 0;
                return;
            case smcGetBGInfo: {
                // The tab control's page, moved to where this page lies on it.
                auto* bg = reinterpret_cast<PacBGInfo>(Message.LParam);
                if (!bg) return;
                InitCtrlData(this);
                GetBGInfo(bg, GetParent(CtrlHandle), bg->PleaseDraw);
                bg->Offset.X += WndPos.X;
                bg->Offset.Y += WndPos.Y;
                return;
            }
            default:
                break;
        }
        TacMainWnd::acWndProc(Message);
        return;
    }
    if (skinned) {
        switch (Message.Msg) {
            case WM_ERASEBKGND:
                if (!IsWindowVisible(CtrlHandle)) break;
                AC_WMEraseBKGnd(Message);
                return;
            case WM_NCPAINT:
                return;
            case WM_PRINT: {
                fw::TMessage erase = Message;
                AC_WMEraseBKGnd(erase);
                Message.Result = SendMessageW(CtrlHandle, WM_PAINT, Message.WParam, Message.LParam);
                return;
            }
            default:
                break;
        }
    }
    TacMainWnd::acWndProc(Message);
    if (Destroyed) return;
    if (Message.Msg == WM_PARENTNOTIFY && LOWORD(Message.WParam) == WM_CREATE) SendAddToAdapterToTop(CtrlHandle);
}

// ---- TacTabWnd

void TacTabWnd::PrepareCache() {
    InitCtrlData(this);
    SkinData->InitCacheBmp();
    SkinData->FCacheBmp->SetSize(WndSize.cx, WndSize.cy);
}

void TacTabWnd::acWndProc(fw::TMessage& Message) {
    TsSkinManager* M = SkinData ? SkinData->GetSkinManager() : nullptr;
    if (Destroyed || !M || !M->Active() || !SkinData->Skinned()) {
        TacMainWnd::acWndProc(Message);
        return;
    }
    switch (Message.Msg) {
        case WM_ERASEBKGND:
            Message.Result = 1;
            return;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(CtrlHandle, &ps);
            EndPaint(CtrlHandle, &ps);
            return;
        }
        case WM_PRINT:
            PrepareCache();
            return;
        case WM_NCPAINT: {
            if (!DlgMode) break;
            PrepareCache();
            RECT r{0, 0, WndSize.cx, WndSize.cy};
            SendMessageW(CtrlHandle, TCM_ADJUSTRECT, FALSE, LPARAM(&r));
            r.top += 2;
            HDC dc = GetWindowDC(CtrlHandle);
            HDC src = SkinData->FCacheBmp->Canvas()->Handle();
            BitBlt(dc, 0, 0, WndSize.cx, r.top, src, 0, 0, SRCCOPY);
            BitBlt(dc, 0, r.top, r.left, WndSize.cy - r.top, src, 0, r.top, SRCCOPY);
            ReleaseDC(CtrlHandle, dc);
            return;
        }
        default:
            break;
    }
    TacMainWnd::acWndProc(Message);
}

}  // namespace skin
