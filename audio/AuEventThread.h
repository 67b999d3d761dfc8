// The one process-wide thread that hands the sinks' progress, error and
// completion events to the GUI thread. It exists while at least one sink does.
#pragma once

#include <atomic>
#include <cstdint>

#include "audio/AuEvents.h"
#include "framework/rtl/List.h"
#include "framework/rtl/SyncObjs.h"
#include "framework/rtl/Thread.h"

namespace acs {

class TAuOutput;
class TAuThread;

enum TEventType { etOnProgress, etOnDone, etGeneric, etNonGUI };

struct TEventRecord {
    TEventType _type = etGeneric;
    TAuOutput* Sender = nullptr;
    TGenericEvent Handler;
    TAuThread* Thread = nullptr;  // done events only
    uint32_t Generation = 0;      // the run a done event ends
    uint32_t Epoch = 0;           // the sender's event epoch when queued
};
using PEventRecord = TEventRecord*;

class TEventHandler : public fw::TThread {
public:
    TEventHandler();
    ~TEventHandler() override;
    fw::String ClassName() const override { return L"TEventHandler"; }

    void PostOnProgress(TAuOutput* Sender, const TOutputProgressEvent& Handler);
    void PostGenericEvent(TAuOutput* Sender, const TGenericEvent& Handler);
    void PostOnDone(TAuOutput* Sender, TAuThread* Thread);
    // Handled on the event thread itself, ahead of everything queued.
    void PostNonGuiEvent(TAuOutput* Sender, const TGenericEvent& Handler);

    void ClearEvents(TAuOutput* Sender);
    void BlockEvents(TAuOutput* Sender);
    void UnblockEvents(TAuOutput* Sender);

    // Drops Sender's queued events and waits until the event thread no longer
    // handles one of them, running synchronized calls meanwhile on the main
    // thread. After it, nothing of Sender is touched by this thread.
    void Forget(TAuOutput* Sender);
    // Ends the wait between two looks at the queue.
    void Wake();

protected:
    void Execute() override;

private:
    void QueueEvent(PEventRecord Rec, bool First);
    void PostHandler(TEventType Type, TAuOutput* Sender, const TGenericEvent& Handler, bool First);
    PEventRecord TakeEvent();
    void HandleDone(PEventRecord Rec);
    void CallHandler(PEventRecord Rec);

    fw::TList Events;
    fw::TCriticalSection CS;
    // Unnamed: a name would be shared with every object of that name in the session.
    fw::TEvent _Evt;
    PEventRecord CurrentEvent = nullptr;
    TAuOutput* BlockedSender = nullptr;
};

// The running event thread, or nullptr when no sink exists.
extern TEventHandler* AudioEventHandler;
// Counts a sink in; the first creates the event thread.
void AcquireEventHandler();
// Counts a sink out; the last ends the event thread and waits for it.
void ReleaseEventHandler();

}  // namespace acs
