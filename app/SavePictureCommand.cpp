#include "SavePictureCommand.h"

#include "BackgroundWork.h"
#include "BusyCursor.h"
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
};

/// The window's repaint, with the rows of the walk counted for the progress dialog
/// and its Cancel asked after each.
class RowsToWork final : public IGeneratorUi {
public:
    RowsToWork(IGeneratorUi& ui, BackgroundWork& work) : mUi(ui), mWork(work) {}
    void RepaintMainWindow() override { mUi.RepaintMainWindow(); }
    bool RowWritten(std::int32_t rowsDone, std::int32_t rows) override {
        mWork.Progress(rowsDone, rows);
        return !mWork.Cancelled();
    }

private:
    IGeneratorUi& mUi;
    BackgroundWork& mWork;
};

} // namespace

SavePictureCommand::SavePictureCommand(MainServices& services, const AppInfo& app,
                                       const PageTemplates& templates, QWidget* owner,
                                       const QString& workNote, IGeneratorUi& ui)
    : mServices(services), mApp(app), mTemplates(templates), mOwner(owner), mWorkNote(workNote),
      mUi(ui) {}

bool SavePictureCommand::Run(
    std::span<const PageStyle* const> styles,
    const std::function<std::string(std::string_view extension)>& proposedName,
    const QImage& picture, const std::string& pictureFile) {
    const std::optional<ChosenPage> chosen = ChoosePage(styles, proposedName);
    if (!chosen || !OutputAllowed(chosen->file, pictureFile))
        return false;
    const std::optional<QImage> page = PagePicture(*chosen, picture);
    if (!page || !LargePageAgreed(*chosen->style, *page))
        return false;
    // Only a walk that says so has written the page: a failure that passes out of it goes to the
    // window, which reports it, so "Готово ^_^" is never shown for a page that was not written.
    if (!WritePage(*chosen, *page))
        return false;
    mServices.messageBox.Inform(Tr(kDone));
    return true;
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
    std::size_t offered = 0;
    if (styles.size() > 1) {
        const QString remembered = RememberedValue(typeKey);
        for (std::size_t i = 0; i < styles.size(); ++i)
            if (QString::fromLatin1(styles[i]->name) == remembered)
                offered = i;
    }
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

std::optional<QImage> SavePictureCommand::PagePicture(const ChosenPage& chosen,
                                                      const QImage& picture) {
    // The compact pages show transparency; the others get the picture over white, as the
    // converter gives them. Only a picture with alpha is copied for that, while it is saved.
    if (chosen.style->keepsTransparency || !picture.hasAlphaChannel())
        return picture;
    QImage page;
    try {
        BackgroundWork flattening(mOwner, mWorkNote, Tr(kSavingPage), false,
                                  mServices.progressDelayMs);
        flattening.Run([&] { page = PictureOverWhite(picture); });
    } catch (...) {
        mServices.messageBox.ShowError(Failure::FromCurrentException(),
                                       FileMessage(chosen.file, Tr(kSaveFailed)));
        return std::nullopt;
    }
    return page;
}

bool SavePictureCommand::WritePage(const ChosenPage& chosen, const QImage& page) {
    // The walk runs off the window's thread, so the window is still painted and the progress
    // dialog can be answered; what it says is shown here once it has ended, and once the writer
    // and the picture it kept are gone.
    DeferredMessages messages;
    BackgroundWork work(mOwner, mWorkNote, Tr(kSavingPage), true, mServices.progressDelayMs);
    RowsToWork rows(mUi, work);
    bool written = false;
    try {
        const BusyCursor busy;
        const std::unique_ptr<IAnyPicture> writer = chosen.style->create(mTemplates);
        written = CallPictureGenerator(*writer, chosen.file, page, rows, messages,
                                       [&](const std::function<void()>& walk) { work.Run(walk); });
    } catch (...) {
        // What the walk said before its failure is still told, ahead of the failure itself.
        messages.Replay(mServices.messageBox);
        throw;
    }
    messages.Replay(mServices.messageBox);
    return written;
}

bool SavePictureCommand::LargePageAgreed(const PageStyle& style, const QImage& picture) {
    if (mServices.largePageBytes == UINT64_MAX)
        return true;
    // No style writes anywhere near this much for one pixel or one row, nor grows the templates
    // more than threefold in UTF-8 and twofold by its place-holders: a picture whose page could
    // not pass the limit even so is not counted at all, and saves no slower than before.
    constexpr std::uint64_t kMostBytesPerPixel = 256;
    const auto pixels =
        static_cast<std::uint64_t>(picture.width()) * static_cast<std::uint64_t>(picture.height()) +
        static_cast<std::uint64_t>(picture.height());
    const std::uint64_t most =
        6 * (mTemplates.head.size() + mTemplates.tail.size()) + 256 + pixels * kMostBytesPerPixel;
    if (most <= mServices.largePageBytes)
        return true;
    // Otherwise the writer runs over the picture with its bytes counted and dropped, beside the
    // window like the walk that follows, so the window keeps painting. A page whose size cannot
    // be told is written as before; its own failure is then reported.
    std::optional<std::uint64_t> bytes;
    try {
        const BusyCursor busy;
        BackgroundWork counting(mOwner, mWorkNote, Tr(kSavingPage), false,
                                mServices.progressDelayMs);
        counting.Run([&] {
            SilentMessages silent;
            bytes = MeasurePage([&] { return style.create(mTemplates); }, picture, silent);
        });
    } catch (...) {
        // Not told here: the walk that follows meets the same failure and reports it.
    }
    if (!bytes || *bytes <= mServices.largePageBytes)
        return true;
    const std::uint64_t megabyte = std::uint64_t{1024} * 1024;
    const QString text = Tr(kLargePage).arg((*bytes + megabyte - 1) / megabyte);
    return mServices.messageBox.AskOkCancel(text);
}
