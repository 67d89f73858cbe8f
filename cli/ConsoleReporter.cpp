#include "ConsoleReporter.h"
#include "FileMessages.h"
#include "NativeText.h"
#include "TextReplace.h"

#include "HtmlText.h"
#include "Utf8.h"

void ConsoleReporter::Print(const std::u16string& text) {
    std::u16string lines = text;
    ReplaceAll(lines, u"\r\n", u"\n");
    // A failed write is reported while its page's progress line may still be showing.
    mConsole.EndLine();
    // File names are bytes, which need not be UTF-8; the message shows the name as it is.
    const std::string bytes = NativeFromPath(lines);
    std::fwrite(bytes.data(), 1, bytes.size(), mStream);
    std::fputc('\n', mStream);
    std::fflush(mStream);
}

void ConsoleReporter::ShowError(const Failure& pending, const std::u16string& message) {
    Print(message + u"\r\n" + ErrorLine(pending));
}

void ConsoleReporter::ShowFailure(const std::u16string& text) {
    Print(text);
}

void ConsoleReporter::Inform(const std::u16string& text) {
    Print(text);
}
