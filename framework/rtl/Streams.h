// Byte streams: the abstract TStream and the file, handle, memory, string and
// resource streams built on it. Offsets are 64-bit; single transfers are
// int-sized, as in the framework. Failures raise EStreamError descendants.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/rtl/Object.h"

namespace fw {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// TFileStream modes: one access mode OR'ed with one share mode, or fmCreate
// (which may also carry a share mode).
constexpr uint16_t fmCreate = 0xFF00;
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;

class TStream : public TObject {
public:
    String ClassName() const override { return L"TStream"; }

    // Transfer up to Count bytes; return how many were transferred.
    virtual int Read(void* Buffer, int Count) = 0;
    virtual int Write(const void* Buffer, int Count) = 0;
    // Returns the new position.
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t Value) { Seek(Value, soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t NewSize);

    // All-or-nothing transfers: EReadError "Stream read error" /
    // EWriteError "Stream write error" when fewer bytes move.
    void ReadBuffer(void* Buffer, int Count);
    void WriteBuffer(const void* Buffer, int Count);

    // Copies Count bytes from Source's position. Count 0 (or less) copies
    // the whole of Source, from its start. Returns the bytes copied.
    int64_t CopyFrom(TStream* Source, int64_t Count);
};

// A stream over a Win32 file handle it does not own.
class THandleStream : public TStream {
public:
    explicit THandleStream(void* AHandle) : handle_(AHandle) {}
    String ClassName() const override { return L"THandleStream"; }

    void* Handle() const { return handle_; }

    int Read(void* Buffer, int Count) override;
    int Write(const void* Buffer, int Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(int64_t NewSize) override;

protected:
    void* handle_;
};

// Opens or creates a file. EFOpenError "Cannot open file "%s". <system
// message>" or EFCreateError "Cannot create file "%s". <system message>".
class TFileStream : public THandleStream {
public:
    TFileStream(const String& AFileName, uint16_t Mode);
    ~TFileStream() override;
    String ClassName() const override { return L"TFileStream"; }

    const String& FileName() const { return fileName_; }

private:
    String fileName_;
};

// A stream over a block of memory. The base class reads from memory it does
// not own; TMemoryStream and TResourceStream supply the block.
class TCustomMemoryStream : public TStream {
public:
    String ClassName() const override { return L"TCustomMemoryStream"; }

    void* Memory() const { return memory_; }
    int64_t Size() override { return size_; }

    int Read(void* Buffer, int Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;

    void SaveToStream(TStream* Stream);
    void SaveToFile(const String& FileName);

protected:
    void SetPointer(void* Ptr, int64_t Size);

    void* memory_ = nullptr;
    int64_t size_ = 0;
    int64_t position_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
public:
    TMemoryStream() = default;
    String ClassName() const override { return L"TMemoryStream"; }

    void Clear();
    void LoadFromStream(TStream* Stream);  // the whole stream, from its start
    void LoadFromFile(const String& FileName);
    void SetSize(int64_t NewSize) override;
    int Write(const void* Buffer, int Count) override;

    int64_t Capacity() const { return static_cast<int64_t>(buffer_.size()); }

private:
    void Reserve(int64_t NewCapacity);

    std::vector<unsigned char> buffer_;
};

// A memory stream whose contents read back as an 8-bit string.
class TStringStream : public TMemoryStream {
public:
    explicit TStringStream(const AnsiString& AString = AnsiString());
    // The text is stored in the ANSI code page.
    explicit TStringStream(const String& AString);
    String ClassName() const override { return L"TStringStream"; }

    AnsiString DataString() const;
    // Up to Count bytes from the position.
    AnsiString ReadString(int Count);
    void WriteString(const AnsiString& AString);
};

// A read-only stream over a resource of a loaded module. EResNotFound
// "Resource %s not found" when the module lacks it.
class TResourceStream : public TCustomMemoryStream {
public:
    // RT_RCDATA, without needing <windows.h> here.
    static inline const wchar_t* const rtRcData = reinterpret_cast<const wchar_t*>(10);

    TResourceStream(void* Instance, const String& ResName, const wchar_t* ResType = rtRcData);
    TResourceStream(void* Instance, int ResID, const wchar_t* ResType = rtRcData);
    String ClassName() const override { return L"TResourceStream"; }

    // Raises EStreamError "Can't write to a read-only resource stream".
    int Write(const void* Buffer, int Count) override;

private:
    void Initialize(void* Instance, const wchar_t* Name, const wchar_t* ResType, const String& ShownName);
};

}  // namespace fw
