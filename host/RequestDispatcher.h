// The main window's request dispatcher: one FSCommand of the movie (a command
// word and an argument text) becomes one service call on the host, or the
// shell opening the argument for the command word "exec", or nothing.
// Stateless, so a request that arrives while an earlier one sits in a modal
// dialog is served like any other. Exceptions of the services are left to the
// control's event boundary, which shows them.
#pragma once

#include "host/RequestHost.h"

namespace host {

// Texts the dispatcher answers or shows itself.
inline constexpr wchar_t kInputParameterVariable[] = L"변수명";
inline constexpr wchar_t kNoProgramMessage[] = L"이 문서를 열 수 있는 프로그램이 없습니다.";

void DispatchFSCommand(RequestHost& host, const String& command, const String& args);

// The shell fallback of "exec", for an argument text whose "/" are already "\".
struct ShellTarget {
    String File;
    String Parameters;
};
ShellTarget ShellTargetFromArgs(const String& args);
void OpenWithShell(RequestHost& host, const String& args);

}  // namespace host
