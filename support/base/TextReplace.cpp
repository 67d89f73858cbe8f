#include "TextReplace.h"

#include <utility>

void ReplaceAll(std::u16string& text, std::u16string_view what, std::u16string_view with) {
    if (what.empty())
        return;
    const std::u16string_view source = text;
    std::size_t found = source.find(what);
    if (found == std::u16string_view::npos)
        return;
    // Replacing in place moves the rest of the text at every match, which is quadratic in a
    // template that repeats a marker; the result is built once instead, piece by piece. The
    // search goes on after each match in the original text, so a replacement that contains
    // `what` is never searched again.
    std::u16string result;
    result.reserve(source.size());
    std::size_t done = 0;
    do {
        result.append(source.substr(done, found - done));
        result.append(with);
        done = found + what.size();
        found = source.find(what, done);
    } while (found != std::u16string_view::npos);
    result.append(source.substr(done));
    text = std::move(result);
}
