#include "core/ApplicationException.h"
#include "data/Options.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// A value read from any settings text lies on one line, right after its key at a line's start,
// and is followed by that line's end, CR LF or LF alone.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const char* key : {"HomeCity", "UseMetricSystem", "A"}) {
        try {
            const std::string value = COptions::ReadOptionValueAsString(text, key);
            const std::string line = std::string(key) + "=" + value;
            size_t at = 0;
            bool found = false;
            for (; (at = text.find(line, at)) != std::string::npos; ++at) {
                if (at != 0 && text[at - 1] != '\n') {
                    continue;
                }
                const std::string rest = text.substr(at + line.size(), 2);
                found = rest.starts_with('\n') || rest == "\r\n";
                break;
            }
            if (value.find('\n') != std::string::npos || !found) {
                std::abort();
            }
        } catch (const ApplicationException&) {
        }
    }
    return 0;
}
