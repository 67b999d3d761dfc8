// The download prompt on a real window: each button, and the close box, ends
// its modal loop with the choice the copy service reads; the main window's
// service context shows it owned by the window and frees it afterwards.
#include "host/FileDownloadForm.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "framework/windows/Application.h"
#include "framework/windows/DialogSeam.h"
#include "framework/windows/Timer.h"
#include "host/FormServiceContext.h"

using namespace fw;
using host::TFileDownloadForm;

namespace {

BOOL CALLBACK AddPrompt(HWND w, LPARAM p) {
    if (IsWindowVisible(w))
        if (auto* form = dynamic_cast<TFileDownloadForm*>(FindControl(w)))
            *reinterpret_cast<TFileDownloadForm**>(p) = form;
    return TRUE;
}

// The visible prompt of this thread, or nullptr.
TFileDownloadForm* VisiblePrompt() {
    TFileDownloadForm* form = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), AddPrompt, reinterpret_cast<LPARAM>(&form));
    return form;
}

// Acts once on the prompt as soon as it is up, from inside its modal loop.
class PromptAnswerer {
public:
    explicit PromptAnswerer(std::function<void(TFileDownloadForm*)> act) : act_(std::move(act)) {
        timer_.SetInterval(30);
        timer_.OnTimer = TNotifyEvent(this, &PromptAnswerer::Tick);
    }
    TFileDownloadForm* seen = nullptr;
    RECT seenBounds{};

private:
    void Tick(TObject*) {
        TFileDownloadForm* form = VisiblePrompt();
        if (!form || seen) return;
        seen = form;
        GetWindowRect(form->WindowHandle(), &seenBounds);
        act_(form);
    }
    std::function<void(TFileDownloadForm*)> act_;
    TTimer timer_{nullptr};
};

// A real click on the button's window.
void Press(TButton* button) { PostMessageW(button->Handle(), BM_CLICK, 0, 0); }

struct FormFree {
    void operator()(TComponent* c) const { c->Free(); }
};

class FileDownloadFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        owner.reset(Create<TForm>(Application));
        owner->SetBounds(100, 80, 600, 400);
        owner->Show();
    }
    std::unique_ptr<TForm, FormFree> owner;
};

}  // namespace

TEST_F(FileDownloadFormTest, EachButtonAndTheCloseBoxGiveTheirChoice) {
    struct Case {
        const char* what;
        std::function<void(TFileDownloadForm*)> act;
        int result;
    } cases[] = {
        {"open", [](TFileDownloadForm* f) { Press(f->OpenButton); }, mrOk},
        {"save", [](TFileDownloadForm* f) { Press(f->SaveButton); }, mrYes},
        {"cancel", [](TFileDownloadForm* f) { Press(f->AbortButton); }, mrCancel},
        {"close box", [](TFileDownloadForm* f) { PostMessageW(f->WindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0); },
         mrCancel},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TFileDownloadForm, FormFree> prompt(Create<TFileDownloadForm>(owner.get()));
        PromptAnswerer answerer(c.act);
        EXPECT_EQ(prompt->ShowModal(), c.result) << c.what;
        EXPECT_EQ(answerer.seen, prompt.get()) << c.what;
        EXPECT_FALSE(IsWindowVisible(prompt->WindowHandle())) << c.what;
    }
}

TEST_F(FileDownloadFormTest, ThePromptAsBuilt) {
    std::unique_ptr<TFileDownloadForm, FormFree> prompt(Create<TFileDownloadForm>(owner.get()));
    EXPECT_EQ(prompt->Caption(), L"파일 다운로드");
    EXPECT_EQ(prompt->ClientWidth(), 369);
    EXPECT_EQ(prompt->ClientHeight(), 83);
    EXPECT_EQ(prompt->Label1->Caption(), L"이 파일을 실행 또는 저장하시겠습니까?");
    struct Button {
        TButton* button;
        const wchar_t* caption;
        int left, tabOrder;
    } buttons[] = {{prompt->OpenButton, L"열기", 124, 2},
                   {prompt->SaveButton, L"저장", 205, 0},
                   {prompt->AbortButton, L"취소", 286, 1}};
    for (const Button& b : buttons) {
        EXPECT_EQ(b.button->Caption(), b.caption);
        EXPECT_EQ(b.button->Left(), b.left);
        EXPECT_EQ(b.button->Top(), 50);
        EXPECT_EQ(b.button->TabOrder(), b.tabOrder);
    }
    EXPECT_EQ(prompt->FindComponent(L"SaveButton"), prompt->SaveButton);
}

TEST_F(FileDownloadFormTest, TheWindowsContextAsksOverItsWindowAndFreesThePrompt) {
    auto* player = Create<host::TShockwaveFlash>(owner.get());
    player->SetParent(owner.get());
    TSaveDialog dialog(nullptr);
    host::FormServiceContext context(*owner, *player, dialog, dialog);

    PromptAnswerer answerer([](TFileDownloadForm* f) { Press(f->SaveButton); });
    EXPECT_EQ(context.AskOpenOrSave(), mrYes);
    ASSERT_TRUE(answerer.seen);
    // Centred over the asking window.
    RECT o;
    GetWindowRect(owner->WindowHandle(), &o);
    EXPECT_NEAR((answerer.seenBounds.left + answerer.seenBounds.right) / 2, (o.left + o.right) / 2, 2);
    EXPECT_NEAR((answerer.seenBounds.top + answerer.seenBounds.bottom) / 2, (o.top + o.bottom) / 2, 2);
    // Freed: the window owns nothing but its player.
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(VisiblePrompt(), nullptr);
}
