// Menus: shortcut texts, the item tree behind its menu handles, owner draw
// on a real popup under Xvfb, and the main menu of a form.
#include "framework/windows/Menus.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app_fixture.h"
#include "control_fixture.h"
#include "framework/graphics/Bitmap.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"

using namespace fw;
using namespace fwtest;

namespace {

TMenuItem* NewItem(const String& Caption, TComponent* Owner = nullptr) {
    TMenuItem* item = Create<TMenuItem>(Owner);
    item->SetCaption(Caption);
    return item;
}

MENUITEMINFOW ItemInfo(HMENU Menu, UINT Position) {
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    EXPECT_TRUE(GetMenuItemInfoW(Menu, Position, TRUE, &mii));
    return mii;
}

String MenuText(HMENU Menu, UINT Position) {
    wchar_t buf[128] = {};
    GetMenuStringW(Menu, Position, buf, 128, MF_BYPOSITION);
    return buf;
}

void SaveScreenshot(const Capture& c, const wchar_t* Name) {
    TBitmap bmp(c.Width, c.Height, pf32bit);
    for (int y = 0; y < c.Height; ++y)
        std::memcpy(bmp.ScanLine(y), &c.Pixels[size_t(y) * size_t(c.Width)], size_t(c.Width) * 4);
    CreateDirectoryW(L"..\\screenshots", nullptr);
    bmp.SaveToFile(String(L"..\\screenshots\\") + Name);
}

}  // namespace

// ---- shortcuts

TEST(ShortCuts, TextAndBackTable) {
    struct {
        TShortCut shortCut;
        const wchar_t* text;
    } table[] = {
        {TShortCut(scAlt | VK_F4), L"Alt+F4"},
        {TShortCut(scCtrl | 'S'), L"Ctrl+S"},
        {TShortCut(scShift | scCtrl | scAlt | VK_DELETE), L"Shift+Ctrl+Alt+Del"},
        {TShortCut(scShift | VK_INSERT), L"Shift+Ins"},
        {TShortCut(VK_F12), L"F12"},
        {TShortCut(scCtrl | VK_RETURN), L"Ctrl+Enter"},
        {TShortCut(VK_ESCAPE), L"Esc"},
        {TShortCut(scCtrl | VK_PRIOR), L"Ctrl+PgUp"},
        {TShortCut(scCtrl | VK_NEXT), L"Ctrl+PgDn"},
        {TShortCut(VK_BACK), L"BkSp"},
        {TShortCut(scAlt | VK_SPACE), L"Alt+Space"},
        {TShortCut(scCtrl | '0'), L"Ctrl+0"},
        {TShortCut(VK_UP), L"Up"},
    };
    for (auto& row : table) {
        EXPECT_EQ(ShortCutToText(row.shortCut), row.text);
        EXPECT_EQ(TextToShortCut(row.text), row.shortCut) << ToAnsi(row.text);
    }
    EXPECT_EQ(TextToShortCut(L"Alt+F4"), 0x8073);
    // Modifiers in any order and case; names without a key give nothing.
    EXPECT_EQ(TextToShortCut(L"alt+ctrl+s"), TShortCut(scCtrl | scAlt | 'S'));
    EXPECT_EQ(TextToShortCut(L"Ctrl+"), scNone);
    EXPECT_EQ(TextToShortCut(L"Ctrl+Nothing"), scNone);
    EXPECT_EQ(TextToShortCut(L""), scNone);
    EXPECT_EQ(ShortCutToText(scNone), L"");
    EXPECT_EQ(ShortCut('S', {ssCtrl, ssShift}), TShortCut(scCtrl | scShift | 'S'));
}

// ---- the item tree and its handles

TEST(Menus, HandleFollowsTheItemsAndOwnerDrawRebuildsIt) {
    TPopupMenu* menu = Create<TPopupMenu>(nullptr);
    TMenuItem* open = NewItem(L"&Open");
    open->SetShortCut(TextToShortCut(L"Ctrl+O"));
    TMenuItem* line = NewItem(L"-");
    TMenuItem* hidden = NewItem(L"Hidden");
    hidden->SetVisible(false);
    TMenuItem* recent = NewItem(L"Recent");
    TMenuItem* first = NewItem(L"first.txt");
    menu->Items()->Add(open);
    menu->Items()->Add(line);
    menu->Items()->Add(hidden);
    menu->Items()->Add(recent);
    recent->Add(first);

    HMENU h = menu->Handle();
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(GetMenuItemCount(h), 3);  // the hidden item is left out
    EXPECT_EQ(MenuText(h, 0), L"&Open\tCtrl+O");
    EXPECT_TRUE(ItemInfo(h, 1).fType & MFT_SEPARATOR);
    MENUITEMINFOW sub = ItemInfo(h, 2);
    EXPECT_EQ(sub.hSubMenu, recent->Handle());
    EXPECT_EQ(sub.wID, recent->Command());
    EXPECT_EQ(MenuText(sub.hSubMenu, 0), L"first.txt");
    EXPECT_EQ(ItemInfo(h, 0).dwItemData, reinterpret_cast<ULONG_PTR>(open));

    // Lookups by command, by list handle and by shortcut.
    EXPECT_EQ(menu->FindItem(first->Command(), fkCommand), first);
    EXPECT_EQ(menu->FindItem(reinterpret_cast<UINT_PTR>(recent->Handle()), fkHandle), recent);
    EXPECT_EQ(menu->FindItem(TextToShortCut(L"Ctrl+O"), fkShortCut), open);
    EXPECT_EQ(menu->FindItem(0, fkCommand), nullptr);
    EXPECT_EQ(first->GetParentMenu(), menu);
    EXPECT_EQ(first->Parent(), recent);
    EXPECT_NE(open->Command(), first->Command());

    // OwnerDraw rebuilds every list made so far with MFT_OWNERDRAW, and back.
    EXPECT_FALSE(ItemInfo(h, 0).fType & MFT_OWNERDRAW);
    menu->SetOwnerDraw(true);
    EXPECT_EQ(menu->Handle(), h);
    EXPECT_TRUE(ItemInfo(h, 0).fType & MFT_OWNERDRAW);
    EXPECT_TRUE(ItemInfo(h, 1).fType & MFT_OWNERDRAW);
    EXPECT_TRUE(ItemInfo(recent->Handle(), 0).fType & MFT_OWNERDRAW);
    EXPECT_EQ(ItemInfo(h, 2).hSubMenu, recent->Handle());
    menu->SetOwnerDraw(false);
    EXPECT_FALSE(ItemInfo(recent->Handle(), 0).fType & MFT_OWNERDRAW);

    // Property changes reach the handle.
    hidden->SetVisible(true);
    open->SetEnabled(false);
    open->SetDefault(true);
    open->SetBreak(mbBarBreak);
    ASSERT_EQ(GetMenuItemCount(h), 4);
    MENUITEMINFOW o = ItemInfo(h, 0);
    EXPECT_TRUE(o.fState & MFS_DISABLED);
    EXPECT_TRUE(o.fState & MFS_DEFAULT);
    EXPECT_TRUE(o.fType & MFT_MENUBARBREAK);
    EXPECT_EQ(MenuText(h, 2), L"Hidden");

    // Delete takes an item out without freeing it; Clear frees the children.
    menu->Items()->Delete(0);
    EXPECT_EQ(open->Parent(), nullptr);
    EXPECT_EQ(GetMenuItemCount(h), 3);
    EXPECT_THROW(recent->Add(hidden), EMenuError);  // already in a list
    open->Free();
    recent->Clear();
    EXPECT_EQ(recent->Count(), 0);
    EXPECT_EQ(GetMenuItemCount(recent->Handle()), 0);
    menu->Free();
    EXPECT_FALSE(IsMenu(h));
}

TEST(Menus, RadioItemsOfAGroupCheckOneAtATime) {
    TPopupMenu* menu = Create<TPopupMenu>(nullptr);
    TMenuItem* a = NewItem(L"A");
    TMenuItem* b = NewItem(L"B");
    TMenuItem* other = NewItem(L"Other group");
    for (TMenuItem* i : {a, b, other}) {
        i->SetRadioItem(true);
        menu->Items()->Add(i);
    }
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    other->SetGroupIndex(2);
    other->SetChecked(true);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked());
    HMENU h = menu->Handle();
    EXPECT_TRUE(ItemInfo(h, 1).fType & MFT_RADIOCHECK);
    EXPECT_TRUE(ItemInfo(h, 1).fState & MFS_CHECKED);
    EXPECT_FALSE(ItemInfo(h, 0).fState & MFS_CHECKED);

    // A disabled item is not clicked by a command or a shortcut.
    int clicks = 0;
    struct Counter {
        int* n;
        void Click(TObject*) { ++*n; }
    } counter{&clicks};
    a->OnClick = TNotifyEvent(&counter, &Counter::Click);
    a->SetShortCut(TShortCut(scCtrl | 'A'));
    EXPECT_TRUE(menu->DispatchCommand(a->Command()));
    EXPECT_TRUE(menu->IsShortCut('A', {ssCtrl}));
    EXPECT_FALSE(menu->IsShortCut('A', {}));
    a->SetEnabled(false);
    EXPECT_TRUE(menu->DispatchCommand(a->Command()));
    EXPECT_FALSE(menu->IsShortCut('A', {ssCtrl}));
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(menu->DispatchCommand(0xEFFF));
    menu->Free();
}

// ---- owner draw on a real popup

namespace {

constexpr int kItemWidth = 150;
constexpr int kItemHeight = 26;
constexpr int kLineHeight = 7;
const TColor kColours[] = {TColor(0x3080E0), TColor(0x000000), TColor(0x20B040), TColor(0xC06010)};
const TColor kSelected = TColor(0x2020D0);

struct PopupProbe {
    TPopupMenu* menu = nullptr;
    std::vector<TMenuItem*> items;
    std::vector<TRect> rects = std::vector<TRect>(4);
    std::vector<TOwnerDrawState> states = std::vector<TOwnerDrawState>(4);
    std::vector<bool> canvasDrew = std::vector<bool>(4);
    int measured = 0;
    int drawn = 0;
    TMenuItem* clicked = nullptr;
    HWND menuWindow = nullptr;
    TPoint clientOffset;  // the popup's client area inside its window captures
    Capture unselected, selected;
    int step = 0;

    int IndexOf(TObject* Sender) const {
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i] == Sender) return int(i);
        return -1;
    }
    void Measure(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
        ++measured;
        EXPECT_TRUE(ACanvas->HandleAllocated());
        Width = kItemWidth;
        Height = static_cast<TMenuItem*>(Sender)->IsLine() ? kLineHeight : kItemHeight;
    }
    void Draw(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State) {
        int i = IndexOf(Sender);
        ASSERT_GE(i, 0);
        ++drawn;
        rects[size_t(i)] = ARect;
        states[size_t(i)] = State;
        TColor c = State.Contains(odSelected) ? kSelected : kColours[i];
        ACanvas->Brush()->SetColor(c);
        ACanvas->FillRect(ARect);
        // The canvas draws on the DC the system gave.
        canvasDrew[size_t(i)] = ColorToRGB(ACanvas->Pixels(ARect.Left + 2, ARect.Top + 2)) == ColorToRGB(c);
        ACanvas->Font()->SetColor(clWhite);
        ACanvas->Brush()->SetStyle(bsClear);
        ACanvas->TextOut(ARect.Left + 40, ARect.Top + 4, static_cast<TMenuItem*>(Sender)->Caption());
    }
    void Click(TObject* Sender) { clicked = static_cast<TMenuItem*>(Sender); }
} popupProbe;

HWND FindMenuWindow() {
    for (HWND w = FindWindowW(L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == GetCurrentProcessId() && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// The client rectangle of the popup window as an offset into a window capture.
TPoint ClientOffset(HWND w) {
    RECT wr;
    GetWindowRect(w, &wr);
    POINT o = {0, 0};
    ClientToScreen(w, &o);
    return TPoint(o.x - wr.left, o.y - wr.top);
}

// Runs inside the menu's own loop: looks at the popup, then chooses by keys.
void CALLBACK PopupTimer(HWND, UINT, UINT_PTR id, DWORD) {
    PopupProbe& p = popupProbe;
    HWND w = FindMenuWindow();
    ++p.step;
    if (p.step > 40) {  // never leave the test hanging in the menu loop
        KillTimer(nullptr, id);
        EndMenu();
        return;
    }
    if (!w || p.drawn < 4) return;
    p.menuWindow = w;
    if (p.unselected.Width == 0) {
        p.clientOffset = ClientOffset(w);
        p.unselected = CaptureWindow(w);
        PostMessageW(w, WM_KEYDOWN, VK_DOWN, 0);
    } else if (p.selected.Width == 0) {
        if (!p.states[0].Contains(odSelected)) return;
        p.selected = CaptureWindow(w);
        // Down skips the separator; Enter chooses "Second".
        PostMessageW(w, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(w, WM_KEYDOWN, VK_RETURN, 0);
        KillTimer(nullptr, id);
    }
}

}  // namespace

TEST(Menus, OwnerDrawnPopupIsMeasuredDrawnAndChosenByKeys) {
    PopupProbe& p = popupProbe;
    p = PopupProbe();
    p.menu = Create<TPopupMenu>(nullptr);
    p.menu->SetOwnerDraw(true);
    p.menu->SetMenuAnimation({maNone});
    for (const wchar_t* caption : {L"First", L"-", L"Second", L"Third"}) {
        TMenuItem* item = NewItem(caption);
        item->OnMeasureItem = TMenuMeasureItemEvent(&p, &PopupProbe::Measure);
        item->OnAdvancedDrawItem = TAdvancedMenuDrawItemEvent(&p, &PopupProbe::Draw);
        item->OnClick = TNotifyEvent(&p, &PopupProbe::Click);
        p.menu->Items()->Add(item);
        p.items.push_back(item);
    }
    p.items[2]->SetChecked(true);
    EXPECT_TRUE(p.menu->TrackFlags() & TPM_NOANIMATION);

    UINT_PTR timer = SetTimer(nullptr, 0, 100, PopupTimer);
    DWORD pid = GetCurrentProcessId();
    p.menu->Popup(40 + int(pid * 37 % 600), 40 + int(pid * 53 % 400));
    KillTimer(nullptr, timer);
    // The command is posted to the utility window: Click comes from the loop.
    EXPECT_TRUE(ProcessMessagesUntil([&] { return p.clicked != nullptr; }, 3000));
    EXPECT_EQ(p.clicked, p.items[2]);

    // The utility window the menu was tracked with.
    wchar_t cls[32] = {};
    GetClassNameW(PopupListWindow(), cls, 32);
    EXPECT_STREQ(cls, L"TPUtilWindow");

    EXPECT_GE(p.measured, 4);
    ASSERT_NE(p.menuWindow, nullptr);
    for (int i : {0, 2, 3}) {
        EXPECT_EQ(p.rects[size_t(i)].Height(), kItemHeight) << i;
        EXPECT_GE(p.rects[size_t(i)].Width(), kItemWidth) << i;
        EXPECT_TRUE(p.canvasDrew[size_t(i)]) << i;
    }
    EXPECT_EQ(p.rects[2].Top - p.rects[0].Bottom, kLineHeight);
    EXPECT_TRUE(p.states[2].Contains(odChecked));
    EXPECT_FALSE(p.states[3].Contains(odChecked));

    // What the popup showed: each item in its colour, then the first one selected.
    ASSERT_GT(p.unselected.Width, 0);
    ASSERT_GT(p.selected.Width, 0);
    SaveScreenshot(p.selected, L"menus-owner-drawn-popup.bmp");
    TPoint o = p.clientOffset;
    auto probe = [&](const Capture& c, int item) -> DWORD {
        const TRect& r = p.rects[size_t(item)];
        int x = o.X + r.Left + 6, y = o.Y + r.Top + r.Height() / 2;
        if (x < 0 || y < 0 || x >= c.Width || y >= c.Height) return 0xFFFFFFFF;
        return c.At(x, y);
    };
    EXPECT_EQ(probe(p.unselected, 0), Rgb(kColours[0]));
    EXPECT_EQ(probe(p.unselected, 2), Rgb(kColours[2]));
    EXPECT_EQ(probe(p.unselected, 3), Rgb(kColours[3]));
    EXPECT_EQ(probe(p.selected, 0), Rgb(kSelected));
    EXPECT_EQ(probe(p.selected, 3), Rgb(kColours[3]));
    p.menu->Free();
}

TEST(Menus, DefaultOwnerDrawPaintsTheSelectedItemInTheHighlightColour) {
    TPopupMenu* menu = Create<TPopupMenu>(nullptr);
    menu->SetOwnerDraw(true);
    TMenuItem* item = NewItem(L"Plain");
    item->SetShortCut(TShortCut(scCtrl | 'P'));
    menu->Items()->Add(item);
    menu->Handle();

    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = item->Command();
    mis.itemData = reinterpret_cast<ULONG_PTR>(item);
    ASSERT_TRUE(menu->DispatchMeasureItem(mis));
    EXPECT_GT(int(mis.itemWidth), 30);
    EXPECT_GT(int(mis.itemHeight), 8);

    MemorySurface surface(int(mis.itemWidth), int(mis.itemHeight));
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = item->Command();
    dis.itemData = mis.itemData;
    dis.hDC = surface.DC();
    dis.rcItem = RECT{0, 0, LONG(mis.itemWidth), LONG(mis.itemHeight)};
    dis.itemState = ODS_SELECTED;
    ASSERT_TRUE(menu->DispatchDrawItem(dis));
    EXPECT_EQ(surface.At(1, 1), Rgb(clHighlight));
    dis.itemState = 0;
    ASSERT_TRUE(menu->DispatchDrawItem(dis));
    EXPECT_EQ(surface.At(1, 1), Rgb(clMenu));

    // A number that names no item of this menu is left alone.
    dis.itemID = 0xEFFE;
    dis.itemData = 0x1234;
    EXPECT_FALSE(menu->DispatchDrawItem(dis));
    menu->Free();
}

// ---- the main menu of a form

TEST(Menus, MainMenuOnAFormTakesCommandsAndReportsChanges) {
    FormPtr<TForm> form(Create<TForm>(Application));
    TMainMenu* menu = Create<TMainMenu>(form.get());
    TMenuItem* file = NewItem(L"&File", form.get());
    TMenuItem* exit = NewItem(L"E&xit", form.get());
    menu->Items()->Add(file);
    file->Add(exit);
    bool clicked = false;
    struct Flag {
        bool* set;
        void Click(TObject*) { *set = true; }
    } flag{&clicked};
    exit->OnClick = TNotifyEvent(&flag, &Flag::Click);

    form->SetMenu(menu);
    form->Show();
    HWND wnd = form->Handle();
    EXPECT_EQ(form->Menu(), menu);
    EXPECT_EQ(GetMenu(wnd), menu->Handle());
    EXPECT_EQ(menu->WindowHandle(), wnd);
    EXPECT_EQ(MenuText(GetMenu(wnd), 0), L"&File");

    // A caption change rebuilds the bar and tells the form.
    MessageLog log(form.get());
    file->SetCaption(L"&Document");
    EXPECT_EQ(log.Count(CM_MENUCHANGED), 1u);
    EXPECT_EQ(MenuText(GetMenu(wnd), 0), L"&Document");

    // The menu's command reaches the item through the form's window.
    SendMessageW(wnd, WM_COMMAND, MAKEWPARAM(exit->Command(), 0), 0);
    EXPECT_TRUE(clicked);
    log.Detach();

    // The window goes, the menu stays usable.
    HMENU bar = menu->Handle();
    form->DestroyHandle();
    EXPECT_TRUE(IsMenu(bar));
    form->SetMenu(nullptr);
    EXPECT_EQ(menu->WindowHandle(), nullptr);
    // Freeing the menu clears the form's link.
    form->SetMenu(menu);
    menu->Free();
    EXPECT_EQ(form->Menu(), nullptr);
}

// ---- context menus of controls

namespace {
void CALLBACK CloseMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}
}  // namespace

TEST(Menus, ContextMenuPopsUpTheControlsPopupMenuUnlessHandled) {
    THostWindow* host = Create<THostWindow>(nullptr);
    TBox* box = Create<TBox>(nullptr);
    box->SetBounds(10, 10, 100, 80);
    box->SetParent(host);
    TPlain* label = Create<TPlain>(nullptr);
    label->SetBounds(5, 5, 30, 20);
    label->SetParent(box);
    host->Show();
    Pump(30);
    TPopupMenu* menu = Create<TPopupMenu>(nullptr);
    menu->Items()->Add(NewItem(L"Copy"));
    struct Probe {
        int popups = 0;
        bool handle = false;
        std::vector<TPoint> asked;
        void Popup(TObject*) {
            ++popups;
            SetTimer(nullptr, 0, 50, CloseMenuSoon);
        }
        void Context(TObject*, TPoint MousePos, bool& Handled) {
            asked.push_back(MousePos);
            Handled = handle;
        }
    } probe;
    menu->OnPopup = TNotifyEvent(&probe, &Probe::Popup);
    box->SetPopupMenu(menu);
    label->OnContextPopup = TContextPopupEvent(&probe, &Probe::Context);

    // Over the graphic child: it is asked first, then the box pops its menu.
    TPoint overLabel = box->ClientToScreen(TPoint(10, 10));
    LRESULT r =
        SendMessageW(box->Handle(), WM_CONTEXTMENU, WPARAM(box->Handle()), MAKELPARAM(overLabel.X, overLabel.Y));
    EXPECT_EQ(r, 1);
    EXPECT_EQ(probe.asked, (std::vector<TPoint>{TPoint(5, 5)}));
    EXPECT_EQ(probe.popups, 1);
    EXPECT_EQ(menu->PopupComponent(), box);

    // Handled by the child's event: no menu.
    probe.handle = true;
    SendMessageW(box->Handle(), WM_CONTEXTMENU, WPARAM(box->Handle()), MAKELPARAM(overLabel.X, overLabel.Y));
    EXPECT_EQ(probe.popups, 1);

    // From the keyboard, and not at all once AutoPopup is off or the menu is gone.
    SendMessageW(box->Handle(), WM_CONTEXTMENU, WPARAM(box->Handle()), MAKELPARAM(-1, -1));
    EXPECT_EQ(probe.popups, 2);
    menu->SetAutoPopup(false);
    SendMessageW(box->Handle(), WM_CONTEXTMENU, WPARAM(box->Handle()), MAKELPARAM(-1, -1));
    EXPECT_EQ(probe.popups, 2);
    menu->Free();
    EXPECT_EQ(box->PopupMenu(), nullptr);
    host->Free();
}

TEST(Menus, ShortcutKeysOfTheControlsPopupMenuAndTheFormsMenuClickTheirItems) {
    FormPtr<TForm> form(Create<TForm>(Application));
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* edit = new TEdit(form.get());
    edit->SetParent(panel);
    TMainMenu* bar = Create<TMainMenu>(form.get());
    TMenuItem* file = NewItem(L"File", form.get());
    TMenuItem* quit = NewItem(L"Quit", form.get());
    bar->Items()->Add(file);
    file->Add(quit);
    quit->SetShortCut(TextToShortCut(L"Alt+Q"));
    form->SetMenu(bar);
    TPopupMenu* context = Create<TPopupMenu>(form.get());
    TMenuItem* paste = NewItem(L"Paste", form.get());
    paste->SetShortCut(TextToShortCut(L"Alt+P"));
    context->Items()->Add(paste);
    panel->SetPopupMenu(context);
    std::vector<TObject*> clicks;
    struct Recorder {
        std::vector<TObject*>* list;
        void Click(TObject* s) { list->push_back(s); }
    } recorder{&clicks};
    quit->OnClick = TNotifyEvent(&recorder, &Recorder::Click);
    paste->OnClick = TNotifyEvent(&recorder, &Recorder::Click);
    form->Show();

    const LPARAM alt = 0x20000000;                         // the Alt bit of the key data
    EXPECT_EQ(edit->Perform(CN_SYSKEYDOWN, 'P', alt), 1);  // a parent's popup menu
    EXPECT_EQ(edit->Perform(CN_SYSKEYDOWN, 'Q', alt), 1);  // the form's menu
    EXPECT_EQ(edit->Perform(CN_SYSKEYDOWN, 'Z', alt), 0);  // nobody's
    EXPECT_EQ(clicks, (std::vector<TObject*>{paste, quit}));
}

TEST(Menus, OwnerDrawnMenuBarIsMeasuredAndDrawnThroughTheForm) {
    FormPtr<TForm> form(Create<TForm>(Application));
    DWORD pid = GetCurrentProcessId();
    form->SetBounds(30 + int(pid * 37 % 500), 30 + int(pid * 53 % 400), 300, 200);
    TMainMenu* bar = Create<TMainMenu>(form.get());
    bar->SetOwnerDraw(true);
    TMenuItem* view = NewItem(L"View", form.get());
    bar->Items()->Add(view);
    view->Add(NewItem(L"Zoom", form.get()));
    struct Painter {
        int measured = 0, drawn = 0;
        TRect rect;
        void Measure(TObject*, TCanvas*, int& Width, int& Height) {
            ++measured;
            Width = 77;
            Height = 18;
        }
        void Draw(TObject*, TCanvas* ACanvas, TRect ARect, TOwnerDrawState) {
            ++drawn;
            rect = ARect;
            ACanvas->Brush()->SetColor(TColor(0x00C0FF));
            ACanvas->FillRect(ARect);
        }
    } painter;
    view->OnMeasureItem = TMenuMeasureItemEvent(&painter, &Painter::Measure);
    view->OnAdvancedDrawItem = TAdvancedMenuDrawItemEvent(&painter, &Painter::Draw);
    form->SetMenu(bar);
    form->Show();
    ASSERT_TRUE(ProcessMessagesUntil([&] { return painter.drawn > 0; }));
    EXPECT_GT(painter.measured, 0);
    EXPECT_GE(painter.rect.Width(), 77);
    // The bar item on screen, in the handler's colour (the DC is the window's).
    Capture c = CaptureWindow(form->Handle());
    TPoint mid(painter.rect.Left + 5, painter.rect.Top + painter.rect.Height() / 2);
    ASSERT_TRUE(mid.X < c.Width && mid.Y < c.Height);
    EXPECT_EQ(c.At(mid.X, mid.Y), Rgb(TColor(0x00C0FF)));
}

TEST(Menus, MergedBarOrderFollowsTheGroups) {
    using V = std::vector<BYTE>;
    auto own = [](int i) { return TMergedItem{false, i}; };
    auto merged = [](int i) { return TMergedItem{true, i}; };
    struct Case {
        const char* what;
        V Own, Merged;
        std::vector<TMergedItem> bar;
    } cases[] = {
        {"nothing merged", {0, 0, 9}, {}, {own(0), own(1), own(2)}},
        {"only merged", {}, {1, 2}, {merged(0), merged(1)}},
        {"a group of the merged menu replaces every own item of it", {0, 1, 1, 9}, {1}, {own(0), merged(0), own(3)}},
        {"new groups go between by their order", {0, 5, 9}, {3, 7}, {own(0), merged(0), own(1), merged(1), own(2)}},
        {"same groups and higher ones", {0, 5}, {0, 0, 8}, {merged(0), merged(1), own(1), merged(2)}},
        {"lower than everything goes first", {2, 4}, {1}, {merged(0), own(0), own(1)}},
        {"all default groups: the merged items replace the own ones", {0, 0}, {0}, {merged(0)}},
    };
    for (const Case& c : cases) EXPECT_EQ(MergeMenuGroups(c.Own, c.Merged), c.bar) << c.what;
}
