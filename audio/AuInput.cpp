#include "audio/AuInput.h"

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
    bool failed = false;
    DataCS.Enter();
    _EndOfStream = false;
    try {
        OpenInput();
    } catch (const fw::Exception& e) {
        _EndOfStream = true;
        failed = true;
        failure = e.Message;
    } catch (...) {
        DataCS.Leave();
        throw;
    }
    DataCS.Leave();
    if (failed) throw EAuException(failure);
}

void TAuInput::Flush() {
    DataCS.Enter();
    try {
        CloseInput();
    } catch (...) {
        DataCS.Leave();
        throw;
    }
    DataCS.Leave();
}

void TAuInput::GetData(void*& Buffer, uint32_t& Bytes) {
    DataCS.Enter();
    try {
        ReadInput(Buffer, Bytes);
    } catch (...) {
        DataCS.Leave();
        throw;
    }
    DataCS.Leave();
}

uint32_t TAuInput::FillBuffer(void* Buffer, uint32_t BufferSize, bool& Eof) {
    uint32_t filled = 0, last = BufferSize;
    auto* out = static_cast<uint8_t*>(Buffer);
    while (filled != BufferSize && last != 0) {
        last = BufferSize - filled;
        void* p = nullptr;
        GetData(p, last);
        if (!p) last = 0;  // nothing delivered without a block to copy from
        if (last > BufferSize - filled) last = BufferSize - filled;
        if (p) std::memcpy(out + filled, p, last);
        filled += last;
    }
    Eof = (last == 0);
    return filled;
}

uint32_t TAuInput::FillBufferUnprotected(void* Buffer, uint32_t BufferSize, bool& Eof) {
    if (!Buffer) return 0;
    uint32_t filled = 0, last = BufferSize;
    auto* out = static_cast<uint8_t*>(Buffer);
    DataCS.Enter();
    try {
        while (filled != BufferSize && last != 0) {
            last = BufferSize - filled;
            void* p = nullptr;
            ReadInput(p, last);
            if (!p) last = 0;
            if (last > BufferSize - filled) last = BufferSize - filled;
            if (last) std::memcpy(out + filled, p, last);
            filled += last;
        }
        FPosition += filled;
    } catch (...) {
        DataCS.Leave();
        throw;
    }
    DataCS.Leave();
    Eof = (last == 0);
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
