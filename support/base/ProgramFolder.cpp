#include "ProgramFolder.h"

#include "ColorsAndPaths.h"
#include "QtText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString ExecutablePath() {
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationFilePath();
    // Without an application object (some tests) ask the system directly.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

} // namespace

std::u16string ExecutableFolder() {
    return FromQString(ExecutablePath().section(u'/', 0, -2));
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

std::vector<std::u16string> ProgramFilePaths(const std::u16string& programFolder) {
    static constexpr const char16_t* kNames[] = {u"tesselet", u"tesselet-cli", u"readme.html"};
    std::vector<std::u16string> paths;
    for (const std::u16string& folder : {programFolder, ExecutableFolder()})
        for (const char16_t* name : kNames)
            paths.push_back(BuildFileName(folder, name));
    paths.push_back(FromQString(ExecutablePath()));
    return paths;
}
