// Published properties of any object, by name (case-insensitive), for code
// that reaches controls it does not know the classes of. A missing property
// gives nothing, nullptr, -1 or False; a value of the wrong kind for an
// existing property raises the framework's EPropertyError.
#pragma once

#include "framework/rtl/Object.h"

namespace skin {

bool HasProperty(const fw::TObject* Obj, const fw::String& PropName);
fw::TObject* GetObjProp(const fw::TObject* Obj, const fw::String& PropName);
// The framework refuses a value whose class does not fit the property.
void SetObjProp(fw::TObject* Obj, const fw::String& PropName, fw::TObject* Value);
// The ordinal value; -1 when there is no such property.
int GetIntProp(const fw::TObject* Obj, const fw::String& PropName);
void SetIntProp(fw::TObject* Obj, const fw::String& PropName, int Value);
// True when the set property holds the element named exactly ElementName.
bool CheckSetProp(const fw::TObject* Obj, const fw::String& PropName, const fw::String& ElementName);
// Adds or removes the one element named exactly ElementName; other elements
// are never touched (a name that is a prefix of another stays distinct).
void SetSetPropValue(fw::TObject* Obj, const fw::String& PropName, const fw::String& ElementName, bool Add);

}  // namespace skin
