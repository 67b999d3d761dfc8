// A stand-in lame_enc.dll that journals every call into the file named by
// KVB_LAME_JOURNAL, for checking what the MP3 sink sends and in what order.
// beInitStream fails with the code in KVB_LAME_INIT_ERROR when it is set.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <BladeMP3EncDLL.h>

namespace {

void Journal(const char* format, ...) {
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA("KVB_LAME_JOURNAL", path, MAX_PATH)) return;
    FILE* f = std::fopen(path, "ab");
    if (!f) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(f, format, args);
    va_end(args);
    std::fputc('\n', f);
    std::fclose(f);
}

int stream = 0;

}  // namespace

extern "C" {

__declspec(dllexport) BE_ERR beInitStream(PBE_CONFIG config, PDWORD samples, PDWORD bufferSize, PHBE_STREAM handle) {
    char hex[2 * sizeof(BE_CONFIG) + 1];
    const auto* bytes = reinterpret_cast<const unsigned char*>(config);
    for (size_t i = 0; i < sizeof(BE_CONFIG); ++i) std::sprintf(hex + 2 * i, "%02x", bytes[i]);
    Journal("beInitStream %s", hex);
    char error[16];
    if (GetEnvironmentVariableA("KVB_LAME_INIT_ERROR", error, sizeof error)) return std::strtoul(error, nullptr, 10);
    *samples = config->format.LHV1.nMode == BE_MP3_MODE_MONO ? 1152 : 2304;
    *bufferSize = 8640;
    *handle = &stream;
    return BE_ERR_SUCCESSFUL;
}

__declspec(dllexport) BE_ERR beEncodeChunk(HBE_STREAM handle, DWORD samples, PSHORT, PBYTE out, PDWORD outBytes) {
    Journal("beEncodeChunk %s %lu", handle == &stream ? "stream" : "?", samples);
    std::memcpy(out, "CHNK", 4);
    *outBytes = 4;
    return BE_ERR_SUCCESSFUL;
}

__declspec(dllexport) BE_ERR beDeinitStream(HBE_STREAM handle, PBYTE out, PDWORD outBytes) {
    Journal("beDeinitStream %s", handle == &stream ? "stream" : "?");
    std::memcpy(out, "LAST", 4);
    *outBytes = 4;
    return BE_ERR_SUCCESSFUL;
}

__declspec(dllexport) BE_ERR beCloseStream(HBE_STREAM handle) {
    Journal("beCloseStream %s", handle == &stream ? "stream" : "?");
    return BE_ERR_SUCCESSFUL;
}

// Says whether the sink has closed the file and what it ends with.
__declspec(dllexport) BE_ERR beWriteVBRHeader(LPCSTR path) {
    HANDLE h = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    char tail[4] = "";
    if (h != INVALID_HANDLE_VALUE) {
        SetFilePointer(h, -128, nullptr, FILE_END);
        DWORD read = 0;
        ReadFile(h, tail, 3, &read, nullptr);
        CloseHandle(h);
    }
    Journal("beWriteVBRHeader %s %s", h != INVALID_HANDLE_VALUE ? "closed" : "still-open", tail);
    return BE_ERR_SUCCESSFUL;
}

__declspec(dllexport) BE_ERR beFlushNoGap(HBE_STREAM, PBYTE, PDWORD) {
    Journal("beFlushNoGap");
    return BE_ERR_SUCCESSFUL;
}

__declspec(dllexport) BE_ERR beWriteInfoTag(HBE_STREAM, LPCSTR) {
    Journal("beWriteInfoTag");
    return BE_ERR_SUCCESSFUL;
}

}  // extern "C"
