// A book's variable file: "&key=value&" pairs in 8-bit text (the ANSI code
// page), the form Flash movies load as variables. The main window takes the
// book's title and size from it.
#pragma once

#include <map>

#include "framework/rtl/Strings.h"

namespace host {

using fw::String;
using fw::UnicodeString;

class KVBTxtParser {
public:
    KVBTxtParser() = default;

    // Adds the file's pairs to the map (the first of a repeated key wins).
    // 0 when the file was read, -1 when it cannot be opened (map unchanged).
    int Load(const String& FileName);
    // The value of Key (compared exactly), or the empty text.
    UnicodeString Get(const UnicodeString& Key) const;
    int Count() const { return static_cast<int>(values_.size()); }

    // The scan of Load over text already in memory; Buffer must hold a zero
    // byte at Buffer[Size]. Zero bytes are written into the buffer.
    void Parse(char* Buffer, size_t Size);

private:
    std::map<UnicodeString, UnicodeString> values_;  // ordinal order of keys
};

}  // namespace host
