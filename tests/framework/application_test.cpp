// The application object: its hidden window and hooks, the loop, activation,
// the synchronize wake-up and where exceptions from handlers go.
#include "framework/windows/Application.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <atomic>
#include <functional>
#include <vector>

#include "app_fixture.h"
#include "framework/rtl/Thread.h"
#include "framework/windows/DialogSeam.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"
#include "framework/windows/Timer.h"

using namespace fw;
using namespace fwtest;

namespace {

String WindowClassOf(HWND wnd) {
    wchar_t name[256] = {};
    GetClassNameW(wnd, name, 256);
    return name;
}

// Records the messages a hook sees; answers "handled" for one of them.
struct HookRecorder {
    std::vector<UINT> seen;
    UINT swallow = 0xFFFFFFFF;  // none
    bool Hook(TMessage& Message) {
        seen.push_back(Message.Msg);
        if (Message.Msg == swallow) {
            Message.Result = 42;
            return true;
        }
        return false;
    }
};

class Thrower : public TObject {
public:
    int calls = 0;
    void Throw(TObject*) {
        ++calls;
        throw EConvertError(L"'abc' is not a valid integer value");
    }
};

}  // namespace

TEST(Application, HiddenWindowNamesAndTitle) {
    HWND wnd = Application->Handle();
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(WindowClassOf(wnd), L"TApplication");
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_EQ(Application->ClassName(), L"TApplication");

    String exe = Application->ExeName();
    ASSERT_GT(exe.size(), 4u);
    EXPECT_EQ(exe.substr(exe.size() - 4), L".exe");
    EXPECT_NE(exe.find(L'\\'), String::npos);
    // The default title is the program's name without folder and extension.
    EXPECT_NE(exe.find(Application->Title() + L".exe"), String::npos);
    EXPECT_EQ(exe.find(L"\\" + Application->Title() + L".exe"), exe.size() - Application->Title().size() - 5);
}

TEST(Application, IconGoesToTheApplicationWindow) {
    TIcon icon;
    icon.SetHandle(CopyIcon(LoadIconW(nullptr, IDI_INFORMATION)));
    Application->SetIcon(&icon);
    ASSERT_FALSE(Application->Icon()->Empty());
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(Application->Handle(), WM_GETICON, ICON_BIG, 0)),
              Application->Icon()->Handle());
    // Changed in place (as a program loading its icon file does): the window follows.
    Application->Icon()->SetHandle(CopyIcon(LoadIconW(nullptr, IDI_WARNING)));
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(Application->Handle(), WM_GETICON, ICON_SMALL, 0)),
              Application->Icon()->Handle());
    Application->SetTitle(L"전자책");
    wchar_t text[32] = {};
    GetWindowTextW(Application->Handle(), text, 32);
    EXPECT_STREQ(text, L"전자책");
}

TEST(Application, HooksRunBeforeTheWindowInOrderAndCanHandleAMessage) {
    HookRecorder first, second;
    second.swallow = WM_USER + 7;
    TWindowHook a(&first, &HookRecorder::Hook), b(&second, &HookRecorder::Hook);
    Application->HookMainWindow(a);
    Application->HookMainWindow(b);
    Application->HookMainWindow(a);  // once only

    EXPECT_EQ(SendMessageW(Application->Handle(), WM_USER + 7, 0, 0), 42);
    EXPECT_EQ(first.seen, std::vector<UINT>{WM_USER + 7});
    EXPECT_EQ(second.seen, std::vector<UINT>{WM_USER + 7});

    // Unhooked, the window's own handling answers again (DefWindowProc: 0).
    Application->UnhookMainWindow(b);
    EXPECT_EQ(SendMessageW(Application->Handle(), WM_USER + 7, 0, 0), 0);
    EXPECT_EQ(second.seen.size(), 1u);
    EXPECT_EQ(first.seen.size(), 2u);
    Application->UnhookMainWindow(a);
    SendMessageW(Application->Handle(), WM_USER + 7, 0, 0);
    EXPECT_EQ(first.seen.size(), 2u);
}

TEST(Application, HookMayUnhookItselfWhileRunning) {
    struct SelfRemoving {
        int calls = 0;
        TWindowHook self;
        bool Hook(TMessage&) {
            ++calls;
            Application->UnhookMainWindow(self);
            return false;
        }
    } hook;
    HookRecorder later;
    hook.self = TWindowHook(&hook, &SelfRemoving::Hook);
    TWindowHook l(&later, &HookRecorder::Hook);
    Application->HookMainWindow(hook.self);
    Application->HookMainWindow(l);
    SendMessageW(Application->Handle(), WM_USER + 1, 0, 0);
    SendMessageW(Application->Handle(), WM_USER + 1, 0, 0);
    EXPECT_EQ(hook.calls, 1);
    EXPECT_EQ(later.seen.size(), 2u);
    Application->UnhookMainWindow(l);
}

TEST(Application, ActivationSendsCmActivateOnceAndDeactivation) {
    HookRecorder rec;
    TWindowHook h(&rec, &HookRecorder::Hook);
    Application->HookMainWindow(h);
    struct Events {
        int activated = 0, deactivated = 0;
        void Activate(TObject*) { ++activated; }
        void Deactivate(TObject*) { ++deactivated; }
    } events;
    Application->OnActivate = TNotifyEvent(&events, &Events::Activate);
    Application->OnDeactivate = TNotifyEvent(&events, &Events::Deactivate);

    auto count = [&](UINT msg) { return std::count(rec.seen.begin(), rec.seen.end(), msg); };
    SendMessageW(Application->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    Application->ProcessMessages();
    rec.seen.clear();
    events = {};
    Application->OnActivate = TNotifyEvent(&events, &Events::Activate);
    Application->OnDeactivate = TNotifyEvent(&events, &Events::Deactivate);

    SendMessageW(Application->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    SendMessageW(Application->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    ASSERT_TRUE(ProcessMessagesUntil([&] { return count(CM_ACTIVATE) > 0; }));
    Application->ProcessMessages();
    EXPECT_EQ(CM_ACTIVATE, 0xB000u);
    EXPECT_EQ(count(CM_ACTIVATE), 1);
    EXPECT_EQ(events.activated, 1);
    EXPECT_TRUE(Application->Active());

    SendMessageW(Application->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    ASSERT_TRUE(ProcessMessagesUntil([&] { return count(CM_DEACTIVATE) > 0; }));
    EXPECT_EQ(events.deactivated, 1);
    EXPECT_FALSE(Application->Active());
    Application->UnhookMainWindow(h);
    Application->OnActivate.Clear();
    Application->OnDeactivate.Clear();
}

TEST(Application, SynchronizeWakesTheLoopThroughTheApplicationWindow) {
    HookRecorder rec;
    TWindowHook h(&rec, &HookRecorder::Hook);
    Application->HookMainWindow(h);
    std::atomic<bool> ran{false};
    std::atomic<DWORD> ranOn{0};
    struct Worker : TThread {
        std::atomic<bool>& ran;
        std::atomic<DWORD>& ranOn;
        Worker(std::atomic<bool>& r, std::atomic<DWORD>& o) : TThread(true), ran(r), ranOn(o) {}
        void Execute() override {
            Synchronize([this] {
                ranOn = GetCurrentThreadId();
                ran = true;
            });
        }
    } worker(ran, ranOn);
    worker.Start();
    // HandleMessage sleeps in WaitMessage: only the posted WM_NULL wakes it.
    for (int i = 0; i < 200 && !ran; ++i) Application->HandleMessage();
    worker.WaitFor();
    EXPECT_TRUE(ran);
    EXPECT_EQ(ranOn, GetCurrentThreadId());
    // The wake-up went to the application window (it may arrive after the
    // idle step already ran the call).
    Application->ProcessMessages();
    EXPECT_NE(std::find(rec.seen.begin(), rec.seen.end(), UINT(WM_NULL)), rec.seen.end());
    Application->UnhookMainWindow(h);
}

TEST(Application, IdleStepDoesNotSleepAfterRunningQueuedCalls) {
    // With the wake-up message taken away, only the idle step runs the calls.
    // It must look for more work instead of sleeping after running one: the
    // worker's second call would otherwise wait for an unrelated message
    // (here the watchdog's, three seconds later).
    struct Swallow {
        bool Hook(TMessage& m) { return m.Msg == WM_NULL; }
    } swallow;
    TWindowHook h(&swallow, &Swallow::Hook);
    Application->HookMainWindow(h);
    std::atomic<int> ran{0};
    std::atomic<bool> watchdogFired{false};
    struct Worker : TThread {
        std::atomic<int>& ran;
        explicit Worker(std::atomic<int>& r) : TThread(true), ran(r) {}
        void Execute() override {
            Synchronize([this] { ++ran; });
            Synchronize([this] { ++ran; });
        }
    } worker(ran);
    struct Watchdog : TThread {
        std::atomic<bool>& fired;
        std::atomic<int>& ran;
        Watchdog(std::atomic<bool>& f, std::atomic<int>& r) : TThread(true), fired(f), ran(r) {}
        void Execute() override {
            for (int i = 0; i < 300 && ran < 2; ++i) Sleep(10);
            if (ran < 2) fired = true;
            PostMessageW(Application->Handle(), WM_USER + 99, 0, 0);
        }
    } watchdog(watchdogFired, ran);
    worker.Start();
    watchdog.Start();
    while (ran < 2) Application->HandleMessage();
    EXPECT_FALSE(watchdogFired);
    worker.WaitFor();
    watchdog.WaitFor();
    Application->UnhookMainWindow(h);
}

TEST(Application, ExceptionInEventHandlerReachesErrorDialogAndLoopGoesOn) {
    DialogSeam::Scope seam;
    TForm* form = Create<TForm>(Application);
    auto* button = new TButton(form);
    button->SetParent(form);
    Thrower thrower;
    button->OnClick = TNotifyEvent(&thrower, &Thrower::Throw);
    form->Show();

    // The click runs inside the button's window procedure: the barrier there
    // hands the exception to the application, which shows the error dialog.
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(thrower.calls, 1);
    ASSERT_EQ(DialogSeam::Log().size(), 1u);
    const DialogSeam::Request& r = DialogSeam::Log()[0];
    EXPECT_EQ(r.kind, DialogSeam::Kind::ErrorDialog);
    EXPECT_EQ(r.Text, L"'abc' is not a valid integer value.");
    EXPECT_EQ(r.Caption, Application->Title());
    EXPECT_EQ(r.Buttons, UINT(MB_OK | MB_ICONERROR));

    // The loop goes on: a posted click is handled and fails the same way again.
    PostMessageW(button->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(ProcessMessagesUntil([&] { return thrower.calls == 2; }));
    EXPECT_EQ(DialogSeam::Log().size(), 2u);
    form->Free();
}

TEST(Application, ErrorDialogLeavesQueuedAnswersForTheDialogsThatNeedThem) {
    DialogSeam::Scope seam;
    DialogSeam::Push(IDNO);
    Application->ShowException(Exception(L"Cannot open the skin file."));
    EXPECT_EQ(Application->MessageBox(L"Retry?", L"Skin", MB_YESNO), IDNO);
    ASSERT_EQ(DialogSeam::Log().size(), 2u);
    EXPECT_EQ(DialogSeam::Log()[0].Text, L"Cannot open the skin file.");  // already ends the sentence
}

TEST(Application, OnExceptionReplacesTheDialog) {
    DialogSeam::Scope seam;
    struct Catcher {
        String message;
        TObject* sender = nullptr;
        void On(TObject* Sender, const Exception& E) {
            sender = Sender;
            message = E.Message;
        }
    } catcher;
    Application->OnException = TExceptionEvent(&catcher, &Catcher::On);
    Application->HandleException(Application, EConvertError(L"bad"));
    Application->OnException.Clear();
    EXPECT_EQ(catcher.message, L"bad");
    EXPECT_EQ(catcher.sender, static_cast<TObject*>(Application));
    EXPECT_TRUE(DialogSeam::Log().empty());
}

TEST(Application, OnMessageSeesPostedMessagesAndCanSwallowThem) {
    HookRecorder rec;
    TWindowHook h(&rec, &HookRecorder::Hook);
    Application->HookMainWindow(h);
    struct Filter {
        int seen = 0;
        void On(MSG& Msg, bool& Handled) {
            if (Msg.message == WM_USER + 20) {
                ++seen;
                Handled = true;
            }
        }
    } filter;
    Application->OnMessage = TMessageEvent(&filter, &Filter::On);
    PostMessageW(Application->Handle(), WM_USER + 20, 0, 0);
    PostMessageW(Application->Handle(), WM_USER + 21, 0, 0);
    ASSERT_TRUE(
        ProcessMessagesUntil([&] { return std::count(rec.seen.begin(), rec.seen.end(), UINT(WM_USER + 21)) > 0; }));
    Application->OnMessage.Clear();
    Application->UnhookMainWindow(h);
    EXPECT_EQ(filter.seen, 1);
    EXPECT_EQ(std::count(rec.seen.begin(), rec.seen.end(), UINT(WM_USER + 20)), 0);
}

TEST(Application, MessageBoxAnswersFromTheSeam) {
    DialogSeam::Scope seam;
    DialogSeam::Push(IDNO);
    EXPECT_EQ(Application->MessageBox(L"Delete?", L"Question", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(Application->MessageBox(L"Again?", L"Question", MB_YESNO), IDYES);  // nothing queued: first button
    ASSERT_EQ(DialogSeam::Log().size(), 2u);
    EXPECT_EQ(DialogSeam::Log()[0].kind, DialogSeam::Kind::MessageBox);
    EXPECT_EQ(DialogSeam::Log()[0].Text, L"Delete?");
    EXPECT_EQ(DialogSeam::Log()[0].Caption, L"Question");
    EXPECT_EQ(DialogSeam::Log()[0].Buttons, UINT(MB_YESNO | MB_ICONQUESTION));
}

namespace {
// Presses a button of the first standard dialog ("#32770") of this thread.
struct DialogPresser {
    int button = IDOK;
    HWND found = nullptr;
    String text;
    static BOOL CALLBACK Find(HWND wnd, LPARAM self) {
        auto* p = reinterpret_cast<DialogPresser*>(self);
        if (WindowClassOf(wnd) == L"#32770" && IsWindowVisible(wnd)) {
            p->found = wnd;
            return FALSE;
        }
        return TRUE;
    }
    void Tick(TObject* Sender) {
        EnumThreadWindows(GetCurrentThreadId(), &DialogPresser::Find, reinterpret_cast<LPARAM>(this));
        if (!found) return;
        static_cast<TTimer*>(Sender)->SetEnabled(false);
        wchar_t buffer[256] = {};
        GetDlgItemTextW(found, 0xFFFF, buffer, 256);
        text = buffer;
        PostMessageW(found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    }
};
}  // namespace

TEST(Application, RealMessageBoxIsOwnedAndAnswered) {
    DialogPresser presser;
    presser.button = IDNO;
    TTimer timer(nullptr);
    timer.SetInterval(50);
    timer.OnTimer = TNotifyEvent(&presser, &DialogPresser::Tick);
    int result = Application->MessageBox(L"Save the note?", L"Notes", MB_YESNO);
    EXPECT_EQ(result, IDNO);
    EXPECT_EQ(presser.text, L"Save the note?");
}

TEST(Application, InitializeEntersASingleThreadedApartment) {
    Application->Initialize();
    // The thread is in an STA now: asking for the multithreaded one fails.
    HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    EXPECT_EQ(hr, RPC_E_CHANGED_MODE);
    if (SUCCEEDED(hr)) CoUninitialize();
    Application->Initialize();  // a second call is harmless
}

namespace {
class MainForm;
MainForm* TheMainForm = nullptr;
bool ReferenceSetInOnCreate = false;

class MainForm : public TForm {
public:
    explicit MainForm(TComponent* AOwner) : TForm(AOwner) {
        // The global already points at this form while it is being built.
        constructedAsGlobal = TheMainForm == this;
        OnCreate = TNotifyEvent(this, &MainForm::FormCreate);
    }
    String ClassName() const override { return L"TMainForm"; }
    bool constructedAsGlobal = false;
    void FormCreate(TObject*) { ReferenceSetInOnCreate = TheMainForm == this; }
};

struct Closer {
    void Tick(TObject* Sender) {
        static_cast<TTimer*>(Sender)->SetEnabled(false);
        PostMessageW(TheMainForm->Handle(), WM_CLOSE, 0, 0);
    }
};
}  // namespace

TEST(Application, CreateFormSetsTheGlobalFirstAndRunEndsWhenTheMainFormCloses) {
    Application->SetMainFormOnTaskBar(true);
    Application->CreateForm(TheMainForm);
    ASSERT_NE(TheMainForm, nullptr);
    EXPECT_TRUE(TheMainForm->constructedAsGlobal);
    EXPECT_TRUE(ReferenceSetInOnCreate);
    EXPECT_EQ(Application->MainForm(), TheMainForm);
    EXPECT_EQ(TheMainForm->Owner(), static_cast<TComponent*>(Application));
    // On the task bar: unowned, with a task-bar button.
    EXPECT_EQ(GetWindow(TheMainForm->Handle(), GW_OWNER), nullptr);
    EXPECT_TRUE(GetWindowLongW(TheMainForm->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);

    TForm* second = nullptr;
    Application->CreateForm(second);
    EXPECT_EQ(Application->MainForm(), TheMainForm);
    EXPECT_EQ(GetWindow(second->Handle(), GW_OWNER), TheMainForm->Handle());

    Closer closer;
    TTimer timer(nullptr);
    timer.SetInterval(50);
    timer.OnTimer = TNotifyEvent(&closer, &Closer::Tick);
    // Minimize and Restore act on the main form.
    TheMainForm->Show();
    Application->Minimize();
    EXPECT_TRUE(IsIconic(TheMainForm->Handle()));
    EXPECT_FALSE(IsWindowVisible(Application->Handle()));
    Application->Restore();
    EXPECT_FALSE(IsIconic(TheMainForm->Handle()));

    Application->Run();  // returns once the main form is closed
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(IsWindow(TheMainForm->Handle()));  // destroyed with the application, not now
}
