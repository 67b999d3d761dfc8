// Messages the framework generates for code that subclasses its windows:
// the handle bound before WM_NCCREATE, the focus chain (CM_EXIT, CM_ENTER,
// CM_FOCUSCHANGED), WM_PARENTNOTIFY on the form and CM_INVALIDATE.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "app_fixture.h"
#include "control_fixture.h"
#include "framework/windows/Application.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"

using namespace fw;
using namespace fwtest;

namespace {

// A private query a hook sends; the form answers with its Handle.
constexpr UINT kQuery = 0xBC4D;

class TProbeForm : public TForm {
public:
    using TForm::TForm;
    std::vector<UINT> seen;
    void WndProc(TMessage& Message) override {
        seen.push_back(Message.Msg);
        if (Message.Msg == kQuery) {
            Message.Result = reinterpret_cast<LRESULT>(WindowHandle());
            return;
        }
        TForm::WndProc(Message);
    }
};

struct CbtState {
    HHOOK hook = nullptr;
    HWND window = nullptr;
    LRESULT answer = 0;
    TWinControl* found = nullptr;
} cbtState;

LRESULT CALLBACK QueryingCbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && !cbtState.window) {
        auto h = reinterpret_cast<HWND>(wParam);
        wchar_t cls[32] = {};
        GetClassNameW(h, cls, 32);
        if (String(cls) == L"TForm") {
            cbtState.window = h;
            cbtState.answer = SendMessageW(h, kQuery, 0, 0);
            cbtState.found = FindControl(h);
        }
    }
    return CallNextHookEx(cbtState.hook, code, wParam, lParam);
}

// Writes (control, message) pairs of several controls into one list, in order.
class OrderLog {
public:
    void Watch(TControl* Control) { hooks_.emplace_back(new Hook{this, Control, Control->WindowProc()}); }
    ~OrderLog() {
        for (auto it = hooks_.rbegin(); it != hooks_.rend(); ++it) {
            (*it)->control->SetWindowProc((*it)->saved);
            delete *it;
        }
    }
    std::vector<std::pair<TControl*, UINT>> Only(std::initializer_list<UINT> Filter) const {
        std::vector<std::pair<TControl*, UINT>> out;
        for (auto& e : entries)
            if (std::find(Filter.begin(), Filter.end(), e.second) != Filter.end()) out.push_back(e);
        return out;
    }
    std::vector<std::pair<TControl*, UINT>> entries;
    std::vector<std::pair<TControl*, LPARAM>> focusChanged;

private:
    struct Hook {
        OrderLog* log;
        TControl* control;
        TWndMethod saved;
        Hook(OrderLog* l, TControl* c, TWndMethod s) : log(l), control(c), saved(std::move(s)) {
            control->SetWindowProc(TWndMethod(this, &Hook::Proc));
        }
        void Proc(TMessage& m) {
            log->entries.push_back({control, m.Msg});
            if (m.Msg == CM_FOCUSCHANGED) log->focusChanged.push_back({control, m.LParam});
            saved(m);
        }
    };
    std::vector<Hook*> hooks_;
};

}  // namespace

TEST(GeneratedMessages, HookQueryBeforeNcCreateIsAnsweredWithTheHandleSet) {
    cbtState = CbtState();
    cbtState.hook = SetWindowsHookExW(WH_CBT, QueryingCbtHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(cbtState.hook, nullptr);
    FormPtr<TProbeForm> form(Create<TProbeForm>(Application));
    form->HandleNeeded();
    UnhookWindowsHookEx(cbtState.hook);

    ASSERT_NE(cbtState.window, nullptr);
    EXPECT_EQ(cbtState.window, form->WindowHandle());
    // The object knew its window while the hook asked, before WM_NCCREATE.
    EXPECT_EQ(reinterpret_cast<HWND>(cbtState.answer), cbtState.window);
    EXPECT_EQ(cbtState.found, form.get());
    ASSERT_FALSE(form->seen.empty());
    EXPECT_EQ(form->seen.front(), kQuery);
    auto ncCreate = std::find(form->seen.begin(), form->seen.end(), UINT(WM_NCCREATE));
    EXPECT_NE(ncCreate, form->seen.end());
}

TEST(GeneratedMessages, FocusMovesThroughExitEnterAndFocusChanged) {
    FormPtr<TForm> form(Create<TForm>(Application));
    auto* left = new TPanel(form.get());
    left->SetBounds(0, 0, 150, 100);
    left->SetParent(form.get());
    auto* right = new TPanel(form.get());
    right->SetBounds(160, 0, 150, 100);
    right->SetParent(form.get());
    auto* a = new TEdit(form.get());
    a->SetParent(left);
    auto* b = new TEdit(form.get());
    b->SetParent(right);
    auto* button = new TButton(form.get());
    button->SetTop(120);
    button->SetParent(form.get());
    struct Events {
        std::vector<String> log;
        void Enter(TObject* s) { log.push_back(L"enter " + static_cast<TComponent*>(s)->Name()); }
        void Exit(TObject* s) { log.push_back(L"exit " + static_cast<TComponent*>(s)->Name()); }
    } events;
    a->SetName(L"A");
    b->SetName(L"B");
    for (TWinControl* c : {static_cast<TWinControl*>(a), static_cast<TWinControl*>(b)}) {
        c->OnEnter = TNotifyEvent(&events, &Events::Enter);
        c->OnExit = TNotifyEvent(&events, &Events::Exit);
    }
    form->Show();
    ASSERT_TRUE(ProcessMessagesUntil([&] { return form->Active(); }));
    a->SetFocus();
    ASSERT_TRUE(a->Focused());

    OrderLog log;
    for (TControl* c : std::initializer_list<TControl*>{form.get(), left, right, a, b, button}) log.Watch(c);
    events.log.clear();
    b->SetFocus();
    ASSERT_TRUE(b->Focused());
    using Seq = std::vector<std::pair<TControl*, UINT>>;
    // Up from the old control to the common parent, down to the new one,
    // then the form tells every control.
    EXPECT_EQ(log.Only({CM_EXIT, CM_ENTER}), (Seq{{a, CM_EXIT}, {left, CM_EXIT}, {right, CM_ENTER}, {b, CM_ENTER}}));
    ASSERT_FALSE(log.focusChanged.empty());
    EXPECT_EQ(log.focusChanged.front().first, form.get());
    for (auto& [control, focused] : log.focusChanged) EXPECT_EQ(focused, reinterpret_cast<LPARAM>(b));
    auto reached = [&](TControl* c) {
        for (auto& e : log.focusChanged)
            if (e.first == c) return true;
        return false;
    };
    EXPECT_TRUE(reached(button));
    EXPECT_TRUE(reached(right));
    EXPECT_TRUE(reached(b));
    EXPECT_EQ(events.log, (std::vector<String>{L"exit A", L"enter B"}));
    EXPECT_EQ(form->ActiveControl(), b);

    // Inside one parent: no message for the parent.
    auto* b2 = new TEdit(form.get());
    b2->SetTop(40);
    b2->SetParent(right);
    log.Watch(b2);
    log.entries.clear();
    b2->SetFocus();
    EXPECT_EQ(log.Only({CM_EXIT, CM_ENTER}), (Seq{{b, CM_EXIT}, {b2, CM_ENTER}}));
}

TEST(GeneratedMessages, ChildWindowsComingAndGoingNotifyTheForm) {
    FormPtr<TForm> form(Create<TForm>(Application));
    form->Show();
    MessageLog log(form.get());
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    HWND h = panel->Handle();
    auto notifications = [&] {
        std::vector<std::pair<WORD, HWND>> out;
        for (const TMessage& m : log.Messages)
            if (m.Msg == WM_PARENTNOTIFY) out.push_back({LOWORD(m.WParam), reinterpret_cast<HWND>(m.LParam)});
        return out;
    };
    using Seq = std::vector<std::pair<WORD, HWND>>;
    EXPECT_EQ(notifications(), (Seq{{WORD(WM_CREATE), h}}));

    // A window inside the panel notifies the panel, which passes it on.
    MessageLog panelLog(panel);
    auto* button = new TButton(form.get());
    button->SetParent(panel);
    HWND hb = button->Handle();
    EXPECT_EQ(panelLog.Count(WM_PARENTNOTIFY), 1u);

    log.Clear();
    panelLog.Detach();
    panel->SetParent(nullptr);  // its window goes
    EXPECT_FALSE(IsWindow(hb));
    Seq gone = notifications();
    EXPECT_NE(std::find(gone.begin(), gone.end(), std::pair<WORD, HWND>{WORD(WM_DESTROY), h}), gone.end());
    log.Detach();
    panel->Free();
}

TEST(GeneratedMessages, InvalidateGoesThroughCmInvalidateWhichASubclassMaySwallow) {
    THostWindow* host = Create<THostWindow>(nullptr);
    TBox* box = Create<TBox>(nullptr);
    box->SetBounds(10, 10, 80, 60);
    box->SetParent(host);
    host->Show();
    Pump(30);
    ValidateRect(box->Handle(), nullptr);
    ValidateRect(host->Handle(), nullptr);

    MessageLog boxLog(box), hostLog(host);
    box->Invalidate();
    ASSERT_EQ(boxLog.Count(CM_INVALIDATE), 1u);
    EXPECT_EQ(boxLog.Messages.back().WParam, 0u);
    // The parent hears of it too (WParam 1: a child changed), without repainting itself.
    ASSERT_EQ(hostLog.Count(CM_INVALIDATE), 1u);
    EXPECT_EQ(hostLog.Messages.back().WParam, 1u);
    EXPECT_TRUE(GetUpdateRect(box->Handle(), nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(host->Handle(), nullptr, FALSE));
    boxLog.Detach();
    hostLog.Detach();

    ValidateRect(box->Handle(), nullptr);
    struct Swallow {
        TWndMethod old;
        void Hook(TMessage& m) {
            if (m.Msg != CM_INVALIDATE) old(m);
        }
    } swallow{box->WindowProc()};
    box->SetWindowProc(TWndMethod(&swallow, &Swallow::Hook));
    box->Invalidate();
    EXPECT_FALSE(GetUpdateRect(box->Handle(), nullptr, FALSE));
    box->SetWindowProc(swallow.old);
    host->Free();
}
