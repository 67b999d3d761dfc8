// TWinControl on real windows: binding, showing, recreation, reflection, the
// key pipeline, hover tracking and the exception barrier.
#include "control_fixture.h"

#include "framework/windows/Screen.h"
#include "framework/windows/StdCtrls.h"

using namespace fw;
using namespace fwtest;

namespace {

// The system edit under a framework class, as an edit control is built.
class TTestEdit : public TWinControl {
public:
    explicit TTestEdit(TComponent* AOwner) : TWinControl(AOwner) {
        SetBounds(10, 10, 120, 24);
        SetTabStop(true);
    }
    String ClassName() const override { return L"TTestEdit"; }

protected:
    void CreateParams(TCreateParams& Params) override {
        TWinControl::CreateParams(Params);
        CreateSubClass(Params, L"EDIT");
        Params.Style |= ES_AUTOHSCROLL;
    }
};

// Writes down, for every message, whether FindControl already knew the window.
class TProbeHost : public THostWindow {
public:
    using THostWindow::THostWindow;
    std::vector<std::pair<UINT, bool>> Seen;
    void WndProc(TMessage& Message) override {
        Seen.push_back({Message.Msg, FindControl(WindowHandle()) == this});
        THostWindow::WndProc(Message);
    }
};

String WindowText(HWND h) {
    wchar_t buf[256] = {};
    GetWindowTextW(h, buf, 256);
    return buf;
}

TRect WindowBoundsInParent(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return TRect(r);
}

struct HostTest : ::testing::Test {
    void SetUp() override {
        host = Create<THostWindow>(nullptr);
        host->Show();
        Pump(30);
    }
    void TearDown() override {
        if (host) host->Free();
        SetBoundaryExceptionHandler(nullptr);
    }
    THostWindow* host = nullptr;
};

}  // namespace

TEST(WinControl, HandleIsMadeOnDemandUnderTheFrameworkClassName) {
    THostWindow* host = Create<THostWindow>(nullptr);
    TBox* box = Create<TBox>(nullptr);
    box->SetParent(host);
    EXPECT_FALSE(host->HandleAllocated());
    EXPECT_FALSE(box->HandleAllocated());

    HWND h = box->Handle();  // the parent's window comes first
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(host->HandleAllocated());
    EXPECT_EQ(GetParent(h), host->WindowHandle());
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    EXPECT_STREQ(cls, L"TBox");
    EXPECT_EQ(FindControl(h), box);
    EXPECT_EQ(FindControl(GetDesktopWindow()), nullptr);

    box->Free();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(FindControl(h), nullptr);
    host->Free();
}

TEST(WinControl, ParentlessChildWindowIsRefused) {
    TBox* box = Create<TBox>(nullptr);
    EXPECT_THROW(box->HandleNeeded(), EInvalidOperation);
    EXPECT_FALSE(box->HandleAllocated());
    box->Free();
}

TEST(WinControl, WindowIsBoundToItsControlFromTheFirstMessage) {
    TProbeHost* host = Create<TProbeHost>(nullptr);
    host->HandleNeeded();
    ASSERT_FALSE(host->Seen.empty());
    bool sawNcCreate = false;
    for (auto& [msg, found] : host->Seen) {
        EXPECT_TRUE(found) << "message 0x" << std::hex << msg;
        sawNcCreate |= msg == WM_NCCREATE;
    }
    EXPECT_TRUE(sawNcCreate);
    host->Free();
}

namespace {
struct CbtProbe {
    HHOOK hook = nullptr;
    bool done = false;
    TWinControl* before = reinterpret_cast<TWinControl*>(1);
    TWinControl* after = nullptr;
    LRESULT answer = -1;
} cbt;

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && !cbt.done) {
        auto h = reinterpret_cast<HWND>(wParam);
        wchar_t cls[64] = {};
        GetClassNameW(h, cls, 64);
        if (String(cls) == L"THostWindow") {
            cbt.done = true;
            // A hook asks the window something before WM_NCCREATE, then looks
            // its control up by handle: the query itself binds the window.
            cbt.before = FindControl(h);
            cbt.answer = SendMessageW(h, 0xA100, 1, 0);
            cbt.after = FindControl(h);
        }
    }
    return CallNextHookEx(cbt.hook, code, wParam, lParam);
}
}  // namespace

TEST(WinControl, CbtHookQueryBindsTheWindowAndGetsZero) {
    cbt = CbtProbe();
    cbt.hook = SetWindowsHookExW(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(cbt.hook, nullptr);
    THostWindow* host = Create<THostWindow>(nullptr);
    host->HandleNeeded();
    UnhookWindowsHookEx(cbt.hook);
    ASSERT_TRUE(cbt.done);
    EXPECT_EQ(cbt.before, nullptr);
    EXPECT_EQ(cbt.after, host);
    EXPECT_EQ(cbt.answer, 0);
    EXPECT_EQ(host->Perform(0xA100, 1, 0), 0);
    host->Free();
}

TEST_F(HostTest, ShowingFollowsVisibleAndTheShowHappensInsideTheNotification) {
    TBox* box = Create<TBox>(nullptr);
    box->SetBounds(10, 10, 100, 60);
    box->SetParent(host);
    HWND h = box->WindowHandle();
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(box->Showing());
    EXPECT_TRUE(IsWindowVisible(h));

    MessageLog log(box);
    box->SetVisible(false);
    EXPECT_EQ(log.Only({CM_VISIBLECHANGED, CM_SHOWINGCHANGED, WM_WINDOWPOSCHANGED}),
              (std::vector<UINT>{CM_VISIBLECHANGED, CM_SHOWINGCHANGED, WM_WINDOWPOSCHANGED}));
    EXPECT_FALSE(box->Showing());
    EXPECT_FALSE(IsWindowVisible(h));
    log.Detach();

    // A subclass that swallows CM_SHOWINGCHANGED keeps the window hidden.
    struct Swallow {
        TWndMethod old;
        void Hook(TMessage& m) {
            if (m.Msg != CM_SHOWINGCHANGED) old(m);
        }
    } swallow{box->WindowProc()};
    box->SetWindowProc(TWndMethod(&swallow, &Swallow::Hook));
    box->SetVisible(true);
    EXPECT_TRUE(box->Showing());
    EXPECT_FALSE(IsWindowVisible(h));
    box->SetWindowProc(swallow.old);

    // A hidden parent hides the child's window; the child keeps its own state.
    box->SetVisible(false);
    box->SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(h));
    host->SetVisible(false);
    EXPECT_FALSE(host->Showing());
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_TRUE(box->Showing());
    host->SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(h));
}

TEST_F(HostTest, InsertingIntoAShowingParentCreatesAndShowsInThisOrder) {
    TBox* box = Create<TBox>(nullptr);
    box->SetBounds(10, 10, 80, 40);
    MessageLog child(box), parent(host);
    box->SetParent(host);
    EXPECT_EQ(child.Only({CM_PARENTCOLORCHANGED, CM_PARENTFONTCHANGED, WM_NCCREATE, WM_CREATE, WM_SETFONT,
                          CM_SHOWINGCHANGED, WM_WINDOWPOSCHANGED}),
              (std::vector<UINT>{CM_PARENTCOLORCHANGED, CM_PARENTFONTCHANGED, WM_NCCREATE, WM_CREATE, WM_SETFONT,
                                 CM_SHOWINGCHANGED, WM_WINDOWPOSCHANGED}));
    EXPECT_EQ(parent.Only({CM_CONTROLLISTCHANGING, CM_CONTROLLISTCHANGE, CM_CONTROLCHANGE}),
              (std::vector<UINT>{CM_CONTROLLISTCHANGING, CM_CONTROLLISTCHANGE, CM_CONTROLCHANGE}));
    for (const TMessage& m : parent.Messages)
        if (m.Msg == CM_CONTROLCHANGE) {
            EXPECT_EQ(m.WParam, reinterpret_cast<WPARAM>(box));
            EXPECT_EQ(m.LParam, 1);
        }
    child.Detach();
    parent.Detach();
}

TEST_F(HostTest, RecreateWndKeepsCaptionBoundsVisibilityAndChildren) {
    TBox* box = Create<TBox>(nullptr);
    box->SetBounds(12, 14, 150, 90);
    box->SetText(L"패널");
    box->SetParent(host);
    TButton* button = Create<TButton>(nullptr);
    button->SetBounds(5, 5, 80, 25);
    button->SetCaption(L"저장");
    button->SetParent(box);
    TBox* later = Create<TBox>(nullptr);
    later->SetBounds(100, 100, 20, 20);
    later->SetParent(host);
    HWND oldBox = box->Handle();
    HWND oldButton = button->Handle();
    // Child order is z-order: the later sibling is above.
    EXPECT_EQ(GetWindow(host->Handle(), GW_CHILD), later->Handle());
    MessageLog log(box);

    box->RecreateWnd();

    EXPECT_EQ(log.Count(CM_RECREATEWND), 1u);
    log.Detach();
    HWND newBox = box->WindowHandle();
    ASSERT_NE(newBox, nullptr);
    EXPECT_FALSE(IsWindow(oldBox));
    EXPECT_FALSE(IsWindow(oldButton));
    EXPECT_EQ(FindControl(newBox), box);
    EXPECT_EQ(WindowText(newBox), L"패널");
    EXPECT_EQ(WindowBoundsInParent(newBox), TRect(12, 14, 162, 104));
    EXPECT_TRUE(IsWindowVisible(newBox));
    ASSERT_TRUE(button->HandleAllocated());
    EXPECT_EQ(GetParent(button->WindowHandle()), newBox);
    EXPECT_EQ(WindowText(button->WindowHandle()), L"저장");
    EXPECT_TRUE(IsWindowVisible(button->WindowHandle()));
    // Back in its place below the later sibling.
    EXPECT_EQ(GetWindow(later->Handle(), GW_HWNDNEXT), newBox);
}

TEST_F(HostTest, AlignClientFollowsTheParentWindow) {
    TBox* box = Create<TBox>(nullptr);
    box->SetParent(host);
    box->SetAlign(alClient);
    EXPECT_EQ(WindowBoundsInParent(box->Handle()), TRect(0, 0, 320, 240));
    host->SetBounds(50, 60, 400, 300);
    EXPECT_EQ(WindowBoundsInParent(box->Handle()), TRect(0, 0, 400, 300));
    EXPECT_EQ(box->BoundsRect(), TRect(0, 0, 400, 300));
}

TEST_F(HostTest, BorderWidthIsANonClientBandInTheBrushColour) {
    TBox* box = Create<TBox>(nullptr);
    box->SetBounds(10, 10, 100, 80);
    box->SetColor(clYellow);
    TBox* inner = Create<TBox>(box);
    inner->SetColor(clBlue);
    inner->SetAlign(alClient);
    inner->SetParent(box);
    // Without a window the client rectangle already leaves the border out.
    box->SetBorderWidth(6);
    EXPECT_EQ(box->ClientRect(), TRect(0, 0, 88, 68));
    box->SetParent(host);

    for (int w : {10, 0, 3, 6}) {
        MessageLog log(box);
        box->SetBorderWidth(w);
        log.Detach();
        RECT client;
        GetClientRect(box->Handle(), &client);
        EXPECT_EQ(TRect(client), TRect(0, 0, 100 - 2 * w, 80 - 2 * w)) << w;
        POINT origin{0, 0};
        MapWindowPoints(box->Handle(), host->Handle(), &origin, 1);
        EXPECT_EQ(TPoint(origin), TPoint(10 + w, 10 + w)) << w;
        EXPECT_EQ(box->ClientRect(), TRect(client));
        // The aligned child follows the new client area.
        EXPECT_EQ(inner->BoundsRect(), TRect(client)) << w;
        EXPECT_EQ(log.Count(CM_BORDERCHANGED), 1u);
    }

    box->SetBorderWidth(10);
    box->Repaint();
    Pump(30);
    Capture cap = CaptureWindow(box->Handle());
    EXPECT_EQ(cap.At(2, 2), Rgb(clYellow));
    EXPECT_EQ(cap.At(97, 40), Rgb(clYellow));
    EXPECT_EQ(cap.At(10, 10), Rgb(clBlue));
    EXPECT_EQ(cap.At(89, 69), Rgb(clBlue));
    EXPECT_EQ(cap.At(90, 70), Rgb(clYellow));
    // A copy made with PaintTo has the band too.
    MemorySurface copy(100, 80);
    box->PaintTo(copy.DC(), 0, 0);
    EXPECT_EQ(copy.At(2, 2), Rgb(clYellow));
    EXPECT_EQ(copy.At(50, 75), Rgb(clYellow));
    EXPECT_EQ(copy.At(50, 40), Rgb(clBlue));
}

namespace {

// The windowed children of a window from the bottom of the z-order up.
std::vector<TWinControl*> ZOrder(TWinControl* parent) {
    std::vector<TWinControl*> order;
    for (HWND h = GetWindow(parent->Handle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        order.insert(order.begin(), FindControl(h));
    return order;
}

std::vector<TControl*> Children(TWinControl* parent) {
    std::vector<TControl*> list;
    for (int i = 0; i < parent->ControlCount(); ++i) list.push_back(parent->Controls(i));
    return list;
}

}  // namespace

TEST_F(HostTest, SetChildOrderMovesAChildInItsGroupAndItsWindowInTheZOrder) {
    TPlain* g1 = Create<TPlain>(host);
    TPlain* g2 = Create<TPlain>(host);
    TBox* a = Create<TBox>(host);
    TBox* b = Create<TBox>(host);
    TBox* c = Create<TBox>(host);
    for (TControl* x : std::initializer_list<TControl*>{a, g1, b, g2, c}) x->SetParent(host);
    using W = std::vector<TWinControl*>;
    using L = std::vector<TControl*>;
    EXPECT_EQ(Children(host), (L{g1, g2, a, b, c}));
    EXPECT_EQ(ZOrder(host), (W{a, b, c}));

    struct Case {
        TControl* child;
        int order;
        L list;
        W z;
    } cases[] = {
        {c, 2, {g1, g2, c, a, b}, {c, a, b}},
        // Right after a: the overlay's place above a control.
        {c, 3, {g1, g2, a, c, b}, {a, c, b}},
        {a, 99, {g1, g2, c, b, a}, {c, b, a}},
        // An order inside the graphic group: the first windowed place.
        {b, 0, {g1, g2, b, c, a}, {b, c, a}},
        {g2, 0, {g2, g1, b, c, a}, {b, c, a}},
        {g2, 4, {g1, g2, b, c, a}, {b, c, a}},
    };
    for (const Case& k : cases) {
        host->SetChildOrder(k.child, k.order);
        EXPECT_EQ(Children(host), k.list) << k.child->Name().c_str() << " " << k.order;
        EXPECT_EQ(ZOrder(host), k.z) << k.order;
    }
    // Not a child here: nothing moves.
    TBox* other = Create<TBox>(host);
    host->SetChildOrder(other, 0);
    EXPECT_EQ(Children(host), (L{g1, g2, b, c, a}));
    // A window made again goes back to the place the order gives it.
    c->RecreateWnd();
    EXPECT_EQ(ZOrder(host), (W{b, c, a}));
    // Order set before the windows exist is the order they are made in.
    TBox* box = Create<TBox>(nullptr);
    TBox* x = Create<TBox>(box);
    TBox* y = Create<TBox>(box);
    x->SetParent(box);
    y->SetParent(box);
    box->SetChildOrder(y, 0);
    box->SetParent(host);
    EXPECT_EQ(ZOrder(box), (W{y, x}));
    box->Free();
}

namespace {

// Paints red and writes down which DCs it was given, and their windows.
class TRedControl : public TCustomControl {
public:
    explicit TRedControl(TComponent* AOwner) : TCustomControl(AOwner) {}
    String ClassName() const override { return L"TRedControl"; }
    std::vector<HDC> PaintDCs;
    std::vector<HWND> PaintWindows;

protected:
    void Paint() override {
        PaintDCs.push_back(Canvas()->Handle());
        PaintWindows.push_back(WindowFromDC(Canvas()->Handle()));
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(TRect(0, 0, 40, 40));
    }
};

}  // namespace

TEST_F(HostTest, DoubleBufferedPaintsIntoAMemoryBitmapErasedThere) {
    TRedControl* c = Create<TRedControl>(host);
    c->SetBounds(10, 10, 80, 60);
    c->SetColor(clLime);
    c->SetParent(host);
    Pump(30);
    for (bool buffered : {false, true}) {
        c->SetDoubleBuffered(buffered);
        c->PaintDCs.clear();
        c->PaintWindows.clear();
        MessageLog log(c);
        c->Repaint();
        log.Detach();
        ASSERT_EQ(c->PaintDCs.size(), 1u) << buffered;
        // A memory DC belongs to no window.
        EXPECT_EQ(c->PaintWindows[0], buffered ? nullptr : c->Handle());
        // Buffered, the one erase that paints is the bitmap's own (WParam = LParam).
        std::vector<WPARAM> ownErases;
        for (const TMessage& m : log.Messages)
            if (m.Msg == WM_ERASEBKGND && m.WParam == WPARAM(m.LParam)) ownErases.push_back(m.WParam);
        if (buffered)
            EXPECT_EQ(ownErases, (std::vector<WPARAM>{reinterpret_cast<WPARAM>(c->PaintDCs[0])}));
        else
            EXPECT_TRUE(ownErases.empty());
        Capture cap = CaptureWindow(c->Handle());
        EXPECT_EQ(cap.At(5, 5), Rgb(clRed)) << buffered;
        EXPECT_EQ(cap.At(60, 50), Rgb(clLime)) << buffered;
    }
    // Any other erase request leaves the DC alone while double buffered.
    MemorySurface other(80, 60);
    EXPECT_EQ(c->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(other.DC()), 0), 1);
    EXPECT_EQ(other.At(60, 50), 0u);
    c->SetDoubleBuffered(false);
    c->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(other.DC()), 0);
    EXPECT_EQ(other.At(60, 50), Rgb(clLime));
}

TEST_F(HostTest, ChildNotificationsAreReflectedToTheChildObject) {
    TButton* button = Create<TButton>(nullptr);
    button->SetParent(host);
    MessageLog log(button);
    int clicks = 0;
    struct Counter {
        int* n;
        void OnClick(TObject*) { ++*n; }
    } counter{&clicks};
    button->OnClick = TNotifyEvent(&counter, &Counter::OnClick);

    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(log.Count(CN_COMMAND), 1u);
    log.Detach();
}

TEST_F(HostTest, EachReflectedNotificationReachesTheChildThatSentIt) {
    TBox* child = Create<TBox>(nullptr);
    child->SetParent(host);
    TBox* other = Create<TBox>(nullptr);
    other->SetParent(host);
    HWND c = child->Handle();
    HWND parent = host->Handle();
    struct Answer {
        std::vector<UINT> seen;
        TWndMethod old;
        void Hook(TMessage& m) {
            if (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400) {
                seen.push_back(m.Msg);
                m.Result = 0x55;
                return;
            }
            old(m);
        }
    } answer{{}, child->WindowProc()};
    child->SetWindowProc(TWndMethod(&answer, &Answer::Hook));

    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.hwndItem = c;
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_LISTBOX;
    mis.CtlID = UINT(GetDlgCtrlID(c));
    NMHDR nm = {c, UINT_PTR(GetDlgCtrlID(c)), 0};
    HDC dc = GetDC(c);
    const struct {
        UINT msg;
        WPARAM w;
        LPARAM l;
    } table[] = {
        {WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), BN_CLICKED), LPARAM(c)},
        {WM_NOTIFY, WPARAM(GetDlgCtrlID(c)), LPARAM(&nm)},
        {WM_DRAWITEM, WPARAM(dis.CtlID), LPARAM(&dis)},
        {WM_MEASUREITEM, WPARAM(mis.CtlID), LPARAM(&mis)},
        {WM_HSCROLL, SB_LINEDOWN, LPARAM(c)},
        {WM_VSCROLL, SB_LINEUP, LPARAM(c)},
        {WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(c)},
        {WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(c)},
    };
    for (auto& row : table) {
        answer.seen.clear();
        EXPECT_EQ(SendMessageW(parent, row.msg, row.w, row.l), 0x55) << std::hex << row.msg;
        EXPECT_EQ(answer.seen, (std::vector<UINT>{CN_BASE + row.msg})) << std::hex << row.msg;
    }
    // Not from a framework control: the parent's default handling, no reflection.
    answer.seen.clear();
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0);
    SendMessageW(parent, WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_TRUE(answer.seen.empty());
    ReleaseDC(c, dc);
    child->SetWindowProc(answer.old);
}

TEST_F(HostTest, CtlColorIsAnsweredByTheChildsOwnBrush) {
    TTestEdit* edit = Create<TTestEdit>(nullptr);
    edit->SetColor(clRed);
    edit->SetParent(host);
    edit->Repaint();
    Pump(50);
    Capture cap = CaptureWindow(host->Handle());
    // Right of any text, inside the edit.
    EXPECT_EQ(cap.At(10 + 100, 10 + 12), Rgb(clRed));
}

TEST_F(HostTest, KeySetToZeroNeverReachesTheNativeWindow) {
    TTestEdit* edit = Create<TTestEdit>(nullptr);
    edit->SetParent(host);
    TButton* button = Create<TButton>(nullptr);
    button->SetBounds(10, 60, 80, 25);
    button->SetParent(host);

    struct Filter {
        WORD downKey = 0;
        wchar_t pressKey = 0;
        void Down(TObject*, WORD& Key, TShiftState) {
            if (Key == downKey) Key = 0;
        }
        void Press(TObject*, wchar_t& Key) {
            if (Key == pressKey) Key = 0;
        }
    } filter;
    edit->OnKeyDown = TKeyEvent(&filter, &Filter::Down);
    edit->OnKeyPress = TKeyPressEvent(&filter, &Filter::Press);
    button->OnKeyDown = TKeyEvent(&filter, &Filter::Down);
    HWND e = edit->Handle();

    filter.pressKey = L'x';
    for (wchar_t ch : String(L"axb")) SendMessageW(e, WM_CHAR, ch, 1);
    EXPECT_EQ(WindowText(e), L"ab");

    // Delete at the start: swallowed, then let through.
    SendMessageW(e, EM_SETSEL, 0, 0);
    filter.downKey = VK_DELETE;
    SendMessageW(e, WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(WindowText(e), L"ab");
    filter.downKey = 0;
    SendMessageW(e, WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(WindowText(e), L"b");

    // The button's native space handling presses it; a swallowed space does not.
    HWND b = button->Handle();
    filter.downKey = VK_SPACE;
    SendMessageW(b, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    filter.downKey = 0;
    SendMessageW(b, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_NE(SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    SendMessageW(b, BM_SETSTATE, FALSE, 0);
}

TEST(WinControl, PreviewingParentSeesKeysFirstAndCanSwallowThem) {
    struct TPreviewHost : THostWindow {
        using THostWindow::THostWindow;
        bool KeyPreviewActive() const override { return true; }
    };
    TPreviewHost* host = Create<TPreviewHost>(nullptr);
    TTestEdit* edit = Create<TTestEdit>(nullptr);
    edit->SetParent(host);
    host->Show();
    struct Order {
        std::vector<TObject*> seen;
        TObject* swallowAt = nullptr;
        void Press(TObject* Sender, wchar_t& Key) {
            seen.push_back(Sender);
            if (Sender == swallowAt) Key = 0;
        }
    } order;
    host->OnKeyPress = TKeyPressEvent(&order, &Order::Press);
    edit->OnKeyPress = TKeyPressEvent(&order, &Order::Press);
    HWND e = edit->Handle();

    SendMessageW(e, WM_CHAR, L'a', 1);
    EXPECT_EQ(order.seen, (std::vector<TObject*>{host, edit}));
    order.seen.clear();
    order.swallowAt = host;
    SendMessageW(e, WM_CHAR, L'b', 1);
    EXPECT_EQ(order.seen, (std::vector<TObject*>{host}));
    EXPECT_EQ(WindowText(e), L"a");
    host->Free();
}

TEST_F(HostTest, MouseEnterAndLeaveCarryTheControlUpTheParentChain) {
    TBox* panel = Create<TBox>(nullptr);
    panel->SetBounds(20, 20, 200, 150);
    panel->SetParent(host);
    TPlain* label = Create<TPlain>(nullptr);
    label->SetBounds(10, 10, 50, 30);
    label->SetParent(panel);
    SetWindowPos(host->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Pump(30);

    // The pointer moves asynchronously (an X warp): wait until the system
    // reports it there steadily, without dispatching the mouse messages
    // meanwhile, so that the idle step alone makes the change.
    auto moveTo = [](TPoint p) {
        SetCursorPos(p.X, p.Y);
        for (int i = 0, steady = 0; i < 300 && steady < 5; ++i) {
            Sleep(10);
            POINT c;
            GetCursorPos(&c);
            steady = (c.x == p.X && c.y == p.Y) ? steady + 1 : 0;
        }
        DoMouseIdle();
    };
    moveTo(TPoint(5, 5));
    EXPECT_EQ(MouseControl(), nullptr);

    MessageLog labelLog(label), panelLog(panel), hostLog(host);
    auto hover = [](const MessageLog& log) {
        std::vector<std::pair<UINT, LPARAM>> out;
        for (const TMessage& m : log.Messages)
            if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) out.push_back({m.Msg, m.LParam});
        return out;
    };
    auto clear = [&] {
        labelLog.Clear();
        panelLog.Clear();
        hostLog.Clear();
    };
    const auto L = reinterpret_cast<LPARAM>(label);
    const auto P = reinterpret_cast<LPARAM>(panel);
    using Seq = std::vector<std::pair<UINT, LPARAM>>;

    // Driven by the cursor position, as the idle step does.
    TPoint overLabel = panel->ClientToScreen(TPoint(30, 20));
    moveTo(overLabel);
    EXPECT_EQ(MouseControl(), label);
    EXPECT_EQ(hover(labelLog), (Seq{{CM_MOUSEENTER, L}}));
    EXPECT_EQ(hover(panelLog), (Seq{{CM_MOUSEENTER, L}}));
    EXPECT_EQ(hover(hostLog), (Seq{{CM_MOUSEENTER, L}}));

    clear();
    TPoint overPanel = panel->ClientToScreen(TPoint(150, 100));
    moveTo(overPanel);
    EXPECT_EQ(MouseControl(), panel);
    EXPECT_EQ(hover(labelLog), (Seq{{CM_MOUSELEAVE, L}}));
    EXPECT_EQ(hover(panelLog), (Seq{{CM_MOUSELEAVE, L}, {CM_MOUSEENTER, P}}));
    EXPECT_EQ(hover(hostLog), (Seq{{CM_MOUSELEAVE, L}, {CM_MOUSEENTER, P}}));

    // Driven by a mouse message: the parent hands it to the graphic child.
    clear();
    SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 20));
    EXPECT_EQ(MouseControl(), label);
    EXPECT_EQ(hover(labelLog), (Seq{{CM_MOUSEENTER, L}}));
    EXPECT_EQ(hover(hostLog), (Seq{{CM_MOUSELEAVE, P}, {CM_MOUSEENTER, L}}));
    labelLog.Detach();
    panelLog.Detach();
    hostLog.Detach();
}

// A busy application sets Screen.Cursor; moving the mouse over a control
// must not put the control's own cursor back until it is reset.
TEST_F(HostTest, ScreenCursorWinsOverTheControlsCursor) {
    host->SetCursor(crHandPoint);
    HWND h = host->Handle();
    auto setCursor = [h] {
        return SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    EXPECT_EQ(setCursor(), 1);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(setCursor(), 1);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));

    Screen->SetCursor(crDefault);
    EXPECT_EQ(setCursor(), 1);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(HostTest, ExceptionInAnEventHandlerReachesTheBoundaryAndTheLoopGoesOn) {
    std::vector<String> caught;
    SetBoundaryExceptionHandler([&](const Exception& e) { caught.push_back(e.Message); });
    TButton* button = Create<TButton>(nullptr);
    button->SetParent(host);
    struct Thrower {
        int calls = 0;
        void OnClick(TObject*) {
            if (++calls == 1) throw EInvalidOperation(L"처리기 오류");
        }
    } thrower;
    button->OnClick = TNotifyEvent(&thrower, &Thrower::OnClick);

    PostMessageW(button->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !caught.empty(); }));
    EXPECT_EQ(caught[0], L"처리기 오류");
    // The window and the loop are still alive: the next click is handled.
    PostMessageW(button->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return thrower.calls == 2; }));
    EXPECT_EQ(caught.size(), 1u);
    EXPECT_TRUE(IsWindow(button->WindowHandle()));
}

TEST_F(HostTest, FocusAndTabOrder) {
    TTestEdit* a = Create<TTestEdit>(nullptr);
    TTestEdit* b = Create<TTestEdit>(nullptr);
    a->SetParent(host);
    b->SetParent(host);
    EXPECT_EQ(a->TabOrder(), 0);
    EXPECT_EQ(b->TabOrder(), 1);
    b->SetTabOrder(0);
    std::vector<TWinControl*> order;
    host->GetTabOrderList(order);
    EXPECT_EQ(order, (std::vector<TWinControl*>{b, a}));

    SetForegroundWindow(host->Handle());
    a->SetFocus();
    EXPECT_TRUE(a->Focused());
    b->SetVisible(false);
    EXPECT_FALSE(b->CanFocus());
    b->SetVisible(true);
    b->SetEnabled(false);
    EXPECT_FALSE(b->CanFocus());
    EXPECT_FALSE(IsWindowEnabled(b->Handle()));
}

TEST(ObjectInstance, SubclassesARawWindowAndMayFreeItselfInsideWmDestroy) {
    HWND w = CreateWindowExW(0, L"STATIC", L"처음", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr),
                             nullptr);
    ASSERT_NE(w, nullptr);
    struct Wrapper {
        HWND wnd = nullptr;
        WNDPROC old = nullptr;
        WNDPROC self = nullptr;
        std::vector<UINT> seen;
        bool freedInDestroy = false;
        void Proc(TMessage& m) {
            seen.push_back(m.Msg);
            if (m.Msg == 0xA100) {
                m.Result = 1234;
                return;
            }
            if (m.Msg == 0xA101) throw EInvalidOperation(L"wrapper");
            m.Result = CallWindowProcW(old, wnd, m.Msg, m.WParam, m.LParam);
            if (m.Msg == WM_DESTROY) {
                // Unhook and free its own procedure while it is running; the
                // freed slot is even reused at once.
                SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
                FreeObjectInstance(self);
                for (int i = 0; i < 3; ++i) FreeObjectInstance(MakeObjectInstance(TWndMethod()));
                freedInDestroy = true;
            }
        }
    } wrap;
    wrap.wnd = w;
    std::vector<String> caught;
    SetBoundaryExceptionHandler([&](const Exception& e) { caught.push_back(e.Message); });
    wrap.self = MakeObjectInstance(TWndMethod(&wrap, &Wrapper::Proc));
    wrap.old = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wrap.self)));

    EXPECT_EQ(SendMessageW(w, 0xA100, 0, 0), 1234);
    EXPECT_EQ(SendMessageW(w, 0xA101, 0, 0), 0);
    EXPECT_EQ(caught, (std::vector<String>{L"wrapper"}));
    SetWindowTextW(w, L"바뀐 글");  // passed on to the system procedure
    EXPECT_EQ(WindowText(w), L"바뀐 글");
    DestroyWindow(w);
    EXPECT_TRUE(wrap.freedInDestroy);
    EXPECT_NE(std::find(wrap.seen.begin(), wrap.seen.end(), UINT(WM_DESTROY)), wrap.seen.end());
    SetBoundaryExceptionHandler(nullptr);
}
