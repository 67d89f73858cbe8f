#pragma once

#include "IGeneratorUi.h"
#include "IMessageBox.h"

#include <string>

/// The window's side of a save, for timing runs: shows nothing and keeps the last failure, so
/// that a benchmark can stop instead of timing a walk that failed.
class QuietUi final : public IGeneratorUi, public IMessageBox {
public:
    void RepaintMainWindow() override {}
    void ShowFailure(const QString& text) override;
    void Inform(const QString& /*text*/) override {}
    void ShowError(const Failure& pending, const QString& message) override;

    /// The last failure as UTF-8, empty when nothing failed.
    const std::string& LastFailure() const noexcept { return mLastFailure; }

private:
    std::string mLastFailure;
};
