#include "skin/engine/PropUtils.h"

#include <vector>

#include "framework/rtl/Properties.h"

namespace skin {

using fw::String;

bool HasProperty(const fw::TObject* Obj, const String& PropName) { return fw::GetPropInfo(Obj, PropName) != nullptr; }

fw::TObject* GetObjProp(const fw::TObject* Obj, const String& PropName) {
    if (!HasProperty(Obj, PropName)) return nullptr;
    return fw::GetObjectProp(Obj, PropName);
}

void SetObjProp(fw::TObject* Obj, const String& PropName, fw::TObject* Value) {
    if (HasProperty(Obj, PropName)) fw::SetObjectProp(Obj, PropName, Value);
}

int GetIntProp(const fw::TObject* Obj, const String& PropName) {
    if (!HasProperty(Obj, PropName)) return -1;
    return fw::GetOrdProp(Obj, PropName);
}

void SetIntProp(fw::TObject* Obj, const String& PropName, int Value) {
    if (HasProperty(Obj, PropName)) fw::SetOrdProp(Obj, PropName, Value);
}

namespace {

// The element names of a set's text form ("a,b,c").
std::vector<String> SplitElements(const String& Text) {
    std::vector<String> names;
    size_t start = 0;
    while (start < Text.size()) {
        size_t end = Text.find(L',', start);
        if (end == String::npos) end = Text.size();
        if (end > start) names.push_back(Text.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

String JoinElements(const std::vector<String>& Names) {
    String text;
    for (const String& n : Names) {
        if (!text.empty()) text += L',';
        text += n;
    }
    return text;
}

bool HoldsElement(const std::vector<String>& Names, const String& ElementName) {
    for (const String& n : Names)
        if (n == ElementName) return true;
    return false;
}

}  // namespace

bool CheckSetProp(const fw::TObject* Obj, const String& PropName, const String& ElementName) {
    if (!HasProperty(Obj, PropName)) return false;
    return HoldsElement(SplitElements(fw::GetSetProp(Obj, PropName)), ElementName);
}

void SetSetPropValue(fw::TObject* Obj, const String& PropName, const String& ElementName, bool Add) {
    if (!HasProperty(Obj, PropName)) return;
    std::vector<String> names = SplitElements(fw::GetSetProp(Obj, PropName));
    if (Add) {
        if (HoldsElement(names, ElementName)) return;
        names.push_back(ElementName);  // an unknown name raises the framework's property error
    } else {
        // By exact name: removing "x" from "x,xy" leaves "xy" intact.
        std::vector<String> kept;
        for (const String& n : names)
            if (n != ElementName) kept.push_back(n);
        if (kept.size() == names.size()) return;
        names.swap(kept);
    }
    fw::SetSetProp(Obj, PropName, JoinElements(names));
}

}  // namespace skin
