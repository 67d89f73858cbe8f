#include "CPictureBox.h"

#include <QPainter>

CPictureBox::CPictureBox(QWidget* parent)
    : QWidget(parent), mSource(std::make_unique<CImagePictureSource>()) {
    setFixedSize(0, 0);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void CPictureBox::SetPicture(QImage picture) {
    mSource = std::make_unique<CImagePictureSource>(std::move(picture));
    setFixedSize(mSource->Image().size());
    update();
}

std::int16_t CPictureBox::PictureType() const {
    return mSource->Image().isNull() ? vbPicTypeNone : vbPicTypeBitmap;
}

void CPictureBox::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(0, 0, mSource->Image());
}
