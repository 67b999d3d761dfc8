// The frame adapter: a component placed on (owned by) a framework frame that
// takes over the frame's window method, so the frame paints its background
// from a skin section ("GROUPBOX" unless another is chosen), answers the
// library's private messages like a skinned control, skins the frame's popup
// menus and lets the form's control adapter wrap the frame's foreign
// controls. The control adapter makes one for every frame it meets.
//
// It lives as long as its frame: the frame frees it first of its components,
// and it gives the frame back the exact window method it found.
#pragma once

#include <windows.h>

#include "framework/rtl/Component.h"
#include "framework/windows/Frames.h"
#include "framework/windows/Messages.h"
#include "skin/engine/sConst.h"

namespace skin {

class TsCommonData;
class TacScrollWnd;
class TsSkinManager;
struct TsGeneralData;

// The background colour a frame answers to smcGetColor. Section nil: not
// skinned, its own colour. A textured or gradient section has no plain
// colour ($FF00FF); an opaque one its colour; a fully transparent one its
// parent's (ParentAnswer, or ParentColor when that answer is $FF00FF; its
// own without parent); a partly transparent one its colour mixed with the
// parent's as its painting mixes them (Transparency percent of the parent).
fw::TColor FrameBGColor(const TsGeneralData* Section, fw::TColor OwnColor, bool HasParent, fw::TColor ParentAnswer,
                        fw::TColor ParentColor);

class TsFrameAdapter : public fw::TComponent {
public:
    // Raises Exception (acs_FrameAdapterError1) when AOwner is not a frame.
    explicit TsFrameAdapter(fw::TComponent* AOwner);
    ~TsFrameAdapter() override;
    fw::String ClassName() const override { return L"TsFrameAdapter"; }

    void AfterConstruction() override;
    void Loaded() override;

    void NewWndProc(fw::TMessage& Message);
    void AC_WMPaint(HDC DC);
    void OurPaintHandler(HDC DC);
    // The section painted over the whole frame into the cache.
    void PrepareCache();

    // Control class code 226, default section "GROUPBOX"; owned.
    TsCommonData* SkinData() const { return FCommonData; }

    TsCommonData* FCommonData = nullptr;
    fw::TCustomFrame* Frame = nullptr;
    fw::TWndMethod OldWndProc;
    TacScrollWnd* ListSW = nullptr;  // the frame's skinned scroll bars, owned

private:
    TsSkinManager* Manager() const;
    bool Ours(const fw::TMessage& Message) const;
    void HookPopups();
    void PassOn(fw::TMessage& Message);
    void Redraw(UINT Flags);
    bool SkinnedMessage(fw::TMessage& Message);
};

}  // namespace skin
