// A file stream on a handle from CreateFileW, closed with the stream.
#pragma once

#include <cstdint>

#include "framework/rtl/Streams.h"

namespace acs {

class TAuFileStream : public fw::THandleStream {
public:
    // Mode: a high byte of 0xFF creates (or empties) the file for writing;
    // otherwise an existing file is opened with the access of (Mode and 3).
    // Either way the share mode comes from bits 4..7. Raises EAuException
    // with the system's message when the file cannot be opened.
    TAuFileStream(const fw::String& FileName, uint16_t Mode);
    TAuFileStream(const fw::String& FileName, uint16_t Mode, uint32_t Rights);
    ~TAuFileStream() override;
    fw::String ClassName() const override { return L"TAuFileStream"; }
};

}  // namespace acs
