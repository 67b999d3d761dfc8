#include "skin/paint/sSectionBG.h"

#include <memory>

#include "framework/graphics/Color.h"
#include "framework/graphics/Jpeg.h"
#include "framework/windows/Forms.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sColorMath.h"
#include "skin/engine/sFormSkinningBase.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sAlphaGraph.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sFadeSum.h"
#include "skin/paint/sGradient.h"
#include "skin/paint/sSkinImage.h"
#include "skin/paint/sTiling.h"

namespace skin {

namespace {

struct TTexture {
    enum Kind { none, pattern, image } kind = none;
    int index = -1;
};

// What a section fill paints: the state's values and its chosen texture.
struct TLayers {
    TSectionState v;
    TTexture texture;
};

TsSkinManager* ManagerOf(fw::TObject* SkinManager) {
    return SkinManager ? dynamic_cast<TsSkinManager*>(SkinManager) : DefaultManager;
}

TacFillMode FillModeOf(const TsMaskData& md) {
    return md.DrawMode >= 0 && size_t(md.DrawMode) < acFillModes.size() ? acFillModes[size_t(md.DrawMode)] : fmTiled;
}

bool IsFuchsiaColor(TColor c) { return (uint32_t(c) & 0xFFFFFF) == 0xFF00FF; }

// The colour into W: a 32-bit target keeps its alpha at 255.
void FillArea(fw::TBitmap* B, const fw::TRect& W, TColor C) {
    if (W.IsEmpty()) return;
    if (B->PixelFormat() == fw::pf32bit)
        FillRect32(B, W, fw::ColorToRGB(C));
    else
        FillDC(B->Canvas()->Handle(), W, C);
}

// A working bitmap of the item's size in its pixel format.
std::unique_ptr<fw::TBitmap> Temporary(fw::TBitmap* Like, int Width, int Height) {
    return std::unique_ptr<fw::TBitmap>(Like->PixelFormat() == fw::pf32bit ? CreateBmp32(Width, Height)
                                                                           : CreateBmp24(Width, Height));
}

// SrcBmp over R of DstBmp, Weight/256 of what DstBmp held kept.
void Blend(fw::TBitmap* DstBmp, fw::TBitmap* SrcBmp, uint8_t Weight, fw::TPoint At) {
    TsColor alpha;
    alpha.C = TColor(Weight | (Weight << 8) | (Weight << 16));
    SumBmpRect(DstBmp, SrcBmp, alpha, fw::TRect(0, 0, SrcBmp->Width(), SrcBmp->Height()), At);
}

// The parent's background into R: its colour, or its cache's pixels
// (nothing to do when the item is painted in that very cache).
void PutBackground(fw::TBitmap* B, const fw::TRect& R, const TCacheInfo& CI, fw::TPoint pP) {
    if (!CI.Ready) {
        FillArea(B, R, CI.FillColor);
    } else if (CI.Bmp && CI.Bmp != B) {
        BitBlt(B->Canvas()->Handle(), R.Left, R.Top, R.Width(), R.Height(), CI.Bmp->Canvas()->Handle(), CI.X + pP.X,
               CI.Y + pP.Y, SRCCOPY);
    }
}

TTexture ChooseTexture(const TsSkinManager& M, int SkinIndex, const fw::String& Section, int State, int TextureIndex,
                       int HotTextureIndex, const wchar_t* Name) {
    int index = State == 0 ? TextureIndex : HotTextureIndex;
    if (index == -1)
        index = M.GetMaskIndex(SkinIndex, Section, Name);
    else if (M.IsValidImgIndex(index) && MaskTypeOf(M.ma[size_t(index)]) != 0)
        index = -1;  // a masked image given here is laid over, not tiled under
    if (M.IsValidImgIndex(index)) return TTexture{TTexture::image, index};
    const int p = M.GetPatternIndex(SkinIndex, Section, Name);
    return p >= 0 ? TTexture{TTexture::pattern, p} : TTexture{};
}

// The section's own layers over W of B: texture, gradient, colour tint.
// Fast: textures are plain images, the gradient weight is a byte, and a
// share sum other than 1..100 paints OtherFill.
void SectionFill(const TsSkinManager& M, fw::TBitmap* B, const fw::TRect& W, const TCacheInfo& CI, const TLayers& L,
                 bool Fast, TColor OtherFill) {
    const TColor C = L.v.Color;
    const int I = L.v.ImagePercent, G = L.v.GradientPercent;
    bool drawn = false;
    if (I > 0) {
        fw::TRect rest = W;
        const int t = L.texture.index;
        if (L.texture.kind == TTexture::pattern && size_t(t) < M.pa.size() && M.pa[size_t(t)].Img) {
            TileBitmap(B->Canvas(), rest, M.pa[size_t(t)].Img, TsMaskData(), fmTiled);
            drawn = true;
        } else if (L.texture.kind == TTexture::image && M.IsValidImgIndex(t)) {
            const TsMaskData& md = M.ma[size_t(t)];
            if (!Fast && MaskTypeOf(md) > 0)
                TileMasked(B, rest, CI, md, FillModeOf(md));
            else
                TileBitmap(B->Canvas(), rest, md.Bmp, md, FillModeOf(md));
            drawn = true;
        }
        if (!drawn)
            FillArea(B, W, C);
        else if (rest.Right != -1)
            FillArea(B, rest, C);
    }
    if (G > 0) {
        const bool gradient = L.v.Gradient && !L.v.Gradient->empty();
        if (drawn) {
            auto over = Temporary(B, W.Width(), W.Height());
            const fw::TRect all(0, 0, W.Width(), W.Height());
            if (gradient)
                PaintGrad(over.get(), all, *L.v.Gradient, 0, 0);
            else
                FillArea(over.get(), all, C);
            const int w = I * 255 / 100;
            Blend(B, over.get(), Fast ? uint8_t(w) : uint8_t(IntToByte(w)), W.TopLeft());
        } else if (gradient) {
            PaintGrad(B, W, *L.v.Gradient, 0, 0);
        } else {
            FillArea(B, W, C);
        }
    }
    const int S = I + G;
    if (Fast) {
        if (S > 0 && S < 100)
            BlendColorRect(B, W, int8_t(S), C);
        else if (S != 100)
            FillArea(B, W, OtherFill);
    } else if (S <= 0) {
        FillArea(B, W, C);
    } else if (S < 100) {
        BlendColorRect(B, W, int8_t(S), C);
    }
}

uint8_t TransparencyWeight(int T) { return uint8_t(IntToByte(T * 255 / 100)); }

}  // namespace

TSectionState SectionState(const TsGeneralData& g, int State) {
    TSectionState s;
    const bool hot = State != 0;
    s.Color = hot ? g.HotColor : g.Color;
    s.Transparency = hot ? g.HotTransparency : g.Transparency;
    s.ImagePercent = hot ? g.HotImagePercent : g.ImagePercent;
    s.GradientPercent = hot ? g.HotGradientPercent : g.GradientPercent;
    s.Gradient = hot ? &g.HotGradientArray : &g.GradientArray;
    s.PatternName = hot ? L"HOTPATTERN" : L"PATTERN";
    return s;
}

void PaintItemBG(int SkinIndex, const fw::String& SkinSection, const TCacheInfo& CI, int State, const fw::TRect& R,
                 fw::TPoint pP, fw::TBitmap* ItemBmp, fw::TObject* SkinManager, int TextureIndex, int HotTextureIndex,
                 TColor CustomColor) {
    TsSkinManager* M = ManagerOf(SkinManager);
    if (!M || !M->IsValidSkinIndex(SkinIndex) || !ItemBmp || R.IsEmpty()) return;
    TLayers L;
    if (CustomColor == 0xFF00FF) {
        L.v = SectionState(M->gd[size_t(SkinIndex)], State);
        if (L.v.Transparency == 100) {
            L.v.ImagePercent = L.v.GradientPercent = 0;
        } else if (L.v.ImagePercent > 0) {
            L.texture =
                ChooseTexture(*M, SkinIndex, SkinSection, State, TextureIndex, HotTextureIndex, L.v.PatternName);
        }
    } else {
        L.v.Color = CustomColor;
    }
    const int T = L.v.Transparency, I = L.v.ImagePercent, G = L.v.GradientPercent;
    const bool nothingBehind = !CI.Ready && IsFuchsiaColor(CI.FillColor);
    if (nothingBehind || T == 0) {
        SectionFill(*M, ItemBmp, R, CI, L, false, 0);
    } else if (T == 100) {
        PutBackground(ItemBmp, R, CI, pP);
    } else if (CI.Ready || I + G != 0) {
        auto own = Temporary(ItemBmp, R.Width(), R.Height());
        SectionFill(*M, own.get(), fw::TRect(0, 0, R.Width(), R.Height()), CI, L, false, 0);
        PutBackground(ItemBmp, R, CI, pP);
        Blend(ItemBmp, own.get(), TransparencyWeight(T), R.TopLeft());
    } else {
        FillArea(ItemBmp, R, MixColors(CI.FillColor, L.v.Color, T / 100.0));
    }
    if (State != 0) return;
    // A masked texture with draw mode 10 is laid over the finished background.
    const int over = TextureIndex != -1 ? TextureIndex : HotTextureIndex;
    if (!M->IsValidImgIndex(over)) return;
    const TsMaskData& md = M->ma[size_t(over)];
    if (md.MaskType <= 0 || md.DrawMode != 10) return;
    fw::TRect area = R;
    TileMasked(ItemBmp, area, TCacheInfo{CI.Bmp, CI.X + pP.X, CI.Y + pP.Y, CI.FillColor, CI.Ready}, md, fmDisTiled);
}

void PaintItemBG(TsCommonData* SkinData, const TCacheInfo& CI, int State, const fw::TRect& R, fw::TPoint pP,
                 fw::TBitmap* ItemBmp, int, int) {
    if (!SkinData) return;
    TColor custom = 0xFF00FF;
    if (SkinData->CustomColor()) {
        if (auto* sp = dynamic_cast<TsSkinProviderBase*>(SkinData->FOwnerObject)) {
            if (sp->Form) custom = fw::ColorToRGB(sp->Form->Color());
        } else if (SkinData->FOwnerControl) {
            custom = fw::ColorToRGB(SkinData->FOwnerControl->Color());
        }
    }
    PaintItemBG(SkinData->SkinIndex, SkinData->SkinSection(), CI, State, R, pP, ItemBmp, SkinData->GetSkinManager(),
                SkinData->Texture, SkinData->HotTexture, custom);
}

void PaintItemBGFast(int SkinIndex, int BGIndex, int BGHotIndex, const fw::String&, const TCacheInfo& CI, int State,
                     const fw::TRect& R, fw::TPoint pP, fw::TBitmap* ItemBmp, fw::TObject* SkinManager) {
    TsSkinManager* M = ManagerOf(SkinManager);
    if (!M || !M->IsValidSkinIndex(SkinIndex) || !ItemBmp || R.IsEmpty()) return;
    TLayers L;
    L.v = SectionState(M->gd[size_t(SkinIndex)], State);
    L.texture = TTexture{TTexture::image, State == 0 ? BGIndex : BGHotIndex};
    const int T = L.v.Transparency;
    const TColor other = !CI.Ready && T == 100 ? CI.FillColor : L.v.Color;
    if (!CI.Ready || T == 0) {
        SectionFill(*M, ItemBmp, R, CI, L, true, other);
    } else if (T == 100) {
        PutBackground(ItemBmp, R, CI, pP);
    } else if (T > 0) {
        auto own = Temporary(ItemBmp, R.Width(), R.Height());
        SectionFill(*M, own.get(), fw::TRect(0, 0, R.Width(), R.Height()), CI, L, true, other);
        PutBackground(ItemBmp, R, CI, pP);
        Blend(ItemBmp, own.get(), TransparencyWeight(T), R.TopLeft());
    }
}

}  // namespace skin
