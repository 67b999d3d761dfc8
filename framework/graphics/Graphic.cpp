#include "framework/graphics/Graphic.h"

#include <algorithm>
#include <climits>

#include "framework/rtl/Exception.h"
#include "framework/rtl/Streams.h"

namespace fw {

void TGraphic::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Changed(this);
}

void TGraphic::SetModified(bool value) {
    if (value)
        Changed(this);
    else
        modified_ = false;
}

void TGraphic::Changed(TObject*) {
    modified_ = true;
    if (OnChange) OnChange(this);
}

void TGraphic::Progress(TObject* Sender, TProgressStage Stage, uint8_t PercentDone, bool RedrawNow, const TRect& R,
                        const String& Msg) {
    if (OnProgress) OnProgress(Sender, Stage, PercentDone, RedrawNow, R, Msg);
}

std::vector<uint8_t> TGraphic::ReadToEnd(TStream* Stream) {
    const int64_t size = Stream->Size() - Stream->Position();
    if (size > INT_MAX) throw EInvalidGraphic(L"Graphic stream too large");
    std::vector<uint8_t> bytes(size_t(std::max<int64_t>(size, 0)));
    if (!bytes.empty()) Stream->ReadBuffer(bytes.data(), int(bytes.size()));
    return bytes;
}

void TGraphic::LoadFromFile(const String& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& FileName) {
    TFileStream stream(FileName, fmCreate);
    SaveToStream(&stream);
}

}  // namespace fw
