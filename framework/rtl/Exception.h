// The exception hierarchy the libraries raise, and the barrier that keeps C++
// exceptions from unwinding through Win32 callbacks and COM calls.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "framework/rtl/Strings.h"

namespace fw {

class Exception : public std::exception {
public:
    explicit Exception(String message) : Message(std::move(message)), narrow_(ToAnsi(Message)) {}
    const char* what() const noexcept override { return narrow_.c_str(); }
    virtual String ClassName() const { return L"Exception"; }

    String Message;

private:
    std::string narrow_;
};

#define FW_EXCEPTION(Name, Base)                                \
    class Name : public Base {                                  \
    public:                                                     \
        using Base::Base;                                       \
        String ClassName() const override { return L## #Name; } \
    }

FW_EXCEPTION(EConvertError, Exception);
FW_EXCEPTION(EStringListError, Exception);
FW_EXCEPTION(EListError, Exception);
FW_EXCEPTION(EOutOfMemory, Exception);
FW_EXCEPTION(EOleError, Exception);
FW_EXCEPTION(EStreamError, Exception);
FW_EXCEPTION(EReadError, EStreamError);
FW_EXCEPTION(EWriteError, EStreamError);
FW_EXCEPTION(EFOpenError, EStreamError);
FW_EXCEPTION(EFCreateError, EStreamError);
FW_EXCEPTION(EInvalidGraphic, Exception);
FW_EXCEPTION(EResNotFound, Exception);
FW_EXCEPTION(EAssertionFailed, Exception);
FW_EXCEPTION(EInvalidOperation, Exception);
FW_EXCEPTION(EThread, Exception);
FW_EXCEPTION(ERegistryException, Exception);
FW_EXCEPTION(EVariantError, Exception);
FW_EXCEPTION(EPropertyError, Exception);
// The silent exception: the application's handler shows nothing for it.
FW_EXCEPTION(EAbort, Exception);

// Where an exception that reached a Win32 callback or a COM boundary goes.
// The application installs its error dialog here; the default writes the
// message with OutputDebugString.
using ExceptionHandler = std::function<void(const Exception&)>;
void SetBoundaryExceptionHandler(ExceptionHandler handler);
void HandleBoundaryException(const Exception& e);

// Runs fn and swallows any exception into the boundary handler. Returns false
// when fn threw. Every window procedure, hook and COM sink goes through this.
bool ExceptionBarrier(const std::function<void()>& fn) noexcept;

// The same, returning fn's value or fallback when fn threw.
template <typename R, typename F>
R ExceptionBarrier(F&& fn, R fallback) noexcept {
    R result = fallback;
    ExceptionBarrier([&] { result = fn(); });
    return result;
}

}  // namespace fw
