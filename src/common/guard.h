// Runs a handler body so that any error inside is swallowed: the state reached
// before the error stays and the window remains usable. Nothing is shown.
#pragma once

#include <utility>

template <typename F> void Guarded(F&& body) noexcept {
    try {
        std::forward<F>(body)();
    } catch (...) {
    }
}
