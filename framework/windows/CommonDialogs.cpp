// TCommonDialog and the file, picture and colour dialogs.
#include "framework/windows/CommonDialogs.h"

#include <windows.h>

#include <vector>

#include "framework/graphics/Picture.h"
#include "framework/rtl/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/DialogSeam.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Screen.h"

namespace fw {

bool UseLatestCommonDialogs = true;
TDialogRunner DialogRunner;

// ---- TCommonDialog

bool TCommonDialog::Execute() {
    DoShow();
    bool ok = DialogRunner ? DialogRunner(this) : Run(OwnerWindow());
    DoClose();
    return ok;
}

void TCommonDialog::DoShow() {
    if (OnShow) OnShow(this);
}

void TCommonDialog::DoClose() {
    if (OnClose) OnClose(this);
}

HWND TCommonDialog::OwnerWindow() {
    HWND owner = nullptr;
    if (TCustomForm* active = Screen->ActiveCustomForm(); active && active->HandleAllocated())
        owner = active->WindowHandle();
    if (!owner) owner = GetActiveWindow();
    if (!owner) owner = Application->Handle();
    return owner;
}

// ---- file dialogs

DWORD OpenOptionsToFlags(TOpenOptions Options) {
    static const DWORD flags[] = {
        OFN_READONLY,
        OFN_OVERWRITEPROMPT,
        OFN_HIDEREADONLY,
        OFN_NOCHANGEDIR,
        OFN_SHOWHELP,
        OFN_NOVALIDATE,
        OFN_ALLOWMULTISELECT,
        OFN_EXTENSIONDIFFERENT,
        OFN_PATHMUSTEXIST,
        OFN_FILEMUSTEXIST,
        OFN_CREATEPROMPT,
        OFN_SHAREAWARE,
        OFN_NOREADONLYRETURN,
        OFN_NOTESTFILECREATE,
        OFN_NONETWORKBUTTON,
        OFN_NOLONGNAMES,
        0,
        OFN_NODEREFERENCELINKS,
        OFN_ENABLEINCLUDENOTIFY,
        OFN_ENABLESIZING,
        OFN_DONTADDTORECENT,
        OFN_FORCESHOWHIDDEN,
    };
    DWORD result = OFN_EXPLORER;
    for (int i = ofReadOnly; i <= ofForceShowHidden; ++i)
        if (Options.Contains(TOpenOption(i))) result |= flags[i];
    return result;
}

std::wstring FilterToSystem(const String& Filter) {
    std::wstring result = Filter;
    for (wchar_t& c : result)
        if (c == L'|') c = L'\0';
    // Two NULs end the list (one closes the last string).
    result.push_back(L'\0');
    result.push_back(L'\0');
    return result;
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}

bool TOpenDialog::RunSystemDialog(OPENFILENAMEW& ofn) { return GetOpenFileNameW(&ofn) != FALSE; }

bool TSaveDialog::RunSystemDialog(OPENFILENAMEW& ofn) { return GetSaveFileNameW(&ofn) != FALSE; }

bool TOpenDialog::Run(HWND Owner) {
    if (DialogSeam::Enabled()) {
        DialogSeam::Request request;
        request.kind = IsSaveDialog() ? DialogSeam::Kind::SaveDialog : DialogSeam::Kind::OpenDialog;
        request.Caption = title_;
        request.Text = fileName_;
        request.Filter = filter_;
        request.InitialDir = initialDir_;
        request.Buttons = options_.Bits();
        DialogSeam::Record(request);
        DialogSeam::FileAnswer answer;
        if (!DialogSeam::TakeFileAnswer(answer) || !answer.Accepted) return false;
        fileName_ = answer.FileName;
        if (answer.FilterIndex > 0) filterIndex_ = answer.FilterIndex;
        return true;
    }

    std::wstring filter = FilterToSystem(filter_);
    // Room for a long path, or for several names with ofAllowMultiSelect.
    std::vector<wchar_t> file(options_.Contains(ofAllowMultiSelect) ? 32768 : 4096, L'\0');
    fileName_.copy(file.data(), std::min(fileName_.size(), file.size() - 1));

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Owner;
    ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(filterIndex_);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
    ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
    ofn.Flags = OpenOptionsToFlags(options_);

    Application->ModalStarted();
    bool ok = RunSystemDialog(ofn);
    Application->ModalFinished();
    if (!ok) return false;
    fileName_ = file.data();
    filterIndex_ = static_cast<int>(ofn.nFilterIndex);
    if (ofn.Flags & OFN_READONLY)
        options_.Include(ofReadOnly);
    else
        options_.Exclude(ofReadOnly);
    return true;
}

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner) : TOpenDialog(AOwner) { SetFilter(GraphicFilter()); }

TSavePictureDialog::TSavePictureDialog(TComponent* AOwner) : TSaveDialog(AOwner) { SetFilter(GraphicFilter()); }

// ---- colour dialog

DWORD ColorOptionsToFlags(TColorDialogOptions Options) {
    static const DWORD flags[] = {CC_FULLOPEN, CC_PREVENTFULLOPEN, CC_SHOWHELP, CC_SOLIDCOLOR, CC_ANYCOLOR};
    DWORD result = CC_RGBINIT;
    for (int i = cdFullOpen; i <= cdAnyColor; ++i)
        if (Options.Contains(TColorDialogOption(i))) result |= flags[i];
    return result;
}

TColorDialog::TColorDialog(TComponent* AOwner) : TCommonDialog(AOwner), customColors_(new TStringList()) {}

TColorDialog::~TColorDialog() { delete customColors_; }

void TColorDialog::ReadCustomColors(COLORREF (&Colors)[16]) const {
    for (int i = 0; i < 16; ++i) {
        String value = customColors_->Values(String(L"Color") + wchar_t(L'A' + i));
        int32_t c = 0;
        Colors[i] = !value.empty() && TryStrToInt(L"$" + value, c) ? COLORREF(c) & 0xFFFFFF : 0xFFFFFF;
    }
}

void TColorDialog::WriteCustomColors(const COLORREF (&Colors)[16]) {
    customColors_->BeginUpdate();
    customColors_->Clear();
    for (int i = 0; i < 16; ++i)
        customColors_->Add(String(L"Color") + wchar_t(L'A' + i) + L"=" + IntToHex(uint32_t(Colors[i]), 6));
    customColors_->EndUpdate();
}

bool TColorDialog::Run(HWND Owner) {
    COLORREF custom[16];
    ReadCustomColors(custom);
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = Owner;
    cc.rgbResult = COLORREF(ColorToRGB(color_));
    cc.lpCustColors = custom;
    cc.Flags = ColorOptionsToFlags(options_);
    Application->ModalStarted();
    bool ok = ChooseColorW(&cc) != FALSE;
    Application->ModalFinished();
    if (!ok) return false;
    color_ = TColor(cc.rgbResult);
    WriteCustomColors(custom);
    return true;
}

}  // namespace fw
