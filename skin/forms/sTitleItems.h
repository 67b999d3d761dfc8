// What a provider shows in its title besides the skin: its own title icon
// (a glyph, or sizes for the form's icon), user title buttons beside the
// system ones, and a text after the caption.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/rtl/Collections.h"
#include "framework/windows/Controls.h"
#include "framework/windows/HintWindow.h"
#include "framework/windows/Messages.h"
#include "skin/forms/sFrameGeometry.h"

namespace skin {

class TsSkinProvider;

// The title icon: Width and Height 0 take the size from the caption's height.
class TsTitleIcon : public fw::TPersistent {
public:
    fw::String ClassName() const override { return L"TsTitleIcon"; }
    fw::TBitmap* Glyph() { return &FGlyph; }
    int Width = 0;
    int Height = 0;

private:
    fw::TBitmap FGlyph;
};

// A text drawn after the caption, in its own font (colour clNone: the
// title's). A change repaints the title unless the form is still loading.
class TacAddedTitle : public fw::TPersistent {
public:
    TacAddedTitle();
    fw::String ClassName() const override { return L"TacAddedTitle"; }
    const fw::String& Text() const { return FText; }
    void SetText(const fw::String& Value);
    fw::TFont* Font() { return &FFont; }
    void SetFont(const fw::TFont* Value);
    TsSkinProvider* FOwner = nullptr;

private:
    void Repaint();
    fw::String FText;
    fw::TFont FFont;
};

// A user title button: drawn left of the system buttons, hit-tested as
// HTUDBTN + its index, with a hint while hot.
class TsTitleButton : public fw::TCollectionItem {
public:
    explicit TsTitleButton(fw::TCollection* Collection);
    ~TsTitleButton() override;
    fw::String ClassName() const override { return L"TsTitleButton"; }
    void AssignTo(fw::TPersistent* Dest) const override;

    bool Enabled() const { return FEnabled; }
    // A change repaints the owner's title at once; a disabled button is
    // neither hot nor pressed and runs no mouse handler.
    void SetEnabled(bool Value);
    fw::TBitmap* Glyph() { return &FGlyph; }
    void SetGlyph(const fw::TBitmap* Value) { FGlyph.Assign(Value); }
    const fw::String& Hint() const { return FHint; }
    void SetHint(const fw::String& Value) { FHint = Value; }
    const fw::String& Name() const { return FName; }
    void SetName(const fw::String& Value) { FName = Value; }
    bool UseSkinData() const { return FUseSkinData; }
    void SetUseSkinData(bool Value) { FUseSkinData = Value; }
    bool Visible() const { return FVisible; }
    // A change repaints the owner's title at once.
    void SetVisible(bool Value);

    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
    // The hint window of the hot button: made (for a non-empty Hint) 8 right
    // of and 16 below the screen point, kept inside the work area; freed.
    void ShowHint(fw::TPoint Cursor, HWND Owner);
    void HideHint();

    fw::TMouseEvent OnMouseDown;
    fw::TMouseEvent OnMouseUp;
    fw::THintWindow* HintWnd = nullptr;  // owned
    TsCaptionButton BtnData;

protected:
    fw::String GetDisplayName() const override { return FName; }

private:
    bool FEnabled = true;
    fw::TBitmap FGlyph;
    fw::String FHint;
    fw::String FName = L"TsTitleButton";
    bool FUseSkinData = true;
    bool FVisible = true;
};

// The provider's user title buttons.
class TsTitleButtons : public fw::TCollection {
public:
    explicit TsTitleButtons(TsSkinProvider* AOwner);
    fw::String ClassName() const override { return L"TsTitleButtons"; }
    fw::TPersistent* GetOwner() const override;
    TsTitleButton* Items(int Index) const { return static_cast<TsTitleButton*>(fw::TCollection::Items(Index)); }
    TsTitleButton* Add() { return static_cast<TsTitleButton*>(fw::TCollection::Add()); }
    // The buttons as the layout reads them, in collection order.
    // Gone: an item on its way out, left out.
    std::vector<TUserTitleButton> Views(const fw::TCollectionItem* Gone = nullptr);
    TsSkinProvider* FOwner;

protected:
    void Update(fw::TCollectionItem* Item) override;
    void Notify(fw::TCollectionItem* Item, fw::TCollectionNotification Action) override;
};

// Asked by the owner of a non-client hit test with the message itself.
using TacNCHitTest = fw::TWndMethod;

}  // namespace skin
