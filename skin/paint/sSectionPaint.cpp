#include "skin/paint/sSectionPaint.h"

#include <memory>

#include "framework/graphics/Color.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sSkinManager.h"
#include "skin/paint/sBGQuery.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sGlyphs.h"
#include "skin/paint/sSectionBG.h"
#include "skin/paint/sSkinRect.h"

namespace skin {

namespace {

TsSkinManager* ManagerOf(fw::TObject* SkinManager) {
    return SkinManager ? dynamic_cast<TsSkinManager*>(SkinManager) : DefaultManager;
}

bool FitsIn(const fw::TRect& R, fw::TBitmap* Bmp) {
    return Bmp && !R.IsEmpty() && R.Left >= 0 && R.Top >= 0 && R.Right <= Bmp->Width() && R.Bottom <= Bmp->Height();
}

TCacheInfo Moved(const TCacheInfo& CI, fw::TPoint pP) {
    TCacheInfo ci = CI;
    ci.X += pP.X;
    ci.Y += pP.Y;
    return ci;
}

// The section's corner images in the corners of R, over what is there.
void DrawCornerImages(const TsSkinManager& M, const TsGeneralData& g, fw::TBitmap* Bmp, const fw::TRect& R, int State) {
    const struct {
        int index;
        bool right, bottom;
    } corners[] = {{g.ImgTL, false, false}, {g.ImgTR, true, false}, {g.ImgBL, false, true}, {g.ImgBR, true, true}};
    for (const auto& c : corners) {
        if (!M.IsValidImgIndex(c.index)) continue;
        const TsMaskData& md = M.ma[size_t(c.index)];
        const fw::TPoint at(c.right ? R.Right - WidthOfImage(md) : R.Left,
                            c.bottom ? R.Bottom - HeightOfImage(md) : R.Top);
        DrawSkinGlyph(Bmp, at, State, 1, md, MakeCacheInfo(Bmp, 0, 0));
    }
}

// Border and corner images of the skin-data forms, the background painted.
void DrawBorderAndCorners(TsCommonData* S, const TsSkinManager& M, const TCacheInfo& CI, bool Filling, int State,
                          const fw::TRect& R, fw::TPoint pP, fw::TBitmap* ItemBmp, bool FixCorners) {
    if (const TsMaskData* border = BorderImageOf(S))
        if (State != 0 || !(border->DrawMode & dmNoNormal))
            DrawSkinRect(ItemBmp, R, Filling, Moved(CI, pP), *border, State, FixCorners, nullptr);
    DrawCornerImages(M, M.gd[size_t(S->SkinIndex)], ItemBmp, R, State);
}

TsSkinManager* SkinDataReady(TsCommonData* S, const fw::TRect& R, fw::TBitmap* ItemBmp) {
    TsSkinManager* M = S ? S->GetSkinManager() : nullptr;
    return M && M->IsValidSkinIndex(S->SkinIndex) && FitsIn(R, ItemBmp) ? M : nullptr;
}

}  // namespace

void PaintItem(int SkinIndex, const fw::String& SkinSection, const TCacheInfo& CI, bool Filling, int State,
               const fw::TRect& R, fw::TPoint pP, fw::TBitmap* ItemBmp, fw::TObject* SkinManager, int BGIndex,
               int BGHotIndex) {
    TsSkinManager* M = ManagerOf(SkinManager);
    if (!M || !M->IsValidSkinIndex(SkinIndex) || !FitsIn(R, ItemBmp)) return;
    PaintItemBG(SkinIndex, SkinSection, CI, State, R, pP, ItemBmp, M, BGIndex, BGHotIndex, 0xFF00FF);
    const TsGeneralData& g = M->gd[size_t(SkinIndex)];
    DrawCornerImages(*M, g, ItemBmp, R, State);
    if (M->IsValidImgIndex(g.BorderIndex))
        DrawSkinRect(ItemBmp, R, Filling, Moved(CI, pP), M->ma[size_t(g.BorderIndex)], State, true, nullptr);
}

void PaintItem(int SkinIndex, const fw::String& SkinSection, const TCacheInfo& CI, bool Filling, int State,
               const fw::TRect& R, fw::TPoint pP, HDC DC, fw::TObject* SkinManager) {
    TsSkinManager* M = ManagerOf(SkinManager);
    if (!M || !M->IsValidSkinIndex(SkinIndex) || !DC || R.Left < 0 || R.Top < 0 || R.IsEmpty()) return;
    struct Saved {
        HDC dc;
        int id;
        ~Saved() { RestoreDC(dc, id); }
    } saved{DC, SaveDC(DC)};
    std::unique_ptr<fw::TBitmap> item(CreateBmp24(R.Width(), R.Height()));
    PaintItem(SkinIndex, SkinSection, CI, Filling, State, fw::TRect(0, 0, R.Width(), R.Height()), pP, item.get(), M);
    BitBlt(DC, R.Left, R.Top, R.Width(), R.Height(), item->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void PaintItem(TsCommonData* S, const TCacheInfo& CI, bool Filling, int State, const fw::TRect& R, fw::TPoint pP,
               fw::TBitmap* ItemBmp, bool FixCorners, int, int) {
    TsSkinManager* M = SkinDataReady(S, R, ItemBmp);
    if (!M) return;
    PaintItemBG(S, CI, State, R, pP, ItemBmp);
    DrawBorderAndCorners(S, *M, CI, Filling, State, R, pP, ItemBmp, FixCorners);
}

void PaintSkinControl(TsCommonData* S, fw::TControl* Parent, bool Filling, int State, const fw::TRect& R, fw::TPoint pP,
                      fw::TBitmap* ItemBmp, bool FixCorners, int, int) {
    TsSkinManager* M = SkinDataReady(S, R, ItemBmp);
    if (!M) return;
    TCacheInfo ci;
    ci.FillColor = 0xFF00FF;  // no parent: nothing known behind
    if (Parent) {
        TacBGInfo bg;
        GetBGInfo(&bg, Parent, false);
        ci = BGInfoToCI(bg);
    }
    PaintItemBG(S, ci, State, R, pP, ItemBmp);
    DrawBorderAndCorners(S, *M, ci, Filling, State, R, pP, ItemBmp, FixCorners);
}

void PaintItemFast(int SkinIndex, int MaskIndex, int BGIndex, int BGHotIndex, const fw::String& SkinSection,
                   TCacheInfo& CI, bool Filling, int State, const fw::TRect& R, fw::TPoint pP, fw::TBitmap* ItemBmp,
                   fw::TObject* SkinManager) {
    TsSkinManager* M = ManagerOf(SkinManager);
    if (!M || !M->IsValidSkinIndex(SkinIndex) || !FitsIn(R, ItemBmp)) return;
    PaintItemBGFast(SkinIndex, BGIndex, BGHotIndex, SkinSection, CI, State, R, pP, ItemBmp, M);
    if (M->IsValidImgIndex(MaskIndex))
        DrawSkinRect(ItemBmp, R, Filling, Moved(CI, pP), M->ma[size_t(MaskIndex)], State, true, M);
}

void PaintSmallItem(int SkinIndex, const fw::String& SkinSection, const TCacheInfo& CI, bool Filling, int State,
                    const fw::TRect& R, fw::TPoint pP, fw::TBitmap* ItemBmp, fw::TObject* SkinManager) {
    TsSkinManager* M = ManagerOf(SkinManager);
    if (!M || !M->IsValidSkinIndex(SkinIndex) || !FitsIn(R, ItemBmp)) return;
    PaintItemBG(SkinIndex, SkinSection, CI, State, R, pP, ItemBmp, M, -1, -1, 0xFF00FF);
    const int index = M->GetMaskIndex(SkinIndex, SkinSection, L"BORDERSMASK");
    if (M->IsValidImgIndex(index)) DrawSmallSkinRect(ItemBmp, R, Filling, Moved(CI, pP), M->ma[size_t(index)], State);
}

int PaintSection(fw::TBitmap* Bmp, fw::String Section, const fw::String& SecondSection, int State, fw::TObject* Manager,
                 fw::TPoint ParentOffset, TColor BGColor, HDC ParentDC) {
    TsSkinManager* M = ManagerOf(Manager);
    if (!M) return -1;
    int index = M->GetSkinIndex(Section);
    if (!M->IsValidSkinIndex(index)) {
        Section = SecondSection;
        index = M->GetSkinIndex(SecondSection);
        if (!M->IsValidSkinIndex(index)) return index;
    }
    if (!Bmp) return index;
    TCacheInfo ci;
    ci.FillColor = BGColor;
    if (ParentDC) {
        BitBlt(Bmp->Canvas()->Handle(), 0, 0, Bmp->Width(), Bmp->Height(), ParentDC, ParentOffset.X, ParentOffset.Y,
               SRCCOPY);
        ci.Bmp = Bmp;
        ci.Ready = true;
    }
    PaintItem(index, Section, ci, true, State, fw::TRect(0, 0, Bmp->Width(), Bmp->Height()), fw::TPoint(0, 0), Bmp, M);
    return index;
}

void CopyImage(fw::TBitmap* Bmp, fw::TCustomImageList* ImageList, int Index) {
    if (!Bmp || !ImageList) return;
    Bmp->SetSize(ImageList->Width(), ImageList->Height());
    const TColor bk = ImageList->BkColor() == fw::clNone ? TColor(0xFF00FF) : ImageList->BkColor();
    FillDC(Bmp->Canvas()->Handle(), fw::TRect(0, 0, Bmp->Width(), Bmp->Height()), bk);
    ImageList->Draw(Bmp->Canvas(), 0, 0, Index, fw::dsTransparent, fw::itImage, true);
}

}  // namespace skin
