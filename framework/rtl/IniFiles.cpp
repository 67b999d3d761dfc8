#include "framework/rtl/IniFiles.h"

#include <windows.h>

#include "framework/rtl/Streams.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"

namespace fw {

namespace {

// Upper case without the user's locale, so look-ups do not depend on it.
String Fold(const String& s) {
    if (s.empty()) return s;
    String result(s.size(), L'\0');
    int n = LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, s.c_str(), static_cast<int>(s.size()), &result[0],
                         static_cast<int>(result.size()));
    if (n <= 0) return s;
    result.resize(n);
    return result;
}

// A profile function that fills a buffer of NUL-separated names, repeated
// with a larger buffer while the result may have been cut short.
template <typename F>
void ReadNameList(TStrings* Strings, F read) {
    std::vector<wchar_t> buffer(4096);
    DWORD n;
    for (;;) {
        n = read(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n + 2 < buffer.size()) break;
        buffer.assign(buffer.size() * 4, L'\0');
    }
    Strings->BeginUpdate();
    Strings->Clear();
    for (const wchar_t* p = buffer.data(); p < buffer.data() + n && *p; p += wcslen(p) + 1) Strings->Add(p);
    Strings->EndUpdate();
}

}  // namespace

// ---- TCustomIniFile --------------------------------------------------------

int TCustomIniFile::ReadInteger(const String& Section, const String& Ident, int Default) const {
    return StrToIntDef(ReadString(Section, Ident, String()), Default);
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) const {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
    WriteString(Section, Ident, Value ? L"1" : L"0");
}

double TCustomIniFile::ReadFloat(const String& Section, const String& Ident, double Default) const {
    // Written the same in every locale, so read with '.' whatever the user's settings.
    return static_cast<double>(StrToFloatDef(ReadString(Section, Ident, String()), Default, InvariantFormatSettings()));
}

void TCustomIniFile::ReadSectionValues(const String& Section, TStrings* Strings) const {
    TStringList keys;
    ReadSection(Section, &keys);
    Strings->BeginUpdate();
    Strings->Clear();
    for (int i = 0; i < keys.Count(); ++i) Strings->Add(keys[i] + L"=" + ReadString(Section, keys[i], String()));
    Strings->EndUpdate();
}

bool TCustomIniFile::SectionExists(const String& Section) const {
    TStringList keys;
    ReadSection(Section, &keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident) const {
    TStringList keys;
    ReadSection(Section, &keys);
    return keys.IndexOf(Ident) >= 0;
}

// ---- TIniFile ---------------------------------------------------------------

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const {
    std::vector<wchar_t> buffer(2048);
    for (;;) {
        DWORD n = GetPrivateProfileStringW(Section.c_str(), Ident.c_str(), Default.c_str(), buffer.data(),
                                           static_cast<DWORD>(buffer.size()), fileName_.c_str());
        if (n + 1 < buffer.size()) return String(buffer.data(), n);
        buffer.assign(buffer.size() * 4, L'\0');  // the value may have been cut short
    }
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    if (!WritePrivateProfileStringW(Section.c_str(), Ident.c_str(), Value.c_str(), fileName_.c_str()))
        throw EIniFileException(L"Unable to write to " + fileName_);
}

void TIniFile::ReadSection(const String& Section, TStrings* Strings) const {
    ReadNameList(Strings, [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileStringW(Section.c_str(), nullptr, L"", buffer, size, fileName_.c_str());
    });
}

void TIniFile::ReadSections(TStrings* Strings) const {
    ReadNameList(Strings, [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileSectionNamesW(buffer, size, fileName_.c_str());
    });
}

void TIniFile::EraseSection(const String& Section) {
    if (!WritePrivateProfileStringW(Section.c_str(), nullptr, nullptr, fileName_.c_str()))
        throw EIniFileException(L"Unable to write to " + fileName_);
}

void TIniFile::DeleteKey(const String& Section, const String& Ident) {
    WritePrivateProfileStringW(Section.c_str(), Ident.c_str(), nullptr, fileName_.c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, fileName_.c_str()); }

// ---- TMemIniFile ------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& FileName) : TCustomIniFile(FileName) { LoadValues(); }

void TMemIniFile::Clear() { sections_.clear(); }

void TMemIniFile::LoadValues() {
    Clear();
    encoding_ = Encoding::Ansi;
    if (fileName_.empty() || !FileExists(fileName_)) return;
    TMemoryStream file;
    file.LoadFromFile(fileName_);
    // The list reads the text by its byte-order mark; note which one, to
    // write the file back the same way.
    const auto* bom = static_cast<const unsigned char*>(file.Memory());
    if (file.Size() >= 3 && bom[0] == 0xEF && bom[1] == 0xBB && bom[2] == 0xBF)
        encoding_ = Encoding::Utf8;
    else if (file.Size() >= 2 && bom[0] == 0xFF && bom[1] == 0xFE)
        encoding_ = Encoding::Utf16;
    TStringList list;
    list.LoadFromStream(&file);
    SetStrings(&list);
}

void TMemIniFile::SetStrings(const TStrings* List) {
    Clear();
    Section* current = nullptr;
    for (int i = 0; i < List->Count(); ++i) {
        String line = Trim(List->Strings(i));
        if (line.empty() || line[0] == L';') continue;
        if (line[0] == L'[' && line.back() == L']' && line.size() >= 2) {
            String name = Trim(line.substr(1, line.size() - 2));
            current = Find(name);
            if (!current) current = &Add(name);
        } else if (current) {
            size_t eq = line.find(L'=');
            Entry entry;
            entry.hasValue = eq != String::npos;
            entry.name = entry.hasValue ? Trim(line.substr(0, eq)) : line;
            entry.value = entry.hasValue ? Trim(line.substr(eq + 1)) : String();
            entry.folded = Fold(entry.name);
            current->entries.push_back(std::move(entry));
        }
    }
}

void TMemIniFile::GetStrings(TStrings* List) const {
    List->BeginUpdate();
    List->Clear();
    for (const Section& section : sections_) {
        List->Add(L"[" + section.name + L"]");
        for (const Entry& e : section.entries) List->Add(e.hasValue ? e.name + L"=" + e.value : e.name);
        List->Add(String());
    }
    List->EndUpdate();
}

void TMemIniFile::Rename(const String& FileName, bool Reload) {
    fileName_ = FileName;
    if (Reload) LoadValues();
}

const TMemIniFile::Section* TMemIniFile::Find(const String& Section) const {
    const String folded = Fold(Section);
    for (const auto& s : sections_)
        if (s.folded == folded) return &s;
    return nullptr;
}

TMemIniFile::Section* TMemIniFile::Find(const String& Section) {
    return const_cast<TMemIniFile::Section*>(static_cast<const TMemIniFile*>(this)->Find(Section));
}

TMemIniFile::Section& TMemIniFile::Add(const String& Section) {
    sections_.push_back({Section, Fold(Section), {}});
    return sections_.back();
}

const TMemIniFile::Entry* TMemIniFile::FindEntry(const Section& Section, const String& Ident) {
    const String folded = Fold(Ident);
    for (const Entry& e : Section.entries)
        if (e.folded == folded) return &e;
    return nullptr;
}

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const {
    const auto* section = Find(Section);
    const Entry* entry = section ? FindEntry(*section, Ident) : nullptr;
    return entry ? entry->value : Default;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    auto* section = Find(Section);
    if (!section) section = &Add(Section);
    if (auto* entry = const_cast<Entry*>(FindEntry(*section, Ident))) {
        entry->value = Value;
        entry->hasValue = true;
        return;
    }
    section->entries.push_back({Ident, Fold(Ident), Value, true});
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings) const {
    Strings->BeginUpdate();
    Strings->Clear();
    if (const auto* section = Find(Section))
        for (const Entry& e : section->entries) Strings->Add(e.name);
    Strings->EndUpdate();
}

void TMemIniFile::ReadSections(TStrings* Strings) const {
    Strings->BeginUpdate();
    Strings->Clear();
    for (const auto& s : sections_) Strings->Add(s.name);
    Strings->EndUpdate();
}

void TMemIniFile::ReadSectionValues(const String& Section, TStrings* Strings) const {
    Strings->BeginUpdate();
    Strings->Clear();
    if (const auto* section = Find(Section))
        for (const Entry& e : section->entries) Strings->Add(e.hasValue ? e.name + L"=" + e.value : e.name);
    Strings->EndUpdate();
}

bool TMemIniFile::SectionExists(const String& Section) const { return Find(Section) != nullptr; }

bool TMemIniFile::ValueExists(const String& Section, const String& Ident) const {
    const auto* section = Find(Section);
    return section && FindEntry(*section, Ident);
}

void TMemIniFile::EraseSection(const String& Section) {
    const String folded = Fold(Section);
    std::erase_if(sections_, [&](const auto& s) { return s.folded == folded; });
}

void TMemIniFile::DeleteKey(const String& Section, const String& Ident) {
    if (auto* section = Find(Section)) {
        const String folded = Fold(Ident);
        std::erase_if(section->entries, [&](const Entry& e) { return e.folded == folded; });
    }
}

void TMemIniFile::UpdateFile() {
    TStringList list;
    GetStrings(&list);
    if (encoding_ == Encoding::Ansi) {
        list.SaveToFile(fileName_);
        return;
    }
    TFileStream file(fileName_, fmCreate);
    if (encoding_ == Encoding::Utf8) {
        std::string bytes = "\xEF\xBB\xBF" + ToUtf8(list.Text());
        file.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    } else {
        String text = L"\xFEFF" + list.Text();
        file.WriteBuffer(text.data(), static_cast<int>(text.size() * sizeof(wchar_t)));
    }
}

}  // namespace fw
