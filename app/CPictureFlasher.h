#pragma once

#include <QImage>
#include <QSize>

class IMessageBox;
class IScreen;

/// Copies the held picture onto the top-left corner of the screen while the show button is held,
/// and wipes it away when it is let go.
class CPictureFlasher {
public:
    CPictureFlasher(IScreen& screen, IMessageBox& messages);

    /// `outerWidth` and `outerHeight`: the holder's size in 1/1440 inch.
    void Show(const QImage& picture, float outerWidth, float outerHeight);
    void Hide();

    /// The size of the copy in screen pixels: the holder's outer size and the units per pixel are
    /// each rounded to an integer (halves to even), then divided, truncating. Throws on overflow
    /// and when a pixel rounds to no units at all.
    static QSize CopySize(float outerWidth, float outerHeight, float unitsPerPixelX,
                          float unitsPerPixelY);

private:
    IScreen& mScreen;
    IMessageBox& mMessages;
};
