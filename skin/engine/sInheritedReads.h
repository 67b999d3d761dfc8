// Reads of a skin's INI text that fall back along a section's PARENTCLASS
// for the keys the section does not set. The skin loader and the older form
// of stored skins read every section value through them.
#pragma once

#include "framework/rtl/Strings.h"

namespace fw {
class TMemIniFile;
}  // namespace fw

namespace skin {

// A chain is followed at most as many links as the text has sections, so a
// cycle (A to B to A) ends as "absent"; a section naming itself ends it too.
class InheritedReader {
public:
    explicit InheritedReader(const fw::TMemIniFile& ini);

    // The first value found along the chain, else Default.
    fw::String String(const fw::String& Section, const fw::String& Key, const fw::String& Default) const;
    // The same for numbers; a value of -1, or one that is no number, counts
    // as absent.
    int Integer(const fw::String& Section, const fw::String& Key, int Default) const;
    // "TRUE" in any case of letters; absent reads as false.
    bool Bool(const fw::String& Section, const fw::String& Key) const;

private:
    // s := its usable parent; false when there is none.
    bool Parent(fw::String& s) const;

    const fw::TMemIniFile& ini_;
    int maxLinks_ = 1;
};

}  // namespace skin
