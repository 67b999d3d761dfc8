#include "skin/windows/acComboWnd.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/Messages.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/windows/acScrollTrack.h"

namespace skin {

namespace {

const fw::TRect kNoRect;

SIZE WindowSize(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// The window's font on the canvas, borrowed: the window keeps and deletes it.
void BorrowWindowFont(fw::TCanvas* C, HWND h) {
    if (HFONT f = HFONT(SendMessageW(h, WM_GETFONT, 0, 0))) C->Font()->SetHandle(f, fw::hoBorrowed);
}

fw::String SelectedText(HWND h) {
    const LRESULT sel = SendMessageW(h, CB_GETCURSEL, 0, 0);
    if (sel >= 0) {
        const LRESULT len = SendMessageW(h, CB_GETLBTEXTLEN, WPARAM(sel), 0);
        if (len == CB_ERR || len < 0) return fw::String();
        std::vector<wchar_t> buf(size_t(len) + 1, L'\0');
        const LRESULT got = SendMessageW(h, CB_GETLBTEXT, WPARAM(sel), LPARAM(buf.data()));
        return got == CB_ERR ? fw::String() : fw::String(buf.data(), size_t(std::max<LRESULT>(got, 0)));
    }
    return GetWndText(h);
}

}  // namespace

fw::TRect ComboButtonRect(LONG Style, LONG ExStyle, SIZE WndSize, int ButtonWidth) {
    const int w = (Style & 3) == CBS_DROPDOWN || (Style & 3) == CBS_DROPDOWNLIST ? ButtonWidth : 0;
    const int left = (ExStyle & WS_EX_RTLREADING) ? 2 : WndSize.cx - w - 2;
    return fw::TRect(left, 2, left + w, WndSize.cy - 2);
}

int ComboButtonHeight(TsSkinManager* M) {
    if (!M || !M->IsValidImgIndex(M->ConstData.ComboGlyph)) return 16;
    return HeightOfImage(M->ma[size_t(M->ConstData.ComboGlyph)]);
}

void PaintComboButton(fw::TBitmap* Bmp, const fw::TRect& R, int WndHeight, TsSkinManager* M, int State) {
    if (!Bmp || !M || R.Width() <= 0 || R.Height() <= 0) return;
    const TConstantSkinData& c = M->ConstData;
    if (M->IsValidSkinIndex(c.ComboBtnIndex))
        PaintItem(c.ComboBtnIndex, L"COMBOBTN", MakeCacheInfo(Bmp), true, State, R, fw::TPoint(0, 0), Bmp, M,
                  c.ComboBtnBG, c.ComboBtnBGHot);
    if (M->IsValidImgIndex(c.ComboGlyph)) {
        const TsMaskData& g = M->ma[size_t(c.ComboGlyph)];
        const fw::TPoint P(R.Left + (R.Width() - WidthOfImage(g)) / 2, (WndHeight - ComboButtonHeight(M)) / 2);
        DrawSkinGlyph(Bmp, P, State, 1, g, MakeCacheInfo(Bmp));
    }
}

// ---- TacComboBoxWnd

TacComboBoxWnd::TacComboBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                               const fw::String& SkinSection)
    : TacEditWnd(AHandle, ASkinData, ASkinManager, SkinSection) {
    LBSkinData = new TsCommonData(nullptr, true);
}

TacComboBoxWnd::~TacComboBoxWnd() {
    delete ListSW;
    ListSW = nullptr;
    delete LBSkinData;
    LBSkinData = nullptr;
    if (ListBrush) DeleteObject(ListBrush);
    ListBrush = nullptr;
}

bool TacComboBoxWnd::Simple() const { return (GetWindowLongW(CtrlHandle, GWL_STYLE) & 3) == CBS_SIMPLE; }

fw::TRect TacComboBoxWnd::ButtonRect() {
    return ComboButtonRect(GetWindowLongW(CtrlHandle, GWL_STYLE), GetWindowLongW(CtrlHandle, GWL_EXSTYLE),
                           WindowSize(CtrlHandle), GetSystemMetrics(SM_CXVSCROLL));
}

int TacComboBoxWnd::ButtonHeight() { return ComboButtonHeight(SkinData->GetSkinManager()); }

void TacComboBoxWnd::Invalidate() {
    if (dynamic_cast<fw::TComboBoxEx*>(OwnerControlOf(this))) {
        InvalidateRect(CtrlHandle, nullptr, TRUE);
        UpdateWindow(CtrlHandle);
    }
}

int TacComboBoxWnd::ButtonState() {
    // The dropped state from the combo box itself: the list's handle comes
    // with its first paint, after the combo box painted its button.
    if (SendMessageW(CtrlHandle, CB_GETDROPPEDSTATE, 0, 0) || (FListHandle && IsWindowVisible(FListHandle))) return 2;
    if (ControlIsActive(SkinData) || (DefaultManager && DefaultManager->ActiveControl() == CtrlHandle)) return 1;
    return 0;
}

void TacComboBoxWnd::PaintButton(HDC DC) {
    fw::TBitmap* cache = SkinData->FCacheBmp;
    if (!cache || !DC) return;
    const fw::TRect R = ButtonRect();
    if (R.Width() <= 0) return;
    std::unique_ptr<fw::TBitmap> B(CreateBmpLike(cache));
    BitBlt(B->Canvas()->Handle(), 0, 0, B->Width(), B->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
    PaintComboButton(B.get(), R, WindowSize(CtrlHandle).cy, SkinData->GetSkinManager(), ButtonState());
    BitBlt(DC, R.Left, R.Top, R.Width(), R.Height(), B->Canvas()->Handle(), R.Left, R.Top, SRCCOPY);
}

void TacComboBoxWnd::RepaintButton() {
    HDC dc = GetWindowDC(CtrlHandle);
    if (!dc) return;
    PaintButton(dc);
    ReleaseDC(CtrlHandle, dc);
}

void TacComboBoxWnd::PaintText() {
    fw::TBitmap* cache = SkinData->FCacheBmp;
    if (!cache) return;
    fw::TCanvas* C = cache->Canvas();
    if (fw::TControl* c = OwnerControlOf(this))
        C->SetFont(c->Font());
    else
        BorrowWindowFont(C, CtrlHandle);
    const fw::TRect b = ButtonRect();
    const SIZE ws = WindowSize(CtrlHandle);
    const fw::TRect R = (GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING)
                            ? fw::TRect(b.Right, 3, WndSize.cx - 3, ws.cy - 3)
                            : fw::TRect(3, 3, b.Left, ws.cy - 3);
    const fw::String text = SelectedText(CtrlHandle);
    const bool dropList = (GetWindowLongW(CtrlHandle, GWL_STYLE) & 3) == CBS_DROPDOWNLIST;
    const bool focused = GetFocus() == CtrlHandle && dropList;
    if (focused) {
        C->Brush()->SetStyle(fw::bsSolid);
        C->Brush()->SetColor(fw::clHighlight);
        C->FillRect(R);
        C->Font()->SetColor(fw::clHighlightText);
    }
    C->Brush()->SetStyle(fw::bsClear);
    const int d = dropList ? 1 : 0;
    C->TextRect(R, R.Left + d, R.Top + d, text);
    if (focused) C->DrawFocusRect(R);
}

void TacComboBoxWnd::PrepareSimple() {
    fw::TBitmap* cache = SkinData->FCacheBmp;
    if (!cache) return;
    const int h = int(SendMessageW(CtrlHandle, CB_GETITEMHEIGHT, 0, 0)) + 8;
    cache->SetSize(WndSize.cx, h);
    TsSkinManager* M = SkinData->GetSkinManager();
    const fw::TColor border = M && M->SkinData ? M->SkinData->BorderColor : fw::TColor(0xFF00FF);
    if (DlgMode && (border & 0xFFFFFF) != 0xFF00FF) {
        fw::TCanvas* C = cache->Canvas();
        C->Brush()->SetStyle(fw::bsSolid);
        C->Brush()->SetColor(fw::clWindow);
        C->Pen()->SetColor(border);
        C->Rectangle(0, 0, WndSize.cx, h);
    } else {
        PaintItem(SkinData, GetParentCache(SkinData), true, ControlIsActive(SkinData) ? 1 : 0,
                  fw::TRect(0, 0, WndSize.cx, h), fw::TPoint(0, 0), cache, true);
    }
}

HBRUSH TacComboBoxWnd::ListBrushOf(fw::TColor C) {
    if (!ListBrush || ListBrushColor != C) {
        if (ListBrush) DeleteObject(ListBrush);
        ListBrush = CreateSolidBrush(fw::ColorToRGB(C));
        ListBrushColor = C;
    }
    return ListBrush;
}

void TacComboBoxWnd::acWndProc(fw::TMessage& Message) {
    if (!SkinData || !SkinData->Skinned() || Destroyed) {
        TacEditWnd::acWndProc(Message);
        return;
    }
    const UINT msg = Message.Msg;
    if (msg == SM_ALPHACMD &&
        (Message.WParamHi() == smcActiveControlEnter || Message.WParamHi() == smcActiveControlLeave)) {
        TacEditWnd::acWndProc(Message);
        if (!Destroyed) RepaintButton();
        return;
    }
    switch (msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_LBUTTONUP:
            TacEditWnd::acWndProc(Message);
            if (!Destroyed) RepaintButton();
            return;
        case WM_PAINT: {
            if (!ParamsChanged) SetSkinParams();
            InitCtrlData(this);
            const bool simple = Simple();
            PassOn(Message);  // the control paints its items
            HDC dc = Message.WParam ? HDC(Message.WParam) : GetWindowDC(CtrlHandle);
            SkinData->FUpdating = SkinData->GetUpdating();
            if (dc && !SkinData->FUpdating) {
                if (simple) {
                    PrepareSimple();
                } else {
                    SkinData->BGChanged = true;
                    SendMessageW(CtrlHandle, SM_ALPHACMD, WPARAM(smcPrepareCache) << 16, 0);
                }
                if (fw::TBitmap* cache = SkinData->FCacheBmp) {
                    BitBltBorder(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, 3);
                    if (!simple) PaintButton(dc);
                }
            }
            if (dc && !Message.WParam) ReleaseDC(CtrlHandle, dc);
            return;
        }
        case WM_ERASEBKGND:
            Message.Result = 1;
            return;
        case WM_DRAWITEM:
            PassOn(Message);
            Invalidate();
            return;
        case WM_NCCALCSIZE:
            TacEditWnd::acWndProc(Message);
            Edges.cxLeftEdge = 3;
            return;
        case WM_CTLCOLORLISTBOX: {
            TacEditWnd::acWndProc(Message);
            if (Destroyed) return;
            if (!FListHandle) {
                FListHandle = HWND(Message.LParam);
                if (!ListSW) {
                    const bool own = OwnerControlOf(this) == nullptr;
                    if (own) acDlgMode = DlgMode;
                    ListSW = CreateComboListWnd(FListHandle, nullptr, SkinData->GetSkinManager(), L"EDIT",
                                                SendMessageW(CtrlHandle, CB_GETCOUNT, 0, 0) > 0, Simple());
                    if (own) acDlgMode = false;
                }
            }
            int index = -1;
            if (FListHandle) SendMessageW(FListHandle, SM_ALPHACMD, WPARAM(smcGetSkinIndex) << 16, LPARAM(&index));
            TsSkinManager* M = SkinData->GetSkinManager();
            if (index >= 0 && !DlgMode && M && M->IsValidSkinIndex(index)) {
                const TsGeneralData& g = M->gd[size_t(index)];
                if (g.FontColor[0] >= 0) SetTextColor(HDC(Message.WParam), fw::ColorToRGB(g.FontColor[0]));
                SetBkColor(HDC(Message.WParam), fw::ColorToRGB(g.Color));
                Message.Result = LRESULT(ListBrushOf(g.Color));
            }
            return;
        }
        case WM_PRINT: {
            InitCtrlData(this);
            SkinData->SetUpdating(true);
            if (!ParamsChanged) SetSkinParams();
            if (Destroyed) return;
            SkinData->SetUpdating(false);
            SkinData->BGChanged = true;
            if (Simple())
                PrepareSimple();
            else
                SendMessageW(CtrlHandle, SM_ALPHACMD, WPARAM(smcPrepareCache) << 16, 0);
            skin::PrepareCache(SkinData, CtrlHandle, DlgMode);
            PaintText();
            UpdateWndCorners(SkinData, 0, this);
            HDC dc = HDC(Message.WParam);
            if (fw::TBitmap* cache = SkinData->FCacheBmp; cache && dc) {
                BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
                PaintButton(dc);
            }
            return;
        }
        case fw::CM_MOUSEENTER:
        case fw::CM_MOUSELEAVE:
            TacEditWnd::acWndProc(Message);
            SkinData->FMouseAbove = msg == fw::CM_MOUSEENTER;
            Invalidate();
            return;
        default:
            break;
    }
    TacEditWnd::acWndProc(Message);
}

// ---- TacComboListWnd

TacComboListWnd* CreateComboListWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                                    const fw::String& SkinSection, bool Repaint, bool Simply) {
    auto* w = new TacComboListWnd(AHandle, ASkinData, ASkinManager, SkinSection, Repaint);
    w->SimplyBox = Simply;
    w->AfterCreate(Repaint);
    if (!Simply && AHandle) {
        RECT r{};
        GetWindowRect(AHandle, &r);
        SetWindowPos(
            AHandle, nullptr, 0, 0, r.right - r.left + 1, r.bottom - r.top,
            SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    }
    return w;
}

TacComboListWnd::~TacComboListWnd() = default;

void TacComboListWnd::AfterCreate(bool Repaint) {
    Showed = false;
    TacEditWnd::AfterCreate(Repaint);
    RECT r{};
    GetWindowRect(CtrlHandle, &r);
    WndRect = fw::TRect(r.left, r.top, r.right, r.bottom);
}

void PrepareListCache(TacComboListWnd* W) {
    InitCtrlData(W);
    if (W->SimplyBox) {
        SendMessageW(W->CtrlHandle, SM_ALPHACMD, WPARAM(smcPrepareCache) << 16, 0);
        return;
    }
    TsCommonData* sd = W->SkinData;
    sd->UpdateIndexes();
    W->SetSkinParams();
    sd->InitCacheBmp();
    fw::TBitmap* cache = sd->FCacheBmp;
    cache->SetSize(W->WndSize.cx, W->WndSize.cy);
    fw::TCanvas* C = cache->Canvas();
    C->Brush()->SetStyle(fw::bsSolid);
    C->Brush()->SetColor(W->Color);
    C->Pen()->SetStyle(fw::psSolid);
    C->Pen()->SetColor(fw::TColor(W->FrameColor));
    C->Rectangle(0, 0, W->WndSize.cx, W->WndSize.cy);
    sd->BGChanged = false;
}

void TacComboListWnd::acWndProc(fw::TMessage& Message) {
    if (!SkinData || !SkinData->Skinned() || Destroyed) {
        TacEditWnd::acWndProc(Message);
        return;
    }
    const UINT msg = Message.Msg;
    switch (msg) {
        case WM_ERASEBKGND:
        case WM_HSCROLL:
        case WM_VSCROLL:
            PassOn(Message);
            return;
        case WM_NCCALCSIZE:
            Message.Result = Ac_NCCalcSize(this, CtrlHandle, Message.WParam, Message.LParam);
            return;
        case WM_NCPAINT: {
            if (DontRepaint) break;
            InitCtrlData(this);
            PrepareListCache(this);
            if (!DlgMode) UpdateWndCorners(SkinData, 0, this);
            HDC dc = GetWindowDC(CtrlHandle);
            if (!dc) return;
            const int save = SaveDC(dc);
            fw::TBitmap* cache = SkinData->FCacheBmp;
            BitBltBorder(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, 2);
            Ac_NCPaint(this, CtrlHandle, Message.WParam, Message.LParam, -1, dc);
            RestoreDC(dc, save);
            ReleaseDC(CtrlHandle, dc);
            if (SimplyBox) {
                // Below the list, the combo box's window shows its parent:
                // its cache, or its colour (the combo box's own painting of
                // that strip would stay otherwise).
                HWND combo = GetParent(CtrlHandle);
                HWND parent = combo ? GetParent(combo) : nullptr;
                TacBGInfo bg;
                if (parent) {
                    GetBGInfo(&bg, parent, false);  // a window that does not answer gives a colour
                    RECT cr{}, lr{};
                    GetWindowRect(combo, &cr);
                    GetWindowRect(CtrlHandle, &lr);
                    POINT p{cr.left, lr.bottom};
                    ScreenToClient(parent, &p);
                    const RECT strip{0, lr.bottom - cr.top, cr.right - cr.left, cr.bottom - cr.top};
                    HDC cdc = strip.bottom > strip.top ? GetWindowDC(combo) : nullptr;
                    if (cdc && bg.BgType == btCache && bg.Bmp) {
                        BitBlt(cdc, strip.left, strip.top, strip.right, strip.bottom - strip.top,
                               bg.Bmp->Canvas()->Handle(), p.x + bg.Offset.X, p.y + bg.Offset.Y, SRCCOPY);
                    } else if (cdc) {
                        FillDC(cdc, strip, bg.Color);
                    }
                    if (cdc) ReleaseDC(combo, cdc);
                }
            }
            return;
        }
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK: {
            Message.WParam = WPARAM(Ac_NCHitTest(this, CtrlHandle, 0, Message.LParam));
            if (Message.WParam == HTHSCROLL || Message.WParam == HTVSCROLL)
                Message.Result = Ac_NCLButtonDown(this, CtrlHandle, Message.WParam, Message.LParam);
            return;
        }
        case 0x01AE:
            Showed = true;
            break;
        case 0x01AF:
            Showed = false;
            SkinData->BGChanged = true;
            break;
        case WM_LBUTTONUP: {
            InitCtrlData(this);
            const LPARAM own = Message.LParam;
            const POINT p{WndRect.Left + short(LOWORD(own)), WndRect.Top + short(HIWORD(own))};
            const LRESULT hit = Ac_NCHitTest(this, CtrlHandle, 0, MAKELPARAM(WORD(p.x), WORD(p.y)));
            // A press of the bars ends wherever the button comes up: released
            // over the items it would go on repeating till the next release.
            if (acTracking.DownPortion != -1 || (hit != HTNOWHERE && hit != HTCLIENT)) {
                Message.Result = Ac_LButtonUp(this, CtrlHandle, Message.WParam, own);
                if (SimplyBox) ReleaseCapture();
            } else {
                Message.LParam = own;
                PassOn(Message);
                ReleaseCapture();
            }
            return;
        }
        case WM_PRINT:
        case WM_PRINTCLIENT: {
            if (!Message.WParam || !IsWindowVisible(CtrlHandle)) return;
            PrepareListCache(this);
            PassOn(Message);
            if (msg == WM_PRINT && SendMessageW(CtrlHandle, LB_GETCOUNT, 0, 0) >= 1) {
                HDC dc = HDC(Message.WParam);
                fw::TBitmap* cache = SkinData->FCacheBmp;
                if (acTracking.DownPortion == -1 && !Showed && cache)
                    BitBltBorder(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, 3);
                Ac_NCPaint(this, CtrlHandle, Message.WParam, Message.LParam, -1, dc);
            }
            return;
        }
        default:
            break;
    }
    TacEditWnd::acWndProc(Message);
    if (msg == WM_WINDOWPOSCHANGED && !Destroyed) UpdateScrolls(this, true);
}

}  // namespace skin
