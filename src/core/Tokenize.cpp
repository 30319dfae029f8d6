#include "core/Tokenize.h"

#include "core/ApplicationException.h"

char* Tokenize::Next() {
    if (next_ == nullptr) {
        ThrowApplicationException("Tokenize (58)");
    }
    char* field = next_;
    char* p = field;
    while (*p != ';' && *p != '\r' && *p != '\n' && *p != '\0') {
        ++p;
    }
    if (*p == ';') {
        *p = '\0';
        next_ = p + 1;
    } else {
        *p = '\0';
        next_ = nullptr;
    }
    return field;
}
