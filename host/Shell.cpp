#include "host/Shell.h"

#include <windows.h>
// shellapi.h needs windows.h before it
#include <shellapi.h>

namespace host {

int ShellOpen(const String& file, const String& parameters) {
    fw::AnsiString f = fw::ToAnsi(file), p = fw::ToAnsi(parameters);
    HINSTANCE result = ShellExecuteA(nullptr, "open", f.c_str(), p.c_str(), "", SW_SHOWNORMAL);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

int FindAssociatedProgram(const String& file, String& program) {
    char found[MAX_PATH] = {};
    fw::AnsiString f = fw::ToAnsi(file);
    HINSTANCE result = FindExecutableA(f.c_str(), nullptr, found);
    int code = static_cast<int>(reinterpret_cast<INT_PTR>(result));
    if (code > 32) program = fw::FromAnsi(found);
    return code;
}

}  // namespace host
