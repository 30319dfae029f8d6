#pragma once
#include "core/ApplicationException.h"

#include <string>
#include <type_traits>

namespace detail {
template <class Expected, class Caught> std::wstring Described(const Caught& e, const wchar_t* caughtName) {
    if constexpr (std::is_same_v<Expected, Caught>) {
        return e.Location;
    } else {
        return std::wstring(L"[") + caughtName + L"] " + e.Location;
    }
}
} // namespace detail

// The Location of the exception the call throws when it is exactly of type E; otherwise a text
// naming what happened instead, so that a wrong type or a missing throw fails the comparison.
template <class E, class Call> std::wstring ThrowLocation(Call&& call) {
    try {
        call();
    } catch (const ArgumentException& e) {
        return detail::Described<E>(e, L"ArgumentException");
    } catch (const ArgumentNullException& e) {
        return detail::Described<E>(e, L"ArgumentNullException");
    } catch (const ArgumentOutOfRangeException& e) {
        return detail::Described<E>(e, L"ArgumentOutOfRangeException");
    } catch (const OverflowException& e) {
        return detail::Described<E>(e, L"OverflowException");
    } catch (const ApplicationException& e) {
        return detail::Described<E>(e, L"ApplicationException");
    }
    return L"no exception";
}
