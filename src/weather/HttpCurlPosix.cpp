#include "weather/Http.h"

#include "core/Encoding.h"

#include <chrono>
#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <string_view>

namespace {

using SteadyClock = std::chrono::steady_clock;

// What the callbacks of one transfer share.
struct Transfer {
    HttpReply* Reply;
    size_t MaxBodyBytes;
    std::chrono::milliseconds Timeout;
    SteadyClock::time_point LastActivity;
};

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != prefix[i]) {
            return false;
        }
    }
    return true;
}

std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view Blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

size_t OnHeaderLine(char* data, size_t size, size_t count, void* user) {
    auto& transfer = *static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    transfer.LastActivity = SteadyClock::now();
    const std::string_view line(data, bytes);
    try {
        if (StartsWithNoCase(line, "http/")) {
            // A new status line: any earlier headers belonged to an interim reply.
            transfer.Reply->Location.clear();
        } else if (StartsWithNoCase(line, "location:")) {
            transfer.Reply->Location = FromAnsi(std::string(Trimmed(line.substr(9))));
        }
    } catch (...) {
        return 0; // nothing may unwind through libcurl; a short count aborts the transfer
    }
    return bytes;
}

size_t OnBodyData(char* data, size_t size, size_t count, void* user) {
    auto& transfer = *static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    std::string& body = transfer.Reply->Body;
    if (bytes > transfer.MaxBodyBytes - body.size()) {
        return CURL_WRITEFUNC_ERROR;
    }
    try {
        body.append(data, bytes);
    } catch (...) {
        return CURL_WRITEFUNC_ERROR;
    }
    transfer.LastActivity = SteadyClock::now();
    return bytes;
}

struct HeaderListFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, HeaderListFree>;

bool Append(HeaderList& list, const std::string& line) {
    curl_slist* longer = curl_slist_append(list.get(), line.c_str());
    if (longer == nullptr) {
        return false;
    }
    list.release();
    list.reset(longer);
    return true;
}

// The request's own header lines. A POST does not ask the server for leave to send its small
// body first: a server that ignores the question would make every request wait a second.
bool AppendHeaders(const HttpRequest& request, HeaderList& list) {
    for (const std::string& line : request.Headers) {
        if (!Append(list, line)) {
            return false;
        }
    }
    return !request.Post || Append(list, "Expect:");
}

// libcurl's own limits bound the whole transfer or its average speed; the rule here is that no
// single wait for the server lasts longer than the time-out.
int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto& transfer = *static_cast<const Transfer*>(user);
    return SteadyClock::now() - transfer.LastActivity > transfer.Timeout ? 1 : 0;
}

} // namespace

struct CHttpClient::Session {
    CURL* Handle = nullptr;
};

CHttpClient::CHttpClient(const HttpLimits& limits, const std::string& trustedCaFile)
    : limits_(limits), trustedCaFile_(trustedCaFile), session_(std::make_unique<Session>()) {
    // The library's global set-up is not safe to race; every client goes through here first.
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    session_->Handle = curl_easy_init();
}

CHttpClient::~CHttpClient() {
    if (session_->Handle != nullptr) {
        curl_easy_cleanup(session_->Handle);
    }
}

bool CHttpClient::Send(const HttpRequest& request, HttpReply& reply) {
    CURL* handle = session_->Handle;
    reply = HttpReply();
    if (handle == nullptr) {
        return false;
    }
    Transfer transfer{&reply, limits_.MaxBodyBytes, std::chrono::milliseconds(limits_.TimeoutMs),
                      SteadyClock::now()};
    const std::string address = ToUtf8(UtilHttp::JoinUrl(request.Url));
    HeaderList headers;
    if (!AppendHeaders(request, headers)) {
        return false;
    }

    // A reset handle keeps its connection cache, so the next request may reuse the connection.
    curl_easy_reset(handle);
    bool set = curl_easy_setopt(handle, CURLOPT_URL, address.c_str()) == CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1)) ==
                   CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L) == CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_USERAGENT, UtilHttp::UserAgent()) == CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get()) == CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits_.TimeoutMs)) ==
                   CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE,
                                static_cast<curl_off_t>(limits_.MaxBodyBytes)) == CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, OnHeaderLine) == CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_HEADERDATA, &transfer) == CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, OnBodyData) == CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer) == CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, OnProgress) == CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer) == CURLE_OK &&
               curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L) == CURLE_OK;
    if (request.Post) {
        set = set && curl_easy_setopt(handle, CURLOPT_POST, 1L) == CURLE_OK &&
              curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE,
                               static_cast<curl_off_t>(request.Body.size())) == CURLE_OK &&
              curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.Body.data()) == CURLE_OK;
    } else {
        set = set && curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L) == CURLE_OK;
    }
    if (!trustedCaFile_.empty()) {
        // Exactly the authorities of the file, not the system's folder of them as well.
        set = set && curl_easy_setopt(handle, CURLOPT_CAINFO, trustedCaFile_.c_str()) == CURLE_OK &&
              curl_easy_setopt(handle, CURLOPT_CAPATH, nullptr) == CURLE_OK;
    }
    if (!set || curl_easy_perform(handle) != CURLE_OK) {
        return false;
    }
    long status = 0;
    if (curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK) {
        return false;
    }
    reply.Status = static_cast<int>(status);
    return true;
}
