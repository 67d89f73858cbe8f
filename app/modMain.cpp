#include "modMain.h"

#include "CAppObject.h"
#include "CDeferredCalls.h"
#include "CErrorReporter.h"
#include "CFileDialog.h"
#include "CFlashScreen.h"
#include "CFolderMemory.h"
#include "CMainServices.h"
#include "CMessageBox.h"
#include "CPictureServices.h"
#include "CTextFileReader.h"
#include "KorvaneSupportUi.h"
#include "frmMain.h"
#include "modInterrupts.h"
#include "modProgramFolder.h"
#include "modSourceAndTemplates.h"

#include <QApplication>

namespace {

// How long a released Space key waits for the press that X11 sends with the same timestamp when
// the key is only auto-repeating. The two come together, so this only delays the final hide.
constexpr int kSpaceReleaseWaitMs = 40;

} // namespace

std::unique_ptr<frmMain> StartUp(const CAppObject& app, ITextFileReader& reader,
                                 CMainServices& services) {
    if (!ksIsInIDE())
        ksSetWindowResIconAll(ksGetThunderMainHandle(), u"A_MAIN");
    if (!LoadSourceAndTemplates(app, reader, services.errorReporter))
        return nullptr;
    auto window = std::make_unique<frmMain>(app, services);
    window->show();
    return window;
}

int Main(int& argc, char** argv) {
    // A size limit met by a save is reported like any failed write; an interrupt mid-save leaves
    // no half page behind.
    Interrupts::IgnoreFileSizeSignal();
    Interrupts::RemoveTempFilesOnInterrupt();
    ksRegisterAppPath();
    // The toolkit is ready before any window exists, as the common controls must be.
    QApplication application(argc, argv);
    // The identity of the remembered folders' store, set here and nowhere else.
    QCoreApplication::setOrganizationName(QStringLiteral("Korvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Tesselet"));

    const CAppObject app(ProgramFolder());
    CErrorReporter errorReporter(app.Title());
    try {
        CTextFileReader reader;
        CPictureServices pictureServices;
        CMessageBox messageBox(app.Title());
        CFlashScreen screen;
        CDeferredCalls deferredCalls(kSpaceReleaseWaitMs);
        CMainServices services{[] { return std::make_unique<CFileDialog>(); },
                               [] { return std::make_unique<CFolderMemory>(); },
                               pictureServices,
                               errorReporter,
                               messageBox,
                               screen,
                               deferredCalls};
        const std::unique_ptr<frmMain> window = StartUp(app, reader, services);
        if (!window)
            return 1;
        return QApplication::exec();
    } catch (...) {
        // The program's top level: a failure of start-up is reported and ends the program.
        errorReporter.ShowError(CError::FromCurrentException(), IErrorReporter::kStopIcon, 0, u"");
        return 1;
    }
}
