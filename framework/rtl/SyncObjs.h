// Synchronisation objects over the Win32 kernel objects: events that threads
// wait on and a critical section that serialises access to shared data.
#pragma once

#include <windows.h>

#include "framework/rtl/Object.h"

namespace fw {

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

class TSynchroObject : public TObject {
public:
    String ClassName() const override { return L"TSynchroObject"; }
    virtual void Acquire() {}
    virtual void Release() {}
};

// An object that owns a waitable kernel handle.
class THandleObject : public TSynchroObject {
public:
    ~THandleObject() override;
    String ClassName() const override { return L"THandleObject"; }

    // wrError leaves the Win32 error code in LastError().
    TWaitResult WaitFor(DWORD Timeout = INFINITE);
    HANDLE Handle() const { return handle_; }
    DWORD LastError() const { return lastError_; }

protected:
    THandleObject() = default;
    HANDLE handle_ = nullptr;
    DWORD lastError_ = 0;
};

// A Win32 event. An unnamed event is private to the process; a named one is
// shared with any process that opens the same name. Raises Exception when the
// system cannot create it.
class TEvent : public THandleObject {
public:
    TEvent(LPSECURITY_ATTRIBUTES EventAttributes, bool ManualReset, bool InitialState, const String& Name);
    // A manual-reset, initially unsignalled, unnamed event.
    TEvent();
    String ClassName() const override { return L"TEvent"; }

    void SetEvent();
    void ResetEvent();
};

// Manual reset, initially not signalled, unnamed.
class TSimpleEvent : public TEvent {
public:
    TSimpleEvent() : TEvent(nullptr, true, false, String()) {}
    String ClassName() const override { return L"TSimpleEvent"; }
};

// Recursive on the owning thread, like the Win32 critical section it wraps.
class TCriticalSection : public TSynchroObject {
public:
    TCriticalSection();
    ~TCriticalSection() override;
    String ClassName() const override { return L"TCriticalSection"; }

    void Acquire() override;
    void Release() override;
    void Enter() { Acquire(); }
    void Leave() { Release(); }
    bool TryEnter();
    // So that std::lock_guard / std::scoped_lock hold it for a scope.
    void lock() { Acquire(); }
    void unlock() { Release(); }

private:
    CRITICAL_SECTION section_;
};

}  // namespace fw
