#include "framework/rtl/Properties.h"

#include <string>

#include "framework/rtl/SysUtils.h"

namespace fw {

namespace {

const TPropInfo& Require(const TObject* Instance, const String& PropName) {
    const TPropInfo* info = GetPropInfo(Instance, PropName);
    if (!info) throw EPropertyError(L"Property " + PropName + L" does not exist");
    return *info;
}

void RequireKind(const TPropInfo& info, bool ok) {
    if (!ok) throw EPropertyError(L"Invalid property type: " + info.Name);
}

bool IsOrdinal(const TPropInfo& info) {
    return info.Kind == tkInteger || info.Kind == tkEnumeration || info.Kind == tkSet;
}

template <typename F>
void RequireWriter(const TPropInfo& info, const F& writer) {
    if (!writer) throw EPropertyError(L"Property " + info.Name + L" is read-only");
}

int ElementIndex(const TPropInfo& info, const String& name) {
    for (size_t i = 0; i < info.ElementNames.size(); ++i)
        if (info.ElementNames[i] == name) return static_cast<int>(i);
    throw EPropertyError(L"Invalid property element: " + name);
}

int ParseInteger(const String& text) {
    String s = Trim(text);
    try {
        size_t used = 0;
        long long v;
        if (!s.empty() && s[0] == L'$')
            v = std::stoll(s.substr(1), &used, 16), ++used;
        else if (s.size() > 2 && s[0] == L'0' && (s[1] == L'x' || s[1] == L'X'))
            v = std::stoll(s.substr(2), &used, 16), used += 2;
        else
            v = std::stoll(s, &used, 10);
        if (used == s.size() && v >= INT32_MIN && v <= UINT32_MAX) return static_cast<int>(v);
    } catch (const std::exception&) {
    }
    throw EPropertyError(L"Invalid property value");
}

}  // namespace

const TPropInfo* TPropTable::Find(const String& Name) const {
    for (const TPropTable* t = this; t; t = t->Parent)
        for (const TPropInfo& p : t->Properties)
            if (SameText(p.Name, Name)) return &p;
    return nullptr;
}

const TPropInfo* GetPropInfo(const TObject* Instance, const String& PropName) {
    if (!Instance) return nullptr;
    const TPropTable* table = Instance->PublishedProperties();
    return table ? table->Find(PropName) : nullptr;
}

bool IsPublishedProp(const TObject* Instance, const String& PropName) {
    return GetPropInfo(Instance, PropName) != nullptr;
}

TTypeKind PropType(const TObject* Instance, const String& PropName) { return Require(Instance, PropName).Kind; }

int GetOrdProp(const TObject* Instance, const String& PropName) {
    const TPropInfo& info = Require(Instance, PropName);
    RequireKind(info, IsOrdinal(info));
    return info.GetOrd(Instance);
}

void SetOrdProp(TObject* Instance, const String& PropName, int Value) {
    const TPropInfo& info = Require(Instance, PropName);
    RequireKind(info, IsOrdinal(info));
    RequireWriter(info, info.SetOrd);
    info.SetOrd(Instance, Value);
}

String GetEnumName(const TEnumNames& Names, int Value) {
    if (Value < 0 || Value >= static_cast<int>(Names.size())) return std::to_wstring(Value);
    return Names[static_cast<size_t>(Value)];
}

int GetEnumValue(const TEnumNames& Names, const String& Name) {
    // Enumeration value names compare as identifiers do.
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], Name)) return static_cast<int>(i);
    return -1;
}

String GetEnumProp(const TObject* Instance, const String& PropName) {
    const TPropInfo& info = Require(Instance, PropName);
    RequireKind(info, info.Kind == tkEnumeration);
    return GetEnumName(info.ElementNames, info.GetOrd(Instance));
}

void SetEnumProp(TObject* Instance, const String& PropName, const String& Value) {
    const TPropInfo& info = Require(Instance, PropName);
    RequireKind(info, info.Kind == tkEnumeration);
    RequireWriter(info, info.SetOrd);
    int v = GetEnumValue(info.ElementNames, Value);
    if (v < 0) throw EPropertyError(L"Invalid property element: " + Value);
    info.SetOrd(Instance, v);
}

String GetSetProp(const TObject* Instance, const String& PropName) {
    const TPropInfo& info = Require(Instance, PropName);
    RequireKind(info, info.Kind == tkSet);
    unsigned bits = static_cast<unsigned>(info.GetOrd(Instance));
    String out;
    for (size_t i = 0; i < info.ElementNames.size() && i < 32; ++i) {
        if (!(bits & (1u << i))) continue;
        if (!out.empty()) out += L',';
        out += info.ElementNames[i];
    }
    return out;
}

void SetSetProp(TObject* Instance, const String& PropName, const String& Value) {
    const TPropInfo& info = Require(Instance, PropName);
    RequireKind(info, info.Kind == tkSet);
    RequireWriter(info, info.SetOrd);
    String text = Trim(Value);
    if (!text.empty() && text.front() == L'[' && text.back() == L']') text = text.substr(1, text.size() - 2);
    unsigned bits = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L',', start);
        if (end == String::npos) end = text.size();
        String name = Trim(text.substr(start, end - start));
        if (!name.empty()) bits |= 1u << ElementIndex(info, name);
        start = end + 1;
    }
    info.SetOrd(Instance, static_cast<int>(bits));
}

String GetStrProp(const TObject* Instance, const String& PropName) {
    const TPropInfo& info = Require(Instance, PropName);
    RequireKind(info, info.Kind == tkString);
    return info.GetStr(Instance);
}

void SetStrProp(TObject* Instance, const String& PropName, const String& Value) {
    const TPropInfo& info = Require(Instance, PropName);
    RequireKind(info, info.Kind == tkString);
    RequireWriter(info, info.SetStr);
    info.SetStr(Instance, Value);
}

TObject* GetObjectProp(const TObject* Instance, const String& PropName) {
    const TPropInfo& info = Require(Instance, PropName);
    RequireKind(info, info.Kind == tkClass);
    return info.GetObj(Instance);
}

void SetObjectProp(TObject* Instance, const String& PropName, TObject* Value) {
    const TPropInfo& info = Require(Instance, PropName);
    RequireKind(info, info.Kind == tkClass);
    RequireWriter(info, info.SetObj);
    if (info.AcceptsObject && !info.AcceptsObject(Value)) throw EPropertyError(L"Invalid property value");
    info.SetObj(Instance, Value);
}

TMethod GetMethodProp(const TObject* Instance, const String& PropName) {
    const TPropInfo& info = Require(Instance, PropName);
    RequireKind(info, info.Kind == tkMethod);
    return info.GetMethod(Instance);
}

void SetMethodProp(TObject* Instance, const String& PropName, const TMethod& Value) {
    const TPropInfo& info = Require(Instance, PropName);
    RequireKind(info, info.Kind == tkMethod);
    RequireWriter(info, info.SetMethod);
    if (info.AcceptsMethod && !info.AcceptsMethod(Value)) throw EPropertyError(L"Invalid property value");
    info.SetMethod(Instance, Value);
}

String GetPropValue(const TObject* Instance, const String& PropName) {
    const TPropInfo& info = Require(Instance, PropName);
    switch (info.Kind) {
        case tkInteger:
            return std::to_wstring(info.GetOrd(Instance));
        case tkEnumeration:
            return GetEnumProp(Instance, PropName);
        case tkSet:
            return GetSetProp(Instance, PropName);
        case tkString:
            return info.GetStr(Instance);
        default:
            RequireKind(info, false);
    }
    return String();
}

void SetPropValue(TObject* Instance, const String& PropName, const String& Value) {
    const TPropInfo& info = Require(Instance, PropName);
    switch (info.Kind) {
        case tkInteger:
            return SetOrdProp(Instance, PropName, ParseInteger(Value));
        case tkEnumeration:
            return SetEnumProp(Instance, PropName, Value);
        case tkSet:
            return SetSetProp(Instance, PropName, Value);
        case tkString:
            return SetStrProp(Instance, PropName, Value);
        default:
            RequireKind(info, false);
    }
}

}  // namespace fw
