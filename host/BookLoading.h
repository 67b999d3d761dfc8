// The decisions the main window makes while it loads a book, kept apart from
// the window so they can be checked on their own: which movie the command
// line names, where its variable file is, and how the window is titled,
// sized and placed from that file.
#pragma once

#include "framework/rtl/Strings.h"

namespace host {

using fw::String;

class KVBTxtParser;

// An argument containing "-p" anywhere (case-sensitive) is a page option.
bool IsPageOption(const String& Arg);
// The page a page option names: the argument from its third character on.
String PageOptionValue(const String& Arg);

// The movie: with a first argument that is no page option, the argument
// itself when it holds ":\", else that name in the executable's folder;
// otherwise the executable's path with the extension ".swf".
String MoviePathFromCommandLine(int ParamCount, const String& FirstArg, const String& ExeName);

// "<movie folder>\<movie name without extension>_Page_img\Page_var.txt".
String VariableFilePath(const String& MoviePath);

// The title of a book without a variable file: its movie's name without
// extension, "KVB EBook Viewer" for the launcher movie.
String TitleWithoutVariableFile(const String& MoviePath);
// The "title" value with every "%26" turned into "&".
String BookTitle(const String& TitleValue);

// How the main window shows a book.
struct BookWindowPlan {
    String Title;
    bool Maximised = false;
    bool Sized = false;  // Left, Top, Width, Height are set
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// Vars is the book's variable file, or nullptr when it could not be read.
// A size is given only by a "width" and a "height" that both read as
// integers of at least 1; anything else (empty, 0, not a number) leaves the
// window maximised. The size is kept within the screen and the window
// centred on it. "fullscreen" equal to "true" maximises as well.
BookWindowPlan PlanBookWindow(const KVBTxtParser* Vars, const String& MoviePath, int ScreenWidth, int ScreenHeight);

}  // namespace host
