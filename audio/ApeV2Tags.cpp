#include "audio/ApeV2Tags.h"

namespace acs {

TAPEv2Tags::TAPEv2Tags() {
    static const wchar_t* const ids[] = {L"Artist",       L"Composer",        L"Album",    L"Debut album", L"Publisher",
                                         L"Conductor",    L"Copyright",       L"ISBN",     L"ISRC",        L"EAN/UPC",
                                         L"LC",           L"Catalog",         L"Language", L"Genre",       L"Year",
                                         L"Record Date",  L"Record Location", L"File",     L"Related",     L"Abstract",
                                         L"Bibliography", L"Track",           L"Title",    L"Subtitle",    L"Comment"};
    for (const wchar_t* id : ids) RegisterId(id, fw::Null());
}

}  // namespace acs
