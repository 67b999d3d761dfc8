#include "host/BookLoading.h"

#include <algorithm>

#include "framework/rtl/SysUtils.h"
#include "host/KVBTxtParser.h"

namespace host {

using namespace fw;

bool IsPageOption(const String& Arg) { return Pos(L"-p", Arg) > 0; }

String PageOptionValue(const String& Arg) { return Arg.size() > 2 ? Arg.substr(2) : String(); }

String MoviePathFromCommandLine(int ParamCount, const String& FirstArg, const String& ExeName) {
    if (ParamCount >= 1 && !IsPageOption(FirstArg)) {
        if (Pos(L":\\", FirstArg) > 0) return FirstArg;
        return ExcludeTrailingPathDelimiter(ExtractFilePath(ExeName)) + L"\\" + FirstArg;
    }
    return ChangeFileExt(ExeName, L".swf");
}

String VariableFilePath(const String& MoviePath) {
    return ExtractFilePath(MoviePath) + ChangeFileExt(ExtractFileName(MoviePath), L"") + L"_Page_img\\Page_var.txt";
}

String TitleWithoutVariableFile(const String& MoviePath) {
    String name = ChangeFileExt(ExtractFileName(MoviePath), L"");
    return name == L"launcher" ? String(L"KVB EBook Viewer") : name;
}

String BookTitle(const String& TitleValue) { return StringReplace(TitleValue, L"%26", L"&", rfReplaceAll); }

namespace {

// A side the book gives: a number of at least 1. Text that is no number
// counts as absent rather than stopping the load.
bool ReadSide(const String& text, int& value) {
    if (text.empty()) return false;
    int32_t n = 0;
    if (!TryStrToInt(text, n) || n < 1) return false;
    value = n;
    return true;
}

}  // namespace

BookWindowPlan PlanBookWindow(const KVBTxtParser* Vars, const String& MoviePath, int ScreenWidth, int ScreenHeight) {
    BookWindowPlan plan;
    if (!Vars) {
        plan.Title = TitleWithoutVariableFile(MoviePath);
        plan.Maximised = true;
        return plan;
    }
    plan.Title = BookTitle(Vars->Get(L"title"));
    String width = Vars->Get(L"width"), height = Vars->Get(L"height");
    int w = 0, h = 0;
    if (ReadSide(width, w) && ReadSide(height, h)) {
        plan.Sized = true;
        // Never larger than the screen, so the whole window stays reachable.
        plan.Width = ScreenWidth > 0 ? std::min(w, ScreenWidth) : w;
        plan.Height = ScreenHeight > 0 ? std::min(h, ScreenHeight) : h;
        plan.Top = (ScreenHeight - plan.Height) / 2;
        plan.Left = (ScreenWidth - plan.Width) / 2;
    } else {
        plan.Maximised = true;
    }
    if (Vars->Get(L"fullscreen") == L"true") plan.Maximised = true;
    return plan;
}

}  // namespace host
