#include "host/KVBTxtParser.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace host {

int KVBTxtParser::Load(const String& FileName) {
    FILE* f = std::fopen(fw::ToAnsi(FileName).c_str(), "rt");
    if (!f) return -1;
    long size = 0;
    if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
    if (size < 0) size = 0;
    // Text mode reads CR LF as LF, so fewer bytes may arrive than the size says.
    std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
    std::fseek(f, 0, SEEK_SET);
    size_t got = std::fread(buffer.data(), 1, static_cast<size_t>(size), f);
    std::fclose(f);
    Parse(buffer.data(), got);
    return 0;
}

void KVBTxtParser::Parse(char* Buffer, size_t Size) {
    const size_t none = static_cast<size_t>(-1);
    size_t keyMark = none, equalsMark = none;
    for (size_t i = 0; i < Size; ++i) {
        char c = Buffer[i];
        if (c == '=') {
            Buffer[i] = '\0';
            equalsMark = i;
        } else if (c == '&' && equalsMark == none) {
            Buffer[i] = '\0';
            keyMark = i;
        } else if (c == '&') {
            Buffer[i] = '\0';
            // Without an opening "&" the key is read from the buffer's start.
            const char* key = keyMark == none ? Buffer : Buffer + keyMark + 1;
            const char* value = Buffer + equalsMark + 1;
            values_.emplace(fw::FromAnsi(fw::AnsiString(key, std::strlen(key))),
                            fw::FromAnsi(fw::AnsiString(value, std::strlen(value))));
            keyMark = equalsMark = none;
        }
    }
}

UnicodeString KVBTxtParser::Get(const UnicodeString& Key) const {
    auto it = values_.find(Key);
    return it == values_.end() ? UnicodeString() : it->second;
}

}  // namespace host
