#pragma once

// File names are the bytes the system gives (std::string), which need not be UTF-8. A message
// that shows one turns it into text here, once, and a console prints that text back as bytes.

#include <QString>
#include <string>
#include <string_view>

/// A file name as a message shows it, without losing any byte: UTF-8 is decoded, and every byte
/// that is not part of well-formed UTF-8 becomes one of the lone code units U+DC80 to U+DCFF.
QString PathForDisplay(std::string_view bytes);

/// A message's bytes for a console: the text in UTF-8, with each of U+DC80 to U+DCFF that stands
/// alone (a byte of a file name that PathForDisplay kept) turned back into that byte, and any
/// other lone surrogate written as U+FFFD.
std::string NativeFromDisplay(const QString& text);
