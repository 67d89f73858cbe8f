#include "CLoadPictureCommand.h"

#include "CFolderMemory.h"
#include "CMainServices.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "KorvaneSupport.h"
#include "modMessages.h"
#include "modPictureFiles.h"
#include "modSteps.h"

CLoadPictureCommand::CLoadPictureCommand(CMainServices& services, QWidget* owner)
    : mServices(services), mOwner(owner) {}

CLoadOutcome CLoadPictureCommand::Run() {
    const std::u16string section = u"OFN Paths";
    const std::u16string key = u"Source Picture";
    const std::unique_ptr<IFileDialog> dialog = mServices.newFileDialog();
    CFolderMemory memory;
    CLoadOutcome outcome;

    TryStep([&] { dialog->InitialFolder(memory.ReadValue(section, key, u"")); });
    TryStep([&] { dialog->Filter(GetPictureFilter()); });
    TryStep([&] { dialog->DialogOptions(0); });
    TryStep([&] { dialog->OwnerWindow(mOwner); });
    bool chosen = false;
    TryStep([&] { chosen = dialog->ShowOpen(); });
    if (!chosen)
        return outcome;

    // Remembered before the load, so that the folder of a file that fails to load counts too.
    TryStep([&] { memory.WriteValue(section, key, ksGetFilePath(dialog->SelectedFile())); });

    try {
        outcome.picture = LoadPictureFile(dialog->SelectedFile());
        outcome.pictureLoaded = true;
    } catch (...) {
        const CError pending = CError::FromCurrentException();
        TryStep([&] {
            mServices.messageBox.ShowError(pending,
                                           FileMessage(dialog->SelectedFile(), kLoadFailed));
        });
        return outcome;
    }
    TryStep([&] { outcome.path = dialog->SelectedFile(); });
    return outcome;
}
