// The message of the framework exception a call throws, so a test can compare
// the text a user would see.
#pragma once

#include <functional>
#include <string>

#include "framework/rtl/Exception.h"

// E narrows the exceptions caught: any other one fails the test.
template <typename E = fw::Exception>
std::wstring MessageOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const E& e) {
        return e.Message;
    }
    return L"(no exception)";
}
