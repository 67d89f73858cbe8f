#include "MessageBox.h"

#include "AppInfo.h"
#include "ColorsAndPaths.h"
#include "FileMessages.h"
#include "Language.h"
#include "QtText.h"

#include <QApplication>
#include <QMessageBox>
#include <QPixmap>

namespace {

/// The message, an empty line when there is one, then the error's number and description.
QString ReportText(const Failure& pending, const std::u16string& message) {
    // Messages are built with CR LF pairs; a label shows the CR as a stray glyph.
    QString text = ToQString(message);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!text.isEmpty())
        text += QStringLiteral("\n\n");
    return text + ToQString(ErrorLine(pending));
}

void Show(QMessageBox::Icon icon, const std::u16string& caption, const QString& text) {
    QMessageBox box(icon, ToQString(caption), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace

MessageBox::MessageBox(std::u16string caption) : mCaption(std::move(caption)) {}

void MessageBox::ShowError(const Failure& pending, const std::u16string& message) {
    Show(QMessageBox::Critical, mCaption, ReportText(pending, message));
}

void MessageBox::ShowFailure(const std::u16string& text) {
    Show(QMessageBox::Critical, mCaption, ToQString(text));
}

void MessageBox::Inform(const std::u16string& text) {
    Show(QMessageBox::Information, mCaption, ToQString(text));
}

bool MessageBox::AskOkCancel(const std::u16string& text) {
    QString shown = ToQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Warning, ToQString(mCaption), shown,
                    QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void ShowAbout(QWidget* owner, const AppInfo& app, const std::u16string& name) {
    QString about = ToQString(app.Title()) + u'\n' + TrQ(QT_TRANSLATE_NOOP("Tesselet", "Версия ")) +
                    ToQString(FormatVersion(AppInfo::kMajor, AppInfo::kMinor, AppInfo::kRevision));
    if (!name.empty())
        about += QStringLiteral("\n\n") + ToQString(name);
    QMessageBox box(QMessageBox::NoIcon, ToQString(app.Title()), about, QMessageBox::Ok, owner);
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        box.setIconPixmap(icon.pixmap(48, 48));
    box.exec();
}
