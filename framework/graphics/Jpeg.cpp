#include "framework/graphics/Jpeg.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/JpegCodec.h"
#include "framework/rtl/Streams.h"

namespace fw {

namespace {

// A 24-bit bitmap of the decoded stream (luminance only when grayscale).
std::unique_ptr<TBitmap> DecodeBitmap(const std::vector<uint8_t>& bytes, bool grayscale) {
    JpegDecodeOptions options;
    options.Grayscale = grayscale;
    options.Order = JpegPixelOrder::Bgr;
    const JpegPixels pixels = JpegDecode(bytes.data(), bytes.size(), options);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(pixels.Width, pixels.Height);
    if (pixels.Width <= 0 || pixels.Height <= 0) return bitmap;
    auto* row = static_cast<uint8_t*>(bitmap->ScanLine(0));
    const int step = bitmap->RowStep();
    const size_t rowBytes = size_t(pixels.Width) * 3;
    for (int y = 0; y < pixels.Height; ++y, row += step)
        std::memcpy(row, pixels.Data.data() + size_t(y) * rowBytes, rowBytes);
    return bitmap;
}

}  // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Clear() {
    data_.clear();
    ownCompression_ = false;
    bitmap_.reset();
}

void TJPEGImage::Assign(const TPersistent* Source) {
    if (!Source) {
        Clear();
        Changed(this);
        return;
    }
    if (auto* jpeg = dynamic_cast<const TJPEGImage*>(Source)) {
        if (jpeg == this) return;
        std::unique_ptr<TBitmap> copy;
        if (jpeg->bitmap_) {
            copy = std::make_unique<TBitmap>();
            copy->Assign(jpeg->bitmap_.get());
        }
        data_ = jpeg->data_;
        ownCompression_ = jpeg->ownCompression_;
        bitmap_ = std::move(copy);
        quality_ = jpeg->quality_;
        progressive_ = jpeg->progressive_;
        grayscale_ = jpeg->grayscale_;
        Changed(this);
        return;
    }
    if (auto* source = dynamic_cast<const TBitmap*>(Source)) {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(source);
        copy->SetPixelFormat(pf24bit);
        copy->SetTransparent(false);  // a JPEG has no transparent colour
        Clear();
        if (!copy->Empty()) bitmap_ = std::move(copy);
        ownCompression_ = true;
        Changed(this);
        return;
    }
    TGraphic::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest) const {
    if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
        bitmap->Assign(bitmap_.get());  // nil empties the bitmap
        return;
    }
    TGraphic::AssignTo(Dest);
}

bool TJPEGImage::Empty() const { return !bitmap_ || bitmap_->Empty(); }
int TJPEGImage::Width() const { return bitmap_ ? bitmap_->Width() : 0; }
int TJPEGImage::Height() const { return bitmap_ ? bitmap_->Height() : 0; }

void TJPEGImage::SetWidth(int) { throw EInvalidGraphic(L"Cannot change the size of a JPEG image"); }
void TJPEGImage::SetHeight(int) { throw EInvalidGraphic(L"Cannot change the size of a JPEG image"); }

void TJPEGImage::SetGrayscale(bool value) {
    if (value == grayscale_) return;
    if (!Empty()) {
        // Keep the colour stream, so grey can be switched off again.
        Compress();
        bitmap_ = DecodeBitmap(data_, value);
    }
    grayscale_ = value;
    Changed(this);
}

void TJPEGImage::SetCompressionQuality(int value) {
    value = std::clamp(value, 1, 100);
    if (value == quality_) return;
    quality_ = value;
    if (ownCompression_) data_.clear();  // a loaded stream is kept as it is
}

void TJPEGImage::SetProgressiveEncoding(bool value) {
    if (value == progressive_) return;
    progressive_ = value;
    if (ownCompression_) data_.clear();
}

void TJPEGImage::Compress() {
    if (!data_.empty()) return;
    if (Empty()) throw EInvalidGraphic(L"Cannot compress an empty JPEG image");
    JpegEncodeOptions options;
    options.Quality = quality_;
    options.Progressive = progressive_;
    options.Grayscale = grayscale_;
    options.Order = JpegPixelOrder::Bgr;
    auto* top = static_cast<const uint8_t*>(bitmap_->ScanLine(0));
    data_ = JpegEncode(top, bitmap_->Width(), bitmap_->Height(), bitmap_->RowStep(), options);
    ownCompression_ = true;
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (!Empty()) bitmap_->Draw(ACanvas, Rect);
}

void TJPEGImage::LoadFromStream(TStream* Stream) {
    std::vector<uint8_t> bytes = ReadToEnd(Stream);
    auto bitmap = DecodeBitmap(bytes, grayscale_);
    data_ = std::move(bytes);
    ownCompression_ = false;
    bitmap_ = std::move(bitmap);
    Changed(this);
}

void TJPEGImage::SaveToStream(TStream* Stream) {
    Compress();
    Stream->WriteBuffer(data_.data(), int(data_.size()));
}

void TJPEGImage::SaveToFile(const String& FileName) {
    Compress();  // fails before the file is touched
    bool created = false;
    try {
        TFileStream file(FileName, fmCreate);
        created = true;
        file.WriteBuffer(data_.data(), int(data_.size()));
    } catch (...) {
        if (created) DeleteFileW(FileName.c_str());
        throw;
    }
}

}  // namespace fw
