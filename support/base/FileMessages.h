#pragma once

// The sentences the program says about files, written once: the window and the converter say the
// same words, and a test that looks for one looks for the same text the program shows. Each is the
// program's Russian source text; Tr gives it in the run's language (Language.h).

#include "Failure.h"
#include "Language.h"
#include "NativeText.h"

#include <QLatin1StringView>
#include <QString>
#include <QtGlobal>
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
inline QString LoadFailedSentence(const Failure& failure) {
    return Tr(failure.Number() == Failure::kInvalidPicture ? kLoadFailed : kLoadFailedUnreadable);
}
inline constexpr const char* kTemplateFailed =
    QT_TRANSLATE_NOOP("Tesselet", "Не удалось загрузить файл шаблона. Продолжение невозможно.");
inline constexpr const char* kWriterInitFailed =
    QT_TRANSLATE_NOOP("Tesselet", "Не удалось инициализировать кодек.");
inline constexpr const char* kDone = QT_TRANSLATE_NOOP("Tesselet", "Готово ^_^");
/// The program's own state, not a sentence: the same in every language.
inline constexpr QLatin1StringView kNotPixels{"Picture.ScaleMode != vbPixels"};

/// A message about a file: its full path, an empty line, then the sentence.
inline QString FileMessage(std::string_view path, const QString& sentence) {
    return PathForDisplay(path) + QStringLiteral("\r\n\r\n") + sentence;
}

/// The line under a failure, the same in the window and on the console: the number and the
/// description.
inline QString ErrorLine(const Failure& error) {
    return Tr(QT_TRANSLATE_NOOP("Tesselet", "Ошибка %1: %2"))
        .arg(QString::number(error.Number()), error.Description());
}
