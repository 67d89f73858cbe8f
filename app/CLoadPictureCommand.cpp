#include "CLoadPictureCommand.h"

#include "CMainServices.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "modFileChoice.h"
#include "modMessages.h"
#include "modPictureFiles.h"
#include "modSteps.h"

CLoadPictureCommand::CLoadPictureCommand(CMainServices& services, QWidget* owner)
    : mServices(services), mOwner(owner) {}

CLoadOutcome CLoadPictureCommand::Run() {
    const std::unique_ptr<IFileDialog> dialog = mServices.newFileDialog();
    CLoadOutcome outcome;
    const std::optional<std::u16string> file =
        ChooseFile(*dialog, mOwner, {u"Source Picture", [] { return GetPictureFilter(); }, {}});
    if (!file)
        return outcome;

    try {
        outcome.picture = LoadPictureFile(*file);
        outcome.pictureLoaded = true;
    } catch (...) {
        const CError pending = CError::FromCurrentException();
        TryStep([&] { mServices.messageBox.ShowError(pending, FileMessage(*file, kLoadFailed)); });
        return outcome;
    }
    outcome.path = *file;
    return outcome;
}
