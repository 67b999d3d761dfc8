#include "skin/engine/StorageUtils.h"

#include <memory>

#include "framework/graphics/GraphicsObjects.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/Registry.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/Forms.h"

namespace skin {

using fw::String;

namespace {

int IntegerRule(const String& Text, int Default) {
    if (Text.empty()) return Default;
    int32_t value;
    return fw::TryStrToInt(Text, value) ? value : -1;
}

int ReadInt(const fw::TCustomIniFile& Ini, const String& Section, const String& Ident, int Default) {
    return IntegerRule(Ini.ReadString(Section, Ident, String()), Default);
}

}  // namespace

String ReadIniString(const String& Section, const String& Ident, const String& FileName) {
    fw::TIniFile ini(FileName);
    return ini.ReadString(Section, Ident, String());
}

String ReadIniString(const String& Section, const String& Ident, fw::TMemIniFile* IniFile) {
    return IniFile ? IniFile->ReadString(Section, Ident, String()) : String();
}

int ReadIniInteger(const String& Section, const String& Ident, int Default, const String& FileName) {
    fw::TIniFile ini(FileName);
    return ReadInt(ini, Section, Ident, Default);
}

int ReadIniInteger(const String& Section, const String& Ident, int Default, fw::TMemIniFile* IniFile) {
    return IniFile ? ReadInt(*IniFile, Section, Ident, Default) : -1;
}

void ReadIniStrings(fw::TStrings* Items, const String& Section, const String& Ident, const String& FileName) {
    fw::TMemIniFile ini(FileName);
    ReadIniStrings(Items, Section, Ident, &ini);
}

void ReadIniStrings(fw::TStrings* Items, const String& Section, const String& Ident, fw::TMemIniFile* IniFile) {
    if (!Items || !IniFile) return;
    int count = ReadInt(*IniFile, Section, Ident + L"Count", 0);
    if (count == 0) return;
    Items->Clear();
    for (int i = 0; i < count; ++i)
        Items->Add(IniFile->ReadString(Section, Ident + L"Item" + fw::IntToStr(i), String()));
}

void WriteIniStr(const String& Section, const String& Ident, const String& Value, const String& FileName) {
    fw::TIniFile ini(FileName);
    ini.WriteString(Section, Ident, Value);
}

void WriteIniStr(const String& Section, const String& Ident, const String& Value, fw::TMemIniFile* IniFile) {
    if (IniFile) IniFile->WriteString(Section, Ident, Value);
}

void WriteIniStrings(const String& Section, const String& Ident, const String& FileName, fw::TStrings* Items) {
    fw::TMemIniFile ini(FileName);
    try {
        WriteIniStrings(Section, Ident, Items, &ini);
    } catch (...) {
        ini.UpdateFile();
        throw;
    }
    ini.UpdateFile();
}

void WriteIniStrings(const String& Section, const String& Ident, fw::TStrings* Items, fw::TMemIniFile* IniFile) {
    if (!Items || !IniFile) return;
    IniFile->WriteString(Section, Ident + L"Count", fw::IntToStr(Items->Count()));
    for (int i = 0; i < Items->Count(); ++i)
        IniFile->WriteString(Section, Ident + L"Item" + fw::IntToStr(i), Items->Strings(i));
}

namespace {

struct StyleKey {
    const wchar_t* Suffix;
    fw::TFontStyle Style;
};
const StyleKey kStyleKeys[] = {
    {L"_Bold", fw::fsBold},
    {L"_Italic", fw::fsItalic},
    {L"_Underline", fw::fsUnderline},
    {L"_StrikeOut", fw::fsStrikeOut},
};

}  // namespace

void WriteIniFont(const String& Section, const String& Ident, fw::TFont* Font, fw::TMemIniFile* IniFile) {
    if (!Font || !IniFile) return;
    IniFile->WriteString(Section, Ident + L"_Color", fw::IntToStr(Font->Color()));
    IniFile->WriteString(Section, Ident + L"_Name", Font->Name());
    IniFile->WriteString(Section, Ident + L"_Size", fw::IntToStr(Font->Size()));
    for (const StyleKey& k : kStyleKeys)
        IniFile->WriteString(Section, Ident + k.Suffix, Font->Style().Contains(k.Style) ? L"1" : L"0");
}

void ReadIniFont(const String& Section, const String& Ident, fw::TFont* Font, fw::TMemIniFile* IniFile) {
    if (!Font || !IniFile) return;
    Font->SetColor(ReadInt(*IniFile, Section, Ident + L"_Color", 0));
    Font->SetName(IniFile->ReadString(Section, Ident + L"_Name", String()));
    Font->SetSize(ReadInt(*IniFile, Section, Ident + L"_Size", 8));
    fw::TFontStyles style = Font->Style();
    for (const StyleKey& k : kStyleKeys)
        if (ReadInt(*IniFile, Section, Ident + k.Suffix, 0) == 1) style.Include(k.Style);
    Font->SetStyle(style);
}

void SaveFormPlacement(fw::TForm* Form, const String& FileName) {
    if (!Form) return;
    fw::TIniFile ini(FileName);
    const String& section = Form->Name();
    fw::TWindowState state = Form->WindowState();
    if (state == fw::wsNormal) {
        ini.WriteString(section, L"Left", fw::IntToStr(Form->Left()));
        ini.WriteString(section, L"Top", fw::IntToStr(Form->Top()));
        ini.WriteString(section, L"Width", fw::IntToStr(Form->Width()));
        ini.WriteString(section, L"Height", fw::IntToStr(Form->Height()));
    }
    ini.WriteString(section, L"State", fw::IntToStr(static_cast<int>(state)));
}

void RestoreFormPlacement(fw::TForm* Form, const String& FileName) {
    if (!Form) return;
    fw::TIniFile ini(FileName);
    const String& section = Form->Name();
    int state = ReadInt(ini, section, L"State", -1);
    // Only the three states of the layout mean anything; any other value
    // (absent, unreadable, out of range) leaves the form as it is.
    if (state < 0 || state > 2) return;
    Form->SetWindowState(static_cast<fw::TWindowState>(state));
    if (state != fw::wsNormal) return;
    int left = ReadInt(ini, section, L"Left", -1);
    int top = ReadInt(ini, section, L"Top", -1);
    int width = ReadInt(ini, section, L"Width", -1);
    int height = ReadInt(ini, section, L"Height", -1);
    if (left != -1) Form->SetLeft(left);
    if (top != -1) Form->SetTop(top);
    if (width != -1) Form->SetWidth(width);
    if (height != -1) Form->SetHeight(height);
}

String ReadRegString(HKEY RootKey, const String& Section, const String& Ident) {
    fw::TRegistry reg(KEY_READ);
    reg.SetRootKey(RootKey);
    if (!reg.OpenKeyReadOnly(Section)) return String();
    return reg.ReadString(Ident);
}

namespace {

// A write that cannot reach its key fails aloud: a silent return would pass
// for a stored value.
void OpenForWriting(fw::TRegistry& reg, HKEY RootKey, const String& Section) {
    reg.SetRootKey(RootKey);
    if (!reg.OpenKey(Section, true)) throw fw::ERegistryException(L"Failed to create key " + Section);
}

}  // namespace

void WriteRegString(HKEY RootKey, const String& Section, const String& Ident, const String& Value) {
    fw::TRegistry reg;
    OpenForWriting(reg, RootKey, Section);
    reg.WriteString(Ident, Value);
}

void DeleteRegParam(HKEY RootKey, const String& Section, const String& Ident) {
    fw::TRegistry reg;
    reg.SetRootKey(RootKey);
    if (reg.OpenKey(Section, false)) reg.DeleteValue(Ident);
}

void WriteRegInteger(const String& Section, const String& Ident, int Value) {
    fw::TRegistry reg;
    OpenForWriting(reg, HKEY_CURRENT_USER, Section);
    reg.WriteString(Ident, fw::IntToStr(Value));
}

}  // namespace skin
