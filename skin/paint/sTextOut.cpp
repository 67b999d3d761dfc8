#include "skin/paint/sTextOut.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/windows/Controls.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sColorMath.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sBlur.h"
#include "skin/paint/sCommonData.h"

namespace skin {

namespace {

int Len(const wchar_t* Text) { return Text ? int(std::wcslen(Text)) : 0; }

void Draw(HDC DC, const wchar_t* Text, fw::TRect R, unsigned Flags) {
    DrawTextW(DC, Text, Len(Text), R.AsRECT(), Flags);
}

// The text's box in R as WriteText places it; R2 is the box itself.
void PlaceText(HDC DC, const wchar_t* Text, fw::TRect& R, fw::TRect& R2, unsigned Flags, bool clampWidth) {
    R2 = R;
    if (!(Flags & DT_WORDBREAK)) {
        SIZE sz{};
        GetTextExtentPoint32W(DC, Text ? Text : L"", Len(Text), &sz);
        R2.Right = R2.Left + sz.cx;
        R2.Bottom = R2.Top + sz.cy;
        const int dy = (R2.Height() - R.Height()) / 2;
        const int w = clampWidth ? std::max<int>(sz.cx, 0) : sz.cx;
        if (Flags & DT_CENTER) {
            fw::InflateRect(R, (R2.Width() - R.Width()) / 2, dy);
        } else {
            R.Top -= dy;
            R.Bottom += dy;
            if (Flags & DT_RIGHT)
                R.Left = R.Right - w;
            else
                R.Right = R.Left + w;
        }
        R2 = R;
        fw::InflateRect(R, 1, 1);
    }
}

TsSkinManager* AsManager(fw::TObject* M) { return dynamic_cast<TsSkinManager*>(M); }

bool ValidSection(const TsSkinManager* M, int Index) { return M && Index >= 0 && Index < int(M->gd.size()); }

// Outlines left, up, right, down in colours [1..4] (-1 none), then [0] at R.
void DrawOutlined(fw::TCanvas* Canvas, const wchar_t* Text, const fw::TRect& R, unsigned Flags,
                  const std::array<TColor, 5>& Colors, unsigned LastFlags) {
    static const int dx[5] = {0, -1, 0, 1, 0}, dy[5] = {0, 0, -1, 0, 1};
    for (int k = 1; k <= 4; ++k) {
        if (Colors[k] == TColor(-1)) continue;
        Canvas->Font()->SetColor(Colors[k]);
        fw::TRect r = R;
        fw::OffsetRect(r, dx[k], dy[k]);
        Draw(Canvas->Handle(), Text, r, Flags);
    }
    Canvas->Font()->SetColor(Colors[0]);
    Draw(Canvas->Handle(), Text, R, LastFlags);
}

}  // namespace

void WriteText(fw::TCanvas* Canvas, const wchar_t* Text, bool Enabled, fw::TRect& R, unsigned Flags) {
    fw::TRect R2;
    PlaceText(Canvas->Handle(), Text, R, R2, Flags, true);
    if (Flags & DT_WORDBREAK) R2 = R;
    Canvas->Brush()->SetStyle(fw::bsClear);
    if (Len(Text) == 0) return;
    if (!Enabled) {
        Canvas->Font()->SetColor(fw::ColorToRGB(fw::clBtnHighlight));
        fw::TRect r = R2;
        fw::OffsetRect(r, 1, 1);
        Draw(Canvas->Handle(), Text, r, Flags);
        Canvas->Font()->SetColor(fw::ColorToRGB(fw::clBtnShadow));
    }
    Draw(Canvas->Handle(), Text, R2, Flags);
}

void WriteTextOnDC(HDC DC, const wchar_t* Text, bool Enabled, fw::TRect& R, unsigned Flags) {
    SetBkMode(DC, TRANSPARENT);
    fw::TRect R2;
    PlaceText(DC, Text, R, R2, Flags, false);
    if (Flags & DT_WORDBREAK) R2 = R;
    if (Len(Text) == 0) return;
    if (!Enabled) {
        fw::TRect r = R2;
        fw::OffsetRect(r, 1, 1);
        Draw(DC, Text, r, Flags);
    }
    Draw(DC, Text, R2, Flags);
}

void WriteTextEx(fw::TCanvas* Canvas, const wchar_t* Text, bool Enabled, fw::TRect& R, unsigned Flags, int SkinIndex,
                 bool Hot, fw::TObject* SkinManager) {
    TsSkinManager* M = SkinManager ? AsManager(SkinManager) : DefaultManager;
    if (!DefaultManager || !ValidSection(M, SkinIndex)) return;
    Canvas->Brush()->SetStyle(fw::bsClear);
    if (Len(Text) == 0) return;
    const TsGeneralData& g = M->gd[size_t(SkinIndex)];
    if (Enabled) {
        DrawOutlined(Canvas, Text, R, Flags, Hot ? g.HotFontColor : g.FontColor, Flags);
    } else {
        Canvas->Font()->SetColor(MixColors(g.FontColor[0], g.Color, 0.4));
        Draw(Canvas->Handle(), Text, R, Flags);
    }
}

void WriteTextEx(fw::TCanvas* Canvas, const wchar_t* Text, bool Enabled, fw::TRect& R, unsigned Flags, TsCommonData* S,
                 bool Hot) {
    TsSkinManager* M = S ? S->GetSkinManager() : nullptr;
    if (!M) return;
    fw::TControl* owner = S->FOwnerControl;
    if (owner) Canvas->SetFont(owner->Font());
    if (Hot && S->SkinSection() == L"WEBBUTTON") Canvas->Font()->SetStyle(Canvas->Font()->Style() + fw::fsUnderline);
    HDC dc = Canvas->Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
    if (Len(Text) > 0) {
        int F = S->SkinIndex;
        if (owner && ValidSection(M, F) &&
            (dynamic_cast<fw::TGraphicControl*>(owner) || S->COC == 32 || S->COC == 33 || S->COC == 74) &&
            owner->ParentFont() && owner->Parent() &&
            (Hot ? M->gd[size_t(F)].HotTransparency : M->gd[size_t(F)].Transparency) >= 1)
            F = GetFontIndex(owner, S->SkinIndex, M);
        Canvas->Brush()->SetStyle(fw::bsClear);
        if (!ValidSection(M, F)) {
            Draw(Canvas->Handle(), Text, R, Flags);
        } else {
            const TsGeneralData& g = M->gd[size_t(F)];
            const int glow = Hot ? g.HotGlowSize : g.GlowSize;
            if (S->FCacheBmp && glow != 0) {
                fw::TBitmap* mask = nullptr;
                acDrawGlowForText(S->FCacheBmp, Text, R, Flags, 15, glow, Hot ? g.HotGlowColor : g.GlowColor, mask);
                delete mask;
            }
            if (Enabled && S->CustomFont()) {
                Canvas->Font()->SetColor(owner ? owner->Font()->Color() : Canvas->Font()->Color());
                Draw(Canvas->Handle(), Text, R, Flags | DT_NOCLIP);
            } else if (Enabled) {
                DrawOutlined(Canvas, Text, R, Flags, Hot ? g.HotFontColor : g.FontColor, Flags | DT_NOCLIP);
            } else {
                Canvas->Font()->SetColor(MixColors(g.FontColor[0], M->GetGlobalColor(), 0.4));
                Draw(Canvas->Handle(), Text, R, Flags);
            }
        }
    }
    RestoreDC(dc, saved);
}

void acWriteTextEx(fw::TCanvas* Canvas, const wchar_t* Text, bool Enabled, fw::TRect& R, unsigned Flags,
                   TsCommonData* SkinData, bool Hot, fw::TObject*) {
    WriteTextEx(Canvas, Text, Enabled, R, Flags, SkinData, Hot);
}

void acWriteTextEx(fw::TCanvas* Canvas, const wchar_t* Text, bool Enabled, fw::TRect& R, unsigned Flags, int SkinIndex,
                   bool Hot, fw::TObject* SkinManager) {
    WriteTextEx(Canvas, Text, Enabled, R, Flags, SkinIndex, Hot, SkinManager);
}

void acWriteText(fw::TCanvas* Canvas, const wchar_t* Text, bool, fw::TRect& R, unsigned Flags) {
    Draw(Canvas->Handle(), Text, R, Flags);
    (void)R;
}

void acDrawText(HDC DC, const fw::String& Text, fw::TRect& R, unsigned Flags) {
    DrawTextW(DC, Text.c_str(), int(Text.size()), R.AsRECT(), Flags);
}

int acTextWidth(fw::TCanvas* Canvas, const fw::String& Text) { return Canvas->TextExtent(Text).cx; }
int acTextHeight(fw::TCanvas* Canvas, const fw::String& Text) { return Canvas->TextExtent(Text).cy; }
fw::TSize acTextExtent(fw::TCanvas* Canvas, const fw::String& Text) { return Canvas->TextExtent(Text); }
void acTextRect(fw::TCanvas* Canvas, const fw::TRect& R, int X, int Y, const fw::String& Text) {
    Canvas->TextRect(R, X, Y, Text);
}

fw::String CutText(fw::TCanvas* Canvas, const fw::String& Text, int MaxLength) {
    fw::String s = MaxLength > 0 ? Text : fw::String();
    if (s.empty() || Canvas->TextWidth(s) <= MaxLength) return s;
    while (!s.empty() && Canvas->TextWidth(s + L"...") > MaxLength) s.pop_back();
    return s.empty() ? s : s + L"...";
}

void acDrawGlowForText(fw::TBitmap* DstBmp, const wchar_t* Text, fw::TRect R, unsigned Flags, unsigned Side,
                       int BlurSize, fw::TColor GlowColor, fw::TBitmap*& MaskBmp) {
    const int m = BlurSize + 4;
    fw::TRect R2 = R;
    fw::InflateRect(R2, m, m);
    const int mw = std::max<int>(R2.Width(), 0), mh = std::max<int>(R2.Height(), 0);
    if (!MaskBmp || MaskBmp->Width() != mw || MaskBmp->Height() != mh) {
        if (!MaskBmp) MaskBmp = new fw::TBitmap();
        MaskBmp->SetPixelFormat(fw::pf8bit);
        MaskBmp->SetSize(mw, mh);
        fw::TCanvas* mc = MaskBmp->Canvas();
        mc->Brush()->SetStyle(fw::bsSolid);
        mc->Brush()->SetColor(0xFFFFFF);
        mc->FillRect(fw::TRect(0, 0, mw, mh));
        mc->SetFont(DstBmp->Canvas()->Font());
        mc->Font()->SetColor(0);
        mc->Brush()->SetStyle(fw::bsClear);
        const fw::TRect R3(m, m, m + R.Width(), m + R.Height());
        static const int dx[4] = {-1, 0, 1, 0}, dy[4] = {0, -1, 0, 1};
        for (int b = 0; b < 4; ++b) {
            if (!(Side & (1u << b))) continue;
            fw::TRect r = R3;
            fw::OffsetRect(r, dx[b], dy[b]);
            Draw(mc->Handle(), Text, r, Flags);
        }
        Draw(mc->Handle(), Text, R3, Flags);
        Blur8(MaskBmp, BlurSize);
    }
    if (!Is24or32(DstBmp)) return;
    TPixelRows mask = PixelRows(MaskBmp, 1), dst = PixelRows(DstBmp);
    if (!mask || !dst) return;
    const int g[3] = {int((GlowColor >> 16) & 0xFF), int((GlowColor >> 8) & 0xFF), int(GlowColor & 0xFF)};
    for (int q = 0; q < mask.height; ++q)
        for (int i = 0; i < mask.width; ++i) {
            const int x = R.Left + i - m, y = R.Top + q - m;
            const int v = mask.Row(q)[i];
            if (!dst.Inside(x, y) || v == 255) continue;
            uint8_t* p = dst.At(x, y);
            for (int c = 0; c < 3; ++c) p[c] = uint8_t((p[c] - g[c]) * v / 255 + g[c]);
            if (dst.bpp == 4) p[3] = uint8_t(std::max(0, p[3] - (255 - v)));
        }
}

}  // namespace skin
