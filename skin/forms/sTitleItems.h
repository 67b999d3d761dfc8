// What a provider shows in its title besides the skin: its own title icon
// (a glyph, or sizes for the form's icon) and a text after the caption.
#pragma once

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/windows/Messages.h"

namespace skin {

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

// A text drawn after the caption, in its own font.
class TacAddedTitle : public fw::TPersistent {
public:
    fw::String ClassName() const override { return L"TacAddedTitle"; }
    fw::String Text;
    fw::TFont* Font() { return &FFont; }

private:
    fw::TFont FFont;
};

// Asked by the owner of a non-client hit test with the message itself.
using TacNCHitTest = fw::TWndMethod;

}  // namespace skin
