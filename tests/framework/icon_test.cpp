// TIcon: adopting and releasing handles, .ico data in and out, drawing.
#include "framework/graphics/Icon.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/Streams.h"

using namespace fw;

namespace {

// A size x size icon: opaque red with a transparent top-left quarter.
HICON MakeColourIcon(int size) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint8_t> mask(size_t((size + 15) / 16) * 2 * size, 0);  // CreateBitmap rows are WORD-aligned
    const size_t maskStride = size_t((size + 15) / 16) * 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            bool clear = x < size / 2 && y < size / 2;
            static_cast<uint32_t*>(bits)[y * size + x] = clear ? 0 : 0xFFFF0000u;  // ARGB red
            if (clear) mask[y * maskStride + x / 8] |= uint8_t(0x80 >> (x % 8));
        }
    HBITMAP monochrome = CreateBitmap(size, size, 1, 1, mask.data());
    ICONINFO info{TRUE, 0, 0, monochrome, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(monochrome);
    return icon;
}

// A monochrome icon: AND mask over XOR bits, black left half, white right.
HICON MakeMonochromeIcon(int size) {
    const size_t stride = size_t((size + 15) / 16) * 2;
    std::vector<uint8_t> bits(stride * size * 2, 0);
    for (int y = 0; y < size; ++y)
        for (int x = size / 2; x < size; ++x) bits[(size + y) * stride + x / 8] |= uint8_t(0x80 >> (x % 8));
    HBITMAP mask = CreateBitmap(size, size * 2, 1, 1, bits.data());
    ICONINFO info{TRUE, 0, 0, mask, nullptr};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    return icon;
}

bool IconAlive(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return true;
}

// One 32-bit .ico image of a solid colour (BGRA) with an empty mask.
std::vector<uint8_t> IcoImage(int size, uint32_t bgra) {
    std::vector<uint8_t> out(sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER h{};
    h.biSize = sizeof(h);
    h.biWidth = size;
    h.biHeight = size * 2;
    h.biPlanes = 1;
    h.biBitCount = 32;
    std::memcpy(out.data(), &h, sizeof(h));
    for (int i = 0; i < size * size; ++i)
        for (int b = 0; b < 4; ++b) out.push_back(uint8_t(bgra >> (8 * b)));
    out.resize(out.size() + size_t((size + 31) / 32) * 4 * size, 0);
    return out;
}

// A .ico file with one 32-bit image per size.
std::vector<uint8_t> IcoFile(const std::vector<std::pair<int, uint32_t>>& images) {
    std::vector<std::vector<uint8_t>> data;
    for (auto& [size, colour] : images) data.push_back(IcoImage(size, colour));
    std::vector<uint8_t> out = {0, 0, 1, 0, uint8_t(images.size()), 0};
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        uint32_t bytes = uint32_t(data[i].size());
        uint8_t entry[16] = {uint8_t(images[i].first), uint8_t(images[i].first), 0, 0, 1, 0, 32, 0};
        std::memcpy(entry + 8, &bytes, 4);
        std::memcpy(entry + 12, &offset, 4);
        out.insert(out.end(), entry, entry + 16);
        offset += bytes;
    }
    for (auto& d : data) out.insert(out.end(), d.begin(), d.end());
    return out;
}

std::vector<uint8_t> Bytes(TMemoryStream& s) {
    const auto* p = static_cast<const uint8_t*>(s.Memory());
    return std::vector<uint8_t>(p, p + s.Size());
}

// Every pixel of an icon drawn at its own size onto a green 24-bit bitmap.
std::vector<TColor> Rendered(HICON icon, int size) {
    TBitmap target(size, size, pf24bit);
    target.Canvas()->Brush()->SetColor(TColor(0x00FF00));
    target.Canvas()->FillRect(Rect(0, 0, size, size));
    DrawIconEx(target.Canvas()->Handle(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    std::vector<TColor> out;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) out.push_back(target.Canvas()->Pixels(x, y));
    return out;
}

}  // namespace

TEST(Icon, AdoptsDestroysAndReleasesHandles) {
    HICON first = MakeColourIcon(16);
    HICON second = MakeColourIcon(24);
    ASSERT_TRUE(first && second);
    {
        TIcon icon;
        EXPECT_TRUE(icon.Empty());
        EXPECT_TRUE(icon.Transparent());
        icon.SetHandle(first);
        EXPECT_EQ(icon.Handle(), first);
        EXPECT_EQ(icon.Width(), 16);
        EXPECT_EQ(icon.Height(), 16);
        icon.SetHandle(second);  // the first handle was the icon's: destroyed
        EXPECT_FALSE(IconAlive(first));
        EXPECT_EQ(icon.Width(), 24);

        EXPECT_EQ(icon.ReleaseHandle(), second);
        EXPECT_TRUE(icon.Empty());
        EXPECT_EQ(icon.Width(), 0);
        EXPECT_TRUE(IconAlive(second)) << "a released handle survives";
        icon.SetHandle(second);
    }
    EXPECT_FALSE(IconAlive(second)) << "an owned handle dies with the icon";

    // Assign copies the handle; nil empties.
    TIcon a, b;
    a.SetHandle(MakeColourIcon(16));
    b.Assign(&a);
    EXPECT_NE(b.Handle(), a.Handle());
    EXPECT_EQ(b.Width(), 16);
    EXPECT_EQ(Rendered(b.Handle(), 16), Rendered(a.Handle(), 16));
    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
    EXPECT_TRUE(IconAlive(a.Handle()));
    EXPECT_THROW(a.SetWidth(8), EInvalidGraphic);
}

TEST(Icon, HandleSavedAsIcoLoadsBackWithTheSamePixels) {
    struct Case {
        const char* name;
        HICON (*make)(int);
        int size;
        int bitCount;
    };
    for (const Case& c : {Case{"colour", MakeColourIcon, 32, 32}, Case{"monochrome", MakeMonochromeIcon, 32, 1}}) {
        TIcon icon;
        icon.SetHandle(c.make(c.size));
        ASSERT_FALSE(icon.Empty()) << c.name;
        TMemoryStream stream;
        icon.SaveToStream(&stream);
        auto ico = Bytes(stream);
        ASSERT_GE(ico.size(), 22u) << c.name;
        EXPECT_EQ(ico[2], 1) << c.name << ": icon type";
        EXPECT_EQ(ico[4], 1) << c.name << ": one image";
        EXPECT_EQ(ico[6], c.size) << c.name;
        EXPECT_EQ(ico[12], c.bitCount) << c.name;

        stream.SetPosition(0);
        TIcon back;
        back.LoadFromStream(&stream);
        EXPECT_EQ(back.Width(), c.size) << c.name;
        EXPECT_EQ(back.Height(), c.size) << c.name;
        EXPECT_EQ(Rendered(back.Handle(), c.size), Rendered(icon.Handle(), c.size)) << c.name;
    }

    // The colour icon's transparent quarter shows the background.
    TIcon icon;
    icon.SetHandle(MakeColourIcon(16));
    TBitmap target(40, 40, pf24bit);
    target.Canvas()->Brush()->SetColor(TColor(0x00FF00));
    target.Canvas()->FillRect(Rect(0, 0, 40, 40));
    target.Canvas()->Draw(4, 4, &icon);
    EXPECT_EQ(target.Canvas()->Pixels(6, 6), TColor(0x00FF00));
    EXPECT_EQ(target.Canvas()->Pixels(16, 16), TColor(0x0000FF));
    EXPECT_EQ(target.Canvas()->Pixels(21, 21), TColor(0x00FF00));
    target.Canvas()->StretchDraw(Rect(0, 20, 40, 40), &icon);  // 16 -> 40 x 20
    EXPECT_EQ(target.Canvas()->Pixels(35, 37), TColor(0x0000FF));
}

TEST(Icon, IcoDataPicksTheSystemSizeAndKeepsTheFile) {
    const int systemSize = GetSystemMetrics(SM_CXICON);
    auto ico = IcoFile({{16, 0xFF0000FFu}, {systemSize, 0xFFFF0000u}, {48 + systemSize, 0xFF00FF00u}});

    TMemoryStream stream;
    stream.WriteBuffer(ico.data(), int(ico.size()));
    stream.WriteBuffer("tail", 4);  // whatever follows the icon stays unread
    stream.SetPosition(0);
    TIcon icon;
    icon.LoadFromStream(&stream);
    EXPECT_EQ(stream.Position(), int64_t(ico.size()));
    EXPECT_EQ(icon.Width(), systemSize);
    EXPECT_EQ(icon.Height(), systemSize);
    EXPECT_EQ(Rendered(icon.Handle(), systemSize)[0], TColor(0x0000FF)) << "the red image";

    TMemoryStream saved;
    icon.SaveToStream(&saved);
    EXPECT_EQ(Bytes(saved), ico) << "every image is kept";

    // The same through a file and LoadImage.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    String path = String(temp) + L"icon_test_" + std::to_wstring(GetCurrentProcessId()) + L".ico";
    saved.SaveToFile(path);
    TIcon fromFile;
    fromFile.LoadFromFile(path);
    EXPECT_EQ(fromFile.Width(), systemSize);
    EXPECT_EQ(Rendered(fromFile.Handle(), systemSize)[0], TColor(0x0000FF));
    DeleteFileW(path.c_str());
    EXPECT_THROW(fromFile.LoadFromFile(path), EFOpenError);
}

TEST(Icon, MalformedIcoDataIsRefusedAndLeavesTheIcon) {
    auto good = IcoFile({{16, 0xFF0000FFu}});
    auto withOffset = [&](uint32_t offset) {
        auto bytes = good;
        std::memcpy(&bytes[18], &offset, 4);
        return bytes;
    };
    auto garbage = good;
    std::memset(&garbage[22], 0x5A, 40);  // the image header

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"short header", {0, 0, 1}},
        {"cursor type", {0, 0, 2, 0, 1, 0}},
        {"no images", {0, 0, 1, 0, 0, 0}},
        {"directory cut", std::vector<uint8_t>(good.begin(), good.begin() + 12)},
        {"image cut", std::vector<uint8_t>(good.begin(), good.end() - 10)},
        {"offset past the end", withOffset(100000)},
        {"offset inside the directory", withOffset(4)},
        {"garbage image", garbage},
    };
    TIcon icon;
    icon.SetHandle(MakeColourIcon(24));
    HICON kept = icon.Handle();
    for (const Case& c : cases) {
        TMemoryStream stream;
        if (!c.bytes.empty()) stream.WriteBuffer(c.bytes.data(), int(c.bytes.size()));
        stream.SetPosition(0);
        EXPECT_THROW(icon.LoadFromStream(&stream), EInvalidGraphic) << c.name;
        EXPECT_EQ(icon.Handle(), kept) << c.name;
        EXPECT_EQ(icon.Width(), 24) << c.name;
    }
    TIcon empty;
    TMemoryStream out;
    EXPECT_THROW(empty.SaveToStream(&out), EInvalidGraphic);
}
