// Keeps a test desktop open between tests. Wine closes a virtual desktop a
// second after the last program using it quits, and the next test then starts
// the desktop's explorer again (seconds under an emulator). Asking for the
// desktop window makes Wine start that explorer now; "ready" on stdout tells
// scripts/test it is up; then this program waits until the server is stopped.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (!GetDesktopWindow()) return 1;
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "ready\n", 6, &written, nullptr);
    Sleep(INFINITE);
    return 0;
}
