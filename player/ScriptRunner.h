// Runs a parsed script one tick at a time. The player calls Tick from a timer
// of its own window; timers keep firing inside the host's modal loops, so a
// script can answer the very dialog its last request opened. Tick may
// therefore be re-entered from inside FireFSCommand: every step moves the
// program counter before it acts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "player/Script.h"

namespace player {

struct HostCall {
    enum class Kind { SetVariable, CallFunction } kind;
    std::wstring first;   // the variable name, or the request text
    std::wstring second;  // the value (SetVariable only)
};

// What a script acts on; the player implements it, tests fake it.
class ScriptHost {
public:
    virtual ~ScriptHost() = default;
    virtual DWORD Now() = 0;
    virtual void FireFSCommand(const std::wstring& command, const std::wstring& args) = 0;
    virtual void Journal(const std::wstring& text) = 0;
    virtual const std::vector<HostCall>& Calls() = 0;
    virtual std::wstring ProbeWindow() = 0;
    // Photographs the window holding the player; answers the journal line.
    virtual std::wstring ShootWindow(const std::wstring& name) = 0;
    virtual void SetReturnError(bool on) = 0;
    // Clicks the close box of the window holding the player with the real
    // mouse (the click arrives after the step); false when it has none.
    virtual bool ClickCloseBox() = 0;

    enum class DialogState { Pending, Done, Failed };
    // Looks for the dialog the step names and, when found, answers it by a
    // posted button press (never synchronously). On Failed, `error` says why.
    virtual DialogState AnswerDialog(const ScriptStep& step, std::wstring& error) = 0;
};

class ScriptRunner {
public:
    static constexpr DWORD kDefaultTimeout = 5000;
    // A dialog to be photographed is answered no sooner than this after its
    // step began, so that it has painted itself.
    static constexpr DWORD kShotSettle = 800;

    ScriptRunner(std::vector<ScriptStep> steps, ScriptHost& host) : steps_(std::move(steps)), host_(host) {}

    void Tick();
    bool Finished() const { return pc_ >= steps_.size(); }

private:
    bool waitUntil(DWORD ms);  // true once ms have passed since the step began
    void fail(const std::wstring& text);
    void next();

    std::vector<ScriptStep> steps_;
    ScriptHost& host_;
    size_t pc_ = 0;
    size_t callCursor_ = 0;  // expectations consume the host's calls in order
    bool stepStarted_ = false;
    DWORD stepStart_ = 0;
};

}  // namespace player
