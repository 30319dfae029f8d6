#pragma once
#include "core/ApplicationException.h"

// The location texts of CPtr<T>'s throws, spelled with the instantiation
// ("CPtr<class COptions>::operator -> (114)"). Specialise it next to each pointee type; a
// CPtr<T> dereferenced without one does not compile.
template <class T> struct CPtrLocations;

// Single owner of a heap object. Copying copies the pointee, so a copy can be edited without
// touching the original (the options dialog works on such a copy).
template <class T> class CPtr {
public:
    CPtr() = default;
    explicit CPtr(T* pointer) : pointer_(pointer) {}
    CPtr(const CPtr& other) : pointer_(other.pointer_ != nullptr ? new T(*other) : nullptr) {}
    CPtr(CPtr&& other) noexcept : pointer_(other.Detach()) {}
    ~CPtr() { delete pointer_; }

    CPtr& operator=(const CPtr& other) {
        if (this != &other) {
            CPtr copy(other);
            Swap(copy);
        }
        return *this;
    }
    CPtr& operator=(CPtr&& other) noexcept {
        if (this != &other) {
            *this = other.Detach();
        }
        return *this;
    }
    // Taking the pointer already held must not delete the object.
    CPtr& operator=(T* pointer) {
        if (pointer != pointer_) {
            delete pointer_;
            pointer_ = pointer;
        }
        return *this;
    }

    // The caller becomes the owner; this CPtr is left empty.
    T* Detach() {
        T* pointer = pointer_;
        pointer_ = nullptr;
        return pointer;
    }

    T& operator*() const {
        if (pointer_ == nullptr) {
            ThrowApplicationException(CPtrLocations<T>::Star);
        }
        return *pointer_;
    }
    T* operator->() const {
        if (pointer_ == nullptr) {
            ThrowApplicationException(CPtrLocations<T>::Arrow);
        }
        return pointer_;
    }

    bool IsEmpty() const { return pointer_ == nullptr; }
    // The held pointer or null, without a check; for handing on to code that does not own it.
    T* Get() const { return pointer_; }

private:
    void Swap(CPtr& other) noexcept {
        T* pointer = pointer_;
        pointer_ = other.pointer_;
        other.pointer_ = pointer;
    }

    T* pointer_ = nullptr;
};
