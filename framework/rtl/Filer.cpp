#include "framework/rtl/Filer.h"

#include <cstring>
#include <vector>

#include "framework/rtl/Collections.h"
#include "framework/rtl/Streams.h"
#include "framework/rtl/SysUtils.h"

namespace fw {

namespace {

bool IsAscii(const String& s) {
    for (wchar_t c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

// ---- TWriter

void TWriter::WriteBytes(const void* Data, int Count) { stream_->WriteBuffer(Data, Count); }

void TWriter::WriteValue(TValueType Value) {
    uint8_t b = Value;
    WriteBytes(&b, 1);
}

// A length byte and the ANSI characters; What names it in the error.
void TWriter::WriteShortName(const String& Name, const wchar_t* What) {
    AnsiString name = ToAnsi(Name);
    if (name.empty() || name.size() > 255) throw EWriteError(String(L"Invalid ") + What + L" '" + Name + L"'");
    uint8_t length = uint8_t(name.size());
    WriteBytes(&length, 1);
    WriteBytes(name.data(), int(name.size()));
}

void TWriter::WritePropName(const String& Name) { WriteShortName(Name, L"property name"); }

void TWriter::WriteString(const String& Value) {
    if (IsAscii(Value)) {
        if (Value.size() <= 255) {
            WriteValue(vaString);
            uint8_t length = uint8_t(Value.size());
            WriteBytes(&length, 1);
        } else {
            WriteValue(vaLString);
            int32_t length = int32_t(Value.size());
            WriteBytes(&length, 4);
        }
        AnsiString text = ToAnsi(Value);
        WriteBytes(text.data(), int(text.size()));
        return;
    }
    WriteValue(vaWString);
    int32_t length = int32_t(Value.size());
    WriteBytes(&length, 4);
    WriteBytes(Value.data(), int(Value.size() * sizeof(wchar_t)));
}

// The smallest of the three integer forms that holds the value.
void TWriter::WriteInteger(int32_t Value) {
    if (Value >= -128 && Value <= 127) {
        WriteValue(vaInt8);
        int8_t v = int8_t(Value);
        WriteBytes(&v, 1);
    } else if (Value >= -32768 && Value <= 32767) {
        WriteValue(vaInt16);
        int16_t v = int16_t(Value);
        WriteBytes(&v, 2);
    } else {
        WriteValue(vaInt32);
        WriteBytes(&Value, 4);
    }
}

void TWriter::WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }

void TWriter::WriteIdent(const String& Ident) {
    if (SameText(Ident, L"False")) return WriteValue(vaFalse);
    if (SameText(Ident, L"True")) return WriteValue(vaTrue);
    WriteValue(vaIdent);
    WriteShortName(Ident, L"identifier");
}

void TWriter::DefineProperty(const String& Name, const TReaderProc&, const TWriterProc& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    WritePropName(Name);
    WriteData(this);
}

void TWriter::DefineBinaryProperty(const String& Name, const TStreamProc&, const TStreamProc& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    TMemoryStream data;
    WriteData(&data);
    WritePropName(Name);
    WriteValue(vaBinary);
    int32_t count = int32_t(data.Size());
    WriteBytes(&count, 4);
    if (count) WriteBytes(data.Memory(), count);
}

void TWriter::WriteProperties(TPersistent* Instance) {
    Instance->DefineProperties(this);
    WriteListEnd();
}

void TWriter::WriteCollection(TCollection* Collection) {
    WriteValue(vaCollection);
    for (int i = 0; i < Collection->Count(); ++i) {
        WriteValue(vaList);
        WriteProperties(Collection->Items(i));
    }
    WriteListEnd();
}

// ---- TReader

void TReader::Malformed() { throw EReadError(L"Invalid stream format"); }

void TReader::ReadBytes(void* Data, int Count) {
    if (Count < 0) Malformed();
    stream_->ReadBuffer(Data, Count);
}

TValueType TReader::ReadValue() {
    uint8_t b = 0;
    ReadBytes(&b, 1);
    return TValueType(b);
}

TValueType TReader::NextValue() {
    TValueType v = ReadValue();
    stream_->Seek(-1, soCurrent);
    return v;
}

void TReader::ReadListEnd() {
    if (ReadValue() != vaNull) Malformed();
}

// A length byte and that many ANSI characters.
String TReader::ReadShortString() {
    uint8_t length = 0;
    ReadBytes(&length, 1);
    AnsiString s(length, '\0');
    ReadBytes(s.data(), length);
    return FromAnsi(s);
}

String TReader::ReadString() {
    TValueType type = ReadValue();
    switch (type) {
        case vaString:
            return ReadShortString();
        case vaLString:
        case vaUTF8String: {
            int32_t length = 0;
            ReadBytes(&length, 4);
            if (length < 0 || length > stream_->Size() - stream_->Position()) Malformed();
            std::string s(size_t(length), '\0');
            ReadBytes(s.data(), length);
            return type == vaUTF8String ? FromUtf8(s) : FromAnsi(s);
        }
        case vaWString: {
            int32_t length = 0;
            ReadBytes(&length, 4);
            if (length < 0 || int64_t(length) * 2 > stream_->Size() - stream_->Position()) Malformed();
            String s(size_t(length), L'\0');
            ReadBytes(s.data(), length * int(sizeof(wchar_t)));
            return s;
        }
        default:
            Malformed();
    }
}

int32_t TReader::ReadInteger() {
    switch (ReadValue()) {
        case vaInt8: {
            int8_t v = 0;
            ReadBytes(&v, 1);
            return v;
        }
        case vaInt16: {
            int16_t v = 0;
            ReadBytes(&v, 2);
            return v;
        }
        case vaInt32: {
            int32_t v = 0;
            ReadBytes(&v, 4);
            return v;
        }
        default:
            Malformed();
    }
}

bool TReader::ReadBoolean() {
    TValueType v = ReadValue();
    if (v != vaTrue && v != vaFalse) Malformed();
    return v == vaTrue;
}

String TReader::ReadIdent() {
    switch (ReadValue()) {
        case vaIdent:
            return ReadShortString();
        case vaFalse:
            return L"False";
        case vaTrue:
            return L"True";
        default:
            Malformed();
    }
}

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
    if (propRead_ || !ReadData || !SameText(Name, propName_)) return;
    propRead_ = true;
    ReadData(this);
}

// The callee gets a stream of its own bytes, so it can neither read past
// them nor leave the reader in the middle of them.
void TReader::DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc&, bool) {
    if (propRead_ || !ReadData || !SameText(Name, propName_)) return;
    propRead_ = true;
    if (ReadValue() != vaBinary) Malformed();
    int32_t count = 0;
    ReadBytes(&count, 4);
    if (count < 0 || count > stream_->Size() - stream_->Position()) Malformed();
    TMemoryStream data;
    data.SetSize(count);
    ReadBytes(data.Memory(), count);
    data.SetPosition(0);
    ReadData(&data);
}

void TReader::ReadProperties(TPersistent* Instance) {
    for (;;) {
        uint8_t length = 0;
        ReadBytes(&length, 1);
        if (length == 0) return;
        AnsiString name(length, '\0');
        ReadBytes(name.data(), length);
        propName_ = FromAnsi(name);
        propRead_ = false;
        Instance->DefineProperties(this);
        if (!propRead_) throw EReadError(L"Property " + propName_ + L" does not exist");
    }
}

void TReader::ReadCollection(TCollection* Collection) {
    if (ReadValue() != vaCollection) Malformed();
    Collection->BeginUpdate();
    try {
        Collection->Clear();
        while (!EndOfList()) {
            if (ReadValue() != vaList) Malformed();
            ReadProperties(Collection->Add());
        }
        ReadListEnd();
    } catch (...) {
        Collection->EndUpdate();
        throw;
    }
    Collection->EndUpdate();
}

}  // namespace fw
