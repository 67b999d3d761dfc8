#include "host/ScrapSave.h"

#include <windows.h>

#include "framework/graphics/Jpeg.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"

namespace host {

using namespace fw;

namespace {

// Items split exactly as the framework's delimited text does: blanks and
// control characters end an item, and commas in a row give empty items.
void SplitAtCommas(const String& text, TStringList& items) {
    items.SetDelimiter(L',');
    items.SetDelimitedText(text);
}

// ", RRGGBB": the longest item a movie needs, with a blank after its comma.
constexpr size_t kMaxItemChars = 8;

// Six characters RRGGBB, else black.
void ItemColour(const String& item, BYTE& r, BYTE& g, BYTE& b) {
    String s = Trim(item);
    if (s.size() != 6) {
        r = g = b = 0;
        return;
    }
    r = static_cast<BYTE>(StrToInt(L"0x" + s.substr(0, 2)));
    g = static_cast<BYTE>(StrToInt(L"0x" + s.substr(2, 2)));
    b = static_cast<BYTE>(StrToInt(L"0x" + s.substr(4, 2)));
}

}  // namespace

void ScrapSave::Reset() {
    PixelText.clear();
    Width = 0;
    Height = 0;
    TextOverflow = false;
}

void ScrapSave::Start(const String& size) {
    TStringList items;
    SplitAtCommas(size, items);
    int width = StrToInt(items.Strings(0));
    int height = StrToInt(items.Strings(1));
    Width = width;
    Height = height;
}

void ScrapSave::AddData(const String& chunk) {
    if (TextOverflow) return;
    const size_t comma = chunk.find(L',');
    const size_t from = comma == String::npos ? 0 : comma;
    const size_t capacity = TextCapacity(Width, Height);
    if (PixelText.size() > capacity || chunk.size() - from > capacity - PixelText.size()) {
        TextOverflow = true;
        UnicodeString().swap(PixelText);  // give the memory back now
        return;
    }
    PixelText.append(chunk, from, String::npos);
}

bool ScrapSave::SizeAccepted(int width, int height) {
    return width > 0 && height > 0 && int64_t(width) * height <= kMaxPixels;
}

size_t ScrapSave::TextCapacity(int width, int height) {
    if (!SizeAccepted(width, height)) return 0;
    return (size_t(width) * size_t(height) + 1) * kMaxItemChars;
}

std::unique_ptr<TBitmap> ScrapSave::BuildBitmap() const {
    if (!SizeAccepted(Width, Height) || TextOverflow) return nullptr;
    TStringList items;
    SplitAtCommas(PixelText, items);

    auto bitmap = std::make_unique<TBitmap>(Width, Height, pf24bit);  // all black
    const int count = items.Count();
    BYTE* row = nullptr;
    int x = 0, y = 0;
    for (int i = 0; i < count; ++i) {
        BYTE r, g, b;
        ItemColour(items.Strings(i), r, g, b);  // raises for a bad item, inside the picture or not
        if (i % 10000 == 0) OutputDebugStringW(IntToStr(i).c_str());
        if (y < Height) {
            if (x == 0 || !row) row = static_cast<BYTE*>(bitmap->ScanLine(y));
            row[x * 3] = b;
            row[x * 3 + 1] = g;
            row[x * 3 + 2] = r;
        }
        if (++x == Width) {
            x = 0;
            ++y;
        }
    }
    return bitmap;
}

ScrapSave::Outcome ScrapSave::Finish(TSaveDialog& dialog) {
    std::unique_ptr<TBitmap> bitmap = BuildBitmap();
    if (!bitmap) return Outcome::Refused;
    TJPEGImage jpeg;
    jpeg.Assign(bitmap.get());

    dialog.SetFilter(kScrapFilter);
    dialog.SetFileName(kScrapFileName);
    if (!dialog.Execute()) return Outcome::Cancelled;
    jpeg.SaveToFile(JpegFileName(dialog.FileName()));
    return Outcome::Saved;
}

String ScrapSave::JpegFileName(const String& chosen) {
    String ext = AnsiLowerCase(ExtractFileExt(chosen));
    if (ext == L".jpg" || ext == L".jpeg") return chosen;
    return chosen + L".jpg";
}

}  // namespace host
