// What the tests that run the application's own message loop share: a pump
// with a deadline, and owning pointers for forms, which are freed, not deleted.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "framework/rtl/Component.h"
#include "framework/windows/Application.h"

namespace fwtest {

// Runs the application's loop until done() holds or about ms milliseconds passed.
inline bool ProcessMessagesUntil(const std::function<bool()>& done, int ms = 5000) {
    for (int i = 0; i < ms / 10 && !done(); ++i) {
        fw::Application->ProcessMessages();
        if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

struct FormFree {
    void operator()(fw::TComponent* c) const { c->Free(); }
};
template <typename T>
using FormPtr = std::unique_ptr<T, FormFree>;

}  // namespace fwtest
