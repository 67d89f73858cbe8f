#include "CLoadPictureCommand.h"

#include "CFirstUse.h"
#include "CMainServices.h"
#include "IErrorReporter.h"
#include "IFileDialog.h"
#include "IFolderMemory.h"
#include "IPictureServices.h"
#include "KorvaneSupport.h"
#include "modSteps.h"

CLoadPictureCommand::CLoadPictureCommand(CMainServices& services, const CAppObject& app,
                                         QWidget* owner)
    : mServices(services), mApp(app), mOwner(owner) {}

CLoadOutcome CLoadPictureCommand::Run() {
    const std::u16string section = u"OFN Paths";
    const std::u16string key = u"Source Picture";
    CFirstUse<IFileDialog> dialog(mServices.newFileDialog);
    CFirstUse<IFolderMemory> memory(mServices.newFolderMemory);
    CLoadOutcome outcome;

    TryStep([&] { dialog->InitialFolder(memory->ReadValue(section, key, mApp, u"")); });
    TryStep([&] { dialog->Filter(mServices.pictureServices.GetPictureFilter()); });
    TryStep([&] { dialog->DialogOptions(0); });
    TryStep([&] { dialog->OwnerWindow(mOwner); });
    bool chosen = false;
    TryStep([&] { chosen = dialog->ShowOpen(); });
    if (!chosen)
        return outcome;

    // Remembered before the load, so that the folder of a file that fails to load counts too.
    TryStep([&] { memory->WriteValue(section, key, ksGetFilePath(dialog->SelectedFile()), mApp); });

    try {
        outcome.picture = mServices.pictureServices.LoadPictureFile(dialog->SelectedFile());
        outcome.pictureLoaded = true;
    } catch (...) {
        const CError pending = CError::FromCurrentException();
        TryStep([&] {
            mServices.errorReporter.ShowError(
                pending, IErrorReporter::kStopIcon, 0,
                dialog->SelectedFile() + u"\r\n\r\n" +
                    u"Не удалось загрузить файл. Формат не поддерживается, либо это не картинка.");
        });
        return outcome;
    }
    TryStep([&] { outcome.path = dialog->SelectedFile(); });
    return outcome;
}
