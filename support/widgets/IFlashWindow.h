#pragma once

#include "Language.h"

#include <QImage>
#include <QString>

/// How showing the picture on the screen went.
enum class FlashResult {
    kShown,
    kNoScreen,  ///< there is no screen to show it on
    kNotCopied, ///< there is a screen, but the picture could not be put on it
};

/// The picture shown on the screen while the show button is held.
class IFlashWindow {
public:
    virtual ~IFlashWindow() = default;

    /// Shows the whole picture at the top-left corner of the primary screen, one device pixel per
    /// picture pixel, over every other window; showing it again replaces it.
    virtual FlashResult Show(const QImage& picture) = 0;
    /// Takes it off the screen; nothing happens when it is not shown.
    virtual void Hide() = 0;
};

/// What the user is told, with the stop icon, when the picture could not be shown; empty when it
/// was shown.
inline QString FlashFailureMessage(FlashResult result) {
    switch (result) {
    case FlashResult::kNoScreen:
        return Tr(QT_TRANSLATE_NOOP("Tesselet", "Не удалось получить контекст устройства экрана."));
    case FlashResult::kNotCopied:
        return Tr(QT_TRANSLATE_NOOP(
            "Tesselet", "Не удалось скопировать картинку на контекст устройства экрана."));
    case FlashResult::kShown:
        break;
    }
    return {};
}
