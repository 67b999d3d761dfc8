// libtag_c.dll, built by scripts/setup, loads and writes a title into an MP3.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using FileNew = void* (*)(const char*);
using FileTag = void* (*)(const void*);
using TagSetString = void (*)(void*, const char*);
using TagGetString = char* (*)(const void*);
using FileSave = int (*)(void*);
using FileFree = void (*)(void*);
using FreeStrings = void (*)();

// One silent MPEG-1 layer III frame (128 kbps, 44.1 kHz), repeated.
void writeSilentMp3(const char* path) {
    FILE* f = std::fopen(path, "wb");
    ASSERT_NE(f, nullptr);
    unsigned char frame[417] = {0xFF, 0xFB, 0x90, 0x64};
    for (int i = 0; i < 40; ++i) std::fwrite(frame, 1, sizeof frame, f);
    std::fclose(f);
}

}  // namespace

TEST(TagLib, WritesAndReadsBackATitle) {
    HMODULE dll = LoadLibraryW(L"libtag_c.dll");
    ASSERT_NE(dll, nullptr);
    auto fileNew = reinterpret_cast<FileNew>(GetProcAddress(dll, "taglib_file_new"));
    auto fileTag = reinterpret_cast<FileTag>(GetProcAddress(dll, "taglib_file_tag"));
    auto setTitle = reinterpret_cast<TagSetString>(GetProcAddress(dll, "taglib_tag_set_title"));
    auto title = reinterpret_cast<TagGetString>(GetProcAddress(dll, "taglib_tag_title"));
    auto save = reinterpret_cast<FileSave>(GetProcAddress(dll, "taglib_file_save"));
    auto freeFile = reinterpret_cast<FileFree>(GetProcAddress(dll, "taglib_file_free"));
    auto freeStrings = reinterpret_cast<FreeStrings>(GetProcAddress(dll, "taglib_tag_free_strings"));
    ASSERT_TRUE(fileNew && fileTag && setTitle && title && save && freeFile && freeStrings);

    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    std::string file = std::string(path) + "harness-tag.mp3";
    writeSilentMp3(file.c_str());

    // The C binding takes UTF-8.
    const char* utf8Title = "\xEB\x85\xB9\xEC\x9D\x8C 1";  // "녹음 1"
    void* f = fileNew(file.c_str());
    ASSERT_NE(f, nullptr);
    setTitle(fileTag(f), utf8Title);
    EXPECT_TRUE(save(f));
    freeFile(f);

    f = fileNew(file.c_str());
    ASSERT_NE(f, nullptr);
    EXPECT_STREQ(title(fileTag(f)), utf8Title);
    freeStrings();
    freeFile(f);
    DeleteFileA(file.c_str());
    FreeLibrary(dll);
}
