#include "framework/rtl/Thread.h"

#include <process.h>

#include <deque>
#include <memory>
#include <mutex>

#include "framework/rtl/SysUtils.h"

namespace fw {

extern const DWORD MainThreadID = GetCurrentThreadId();
TWakeMainThreadHook WakeMainThread;

TWakeMainThreadHook& TWakeMainThreadHook::operator=(std::function<void()> hook) {
    std::lock_guard<std::mutex> guard(lock_);
    hook_ = std::move(hook);
    return *this;
}

TWakeMainThreadHook::operator bool() const {
    std::lock_guard<std::mutex> guard(lock_);
    return static_cast<bool>(hook_);
}

void TWakeMainThreadHook::operator()() const {
    std::function<void()> hook;
    {
        std::lock_guard<std::mutex> guard(lock_);
        hook = hook_;
    }
    if (!hook) return;
    try {
        hook();
    } catch (...) {
    }
}

namespace {

// A call waiting for the main thread. A synchronous one lives on the stack of
// the worker that waits for it; an asynchronous one is owned by the queue.
struct SyncRequest {
    TThread* thread = nullptr;
    TThreadMethod method;
    HANDLE done = nullptr;  // set for synchronous calls
    std::exception_ptr error;
};

class SyncQueue {
public:
    SyncQueue() : queued_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

    // Signalled while calls are waiting; the main thread's waits include it.
    HANDLE QueuedEvent() const { return queued_; }

    void Push(SyncRequest* request) {
        {
            std::lock_guard<std::mutex> guard(lock_);
            items_.push_back(request);
            SetEvent(queued_);
        }
        WakeMainThread();
    }

    SyncRequest* Pop() {
        std::lock_guard<std::mutex> guard(lock_);
        if (items_.empty()) return nullptr;
        SyncRequest* request = items_.front();
        items_.pop_front();
        if (items_.empty()) ResetEvent(queued_);
        return request;
    }

    size_t Size() {
        std::lock_guard<std::mutex> guard(lock_);
        return items_.size();
    }

    void RemoveAsync(TThread* thread) {
        std::lock_guard<std::mutex> guard(lock_);
        for (auto it = items_.begin(); it != items_.end();) {
            if ((*it)->thread == thread && !(*it)->done) {
                delete *it;
                it = items_.erase(it);
            } else {
                ++it;
            }
        }
        if (items_.empty()) ResetEvent(queued_);
    }

private:
    std::mutex lock_;
    std::deque<SyncRequest*> items_;
    HANDLE queued_;
};

SyncQueue& SyncCalls() {
    static SyncQueue queue;
    return queue;
}

bool OnMainThread() { return GetCurrentThreadId() == MainThreadID; }

// Waits for a thread handle. On the main thread queued calls keep running and
// sent messages keep being dispatched. With swallow set (destructors) an
// exception from a queued call goes to the boundary handler instead of
// ending the wait.
void WaitForHandle(HANDLE handle, bool swallow) {
    if (!OnMainThread()) {
        WaitForSingleObject(handle, INFINITE);
        return;
    }
    HANDLE handles[2] = {handle, SyncCalls().QueuedEvent()};
    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0) return;
        if (r == WAIT_OBJECT_0 + 1) {
            if (swallow)
                ExceptionBarrier([] { CheckSynchronize(); });
            else
                CheckSynchronize();
        } else if (r == WAIT_OBJECT_0 + 2) {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
        } else {
            DWORD error = GetLastError();
            if (swallow) {
                WaitForSingleObject(handle, INFINITE);
                return;
            }
            throw EThread(L"Thread wait failed: " + SysErrorMessage(error));
        }
    }
}

const int kPriorities[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,       THREAD_PRIORITY_BELOW_NORMAL,
                           THREAD_PRIORITY_NORMAL,       THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                           THREAD_PRIORITY_TIME_CRITICAL};

}  // namespace

bool CheckSynchronize(DWORD Timeout) {
    if (!OnMainThread())
        throw EThread(L"CheckSynchronize called from thread " + std::to_wstring(GetCurrentThreadId()) +
                      L", which is NOT the main thread");
    if (Timeout > 0) WaitForSingleObject(SyncCalls().QueuedEvent(), Timeout);
    // Only the calls queued so far: a worker that keeps queuing cannot hold
    // the GUI thread here. Calls are taken one at a time so that a call which
    // destroys a thread also drops that thread's later queued calls.
    size_t count = SyncCalls().Size();
    bool ran = false;
    for (; count > 0; --count) {
        SyncRequest* request = SyncCalls().Pop();
        if (!request) break;
        ran = true;
        if (request->done) {
            try {
                if (request->method) request->method();
            } catch (...) {
                request->error = std::current_exception();
            }
            SetEvent(request->done);
        } else {
            std::unique_ptr<SyncRequest> owned(request);
            if (owned->method) owned->method();
        }
    }
    return ran;
}

TThread::TThread(bool CreateSuspended) : createSuspended_(CreateSuspended) {
    unsigned id = 0;
    handle_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id));
    if (!handle_) throw EThread(L"Thread creation error: " + SysErrorMessage(GetLastError()));
    threadId_ = id;
}

TThread::~TThread() {
    if (handle_ && GetCurrentThreadId() != threadId_) {
        if (!started_) {
            // Never started: let the system thread end without Execute.
            skipExecute_ = true;
            terminated_ = true;
            started_ = true;
            suspended_ = false;
            ResumeThread(handle_);
        } else {
            Terminate();
        }
        WaitForHandle(handle_, true);
    }
    if (handle_) CloseHandle(handle_);
    RemoveQueuedEvents(this);
}

void TThread::AfterConstruction() {
    if (!createSuspended_ && !started_) Start();
}

void TThread::Start() {
    if (started_) throw EThread(L"Cannot call Start on a running or finished thread");
    started_ = true;
    suspended_ = false;
    if (ResumeThread(handle_) == static_cast<DWORD>(-1))
        throw EThread(L"Thread error: " + SysErrorMessage(GetLastError()));
}

void TThread::Resume() {
    if (!started_) Start();
}

DWORD TThread::WaitFor() {
    if (freeOnTerminate_) throw EThread(L"Cannot call WaitFor on a thread that frees itself on termination");
    if (GetCurrentThreadId() == threadId_) throw EThread(L"A thread cannot wait for itself");
    if (!started_) throw EThread(L"Cannot wait for a thread that was never started");
    WaitForHandle(handle_, false);
    DWORD code = 0;
    GetExitCodeThread(handle_, &code);
    return code;
}

TThreadPriority TThread::Priority() const {
    int value = GetThreadPriority(handle_);
    for (int p = tpIdle; p <= tpTimeCritical; ++p)
        if (kPriorities[p] == value) return static_cast<TThreadPriority>(p);
    return tpNormal;
}

void TThread::SetPriority(TThreadPriority Value) {
    if (Value < tpIdle || Value > tpTimeCritical || !SetThreadPriority(handle_, kPriorities[Value]))
        throw EThread(L"Cannot set thread priority");
}

void TThread::DoTerminate() {
    if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::Synchronize(TThread* AThread, const TThreadMethod& Method) {
    if (OnMainThread()) {
        if (Method) Method();
        return;
    }
    SyncRequest request;
    request.thread = AThread;
    request.method = Method;
    request.done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!request.done) throw EThread(L"Thread error: " + SysErrorMessage(GetLastError()));
    SyncCalls().Push(&request);
    WaitForSingleObject(request.done, INFINITE);
    CloseHandle(request.done);
    if (request.error) std::rethrow_exception(request.error);
}

void TThread::Queue(TThread* AThread, const TThreadMethod& Method) {
    if (OnMainThread()) {
        if (Method) Method();
        return;
    }
    auto request = std::make_unique<SyncRequest>();
    request->thread = AThread;
    request->method = Method;
    SyncCalls().Push(request.release());
}

void TThread::RemoveQueuedEvents(TThread* AThread) { SyncCalls().RemoveAsync(AThread); }

unsigned __stdcall TThread::ThreadProc(void* self) {
    TThread* thread = static_cast<TThread*>(self);
    if (thread->skipExecute_) return 0;
    try {
        thread->Execute();
    } catch (...) {
        thread->fatalException_ = std::current_exception();
    }
    bool freeThread = thread->freeOnTerminate_;
    unsigned result = static_cast<unsigned>(thread->returnValue_.load());
    thread->finished_ = true;
    try {
        thread->DoTerminate();
    } catch (...) {
        if (!thread->fatalException_) thread->fatalException_ = std::current_exception();
    }
    if (freeThread) delete thread;
    return result;
}

}  // namespace fw
