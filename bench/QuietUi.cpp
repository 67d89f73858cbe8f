#include "QuietUi.h"

#include "Utf8.h"

#include <algorithm>

namespace {

/// UTF-8 on one line: a report's line breaks become spaces.
std::string OneLine(const std::u16string& text) {
    const auto bytes = StringToUTF8(text);
    std::string line(bytes.begin(), bytes.end());
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

} // namespace

void QuietUi::ShowFailure(const std::u16string& text) {
    mLastFailure = OneLine(text);
}

void QuietUi::ShowError(const Failure& pending, const std::u16string& message) {
    mLastFailure = OneLine(message) + ": " + pending.what();
}
