#include "SavePictureCommand.h"

#include "BackgroundWork.h"
#include "CallPictureGenerator.h"
#include "DeferredMessages.h"
#include "Failure.h"
#include "FileChoice.h"
#include "FileMessages.h"
#include "IFileDialog.h"
#include "IGeneratorUi.h"
#include "IMessageBox.h"
#include "Language.h"
#include "MainServices.h"
#include "OutputGuard.h"
#include "PageBudget.h"
#include "PageFileTypes.h"
#include "PageStyle.h"
#include "PageTemplates.h"
#include "PictureFiles.h"
#include "ProgramFolder.h"
#include "StartUpFiles.h"

#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <memory>

namespace {

inline constexpr const char* kSavingPage = QT_TRANSLATE_NOOP("Tesselet", "Сохранение страницы…");
inline constexpr const char* kLargePage =
    QT_TRANSLATE_NOOP("Tesselet", "Страница займёт примерно %1 МБ. Всё равно сохранить?");

/// Beside a button's remembered folder, the key of the file type chosen last.
constexpr QLatin1StringView kTypeKeySuffix{" Type"};

/// Takes every message of a walk and shows none.
class SilentMessages final : public IMessageBox {
public:
    void ShowError(const Failure& /*pending*/, const QString& /*message*/) override {}
    void ShowFailure(const QString& /*text*/) override {}
    void Inform(const QString& /*text*/) override {}
    bool AskOkCancel(const QString& /*text*/) override { return false; }
};

/// The rows of the walk counted for the progress dialog, and its Cancel asked after each.
class RowsToWork final : public IGeneratorUi {
public:
    explicit RowsToWork(BackgroundWork& work) : mWork(work) {}
    bool RowWritten(std::int32_t rowsDone, std::int32_t rows) override {
        mWork.Progress(rowsDone, rows);
        return !mWork.Cancelled();
    }

private:
    BackgroundWork& mWork;
};

} // namespace

SavePictureCommand::SavePictureCommand(MainServices& services, const AppInfo& app,
                                       const PageTemplates& templates, QWidget* owner,
                                       const QString& workNote, Done done)
    : mServices(services), mApp(app), mTemplates(templates), mOwner(owner), mWorkNote(workNote),
      mDone(std::move(done)) {}

SavePictureCommand::~SavePictureCommand() = default;

void SavePictureCommand::Run(
    std::span<const PageStyle* const> styles,
    const std::function<std::string(std::string_view extension)>& proposedName,
    const QImage& picture, const std::string& pictureFile) {
    Continue([&] {
        mChosen = ChoosePage(styles, proposedName);
        if (!mChosen || !OutputAllowed(mChosen->file, pictureFile)) {
            Finish();
            return;
        }
        mPage = picture;
        MakePagePicture();
    });
}

void SavePictureCommand::Continue(const std::function<void()>& step) {
    try {
        step();
    } catch (...) {
        Finish(std::current_exception());
    }
}

void SavePictureCommand::Finish(std::exception_ptr unreported) {
    mPage = QImage();
    mDone(std::move(unreported));
}

std::optional<SavePictureCommand::ChosenPage> SavePictureCommand::ChoosePage(
    std::span<const PageStyle* const> styles,
    const std::function<std::string(std::string_view extension)>& proposedName) {
    if (styles.empty())
        return std::nullopt;
    // The file type chosen last is offered first; with one style there is no choice to keep.
    const PageStyle& button = *styles.front();
    const PageFileType buttonType = FileTypeOf(button);
    const QString typeKey = QString::fromLatin1(buttonType.rememberedKey) + kTypeKeySuffix;
    const QString remembered = RememberedValue(typeKey);
    std::size_t offered = 0;
    for (std::size_t i = 0; i < styles.size(); ++i)
        if (QString::fromLatin1(styles[i]->name) == remembered)
            offered = i;
    const PageStyle& offeredStyle = *styles[offered];

    const std::unique_ptr<IFileDialog> dialog = mServices.newFileDialog();
    std::int32_t chosenType = -1;
    std::optional<std::string> chosen = ChooseFile(
        *dialog, mOwner,
        {QString::fromLatin1(buttonType.rememberedKey), [styles] { return SaveFileTypes(styles); },
         [&] { return proposedName(offeredStyle.extension); },
         styles.size() > 1 ? static_cast<std::int32_t>(offered) : -1},
        &chosenType);
    if (!chosen)
        return std::nullopt;
    // One of the styles' own types decides; "HTML файлы" or "Все файлы" keep the one offered.
    const PageStyle* style = &offeredStyle;
    if (chosenType >= 0 && static_cast<std::size_t>(chosenType) < styles.size()) {
        style = styles[static_cast<std::size_t>(chosenType)];
        if (styles.size() > 1)
            RememberValue(typeKey, QString::fromLatin1(style->name));
    }
    return ChosenPage{style, std::move(*chosen)};
}

bool SavePictureCommand::OutputAllowed(const std::string& file, const std::string& pictureFile) {
    // The picture is in memory, but its file, the start-up files and the program's own are not to
    // be lost to a page chosen over them.
    OutputGuard guard;
    for (const std::string& startUpFile : StartUpFilePaths(mApp))
        guard.Protect(startUpFile);
    for (const std::string& programFile : ProgramFilePaths(mApp.Path()))
        guard.Protect(programFile, OutputGuard::Kind::kProgramFile);
    try {
        guard.Check(file, pictureFile);
    } catch (const Failure& refused) {
        mServices.messageBox.ShowError(refused, FileMessage(file, Tr(kSaveFailed)));
        return false;
    }
    return true;
}

void SavePictureCommand::MakePagePicture() {
    // The compact pages show transparency; the others get the picture over white, as the
    // converter gives them. Only a picture with alpha is copied for that, while it is saved.
    if (mChosen->style->keepsTransparency || !mPage.hasAlphaChannel()) {
        CountLargePage();
        return;
    }
    mFlattening.emplace(mOwner, mWorkNote, Tr(kSavingPage), false, mServices.progressDelayMs);
    mFlattening->Start([this] { mPage = PictureOverWhite(mPage); },
                       [this](const std::exception_ptr& failure) {
                           Continue([&] {
                               if (!failure) {
                                   CountLargePage();
                                   return;
                               }
                               mPage = QImage();
                               try {
                                   std::rethrow_exception(failure);
                               } catch (...) {
                                   mServices.messageBox.ShowError(
                                       Failure::FromCurrentException(),
                                       FileMessage(mChosen->file, Tr(kSaveFailed)));
                               }
                               Finish();
                           });
                       });
}

bool SavePictureCommand::MayBeLarge() const {
    if (mServices.largePageBytes == UINT64_MAX)
        return false;
    // No style writes anywhere near this much for one pixel or one row, nor grows the templates
    // more than threefold in UTF-8 and twofold by its place-holders: a picture whose page could
    // not pass the limit even so is not counted at all, and saves no slower than before.
    constexpr std::uint64_t kMostBytesPerPixel = 256;
    const auto pixels =
        static_cast<std::uint64_t>(mPage.width()) * static_cast<std::uint64_t>(mPage.height()) +
        static_cast<std::uint64_t>(mPage.height());
    const std::uint64_t most =
        6 * (mTemplates.head.size() + mTemplates.tail.size()) + 256 + pixels * kMostBytesPerPixel;
    return most > mServices.largePageBytes;
}

void SavePictureCommand::CountLargePage() {
    if (!MayBeLarge()) {
        WritePage();
        return;
    }
    // Otherwise the writer runs over the picture with its bytes counted and dropped, beside the
    // window like the walk that follows, so the window keeps painting. A page whose size cannot
    // be told is written as before; its own failure is then reported.
    mCounting.emplace(mOwner, mWorkNote, Tr(kSavingPage), false, mServices.progressDelayMs);
    mCounting->Start(
        [this] {
            SilentMessages silent;
            const PageStyle& style = *mChosen->style;
            mCountedBytes = MeasurePage([&] { return style.create(mTemplates); }, mPage, silent);
        },
        // A failure is not told here: the walk that follows meets the same one and reports it.
        [this](const std::exception_ptr& /*failure*/) {
            Continue([this] {
                if (!mCountedBytes || *mCountedBytes <= mServices.largePageBytes) {
                    WritePage();
                    return;
                }
                const QString text = Tr(kLargePage).arg(WholeMegabytes(*mCountedBytes));
                if (!mServices.messageBox.AskOkCancel(text)) {
                    Finish();
                    return;
                }
                WritePage();
            });
        });
}

void SavePictureCommand::WritePage() {
    // The walk runs off the window's thread, so the window is still painted and the progress
    // dialog can be answered; what it says is shown here once it has ended, and once the writer
    // (the walk's own) and the picture it kept are gone.
    mWalk.emplace(mOwner, mWorkNote, Tr(kSavingPage), true, mServices.progressDelayMs);
    mWalk->Start(
        [this] {
            RowsToWork rows(*mWalk);
            const std::unique_ptr<IAnyPicture> writer = mChosen->style->create(mTemplates);
            mWritten = CallPictureGenerator(*writer, mChosen->file, mPage, rows, mMessages);
        },
        [this](const std::exception_ptr& failure) {
            mPage = QImage();
            Continue([&] {
                // What the walk said before a failure is still told, ahead of the failure itself.
                mMessages.Replay(mServices.messageBox);
                // Only a walk that says so has written the page: a failure that passes out of it
                // goes to the window, which reports it, so "Готово ^_^" is never shown for a page
                // that was not written.
                if (failure) {
                    Finish(failure);
                    return;
                }
                if (mWritten)
                    mServices.messageBox.Inform(Tr(kDone));
                Finish();
            });
        });
}
