// Wrappers of the "BUTTON" class family: push buttons and bit buttons. The
// whole window is painted from a cache of the window's size: the section in
// the button's state, the caption (and a bit button's glyph), and the
// disabled blend toward the parent's background.
#pragma once

#include "skin/windows/acMainWnd.h"

namespace skin {

// What a button window is, from its style's type (style & BS_TYPEMASK).
// Owner-drawn buttons draw themselves, and kinds this library does not know
// are left as the system draws them: both give bkNone.
enum TacButtonKind { bkNone, bkPush, bkCheck, bkRadio, bkGroup };
TacButtonKind ButtonKindOf(LONG Style);

// The state a push button is painted in: 2 pressed; 0 disabled; 1 focused,
// hot or a default button; else 0.
int PushButtonState(bool Down, bool Enabled, bool FocusedOrHot, LONG Style);
// Text flags of a caption: centred, tabs expanded, and wrapped exactly when
// the button has BS_MULTILINE.
UINT CaptionFlags(LONG Style);
// The caption's rectangle in a window of size Wnd for text of size Text,
// centred, one pixel right and down while the button is down.
fw::TRect ButtonCaptionRect(SIZE Wnd, SIZE Text, bool Down);

class TacBtnWnd : public TacMainWnd {
public:
    // SkinSection empty: "BUTTON".
    TacBtnWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    fw::String ClassName() const override { return L"TacBtnWnd"; }
    void RestoreStdParams() override { TacMainWnd::RestoreStdParams(); }
    void SetSkinParams() override { TacMainWnd::SetSkinParams(); }
    void acWndProc(fw::TMessage& Message) override;

    virtual void DrawCaption();
    virtual void DrawGlyph() {}
    virtual SIZE GlyphSize() { return {0, 0}; }
    virtual void DoDrawText(fw::TRect& R, UINT Flags);
    virtual fw::TRect CaptionRect();
    virtual int MaxCaptionWidth();
    virtual SIZE TextRectSize();
    virtual void PrepareCache();

    void AC_WMPaint(HDC GivenDC);
    LONG CtrlStyle() const { return GetWindowLongW(CtrlHandle, GWL_STYLE); }
    bool Down() const;
    int CurrentState();

protected:
    // Repaints after the control changed something it would draw itself.
    void Repaint();
    void Bracketed(fw::TMessage& Message, bool PrevOnly);
    fw::TCanvas* Canvas() const { return SkinData->FCacheBmp->Canvas(); }
    void SelectFont();
};

class TacBitBtnWnd : public TacBtnWnd {
public:
    using TacBtnWnd::TacBtnWnd;
    fw::String ClassName() const override { return L"TacBitBtnWnd"; }
    fw::TRect CaptionRect() override;
    void DrawGlyph() override;
    SIZE GlyphSize() override;
    int MaxCaptionWidth() override;
    fw::TRect GlyphRect();

    HBITMAP hBmp = nullptr;
    HICON hIco = nullptr;
};

// The disabled look of a wrapper's cache: 40 % of the cache over 60 % of
// the parent's background (its cache at Pos, or its colour).
void BlendDisabled(fw::TBitmap* Cache, const TCacheInfo& CI, fw::TPoint Pos);
// A 32-bit bitmap whose alpha bytes are not all zero. A device bitmap made
// a DIB on a 32-bit screen, or a 32-bit file without alpha, has all zero:
// drawn by its alpha it would not show at all.
bool HasAlphaChannel(fw::TBitmap* Bmp);
// A 32-bit glyph with straight alpha composed over Dst at At by its alpha.
void DrawAlphaGlyph(fw::TBitmap* Glyph, fw::TBitmap* Dst, fw::TPoint At);
// The cursor is over the window.
bool CursorInWindow(HWND Handle);

}  // namespace skin
