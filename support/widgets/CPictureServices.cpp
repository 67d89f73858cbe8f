#include "CPictureServices.h"

#include "CAppObject.h"
#include "KorvaneSupport.h"
#include "modPictureFiles.h"
#include "modQtText.h"

#include <QApplication>
#include <QMessageBox>
#include <QPixmap>

std::u16string CPictureServices::GetPictureFilter() {
    return ::GetPictureFilter();
}

QImage CPictureServices::LoadPictureFile(const std::u16string& path) {
    return ::LoadPictureFile(path);
}

QString CPictureServices::AboutText(const CAppObject& app, const std::u16string& text,
                                    const std::u16string& name) {
    QString about = ToQString(app.Title()) + u'\n' + QStringLiteral("Версия ") +
                    ToQString(ksFormatVersion(app.Major(), app.Minor(), app.Revision()));
    if (!text.empty())
        about += QStringLiteral("\n\n") + ToQString(text);
    if (!name.empty())
        about += QStringLiteral("\n\n") + ToQString(name);
    return about;
}

void CPictureServices::ShowAbout(QWidget* owner, const CAppObject& app, const std::u16string& text,
                                 const QImage& picture, const std::u16string& name) {
    QMessageBox box(QMessageBox::NoIcon, ToQString(app.Title()), AboutText(app, text, name),
                    QMessageBox::Ok, owner);
    const QIcon icon = QApplication::windowIcon();
    if (!picture.isNull())
        box.setIconPixmap(QPixmap::fromImage(picture));
    else if (!icon.isNull())
        box.setIconPixmap(icon.pixmap(48, 48));
    box.exec();
}
