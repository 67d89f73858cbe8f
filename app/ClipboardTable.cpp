#include "ClipboardTable.h"

#include "CTablePicture.h"
#include "CallPictureGenerator.h"
#include "Failure.h"
#include "IGeneratorUi.h"
#include "IMessageBox.h"
#include "Language.h"
#include "MainServices.h"
#include "PictureFiles.h"

#include <QImage>
#include <QString>

namespace {

/// Stops the walk once the table has outgrown the limit, and tells how large it would be whole:
/// the rows of a table are all alike.
class SizeWatch final : public IGeneratorUi {
public:
    SizeWatch(const PageWriter& writer, std::size_t limit) : mWriter(writer), mLimit(limit) {}
    bool RowWritten(std::int32_t rowsDone, std::int32_t rows) override {
        const std::size_t size = mWriter.BodySize();
        if (size <= mLimit)
            return true;
        mWouldTake = size / static_cast<std::size_t>(rowsDone) * static_cast<std::size_t>(rows);
        return false;
    }
    std::size_t WouldTake() const noexcept { return mWouldTake; }

private:
    const PageWriter& mWriter;
    std::size_t mLimit;
    std::size_t mWouldTake = 0;
};

} // namespace

std::optional<std::string> TableForClipboard(const QImage& picture, IMessageBox& messages,
                                             std::size_t& wouldTake, std::size_t limit) {
    wouldTake = 0;
    // The TABLE page gets the picture over white, and so does its table.
    QImage flat;
    try {
        flat = PictureOverWhite(picture);
    } catch (...) {
        messages.ShowError(Failure::FromCurrentException(), {});
        return std::nullopt;
    }
    // A body kept in memory has no head or tail, so no templates frame it.
    const PageTemplates noFrame;
    CTablePicture writer(noFrame);
    writer.OpenBodyInMemory();
    SizeWatch watch(writer, limit);
    const bool whole = GeneratePicture(writer, {}, flat, messages, &watch);
    if (watch.WouldTake() > 0) {
        wouldTake = watch.WouldTake();
        return std::nullopt;
    }
    if (!whole)
        return std::nullopt;
    if (writer.Body().size() > limit) {
        // Only the table's own end is past the limit.
        wouldTake = writer.Body().size();
        return std::nullopt;
    }
    return writer.Body();
}

QString TooLargeForClipboardMessage(std::size_t wouldTake) {
    return Tr(QT_TRANSLATE_NOOP("Tesselet", "Картинка слишком велика для буфера обмена: таблица "
                                            "заняла бы %1 МБ, а можно не больше %2 МБ."))
        .arg(WholeMegabytes(wouldTake))
        .arg(WholeMegabytes(kMaxClipboardTableBytes));
}
