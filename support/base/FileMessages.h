#pragma once

// The sentences the program says about files, written once: the window and the converter say the
// same words, and a test that looks for one looks for the same text the program shows. Each is the
// program's Russian source text; Tr gives it in the run's language (Language.h).

#include "Failure.h"
#include "Language.h"
#include "QtText.h"

#include <QtGlobal>
#include <string>
#include <string_view>

inline constexpr const char* kSaveFailed =
    QT_TRANSLATE_NOOP("Tesselet", "Не удалось сохранить файл.");
inline constexpr const char* kLoadFailed = QT_TRANSLATE_NOOP(
    "Tesselet", "Не удалось загрузить файл. Формат не поддерживается, либо это не картинка.");
/// The load sentence when the file was there but could not be read: not the format's fault.
inline constexpr const char* kLoadFailedUnreadable =
    QT_TRANSLATE_NOOP("Tesselet", "Не удалось загрузить файл.");
/// The load sentence for `failure`: the format is blamed only when no reader could make sense of
/// the file; every other cause (a folder, a missing or empty file) is told by the error line alone.
inline std::u16string LoadFailedSentence(const Failure& failure) {
    return Tr(failure.Number() == Failure::kInvalidPicture ? kLoadFailed : kLoadFailedUnreadable);
}
inline constexpr const char* kTemplateFailed =
    QT_TRANSLATE_NOOP("Tesselet", "Не удалось загрузить файл шаблона. Продолжение невозможно.");
inline constexpr const char* kWriterInitFailed =
    QT_TRANSLATE_NOOP("Tesselet", "Не удалось инициализировать кодек.");
inline constexpr const char* kDone = QT_TRANSLATE_NOOP("Tesselet", "Готово ^_^");
/// The program's own state, not a sentence: the same in every language.
inline constexpr std::u16string_view kNotPixels = u"Picture.ScaleMode != vbPixels";

/// A message about a file: its full path, an empty line, then the sentence.
inline std::u16string FileMessage(std::u16string_view path, std::u16string_view sentence) {
    std::u16string message(path);
    message += u"\r\n\r\n";
    message += sentence;
    return message;
}

/// The line under a failure, the same in the window and on the console: the number and the
/// description.
inline std::u16string ErrorLine(const Failure& error) {
    return FromQString(TrQ(QT_TRANSLATE_NOOP("Tesselet", "Ошибка %1: %2"))
                           .arg(QString::number(error.Number()), ToQString(error.Description())));
}
