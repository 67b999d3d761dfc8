// Edit wrappers on framework controls: the skin's colours put on the
// control (FocusColor too, when the control publishes it) and given back
// when the wrapper goes, an empty list box's top index, and the frame drawn
// hot while the mouse is over the control or it has the focus.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "FormHost.h"
#include "SkinPixels.h"
#include "WineDesk.h"
#include "framework/rtl/Properties.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/Messages.h"
#include "framework/windows/StdCtrls.h"
#include "skin/windows/acEditWnd.h"
#include "skins/TestSkins.h"

using namespace skin;
using namespace wintest;

namespace {

// A memo of a foreign library that publishes its focused colour (and not
// its Color).
class TFocusMemo : public fw::TMemo {
public:
    using fw::TMemo::TMemo;
    fw::String ClassName() const override { return L"TFocusMemo"; }
    const fw::TPropTable* PublishedProperties() const override {
        static const fw::TPropTable table(fw::TMemo::PublishedProperties(),
                                          {fw::IntegerProperty<TFocusMemo>(
                                              L"FocusColor", [](const TFocusMemo& m) { return int(m.FocusColor); },
                                              [](TFocusMemo& m, int v) { m.FocusColor = fw::TColor(v); })});
        return &table;
    }
    fw::TColor FocusColor = fw::clYellow;
};

struct Wrapped {
    fw::TWinControl* control = nullptr;
    TsCommonData* data = nullptr;
    TacEditWnd* wrapper = nullptr;
    void Free() {
        delete wrapper;
        wrapper = nullptr;
        delete data;
        data = nullptr;
    }
};

// The control adapter's way: skin data on the control's side.
Wrapped Wrap(fw::TWinControl* C, TsSkinManager* M) {
    Wrapped w;
    w.control = C;
    w.data = new TsCommonData(C, true);
    w.data->SetSkinManager(M);
    w.wrapper = CreateWnd<TacEditWnd>(true, C->Handle(), w.data, M, fw::String());
    return w;
}

COLORREF TopMiddle(fw::TBitmap& Shot, HWND h, HWND Host) {
    const RECT r = InHost(h, Host);
    return PixelAt(Shot, (r.left + r.right) / 2, r.top);
}

}  // namespace

TEST(OwnedEditWnd, SkinColoursFocusColourTopIndexAndTheHotFrame) {
    auto sm = Stillwater();
    TsSkinManager* M = sm.get();
    FormHost host(420, 240, kHost);
    const int edit = M->GetSkinIndex(L"EDIT");
    ASSERT_GE(edit, 0);
    const TsGeneralData& g = M->gd[size_t(edit)];

    auto* memo = host.Put<TFocusMemo>(10, 10, 150, 80);
    memo->SetColor(fw::clAqua);
    memo->Font()->SetColor(fw::clMaroon);
    auto* line = host.Put<fw::TEdit>(180, 10, 150, 24);
    line->SetColor(fw::clLime);
    auto* list = host.Put<fw::TListBox>(180, 50, 150, 70);
    auto* bare = host.Put<fw::TListBox>(180, 130, 150, 40);  // not wrapped
    auto* view = host.Put<fw::TListView>(10, 130, 150, 80);
    view->SetControlStyle(view->ControlStyle() - fw::TControlStyle{fw::csOpaque});

    std::vector<Wrapped> w{Wrap(memo, M), Wrap(line, M), Wrap(list, M), Wrap(view, M)};
    host.Repaint();

    // The skin's colours on the controls; FocusColor follows the colour.
    for (fw::TWinControl* c : std::vector<fw::TWinControl*>{memo, line, list}) {
        EXPECT_EQ(Rgb(c->Color()), Rgb(g.Color)) << c->ClassName();
        EXPECT_EQ(Rgb(c->Font()->Color()), Rgb(g.HotFontColor[0])) << c->ClassName();
    }
    EXPECT_EQ(Rgb(memo->FocusColor), Rgb(g.Color));
    // Opaque now, but a list view keeps what it had.
    EXPECT_TRUE(memo->ControlStyle().Contains(fw::csOpaque));
    EXPECT_FALSE(view->ControlStyle().Contains(fw::csOpaque));

    // An empty list box's top index is -1 under the wrapper (the system says 0).
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0), -1);
    EXPECT_EQ(SendMessageW(bare->Handle(), LB_GETTOPINDEX, 0, 0), 0);
    list->Items()->Add(L"one");
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0), 0);

    // The frames in state 0, the client in the skin's colour.
    ASSERT_TRUE(MayBeHot(w[1].data)) << "the test skin's edit border has a hot image";
    auto shot = host.Grab();
    const COLORREF normal = TopEdge(M, L"EDIT", 0), hot = TopEdge(M, L"EDIT", 1);
    ASSERT_NE(normal, hot);
    EXPECT_EQ(TopMiddle(*shot, memo->Handle(), host.handle()), normal);
    EXPECT_EQ(TopMiddle(*shot, line->Handle(), host.handle()), normal);
    {
        const RECT r = InHost(memo->Handle(), host.handle());
        EXPECT_EQ(PixelAt(*shot, r.right - 10, r.bottom - 10), Rgb(g.Color));
    }

    // The mouse over the edit: its frame hot, the memo's not; and back.
    line->Perform(fw::CM_MOUSEENTER, 0, LPARAM(line));
    Pump(30);
    shot = host.Grab();
    SaveScreenshot(*shot, L"skin-windows-owned-edits.bmp");
    EXPECT_EQ(TopMiddle(*shot, line->Handle(), host.handle()), hot);
    EXPECT_EQ(TopMiddle(*shot, memo->Handle(), host.handle()), normal);
    line->Perform(fw::CM_MOUSELEAVE, 0, LPARAM(line));
    Pump(30);
    shot = host.Grab();
    EXPECT_EQ(TopMiddle(*shot, line->Handle(), host.handle()), normal);

    // The focus makes the memo's frame hot; losing it, normal again.
    SetForegroundWindow(host.handle());
    memo->SetFocus();
    Pump(30);
    ASSERT_EQ(GetFocus(), memo->Handle());
    shot = host.Grab();
    EXPECT_EQ(TopMiddle(*shot, memo->Handle(), host.handle()), hot);
    line->SetFocus();
    Pump(30);
    shot = host.Grab();
    EXPECT_EQ(TopMiddle(*shot, memo->Handle(), host.handle()), normal);

    // While a window animation shows the window's image, an erase on the
    // screen is answered and not done; an erase otherwise is the control's.
    {
        fw::TBitmap b(20, 20, fw::pf24bit);
        HDC dc = b.Canvas()->Handle();
        auto erase = [&] {
            PatBlt(dc, 0, 0, 20, 20, BLACKNESS);
            return SendMessageW(memo->Handle(), WM_ERASEBKGND, WPARAM(dc), 0);
        };
        InAnimationProcess = true;
        EXPECT_EQ(erase(), 1);
        EXPECT_EQ(PixelAt(b, 10, 10), RGB(0, 0, 0));
        InAnimationProcess = false;
        erase();
        EXPECT_EQ(PixelAt(b, 10, 10), Rgb(g.Color));
    }

    // The wrappers go: the controls' own colours come back.
    for (Wrapped& x : w) x.Free();
    EXPECT_EQ(memo->Color(), fw::clAqua);
    EXPECT_EQ(memo->FocusColor, fw::clYellow);
    EXPECT_EQ(memo->Font()->Color(), fw::clMaroon);
    EXPECT_EQ(line->Color(), fw::clLime);
}
