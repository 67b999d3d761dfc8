// The root of the class tree. Class names are the framework's own ("TButton",
// "TPanel"): the skin matches them as text, so every class overrides ClassName.
#pragma once

#include "framework/Exception.h"
#include "framework/Strings.h"

namespace fw {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    virtual String ClassName() const { return L"TObject"; }

    // Class-membership test in the framework's spelling: obj->Is<TForm>().
    template <typename T>
    bool Is() const { return dynamic_cast<const T*>(this) != nullptr; }
};

// Objects that can copy each other's state. Assign asks the source to assign
// itself to this object when this class does not know the source's class.
class TPersistent : public TObject {
public:
    String ClassName() const override { return L"TPersistent"; }

    virtual void Assign(const TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest) const;
    // Raises EConvertError "Cannot assign a <source or nil> to a <this class>".
    [[noreturn]] void AssignError(const TPersistent* Source) const;
};

}  // namespace fw
