// Streams: memory growth and zero fill, all-or-nothing transfers, CopyFrom,
// file open and share modes with their errors, and resources.
#include "framework/rtl/Streams.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

using namespace fw;

namespace {

String TempPath(const String& name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return String(dir) + name;
}

AnsiString Contents(TStream& s) {
    AnsiString out(static_cast<size_t>(s.Size()), '\0');
    s.SetPosition(0);
    s.ReadBuffer(out.data(), static_cast<int>(out.size()));
    return out;
}

template <typename E, typename F>
String MessageOf(F&& fn) {
    try {
        fn();
    } catch (const E& e) {
        return e.Message;
    }
    return L"no error";
}

// A file removed when the test ends.
struct TempFile {
    explicit TempFile(const String& name) : path(TempPath(name)) { DeleteFileW(path.c_str()); }
    ~TempFile() { DeleteFileW(path.c_str()); }
    String path;
};

}  // namespace

TEST(MemoryStream, GrowsSeeksAndZeroFillsGaps) {
    TMemoryStream m;
    EXPECT_EQ(m.Size(), 0);
    m.WriteBuffer("abc", 3);
    EXPECT_EQ(m.Position(), 3);
    EXPECT_GE(m.Capacity(), 3);
    EXPECT_EQ(std::memcmp(m.Memory(), "abc", 3), 0);

    EXPECT_EQ(m.Seek(2, soCurrent), 5);  // past the end: the gap reads as zeros
    m.WriteBuffer("Z", 1);
    EXPECT_EQ(Contents(m), AnsiString("abc\0\0Z", 6));
    EXPECT_EQ(m.Seek(-1, soEnd), 5);

    m.SetSize(2);
    m.SetSize(4);  // regrown bytes are zeros, not the old "c"
    EXPECT_EQ(Contents(m), AnsiString("ab\0\0", 4));

    // Many small writes land in order across growth steps.
    m.Clear();
    for (int i = 0; i < 100000; ++i) {
        unsigned char b = static_cast<unsigned char>(i);
        m.WriteBuffer(&b, 1);
    }
    ASSERT_EQ(m.Size(), 100000);
    auto* p = static_cast<unsigned char*>(m.Memory());
    EXPECT_EQ(p[99999], static_cast<unsigned char>(99999));
    EXPECT_EQ(m.Seek(int64_t(5) << 32, soBeginning), int64_t(5) << 32);  // 64-bit offsets
    char c;
    EXPECT_EQ(m.Read(&c, 1), 0);
    m.Clear();
    EXPECT_EQ(m.Size(), 0);
    EXPECT_EQ(m.Memory(), nullptr);
}

TEST(Stream, ShortReadsAndWritesRaise) {
    TStringStream s(AnsiString("12345"));
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 8), 5);  // Read itself just reports the count
    s.SetPosition(3);
    EXPECT_EQ(MessageOf<EReadError>([&] { s.ReadBuffer(buf, 3); }), L"Stream read error");
    s.SetPosition(0);
    s.ReadBuffer(buf, 0);
    s.ReadBuffer(buf, 5);
    EXPECT_EQ(AnsiString(buf, 5), "12345");

    TempFile file(L"readonly.bin");
    {
        TFileStream create(file.path, fmCreate);
        create.WriteBuffer("x", 1);
    }
    TFileStream reader(file.path, fmOpenRead);
    EXPECT_EQ(MessageOf<EWriteError>([&] { reader.WriteBuffer("y", 1); }), L"Stream write error");
}

TEST(Stream, CopyFromZeroCopiesTheWholeSourceFromItsStart) {
    TStringStream source(AnsiString("0123456789"));
    source.SetPosition(7);
    TMemoryStream dest;
    EXPECT_EQ(dest.CopyFrom(&source, 0), 10);
    EXPECT_EQ(Contents(dest), "0123456789");

    // A count copies from the current position.
    source.SetPosition(2);
    TMemoryStream part;
    EXPECT_EQ(part.CopyFrom(&source, 3), 3);
    EXPECT_EQ(Contents(part), "234");
    EXPECT_EQ(source.Position(), 5);
    // More than the source holds.
    EXPECT_THROW(part.CopyFrom(&source, 6), EReadError);

    // An empty source copies nothing and does not fail.
    TMemoryStream empty, sink;
    EXPECT_EQ(sink.CopyFrom(&empty, 0), 0);
    EXPECT_EQ(sink.Size(), 0);

    // Larger than one internal chunk.
    TMemoryStream big;
    big.SetSize(200000);
    static_cast<unsigned char*>(big.Memory())[199999] = 0x5A;
    TMemoryStream bigCopy;
    EXPECT_EQ(bigCopy.CopyFrom(&big, 0), 200000);
    EXPECT_EQ(static_cast<unsigned char*>(bigCopy.Memory())[199999], 0x5A);
}

TEST(StringStream, DataStringIsAnsiBytes) {
    TStringStream s(String(L"한글"));
    EXPECT_EQ(s.Size(), 4);
    EXPECT_EQ(s.DataString(), ToAnsi(L"한글"));
    s.Seek(0, soEnd);
    s.WriteString("!");
    EXPECT_EQ(FromAnsi(s.DataString()), L"한글!");
    s.SetPosition(2);
    EXPECT_EQ(FromAnsi(s.ReadString(10)), L"글!");
}

TEST(FileStream, WritesReadsAndResizes) {
    TempFile file(L"스트림.bin");
    {
        TFileStream f(file.path, fmCreate);
        f.WriteBuffer("hello world", 11);
        EXPECT_EQ(f.Size(), 11);
        f.SetSize(5);
        EXPECT_EQ(f.Size(), 5);
        EXPECT_EQ(f.FileName(), file.path);
    }
    TMemoryStream m;
    m.LoadFromFile(file.path);
    EXPECT_EQ(Contents(m), "hello");
    {
        TFileStream f(file.path, fmOpenReadWrite);
        EXPECT_EQ(f.Seek(0, soEnd), 5);
        f.WriteBuffer("!", 1);
        // Seeking beyond 4 GiB needs 64-bit offsets; it does not grow the file.
        EXPECT_EQ(f.Seek(int64_t(5) << 32, soBeginning), int64_t(5) << 32);
        EXPECT_EQ(f.Seek(0, soEnd), 6);
    }
    m.SetPosition(0);
    m.WriteBuffer("HE", 2);
    m.SaveToFile(file.path);
    TFileStream check(file.path, fmOpenRead);
    EXPECT_EQ(Contents(check), "HEllo");
}

TEST(FileStream, OpenAndCreateErrorsNameTheFileAndTheReason) {
    const String missing = TempPath(L"no-such-file.bin");
    DeleteFileW(missing.c_str());
    String open = MessageOf<EFOpenError>([&] { TFileStream f(missing, fmOpenRead); });
    EXPECT_EQ(open.rfind(L"Cannot open file \"" + missing + L"\". ", 0), 0u) << ToUtf8(open);
    EXPECT_GT(open.size(), missing.size() + 21) << "no system message";

    const String badDir = TempPath(L"no-such-dir\\x.bin");
    String create = MessageOf<EFCreateError>([&] { TFileStream f(badDir, fmCreate); });
    EXPECT_EQ(create.rfind(L"Cannot create file \"" + badDir + L"\". ", 0), 0u) << ToUtf8(create);
}

TEST(FileStream, ShareModes) {
    TempFile file(L"shared.bin");
    { TFileStream(file.path, fmCreate).WriteBuffer("data", 4); }
    struct Case {
        const char* what;
        uint16_t first, second;
        bool secondOpens;
    };
    const Case cases[] = {
        {"deny-write lets readers in", fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyWrite, true},
        {"deny-write keeps writers out", fmOpenRead | fmShareDenyWrite, fmOpenReadWrite | fmShareDenyNone, false},
        {"exclusive keeps readers out", fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyNone, false},
        {"deny-none lets writers in", fmOpenRead | fmShareDenyNone, fmOpenWrite | fmShareDenyNone, true},
        {"a writer blocks a deny-write opener", fmOpenReadWrite | fmShareDenyNone, fmOpenRead | fmShareDenyWrite,
         false},
        {"fmCreate with deny-write lets readers in", fmCreate | fmShareDenyWrite, fmOpenRead | fmShareDenyNone, true},
        {"fmCreate alone shares nothing", fmCreate, fmOpenRead | fmShareDenyNone, false},
    };
    for (const Case& c : cases) {
        TFileStream first(file.path, c.first);
        bool opened = true;
        try {
            TFileStream second(file.path, c.second);
        } catch (const EFOpenError&) {
            opened = false;
        }
        EXPECT_EQ(opened, c.secondOpens) << c.what;
    }
}

TEST(HandleStream, WorksOnAHandleItDoesNotOwn) {
    TempFile file(L"handle.bin");
    HANDLE h = CreateFileW(file.path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    {
        THandleStream s(h);
        EXPECT_EQ(s.Handle(), h);
        s.WriteBuffer("abcdef", 6);
        s.SetPosition(2);
        char buf[2];
        s.ReadBuffer(buf, 2);
        EXPECT_EQ(AnsiString(buf, 2), "cd");
    }
    // Still open after the stream is gone.
    EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_END), 6u);
    CloseHandle(h);
}

TEST(ResourceStream, MissingResourceRaisesResNotFound) {
    EXPECT_EQ(MessageOf<EResNotFound>([] { TResourceStream r(GetModuleHandleW(nullptr), L"NO_SUCH_SKIN"); }),
              L"Resource NO_SUCH_SKIN not found");
    EXPECT_EQ(MessageOf<EResNotFound>([] { TResourceStream r(GetModuleHandleW(nullptr), 4242); }),
              L"Resource 4242 not found");
}

TEST(ResourceStream, ReadsAnRcDataResourceAndRefusesWrites) {
    // A copy of this program with an RCDATA resource added, loaded as data.
    TempFile copy(L"withres.exe");
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    ASSERT_TRUE(CopyFileW(self, copy.path.c_str(), FALSE));
    static const char kPayload[] = "ASzf packed bytes";
    HANDLE update = BeginUpdateResourceW(copy.path.c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    ASSERT_TRUE(UpdateResourceW(update, RT_RCDATA, L"SKINDATA", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                const_cast<char*>(kPayload), sizeof kPayload));
    ASSERT_TRUE(UpdateResourceW(update, RT_RCDATA, MAKEINTRESOURCEW(7), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                const_cast<char*>("id"), 2));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
    HMODULE module = LoadLibraryExW(copy.path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    {
        TResourceStream r(module, L"SKINDATA");
        EXPECT_EQ(r.Size(), static_cast<int64_t>(sizeof kPayload));
        EXPECT_EQ(Contents(r), AnsiString(kPayload, sizeof kPayload));
        EXPECT_EQ(MessageOf<EStreamError>([&] { r.Write("x", 1); }), L"Can't write to a read-only resource stream");
        TMemoryStream m;
        m.LoadFromStream(&r);
        EXPECT_EQ(m.Size(), r.Size());
        TResourceStream byId(module, 7);
        EXPECT_EQ(Contents(byId), "id");
    }
    FreeLibrary(module);
}
