// Small checked file operations on a raw Win32 handle, shared by the tag
// readers and writers. Every call reports failure instead of raising.
#pragma once

#include <windows.h>

#include <cstdint>

namespace acs::tagio {

bool IsValid(HANDLE h);
// The current position, or -1 when it cannot be read.
int64_t Position(HANDLE h);
// Moves to an absolute position (method FILE_BEGIN/FILE_END as Win32); false on failure.
bool Seek(HANDLE h, int64_t offset, DWORD method = FILE_BEGIN);
// The file's size, or -1.
int64_t Size(HANDLE h);
// Reads exactly count bytes; false when fewer arrived.
bool ReadExact(HANDLE h, void* buffer, uint32_t count);
// Writes exactly count bytes; false when fewer were written.
bool WriteExact(HANDLE h, const void* buffer, uint32_t count);

}  // namespace acs::tagio
