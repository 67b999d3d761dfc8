#include "host/InvokeRequest.h"

namespace host {

String XmlEscape(const String& text) {
    String result;
    result.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
            case L'&':
                result += L"&amp;";
                break;
            case L'<':
                result += L"&lt;";
                break;
            case L'>':
                result += L"&gt;";
                break;
            case L'"':
                result += L"&quot;";
                break;
            case L'\'':
                result += L"&apos;";
                break;
            default:
                result += c;
        }
    }
    return result;
}

String InvokeRequest(const String& functionName, const std::vector<String>& arguments) {
    String request = L"<invoke name=\"" + XmlEscape(functionName) + L"\" returntype=\"xml\"><arguments>";
    for (const String& argument : arguments) request += L"<string>" + XmlEscape(argument) + L"</string>";
    return request + L"</arguments></invoke>";
}

}  // namespace host
