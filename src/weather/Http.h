#pragma once
#include <cstddef>
#include <memory>
#include <string>

// An http address split into what a request needs. Only the plain http scheme is known.
struct HttpUrl {
    std::wstring Host; // a bracketed IPv6 literal keeps its brackets
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

// One reply as the platform's HTTP stack received it, without redirects followed.
struct HttpReply {
    int Status = 0;
    std::wstring Location; // the "Location" header, empty when absent
    std::string Body;      // transfer coding removed
};

// A reusable HTTP/1.1 client for plain GET requests: the WinHTTP session on Windows, a libcurl
// handle natively. Several downloads in a row share it (and its kept-alive connections); it
// belongs to one thread at a time.
class CHttpClient {
public:
    explicit CHttpClient(const HttpLimits& limits = HttpLimits());
    ~CHttpClient();
    CHttpClient(const CHttpClient&) = delete;
    CHttpClient& operator=(const CHttpClient&) = delete;

    const HttpLimits& Limits() const { return limits_; }

    // One GET of the address, redirects not followed. False on any connection or protocol
    // failure, a time-out, or a body above the limit.
    bool Get(const HttpUrl& url, HttpReply& reply);

private:
    struct Session;
    HttpLimits limits_;
    std::unique_ptr<Session> session_;
};

class UtilHttp {
public:
    // GET of an http address, following 301, 302 and 303 (again with GET, at most
    // Limits().MaxRedirects times); returns the body byte for byte. Statuses 200 to 206, 304
    // and 305 succeed; every other outcome throws ApplicationException
    // "Util::DownloadHttp (18)".
    static std::string DownloadHttp(CHttpClient& client, const std::wstring& url);

    // Splits "http://host[:port][/path]" (scheme case-insensitive, port 1 to 65535, default 80).
    // False for another scheme, an empty or malformed host, user information, blanks or
    // control characters.
    static bool SplitUrl(const std::wstring& text, HttpUrl& url);
    // The address a "Location" header leads to from the address it came from: absolute,
    // scheme-relative ("//host/path"), host-relative ("/path") or relative to the current
    // folder. False when the result is not an http address.
    static bool ResolveLocation(const HttpUrl& from, const std::wstring& location, HttpUrl& to);
    // "http://host:port/path" again, for clients that take a whole address.
    static std::wstring JoinUrl(const HttpUrl& url);

    static bool IsSuccessStatus(int status) {
        return (status >= 200 && status <= 206) || status == 304 || status == 305;
    }
    static bool IsFollowedRedirect(int status) { return status == 301 || status == 302 || status == 303; }
};
