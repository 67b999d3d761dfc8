// A DirectSound of the tests' own: capture devices whose looping buffers
// advance on a controllable clock and fill with a known byte sequence, and
// playback objects for the echo, all behind the real COM interfaces. Every
// call the component makes can be made to fail, and live objects are counted
// so that a test sees what was left unreleased.
#pragma once

#include <windows.h>

#include <dsound.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/DSoundSystem.h"

namespace fakeds {

// The byte a capture device delivers at absolute position i: no short period,
// so a block out of order or repeated never matches.
inline uint8_t CapturedByte(uint64_t i) { return static_cast<uint8_t>((i * 2654435761u) >> 24); }

inline GUID MakeGuid(uint32_t n) {
    GUID g{};
    g.Data1 = 0x5EED0000u + n;
    g.Data4[0] = 0xCA;
    return g;
}

struct Device {
    GUID guid{};
    std::wstring name;
    bool passNullGuid = false;        // the system hands no GUID for it
    HRESULT createFails = 0;          // DirectSoundCaptureCreate
    HRESULT bufferFails = 0;          // CreateCaptureBuffer
    HRESULT startFails = 0;           // Start
    HRESULT positionFails = 0;        // GetCurrentPosition (device lost)
    HRESULT lockFails = 0;            // Lock
    std::atomic<bool> frozen{false};  // its cursor never moves
    DWORD cursorBeyondEnd = 0;        // added to the read cursor it reports (a faulty driver)
};

struct World;

template <typename Interface>
class Unknown : public Interface {
public:
    explicit Unknown(World& w);
    virtual ~Unknown();
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG n = --refs_;
        if (n == 0) delete this;
        return n;
    }

protected:
    World& world_;

private:
    std::atomic<ULONG> refs_{1};
};

struct World {
    std::vector<std::unique_ptr<Device>> devices;
    HRESULT enumerateResult = S_OK;
    // Playback devices DirectSoundCreate knows besides the default (GUID_NULL or none).
    std::vector<GUID> playbackDevices;
    HRESULT playbackCreateFails = 0;
    HRESULT cooperativeFails = 0;
    bool realSleep = false;
    // The buffers follow the performance counter instead of nowUs.
    bool realClock = false;

    std::atomic<int64_t> nowUs{0};
    std::atomic<int> live{0};
    std::atomic<int> captureCreates{0}, playbackCreates{0}, enumerateCallbacks{0};
    std::atomic<int> starts{0}, stops{0}, wrappedLocks{0};
    std::atomic<int64_t> sleptMs{0};

    // What the component asked for.
    DSCBUFFERDESC captureDesc{};
    WAVEFORMATEX captureFormat{};
    DSBUFFERDESC echoDesc{};
    WAVEFORMATEX echoFormat{}, primaryFormat{};
    HWND cooperativeWindow = nullptr;
    DWORD cooperativeLevel = 0;
    std::vector<uint8_t> echoWritten;  // bytes written to the echo buffer after its clearing
    int echoPlays = 0;

    Device& AddDevice(const std::wstring& name) {
        devices.push_back(std::make_unique<Device>());
        Device& d = *devices.back();
        d.guid = MakeGuid(static_cast<uint32_t>(devices.size()));
        d.name = name;
        return d;
    }

    void Advance(int64_t ms) { nowUs += ms * 1000; }

    int64_t Now() const {
        if (!realClock) return nowUs;
        LARGE_INTEGER count, frequency;
        QueryPerformanceCounter(&count);
        QueryPerformanceFrequency(&frequency);
        return count.QuadPart / frequency.QuadPart * 1000000 +
               count.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
    }

    std::shared_ptr<const acs::TDSoundSystem> System();
};

template <typename Interface>
Unknown<Interface>::Unknown(World& w) : world_(w) {
    ++world_.live;
}
template <typename Interface>
Unknown<Interface>::~Unknown() {
    --world_.live;
}

class CaptureBuffer : public Unknown<IDirectSoundCaptureBuffer> {
public:
    CaptureBuffer(World& w, Device& d, const WAVEFORMATEX& f, DWORD size)
        : Unknown(w), device_(d), format_(f), ring_(size) {}

    HRESULT STDMETHODCALLTYPE GetCaps(LPDSCBCAPS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD capture, LPDWORD read) override {
        if (device_.positionFails) return device_.positionFails;
        DWORD pos = static_cast<DWORD>(Total() % ring_.size());
        if (capture) *capture = pos;
        if (read) *read = pos + device_.cursorBeyondEnd;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUNDCAPTURE, LPCDSCBUFFERDESC) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* p1, LPDWORD n1, LPVOID* p2, LPDWORD n2,
                                   DWORD) override {
        if (device_.lockFails) return device_.lockFails;
        if (offset >= ring_.size() || bytes > ring_.size()) return DSERR_INVALIDPARAM;
        Generate();
        DWORD first = std::min<DWORD>(bytes, static_cast<DWORD>(ring_.size()) - offset);
        *p1 = ring_.data() + offset;
        *n1 = first;
        if (p2) *p2 = first < bytes ? ring_.data() : nullptr;
        if (n2) *n2 = bytes - first;
        if (first < bytes) ++world_.wrappedLocks;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Start(DWORD) override {
        if (device_.startFails) return device_.startFails;
        ++world_.starts;
        if (!running_) {
            running_ = true;
            startUs_ = world_.Now();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Stop() override {
        ++world_.stops;
        if (running_) {
            banked_ = Total();
            running_ = false;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return S_OK; }

private:
    // Bytes captured since the start, whole frames only.
    uint64_t Total() {
        if (!running_ || device_.frozen) return banked_;
        uint64_t us = static_cast<uint64_t>(world_.Now() - startUs_);
        uint64_t bytes = us * format_.nAvgBytesPerSec / 1000000;
        if (format_.nBlockAlign) bytes -= bytes % format_.nBlockAlign;
        return banked_ + bytes;
    }
    void Generate() {
        uint64_t total = Total();
        uint64_t from = std::max<uint64_t>(generated_, total > ring_.size() ? total - ring_.size() : 0);
        for (uint64_t i = from; i < total; ++i) ring_[i % ring_.size()] = CapturedByte(i);
        generated_ = total;
    }

    Device& device_;
    WAVEFORMATEX format_;
    std::vector<uint8_t> ring_;
    bool running_ = false;
    int64_t startUs_ = 0;
    uint64_t banked_ = 0, generated_ = 0;
};

class Capture : public Unknown<IDirectSoundCapture> {
public:
    Capture(World& w, Device& d) : Unknown(w), device_(d) {}
    HRESULT STDMETHODCALLTYPE CreateCaptureBuffer(LPCDSCBUFFERDESC desc, LPDIRECTSOUNDCAPTUREBUFFER* out,
                                                  LPUNKNOWN) override {
        *out = nullptr;
        if (!desc || !desc->lpwfxFormat || desc->dwBufferBytes == 0) return DSERR_INVALIDPARAM;
        world_.captureDesc = *desc;
        world_.captureFormat = *desc->lpwfxFormat;
        if (device_.bufferFails) return device_.bufferFails;
        *out = new CaptureBuffer(world_, device_, *desc->lpwfxFormat, desc->dwBufferBytes);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSCCAPS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Initialize(LPCGUID) override { return DSERR_ALREADYINITIALIZED; }

private:
    Device& device_;
};

// A playback buffer. The echo's cursors either follow the clock (play from the
// start of Play, write a fixed lead ahead) or are set by the test.
class SoundBuffer : public Unknown<IDirectSoundBuffer> {
public:
    SoundBuffer(World& w, bool primary, DWORD size, const WAVEFORMATEX& f)
        : Unknown(w), primary_(primary), format_(f), ring_(size) {}

    bool scripted = false;
    DWORD play = 0, write = 0;

    HRESULT STDMETHODCALLTYPE GetCaps(LPDSBCAPS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD p, LPDWORD w) override {
        DWORD pp = play, ww = write;
        if (!scripted && !ring_.empty()) {
            uint64_t played =
                playing_ ? static_cast<uint64_t>(world_.Now() - playStartUs_) * format_.nAvgBytesPerSec / 1000000 : 0;
            pp = static_cast<DWORD>((startPos_ + played) % ring_.size());
            ww = static_cast<DWORD>((pp + format_.nAvgBytesPerSec / 100) % ring_.size());  // 10 ms lead
        }
        if (p) *p = pp;
        if (w) *w = ww;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolume(LPLONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPan(LPLONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* p1, LPDWORD n1, LPVOID* p2, LPDWORD n2,
                                   DWORD) override {
        if (primary_ || offset >= ring_.size() || bytes > ring_.size() || bytes == 0) return DSERR_INVALIDPARAM;
        DWORD first = std::min<DWORD>(bytes, static_cast<DWORD>(ring_.size()) - offset);
        *p1 = ring_.data() + offset;
        *n1 = first;
        if (p2) *p2 = first < bytes ? ring_.data() : nullptr;
        if (n2) *n2 = bytes - first;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Play(DWORD, DWORD, DWORD) override {
        ++world_.echoPlays;
        if (!playing_) {
            playing_ = true;
            playStartUs_ = world_.Now();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD pos) override {
        startPos_ = pos;
        playStartUs_ = world_.Now();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX f) override {
        if (!primary_ || !f) return DSERR_INVALIDCALL;
        world_.primaryFormat = *f;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetVolume(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPan(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetFrequency(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stop() override {
        playing_ = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID p1, DWORD n1, LPVOID p2, DWORD n2) override {
        if (!cleared_) {
            cleared_ = true;  // the first lock clears the whole buffer
            return S_OK;
        }
        auto* a = static_cast<uint8_t*>(p1);
        world_.echoWritten.insert(world_.echoWritten.end(), a, a + n1);
        if (p2) {
            auto* b = static_cast<uint8_t*>(p2);
            world_.echoWritten.insert(world_.echoWritten.end(), b, b + n2);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Restore() override { return S_OK; }

private:
    bool primary_;
    WAVEFORMATEX format_;
    std::vector<uint8_t> ring_;
    bool playing_ = false, cleared_ = false;
    int64_t playStartUs_ = 0;
    DWORD startPos_ = 0;
};

class Sound : public Unknown<IDirectSound> {
public:
    explicit Sound(World& w) : Unknown(w) {}
    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC desc, LPLPDIRECTSOUNDBUFFER out, IUnknown*) override {
        *out = nullptr;
        if (!desc) return DSERR_INVALIDPARAM;
        if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) {
            *out = new SoundBuffer(world_, true, 0, WAVEFORMATEX{});
            return S_OK;
        }
        if (!desc->lpwfxFormat || desc->dwBufferBytes == 0) return DSERR_INVALIDPARAM;
        world_.echoDesc = *desc;
        world_.echoFormat = *desc->lpwfxFormat;
        *out = new SoundBuffer(world_, false, desc->dwBufferBytes, *desc->lpwfxFormat);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSCAPS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER, LPLPDIRECTSOUNDBUFFER) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD level) override {
        world_.cooperativeWindow = window;
        world_.cooperativeLevel = level;
        return world_.cooperativeFails;
    }
    HRESULT STDMETHODCALLTYPE Compact() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetSpeakerConfig(LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSpeakerConfig(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Initialize(LPCGUID) override { return DSERR_ALREADYINITIALIZED; }
};

inline std::shared_ptr<const acs::TDSoundSystem> World::System() {
    auto s = std::make_shared<acs::TDSoundSystem>();
    s->CaptureEnumerate = [this](LPDSENUMCALLBACKW callback, void* context) -> HRESULT {
        if (FAILED(enumerateResult)) return enumerateResult;
        for (auto& d : devices) {
            ++enumerateCallbacks;
            GUID g = d->guid;
            if (!callback(d->passNullGuid ? nullptr : &g, d->name.c_str(), L"fake.drv", context)) break;
        }
        return S_OK;
    };
    s->CaptureCreate = [this](const GUID* guid, IDirectSoundCapture** out) -> HRESULT {
        ++captureCreates;
        *out = nullptr;
        for (auto& d : devices) {
            bool match = d->passNullGuid ? (!guid || *guid == GUID{}) : (guid && *guid == d->guid);
            if (!match) continue;
            if (d->createFails) return d->createFails;
            *out = new Capture(*this, *d);
            return S_OK;
        }
        return DSERR_NODRIVER;
    };
    s->Create = [this](const GUID* guid, IDirectSound** out) -> HRESULT {
        ++playbackCreates;
        *out = nullptr;
        if (playbackCreateFails) return playbackCreateFails;
        bool known = !guid || *guid == GUID{} ||
                     std::find(playbackDevices.begin(), playbackDevices.end(), *guid) != playbackDevices.end();
        if (!known) return DSERR_NODRIVER;
        *out = new Sound(*this);
        return S_OK;
    };
    s->Sleep = [this](DWORD ms) {
        if (realSleep) ::Sleep(ms);
        sleptMs += ms;
        Advance(ms);
    };
    s->Counter = [this](int64_t& ticks) {
        ticks = nowUs;
        return true;
    };
    s->CounterFrequency = [](int64_t& ticks) {
        ticks = 1000000;
        return true;
    };
    return s;
}

// Puts a world behind the DirectSound functions for its lifetime.
class Installed {
public:
    explicit Installed(World& w) : previous_(acs::SetDSoundSystem(w.System())) {}
    ~Installed() { acs::SetDSoundSystem(previous_); }

private:
    std::shared_ptr<const acs::TDSoundSystem> previous_;
};

}  // namespace fakeds
