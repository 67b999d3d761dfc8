#include "host/RequestDispatcher.h"

#include <algorithm>

#include "host/RequestFields.h"

namespace host {

namespace {

// Fields used as paths or file names go through path(); shown and stored
// texts (notes, alerts, the copy's message) are passed as sent.
String path(const String& field) { return SlashesToBackslashes(field); }

// The name table; false when no name matched.
bool CallService(RequestHost& host, const String& name, const String& rest) {
    SplitText two = SplitAtSeparator(rest);
    // The copies take "sub-folder@@@file" or the file alone.
    String subFolder = two.Found ? two.Before : String();
    String file = two.Found ? two.After : rest;

    if (name == L"function_imgcopy") {
        host.ImgCopy(path(rest));
    } else if (name == L"function_doccopy") {
        host.DocCopy(path(rest));
    } else if (name == L"function_copyfile") {
        host.FileCopy(path(subFolder), path(file));
    } else if (name == L"function_copyfileModal") {
        host.FileCopyModal(path(subFolder), path(file), file);
    } else if (name == L"function_saveTextFile") {
        host.SaveTextFile(two.Before, path(two.After));
    } else if (name == L"function_loadTextFile") {
        host.LoadTextFile();
    } else if (name == L"function_searchList") {
        host.SearchList(path(rest));
    } else if (name == L"function_InputParameter") {
        host.SetVariable(kInputParameterVariable, host.FirstArgument());
    } else if (name == L"function_TxtListSaveToFile") {
        host.TxtListSaveToFile(path(two.Before), path(two.After));
    } else if (name == L"function_show") {
        host.ShowProgram(path(two.Before), path(two.After));
    } else if (name == L"function_alert") {
        host.ShowMessage(rest);
    } else if (name == L"function_scrapsave_start") {
        host.ScrapStart(rest);
    } else if (name == L"function_scrapsave_data") {
        host.ScrapData(rest);
    } else if (name == L"function_scrapsave_end") {
        host.ScrapEnd();
    } else if (name == L"function_recording_start") {
        host.RecordingStart();
    } else if (name == L"function_recording_stop") {
        host.RecordingStop();
    } else {
        return false;
    }
    return true;
}

void OpenPopUpRequest(RequestHost& host, const String& args) {
    SplitText request = SplitAtSeparator(args);
    if (request.Before != L"PopUpForm") return;
    SplitText movie = SplitAtSeparator(request.After);
    String parameter = SplitAtSeparator(movie.After).Before;
    host.OpenPopUp(SlashesToBackslashes(movie.Before), parameter);
}

}  // namespace

void DispatchFSCommand(RequestHost& host, const String& command, const String& args) {
    if (command == L"RunPDF") {
        SplitText pdf = SplitAtSeparator(args);
        host.RunPDF(pdf.Before, pdf.After);
        return;
    }
    if (command == L"function") return OpenPopUpRequest(host, args);
    if (command == L"formcontrol") return host.FormControl(args);
    if (command == L"MoveSkin") return host.SetMoveSkinText(SlashesToBackslashes(args));

    if (args == L"function_full") return host.Maximize();
    if (args == L"function_close") return host.Close();
    if (args == L"function_forward") return host.BringToFrontAfterPause();

    SplitText request = SplitAtSeparator(args);
    if (!CallService(host, request.Before, request.After) && command == L"exec")
        OpenWithShell(host, SlashesToBackslashes(args));
}

ShellTarget ShellTargetFromArgs(const String& args) {
    ShellTarget target;
    SplitText request = SplitAtSeparator(args);
    target.File = request.Before;
    if (request.Found) {
        // "P1@@@P2" gives "P1 P2"; a single field is the parameters alone.
        SplitText parameters = SplitAtSeparator(request.After);
        target.Parameters = parameters.Found ? parameters.Before + L" " + parameters.After : parameters.Before;
    }
    size_t url = target.File.find(L"file:\\\\");
    if (url != String::npos) target.File.erase(0, url + 7);
    std::replace(target.File.begin(), target.File.end(), L'|', L':');
    return target;
}

void OpenWithShell(RequestHost& host, const String& args) {
    ShellTarget target = ShellTargetFromArgs(args);
    if (target.File.empty()) return;  // nothing to open
    host.SetCurrentFolder(host.ExeFolder());
    if (host.ShellOpen(target.File, target.Parameters) > 32) return;
    String program;
    if (host.FindProgramFor(target.File, program) <= 32) {
        host.ShowError(kNoProgramMessage);
        return;
    }
    // Quoted, so a document whose path holds spaces stays one argument.
    host.ShellOpen(program, L"\"" + target.File + L"\"");
}

}  // namespace host
