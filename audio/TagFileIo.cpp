#include "audio/TagFileIo.h"

namespace acs::tagio {

bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }

int64_t Position(HANDLE h) {
    LARGE_INTEGER zero{}, pos{};
    if (!IsValid(h) || !SetFilePointerEx(h, zero, &pos, FILE_CURRENT)) return -1;
    return pos.QuadPart;
}

bool Seek(HANDLE h, int64_t offset, DWORD method) {
    if (!IsValid(h)) return false;
    LARGE_INTEGER to{};
    to.QuadPart = offset;
    return SetFilePointerEx(h, to, nullptr, method) != 0;
}

int64_t Size(HANDLE h) {
    LARGE_INTEGER size{};
    if (!IsValid(h) || !GetFileSizeEx(h, &size)) return -1;
    return size.QuadPart;
}

bool ReadExact(HANDLE h, void* buffer, uint32_t count) {
    DWORD done = 0;
    return IsValid(h) && ReadFile(h, buffer, count, &done, nullptr) && done == count;
}

bool WriteExact(HANDLE h, const void* buffer, uint32_t count) {
    DWORD done = 0;
    return IsValid(h) && WriteFile(h, buffer, count, &done, nullptr) && done == count;
}

}  // namespace acs::tagio
