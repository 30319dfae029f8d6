#include "core/ApplicationException.h"
#include "core/Util.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// What parses is finite and agrees with the C library's conversion of the same text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const double value = Util::ParseDouble(text.c_str());
        if (!std::isfinite(value) || std::strtod(text.c_str(), nullptr) != value) {
            std::abort();
        }
    } catch (const ArgumentException&) {
    }
    try {
        (void)Util::ParseDouble(text);
    } catch (const ArgumentException&) {
    }
    return 0;
}
