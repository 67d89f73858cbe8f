#include "AppInfo.h"
#include "ColorsAndPaths.h"
#include "CommandLine.h"
#include "ConsoleReporter.h"
#include "Converter.h"
#include "FileMessages.h"
#include "Interrupts.h"
#include "Language.h"
#include "NativeText.h"
#include "PageTemplates.h"
#include "ProgramFolder.h"
#include "StandardStreams.h"
#include "StartUpFiles.h"
#include "Utf8.h"

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace {

QtMessageHandler qtDefaultHandler = nullptr;

// Qt's libraries say what they think of a damaged file or a failed allocation ("QImage: out of
// memory, returning null") in English, before the converter's own report says it in the run's
// language; only a fatal message, which ends the program, is let through.
void DropLibraryChatter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg)
        qtDefaultHandler(type, context, message);
}

// What the run prints on standard output (help, version, the names of the pages) is output like
// a page: its loss (a full disk, a closed pipe) is a failure, told on standard error.
bool StandardOutputWritten() {
    errno = 0;
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0)
        return true;
    const Failure failed = Failure::FromErrno(errno != 0 ? errno : EIO);
    std::fprintf(
        stderr, "tesselet-cli: %s\n%s\n",
        qPrintable(Tr(QT_TRANSLATE_NOOP("Tesselet", "не удалось записать в стандартный вывод"))),
        qPrintable(ErrorLine(failed)));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    // First of all, before anything takes the number of a closed standard stream.
    StandardStreams::HoldClosed();
    qtDefaultHandler = qInstallMessageHandler(DropLibraryChatter);
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tesselet-cli"));
    QCoreApplication::setApplicationVersion(
        FormatVersion(AppInfo::kMajor, AppInfo::kMinor, AppInfo::kRevision));
    // Before the first word is said: the arguments' errors and --help are in the run's language.
    InstallTranslations(application);

    // A half-written page is never left behind: an interrupt removes it, and a file-size limit
    // becomes a reported failure instead of a silent death.
    Interrupts::RemoveTempFilesOnInterrupt();
    Interrupts::IgnoreFileSizeSignal();

    // The arguments as the bytes they are: Qt's own list would turn a file name that is not UTF-8
    // into another name. Text that keeps every byte, as a message shows a name; the parsed names
    // go back to bytes with NativeFromDisplay.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << PathForDisplay(argv[i]);
    const CommandLine::Result parsed = CommandLine::Parse(arguments);
    if (!parsed.error.isEmpty()) {
        const QString hint = Tr(QT_TRANSLATE_NOOP("Tesselet", "Попробуйте «tesselet-cli --help»."));
        std::fprintf(stderr, "tesselet-cli: %s\n%s\n", qPrintable(parsed.error), qPrintable(hint));
        return 2;
    }
    if (!parsed.options) {
        const QByteArray text = parsed.print.toLocal8Bit();
        std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
        return StandardOutputWritten() ? 0 : 1;
    }
    const CliOptions& options = *parsed.options;

    ConsoleReporter reporter(stderr);
    const AppInfo app(options.templates.empty() ? ProgramFolder() : options.templates);
    const std::optional<PageTemplates> templates = LoadSourceAndTemplates(app, reporter);
    if (!templates)
        return 2;

    Converter converter(options, *templates, reporter, stdout, StartUpFilePaths(app),
                        ProgramFilePaths(ProgramFolder()));
    const int status = converter.Run();
    return StandardOutputWritten() ? status : std::max(status, 1);
}
