#include "StartUp.h"

#include "AppInfo.h"
#include "FileDialog.h"
#include "FlashWindow.h"
#include "Interrupts.h"
#include "Language.h"
#include "MainServices.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "PageTemplates.h"
#include "ProgramFolder.h"
#include "StandardStreams.h"
#include "WindowHelpers.h"

#include <QApplication>
#include <cstdlib>

std::unique_ptr<MainWindow> StartUp(const AppInfo& app, MainServices& services) {
    SetApplicationIcon(QStringLiteral("A_MAIN"));
    std::optional<PageTemplates> templates = LoadSourceAndTemplates(app, services.messageBox);
    if (!templates)
        return nullptr;
    auto window = std::make_unique<MainWindow>(app, services, std::move(*templates));
    window->show();
    return window;
}

int Main(int& argc, char** argv) {
    // Before anything takes the number of a closed standard stream.
    StandardStreams::HoldClosed();
    // A size limit met by a save is reported like any failed write; an interrupt mid-save leaves
    // no half page behind.
    Interrupts::IgnoreFileSizeSignal();
    Interrupts::RemoveTempFilesOnInterrupt();
    // Qt ends the program with exit() when its connection to the display breaks (the window
    // killed from outside): a page being written is not left behind half done either.
    std::atexit([] { Interrupts::RemoveTempFiles(); });
    RegisterDesktopEntry();
    // Qt widgets need the application object before the first of them is made.
    QApplication application(argc, argv);
    // The identity of the remembered folders' store, set here and nowhere else.
    QCoreApplication::setOrganizationName(QStringLiteral("Korvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Tesselet"));
    // Before the first word is said, Qt's dialogs included.
    InstallTranslations(application);

    const AppInfo app(ProgramFolder());
    MessageBox messageBox(app.Title());
    try {
        FlashWindow flashWindow;
        MainServices services{[] { return std::make_unique<FileDialog>(); }, messageBox,
                              flashWindow};
        const std::unique_ptr<MainWindow> window = StartUp(app, services);
        if (!window)
            return 1;
        return QApplication::exec();
    } catch (...) {
        // The program's top level: a failure of start-up is reported and ends the program.
        messageBox.ShowError(Failure::FromCurrentException(), {});
        return 1;
    }
}
