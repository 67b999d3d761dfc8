#include "player/ScriptRunner.h"

namespace player {

namespace {

DWORD timeoutArg(const ScriptStep& step, size_t index) {
    if (step.args.size() <= index) return ScriptRunner::kDefaultTimeout;
    return static_cast<DWORD>(wcstoul(step.args[index].c_str(), nullptr, 10));
}

}  // namespace

void ScriptRunner::next() {
    ++pc_;
    stepStarted_ = false;
}

bool ScriptRunner::waitUntil(DWORD ms) {
    DWORD now = host_.Now();
    if (!stepStarted_) {
        stepStarted_ = true;
        stepStart_ = now;
    }
    return now - stepStart_ >= ms;
}

void ScriptRunner::fail(const std::wstring& text) {
    host_.Journal(L"FAIL line " + std::to_wstring(steps_[pc_].lineNumber) + L": " + text);
}

void ScriptRunner::Tick() {
    using V = ScriptStep::Verb;
    while (pc_ < steps_.size()) {
        const ScriptStep step = steps_[pc_];  // a copy: nested ticks move on
        switch (step.verb) {
            case V::Fs:
                next();
                host_.FireFSCommand(step.args[0], step.rest);
                return;  // one request per tick; the host answers in between
            case V::Wait:
                if (!waitUntil(static_cast<DWORD>(wcstoul(step.args[0].c_str(), nullptr, 10)))) return;
                next();
                break;
            case V::ExpectVar:
            case V::ExpectCall: {
                bool timedOut = waitUntil(timeoutArg(step, step.verb == V::ExpectVar ? 2 : 1));
                const auto& calls = host_.Calls();
                bool found = false;
                for (size_t i = callCursor_; i < calls.size() && !found; ++i) {
                    const HostCall& c = calls[i];
                    if (step.verb == V::ExpectVar)
                        found = c.kind == HostCall::Kind::SetVariable && c.first == step.args[0] &&
                                c.second == step.args[1];
                    else
                        found =
                            c.kind == HostCall::Kind::CallFunction && c.first.find(step.args[0]) != std::wstring::npos;
                    if (found) callCursor_ = i + 1;
                }
                if (!found && !timedOut) return;
                if (!found) fail(L"timed out: " + step.line);
                next();
                break;
            }
            case V::Probe:
                next();
                host_.Journal(L"probe " + host_.ProbeWindow());
                break;
            case V::ClickCloseBox:
                // Journalled first: the click may end the window and the
                // script. It is queued input, so nothing runs before the tick ends.
                host_.Journal(L"click close-box");
                if (!host_.ClickCloseBox()) fail(L"no close box: " + step.line);
                next();
                return;
            case V::Shot:
                next();
                host_.Journal(host_.ShootWindow(step.args[0]));
                break;
            case V::DialogMsgbox:
            case V::DialogSave:
            case V::DialogForm: {
                bool timedOut = waitUntil(kDefaultTimeout);
                if (step.HasNamed(L"shot") && !waitUntil(kShotSettle)) return;
                std::wstring error;
                ScriptHost::DialogState state = host_.AnswerDialog(step, error);
                if (state == ScriptHost::DialogState::Pending && !timedOut) return;
                if (state == ScriptHost::DialogState::Pending) fail(L"no dialog: " + step.line);
                if (state == ScriptHost::DialogState::Failed) fail(error);
                next();
                break;
            }
            case V::ReturnError:
                next();
                host_.SetReturnError(step.args[0] == L"on");
                break;
            case V::End:
                host_.Journal(L"END");
                pc_ = steps_.size();
                return;
            case V::Invalid:
                fail(L"cannot read: " + step.line);
                next();
                break;
        }
    }
}

}  // namespace player
