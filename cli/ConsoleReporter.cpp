#include "ConsoleReporter.h"
#include "FileMessages.h"
#include "NativeText.h"

#include "HtmlText.h"
#include "Utf8.h"

void ConsoleReporter::Print(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // A failed write is reported while its page's progress line may still be showing.
    mConsole.EndLine();
    // File names are bytes, which need not be UTF-8; the message shows the name as it is.
    const std::string bytes = NativeFromDisplay(lines);
    std::fwrite(bytes.data(), 1, bytes.size(), mStream);
    std::fputc('\n', mStream);
    std::fflush(mStream);
}

void ConsoleReporter::ShowError(const Failure& pending, const QString& message) {
    Print(message + QStringLiteral("\r\n") + ErrorLine(pending));
}

void ConsoleReporter::ShowFailure(const QString& text) {
    Print(text);
}

void ConsoleReporter::Inform(const QString& text) {
    Print(text);
}
