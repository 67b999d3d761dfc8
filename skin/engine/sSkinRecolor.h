// Recolouring a loaded skin in memory: hue, saturation and brightness of the
// master bitmap, the images with bitmaps of their own and the table colours.
// The key colour 0xFF00FF is never changed; hue and saturation leave grey
// pixels alone; a 32-bit image keeps its alpha. Nothing is repainted here.
#pragma once

#include "framework/rtl/Strings.h"

namespace skin {

class TsSkinManager;

// Rotates every colour by Value degrees; the title icons selected by
// BIKeepHUE keep theirs. Value 0 does nothing.
void ChangeSkinHue(TsSkinManager* SkinManager, int Value);
// Saturation by Delta = (-Value) mod 101 (sign of -Value). Value 0 does nothing.
void ChangeSkinSaturation(TsSkinManager* SkinManager, int Value);
// Brightness by Value percent; 32-bit own images become 24-bit. Value 0 does nothing.
void ChangeSkinBrightness(TsSkinManager* SkinManager, int Value);

// Replaces image PropName of section SkinSection by the picture FileName (a
// ".BMP" bitmap, or for PATTERN / HOTPATTERN a bitmap or JPEG texture). True
// when the tables changed. An entry removed from ma or pa has the last one
// moved into its place, so every stored index is rebuilt afterwards.
bool ChangeImageInSkin(const fw::String& SkinSection, const fw::String& PropName, const fw::String& FileName,
                       TsSkinManager* SkinManager);

}  // namespace skin
