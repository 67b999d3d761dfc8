// Settings in INI form: sections in brackets holding key=value lines.
// TIniFile works on the file itself through the system's profile functions;
// TMemIniFile holds the text in memory and writes it back on UpdateFile.
#pragma once

#include <vector>

#include "framework/rtl/Object.h"

namespace fw {

class TStrings;

FW_EXCEPTION(EIniFileException, Exception);

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const String& FileName) : fileName_(FileName) {}
    String ClassName() const override { return L"TCustomIniFile"; }

    const String& FileName() const { return fileName_; }

    // The value, or Default when the section or key is absent.
    virtual String ReadString(const String& Section, const String& Ident, const String& Default) const = 0;
    virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
    // Decimal, "$" hex or "0x" hex; Default for anything else.
    int ReadInteger(const String& Section, const String& Ident, int Default) const;
    void WriteInteger(const String& Section, const String& Ident, int Value);
    // An integer other than 0 is true; written as "1" or "0".
    bool ReadBool(const String& Section, const String& Ident, bool Default) const;
    void WriteBool(const String& Section, const String& Ident, bool Value);
    // Always with '.', whatever the locale; Default when not a number.
    double ReadFloat(const String& Section, const String& Ident, double Default) const;

    // These replace the lines of Strings: the key names of a section, the
    // section names, the section's "key=value" lines; all in file order.
    virtual void ReadSection(const String& Section, TStrings* Strings) const = 0;
    virtual void ReadSections(TStrings* Strings) const = 0;
    virtual void ReadSectionValues(const String& Section, TStrings* Strings) const;
    // A section exists when it holds a key.
    virtual bool SectionExists(const String& Section) const;
    virtual bool ValueExists(const String& Section, const String& Ident) const;
    virtual void EraseSection(const String& Section) = 0;
    virtual void DeleteKey(const String& Section, const String& Ident) = 0;
    virtual void UpdateFile() = 0;

protected:
    String fileName_;
};

// The profile functions' rules apply: names are case-insensitive, blanks
// around names and values are dropped, a relative FileName is looked up in
// the Windows folder. Write failures raise EIniFileException.
class TIniFile : public TCustomIniFile {
public:
    using TCustomIniFile::TCustomIniFile;
    String ClassName() const override { return L"TIniFile"; }

    String ReadString(const String& Section, const String& Ident, const String& Default) const override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) const override;
    void ReadSections(TStrings* Strings) const override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    // Flushes the system's cached copy of the file.
    void UpdateFile() override;
};

// The text is parsed once, by these rules (as the profile functions read a
// file, except that ';' lines and lines above the first section, which the
// system takes for keys, are ignored here: readers that walk every key, like
// the skin loader, must not see a comment as a value):
// - blanks (characters up to ' ') around section names, keys and values are
//   dropped; blank lines and lines starting with ';' are ignored;
// - a value is the text after the first '='; a line without '=' is a key
//   with an empty value; lines before the first section are ignored;
// - section and key names match without regard to case; a repeated section
//   continues the first one; of repeated keys the first is read;
// - sections and keys keep file order, new ones are appended.
// The file is read in the ANSI code page unless it starts with a UTF-8 or
// UTF-16 byte-order mark. UpdateFile writes the ANSI code page, or the
// byte-order-marked encoding the file came in, so no character is lost.
class TMemIniFile : public TCustomIniFile {
public:
    // Loads FileName when it exists; an empty name gives an empty file.
    explicit TMemIniFile(const String& FileName = String());
    String ClassName() const override { return L"TMemIniFile"; }

    String ReadString(const String& Section, const String& Ident, const String& Default) const override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) const override;
    void ReadSections(TStrings* Strings) const override;
    void ReadSectionValues(const String& Section, TStrings* Strings) const override;
    // True also for a section without keys.
    bool SectionExists(const String& Section) const override;
    bool ValueExists(const String& Section, const String& Ident) const override;
    void EraseSection(const String& Section) override;
    // Removes every line of that key.
    void DeleteKey(const String& Section, const String& Ident) override;
    // Writes the text to FileName; EFCreateError when it cannot.
    void UpdateFile() override;

    void Clear();
    // Replaces the contents with the parsed lines of List.
    void SetStrings(const TStrings* List);
    // The text: "[section]", its lines, an empty line; for each section.
    void GetStrings(TStrings* List) const;
    // Changes the file name; with Reload the contents are read from it.
    void Rename(const String& FileName, bool Reload);

private:
    struct Entry {
        String name, folded, value;
        bool hasValue;
    };
    struct Section {
        String name, folded;
        std::vector<Entry> entries;
    };
    enum class Encoding { Ansi, Utf8, Utf16 };

    void LoadValues();
    const Section* Find(const String& Section) const;
    Section* Find(const String& Section);
    Section& Add(const String& Section);
    static const Entry* FindEntry(const Section& Section, const String& Ident);

    std::vector<Section> sections_;
    Encoding encoding_ = Encoding::Ansi;
};

}  // namespace fw
