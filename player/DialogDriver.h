// Finds and answers the dialogs a scripted movie waits for: message boxes,
// the classic save dialog and the host's own forms. Only windows of the
// calling thread are considered; every press is posted, never sent.
#pragma once

#include <windows.h>

#include <string>

#include "player/ScriptRunner.h"

namespace player {

// Answers a dialog step; on Done, `journal` holds the line to record, and
// `shot` the findings of the dialog's photograph when the step asked for one.
ScriptHost::DialogState AnswerDialog(const ScriptStep& step, std::wstring& journal, std::wstring& shot,
                                     std::wstring& error);

// "iconic=0 zoomed=1 ..." for the top-level window that holds `child`.
std::wstring DescribeTopLevel(HWND child);

}  // namespace player
