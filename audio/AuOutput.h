// The abstract sink: a component with its own worker thread that pulls sound
// from its Input, step by step, and reports progress, errors and completion
// through the shared event thread to the GUI thread.
//
// A derived sink whose steps use its own members must call Stop(false) at
// the start of its destructor (or be destroyed through Free(), whose
// BeforeDestruction stops the run while the whole object still exists).
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "audio/AuEvents.h"
#include "framework/rtl/Component.h"
#include "framework/rtl/Streams.h"
#include "framework/rtl/SyncObjs.h"
#include "framework/rtl/Thread.h"

namespace acs {

class TAuInput;
class TAuThread;
class TEventHandler;

enum TOutputStatus { tosPlaying, tosPaused, tosIdle };

class TAuOutput : public fw::TComponent {
public:
    explicit TAuOutput(fw::TComponent* AOwner);
    ~TAuOutput() override;
    fw::String ClassName() const override { return L"TAuOutput"; }
    void BeforeDestruction() override;

    // Starts a run on the worker. EAuException "Component is Busy" while a run
    // is under way (also one still completing), "Input is not assigned"
    // without an input.
    void Run();
    // Async: returns at once; the run ends after its current step and OnDone
    // follows. Otherwise waits until the worker is idle again; no event of the
    // run is delivered after it returns.
    void Stop(bool Async = true);
    void Pause();
    void Resume();
    // Kills the worker thread and completes the output on the caller's
    // thread; a fresh worker takes its place.
    void Abort();
    // The whole run on the caller's thread.
    void BlockingRun();

    TAuInput* Input() const { return FInput; }
    virtual void SetInput(TAuInput* Value);

    int Progress();
    TOutputStatus Status() const;
    int TimeElapsed();
    fw::String ExceptionMessage() const;
    int Delay() const;
    // Values above 100 are ignored.
    void SetDelay(int Value);
    fw::TThreadPriority ThreadPriority() const;
    void SetThreadPriority(fw::TThreadPriority Value);
    // A run is under way (from Run until it has completed).
    bool IsBusy() const { return Busy.load(); }

    TOutputDoneEvent OnDone;
    TOutputDoneEvent OnSyncDone;
    TOutputProgressEvent OnProgress;
    TThreadExceptionEvent OnThreadException;

protected:
    virtual bool OutputStep(bool Abort) = 0;
    virtual void EndOutput() = 0;
    virtual void BeginOutput() = 0;
    void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

    void SetExceptionMessage(const fw::String& Text);
    // Keeps the text of a run's failure for ExceptionMessage and posts
    // OnThreadException: nothing a run raises leaves its worker.
    void ReportException(const fw::String& Text);

    std::atomic<bool> FStopped{false};
    std::atomic<bool> CanOutput{false};
    std::atomic<int> CurProgr{0};
    TAuThread* Thread = nullptr;
    TAuInput* FInput = nullptr;
    std::atomic<bool> Busy{false};
    fw::TCriticalSection* RunCS = nullptr;

private:
    friend class TAuThread;
    friend class TEventHandler;

    friend class TAuInput;

    // The source is going: stop any run on it and forget it.
    void LoseInput(TAuInput* Source);
    void LinkInput(TAuInput* Value);
    // The completion step: ends the output of a run that is still marked busy.
    void CompleteOutput();
    void StartWorker();
    void Shutdown();

    mutable std::mutex messageLock_;
    fw::String FExceptionMessage;
    // Bumped by every synchronous stop: events queued before it are never delivered.
    std::atomic<uint32_t> eventEpoch_{0};
    bool shutDown_ = false;
};

// A sink writing to a stream: one given by the caller (which stays the
// caller's) or one the sink creates itself.
class TAuStreamedOutput : public TAuOutput {
public:
    using TAuOutput::TAuOutput;
    fw::String ClassName() const override { return L"TAuStreamedOutput"; }

    fw::TStream* Stream() const { return FStream; }
    void SetStream(fw::TStream* Value) {
        FStream = Value;
        FStreamAssigned = Value != nullptr;
    }

protected:
    fw::TStream* FStream = nullptr;
    bool FStreamAssigned = false;
};

enum TFileOutputMode { foRewrite, foAppend };

class TAuFileOut : public TAuStreamedOutput {
public:
    using TAuStreamedOutput::TAuStreamedOutput;
    fw::String ClassName() const override { return L"TAuFileOut"; }

    const fw::String& FileName() const { return FFileName; }
    void SetFileName(const fw::String& Value) {
        FFileName = Value;
        FWideFileName = Value;
    }
    const fw::String& WideFileName() const { return FWideFileName; }
    void SetWideFileName(const fw::String& Value) {
        FWideFileName = Value;
        FFileName.clear();
    }
    uint16_t ShareMode() const { return FShareMode; }
    void SetShareMode(uint16_t Value) { FShareMode = Value; }
    virtual void ResetFileMode() { FFileMode = foRewrite; }

protected:
    fw::String FFileName;
    fw::String FWideFileName;
    TFileOutputMode FFileMode = foRewrite;
    int FAccessMask = 0;
    uint16_t FShareMode = 0;
};

}  // namespace acs
