#include "FolderMemory.h"

#include "Failure.h"
#include "Language.h"

#include <QSettings>

namespace {

void ThrowOnFailure(const QSettings& settings) {
    if (settings.status() != QSettings::NoError)
        throw Failure(Failure::kPathAccess,
                      Tr(QT_TRANSLATE_NOOP("Tesselet", "Ошибка доступа к пути или файлу: %1"),
                         settings.fileName()));
}

} // namespace

QString FolderMemory::ReadValue(const QString& section, const QString& key,
                                const QString& defaultValue) {
    QSettings settings;
    ThrowOnFailure(settings);
    settings.beginGroup(section);
    return settings.value(key, defaultValue).toString();
}

void FolderMemory::WriteValue(const QString& section, const QString& key, const QString& value) {
    QSettings settings;
    settings.beginGroup(section);
    settings.setValue(key, value);
    settings.endGroup();
    // Written now, so that a store that cannot be written is reported to the caller.
    settings.sync();
    ThrowOnFailure(settings);
}
