// A small tagged value for the tag containers: nothing (Unassigned), Null,
// the integer kinds and the three string kinds, with the usual variant rules
// for comparing and converting them.
#pragma once

#include <concepts>
#include <cstdint>
#include <type_traits>

#include "framework/rtl/Exception.h"
#include "framework/rtl/Strings.h"

namespace fw {

FW_EXCEPTION(EVariantTypeCastError, EVariantError);  // "Could not convert variant of type (A) into type (B)"
FW_EXCEPTION(EVariantOverflowError, EVariantError);  // the value does not fit the target type

// The usual variant type codes, so that code written against them reads the same.
using TVarType = uint16_t;
constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varOleStr = 0x0008;  // WideString
constexpr TVarType varShortInt = 0x0010;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varString = 0x0100;   // AnsiString, bytes in the ANSI code page
constexpr TVarType varUString = 0x0102;  // UnicodeString

// "Integer", "String", "UnicodeString"...: the type names used in messages.
String VarTypeAsText(TVarType type);

class Variant {
public:
    Variant() = default;  // Unassigned

    // Integers take the kind of their C++ type: int8_t ShortInt, uint8_t Byte,
    // int16_t Smallint, uint16_t Word, 32-bit Integer/LongWord, int64_t Int64.
    template <typename T>
    requires(std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> && !std::same_as<T, wchar_t> &&
             !std::same_as<T, char8_t> && !std::same_as<T, char16_t> && !std::same_as<T, char32_t> &&
             !(std::is_unsigned_v<T> && sizeof(T) == 8)) Variant(T value)
        : type_(IntegerKind<T>()), int_(static_cast<int64_t>(value)) {}

    Variant(const AnsiString& value) : type_(varString), ansi_(value) {}
    Variant(const char* value) : type_(varString), ansi_(value ? value : "") {}
    Variant(const String& value) : type_(varUString), text_(value) {}
    Variant(const wchar_t* value) : type_(varUString), text_(value ? value : L"") {}

    static Variant Null() {
        Variant v;
        v.type_ = varNull;
        return v;
    }
    // A WideString (varOleStr) value: UTF-16 like UnicodeString, a kind of its own.
    static Variant OleStr(const String& value) {
        Variant v(value);
        v.type_ = varOleStr;
        return v;
    }

    TVarType VarType() const { return type_; }
    bool IsEmpty() const { return type_ == varEmpty; }
    bool IsNull() const { return type_ == varNull; }
    bool IsOrdinal() const;
    bool IsStr() const { return type_ == varString || type_ == varOleStr || type_ == varUString; }

    // Conversions as variant casts work: Unassigned is 0 or the empty text,
    // Null and text that is no number raise EVariantTypeCastError, values
    // out of range EVariantOverflowError.
    int32_t AsInteger() const;
    int64_t AsInt64() const;
    String AsString() const;
    AnsiString AsAnsiString() const;

private:
    template <typename T>
    static constexpr TVarType IntegerKind() {
        if constexpr (std::is_signed_v<T>)
            return sizeof(T) == 1 ? varShortInt : sizeof(T) == 2 ? varSmallint : sizeof(T) == 4 ? varInteger : varInt64;
        else
            return sizeof(T) == 1 ? varByte : sizeof(T) == 2 ? varWord : varLongWord;
    }
    [[noreturn]] void CastError(TVarType target) const;

    TVarType type_ = varEmpty;
    int64_t int_ = 0;
    AnsiString ansi_;
    String text_;
};

inline Variant Null() { return Variant::Null(); }
inline Variant Unassigned() { return Variant(); }

inline bool VarIsNull(const Variant& v) { return v.IsNull(); }
inline bool VarIsEmpty(const Variant& v) { return v.IsEmpty(); }
inline bool VarIsOrdinal(const Variant& v) { return v.IsOrdinal(); }
inline bool VarIsStr(const Variant& v) { return v.IsStr(); }
inline TVarType VarType(const Variant& v) { return v.VarType(); }

// The text of any value; Null and Unassigned give the empty text.
String VarToStr(const Variant& v);

// Unassigned equals only Unassigned, Null only Null; numbers compare by value
// whatever their kinds, texts compare exactly (an 8-bit text through the ANSI
// code page), and a number equals a text that reads as the same number. A
// text that reads as no number is not the same as any number.
bool VarSameValue(const Variant& a, const Variant& b);

}  // namespace fw
