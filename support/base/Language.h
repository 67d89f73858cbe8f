#pragma once

// One language per run. The texts in the code are the program's Russian, which is also what a run
// shows when no translation matches the user's locale; translations/tesselet_*.ts hold the others.
// Every text is marked with QT_TRANSLATE_NOOP("Tesselet", ...) or translated in that one context,
// so that lupdate finds it and one list holds them all.

#include <QString>

class QCoreApplication;

/// Installs the program's translation for the user's locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG)
/// and Qt's own for the same language, so that Qt's dialogs speak it too. Called once, after the
/// application object exists and before anything is said.
void InstallTranslations(QCoreApplication& application);

/// The run's wording of a source text marked with QT_TRANSLATE_NOOP("Tesselet", ...).
QString Tr(const char* sourceText);
/// The same with its %1 filled with `detail` (a path, a number), once: a "%2" in the detail stays.
QString Tr(const char* sourceText, const QString& detail);
