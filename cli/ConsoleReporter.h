#pragma once

#include "IGeneratorUi.h"
#include "IMessageBox.h"
#include "ProgressWriter.h"

#include <cstdio>

/// Failure reports and message boxes as lines on standard error. A console has no window to
/// repaint. A report made while a page's progress line shows on the same stream starts
/// on the line beneath it; file names in a report are written as the bytes they are.
class ConsoleReporter final : public IMessageBox, public IGeneratorUi {
public:
    explicit ConsoleReporter(std::FILE* stream = stderr) : mStream(stream), mConsole(stream) {}

    /// The stream, for a page's progress line to show on.
    ConsoleStream& Console() noexcept { return mConsole; }

    void ShowError(const Failure& pending, const QString& message) override;
    void RepaintMainWindow() override {}
    void ShowFailure(const QString& text) override;
    void Inform(const QString& text) override;

private:
    void Print(const QString& text);

    std::FILE* mStream;
    ConsoleStream mConsole;
};
