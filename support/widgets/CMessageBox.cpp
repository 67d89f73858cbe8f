#include "CMessageBox.h"

#include "modQtText.h"

#include <QApplication>

CMessageBox::CMessageBox(std::u16string caption) : mCaption(std::move(caption)) {}

QMessageBox::Icon CMessageBox::IconOfStyle(std::int32_t style) {
    switch (style & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

void CMessageBox::MsgBox(const std::u16string& text, std::int32_t style) {
    QMessageBox box(IconOfStyle(style), ToQString(mCaption), ToQString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}
