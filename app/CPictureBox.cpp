#include "CPictureBox.h"

#include <QPainter>

CPictureBox::CPictureBox(QWidget* parent) : QWidget(parent) {
    setFixedSize(0, 0);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void CPictureBox::SetPicture(QImage picture) {
    mPicture = std::move(picture);
    setFixedSize(mPicture.size());
    update();
}

std::int16_t CPictureBox::PictureType() const {
    return mPicture.isNull() ? vbPicTypeNone : vbPicTypeBitmap;
}

void CPictureBox::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(0, 0, mPicture);
}
