// Hints under Xvfb: the application shows a control's hint after the mouse
// rests on it and hides it when the mouse leaves. The mouse is moved with
// SetCursorPos and the application's own loop runs (its idle step tracks the
// mouse); waits have generous deadlines and no test asserts a duration.
#include "framework/windows/HintWindow.h"
#include "framework/graphics/Bitmap.h"
#include "framework/windows/Application.h"

#include <gtest/gtest.h>

#include "control_fixture.h"

using namespace fw;
using namespace fwtest;

namespace {

// Where the test wants the mouse. Under X a pointer warp can be reported
// late, after a later one, so the loop puts the pointer back when it strays.
POINT pointer{-1, -1};

// Runs the application's loop, idle step included, until done() or the deadline.
bool LoopUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
    UINT_PTR wake = SetTimer(nullptr, 0, 20, nullptr);  // the loop sleeps until some message comes
    DWORD end = GetTickCount() + timeoutMs;
    while (!done() && LONG(end - GetTickCount()) > 0) {
        POINT p;
        if (pointer.x >= 0 && GetCursorPos(&p) && (p.x != pointer.x || p.y != pointer.y))
            SetCursorPos(pointer.x, pointer.y);
        Application->HandleMessage();
    }
    KillTimer(nullptr, wake);
    return done();
}

bool HintShowing() {
    THintWindow* w = Application->HintWindow();
    return w->HandleAllocated() && IsWindowVisible(w->WindowHandle());
}

TPoint CentreOf(TWinControl* c) {
    RECT r;
    GetWindowRect(c->Handle(), &r);
    return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

struct HintTest : ::testing::Test {
    void SetUp() override {
        Application->SetShowHint(true);
        Application->SetHintPause(150);
        Application->SetHintHidePause(60000);
        host = Create<THostWindow>(nullptr);
        tip = Create<TBox>(nullptr);
        tip->SetBounds(10, 10, 120, 60);
        tip->SetParent(host);
        tip->SetHint(L"Opens the book|Opens a book from a file on disk");
        tip->SetShowHint(true);
        plain = Create<TBox>(nullptr);
        plain->SetBounds(150, 10, 120, 60);
        plain->SetParent(host);
        host->Show();
        Pump(50);
    }
    void TearDown() override {
        pointer = POINT{-1, -1};
        Application->CancelHint();
        host->Free();
        Application->SetHintPause(500);
        Application->SetHintHidePause(2500);
    }
    void MoveTo(const TPoint& p) {
        pointer = POINT{p.X, p.Y};
        SetCursorPos(p.X, p.Y);
    }

    THostWindow* host = nullptr;
    TBox* tip = nullptr;
    TBox* plain = nullptr;
};

}  // namespace

TEST_F(HintTest, ShownAfterTheMouseRestsAndHiddenWhenItLeaves) {
    HWND foreground = GetForegroundWindow();
    TPoint at = CentreOf(tip);
    MoveTo(at);
    ASSERT_TRUE(LoopUntil(HintShowing)) << "no hint over a control with ShowHint and Hint";

    THintWindow* hint = Application->HintWindow();
    HWND wnd = hint->WindowHandle();
    EXPECT_EQ(hint->Text(), L"Opens the book");
    EXPECT_EQ(GetWindow(wnd, GW_OWNER), Application->Handle());
    EXPECT_EQ(GetForegroundWindow(), foreground) << "shown without taking the activation";
    EXPECT_NE(GetActiveWindow(), wnd);
    LONG ex = GetWindowLongW(wnd, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    RECT r;
    GetWindowRect(wnd, &r);
    EXPECT_EQ(r.left, at.X);
    EXPECT_GT(r.top, at.Y) << "below the cursor";
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(r.left + 2, r.top + 2)), HTTRANSPARENT);

    // Its colours: the info background, and text in it.
    Pump(50);
    Capture cap = CaptureWindow(wnd);
    const DWORD back = Rgb(clInfoBk);
    int backPixels = 0, textPixels = 0;
    for (int y = 2; y < cap.Height - 2; ++y)
        for (int x = 2; x < cap.Width - 2; ++x) (cap.At(x, y) == back ? backPixels : textPixels)++;
    EXPECT_GT(backPixels, textPixels);
    EXPECT_GT(textPixels, 0);
    {
        TBitmap shot(cap.Width, cap.Height, pf32bit);
        for (int y = 0; y < cap.Height; ++y)
            std::memcpy(shot.ScanLine(y), &cap.Pixels[size_t(y) * size_t(cap.Width)], size_t(cap.Width) * 4);
        CreateDirectoryW(L"..\\screenshots", nullptr);
        shot.SaveToFile(L"..\\screenshots\\hint-window.bmp");
    }

    MoveTo(CentreOf(plain));
    EXPECT_TRUE(LoopUntil([] { return !HintShowing(); })) << "the hint stays after the mouse left";

    // Back on the control: shown again; a key press hides it. (That it then
    // stays hidden is not checked: a late pointer report under X can count
    // as leaving and coming back.)
    MoveTo(at);
    ASSERT_TRUE(LoopUntil(HintShowing));
    PostMessageW(host->Handle(), WM_KEYDOWN, VK_SHIFT, 0);
    EXPECT_TRUE(LoopUntil([] { return !HintShowing(); }));
}

TEST_F(HintTest, NoHintWithoutShowHintOrText) {
    struct Case {
        bool appShowHint, controlShowHint;
        const wchar_t* hint;
    } cases[] = {{false, true, L"text"}, {true, false, L"text"}, {true, true, L""}, {true, true, L"|long only"}};
    for (const Case& c : cases) {
        Application->SetShowHint(c.appShowHint);
        tip->SetShowHint(c.controlShowHint);
        tip->SetHint(c.hint);
        MoveTo(CentreOf(plain));
        LoopUntil([] { return false; }, 100);
        MoveTo(CentreOf(tip));
        // Several hint pauses pass without a hint.
        LoopUntil(HintShowing, 1200);
        EXPECT_FALSE(HintShowing()) << c.appShowHint << c.controlShowHint;
    }
    Application->SetShowHint(true);
}

TEST_F(HintTest, HiddenAfterTheHidePause) {
    Application->SetHintHidePause(300);
    MoveTo(CentreOf(tip));
    ASSERT_TRUE(LoopUntil(HintShowing));
    EXPECT_TRUE(LoopUntil([] { return !HintShowing(); })) << "still showing after the hide pause";
}

TEST(HintWindow, ShortAndLongHints) {
    EXPECT_EQ(GetShortHint(L"Open|Opens a book"), L"Open");
    EXPECT_EQ(GetLongHint(L"Open|Opens a book"), L"Opens a book");
    EXPECT_EQ(GetShortHint(L"Open"), L"Open");
    EXPECT_EQ(GetLongHint(L"Open"), L"Open");
    EXPECT_EQ(GetShortHint(L"|long"), L"");
    EXPECT_EQ(GetLongHint(L"a|b|c"), L"b|c");
}

TEST(HintWindow, CalcHintRectWrapsAtTheWidthAndActivateShowsWithoutActivation) {
    THintWindow hint(nullptr);
    EXPECT_EQ(hint.ClassName(), L"THintWindow");
    EXPECT_EQ(hint.Color(), clInfoBk);
    const String text = L"A hint long enough to wrap onto more than one line of text";
    TRect one = hint.CalcHintRect(2000, text);
    TRect wrapped = hint.CalcHintRect(80, text);
    EXPECT_EQ(one.Left, 0);
    EXPECT_EQ(one.Top, 0);
    EXPECT_LE(wrapped.Width(), 80 + 6);
    EXPECT_GT(wrapped.Height(), one.Height());
    TRect empty = hint.CalcHintRect(100, L"");
    EXPECT_EQ(empty.Width(), 6);

    HWND foreground = GetForegroundWindow();
    hint.ActivateHint(Bounds(40, 50, one.Width(), one.Height()), text);
    ASSERT_TRUE(hint.HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(hint.WindowHandle()));
    EXPECT_EQ(GetForegroundWindow(), foreground);
    RECT r;
    GetWindowRect(hint.WindowHandle(), &r);
    EXPECT_EQ(TRect(r), Bounds(40, 50, one.Width(), one.Height() + 4));
    // Moved back onto the screen when it would leave it.
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    hint.ActivateHint(Bounds(sw - 10, sh - 5, 100, 20), text);
    GetWindowRect(hint.WindowHandle(), &r);
    EXPECT_EQ(TRect(r), Bounds(sw - 100, sh - 24, 100, 24));
    hint.ReleaseHandle();
    EXPECT_FALSE(hint.HandleAllocated());
}

namespace {

struct AnimateCall {
    HWND wnd;
    DWORD time, flags;
    bool visible;
    TRect bounds;
};
std::vector<AnimateCall> animateCalls;

BOOL WINAPI RecordAnimate(HWND wnd, DWORD time, DWORD flags) {
    RECT r;
    GetWindowRect(wnd, &r);
    animateCalls.push_back({wnd, time, flags, IsWindowVisible(wnd) != FALSE, TRect(r)});
    ShowWindow(wnd, SW_SHOWNOACTIVATE);
    return TRUE;
}

// The tooltip settings and the animation pointer, put back however the test ends.
struct TooltipSettings {
    BOOL animation = FALSE, fade = FALSE;
    TAnimateWindowProc proc = AnimateWindowProc;
    TooltipSettings() {
        SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &animation, 0);
        SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &fade, 0);
    }
    ~TooltipSettings() {
        Set(animation, fade);
        AnimateWindowProc = proc;
    }
    static bool Set(BOOL Animation, BOOL Fade) {
        SystemParametersInfoW(SPI_SETTOOLTIPANIMATION, 0, reinterpret_cast<void*>(UINT_PTR(Animation)), 0);
        SystemParametersInfoW(SPI_SETTOOLTIPFADE, 0, reinterpret_cast<void*>(UINT_PTR(Fade)), 0);
        BOOL a = !Animation, f = !Fade;
        SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &a, 0);
        SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &f, 0);
        return !a == !Animation && !f == !Fade;
    }
};

}  // namespace

TEST(HintWindow, ShortHintsComeInThroughTheFrameworksAnimateWindow) {
    TooltipSettings saved;
    EXPECT_EQ(AnimateWindowProc,
              reinterpret_cast<TAnimateWindowProc>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AnimateWindow")));
    AnimateWindowProc = RecordAnimate;
    struct Case {
        BOOL animation, fade;
        size_t length;
        DWORD time, flags;  // 0: not animated
    } cases[] = {
        {TRUE, TRUE, 12, 200, AW_BLEND},
        {TRUE, FALSE, 12, 100, AW_SLIDE | AW_VER_POSITIVE},
        {FALSE, TRUE, 12, 0, 0},
        {TRUE, TRUE, 100, 0, 0},  // long hints just show
    };
    for (const Case& k : cases) {
        ASSERT_TRUE(TooltipSettings::Set(k.animation, k.fade));
        THintWindow hint(nullptr);
        animateCalls.clear();
        hint.ActivateHint(Bounds(60, 70, 120, 20), String(k.length, L'x'));
        ASSERT_TRUE(hint.HandleAllocated());
        EXPECT_TRUE(IsWindowVisible(hint.WindowHandle()));
        if (!k.time) {
            EXPECT_TRUE(animateCalls.empty()) << k.animation << k.fade << k.length;
            continue;
        }
        ASSERT_EQ(animateCalls.size(), 1u);
        const AnimateCall& call = animateCalls[0];
        EXPECT_EQ(call.wnd, hint.WindowHandle());
        EXPECT_EQ(call.time, k.time);
        EXPECT_EQ(call.flags, k.flags);
        // It comes in from hidden, already in its place.
        EXPECT_FALSE(call.visible);
        EXPECT_EQ(call.bounds, Bounds(60, 70, 120, 24));
        // A showing hint that changes its text does not come in again.
        hint.ActivateHint(Bounds(60, 70, 120, 20), L"again");
        EXPECT_EQ(animateCalls.size(), 1u);
    }
    // No pointer: shown all the same.
    ASSERT_TRUE(TooltipSettings::Set(TRUE, TRUE));
    AnimateWindowProc = nullptr;
    THintWindow hint(nullptr);
    hint.ActivateHint(Bounds(60, 70, 120, 20), L"plain");
    EXPECT_TRUE(IsWindowVisible(hint.WindowHandle()));
}
