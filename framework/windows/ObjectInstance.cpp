// Window procedures bound to methods: i686 thunks in executable memory.
#include <cstdint>
#include <cstring>
#include <mutex>

#include "framework/windows/Controls.h"

namespace fw {

namespace {

#pragma pack(push, 1)
struct Instance {
    // mov ecx, <this instance>; jmp InstanceEntry
    uint8_t movEcx;
    Instance* self;
    uint8_t jmp;
    int32_t jmpOffset;
    uint8_t pad[2];
    TWndMethod method;
    Instance* nextFree;
};
#pragma pack(pop)

static_assert(offsetof(Instance, method) % 4 == 0, "the method must stay aligned");

std::mutex instanceLock;
Instance* freeList = nullptr;

// Reached by a jump with the instance in ECX and the window procedure's
// arguments on the stack, as a fastcall function with a dummy EDX argument:
// it pops the same 16 bytes a WNDPROC pops.
__attribute__((fastcall)) LRESULT InstanceEntry(Instance* self, int, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    // A copy: the handler may free this instance while it runs.
    TWndMethod method = self->method;
    TMessage m;
    m.Msg = msg;
    m.WParam = wParam;
    m.LParam = lParam;
    ExceptionBarrier([&] { method(m); });
    return m.Result;
}

Instance* Allocate() {
    if (!freeList) {
        const size_t page = 4096;
        auto* block =
            static_cast<Instance*>(VirtualAlloc(nullptr, page, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
        if (!block) throw EOutOfMemory(L"Out of memory");
        for (size_t i = 0; i < page / sizeof(Instance); ++i) {
            block[i].nextFree = freeList;
            freeList = &block[i];
        }
    }
    Instance* inst = freeList;
    freeList = inst->nextFree;
    return inst;
}

}  // namespace

WNDPROC MakeObjectInstance(const TWndMethod& Method) {
    std::lock_guard<std::mutex> guard(instanceLock);
    Instance* inst = Allocate();
    new (&inst->method) TWndMethod(Method);
    inst->movEcx = 0xB9;
    inst->self = inst;
    inst->jmp = 0xE9;
    auto target = reinterpret_cast<intptr_t>(&InstanceEntry);
    auto next = reinterpret_cast<intptr_t>(&inst->jmpOffset) + 4;
    inst->jmpOffset = int32_t(target - next);
    inst->pad[0] = inst->pad[1] = 0xCC;
    inst->nextFree = nullptr;
    FlushInstructionCache(GetCurrentProcess(), inst, sizeof *inst);
    return reinterpret_cast<WNDPROC>(inst);
}

void FreeObjectInstance(WNDPROC Instance_) {
    if (!Instance_) return;
    std::lock_guard<std::mutex> guard(instanceLock);
    auto* inst = reinterpret_cast<Instance*>(Instance_);
    inst->method = TWndMethod();
    inst->nextFree = freeList;
    freeList = inst;
}

}  // namespace fw
