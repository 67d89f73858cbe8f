#pragma once

#include "CError.h"

#include <cstdint>
#include <string>

/// Shows a failure: the message text together with the pending error's number and description.
class IErrorReporter {
public:
    static constexpr std::int32_t kStopIcon = 16;

    virtual ~IErrorReporter() = default;
    virtual void ShowError(const CError& pending, std::int32_t style, std::int32_t flags,
                           const std::u16string& message) = 0;
};
