#pragma once

#include "CError.h"

#include <functional>
#include <memory>

/// A component made at its first use in a handler and released with the handler. When making it
/// fails, that use fails and the next use tries again.
template <class T> class CFirstUse {
public:
    explicit CFirstUse(std::function<std::unique_ptr<T>()> make) : mMake(std::move(make)) {}

    T* operator->() {
        if (!mObject) {
            mObject = mMake();
            if (!mObject)
                throw CError(CError::kObjectNotSet, u"Object variable not set");
        }
        return mObject.get();
    }

private:
    std::function<std::unique_ptr<T>()> mMake;
    std::unique_ptr<T> mObject;
};
