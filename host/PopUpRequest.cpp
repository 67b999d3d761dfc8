#include "host/PopUpRequest.h"

#include "framework/rtl/SysUtils.h"
#include "host/ChildForm.h"

namespace host {

using namespace fw;

namespace {

constexpr wchar_t kContents[] = L"_Page_img\\contents\\";

String WithoutExtension(const String& name) { return ChangeFileExt(name, String()); }

}  // namespace

std::vector<String> PopUpMovieCandidates(const String& exeName, const String& moveSkinText, const String& firstArgument,
                                         const String& movie) {
    String exeFolder = ExtractFilePath(exeName);
    String argFolder = ExcludeTrailingPathDelimiter(ExtractFilePath(firstArgument));
    return {
        exeFolder + movie,
        kContents + movie,
        exeFolder + WithoutExtension(moveSkinText) + kContents + movie,
        argFolder + L"\\" + movie,
        argFolder + L"\\" + WithoutExtension(ExtractFileName(firstArgument)) + kContents + movie,
    };
}

String PopUpMovieFallback(const String& exeName, const String& movie) {
    return ExtractFilePath(exeName) + WithoutExtension(ExtractFileName(exeName)) + kContents + movie;
}

String FindPopUpMovie(const String& exeName, const String& moveSkinText, const String& firstArgument,
                      const String& movie, const std::function<bool(const String&)>& exists) {
    for (const String& path : PopUpMovieCandidates(exeName, moveSkinText, firstArgument, movie))
        if (exists(path)) return path;
    return PopUpMovieFallback(exeName, movie);
}

TChildForm* ShowPopUp(TComponent* owner, KVBViewerControl* recorder, const String& moviePath, const String& parameter) {
    TChildForm* popUp = Create<TChildForm>(owner, recorder);
    if (parameter.find(L'=') != String::npos) {
        popUp->ShockwaveFlash1->SetFlashVars(parameter);
        popUp->ShockwaveFlash1->SetMovie(moviePath);
    } else {
        popUp->ShockwaveFlash1->SetMovie(moviePath);
        popUp->ShockwaveFlash1->SetVariable(L"_root.BOOKLOAD_FIRSTPAGE", parameter);
    }
    popUp->Show();
    return popUp;
}

}  // namespace host
