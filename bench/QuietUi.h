#pragma once

#include "IGeneratorUi.h"
#include "IMessageBox.h"

#include <string>

/// The window's side of a save, for timing runs: shows nothing and keeps the last failure, so
/// that a benchmark can stop instead of timing a walk that failed.
class QuietUi final : public IGeneratorUi, public IMessageBox {
public:
    void ShowFailure(const QString& text) override;
    void Inform(const QString& /*text*/) override {}
    void ShowError(const Failure& pending, const QString& message) override;
    /// A timing run has nobody to ask.
    bool AskOkCancel(const QString& /*text*/) override { return false; }

    /// The last failure as UTF-8, empty when nothing failed.
    const std::string& LastFailure() const noexcept { return mLastFailure; }

private:
    std::string mLastFailure;
};
