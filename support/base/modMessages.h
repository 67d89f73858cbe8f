#pragma once

// The sentences the program says about files, written once: the window and the converter say the
// same words, and a test that looks for one looks for the same text the program shows.

#include <string>
#include <string_view>

inline constexpr std::u16string_view kSaveFailed = u"Не удалось сохранить файл.";
inline constexpr std::u16string_view kLoadFailed =
    u"Не удалось загрузить файл. Формат не поддерживается, либо это не картинка.";
/// The load sentence when the file was there but could not be read: not the format's fault.
inline constexpr std::u16string_view kLoadFailedUnreadable = u"Не удалось загрузить файл.";
inline constexpr std::u16string_view kTemplateFailed =
    u"Не удалось загрузить файл шаблона. Продолжение невозможно.";
inline constexpr std::u16string_view kWriterInitFailed = u"Не удалось инициализировать кодек.";
inline constexpr std::u16string_view kNotPixels = u"Picture.ScaleMode != vbPixels";
inline constexpr std::u16string_view kDone = u"Готово ^_^";

/// A message about a file: its full path, an empty line, then the sentence.
inline std::u16string FileMessage(std::u16string_view path, std::u16string_view sentence) {
    std::u16string message(path);
    message += u"\r\n\r\n";
    message += sentence;
    return message;
}
