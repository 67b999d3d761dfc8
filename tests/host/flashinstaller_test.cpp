// The installer at the end of the executable: the trailer's bounds, what is
// written, what is refused, and running and waiting.
#include "host/FlashInstaller.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/windows/DialogSeam.h"

using namespace host;

namespace {

std::string tempName() {
    char dir[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "ins", 0, name);
    return name;
}

void writeBytes(const std::string& path, const std::string& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

bool readBytes(const std::string& path, std::string& bytes) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return false;
    bytes.clear();
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    fclose(f);
    return true;
}

std::string bigEndian(uint32_t n) { return {char(n >> 24), char(n >> 16), char(n >> 8), char(n)}; }

struct TempFiles {
    std::string exe = tempName(), target = tempName();
    TempFiles() { DeleteFileA(target.c_str()); }
    ~TempFiles() {
        DeleteFileA(exe.c_str());
        DeleteFileA(target.c_str());
    }
};

}  // namespace

TEST(FlashInstaller, TrailerBounds) {
    struct Case {
        uint64_t size;
        uint32_t length;
        bool ok;
        uint64_t offset;
    } cases[] = {
        {100, 10, true, 86}, {100, 96, true, 0}, {100, 97, false, 0}, {100, 0, false, 0},
        {4, 1, false, 0},    {3, 0, false, 0},   {0, 0, false, 0},    {100, 0xFFFFFFFFu, false, 0},
    };
    for (const Case& c : cases) {
        uint64_t offset = 12345;
        EXPECT_EQ(c.ok, InstallerOffset(c.size, c.length, offset)) << c.size << " " << c.length;
        if (c.ok) {
            EXPECT_EQ(c.offset, offset);
        }
    }
}

TEST(FlashInstaller, ExtractsTheAppendedProgram) {
    TempFiles f;
    const std::string program = "MZ\x90\x00 installer bytes\x01\x02";
    writeBytes(f.exe, std::string("MZ viewer program....") + program + bigEndian(uint32_t(program.size())));
    ASSERT_TRUE(ExtractInstaller(f.exe, f.target));
    std::string written;
    ASSERT_TRUE(readBytes(f.target, written));
    EXPECT_EQ(program, written);

    // The whole file before the trailer may be the installer.
    writeBytes(f.exe, program + bigEndian(uint32_t(program.size())));
    ASSERT_TRUE(ExtractInstaller(f.exe, f.target));
    ASSERT_TRUE(readBytes(f.target, written));
    EXPECT_EQ(program, written);
}

TEST(FlashInstaller, RefusesWhatIsNoInstaller) {
    const std::string body = "MZ viewer program with no installer at its end";
    struct Case {
        const char* what;
        std::string file;
    } cases[] = {
        {"no trailer at all (length from the program's last bytes)", body},
        {"length zero", body + bigEndian(0)},
        {"length past the start", body + bigEndian(uint32_t(body.size() + 1))},
        {"huge length", body + bigEndian(0xFFFFFFF0u)},
        {"no program header where it starts", body + bigEndian(10)},
        {"shorter than a trailer", "MZ"},
        {"empty file", ""},
    };
    for (const Case& c : cases) {
        TempFiles f;
        writeBytes(f.exe, c.file);
        EXPECT_FALSE(ExtractInstaller(f.exe, f.target)) << c.what;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(f.target.c_str())) << c.what;
    }
    TempFiles missing;
    DeleteFileA(missing.exe.c_str());
    EXPECT_FALSE(ExtractInstaller(missing.exe, missing.target));
}

TEST(FlashInstaller, UnwritableTargetLeavesNothing) {
    TempFiles f;
    const std::string program = "MZ installer";
    writeBytes(f.exe, program + bigEndian(uint32_t(program.size())));
    std::string target = f.target + ".missing-folder\\flash10.exe";
    EXPECT_FALSE(ExtractInstaller(f.exe, target));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(target.c_str()));
}

TEST(FlashInstaller, TempFolderOnTheSystemDrive) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    std::string expected = std::string(system, 2) + "\\temp";
    EXPECT_EQ(expected, MakeTempFolder());
    DWORD attributes = GetFileAttributesA(expected.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    // Already there: the same answer.
    EXPECT_EQ(expected, MakeTempFolder());
    EXPECT_EQ(expected + "\\flash10.exe", InstallerTempPath());
}

TEST(FlashInstaller, RunsAndWaits) {
    fw::DialogSeam::Scope seam;
    // A program that cannot start is reported before any wait.
    EXPECT_FALSE(RunInstaller("C:\\no\\such\\installer.exe"));
    EXPECT_TRUE(RunInstaller("cmd.exe /c exit 0"));
    EXPECT_TRUE(fw::DialogSeam::Log().empty());
    // The exit code that reads "still active" gets its message, once.
    EXPECT_TRUE(RunInstaller("cmd.exe /c exit 259"));
    ASSERT_EQ(1u, fw::DialogSeam::Log().size());
    EXPECT_EQ(L"Process is still active\n", fw::DialogSeam::Log()[0].Text);
}
