#include "weather/Http.h"

#include "app/Version.h"
#include "core/ApplicationException.h"
#include "core/BuildOptions.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

constexpr const char* DownloadFailed = "Util::DownloadHttp (18)";

int DefaultPort(bool secure) {
    return secure ? 443 : 80;
}

bool IsAsciiLetter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}
bool IsAsciiDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}
bool IsHexDigit(wchar_t c) {
    return IsAsciiDigit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}
bool IsHostNameCharacter(wchar_t c) {
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == L'-' || c == L'.' || c == L'_';
}
// Blanks and control characters would end up in the request line or break it.
bool IsForbidden(wchar_t c) {
    return c <= L' ' || c == 0x7F;
}

// A header line the request may carry as it stands: "Name: value" and nothing that would end
// it early.
bool IsHeaderLine(const std::string& line) {
    for (unsigned char c : line) {
        if (c < ' ' || c >= 0x7F) {
            return false;
        }
    }
    const size_t colon = line.find(':');
    return colon != std::string::npos && colon > 0;
}

bool HasForbidden(std::wstring_view text) {
    for (wchar_t c : text) {
        if (IsForbidden(c)) {
            return true;
        }
    }
    return false;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
        if (c != prefix[i]) {
            return false;
        }
    }
    return true;
}

// The path and query, fragment removed; a bare query gets its "/".
std::wstring PathOf(std::wstring_view rest) {
    const size_t fragment = rest.find(L'#');
    if (fragment != std::wstring_view::npos) {
        rest = rest.substr(0, fragment);
    }
    std::wstring path(rest);
    if (path.empty() || path[0] != L'/') {
        path.insert(path.begin(), L'/');
    }
    return path;
}

// "." and ".." segments of a path merged from a relative location, resolved; the query is kept
// as it is.
std::wstring RemoveDotSegments(const std::wstring& pathAndQuery) {
    const size_t queryStart = pathAndQuery.find(L'?');
    const std::wstring_view path = std::wstring_view(pathAndQuery).substr(0, queryStart);
    std::vector<std::wstring_view> segments;
    bool trailingSlash = false;
    size_t start = 1; // past the leading "/"
    while (start <= path.size()) {
        const size_t end = std::min(path.find(L'/', start), path.size());
        const std::wstring_view segment = path.substr(start, end - start);
        const bool last = end == path.size();
        if (segment == L"..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
            trailingSlash = last;
        } else if (segment == L".") {
            trailingSlash = last;
        } else {
            segments.push_back(segment);
            trailingSlash = false;
        }
        start = end + 1;
    }
    std::wstring result;
    for (const std::wstring_view segment : segments) {
        result += L'/';
        result += segment;
    }
    if (trailingSlash || result.empty()) {
        result += L'/';
    }
    if (queryStart != std::wstring::npos) {
        result += pathAndQuery.substr(queryStart);
    }
    return result;
}

bool SplitAuthority(std::wstring_view authority, HttpUrl& url) {
    std::wstring_view host;
    std::wstring_view port;
    if (!authority.empty() && authority[0] == L'[') {
        const size_t close = authority.find(L']');
        if (close == std::wstring_view::npos || close < 2) {
            return false;
        }
        for (wchar_t c : authority.substr(1, close - 1)) {
            if (!IsHexDigit(c) && c != L':' && c != L'.') {
                return false;
            }
        }
        host = authority.substr(0, close + 1);
        std::wstring_view after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after[0] != L':') {
                return false;
            }
            port = after.substr(1);
            if (port.empty()) {
                return false;
            }
        }
    } else {
        const size_t colon = authority.find(L':');
        host = authority.substr(0, colon);
        if (colon != std::wstring_view::npos) {
            port = authority.substr(colon + 1);
            if (port.empty()) {
                return false;
            }
        }
        if (host.empty()) {
            return false;
        }
        for (wchar_t c : host) {
            if (!IsHostNameCharacter(c)) {
                return false;
            }
        }
    }
    int portNumber = DefaultPort(url.Secure);
    if (!port.empty()) {
        if (port.size() > 5) {
            return false;
        }
        portNumber = 0;
        for (wchar_t c : port) {
            if (!IsAsciiDigit(c)) {
                return false;
            }
            portNumber = portNumber * 10 + (c - L'0');
        }
        if (portNumber < 1 || portNumber > 65535) {
            return false;
        }
    }
    url.Host.assign(host);
    url.Port = portNumber;
    return true;
}

// A scheme is letters, digits, "+", "-" or "." before the first ":", ahead of any "/", "?"
// or "#".
bool HasScheme(std::wstring_view text) {
    if (text.empty() || !IsAsciiLetter(text[0])) {
        return false;
    }
    for (wchar_t c : text) {
        if (c == L':') {
            return true;
        }
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != L'+' && c != L'-' && c != L'.') {
            return false;
        }
    }
    return false;
}

} // namespace

bool UtilHttp::SplitUrl(const std::wstring& text, HttpUrl& url) {
    constexpr std::wstring_view Plain = L"http://";
    constexpr std::wstring_view Secure = L"https://";
    if (HasForbidden(text)) {
        return false;
    }
    HttpUrl result;
    std::wstring_view rest;
    if (StartsWithNoCase(text, Plain)) {
        rest = std::wstring_view(text).substr(Plain.size());
    } else if (StartsWithNoCase(text, Secure)) {
        rest = std::wstring_view(text).substr(Secure.size());
        result.Secure = true;
    } else {
        return false;
    }
    const size_t end = rest.find_first_of(L"/?#");
    const std::wstring_view authority = rest.substr(0, end);
    if (authority.find(L'@') != std::wstring_view::npos || !SplitAuthority(authority, result)) {
        return false;
    }
    result.Path = PathOf(end == std::wstring_view::npos ? std::wstring_view() : rest.substr(end));
    url = std::move(result);
    return true;
}

bool UtilHttp::ResolveLocation(const HttpUrl& from, const std::wstring& location, HttpUrl& to) {
    if (location.empty() || HasForbidden(location)) {
        return false;
    }
    if (HasScheme(location)) {
        return SplitUrl(location, to);
    }
    if (location.size() >= 2 && location[0] == L'/' && location[1] == L'/') {
        return SplitUrl((from.Secure ? L"https:" : L"http:") + location, to);
    }
    HttpUrl result = from;
    if (location[0] == L'/') {
        result.Path = RemoveDotSegments(PathOf(location));
    } else {
        std::wstring_view base = from.Path;
        base = base.substr(0, base.find(L'?'));
        if (location[0] == L'?') {
            result.Path = PathOf(std::wstring(base) + location);
        } else if (location[0] == L'#') {
            result.Path = from.Path;
        } else {
            base = base.substr(0, base.rfind(L'/') + 1);
            result.Path = RemoveDotSegments(PathOf(std::wstring(base) + location));
        }
    }
    to = std::move(result);
    return true;
}

std::wstring UtilHttp::JoinUrl(const HttpUrl& url) {
    std::wstring text = (url.Secure ? L"https://" : L"http://") + url.Host;
    if (url.Port != DefaultPort(url.Secure)) {
        text += L":" + std::to_wstring(url.Port);
    }
    return text + url.Path;
}

const char* UtilHttp::UserAgent() {
    // NOAA asks automated clients for a way to reach their maker: the web site, else the
    // e-mail address, whichever the build names.
    static const std::string agent = [] {
        const std::string site = BuildOptions::WebSite();
        const std::string email = BuildOptions::ContactEmail();
        std::string text = "Orbimeteo/" ORBIMETEO_VERSION_TEXT;
        if (!site.empty()) {
            text += " (+" + site + ")";
        } else if (!email.empty()) {
            text += " (" + email + ")";
        }
        return text;
    }();
    return agent.c_str();
}

bool UtilHttp::Exchange(CHttpClient& client, HttpRequest request, HttpReply& reply) {
    if (!std::all_of(request.Headers.begin(), request.Headers.end(), IsHeaderLine)) {
        return false;
    }
    for (int redirects = 0;; ++redirects) {
        if (!client.Send(request, reply)) {
            return false;
        }
        if (!IsFollowedRedirect(reply.Status)) {
            return IsSuccessStatus(reply.Status);
        }
        HttpUrl next;
        if (redirects >= client.Limits().MaxRedirects ||
            !ResolveLocation(request.Url, reply.Location, next)) {
            return false;
        }
        // Down to plain http would hand anyone on the way what the secure address protects.
        if (request.Url.Secure && !next.Secure) {
            return false;
        }
        request.Url = std::move(next);
        if (reply.Status == 303) {
            request.Post = false;
            request.Headers.clear();
            request.Body.clear();
        }
    }
}

std::string UtilHttp::DownloadHttp(CHttpClient& client, const std::wstring& url) {
    HttpRequest request;
    HttpReply reply;
    if (!SplitUrl(url, request.Url) || !Exchange(client, std::move(request), reply)) {
        ThrowApplicationException(DownloadFailed);
    }
    return std::move(reply.Body);
}
