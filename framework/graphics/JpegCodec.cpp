#include "framework/graphics/JpegCodec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace fw {
namespace {

// libjpeg's fatal errors (and the warnings we treat as fatal) jump back to
// the setjmp in the guarded step that made the call. The guarded steps keep
// only trivially destructible locals, so the jump skips no destructor.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    err->pub.format_message(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Entropy data that runs out (a truncated file) or cannot be decoded would
// otherwise come out as a grey or smeared picture with only a warning; refuse
// such input instead. A stream that lacks only its final EOI marker still
// holds the whole picture, and stray bytes between markers are common in real
// files: those warnings are ignored.
void EmitMessage(j_common_ptr cinfo, int level) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level >= 0) return;
    int code = err->pub.msg_code;
    if (code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE || code == JWRN_MUST_RESYNC) {
        err->pub.format_message(cinfo, err->message);
        std::longjmp(err->jump, 1);
    }
    err->pub.num_warnings++;
}

void InstallErrorManager(ErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.emit_message = EmitMessage;
    err.message[0] = 0;
}

[[noreturn]] void RaiseJpegError(const ErrorManager& err) {
    throw EInvalidGraphic(L"JPEG error: " + FromAnsi(err.message));
}

// ---------------------------------------------------------------- encoding

// A growing malloc'd buffer owned by the context, so whatever libjpeg has
// written is freed on every path (its own memory destination can leave the
// caller a stale pointer after an error).
struct Destination {
    jpeg_destination_mgr pub;
    uint8_t* buffer;
    std::size_t capacity;
    std::size_t size;
};

void InitDestination(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<Destination*>(cinfo->dest);
    if (!d->buffer) {
        d->capacity = 64 * 1024;
        d->buffer = static_cast<uint8_t*>(std::malloc(d->capacity));
        if (!d->buffer) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    }
    d->pub.next_output_byte = d->buffer;
    d->pub.free_in_buffer = d->capacity;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    // Called only when the whole buffer is full.
    auto* d = reinterpret_cast<Destination*>(cinfo->dest);
    std::size_t grown = d->capacity * 2;
    auto* bigger = static_cast<uint8_t*>(std::realloc(d->buffer, grown));
    if (!bigger) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
    d->buffer = bigger;
    d->pub.next_output_byte = bigger + d->capacity;
    d->pub.free_in_buffer = grown - d->capacity;
    d->capacity = grown;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<Destination*>(cinfo->dest);
    d->size = d->capacity - d->pub.free_in_buffer;
}

struct CompressContext {
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    Destination dest{};
    const uint8_t* top = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0, height = 0;
    JpegEncodeOptions options;

    CompressContext() {
        InstallErrorManager(err);
        cinfo.err = &err.pub;
        dest.pub.init_destination = InitDestination;
        dest.pub.empty_output_buffer = EmptyOutputBuffer;
        dest.pub.term_destination = TermDestination;
    }
    ~CompressContext() {
        jpeg_destroy_compress(&cinfo);  // a no-op when creation never happened
        std::free(dest.buffer);
    }
};

bool CompressGuarded(CompressContext* ctx) {
    if (setjmp(ctx->err.jump)) return false;
    jpeg_compress_struct* c = &ctx->cinfo;
    jpeg_create_compress(c);
    c->dest = &ctx->dest.pub;
    c->image_width = static_cast<JDIMENSION>(ctx->width);
    c->image_height = static_cast<JDIMENSION>(ctx->height);
    c->input_components = 3;
    c->in_color_space = ctx->options.Order == JpegPixelOrder::Bgr ? JCS_EXT_BGR : JCS_RGB;
    jpeg_set_defaults(c);
    if (ctx->options.Grayscale) jpeg_set_colorspace(c, JCS_GRAYSCALE);
    jpeg_set_quality(c, std::clamp(ctx->options.Quality, 1, 100), TRUE);
    if (ctx->options.Progressive) jpeg_simple_progression(c);
    jpeg_start_compress(c, TRUE);
    while (c->next_scanline < c->image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(ctx->top + static_cast<std::ptrdiff_t>(c->next_scanline) * ctx->stride);
        jpeg_write_scanlines(c, &row, 1);
    }
    jpeg_finish_compress(c);
    return true;
}

// ---------------------------------------------------------------- decoding

// A 32-bit process cannot hold much more; refuse before allocating.
constexpr std::size_t kMaxDecodedBytes = std::size_t(512) * 1024 * 1024;

struct DecompressContext {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};

    DecompressContext() {
        InstallErrorManager(err);
        cinfo.err = &err.pub;
    }
    ~DecompressContext() { jpeg_destroy_decompress(&cinfo); }
};

bool ReadHeaderGuarded(DecompressContext* ctx, const void* bytes, std::size_t size) {
    if (setjmp(ctx->err.jump)) return false;
    jpeg_create_decompress(&ctx->cinfo);
    jpeg_mem_src(&ctx->cinfo, static_cast<const unsigned char*>(bytes), static_cast<unsigned long>(size));
    jpeg_read_header(&ctx->cinfo, TRUE);
    return true;
}

bool StartGuarded(DecompressContext* ctx) {
    if (setjmp(ctx->err.jump)) return false;
    jpeg_start_decompress(&ctx->cinfo);
    return true;
}

// Reads every row into out (3 bytes per pixel). One-component output is read
// into the start of its row and spread to three bytes from the right end.
bool ReadRowsGuarded(DecompressContext* ctx, uint8_t* out, std::size_t rowBytes) {
    if (setjmp(ctx->err.jump)) return false;
    jpeg_decompress_struct* d = &ctx->cinfo;
    const bool single = d->output_components == 1;
    while (d->output_scanline < d->output_height) {
        uint8_t* rowStart = out + static_cast<std::size_t>(d->output_scanline) * rowBytes;
        JSAMPROW row = rowStart;
        if (jpeg_read_scanlines(d, &row, 1) != 1) break;  // a memory source never suspends
        if (single)
            for (std::size_t x = d->output_width; x-- > 0;)
                rowStart[x * 3] = rowStart[x * 3 + 1] = rowStart[x * 3 + 2] = rowStart[x];
    }
    jpeg_finish_decompress(d);
    return true;
}

}  // namespace

std::vector<uint8_t> JpegEncode(const uint8_t* Top, int Width, int Height, std::ptrdiff_t Stride,
                                const JpegEncodeOptions& Options) {
    if (Width <= 0 || Height <= 0 || !Top) throw EInvalidGraphic(L"JPEG error: cannot encode an empty image");
    CompressContext ctx;
    ctx.top = Top;
    ctx.stride = Stride;
    ctx.width = Width;
    ctx.height = Height;
    ctx.options = Options;
    if (!CompressGuarded(&ctx)) RaiseJpegError(ctx.err);
    return std::vector<uint8_t>(ctx.dest.buffer, ctx.dest.buffer + ctx.dest.size);
}

JpegPixels JpegDecode(const void* Bytes, std::size_t Size, const JpegDecodeOptions& Options) {
    DecompressContext ctx;
    if (!ReadHeaderGuarded(&ctx, Bytes, Size)) RaiseJpegError(ctx.err);
    jpeg_decompress_struct& d = ctx.cinfo;
    if (d.jpeg_color_space == JCS_CMYK || d.jpeg_color_space == JCS_YCCK)
        throw EInvalidGraphic(L"JPEG error: CMYK images are not supported");

    JpegPixels result;
    result.SourceGrayscale = d.jpeg_color_space == JCS_GRAYSCALE;
    if (Options.Grayscale || result.SourceGrayscale)
        d.out_color_space = JCS_GRAYSCALE;
    else
        d.out_color_space = Options.Order == JpegPixelOrder::Bgr ? JCS_EXT_BGR : JCS_RGB;

    // In 64 bits: a 32-bit product of a crafted header can wrap below the limit.
    const uint64_t decodedBytes = uint64_t(d.image_width) * 3 * d.image_height;
    if (d.image_width == 0 || d.image_height == 0 || decodedBytes > kMaxDecodedBytes)
        throw EInvalidGraphic(L"JPEG error: image too large (" + std::to_wstring(d.image_width) + L" x " +
                              std::to_wstring(d.image_height) + L")");
    if (!StartGuarded(&ctx)) RaiseJpegError(ctx.err);

    result.Width = static_cast<int>(d.output_width);
    result.Height = static_cast<int>(d.output_height);
    result.Data.resize(static_cast<std::size_t>(d.output_width) * 3 * d.output_height);
    if (!ReadRowsGuarded(&ctx, result.Data.data(), static_cast<std::size_t>(d.output_width) * 3))
        RaiseJpegError(ctx.err);
    return result;
}

}  // namespace fw
