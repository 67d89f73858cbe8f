#include "LoadPictureCommand.h"

#include "BackgroundWork.h"
#include "FileChoice.h"
#include "FileMessages.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "MainServices.h"
#include "PageFileTypes.h"
#include "PictureFiles.h"

#include <QBuffer>
#include <QString>

namespace {

constexpr QLatin1StringView kSourcePicture{"Source Picture"};
constexpr const char* kLoadingPicture = QT_TRANSLATE_NOOP("Tesselet", "Загрузка картинки…");

} // namespace

LoadPictureCommand::LoadPictureCommand(MainServices& services, QWidget* owner,
                                       const QString& workNote)
    : mServices(services), mOwner(owner), mWorkNote(workNote) {}

LoadOutcome LoadPictureCommand::Run() {
    const std::unique_ptr<IFileDialog> dialog = mServices.newFileDialog();
    const std::optional<std::string> file =
        ChooseFile(*dialog, mOwner, {kSourcePicture, [] { return PictureFileTypes(); }, {}});
    if (!file)
        return {};
    return Load(*file);
}

LoadOutcome LoadPictureCommand::RunWithFile(const std::string& file) {
    RememberFolderOf(kSourcePicture, file);
    return Load(file);
}

LoadOutcome LoadPictureCommand::RunWithImage(const QImage& image, const std::string& name) {
    return Load(name, [&image] {
        // Through the reader, as a file would be: the same limits, orientation and colours.
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            throw Failure(Failure::kInvalidPicture,
                          Tr(QT_TRANSLATE_NOOP("Tesselet", "Не удалось взять картинку")));
        buffer.close();
        buffer.open(QIODevice::ReadOnly);
        return LoadPicture(buffer, {}, PictureAlpha::kKeep);
    });
}

LoadOutcome LoadPictureCommand::Load(const std::string& file) {
    return Load(file, [&file] { return LoadPictureFile(file, {}, PictureAlpha::kKeep); });
}

LoadOutcome LoadPictureCommand::Load(const std::string& name, const std::function<QImage()>& load) {
    // The largest pictures take seconds to decode; the window is painted meanwhile and, past half
    // a second, says that it is busy (the reader tells nothing of how far it got).
    LoadOutcome outcome;
    try {
        BackgroundWork work(mOwner, mWorkNote, Tr(kLoadingPicture), false,
                            mServices.progressDelayMs);
        work.Run([&] { outcome.picture = load(); });
        outcome.pictureLoaded = true;
    } catch (...) {
        const Failure pending = Failure::FromCurrentException();
        mServices.messageBox.ShowError(pending, FileMessage(name, LoadFailedSentence(pending)));
        return outcome;
    }
    outcome.path = name;
    return outcome;
}
