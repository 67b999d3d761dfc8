#include "skin/paint/sBtnGlyphs.h"

#include <algorithm>
#include <memory>

#include "framework/graphics/Color.h"
#include "skin/engine/PNGGraphic.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/acAlphaImageList.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sMaskData.h"
#include "skin/paint/sChannels.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sCopies.h"

namespace skin {

namespace {

// A glyph strip that only looks 32-bit (no pixel fully opaque) is keyed by its
// corner like a 24-bit one.
void PrepareGlyph(fw::TBitmap* Glyph) {
    if (Glyph->HandleType() == fw::bmDDB) Glyph->SetHandleType(fw::bmDIB);
    if (Glyph->PixelFormat() != fw::pf32bit) return;
    TPixelRows rows = PixelRows(Glyph, 4);
    for (int y = 0; y < rows.height; ++y)
        for (int x = 0; x < rows.width; ++x)
            if (rows.At(x, y)[3] == 255) return;
    Glyph->SetPixelFormat(fw::pf24bit);
}

// Drawing onto a canvas that is not the cache: through a 24-bit copy of the
// canvas's content over the button's whole size.
template <typename Draw>
void ThroughCopy(fw::TCanvas* Canvas, int Width, int Height, Draw&& draw) {
    if (Width <= 0 || Height <= 0) return;
    std::unique_ptr<fw::TBitmap> work(CreateBmp24(Width, Height));
    BitBlt(work->Canvas()->Handle(), 0, 0, Width, Height, Canvas->Handle(), 0, 0, SRCCOPY);
    draw(work.get());
    BitBlt(Canvas->Handle(), 0, 0, Width, Height, work->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void Draw32BitGlyph(const TacBtnGlyphData& d, fw::TCanvas* Canvas, fw::TBitmap* Cache, bool OnCache, int Width,
                    int Height, fw::TColor Tint, bool Gray) {
    const fw::TRect& G = d.ImgRect;
    const int w = WidthOf(G), h = d.Glyph->Height();
    const int column = std::min(d.CurrentState, std::max(d.NumGlyphs, 1) - 1);
    const fw::TRect S(column * w, 0, column * w + w, h);
    if (OnCache) {
        CopyBmp32(G, S, Cache, d.Glyph, EmptyCI, false, Tint, d.CurrentState == 0 ? d.Blend : 0, d.Reflected);
        return;
    }
    TPNGGraphic png;
    png.SetPixelFormat(fw::pf32bit);
    png.SetSize(w, HeightOf(G));
    TPixelRows to = PixelRows(&png, 4), from = PixelRows(d.Glyph, 4);
    if (!to || !from) return;
    for (int y = 0; y < std::min(to.height, from.height); ++y)
        for (int x = 0; x < to.width && S.Left + x < from.width; ++x)
            std::copy_n(from.At(S.Left + x, y), 4, to.At(x, y));
    png.Reflected = d.Reflected;
    int blend = d.Blend;
    if (!d.Enabled && d.DisabledGlyphKind.Contains(dgGrayed)) blend = std::max(blend, 50);
    // Blend is the share that shows through, as everywhere else.
    if (d.CurrentState == 0 && blend != 0)
        for (int y = 0; y < to.height; ++y)
            for (int x = 0; x < to.width; ++x) {
                uint8_t* p = to.At(x, y);
                p[3] = uint8_t(p[3] * std::max(0, 100 - blend) / 100);
            }
    if (Gray) GrayScale(&png);
    ThroughCopy(Canvas, Width, Height, [&](fw::TBitmap* work) {
        png.Draw(work->Canvas(), fw::TRect(G.Left, G.Top, G.Left + png.Width(), G.Top + png.Height()));
    });
}

// Image Index of List in a 24-bit bitmap of List's size, filled first with
// KeyList's background colour (magenta for none), which Key receives: the
// colour that stays where the picture is clear.
std::unique_ptr<fw::TBitmap> FetchImage(fw::TCustomImageList* List, fw::TCustomImageList* KeyList, int Index,
                                        fw::TColor& Key) {
    Key = KeyList->BkColor() == fw::clNone ? fw::TColor(0xFF00FF) : fw::ColorToRGB(KeyList->BkColor());
    std::unique_ptr<fw::TBitmap> bmp(CreateBmp24(List->Width(), List->Height()));
    bmp->Canvas()->Brush()->SetColor(Key);
    bmp->Canvas()->FillRect(fw::TRect(0, 0, bmp->Width(), bmp->Height()));
    List->GetBitmap(Index, bmp.get());
    return bmp;
}

void DrawListImage(const TacBtnGlyphData& d, fw::TCanvas* Canvas, fw::TBitmap* Cache, bool Skinned, fw::TColor Tint) {
    const int L = d.ImgRect.Left, T = d.ImgRect.Top;
    const int St = d.CurrentState;
    const bool disabledGray = !d.Enabled && d.DisabledGlyphKind.Contains(dgGrayed);
    if (dynamic_cast<TsAlphaImageList*>(d.Images)) {
        const int B = std::max(St == 0 ? d.Blend : 0, !d.Enabled && d.DisabledGlyphKind.Contains(dgBlended) ? 50 : 0);
        if (Skinned) {
            if (Cache)
                DrawAlphaImgList(d.Images, Cache, L, T, d.ImageIndex, B, Tint, St + int(d.Down), d.NumGlyphs,
                                 d.Reflected);
        } else {
            DrawAlphaImgListDC(d.Images, Canvas->Handle(), L, T, d.ImageIndex, B, Tint, St + int(d.Down), d.NumGlyphs,
                               d.Reflected);
        }
        return;
    }
    fw::TColor K = 0;
    std::unique_ptr<fw::TBitmap> bmp = FetchImage(d.Images, d.Images, d.ImageIndex, K);
    auto grayed = [&bmp] { GrayScaleTrans(bmp.get(), TsColor{bmp->Canvas()->Pixels(0, 0)}); };
    const fw::TRect whole(0, 0, bmp->Width() - 1, bmp->Height() - 1);
    if (!Skinned) {
        if (disabledGray) grayed();
        bmp->SetTransparent(true);
        bmp->SetTransparentColor(0xFF00FF);
        Canvas->Draw(L, T, bmp.get());
        return;
    }
    if (!Cache) return;
    if (d.Enabled) {
        const bool active = ControlIsActive(d.SkinData);
        if (d.Grayed && !active) grayed();
        if (active || d.Blend < 1)
            CopyTransBitmaps(Cache, bmp.get(), L, T, TsColor{K});
        else
            BlendTransRectangle(Cache, L, T, bmp.get(), whole, d.Blend / 100.0, TsColor{K});
        return;
    }
    if (disabledGray) grayed();
    if (d.DisabledGlyphKind.Contains(dgBlended))
        BlendTransRectangle(Cache, L, T, bmp.get(), whole, 0.5, TsColor{K});
    else
        CopyTransBitmaps(Cache, bmp.get(), L, T, TsColor{K});
}

}  // namespace

void DrawBtnGlyph(fw::TControl* Button, fw::TCanvas* Canvas) {
    auto* owner = dynamic_cast<TacGlyphButton*>(Button);
    if (!owner) return;
    const TacBtnGlyphData d = owner->GlyphData();
    const int St = d.CurrentState;
    const bool skinned = d.SkinData && d.SkinData->Skinned();
    const bool gray = (St == 0 && d.Grayed) || (!d.Enabled && d.DisabledGlyphKind.Contains(dgGrayed));
    fw::TColor tint = fw::clNone;
    if (gray) {
        const TsGeneralData* section = skinned ? d.SkinData->Section() : nullptr;
        tint = section ? section->Color : fw::ColorToRGB(fw::clBtnFace);
    }
    fw::TBitmap* cache = d.SkinData ? d.SkinData->FCacheBmp : nullptr;
    if (!Canvas) {
        if (!cache) return;
        Canvas = cache->Canvas();
    }
    const bool onCache = cache && Canvas == cache->Canvas();

    if (d.Glyph && !d.Glyph->Empty()) {
        PrepareGlyph(d.Glyph);
        if (d.Glyph->PixelFormat() == fw::pf32bit) {
            Draw32BitGlyph(d, Canvas, cache, onCache, Button->Width(), Button->Height(), tint, gray);
        } else if (onCache) {
            DrawGlyphEx(d.Glyph, cache, d.ImgRect, d.NumGlyphs, d.Enabled, d.DisabledGlyphKind, St, d.Blend, d.Down,
                        d.Reflected);
        } else {
            ThroughCopy(Canvas, Button->Width(), Button->Height(), [&](fw::TBitmap* work) {
                DrawGlyphEx(d.Glyph, work, d.ImgRect, d.NumGlyphs, d.Enabled, d.DisabledGlyphKind, St, d.Blend, d.Down,
                            d.Reflected);
            });
        }
        return;
    }
    if (d.Images && d.ImageIndex >= 0 && d.ImageIndex < GetImageCount(d.Images))
        DrawListImage(d, Canvas, cache, skinned, tint);
}

int ToolBtnPressedLook(fw::TCustomDrawState State) {
    if (State.Contains(fw::cdsSelected) || State.Contains(fw::cdsChecked)) return 2;
    fw::TCustomDrawState rest = State;
    rest.Exclude(fw::cdsDisabled);
    return rest.Empty() ? 0 : 1;
}

fw::TRect ToolBtnGlyphRect(bool ListStyle, bool ShowCaptions, int TextHeight, int ButtonWidth, int ButtonHeight,
                           bool DropDown, int W, int H, int PressedLook) {
    fw::TRect r;
    if (ListStyle) {
        r.Left = 5;
        r.Top = (ButtonHeight - H) / 2;
    } else {
        r.Left = (ButtonWidth - W) / 2 + 1 - (DropDown ? 8 : 0);
        r.Top = (ButtonHeight - H - (TextHeight + 3) * int(ShowCaptions)) / 2;
    }
    r.Right = r.Left + W;
    r.Bottom = r.Top + H;
    if (PressedLook == 2) fw::OffsetRect(r, 1, 1);
    return r;
}

namespace {

// The list a tool button's image comes from and where it goes.
struct ToolImage {
    fw::TCustomImageList* list = nullptr;
    fw::TRect rect;
};

ToolImage PlaceToolImage(fw::TToolBar* ToolBar, fw::TToolButton* Button, fw::TCustomDrawState State,
                         fw::TCanvas* Measure) {
    ToolImage t;
    fw::TCustomImageList* images = ToolBar->Images();
    if (!images || !Button) return t;
    const int p = ToolBtnPressedLook(State);
    fw::TCustomImageList* hot = ToolBar->HotImages();
    t.list = p != 0 && hot && Button->ImageIndex() < GetImageCount(hot) ? hot : images;
    const int textHeight = ToolBar->ShowCaptions() && Measure ? Measure->TextHeight(L"A") : 0;
    t.rect = ToolBtnGlyphRect(ToolBar->List(), ToolBar->ShowCaptions(), textHeight, Button->Width(), Button->Height(),
                              Button->Style() == fw::tbsDropDown, images->Width(), images->Height(), p);
    return t;
}

// A plain list's image keyed by the background colour of the bar's Images.
void CopyKeyedImage(fw::TCustomImageList* List, fw::TCustomImageList* Images, int Index, fw::TBitmap* Bmp, int Left,
                    int Top) {
    fw::TColor K = 0;
    std::unique_ptr<fw::TBitmap> image = FetchImage(List, Images, Index, K);
    CopyTransBitmaps(Bmp, image.get(), Left, Top, TsColor{K});
}

}  // namespace

void CopyToolBtnGlyph(fw::TToolBar* ToolBar, TsCommonData* SkinData, fw::TToolButton* Button,
                      fw::TCustomDrawState State, fw::TCustomDrawStage, fw::TTBCustomDrawFlags&, fw::TBitmap* Bmp) {
    if (!ToolBar || !Bmp) return;
    const bool skinned = SkinData && SkinData->Skinned();
    fw::TCanvas* measure = skinned && SkinData->FCacheBmp ? SkinData->FCacheBmp->Canvas() : Bmp->Canvas();
    const ToolImage t = PlaceToolImage(ToolBar, Button, State, measure);
    if (!t.list) return;
    if (dynamic_cast<TsAlphaImageList*>(t.list) || !skinned)
        t.list->Draw(Bmp->Canvas(), t.rect.Left, t.rect.Top, Button->ImageIndex(), true);
    else
        CopyKeyedImage(t.list, ToolBar->Images(), Button->ImageIndex(), Bmp, t.rect.Left, t.rect.Top);
}

void CopyToolBtnGlyph(fw::TToolBar* ToolBar, fw::TToolButton* Button, fw::TCustomDrawState State, fw::TCustomDrawStage,
                      fw::TTBCustomDrawFlags&, fw::TBitmap* Bmp) {
    if (!ToolBar || !Bmp) return;
    const ToolImage t = PlaceToolImage(ToolBar, Button, State, Bmp->Canvas());
    if (!t.list) return;
    if (dynamic_cast<TsAlphaImageList*>(t.list)) {
        const int state = State.Contains(fw::cdsHot) ? 1 : State.Contains(fw::cdsChecked) ? 2 : 0;
        DrawAlphaImgList(t.list, Bmp, t.rect.Left, t.rect.Top, Button->ImageIndex(), 0, fw::clNone, state, 1, false);
    } else {
        CopyKeyedImage(t.list, ToolBar->Images(), Button->ImageIndex(), Bmp, t.rect.Left, t.rect.Top);
    }
}

}  // namespace skin
