// The abstract source of sound: a component that is opened, read in blocks
// from its own memory and closed, every call under its own lock so that one
// sink can read it while another thread pauses or flushes it.
//
// A source is never read while it is being destroyed: Free() (and an owner's
// destruction) stops the sinks reading it first, in BeforeDestruction. A
// derived source destroyed with a plain delete calls DetachSinks() at the
// start of its own destructor for the same reason.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "framework/rtl/Component.h"
#include "framework/rtl/SyncObjs.h"

namespace acs {

class TAuOutput;

class TAuInput : public fw::TComponent {
public:
    explicit TAuInput(fw::TComponent* AOwner);
    ~TAuInput() override;
    fw::String ClassName() const override { return L"TAuInput"; }
    void BeforeDestruction() override;

    // Opens the source; raises EAuException with the source's own text when that fails.
    void Init();
    // Closes the source.
    void Flush();
    // One read under the lock: Buffer points into the source's memory, Bytes is
    // the count there; nullptr and 0 at the end of the source.
    virtual void GetData(void*& Buffer, uint32_t& Bytes);
    // Reads until the buffer is full or a read delivers nothing (then Eof is true).
    uint32_t FillBuffer(void* Buffer, uint32_t BufferSize, bool& Eof);
    // The same under one hold of the lock; also advances Position.
    uint32_t FillBufferUnprotected(void* Buffer, uint32_t BufferSize, bool& Eof);
    // One read of at most BufferSize bytes; returns the count delivered.
    uint32_t CopyData(void* Buffer, int BufferSize);
    // Flush (ignoring its failure) and mark the source closed.
    virtual void Reset();
    void _Lock() { DataCS.Enter(); }
    void _Unlock() { DataCS.Leave(); }
    virtual void _Pause() {}
    virtual void _Resume() {}
    virtual void _Jump(int Offs) { (void)Offs; }

    uint32_t BitsPerSample() { return GetBPS(); }
    uint32_t Channels() { return GetCh(); }
    uint32_t SampleRate() { return GetSR(); }
    int64_t Position() const { return FPosition.load(); }
    // -1 when the source is unbounded.
    int64_t Size() const { return FSize.load(); }
    bool IsBusy() const { return Busy.load(); }
    bool Seekable() const { return FSeekable; }
    int64_t TotalSamples() { return GetTotalSamples(); }
    uint32_t TotalTime() { return GetTotalTime(); }
    bool RequestFloat() const { return FFloatRequested; }
    virtual void SetRequestFloat(bool Value) { FFloatRequested = Value; }

protected:
    // Stops every sink that reads this source and clears their Input.
    void DetachSinks();

    virtual uint32_t GetBPS() = 0;
    virtual uint32_t GetCh() = 0;
    virtual uint32_t GetSR() = 0;
    virtual uint32_t GetTotalTime() { return 0; }
    virtual int64_t GetTotalSamples() { return 0; }
    virtual void OpenInput() = 0;
    virtual void CloseInput() = 0;
    virtual void ReadInput(void*& Buffer, uint32_t& Bytes) = 0;

    std::atomic<int64_t> FPosition{0};
    std::atomic<int64_t> FSize{0};
    uint16_t FSampleSize = 0;
    bool FSeekable = false;
    std::atomic<bool> Busy{false};
    uint32_t BufStart = 0, BufEnd = 0;
    fw::TCriticalSection DataCS;
    std::atomic<bool> _EndOfStream{false};
    bool FFloatRequested = false;

private:
    friend class TAuOutput;
    // The sinks whose Input this is (touched on the GUI thread only).
    std::vector<TAuOutput*> sinks_;
};

}  // namespace acs
