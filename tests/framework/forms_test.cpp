// Forms under Wine and Xvfb: the border table on live windows, window state
// with kept restored bounds, positioning, closing with caFree from the form's
// own handler, and the modal loop.
#include "framework/windows/Forms.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <vector>

#include "app_fixture.h"
#include "control_fixture.h"
#include "framework/rtl/Thread.h"
#include "framework/windows/Application.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Screen.h"
#include "framework/windows/StdCtrls.h"
#include "framework/windows/Timer.h"

using namespace fw;
using namespace fwtest;

namespace {

TRect WindowRect(HWND wnd) {
    RECT r;
    GetWindowRect(wnd, &r);
    return TRect(r);
}

// Runs fn from a timer tick once the modal loop is running.
struct Later {
    std::function<void()> fn;
    TTimer timer{nullptr};
    explicit Later(std::function<void()> f, unsigned ms = 50) : fn(std::move(f)) {
        timer.SetInterval(ms);
        timer.OnTimer = TNotifyEvent(this, &Later::Tick);
    }
    void Tick(TObject*) {
        timer.SetEnabled(false);
        fn();
    }
};

}  // namespace

// ---- the border table

TEST(Forms, BorderTable) {
    const TBorderIcons all{biSystemMenu, biMinimize, biMaximize, biHelp};
    struct Case {
        TFormBorderStyle border;
        TBorderIcons icons;
        DWORD style;
        DWORD exStyle;
    } cases[] = {
        {bsNone, all, WS_POPUP, 0},
        {bsSingle,
         {biSystemMenu, biMinimize, biMaximize},
         WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
         0},
        {bsSizeable, {biSystemMenu, biMinimize}, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX, 0},
        {bsSizeable, {}, WS_CAPTION | WS_THICKFRAME, 0},
        {bsDialog, all, WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_SYSMENU,
         WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTEXTHELP},
        {bsToolWindow, all, WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW},
        {bsSizeToolWin, {biMinimize}, WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW},
        // Help only shows where neither box does.
        {bsSingle, {biSystemMenu, biHelp}, WS_CAPTION | WS_SYSMENU, WS_EX_CONTEXTHELP},
        {bsSingle, {biSystemMenu, biHelp, biMinimize}, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0},
    };
    for (const Case& c : cases) {
        TFormFrameStyle f = FormFrameStyle(c.border, c.icons);
        EXPECT_EQ(f.Style, c.style) << "border " << c.border << " icons " << c.icons.Bits();
        EXPECT_EQ(f.ExStyle, c.exStyle) << "border " << c.border << " icons " << c.icons.Bits();
        EXPECT_EQ(f.Style & ~kFormFrameStyleMask, 0u);
        EXPECT_EQ(f.ExStyle & ~kFormFrameExStyleMask, 0u);
    }
}

TEST(Forms, LiveBorderChangeKeepsTheWindowAndItsChildren) {
    FormPtr<TForm> form(Create<TForm>(Application));
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 50, 50);
    form->SetBounds(100, 100, 300, 200);
    form->Show();
    HWND wnd = form->Handle();
    HWND child = panel->Handle();
    ASSERT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & kFormFrameStyleMask,
              FormFrameStyle(bsSizeable, {biSystemMenu, biMinimize, biMaximize}).Style);

    for (TFormBorderStyle border : {bsNone, bsDialog, bsSizeToolWin, bsSingle}) {
        form->SetBorderStyle(border);
        TFormFrameStyle expected = FormFrameStyle(border, form->BorderIcons());
        EXPECT_EQ(form->WindowHandle(), wnd) << "border " << border;
        EXPECT_EQ(panel->WindowHandle(), child);
        EXPECT_EQ(DWORD(GetWindowLongW(wnd, GWL_STYLE)) & kFormFrameStyleMask, expected.Style) << border;
        // The system adds WS_EX_WINDOWEDGE to every captioned or sizing frame by itself.
        EXPECT_EQ(DWORD(GetWindowLongW(wnd, GWL_EXSTYLE)) & kFormFrameExStyleMask & ~WS_EX_WINDOWEDGE,
                  expected.ExStyle & ~WS_EX_WINDOWEDGE)
            << border;
        EXPECT_TRUE(IsWindowVisible(wnd));
        EXPECT_TRUE(GetWindowLongW(wnd, GWL_STYLE) & WS_CLIPCHILDREN);
    }
    // The client area follows the frame: no caption for bsNone.
    form->SetBorderStyle(bsNone);
    RECT client;
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);

    form->SetBorderIcons({biSystemMenu});
    form->SetBorderStyle(bsSingle);
    EXPECT_EQ(DWORD(GetWindowLongW(wnd, GWL_STYLE)) & kFormFrameStyleMask, DWORD(WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(form->WindowHandle(), wnd);
}

TEST(Forms, ClientSizeBeforeAndAfterTheWindow) {
    FormPtr<TForm> form(Create<TForm>(Application));
    form->SetBorderIcons({biSystemMenu, biMinimize});
    form->SetClientWidth(369);
    form->SetClientHeight(83);
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_EQ(form->ClientWidth(), 369);
    EXPECT_EQ(form->ClientHeight(), 83);
    EXPECT_GT(form->Width(), 369);
    form->Show();
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 369);
    EXPECT_EQ(client.bottom, 83);
    form->SetClientWidth(200);
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(form->ClientWidth(), 200);
}

TEST(Forms, BorderWidthLiesInsideTheFrameAndMonitorIsTheOneHoldingTheForm) {
    FormPtr<TForm> form(Create<TForm>(Application));
    form->SetBorderStyle(bsSingle);
    form->SetColor(clLime);
    form->SetBorderWidth(8);
    form->SetClientWidth(200);
    form->SetClientHeight(100);
    DWORD pid = GetCurrentProcessId();
    form->SetLeft(40 + int(pid * 37 % 300));
    form->SetTop(40 + int(pid * 53 % 200));
    auto* panel = new TPanel(form.get());
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clBlue);
    panel->SetAlign(alClient);
    panel->SetParent(form.get());
    EXPECT_EQ(form->ClientWidth(), 200);
    EXPECT_EQ(form->ClientHeight(), 100);

    // Without a window: the monitor of the bounds, and still no window.
    TMonitor* before = form->Monitor();
    ASSERT_NE(before, nullptr);
    EXPECT_FALSE(form->HandleAllocated());
    RECT bounds = form->BoundsRect();
    EXPECT_EQ(before->Handle(), MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST));

    form->Show();
    HWND wnd = form->Handle();
    SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RECT client, window;
    GetClientRect(wnd, &client);
    EXPECT_EQ(TRect(client), TRect(0, 0, 200, 100));
    EXPECT_EQ(panel->BoundsRect(), TRect(0, 0, 200, 100));
    // The system's frame for these styles, then the border inside it.
    RECT frame{0, 0, 200, 100};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongW(wnd, GWL_STYLE)), FALSE, DWORD(GetWindowLongW(wnd, GWL_EXSTYLE)));
    GetWindowRect(wnd, &window);
    EXPECT_EQ(window.right - window.left, frame.right - frame.left + 16);
    EXPECT_EQ(window.bottom - window.top, frame.bottom - frame.top + 16);
    POINT origin{0, 0};
    ClientToScreen(wnd, &origin);
    const int cx = origin.x - window.left, cy = origin.y - window.top;
    EXPECT_EQ(cx, -frame.left + 8);
    EXPECT_EQ(cy, -frame.top + 8);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Capture cap = CaptureWindow(wnd);
    EXPECT_EQ(cap.At(cx - 4, cy + 50), Rgb(clLime));
    EXPECT_EQ(cap.At(cx + 100, cy - 4), Rgb(clLime));
    EXPECT_EQ(cap.At(cx + 203, cy + 103), Rgb(clLime));
    EXPECT_EQ(cap.At(cx + 100, cy + 50), Rgb(clBlue));

    // With the window: the system's monitor of it, one object for one monitor.
    TMonitor* monitor = form->Monitor();
    HMONITOR handle = MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST);
    EXPECT_EQ(monitor->Handle(), handle);
    EXPECT_EQ(form->Monitor(), monitor);
    EXPECT_EQ(monitor == before, handle == before->Handle());
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoW(handle, &info));
    EXPECT_EQ(monitor->WorkareaRect(), TRect(info.rcWork));
    EXPECT_EQ(monitor->BoundsRect(), TRect(info.rcMonitor));
    EXPECT_EQ(monitor->Primary(), (info.dwFlags & MONITORINFOF_PRIMARY) != 0);
    // Off every monitor: none, or the primary one when asked.
    const TRect nowhere(-30000, -30000, -29990, -29990);
    EXPECT_EQ(Screen->MonitorFromRect(nowhere, mdNull), nullptr);
    EXPECT_TRUE(Screen->MonitorFromRect(nowhere, mdPrimary)->Primary());
}

// ---- window state

TEST(Forms, MaximisedBeforeShowKeepsTheBoundsSetAfterwardsAsRestoredBounds) {
    FormPtr<TForm> form(Create<TForm>(Application));
    form->SetWindowState(wsMaximized);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    form->SetBounds(100, 80, 300, 200);  // as a FormCreate does after the resource said wsMaximized
    form->Show();
    HWND wnd = form->Handle();
    ASSERT_TRUE(IsZoomed(wnd));
    EXPECT_EQ(form->WindowState(), wsMaximized);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(wnd, &wp);
    EXPECT_EQ(TRect(wp.rcNormalPosition), Bounds(100, 80, 300, 200));

    // New bounds while maximised: it stays maximised and restores to them.
    form->SetBounds(50, 60, 320, 240);
    EXPECT_TRUE(IsZoomed(wnd));
    form->SetWindowState(wsNormal);
    EXPECT_FALSE(IsZoomed(wnd));
    EXPECT_EQ(WindowRect(wnd), Bounds(50, 60, 320, 240));
    EXPECT_EQ(form->BoundsRect(), Bounds(50, 60, 320, 240));

    form->SetWindowState(wsMaximized);
    EXPECT_TRUE(IsZoomed(wnd));
    form->SetWindowState(wsMinimized);
    EXPECT_TRUE(IsIconic(wnd));
    EXPECT_EQ(form->WindowState(), wsMinimized);
    form->SetWindowState(wsNormal);
    EXPECT_EQ(WindowRect(wnd), Bounds(50, 60, 320, 240));
}

TEST(Forms, StateChangedBySystemIsReadBackAndKeptOverHide) {
    FormPtr<TForm> form(Create<TForm>(Application));
    form->SetBounds(10, 10, 200, 150);
    form->Show();
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    form->Hide();
    EXPECT_EQ(form->WindowState(), wsMaximized);
    form->Show();
    EXPECT_TRUE(IsZoomed(form->Handle()));
}

// ---- position at first show

TEST(Forms, PositionIsAppliedAtFirstShow) {
    FormPtr<TForm> owner(Create<TForm>(Application));
    owner->SetBounds(100, 100, 400, 300);
    owner->Show();

    FormPtr<TForm> centred(Create<TForm>(owner.get()));
    centred->SetPosition(poOwnerFormCenter);
    centred->SetBounds(0, 0, 200, 100);
    centred->Show();
    EXPECT_EQ(WindowRect(centred->Handle()), Bounds(200, 200, 200, 100));
    // Only the first show positions it.
    centred->Hide();
    centred->SetBounds(5, 5, 200, 100);
    centred->Show();
    EXPECT_EQ(WindowRect(centred->Handle()), Bounds(5, 5, 200, 100));

    FormPtr<TForm> screenCentred(Create<TForm>(Application));
    screenCentred->SetPosition(poScreenCenter);
    screenCentred->SetBounds(0, 0, 200, 100);
    screenCentred->Show();
    EXPECT_EQ(WindowRect(screenCentred->Handle()),
              Bounds((Screen->Width() - 200) / 2, (Screen->Height() - 100) / 2, 200, 100));

    // Kept on the desktop: an owner near the corner does not push it off.
    owner->SetBounds(-150, -100, 200, 150);
    FormPtr<TForm> clamped(Create<TForm>(owner.get()));
    clamped->SetPosition(poOwnerFormCenter);
    clamped->SetBounds(0, 0, 300, 200);
    clamped->Show();
    EXPECT_EQ(WindowRect(clamped->Handle()).TopLeft(), TPoint(Screen->DesktopLeft(), Screen->DesktopTop()));
}

// ---- other properties

TEST(Forms, StayOnTopAlphaBlendAndNoMdi) {
    FormPtr<TForm> form(Create<TForm>(Application));
    form->SetFormStyle(fsStayOnTop);
    form->SetAlphaBlend(true);
    form->SetAlphaBlendValue(128);
    form->Show();
    HWND wnd = form->Handle();
    EXPECT_TRUE(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_TRUE(flags & LWA_ALPHA);
    HWND owner = GetWindow(wnd, GW_OWNER);
    form->SetFormStyle(fsNormal);
    EXPECT_FALSE(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(wnd, GW_OWNER), owner);
    form->SetAlphaBlend(false);
    EXPECT_FALSE(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);

    EXPECT_EQ(form->ClientHandle(), nullptr);  // no MDI client on a plain form
    EXPECT_EQ(form->MDIChildCount(), 0);
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(form->ClassName(), L"TForm");
    wchar_t cls[64] = {};
    GetClassNameW(wnd, cls, 64);
    EXPECT_STREQ(cls, L"TForm");
}

TEST(Forms, CaptionAndLoadingSequence) {
    // A form built in code: components under csLoading, Loaded on each, then OnCreate.
    static std::vector<String>* order = nullptr;
    std::vector<String> events;
    order = &events;
    struct Probe : TButton {
        using TButton::TButton;
        void Loaded() override {
            TButton::Loaded();
            order->push_back(L"Loaded " + Name());
        }
    };
    struct BuiltForm : TForm {
        explicit BuiltForm(TComponent* AOwner) : TForm(AOwner) {
            BeginLoading(this);
            auto* a = new Probe(this);
            a->SetName(L"First");
            a->SetParent(this);
            loadingDuringBuild = a->ComponentState().Contains(csLoading);
            auto* b = new Probe(this);
            b->SetName(L"Second");
            b->SetParent(this);
            SetCaption(L"파일 다운로드");
            EndLoading(this);
            OnCreate = TNotifyEvent(this, &BuiltForm::FormCreate);
        }
        bool loadingDuringBuild = false;
        void FormCreate(TObject*) { order->push_back(L"OnCreate"); }
    };
    FormPtr<BuiltForm> form(Create<BuiltForm>(Application));
    EXPECT_TRUE(form->loadingDuringBuild);
    EXPECT_EQ(events, (std::vector<String>{L"Loaded First", L"Loaded Second", L"OnCreate"}));
    EXPECT_EQ(form->Caption(), L"파일 다운로드");
    wchar_t text[64] = {};
    GetWindowTextW(form->Handle(), text, 64);
    EXPECT_STREQ(text, L"파일 다운로드");
    order = nullptr;
}

// ---- closing

namespace {
struct SelfClosingForm : TForm {
    explicit SelfClosingForm(TComponent* AOwner) : TForm(AOwner) {
        button = new TButton(this);
        button->SetParent(this);
        button->OnClick = TNotifyEvent(this, &SelfClosingForm::ButtonClick);
        OnClose = TCloseEvent(this, &SelfClosingForm::FormClose);
        OnDestroy = TNotifyEvent(this, &SelfClosingForm::FormDestroy);
    }
    void ButtonClick(TObject*) {
        Close();
        // Still alive: destruction waits for the message loop.
        aliveAfterClose = Screen->CustomForms(Screen->CustomFormCount() - 1) == this && button->HandleAllocated();
    }
    void FormClose(TObject*, TCloseAction& Action) { Action = caFree; }
    void FormDestroy(TObject*) { *destroyed = true; }
    TButton* button;
    bool aliveAfterClose = false;
    bool* destroyed = nullptr;
};
}  // namespace

TEST(Forms, CaFreeFromOwnHandlerDestroysLater) {
    bool destroyed = false;
    auto* form = Create<SelfClosingForm>(Application);
    form->destroyed = &destroyed;
    form->Show();
    HWND wnd = form->Handle();
    int forms = Screen->CustomFormCount();
    SendMessageW(form->button->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(IsWindow(wnd));
    EXPECT_TRUE(form->aliveAfterClose);
    ASSERT_TRUE(ProcessMessagesUntil([&] { return destroyed; }));
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(Screen->CustomFormCount(), forms - 1);
}

TEST(Forms, ReleasedFormDestroyedByItsOwnerFirstIsNotFreedTwice) {
    auto* owner = Create<TForm>(Application);
    bool destroyed = false;
    auto* form = Create<SelfClosingForm>(owner);
    form->destroyed = &destroyed;
    form->Release();
    owner->Free();  // takes the released form with it before the loop gets to it
    EXPECT_TRUE(destroyed);
    Application->ProcessMessages();  // the pending release finds nothing to free
}

TEST(Forms, CloseActions) {
    FormPtr<TForm> form(Create<TForm>(Application));
    struct Chooser {
        TCloseAction action = caHide;
        bool allow = true;
        void Close(TObject*, TCloseAction& Action) { Action = action; }
        void Query(TObject*, bool& CanClose) { CanClose = allow; }
    } chooser;
    form->OnClose = TCloseEvent(&chooser, &Chooser::Close);
    form->OnCloseQuery = TCloseQueryEvent(&chooser, &Chooser::Query);
    form->Show();
    chooser.allow = false;
    form->Close();
    EXPECT_TRUE(form->Visible());
    chooser.allow = true;
    chooser.action = caNone;
    form->Close();
    EXPECT_TRUE(form->Visible());
    chooser.action = caMinimize;
    form->Close();
    EXPECT_TRUE(IsIconic(form->Handle()));
    form->SetWindowState(wsNormal);
    chooser.action = caHide;
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);  // the close box
    ASSERT_TRUE(ProcessMessagesUntil([&] { return !form->Visible(); }));
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

// ---- modal

TEST(Forms, ShowModalReturnsTheButtonsModalResultWithOwnerDisabled) {
    FormPtr<TForm> owner(Create<TForm>(Application));
    owner->Show();
    FormPtr<TForm> dialog(Create<TForm>(owner.get()));
    dialog->SetPosition(poOwnerFormCenter);
    auto* save = new TButton(dialog.get());
    save->SetParent(dialog.get());
    save->SetModalResult(mrYes);
    struct Shown {
        int count = 0;
        void On(TObject*) { ++count; }
    } shown;
    dialog->OnShow = TNotifyEvent(&shown, &Shown::On);
    bool ownerEnabledDuringLoop = true, dialogEnabled = false;
    Later press([&] {
        ownerEnabledDuringLoop = IsWindowEnabled(owner->Handle());
        dialogEnabled = IsWindowEnabled(dialog->Handle()) && IsWindowVisible(dialog->Handle());
        SendMessageW(save->Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dialog->ShowModal(), mrYes);
    EXPECT_EQ(mrYes, 6);
    EXPECT_FALSE(ownerEnabledDuringLoop);
    EXPECT_TRUE(dialogEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    EXPECT_EQ(shown.count, 1);
    EXPECT_FALSE(dialog->FormState().Contains(fsModal));

    // Again, closed with the close box: mrCancel.
    Later close([&] { PostMessageW(dialog->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);

    // A visible form cannot become modal.
    EXPECT_THROW(owner->ShowModal(), EInvalidOperation);
}

TEST(Forms, OnCloseCaNoneKeepsTheModalLoopRunning) {
    FormPtr<TForm> dialog(Create<TForm>(Application));
    struct Refuser {
        int refusals = 1;
        void Close(TObject*, TCloseAction& Action) {
            if (refusals-- > 0) Action = caNone;
        }
    } refuser;
    dialog->OnClose = TCloseEvent(&refuser, &Refuser::Close);
    int attempts = 0;
    struct Presser {
        TForm* form;
        int* attempts;
        void Tick(TObject*) {
            if (*attempts < 2) {
                ++*attempts;
                form->SetModalResult(mrOk);
            }
        }
    } presser{dialog.get(), &attempts};
    TTimer timer(nullptr);
    timer.SetInterval(30);
    timer.OnTimer = TNotifyEvent(&presser, &Presser::Tick);
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(attempts, 2);
}

TEST(Forms, WorkerSynchronizeIsServedWhileAModalFormIsOpen) {
    FormPtr<TForm> dialog(Create<TForm>(Application));
    struct Worker : TThread {
        TForm* form;
        std::atomic<DWORD> ranOn{0};
        explicit Worker(TForm* f) : TThread(true), form(f) {}
        void Execute() override {
            // Wait for the modal loop, then hand the answer over through the GUI thread.
            while (!form->Visible()) Sleep(5);
            Synchronize([this] {
                ranOn = GetCurrentThreadId();
                form->SetModalResult(mrOk);
            });
        }
    } worker(dialog.get());
    worker.Start();
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    worker.WaitFor();
    EXPECT_EQ(worker.ranOn, GetCurrentThreadId());
}

// ---- screen bookkeeping and activation

TEST(Forms, ScreenListsFormsFromConstructionAndTracksTheActiveForm) {
    int before = Screen->CustomFormCount();
    FormPtr<TForm> form(Create<TForm>(Application));
    EXPECT_FALSE(form->HandleAllocated());
    ASSERT_EQ(Screen->CustomFormCount(), before + 1);
    EXPECT_EQ(Screen->CustomForms(before), form.get());
    FormPtr<TCustomForm> custom(Create<TCustomForm>(Application));
    EXPECT_EQ(Screen->CustomFormCount(), before + 2);
    EXPECT_EQ(Screen->FormCount(), before + 1);  // a bare TCustomForm is not a TForm

    struct Activation {
        int on = 0, off = 0;
        void Activate(TObject*) { ++on; }
        void Deactivate(TObject*) { ++off; }
    } activation;
    form->OnActivate = TNotifyEvent(&activation, &Activation::Activate);
    form->OnDeactivate = TNotifyEvent(&activation, &Activation::Deactivate);
    form->Show();
    SetActiveWindow(form->Handle());
    ASSERT_TRUE(ProcessMessagesUntil([&] { return form->Active(); }));
    EXPECT_EQ(Screen->ActiveForm(), form.get());
    EXPECT_GE(activation.on, 1);
    custom->Show();
    SetActiveWindow(custom->Handle());
    ASSERT_TRUE(ProcessMessagesUntil([&] { return !form->Active(); }));
    EXPECT_GE(activation.off, 1);
    EXPECT_EQ(Screen->ActiveCustomForm(), custom.get());
    EXPECT_EQ(Screen->ActiveForm(), nullptr);

    TCustomForm* gone = custom.get();
    custom.reset();
    EXPECT_EQ(Screen->CustomFormCount(), before + 1);
    EXPECT_NE(Screen->ActiveCustomForm(), gone);
}

TEST(Forms, KeyPreviewLetsTheFormSeeAChildsKeysFirst) {
    FormPtr<TForm> form(Create<TForm>(Application));
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    struct Keys {
        std::vector<String> order;
        void FormKey(TObject*, wchar_t& Key) {
            order.push_back(L"form");
            if (Key == L'x') Key = 0;  // swallowed: the button never sees it
        }
        void ButtonKey(TObject*, wchar_t&) { order.push_back(L"button"); }
    } keys;
    form->OnKeyPress = TKeyPressEvent(&keys, &Keys::FormKey);
    button->OnKeyPress = TKeyPressEvent(&keys, &Keys::ButtonKey);
    form->Show();
    SendMessageW(button->Handle(), WM_CHAR, L'a', 0);
    EXPECT_EQ(keys.order, std::vector<String>{L"button"});  // no preview yet
    keys.order.clear();
    form->SetKeyPreview(true);
    SendMessageW(button->Handle(), WM_CHAR, L'a', 0);
    SendMessageW(button->Handle(), WM_CHAR, L'x', 0);
    EXPECT_EQ(keys.order, (std::vector<String>{L"form", L"button", L"form"}));
}

TEST(Forms, ActiveControlGetsTheFocusAndGetsItBackOnReactivation) {
    FormPtr<TForm> form(Create<TForm>(Application));
    auto* first = new TButton(form.get());
    first->SetParent(form.get());
    auto* second = new TButton(form.get());
    second->SetParent(form.get());
    second->SetLeft(100);
    form->SetActiveControl(second);
    form->Show();
    ASSERT_TRUE(ProcessMessagesUntil([&] { return form->Active(); }));
    EXPECT_EQ(GetFocus(), second->Handle());

    first->SetFocus();
    EXPECT_EQ(form->ActiveControl(), first);
    FormPtr<TForm> other(Create<TForm>(Application));
    other->Show();
    SetActiveWindow(other->Handle());
    ASSERT_TRUE(ProcessMessagesUntil([&] { return !form->Active(); }));
    SetActiveWindow(form->Handle());
    ASSERT_TRUE(ProcessMessagesUntil([&] { return form->Active(); }));
    EXPECT_EQ(GetFocus(), first->Handle());
}

TEST(Forms, GetParentFormFindsTheFormOfAControl) {
    FormPtr<TForm> form(Create<TForm>(Application));
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* label = new TLabel(form.get());
    label->SetParent(panel);
    EXPECT_EQ(GetParentForm(label), form.get());
    EXPECT_EQ(GetParentForm(form.get()), form.get());
    auto* loose = new TPanel(form.get());
    EXPECT_EQ(GetParentForm(loose), nullptr);
}

TEST(Forms, OnPaintDrawsOnTheFormCanvas) {
    FormPtr<TForm> form(Create<TForm>(Application));
    struct Painter {
        TForm* form;
        int calls = 0;
        void Paint(TObject*) {
            ++calls;
            form->Canvas()->Brush()->SetColor(clRed);
            form->Canvas()->FillRect(Rect(0, 0, 20, 20));
        }
    } painter{form.get()};
    form->OnPaint = TNotifyEvent(&painter, &Painter::Paint);
    form->SetBorderStyle(bsNone);
    form->SetBounds(30, 30, 100, 100);
    form->Show();
    UpdateWindow(form->Handle());
    ASSERT_TRUE(ProcessMessagesUntil([&] { return painter.calls > 0; }));
    HDC dc = GetWindowDC(form->Handle());
    COLORREF pixel = GetPixel(dc, 5, 5);
    COLORREF outside = GetPixel(dc, 50, 50);
    ReleaseDC(form->Handle(), dc);
    EXPECT_EQ(pixel, RGB(255, 0, 0));
    EXPECT_NE(outside, RGB(255, 0, 0));
}
