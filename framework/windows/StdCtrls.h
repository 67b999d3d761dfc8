// The standard controls the forms are built from: a push button on the
// system's "Button" window, and a label painted by its parent.
#pragma once

#include "framework/windows/Controls.h"

namespace fw {

// A push button: a real "Button" window whose BN_CLICKED comes back as
// CN_COMMAND and runs Click.
class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* AOwner);
    String ClassName() const override { return L"TButtonControl"; }

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);

protected:
    void CreateParams(TCreateParams& Params) override;

    bool wordWrap_ = false;
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* AOwner);
    String ClassName() const override { return L"TButton"; }

    // Enter anywhere on the form clicks a Default button, Esc a Cancel one.
    bool Default() const { return default_; }
    void SetDefault(bool Value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool Value) { cancel_ = Value; }
    // Non-zero: clicking hands it to the parent form (ChildModalResult).
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int Value) { modalResult_ = Value; }

    void Click() override;
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    // BS_DEFPUSHBUTTON while this button acts as the default (BM_SETSTYLE).
    virtual void SetButtonStyle(bool ADefault);

    void CNCommand(TWMCommand& Message);
    void CMDialogKey(TMessage& Message);
    void CMFocusChanged(TMessage& Message);

private:
    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;  // shown as the default button now
    int modalResult_ = 0;
};

// A single-line edit: the system's "Edit" window. Text is the window's text.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    String ClassName() const override { return L"TCustomEdit"; }

    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int Value);
    void SelectAll();

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;

private:
    int maxLength_ = 0;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    String ClassName() const override { return L"TEdit"; }
};

enum TTextLayout { tlTop, tlCenter, tlBottom };

// Text painted on the parent. Transparent leaves the parent's background;
// AutoSize (on by default) keeps the bounds fitted to the text.
class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);
    String ClassName() const override { return L"TCustomLabel"; }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout Value);
    bool Transparent() const { return !controlStyle_.Contains(csOpaque); }
    void SetTransparent(bool Value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool Value);
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* Value) { focusControl_ = Value; }
    void SetAutoSize(bool Value) override;
    void Dispatch(TMessage& Message) override;

protected:
    void Loaded() override;
    void Paint() override;
    // Draws (or with DT_CALCRECT measures) the caption in Rect.
    virtual void DoDrawText(TRect& Rect, UINT Flags);
    // Resizes to the text when AutoSize, keeping the anchored edge.
    virtual void AdjustBounds();
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void CMTextChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMDialogChar(TMessage& Message);

private:
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
    String ClassName() const override { return L"TLabel"; }
};

}  // namespace fw
