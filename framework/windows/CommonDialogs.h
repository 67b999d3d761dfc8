// The system's open and save dialogs (the classic GetOpenFileNameW and
// GetSaveFileNameW). Properties keep their values between uses: a FileName
// chosen once is the starting name of the next Execute. Under the test seam
// (DialogSeam.h) Execute answers from its queue without a window.
#pragma once

#include <windows.h>

#include "framework/rtl/Component.h"

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

class TOpenDialog : public TComponent {
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

    // Modal, owned by the active form (else the application window). True
    // when the user chose a file: FileName and FilterIndex are updated.
    virtual bool Execute();

protected:
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

}  // namespace fw
