#include "audio/AuOutput.h"

#include <mutex>

#include <algorithm>

#include "audio/AuEventThread.h"
#include "audio/AuException.h"
#include "audio/AuInput.h"
#include "audio/AuThread.h"
#include "framework/rtl/SysUtils.h"

namespace acs {

namespace {

bool OnMainThread() { return GetCurrentThreadId() == fw::MainThreadID; }

}  // namespace

TAuOutput::TAuOutput(fw::TComponent* AOwner) : fw::TComponent(AOwner) {
    RunCS = new fw::TCriticalSection();
    StartWorker();
    AcquireEventHandler();
}

TAuOutput::~TAuOutput() {
    Shutdown();
    delete RunCS;
}

void TAuOutput::BeforeDestruction() {
    Shutdown();
    fw::TComponent::BeforeDestruction();
}

void TAuOutput::StartWorker() {
    Thread = new TAuThread();
    Thread->Parent = this;
    Thread->DoNotify = true;
    Thread->SetFreeOnTerminate(false);
    Thread->Start();
}

void TAuOutput::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    try {
        Stop(false);
    } catch (...) {
        // Destroyed from its own worker: the worker is told to end below anyway.
    }
    if (FInput) LinkInput(nullptr);
    if (AudioEventHandler) AudioEventHandler->Forget(this);
    if (Thread) {
        Thread->Shutdown();
        delete Thread;
        Thread = nullptr;
    }
    ReleaseEventHandler();
}

void TAuOutput::Run() {
    std::lock_guard<fw::TCriticalSection> held(*RunCS);
    SetExceptionMessage(fw::String());
    if (Busy) throw EAuException(L"Component is Busy");
    if (!FInput) throw EAuException(L"Input is not assigned");
    if (!Thread || !Thread->HandOverRun(Busy)) throw EAuException(L"Component is Busy");
}

void TAuOutput::Stop(bool Async) {
    if (Thread && GetCurrentThreadId() == Thread->ThreadID())
        throw EAuException(L"You are trying to stop this thread from the thread itself!");
    FStopped = true;
    if (!Thread) return;
    TEventHandler* events = AudioEventHandler;
    if (!Async && events) {
        // Blocking first, so that every event not dropped here was queued
        // under the old epoch and is refused at delivery.
        events->BlockEvents(this);
        events->ClearEvents(this);
    }
    Thread->RequestStop(Async);
    if (Async) return;
    bool main = OnMainThread();
    while (!Thread->Sleeping && !Thread->Stopped && !Thread->Killed()) {
        if (main) fw::CheckSynchronize(0);
        Thread->WaitForChange(main ? 1 : 10);
    }
    if (events) events->UnblockEvents(this);
    Thread->DoNotify = true;
}

void TAuOutput::Pause() {
    if (!FInput) throw EAuException(L"Input is not assigned.");
    if (!Busy || !Thread) return;
    Thread->SetPause = true;
    Thread->WaitForPause();
    FInput->_Pause();
}

void TAuOutput::Resume() {
    if (!Busy || !Thread || !Thread->Paused) return;
    if (FInput) FInput->_Resume();
    Thread->SoftWake();
    while (Thread->Paused && Busy) Thread->WaitForChange(10);
}

void TAuOutput::Abort() {
    if (!Thread) return;
    if (GetCurrentThreadId() == Thread->ThreadID())
        throw EAuException(L"You are trying to stop this thread from the thread itself!");
    Thread->Kill();
    std::exception_ptr failure;
    try {
        CompleteOutput();
    } catch (...) {
        failure = std::current_exception();  // Busy is cleared all the same
    }
    // The dead worker's object goes only once the event thread has let go of it.
    if (AudioEventHandler) AudioEventHandler->Forget(this);
    delete Thread;
    Thread = nullptr;
    StartWorker();
    if (failure) std::rethrow_exception(failure);
}

void TAuOutput::BlockingRun() {
    Busy = true;
    try {
        BeginOutput();
        CanOutput = true;
        while (OutputStep(false)) {
        }
    } catch (...) {
        // A failed run still ends its output, so the sink is not left busy.
        try {
            CompleteOutput();
        } catch (...) {
            // The step's failure is the one reported.
        }
        throw;
    }
    CompleteOutput();
}

void TAuOutput::CompleteOutput() {
    if (!Busy) return;
    CanOutput = false;
    try {
        EndOutput();
    } catch (...) {
        FStopped = false;
        Busy = false;
        throw;
    }
    FStopped = false;
    Busy = false;
}

void TAuOutput::LinkInput(TAuInput* Value) {
    if (FInput == Value) return;
    if (FInput) {
        auto& sinks = FInput->sinks_;
        sinks.erase(std::remove(sinks.begin(), sinks.end(), this), sinks.end());
        FInput->RemoveFreeNotification(this);
    }
    FInput = Value;
    if (Value) {
        Value->sinks_.push_back(this);
        Value->FreeNotification(this);
    }
}

void TAuOutput::SetInput(TAuInput* Value) {
    if (Busy) {
        Stop(false);
        LinkInput(Value);
        // Without a source there is nothing to run on.
        if (Value) Run();
        return;
    }
    LinkInput(Value);
}

void TAuOutput::LoseInput(TAuInput* Source) {
    if (Source != FInput) return;
    if (Busy) Stop(false);
    auto& sinks = Source->sinks_;
    sinks.erase(std::remove(sinks.begin(), sinks.end(), this), sinks.end());
    FInput = nullptr;
}

void TAuOutput::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
    fw::TComponent::Notification(AComponent, Operation);
    if (Operation == fw::opRemove && AComponent && AComponent == FInput) LoseInput(FInput);
}

int TAuOutput::Progress() {
    if (!FInput) return 0;
    int64_t size = FInput->Size();
    if (size == -1) return -1;
    if (size == 0) return 0;
    return static_cast<int>(fw::Round(static_cast<double>(FInput->Position()) / static_cast<double>(size) * 100.0));
}

TOutputStatus TAuOutput::Status() const {
    if (!Busy) return tosIdle;
    if (Thread && Thread->Paused) return tosPaused;
    return tosPlaying;
}

int TAuOutput::TimeElapsed() {
    if (!FInput) return 0;
    double perSecond = static_cast<double>(FInput->BitsPerSample() / 8) * FInput->Channels() * FInput->SampleRate();
    if (perSecond <= 0) return 0;
    return static_cast<int>(fw::Round(static_cast<double>(FInput->Position()) / perSecond));
}

fw::String TAuOutput::ExceptionMessage() const {
    std::lock_guard<std::mutex> guard(messageLock_);
    return FExceptionMessage;
}

void TAuOutput::SetExceptionMessage(const fw::String& Text) {
    std::lock_guard<std::mutex> guard(messageLock_);
    FExceptionMessage = Text;
}

void TAuOutput::ReportException(const fw::String& Text) {
    SetExceptionMessage(Text);
    if (OnThreadException && AudioEventHandler) AudioEventHandler->PostGenericEvent(this, OnThreadException);
}

int TAuOutput::Delay() const { return Thread ? Thread->Delay.load() : 0; }

void TAuOutput::SetDelay(int Value) {
    if (Thread && Value <= 100) Thread->Delay = Value;
}

fw::TThreadPriority TAuOutput::ThreadPriority() const { return Thread ? Thread->Priority() : fw::tpNormal; }

void TAuOutput::SetThreadPriority(fw::TThreadPriority Value) {
    if (Thread) Thread->SetPriority(Value);
}

}  // namespace acs
