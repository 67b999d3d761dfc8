#include "framework/graphics/ImageList.h"

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/PixelSurface.h"
#include "framework/rtl/Exception.h"

namespace fw {

namespace {

COLORREF ListColor(TColor c) {
    if (c == clNone) return CLR_NONE;
    if (c == clDefault) return CLR_DEFAULT;
    return COLORREF(ColorToRGB(c)) & 0xFFFFFF;
}

// A copy of the picture in a bitmap of our own, selected nowhere: comctl32
// selects what it is given into its own DCs and blackens masked pixels.
HBITMAP CopyPicture(TBitmap* Source, bool Monochrome) {
    int w = Source->Width(), h = Source->Height();
    HDC src = Source->Canvas()->Handle();
    if (Monochrome) {
        HBITMAP mono = CreateBitmap(w, h, 1, 1, nullptr);
        if (!mono) return nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, mono);
        // Colour to mono: the source's white (its background colour) becomes 1, transparent.
        COLORREF bk = SetBkColor(src, RGB(255, 255, 255));
        BitBlt(dc, 0, 0, w, h, src, 0, 0, SRCCOPY);
        SetBkColor(src, bk);
        SelectObject(dc, old);
        DeleteDC(dc);
        return mono;
    }
    PixelSurface copy;
    if (!copy.Create(w, h, 32, true)) return nullptr;
    BitBlt(copy.DC(), 0, 0, w, h, src, 0, 0, SRCCOPY);
    GdiFlush();
    return copy.Detach();
}

struct OwnedBitmap {
    HBITMAP h;
    ~OwnedBitmap() {
        if (h) DeleteObject(h);
    }
};

}  // namespace

// ---- TChangeLink

TChangeLink::~TChangeLink() {
    if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange) OnChange(sender_);
}

// ---- TCustomImageList

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(TComponent* AOwner, int AWidth, int AHeight) : TComponent(AOwner) {
    width_ = std::max(AWidth, 1);
    height_ = std::max(AHeight, 1);
}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : links_) link->sender_ = nullptr;
    links_.clear();
    FreeHandle();
}

void TCustomImageList::FreeHandle() {
    if (handle_ && !shareImages_) ImageList_Destroy(handle_);
    handle_ = nullptr;
}

UINT TCustomImageList::CreateFlags() const {
    static const UINT depth[] = {ILC_COLORDDB, ILC_COLOR4, ILC_COLOR8, ILC_COLOR16, ILC_COLOR24, ILC_COLOR32};
    return depth[colorDepth_] | (masked_ ? ILC_MASK : 0);
}

HIMAGELIST TCustomImageList::Handle() {
    if (!handle_) {
        handle_ = ImageList_Create(width_, height_, CreateFlags(), allocBy_, allocBy_);
        if (!handle_) throw EInvalidOperation(L"Error creating window image list");
        ImageList_SetBkColor(handle_, ListColor(bkColor_));
    }
    return handle_;
}

void TCustomImageList::SetHandle(HIMAGELIST Value) {
    if (Value == handle_) return;
    FreeHandle();
    handle_ = Value;
    if (handle_) {
        int w = 0, h = 0;
        if (ImageList_GetIconSize(handle_, &w, &h)) {
            width_ = w;
            height_ = h;
        }
    }
    Change();
}

int TCustomImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

// A new size, depth or mask means a new list: the pictures do not carry over.
// A list that existed is made again at once, so that listeners told of the
// change find an empty list of the new kind, not none.
void TCustomImageList::Recreate() {
    if (!handle_) return;
    FreeHandle();
    Handle();
    Change();
}

void TCustomImageList::SetWidth(int Value) { SetSize(Value, height_); }

void TCustomImageList::SetHeight(int Value) { SetSize(width_, Value); }

void TCustomImageList::SetSize(int AWidth, int AHeight) {
    AWidth = std::max(AWidth, 1);
    AHeight = std::max(AHeight, 1);
    if (AWidth == width_ && AHeight == height_) return;
    width_ = AWidth;
    height_ = AHeight;
    Recreate();
}

void TCustomImageList::SetColorDepth(TColorDepth Value) {
    if (Value == colorDepth_) return;
    colorDepth_ = Value;
    Recreate();
}

void TCustomImageList::SetMasked(bool Value) {
    if (Value == masked_) return;
    masked_ = Value;
    Recreate();
}

void TCustomImageList::SetBkColor(TColor Value) {
    if (Value == bkColor_) return;
    bkColor_ = Value;
    if (handle_) ImageList_SetBkColor(handle_, ListColor(bkColor_));
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
    if (Value == drawingStyle_) return;
    drawingStyle_ = Value;
    Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
    if (Value == imageType_) return;
    imageType_ = Value;
    Change();
}

void TCustomImageList::CheckImage(TBitmap* Image) const {
    if (Image->Width() < width_ || Image->Height() < height_) throw EInvalidOperation(L"Invalid image size");
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
    if (!Image || Image->Empty()) return -1;
    CheckImage(Image);
    OwnedBitmap image{CopyPicture(Image, false)};
    OwnedBitmap mask{Mask && !Mask->Empty() ? CopyPicture(Mask, true) : nullptr};
    int index = ImageList_Add(Handle(), image.h, mask.h);
    Change();
    return index;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
    if (!Image || Image->Empty()) return -1;
    CheckImage(Image);
    OwnedBitmap image{CopyPicture(Image, false)};
    int index = ImageList_AddMasked(Handle(), image.h, COLORREF(ColorToRGB(MaskColor)) & 0xFFFFFF);
    Change();
    return index;
}

int TCustomImageList::AddIcon(HICON Icon) {
    if (!Icon) return -1;
    int index = ImageList_AddIcon(Handle(), Icon);
    Change();
    return index;
}

void TCustomImageList::Delete(int Index) {
    if (Index < 0 || Index >= Count()) throw EInvalidOperation(L"Invalid ImageList Index");
    ImageList_Remove(handle_, Index);
    Change();
}

void TCustomImageList::Clear() {
    if (handle_) ImageList_Remove(handle_, -1);
    Change();
}

void TCustomImageList::Assign(const TPersistent* Source) {
    auto* source = dynamic_cast<const TCustomImageList*>(Source);
    if (!source) return TComponent::Assign(Source);
    if (source == this) return;
    FreeHandle();
    width_ = source->width_;
    height_ = source->height_;
    colorDepth_ = source->colorDepth_;
    masked_ = source->masked_;
    allocBy_ = source->allocBy_;
    bkColor_ = source->bkColor_;
    blendColor_ = source->blendColor_;
    drawingStyle_ = source->drawingStyle_;
    imageType_ = source->imageType_;
    shareImages_ = false;
    if (source->handle_) {
        handle_ = ImageList_Duplicate(source->handle_);
        if (!handle_) throw EInvalidOperation(L"Error creating window image list");
    }
    Change();
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
    Draw(Canvas, X, Y, Index, drawingStyle_, imageType_, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled) {
    static const UINT styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
    if (!Canvas || !handle_) return;
    DoDraw(Index, Canvas, X, Y, styles[ADrawingStyle] | (AImageType == itMask ? ILD_MASK : 0), Enabled);
}

void TCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) {
    if (!handle_ || Index < 0 || Index >= Count()) return;
    HDC dc = Canvas->Handle();
    if (Enabled)
        ImageList_DrawEx(handle_, Index, dc, X, Y, 0, 0, ListColor(bkColor_), ListColor(blendColor_), Style);
    else
        DrawDisabled(Index, dc, X, Y);
}

// The picture through its mask onto white; every pixel that is not white
// then is the shape, painted with a brush where a monochrome copy is 0.
void TCustomImageList::DrawDisabled(int Index, HDC DC, int X, int Y) {
    const DWORD ropDSPDxax = 0x00E20746;  // source white: the brush; source black: the destination
    PixelSurface onWhite;
    if (!onWhite.Create(width_, height_, 32, true)) return;
    PatBlt(onWhite.DC(), 0, 0, width_, height_, WHITENESS);
    ImageList_DrawEx(handle_, Index, onWhite.DC(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);

    HDC monoDC = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateBitmap(width_, height_, 1, 1, nullptr);
    HGDIOBJ oldMono = SelectObject(monoDC, mono);
    ::SetBkColor(onWhite.DC(), RGB(255, 255, 255));
    BitBlt(monoDC, 0, 0, width_, height_, onWhite.DC(), 0, 0, SRCCOPY);

    int saved = SaveDC(DC);
    ::SetTextColor(DC, RGB(255, 255, 255));  // the shape (0) reads as white, the rest (1) as black
    ::SetBkColor(DC, RGB(0, 0, 0));
    const struct {
        TColor color;
        int offset;
    } passes[] = {{clBtnHighlight, 1}, {clBtnShadow, 0}};
    for (const auto& pass : passes) {
        HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(pass.color)) & 0xFFFFFF);
        HGDIOBJ oldBrush = SelectObject(DC, brush);
        BitBlt(DC, X + pass.offset, Y + pass.offset, width_, height_, monoDC, 0, 0, ropDSPDxax);
        SelectObject(DC, oldBrush);
        DeleteObject(brush);
    }
    RestoreDC(DC, saved);
    SelectObject(monoDC, oldMono);
    DeleteObject(mono);
    DeleteDC(monoDC);
}

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image) {
    if (!Image || !handle_ || Index < 0 || Index >= Count()) return false;
    Image->SetSize(width_, height_);
    DoDraw(Index, Image->Canvas(), 0, 0, ILD_NORMAL, true);
    return true;
}

void TCustomImageList::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && changed_) Change();
}

void TCustomImageList::Change() {
    if (updateCount_ > 0) {
        changed_ = true;
        return;
    }
    changed_ = false;
    // A listener may unregister (or free its link) while being told.
    std::vector<TChangeLink*> links = links_;
    for (TChangeLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->Change();
    if (OnChange) OnChange(this);
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
    if (!Value || std::find(links_.begin(), links_.end(), Value) != links_.end()) return;
    if (Value->sender_) Value->sender_->UnRegisterChanges(Value);
    Value->sender_ = this;
    links_.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
    auto it = std::find(links_.begin(), links_.end(), Value);
    if (it == links_.end()) return;
    links_.erase(it);
    Value->sender_ = nullptr;
}

}  // namespace fw
