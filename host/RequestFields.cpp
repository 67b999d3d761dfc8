#include "host/RequestFields.h"

#include <algorithm>
#include <iterator>

namespace host {

SplitText SplitAtSeparator(const String& text) {
    SplitText split;
    size_t at = text.find(kFieldSeparator);
    if (at == String::npos) {
        split.Before = text;
        return split;
    }
    split.Before = text.substr(0, at);
    split.After = text.substr(at + std::size(kFieldSeparator) - 1);
    split.Found = true;
    return split;
}

String SlashesToBackslashes(const String& text) {
    String result = text;
    std::replace(result.begin(), result.end(), L'/', L'\\');
    return result;
}

}  // namespace host
