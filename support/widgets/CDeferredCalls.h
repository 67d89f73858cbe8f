#pragma once

#include "IDeferredCalls.h"

/// Deferred calls on single-shot timers of `delayMs` milliseconds.
class CDeferredCalls final : public IDeferredCalls {
public:
    explicit CDeferredCalls(int delayMs) : mDelayMs(delayMs) {}
    void CallSoon(QObject* context, std::function<void()> call) override;

private:
    int mDelayMs;
};
