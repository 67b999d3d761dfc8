// Property streaming in the framework's binary form, reduced to what objects
// define for themselves: an object's DefineProperties names properties that
// it reads and writes with its own code (a byte block such as a stored
// skin's "Data", or a string or integer), and collections of such objects.
//
// Layout, as the framework's form resources have it: a property is its name
// (one length byte, then the ANSI characters) followed by a value-type byte
// and the value; a list of properties ends with a 0 byte. A byte block is
// vaBinary (10), a 4-byte little-endian count and the bytes. An enumeration
// value is its name: vaIdent (7), a length byte and the ANSI characters (False
// and True are vaFalse and vaTrue). A collection is
// vaCollection (14), then per item vaList (1) and the item's properties, then 0.
#pragma once

#include <cstdint>

#include "framework/rtl/Method.h"
#include "framework/rtl/Object.h"

namespace fw {

class TStream;
class TReader;
class TWriter;
class TCollection;

enum TValueType : uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaLString = 12,
    vaCollection = 14,
    vaWString = 18,
    vaUTF8String = 20,
};

using TReaderProc = Method<void(TReader* Reader)>;
using TWriterProc = Method<void(TWriter* Writer)>;
using TStreamProc = Method<void(TStream* Stream)>;

// What DefineProperties talks to; the reader and the writer answer it.
class TFiler : public TObject {
public:
    explicit TFiler(TStream* Stream) : stream_(Stream) {}
    String ClassName() const override { return L"TFiler"; }

    TStream* Stream() const { return stream_; }

    // A property read and written through the filer's value routines.
    // HasData false: the writer leaves it out.
    virtual void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                                bool HasData) = 0;
    // A byte block: WriteData writes into a memory stream, ReadData gets one
    // holding exactly the stored bytes, positioned at 0.
    virtual void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                                      bool HasData) = 0;

protected:
    TStream* stream_;
};

class TWriter : public TFiler {
public:
    using TFiler::TFiler;
    String ClassName() const override { return L"TWriter"; }

    // Instance's defined properties and the end-of-list byte.
    void WriteProperties(TPersistent* Instance);
    // vaCollection, each item's properties, the end-of-list byte.
    void WriteCollection(TCollection* Collection);

    void WriteString(const String& Value);
    void WriteInteger(int32_t Value);
    void WriteBoolean(bool Value);
    // An enumeration value by its name.
    void WriteIdent(const String& Ident);
    void WriteValue(TValueType Value);
    void WriteListEnd() { WriteValue(vaNull); }

    void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;

private:
    void WritePropName(const String& Name);
    void WriteShortName(const String& Name, const wchar_t* What);
    void WriteBytes(const void* Data, int Count);
};

// Reading raises EReadError on a malformed stream or a property the object
// does not define ("Property X does not exist").
class TReader : public TFiler {
public:
    using TFiler::TFiler;
    String ClassName() const override { return L"TReader"; }

    // Properties up to the end-of-list byte, each handed to Instance's
    // DefineProperties by name (case-insensitive).
    void ReadProperties(TPersistent* Instance);
    // Empties Collection and adds an item for each stored one.
    void ReadCollection(TCollection* Collection);

    String ReadString();
    int32_t ReadInteger();
    bool ReadBoolean();
    // The name of an enumeration value ("False" and "True" for booleans).
    String ReadIdent();
    TValueType ReadValue();
    TValueType NextValue();
    bool EndOfList() { return NextValue() == vaNull; }
    void ReadListEnd();

    void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;

private:
    void ReadBytes(void* Data, int Count);
    String ReadShortString();
    [[noreturn]] void Malformed();

    String propName_;  // the property being read
    bool propRead_ = false;
};

}  // namespace fw
