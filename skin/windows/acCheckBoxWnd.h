// Check boxes and radio buttons painted with the check glyphs of the skin's
// GLOBALINFO section over the parent's background, and group boxes: the
// section's frame below a caption cut out of it.
#pragma once

#include "skin/windows/acButtonWnd.h"

namespace skin {

// The GLOBALINFO image of a check (bkCheck) or radio (bkRadio) button in
// check state Check (0 unchecked, 1 checked, 2 grayed: BOXGRAYED for both,
// the skin has no grayed radio image).
const wchar_t* CheckGlyphName(TacButtonKind Kind, int Check);
// The glyph's place: centred down, at the left edge (the right one with
// BS_LEFTTEXT); empty for no glyph.
fw::TRect CheckGlyphRect(SIZE Wnd, int GlyphWidth, int GlyphHeight, bool LeftText);
// A group box's caption strip for text of size Text in a box Width wide.
fw::TRect GroupCaptionRect(int Width, SIZE Text, bool RightToLeft);

class TacCheckBoxWnd : public TacMainWnd {
public:
    // SkinSection empty: "CHECKBOX".
    TacCheckBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    fw::String ClassName() const override { return L"TacCheckBoxWnd"; }
    void acWndProc(fw::TMessage& Message) override;

    void AC_WMPaint(HDC GivenDC);
    void PrepareCache();
    void DrawCheckText();
    fw::TRect CheckRect();
    int CtlState();
    int State();  // 0 unchecked, 1 checked, 2 grayed
    int GlyphMaskIndex(int Check);
    fw::TRect SkinCheckRect(int i);
    void DrawSkinGlyph(int i);

private:
    LONG paintStyle_ = 0;  // the style read when the paint began
};

class TacGroupBoxWnd : public TacMainWnd {
public:
    // SkinSection empty: "GROUPBOX".
    TacGroupBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    fw::String ClassName() const override { return L"TacGroupBoxWnd"; }
    void acWndProc(fw::TMessage& Message) override;

    void AC_WMPaint(HDC GivenDC);
    void PrepareCache();
    fw::TRect CaptionRect();
    void WriteText(const fw::TRect& R);

private:
    void SelectFont();
    // The parent's background under R of the cache.
    void ParentUnder(const fw::TRect& R, const TacBGInfo& BG, fw::TPoint Pos);
};

// The wrapper a button window gets by its kind; nil for bkNone.
TacMainWnd* CreateButtonWnd(HWND Handle, TsCommonData* SkinData, TsSkinManager* SkinManager);

}  // namespace skin
