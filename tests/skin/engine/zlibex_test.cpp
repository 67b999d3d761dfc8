#include "skin/engine/ZLibEx.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace skin;

namespace {

std::vector<uint8_t> SampleBytes(size_t n, unsigned seed) {
    // Half text-like, half noise: compresses somewhat, never trivially.
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = (i / 64) % 2 ? uint8_t(rng()) : uint8_t('a' + (i % 13));
    return v;
}

std::vector<uint8_t> Deflated(const std::vector<uint8_t>& data, TZCompressionLevel level = zcDefault) {
    fw::TMemoryStream out;
    {
        TZCompressionStream z(&out, level);
        if (!data.empty()) z.WriteBuffer(data.data(), int(data.size()));
    }
    const uint8_t* p = static_cast<const uint8_t*>(out.Memory());
    return std::vector<uint8_t>(p, p + out.Size());
}

void Append(fw::TMemoryStream& s, const std::vector<uint8_t>& bytes) {
    s.Seek(0, fw::soEnd);
    if (!bytes.empty()) s.WriteBuffer(bytes.data(), int(bytes.size()));
}

struct Counter {
    int calls = 0;
    void Hit(fw::TObject*) { ++calls; }
};

}  // namespace

TEST(ZLibStreams, RoundTripOfSeveralSizesThroughPlainZlib) {
    for (size_t n : {size_t(0), size_t(1), size_t(4), size_t(131072), size_t(400000)}) {
        SCOPED_TRACE(n);
        auto data = SampleBytes(n, unsigned(n));
        auto packed = Deflated(data);
        // Independent check with zlib's own one-call inflate.
        std::vector<uint8_t> back(n + 1);
        uLongf len = uLongf(back.size());
        ASSERT_EQ(uncompress(back.data(), &len, packed.data(), uLong(packed.size())), Z_OK);
        back.resize(len);
        EXPECT_EQ(back, data);

        fw::TMemoryStream src;
        Append(src, packed);
        src.SetPosition(0);
        TZDecompressionStream z(&src);
        std::vector<uint8_t> read(n + 10);
        EXPECT_EQ(z.Read(read.data(), int(read.size())), int(n));
        read.resize(n);
        EXPECT_EQ(read, data);
        EXPECT_TRUE(z.StreamEnded());
    }
}

TEST(ZLibStreams, NeverWrittenCompressionStreamStillWritesACompleteStream) {
    auto packed = Deflated({});
    ASSERT_GE(packed.size(), 8u);
    EXPECT_EQ(packed[0], 0x78);
    EXPECT_EQ(packed[1], 0x9C);
    uint8_t dummy;
    uLongf len = 1;
    EXPECT_EQ(uncompress(&dummy, &len, packed.data(), uLong(packed.size())), Z_OK);
    EXPECT_EQ(len, 0u);
}

TEST(ZLibStreams, ShortReadLeavesSourceRightAfterTheZlibData) {
    auto packed = Deflated({1, 2, 3, 4});
    fw::TMemoryStream src;
    Append(src, packed);
    Append(src, std::vector<uint8_t>(200000, 0xEE));  // more than one read-ahead block
    src.SetPosition(0);
    TZDecompressionStream z(&src);
    uint8_t buf[10] = {};
    EXPECT_EQ(z.Read(buf, 10), 4);
    EXPECT_EQ(src.Position(), int64_t(packed.size()));
    EXPECT_EQ(buf[3], 4);
    EXPECT_EQ(z.Read(buf, 10), 0);
}

TEST(ZLibStreams, BackToBackStreamsReadByConsecutiveDecompressors) {
    auto a = SampleBytes(70000, 1), b = SampleBytes(3000, 2);
    fw::TMemoryStream src;
    {
        TZCompressionStream z(&src, zcMax);
        z.WriteBuffer(a.data(), int(a.size()));
    }
    {
        TZCompressionStream z(&src, zcFastest);
        z.WriteBuffer(b.data(), int(b.size()));
    }
    src.SetPosition(0);
    for (const auto* want : {&a, &b}) {
        TZDecompressionStream z(&src);
        std::vector<uint8_t> got(want->size());
        z.ReadBuffer(got.data(), int(got.size()));
        EXPECT_EQ(got, *want);
    }
    EXPECT_EQ(src.Position(), src.Size());
}

TEST(ZLibStreams, PositionsAndSeeks) {
    auto data = SampleBytes(50000, 3);
    fw::TMemoryStream dst;
    {
        TZCompressionStream z(&dst, zcDefault);
        z.WriteBuffer(data.data(), 1234);
        EXPECT_EQ(z.Position(), 1234);
        EXPECT_THROW(z.SetPosition(0), EZCompressionError);
        EXPECT_THROW(z.Seek(1, fw::soCurrent), EZCompressionError);
        z.WriteBuffer(data.data() + 1234, int(data.size()) - 1234);
        EXPECT_GT(z.CompressionRate(), 0.0f);
    }
    dst.SetPosition(0);
    TZDecompressionStream z(&dst);
    z.SetPosition(1000);  // forward: skipped
    uint8_t b = 0;
    z.ReadBuffer(&b, 1);
    EXPECT_EQ(b, data[1000]);
    EXPECT_EQ(z.Seek(10, fw::soCurrent), 1011);
    try {
        z.SetPosition(5);  // backward
        FAIL() << "backward seek accepted";
    } catch (const EZDecompressionError& e) {
        EXPECT_EQ(e.Message, L"Invalid ZStream operation!");
        EXPECT_EQ(e.ErrorCode, 0);
    }
    EXPECT_THROW(z.SetPosition(1011), EZDecompressionError);  // exactly where it stands, not 0
    EXPECT_EQ(z.Seek(0, fw::soEnd), int64_t(data.size()));
    EXPECT_EQ(z.Seek(0, fw::soBeginning), 0);  // restart from the source's start
    z.ReadBuffer(&b, 1);
    EXPECT_EQ(b, data[0]);
    EXPECT_THROW(z.Seek(int64_t(data.size()) + 5, fw::soBeginning), fw::EReadError);
}

TEST(ZLibStreams, WrongDirectionRaises) {
    fw::TMemoryStream m;
    uint8_t b = 0;
    {
        TZCompressionStream c(&m, zcDefault);
        EXPECT_THROW(c.Read(&b, 1), EZCompressionError);
    }
    m.SetPosition(0);
    TZDecompressionStream d(&m);
    EXPECT_THROW(d.Write(&b, 1), EZDecompressionError);
}

TEST(ZLibStreams, ErrorCodesAndTexts) {
    struct Case {
        int code;
        const wchar_t* text;
    } cases[] = {{2, L"need dictionary"},
                 {1, L"stream end"},
                 {0, L"ok"},
                 {-1, L"file error"},
                 {-2, L"stream error"},
                 {-3, L"data error"},
                 {-4, L"insufficient memory"},
                 {-5, L"buffer error"},
                 {-6, L"incompatible version"},
                 {-7, L""},
                 {-8, L""}};
    for (const auto& c : cases) EXPECT_EQ(ZErrorMessage(c.code), c.text) << c.code;
    EXPECT_EQ(CheckDecompressResult(1), 1);
    EXPECT_EQ(CheckCompressResult(2), 2);
    try {
        CheckDecompressResult(-3);
        FAIL();
    } catch (const EZDecompressionError& e) {
        EXPECT_EQ(e.Message, L"data error");
        EXPECT_EQ(e.ErrorCode, -3);
    }
    EXPECT_THROW(CheckCompressResult(-5), EZCompressionError);
    EZLibError fromEnum(zeVersionError, L"ignored");
    EXPECT_EQ(fromEnum.ErrorCode, -6);
    EXPECT_EQ(fromEnum.Message, L"incompatible version");
}

TEST(ZLibStreams, CorruptAndDictionaryStreamsRaiseInsteadOfLooping) {
    auto packed = Deflated(SampleBytes(5000, 4));
    packed[20] ^= 0xFF;
    packed[21] ^= 0x55;
    fw::TMemoryStream src;
    Append(src, packed);
    src.SetPosition(0);
    std::vector<uint8_t> out(5000);
    {
        TZDecompressionStream z(&src);
        EXPECT_THROW(z.ReadBuffer(out.data(), 5000), EZDecompressionError);
    }
    // A stream that asks for a preset dictionary (FDICT set) cannot make progress.
    TZStreamRec rec{};
    ASSERT_EQ(DeflateInit(rec, 6), Z_OK);
    const char dict[] = "dictionary words";
    deflateSetDictionary(&rec, reinterpret_cast<const Bytef*>(dict), sizeof dict);
    uint8_t in[100] = {}, buf[256];
    rec.next_in = in;
    rec.avail_in = sizeof in;
    rec.next_out = buf;
    rec.avail_out = sizeof buf;
    ASSERT_EQ(deflate(&rec, Z_FINISH), Z_STREAM_END);
    fw::TMemoryStream dsrc;
    dsrc.WriteBuffer(buf, int(rec.total_out));
    deflateEnd(&rec);
    dsrc.SetPosition(0);
    TZDecompressionStream z(&dsrc);
    EXPECT_THROW(z.Read(out.data(), 100), EZDecompressionError);
    std::vector<uint8_t> one;
    EXPECT_THROW(ZDecompress(buf, int(rec.total_out), one), EZDecompressionError);
}

TEST(ZLibStreams, ProgressOncePerFullBlock) {
    auto data = SampleBytes(300000, 5);
    fw::TMemoryStream dst;
    Counter writes, reads;
    {
        TZCompressionStream z(&dst, zcNone);  // stored blocks: output > 2 buffers
        z.OnProgress = fw::TNotifyEvent(&writes, &Counter::Hit);
        z.WriteBuffer(data.data(), int(data.size()));
    }
    EXPECT_EQ(writes.calls, 2);
    dst.SetPosition(0);
    TZDecompressionStream z(&dst);
    z.OnProgress = fw::TNotifyEvent(&reads, &Counter::Hit);
    std::vector<uint8_t> back(data.size());
    z.ReadBuffer(back.data(), int(back.size()));
    EXPECT_EQ(back, data);
    EXPECT_EQ(reads.calls, 3);  // 300 KiB and a bit, in 128 KiB reads
}

TEST(ZLibOneShot, BuffersRoundTripAndTruncationIsABufferError) {
    auto data = SampleBytes(100000, 6);
    std::vector<uint8_t> packed, back;
    ZCompress(data.data(), int(data.size()), packed, zcMax);
    ZDecompress(packed.data(), int(packed.size()), back);
    EXPECT_EQ(back, data);
    ZDecompress(packed.data(), int(packed.size()), back, 7);  // a small estimate only grows
    EXPECT_EQ(back, data);

    ZCompress2(data.data(), int(data.size()), packed, zcLevel3, -15, 9, zsRLE);
    ZDecompress2(packed.data(), int(packed.size()), back, -15);
    EXPECT_EQ(back, data);

    ZCompress(data.data(), int(data.size()), packed);
    try {
        ZDecompress(packed.data(), int(packed.size()) / 2, back);
        FAIL();
    } catch (const EZDecompressionError& e) {
        EXPECT_EQ(e.Message, L"buffer error");
    }
}

TEST(ZLibOneShot, StreamsRoundTripEmptyInputAndTrailingData) {
    auto data = SampleBytes(90000, 7);
    fw::TMemoryStream in, packed, back;
    Append(in, data);
    in.SetPosition(0);
    ZCompressStream(&in, &packed);
    Append(packed, {9, 9, 9});
    packed.SetPosition(0);
    ZDecompressStream(&packed, &back);
    EXPECT_EQ(packed.Position(), packed.Size() - 3);  // stops after the zlib data
    ASSERT_EQ(back.Size(), int64_t(data.size()));
    EXPECT_EQ(std::memcmp(back.Memory(), data.data(), data.size()), 0);

    fw::TMemoryStream empty, none;
    ZCompressStream(&empty, &none);
    EXPECT_EQ(none.Size(), 0);

    fw::TMemoryStream web, webBack;
    in.SetPosition(0);
    ZCompressStreamWeb(&in, &web);
    web.SetPosition(0);
    ZDecompressStream2(&web, &webBack, -15);
    EXPECT_EQ(webBack.Size(), int64_t(data.size()));

    fw::TMemoryStream cut, cutBack;
    cut.WriteBuffer(packed.Memory(), int(packed.Size() / 2));
    cut.SetPosition(0);
    EXPECT_THROW(ZDecompressStream(&cut, &cutBack), EZDecompressionError);
}

TEST(ZLibOneShot, ByteStringForms) {
    std::string text(5000, 'x');
    text += "tail";
    EXPECT_EQ(ZDecompressStr(ZCompressStr(text)), text);
    std::string ex = ZCompressStrEx(text);
    EXPECT_EQ(uint8_t(ex[0]) | uint8_t(ex[1]) << 8, int(text.size()));
    EXPECT_EQ(ZDecompressStrEx(ex), text);
    EXPECT_EQ(ZDecompressStr2(ZCompressStrWeb(text), -15), text);
    EXPECT_EQ(ZDecompressStr2(ZCompressStr2(text, zcLevel1, 15, 8, zsFiltered), 15), text);
}

TEST(ZLibOneShot, ChecksumsAreZlibs) {
    const char s[] = "123456789";
    EXPECT_EQ(ZCrc32(0, s, 9), 0xCBF43926u);
    EXPECT_EQ(ZAdler32(1, s, 9), 0x091E01DEu);
}
