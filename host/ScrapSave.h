// The page-capture accumulator. The movie cannot write files, so it sends a
// page's pixels as text: a start with the size, chunks of RRGGBB items, an
// end; the end turns them into a JPEG file where the reader chooses. The size
// comes from the movie unchecked, so a picture that is empty, negative or
// too big is refused before anything is allocated; so is pixel text beyond
// what the picture can hold, which is not kept.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Strings.h"
#include "framework/windows/CommonDialogs.h"

namespace host {

using fw::String;
using fw::UnicodeString;

inline constexpr wchar_t kScrapFilter[] = L"JPG 파일|*.jpg";
inline constexpr wchar_t kScrapFileName[] = L"ScrapImage.jpg";

class ScrapSave {
public:
    // About a 4096 x 4096 page: far above any screen, and a picture whose
    // text and bitmap still fit a 32-bit process.
    static constexpr int64_t kMaxPixels = int64_t(4096) * 4096;

    enum class Outcome { Saved, Cancelled, Refused };

    ScrapSave() = default;

    // Empty text, size 0 x 0, nothing refused.
    void Reset();
    // "width,height", split as the framework's delimited text. A text without
    // two items or a size that is not a decimal integer raises (EStringListError,
    // EConvertError) and changes nothing.
    void Start(const String& size);
    // Appends the chunk from its first "," on (the field before it is not
    // part of the picture); a chunk without a comma is appended whole. Text
    // past TextCapacity (none without an accepted size) empties PixelText and
    // refuses the capture until Reset (the next start).
    void AddData(const String& chunk);
    // Builds the picture, encodes it and saves it where the reader chooses in
    // `dialog` (filter and file name set here, and left set). Refused (no
    // dialog, nothing allocated) when the size is not accepted or the text
    // overflowed; an item of six characters that is not hexadecimal raises
    // EConvertError before the dialog. The pixel text is kept.
    Outcome Finish(fw::TSaveDialog& dialog);

    // The picture the text describes: 24 bits, black where no item gives a
    // colour. Nullptr when the size is not accepted or the text overflowed.
    std::unique_ptr<fw::TBitmap> BuildBitmap() const;

    static bool SizeAccepted(int width, int height);
    // The most pixel text a picture of the size can need: an item per pixel
    // and the empty first one, each a comma, a blank and six digits. 0 for a
    // size that is not accepted.
    static size_t TextCapacity(int width, int height);
    // The chosen name with ".jpg" appended unless it ends in ".jpg" or ".jpeg" (any case).
    static String JpegFileName(const String& chosen);

    UnicodeString PixelText;
    int Width = 0;
    int Height = 0;
    // More text came than the picture can hold.
    bool TextOverflow = false;
};

}  // namespace host
