#include "modFilterText.h"

#include "modQtText.h"

#include <QStringList>

QString QtNameFilter(const std::u16string& filter) {
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
            continue;
        types << items[i].trimmed() + QStringLiteral(" (") + patterns.join(u' ') +
                     QStringLiteral(")");
    }
    return types.join(QStringLiteral(";;"));
}
