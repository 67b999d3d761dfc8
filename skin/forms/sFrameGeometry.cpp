#include "skin/forms/sFrameGeometry.h"

#include <algorithm>

#include "framework/windows/Menus.h"
#include "skin/engine/sSkinManager.h"

namespace skin {

using fw::TRect;

TFrameMetrics TFrameMetrics::FromSystem() {
    TFrameMetrics m;
    m.CxFrame = GetSystemMetrics(SM_CXFRAME);
    m.CxDlgFrame = GetSystemMetrics(SM_CXDLGFRAME);
    m.CyCaption = GetSystemMetrics(SM_CYCAPTION);
    m.CySmCaption = GetSystemMetrics(SM_CYSMCAPTION);
    m.CyMenu = GetSystemMetrics(SM_CYMENU);
    return m;
}

const TsMaskData* TFrameSkin::Image(int Index) const {
    return Manager && Manager->IsValidImgIndex(Index) ? &Manager->ma[size_t(Index)] : nullptr;
}

fw::String TitleSkinSection(const fw::String& TitleSkin) { return TitleSkin.empty() ? L"FORMTITLE" : TitleSkin; }

TFrameSkin FrameSkinOf(TsSkinManager* Manager, const fw::String& TitleSkin) {
    TFrameSkin k;
    k.TitleSection = TitleSkinSection(TitleSkin);
    if (!Manager || !Manager->SkinData) return k;
    k.Manager = Manager;
    TsSkinManager& m = *Manager;
    auto valid = [&](int i) { return m.IsValidImgIndex(i) ? i : -1; };
    k.FormIndex = m.GetSkinIndex(L"FORM");
    if (m.IsValidSkinIndex(k.FormIndex)) {
        k.BorderIndex = valid(m.gd[size_t(k.FormIndex)].BorderIndex);
        k.TitleBarIndex = valid(m.GetMaskIndex(k.FormIndex, L"FORM", L"TITLEBAR"));
    } else {
        k.FormIndex = -1;
    }
    k.TitleIndex = m.GetSkinIndex(k.TitleSection);
    if (m.IsValidSkinIndex(k.TitleIndex))
        k.TitleMask = valid(m.GetMaskIndex(k.TitleIndex, k.TitleSection, L"BORDERSMASK"));
    else
        k.TitleIndex = -1;
    k.CaptionIndex = m.IsValidSkinIndex(m.GetSkinIndex(L"CAPTION")) ? m.GetSkinIndex(L"CAPTION") : -1;
    const int g = m.ConstData.IndexGLobalInfo;
    auto global = [&](const wchar_t* name) { return valid(m.GetMaskIndex(g, L"GLOBALINFO", name)); };
    k.GripIndex = global(L"GRIPIMAGE");
    k.BigClose = global(L"BICONCLOSE");
    k.BigCloseAlone = global(L"BICLOSEALONE");
    k.BigMax = global(L"BICONMAX");
    k.BigMin = global(L"BICONMIN");
    k.BigHelp = global(L"BICONHELP");
    k.BigNorm = global(L"BICONNORM");
    if (k.BigNorm < 0 && k.FormIndex >= 0) k.BigNorm = valid(m.GetMaskIndex(k.FormIndex, L"FORM", L"BICONNORM"));
    k.SmallClose = global(L"SICONCLOSE");
    k.SmallMax = global(L"SICONMAX");
    k.SmallMin = global(L"SICONMIN");
    k.SmallHelp = global(L"SICONHELP");
    k.SmallNorm = global(L"SICONNORM");
    k.UserButton = global(L"TITLEBUTTON");
    if (k.FormIndex >= 0) {
        k.FormTopRight = valid(m.GetMaskIndex(k.FormIndex, L"FORM", L"IMGTOPRIGHT"));
        k.FormBottomRight = valid(m.GetMaskIndex(k.FormIndex, L"FORM", L"IMGBTMRIGHT"));
    }
    const TsSkinData& d = *m.SkinData;
    k.BILeftMargin = d.BILeftMargin;
    k.BIRightMargin = d.BIRightMargin;
    k.BISpacing = d.BISpacing;
    k.BITopMargin = d.BITopMargin;
    k.BIVAlign = d.BIVAlign;
    return k;
}

TFrameState FrameStateOf(fw::TCustomForm* Form, bool HaveSysMenu) {
    TFrameState s;
    if (!Form) return s;
    s.BorderStyle = Form->BorderStyle();
    s.BorderIcons = Form->BorderIcons();
    s.MDIChild = Form->FormStyle() == fw::fsMDIChild;
    s.HaveSysMenu = HaveSysMenu;
    s.MaxConstraints = Form->Constraints()->MaxWidth() != 0 || Form->Constraints()->MaxHeight() != 0;
    fw::TMainMenu* menu = Form->Menu();
    // An MDI parent's bar also holds the items merged from its active child.
    const bool items = menu && (menu->Items()->Count() > 0 || (menu->Merged() && menu->Merged()->Items()->Count() > 0));
    s.MenuLine = items && !menu->AutoMerge() && !s.MDIChild && s.BorderStyle != fw::bsDialog;
    s.MenuLines = s.MenuLine ? 1 : 0;
    if (!Form->HandleAllocated()) {
        s.Width = Form->Width(), s.Height = Form->Height();
        s.ClientWidth = Form->ClientWidth(), s.ClientHeight = Form->ClientHeight();
        return s;
    }
    const HWND h = Form->Handle();
    s.Style = DWORD(GetWindowLongW(h, GWL_STYLE));
    s.Child = (s.Style & WS_CHILD) != 0;
    s.Iconic = IsIconic(h) != 0;
    s.Zoomed = IsZoomed(h) != 0;
    RECT w{}, c{};
    GetWindowRect(h, &w);
    GetClientRect(h, &c);
    s.Left = w.left, s.Top = w.top;
    s.Width = w.right - w.left, s.Height = w.bottom - w.top;
    s.ClientWidth = c.right, s.ClientHeight = c.bottom;
    s.SystemMenu = GetSystemMenu(h, FALSE) != nullptr;
    s.Enabled = IsWindowEnabled(h) != 0;
    return s;
}

// ---- system-menu rules

bool VisibleClose(const TFrameState& S) { return S.HaveSysMenu; }

namespace {

bool VisibleBox(const TFrameState& S, fw::TBorderIcon Box) {
    if (!VisibleClose(S)) return false;
    if (S.Iconic || S.MDIChild) return true;
    if (!S.BorderIcons.Contains(Box)) return false;
    return S.BorderStyle == fw::bsSizeable || S.BorderStyle == fw::bsSingle;
}

}  // namespace

bool VisibleMax(const TFrameState& S) { return VisibleBox(S, fw::biMaximize); }
bool VisibleMin(const TFrameState& S) { return VisibleBox(S, fw::biMinimize); }

bool VisibleRestore(const TFrameState& S) {
    return VisibleClose(S) && (S.MDIChild || S.BorderStyle == fw::bsSingle || S.BorderStyle == fw::bsSizeable);
}

bool EnabledMax(const TFrameState& S) {
    return S.BorderIcons.Contains(fw::biMaximize) &&
           (S.MDIChild || (!S.Zoomed && (S.BorderStyle == fw::bsSingle || S.BorderStyle == fw::bsSizeable)));
}

bool EnabledMin(const TFrameState& S) { return S.BorderIcons.Contains(fw::biMinimize) && !S.Iconic; }

bool EnabledRestore(const TFrameState& S) {
    return (S.BorderIcons.Contains(fw::biMaximize) && (S.Zoomed || S.Iconic)) || S.Iconic;
}

bool EnabledClose(const TFrameState& S) { return VisibleClose(S) && !S.NoClose; }

// ---- measurements

bool HaveBorder(const TFrameState& S) { return S.BorderStyle != fw::bsNone || S.Child || S.MDIChild; }

int SysBorderWidth(const TFrameState& S, const TFrameMetrics& M) {
    if (S.Style & WS_THICKFRAME) return M.CxFrame;
    if (S.Style & WS_BORDER) return M.CxDlgFrame;
    return 0;
}

int SysBorderHeight(const TFrameState& S, const TFrameMetrics& M) { return SysBorderWidth(S, M); }

int BorderWidth(const TFrameState& S, const TFrameMetrics& M) { return SysBorderWidth(S, M) + S.FormBorderWidth; }

int BorderHeight(const TFrameState& S, const TFrameMetrics& M) { return SysBorderHeight(S, M) + S.FormBorderWidth; }

int CaptionHeight(const TFrameState& S, const TFrameMetrics& M) {
    if (!S.Iconic && !(HaveBorder(S) && (S.Style & WS_CAPTION) == WS_CAPTION)) return 0;
    const bool tool = S.BorderStyle == fw::bsToolWindow || S.BorderStyle == fw::bsSizeToolWin;
    return tool && !S.Iconic ? M.CySmCaption : M.CyCaption;
}

int HeaderHeight(const TFrameState& S, const TFrameMetrics& M) {
    int h;
    if (CaptionHeight(S, M) != 0)
        h = S.Height - S.ClientHeight - BorderHeight(S, M);
    else
        h = S.Height - S.ClientHeight - ((S.Style & WS_BORDER) ? BorderHeight(S, M) : 0);
    h = std::max(h, 0);
    if (S.Iconic) h += SysBorderHeight(S, M);
    return h - S.HScrollHeight;
}

int CaptionWidth(const TFrameState& S) { return S.Width; }

int MenuHeight(const TFrameState& S, const TFrameMetrics& M) { return S.MenuLine ? M.CyMenu - 1 : 0; }

int OffsetX(const TFrameState& S) { return (S.Width - S.ClientWidth - S.VScrollWidth) / 2; }

int OffsetY(const TFrameState& S, const TFrameMetrics& M) {
    return S.Height - S.ClientHeight - ((S.Style & WS_BORDER) ? BorderWidth(S, M) : 0) - S.HScrollHeight;
}

int TitleBottom(const TFrameState& S, const TFrameMetrics& M) { return SysBorderHeight(S, M) + CaptionHeight(S, M); }

bool IsGripVisible(const TFrameState& S) {
    return S.GripMode == gmRightBottom && !S.Zoomed && (S.Style & WS_THICKFRAME);
}

bool BigButtons(const TFrameState& S) { return S.BorderStyle == fw::bsSingle || S.BorderStyle == fw::bsSizeable; }

bool IconVisible(const TFrameState& S) {
    return (S.BorderStyle == fw::bsSingle || S.BorderStyle == fw::bsSizeable) && S.ShowAppIcon && S.SystemMenu;
}

int IconSizeFor(int T) {
    if (T < -100 || T > 16) return 16;
    return T <= 8 ? 1 : 8;
}

fw::TSize IconSize(const TFrameState& S, const TFrameMetrics& M) {
    if (!IconVisible(S)) return fw::TSize(0, 0);
    const int derived = IconSizeFor(CaptionHeight(S, M));
    return fw::TSize(S.TitleIconWidth ? S.TitleIconWidth : derived, S.TitleIconHeight ? S.TitleIconHeight : derived);
}

TRect IconRect(const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K) {
    const fw::TSize size = IconSize(S, M);
    TRect r;
    r.Left = SysBorderWidth(S, M) + K.BILeftMargin;
    r.Right = r.Left + size.cx;
    const int t0 = SysBorderWidth(S, M) / 2 - 1;
    r.Top = t0 + (SysBorderHeight(S, M) + CaptionHeight(S, M) - t0 - size.cy) / 2 + S.ExTitle.Icon;
    r.Bottom = r.Top + size.cy;
    return r;
}

fw::TPoint RBGripPoint(const TFrameState& S, const TFrameMetrics& M, const TFrameSkin& K) {
    const TsMaskData* g = K.Image(K.GripIndex);
    const int w = g ? WidthOfImage(*g) : 0, h = g ? HeightOfImage(*g) : 0;
    const int height = S.Height;
    return fw::TPoint(CaptionWidth(S) - w - SysBorderWidth(S, M) - 1, height - h - SysBorderWidth(S, M) - 1);
}

int ButtonHeight(const TFrameSkin& K, const TTitleButtons& B) {
    const TsMaskData* m = K.Image(B.Close.ImageIndex);
    if (!m) return 21;
    if (m->Bmp) return m->Bmp->Height() / 2;
    return HeightOfImage(*m);
}

int SysButtonWidth(const TFrameSkin& K, const TsCaptionButton& Btn) {
    const TsMaskData* m = K.Image(Btn.ImageIndex);
    if (!m) return 21;
    if (m->Bmp) return m->Bmp->Width() / std::max<int>(m->ImageCount, 1);
    return WidthOfImage(*m);
}

int SysButtonsCount(const TFrameState& S) {
    if (!S.SystemMenu || !VisibleClose(S)) return 0;
    return 1 + (VisibleMax(S) ? 1 : 0) + (VisibleMin(S) ? 1 : 0) + (S.BorderIcons.Contains(fw::biHelp) ? 1 : 0);
}

int UserButtonWidth(const TFrameSkin& K, const TUserTitleButton& U) {
    const TsMaskData* m = K.Image(K.UserButton);
    int w = 21;
    if (m) w = m->Bmp ? m->Bmp->Width() / std::max<int>(m->ImageCount, 1) : WidthOfImage(*m);
    if (U.Glyph && !U.Glyph->Empty()) w = std::max(w, U.Glyph->Width() + 2);
    return w;
}

int TitleBtnsWidth(const TFrameState& S, const TFrameSkin& K, const TTitleButtons& B) {
    int w = K.BIRightMargin;
    const int spacing = BigButtons(S) ? K.BISpacing : 0;
    if (VisibleClose(S)) {
        w += SysButtonWidth(K, B.Close);
        if (VisibleMax(S)) w += SysButtonWidth(K, B.Max) + spacing;
        if (VisibleMin(S)) w += SysButtonWidth(K, B.Min) + spacing;
        if (S.BorderIcons.Contains(fw::biHelp)) w += SysButtonWidth(K, B.Help) + spacing;
    }
    // Hidden user buttons take no room from the caption.
    bool first = true;
    for (const TUserTitleButton& u : B.User) {
        if (!u.Visible) continue;
        if (first) w += 8;
        first = false;
        w += UserButtonWidth(K, u) + spacing;
    }
    return w;
}

int BarWidth(const TFrameState& S, const TFrameSkin& K, const TTitleButtons& B) {
    const TsMaskData* bar = K.Image(K.TitleBarIndex);
    int edge = 0;
    if (bar) edge = bar->Bmp ? bar->Bmp->Width() / 9 : WidthOfImage(*bar);
    return TitleBtnsWidth(S, K, B) + 2 * edge;
}

bool MaxInfo(const TFrameState& S, const TFrameMetrics& M, const TRect& WorkArea, POINT& MaxPosition, POINT& MaxSize) {
    if (S.BorderStyle == fw::bsNone || S.MDIChild || S.Child) return false;
    const int w = SysBorderWidth(S, M);
    MaxPosition = POINT{-w, -w};
    MaxSize = POINT{WorkArea.Width() + 2 * w, WorkArea.Height() + 2 * w};
    return true;
}

std::vector<TSizeRepaint> SizeRepaints(const fw::TRect& Last, const fw::TRect& Now, bool Cached, fw::TSize Grip,
                                       fw::TSize TopRight, fw::TSize BottomRight) {
    std::vector<TSizeRepaint> out;
    const bool grew = Now.Width() > Last.Width() || Now.Height() > Last.Height();
    const bool shrank = Now.Width() < Last.Width() || Now.Height() < Last.Height();
    const auto corner = [](const fw::TRect& C, fw::TSize S) {
        return fw::TRect(C.Right - S.cx, C.Bottom - S.cy, C.Right, C.Bottom);
    };
    if (Grip.cx > 0 && Grip.cy > 0) {
        if (grew && !Cached && !Last.IsEmpty()) out.push_back({corner(Last, Grip), true});
        if (shrank) out.push_back({corner(Now, Grip), !Cached});
    }
    if (shrank || Last.IsEmpty()) {
        if (TopRight.cx > 0 && TopRight.cy > 0)
            out.push_back({fw::TRect(Last.Right - TopRight.cx, Last.Top, Last.Right, Last.Top + TopRight.cy), !Cached});
        if (BottomRight.cx > 0 && BottomRight.cy > 0) out.push_back({corner(Last, BottomRight), !Cached});
    }
    return out;
}

TsCaptionButton* TTitleButtons::Of(int HitCode) {
    switch (HitCode) {
        case HTMINBUTTON:
            return &Min;
        case HTMAXBUTTON:
            return &Max;
        case HTCLOSE:
            return &Close;
        case HTHELP:
            return &Help;
        default:
            if (TUserTitleButton* u = UserOf(HitCode)) return u->Data;
            return nullptr;
    }
}

TUserTitleButton* TTitleButtons::UserOf(int HitCode) {
    if (HitCode < HTUDBTN || HitCode >= HTUDBTN + int(User.size())) return nullptr;
    return &User[size_t(HitCode - HTUDBTN)];
}

}  // namespace skin
