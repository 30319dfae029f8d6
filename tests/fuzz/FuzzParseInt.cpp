#include "core/ApplicationException.h"
#include "core/Util.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// Every text either parses or is refused with one of the parser's own exceptions; what parses
// reads back unchanged from its decimal text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (int pass = 0; pass < 2; ++pass) {
        try {
            const int value = pass == 0 ? Util::ParseInt(text) : Util::ParseInt(text.c_str());
            if (Util::ParseInt(Util::ToString(value)) != value) {
                std::abort();
            }
        } catch (const ArgumentException&) {
        } catch (const OverflowException&) {
        }
    }
    return 0;
}
