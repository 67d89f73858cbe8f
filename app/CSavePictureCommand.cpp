#include "CSavePictureCommand.h"

#include "CBackgroundWork.h"
#include "CDeferredMessages.h"
#include "CMainServices.h"
#include "COutputGuard.h"
#include "IFileDialog.h"
#include "IGeneratorUi.h"
#include "IMessageBox.h"
#include "modCallPictureGenerator.h"
#include "modFileChoice.h"
#include "modMessages.h"
#include "modPageStyle.h"
#include "modStartUpFiles.h"
#include "modSteps.h"

#include <QString>

namespace {

inline constexpr const char* kSavingPage = QT_TRANSLATE_NOOP("Tesselet", "Сохранение страницы…");

/// The window's pointer and repaint, with the rows of the walk counted for the progress dialog
/// and its Cancel asked after each.
class CRowsToWork final : public IGeneratorUi {
public:
    CRowsToWork(IGeneratorUi& ui, CBackgroundWork& work) : mUi(ui), mWork(work) {}
    void SetMousePointer(std::int32_t pointer) override { mUi.SetMousePointer(pointer); }
    void RepaintMainWindow() override { mUi.RepaintMainWindow(); }
    bool RowWritten(std::int32_t rowsDone, std::int32_t rows) override {
        mWork.Progress(rowsDone, rows);
        return !mWork.Cancelled();
    }

private:
    IGeneratorUi& mUi;
    CBackgroundWork& mWork;
};

} // namespace

CSavePictureCommand::CSavePictureCommand(CMainServices& services, const CAppObject& app,
                                         QWidget* owner, IGeneratorUi& ui)
    : mServices(services), mApp(app), mOwner(owner), mUi(ui) {}

bool CSavePictureCommand::Run(const PageStyle& style,
                              const std::function<std::u16string()>& proposedName,
                              const QImage& picture, const std::u16string& pictureFile) {
    const std::unique_ptr<IFileDialog> dialog = mServices.newFileDialog();
    const std::optional<std::u16string> chosen = ChooseFile(
        *dialog, mOwner,
        {style.rememberedKey, [&style] { return std::u16string(style.filter); }, proposedName});
    if (!chosen)
        return false;

    // Only a walk that says so has written the page: a failure that passes out of it counts as a
    // failed walk, so "Готово ^_^" is never shown for a page that was not written.
    bool written = false;
    TryStep([&] {
        const std::u16string& file = *chosen;
        // The picture is in memory, but its file and the start-up files are not to be lost to a
        // page chosen over them.
        COutputGuard guard;
        for (const std::u16string& startUpFile : StartUpFilePaths(mApp))
            guard.Protect(startUpFile);
        try {
            guard.Check(file, pictureFile);
        } catch (const CError& refused) {
            mServices.messageBox.ShowError(refused, FileMessage(file, Tr(kSaveFailed)));
            return;
        }
        const std::unique_ptr<IAnyPicture> writer = style.create();
        // The walk runs off the window's thread, so the window is still painted and the
        // progress dialog can be answered; what it says is shown here once it has ended.
        CDeferredMessages messages;
        CBackgroundWork work(mOwner, TrQ(kSavingPage), true);
        CRowsToWork rows(mUi, work);
        written = CallPictureGenerator(*writer, file, picture, rows, messages,
                                       [&](const std::function<void()>& walk) { work.Run(walk); });
        messages.Replay(mServices.messageBox);
    });
    if (written)
        TryStep([&] { mServices.messageBox.MsgBox(Tr(kDone), IMessageBox::kInformationIcon); });
    return written;
}
