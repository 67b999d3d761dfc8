// An edit whose text follows an edit mask (framework/rtl/EditMask.h has the
// grammar and the editing rules): EditText is what the window shows, with
// literals and blanks; Text is what the mask saves. Typed characters, Delete
// and Backspace are applied to the mask here and never reach the native
// edit; leaving the control validates it.
#pragma once

#include "framework/rtl/EditMask.h"
#include "framework/windows/StdCtrls.h"

namespace fw {

// A masked text with a required character missing.
FW_EXCEPTION(EDBEditError, Exception);

class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner);
    String ClassName() const override { return L"TCustomMaskEdit"; }

    // Setting a mask keeps Text, fitted into the new mask; the separators
    // are the FormatSettings' of the moment.
    const String& EditMask() const { return editMask_; }
    void SetEditMask(const String& Value);
    bool IsMasked() const { return mask_.IsMasked(); }
    // The window's text; with a mask, set texts are fitted into it.
    String EditText();
    void SetEditText(const String& Value);
    // With a mask: the edit text with blanks as spaces, without the literals
    // when the mask does not save them. Without one: the window's text.
    String Text();
    void SetText(const String& Value);
    // The window's modified flag (EM_GETMODIFY); typing sets it.
    bool Modified();
    void SetModified(bool Value);

    // Raises EDBEditError, with the caret on the first missing character,
    // when the text was modified and a required character is missing.
    virtual void ValidateEdit();
    // A refused key beeps; Change runs OnChange after each change of text.
    TNotifyEvent OnChange;
    void Dispatch(TMessage& Message) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(wchar_t& Key) override;
    virtual void Change();
    // Pasted text is typed into the mask character by character (refused
    // ones dropped); cutting and clearing blank the selection.
    void WMPaste(TMessage& Message);
    void WMCutClear(TMessage& Message);
    // CM_EXIT: ValidateEdit; on failure the focus comes back and the error goes on.
    void CMExit(TMessage& Message);
    void CNCommand(TWMCommand& Message);

private:
    bool ReadOnly();
    // Writes an edited text and caret back to the window.
    void ApplyEdit(const String& editText, int caret);
    String editMask_;
    TEditMask mask_;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
    String ClassName() const override { return L"TMaskEdit"; }
};

}  // namespace fw
