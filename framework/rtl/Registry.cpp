#include "framework/rtl/Registry.h"

#include <vector>

#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"

namespace fw {

namespace {

bool IsRelative(const String& key) { return key.empty() || key[0] != L'\\'; }

// A section key opened for one call: closed on the way out unless it is the current key.
struct SectionKey {
    HKEY key;
    HKEY current;
    ~SectionKey() {
        if (key && key != current) RegCloseKey(key);
    }
};

}  // namespace

TRegistry::TRegistry(REGSAM AAccess) : access_(AAccess) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY Value) {
    if (Value == rootKey_) return;
    CloseKey();
    rootKey_ = Value;
}

HKEY TRegistry::OpenRaw(const String& Key, bool CanCreate, REGSAM access, String* path) const {
    bool relative = IsRelative(Key);
    String sub = relative ? Key : Key.substr(1);
    HKEY base = (relative && currentKey_) ? currentKey_ : rootKey_;
    HKEY key = nullptr;
    LONG rc;
    if (!CanCreate || sub.empty())
        rc = RegOpenKeyExW(base, sub.c_str(), 0, access, &key);
    else
        rc = RegCreateKeyExW(base, sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) return nullptr;
    if (path) {
        if (!relative || !currentKey_)
            *path = sub;
        else
            *path = sub.empty() ? currentPath_ : currentPath_.empty() ? sub : currentPath_ + L"\\" + sub;
    }
    return key;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate) {
    String path;
    HKEY key = OpenRaw(Key, CanCreate, access_, &path);
    if (!key) return false;
    CloseKey();
    currentKey_ = key;
    currentPath_ = path;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& Key) {
    REGSAM saved = access_;
    access_ = KEY_READ;
    bool ok = OpenKey(Key, false);
    access_ = saved;
    return ok;
}

void TRegistry::CloseKey() {
    if (currentKey_) RegCloseKey(currentKey_);
    currentKey_ = nullptr;
    currentPath_.clear();
}

bool TRegistry::CreateKey(const String& Key) {
    HKEY key = Key.empty() ? nullptr : OpenRaw(Key, true, access_);
    if (!key) throw ERegistryException(L"Failed to create key " + Key);
    RegCloseKey(key);
    return true;
}

bool TRegistry::DeleteKey(const String& Key) {
    bool relative = IsRelative(Key);
    String sub = relative ? Key : Key.substr(1);
    if (sub.empty()) return false;  // never the current key or the root itself
    HKEY base = (relative && currentKey_) ? currentKey_ : rootKey_;
    auto exists = [&] {
        HKEY probe = nullptr;
        if (RegOpenKeyExW(base, sub.c_str(), 0, KEY_READ, &probe) != ERROR_SUCCESS) return false;
        RegCloseKey(probe);
        return true;
    };
    if (!exists()) return false;
    RegDeleteTreeW(base, sub.c_str());
    RegDeleteKeyW(base, sub.c_str());
    return !exists();
}

bool TRegistry::KeyExists(const String& Key) {
    HKEY key = OpenRaw(Key, false, KEY_READ);
    if (!key) key = OpenRaw(Key, false, STANDARD_RIGHTS_READ);
    if (!key) return false;
    RegCloseKey(key);
    return true;
}

bool TRegistry::QueryValue(HKEY key, const String& Name, DWORD* type, std::wstring* data) const {
    DWORD size = 0;
    if (RegQueryValueExW(key, Name.c_str(), nullptr, type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (!data) return true;
    for (;;) {
        std::vector<BYTE> bytes(size + sizeof(wchar_t));
        DWORD got = size;
        LONG rc = RegQueryValueExW(key, Name.c_str(), nullptr, type, bytes.data(), &got);
        if (rc == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (rc != ERROR_SUCCESS) throw ERegistryException(L"Failed to get data for '" + Name + L"'");
        data->assign(reinterpret_cast<const wchar_t*>(bytes.data()), got / sizeof(wchar_t));
        if (got % sizeof(wchar_t)) data->push_back(static_cast<wchar_t>(bytes[got - 1]));
        return true;
    }
}

bool TRegistry::ValueExists(const String& Name) const {
    DWORD type = 0;
    return currentKey_ && QueryValue(currentKey_, Name, &type, nullptr);
}

bool TRegistry::DeleteValue(const String& Name) {
    return currentKey_ && RegDeleteValueW(currentKey_, Name.c_str()) == ERROR_SUCCESS;
}

String TRegistry::ReadStringFrom(HKEY key, const String& Name) const {
    DWORD type = 0;
    std::wstring data;
    if (!key || !QueryValue(key, Name, &type, &data) || data.empty()) return String();
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException(L"Invalid data type for '" + Name + L"'");
    // Stored text may or may not carry its terminator.
    size_t end = data.find(L'\0');
    if (end != std::wstring::npos) data.resize(end);
    return data;
}

void TRegistry::WriteStringTo(HKEY key, const String& Name, const String& Value) {
    DWORD bytes = static_cast<DWORD>((Value.size() + 1) * sizeof(wchar_t));
    if (!key || RegSetValueExW(key, Name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()), bytes) !=
                    ERROR_SUCCESS)
        throw ERegistryException(L"Failed to set data for '" + Name + L"'");
}

String TRegistry::ReadString(const String& Name) const { return ReadStringFrom(currentKey_, Name); }

void TRegistry::WriteString(const String& Name, const String& Value) { WriteStringTo(currentKey_, Name, Value); }

int TRegistry::ReadInteger(const String& Name) const {
    DWORD type = 0, value = 0, size = sizeof value;
    if (!currentKey_ || RegQueryValueExW(currentKey_, Name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                         &size) != ERROR_SUCCESS)
        throw ERegistryException(L"Failed to get data for '" + Name + L"'");
    if (type != REG_DWORD || size != sizeof value) throw ERegistryException(L"Invalid data type for '" + Name + L"'");
    return static_cast<int>(value);
}

void TRegistry::WriteInteger(const String& Name, int Value) {
    DWORD value = static_cast<DWORD>(Value);
    if (!currentKey_ || RegSetValueExW(currentKey_, Name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                       sizeof value) != ERROR_SUCCESS)
        throw ERegistryException(L"Failed to set data for '" + Name + L"'");
}

void TRegistry::GetKeyNames(TStrings* Strings) const {
    Strings->BeginUpdate();
    Strings->Clear();
    if (currentKey_) {
        wchar_t name[256];  // the system's limit for a key name
        for (DWORD i = 0;; ++i) {
            DWORD len = 256;
            if (RegEnumKeyExW(currentKey_, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            Strings->Add(String(name, len));
        }
    }
    Strings->EndUpdate();
}

void TRegistry::GetValueNames(TStrings* Strings) const {
    Strings->BeginUpdate();
    Strings->Clear();
    if (currentKey_) {
        DWORD maxLen = 0;
        RegQueryInfoKeyW(currentKey_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxLen, nullptr,
                         nullptr, nullptr);
        std::vector<wchar_t> name(maxLen + 1);
        for (DWORD i = 0;; ++i) {
            DWORD len = maxLen + 1;
            if (RegEnumValueW(currentKey_, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            Strings->Add(String(name.data(), len));
        }
    }
    Strings->EndUpdate();
}

TRegIniFile::TRegIniFile(const String& FileName, REGSAM AAccess) : TRegistry(AAccess), fileName_(FileName) {
    OpenKey(FileName, true);
}

HKEY TRegIniFile::OpenSection(const String& Section, bool CanCreate) const {
    if (Section.empty()) return CurrentKey();
    return OpenRaw(Section, CanCreate, Access());
}

String TRegIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const {
    SectionKey section{OpenSection(Section, false), CurrentKey()};
    DWORD type = 0;
    if (!section.key || !QueryValue(section.key, Ident, &type, nullptr)) return Default;
    return ReadStringFrom(section.key, Ident);
}

void TRegIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    SectionKey section{OpenSection(Section, true), CurrentKey()};
    if (!section.key) throw ERegistryException(L"Failed to create key " + Section);
    WriteStringTo(section.key, Ident, Value);
}

int TRegIniFile::ReadInteger(const String& Section, const String& Ident, int Default) const {
    SectionKey section{OpenSection(Section, false), CurrentKey()};
    if (!section.key) return Default;
    HKEY key = section.key;
    int result = Default;
    DWORD type = 0, value = 0, size = sizeof value;
    if (RegQueryValueExW(key, Ident.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        if (type == REG_DWORD && size == sizeof value) {
            RegQueryValueExW(key, Ident.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
            result = static_cast<int>(value);
        } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
            result = StrToIntDef(ReadStringFrom(key, Ident), Default);
        }
    }
    return result;
}

void TRegIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

}  // namespace fw
