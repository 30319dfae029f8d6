#pragma once
#include "core/ApplicationException.h"

// The location text of Nullable<T>::Value's throw, spelled with the instantiation
// ("Nullable<enum EnumAppMode>::Value (20)"). Specialise it next to each value type; reading a
// Nullable<T> without one does not compile.
template <class T> struct NullableLocation;

// A value plus a has-value flag; empty until a value is assigned.
template <class T> class Nullable {
public:
    Nullable() = default;
    explicit Nullable(const T& value) : value_(value), hasValue_(true) {}

    Nullable& operator=(const T& value) {
        value_ = value;
        hasValue_ = true;
        return *this;
    }

    bool HasValue() const { return hasValue_; }

    const T& Value() const {
        if (!hasValue_) {
            ThrowApplicationException(NullableLocation<T>::Value);
        }
        return value_;
    }

private:
    T value_{};
    bool hasValue_ = false;
};

template <> struct NullableLocation<int> {
    static constexpr const char* Value = "Nullable<int>::Value (20)";
};
