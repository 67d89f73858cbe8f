#include "FolderMemory.h"

#include "Failure.h"
#include "Language.h"
#include "QtText.h"

#include <QSettings>

namespace {

void ThrowOnFailure(const QSettings& settings) {
    if (settings.status() != QSettings::NoError)
        throw Failure(Failure::kPathAccess,
                      Tr(QT_TRANSLATE_NOOP("Tesselet", "Ошибка доступа к пути или файлу: %1"),
                         settings.fileName()));
}

} // namespace

std::u16string FolderMemory::ReadValue(const std::u16string& section, const std::u16string& key,
                                       const std::u16string& defaultValue) {
    QSettings settings;
    ThrowOnFailure(settings);
    settings.beginGroup(ToQString(section));
    return FromQString(settings.value(ToQString(key), ToQString(defaultValue)).toString());
}

void FolderMemory::WriteValue(const std::u16string& section, const std::u16string& key,
                              const std::u16string& value) {
    QSettings settings;
    settings.beginGroup(ToQString(section));
    settings.setValue(ToQString(key), ToQString(value));
    settings.endGroup();
    // Written now, so that a store that cannot be written is reported to the caller.
    settings.sync();
    ThrowOnFailure(settings);
}
