#pragma once

// Text as the system hands it over: file names and messages in bytes.

#include <string>
#include <string_view>

class QString;

/// A file name as the system gives it (bytes) turned into text without losing any: UTF-8 is
/// decoded, and every byte that is not part of well-formed UTF-8 becomes one of the lone code
/// units U+DC80 to U+DCFF, which NativeFromPath turns back into that byte.
std::u16string PathFromNative(std::string_view bytes);

/// The bytes of a file name made by PathFromNative (or typed as text): the same bytes as UTF-8
/// for well-formed text, the original byte for each of U+DC80 to U+DCFF that stands alone.
std::string NativeFromPath(std::u16string_view path);

/// A message's bytes for a console: the text in UTF-8, with each file name in it as the bytes it
/// was (the U+DC80 to U+DCFF that PathFromNative made turned back into their bytes).
std::string NativeFromDisplay(const QString& text);

/// A file name as a message shows it: decoded as PathFromNative does, so that a byte that is not
/// UTF-8 is still told apart (a console prints it back as that byte).
QString PathForDisplay(std::u16string_view path);
