/* Reference decoding of a PNG file by libpng, for the PNG reader's tests.
 * Built and run on the Linux side by make_png_corpus.py:
 *     cc -O2 -o png_reference png_reference.c -lpng
 *     png_reference in.png out.ref
 * Only interlace handling is asked of libpng; samples stay as stored (packed
 * below 8 bits, most significant bits first; 16-bit big-endian).
 *
 * out.ref, integers little-endian:
 *   "PREF", u32 width, u32 height, u8 bit depth, u8 colour type, u8 interlace,
 *   u8 0, u32 gamma * 100000 (0 when the file has no gAMA),
 *   u16 palette entries P, u16 tRNS entries T (palette images only),
 *   P * 3 bytes of red, green, blue, T bytes of alpha,
 *   height rows of rowbytes bytes each.
 */
#include <png.h>
#include <stdio.h>
#include <stdlib.h>

static void put32(FILE* f, unsigned v) {
    unsigned char b[4] = {v & 255, (v >> 8) & 255, (v >> 16) & 255, (v >> 24) & 255};
    fwrite(b, 1, 4, f);
}
static void put16(FILE* f, unsigned v) {
    unsigned char b[2] = {v & 255, (v >> 8) & 255};
    fwrite(b, 1, 2, f);
}

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    FILE* in = fopen(argv[1], "rb");
    if (!in) return 3;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) return 4;
    png_init_io(png, in);
    png_read_info(png, info);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    int depth = png_get_bit_depth(png, info), ctype = png_get_color_type(png, info);
    int interlace = png_get_interlace_type(png, info);
    png_fixed_point gamma = 0;
    if (!png_get_gAMA_fixed(png, info, &gamma)) gamma = 0;
    png_colorp pal = NULL;
    int npal = 0;
    png_get_PLTE(png, info, &pal, &npal);
    png_bytep trans = NULL;
    int ntrans = 0;
    if (ctype == PNG_COLOR_TYPE_PALETTE) png_get_tRNS(png, info, &trans, &ntrans, NULL);
    size_t rowbytes = png_get_rowbytes(png, info);
    png_bytep* rows = malloc(h * sizeof(png_bytep));
    for (png_uint_32 y = 0; y < h; ++y) rows[y] = malloc(rowbytes);
    png_read_image(png, rows);

    FILE* out = fopen(argv[2], "wb");
    fwrite("PREF", 1, 4, out);
    put32(out, w);
    put32(out, h);
    unsigned char b[4] = {depth, ctype, interlace, 0};
    fwrite(b, 1, 4, out);
    put32(out, (unsigned)gamma);
    put16(out, npal);
    put16(out, ntrans);
    for (int i = 0; i < npal; ++i) {
        unsigned char c[3] = {pal[i].red, pal[i].green, pal[i].blue};
        fwrite(c, 1, 3, out);
    }
    if (ntrans) fwrite(trans, 1, ntrans, out);
    for (png_uint_32 y = 0; y < h; ++y) fwrite(rows[y], 1, rowbytes, out);
    fclose(out);
    return 0;
}
