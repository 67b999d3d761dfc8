#include "framework/windows/Application.h"

#include <ole2.h>

#include <algorithm>
#include <cstdlib>

#include "framework/rtl/SysUtils.h"
#include "framework/rtl/Thread.h"
#include "framework/windows/DialogSeam.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Screen.h"

namespace fw {

TApplicationRef Application;

namespace {

TApplication*& applicationInstance() {
    static TApplication* instance = nullptr;
    return instance;
}

// The application frees its forms at exit. Exit handlers and the destructors
// of statics run in the reverse order they were made, so a handler made with
// the application runs after the tables made later (menu commands, popup
// menus, queued calls, the skinning library's lists) are gone, and forms
// would unhook from dead tables. The handler is made again when the message
// loop ends, so it runs before every table the program made while it ran.
void FreeApplication() {
    TApplication* app = applicationInstance();
    if (!app) return;
    app->Free();
    applicationInstance() = nullptr;
}

constexpr wchar_t kUtilWindowClass[] = L"TPUtilWindow";

// The method of a utility window lives on the heap; the window keeps a pointer.
LRESULT CALLBACK UtilWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!method || !*method) return DefWindowProcW(hwnd, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    ExceptionBarrier([&] { (*method)(message); });
    return message.Result;
}

void RegisterWindowClass(const wchar_t* name, WNDPROC proc) {
    WNDCLASSW wc{};
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoW(instance, name, &wc)) return;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
}

// Ctrl+F4, Ctrl+F6 and Ctrl+Tab act on the active MDI child while the MDI
// main form is the active form.
bool IsMDIMsg(TCustomForm* MainForm, MSG& Msg) {
    return MainForm && MainForm->FormStyle() == fsMDIForm && MainForm->ClientHandle() &&
           Screen->ActiveCustomForm() == MainForm && TranslateMDISysAccel(MainForm->ClientHandle(), &Msg);
}

}  // namespace

HWND AllocateHWnd(const TWndMethod& Method) {
    RegisterWindowClass(kUtilWindowClass, UtilWindowProc);
    HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, kUtilWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!wnd) throw EOutOfMemory(L"Cannot create a utility window");
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TWndMethod(Method)));
    return wnd;
}

void DeallocateHWnd(HWND Wnd) {
    if (!Wnd) return;
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrW(Wnd, GWLP_USERDATA));
    SetWindowLongPtrW(Wnd, GWLP_USERDATA, 0);
    DestroyWindow(Wnd);
    delete method;
}

// ---- the global

TApplication* TApplicationRef::get() const {
    TApplication*& instance = applicationInstance();
    if (!instance) {
        // The screen first: it must outlive the forms the application frees.
        Screen.get();
        instance = new TApplication(nullptr);
        std::atexit(FreeApplication);
    }
    return instance;
}

bool TApplicationRef::Exists() const { return applicationInstance() != nullptr; }

// ---- the application window

LRESULT CALLBACK ApplicationWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* app = reinterpret_cast<TApplication*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!app) return DefWindowProcW(hwnd, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    ExceptionBarrier([&] { app->WndProc(message); });
    return message.Result;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
    title_ = ChangeFileExt(ExtractFileName(ExeName()), String());

    RegisterWindowClass(L"TApplication", ApplicationWindowProc);
    // A top-level window that is never shown: it receives WM_ACTIVATEAPP,
    // the synchronize wake-up and whatever hooks are installed on it.
    handle_ = CreateWindowExW(0, L"TApplication", title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (handle_) SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    icon_.OnChange = TNotifyEvent(this, &TApplication::IconChanged);

    InstallWakeUp();
    SetBoundaryExceptionHandler([](const Exception& e) {
        if (Application.Exists()) Application->HandleException(nullptr, e);
    });
}

TApplication::~TApplication() {
    // Forms first, while the application window still exists.
    DestroyComponents();
    SetBoundaryExceptionHandler(nullptr);
    WakeMainThread = nullptr;
    if (handle_) {
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
        handle_ = nullptr;
    }
    if (oleInitialized_) OleUninitialize();
}

String TApplication::ExeName() const { return ParamStr(0); }

void TApplication::SetTitle(const String& Value) {
    title_ = Value;
    if (handle_) SetWindowTextW(handle_, title_.c_str());
}

void TApplication::SetIcon(const TIcon* Value) { icon_.Assign(Value); }

// Any change of the icon (SetIcon, Icon()->LoadFromFile...) reaches the window.
void TApplication::IconChanged(TObject*) {
    if (!handle_) return;
    SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Handle()));
    SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Handle()));
}

void TApplication::Initialize() {
    if (oleInitialized_) return;
    HRESULT hr = OleInitialize(nullptr);
    if (FAILED(hr)) throw EOleError(L"OLE initialisation failed (" + std::to_wstring(hr) + L")");
    oleInitialized_ = true;
}

void TApplication::FormCreated(TComponent* Instance) {
    auto* form = dynamic_cast<TCustomForm*>(Instance);
    if (!mainForm_ && form) {
        form->HandleNeeded();
        mainForm_ = form;
    }
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == mainForm_) mainForm_ = nullptr;
}

void TApplication::FormDestroying(TCustomForm* Form) {
    if (Form == mainForm_) mainForm_ = nullptr;
    released_.erase(std::remove(released_.begin(), released_.end(), Form), released_.end());
}

void TApplication::ReleaseForm(TCustomForm* Form) {
    if (std::find(released_.begin(), released_.end(), Form) != released_.end()) return;
    released_.push_back(Form);
    PostMessageW(handle_, CM_RELEASE, 0, reinterpret_cast<LPARAM>(Form));
}

// ---- the loop

bool TApplication::IsKeyMsg(MSG& Msg) {
    if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
    // The nearest window of ours gets first sight of the key (CN_KEYDOWN,
    // CN_CHAR...): dialog keys and shortcuts are decided there.
    HWND wnd = Msg.hwnd;
    while (wnd && !FindControl(wnd)) wnd = GetParent(wnd);
    if (!wnd) return false;
    return SendMessageW(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::ProcessMessage(MSG& Msg) {
    if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (Msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    HintMessage(Msg);
    bool handled = false;
    if (OnMessage) OnMessage(Msg, handled);
    if (!handled && !IsKeyMsg(Msg) && !IsMDIMsg(mainForm_, Msg)) {
        TranslateMessage(&Msg);
        DispatchMessageW(&Msg);
    }
    return true;
}

void TApplication::InstallWakeUp() {
    HWND wake = handle_;
    WakeMainThread = [wake] { PostMessageW(wake, WM_NULL, 0, 0); };
}

bool TApplication::Idle(const MSG&) {
    DoMouseIdle();
    HintMouseIdle();
    if (OnIdle) OnIdle(this);
    FreeDeviceContexts();
    // Work done here may have queued more: look again before sleeping.
    return !(GetCurrentThreadId() == MainThreadID && CheckSynchronize());
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) {
        // Sleep until a message comes; a queued synchronize call posts WM_NULL.
        if (Idle(msg) && !terminated_) {
            // Code that borrowed the wake-up hook and cleared it must not
            // leave this sleep without an alarm.
            if (!WakeMainThread) InstallWakeUp();
            WaitMessage();
        }
    }
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::Run() {
    if (mainForm_ && showMainForm_) {
        if (mainForm_->WindowState() == wsMinimized) {
            ShowWindow(handle_, SW_SHOWMINNOACTIVE);
        }
        mainForm_->SetVisible(true);
    }
    while (!terminated_) {
        HandleEventExceptions(this, [this] { HandleMessage(); });
    }
    std::atexit(FreeApplication);
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

// ---- the window

void TApplication::HookMainWindow(const TWindowHook& Hook) {
    if (std::find(hooks_.begin(), hooks_.end(), Hook) == hooks_.end()) hooks_.push_back(Hook);
}

void TApplication::UnhookMainWindow(const TWindowHook& Hook) {
    hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), Hook), hooks_.end());
}

void TApplication::SetActive(bool Value) {
    if (active_ == Value) return;
    active_ = Value;
    if (handle_) PostMessageW(handle_, Value ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
}

void TApplication::WndProc(TMessage& Message) {
    // Read before the hooks run, so a hook that re-formats on this message
    // (a date edit) sees the new settings.
    if (Message.Msg == WM_WININICHANGE && updateFormatSettings_) GetFormatSettings();
    // A hook may unhook itself (or others) while it runs: walk a copy.
    std::vector<TWindowHook> hooks = hooks_;
    for (const TWindowHook& hook : hooks) {
        if (std::find(hooks_.begin(), hooks_.end(), hook) == hooks_.end()) continue;
        if (hook(Message)) return;
    }
    auto defaultHandling = [&] {
        Message.Result = DefWindowProcW(handle_, Message.Msg, Message.WParam, Message.LParam);
    };
    switch (Message.Msg) {
        case WM_NULL:
            if (GetCurrentThreadId() == MainThreadID) CheckSynchronize();
            break;
        case WM_ACTIVATEAPP:
            defaultHandling();
            SetActive(Message.WParam != 0);
            break;
        case CM_RELEASE: {
            auto* form = reinterpret_cast<TCustomForm*>(Message.LParam);
            auto it = std::find(released_.begin(), released_.end(), form);
            if (it != released_.end()) {
                released_.erase(it);
                form->Free();
            }
            break;
        }
        case CM_ACTIVATE:
            if (OnActivate) OnActivate(this);
            break;
        case CM_DEACTIVATE:
            if (OnDeactivate) OnDeactivate(this);
            break;
        case WM_SYSCOMMAND:
            switch (Message.WParam & 0xFFF0) {
                case SC_MINIMIZE:
                    Minimize();
                    break;
                case SC_RESTORE:
                    Restore();
                    break;
                default:
                    defaultHandling();
                    break;
            }
            break;
        case WM_CLOSE:
            if (mainForm_) mainForm_->Close();
            break;
        case WM_ENDSESSION:
            if (Message.WParam) Terminate();
            break;
        default:
            defaultHandling();
            break;
    }
}

// The main form stands for the application on the task bar; the hidden
// application window is never shown, so without a main form there is
// nothing to minimise.
void TApplication::Minimize() {
    if (!mainForm_ || !mainForm_->HandleAllocated() || IsIconic(mainForm_->WindowHandle())) return;
    ShowWindow(mainForm_->WindowHandle(), SW_MINIMIZE);
    if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
    if (!mainForm_ || !mainForm_->HandleAllocated() || !IsIconic(mainForm_->WindowHandle())) return;
    ShowWindow(mainForm_->WindowHandle(), SW_RESTORE);
    if (OnRestore) OnRestore(this);
}

// ---- errors and boxes

void TApplication::ShowException(const Exception& E) {
    String text = E.Message;
    // The framework's error dialog ends the sentence.
    if (!text.empty() && text.back() > L'.') text += L'.';
    if (DialogSeam::Enabled()) {
        DialogSeam::Request request;
        request.kind = DialogSeam::Kind::ErrorDialog;
        request.Caption = title_;
        request.Text = text;
        request.Buttons = MB_OK | MB_ICONERROR;
        // Recorded only: an OK box takes no answer from the queue.
        DialogSeam::Record(request);
        return;
    }
    MessageBox(text, title_, MB_OK | MB_ICONERROR);
}

void TApplication::HandleException(TObject* Sender, const Exception& E) {
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    // The silent exception ends an operation without a dialog.
    if (dynamic_cast<const EAbort*>(&E)) return;
    if (OnException) {
        OnException(Sender, E);
    } else {
        ShowException(E);
    }
}

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
    if (DialogSeam::Enabled()) {
        DialogSeam::Request request;
        request.kind = DialogSeam::Kind::MessageBox;
        request.Caption = Caption;
        request.Text = Text;
        request.Buttons = Flags;
        DialogSeam::Record(request);
        int result = 0;
        if (DialogSeam::TakeResult(result)) return result;
        // Nothing queued: the first button of the group.
        switch (Flags & MB_TYPEMASK) {
            case MB_ABORTRETRYIGNORE:
                return IDABORT;
            case MB_YESNO:
            case MB_YESNOCANCEL:
                return IDYES;
            case MB_RETRYCANCEL:
                return IDRETRY;
            default:
                return IDOK;
        }
    }
    HWND owner = GetActiveWindow();
    if (!owner) owner = handle_;
    ModalStarted();
    int result = ::MessageBoxW(owner, Text.c_str(), Caption.c_str(), Flags);
    ModalFinished();
    return result;
}

}  // namespace fw
