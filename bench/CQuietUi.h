#pragma once

#include "IErrorReporter.h"
#include "IGeneratorUi.h"

#include <string>

/// The window's side of a save, for timing runs: shows nothing and keeps the last failure, so
/// that a benchmark can stop instead of timing a walk that failed.
class CQuietUi final : public IGeneratorUi, public IErrorReporter {
public:
    void SetMousePointer(std::int32_t) override {}
    void RepaintMainWindow() override {}
    void MsgBox(const std::u16string& text, std::int32_t style) override;
    void ShowError(const CError& pending, std::int32_t style, std::int32_t flags,
                   const std::u16string& message) override;

    /// The last failure as UTF-8, empty when nothing failed.
    const std::string& LastFailure() const noexcept { return mLastFailure; }

private:
    std::string mLastFailure;
};
