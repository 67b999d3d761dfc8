// Method pointers: an object and one of its member functions, stored together.
// Events hold these; like the framework's, two of them compare equal when they
// name the same method of the same object, so a saved WindowProc can be
// compared with the current one and restored.
#pragma once

#include <cstring>
#include <utility>

namespace fw {

template <typename Signature>
class Method;

template <typename R, typename... Args>
class Method<R(Args...)> {
public:
    Method() = default;
    Method(std::nullptr_t) {}

    template <typename C>
    Method(C* object, R (C::*fn)(Args...)) : object_(object), invoke_(&invokeMember<C, R (C::*)(Args...)>) {
        store(fn);
    }
    template <typename C>
    Method(const C* object, R (C::*fn)(Args...) const)
        : object_(const_cast<C*>(object)), invoke_(&invokeMember<const C, R (C::*)(Args...) const>) {
        store(fn);
    }

    // A plain function with a data pointer, for code that has no object.
    Method(void* data, R (*fn)(void*, Args...)) : object_(data), invoke_(&invokeFree) { store(fn); }

    explicit operator bool() const { return invoke_ != nullptr; }
    bool Assigned() const { return invoke_ != nullptr; }
    void Clear() { *this = Method(); }
    void* Data() const { return object_; }

    R operator()(Args... args) const { return invoke_(object_, code_, std::forward<Args>(args)...); }

    friend bool operator==(const Method& a, const Method& b) {
        return a.object_ == b.object_ && a.invoke_ == b.invoke_ && std::memcmp(a.code_, b.code_, sizeof a.code_) == 0;
    }
    friend bool operator!=(const Method& a, const Method& b) { return !(a == b); }

private:
    // Member function pointers are 4 to 16 bytes depending on the class's inheritance.
    static constexpr size_t kCodeSize = 16;
    using Invoker = R (*)(void*, const unsigned char*, Args...);

    template <typename F>
    void store(F fn) {
        static_assert(sizeof(F) <= kCodeSize, "member function pointer too large");
        std::memcpy(code_, &fn, sizeof fn);
    }

    template <typename C, typename F>
    static R invokeMember(void* object, const unsigned char* code, Args... args) {
        F fn;
        std::memcpy(&fn, code, sizeof fn);
        return (static_cast<C*>(object)->*fn)(std::forward<Args>(args)...);
    }
    static R invokeFree(void* data, const unsigned char* code, Args... args) {
        R (*fn)(void*, Args...);
        std::memcpy(&fn, code, sizeof fn);
        return fn(data, std::forward<Args>(args)...);
    }

    void* object_ = nullptr;
    Invoker invoke_ = nullptr;
    alignas(void*) unsigned char code_[kCodeSize] = {};
};

class TObject;
using TNotifyEvent = Method<void(TObject* Sender)>;

}  // namespace fw
