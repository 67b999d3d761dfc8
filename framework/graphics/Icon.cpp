#include "framework/graphics/Icon.h"

#include <algorithm>
#include <cstring>

#include "framework/graphics/Canvas.h"
#include "framework/rtl/Streams.h"

namespace fw {

namespace {

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic(L"Icon image is not valid"); }

uint16_t Word(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t DWord(const uint8_t* p) { return uint32_t(Word(p)) | (uint32_t(Word(p + 2)) << 16); }

template <typename T>
void Append(std::vector<uint8_t>& out, const T& value) {
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    out.insert(out.end(), p, p + sizeof(T));
}

void AppendWord(std::vector<uint8_t>& out, uint16_t v) { Append(out, v); }
void AppendDWord(std::vector<uint8_t>& out, uint32_t v) { Append(out, v); }

// .ico layout: a 6-byte header (0, type 1, count) and 16-byte entries
// (width, height, colours, 0, planes, bit count, data size, data offset).
constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 16;

// The entry Windows itself would pick for the default icon size and the
// screen's colour depth: the file directory is restated as the resource
// directory LookupIconIdFromDirectoryEx reads, with ids 1..n.
int BestEntry(const std::vector<uint8_t>& ico, int count) {
    std::vector<uint8_t> dir;
    AppendWord(dir, 0);
    AppendWord(dir, 1);
    AppendWord(dir, uint16_t(count));
    for (int i = 0; i < count; ++i) {
        const uint8_t* e = ico.data() + kHeaderSize + size_t(i) * kEntrySize;
        dir.insert(dir.end(), e, e + 12);  // sizes, colours, planes, bit count, data size
        AppendWord(dir, uint16_t(i + 1));
    }
    int id = LookupIconIdFromDirectoryEx(dir.data(), TRUE, 0, 0, LR_DEFAULTCOLOR);
    return id >= 1 && id <= count ? id - 1 : 0;
}

void IconSize(HICON icon, int& width, int& height) {
    width = height = 0;
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return;
    BITMAP bm{};
    if (info.hbmColor && GetObjectW(info.hbmColor, sizeof(bm), &bm)) {
        width = bm.bmWidth;
        height = bm.bmHeight;
    } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof(bm), &bm)) {
        width = bm.bmWidth;
        height = bm.bmHeight / 2;  // a monochrome icon stacks AND over XOR
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
}

// One image: 32-bit colour with its 1-bit mask, or for a monochrome icon the
// 1-bit XOR and AND halves. Both are read bottom-up, as the file stores them.
std::vector<uint8_t> IcoFromHandle(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) InvalidIcon();
    struct Bitmaps {
        ICONINFO& i;
        ~Bitmaps() {
            if (i.hbmColor) DeleteObject(i.hbmColor);
            if (i.hbmMask) DeleteObject(i.hbmMask);
        }
    } cleanup{info};

    BITMAP bm{};
    if (!GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm)) InvalidIcon();
    const int width = bm.bmWidth;
    const int height = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (width <= 0 || height <= 0) InvalidIcon();
    const size_t maskStride = size_t((width + 31) / 32) * 4;

    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } mono{};
    mono.header.biSize = sizeof(BITMAPINFOHEADER);
    mono.header.biWidth = width;
    mono.header.biPlanes = 1;
    mono.header.biBitCount = 1;
    mono.header.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    std::vector<uint8_t> xorBits, andBits;
    int bpp;
    bool ok;
    if (info.hbmColor) {
        bpp = 32;
        BITMAPINFO colour{};
        colour.bmiHeader = mono.header;
        colour.bmiHeader.biHeight = height;
        colour.bmiHeader.biBitCount = 32;
        xorBits.resize(size_t(width) * height * 4);
        andBits.resize(maskStride * height);
        mono.header.biHeight = height;
        ok = GetDIBits(screen, info.hbmColor, 0, height, xorBits.data(), &colour, DIB_RGB_COLORS) == height &&
             GetDIBits(screen, info.hbmMask, 0, height, andBits.data(), reinterpret_cast<BITMAPINFO*>(&mono),
                       DIB_RGB_COLORS) == height;
    } else {
        // Bottom-up, the lower (XOR) half comes first, then the AND half.
        bpp = 1;
        std::vector<uint8_t> both(maskStride * height * 2);
        mono.header.biHeight = height * 2;
        ok = GetDIBits(screen, info.hbmMask, 0, height * 2, both.data(), reinterpret_cast<BITMAPINFO*>(&mono),
                       DIB_RGB_COLORS) == height * 2;
        xorBits.assign(both.begin(), both.begin() + maskStride * height);
        andBits.assign(both.begin() + maskStride * height, both.end());
    }
    ReleaseDC(nullptr, screen);
    if (!ok) InvalidIcon();

    const uint32_t paletteBytes = bpp == 1 ? 2 * sizeof(RGBQUAD) : 0;
    const uint32_t imageBytes = uint32_t(sizeof(BITMAPINFOHEADER) + paletteBytes + xorBits.size() + andBits.size());
    std::vector<uint8_t> out;
    AppendWord(out, 0);
    AppendWord(out, 1);
    AppendWord(out, 1);
    out.push_back(uint8_t(width >= 256 ? 0 : width));
    out.push_back(uint8_t(height >= 256 ? 0 : height));
    out.push_back(uint8_t(bpp == 1 ? 2 : 0));
    out.push_back(0);
    AppendWord(out, 1);
    AppendWord(out, uint16_t(bpp));
    AppendDWord(out, imageBytes);
    AppendDWord(out, uint32_t(kHeaderSize + kEntrySize));

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height * 2;
    header.biPlanes = 1;
    header.biBitCount = WORD(bpp);
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(xorBits.size() + andBits.size());
    Append(out, header);
    if (bpp == 1) {
        Append(out, mono.colors[0]);
        Append(out, mono.colors[1]);
    }
    out.insert(out.end(), xorBits.begin(), xorBits.end());
    out.insert(out.end(), andBits.begin(), andBits.end());
    return out;
}

}  // namespace

TIcon::TIcon() = default;

TIcon::~TIcon() {
    if (handle_) DestroyIcon(handle_);
}

void TIcon::Adopt(HICON icon) {
    if (handle_ && handle_ != icon) DestroyIcon(handle_);
    handle_ = icon;
    IconSize(icon, width_, height_);
}

void TIcon::Assign(const TPersistent* Source) {
    if (!Source) {
        Adopt(nullptr);
        data_.clear();
        Changed(this);
        return;
    }
    if (auto* icon = dynamic_cast<const TIcon*>(Source)) {
        if (icon == this) return;
        HICON copy = nullptr;
        if (icon->handle_ && !(copy = CopyIcon(icon->handle_))) InvalidIcon();
        Adopt(copy);
        data_ = icon->data_;
        Changed(this);
        return;
    }
    TGraphic::Assign(Source);
}

void TIcon::SetWidth(int) { throw EInvalidGraphic(L"Cannot change the size of an icon"); }
void TIcon::SetHeight(int) { throw EInvalidGraphic(L"Cannot change the size of an icon"); }

void TIcon::SetHandle(HICON Value) {
    if (Value == handle_) return;
    Adopt(Value);
    data_.clear();
    Changed(this);
}

HICON TIcon::ReleaseHandle() {
    HICON icon = handle_;
    handle_ = nullptr;
    width_ = height_ = 0;
    data_.clear();
    Changed(this);
    return icon;
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (!handle_) return;
    DrawIconEx(ACanvas->Handle(), Rect.Left, Rect.Top, handle_, Rect.Width(), Rect.Height(), 0, nullptr, DI_NORMAL);
}

void TIcon::LoadFromStream(TStream* Stream) {
    const int64_t available = Stream->Size() - Stream->Position();
    if (available < int64_t(kHeaderSize)) InvalidIcon();
    std::vector<uint8_t> ico(kHeaderSize);
    Stream->ReadBuffer(ico.data(), int(kHeaderSize));
    const int count = Word(&ico[4]);
    if (Word(&ico[0]) != 0 || Word(&ico[2]) != 1 || count == 0) InvalidIcon();
    const size_t directory = kHeaderSize + size_t(count) * kEntrySize;
    if (int64_t(directory) > available) InvalidIcon();
    ico.resize(directory);
    Stream->ReadBuffer(ico.data() + kHeaderSize, int(directory - kHeaderSize));

    // The icon ends with the last byte any entry uses; a stream may go on.
    uint64_t extent = directory;
    for (int i = 0; i < count; ++i) {
        const uint8_t* e = ico.data() + kHeaderSize + size_t(i) * kEntrySize;
        const uint64_t size = DWord(e + 8), offset = DWord(e + 12);
        if (offset < directory || size < 8 || offset + size > uint64_t(available)) InvalidIcon();
        extent = std::max(extent, offset + size);
    }
    ico.resize(size_t(extent));
    Stream->ReadBuffer(ico.data() + directory, int(extent - directory));

    const uint8_t* entry = ico.data() + kHeaderSize + size_t(BestEntry(ico, count)) * kEntrySize;
    HICON icon = CreateIconFromResourceEx(ico.data() + DWord(entry + 12), DWord(entry + 8), TRUE, 0x00030000, 0, 0,
                                          LR_DEFAULTCOLOR);
    if (!icon) InvalidIcon();
    Adopt(icon);
    data_ = std::move(ico);
    Changed(this);
}

void TIcon::SaveToStream(TStream* Stream) {
    if (!handle_) throw EInvalidGraphic(L"Cannot save an empty icon");
    std::vector<uint8_t> bytes = data_.empty() ? IcoFromHandle(handle_) : data_;
    Stream->WriteBuffer(bytes.data(), int(bytes.size()));
}

void TIcon::LoadFromFile(const String& FileName) {
    std::vector<uint8_t> bytes;
    {
        // Raises the usual open error for a missing or locked file.
        TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
        bytes = ReadToEnd(&file);
    }
    // Ask LoadImage for the size of the entry LoadFromStream would take, so
    // a file and the same bytes in a stream give the same icon (with 0 x 0
    // LoadImage takes the first entry).
    int width = 0, height = 0;
    if (bytes.size() >= kHeaderSize && Word(&bytes[0]) == 0 && Word(&bytes[2]) == 1) {
        const int count = Word(&bytes[4]);
        if (count > 0 && bytes.size() >= kHeaderSize + size_t(count) * kEntrySize) {
            const uint8_t* entry = bytes.data() + kHeaderSize + size_t(BestEntry(bytes, count)) * kEntrySize;
            width = entry[0] ? entry[0] : 256;
            height = entry[1] ? entry[1] : 256;
        }
    }
    auto icon = static_cast<HICON>(LoadImageW(nullptr, FileName.c_str(), IMAGE_ICON, width, height, LR_LOADFROMFILE));
    if (!icon) InvalidIcon();
    Adopt(icon);
    data_ = std::move(bytes);
    Changed(this);
}

}  // namespace fw
