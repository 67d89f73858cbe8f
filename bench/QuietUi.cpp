#include "QuietUi.h"

#include <algorithm>

namespace {

/// UTF-8 on one line: a report's line breaks become spaces.
std::string OneLine(const QString& text) {
    std::string line = text.toStdString();
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

} // namespace

void QuietUi::ShowFailure(const QString& text) {
    mLastFailure = OneLine(text);
}

void QuietUi::ShowError(const Failure& pending, const QString& message) {
    mLastFailure = OneLine(message) + ": " + pending.what();
}
