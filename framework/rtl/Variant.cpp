#include "framework/rtl/Variant.h"

#include <limits>

#include "framework/rtl/SysUtils.h"

namespace fw {

String VarTypeAsText(TVarType type) {
    switch (type) {
        case varEmpty:
            return L"Empty";
        case varNull:
            return L"Null";
        case varSmallint:
            return L"Smallint";
        case varInteger:
            return L"Integer";
        case varOleStr:
            return L"OleStr";
        case varShortInt:
            return L"ShortInt";
        case varByte:
            return L"Byte";
        case varWord:
            return L"Word";
        case varLongWord:
            return L"LongWord";
        case varInt64:
            return L"Int64";
        case varString:
            return L"String";
        case varUString:
            return L"UnicodeString";
    }
    return L"$" + IntToHex(type, 4);
}

bool Variant::IsOrdinal() const {
    switch (type_) {
        case varSmallint:
        case varInteger:
        case varShortInt:
        case varByte:
        case varWord:
        case varLongWord:
        case varInt64:
            return true;
    }
    return false;
}

void Variant::CastError(TVarType target) const {
    throw EVariantTypeCastError(L"Could not convert variant of type (" + VarTypeAsText(type_) + L") into type (" +
                                VarTypeAsText(target) + L")");
}

int64_t Variant::AsInt64() const {
    if (IsOrdinal()) return int_;
    if (type_ == varEmpty) return 0;
    int64_t v;
    if (IsStr() && TryStrToInt64(AsString(), v)) return v;
    CastError(varInt64);
}

int32_t Variant::AsInteger() const {
    int64_t v;
    if (IsOrdinal()) {
        v = int_;
    } else if (type_ == varEmpty) {
        return 0;
    } else if (!IsStr() || !TryStrToInt64(AsString(), v)) {
        CastError(varInteger);
    }
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        throw EVariantOverflowError(L"Overflow while converting variant of type (" + VarTypeAsText(type_) +
                                    L") into type (Integer)");
    return static_cast<int32_t>(v);
}

String Variant::AsString() const {
    if (IsOrdinal()) return IntToStr(int_);
    switch (type_) {
        case varEmpty:
            return {};
        case varString:
            return FromAnsi(ansi_);
        case varOleStr:
        case varUString:
            return text_;
    }
    CastError(varUString);
}

AnsiString Variant::AsAnsiString() const {
    if (type_ == varString) return ansi_;
    if (type_ == varNull) CastError(varString);
    return ToAnsi(AsString());
}

String VarToStr(const Variant& v) { return v.IsNull() ? String() : v.AsString(); }

namespace {

// A text compared with a number: as an integer when it is one, else as a
// floating-point number; false when it is neither.
bool TextEqualsNumber(const String& text, int64_t number) {
    int64_t i;
    if (TryStrToInt64(text, i)) return i == number;
    double f;
    return TryStrToFloat(text, f) && f == static_cast<double>(number);
}

}  // namespace

bool VarSameValue(const Variant& a, const Variant& b) {
    if (a.IsEmpty()) return b.IsEmpty();
    if (a.IsNull()) return b.IsNull();
    if (b.IsEmpty() || b.IsNull()) return false;
    if (a.IsOrdinal() && b.IsOrdinal()) return a.AsInt64() == b.AsInt64();
    if (a.IsStr() && b.IsStr()) return a.AsString() == b.AsString();
    if (a.IsOrdinal() && b.IsStr()) return TextEqualsNumber(b.AsString(), a.AsInt64());
    if (a.IsStr() && b.IsOrdinal()) return TextEqualsNumber(a.AsString(), b.AsInt64());
    return false;
}

}  // namespace fw
