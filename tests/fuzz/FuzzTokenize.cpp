#include "core/ApplicationException.h"
#include "core/Tokenize.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

// The cursor never leaves the buffer, returns no field containing a separator, and ends the
// record after at most one field more than there are characters.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<char> line(data, data + size);
    line.push_back('\0');
    Tokenize cursor(line.data());
    for (size_t fields = 0;; ++fields) {
        if (fields > size + 1) {
            std::abort();
        }
        try {
            const char* field = cursor.Next();
            if (std::strpbrk(field, ";\r\n") != nullptr) {
                std::abort();
            }
        } catch (const ApplicationException&) {
            break;
        }
    }
    return 0;
}
