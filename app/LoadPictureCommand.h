#pragma once

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
/// loaded.
class LoadPictureCommand {
public:
    /// `workNote` is the owner's line under the progress dialog's label (BackgroundWork).
    LoadPictureCommand(MainServices& services, QWidget* owner, const QString& workNote);
    LoadOutcome Run();
    /// A file chosen without the dialog (dropped, pasted): the rest as Run does after the dialog.
    LoadOutcome RunWithFile(const std::string& file);
    /// A picture given as it is (pasted), read as a file of it would be; `name` stands for its
    /// path in the outcome and in a failure's report.
    LoadOutcome RunWithImage(const QImage& image, const std::string& name);

private:
    LoadOutcome Load(const std::string& file);
    /// Runs `load` beside the window; a failure is reported with `name` as the file.
    LoadOutcome Load(const std::string& name, const std::function<QImage()>& load);

    MainServices& mServices;
    QWidget* mOwner;
    const QString& mWorkNote;
};
