#pragma once

#include "IGeneratorUi.h"
#include "IMessageBox.h"
#include "ProgressWriter.h"

#include <cstdio>

/// Failure reports and message boxes as lines on standard error. A report made while a page's
/// progress line shows on the same stream starts on the line beneath it; file names in a report
/// are written as the bytes they are.
class ConsoleReporter final : public IMessageBox, public IGeneratorUi {
public:
    explicit ConsoleReporter(std::FILE* stream = stderr) : mStream(stream), mConsole(stream) {}

    /// The stream, for a page's progress line to show on.
    ConsoleStream& Console() noexcept { return mConsole; }

    void ShowError(const Failure& pending, const QString& message) override;
    void ShowFailure(const QString& text) override;
    void Inform(const QString& text) override;
    /// The converter runs unattended, in scripts and pipes, and asks nothing: what it is to do
    /// is all on its command line. Were a question put, the answer would be Cancel.
    bool AskOkCancel(const QString& /*text*/) override { return false; }

private:
    void Print(const QString& text);

    std::FILE* mStream;
    ConsoleStream mConsole;
};
