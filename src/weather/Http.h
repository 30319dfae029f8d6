#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// An http or https address split into what a request needs.
struct HttpUrl {
    bool Secure = false; // https
    std::wstring Host;   // a bracketed IPv6 literal keeps its brackets
    int Port = 80;
    std::wstring Path; // from the first "/" on, query included, fragment dropped; never empty
};

// The limits of one download. Every wait (connecting, sending, each wait for reply data) has
// the same bound; a reply body above MaxBodyBytes is a failure, so a runaway server cannot
// fill the memory of a program that expects a few hundred bytes.
struct HttpLimits {
    int TimeoutMs = 10000;
    int MaxRedirects = 10;
    size_t MaxBodyBytes = 4 * 1024 * 1024;
};

// One request: a GET without body, or a POST of a body with its own header lines.
struct HttpRequest {
    HttpUrl Url;
    bool Post = false;
    std::vector<std::string> Headers; // "Name: value", ASCII, added to the client's own
    std::string Body;
};

// One reply as the platform's HTTP stack received it, without redirects followed.
struct HttpReply {
    int Status = 0;
    std::wstring Location; // the "Location" header, empty when absent
    std::string Body;      // transfer coding removed
};

// A reusable HTTP/1.1 client over the platform's own stack, TLS, proxy settings and trust
// store: the WinHTTP session on Windows, a libcurl handle natively. Several requests in a row
// share it (and its kept-alive connections); it belongs to one thread at a time. Certificates
// are always checked.
class CHttpClient {
public:
    // trustedCaFile: natively, a PEM file of the certificate authorities to trust in place of
    // the system's, for test servers; empty trusts the system's. Windows always trusts its own
    // store and ignores it.
    explicit CHttpClient(const HttpLimits& limits = HttpLimits(),
                         const std::string& trustedCaFile = std::string());
    ~CHttpClient();
    CHttpClient(const CHttpClient&) = delete;
    CHttpClient& operator=(const CHttpClient&) = delete;

    const HttpLimits& Limits() const { return limits_; }

    // One exchange, redirects not followed. False on any connection, TLS or protocol failure
    // (a certificate that is not trusted or not the host's included), a time-out, or a body
    // above the limit.
    bool Send(const HttpRequest& request, HttpReply& reply);

private:
    struct Session;
    HttpLimits limits_;
    std::string trustedCaFile_;
    std::unique_ptr<Session> session_;
};

class UtilHttp {
public:
    // GET of an http or https address, redirects followed as Exchange does; returns the body
    // byte for byte. Every failure throws ApplicationException "Util::DownloadHttp (18)".
    static std::string DownloadHttp(CHttpClient& client, const std::wstring& url);

    // The request, following 301, 302, 303, 307 and 308 (at most Limits().MaxRedirects
    // times) from http to https and within one scheme, never from https down to http. A GET
    // stays a GET; a POST keeps its body, except that 303 turns it into a GET. True when the
    // final status is a success; the reply is the last one received.
    static bool Exchange(CHttpClient& client, HttpRequest request, HttpReply& reply);

    // Splits "http[s]://host[:port][/path]" (scheme case-insensitive, port 1 to 65535, default
    // 80 or 443). False for another scheme, an empty or malformed host, user information,
    // blanks or control characters.
    static bool SplitUrl(const std::wstring& text, HttpUrl& url);
    // The address a "Location" header leads to from the address it came from: absolute,
    // scheme-relative ("//host/path"), host-relative ("/path") or relative to the current
    // folder. False when the result is not an http or https address.
    static bool ResolveLocation(const HttpUrl& from, const std::wstring& location, HttpUrl& to);
    // "http[s]://host[:port]/path" again, the port left out when it is the scheme's default.
    static std::wstring JoinUrl(const HttpUrl& url);

    // What every request says it comes from: the program, its version and its web page, as
    // NOAA asks of automated clients.
    static const char* UserAgent();

    static bool IsSuccessStatus(int status) {
        return (status >= 200 && status <= 206) || status == 304 || status == 305;
    }
    static bool IsFollowedRedirect(int status) {
        return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
    }
};
