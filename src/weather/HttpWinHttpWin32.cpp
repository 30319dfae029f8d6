#include "weather/Http.h"

#include "core/ScopedHandleWin32.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <cwctype>
#include <vector>

namespace {

struct InternetHandleTraits {
    using Type = HINTERNET;
    static HINTERNET Invalid() { return nullptr; }
    static void Close(HINTERNET handle) { WinHttpCloseHandle(handle); }
};
using InternetHandle = ScopedHandle<InternetHandleTraits>;

bool QueryNumber(HINTERNET request, DWORD info, DWORD& value) {
    DWORD size = sizeof value;
    return WinHttpQueryHeaders(request, info | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                               &value, &size, WINHTTP_NO_HEADER_INDEX) != FALSE;
}

// The header's text, or empty when it is absent.
std::wstring QueryText(HINTERNET request, DWORD info) {
    DWORD bytes = 0;
    WinHttpQueryHeaders(request, info, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &bytes,
                        WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0) {
        return {};
    }
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (!WinHttpQueryHeaders(request, info, WINHTTP_HEADER_NAME_BY_INDEX, buffer.data(), &bytes,
                             WINHTTP_NO_HEADER_INDEX)) {
        return {};
    }
    return std::wstring(buffer.data());
}

bool IsChunked(HINTERNET request) {
    std::wstring coding = QueryText(request, WINHTTP_QUERY_TRANSFER_ENCODING);
    std::transform(coding.begin(), coding.end(), coding.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return coding.find(L"chunked") != std::wstring::npos;
}

bool ReadBody(HINTERNET request, size_t maxBytes, std::string& body) {
    DWORD declared = 0;
    const bool hasLength =
        !IsChunked(request) && QueryNumber(request, WINHTTP_QUERY_CONTENT_LENGTH, declared);
    if (hasLength && declared > maxBytes) {
        return false;
    }
    for (;;) {
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request, &available)) {
            return false;
        }
        if (available == 0) {
            break;
        }
        if (available > maxBytes - body.size()) {
            return false;
        }
        const size_t start = body.size();
        body.resize(start + available);
        DWORD read = 0;
        if (!WinHttpReadData(request, body.data() + start, available, &read)) {
            return false;
        }
        body.resize(start + read);
        if (read == 0) {
            break;
        }
    }
    // A connection closed before the announced length is a broken reply, not a short file.
    return !hasLength || body.size() == declared;
}

// WinHttpConnect takes an IPv6 literal without its brackets.
std::wstring ServerName(const std::wstring& host) {
    if (host.size() >= 2 && host.front() == L'[' && host.back() == L']') {
        return host.substr(1, host.size() - 2);
    }
    return host;
}

std::wstring Widened(const char* text) {
    std::wstring wide;
    for (; *text != '\0'; ++text) {
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    }
    return wide;
}

// The request's header lines (ASCII) as WinHTTP takes them.
std::wstring HeaderBlock(const std::vector<std::string>& lines) {
    std::wstring block;
    for (const std::string& line : lines) {
        block += Widened(line.c_str());
        block += L"\r\n";
    }
    return block;
}

// The user's own proxy settings: Windows 8.1 and later apply them, automatic detection and
// configuration scripts included, to a session that asks for it. Earlier systems know no such
// session; there the user's fixed proxy, when one is set, is taken over by hand.
HINTERNET OpenSession() {
    const std::wstring agent = Widened(UtilHttp::UserAgent());
    HINTERNET session = WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME,
                                    WINHTTP_NO_PROXY_BYPASS, 0);
    if (session != nullptr) {
        return session;
    }
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG user{};
    if (WinHttpGetIEProxyConfigForCurrentUser(&user) && user.lpszProxy != nullptr) {
        session =
            WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_NAMED_PROXY, user.lpszProxy,
                        user.lpszProxyBypass != nullptr ? user.lpszProxyBypass : WINHTTP_NO_PROXY_BYPASS, 0);
    }
    for (wchar_t* text : {user.lpszAutoConfigUrl, user.lpszProxy, user.lpszProxyBypass}) {
        if (text != nullptr) {
            GlobalFree(text);
        }
    }
    if (session != nullptr) {
        return session;
    }
    return WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                       WINHTTP_NO_PROXY_BYPASS, 0);
}

// Systems before Windows 10 offer only the old protocols unless asked; NOAA's servers speak
// TLS 1.2 and later. A system that does not know TLS 1.3 refuses the pair and gets 1.2 alone.
void EnableCurrentTls(HINTERNET session) {
    DWORD protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2 | WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_3;
    if (!WinHttpSetOption(session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof protocols)) {
        protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2;
        WinHttpSetOption(session, WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof protocols);
    }
}

} // namespace

struct CHttpClient::Session {
    InternetHandle Handle{OpenSession()};
};

CHttpClient::CHttpClient(const HttpLimits& limits, const std::string& trustedCaFile)
    : limits_(limits), trustedCaFile_(trustedCaFile), session_(std::make_unique<Session>()) {
    if (session_->Handle.IsValid()) {
        const int timeout = limits_.TimeoutMs;
        WinHttpSetTimeouts(session_->Handle.Get(), timeout, timeout, timeout, timeout);
        EnableCurrentTls(session_->Handle.Get());
    }
}

CHttpClient::~CHttpClient() = default;

bool CHttpClient::Send(const HttpRequest& request, HttpReply& reply) {
    reply = HttpReply();
    if (!session_->Handle.IsValid() || request.Body.size() > MAXDWORD) {
        return false;
    }
    const HttpUrl& url = request.Url;
    InternetHandle connection(WinHttpConnect(session_->Handle.Get(), ServerName(url.Host).c_str(),
                                             static_cast<INTERNET_PORT>(url.Port), 0));
    if (connection.Get() == nullptr) {
        return false;
    }
    InternetHandle handle(WinHttpOpenRequest(
        connection.Get(), request.Post ? L"POST" : L"GET", url.Path.c_str(), nullptr, WINHTTP_NO_REFERER,
        WINHTTP_DEFAULT_ACCEPT_TYPES, url.Secure ? WINHTTP_FLAG_SECURE : 0));
    if (handle.Get() == nullptr) {
        return false;
    }
    // Redirects are followed by the caller, which knows which ones to follow and how often.
    DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    DWORD disabled = WINHTTP_DISABLE_REDIRECTS;
    if (!WinHttpSetOption(handle.Get(), WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof policy) ||
        !WinHttpSetOption(handle.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &disabled, sizeof disabled)) {
        return false;
    }
    // Waiting for the headers has a limit of its own, apart from the session's time-outs.
    DWORD timeout = static_cast<DWORD>(limits_.TimeoutMs);
    WinHttpSetOption(handle.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &timeout, sizeof timeout);
    const std::wstring headers = HeaderBlock(request.Headers);
    const DWORD bodyBytes = static_cast<DWORD>(request.Body.size());
    void* body = bodyBytes == 0 ? WINHTTP_NO_REQUEST_DATA : const_cast<char*>(request.Body.data());
    if (!WinHttpSendRequest(handle.Get(), headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                            headers.empty() ? 0 : static_cast<DWORD>(-1L), body, bodyBytes, bodyBytes, 0) ||
        !WinHttpReceiveResponse(handle.Get(), nullptr)) {
        return false;
    }
    DWORD status = 0;
    if (!QueryNumber(handle.Get(), WINHTTP_QUERY_STATUS_CODE, status)) {
        return false;
    }
    reply.Status = static_cast<int>(status);
    reply.Location = QueryText(handle.Get(), WINHTTP_QUERY_LOCATION);
    return ReadBody(handle.Get(), limits_.MaxBodyBytes, reply.Body);
}
