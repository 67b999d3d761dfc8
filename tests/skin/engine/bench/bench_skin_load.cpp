// Time to load the default skin through the skin manager, beside the time of
// a plain read of the same packed file into memory (the floor: the bytes
// must at least be read once), and of unpacking it (ExtractPackedData).
// Usage: bench_skin_load.exe [packed skin]; without arguments the committed
// default skin. Results go to standard output; the numbers are written down
// in skin/engine/BENCHMARKS.md.
#include <windows.h>

#include "BenchTiming.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/rtl/IniFiles.h"
#include "framework/rtl/Streams.h"
#include "skin/engine/acSkinPack.h"
#include "skin/engine/sSkinManager.h"
#include "skin/engine/sStoredSkins.h"
#include "skins/TestSkins.h"

using namespace skin;

namespace {

using benchtiming::Best;
using benchtiming::Now;

std::vector<uint8_t> ReadAll(const std::wstring& path) {
    std::vector<uint8_t> out;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return out;
    LARGE_INTEGER size{};
    GetFileSizeEx(h, &size);
    out.resize(size_t(size.QuadPart));
    DWORD got = 0;
    ReadFile(h, out.data(), DWORD(out.size()), &got, nullptr);
    CloseHandle(h);
    out.resize(got);
    return out;
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring file = argc > 1 ? argv[1] : kvbskins::SkinsPath(kvbskins::kDefaultSkin) + L".asz";
    const size_t folderEnd = file.find_last_of(L'\\');
    const std::wstring dir = file.substr(0, folderEnd);
    std::wstring name = file.substr(folderEnd + 1);
    name = name.substr(0, name.find(L'.'));
    const std::vector<uint8_t> bytes = ReadAll(file);
    if (bytes.empty()) {
        fwprintf(stderr, L"cannot read %ls\n", file.c_str());
        return 1;
    }
    constexpr int kRuns = 15;

    const double read = Best(kRuns, [&] {
        volatile size_t n = ReadAll(file).size();
        (void)n;
    });
    const double unpack = Best(kRuns, [&] {
        TacSkinConvertor sc;
        fw::TMemoryStream s;
        s.Write(bytes.data(), int(bytes.size()));
        ExtractPackedData(sc, s);
    });
    // The whole load from the packed file: container, images, sections,
    // indexes (no windows to broadcast to).
    auto* sm = new TsSkinManager(nullptr);
    sm->AfterConstruction();
    sm->SetSkinDirectory(dir);
    const double packed = Best(kRuns, [&] { sm->SetSkinName(name); });
    const bool ok = sm->SkinIsPacked && !sm->gd.empty();
    const size_t sections = sm->gd.size(), images = sm->ma.size();
    // The same bytes as the stored skin, as the viewer loads them.
    sm->SetSkinDirectory(L"C:\\NoSkinsHere");
    TsStoredSkin* item = sm->InternalSkins()->Add();
    item->SetName(name);
    item->PackedData->Write(bytes.data(), int(bytes.size()));
    const double stored = Best(kRuns, [&] { sm->SetSkinName(name); });
    // Where a load goes: the loaders run one by one as a load runs them
    // (best of the runs for each step).
    double phase[6];
    std::fill(std::begin(phase), std::end(phase), 1e30);
    sm->SetSkinDirectory(dir);
    sm->SetSkinName(name);
    for (int run = 0; run < kRuns; ++run) {
        double t = Now(), t1;
        auto lap = [&](int i) {
            t1 = Now();
            phase[i] = std::min(phase[i], t1 - t);
            t = t1;
        };
        sm->sc = std::make_unique<TacSkinConvertor>();
        {
            fw::TMemoryStream s;
            s.Write(bytes.data(), int(bytes.size()));
            ExtractPackedData(*sm->sc, s);
        }
        lap(0);
        sm->sc->Options->SetPosition(0);
        fw::TStringList lines;
        lines.LoadFromStream(sm->sc->Options.get());
        auto* ini = new fw::TMemIniFile;
        ini->SetStrings(&lines);
        sm->SkinData->SkinFile = ini;
        lap(1);
        sm->LoadAllMasks();
        lap(2);
        sm->LoadAllPatterns();
        lap(3);
        sm->LoadAllGeneralData();
        lap(4);
        sm->InitConstantIndexes();
        lap(5);
        delete sm->SkinData->SkinFile;
        sm->SkinData->SkinFile = nullptr;
        sm->sc.reset();
    }
    sm->Free();

    wprintf(L"skin %ls: %u bytes packed, %u sections, %u images, loaded %ls\n", file.c_str(), unsigned(bytes.size()),
            unsigned(sections), unsigned(images), ok ? L"ok" : L"FAILED");
    wprintf(L"plain read of the file      %8.3f ms\n", read * 1e3);
    wprintf(L"unpack (ExtractPackedData)  %8.3f ms\n", unpack * 1e3);
    wprintf(L"load from the packed file   %8.3f ms  (%.1f x the read)\n", packed * 1e3, packed / read);
    wprintf(L"load as the stored skin     %8.3f ms  (%.1f x the read)\n", stored * 1e3, stored / read);
    const wchar_t* steps[6] = {L"unpack",   L"options into an INI",     L"images (master bitmap, image values)",
                               L"patterns", L"general data (sections)", L"indexes"};
    for (int i = 0; i < 6; ++i) wprintf(L"  step: %-38ls %8.3f ms\n", steps[i], phase[i] * 1e3);
    return ok ? 0 : 1;
}
