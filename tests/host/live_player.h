// For the tests that run a form with the stand-in player: pumping messages
// while its scripted movie plays, and reading the lines it logs (UTF-8).
#pragma once

#include <windows.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "framework/rtl/Strings.h"
#include "framework/windows/Application.h"

// Serves the application's messages until done() holds or ms have passed;
// done()'s last answer.
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms = 10000) {
    DWORD end = GetTickCount() + ms;
    while (!done() && LONG(end - GetTickCount()) > 0) {
        fw::Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

// The lines of a UTF-8 file; none when it cannot be read.
inline std::vector<fw::String> ReadUtf8Lines(const fw::String& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::wistringstream split(fw::FromUtf8(bytes.str()));
    std::vector<fw::String> lines;
    for (fw::String line; std::getline(split, line);) lines.push_back(line);
    return lines;
}
