#include "modProgramFolder.h"

#include "modQtText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

std::u16string ExecutableFolder() {
    if (QCoreApplication::instance() != nullptr)
        return FromQString(QCoreApplication::applicationDirPath());
    // Without an application object (some tests) ask the system directly.
    return FromQString(
        QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2));
}

std::u16string ProgramFolder() {
    const QString executable = ToQString(ExecutableFolder());
    if (QFileInfo::exists(executable + QStringLiteral("/template.1.html")))
        return FromQString(executable);
    const QString installed =
        QDir::cleanPath(executable + QStringLiteral("/../") + QStringLiteral(TESSELET_DATA_SUBDIR));
    if (QFileInfo::exists(installed + QStringLiteral("/template.1.html")))
        return FromQString(installed);
    // Neither holds them: report the missing files from the executable's folder.
    return FromQString(executable);
}
