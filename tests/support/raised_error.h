#pragma once

#include "tav_error.h"

#include <functional>
#include <optional>

namespace tav::test {

/// The error `call` raises; none when it returns.
inline std::optional<TavError> raisedError(const std::function<void()>& call) {
    try {
        call();
    } catch (const TavError& error) {
        return error;
    }
    return std::nullopt;
}

/// The number of the error `call` raises; 0 when it returns.
inline qint32 raisedNumber(const std::function<void()>& call) {
    const auto error = raisedError(call);
    return error ? error->number() : 0;
}

/// What a person is told of the error `call` raises; empty when it returns.
inline QString raisedDetail(const std::function<void()>& call) {
    const auto error = raisedError(call);
    return error ? error->detail() : QString();
}

} // namespace tav::test
