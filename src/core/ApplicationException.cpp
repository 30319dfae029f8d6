#include "core/ApplicationException.h"

#include "core/LastError.h"

namespace {
// Location texts and messages are plain ASCII, so widening byte by byte is exact.
std::wstring Widen(const char* text) {
    std::wstring wide;
    if (text != nullptr) {
        for (const char* p = text; *p != '\0'; ++p) {
            wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
        }
    }
    return wide;
}
} // namespace

ApplicationException::ApplicationException(const char* location, const char* message)
    : LastError(CaptureLastError()), Location(Widen(location)), Message(Widen(message)) {}

void ThrowApplicationException(const char* location, const char* message) {
    throw ApplicationException(location, message);
}

void ThrowArgumentException(const char* location) {
    throw ArgumentException(location);
}

void ThrowArgumentNullException(const char* location) {
    throw ArgumentNullException(location);
}

void ThrowArgumentOutOfRangeException(const char* location, const char* message) {
    throw ArgumentOutOfRangeException(location, message);
}

void ThrowOverflowException(const char* location) {
    throw OverflowException(location);
}
