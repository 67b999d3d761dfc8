// Image lists: many pictures of one size in one comctl32 image list, drawn by
// index. Toolbars, list views and menus hold a TCustomImageList* and listen
// for changes through a TChangeLink (or OnChange).
//
// The HIMAGELIST is made on first use with the list's Width, Height,
// ColorDepth and Masked; changing one of those makes a new, empty list (at
// once when the list had one, then Change).
// Drawing disabled gives the framework's etched look: every opaque pixel that
// is not white becomes clBtnHighlight one pixel down and right, then
// clBtnShadow in place. Pictures are copied in, so the caller's bitmaps are
// never changed (comctl32 blackens the masked pixels of what it is given).
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <vector>

#include "framework/graphics/Color.h"
#include "framework/rtl/Component.h"
#include "framework/rtl/Method.h"

namespace fw {

class TBitmap;
class TCanvas;
class TCustomImageList;

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };
enum TColorDepth { cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit };

// A listener's link to an image list: Change() runs OnChange with the list.
class TChangeLink : public TObject {
public:
    TChangeLink() = default;
    // Unregisters itself from the list it listens to.
    ~TChangeLink() override;
    String ClassName() const override { return L"TChangeLink"; }

    TCustomImageList* Sender() const { return sender_; }
    virtual void Change();

    TNotifyEvent OnChange;

private:
    friend class TCustomImageList;
    TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    // The list's size without streaming: CreateSize(w, h).
    TCustomImageList(TComponent* AOwner, int AWidth, int AHeight);
    ~TCustomImageList() override;
    String ClassName() const override { return L"TCustomImageList"; }

    // Copies the pictures and settings of another image list.
    void Assign(const TPersistent* Source) override;

    int Width() const { return width_; }
    void SetWidth(int Value);
    int Height() const { return height_; }
    void SetHeight(int Value);
    void SetSize(int AWidth, int AHeight);
    TColorDepth ColorDepth() const { return colorDepth_; }
    void SetColorDepth(TColorDepth Value);
    bool Masked() const { return masked_; }
    void SetMasked(bool Value);
    int AllocBy() const { return allocBy_; }
    void SetAllocBy(int Value) { allocBy_ = Value > 0 ? Value : 4; }
    // clNone: pictures are drawn through their masks; a colour fills behind them.
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor Value);
    TColor BlendColor() const { return blendColor_; }
    void SetBlendColor(TColor Value) { blendColor_ = Value; }
    TDrawingStyle DrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TDrawingStyle Value);
    TImageType ImageType() const { return imageType_; }
    void SetImageType(TImageType Value);
    // A shared list (the system's) is never destroyed here.
    bool ShareImages() const { return shareImages_; }
    void SetShareImages(bool Value) { shareImages_ = Value; }

    // Made on first use.
    HIMAGELIST Handle();
    // Takes over a list made elsewhere; its size is read from it.
    void SetHandle(HIMAGELIST Value);
    bool HandleAllocated() const { return handle_ != nullptr; }
    int Count() const;

    // Image (and Mask, a monochrome picture where white is transparent) cut
    // into pictures of Width; returns the index of the first, -1 when the
    // list refused it. EInvalidOperation "Invalid image size" for a picture
    // smaller than the list's.
    int Add(TBitmap* Image, TBitmap* Mask);
    // The pixels of MaskColor become transparent.
    int AddMasked(TBitmap* Image, TColor MaskColor);
    // The icon is copied; the caller keeps it.
    int AddIcon(HICON Icon);
    // EInvalidOperation "Invalid ImageList Index" outside 0..Count-1.
    void Delete(int Index);
    void Clear();

    // With DrawingStyle and ImageType; disabled in the etched look.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle, TImageType AImageType,
              bool Enabled = true);
    // Image becomes Width x Height with picture Index drawn on what it held
    // (through the mask unless BkColor is set). False outside the list.
    bool GetBitmap(int Index, TBitmap* Image);

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);

    TNotifyEvent OnChange;

protected:
    // Tells OnChange and every change link (not inside BeginUpdate/EndUpdate).
    virtual void Change();
    virtual void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled);

private:
    void FreeHandle();
    void Recreate();
    UINT CreateFlags() const;
    void CheckImage(TBitmap* Image) const;
    void DrawDisabled(int Index, HDC DC, int X, int Y);

    HIMAGELIST handle_ = nullptr;
    int width_ = 16;
    int height_ = 16;
    int allocBy_ = 4;
    TColorDepth colorDepth_ = cdDeviceDependent;
    bool masked_ = true;
    bool shareImages_ = false;
    TColor bkColor_ = clNone;
    TColor blendColor_ = clNone;
    TDrawingStyle drawingStyle_ = dsNormal;
    TImageType imageType_ = itImage;
    int updateCount_ = 0;
    bool changed_ = false;
    std::vector<TChangeLink*> links_;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
    String ClassName() const override { return L"TImageList"; }
};

}  // namespace fw
