// The window's save against the converter's: one page of a 12 MP picture through the save button's
// command (the walk on its own thread, the window's event loop running meanwhile), offscreen, the
// file dialog answered at once. Run beside `tesselet-cli` on the same picture (bench/compare does).
//
//   tesselet-window-save [--sync] [STYLE [WIDTH HEIGHT [OUT [PICTURE.png]]]]
//
// --sync walks the picture on the calling thread, straight through CallPictureGenerator, as the
// window did before its walk had a thread of its own: what the thread costs is the difference.
//
// (default: table 4000 3000 /tmp/tesselet-window-save.htm); with PICTURE.png the picture is also
// written there, for tesselet-cli to convert the same pixels.

#include "AppInfo.h"
#include "BenchPicture.h"
#include "CallPictureGenerator.h"
#include "IFileDialog.h"
#include "IFlashWindow.h"
#include "IGeneratorUi.h"
#include "IMessageBox.h"
#include "MainServices.h"
#include "PageStyle.h"
#include "SavePictureCommand.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QWidget>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

namespace {

class Answer final : public IFileDialog {
public:
    explicit Answer(std::string file) : mFile(std::move(file)) {}
    std::string SelectedFile() const override { return mFile; }
    void OwnerWindow(QWidget*) override {}
    void FileTypes(const std::vector<FileType>&) override {}
    void FilterIndex(std::int32_t) override {}
    std::int32_t SelectedFilterIndex() const override { return 0; }
    void DefaultFileName(const std::string&) override {}
    void InitialFolder(const std::string&) override {}
    bool ShowOpen() override { return true; }
    bool ShowSave() override { return true; }

private:
    std::string mFile;
};

class Quiet final : public IMessageBox, public IFlashWindow, public IGeneratorUi {
public:
    void ShowFailure(const QString&) override {}
    /// Only a page written whole says so.
    void Inform(const QString&) override { written = true; }
    void ShowError(const Failure&, const QString&) override { failed = true; }
    bool AskOkCancel(const QString&) override { return false; }
    FlashResult Show(const QImage&) override { return FlashResult::kShown; }
    void Hide() override {}
    bool failed = false;
    bool written = false;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const bool sync = argc > 1 && std::strcmp(argv[1], "--sync") == 0;
    if (sync) {
        --argc;
        ++argv;
    }
    const QString styleName = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("table");
    const int width = argc > 3 ? std::atoi(argv[2]) : 4000;
    const int height = argc > 3 ? std::atoi(argv[3]) : 3000;
    const QString out = argc > 4 ? QString::fromLocal8Bit(argv[4])
                                 : QStringLiteral("/tmp/tesselet-window-save.htm");
    const PageTemplates* const templates = BenchTemplates();
    if (templates == nullptr) {
        std::fprintf(stderr, "the templates in resources/ could not be read\n");
        return 1;
    }
    const PageStyle* style = FindPageStyle(styleName.toStdString());
    if (style == nullptr) {
        std::fprintf(stderr, "no style %s\n", qPrintable(styleName));
        return 1;
    }
    const QImage picture = MakeBenchPicture(width, height);
    if (argc > 5 && !picture.save(QString::fromLocal8Bit(argv[5]), "PNG")) {
        std::fprintf(stderr, "the picture could not be written\n");
        return 1;
    }
    Quiet quiet;
    const std::string file = QFile::encodeName(out).toStdString();
    // The page of a 12 MP picture is far above the size the window asks about; the question
    // would only stop the timing.
    MainServices services{[file] { return std::make_unique<Answer>(file); }, quiet, quiet,
                          UINT64_MAX};
    const AppInfo app(TESSELET_RESOURCES_DIR);
    QWidget owner;
    const QString noNote;
    bool ended = false;
    SavePictureCommand command(services, app, *templates, &owner, noNote,
                               [&ended, &quiet](const std::exception_ptr& unreported) {
                                   ended = true;
                                   quiet.failed = quiet.failed || unreported != nullptr;
                                   QCoreApplication::quit();
                               });

    QElapsedTimer timer;
    timer.start();
    bool written = false;
    if (sync) {
        const std::unique_ptr<IAnyPicture> writer = style->create(*templates);
        written = CallPictureGenerator(*writer, file, picture, quiet, quiet);
    } else {
        const PageStyle* const styles[] = {style};
        command.Run(styles, [](std::string_view) { return std::string(); }, picture, {});
        if (!ended) // a save refused before its walk has ended already
            QApplication::exec();
        written = quiet.written;
    }
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    if (!written || quiet.failed) {
        std::fprintf(stderr, "the page was not written\n");
        return 1;
    }
    std::printf("window save%s, %s %dx%d: %.3f s\n", sync ? " (walk on the UI thread)" : "",
                qPrintable(styleName), width, height, seconds);
    return 0;
}
