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

} // namespace

struct CHttpClient::Session {
    HINTERNET Handle = nullptr;
};

CHttpClient::CHttpClient(const HttpLimits& limits) : limits_(limits), session_(std::make_unique<Session>()) {
    session_->Handle = WinHttpOpen(L"Orbimeteo", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                   WINHTTP_NO_PROXY_BYPASS, 0);
    if (session_->Handle != nullptr) {
        const int timeout = limits_.TimeoutMs;
        WinHttpSetTimeouts(session_->Handle, timeout, timeout, timeout, timeout);
    }
}

CHttpClient::~CHttpClient() {
    if (session_->Handle != nullptr) {
        WinHttpCloseHandle(session_->Handle);
    }
}

bool CHttpClient::Get(const HttpUrl& url, HttpReply& reply) {
    reply = HttpReply();
    if (session_->Handle == nullptr) {
        return false;
    }
    InternetHandle connection(WinHttpConnect(session_->Handle, ServerName(url.Host).c_str(),
                                             static_cast<INTERNET_PORT>(url.Port), 0));
    if (connection.Get() == nullptr) {
        return false;
    }
    InternetHandle request(WinHttpOpenRequest(connection.Get(), L"GET", url.Path.c_str(), nullptr,
                                              WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, 0));
    if (request.Get() == nullptr) {
        return false;
    }
    // Redirects are followed by the caller, which knows which ones to follow and how often.
    DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    DWORD disabled = WINHTTP_DISABLE_REDIRECTS;
    if (!WinHttpSetOption(request.Get(), WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof policy) ||
        !WinHttpSetOption(request.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &disabled, sizeof disabled)) {
        return false;
    }
    // Waiting for the headers has a limit of its own, apart from the session's time-outs.
    DWORD timeout = static_cast<DWORD>(limits_.TimeoutMs);
    WinHttpSetOption(request.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &timeout, sizeof timeout);
    if (!WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0,
                            0) ||
        !WinHttpReceiveResponse(request.Get(), nullptr)) {
        return false;
    }
    DWORD status = 0;
    if (!QueryNumber(request.Get(), WINHTTP_QUERY_STATUS_CODE, status)) {
        return false;
    }
    reply.Status = static_cast<int>(status);
    reply.Location = QueryText(request.Get(), WINHTTP_QUERY_LOCATION);
    return ReadBody(request.Get(), limits_.MaxBodyBytes, reply.Body);
}
