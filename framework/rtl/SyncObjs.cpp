#include "framework/rtl/SyncObjs.h"

namespace fw {

THandleObject::~THandleObject() {
    if (handle_) CloseHandle(handle_);
}

TWaitResult THandleObject::WaitFor(DWORD Timeout) {
    switch (WaitForSingleObject(handle_, Timeout)) {
        case WAIT_OBJECT_0:
            return wrSignaled;
        case WAIT_TIMEOUT:
            return wrTimeout;
        case WAIT_ABANDONED:
            return wrAbandoned;
        default:
            lastError_ = GetLastError();
            return wrError;
    }
}

TEvent::TEvent(LPSECURITY_ATTRIBUTES EventAttributes, bool ManualReset, bool InitialState, const String& Name) {
    handle_ = CreateEventW(EventAttributes, ManualReset, InitialState, Name.empty() ? nullptr : Name.c_str());
    if (!handle_) {
        lastError_ = GetLastError();
        throw Exception(L"Cannot create event" + (Name.empty() ? String() : L" '" + Name + L"'") + L": error " +
                        std::to_wstring(lastError_));
    }
}

TEvent::TEvent() : TEvent(nullptr, true, false, String()) {}

void TEvent::SetEvent() { ::SetEvent(handle_); }

void TEvent::ResetEvent() { ::ResetEvent(handle_); }

TCriticalSection::TCriticalSection() { InitializeCriticalSection(&section_); }

TCriticalSection::~TCriticalSection() { DeleteCriticalSection(&section_); }

void TCriticalSection::Acquire() { EnterCriticalSection(&section_); }

void TCriticalSection::Release() { LeaveCriticalSection(&section_); }

bool TCriticalSection::TryEnter() { return TryEnterCriticalSection(&section_) != FALSE; }

}  // namespace fw
