// An image list that keeps, beside the native comctl32 list, the source file
// of every picture (a PNG or an ICO file, byte for byte) and draws its PNG
// pictures by their own alpha. The native list is rebuilt from the files on
// loading, on assignment and when items are added, so pictures with partial
// transparency survive streaming and look the same everywhere. Skinned
// buttons, check boxes and toolbars draw their glyphs from such lists
// through DrawAlphaImgList, which also serves plain image lists.
//
// Items are streamed with the list ("Items": ImageFormat, PixelFormat and the
// file as the binary "ImgData"); the native list's own pictures never are.
// Without DoubleData (and at run time) the files are dropped once the native
// list is built, and the pictures live there only.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "framework/rtl/Collections.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/Streams.h"
#include "framework/rtl/Types.h"

namespace skin {

class TsAlphaImageList;

enum TsImageFormat { ifPNG, ifICO };

class TsImgListItem : public fw::TCollectionItem {
public:
    explicit TsImgListItem(fw::TCollection* Collection);
    ~TsImgListItem() override;
    fw::String ClassName() const override { return L"TsImgListItem"; }

    // Format, pixel format and the file's bytes (nil: the framework's assignment).
    void Assign(const fw::TPersistent* Source) override;
    void AssignTo(fw::TPersistent* Dest) const override;
    // "ImageFormat", "PixelFormat" (when not pf32bit) and always "ImgData".
    void DefineProperties(fw::TFiler* Filer) override;

    TsImageFormat ImageFormat = ifPNG;
    // pf32bit for PNG files and ICO files with alpha, pf24bit for other ICO files.
    fw::TPixelFormat PixelFormat = fw::pf32bit;
    // The whole source file.
    fw::TMemoryStream* ImgData;

private:
    void ReadImageFormat(fw::TReader* Reader);
    void WriteImageFormat(fw::TWriter* Writer);
    void ReadPixelFormat(fw::TReader* Reader);
    void WritePixelFormat(fw::TWriter* Writer);
    void ReadImgData(fw::TStream* Stream);
    void WriteImgData(fw::TStream* Stream);
};

class TsImgListItems : public fw::TOwnedCollection {
public:
    explicit TsImgListItems(TsAlphaImageList* AOwner);
    fw::String ClassName() const override { return L"TsImgListItems"; }
    TsImgListItem* Items(int Index) const { return static_cast<TsImgListItem*>(fw::TCollection::Items(Index)); }
    TsImgListItem* Add() { return static_cast<TsImgListItem*>(fw::TCollection::Add()); }
};

class TsAlphaImageList : public fw::TImageList {
public:
    explicit TsAlphaImageList(fw::TComponent* AOwner);
    TsAlphaImageList(fw::TComponent* AOwner, int AWidth, int AHeight);
    ~TsAlphaImageList() override;
    fw::String ClassName() const override { return L"TsAlphaImageList"; }

    // Unless loading: the native list is made and built from the items.
    void AfterConstruction() override;
    // From another alpha image list: settings, size, background colour and
    // pictures, with one change notification at most (none here); nil
    // destroys the native list; anything else is the image list's assignment.
    void Assign(const fw::TPersistent* Source) override;
    void AssignTo(fw::TPersistent* Dest) const override;
    // "Items".
    void DefineProperties(fw::TFiler* Filer) override;

    TsImgListItems* Items() const { return FItems.get(); }
    void SetItems(const TsImgListItems* Value) { FItems->Assign(Value); }

    // The native list of Width x Height, 32-bit colour (and a mask when Masked).
    void CreateImgList();
    // Destroys the native list (unless shared) and notifies the change.
    void KillImgList();
    // The native list from the items, in order; drops the items afterwards
    // unless IsDuplicated. PNG decoding errors go on to the caller.
    void GenerateStdList();
    // Image becomes the 32-bit picture of image Index: the stored PNG
    // (resampled to Image's size when it is not the list's), else the native
    // icon. False for a missing list, Image or index.
    bool GetBitmap32(int Index, fw::TBitmap* Image);
    // One image from a PNG or ICO file (recognised by its content, see
    // GetImageFormat); False for a file that is not one, or without a native list.
    bool TryLoadFromFile(const fw::String& FileName);
    // The same; a file it cannot take is reported in an error dialog.
    void LoadFromFile(const fw::String& FileName);
    // ImgList's pictures in place of these (items when IsDuplicated).
    void CopyImages(TsAlphaImageList* ImgList);
    // Width and Height of the icons of the native list Value (unchanged when unreadable).
    void SetNewDimensions(HIMAGELIST Value);

    void AcBeginUpdate() { AcChanging = true; }
    void AcEndUpdate(bool DoChange);
    // Empties every item's file; the items remain.
    void ItemsClear();
    // The files are kept beside the native list.
    bool IsDuplicated() const;

    bool StdListIsGenerated = false;
    // Change notification is suppressed while set.
    bool AcChanging = false;
    bool DoubleData = true;

protected:
    void Loaded() override;
    // The inherited notification, then: a native list with fewer pictures than
    // items is rebuilt; one with more (pictures added to it directly) gets
    // opaque alpha on every picture that has none, magenta staying clear.
    void Change() override;
    void DoDraw(int Index, fw::TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) override;

private:
    // Appends an icon to the native list; its index, -1 when refused.
    int AppendIcon(HICON Icon);
    // The native background colour set to none without notifying anyone.
    void ClearBkColor();
    void RepairAlpha();
    void ReadItems(fw::TReader* Reader);
    void WriteItems(fw::TWriter* Writer);

    std::unique_ptr<TsImgListItems> FItems;
};

// File recognition: Count (at most 8) bytes at the start equal Magic, read
// only when the file holds more than Count bytes.
bool HaveMagic(const fw::String& FileName, const void* Magic, int Count);
// A PNG by its signature, or an ICO by 00 00 at the start and the extension "ico".
bool GetImageFormat(const fw::String& FileName, TsImageFormat& Format);
// Appends resource ResName of Instance (an icon resource, or a PNG in
// RT_RCDATA) to the native list; whether it was appended.
bool AddImageFromRes(HINSTANCE Instance, TsAlphaImageList* List, const fw::String& ResName, TsImageFormat Format);

// Column State (at most NumGlyphs - 1; a NumGlyphs under 1 counts as 1) of
// image ImageIndex, cut into NumGlyphs columns, at (Left, Top) of DestBmp.
// An alpha image list's picture keeps its alpha and takes Blend (percent),
// the grey tint GrayColor (clNone keeps the colours) and the reflection; any
// other list draws its own way. The size of one column; (0, 0) when nothing
// can be drawn (no DestBmp width, no native list).
fw::TSize DrawAlphaImgList(fw::TCustomImageList* ImgList, fw::TBitmap* DestBmp, int Left, int Top, int ImageIndex,
                           int Blend, fw::TColor GrayColor, int State, int NumGlyphs, bool Reflected);
// The same onto a device context at (Left, Top), through a 24-bit copy of
// the area (with room for the reflection).
void DrawAlphaImgListDC(fw::TCustomImageList* ImgList, HDC DC, int Left, int Top, int ImageIndex, int Blend,
                        fw::TColor GrayColor, int State, int NumGlyphs, bool Reflected);

}  // namespace skin
