#include "core/ApplicationException.h"
#include "core/RegEx.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// The first byte splits the input into pattern and text. A pattern that does not compile is
// an expected refusal. A search that succeeds must still succeed with more text in front.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const size_t patternSize = data[0] % size;
    const std::string pattern(reinterpret_cast<const char*>(data + 1), patternSize);
    const std::string text(reinterpret_cast<const char*>(data + 1 + patternSize), size - 1 - patternSize);
    try {
        const RegEx compiled(pattern.c_str());
        const bool found = compiled.Match(text);
        if (text.find('\0') == std::string::npos && compiled.Match(text.c_str()) != found) {
            std::abort();
        }
        if (found && !pattern.empty() && pattern[0] != '^' && !compiled.Match("x" + text)) {
            std::abort();
        }
    } catch (const ApplicationException&) {
    }
    return 0;
}
