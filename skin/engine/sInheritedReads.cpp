#include "skin/engine/sInheritedReads.h"

#include "framework/rtl/IniFiles.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"

namespace skin {

InheritedReader::InheritedReader(const fw::TMemIniFile& ini) : ini_(ini) {
    fw::TStringList sections;
    ini.ReadSections(&sections);
    maxLinks_ = sections.Count() + 1;
}

fw::String InheritedReader::String(const fw::String& Section, const fw::String& Key, const fw::String& Default) const {
    fw::String s = Section;
    for (int links = 0; links < maxLinks_; ++links) {
        const fw::String v = ini_.ReadString(s, Key, L"?");
        if (v != L"?") return v;
        if (!Parent(s)) break;
    }
    return Default;
}

int InheritedReader::Integer(const fw::String& Section, const fw::String& Key, int Default) const {
    fw::String s = Section;
    for (int links = 0; links < maxLinks_; ++links) {
        const int v = ini_.ReadInteger(s, Key, -1);
        if (v != -1) return v;
        if (!Parent(s)) break;
    }
    return Default;
}

bool InheritedReader::Bool(const fw::String& Section, const fw::String& Key) const {
    return fw::UpperCase(String(Section, Key, L"FALSE")) == L"TRUE";
}

bool InheritedReader::Parent(fw::String& s) const {
    const fw::String p = ini_.ReadString(s, L"PARENTCLASS", L"?");
    if (p.empty() || p == L"?" || p == s) return false;
    s = p;
    return true;
}

}  // namespace skin
