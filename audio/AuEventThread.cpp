#include "audio/AuEventThread.h"

#include <mutex>

#include "audio/AuOutput.h"
#include "audio/AuThread.h"

namespace acs {

TEventHandler* AudioEventHandler = nullptr;

namespace {

std::mutex& CountLock() {
    static std::mutex lock;
    return lock;
}
int sinkCount = 0;

bool OnMainThread() { return GetCurrentThreadId() == fw::MainThreadID; }

// The event whose handler runs on this thread right now: a sink freed from its
// own handler must not wait for the event thread, which waits for the handler.
thread_local PEventRecord handlingHere = nullptr;

}  // namespace

void AcquireEventHandler() {
    std::lock_guard<std::mutex> guard(CountLock());
    if (sinkCount++ == 0) {
        AudioEventHandler = new TEventHandler();
        AudioEventHandler->SetFreeOnTerminate(false);
        AudioEventHandler->Start();
    }
}

void ReleaseEventHandler() {
    TEventHandler* ending = nullptr;
    {
        std::lock_guard<std::mutex> guard(CountLock());
        if (sinkCount == 0) return;
        if (--sinkCount == 0) {
            ending = AudioEventHandler;
            AudioEventHandler = nullptr;
        }
    }
    if (!ending) return;
    if (handlingHere) {
        // Called from a handler the event thread is waiting for: it ends and frees itself afterwards.
        ending->SetFreeOnTerminate(true);
        ending->Terminate();
        ending->Wake();
        return;
    }
    delete ending;  // wakes and waits for the thread, freeing what is still queued
}

TEventHandler::TEventHandler() : fw::TThread(true), _Evt(nullptr, false, false, fw::String()) {}

TEventHandler::~TEventHandler() {
    Terminate();
    _Evt.SetEvent();
    if (!Suspended() && !Finished() && GetCurrentThreadId() != ThreadID()) WaitFor();
    for (int i = 0; i < Events.Count(); ++i) delete static_cast<PEventRecord>(Events[i]);
    Events.Clear();
}

void TEventHandler::QueueEvent(PEventRecord Rec, bool First) {
    bool queued = false;
    {
        std::lock_guard<fw::TCriticalSection> held(CS);
        if (Rec->Sender != BlockedSender) {
            Rec->Epoch = Rec->Sender->eventEpoch_;
            if (First)
                Events.Insert(0, Rec);
            else
                Events.Add(Rec);
            queued = true;
        }
    }
    if (!queued) delete Rec;
    _Evt.SetEvent();
}

void TEventHandler::Wake() { _Evt.SetEvent(); }

void TEventHandler::PostHandler(TEventType Type, TAuOutput* Sender, const TGenericEvent& Handler, bool First) {
    auto* rec = new TEventRecord;
    rec->_type = Type;
    rec->Sender = Sender;
    rec->Handler = Handler;
    QueueEvent(rec, First);
}

void TEventHandler::PostOnProgress(TAuOutput* Sender, const TOutputProgressEvent& Handler) {
    PostHandler(etOnProgress, Sender, Handler, false);
}

void TEventHandler::PostGenericEvent(TAuOutput* Sender, const TGenericEvent& Handler) {
    PostHandler(etGeneric, Sender, Handler, false);
}

void TEventHandler::PostOnDone(TAuOutput* Sender, TAuThread* Thread) {
    auto* rec = new TEventRecord;
    rec->_type = etOnDone;
    rec->Sender = Sender;
    rec->Thread = Thread;
    rec->Generation = Thread->CurrentRun();
    QueueEvent(rec, false);
}

void TEventHandler::PostNonGuiEvent(TAuOutput* Sender, const TGenericEvent& Handler) {
    PostHandler(etNonGUI, Sender, Handler, true);
}

void TEventHandler::ClearEvents(TAuOutput* Sender) {
    std::lock_guard<fw::TCriticalSection> held(CS);
    for (int i = Events.Count() - 1; i >= 0; --i) {
        auto* rec = static_cast<PEventRecord>(Events[i]);
        if (rec->Sender == Sender) {
            Events.Delete(i);
            delete rec;
        }
    }
}

void TEventHandler::BlockEvents(TAuOutput* Sender) {
    std::lock_guard<fw::TCriticalSection> held(CS);
    BlockedSender = Sender;
    // Whatever of Sender is already past the queue is refused at delivery.
    ++Sender->eventEpoch_;
}

void TEventHandler::UnblockEvents(TAuOutput* /*Sender*/) {
    std::lock_guard<fw::TCriticalSection> held(CS);
    BlockedSender = nullptr;
}

void TEventHandler::Forget(TAuOutput* Sender) {
    CS.Enter();
    ++Sender->eventEpoch_;
    CS.Leave();
    ClearEvents(Sender);
    bool main = OnMainThread();
    for (;;) {
        CS.Enter();
        bool busy = CurrentEvent && CurrentEvent->Sender == Sender && CurrentEvent != handlingHere;
        CS.Leave();
        if (!busy) break;
        if (main) fw::CheckSynchronize(0);
        Sleep(1);
    }
}

PEventRecord TEventHandler::TakeEvent() {
    std::lock_guard<fw::TCriticalSection> held(CS);
    PEventRecord rec = nullptr;
    if (Events.Count() > 0) {
        rec = static_cast<PEventRecord>(Events[0]);
        Events.Delete(0);
    }
    CurrentEvent = rec;
    return rec;
}

void TEventHandler::CallHandler(PEventRecord Rec) {
    // A synchronous stop or the sender's destruction since queuing voids the event.
    if (Rec->Epoch != Rec->Sender->eventEpoch_) return;
    if (!Rec->Handler) return;
    PEventRecord outer = handlingHere;
    handlingHere = Rec;
    try {
        Rec->Handler(Rec->Sender);
    } catch (...) {
        handlingHere = outer;
        throw;
    }
    handlingHere = outer;
}

void TEventHandler::HandleDone(PEventRecord Rec) {
    TAuOutput* sender = Rec->Sender;
    TAuThread* thread = Rec->Thread;
    // Until the worker sleeps after this run; a newer run or a killed worker ends the wait too.
    while (!thread->Sleeping && thread->Generation() == Rec->Generation && !thread->Killed() &&
           Rec->Epoch == sender->eventEpoch_)
        thread->WaitForChange(10);
    bool sameRun = false;
    if (!thread->Killed()) {
        thread->Locked([&] {
            if (thread->Sleeping && thread->Generation() == Rec->Generation) {
                sender->Busy = false;
                sameRun = true;
            }
        });
    }
    if (sameRun) ClearEvents(sender);
    if (sender->OnDone && thread->DoNotify) {
        Rec->Handler = sender->OnDone;
        Synchronize([this, Rec] { CallHandler(Rec); });
    }
}

void TEventHandler::Execute() {
    while (!Terminated()) {
        while (PEventRecord rec = TakeEvent()) {
            try {
                switch (rec->_type) {
                    case etOnDone:
                        HandleDone(rec);
                        break;
                    case etNonGUI:
                        CallHandler(rec);
                        break;
                    case etOnProgress:
                    case etGeneric:
                        Synchronize([this, rec] { CallHandler(rec); });
                        break;
                }
            } catch (...) {
                // A handler's exception ends that handler, not the event thread.
            }
            CS.Enter();
            CurrentEvent = nullptr;
            CS.Leave();
            delete rec;
        }
        _Evt.WaitFor(100);
    }
}

}  // namespace acs
