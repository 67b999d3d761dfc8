#include "audio/AuInput.h"

#include <mutex>

#include <cstring>

#include "audio/AuException.h"
#include "audio/AuOutput.h"

namespace acs {

TAuInput::TAuInput(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}

TAuInput::~TAuInput() { DetachSinks(); }

void TAuInput::BeforeDestruction() {
    DetachSinks();
    fw::TComponent::BeforeDestruction();
}

void TAuInput::DetachSinks() {
    while (!sinks_.empty()) sinks_.back()->LoseInput(this);
}

void TAuInput::Init() {
    fw::String failure;
    {
        std::lock_guard<fw::TCriticalSection> held(DataCS);
        _EndOfStream = false;
        try {
            OpenInput();
            return;
        } catch (const fw::Exception& e) {
            _EndOfStream = true;
            failure = e.Message;
        }
    }
    throw EAuException(failure);
}

void TAuInput::Flush() {
    std::lock_guard<fw::TCriticalSection> held(DataCS);
    CloseInput();
}

void TAuInput::GetData(void*& Buffer, uint32_t& Bytes) {
    std::lock_guard<fw::TCriticalSection> held(DataCS);
    ReadInput(Buffer, Bytes);
}

namespace {

// Blocks from Read until Buffer is full or a read delivers nothing (Eof).
template <typename ReadFn>
uint32_t Fill(void* Buffer, uint32_t BufferSize, bool& Eof, ReadFn Read) {
    uint32_t filled = 0, last = BufferSize;
    auto* out = static_cast<uint8_t*>(Buffer);
    while (filled != BufferSize && last != 0) {
        last = BufferSize - filled;
        void* p = nullptr;
        Read(p, last);
        if (!p) last = 0;  // nothing delivered without a block to copy from
        if (last > BufferSize - filled) last = BufferSize - filled;
        if (last) std::memcpy(out + filled, p, last);
        filled += last;
    }
    Eof = (last == 0);
    return filled;
}

}  // namespace

uint32_t TAuInput::FillBuffer(void* Buffer, uint32_t BufferSize, bool& Eof) {
    return Fill(Buffer, BufferSize, Eof, [this](void*& p, uint32_t& n) { GetData(p, n); });
}

uint32_t TAuInput::FillBufferUnprotected(void* Buffer, uint32_t BufferSize, bool& Eof) {
    if (!Buffer) return 0;
    std::lock_guard<fw::TCriticalSection> held(DataCS);
    uint32_t filled = Fill(Buffer, BufferSize, Eof, [this](void*& p, uint32_t& n) { ReadInput(p, n); });
    FPosition += filled;
    return filled;
}

uint32_t TAuInput::CopyData(void* Buffer, int BufferSize) {
    if (BufferSize <= 0) return 0;
    void* p = nullptr;
    uint32_t bytes = static_cast<uint32_t>(BufferSize);
    GetData(p, bytes);
    if (!p) return 0;
    if (bytes > static_cast<uint32_t>(BufferSize)) bytes = static_cast<uint32_t>(BufferSize);
    std::memcpy(Buffer, p, bytes);
    return bytes;
}

void TAuInput::Reset() {
    try {
        Flush();
    } catch (...) {
    }
    Busy = false;
}

}  // namespace acs
