#include "ui/WebAddress.h"

#include "core/BuildOptions.h"

#include <cstdio>
#include <string_view>

namespace {
bool NeedsEscape(wchar_t c) {
    return c <= 0x20 || c == 0x7F || std::wstring_view(L"\"#%<>?[]^`{|}").find(c) != std::wstring_view::npos;
}

std::wstring Escaped(wchar_t c) {
    wchar_t text[4];
    std::swprintf(text, 4, L"%%%02X", static_cast<unsigned>(c));
    return text;
}
} // namespace

std::wstring FileUrlOf(const std::wstring& path) {
    std::wstring url = L"file://";
    size_t start = 0;
    if (path.starts_with(L"\\\\")) {
        start = 2; // the server name follows "file://"
    } else {
        url += L'/';
    }
    for (size_t i = start; i < path.size(); ++i) {
        const wchar_t c = path[i];
        if (c == L'\\') {
            url += L'/';
        } else if (NeedsEscape(c)) {
            url += Escaped(c);
        } else {
            url += c;
        }
    }
    return url;
}

std::wstring WebSiteOf(const std::wstring& configuredSite, const std::wstring& installationFolder) {
    return configuredSite.empty() ? FileUrlOf(installationFolder + L"ReadMe.html") : configuredSite;
}

std::wstring ProductPageOf(const std::wstring& webSite, const std::wstring& webId) {
    if (webSite.starts_with(L"file:")) {
        return webSite;
    }
    return webSite + L"?product=" + webId + L"&ref=app";
}

std::wstring WebIdOf(EnumAppKind kind) {
    return WidenAscii(kind == EnumAppKind::GlobeGlow ? BuildOptions::WebIdGlobeGlow()
                                                     : BuildOptions::WebIdCloudPane());
}

std::wstring ContactEmailText() {
    const std::wstring email = WidenAscii(BuildOptions::ContactEmail());
    return email.empty() ? L"none given in this build" : email;
}

std::wstring WidenAscii(const char* text) {
    std::wstring wide;
    for (; *text != '\0'; ++text) {
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    }
    return wide;
}
