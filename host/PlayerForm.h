// The viewer's main window: the Flash player control fills it and plays the
// book named on the command line, titled, sized and placed from the book's
// variable file, with the border the settings file gives.
#pragma once

#include "audio/DXAudioIn.h"
#include "audio/MP3Out.h"
#include "framework/windows/CommonDialogs.h"
#include "framework/windows/Forms.h"
#include "host/ScrapSave.h"
#include "host/ShockwaveFlash.h"
#include "skin/engine/sSkinManager.h"

namespace host {

using fw::String;
using fw::UnicodeString;

class KVBViewerControl;

class TPlayerForm : public fw::TForm {
public:
    // Builds the window and its components in their fixed order. Raises
    // EOleError when the player control cannot be created.
    explicit TPlayerForm(fw::TComponent* AOwner);
    ~TPlayerForm() override;
    String ClassName() const override { return L"TPlayerForm"; }

    // Components, in creation order.
    TShockwaveFlash* FlashPlayer = nullptr;
    fw::TSaveDialog* imgSaveDialog = nullptr;
    fw::TSaveDialog* fileSaveDialog = nullptr;
    fw::TOpenDialog* FileOpenDialog = nullptr;
    skin::TsSkinManager* sSkinManager1 = nullptr;
    acs::TDXAudioIn* DXAudioIn1 = nullptr;
    acs::TMP3Out* MP3Out1 = nullptr;

    // Event handlers.
    void FormCreate(fw::TObject* Sender);
    void FlashPlayerFSCommand(fw::TObject* Sender, const String& command, const String& args);
    void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);
    void FormShow(fw::TObject* Sender);
    void FormDestroy(fw::TObject* Sender);

    // Reads the settings and the book's variable file, then titles, sizes and
    // places the window and sets the movie.
    void LoadBook(const String& MoviePath);
    void SetTitle(const String& Title);

    // The movie the command line names (page option, absolute or relative
    // name, or the executable's own ".swf").
    static String FindMoviePath();

    // The movie last named by the movie's "MoveSkin" request.
    UnicodeString MoveSkinText;
    // The recorder control, owned; every pop-up window shares it.
    KVBViewerControl* Recorder = nullptr;
    // The page-capture accumulator of the movie's "scrapsave" requests.
    ScrapSave Scrap;
};

// The main form's skin: its single stored skin, a folder or packed file of
// that name in the skin directory taking its place.
constexpr const wchar_t* kViewerSkinName = L"Stillwater";
constexpr const wchar_t* kViewerSkinDirectory = L"C:\\Skins";

// The main window; set before its constructor runs.
extern TPlayerForm* PlayerForm;

}  // namespace host
