// The registry as a current key that is opened, read, written and closed,
// and the registry as an INI store (sections are subkeys, identifiers are
// values).
#pragma once

#include <windows.h>

#include "framework/rtl/Object.h"

namespace fw {

class TStrings;

class TRegistry : public TObject {
public:
    // Access is the rights every later OpenKey asks for.
    explicit TRegistry(REGSAM AAccess = KEY_ALL_ACCESS);
    ~TRegistry() override;
    String ClassName() const override { return L"TRegistry"; }

    HKEY RootKey() const { return rootKey_; }
    // Closes the current key.
    void SetRootKey(HKEY Value);
    REGSAM Access() const { return access_; }
    void SetAccess(REGSAM Value) { access_ = Value; }
    HKEY CurrentKey() const { return currentKey_; }
    String CurrentPath() const { return currentPath_; }

    // A Key starting with "\" is a path from RootKey, any other is relative to
    // the current key (or RootKey when none is open). On success the opened
    // key becomes the current key.
    bool OpenKey(const String& Key, bool CanCreate);
    // The same with read rights only, whatever Access says.
    bool OpenKeyReadOnly(const String& Key);
    void CloseKey();
    // Creates Key (and missing parents) without opening it; raises
    // ERegistryException when it cannot.
    bool CreateKey(const String& Key);
    // Deletes Key with all its subkeys.
    bool DeleteKey(const String& Key);
    bool KeyExists(const String& Key);
    bool ValueExists(const String& Name) const;
    bool DeleteValue(const String& Name);

    // The value Name of the current key; "" is the key's default value. A
    // missing value reads as "", a value of another type raises
    // ERegistryException "Invalid data type for 'Name'".
    String ReadString(const String& Name) const;
    void WriteString(const String& Name, const String& Value);
    // A missing value raises ERegistryException; so does a non-DWORD value.
    int ReadInteger(const String& Name) const;
    void WriteInteger(const String& Name, int Value);
    bool ReadBool(const String& Name) const { return ReadInteger(Name) != 0; }
    void WriteBool(const String& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

    // Subkey and value names of the current key, replacing Strings' lines.
    void GetKeyNames(TStrings* Strings) const;
    void GetValueNames(TStrings* Strings) const;

protected:
    // Opens (or creates) Key by the path rules of OpenKey without making it
    // current. Returns null on failure; *path receives the new current path.
    HKEY OpenRaw(const String& Key, bool CanCreate, REGSAM access, String* path = nullptr) const;
    // The data type and raw bytes of a value; false when it does not exist.
    bool QueryValue(HKEY key, const String& Name, DWORD* type, std::wstring* data) const;
    String ReadStringFrom(HKEY key, const String& Name) const;
    void WriteStringTo(HKEY key, const String& Name, const String& Value);

private:
    HKEY rootKey_ = HKEY_CURRENT_USER;
    REGSAM access_;
    HKEY currentKey_ = nullptr;
    String currentPath_;
};

// The registry in INI form. The constructor opens (creating it) FileName, a
// key path under HKEY_CURRENT_USER; sections are its subkeys. Integers are
// stored as decimal text.
class TRegIniFile : public TRegistry {
public:
    explicit TRegIniFile(const String& FileName, REGSAM AAccess = KEY_ALL_ACCESS);
    String ClassName() const override { return L"TRegIniFile"; }

    String FileName() const { return fileName_; }

    using TRegistry::ReadInteger;
    using TRegistry::ReadString;
    using TRegistry::WriteInteger;
    using TRegistry::WriteString;

    String ReadString(const String& Section, const String& Ident, const String& Default) const;
    void WriteString(const String& Section, const String& Ident, const String& Value);
    // Decimal text, or a DWORD value; Default when absent or not a number.
    int ReadInteger(const String& Section, const String& Ident, int Default) const;
    void WriteInteger(const String& Section, const String& Ident, int Value);

private:
    HKEY OpenSection(const String& Section, bool CanCreate) const;

    String fileName_;
};

}  // namespace fw
