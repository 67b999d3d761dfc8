// A JPEG picture: the compressed stream together with its decoded 24-bit
// bitmap. Loading decodes at once, so broken files fail at LoadFromStream and
// never later in a paint. A picture assigned from a bitmap is compressed when
// it is saved, with the framework's defaults: quality 90, baseline, colour.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/Graphic.h"

namespace fw {

class TBitmap;

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;
    String ClassName() const override { return L"TJPEGImage"; }

    // From another TJPEGImage (stream, pixels and settings) or from a TBitmap
    // (its pixels, compressed on the next save); nil empties the image.
    void Assign(const TPersistent* Source) override;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    // A JPEG image has the size of its picture: raises EInvalidGraphic.
    void SetWidth(int value) override;
    void SetHeight(int value) override;

    // Shows the picture in shades of grey (decodes luminance only) and makes
    // the next compression produce a one-component stream.
    bool Grayscale() const { return grayscale_; }
    void SetGrayscale(bool value);
    // 1..100, used by the next compression from the bitmap.
    int CompressionQuality() const { return quality_; }
    void SetCompressionQuality(int value);
    bool ProgressiveEncoding() const { return progressive_; }
    void SetProgressiveEncoding(bool value);

    // Makes sure the compressed stream exists (from the bitmap when needed).
    void Compress();

    // Stretches the decoded bitmap into Rect.
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

    // Reads from the stream's position to its end. On a corrupt or truncated
    // stream the image is left as it was and EInvalidGraphic is raised.
    void LoadFromStream(TStream* Stream) override;
    // Writes the stream as loaded, or a fresh compression of the bitmap.
    // Raises EInvalidGraphic for an empty image.
    void SaveToStream(TStream* Stream) override;
    // Compresses in memory before the file is created, so a failed encoding
    // writes nothing; a failed write removes the partial file.
    void SaveToFile(const String& FileName) override;

protected:
    // Into a TBitmap: a 24-bit copy of the picture.
    void AssignTo(TPersistent* Dest) const override;

private:
    void Decode(bool gray);
    void Clear();

    std::vector<uint8_t> data_;        // compressed stream; empty until needed
    bool ownCompression_ = false;      // data_ was made here from bitmap_
    std::unique_ptr<TBitmap> bitmap_;  // the decoded (or assigned) picture
    int quality_ = 90;
    bool progressive_ = false;
    bool grayscale_ = false;
};

}  // namespace fw
