// Speed of the packed-skin reader and the PNG reader against their physical
// limits on this machine, in one process:
//   1. a large container entry read by ExtractPackedData and by a plain
//      TZDecompressionStream, against zlib's one-call inflate into memory;
//   2. PNG decoding by TPNGGraphic against the system decoder (WIC) on the
//      same file, WIC converting to 32-bit BGRA in memory.
// Usage: bench_skin_engine.exe [png file ...]; without arguments the corpus'
// bench_rgba_1024.png beside the tests. Results go to standard output; the
// numbers are written down in skin/engine/BENCHMARKS.md.
#include <windows.h>

#include "BenchTiming.h"

#include <shellapi.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "skin/engine/PNGGraphic.h"
#include "skin/engine/ZLibEx.h"
#include "skin/engine/acSkinPack.h"

using namespace skin;

namespace {

using benchtiming::Best;
using benchtiming::Now;

// Bitmap-like data: runs and gradients with some noise, compressing about 3:1.
std::vector<uint8_t> SkinLikeBytes(size_t n) {
    std::mt19937 rng(42);
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t((i / 3) % 256 + ((rng() % 8) == 0 ? rng() % 16 : 0));
    return v;
}

void BenchContainer() {
    const size_t n = 48u * 1024 * 1024;
    std::vector<uint8_t> data = SkinLikeBytes(n);
    std::vector<uint8_t> packed(compressBound(uLong(n)));
    uLongf plen = uLongf(packed.size());
    compress2(packed.data(), &plen, data.data(), uLong(n), Z_DEFAULT_COMPRESSION);
    packed.resize(plen);

    fw::TMemoryStream container;
    auto put32 = [&](int32_t v) { container.WriteBuffer(&v, 4); };
    container.WriteBuffer("ASzf", 4);
    put32(2);
    put32(11);
    container.WriteBuffer("Options.dat", 11);
    put32(0);
    {
        std::vector<uint8_t> empty;
        uLongf elen = 64;
        std::vector<uint8_t> ez(64);
        compress2(ez.data(), &elen, nullptr, 0, Z_DEFAULT_COMPRESSION);
        container.WriteBuffer(ez.data(), int(elen));
    }
    put32(10);
    container.WriteBuffer("Master.bmp", 10);
    put32(int32_t(n));
    container.WriteBuffer(packed.data(), int(packed.size()));

    std::vector<uint8_t> out(n);
    const double tZlib = Best(5, [&] {
        uLongf olen = uLongf(n);
        uncompress(out.data(), &olen, packed.data(), uLong(packed.size()));
    });
    const double tStream = Best(5, [&] {
        fw::TMemoryStream src;
        src.WriteBuffer(packed.data(), int(packed.size()));
        src.SetPosition(0);
        TZDecompressionStream z(&src);
        z.ReadBuffer(out.data(), int(n));
    });
    const double tContainer = Best(5, [&] {
        TacSkinConvertor sc;
        ExtractPackedData(sc, container);
    });
    const double mb = double(n) / (1024 * 1024);
    std::printf("container entry: %.0f MiB unpacked, %.1f MiB packed\n", mb, double(packed.size()) / (1024 * 1024));
    std::printf("  zlib uncompress into memory : %8.1f ms  %7.1f MiB/s\n", tZlib * 1e3, mb / tZlib);
    std::printf("  TZDecompressionStream read  : %8.1f ms  %7.1f MiB/s  ratio %.2f\n", tStream * 1e3, mb / tStream,
                tStream / tZlib);
    std::printf("  ExtractPackedData (checked) : %8.1f ms  %7.1f MiB/s  ratio %.2f\n", tContainer * 1e3,
                mb / tContainer, tContainer / tZlib);
}

double WicDecode(IWICImagingFactory* factory, const std::wstring& file, std::vector<uint8_t>& pixels) {
    return Best(7, [&] {
        IWICBitmapDecoder* dec = nullptr;
        IWICBitmapFrameDecode* frame = nullptr;
        IWICFormatConverter* conv = nullptr;
        factory->CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &dec);
        if (!dec) return;
        dec->GetFrame(0, &frame);
        factory->CreateFormatConverter(&conv);
        conv->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                         WICBitmapPaletteTypeCustom);
        UINT w = 0, h = 0;
        conv->GetSize(&w, &h);
        pixels.resize(size_t(w) * h * 4);
        conv->CopyPixels(nullptr, w * 4, UINT(pixels.size()), pixels.data());
        conv->Release();
        frame->Release();
        dec->Release();
    });
}

void BenchPng(const std::wstring& file) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(&factory));
    TPNGGraphic png;
    const double tOurs = Best(7, [&] {
        fw::TFileStream s(file, fw::fmOpenRead | fw::fmShareDenyWrite);
        png.LoadFromStream(&s);
    });
    std::vector<uint8_t> wic;
    const double tWic = factory ? WicDecode(factory, file, wic) : 0;
    // Same pixels? (BGRA, straight alpha in both.)
    size_t diff = 0;
    const bool comparable = png.PixelFormat() == fw::pf32bit;
    if (comparable && wic.size() == size_t(png.Width()) * png.Height() * 4) {
        for (int y = 0; y < png.Height(); ++y)
            diff +=
                std::memcmp(png.ScanLine(y), wic.data() + size_t(y) * png.Width() * 4, size_t(png.Width()) * 4) ? 1 : 0;
    }
    std::printf("png %ls: %dx%d\n", file.c_str(), png.Width(), png.Height());
    if (diff && !wic.empty()) {
        const uint8_t* a = static_cast<const uint8_t*>(png.ScanLine(1));
        const uint8_t* b = wic.data() + size_t(png.Width()) * 4;
        std::printf("  first pixels of row 1: ours %u %u %u %u %u %u %u %u, WIC %u %u %u %u %u %u %u %u\n", a[0], a[1],
                    a[2], a[3], a[4], a[5], a[6], a[7], b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]);
    }
    std::printf("  TPNGGraphic.LoadFromStream : %8.2f ms\n", tOurs * 1e3);
    if (factory) {
        std::printf("  WIC decode to 32bppBGRA    : %8.2f ms\n", tWic * 1e3);
        std::printf("  ratio ours / WIC           : %8.2f", tOurs / tWic);
        if (comparable)
            std::printf("   (rows differing from WIC: %zu)\n", diff);
        else
            std::printf("   (ours is %d-bit, not compared)\n", png.PixelFormat() == fw::pf24bit ? 24 : 8);
        factory->Release();
    } else {
        std::printf("  WIC not available\n");
    }
}

}  // namespace

int main() {
    BenchContainer();
    std::vector<std::wstring> files;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i) files.push_back(argv[i]);
    LocalFree(argv);
    if (files.empty()) {
        std::string here = std::string(KVB_TESTS_DIR) + "/skin/engine/";
        std::wstring dir(here.begin(), here.end());
        for (auto& c : dir)
            if (c == L'/') c = L'\\';
        if (!dir.empty() && dir[0] == L'\\') dir = L"Z:" + dir;
        files.push_back(dir + L"data\\png\\bench_rgba_1024.png");
    }
    for (const auto& f : files) BenchPng(f);
    return 0;
}
