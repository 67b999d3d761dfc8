#include "host/FileDownloadForm.h"

namespace host {

using namespace fw;

namespace {

TButton* MakeButton(TFileDownloadForm* form, const wchar_t* name, const wchar_t* caption, int left, int tabOrder,
                    void (TFileDownloadForm::*click)(TObject*)) {
    TButton* button = Create<TButton>(form);
    button->SetName(name);
    button->SetParent(form);
    button->SetBounds(left, 50, 75, 25);
    button->SetCaption(caption);
    button->SetTabOrder(tabOrder);
    button->OnClick = TNotifyEvent(form, click);
    return button;
}

}  // namespace

TFileDownloadForm::TFileDownloadForm(TComponent* AOwner) : TForm(AOwner) {
    BeginLoading(this);
    SetName(L"FileDownloadForm");
    SetCaption(L"파일 다운로드");
    SetClientSize(369, 83);
    SetBorderIcons({biSystemMenu, biMinimize});
    SetPosition(poOwnerFormCenter);
    SetColor(clBtnFace);
    Font()->SetName(L"Tahoma");
    Font()->SetHeight(-11);

    SaveButton = MakeButton(this, L"SaveButton", L"저장", 205, 0, &TFileDownloadForm::SaveButtonClick);
    AbortButton = MakeButton(this, L"AbortButton", L"취소", 286, 1, &TFileDownloadForm::AbortButtonClick);
    OpenButton = MakeButton(this, L"OpenButton", L"열기", 124, 2, &TFileDownloadForm::OpenButtonClick);

    Label1 = Create<TLabel>(this);
    Label1->SetName(L"Label1");
    Label1->SetParent(this);
    Label1->SetBounds(20, 16, 214, 14);
    Label1->SetCaption(L"이 파일을 실행 또는 저장하시겠습니까?");
    Label1->SetParentFont(false);
    Label1->Font()->SetName(L"Tahoma");
    Label1->Font()->SetHeight(-12);
    EndLoading(this);
}

void TFileDownloadForm::OpenButtonClick(TObject*) { SetModalResult(mrOk); }

void TFileDownloadForm::SaveButtonClick(TObject*) { SetModalResult(mrYes); }

void TFileDownloadForm::AbortButtonClick(TObject*) { SetModalResult(mrCancel); }

}  // namespace host
