#include "skin/engine/acAlphaImageList.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/Dialogs.h"
#include "skin/engine/PNGGraphic.h"
#include "skin/engine/PngIcons.h"
#include "skin/engine/TextUtils.h"
#include "skin/engine/sBitmapBase.h"
#include "skin/engine/sConst.h"
#include "skin/engine/sLibraryStartUp.h"
#include "skin/engine/sTransforms.h"

namespace skin {

namespace {

const wchar_t* const kImageFormatNames[] = {L"ifPNG", L"ifICO"};
const wchar_t* const kPixelFormatNames[] = {L"pfDevice", L"pf1bit",  L"pf4bit",  L"pf8bit",  L"pf15bit",
                                            L"pf16bit",  L"pf24bit", L"pf32bit", L"pfCustom"};

template <size_t N>
int IndexOfName(const wchar_t* const (&Names)[N], const fw::String& Name) {
    for (size_t i = 0; i < N; ++i)
        if (fw::SameText(Name, Names[i])) return int(i);
    throw fw::EReadError(L"Invalid property value");
}

// The icons, bitmaps and DCs of one step, let go of on every way out.
struct IconParts {
    ICONINFO info{};
    explicit IconParts(HICON Icon) {
        if (Icon) GetIconInfo(Icon, &info);
    }
    ~IconParts() {
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    IconParts(const IconParts&) = delete;
    IconParts& operator=(const IconParts&) = delete;
};

struct OwnedIcon {
    HICON h;
    ~OwnedIcon() {
        if (h) DestroyIcon(h);
    }
};

// The pixels of a colour bitmap as 32-bit values, top row first; false when
// it cannot be read.
bool ReadPixels32(HBITMAP Bmp, std::vector<uint32_t>& Pixels, int& Width, int& Height) {
    BITMAP bm{};
    if (!Bmp || !GetObjectW(Bmp, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
    Width = bm.bmWidth;
    Height = bm.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = Width;
    bi.bmiHeader.biHeight = -Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    Pixels.assign(size_t(Width) * Height, 0);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, Bmp, 0, UINT(Height), Pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return rows == Height;
}

bool AnyAlpha(const std::vector<uint32_t>& Pixels) {
    return std::any_of(Pixels.begin(), Pixels.end(), [](uint32_t p) { return (p >> 24) != 0; });
}

// The icon's colour bitmap read as 32 bits with a pixel of non-zero alpha.
bool IconHasAlpha(HICON Icon) {
    IconParts parts(Icon);
    BITMAP bm{};
    if (!parts.info.hbmColor || !GetObjectW(parts.info.hbmColor, sizeof(bm), &bm) || bm.bmBitsPixel != 32) return false;
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    return ReadPixels32(parts.info.hbmColor, pixels, w, h) && AnyAlpha(pixels);
}

// An alpha rebuild for a picture without any: keyed by its bottom-left
// colour, every other pixel becomes opaque.
void RebuildAlpha(fw::TBitmap* Bmp) {
    TPixelRows rows = PixelRows(Bmp, 4);
    if (!rows) return;
    for (int y = 0; y < rows.height; ++y)
        for (int x = 0; x < rows.width; ++x)
            if (rows.At(x, y)[3] != 0) return;
    const fw::TColor key = Bmp->Canvas()->Pixels(0, Bmp->Height() - 1);
    rows = PixelRows(Bmp, 4);  // the canvas read may have flushed
    for (int y = 0; y < rows.height; ++y)
        for (int x = 0; x < rows.width; ++x) {
            uint8_t* p = rows.At(x, y);
            if (fw::TColor(p[2] | (p[1] << 8) | (p[0] << 16)) != key) p[3] = 255;
        }
}

// The older screens: before Windows 6 a screen of fewer than 32 bits loses
// the alpha of icons.
bool IconsLoseAlpha() {
    if (OSVersionInfo.dwMajorVersion >= 6) return false;
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits < 32;
}

std::unique_ptr<TPNGGraphic> DecodePng(fw::TStream* Stream) {
    auto png = std::make_unique<TPNGGraphic>();
    png->LoadFromStream(Stream);
    return png;
}

}  // namespace

// ---- TsImgListItem

TsImgListItem::TsImgListItem(fw::TCollection* Collection)
    : fw::TCollectionItem(Collection), ImgData(new fw::TMemoryStream()) {}

TsImgListItem::~TsImgListItem() { delete ImgData; }

void TsImgListItem::Assign(const fw::TPersistent* Source) {
    auto* from = dynamic_cast<const TsImgListItem*>(Source);
    if (!from) return fw::TCollectionItem::Assign(Source);
    if (from == this) return;
    ImageFormat = from->ImageFormat;
    PixelFormat = from->PixelFormat;
    ImgData->Clear();
    from->ImgData->SaveToStream(ImgData);
}

void TsImgListItem::AssignTo(fw::TPersistent* Dest) const {
    if (auto* to = dynamic_cast<TsImgListItem*>(Dest)) return to->Assign(this);
    fw::TCollectionItem::AssignTo(Dest);
}

void TsImgListItem::DefineProperties(fw::TFiler* Filer) {
    Filer->DefineProperty(L"ImageFormat", fw::TReaderProc(this, &TsImgListItem::ReadImageFormat),
                          fw::TWriterProc(this, &TsImgListItem::WriteImageFormat), true);
    Filer->DefineProperty(L"PixelFormat", fw::TReaderProc(this, &TsImgListItem::ReadPixelFormat),
                          fw::TWriterProc(this, &TsImgListItem::WritePixelFormat), PixelFormat != fw::pf32bit);
    Filer->DefineBinaryProperty(L"ImgData", fw::TStreamProc(this, &TsImgListItem::ReadImgData),
                                fw::TStreamProc(this, &TsImgListItem::WriteImgData), true);
}

void TsImgListItem::ReadImageFormat(fw::TReader* Reader) {
    ImageFormat = TsImageFormat(IndexOfName(kImageFormatNames, Reader->ReadIdent()));
}
void TsImgListItem::WriteImageFormat(fw::TWriter* Writer) { Writer->WriteIdent(kImageFormatNames[ImageFormat]); }
void TsImgListItem::ReadPixelFormat(fw::TReader* Reader) {
    PixelFormat = fw::TPixelFormat(IndexOfName(kPixelFormatNames, Reader->ReadIdent()));
}
void TsImgListItem::WritePixelFormat(fw::TWriter* Writer) { Writer->WriteIdent(kPixelFormatNames[PixelFormat]); }
void TsImgListItem::ReadImgData(fw::TStream* Stream) {
    ImgData->Clear();
    ImgData->LoadFromStream(Stream);
}
void TsImgListItem::WriteImgData(fw::TStream* Stream) { ImgData->SaveToStream(Stream); }

TsImgListItems::TsImgListItems(TsAlphaImageList* AOwner)
    : fw::TOwnedCollection(AOwner, &fw::NewCollectionItem<TsImgListItem>) {}

// ---- TsAlphaImageList

TsAlphaImageList::TsAlphaImageList(fw::TComponent* AOwner)
    : fw::TImageList(AOwner), FItems(std::make_unique<TsImgListItems>(this)) {
    // A native list the framework makes again (a new size) is of the same kind.
    SetColorDepth(fw::cd32Bit);
}

TsAlphaImageList::TsAlphaImageList(fw::TComponent* AOwner, int AWidth, int AHeight)
    : fw::TImageList(AOwner, AWidth, AHeight), FItems(std::make_unique<TsImgListItems>(this)) {
    SetColorDepth(fw::cd32Bit);
}

TsAlphaImageList::~TsAlphaImageList() = default;

void TsAlphaImageList::AfterConstruction() {
    fw::TImageList::AfterConstruction();
    if (ComponentState().Contains(fw::csLoading)) return;
    if (!HandleAllocated()) CreateImgList();
    if (!StdListIsGenerated) GenerateStdList();
}

void TsAlphaImageList::Loaded() {
    fw::TImageList::Loaded();
    if (!HandleAllocated()) CreateImgList();
    if (!StdListIsGenerated) {
        GenerateStdList();
        StdListIsGenerated = true;
    }
}

void TsAlphaImageList::DefineProperties(fw::TFiler* Filer) {
    fw::TImageList::DefineProperties(Filer);
    Filer->DefineProperty(L"Items", fw::TReaderProc(this, &TsAlphaImageList::ReadItems),
                          fw::TWriterProc(this, &TsAlphaImageList::WriteItems), FItems->Count() > 0);
}

void TsAlphaImageList::ReadItems(fw::TReader* Reader) { Reader->ReadCollection(FItems.get()); }
void TsAlphaImageList::WriteItems(fw::TWriter* Writer) { Writer->WriteCollection(FItems.get()); }

void TsAlphaImageList::CreateImgList() {
    HIMAGELIST list = ImageList_Create(Width(), Height(), ILC_COLOR32 | (Masked() ? ILC_MASK : 0), 0, AllocBy());
    if (!list) throw fw::EInvalidOperation(L"Error creating window image list");
    SetHandle(list);
}

void TsAlphaImageList::KillImgList() { SetHandle(nullptr); }

int TsAlphaImageList::AppendIcon(HICON Icon) { return Icon ? ImageList_ReplaceIcon(Handle(), -1, Icon) : -1; }

void TsAlphaImageList::ClearBkColor() {
    const bool changing = AcChanging;
    AcChanging = true;
    SetBkColor(fw::clNone);
    AcChanging = changing;
}

void TsAlphaImageList::GenerateStdList() {
    if (!HandleAllocated()) return;
    AcChanging = true;
    try {
        HIMAGELIST list = Handle();
        ImageList_Remove(list, -1);
        const COLORREF bk = ImageList_GetBkColor(list);
        const fw::TColor background = fw::ColorToRGB(bk == CLR_NONE ? fw::clNone : fw::TColor(bk));
        for (int i = 0; i < FItems->Count(); ++i) {
            TsImgListItem* item = FItems->Items(i);
            item->ImgData->SetPosition(0);
            if (item->ImageFormat == ifPNG) {
                std::unique_ptr<TPNGGraphic> png = DecodePng(item->ImgData);
                OwnedIcon icon{IsNTFamily() ? MakeCompIcon(png.get(), background) : MakeIcon32(png.get(), false)};
                AppendIcon(icon.h);
            } else {
                fw::TIcon icon;
                icon.LoadFromStream(item->ImgData);
                AppendIcon(icon.Handle());
            }
        }
        if (FItems->Count() > 0) {
            StdListIsGenerated = true;
            if (!IsDuplicated()) FItems->Clear();
        }
    } catch (...) {
        AcChanging = false;
        throw;
    }
    AcChanging = false;
}

void TsAlphaImageList::Change() {
    if (AcChanging) return;
    fw::TImageList::Change();
    if (!HandleAllocated() || ComponentState().Contains(fw::csLoading) || ComponentState().Contains(fw::csDesigning) ||
        !StdListIsGenerated)
        return;
    if (IsDuplicated() && Count() <= FItems->Count()) {
        if (Count() < FItems->Count()) GenerateStdList();
        return;
    }
    RepairAlpha();
}

// Pictures put into the native list directly (from 24-bit bitmaps or old
// icons) carry no alpha; the list would draw them invisible. Pixels the
// picture's mask leaves out stay clear too: an icon without alpha keeps its shape.
void TsAlphaImageList::RepairAlpha() {
    HIMAGELIST list = Handle();
    for (int i = 0; i < Count(); ++i) {
        OwnedIcon icon{ImageList_GetIcon(list, i, ILD_NORMAL)};
        if (!icon.h) continue;
        IconParts parts(icon.h);
        std::vector<uint32_t> pixels, mask;
        int w = 0, h = 0, mw = 0, mh = 0;
        if (!ReadPixels32(parts.info.hbmColor, pixels, w, h) || AnyAlpha(pixels)) continue;
        const bool masked = ReadPixels32(parts.info.hbmMask, mask, mw, mh) && mw == w && mh >= h;
        for (size_t k = 0; k < pixels.size(); ++k) {
            if (masked && (mask[k] & 0xFFFFFF) != 0)
                pixels[k] = 0;
            else if (pixels[k] != uint32_t(sFuchsia))
                pixels[k] |= 0xFF000000u;
        }
        std::unique_ptr<fw::TBitmap> colour(CreateBmp32(w, h));
        TPixelRows rows = PixelRows(colour.get(), 4);
        for (int y = 0; y < h; ++y) std::memcpy(rows.Row(y), &pixels[size_t(y) * w], size_t(w) * 4);
        ICONINFO ii{};
        ii.fIcon = TRUE;
        ii.hbmMask = parts.info.hbmMask;
        ii.hbmColor = colour->Handle();
        OwnedIcon rebuilt{CreateIconIndirect(&ii)};
        if (rebuilt.h) ImageList_ReplaceIcon(list, i, rebuilt.h);
    }
}

bool TsAlphaImageList::GetBitmap32(int Index, fw::TBitmap* Image) {
    if (!HandleAllocated() || !Image || Index < 0 || Index >= Count()) return false;
    // An empty Image takes the list's size.
    if (Image->Width() <= 0 || Image->Height() <= 0) Image->SetSize(Width(), Height());
    if (IsDuplicated() && Index < FItems->Count() && FItems->Items(Index)->ImageFormat == ifPNG &&
        FItems->Items(Index)->ImgData->Size() > 0) {
        TsImgListItem* item = FItems->Items(Index);
        item->ImgData->SetPosition(0);
        std::unique_ptr<TPNGGraphic> png = DecodePng(item->ImgData);
        const bool listSize = png->Width() == Width() && png->Height() == Height();
        // A picture too small to resample (or no room to put it) is taken
        // from the native icon below, which the list keeps in its own size.
        const bool resample = png->Width() >= 2 && png->Height() >= 2 && Image->Width() > 0 && Image->Height() > 0;
        if (listSize || resample) {
            if (listSize) {
                Image->Assign(png.get());
            } else {
                Image->SetPixelFormat(fw::pf32bit);
                Stretch(png.get(), Image, Image->Width(), Image->Height(), ftMitchell);
            }
            if (Image->PixelFormat() != fw::pf32bit) {
                Image->SetPixelFormat(fw::pf32bit);
                RebuildAlpha(Image);
            }
            return true;
        }
    }
    OwnedIcon icon{ImageList_GetIcon(Handle(), Index, ILD_NORMAL)};
    if (!icon.h) return false;
    IconParts parts(icon.h);
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    std::unique_ptr<fw::TBitmap> bmp(CreateBmp32(Image->Width(), Image->Height()));
    TPixelRows rows = PixelRows(bmp.get(), 4);
    if (rows && ReadPixels32(parts.info.hbmColor, pixels, w, h)) {
        const int cw = std::min(w, rows.width), ch = std::min(h, rows.height);
        for (int y = 0; y < ch; ++y) std::memcpy(rows.Row(y), &pixels[size_t(y) * w], size_t(cw) * 4);
    }
    if (IconsLoseAlpha()) RebuildAlpha(bmp.get());
    Image->Assign(bmp.get());
    return true;
}

void TsAlphaImageList::DoDraw(int Index, fw::TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) {
    (void)Style, (void)Enabled;
    if (!HandleAllocated() || !Canvas) return;
    const int w = Width(), h = Height();
    if (Index >= 0 && Index < FItems->Count() && FItems->Items(Index)->ImageFormat == ifPNG) {
        std::unique_ptr<fw::TBitmap> picture(CreateBmp32(w, h));
        if (GetBitmap32(Index, picture.get())) {
            std::unique_ptr<fw::TBitmap> work(CreateBmp24(w, h));
            BitBlt(work->Canvas()->Handle(), 0, 0, w, h, Canvas->Handle(), X, Y, SRCCOPY);
            const fw::TRect all(0, 0, w, h);
            CopyBmp32(all, all, work.get(), picture.get(), MakeCacheInfo(work.get()), false, fw::clNone, 0, false);
            BitBlt(Canvas->Handle(), X, Y, w, h, work->Canvas()->Handle(), 0, 0, SRCCOPY);
        }
        return;
    }
    ClearBkColor();
    OwnedIcon icon{ImageList_GetIcon(Handle(), Index, ILD_TRANSPARENT)};
    if (icon.h) DrawIconEx(Canvas->Handle(), X, Y, icon.h, w, h, 0, nullptr, DI_NORMAL);
}

bool TsAlphaImageList::TryLoadFromFile(const fw::String& FileName) {
    TsImageFormat format = ifPNG;
    if (!HandleAllocated() || !GetImageFormat(FileName, format)) return false;
    OwnedIcon icon{nullptr};
    TsImgListItem* item = nullptr;
    try {
        if (IsDuplicated()) {
            item = FItems->Add();
            item->ImgData->LoadFromFile(FileName);
            item->ImageFormat = format;
        }
        if (format == ifICO) {
            icon.h = ExtractIconW(acResourceInstance(), FileName.c_str(), 0);
            if (icon.h == reinterpret_cast<HICON>(1)) icon.h = nullptr;  // "not an icon file"
            if (item) item->PixelFormat = icon.h && IconHasAlpha(icon.h) ? fw::pf32bit : fw::pf24bit;
        } else if (item) {
            item->PixelFormat = fw::pf32bit;
            item->ImgData->SetPosition(0);
            std::unique_ptr<TPNGGraphic> png = DecodePng(item->ImgData);
            icon.h = MakeIcon32(png.get(), false);
        } else {
            std::unique_ptr<TPNGGraphic> png(new TPNGGraphic());
            png->LoadFromFile(FileName);
            icon.h = MakeIcon32(png.get(), false);
        }
    } catch (...) {
        // A file that cannot be read or decoded leaves no item behind: the
        // next rebuild would meet it again.
        delete item;
        throw;
    }
    // Neither an item without its picture: the native list and the items stay in step.
    if (!icon.h) {
        delete item;
        return false;
    }
    const bool added = AppendIcon(icon.h) >= 0;
    Change();
    return added;
}

void TsAlphaImageList::LoadFromFile(const fw::String& FileName) {
    if (TryLoadFromFile(FileName)) return;
    fw::MessageDlg(L"Cannot load " + FileName + L"\r\nInvalid or unexpected image format.", fw::mtError, {fw::mbOK}, 0);
}

void TsAlphaImageList::SetNewDimensions(HIMAGELIST Value) {
    int w = 0, h = 0;
    if (Value && ImageList_GetIconSize(Value, &w, &h)) SetSize(w, h);
}

void TsAlphaImageList::CopyImages(TsAlphaImageList* ImgList) {
    if (!ImgList || ImgList == this || !HandleAllocated()) return;
    if (ImgList->HandleAllocated()) ImgList->ClearBkColor();
    if (IsDuplicated()) {
        FItems->Clear();
        for (int i = 0; i < ImgList->FItems->Count(); ++i) FItems->Add()->Assign(ImgList->FItems->Items(i));
        // A source that dropped its files still has its pictures: they come
        // over as icon files, so that the copy loses none of them.
        for (int i = ImgList->FItems->Count(); i < ImgList->Count(); ++i) {
            OwnedIcon icon{ImageList_GetIcon(ImgList->Handle(), i, ILD_TRANSPARENT)};
            if (!icon.h) continue;
            const bool alpha = IconHasAlpha(icon.h);
            fw::TIcon ico;
            ico.SetHandle(icon.h);
            icon.h = nullptr;
            TsImgListItem* item = FItems->Add();
            item->ImageFormat = ifICO;
            item->PixelFormat = alpha ? fw::pf32bit : fw::pf24bit;
            ico.SaveToStream(item->ImgData);
        }
        GenerateStdList();
        return;
    }
    HIMAGELIST list = Handle();
    ImageList_Remove(list, -1);
    ClearBkColor();
    for (int i = 0; ImgList->HandleAllocated() && i < ImgList->Count(); ++i) {
        OwnedIcon icon{ImageList_GetIcon(ImgList->Handle(), i, ILD_TRANSPARENT)};
        AppendIcon(icon.h);
    }
}

void TsAlphaImageList::Assign(const fw::TPersistent* Source) {
    if (!Source) return KillImgList();
    auto* from = const_cast<TsAlphaImageList*>(dynamic_cast<const TsAlphaImageList*>(Source));
    if (!from) return fw::TImageList::Assign(Source);
    if (from == this) return;
    AcBeginUpdate();
    try {
        if (HandleAllocated()) ImageList_Remove(Handle(), -1);
        SetMasked(from->Masked());
        SetImageType(from->ImageType());
        SetDrawingStyle(from->DrawingStyle());
        SetShareImages(from->ShareImages());
        SetBlendColor(from->BlendColor());
        int w = from->Width(), h = from->Height();
        if (from->HandleAllocated()) ImageList_GetIconSize(from->Handle(), &w, &h);
        SetSize(w, h);  // a native list there is made again in the new size
        if (!HandleAllocated()) CreateImgList();
        SetBkColor(from->BkColor());
        CopyImages(from);
    } catch (...) {
        AcEndUpdate(false);
        throw;
    }
    AcEndUpdate(false);
}

void TsAlphaImageList::AssignTo(fw::TPersistent* Dest) const {
    if (auto* to = dynamic_cast<TsAlphaImageList*>(Dest)) return to->Assign(this);
    fw::TImageList::AssignTo(Dest);
}

void TsAlphaImageList::AcEndUpdate(bool DoChange) {
    AcChanging = false;
    if (DoChange) Change();
}

void TsAlphaImageList::ItemsClear() {
    for (int i = 0; i < FItems->Count(); ++i) FItems->Items(i)->ImgData->Clear();
}

bool TsAlphaImageList::IsDuplicated() const { return DoubleData || ComponentState().Contains(fw::csDesigning); }

// ---- unit routines

bool HaveMagic(const fw::String& FileName, const void* Magic, int Count) {
    fw::TFileStream file(FileName, fw::fmOpenRead | fw::fmShareDenyWrite);
    Count = std::clamp(Count, 0, 8);
    if (file.Size() - file.Position() <= Count) return false;
    uint8_t head[8] = {};
    file.ReadBuffer(head, Count);
    return std::memcmp(head, Magic, size_t(Count)) == 0;
}

bool GetImageFormat(const fw::String& FileName, TsImageFormat& Format) {
    static const uint8_t iconMagic[2] = {0, 0};
    if (HaveMagic(FileName, PNGMagic, 8)) {
        Format = ifPNG;
        return true;
    }
    fw::String ext = fw::LowerCase(fw::ExtractFileExt(FileName));
    if (!ext.empty() && ext[0] == L'.') ext.erase(0, 1);
    if (HaveMagic(FileName, iconMagic, 2) && ext == L"ico") {
        Format = ifICO;
        return true;
    }
    return false;
}

bool AddImageFromRes(HINSTANCE Instance, TsAlphaImageList* List, const fw::String& ResName, TsImageFormat Format) {
    if (!List) return false;
    OwnedIcon icon{nullptr};
    if (Format == ifICO) {
        icon.h = static_cast<HICON>(
            LoadImageW(Instance, ResName.c_str(), IMAGE_ICON, List->Width(), List->Height(), LR_DEFAULTCOLOR));
        if (!icon.h) return false;
    } else {
        fw::TResourceStream stream(Instance, ResName);
        std::unique_ptr<TPNGGraphic> png = DecodePng(&stream);
        icon.h = MakeIcon32(png.get(), false);
    }
    return ImageList_ReplaceIcon(List->Handle(), -1, icon.h) >= 0;
}

fw::TSize DrawAlphaImgList(fw::TCustomImageList* ImgList, fw::TBitmap* DestBmp, int Left, int Top, int ImageIndex,
                           int Blend, fw::TColor GrayColor, int State, int NumGlyphs, bool Reflected) {
    if (!ImgList || !DestBmp || DestBmp->Width() <= 0 || !ImgList->HandleAllocated()) return fw::TSize(0, 0);
    NumGlyphs = std::max(NumGlyphs, 1);
    const int w = ImgList->Width(), h = ImgList->Height();
    const int w1 = w / NumGlyphs;
    State = std::clamp(State, 0, NumGlyphs - 1);
    const fw::TRect dst(Left, Top, Left + w1, Top + h);
    const fw::TRect src(w1 * State, 0, w1 * State + w1, h);
    if (auto* alphaList = dynamic_cast<TsAlphaImageList*>(ImgList)) {
        std::unique_ptr<fw::TBitmap> picture(CreateBmp32(w, h));
        if (alphaList->GetBitmap32(ImageIndex, picture.get()))
            CopyBmp32(dst, src, DestBmp, picture.get(), EmptyCI, false, GrayColor, Blend, Reflected);
    } else {
        std::unique_ptr<fw::TBitmap> work(CreateBmp24(w, h));
        HDC workDC = work->Canvas()->Handle();
        BitBlt(workDC, src.Left, 0, w1, h, DestBmp->Canvas()->Handle(), Left, Top, SRCCOPY);
        ImgList->Draw(work->Canvas(), 0, 0, ImageIndex, true);
        BitBlt(DestBmp->Canvas()->Handle(), Left, Top, w1, h, work->Canvas()->Handle(), src.Left, 0, SRCCOPY);
    }
    return fw::TSize(w1, h);
}

void DrawAlphaImgListDC(fw::TCustomImageList* ImgList, HDC DC, int Left, int Top, int ImageIndex, int Blend,
                        fw::TColor GrayColor, int State, int NumGlyphs, bool Reflected) {
    if (!ImgList || !DC) return;
    const int w = ImgList->Width();
    const int h = ImgList->Height() + (Reflected ? ImgList->Height() / 2 : 0);
    std::unique_ptr<fw::TBitmap> work(CreateBmp24(w, h));
    BitBlt(work->Canvas()->Handle(), 0, 0, w, h, DC, Left, Top, SRCCOPY);
    DrawAlphaImgList(ImgList, work.get(), 0, 0, ImageIndex, Blend, GrayColor, State, NumGlyphs, Reflected);
    BitBlt(DC, Left, Top, w, h, work->Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace skin
