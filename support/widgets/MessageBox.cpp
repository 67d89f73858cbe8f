#include "MessageBox.h"

#include "AppInfo.h"
#include "ColorsAndPaths.h"
#include "FileMessages.h"
#include "Language.h"

#include <QApplication>
#include <QMessageBox>
#include <QPixmap>

namespace {

/// The message, an empty line when there is one, then the error's number and description.
QString ReportText(const Failure& pending, const QString& message) {
    // Messages are built with CR LF pairs; a label shows the CR as a stray glyph.
    QString text = message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!text.isEmpty())
        text += QStringLiteral("\n\n");
    return text + ErrorLine(pending);
}

void Show(QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace

MessageBox::MessageBox(QString caption) : mCaption(std::move(caption)) {}

void MessageBox::ShowError(const Failure& pending, const QString& message) {
    Show(QMessageBox::Critical, mCaption, ReportText(pending, message));
}

void MessageBox::ShowFailure(const QString& text) {
    Show(QMessageBox::Critical, mCaption, text);
}

void MessageBox::Inform(const QString& text) {
    Show(QMessageBox::Information, mCaption, text);
}

bool MessageBox::AskOkCancel(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Warning, mCaption, shown, QMessageBox::Ok | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok); // Esc answers Cancel, as a box with a Cancel does
    return box.exec() == QMessageBox::Ok;
}

void ShowAbout(QWidget* owner, const AppInfo& app, const QString& name) {
    QString about = app.Title() + u'\n' + Tr(QT_TRANSLATE_NOOP("Tesselet", "Версия ")) +
                    FormatVersion(AppInfo::kMajor, AppInfo::kMinor, AppInfo::kRevision);
    if (!name.isEmpty())
        about += QStringLiteral("\n\n") + name;
    QMessageBox box(QMessageBox::NoIcon, app.Title(), about, QMessageBox::Ok, owner);
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        box.setIconPixmap(icon.pixmap(48));
    box.exec();
}
