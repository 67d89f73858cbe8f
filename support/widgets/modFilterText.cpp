#include "modFilterText.h"

#include "modLanguage.h"
#include "modQtText.h"

#include <QStringList>

namespace {

// The names of the file types the program's filters list (PageFileTypes.cpp, modPictureFiles.cpp),
// marked here so that the translations hold them; a name is translated where the filter becomes
// the dialog's.
[[maybe_unused]] constexpr const char* kFilterNames[] = {
    QT_TRANSLATE_NOOP("Tesselet", "Картинки"),
    QT_TRANSLATE_NOOP("Tesselet", "Все файлы"),
    QT_TRANSLATE_NOOP("Tesselet", "HTML файлы"),
    QT_TRANSLATE_NOOP("Tesselet", "SPAN картинки"),
    QT_TRANSLATE_NOOP("Tesselet", "TABLE картинки"),
    QT_TRANSLATE_NOOP("Tesselet", "DIV картинки"),
    QT_TRANSLATE_NOOP("Tesselet", "Сжатые TABLE картинки"),
    QT_TRANSLATE_NOOP("Tesselet", "TABLE картинки для писем"),
    QT_TRANSLATE_NOOP("Tesselet", "Быстрые веб-картинки"),
};

} // namespace

QStringList QtNameFilters(const std::u16string& filter) {
    const QStringList items = ToQString(filter).split(u'|');
    QStringList types;
    for (qsizetype i = 0; i + 1 < items.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : items[i + 1].split(u';', Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            if (trimmed.isEmpty())
                continue;
            patterns << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (patterns.isEmpty())
            types << QString();
        else
            types << TrQ(items[i].trimmed().toUtf8().constData()) + QStringLiteral(" (") +
                         patterns.join(u' ') + QStringLiteral(")");
    }
    return types;
}
