#include "skin/windows/acHeaderPaint.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/graphics/Color.h"

namespace skin {

int HeaderCellState(int Item, int PressedItem, int HoverItem) {
    if (Item < 0) return 0;
    if (PressedItem >= 0) return Item == PressedItem ? 2 : 0;
    return Item == HoverItem ? 1 : 0;
}

int HeaderOrderItem(int Position, const std::vector<int>& Order) {
    if (Order.empty()) return Position;
    if (Position < 0 || size_t(Position) >= Order.size()) return -1;
    return Order[size_t(Position)];
}

fw::TRect HeaderTailRect(int LastRight, int Width, int Height) {
    if (LastRight >= Width || Height <= 0) return fw::TRect(Width, 0, Width, Height);
    return fw::TRect(std::max(LastRight, 0), 0, Width, Height);
}

TacHeaderLayout HeaderCellLayout(SIZE Cell, int Format, int TextWidth, int ImageOffset, SIZE Arrow, int ImageHeight,
                                 int State) {
    const fw::TRect room(4, 1, Cell.cx - 4, Cell.cy - 1);
    fw::TRect T = room;
    const int aw = Arrow.cx > 0 ? Arrow.cx + 6 : 0;
    switch (Format & HDF_JUSTIFYMASK) {
        case HDF_RIGHT:
            T.Right -= aw;
            T.Left = std::max(T.Right - TextWidth, room.Left + ImageOffset);
            break;
        case HDF_CENTER:
            T.Left += ImageOffset + (room.Width() - (TextWidth + aw + ImageOffset)) / 2;
            T.Left = std::max(T.Left, room.Left + ImageOffset);
            T.Right = std::min(T.Left + TextWidth, room.Right - aw);
            break;
        default:
            T.Left += ImageOffset;
            T.Right = std::min(T.Left + TextWidth, room.Right - aw);
            break;
    }
    TacHeaderLayout L;
    L.Arrow = fw::TPoint(T.Right + 6, (room.Height() - Arrow.cy) / 2);
    if (State == 2) fw::OffsetRect(T, 1, 1);
    L.Text = T;
    L.Image = fw::TPoint(T.Left - ImageOffset, (room.Height() - ImageHeight) / 2 + (State == 2 ? 1 : 0));
    return L;
}

int HeaderSortGlyph(TsSkinManager* M, int Format) {
    if (!M) return -1;
    int i = -1;
    if (Format & HDF_SORTDOWN)
        i = M->GetMaskIndex(M->ConstData.IndexScrollBottom, L"SCROLLBTNBOTTOM", L"GLYPHMASK");
    else if (Format & HDF_SORTUP)
        i = M->GetMaskIndex(M->ConstData.IndexScrollTop, L"SCROLLBTNTOP", L"GLYPHMASK");
    return M->IsValidImgIndex(i) ? i : -1;
}

int PaintHeaderCell(fw::TBitmap* Bmp, TsSkinManager* M, int State, const TacHeaderCell* Cell, fw::TPoint Pos,
                    fw::TColor BGColor, HFONT Font, fw::TCustomImageList* Images, bool Enabled) {
    if (!Bmp || !M || Bmp->Width() <= 0 || Bmp->Height() <= 0) return -1;
    const int skinIdx = PaintSection(Bmp, L"COLHEADER", L"BUTTON", State, M, Pos, BGColor, nullptr);
    if (!Cell || skinIdx < 0) return skinIdx;
    fw::TCanvas* C = Bmp->Canvas();
    if (Font) C->Font()->SetHandle(Font, fw::hoBorrowed);  // the list view's font, never deleted here
    C->Brush()->SetStyle(fw::bsClear);

    const bool image = Images && (Cell->Format & (HDF_IMAGE | HDF_OWNERDRAW)) && Cell->Image >= 0;
    const int io = image ? Images->Width() + 4 : 0;
    const int glyph = HeaderSortGlyph(M, Cell->Format);
    SIZE arrow{0, 0};
    if (glyph >= 0) arrow = {WidthOfImage(M->ma[size_t(glyph)]), HeightOfImage(M->ma[size_t(glyph)])};
    const int tw = C->TextWidth(Cell->Text) + 5;
    const TacHeaderLayout L = HeaderCellLayout({Bmp->Width(), Bmp->Height()}, Cell->Format, tw, io, arrow,
                                               image ? Images->Height() : 0, State);
    if (glyph >= 0) DrawSkinGlyph(Bmp, L.Arrow, State, 1, M->ma[size_t(glyph)], MakeCacheInfo(Bmp));
    fw::TRect T = L.Text;
    if (!Cell->Text.empty() && T.Width() > 0)
        acWriteTextEx(C, Cell->Text.c_str(), true, T, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_END_ELLIPSIS,
                      skinIdx, State != 0, M);
    if (image) Images->Draw(C, L.Image.X, L.Image.Y, Cell->Image, Enabled);
    return skinIdx;
}

}  // namespace skin
