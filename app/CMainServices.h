#pragma once

#include <functional>
#include <memory>

class IFileDialog;
class IFlashWindow;
class IMessageBox;

/// What the main window shows the user through: a file dialog made afresh for each handler run,
/// the message boxes and the picture shown on the screen.
struct CMainServices {
    std::function<std::unique_ptr<IFileDialog>()> newFileDialog;
    IMessageBox& messageBox;
    IFlashWindow& flashWindow;
};
