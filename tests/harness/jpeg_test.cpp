// libjpeg-turbo, built statically by scripts/setup, round-trips an image.
#include <cstdio>
#include <cstdlib>

// After <cstdio>: the library's header uses size_t and FILE without including them.
#include <jpeglib.h>

#include <gtest/gtest.h>

#include <vector>

TEST(Jpeg, EncodesAndDecodesAGradientWithinTolerance) {
    const int w = 64, h = 48;
    std::vector<unsigned char> rgb(w * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char* p = &rgb[(y * w + x) * 3];
            p[0] = static_cast<unsigned char>(x * 4);
            p[1] = static_cast<unsigned char>(y * 5);
            p[2] = 128;
        }

    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&c, &out, &outSize);
    c.image_width = w;
    c.image_height = h;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = &rgb[c.next_scanline * w * 3];
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    ASSERT_GT(outSize, 100u);
    EXPECT_EQ(out[0], 0xFF);
    EXPECT_EQ(out[1], 0xD8);

    jpeg_decompress_struct d;
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, out, outSize);
    ASSERT_EQ(jpeg_read_header(&d, TRUE), JPEG_HEADER_OK);
    jpeg_start_decompress(&d);
    ASSERT_EQ(static_cast<int>(d.output_width), w);
    ASSERT_EQ(static_cast<int>(d.output_height), h);
    std::vector<unsigned char> back(w * h * 3);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = &back[d.output_scanline * w * 3];
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    std::free(out);

    int worst = 0;
    for (size_t i = 0; i < rgb.size(); ++i) worst = std::max(worst, std::abs(rgb[i] - back[i]));
    EXPECT_LE(worst, 12);
}
