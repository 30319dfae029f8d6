#include "weather/Http.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// An address the client can send as it stands: written out and split again it is itself, with
// no blank or control character that could end up in the request line.
void ExpectRequestable(const HttpUrl& url) {
    const std::wstring text = UtilHttp::JoinUrl(url);
    for (wchar_t c : text) {
        if (c <= L' ' || c == 0x7F) {
            std::abort();
        }
    }
    HttpUrl again;
    if (url.Path.empty() || url.Path[0] != L'/' || !UtilHttp::SplitUrl(text, again) ||
        again.Secure != url.Secure || again.Host != url.Host || again.Port != url.Port ||
        again.Path != url.Path) {
        std::abort();
    }
}

} // namespace

// A "Location" header is the server's text, and so is an address read from the settings.
// Whatever either holds, what it resolves to can be requested; a location that names no
// scheme keeps the secure one it came from.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const HttpUrl from = [] {
        HttpUrl url;
        if (!UtilHttp::SplitUrl(L"https://a.example:81/x/y/KLAX.TXT?v=1", url)) {
            std::abort();
        }
        return url;
    }();
    std::wstring text;
    for (size_t i = 0; i < size; ++i) {
        text += static_cast<wchar_t>(data[i]);
    }
    HttpUrl url;
    if (UtilHttp::SplitUrl(text, url)) {
        ExpectRequestable(url);
    }
    HttpUrl to;
    if (UtilHttp::ResolveLocation(from, text, to)) {
        ExpectRequestable(to);
        const bool namesHttp = text.size() >= 5 && (text[0] | 0x20) == L'h' && (text[4] == L':');
        if (!to.Secure && !namesHttp) {
            std::abort();
        }
    }
    return 0;
}
