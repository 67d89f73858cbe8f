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
#include <utility>

namespace {

constexpr QLatin1StringView kSourcePicture{"Source Picture"};
constexpr const char* kLoadingPicture = QT_TRANSLATE_NOOP("Tesselet", "Загрузка картинки…");

} // namespace

LoadPictureCommand::LoadPictureCommand(MainServices& services, QWidget* owner,
                                       const QString& workNote, Done done)
    : mServices(services), mOwner(owner), mWorkNote(workNote), mDone(std::move(done)) {}

void LoadPictureCommand::Starting(const std::function<void()>& start) {
    try {
        start();
    } catch (...) {
        mDone(LoadOutcome(), std::current_exception());
    }
}

void LoadPictureCommand::Run() {
    Starting([this] {
        const std::unique_ptr<IFileDialog> dialog = mServices.newFileDialog();
        const std::optional<std::string> file =
            ChooseFile(*dialog, mOwner, {kSourcePicture, [] { return PictureFileTypes(); }, {}});
        if (!file) {
            mDone(LoadOutcome(), nullptr);
            return;
        }
        Load(*file);
    });
}

void LoadPictureCommand::RunWithFile(const std::string& file) {
    Starting([&] {
        RememberFolderOf(kSourcePicture, file);
        Load(file);
    });
}

void LoadPictureCommand::RunWithImage(const QImage& image, const std::string& name) {
    Starting([&] {
        Load(name, [image] {
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
    });
}

void LoadPictureCommand::Load(const std::string& file) {
    Load(file, [file] { return LoadPictureFile(file, {}, PictureAlpha::kKeep); });
}

void LoadPictureCommand::Load(const std::string& name, std::function<QImage()> load) {
    // The largest pictures take seconds to decode; the window is painted meanwhile and, past half
    // a second, says that it is busy (the reader tells nothing of how far it got).
    mName = name;
    mWork.emplace(mOwner, mWorkNote, Tr(kLoadingPicture), false, mServices.progressDelayMs);
    mWork->Start([this, load = std::move(load)] { mOutcome.picture = load(); },
                 [this](std::exception_ptr failure) { Loaded(std::move(failure)); });
}

void LoadPictureCommand::Loaded(std::exception_ptr failure) {
    // The picture goes to the window alone; the command keeps none of it.
    LoadOutcome outcome = std::exchange(mOutcome, LoadOutcome());
    if (!failure) {
        outcome.pictureLoaded = true;
        outcome.path = mName;
        mDone(outcome, nullptr);
        return;
    }
    std::exception_ptr unreported;
    try {
        std::rethrow_exception(std::move(failure));
    } catch (...) {
        const Failure pending = Failure::FromCurrentException();
        try {
            mServices.messageBox.ShowError(pending,
                                           FileMessage(mName, LoadFailedSentence(pending)));
        } catch (...) {
            unreported = std::current_exception();
        }
    }
    mDone(LoadOutcome(), unreported);
}
