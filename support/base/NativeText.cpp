#include "NativeText.h"

#include "Surrogates.h"

#include <QString>

namespace {

// Length of a well-formed sequence starting at `i`, or 0 when it is ill-formed.
std::size_t WellFormedLength(std::string_view s, std::size_t i, char32_t& cp) noexcept {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    const std::size_t left = s.size() - i;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    // Ranges of the second byte follow the table of well-formed sequences in the Unicode standard.
    unsigned char lo = 0x80, hi = 0xBF;
    std::size_t len;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        if (b0 == 0xE0)
            lo = 0xA0;
        if (b0 == 0xED)
            hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        if (b0 == 0xF0)
            lo = 0x90;
        if (b0 == 0xF4)
            hi = 0x8F;
    } else {
        return 0;
    }
    if (left < len || byte(i + 1) < lo || byte(i + 1) > hi)
        return 0;
    for (std::size_t k = 2; k < len; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    cp = len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
    for (std::size_t k = 1; k < len; ++k)
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    return len;
}

} // namespace

QString PathForDisplay(std::string_view bytes) {
    // Each byte that starts no well-formed sequence becomes the lone unit U+DC00 plus that byte.
    // Qt's decoder cannot do this: it only replaces such bytes, and a console prints them back.
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    char32_t cp{};
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = WellFormedLength(bytes, i, cp);
        if (len == 0) {
            // Only bytes from 0x80 up can be ill-formed, so the unit is always U+DC80 to U+DCFF.
            text.append(QChar(0xDC00 + static_cast<unsigned char>(bytes[i])));
            ++i;
            continue;
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            text.append(QChar(static_cast<char16_t>(0xD800 + (cp >> 10))));
            text.append(QChar(static_cast<char16_t>(0xDC00 + (cp & 0x3FF))));
        } else {
            text.append(QChar(static_cast<char16_t>(cp)));
        }
    }
    return text;
}

std::string NativeFromDisplay(const QString& text) {
    const std::u16string_view units(QStringView(text).utf16(),
                                    static_cast<std::size_t>(text.size()));
    std::string bytes;
    bytes.reserve(units.size());
    std::size_t start = 0; // the well-formed run not yet converted
    const auto flush = [&](std::size_t end) {
        // Qt writes a lone surrogate as "?"; the pages and messages write U+FFFD, and so do names.
        std::u16string run(units.substr(start, end - start));
        for (std::size_t k = 0; k < run.size(); ++k) {
            if (IsPairAt(run, k))
                ++k;
            else if (IsSurrogate(run[k]))
                run[k] = u'\uFFFD';
        }
        // Through a view: QString::fromStdU16String takes a leading U+FEFF or U+FFFE for a
        // byte-order mark and would drop it or swap the run's bytes.
        bytes += QStringView(run).toUtf8().toStdString();
    };
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (IsPairAt(units, i)) {
            ++i;
            continue;
        }
        if (units[i] >= 0xDC80 && units[i] <= 0xDCFF) {
            flush(i);
            bytes.push_back(static_cast<char>(units[i] - 0xDC00));
            start = i + 1;
        }
    }
    flush(units.size());
    return bytes;
}
