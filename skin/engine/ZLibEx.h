// A thin layer over zlib: streams that deflate while written or inflate while
// read, one-shot buffer and stream helpers, and the zlib error classes. zlib
// itself is linked in, never re-implemented here.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <vector>

#include "framework/rtl/Exception.h"
#include "framework/rtl/Method.h"
#include "framework/rtl/Streams.h"

namespace skin {

using String = fw::String;

// zlib's stream record in its 32-bit layout; every user zero-fills it first.
using TZStreamRec = z_stream;

enum TZCompressionLevel {
    zcNone,
    zcFastest,
    zcDefault,
    zcMax,
    zcLevel1,
    zcLevel2,
    zcLevel3,
    zcLevel4,
    zcLevel5,
    zcLevel6,
    zcLevel7,
    zcLevel8,
    zcLevel9
};
enum TZStrategy { zsDefault, zsFiltered, zsHuffman, zsRLE, zsFixed };
enum TZError { zeError, zeStreamError, zeDataError, zeMemoryError, zeBufferError, zeVersionError };

int ZLevel(TZCompressionLevel level);
int ZStrategy(TZStrategy strategy);
int ZErrorCode(TZError error);

// The text zlib codes are reported with ("data error" for -3); empty outside 2..-7.
String ZErrorMessage(int code);

class EZLibError : public fw::Exception {
public:
    // From a zlib code: the code's text; the second argument is not used.
    EZLibError(int code, const String& dummy);
    EZLibError(TZError error, const String& dummy);
    // A plain message, ErrorCode 0 (stream misuse).
    explicit EZLibError(const String& message) : Exception(message) {}
    String ClassName() const override { return L"EZLibError"; }

    int ErrorCode = 0;
};

class EZCompressionError : public EZLibError {
public:
    using EZLibError::EZLibError;
    String ClassName() const override { return L"EZCompressionError"; }
};

class EZDecompressionError : public EZLibError {
public:
    using EZLibError::EZLibError;
    String ClassName() const override { return L"EZDecompressionError"; }
};

// Pass codes >= 0 through; raise the side's error for negative ones.
int CheckCompressResult(int code);
int CheckDecompressResult(int code);

// zlib initialisation with the version text and record size its interface
// checks; they return zlib's code unchecked.
int InflateInit(TZStreamRec& stream);
int InflateInit2(TZStreamRec& stream, int windowBits);
int DeflateInit(TZStreamRec& stream, int level);
int DeflateInit2(TZStreamRec& stream, int level, int windowBits, int memLevel, int strategy);

// The shared part of both directions: the compressed-side stream (not owned),
// where in it this stream last left off, the zlib record and a 128 KiB buffer.
class TCustomZStream : public fw::TStream {
public:
    static constexpr int BufferSize = 131072;

    String ClassName() const override { return L"TCustomZStream"; }

    fw::TNotifyEvent OnProgress;

protected:
    explicit TCustomZStream(fw::TStream* stream);
    virtual void DoProgress();

    fw::TStream* FStream;
    int64_t FStreamPos;
    TZStreamRec FZStream{};
    std::vector<uint8_t> FBuffer;
};

// Write-only. The compressed data is complete after Finish (or destruction).
class TZCompressionStream : public TCustomZStream {
public:
    TZCompressionStream(fw::TStream* dest, TZCompressionLevel compressionLevel);
    TZCompressionStream(fw::TStream* dest, TZCompressionLevel compressionLevel, int windowBits, int memLevel,
                        TZStrategy strategy);
    // Finishes the zlib data when Finish was not called; errors there cannot
    // leave a destructor, so callers that must know call Finish first.
    ~TZCompressionStream() override;
    String ClassName() const override { return L"TZCompressionStream"; }

    int Read(void* Buffer, int Count) override;
    int Write(const void* Buffer, int Count) override;
    int64_t Seek(int64_t Offset, fw::TSeekOrigin Origin) override;

    // Writes the rest of the zlib data (trailer included) and ends the zlib
    // stream; raises on failure, after ending it. Later writes raise.
    void Finish();
    float CompressionRate() const;

private:
    void FlushBuffer();
    bool finished_ = false;
};

// Read-only. After the last byte of a zlib stream is read, the source stands
// just after that stream's data, so zlib streams may lie back to back.
class TZDecompressionStream : public TCustomZStream {
public:
    explicit TZDecompressionStream(fw::TStream* source);
    TZDecompressionStream(fw::TStream* source, int windowBits);
    ~TZDecompressionStream() override;
    String ClassName() const override { return L"TZDecompressionStream"; }

    int Read(void* Buffer, int Count) override;
    int Write(const void* Buffer, int Count) override;
    int64_t Seek(int64_t Offset, fw::TSeekOrigin Origin) override;

    // True once zlib reported the end of the compressed data.
    bool StreamEnded() const { return ended_; }

private:
    bool ended_ = false;
};

// One-shot buffer functions; the caller owns the returned vector.
void ZCompress(const void* inBuffer, int inSize, std::vector<uint8_t>& outBuffer, TZCompressionLevel level = zcDefault);
void ZCompress2(const void* inBuffer, int inSize, std::vector<uint8_t>& outBuffer, TZCompressionLevel level,
                int windowBits, int memLevel, TZStrategy strategy);
void ZDecompress(const void* inBuffer, int inSize, std::vector<uint8_t>& outBuffer, int outEstimate = 0);
void ZDecompress2(const void* inBuffer, int inSize, std::vector<uint8_t>& outBuffer, int windowBits,
                  int outEstimate = 0);

// One-shot stream functions, in 32 KiB blocks.
void ZCompressStream(fw::TStream* inStream, fw::TStream* outStream, TZCompressionLevel level = zcDefault);
void ZCompressStream2(fw::TStream* inStream, fw::TStream* outStream, TZCompressionLevel level, int windowBits,
                      int memLevel, TZStrategy strategy);
// Raw deflate (no zlib header), fastest level.
void ZCompressStreamWeb(fw::TStream* inStream, fw::TStream* outStream);
void ZDecompressStream(fw::TStream* inStream, fw::TStream* outStream);
void ZDecompressStream2(fw::TStream* inStream, fw::TStream* outStream, int windowBits);

// Byte-string forms of the buffer functions (bytes in, bytes out). The "Ex"
// forms put the uncompressed length in 4 little-endian bytes in front.
std::string ZCompressStr(const std::string& s, TZCompressionLevel level = zcDefault);
std::string ZCompressStrEx(const std::string& s, TZCompressionLevel level = zcDefault);
std::string ZCompressStr2(const std::string& s, TZCompressionLevel level, int windowBits, int memLevel,
                          TZStrategy strategy);
std::string ZCompressStrWeb(const std::string& s);
std::string ZDecompressStr(const std::string& s);
std::string ZDecompressStrEx(const std::string& s);
std::string ZDecompressStr2(const std::string& s, int windowBits);

uint32_t ZAdler32(uint32_t adler, const void* buffer, int size);
uint32_t ZCrc32(uint32_t crc, const void* buffer, int size);

}  // namespace skin
