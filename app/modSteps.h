#pragma once

/// Runs one step of a load or save handler. A step that fails is skipped as a whole and the
/// handler goes on with the next one; no failure leaves the step. True when it ran to its end.
template <class Step> bool TryStep(Step&& step) noexcept {
    try {
        step();
        return true;
    } catch (...) {
        return false;
    }
}
