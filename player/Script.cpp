#include "player/Script.h"

#include <windows.h>

namespace player {

namespace {

bool isSpace(wchar_t c) { return c == L' ' || c == L'\t'; }

// Splits a line into words; "double quoted" parts may hold spaces and \" (a
// backslash is otherwise itself, for Windows paths).
// A word of the form key="value" or key=value becomes a named word.
bool splitWords(const std::wstring& line, std::vector<std::wstring>& words,
                std::map<std::wstring, std::wstring>& named) {
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSpace(line[i])) ++i;
        if (i >= line.size()) break;
        std::wstring word, key;
        bool hasKey = false, quotedAny = false;
        while (i < line.size() && !isSpace(line[i])) {
            wchar_t c = line[i];
            if (c == L'=' && !hasKey && !quotedAny) {
                hasKey = true;
                key = word;
                word.clear();
                ++i;
                continue;
            }
            if (c == L'"') {
                quotedAny = true;
                ++i;
                bool closed = false;
                while (i < line.size()) {
                    wchar_t q = line[i++];
                    if (q == L'\\' && i < line.size() && line[i] == L'"') {
                        word += line[i++];
                    } else if (q == L'"') {
                        closed = true;
                        break;
                    } else {
                        word += q;
                    }
                }
                if (!closed) return false;
                continue;
            }
            word += c;
            ++i;
        }
        if (hasKey)
            named[key] = word;
        else
            words.push_back(word);
    }
    return true;
}

ScriptStep parseLine(const std::wstring& line, int number) {
    ScriptStep step;
    step.line = line;
    step.lineNumber = number;
    size_t start = 0;
    while (start < line.size() && isSpace(line[start])) ++start;
    size_t verbEnd = start;
    while (verbEnd < line.size() && !isSpace(line[verbEnd])) ++verbEnd;
    std::wstring verb = line.substr(start, verbEnd - start);

    if (verb == L"fs") {
        // fs <command> <arguments>: the arguments are everything after the
        // command, verbatim, since they carry the movie's own separators.
        size_t c = verbEnd;
        while (c < line.size() && isSpace(line[c])) ++c;
        size_t cEnd = c;
        while (cEnd < line.size() && !isSpace(line[cEnd])) ++cEnd;
        if (c == cEnd) return step;
        step.args.push_back(line.substr(c, cEnd - c));
        if (cEnd < line.size()) step.rest = line.substr(cEnd + 1);
        step.verb = ScriptStep::Verb::Fs;
        return step;
    }

    std::vector<std::wstring> words;
    if (!splitWords(line.substr(verbEnd), words, step.named)) return step;
    step.args = words;
    auto count = words.size();
    using V = ScriptStep::Verb;
    if (verb == L"wait" && count == 1) {
        step.verb = V::Wait;
    } else if (verb == L"expect-var" && (count == 2 || count == 3)) {
        step.verb = V::ExpectVar;
    } else if (verb == L"expect-call" && (count == 1 || count == 2)) {
        step.verb = V::ExpectCall;
    } else if (verb == L"probe" && count == 1 && words[0] == L"window") {
        step.verb = V::Probe;
    } else if (verb == L"dialog" && count == 1 && step.HasNamed(L"press")) {
        if (words[0] == L"msgbox") step.verb = V::DialogMsgbox;
        if (words[0] == L"save" && step.HasNamed(L"name")) step.verb = V::DialogSave;
        if (words[0] == L"form" && step.HasNamed(L"caption")) step.verb = V::DialogForm;
    } else if (verb == L"click" && count == 1 && words[0] == L"close-box") {
        step.verb = V::ClickCloseBox;
    } else if (verb == L"shot" && count == 1) {
        step.verb = V::Shot;
    } else if (verb == L"return-error" && count == 1 && (words[0] == L"on" || words[0] == L"off")) {
        step.verb = V::ReturnError;
    } else if (verb == L"end" && count == 0) {
        step.verb = V::End;
    }
    return step;
}

}  // namespace

bool IsScript(const std::wstring& text) {
    size_t start = (!text.empty() && text[0] == 0xFEFF) ? 1 : 0;
    return text.compare(start, wcslen(kScriptMarker), kScriptMarker) == 0;
}

std::vector<ScriptStep> ParseScript(const std::wstring& text) {
    std::vector<ScriptStep> steps;
    size_t pos = 0;
    int number = 0;
    while (pos <= text.size()) {
        size_t end = text.find(L'\n', pos);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        if (!line.empty() && line[0] == 0xFEFF) line.erase(0, 1);
        ++number;
        pos = end + 1;
        size_t first = line.find_first_not_of(L" \t");
        if (first == std::wstring::npos || line[first] == L'#') continue;
        steps.push_back(parseLine(line, number));
    }
    return steps;
}

bool ReadUtf8File(const std::wstring& path, std::wstring& text) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(f, &size) || size.QuadPart > (1 << 20)) {
        CloseHandle(f);
        return false;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    BOOL ok = bytes.empty() || ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(f);
    if (!ok) return false;
    bytes.resize(read);
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    text.clear();
    if (bytes.empty()) return true;
    int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    text.resize(static_cast<size_t>(n));
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return true;
}

}  // namespace player
