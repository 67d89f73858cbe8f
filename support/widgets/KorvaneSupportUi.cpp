#include "KorvaneSupportUi.h"

#include "CError.h"
#include "modProgramFolder.h"
#include "modQtText.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>
#include <QUrl>
#include <QWidget>

void ksRegisterAppPath() {
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tesselet.Tesselet"));
}

bool ksIsInIDE() {
    const QByteArray value = qgetenv("TESSELET_IN_IDE");
    return !value.isEmpty() && value != "0";
}

QWidget* ksGetThunderMainHandle() {
    return nullptr;
}

void ksSetWindowResIconAll(QWidget* window, const std::u16string& resourceName) {
    const QDir folder(QStringLiteral(":/") + ToQString(resourceName));
    QIcon icon;
    for (const QString& image : folder.entryList(QDir::Files, QDir::Name))
        icon.addFile(folder.filePath(image));
    if (icon.isNull())
        throw CError(CError::kResourceNotFound,
                     u"Resource with identifier '" + resourceName + u"' not found");
    if (window == nullptr)
        QApplication::setWindowIcon(icon);
    else
        window->setWindowIcon(icon);
}

void ksCenterFormEx(QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    window->move(area.x() + (area.width() - frame.width()) / 2,
                 area.y() + (area.height() - frame.height()) / 2);
}

void ksFixUserControlsContainerWindow() {}

void ksOpenReadMeFile() {
    const QString path = QDir(ToQString(ProgramFolder())).filePath(QStringLiteral("readme.html"));
    if (!QFileInfo::exists(path))
        throw CError(CError::kFileNotFound, u"File not found: " + FromQString(path));
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        throw CError(CError::kPathAccess, u"No program could open " + FromQString(path));
}
