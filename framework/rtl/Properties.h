// Published properties by name. A class that publishes properties overrides
// TObject::PublishedProperties() with a static table linked to its parent
// class's table:
//
//   const TPropTable* TFoo::PublishedProperties() const {
//       static const TPropTable table(TBase::PublishedProperties(), {
//           IntegerProperty<TFoo>(L"Width", [](const TFoo& f) { return f.Width(); },
//                                 [](TFoo& f, int v) { f.SetWidth(v); }),
//           MethodProperty<TFoo>(L"OnClick", &TFoo::OnClick),
//       });
//       return &table;
//   }
//
// Names compare case-insensitively. Access to a name no table holds raises
// EPropertyError "Property %s does not exist"; a value of the wrong kind
// raises EPropertyError too. An event (a method property) is read and set
// as a TMethod, so code that knows only its name can tell whether it holds a
// given handler, put one in and clear it.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/rtl/Method.h"
#include "framework/rtl/Object.h"

namespace fw {

enum TTypeKind { tkUnknown, tkInteger, tkEnumeration, tkSet, tkString, tkClass, tkMethod };

// The value of a method (event) property whatever the event's signature: a
// Method<Sig> held with its type. Unassigned values are all equal; assigned
// ones are equal when they hold the same Sig, object and member function.
class TMethod {
public:
    TMethod() = default;
    template <typename Sig>
    TMethod(const Method<Sig>& M) : value_(M), assigned_(M.Assigned()), data_(M.Data()) {
        equal_ = [](const std::any& a, const std::any& b) {
            return std::any_cast<const Method<Sig>&>(a) == std::any_cast<const Method<Sig>&>(b);
        };
    }

    bool Assigned() const { return assigned_; }
    // The object the method belongs to.
    void* Data() const { return data_; }
    // Whether this holds an Event (a Method<Sig> type; assigned or not).
    template <typename Event>
    bool Holds() const {
        return std::any_cast<Event>(&value_) != nullptr;
    }
    // The Event held, or an unassigned one when this holds another type.
    template <typename Event>
    Event As() const {
        const auto* m = std::any_cast<Event>(&value_);
        return m ? *m : Event();
    }

    friend bool operator==(const TMethod& a, const TMethod& b) {
        if (!a.assigned_ || !b.assigned_) return a.assigned_ == b.assigned_;
        return a.value_.type() == b.value_.type() && a.equal_(a.value_, b.value_);
    }
    friend bool operator!=(const TMethod& a, const TMethod& b) { return !(a == b); }

private:
    std::any value_;
    bool assigned_ = false;
    void* data_ = nullptr;
    bool (*equal_)(const std::any&, const std::any&) = nullptr;
};

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
    // Method properties. SetMethod gets a value of the property's own
    // signature or an unassigned one (which clears the event).
    std::function<TMethod(const TObject*)> GetMethod;
    std::function<void(TObject*, const TMethod&)> SetMethod;
    // Whether a method property can hold this value.
    std::function<bool(const TMethod&)> AcceptsMethod;
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

// An event held in a public field: MethodProperty<TFoo>(L"OnClick", &TFoo::OnClick).
template <typename C, typename Sig, typename Owner>
TPropInfo MethodProperty(const String& Name, Method<Sig> Owner::*Field) {
    TPropInfo p;
    p.Name = Name;
    p.Kind = tkMethod;
    p.GetMethod = [Field](const TObject* o) { return TMethod(static_cast<const C*>(o)->*Field); };
    p.SetMethod = [Field](TObject* o, const TMethod& v) { static_cast<C*>(o)->*Field = v.As<Method<Sig>>(); };
    p.AcceptsMethod = [](const TMethod& v) { return !v.Assigned() || v.Holds<Method<Sig>>(); };
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
// An enumeration's value names, value i named Names[i]: the type
// information GetEnumName and GetEnumValue read, also for enumerations no
// property carries (a static table beside the type).
using TEnumNames = std::vector<String>;
// The name of Value; its number as text outside the table.
String GetEnumName(const TEnumNames& Names, int Value);
// The value named Name, compared as identifiers are (any case); -1 for none.
int GetEnumValue(const TEnumNames& Names, const String& Name);

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

TMethod GetMethodProp(const TObject* Instance, const String& PropName);
// EPropertyError "Invalid property value" for an assigned method of another
// signature; an unassigned value clears the event.
void SetMethodProp(TObject* Instance, const String& PropName, const TMethod& Value);

// Any non-object property as text: a decimal integer, an enumeration value
// name, a set's text or the string.
String GetPropValue(const TObject* Instance, const String& PropName);
void SetPropValue(TObject* Instance, const String& PropName, const String& Value);

}  // namespace fw
