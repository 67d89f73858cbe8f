#include "WindowHelpers.h"

#include "Failure.h"
#include "Language.h"
#include "ProgramFolder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

void RegisterDesktopEntry() {
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tesselet.Tesselet"));
}

void SetApplicationIcon(const QString& resourceName) {
    const QDir folder(QStringLiteral(":/") + resourceName);
    QIcon icon;
    for (const QString& image : folder.entryList(QDir::Files, QDir::Name))
        icon.addFile(folder.filePath(image));
    if (icon.isNull())
        throw Failure(Failure::kResourceNotFound,
                      Tr(QT_TRANSLATE_NOOP("Tesselet", "Ресурс с идентификатором «%1» не найден"),
                         resourceName));
    QApplication::setWindowIcon(icon);
}

void CenterOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    window->move(area.x() + (area.width() - frame.width()) / 2,
                 area.y() + (area.height() - frame.height()) / 2);
}

void OpenReadMeFile(QObject* context, const std::function<void(const Failure&)>& lateFailure) {
    const QString path = QDir(QFile::decodeName(QByteArray::fromStdString(ProgramFolder())))
                             .filePath(QStringLiteral("readme.html"));
    if (!QFileInfo::exists(path))
        throw Failure(Failure::kFileNotFound,
                      Tr(QT_TRANSLATE_NOOP("Tesselet", "Файл не найден: %1"), path));
    const Failure cannotOpen(
        Failure::kPathAccess,
        Tr(QT_TRANSLATE_NOOP("Tesselet", "Ни одна программа не смогла открыть %1"), path));
    // Qt starts the desktop's opener and forgets it, so a browser that refuses to run (Chromium
    // as root) or a handler that fails goes unseen. Started here, its end is watched instead: the
    // opener ends with a failure when nothing it tried could open the file.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            throw cannotOpen;
        return;
    }
    // Owned by the application, not the window: a browser that the opener runs in the foreground
    // must outlive the window. An opener still running when the program ends is stopped then (the
    // browser it started is not its to lose), and nothing is left behind.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(opener);
    process->setArguments({path});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::errorOccurred, context,
                     [process, lateFailure, cannotOpen](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         process->deleteLater();
                         lateFailure(cannotOpen);
                     });
    QObject::connect(process, &QProcess::finished, context,
                     [process, lateFailure, cannotOpen](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (status != QProcess::NormalExit || code != 0)
                             lateFailure(cannotOpen);
                     });
    process->start();
}
