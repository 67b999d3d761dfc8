#include "framework/rtl/Streams.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "framework/rtl/SysUtils.h"

namespace fw {

// --- TStream ---

int64_t TStream::Size() {
    int64_t pos = Seek(0, soCurrent);
    int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(int64_t) {}

void TStream::ReadBuffer(void* Buffer, int Count) {
    if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int Count) {
    if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError(L"Stream write error");
}

int64_t TStream::CopyFrom(TStream* Source, int64_t Count) {
    if (Count <= 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    }
    const int64_t result = Count;
    constexpr int kChunk = 0xF000;
    std::vector<unsigned char> buffer(static_cast<size_t>(std::min<int64_t>(Count, kChunk)));
    while (Count > 0) {
        int n = static_cast<int>(std::min<int64_t>(Count, kChunk));
        Source->ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        Count -= n;
    }
    return result;
}

// --- THandleStream ---

int THandleStream::Read(void* Buffer, int Count) {
    DWORD done = 0;
    if (Count <= 0 || !ReadFile(handle_, Buffer, static_cast<DWORD>(Count), &done, nullptr)) return 0;
    return static_cast<int>(done);
}

int THandleStream::Write(const void* Buffer, int Count) {
    DWORD done = 0;
    if (Count <= 0 || !WriteFile(handle_, Buffer, static_cast<DWORD>(Count), &done, nullptr)) return 0;
    return static_cast<int>(done);
}

int64_t THandleStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    static const DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance, result;
    distance.QuadPart = Offset;
    if (!SetFilePointerEx(handle_, distance, &result, methods[Origin])) return -1;
    return result.QuadPart;
}

void THandleStream::SetSize(int64_t NewSize) {
    SetPosition(NewSize);
    if (!SetEndOfFile(handle_)) throw EStreamError(SysErrorMessage(GetLastError()));
}

// --- TFileStream ---

namespace {

HANDLE OpenOrCreate(const String& name, uint16_t mode) {
    static const DWORD access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    // Compat and exclusive share nothing; deny-write shares reading and so on.
    static const DWORD share[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
    DWORD shareMode = share[std::min<unsigned>((mode & 0xF0) >> 4, 4)];
    if ((mode & fmCreate) == fmCreate)
        return CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, shareMode, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD accessMode = access[std::min<unsigned>(mode & 3, 2)];
    return CreateFileW(name.c_str(), accessMode, shareMode, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

TFileStream::TFileStream(const String& AFileName, uint16_t Mode)
    : THandleStream(OpenOrCreate(AFileName, Mode)), fileName_(AFileName) {
    if (handle_ == INVALID_HANDLE_VALUE) {
        String reason = SysErrorMessage(GetLastError());
        if ((Mode & fmCreate) == fmCreate) throw EFCreateError(L"Cannot create file \"" + AFileName + L"\". " + reason);
        throw EFOpenError(L"Cannot open file \"" + AFileName + L"\". " + reason);
    }
}

TFileStream::~TFileStream() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

// --- TCustomMemoryStream ---

void TCustomMemoryStream::SetPointer(void* Ptr, int64_t Size) {
    memory_ = Ptr;
    size_ = Size;
}

int TCustomMemoryStream::Read(void* Buffer, int Count) {
    if (Count <= 0 || position_ < 0 || position_ >= size_) return 0;
    int n = static_cast<int>(std::min<int64_t>(Count, size_ - position_));
    std::memcpy(Buffer, static_cast<unsigned char*>(memory_) + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int64_t TCustomMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    switch (Origin) {
        case soBeginning:
            position_ = Offset;
            break;
        case soCurrent:
            position_ += Offset;
            break;
        case soEnd:
            position_ = size_ + Offset;
            break;
    }
    return position_;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) {
    // Writes in int-sized pieces so blocks over 2 GiB are not truncated.
    auto* p = static_cast<const unsigned char*>(memory_);
    for (int64_t left = size_; left > 0;) {
        int n = static_cast<int>(std::min<int64_t>(left, 0x40000000));
        Stream->WriteBuffer(p, n);
        p += n;
        left -= n;
    }
}

void TCustomMemoryStream::SaveToFile(const String& FileName) {
    TFileStream file(FileName, fmCreate);
    SaveToStream(&file);
}

// --- TMemoryStream ---

void TMemoryStream::Reserve(int64_t NewCapacity) {
    // Grow in 8 KiB steps, so byte-by-byte writing is not quadratic.
    if (NewCapacity > 0) NewCapacity = (NewCapacity + 0x1FFF) & ~int64_t(0x1FFF);
    if (NewCapacity > static_cast<int64_t>(buffer_.max_size()))
        throw EOutOfMemory(L"Out of memory while expanding memory stream");
    try {
        if (NewCapacity > Capacity())
            buffer_.resize(static_cast<size_t>(std::max(NewCapacity, Capacity() * 5 / 4)));
        else if (NewCapacity == 0)
            std::vector<unsigned char>().swap(buffer_);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(L"Out of memory while expanding memory stream");
    }
    SetPointer(buffer_.empty() ? nullptr : buffer_.data(), size_);
}

void TMemoryStream::Clear() {
    size_ = 0;
    position_ = 0;
    Reserve(0);
}

void TMemoryStream::SetSize(int64_t NewSize) {
    if (NewSize < 0) NewSize = 0;
    int64_t old = size_;
    Reserve(NewSize);
    // New bytes read as zero rather than leftovers of an earlier, longer content.
    if (NewSize > old) std::memset(buffer_.data() + old, 0, static_cast<size_t>(NewSize - old));
    size_ = NewSize;
    SetPointer(memory_, size_);
    if (position_ > size_) position_ = size_;
}

int TMemoryStream::Write(const void* Buffer, int Count) {
    if (Count <= 0 || position_ < 0) return 0;
    int64_t end = position_ + Count;
    if (end > size_) {
        if (end > Capacity()) Reserve(end);
        if (position_ > size_) std::memset(buffer_.data() + size_, 0, static_cast<size_t>(position_ - size_));
        size_ = end;
        SetPointer(memory_, size_);
    }
    std::memcpy(buffer_.data() + position_, Buffer, static_cast<size_t>(Count));
    position_ = end;
    return Count;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
    Stream->SetPosition(0);
    int64_t count = Stream->Size();
    SetSize(count);
    unsigned char* p = buffer_.data();
    for (int64_t left = count; left > 0;) {
        int n = static_cast<int>(std::min<int64_t>(left, 0x40000000));
        Stream->ReadBuffer(p, n);
        p += n;
        left -= n;
    }
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

// --- TStringStream ---

TStringStream::TStringStream(const AnsiString& AString) {
    WriteString(AString);
    SetPosition(0);
}

TStringStream::TStringStream(const String& AString) : TStringStream(ToAnsi(AString)) {}

AnsiString TStringStream::DataString() const {
    return AnsiString(static_cast<const char*>(memory_), static_cast<size_t>(size_));
}

AnsiString TStringStream::ReadString(int Count) {
    if (Count <= 0 || position_ >= size_) return {};
    AnsiString s(static_cast<size_t>(std::min<int64_t>(Count, size_ - position_)), '\0');
    Read(s.data(), static_cast<int>(s.size()));
    return s;
}

void TStringStream::WriteString(const AnsiString& AString) {
    WriteBuffer(AString.data(), static_cast<int>(AString.size()));
}

// --- TResourceStream ---

TResourceStream::TResourceStream(void* Instance, const String& ResName, const wchar_t* ResType) {
    Initialize(Instance, ResName.c_str(), ResType, ResName);
}

TResourceStream::TResourceStream(void* Instance, int ResID, const wchar_t* ResType) {
    Initialize(Instance, MAKEINTRESOURCEW(ResID), ResType, std::to_wstring(ResID));
}

void TResourceStream::Initialize(void* Instance, const wchar_t* Name, const wchar_t* ResType, const String& ShownName) {
    HMODULE module = static_cast<HMODULE>(Instance);
    HRSRC info = FindResourceW(module, Name, ResType);
    if (!info) throw EResNotFound(L"Resource " + ShownName + L" not found");
    HGLOBAL data = LoadResource(module, info);
    if (!data) throw EResNotFound(L"Resource " + ShownName + L" not found");
    SetPointer(LockResource(data), SizeofResource(module, info));
}

int TResourceStream::Write(const void*, int) { throw EStreamError(L"Can't write to a read-only resource stream"); }

}  // namespace fw
