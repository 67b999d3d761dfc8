// The system's common dialogs: open and save (the classic GetOpenFileNameW
// and GetSaveFileNameW), the same for pictures, and colours (ChooseColorW).
// Properties keep their values between uses: a FileName chosen once is the
// starting name of the next Execute. A runner that tests set (DialogRunner)
// answers every Execute instead of the system; under the test seam
// (DialogSeam.h) the file dialogs answer from its queue without a window.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/graphics/Color.h"
#include "framework/rtl/Component.h"
#include "framework/rtl/StringList.h"

namespace fw {

// Whether the newest dialog style may be used. These dialogs are always the
// classic ones; the flag is kept because a skin manager sets it.
extern bool UseLatestCommonDialogs;

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden
};
using TOpenOptions = Set<TOpenOption>;

// The OFN_* flags of a set of options (OFN_EXPLORER always; ofOldStyleDialog is ignored).
DWORD OpenOptionsToFlags(TOpenOptions Options);
// "desc|pattern|desc|pattern" as the system wants it: NUL-separated, two NULs at the end.
std::wstring FilterToSystem(const String& Filter);

class TCommonDialog;
// Answers a dialog's Execute in place of the system: sets what the user would
// have chosen on the dialog and returns whether it was accepted.
using TDialogRunner = std::function<bool(TCommonDialog* Dialog)>;
extern TDialogRunner DialogRunner;

// RAII: a runner for one test; the one before comes back afterwards.
class TDialogRunnerScope {
public:
    explicit TDialogRunnerScope(TDialogRunner Runner) : saved_(std::move(DialogRunner)) {
        DialogRunner = std::move(Runner);
    }
    ~TDialogRunnerScope() { DialogRunner = std::move(saved_); }
    TDialogRunnerScope(const TDialogRunnerScope&) = delete;
    TDialogRunnerScope& operator=(const TDialogRunnerScope&) = delete;

private:
    TDialogRunner saved_;
};

class TCommonDialog : public TComponent {
public:
    explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
    String ClassName() const override { return L"TCommonDialog"; }

    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int Value) { helpContext_ = Value; }

    // Modal, owned by the active form (else the application window); OnShow
    // before, OnClose after. True when the user accepted the dialog.
    virtual bool Execute();

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    virtual void DoShow();
    virtual void DoClose();
    // The system dialog (or the seam's answer), owned by Owner.
    virtual bool Run(HWND Owner) = 0;
    static HWND OwnerWindow();

private:
    int helpContext_ = 0;
};

class TOpenDialog : public TCommonDialog {
public:
    explicit TOpenDialog(TComponent* AOwner);
    String ClassName() const override { return L"TOpenDialog"; }

    const String& Filter() const { return filter_; }
    void SetFilter(const String& Value) { filter_ = Value; }
    // 1-based, as the system counts the filter pairs.
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int Value) { filterIndex_ = Value; }
    const String& FileName() const { return fileName_; }
    void SetFileName(const String& Value) { fileName_ = Value; }
    const String& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const String& Value) { defaultExt_ = Value; }
    const String& InitialDir() const { return initialDir_; }
    void SetInitialDir(const String& Value) { initialDir_ = Value; }
    const String& Title() const { return title_; }
    void SetTitle(const String& Value) { title_ = Value; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions Value) { options_ = Value; }

    // True when the user chose a file: FileName and FilterIndex are updated.
protected:
    bool Run(HWND Owner) override;
    // The system call: GetOpenFileNameW here, GetSaveFileNameW for saving.
    virtual bool RunSystemDialog(OPENFILENAMEW& ofn);
    virtual bool IsSaveDialog() const { return false; }

private:
    String filter_;
    int filterIndex_ = 1;
    String fileName_;
    String defaultExt_;
    String initialDir_;
    String title_;
    TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
    String ClassName() const override { return L"TSaveDialog"; }

protected:
    bool RunSystemDialog(OPENFILENAMEW& ofn) override;
    bool IsSaveDialog() const override { return true; }
};

// Open and save dialogs whose Filter starts as every registered picture
// format (GraphicFilter). They show no preview.
class TOpenPictureDialog : public TOpenDialog {
public:
    explicit TOpenPictureDialog(TComponent* AOwner);
    String ClassName() const override { return L"TOpenPictureDialog"; }
};

class TSavePictureDialog : public TSaveDialog {
public:
    explicit TSavePictureDialog(TComponent* AOwner);
    String ClassName() const override { return L"TSavePictureDialog"; }
};

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = Set<TColorDialogOption>;

// The CC_* flags of a set of options (CC_RGBINIT always).
DWORD ColorOptionsToFlags(TColorDialogOptions Options);

// Chooses a colour. CustomColors holds the dialog's 16 custom colours as
// "ColorA=hhhhhh" ... "ColorP=hhhhhh" lines, each a TColor in six hex digits
// (blue, green, red); a missing or unreadable line is white. They are read
// before and written back after an accepted dialog.
class TColorDialog : public TCommonDialog {
public:
    explicit TColorDialog(TComponent* AOwner);
    ~TColorDialog() override;
    String ClassName() const override { return L"TColorDialog"; }

    TColor Color() const { return color_; }
    void SetColor(TColor Value) { color_ = Value; }
    TStrings* CustomColors() { return customColors_; }
    void SetCustomColors(const TStrings* Value) { customColors_->Assign(Value); }
    TColorDialogOptions Options() const { return options_; }
    void SetOptions(TColorDialogOptions Value) { options_ = Value; }

    // The 16 custom colours as the system wants them, and back.
    void ReadCustomColors(COLORREF (&Colors)[16]) const;
    void WriteCustomColors(const COLORREF (&Colors)[16]);

protected:
    bool Run(HWND Owner) override;

private:
    TColor color_ = clBlack;
    TStringList* customColors_;
    TColorDialogOptions options_;
};

}  // namespace fw
