// The application object: the hidden application window, the message loop,
// the forms it owns, and where exceptions from event handlers end up.
//
// `Application` is created on first use (never during static initialisation,
// so the threads unit's globals exist by then) and destroyed at exit.
#pragma once

#include <windows.h>

#include <exception>
#include <new>
#include <vector>

#include "framework/graphics/Icon.h"
#include "framework/rtl/Component.h"
#include "framework/rtl/Method.h"
#include "framework/rtl/Types.h"
#include "framework/windows/Messages.h"

namespace fw {

class TCustomForm;
class THintWindow;
class THintTracker;

// A hook on the application window: true means "handled", the window's own
// handling and later hooks are skipped.
using TWindowHook = Method<bool(TMessage& Message)>;
using TMessageEvent = Method<void(MSG& Msg, bool& Handled)>;
using TExceptionEvent = Method<void(TObject* Sender, const Exception& E)>;

// A hidden window of class "TPUtilWindow" whose messages go to Method
// (timers, menus). Messages the method leaves Result 0 for are not passed on:
// it calls DefWindowProc itself when it wants the default.
HWND AllocateHWnd(const TWndMethod& Method);
void DeallocateHWnd(HWND Wnd);

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;
    String ClassName() const override { return L"TApplication"; }

    // Full path of the program (GetModuleFileNameW).
    String ExeName() const;
    // Caption of the message dialogs; the program's file name without extension by default.
    const String& Title() const { return title_; }
    void SetTitle(const String& Value);
    // The program icon, sent to the application window (WM_SETICON).
    TIcon* Icon() { return &icon_; }
    void SetIcon(const TIcon* Value);

    // OLE for the calling (GUI) thread, single-threaded apartment. Raises
    // EOleError when another apartment model was already chosen.
    void Initialize();
    bool MainFormOnTaskBar() const { return mainFormOnTaskBar_; }
    void SetMainFormOnTaskBar(bool Value) { mainFormOnTaskBar_ = Value; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool Value) { showMainForm_ = Value; }
    // Whether a change of the system's regional settings (WM_WININICHANGE)
    // reads FormatSettings again; on by default.
    bool UpdateFormatSettings() const { return updateFormatSettings_; }
    void SetUpdateFormatSettings(bool Value) { updateFormatSettings_ = Value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool Value) {
        showHint_ = Value;
        if (!Value) CancelHint();
    }
    // Hint timing in ms (HintWindow.h says how hints come and go).
    int HintPause() const { return hintPause_; }
    void SetHintPause(int Value) { hintPause_ = Value; }
    int HintShortPause() const { return hintShortPause_; }
    void SetHintShortPause(int Value) { hintShortPause_ = Value; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int Value) { hintHidePause_ = Value; }
    // Shows at once the hint of the control at CursorPos (screen), if it has one.
    void ActivateHint(const TPoint& CursorPos);
    void CancelHint();
    // The window hints are shown in, made on first use.
    THintWindow* HintWindow();

    TCustomForm* MainForm() const { return mainForm_; }

    // Creates a form owned by the application. Reference is set before the
    // form's constructor runs, so the form's own code (and OnCreate) can
    // already reach it through the global. The first form becomes MainForm.
    template <typename T>
    void CreateForm(T*& Reference) {
        void* memory = ::operator new(sizeof(T));
        Reference = static_cast<T*>(memory);
        T* instance = nullptr;
        try {
            instance = new (memory) T(this);
        } catch (...) {
            Reference = nullptr;
            ::operator delete(memory);
            throw;
        }
        try {
            instance->AfterConstruction();
        } catch (...) {
            Reference = nullptr;
            delete instance;
            throw;
        }
        FormCreated(instance);
    }

    // Shows the main form and runs the loop until Terminate (closing the
    // main form terminates).
    void Run();
    // Handles every waiting message, then returns.
    void ProcessMessages();
    // Handles one message, or runs the idle step and waits for one.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // The hidden application window.
    HWND Handle() const { return handle_; }
    void HookMainWindow(const TWindowHook& Hook);
    void UnhookMainWindow(const TWindowHook& Hook);

    // True between WM_ACTIVATEAPP(TRUE) and WM_ACTIVATEAPP(FALSE).
    bool Active() const { return active_; }

    // The error dialog for E (MB_ICONERROR, OK, E.Message).
    void ShowException(const Exception& E);
    // OnException when assigned, else ShowException. Application's boundary
    // exception handler (ExceptionBarrier) comes here.
    void HandleException(TObject* Sender, const Exception& E);
    // MessageBoxW owned by the active window (else the application window).
    int MessageBox(const String& Text, const String& Caption, UINT Flags = MB_OK);

    void Minimize();
    void Restore();

    // Counts nested modal loops (ShowModal, message boxes).
    void ModalStarted() { ++modalLevel_; }
    void ModalFinished() { --modalLevel_; }
    int ModalLevel() const { return modalLevel_; }

    TMessageEvent OnMessage;
    TNotifyEvent OnIdle;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TExceptionEvent OnException;

    // Called by the forms: activation, deferred destruction (Release posts
    // CM_RELEASE to the application window, which frees the form unless it
    // was destroyed meanwhile), main-form bookkeeping.
    void SetActive(bool Value);
    void ReleaseForm(TCustomForm* Form);
    void FormDestroying(TCustomForm* Form);

protected:
    virtual void WndProc(TMessage& Message);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend LRESULT CALLBACK ApplicationWindowProc(HWND, UINT, WPARAM, LPARAM);
    void FormCreated(TComponent* Instance);
    bool ProcessMessage(MSG& Msg);
    bool Idle(const MSG& Msg);  // false: work was done, do not sleep
    bool IsKeyMsg(MSG& Msg);
    void IconChanged(TObject* Sender);
    void InstallWakeUp();
    // Hint tracking (HintWindow.cpp): on idle, and for each message taken from the queue.
    THintTracker* HintTracker();
    void HintMouseIdle();
    void HintMessage(const MSG& Msg);

    HWND handle_ = nullptr;
    String title_;
    TIcon icon_;
    bool mainFormOnTaskBar_ = false;
    bool showMainForm_ = true;
    bool showHint_ = true;
    bool updateFormatSettings_ = true;
    bool terminated_ = false;
    bool active_ = false;
    bool oleInitialized_ = false;
    int modalLevel_ = 0;
    TCustomForm* mainForm_ = nullptr;
    std::vector<TWindowHook> hooks_;
    std::vector<TCustomForm*> released_;
    int hintPause_ = 500;
    int hintShortPause_ = 50;
    int hintHidePause_ = 2500;
    THintTracker* hintTracker_ = nullptr;  // owned as a component
};

// The application object, made on first use. Reads like a pointer:
// Application->Run(), new TForm(Application).
class TApplicationRef {
public:
    constexpr TApplicationRef() = default;
    TApplication* get() const;
    TApplication* operator->() const { return get(); }
    TApplication& operator*() const { return *get(); }
    operator TApplication*() const { return get(); }
    // Whether it exists yet (without making it).
    bool Exists() const;
};
extern TApplicationRef Application;

// Runs an event handler (or one turn of a loop): an exception it raises goes
// to Application->HandleException with Sender, and the caller goes on.
template <typename F>
void HandleEventExceptions(TObject* Sender, F&& fn) {
    try {
        fn();
    } catch (const Exception& e) {
        Application->HandleException(Sender, e);
    } catch (const std::exception& e) {
        Application->HandleException(Sender, Exception(FromAnsi(e.what())));
    }
}

}  // namespace fw
