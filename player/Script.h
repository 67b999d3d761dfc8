// Scripted movies: a movie file whose first line is "#standin-script" is not
// played but run step by step, so that a test can make the "movie" send
// requests to the host and check the host's answers.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace player {

inline constexpr wchar_t kScriptMarker[] = L"#standin-script";

struct ScriptStep {
    enum class Verb {
        Fs,             // fs <command> <arguments...>: fire FSCommand
        Wait,           // wait <ms>
        ExpectVar,      // expect-var <name> <value> [timeout-ms]
        ExpectCall,     // expect-call <substring> [timeout-ms]
        Probe,          // probe window
        DialogMsgbox,   // dialog msgbox [expect="text"] [shot="name"] press=OK (shot: on every dialog step)
        DialogSave,     // dialog save name="path" [expect-filter="text"] press=OK|Cancel
        DialogForm,     // dialog form caption="text" press="button caption"|close
        Shot,           // shot <name>: the window holding the player, photographed
        ClickCloseBox,  // click close-box: a real mouse click on that window's close box
        ReturnError,    // return-error on|off
        End,            // end
        Invalid,        // a line that could not be read; running it writes FAIL
    };
    Verb verb = Verb::Invalid;
    std::vector<std::wstring> args;              // positional words
    std::map<std::wstring, std::wstring> named;  // key="value" words
    std::wstring rest;                           // fs: the arguments text, verbatim
    std::wstring line;                           // the source line, for messages
    int lineNumber = 0;

    std::wstring Named(const std::wstring& key) const {
        auto it = named.find(key);
        return it == named.end() ? std::wstring() : it->second;
    }
    bool HasNamed(const std::wstring& key) const { return named.count(key) != 0; }
};

// True when the text (a movie file's content) starts with the script marker.
bool IsScript(const std::wstring& text);

// Reads a script's text into steps. Blank lines and lines starting with "#"
// are skipped; a line that cannot be read becomes an Invalid step.
std::vector<ScriptStep> ParseScript(const std::wstring& text);

// Reads a UTF-8 file (with or without a BOM) into text; false when unreadable.
bool ReadUtf8File(const std::wstring& path, std::wstring& text);

}  // namespace player
