#include "core/LastError.h"

#include <cerrno>

uint32_t CaptureLastError() {
    return static_cast<uint32_t>(errno);
}

void SetLastErrorValue(uint32_t value) {
    errno = static_cast<int>(value);
}
