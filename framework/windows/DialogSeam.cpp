#include "framework/windows/DialogSeam.h"

#include <deque>
#include <mutex>

namespace fw::DialogSeam {

namespace {

struct State {
    std::mutex lock;
    bool on = false;
    std::deque<int> results;
    std::deque<FileAnswer> files;
    std::vector<Request> log;
};

State& state() {
    static State s;
    return s;
}

}  // namespace

void Enable(bool on) {
    State& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.on = on;
    s.results.clear();
    s.files.clear();
    s.log.clear();
}

bool Enabled() {
    State& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.on;
}

void Push(int result) {
    State& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.results.push_back(result);
}

void PushFileName(const String& fileName, int filterIndex) {
    State& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.files.push_back(FileAnswer{true, fileName, filterIndex});
}

void PushText(const String& text) { PushFileName(text); }

void PushCancel() {
    State& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.files.push_back(FileAnswer{});
}

const std::vector<Request>& Log() { return state().log; }

void ClearLog() {
    State& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.log.clear();
}

void Record(const Request& request) {
    State& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.log.push_back(request);
}

bool TakeResult(int& result) {
    State& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.results.empty()) return false;
    result = s.results.front();
    s.results.pop_front();
    return true;
}

bool TakeFileAnswer(FileAnswer& answer) {
    State& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.files.empty()) return false;
    answer = s.files.front();
    s.files.pop_front();
    return true;
}

}  // namespace fw::DialogSeam
