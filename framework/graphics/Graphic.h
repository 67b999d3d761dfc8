// The abstract picture: anything with a size that can draw itself onto a
// canvas and travel through a stream (bitmaps, JPEG images, icons).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/rtl/Method.h"
#include "framework/rtl/Object.h"
#include "framework/rtl/Types.h"

namespace fw {

class TCanvas;
class TStream;

enum TProgressStage { psStarting, psRunning, psEnding };
using TProgressEvent = Method<void(TObject* Sender, TProgressStage Stage, uint8_t PercentDone, bool RedrawNow,
                                   const TRect& R, const String& Msg)>;

class TGraphic : public TPersistent {
public:
    String ClassName() const override { return L"TGraphic"; }

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual void SetWidth(int value) = 0;
    virtual int Height() const = 0;
    virtual void SetHeight(int value) = 0;

    // Whether Draw leaves the transparent parts of the canvas as they were.
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    virtual HPALETTE Palette() const { return nullptr; }
    virtual void SetPalette(HPALETTE) {}

    bool Modified() const { return modified_; }
    void SetModified(bool value);

    // Paints the whole picture into Rect (stretched when the sizes differ).
    // TCanvas::Draw and StretchDraw call this.
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;

    virtual void LoadFromStream(TStream* Stream) = 0;
    virtual void SaveToStream(TStream* Stream) = 0;
    virtual void LoadFromFile(const String& FileName);
    virtual void SaveToFile(const String& FileName);

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;

protected:
    virtual void Changed(TObject* Sender);
    virtual void Progress(TObject* Sender, TProgressStage Stage, uint8_t PercentDone, bool RedrawNow, const TRect& R,
                          const String& Msg);
    // The bytes from the stream's position to its end; EInvalidGraphic when
    // they cannot be held in memory.
    static std::vector<uint8_t> ReadToEnd(TStream* Stream);
    // Sets the flag without announcing a change (for copies that announce once).
    void StoreTransparent(bool value) { transparent_ = value; }

private:
    bool transparent_ = false;
    bool modified_ = false;
};

}  // namespace fw
