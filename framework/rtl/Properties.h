// Published properties by name. A class that publishes properties overrides
// TObject::PublishedProperties() with a static table linked to its parent
// class's table:
//
//   const TPropTable* TFoo::PublishedProperties() const {
//       static const TPropTable table(TBase::PublishedProperties(), {
//           IntegerProperty<TFoo>(L"Width", [](const TFoo& f) { return f.Width(); },
//                                 [](TFoo& f, int v) { f.SetWidth(v); }),
//       });
//       return &table;
//   }
//
// Names compare case-insensitively. Access to a name no table holds raises
// EPropertyError "Property %s does not exist"; a value of the wrong kind
// raises EPropertyError too.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/rtl/Object.h"

namespace fw {

enum TTypeKind { tkUnknown, tkInteger, tkEnumeration, tkSet, tkString, tkClass };

struct TPropInfo {
    String Name;
    TTypeKind Kind = tkUnknown;
    // Enumeration value names (value i is ElementNames[i]), or the names of a
    // set's elements (element i is bit i).
    std::vector<String> ElementNames;

    // Integer, enumeration and set (as bits) properties.
    std::function<int(const TObject*)> GetOrd;
    std::function<void(TObject*, int)> SetOrd;
    std::function<String(const TObject*)> GetStr;
    std::function<void(TObject*, const String&)> SetStr;
    std::function<TObject*(const TObject*)> GetObj;
    std::function<void(TObject*, TObject*)> SetObj;
    // Whether an object property can hold this value (nullptr always can).
    std::function<bool(const TObject*)> AcceptsObject;
};

struct TPropTable {
    TPropTable(const TPropTable* AParent, std::vector<TPropInfo> AProperties)
        : Parent(AParent), Properties(std::move(AProperties)) {}

    // This class's properties first, then the parent's; nullptr when none matches.
    const TPropInfo* Find(const String& Name) const;

    const TPropTable* Parent;
    std::vector<TPropInfo> Properties;
};

// --- table builders ---

template <typename C>
TPropInfo IntegerProperty(const String& Name, std::function<int(const C&)> Get,
                          std::function<void(C&, int)> Set = nullptr) {
    TPropInfo p;
    p.Name = Name;
    p.Kind = tkInteger;
    p.GetOrd = [Get](const TObject* o) { return Get(*static_cast<const C*>(o)); };
    if (Set) p.SetOrd = [Set](TObject* o, int v) { Set(*static_cast<C*>(o), v); };
    return p;
}

// An enumeration (or Boolean, with names {"False", "True"}) whose values are
// 0..Names.size()-1.
template <typename C>
TPropInfo EnumProperty(const String& Name, std::vector<String> Names, std::function<int(const C&)> Get,
                       std::function<void(C&, int)> Set = nullptr) {
    TPropInfo p = IntegerProperty<C>(Name, std::move(Get), std::move(Set));
    p.Kind = tkEnumeration;
    p.ElementNames = std::move(Names);
    return p;
}

// A set as bits: element i of ElementNames is bit i.
template <typename C>
TPropInfo SetProperty(const String& Name, std::vector<String> ElementNames, std::function<int(const C&)> Get,
                      std::function<void(C&, int)> Set = nullptr) {
    TPropInfo p = IntegerProperty<C>(Name, std::move(Get), std::move(Set));
    p.Kind = tkSet;
    p.ElementNames = std::move(ElementNames);
    return p;
}

template <typename C>
TPropInfo StringProperty(const String& Name, std::function<String(const C&)> Get,
                         std::function<void(C&, const String&)> Set = nullptr) {
    TPropInfo p;
    p.Name = Name;
    p.Kind = tkString;
    p.GetStr = [Get](const TObject* o) { return Get(*static_cast<const C*>(o)); };
    if (Set) p.SetStr = [Set](TObject* o, const String& v) { Set(*static_cast<C*>(o), v); };
    return p;
}

// An object property holding a V (or a descendant of V).
template <typename C, typename V>
TPropInfo ObjectProperty(const String& Name, std::function<V*(const C&)> Get,
                         std::function<void(C&, V*)> Set = nullptr) {
    TPropInfo p;
    p.Name = Name;
    p.Kind = tkClass;
    p.GetObj = [Get](const TObject* o) -> TObject* { return Get(*static_cast<const C*>(o)); };
    if (Set) p.SetObj = [Set](TObject* o, TObject* v) { Set(*static_cast<C*>(o), dynamic_cast<V*>(v)); };
    p.AcceptsObject = [](const TObject* v) { return !v || dynamic_cast<const V*>(v) != nullptr; };
    return p;
}

// --- access by name ---

// nullptr when Instance is nullptr or its class publishes no such property.
const TPropInfo* GetPropInfo(const TObject* Instance, const String& PropName);
bool IsPublishedProp(const TObject* Instance, const String& PropName);
// EPropertyError "Property %s does not exist" when missing.
TTypeKind PropType(const TObject* Instance, const String& PropName);

// Integer, enumeration and set properties.
int GetOrdProp(const TObject* Instance, const String& PropName);
void SetOrdProp(TObject* Instance, const String& PropName, int Value);
// Enumeration properties by value name; an unknown name raises
// EPropertyError "Invalid property element: %s".
String GetEnumProp(const TObject* Instance, const String& PropName);
void SetEnumProp(TObject* Instance, const String& PropName, const String& Value);
// Set properties as text: element names in element order, separated by
// commas, without brackets. Setting accepts the text with or without
// brackets; every element must be named exactly.
String GetSetProp(const TObject* Instance, const String& PropName);
void SetSetProp(TObject* Instance, const String& PropName, const String& Value);
String GetStrProp(const TObject* Instance, const String& PropName);
void SetStrProp(TObject* Instance, const String& PropName, const String& Value);
TObject* GetObjectProp(const TObject* Instance, const String& PropName);
// EPropertyError "Invalid property value" when the class does not fit.
void SetObjectProp(TObject* Instance, const String& PropName, TObject* Value);

// Any non-object property as text: a decimal integer, an enumeration value
// name, a set's text or the string.
String GetPropValue(const TObject* Instance, const String& PropName);
void SetPropValue(TObject* Instance, const String& PropName, const String& Value);

}  // namespace fw
