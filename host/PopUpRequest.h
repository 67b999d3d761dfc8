// The pop-up request ("function" with "PopUpForm"): finds the movie in the
// places a book's pop-up movies are kept, then shows it in a new pop-up
// window owned by the main window, with its first page or its Flash
// variables. The main window keeps no reference: several may be open.
#pragma once

#include <functional>
#include <vector>

#include "framework/rtl/Component.h"
#include "framework/rtl/Strings.h"

namespace host {

using fw::String;

class KVBViewerControl;
class TChildForm;

// Where a pop-up movie M may be, in the order they are tried:
//   1. the executable's folder, M;
//   2. "_Page_img\contents\" M, relative to the current folder;
//   3. the executable's folder, the "MoveSkin" movie without extension, "_Page_img\contents\", M;
//   4. the first argument's folder, "\", M;
//   5. the first argument's folder, "\", its name without extension, "_Page_img\contents\", M.
std::vector<String> PopUpMovieCandidates(const String& exeName, const String& moveSkinText, const String& firstArgument,
                                         const String& movie);
// When none exists: the executable's folder, its name without extension, "_Page_img\contents\", M.
String PopUpMovieFallback(const String& exeName, const String& movie);
// The first candidate that exists, else the fallback.
String FindPopUpMovie(const String& exeName, const String& moveSkinText, const String& firstArgument,
                      const String& movie, const std::function<bool(const String&)>& exists);

// Creates the pop-up (owned by owner, sharing the recorder), hands it the
// movie and its parameter, and shows it. A parameter holding "=" is Flash
// variables, set before the movie; any other is the first page, set after it.
TChildForm* ShowPopUp(fw::TComponent* owner, KVBViewerControl* recorder, const String& moviePath,
                      const String& parameter);

}  // namespace host
