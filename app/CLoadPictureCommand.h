#pragma once

#include <QImage>
#include <optional>
#include <string>

struct CMainServices;
class QWidget;

/// What a load gave the window.
struct CLoadOutcome {
    /// The picture was loaded; false when cancelled or failed.
    bool pictureLoaded = false;
    QImage picture;
    /// The chosen path, whenever a picture was loaded.
    std::optional<std::u16string> path;
};

/// The work of "1. Загрузить картинку": the open dialog in the remembered folder, remembering the
/// chosen folder, loading the file and reporting a file that could not be loaded.
class CLoadPictureCommand {
public:
    CLoadPictureCommand(CMainServices& services, QWidget* owner);
    CLoadOutcome Run();

private:
    CMainServices& mServices;
    QWidget* mOwner;
};
