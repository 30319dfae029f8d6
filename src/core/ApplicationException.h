#pragma once
#include <cstdint>
#include <string>

// The root of the program's own exceptions. Every throw site passes one constant location
// text ("Util::ParseInt (373)"); nothing inspects a caught exception, the fields are there for
// a debugger.
class ApplicationException {
public:
    explicit ApplicationException(const char* location, const char* message = nullptr);

    uint32_t LastError; // the thread's last system error when the exception was constructed
    std::wstring Location;
    std::wstring Message;
    std::wstring Extra;
};

// Each derives only from ApplicationException: a handler for ArgumentException does not catch
// ArgumentNullException.
class ArgumentException : public ApplicationException {
public:
    using ApplicationException::ApplicationException;
};

class ArgumentNullException : public ApplicationException {
public:
    using ApplicationException::ApplicationException;
};

class ArgumentOutOfRangeException : public ApplicationException {
public:
    using ApplicationException::ApplicationException;
};

class OverflowException : public ApplicationException {
public:
    using ApplicationException::ApplicationException;
};

[[noreturn]] void ThrowApplicationException(const char* location, const char* message = nullptr);
[[noreturn]] void ThrowArgumentException(const char* location);
[[noreturn]] void ThrowArgumentNullException(const char* location);
[[noreturn]] void ThrowArgumentOutOfRangeException(const char* location, const char* message = nullptr);
[[noreturn]] void ThrowOverflowException(const char* location);
