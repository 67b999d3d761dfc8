// An icon held as an HICON the object owns. Icons come from .ico files or
// streams, or are adopted from a handle another API made (the shell's file
// icons); ReleaseHandle hands the handle on without destroying it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/graphics/Graphic.h"

namespace fw {

class TIcon : public TGraphic {
public:
    TIcon();
    ~TIcon() override;
    String ClassName() const override { return L"TIcon"; }

    // From another TIcon (a copy of its handle and data); nil empties.
    void Assign(const TPersistent* Source) override;

    bool Empty() const override { return handle_ == nullptr; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // An icon has the size of its image: raises EInvalidGraphic.
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    // The mask makes every icon transparent.
    bool Transparent() const override { return true; }

    HICON Handle() const { return handle_; }
    // Adopts Value: the icon destroys it later. The previous handle is destroyed.
    void SetHandle(HICON Value);
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Gives the handle away; the icon becomes empty and destroys nothing.
    HICON ReleaseHandle();

    // DrawIconEx stretched into Rect.
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

    // .ico data: the entry that best fits the system's icon size and colour
    // depth becomes the handle. Malformed data raises EInvalidGraphic and
    // leaves the icon as it was.
    void LoadFromStream(TStream* Stream) override;
    // The data as loaded, or a single-image .ico made from the handle.
    void SaveToStream(TStream* Stream) override;
    // LoadImage(LR_LOADFROMFILE) of the entry LoadFromStream would pick, at
    // its own size.
    void LoadFromFile(const String& FileName) override;

private:
    void Adopt(HICON icon);

    HICON handle_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> data_;  // the .ico data it was loaded from, if any
};

}  // namespace fw
