// The viewer's entry point: make sure the Flash player control is there
// (installing it from the installer carried at the end of this program when
// it is missing or too old), then the icon, the application and the main
// window, and the message loop.
#include <windows.h>

#include "framework/windows/Application.h"
#include "host/AppIcon.h"
#include "host/FlashCheck.h"
#include "host/FlashInstaller.h"
#include "host/PlayerForm.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Neither step raises: a failed check or install leaves the player
    // control's creation to report the problem.
    if (!host::FlashControlInstalled()) host::InstallFlashPlayer();

    try {
        host::SetApplicationIcon();
        fw::Application->Initialize();
        fw::Application->SetMainFormOnTaskBar(true);
        fw::Application->CreateForm(host::PlayerForm);
        fw::Application->Run();
    } catch (const fw::Exception& e) {
        fw::Application->ShowException(e);
    } catch (...) {
        fw::Application->ShowException(fw::Exception(L""));
    }
    return 0;
}
