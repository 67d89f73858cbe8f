#include "Language.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

/// Where the build embeds the program's translations (qt_add_resources in this folder's list).
const QString kOwnTranslations = QStringLiteral(":/i18n");

/// Loads one translation and hands it to the application; null when there is none to load.
const QTranslator* Install(QCoreApplication& application, const QLocale& locale,
                           const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(locale, name, QStringLiteral("_"), folder)) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

/// Whether the user's locale for messages names no language: the first of LC_ALL, LC_MESSAGES and
/// LANG that is set, as the C library reads them, is C or POSIX, or none is set.
bool MessagesInCLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            return value == "C" || value == "POSIX" || value.startsWith("C.");
    }
    return true;
}

} // namespace

void InstallTranslations(QCoreApplication& application) {
    // The C and POSIX locales name no language: the program speaks its own.
    QLocale language(QLocale::Russian, QLocale::Russia);
    if (!MessagesInCLocale()) {
        if (const QTranslator* own = Install(application, QLocale::system(),
                                             QStringLiteral("tesselet"), kOwnTranslations))
            language = QLocale(own->language());
    }
    // Qt's buttons and dialogs in the same language as the program, never in the locale's when
    // the program has no translation for it.
    Install(application, language, QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // Numbers, sizes, dates and the names of file types in that language too: in the locale's own
    // manner while the locale speaks it, in the language's otherwise (a Russian run under de_DE
    // or C writes Russian dates, not German or English ones).
    if (QLocale::system().language() != language.language())
        QLocale::setDefault(language);
}

QString Tr(const char* sourceText) {
    return QCoreApplication::translate("Tesselet", sourceText);
}

QString Tr(const char* sourceText, const QString& detail) {
    return Tr(sourceText).arg(detail);
}
