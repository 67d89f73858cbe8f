#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>

/// The hidden picture holder: measured in pixels, no border, always the size of the picture it
/// holds, and it keeps the picture itself, so its pixels can be read while it is never shown.
class CPictureBox final : public QWidget {
public:
    static constexpr std::int16_t vbPicTypeNone = 0;
    static constexpr std::int16_t vbPicTypeBitmap = 1;

    explicit CPictureBox(QWidget* parent);

    /// Replaces the held picture; an empty image leaves the holder empty.
    void SetPicture(QImage picture);
    /// The kind of picture held, vbPicTypeNone when there is none.
    std::int16_t PictureType() const;
    const QImage& Picture() const { return mPicture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage mPicture;
};
