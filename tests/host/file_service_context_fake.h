// A file services' context that records what the services do: the movie's
// variables in order, the messages, the prompts and the shell calls. The save
// dialogs are real ones, answered through the dialog seam; the drives and
// the shell are the system's unless a test sets them.
#pragma once

#include <deque>
#include <map>
#include <utility>
#include <vector>

#include "framework/windows/CommonDialogs.h"
#include "framework/windows/Forms.h"
#include "host/FileServiceContext.h"
#include "host/Shell.h"

class FakeFileServiceContext : public host::FileServiceContext {
public:
    using String = fw::String;

    void SetVariable(const String& name, const String& value) override { variables.emplace_back(name, value); }
    String ExeName() override { return exeName; }
    fw::TSaveDialog& ImageSaveDialog() override { return imageDialog; }
    fw::TSaveDialog& FileSaveDialog() override { return fileDialog; }
    int AskOpenOrSave() override {
        ++prompts;
        if (promptAnswers.empty()) return fw::mrCancel;
        int answer = promptAnswers.front();
        promptAnswers.pop_front();
        return answer;
    }
    void ShowMessage(const String& text) override { messages.push_back(text); }
    int ShellOpen(const String& file, const String& parameters) override {
        shellCalls.emplace_back(file, parameters);
        return realShell ? host::ShellOpen(file, parameters) : 42;
    }
    UINT DriveType(const String& root) override {
        if (!fakeDrives) return GetDriveTypeA(fw::ToAnsi(root).c_str());
        auto it = drives.find(root[0]);
        return it == drives.end() ? DRIVE_NO_ROOT_DIR : it->second;
    }

    String exeName;
    fw::TSaveDialog imageDialog{nullptr};
    fw::TSaveDialog fileDialog{nullptr};
    std::vector<std::pair<String, String>> variables;
    std::vector<String> messages;
    std::deque<int> promptAnswers;
    int prompts = 0;
    std::vector<std::pair<String, String>> shellCalls;
    bool realShell = false;
    // Off: the system's drives; on: only those in `drives`.
    bool fakeDrives = false;
    std::map<wchar_t, UINT> drives;
};
