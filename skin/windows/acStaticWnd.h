// Static windows of skinned dialogs: texts, icons, bitmaps and links, each
// drawn in WM_ERASEBKGND from a cache that holds the parent's background,
// the section ("CHECKBOX", which shows that background) and the content.
#pragma once

#include <memory>

#include "skin/windows/acMainWnd.h"

namespace skin {

// A link's text without its anchor tags ("<A>" and "</A>" exactly).
fw::String StripAnchorTags(const fw::String& Text);
// A static's text flags: wrapped, tabs expanded, unclipped; right-aligned
// with WS_EX_RIGHT.
UINT StaticTextFlags(LONG ExStyle);

class TacStaticWnd : public TacMainWnd {
public:
    using TacMainWnd::TacMainWnd;
    fw::String ClassName() const override { return L"TacStaticWnd"; }
    void acWndProc(fw::TMessage& Message) override;
    // The content into the cache.
    virtual void PaintText();
    void AC_WMPaint(HDC GivenDC);

protected:
    // The handling shared with links; false: not handled here.
    bool Common(fw::TMessage& Message, bool WithEnable);
};

class TacIconWnd : public TacStaticWnd {
public:
    TacIconWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const fw::String& SkinSection);
    ~TacIconWnd() override;
    fw::String ClassName() const override { return L"TacIconWnd"; }
    void PaintText() override;

    bool IsBmp = false;
    // The static's bitmap, borrowed: the static keeps and deletes it.
    fw::TBitmap* FBmp = nullptr;
};

class TacLinkWnd : public TacStaticWnd {
public:
    using TacStaticWnd::TacStaticWnd;
    fw::String ClassName() const override { return L"TacLinkWnd"; }
    void acWndProc(fw::TMessage& Message) override;
    void PaintText() override;
};

}  // namespace skin
