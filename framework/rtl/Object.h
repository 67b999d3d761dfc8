// The root of the class tree. Class names are the framework's own ("TButton",
// "TPanel"): the skin matches them as text, so every class overrides ClassName.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "framework/rtl/Exception.h"
#include "framework/rtl/Strings.h"

namespace fw {

struct TPropTable;
class TFiler;

// The framework's small sets ("set of TComponentStateItem"): up to 32
// elements of an enumeration whose values run from 0.
template <typename E>
class Set {
public:
    constexpr Set() = default;
    constexpr Set(std::initializer_list<E> elements) {
        for (E e : elements) bits_ |= bit(e);
    }
    static constexpr Set FromBits(uint32_t bits) {
        Set s;
        s.bits_ = bits;
        return s;
    }

    constexpr bool Contains(E e) const { return (bits_ & bit(e)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr uint32_t Bits() const { return bits_; }
    constexpr Set& Include(E e) {
        bits_ |= bit(e);
        return *this;
    }
    constexpr Set& Exclude(E e) {
        bits_ &= ~bit(e);
        return *this;
    }

    friend constexpr Set operator+(Set a, Set b) { return FromBits(a.bits_ | b.bits_); }
    friend constexpr Set operator-(Set a, Set b) { return FromBits(a.bits_ & ~b.bits_); }
    friend constexpr Set operator*(Set a, Set b) { return FromBits(a.bits_ & b.bits_); }
    constexpr Set& operator+=(Set o) { return *this = *this + o; }
    constexpr Set& operator-=(Set o) { return *this = *this - o; }
    friend constexpr bool operator==(Set a, Set b) { return a.bits_ == b.bits_; }
    friend constexpr bool operator!=(Set a, Set b) { return a.bits_ != b.bits_; }

private:
    static constexpr uint32_t bit(E e) { return uint32_t(1) << static_cast<unsigned>(e); }
    uint32_t bits_ = 0;
};

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    virtual String ClassName() const { return L"TObject"; }

    // Class-membership test in the framework's spelling: obj->Is<TForm>().
    template <typename T>
    bool Is() const {
        return dynamic_cast<const T*>(this) != nullptr;
    }

    // The published properties of this object's class, for access by name
    // (framework/Properties.h). Classes that publish override this; the
    // table links to the parent class's table.
    virtual const TPropTable* PublishedProperties() const { return nullptr; }
};

// Objects that can copy each other's state. Assign asks the source to assign
// itself to this object when this class does not know the source's class.
class TPersistent : public TObject {
public:
    String ClassName() const override { return L"TPersistent"; }

    virtual void Assign(const TPersistent* Source);
    // The object that owns this one (a component's owner, a collection item's
    // collection), or nullptr.
    virtual TPersistent* GetOwner() const { return nullptr; }
    // Names the properties this object streams with its own code
    // (framework/rtl/Filer.h); the base class has none.
    virtual void DefineProperties(TFiler* Filer) { (void)Filer; }

protected:
    virtual void AssignTo(TPersistent* Dest) const;
    // Raises EConvertError "Cannot assign a <source or nil> to a <this class>".
    [[noreturn]] void AssignError(const TPersistent* Source) const;
};

}  // namespace fw
