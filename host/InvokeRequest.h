// The invoke request that calls one of the movie's ExternalInterface
// functions: <invoke name="f" returntype="xml"><arguments><string>a</string>
// ...</arguments></invoke>. Argument texts are XML-escaped, so a path or page
// text holding "&" or "<" still reaches the movie as one well-formed call.
#pragma once

#include <vector>

#include "framework/rtl/Strings.h"

namespace host {

using fw::String;

// "&", "<", ">", '"' and "'" as XML entities; every other character unchanged.
String XmlEscape(const String& text);

String InvokeRequest(const String& functionName, const std::vector<String>& arguments);

}  // namespace host
