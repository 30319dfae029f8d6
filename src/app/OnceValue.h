#pragma once
#include <optional>

// A value computed on first use and kept for the life of the process. A computation that
// throws leaves nothing behind, so the next use tries again (a folder that could not be made
// now may be makeable later). Main thread only.
template <class T> class OnceValue {
public:
    template <class Compute> const T& Get(Compute&& compute) {
        if (!value_) {
            value_.emplace(compute());
        }
        return *value_;
    }

private:
    std::optional<T> value_;
};
