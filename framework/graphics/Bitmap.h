// A picture in memory: a DIB section (or on request a device-dependent bitmap)
// with a canvas to draw on it, pixel formats with conversion, direct row
// access and BMP streaming.
//
// A new TBitmap is a device-dependent bitmap (pfDevice) as in the framework;
// setting any other PixelFormat makes it a DIB.
//
// Defined content: a new bitmap, and the part a resize adds, has all bits 0
// (black, alpha 0, palette index 0). Converting 24 to 32 bits gives alpha 0,
// as GDI's own blits do; 32 to 24 drops alpha. Converting to an indexed format
// gives it the format's default table (1 bit black and white, 4 bits the 16
// VGA colours, 8 bits 256 greys) and maps each pixel to the nearest entry.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/graphics/PixelSurface.h"

namespace fw {

class TCanvas;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };

// Bits per pixel of a DIB format; 0 for pfDevice and pfCustom.
int PixelFormatBits(TPixelFormat format);

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format);
    ~TBitmap() override;
    String ClassName() const override { return L"TBitmap"; }

    // Deep copy from another TBitmap; nil empties this one.
    void Assign(const TPersistent* Source) override;

    bool Empty() const override;
    int Width() const override { return width_; }
    void SetWidth(int value) override;
    int Height() const override { return height_; }
    void SetHeight(int value) override;
    // Keeps the overlapping top-left part; the rest is zero.
    void SetSize(int width, int height);

    // pfDevice for a DDB. Setting a DIB format makes a DIB; pfDevice makes a DDB.
    TPixelFormat PixelFormat() const;
    void SetPixelFormat(TPixelFormat value);
    TBitmapHandleType HandleType() const { return handleType_; }
    void SetHandleType(TBitmapHandleType value);

    // The bitmap's HBITMAP.
    HBITMAP Handle();
    // Uses a bitmap (DIB section or DDB) made elsewhere; its size and format
    // are read from it. Owned, it is deleted with this TBitmap. Borrowed (a
    // static control's picture), drawing changes the maker's pixels, and it
    // is never deleted here: a resize or format change moves the picture to
    // a bitmap of our own and leaves the borrowed one as it was.
    void SetHandle(HBITMAP value, THandleOwnership ownership = hoOwned);
    bool HandleAllocated() const;
    bool HandleBorrowed() const { return borrowed_; }
    // Gives the HBITMAP away (owned or not, it is no longer ours); the bitmap
    // becomes empty.
    HBITMAP ReleaseHandle();

    // An HPALETTE of the colour table (indexed formats only), owned by the bitmap.
    HPALETTE Palette() const override;
    // Copies the palette's colours into the colour table (indexed formats);
    // the caller keeps the HPALETTE.
    void SetPalette(HPALETTE value) override;
    std::vector<RGBQUAD> Colors() const;
    void SetColors(const std::vector<RGBQUAD>& colors);

    // Drawing on the bitmap; the DC holds the bitmap's image.
    TCanvas* Canvas();

    // Row Row of the pixels, 0 at the top, after GdiFlush. A DDB becomes a DIB
    // first. Raises EInvalidOperation for a row outside 0..Height-1.
    void* ScanLine(int Row);
    // Address step from one row to the next one down: negative when the image
    // is stored bottom-up.
    int RowStep();
    bool TopDown() const { return surface_.TopDown(); }

    bool Transparent() const override { return TGraphic::Transparent(); }
    // tmAuto: the bottom-left pixel (clDefault while empty); tmFixed: the
    // colour set, system colours resolved. Plain RGB, no palette flag.
    TColor TransparentColor();
    void SetTransparentColor(TColor value);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode value);

    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

    // BMP: 1, 4, 8, 16 (5-5-5 and 5-6-5), 24 and 32 bits, bottom-up and
    // top-down; compressed files raise EInvalidGraphic.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    // The same from and to a memory buffer.
    void LoadFromBytes(const uint8_t* data, size_t size);
    std::vector<uint8_t> SaveToBytes();

protected:
    void Changed(TObject* Sender) override;

private:
    friend class TBitmapCanvas;

    HDC CanvasDC();
    void DropCanvasDC();
    void ToDIB(TPixelFormat format, const std::vector<RGBQUAD>* colors);
    void ToDDB();
    void Reshape(int width, int height);
    void FreeImage();
    // Lets go of a borrowed image without deleting it (before it is replaced).
    void ForgetBorrowed();
    void FreePalette() const;
    int FormatBits() const;
    TColor ReadPixel(int x, int y);

    PixelSurface surface_;   // the image when HandleType is bmDIB
    HBITMAP ddb_ = nullptr;  // the image when HandleType is bmDDB
    HDC ddbDC_ = nullptr;
    HGDIOBJ ddbOldBitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = pfDevice;  // pfDevice exactly when the handle type is bmDDB
    std::vector<RGBQUAD> colors_;     // the colour table of the indexed formats
    TBitmapHandleType handleType_ = bmDDB;
    bool borrowed_ = false;  // the image is someone else's HBITMAP
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = tmAuto;
    std::unique_ptr<TCanvas> canvas_;
    mutable HPALETTE palette_ = nullptr;
};

}  // namespace fw
