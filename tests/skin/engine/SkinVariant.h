// A committed skin folder copied into a scratch folder with other Options.dat
// text, so a test loads a whole skin that differs from it in some values.
#pragma once

#include <algorithm>
#include <string>

#include "EngineTestFiles.h"
#include "skins/TestSkins.h"

namespace enginetest {

// Options.dat of skins\<Skin> (8-bit text, lines ending in CR LF).
inline std::string SkinOptions(const fw::String& Skin) {
    const std::vector<uint8_t> b = ReadFileBytes(kvbskins::SkinsPath(Skin) + L"\\Options.dat");
    return std::string(b.begin(), b.end());
}

// Options with Key of Section set to Value: its line replaced, or a line
// added under the section's header.
inline std::string WithValue(std::string Options, const std::string& Section, const std::string& Key,
                             const std::string& Value) {
    const std::string header = "[" + Section + "]\r\n", line = Key + "=" + Value + "\r\n";
    size_t at = Options.find(header);
    if (at == std::string::npos) return Options + header + line;
    at += header.size();
    const size_t end = std::min(Options.find("\r\n[", at), Options.size());
    for (size_t p = at; p < end;) {
        const size_t eol = Options.find("\r\n", p), next = eol == std::string::npos ? Options.size() : eol + 2;
        if (Options.compare(p, Key.size() + 1, Key + "=") == 0) return Options.replace(p, next - p, line);
        p = next;
    }
    return Options.insert(at, line);
}

// Every file of skins\<Skin> copied into Dir\<Name>, with Options as its Options.dat.
inline void WriteSkinFolder(const fw::String& Skin, const TempDir& Dir, const fw::String& Name,
                            const std::string& Options) {
    const fw::String from = kvbskins::SkinsPath(Skin), to = Dir / Name;
    CreateDirectoryW(to.c_str(), nullptr);
    for (const fw::String& f : ListDir(from))
        if (f != L"Options.dat") CopyFileW((from + L"\\" + f).c_str(), (to + L"\\" + f).c_str(), FALSE);
    WriteFileBytes(to + L"\\Options.dat", std::vector<uint8_t>(Options.begin(), Options.end()));
}

}  // namespace enginetest
