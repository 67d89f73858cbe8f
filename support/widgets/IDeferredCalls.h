#pragma once

#include <functional>

class QObject;

/// Runs a call a little later, from the event loop, unless `context` is gone by then.
class IDeferredCalls {
public:
    virtual ~IDeferredCalls() = default;
    virtual void CallSoon(QObject* context, std::function<void()> call) = 0;
};
