#include "framework/rtl/Exception.h"

#include <windows.h>

#include <new>

namespace fw {

namespace {

ExceptionHandler& boundaryHandler() {
    static ExceptionHandler handler;
    return handler;
}

}  // namespace

void SetBoundaryExceptionHandler(ExceptionHandler handler) { boundaryHandler() = std::move(handler); }

void HandleBoundaryException(const Exception& e) {
    if (boundaryHandler()) {
        boundaryHandler()(e);
        return;
    }
    OutputDebugStringW((e.ClassName() + L": " + e.Message + L"\n").c_str());
}

bool ExceptionBarrier(const std::function<void()>& fn) noexcept {
    try {
        try {
            fn();
            return true;
        } catch (const Exception& e) {
            HandleBoundaryException(e);
        } catch (const std::bad_alloc&) {
            HandleBoundaryException(EOutOfMemory(L"Out of memory"));
        } catch (const std::exception& e) {
            HandleBoundaryException(Exception(FromAnsi(e.what())));
        } catch (...) {
            HandleBoundaryException(Exception(L"Unknown exception"));
        }
    } catch (...) {
        // The handler itself failed: nothing may leave the barrier.
    }
    return false;
}

}  // namespace fw
