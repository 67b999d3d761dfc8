// The window-creation hook under a real skin: framework forms get their
// providers by the rules (Tag, skip list, message forms against the
// standard-dialogs switch), and the system's message box and open dialog,
// both owned by a form, get the skinned frame: styles, title pixels, hit
// tests and title-button commands through synthetic non-client messages,
// and no GDI objects spent by repainting.
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "../FrameFixtures.h"
#include "common/GdiObjects.h"
#include "framework/windows/Application.h"
#include "framework/windows/Dialogs.h"
#include "framework/windows/Forms.h"
#include "skin/engine/sMessages.h"
#include "skin/engine/sSkinManager.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/acSupportedForms.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/paint/sCommonData.h"
#include "skin/windows/acListViewWnd.h"

using namespace skin;
using namespace formstest;

namespace {

void Pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    do {
        fw::Application->ProcessMessages();
        Sleep(5);
    } while (LONG(end - GetTickCount()) > 0);
}

struct FormFree {
    void operator()(fw::TComponent* c) const {
        if (c) c->Free();
    }
};
using FormPtr = std::unique_ptr<fw::TForm, FormFree>;

template <class T = fw::TForm>
std::unique_ptr<T, FormFree> ShownForm(int Tag, int X = 60) {
    std::unique_ptr<T, FormFree> f(new T(fw::Application.get()));
    f->AfterConstruction();
    f->SetTag(Tag);
    f->SetCaption(L"Owner");
    f->SetBounds(X, 60, 300, 200);
    f->Show();
    Pump(60);
    return f;
}

// A form of a class the skip list names.
class TSkippedForm : public fw::TForm {
public:
    using fw::TForm::TForm;
    fw::String ClassName() const override { return L"TfcPopup"; }
};

bool IsHandled(HWND h) { return SendMessageW(h, SM_ALPHACMD, MAKEWPARAM(0, smcIsHandled), 0) == 1; }

// The window as drawn (its window DC), saved under build/screenshots when named.
std::unique_ptr<fw::TBitmap> Shot(HWND Wnd, const wchar_t* Name = nullptr) {
    RECT wr;
    GetWindowRect(Wnd, &wr);
    auto shot = std::make_unique<fw::TBitmap>(wr.right - wr.left, wr.bottom - wr.top, fw::pf24bit);
    // The window's own surface: what reaches the screen is flushed later.
    HDC dc = GetWindowDC(Wnd);
    BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(Wnd, dc);
    if (Name) {
        CreateDirectoryW(L"..\\screenshots", nullptr);
        shot->SaveToFile(fw::String(L"..\\screenshots\\") + Name + L".bmp");
    }
    return shot;
}

// Pixels of the title band (inside the region) where the screen shows
// something else than the wrapper's frame image.
int TitleMismatches(TacDialogWnd* w) {
    const HWND h = w->CtrlHandle;
    auto shot = Shot(h);
    fw::TBitmap* cache = w->SkinData->FCacheBmp;
    if (!cache) return -1;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool haveRgn = GetWindowRgn(h, rgn) != ERROR;
    int bad = 0;
    const int bottom = std::min(w->OffsetY(), cache->Height());
    for (int y = 0; y < bottom; ++y)
        for (int x = 0; x < std::min(shot->Width(), cache->Width()); ++x) {
            if (haveRgn && !PtInRegion(rgn, x, y)) continue;
            if (GetPixel(shot->Canvas()->Handle(), x, y) != GetPixel(cache->Canvas()->Handle(), x, y)) ++bad;
        }
    DeleteObject(rgn);
    if (bad && getenv("KVB_DEBUG_SHOTS")) {
        shot->SaveToFile(L"..\\screenshots\\debug-shot.bmp");
        cache->SaveToFile(L"..\\screenshots\\debug-cache.bmp");
    }
    return bad;
}

fw::TPoint Centre(const fw::TRect& r) { return fw::TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

LPARAM ScreenAt(HWND h, fw::TPoint P) {
    RECT wr;
    GetWindowRect(h, &wr);
    return MAKELPARAM(wr.left + P.X, wr.top + P.Y);
}

LRESULT HitAt(HWND h, fw::TPoint P) { return SendMessageW(h, WM_NCHITTEST, 0, ScreenAt(h, P)); }

// Press and release at P, the codes coming from the hit test.
void ClickAt(HWND h, fw::TPoint P) {
    const LPARAM at = ScreenAt(h, P);
    SendMessageW(h, WM_NCLBUTTONDOWN, WPARAM(SendMessageW(h, WM_NCHITTEST, 0, at)), at);
    SendMessageW(h, WM_NCLBUTTONUP, WPARAM(SendMessageW(h, WM_NCHITTEST, 0, at)), at);
}

// Runs Check on the first visible "#32770" window of this thread once it
// shows, from a timer inside the modal loop that shows it.
std::function<void(HWND)> gCheck;
HWND gDialog = nullptr;

BOOL CALLBACK FindDialog(HWND h, LPARAM) {
    wchar_t cls[16] = {};
    GetClassNameW(h, cls, 16);
    if (IsWindowVisible(h) && lstrcmpW(cls, L"#32770") == 0) {
        gDialog = h;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR Id, DWORD) {
    gDialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, 0);
    if (!gDialog || !gCheck) return;
    KillTimer(nullptr, Id);
    auto check = std::move(gCheck);
    gCheck = nullptr;
    // Let the dialog finish painting first.
    for (int i = 0; i < 20; ++i) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        Sleep(10);
    }
    const HWND dlg = gDialog;
    check(dlg);
    // A check that failed before closing the box would leave the test in its
    // modal loop until the run's time-out: close it here.
    if (testing::Test::HasFailure() && IsWindow(dlg)) EndDialog(dlg, IDCANCEL);
}

void WhenDialogShows(std::function<void(HWND)> Check) {
    gCheck = std::move(Check);
    SetTimer(nullptr, 0, 100, OnTimer);
}

TacDialogWnd* DialogWrapperOf(HWND Dlg) {
    TacProvider* entry = FindFormInList(Dlg);
    return entry ? dynamic_cast<TacDialogWnd*>(entry->ListSW) : nullptr;
}

}  // namespace

TEST(SkinnedDialogs, FormsGetProvidersByTheRules) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    struct Case {
        int Tag;
        bool Skinned;
    };
    for (const Case& c : {Case{0, true}, Case{-99, true}, Case{-98, false}, Case{-2, false}, Case{-1, false}}) {
        auto f = ShownForm(c.Tag);
        EXPECT_EQ(c.Skinned, ProviderOf(f.get()) != nullptr) << "Tag " << c.Tag;
    }
    auto skipped = ShownForm<TSkippedForm>(0);
    EXPECT_EQ(nullptr, ProviderOf(skipped.get())) << "a class on the skip list";

    // Message forms follow the standard-dialogs switch, other forms the
    // standard-forms one.
    auto message = ShownForm<fw::TMessageForm>(0);
    EXPECT_NE(nullptr, ProviderOf(message.get()));
    skin.sm->SetFSkinningRules(TacSkinningRules{srStdForms});
    auto message2 = ShownForm<fw::TMessageForm>(0, 120);
    EXPECT_EQ(nullptr, ProviderOf(message2.get()));
    auto plain = ShownForm(0, 120);
    EXPECT_NE(nullptr, ProviderOf(plain.get()));
    skin.sm->SetFSkinningRules(TacSkinningRules{srStdDialogs});
    auto plain2 = ShownForm(0, 140);
    EXPECT_EQ(nullptr, ProviderOf(plain2.get()));
    // A form passed over at creation is tried again at its activation.
    skin.sm->SetFSkinningRules(TacSkinningRules{srStdForms, srStdDialogs});
    SetActiveWindow(plain->Handle());
    Pump(30);
    SetActiveWindow(plain2->Handle());
    Pump(60);
    EXPECT_NE(nullptr, ProviderOf(plain2.get()));
    // A system message box is refused without the standard-dialogs switch.
    skin.sm->SetFSkinningRules(TacSkinningRules{srStdForms});
    bool checked = false;
    WhenDialogShows([&](HWND dlg) {
        checked = true;
        EXPECT_FALSE(IsHandled(dlg));
        EXPECT_EQ(nullptr, DialogWrapperOf(dlg));
        PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    MessageBoxW(plain->Handle(), L"Plain", L"Unskinned", MB_OK);
    EXPECT_TRUE(checked);
}

TEST(SkinnedDialogs, AnOwnedMessageBoxIsSkinned) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    auto owner = ShownForm(0);
    const TFrameSkin k = skin.Frame();
    bool checked = false;
    int brushesLeft = 0;
    WhenDialogShows([&](HWND dlg) {
        checked = true;
        TacDialogWnd* w = DialogWrapperOf(dlg);
        ASSERT_NE(nullptr, w) << "an owned message box counts as top level";
        EXPECT_TRUE(IsHandled(dlg));
        EXPECT_EQ(acbsDialog, w->BorderStyle);
        EXPECT_EQ(0, GetWindowLongW(dlg, GWL_STYLE) & WS_SYSMENU) << "the system draws no close button";
        EXPECT_TRUE(w->dwStyle & WS_SYSMENU);
        EXPECT_EQ(k.SmallClose, w->Buttons.Close.ImageIndex) << "the small button set";
        HWND ok = FindWindowExW(dlg, nullptr, L"Button", nullptr);
        ASSERT_NE(nullptr, ok);
        EXPECT_TRUE(IsHandled(ok)) << "its button is wrapped";
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(ERROR, GetWindowRgn(dlg, rgn));
        DeleteObject(rgn);

        // The frame on the screen is the wrapper's image, active and inactive.
        EXPECT_EQ(0, TitleMismatches(w));
        Shot(dlg, L"skinned-message-box");
        const fw::TPoint title(w->OffsetX() + 20, w->OffsetY() / 2);
        const COLORREF active = GetPixel(w->SkinData->FCacheBmp->Canvas()->Handle(), title.X, title.Y);
        SendMessageW(dlg, WM_NCACTIVATE, FALSE, 0);
        Pump(30);
        EXPECT_EQ(0, TitleMismatches(w));
        EXPECT_NE(active, GetPixel(w->SkinData->FCacheBmp->Canvas()->Handle(), title.X, title.Y));
        SendMessageW(dlg, WM_NCACTIVATE, TRUE, 0);
        Pump(30);

        // Hit tests: the close button, the caption, the client area.
        const fw::TPoint close = Centre(w->Buttons.Close.Rect);
        // The real cursor stands there too: leave tracking would otherwise
        // put the hot button out at once.
        const LPARAM onClose = ScreenAt(dlg, close);
        SetCursorPos(short(LOWORD(onClose)), short(HIWORD(onClose)));
        Pump(50);
        EXPECT_EQ(HTCLOSE, HitAt(dlg, close));
        EXPECT_EQ(1, w->Buttons.Close.State);
        EXPECT_EQ(0, TitleMismatches(w)) << "the hot button drawn on the window";
        EXPECT_EQ(HTCAPTION, HitAt(dlg, title));
        EXPECT_EQ(0, w->Buttons.Close.State);
        RECT client;
        GetClientRect(dlg, &client);
        EXPECT_EQ(HTCLIENT, HitAt(dlg, fw::TPoint(w->OffsetX() + 5, w->OffsetY() + 5)));

        // Repainting spends no GDI objects: one background brush, one cache.
        const HBRUSH brush = HBRUSH(SendMessageW(dlg, WM_CTLCOLORDLG, 0, LPARAM(dlg)));
        const HBITMAP cache = w->SkinData->FCacheBmp->Handle();
        // The check is shown to fail once, on a brush leaked per repaint.
        for (const bool plantLeak : {false, true}) {
            std::vector<HBRUSH> planted;
            const GdiObjectCounts before = CountGdiObjects();
            for (int i = 0; i < 100; ++i) {
                w->SkinData->BGChanged = true;
                RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
                EXPECT_EQ(brush, HBRUSH(SendMessageW(dlg, WM_CTLCOLORDLG, 0, LPARAM(dlg))));
                if (plantLeak) planted.push_back(CreateSolidBrush(RGB(i, 0, 0)));
            }
            EXPECT_EQ(cache, w->SkinData->FCacheBmp->Handle());
            ExpectGdiObjectsKept(before, 2, plantLeak);
            for (HBRUSH b : planted) DeleteObject(b);
        }
        LOGBRUSH lb{};
        EXPECT_NE(0, GetObjectW(brush, sizeof(lb), &lb));
        EXPECT_EQ(fw::ColorToRGB(skin.sm->GetGlobalColor()), lb.lbColor);

        // A press on close released after the mouse moved away closes nothing.
        SendMessageW(dlg, WM_NCLBUTTONDOWN, WPARAM(SendMessageW(dlg, WM_NCHITTEST, 0, onClose)), onClose);
        EXPECT_EQ(2, w->Buttons.Close.State);
        EXPECT_EQ(0, TitleMismatches(w)) << "the pressed button restored from the title behind it";
        HitAt(dlg, title);
        SendMessageW(dlg, WM_NCLBUTTONUP, HTCAPTION, ScreenAt(dlg, title));
        Pump(30);
        EXPECT_TRUE(IsWindowVisible(dlg));
        // A click on it closes the box.
        ClickAt(dlg, close);
        brushesLeft = 1;
    });
    const int answer = MessageBoxW(owner->Handle(), L"The skinned message box.", L"Skinned box", MB_OK);
    EXPECT_TRUE(checked);
    EXPECT_EQ(1, brushesLeft) << "the close button ended the box";
    EXPECT_TRUE(answer == IDOK || answer == IDCANCEL);
    // The entry goes at the next window destruction.
    auto other = ShownForm(0, 100);
    other.reset();
    Pump(30);
    for (int i = 0; acSupportedList && i < acSupportedList->Count(); ++i) {
        auto* e = static_cast<TacProvider*>(acSupportedList->Items(i));
        EXPECT_TRUE(!e || !e->ListSW) << "no dialog entry is left";
    }
}

TEST(SkinnedDialogs, AnOpenDialogIsSkinnedAndJoinsAVisibleOne) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    auto owner = ShownForm(0);
    const TFrameSkin k = skin.Frame();
    bool checked = false;
    WhenDialogShows([&](HWND dlg) {
        checked = true;
        TacDialogWnd* w = DialogWrapperOf(dlg);
        ASSERT_NE(nullptr, w);
        EXPECT_EQ(acbsSizeable, w->BorderStyle);
        // The big set; the close button alone without minimise and maximise.
        EXPECT_EQ(k.BigCloseAlone >= 0 ? k.BigCloseAlone : k.BigClose, w->Buttons.Close.ImageIndex);
        EXPECT_TRUE(ControlExists(dlg, L"toolbarwindow32"));
        EXPECT_FALSE(w->FWMPaintForbidden) << "it holds edits";
        HWND edit = nullptr;
        for (HWND c = GetTopWindow(dlg); c && !edit; c = GetWindow(c, GW_HWNDNEXT)) {
            wchar_t cls[16] = {};
            GetClassNameW(c, cls, 16);
            if (lstrcmpiW(cls, L"ComboBox") == 0 || lstrcmpiW(cls, L"Edit") == 0) edit = c;
        }
        if (edit) {
            EXPECT_TRUE(IsHandled(edit));
        }
        EXPECT_EQ(0, TitleMismatches(w));
        Shot(dlg, L"skinned-open-dialog");
        // The details view: the file list gets a header, which the list's
        // wrapper takes over as it appears.
        HWND list = FindWindowExW(FindWindowExW(dlg, nullptr, L"SHELLDLL_DefView", nullptr), nullptr, L"SysListView32",
                                  nullptr);
        ASSERT_NE(nullptr, list);
        EXPECT_TRUE(IsHandled(list));
        SendMessageW(dlg, WM_COMMAND, 0xA004, 0);  // the dialog's "Details" view button
        Pump(300);
        RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump(100);
        HWND header = FindWindowExW(list, nullptr, L"SysHeader32", nullptr);
        ASSERT_NE(nullptr, header) << "the view did not switch";
        auto* lw = dynamic_cast<TacListViewWnd*>(WrapperOf(list));
        ASSERT_NE(nullptr, lw);
        EXPECT_EQ(header, lw->FhWndHeader);
        Shot(dlg, L"skinned-open-dialog-details");
        const fw::TPoint close = Centre(w->Buttons.Close.Rect);
        EXPECT_EQ(HTCLOSE, HitAt(dlg, close));
        // Sizing edges stay the system's.
        RECT wr;
        GetWindowRect(dlg, &wr);
        EXPECT_EQ(HTRIGHT, HitAt(dlg, fw::TPoint(wr.right - wr.left - 1, (wr.bottom - wr.top) / 2)));
        // While it shows, a message box stays unskinned.
        bool inner = false;
        WhenDialogShows([&](HWND box) {
            inner = true;
            EXPECT_NE(box, dlg);
            EXPECT_EQ(nullptr, DialogWrapperOf(box));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        MessageBoxW(dlg, L"Second", L"Second", MB_OK);
        EXPECT_TRUE(inner);
        ClickAt(dlg, close);
    });
    wchar_t file[MAX_PATH] = L"";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner->Handle();
    ofn.lpstrFilter = L"All files\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = L"Skinned open dialog";
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST;
    EXPECT_FALSE(GetOpenFileNameW(&ofn)) << "closed by its close button";
    EXPECT_TRUE(checked);
}

// A dialog's frame state reads its class: one that forbids closing shows
// its close button and its menu's Close greyed.
TEST(SkinnedDialogs, AClassWithoutClosingGreysTheCloseButton) {
    for (const bool noClose : {false, true}) {
        SCOPED_TRACE(noClose ? "CS_NOCLOSE" : "plain class");
        const wchar_t* name = noClose ? L"KvbNoCloseProbe" : L"KvbCloseProbe";
        WNDCLASSW wc = {};
        wc.style = noClose ? CS_NOCLOSE : 0;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = name;
        RegisterClassW(&wc);
        const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        HWND h =
            CreateWindowExW(0, name, L"", style, 0, 0, 200, 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(h, nullptr);
        const TFrameState s = DialogFrameState(h, style, 0, acbsDialog, true);
        EXPECT_TRUE(VisibleClose(s));
        EXPECT_EQ(EnabledClose(s), !noClose);
        DestroyWindow(h);
    }
}

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A modeless system dialog with a caption and a close button, owned by Owner.
HWND ModelessDialog(HWND Owner, DWORD Frame = DS_MODALFRAME) {
    alignas(4) WORD tpl[16] = {};  // the header, then no menu, the default class, no title
    auto* t = reinterpret_cast<DLGTEMPLATE*>(tpl);
    t->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | Frame;
    t->x = 30, t->y = 30, t->cx = 160, t->cy = 70;
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t, Owner, PlainDialogProc, 0);
}

}  // namespace

// The hide animation makes the hidden dialog layered for its fade: shown
// again it is an ordinary window, drawn whole.
TEST(SkinnedDialogs, ADialogHiddenWithItsAnimationComesBackUnlayered) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    TsSkinManager* m = skin.sm.get();
    m->AnimEffects()->DialogShow.Active = false;
    m->AnimEffects()->DialogHide.Active = true;
    m->AnimEffects()->DialogHide.Time = 60;
    auto owner = ShownForm(0);
    HWND dlg = ModelessDialog(owner->Handle());
    ASSERT_NE(dlg, nullptr);
    ShowWindow(dlg, SW_SHOW);
    Pump(100);
    TacDialogWnd* w = DialogWrapperOf(dlg);
    ASSERT_NE(w, nullptr);
    ASSERT_FALSE(GetWindowLongW(dlg, GWL_EXSTYLE) & WS_EX_LAYERED);

    ShowWindow(dlg, SW_HIDE);
    Pump(30);
    ShowWindow(dlg, SW_SHOW);
    Pump(150);
    EXPECT_TRUE(IsWindowVisible(dlg));
    EXPECT_FALSE(GetWindowLongW(dlg, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(0, TitleMismatches(w));
    Shot(dlg, L"skinned-dialog-shown-after-hide-animation");
    DestroyWindow(dlg);
    Pump(200);  // the fade's end
}

// A sizeable dialog's title keeps room for its icon only while it has one:
// without, the place is caption, not the window menu's.
TEST(SkinnedDialogs, TheIconPlaceIsTheCaptionWithoutAnIcon) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    auto owner = ShownForm(0);
    HWND dlg = ModelessDialog(owner->Handle(), WS_THICKFRAME);
    ASSERT_NE(dlg, nullptr);
    ShowWindow(dlg, SW_SHOW);
    Pump(100);
    TacDialogWnd* w = DialogWrapperOf(dlg);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(acbsSizeable, w->BorderStyle);
    const TFrameState s = w->State();
    const fw::TPoint place(SysBorderWidth(s, w->Metrics()) + 3, w->OffsetY() / 2);
    EXPECT_EQ(HTCAPTION, HitAt(dlg, place));
    HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
    SendMessageW(dlg, WM_SETICON, ICON_SMALL, LPARAM(icon));
    Pump(50);
    EXPECT_EQ(HTSYSMENU, HitAt(dlg, place));
    Shot(dlg, L"skinned-sizeable-dialog-with-icon");
    DestroyWindow(dlg);
}

// A zoomed dialog's edge lies off the work area: clicks there reach the
// window below. A mouse move over a dialog leaves no control active.
TEST(SkinnedDialogs, AZoomedDialogsEdgeIsTransparentAndAMoveClearsTheActiveControl) {
    LoadedSkin skin(L"default", L"Stillwater");
    InstallFormSkinning();
    auto owner = ShownForm(0);
    HWND dlg = ModelessDialog(owner->Handle(), WS_THICKFRAME | WS_MAXIMIZEBOX);
    ASSERT_NE(dlg, nullptr);
    ShowWindow(dlg, SW_SHOW);
    Pump(100);
    TacDialogWnd* w = DialogWrapperOf(dlg);
    ASSERT_NE(w, nullptr);
    RECT wr;
    GetWindowRect(dlg, &wr);
    const fw::TPoint edge(1, (wr.bottom - wr.top) / 2);
    EXPECT_NE(HTTRANSPARENT, HitAt(dlg, edge)) << "not zoomed: the border";
    ShowWindow(dlg, SW_MAXIMIZE);
    Pump(100);
    ASSERT_TRUE(IsZoomed(dlg));
    GetWindowRect(dlg, &wr);
    EXPECT_EQ(HTTRANSPARENT, HitAt(dlg, fw::TPoint(1, (wr.bottom - wr.top) / 2)));
    EXPECT_EQ(HTTRANSPARENT, HitAt(dlg, fw::TPoint((wr.right - wr.left) - 3, (wr.bottom - wr.top) / 2)));
    EXPECT_EQ(HTCLIENT, HitAt(dlg, fw::TPoint(w->OffsetX() + 10, w->OffsetY() + 10)));

    TsSkinManager* m = DefaultManager;
    ASSERT_NE(m, nullptr);
    m->SetActiveControl(owner->Handle());
    ASSERT_EQ(m->ActiveControl(), owner->Handle());
    SendMessageW(dlg, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(m->ActiveControl(), nullptr);
    DestroyWindow(dlg);
}
