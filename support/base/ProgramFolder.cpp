#include "ProgramFolder.h"

#include "ColorsAndPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString ExecutablePath() {
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationFilePath();
    // Without an application object (some tests) ask the system directly.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

} // namespace

std::string ExecutableFolder() {
    return QFile::encodeName(ExecutablePath().section(u'/', 0, -2)).toStdString();
}

std::string ProgramFolder() {
    const QString executable = ExecutablePath().section(u'/', 0, -2);
    if (QFileInfo::exists(executable + QStringLiteral("/template.1.html")))
        return QFile::encodeName(executable).toStdString();
    const QString installed =
        QDir::cleanPath(executable + QStringLiteral("/../") + QStringLiteral(TESSELET_DATA_SUBDIR));
    if (QFileInfo::exists(installed + QStringLiteral("/template.1.html")))
        return QFile::encodeName(installed).toStdString();
    // Neither holds them: report the missing files from the executable's folder.
    return QFile::encodeName(executable).toStdString();
}

std::vector<std::string> ProgramFilePaths(const std::string& programFolder) {
    static constexpr const char* kNames[] = {"tesselet", "tesselet-cli", "readme.html"};
    std::vector<std::string> paths;
    for (const std::string& folder : {programFolder, ExecutableFolder()})
        for (const char* name : kNames)
            paths.push_back(BuildFileName(folder, name));
    paths.push_back(QFile::encodeName(ExecutablePath()).toStdString());
    return paths;
}
