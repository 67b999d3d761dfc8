#include "skin/engine/ZLibEx.h"

#include <algorithm>
#include <cstring>

namespace skin {

namespace {

// The version text and record size zlib's initialisers check (only the first
// digit of the version is compared, so any zlib 1.x accepts it).
const char* const kZLibVersion = "1.2.3";
constexpr int kStreamRecSize = 56;
static_assert(sizeof(TZStreamRec) == kStreamRecSize, "zlib's stream record must have its 32-bit layout");

const wchar_t* const kInvalidOperation = L"Invalid ZStream operation!";
constexpr int kSkipBlock = 16384;
constexpr int kOneShotBlock = 32768;

// A stream that asks for a preset dictionary never progresses; nothing we
// read has one, so it is corrupt data, not a reason to loop.
int Inflate(TZStreamRec& z, int flush) {
    int ret = inflate(&z, flush);
    return ret == Z_NEED_DICT ? Z_DATA_ERROR : ret;
}

}  // namespace

int ZLevel(TZCompressionLevel level) {
    static const int levels[] = {0, 1, -1, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    return levels[level];
}

int ZStrategy(TZStrategy strategy) { return static_cast<int>(strategy); }

int ZErrorCode(TZError error) { return -1 - static_cast<int>(error); }

String ZErrorMessage(int code) {
    switch (code) {
        case 2:
            return L"need dictionary";
        case 1:
            return L"stream end";
        case 0:
            return L"ok";
        case -1:
            return L"file error";
        case -2:
            return L"stream error";
        case -3:
            return L"data error";
        case -4:
            return L"insufficient memory";
        case -5:
            return L"buffer error";
        case -6:
            return L"incompatible version";
        default:
            return L"";
    }
}

EZLibError::EZLibError(int code, const String&) : Exception(ZErrorMessage(code)), ErrorCode(code) {}
EZLibError::EZLibError(TZError error, const String& dummy) : EZLibError(ZErrorCode(error), dummy) {}

int CheckCompressResult(int code) {
    if (code < 0) throw EZCompressionError(code, String());
    return code;
}

int CheckDecompressResult(int code) {
    if (code < 0) throw EZDecompressionError(code, String());
    return code;
}

int InflateInit(TZStreamRec& stream) { return inflateInit_(&stream, kZLibVersion, kStreamRecSize); }
int InflateInit2(TZStreamRec& stream, int windowBits) {
    return inflateInit2_(&stream, windowBits, kZLibVersion, kStreamRecSize);
}
int DeflateInit(TZStreamRec& stream, int level) { return deflateInit_(&stream, level, kZLibVersion, kStreamRecSize); }
int DeflateInit2(TZStreamRec& stream, int level, int windowBits, int memLevel, int strategy) {
    return deflateInit2_(&stream, level, Z_DEFLATED, windowBits, memLevel, strategy, kZLibVersion, kStreamRecSize);
}

// ---- TCustomZStream --------------------------------------------------------

TCustomZStream::TCustomZStream(fw::TStream* stream)
    : FStream(stream), FStreamPos(stream->Position()), FBuffer(BufferSize) {}

void TCustomZStream::DoProgress() {
    if (OnProgress) OnProgress(this);
}

// ---- TZCompressionStream ---------------------------------------------------

TZCompressionStream::TZCompressionStream(fw::TStream* dest, TZCompressionLevel compressionLevel)
    : TCustomZStream(dest) {
    FZStream.next_out = FBuffer.data();
    FZStream.avail_out = BufferSize;
    CheckCompressResult(DeflateInit(FZStream, ZLevel(compressionLevel)));
}

TZCompressionStream::TZCompressionStream(fw::TStream* dest, TZCompressionLevel compressionLevel, int windowBits,
                                         int memLevel, TZStrategy strategy)
    : TCustomZStream(dest) {
    FZStream.next_out = FBuffer.data();
    FZStream.avail_out = BufferSize;
    CheckCompressResult(DeflateInit2(FZStream, ZLevel(compressionLevel), windowBits, memLevel, ZStrategy(strategy)));
}

TZCompressionStream::~TZCompressionStream() {
    if (finished_) return;
    try {
        Finish();
    } catch (...) {
        // Finish has ended the zlib stream; a destructor cannot report more.
    }
}

void TZCompressionStream::FlushBuffer() {
    FStream->WriteBuffer(FBuffer.data(), BufferSize);
    FZStream.next_out = FBuffer.data();
    FZStream.avail_out = BufferSize;
    FStreamPos = FStream->Position();
    DoProgress();
}

int TZCompressionStream::Read(void*, int) { throw EZCompressionError(kInvalidOperation); }

int TZCompressionStream::Write(const void* Buffer, int Count) {
    if (finished_) throw EZCompressionError(kInvalidOperation);
    if (Count <= 0) return 0;
    FZStream.next_in = static_cast<Bytef*>(const_cast<void*>(Buffer));
    FZStream.avail_in = static_cast<uInt>(Count);
    if (FStream->Position() != FStreamPos) FStream->SetPosition(FStreamPos);
    while (FZStream.avail_in > 0) {
        CheckCompressResult(deflate(&FZStream, Z_NO_FLUSH));
        if (FZStream.avail_out == 0) FlushBuffer();
    }
    return Count;
}

int64_t TZCompressionStream::Seek(int64_t Offset, fw::TSeekOrigin Origin) {
    if (Offset == 0 && Origin == fw::soCurrent) return FZStream.total_in;
    throw EZCompressionError(kInvalidOperation);
}

void TZCompressionStream::Finish() {
    if (finished_) return;
    finished_ = true;
    try {
        FZStream.next_in = nullptr;
        FZStream.avail_in = 0;
        if (FStream->Position() != FStreamPos) FStream->SetPosition(FStreamPos);
        int ret;
        do {
            ret = CheckCompressResult(deflate(&FZStream, Z_FINISH));
            if (FZStream.avail_out == 0) FlushBuffer();
        } while (ret != Z_STREAM_END);
        int rest = BufferSize - static_cast<int>(FZStream.avail_out);
        if (rest > 0) {
            FStream->WriteBuffer(FBuffer.data(), rest);
            FStreamPos = FStream->Position();
        }
    } catch (...) {
        deflateEnd(&FZStream);
        throw;
    }
    deflateEnd(&FZStream);
}

float TZCompressionStream::CompressionRate() const {
    if (FZStream.total_in == 0) return 0;
    return (1.0f - float(FZStream.total_out) / float(FZStream.total_in)) * 100.0f;
}

// ---- TZDecompressionStream -------------------------------------------------

TZDecompressionStream::TZDecompressionStream(fw::TStream* source) : TCustomZStream(source) {
    FZStream.next_in = FBuffer.data();
    FZStream.avail_in = 0;
    CheckDecompressResult(InflateInit(FZStream));
}

TZDecompressionStream::TZDecompressionStream(fw::TStream* source, int windowBits) : TCustomZStream(source) {
    FZStream.next_in = FBuffer.data();
    FZStream.avail_in = 0;
    CheckDecompressResult(InflateInit2(FZStream, windowBits));
}

TZDecompressionStream::~TZDecompressionStream() { inflateEnd(&FZStream); }

int TZDecompressionStream::Read(void* Buffer, int Count) {
    if (Count <= 0) return 0;
    FZStream.next_out = static_cast<Bytef*>(Buffer);
    FZStream.avail_out = static_cast<uInt>(Count);
    if (FStream->Position() != FStreamPos) FStream->SetPosition(FStreamPos);
    while (FZStream.avail_out > 0 && !ended_) {
        if (FZStream.avail_in == 0) {
            int got = FStream->Read(FBuffer.data(), BufferSize);
            if (got <= 0) return Count - static_cast<int>(FZStream.avail_out);
            FZStream.next_in = FBuffer.data();
            FZStream.avail_in = static_cast<uInt>(got);
            FStreamPos = FStream->Position();
            DoProgress();
        }
        if (CheckDecompressResult(Inflate(FZStream, Z_NO_FLUSH)) == Z_STREAM_END) ended_ = true;
    }
    if (ended_ && FZStream.avail_in > 0) {
        FStreamPos = FStream->Seek(-static_cast<int64_t>(FZStream.avail_in), fw::soCurrent);
        FZStream.next_in = FBuffer.data();
        FZStream.avail_in = 0;
    }
    return Count - static_cast<int>(FZStream.avail_out);
}

int TZDecompressionStream::Write(const void*, int) { throw EZDecompressionError(kInvalidOperation); }

int64_t TZDecompressionStream::Seek(int64_t Offset, fw::TSeekOrigin Origin) {
    int64_t skip = -1;
    if (Offset == 0 && Origin == fw::soBeginning) {
        CheckDecompressResult(inflateReset(&FZStream));
        FZStream.next_in = FBuffer.data();
        FZStream.avail_in = 0;
        ended_ = false;
        FStream->SetPosition(0);
        FStreamPos = 0;
    } else if (Origin == fw::soCurrent && Offset >= 0) {
        skip = Offset;
    } else if (Origin == fw::soBeginning && Offset > static_cast<int64_t>(FZStream.total_out)) {
        skip = Offset - static_cast<int64_t>(FZStream.total_out);
    } else if (Origin == fw::soEnd && Offset == 0) {
        std::vector<uint8_t> block(kSkipBlock);
        while (Read(block.data(), kSkipBlock) > 0) {
        }
    } else {
        throw EZDecompressionError(kInvalidOperation);
    }
    if (skip > 0) {
        std::vector<uint8_t> block(kSkipBlock);
        while (skip > 0) {
            int n = skip > kSkipBlock ? kSkipBlock : static_cast<int>(skip);
            ReadBuffer(block.data(), n);
            skip -= n;
        }
    }
    return FZStream.total_out;
}

// ---- One-shot buffer functions ------------------------------------------------

namespace {

void CompressBuffer(const void* inBuffer, int inSize, std::vector<uint8_t>& out, int level, int windowBits,
                    int memLevel, int strategy, bool simple) {
    TZStreamRec z{};
    CheckCompressResult(simple ? DeflateInit(z, level) : DeflateInit2(z, level, windowBits, memLevel, strategy));
    try {
        out.assign(static_cast<size_t>((inSize + inSize / 10 + 12 + 255) & ~255), 0);
        z.next_in = static_cast<Bytef*>(const_cast<void*>(inBuffer));
        z.avail_in = static_cast<uInt>(inSize);
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        while (CheckCompressResult(deflate(&z, Z_FINISH)) != Z_STREAM_END) {
            out.resize(out.size() + 256);
            z.next_out = out.data() + z.total_out;
            z.avail_out = static_cast<uInt>(out.size() - z.total_out);
        }
    } catch (...) {
        deflateEnd(&z);
        out.clear();
        throw;
    }
    CheckCompressResult(deflateEnd(&z));
    out.resize(z.total_out);
}

void DecompressBuffer(const void* inBuffer, int inSize, std::vector<uint8_t>& out, int outEstimate, int windowBits,
                      bool simple) {
    TZStreamRec z{};
    CheckDecompressResult(simple ? InflateInit(z) : InflateInit2(z, windowBits));
    try {
        size_t step = static_cast<size_t>((inSize + 255) & ~255);
        out.assign(outEstimate > 0 ? static_cast<size_t>(outEstimate) : step, 0);
        z.next_in = static_cast<Bytef*>(const_cast<void*>(inBuffer));
        z.avail_in = static_cast<uInt>(inSize);
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        while (CheckDecompressResult(Inflate(z, Z_NO_FLUSH)) != Z_STREAM_END) {
            // Doubling: a fixed step makes highly compressed data cost
            // quadratic copying.
            out.resize(out.size() + std::max(step, out.size()));
            z.next_out = out.data() + z.total_out;
            z.avail_out = static_cast<uInt>(out.size() - z.total_out);
        }
    } catch (...) {
        inflateEnd(&z);
        out.clear();
        throw;
    }
    CheckDecompressResult(inflateEnd(&z));
    out.resize(z.total_out);
}

void CompressStreams(fw::TStream* in, fw::TStream* out, TZStreamRec& z) {
    std::vector<uint8_t> inBuf(kOneShotBlock), outBuf(kOneShotBlock);
    try {
        int got;
        while ((got = in->Read(inBuf.data(), kOneShotBlock)) > 0) {
            z.next_in = inBuf.data();
            z.avail_in = static_cast<uInt>(got);
            do {
                z.next_out = outBuf.data();
                z.avail_out = kOneShotBlock;
                CheckCompressResult(deflate(&z, Z_NO_FLUSH));
                out->WriteBuffer(outBuf.data(), kOneShotBlock - static_cast<int>(z.avail_out));
            } while (z.avail_in > 0 || z.avail_out == 0);
        }
        // No input at all gives no output, not even a header.
        if (z.total_in > 0) {
            int ret;
            do {
                z.next_out = outBuf.data();
                z.avail_out = kOneShotBlock;
                ret = CheckCompressResult(deflate(&z, Z_FINISH));
                out->WriteBuffer(outBuf.data(), kOneShotBlock - static_cast<int>(z.avail_out));
            } while (ret != Z_STREAM_END);
        }
    } catch (...) {
        deflateEnd(&z);
        throw;
    }
    CheckCompressResult(deflateEnd(&z));
}

void DecompressStreams(fw::TStream* in, fw::TStream* out, TZStreamRec& z) {
    std::vector<uint8_t> inBuf(kOneShotBlock), outBuf(kOneShotBlock);
    try {
        int ret = Z_OK;
        int got;
        while (ret != Z_STREAM_END && (got = in->Read(inBuf.data(), kOneShotBlock)) > 0) {
            z.next_in = inBuf.data();
            z.avail_in = static_cast<uInt>(got);
            do {
                z.next_out = outBuf.data();
                z.avail_out = kOneShotBlock;
                ret = CheckDecompressResult(Inflate(z, Z_NO_FLUSH));
                out->WriteBuffer(outBuf.data(), kOneShotBlock - static_cast<int>(z.avail_out));
            } while (ret != Z_STREAM_END && (z.avail_in > 0 || z.avail_out == 0));
        }
        if (ret == Z_STREAM_END) {
            if (z.avail_in > 0) in->Seek(-static_cast<int64_t>(z.avail_in), fw::soCurrent);
        } else {
            // Input ran out early: finishing reports the truncation as "buffer error".
            do {
                z.next_out = outBuf.data();
                z.avail_out = kOneShotBlock;
                ret = CheckDecompressResult(Inflate(z, Z_FINISH));
                out->WriteBuffer(outBuf.data(), kOneShotBlock - static_cast<int>(z.avail_out));
            } while (ret != Z_STREAM_END);
        }
    } catch (...) {
        inflateEnd(&z);
        throw;
    }
    CheckDecompressResult(inflateEnd(&z));
}

std::string FromBytes(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

}  // namespace

void ZCompress(const void* inBuffer, int inSize, std::vector<uint8_t>& outBuffer, TZCompressionLevel level) {
    CompressBuffer(inBuffer, inSize, outBuffer, ZLevel(level), 0, 0, 0, true);
}

void ZCompress2(const void* inBuffer, int inSize, std::vector<uint8_t>& outBuffer, TZCompressionLevel level,
                int windowBits, int memLevel, TZStrategy strategy) {
    CompressBuffer(inBuffer, inSize, outBuffer, ZLevel(level), windowBits, memLevel, ZStrategy(strategy), false);
}

void ZDecompress(const void* inBuffer, int inSize, std::vector<uint8_t>& outBuffer, int outEstimate) {
    DecompressBuffer(inBuffer, inSize, outBuffer, outEstimate, 0, true);
}

void ZDecompress2(const void* inBuffer, int inSize, std::vector<uint8_t>& outBuffer, int windowBits, int outEstimate) {
    DecompressBuffer(inBuffer, inSize, outBuffer, outEstimate, windowBits, false);
}

void ZCompressStream(fw::TStream* inStream, fw::TStream* outStream, TZCompressionLevel level) {
    TZStreamRec z{};
    CheckCompressResult(DeflateInit(z, ZLevel(level)));
    CompressStreams(inStream, outStream, z);
}

void ZCompressStream2(fw::TStream* inStream, fw::TStream* outStream, TZCompressionLevel level, int windowBits,
                      int memLevel, TZStrategy strategy) {
    TZStreamRec z{};
    CheckCompressResult(DeflateInit2(z, ZLevel(level), windowBits, memLevel, ZStrategy(strategy)));
    CompressStreams(inStream, outStream, z);
}

void ZCompressStreamWeb(fw::TStream* inStream, fw::TStream* outStream) {
    ZCompressStream2(inStream, outStream, zcFastest, -15, 9, zsDefault);
}

void ZDecompressStream(fw::TStream* inStream, fw::TStream* outStream) {
    TZStreamRec z{};
    CheckDecompressResult(InflateInit(z));
    DecompressStreams(inStream, outStream, z);
}

void ZDecompressStream2(fw::TStream* inStream, fw::TStream* outStream, int windowBits) {
    TZStreamRec z{};
    CheckDecompressResult(InflateInit2(z, windowBits));
    DecompressStreams(inStream, outStream, z);
}

std::string ZCompressStr(const std::string& s, TZCompressionLevel level) {
    std::vector<uint8_t> out;
    ZCompress(s.data(), static_cast<int>(s.size()), out, level);
    return FromBytes(out);
}

std::string ZCompressStrEx(const std::string& s, TZCompressionLevel level) {
    uint32_t n = static_cast<uint32_t>(s.size());
    std::string head(4, '\0');
    for (int i = 0; i < 4; ++i) head[i] = static_cast<char>((n >> (8 * i)) & 0xFF);
    return head + ZCompressStr(s, level);
}

std::string ZCompressStr2(const std::string& s, TZCompressionLevel level, int windowBits, int memLevel,
                          TZStrategy strategy) {
    std::vector<uint8_t> out;
    ZCompress2(s.data(), static_cast<int>(s.size()), out, level, windowBits, memLevel, strategy);
    return FromBytes(out);
}

std::string ZCompressStrWeb(const std::string& s) { return ZCompressStr2(s, zcFastest, -15, 9, zsDefault); }

std::string ZDecompressStr(const std::string& s) {
    std::vector<uint8_t> out;
    ZDecompress(s.data(), static_cast<int>(s.size()), out);
    return FromBytes(out);
}

std::string ZDecompressStrEx(const std::string& s) {
    if (s.size() < 4) throw EZDecompressionError(Z_BUF_ERROR, String());
    uint32_t n = 0;
    for (int i = 0; i < 4; ++i) n |= uint32_t(uint8_t(s[i])) << (8 * i);
    std::vector<uint8_t> out;
    // The stored length is only a size hint; the data decides.
    int estimate = n <= 64u * 1024 * 1024 ? static_cast<int>(n) : 0;
    ZDecompress(s.data() + 4, static_cast<int>(s.size() - 4), out, estimate);
    return FromBytes(out);
}

std::string ZDecompressStr2(const std::string& s, int windowBits) {
    std::vector<uint8_t> out;
    ZDecompress2(s.data(), static_cast<int>(s.size()), out, windowBits);
    return FromBytes(out);
}

uint32_t ZAdler32(uint32_t adler, const void* buffer, int size) {
    return adler32(adler, static_cast<const Bytef*>(buffer), static_cast<uInt>(size));
}

uint32_t ZCrc32(uint32_t crc, const void* buffer, int size) {
    return crc32(crc, static_cast<const Bytef*>(buffer), static_cast<uInt>(size));
}

}  // namespace skin
