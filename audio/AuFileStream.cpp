#include "audio/AuFileStream.h"

#include <windows.h>

#include "audio/AuException.h"
#include "framework/rtl/SysUtils.h"

namespace acs {

namespace {

HANDLE OpenFile(const fw::String& name, uint16_t mode) {
    static const DWORD shareModes[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
    static const DWORD accessModes[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    unsigned shareIndex = (mode & 0xF0) >> 4;
    unsigned accessIndex = mode & 3;
    if (shareIndex > 4 || (accessIndex > 2 && (mode & 0xFF00) != 0xFF00)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    DWORD share = shareModes[shareIndex];
    // Any mode with the create byte creates the file, whatever share bits it carries.
    if ((mode & 0xFF00) == 0xFF00)
        return CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    return CreateFileW(name.c_str(), accessModes[accessIndex], share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

}  // namespace

TAuFileStream::TAuFileStream(const fw::String& FileName, uint16_t Mode) : TAuFileStream(FileName, Mode, 0) {}

TAuFileStream::TAuFileStream(const fw::String& FileName, uint16_t Mode, uint32_t /*Rights*/)
    : fw::THandleStream(OpenFile(FileName, Mode)) {
    if (handle_ == INVALID_HANDLE_VALUE) throw EAuException(fw::SysErrorMessage(GetLastError()));
}

TAuFileStream::~TAuFileStream() {
    if (handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr) CloseHandle(handle_);
}

}  // namespace acs
