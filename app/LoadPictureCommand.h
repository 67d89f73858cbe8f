#pragma once

#include "BackgroundWork.h"

#include <QImage>
#include <functional>
#include <optional>
#include <string>

struct MainServices;
class QString;
class QWidget;

/// What a load gave the window.
struct LoadOutcome {
    /// The picture was loaded; false when cancelled or failed.
    bool pictureLoaded = false;
    /// With its alpha kept, as the compact pages show it: ARGB32 (not premultiplied) when it has
    /// alpha, otherwise RGB32. The pages that show every pixel flatten it over white themselves.
    QImage picture;
    /// The chosen path, whenever a picture was loaded.
    std::optional<std::string> path;
};

/// The work of "1. Загрузить картинку": the open dialog in the remembered folder, remembering the
/// chosen folder, loading the file off the window's thread and reporting a file that could not be
/// loaded. A command starts one load; the window goes on once it is told the outcome.
class LoadPictureCommand {
public:
    /// Told on the window's thread once the load has ended in any way, cancelled and failed
    /// (reported by then) included; the command may be dropped from there on. `unreported` is a
    /// failure of the report itself, for the window to tell; null otherwise.
    using Done = std::function<void(const LoadOutcome& outcome, std::exception_ptr unreported)>;

    /// `workNote` is the owner's line under the progress dialog's label (BackgroundWork).
    LoadPictureCommand(MainServices& services, QWidget* owner, const QString& workNote, Done done);
    /// The open dialog, then the load of the chosen file; `done` at once when none was chosen.
    void Run();
    /// A file chosen without the dialog (dropped, pasted): the rest as Run does after the dialog.
    void RunWithFile(const std::string& file);
    /// A picture given as it is (pasted), read as a file of it would be; `name` stands for its
    /// path in the outcome and in a failure's report.
    void RunWithImage(const QImage& image, const std::string& name);

private:
    void Load(const std::string& file);
    /// Runs `load` beside the window; a failure is reported with `name` as the file.
    void Load(const std::string& name, std::function<QImage()> load);
    void Loaded(std::exception_ptr failure);
    /// Runs the start of a load; a failure it does not report ends the load with it.
    void Starting(const std::function<void()>& start);

    MainServices& mServices;
    QWidget* mOwner;
    const QString& mWorkNote;
    Done mDone;
    std::string mName;
    LoadOutcome mOutcome;
    std::optional<BackgroundWork> mWork;
};
