#include "CQuietUi.h"

#include "writers/modUTF8.h"

namespace {

std::string ToUtf8(const std::u16string& text) {
    const auto bytes = StringToUTF8(text);
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

void CQuietUi::MsgBox(const std::u16string& text, std::int32_t) {
    mLastFailure = ToUtf8(text);
}

void CQuietUi::ShowError(const CError& pending, std::int32_t, std::int32_t,
                         const std::u16string& message) {
    mLastFailure = ToUtf8(message) + ": " + ToUtf8(pending.Description());
}
