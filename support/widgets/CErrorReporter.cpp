#include "CErrorReporter.h"

#include "CMessageBox.h"
#include "modQtText.h"

#include <QApplication>
#include <QMessageBox>

CErrorReporter::CErrorReporter(std::u16string caption) : mCaption(std::move(caption)) {}

QString CErrorReporter::ReportText(const CError& pending, const std::u16string& message) {
    // Messages are built with CR LF pairs; a label shows the CR as a stray glyph.
    QString text = ToQString(message);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!text.isEmpty())
        text += QStringLiteral("\n\n");
    return text + QStringLiteral("Ошибка %1: %2")
                      .arg(pending.Number())
                      .arg(ToQString(pending.Description()));
}

void CErrorReporter::ShowError(const CError& pending, std::int32_t style, std::int32_t /*flags*/,
                               const std::u16string& message) {
    QMessageBox box(CMessageBox::IconOfStyle(style), ToQString(mCaption),
                    ReportText(pending, message), QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}
